#include "vorplan/results/calc_summary.h"

#include <algorithm>
#include <filesystem>

#include "vorplan/common/codec.h"
#include "vorplan/common/conversions.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/material_record.h"
#include "vorplan/common/real_helpers.h"
#include "vorplan/layoutview/layout_statistics.h"
#include "vorplan/optimiser/layout_files.h"

namespace vor {

namespace {

constexpr long long kLastLayoutNumber = 999;  // layout file names hold three digits
constexpr std::size_t kSummaryDescriptionLength = 18;
constexpr int kTitleSize = 14;
constexpr int kTextSize = 10;
constexpr int kTableSize = 8;  // the columns of the tables fit their tab stops at this size
constexpr int kFirstIndent = 5;
constexpr double kMm2PerM2 = 1e6;

// The sheet sizes, added here as the accumulator adds them, with their remarks.
void AddSize(std::vector<SheetSizeEntry>& sizes, const LayoutState& state)
{
    const long long times = static_cast<long long>(state.sheetRepetitions) + 1;
    auto at = std::find_if(sizes.begin(), sizes.end(), [&](const SheetSizeEntry& e) {
        return e.width == state.sheetLength && e.height == state.sheetHeight;
    });
    if (at == sizes.end())
        sizes.push_back({state.sheetLength, state.sheetHeight, times, state.sheetDescription});
    else
        at->count += times;
}

StyledRun Run(std::string text, int size = kTableSize, bool bold = false)
{
    StyledRun run;
    run.text = std::move(text);
    run.size = size;
    run.bold = bold;
    return run;
}

StyledParagraph SummaryLine(std::vector<StyledRun> runs)
{
    StyledParagraph p;
    p.firstIndent = kFirstIndent;
    p.tabStops = kSummaryTabStops;
    p.runs = std::move(runs);
    return p;
}

std::string Joined(const std::vector<std::string>& cells)
{
    std::string text;
    for (std::size_t i = 0; i < cells.size(); ++i)
        text += (i ? "\t" : "") + cells[i];
    return text;
}

std::string Area(double m2)
{
    return FormatFixed(m2, 2);
}

}  // namespace

// Code, description, then one column each for sheets, offcuts, layouts,
// pieces, the two areas and the yield: the yield takes an eighth stop.
const std::vector<int> kSummaryTabStops = {40, 134, 198, 262, 326, 390, 454, 518};

MaterialLayoutSums CollectSheetSizes(const DataFolders& folders, long long material,
                                     bool roundingTypeOne)
{
    MaterialLayoutSums sums;
    sums.code = material;
    LayoutInputs inputs;
    inputs.folders = folders;
    inputs.material.code = material;
    inputs.options.deductPieceBorder = false;
    inputs.options.roundingTypeOne = roundingTypeOne;
    LayoutState state;
    for (long long number = 1; number <= kLastLayoutNumber; ++number) {
        const Path path = LayoutFile(folders, number, material);
        std::error_code ec;
        if (!std::filesystem::exists(path, ec))
            break;
        const std::optional<LayoutFileContents> contents = ReadLayoutFileContents(path);
        bool whole = contents && contents->linesLeftOut == 0;
        if (whole) {
            state.path = path;
            try {
                StoreLayoutLines(state, contents->lines);
            } catch (const OverflowError&) {
                whole = false;
            }
        }
        if (!whole) {
            MaterialLayoutSums failed;
            failed.code = material;
            failed.problem = Msg(222) + " [" + path.string() + "]";
            return failed;
        }
        ComputeLayoutStatistics(state, inputs, false);
        sums.totals.AddLayout(state.figures);
        AddSize(sums.sizes, state);
    }
    sums.perimeter = state.runTotals.perimeter;
    return sums;
}

std::string MaterialListItem(long long code, bool viewed, const std::string& description)
{
    return std::to_string(code) + (viewed ? "   *" : "") + "~" + description;
}

std::vector<std::string> FillMaterialList(const DataFolders& folders,
                                          const MaterialSelection& selection,
                                          const std::vector<LastCalcMaterial>& records)
{
    std::vector<std::string> items;
    for (long i = 1; i <= selection.count; ++i) {
        const std::int32_t code = selection.entries[i].code;
        const bool viewed = std::any_of(records.begin(), records.end(), [code](const auto& r) {
            return r.code == code && r.viewed;
        });
        items.push_back(MaterialListItem(code, viewed, LoadMaterial(folders, code).description));
    }
    return items;
}

std::vector<std::string> StockUpdateItems(const std::vector<std::string>& items)
{
    std::vector<std::string> out;
    for (const std::string& item : items) {
        std::string text;
        for (char c : item)
            text += c == '~' ? std::string("    ") : std::string(1, c);
        out.push_back(std::move(text));
    }
    return out;
}

std::vector<LastCalcMaterial> EnsureLastCalcMaterials(const DataFolders& folders,
                                                      const MaterialSelection& selection)
{
    std::error_code ec;
    if (std::filesystem::exists(LastCalcMaterialsFile(folders), ec))
        return ReadLastCalcMaterials(folders);
    std::vector<LastCalcMaterial> records;
    for (long i = 1; i <= selection.count; ++i)
        records.push_back({selection.entries[i].code, false});
    WriteLastCalcMaterials(folders, records);
    return records;
}

void MarkMaterialViewed(const DataFolders& folders, std::int32_t code)
{
    std::vector<LastCalcMaterial> records = ReadLastCalcMaterials(folders);
    bool found = false;
    for (LastCalcMaterial& r : records) {
        if (r.code == code) {
            r.viewed = true;
            found = true;
        }
    }
    if (!found)
        records.push_back({code, true});
    WriteLastCalcMaterials(folders, records);
}

std::vector<std::string> CalcSummaryData::Problems() const
{
    std::vector<std::string> lines;
    for (const SummaryMaterial& m : materials)
        if (m.sums.problem)
            lines.push_back(*m.sums.problem);
    return lines;
}

CalcSummaryData GatherCalcSummary(const DataFolders& folders, const MaterialSelection& selection,
                                  bool withOrders, bool internalOrders, bool roundingTypeOne)
{
    CalcSummaryData data;
    const IniFile calcData(CalcDataFile(folders));
    data.comment = calcData.ReadString("DADOS_CONF_CALC", "COMENT", "-1");
    if (withOrders) {
        OrderSelection orders;
        ReadOrderSelection(folders, orders);
        OrderList scratch;
        for (long i = 1; i <= orders.count; ++i) {
            const long long number = orders.orders[i];
            const TableTotals totals =
                TotalListFile(OrderTableFile(folders, number, internalOrders), scratch);
            data.orders.push_back({number, GetProjectDescription(folders, number, scratch),
                                   totals.pieces, totals.area / kMm2PerM2});
        }
    }
    for (long i = 1; i <= selection.count; ++i) {
        const long long code = selection.entries[i].code;
        data.materials.push_back(
            {LoadMaterial(folders, code).description, CollectSheetSizes(folders, code, roundingTypeOne)});
    }
    return data;
}

std::string SummaryDescription(const std::string& description)
{
    if (Utf8Length(description) <= kSummaryDescriptionLength)
        return description;
    return Utf8Left(description, kSummaryDescriptionLength) + "...";
}

StyledDoc BuildCalcSummary(const CalcSummaryData& data, const YieldDisplayOptions& options)
{
    StyledDoc doc;
    StyledRun version = Run("Vorlane  v.2.18", 9);
    version.colour = kGrey;
    doc.paragraphs.push_back(SummaryLine({version}));
    StyledRun title = Run(Msg(377), kTitleSize, true);
    title.underline = true;
    title.colour = kNavy;
    StyledParagraph titleLine = SummaryLine({title});
    titleLine.align = ParagraphAlign::Centre;
    doc.paragraphs.push_back(titleLine);
    if (data.comment != "-1")
        doc.paragraphs.push_back(SummaryLine({Run(data.comment, kTextSize)}));

    if (options.projects) {
        doc.paragraphs.push_back(SummaryLine({}));
        doc.paragraphs.push_back(SummaryLine({Run(Msg(846), kTextSize, true)}));
        doc.paragraphs.push_back(
            SummaryLine({Run(Joined({Msg(32), Msg(33), Msg(274), Msg(254)}), kTableSize, true)}));
        for (const SummaryOrder& order : data.orders)
            doc.paragraphs.push_back(SummaryLine({Run(Joined({std::to_string(order.number),
                                                       SummaryDescription(order.description),
                                                       std::to_string(order.pieces),
                                                       Area(order.areaM2)}))}));
    }

    doc.paragraphs.push_back(SummaryLine({}));
    doc.paragraphs.push_back(SummaryLine({Run(Msg(903), kTextSize, true)}));
    const std::string yieldCaption =
        Utf8Left(Msg(202), 6) + (options.roundedYield ? "*" : "");
    doc.paragraphs.push_back(SummaryLine({Run(Joined({Msg(32), Msg(33), Msg(98), Msg(99), Msg(220),
                                               Msg(274), Msg(254), Msg(221), yieldCaption}),
                                       kTableSize, true)}));
    for (const SummaryMaterial& m : data.materials) {
        const LayoutTotals& t = m.sums.totals;
        std::vector<std::string> cells = {std::to_string(m.sums.code),
                                          SummaryDescription(m.description)};
        if (m.sums.problem) {
            cells.push_back("---");
            doc.paragraphs.push_back(SummaryLine({Run(Joined(cells))}));
            continue;
        }
        const double yield = options.roundedYield ? t.RoundedMeanYield() : t.MeanYield();
        for (const std::string& cell :
             {std::to_string(t.sheets), std::to_string(t.offcuts), std::to_string(t.layouts),
              std::to_string(t.piecesPlaced), Area(t.sheetAreaM2 + t.offcutAreaM2),
              Area(t.pieceAreaM2), FormatFixed(yield, 2) + "%"})
            cells.push_back(cell);
        doc.paragraphs.push_back(SummaryLine({Run(Joined(cells))}));

        if (!options.sheetsAndOffcuts || m.sums.sizes.empty())
            continue;
        doc.paragraphs.push_back(SummaryLine({Run("\t" + Msg(850) + ":", kTableSize, true)}));
        doc.paragraphs.push_back(
            SummaryLine({Run("\t\t" + Joined({Msg(510), Msg(142), Msg(143), Msg(961)}))}));
        for (const SheetSizeEntry& size : m.sums.sizes)
            doc.paragraphs.push_back(SummaryLine(
                {Run("\t\t" + Joined({std::to_string(size.count), TenthsAsMillimetres(size.width),
                                      TenthsAsMillimetres(size.height), size.remark}))}));
        if (options.perimeter)
            doc.paragraphs.push_back(SummaryLine({Run("\t\t" + Msg(582) + " - " + Msg(274) + ":" +
                                               FormatFixed(m.sums.perimeter, 2) + " m")}));
    }
    return doc;
}

}  // namespace vor
