#include "vorplan/layoutview/layout_statistics.h"

#include <algorithm>
#include <map>
#include <utility>

#include "vorplan/common/conversions.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/list_reports.h"
#include "vorplan/common/real_helpers.h"
#include "vorplan/optimiser/layout_files.h"

namespace vor {

namespace {

// Tenths to whole millimetres, half to even, in integers so no tenth is lost.
long long RoundTenthsToMm(long long tenths)
{
    long long q = tenths / 10;
    const long long r = tenths % 10;
    if (r > 5 || (r == 5 && q % 2 != 0))
        ++q;
    else if (r < -5 || (r == -5 && q % 2 != 0))
        --q;
    return q;
}

constexpr double kTenthsSquaredPerM2 = 1e8;

double M2(std::int64_t tenthsSquared)
{
    return static_cast<double>(tenthsSquared) / kTenthsSquaredPerM2;
}

// The edge-marked perimeter: "@1" the two shorter sides, "@2" the two
// longer, "@3" all four; the last present mark in that order wins.
double MarkedPerimeter(const std::string& description, long long lengthMm, long long heightMm)
{
    double marked = 0;
    if (description.find('@') == std::string::npos)
        return marked;
    if (description.find("@1") != std::string::npos)
        marked = 2.0 * static_cast<double>(std::min(lengthMm, heightMm)) * 0.001;
    if (description.find("@2") != std::string::npos)
        marked = 2.0 * static_cast<double>(std::max(lengthMm, heightMm)) * 0.001;
    if (description.find("@3") != std::string::npos)
        marked = static_cast<double>(2 * lengthMm + 2 * heightMm) * 0.001;
    return marked;
}

void AddReport(LayoutState& state, const LayoutInputs& inputs)
{
    const LayoutFigures& f = state.figures;
    const ViewerOptions& o = inputs.options;
    state.report.clear();
    auto add = [&](std::string line) { AddReportLine(state, std::move(line)); };
    auto mm = [&](long long tenths) { return RealToText(static_cast<double>(tenths), o.showDecimals); };
    auto percent = [&](double value) { return FormatPercent(value, o.longNumbers); };

    add("@*** " + Msg(487) + std::to_string(state.currentLayout) + " / " +
                std::to_string(state.layoutCount));
    add("@D");
    // A line holding "@D" is not drawn, so the marker stands on its own.
    add("@D");
    add(Msg(144) + ": " + std::to_string(inputs.material.code) + " - " +
                inputs.material.description);
    add({});
    add(Msg(488) + std::to_string(f.repetitions));
    add(Msg(202) + percent(f.yield) + " %");
    add(Msg(203) + percent(f.loss) + " %");
    add({});
    add(Msg(489) + (f.sheetCode < 0 ? Msg(213) : Msg(212)) + " ");
    add(Msg(142) + " : " + mm(f.sheetLength) + " " + "mm");
    add(Msg(143) + " : " + mm(f.sheetHeight) + " " + "mm");
    add(Msg(486) + ": " + percent(M2(f.sheetArea)) + " " + "m2" + " ");
    add({});
    const SheetTrims& t = state.trims;
    if (static_cast<long long>(t.left) + t.right + t.top + t.bottom > 0) {
        add(Msg(490));
        add("@D");
        add(Msg(491) + mm(t.left));
        add(Msg(492) + mm(t.right));
        add(Msg(493) + mm(t.top));
        add(Msg(494) + mm(t.bottom));
        add("@d");
    }
    add(Msg(208));
    add(" @T ^N__ ^" + TableColumnText(Msg(11)) + " ^" + TableColumnText(Msg(32)) +
                " ^___" + TableColumnText(Msg(142)) + " ^" + TableColumnText(Msg(143)) +
                "_ ^______" + TableColumnText(Msg(486)) + "_" + "m2" + "_");
    long number = 0;
    for (const ReportPiece& p : f.pieces)
        add(std::to_string(++number) + " " + std::to_string(p.order) + " " +
                    std::to_string(p.code) + " " +
                    FormatRealText(static_cast<double>(p.width), o.showDecimals) + " " +
                    FormatRealText(static_cast<double>(p.height), o.showDecimals) + " " +
                    percent(AreaM2(1, p.width, p.height)));
    add({});
    add(Msg(495) + std::to_string(f.pieceCount));
    add(Msg(486) + ": " + percent(M2(f.pieceArea)) + " m2 ");
    add(Msg(496) + std::to_string(f.offcutCount));
    add(Msg(486) + ": " + percent(M2(f.offcutArea)) + " m2 ");
    add(Msg(497) + std::to_string(f.scrapCount));
    add(Msg(486) + ": " + percent(M2(f.scrapArea)) + " m2 ");
    add("@d");
}

}  // namespace

void AddReportLine(LayoutState& state, std::string text) { state.report.push_back(std::move(text)); }

std::string FormatPercent(double value, bool longNumbers)
{
    return RealToStrTrim(longNumbers, value);
}

std::string TableColumnText(std::string_view text) { return TableWord(std::string(text)); }

long long DeductedPieceBorder(const LayoutInputs& inputs)
{
    return inputs.options.deductPieceBorder ? std::max(0LL, inputs.pieceBorder) : 0;
}

void ComputeLayoutStatistics(LayoutState& state, const LayoutInputs& inputs, bool writeReport)
{
    LayoutFigures f;
    const long long border = DeductedPieceBorder(inputs);
    const long long borderMm = RoundTenthsToMm(border);
    f.sheetCode = state.sheetCode;
    f.repetitions = state.sheetRepetitions;
    f.sheetLength = state.sheetLength;
    f.sheetHeight = state.sheetHeight;
    f.sheetArea = static_cast<std::int64_t>(f.sheetLength) * f.sheetHeight;
    const double weight = static_cast<double>(f.repetitions) + 1;

    for (const ViewerElement& e : state.elements) {
        std::int64_t area = static_cast<std::int64_t>(e.length) * e.height;
        if (e.type == kLayoutTypePiece) {
            area = (e.length - border) * (e.height - border);
            const long long lengthMm = e.length / 10 - borderMm;
            const long long heightMm = e.height / 10 - borderMm;
            f.pieces.push_back({e.code, lengthMm, heightMm, e.order});
            f.cuttingPriceBasis += M2(area) * 0.5 + 0.75;
            state.runTotals.perimeter +=
                static_cast<double>(2 * lengthMm + 2 * heightMm) * 0.001 * weight;
            state.runTotals.markedPerimeter +=
                MarkedPerimeter(e.description, lengthMm, heightMm) * weight;
            f.roundedPieceAreaM2 += RoundedAreaM2(1, lengthMm, heightMm, inputs.options.roundingTypeOne);
            ++f.pieceCount;
            f.pieceArea += area;
        } else if (e.type == kLayoutTypeOffcut) {
            ++f.offcutCount;
            f.offcutArea += area;
        } else if (e.type == kLayoutTypeDiscarded) {
            ++f.scrapCount;
            f.scrapArea += area;
        }
    }
    f.yield = f.sheetArea == 0
                  ? 0
                  : static_cast<double>(f.pieceArea) / static_cast<double>(f.sheetArea) * 100;
    f.loss = 100 - f.yield;
    state.figures = std::move(f);
    if (writeReport)
        AddReport(state, inputs);
}

LayoutPanelTexts MakeLayoutPanelTexts(const LayoutState& state, const ViewerOptions& options)
{
    const LayoutFigures& f = state.figures;
    LayoutPanelTexts t;
    t.layout = std::to_string(state.currentLayout);
    t.repetitions = std::to_string(f.repetitions);
    t.yield = FormatPercent(f.yield, options.longNumbers) + " %";
    t.loss = FormatPercent(f.loss, options.longNumbers) + " %";
    t.sheetSize = RealToText(f.sheetLength, options.showDecimals) + " x " +
                  RealToText(f.sheetHeight, options.showDecimals);
    t.sheetDescription = state.sheetDescription;
    t.pieces = std::to_string(f.pieceCount);
    return t;
}

ElementCount CountElements(const LayoutState& state, bool silent)
{
    ElementCount c;
    struct Size {
        int length, height;
    };
    std::map<std::pair<int, int>, Size> distinct;
    for (const ViewerElement& e : state.elements) {
        if (e.type == kLayoutTypeOffcut) {
            ++c.offcuts;
        } else if (e.type == kLayoutTypeDiscarded) {
            ++c.scrap;
        } else if (e.type == kLayoutTypePiece) {
            ++c.pieces;
            const auto [it, added] = distinct.try_emplace({e.code, e.order}, Size{e.length, e.height});
            if (added)
                continue;
            const Size& s = it->second;
            const bool same = (s.length == e.length && s.height == e.height) ||
                              (s.length == e.height && s.height == e.length);
            if (!same)
                c.errorCode = e.code;
        }
    }
    c.distinctPieces = static_cast<long>(distinct.size());
    c.show = !silent || c.errorCode != 0;
    c.text = "Elementos: " + std::to_string(state.ElementCount() - 2) + "\n" +
             std::to_string(c.pieces) + " peça(s)\n" + std::to_string(c.offcuts) +
             " retalho(s)\n" + std::to_string(c.scrap) + " sobra(s)\n\n" +
             std::to_string(c.distinctPieces) + " peças diferentes\n\nErro: " +
             std::to_string(c.errorCode);
    return c;
}

}  // namespace vor
