#include "vorplan/layoutview/general_report.h"

#include <utility>

#include "platform/clock.h"
#include "vorplan/common/calc_lists.h"
#include "vorplan/common/conversions.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/list_helpers.h"
#include "vorplan/common/list_reports.h"
#include "vorplan/common/real_helpers.h"
#include "vorplan/common/small_helpers.h"
#include "vorplan/common/state_files.h"
#include "vorplan/common/text_file.h"
#include "vorplan/layoutview/layout_statistics.h"
#include "vorplan/orders/table_files.h"

namespace vor {

namespace {

class ReportWriter {
public:
    ReportWriter(const GeneralReportInput& in, const LayoutInputs& inputs, GeneralReport& out)
        : m_in(in), m_o(in.content), m_inputs(inputs), m_out(out)
    {
    }

    void Add(std::string line) { m_out.lines.push_back(std::move(line)); }

    std::string Mm(double tenths) const { return RealToText(tenths, m_inputs.options.showDecimals); }
    std::string Percent(double value) const { return FormatPercent(value, m_inputs.options.longNumbers); }
    std::string Money(double value) const { return m_in.currency + " " + RealToStrBr(0, value); }
    static std::string Answer(bool yes) { return yes ? Msg(102) : Msg(103); }

    void Header()
    {
        if (m_o.title)
            Add("\t@*****   " + Msg(511));
        if (m_o.comment && !m_o.commentText.empty())
            Add("@***    " + m_o.commentText);
        if (m_o.calcDate || m_o.printDate) {
            Add("@D");
            if (m_o.calcDate)
                Add("@*" + Msg(722) + ":" + m_in.calcStamp);
            if (m_o.printDate) {
                const platform::Clock& clock = m_in.clock ? *m_in.clock : platform::GetClock();
                Add("@*" + Msg(723) + ":" + DateTimeText(clock));
            }
            Add("@d");
        } else {
            Add({});
        }
    }

    void Material()
    {
        if (!m_o.material)
            return;
        Add("@** " + Msg(144) + " :" + " " + std::to_string(m_inputs.material.code) + " - " +
            m_in.material.description);
        Add({});
    }

    void Projects()
    {
        if (!(m_o.projectNumber || m_o.projectDescription || m_o.projectPieceCount || m_o.projectDate))
            return;
        const TildeFields f = SplitTilde(m_in.projectLine);
        Add("@* " + Msg(846) + ": " + f.fields[1]);
        if (f.fields[1].find(',') != std::string::npos)
            return;
        Add("@D");
        if (m_o.projectDescription)
            Add(Msg(33) + " :" + " " + f.fields[2]);
        if (m_o.projectPieceCount)
            Add(Msg(848) + " :" + " " + f.fields[3]);
        if (m_o.projectDate)
            Add(Msg(849) + " :" + " " + f.fields[4]);
        Add("@d");
    }

    void ProjectPieces()
    {
        if (!m_o.projectPieces)
            return;
        Add({});
        Add("@* " + Msg(851) + " :");
        const long long material = m_inputs.material.code;
        for (long long project : m_in.projects) {
            std::optional<std::vector<std::string>> table;
            if (m_in.pieceTable)
                table = m_in.pieceTable(project);
            if (!table)
                continue;
            bool first = true;
            for (const std::string& line : *table) {
                const PieceLineFields p = ParsePieceLine(line);
                if (p.mark != 1 || p.material != material)
                    continue;
                if (first) {
                    Add("@* " + Msg(11) + " " + std::to_string(project) + " ");
                    Add("@T  " + TableWord(Msg(32)) + "___ ^_" + TableWord(Msg(141)) + "___ " +
                        "^" + TableWord(Msg(142)) + "." + "______ " + "^" + TableWord(Msg(143)) +
                        "." + "______ " + TableWord(Msg(357)) + "_" +
                        std::string(20, '_'));  // room for a description
                    first = false;
                }
                const bool decimals = m_inputs.options.showDecimals;
                Add(std::to_string(p.code) + " " + std::to_string(p.quantity) + " " +
                    FormatRealText(p.width, decimals) + " " + FormatRealText(p.height, decimals) +
                    " " + TableWord(p.description));
            }
            if (!first)
                Add({});  // ends the table, so the next heading is no row
        }
    }

    void SheetsInCutOrder(LayoutState& state, FileOps& ops)
    {
        if (m_o.sheetsInCutOrder) {
            Add(Msg(512));
            Add("@T  " + Msg(513));
        }
        const LayoutPassResult pass =
            RunLayoutPass(state, m_inputs, m_out.totals, [&](const LayoutState& s) {
                if (s.currentLayout == 1)
                    m_firstTrims = s.trims;
                if (!m_o.sheetsInCutOrder)
                    return;
                const LayoutFigures& f = s.figures;
                Add(std::to_string(s.currentLayout) + " " + std::to_string(f.repetitions) + " " +
                    TableWord(f.sheetCode < 0 ? Msg(515) : Msg(514)) + " " + Mm(f.sheetLength) +
                    " " + Mm(f.sheetHeight) + " " + std::to_string(f.pieceCount) + " " +
                    std::to_string(f.scrapCount) + " " + std::to_string(f.offcutCount) + " " +
                    Percent(f.yield));
            }, ops);
        m_out.noLayouts = pass.noLayouts;
        m_out.message = pass.message;
        if (m_o.sheetsInCutOrder)
            Add({});
    }

    void SheetsBySize()
    {
        if (!m_o.sheetsBySize)
            return;
        Add(Msg(534));
        // Titles wide enough for a length such as "2750.0", so columns do not overlap.
        Add("@T ^________" + std::string("  ") + "^________" + "  " + "^" + Msg(510) + "__");
        for (const SheetSizeRow& row : m_out.totals.sheetSizes)
            Add(Mm(row.width) + " " + Mm(row.height) + " " + std::to_string(row.quantity));
        Add({});
    }

    bool AnyTotal() const
    {
        return m_o.layoutCount || m_o.piecesPlaced || m_o.pieceArea || m_o.pieceAreaRounded ||
               m_o.sheetCount || m_o.sheetArea || m_o.sheetPrice || m_o.cuttingPrice ||
               m_o.sheetWeight || m_o.trims || m_o.perimeter || m_o.offcutCount ||
               m_o.offcutArea || m_o.offcutPrice || m_o.offcutWeight || m_o.meanYield ||
               m_o.meanLoss || m_o.meanYieldRounded;
    }

    void Totals(const LayoutState& state)
    {
        if (!AnyTotal())
            return;
        const LayoutTotals& t = m_out.totals;
        const TotalsPricing pricing = TotalsPricingOf(m_inputs.material, m_o.useSaleFactor);
        const std::string weightUnit = " " + Msg(526);
        Add(Msg(516));
        Add("@D");
        if (m_o.layoutCount)
            Add(Msg(517) + std::to_string(t.layouts));
        if (m_o.piecesPlaced)
            Add(Msg(518) + std::to_string(t.piecesPlaced));
        if (m_o.pieceArea)
            Add(Msg(519) + Percent(t.pieceAreaM2) + " m2");
        if (m_o.pieceAreaRounded)
            Add(Msg(520) + Percent(t.roundedPieceAreaM2) + " m2");
        if (m_o.sheetCount)
            Add(Msg(521) + std::to_string(t.sheets));
        if (m_o.sheetArea)
            Add(Msg(522) + Percent(t.sheetAreaM2) + " m2" + (m_o.showRounded ? " (arred)" : "") +
                (m_o.showReal ? " (real)" : ""));
        if (m_o.sheetPrice)
            Add(Msg(523) + Money(t.SheetPrice(pricing)));
        if (m_o.cuttingPrice)
            Add(Msg(955) + " " + Money(t.CuttingPrice(pricing)));
        if (m_o.sheetWeight)
            Add(Msg(525) + RealToStr2(t.SheetWeight(pricing)) + weightUnit);
        if (m_o.trims) {
            Add(Msg(527));
            Add(Msg(491) + Mm(m_firstTrims.left) + " mm");
            Add(Msg(492) + Mm(m_firstTrims.right) + " mm");
            Add(Msg(493) + Mm(m_firstTrims.top) + " mm");
            Add(Msg(494) + Mm(m_firstTrims.bottom) + " mm");
        }
        if (m_o.perimeter) {
            Add(Msg(582) + Percent(state.runTotals.perimeter) + " m");
            Add(Msg(582) + Percent(state.runTotals.markedPerimeter) + " m");
        }
        if (m_o.offcutCount)
            Add(Msg(528) + std::to_string(t.offcuts));
        if (m_o.offcutArea)
            Add(Msg(529) + Percent(t.offcutAreaM2) + " m2");
        if (m_o.offcutPrice)
            Add(Msg(759) + Money(t.OffcutPrice(pricing)));
        if (m_o.offcutWeight)
            Add(Msg(530) + RealToStr2(t.OffcutWeight(pricing)) + weightUnit);
        if (m_o.meanYield)
            Add(Msg(531) + Percent(t.MeanYield()) + "%");
        if (m_o.meanLoss)
            Add(Msg(532) + Percent(t.MeanLoss()) + "%");
        if (m_o.meanYieldRounded)
            Add(Msg(533) + Percent(t.RoundedMeanYield()) + "%");
        Add("@d");
    }

    void CalcSettings()
    {
        if (m_o.calcSettings)
            AddCalcDataBlock(m_out.lines, m_in.calcData);
    }

    void MaterialProperties()
    {
        if (!m_o.materialProperties)
            return;
        const MaterialRecord& m = m_in.material;
        const auto line = [&](long message, const std::string& value) {
            Add(Msg(message) + "  " + value);
        };
        Add(Msg(535));
        Add("@D");
        line(536, std::to_string(m_inputs.material.code));
        line(537, m.description);
        line(538, Mm(m.kerf) + " mm");
        line(539, Mm(m.minStripWidth) + " mm");
        line(540, Answer(m.mayRotate));
        line(541, Money(m.purchasePrice));
        line(542, RealToStr2(m.weightPerArea) + " " + Msg(526));
        line(543, Answer(m.makesOffcuts));
        line(544, Mm(m.minOffcutWidth) + " mm");
        line(545, Mm(m.minOffcutHeight) + " mm");
        Add("@D");
        line(491, Mm(m.trimLeft) + " mm");
        line(492, Mm(m.trimRight) + " mm");
        line(493, Mm(m.trimTop) + " mm");
        line(494, Mm(m.trimBottom) + " mm");
        Add("@d");
    }

private:
    const GeneralReportInput& m_in;
    const ReportContentOptions& m_o;
    const LayoutInputs& m_inputs;
    GeneralReport& m_out;
    SheetTrims m_firstTrims;
};

}  // namespace

GeneralReport BuildGeneralReport(const GeneralReportInput& input, LayoutState& state,
                                 const LayoutInputs& inputs, bool writeText, FileOps& ops)
{
    LayoutInputs passInputs = inputs;
    passInputs.options.deductPieceBorder = input.content.deductPieceBorder;
    GeneralReport report;
    ReportWriter w(input, passInputs, report);
    if (!writeText) {
        const LayoutPassResult pass = RunLayoutPass(state, passInputs, report.totals, {}, ops);
        report.noLayouts = pass.noLayouts;
        report.message = pass.message;
        return report;
    }
    w.Header();
    w.Material();
    w.Projects();
    w.ProjectPieces();
    w.SheetsInCutOrder(state, ops);
    if (report.noLayouts) {
        report.lines.clear();
        return report;
    }
    w.SheetsBySize();
    w.Totals(state);
    w.CalcSettings();
    w.MaterialProperties();
    return report;
}

GeneralReportInput LoadGeneralReportInput(const DataFolders& folders, bool internalTables,
                                          bool showDecimals)
{
    GeneralReportInput in;
    in.calcStamp = ReadDataCoStamp(folders);
    in.projectLine = ReadLastListName(folders);
    // A list of the report's own: the shared selection may be another one by now.
    OrderSelection selection;
    ReadOrderSelection(folders, selection);
    for (long i = 1; i <= selection.count; ++i)
        in.projects.push_back(selection.orders[i]);
    in.calcData = LoadCalcData(IniFile(CalcDataFile(folders)), showDecimals);
    in.pieceTable = [folders, internalTables](long long order) {
        return ReadTextLines(OrderTableFile(folders, order, internalTables));
    };
    return in;
}

}  // namespace vor
