#include "vorplan/common/list_reports.h"

#include <algorithm>
#include <utility>

#include "platform/clock.h"
#include "vorplan/common/conversions.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/helper_programs.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/real_helpers.h"
#include "vorplan/common/text_file.h"

namespace vor {

namespace {

std::string TwoDigits(int n)
{
    std::string s = IntText(n % 100);
    return s.size() < 2 ? "0" + s : s;
}

// The description of an order's list text, blanks as "_", without its
// pieces total after the last "~".
std::string OrderDescriptionWord(std::string text)
{
    BlankToUnderscore(text);
    CutAtLastTilde(text);
    return text.empty() ? std::string("???") : text;
}

// The current material code and record, put back when the report is done,
// also when it fails.
class CurrentMaterialScope {
public:
    CurrentMaterialScope()
        : m_code(gShared.currentMaterial), m_record(gShared.currentMaterialRecord)
    {
    }
    ~CurrentMaterialScope()
    {
        gShared.currentMaterial = m_code;
        gShared.currentMaterialRecord = std::move(m_record);
    }
    CurrentMaterialScope(const CurrentMaterialScope&) = delete;
    CurrentMaterialScope& operator=(const CurrentMaterialScope&) = delete;

private:
    long long m_code;
    MaterialRecord m_record;
};

void AddStockSection(std::vector<std::string>& out, const std::vector<StockRow>& rows,
                     const std::string& tableHeader, const std::string& totalText,
                     const std::string& emptyText, bool showDecimals)
{
    if (rows.empty()) {
        out.push_back(emptyText);
        out.emplace_back();
        return;
    }
    out.push_back("@T " + tableHeader);
    double total = 0;
    for (const StockRow& row : rows) {
        const double area = row.width * row.height * 0.000001;
        const double rowArea = area * static_cast<double>(row.quantity);
        total += rowArea;
        out.push_back(std::string(row.mark == 1 ? "+" : "-") + " " + IntText(row.code) + " " +
                      IntText(row.quantity) + " " + FormatRealText(row.width, showDecimals) + " " +
                      FormatRealText(row.height, showDecimals) + " " + FormatFixed(area, 4) + " " +
                      FormatFixed(rowArea, 4));
    }
    out.emplace_back();
    out.push_back(totalText + FormatFixed(total, 4) + " m2");
    out.emplace_back();
}

std::string MillimetreText(int tenths, bool showDecimals)
{
    return FormatRealText(tenths * 0.1, showDecimals) + " mm";
}

void AddProperties(std::vector<std::string>& out, long long code, const MaterialRecord& record,
                   bool showDecimals)
{
    out.emplace_back("@D");
    out.push_back(Msg(144) + " : " + IntText(code));
    out.push_back(Msg(33) + " : " + record.description);
    out.push_back(Msg(255) + " : " + MillimetreText(record.kerf, showDecimals));
    out.push_back(Msg(256) + " : " + MillimetreText(record.minStripWidth, showDecimals));
    out.push_back("Borda superior da chapa : " + MillimetreText(record.trimTop, showDecimals));
    out.push_back("Borda inferior da chapa : " + MillimetreText(record.trimBottom, showDecimals));
    out.push_back("Borda esquerda da chapa : " + MillimetreText(record.trimLeft, showDecimals));
    out.push_back("Borda direita da chapa : " + MillimetreText(record.trimRight, showDecimals));
    out.push_back(Msg(540) + " " + (record.mayRotate ? Msg(102) : Msg(103)));
    out.push_back(Msg(247) + " : " + RealToStrBr(0, record.purchasePrice));
    out.push_back(Msg(542) + " : " + FormatFixed(record.weightPerArea, 2));
    out.emplace_back();
}

}  // namespace

std::string TableWord(std::string text)
{
    BlankToUnderscore(text);
    return text.empty() ? std::string("_") : text;
}

bool IsMaterialChosen(const ChosenMaterials& chosen, long long code)
{
    for (long i = 1; i <= chosen.count; ++i) {
        if (chosen.codes[i] == code)
            return true;
    }
    return false;
}

bool IsMaterialChosen(long long code) { return IsMaterialChosen(gListData.chosen, code); }

std::vector<StockRow> LoadStockRows(const DataFolders& folders, bool sheets, long long materialCode)
{
    std::vector<StockRow> rows;
    const Path path = sheets ? SheetTableFile(folders, materialCode)
                             : OffcutTableFile(folders, materialCode);
    const auto lines = ReadTextLines(path);
    if (!lines)
        return rows;
    SplitFieldArrays fields;
    const std::size_t count = std::min(lines->size(), static_cast<std::size_t>(kStockRowSlots));
    for (std::size_t i = 0; i < count; ++i) {
        // Only fields 1 to 5 are read, so a long description cannot stop a report.
        SplitFieldsFirst15((*lines)[i], sheets ? ' ' : ',', fields);
        StockRow row;
        if (sheets) {
            row.mark = fields.ints[1];
            row.code = fields.ints[2];
        } else {
            row.code = fields.ints[1];
            row.mark = fields.texts[2] == "+" ? 1 : 0;
        }
        row.quantity = fields.ints[3];
        row.width = fields.reals[4];
        row.height = fields.reals[5];
        rows.push_back(row);
    }
    return rows;
}

std::vector<StockRow> LoadStockRows(bool sheets, long long materialCode)
{
    return LoadStockRows(gShared.folders, sheets, materialCode);
}

std::string ReportDateLine(const platform::Clock& clock)
{
    const platform::LocalTime t = clock.Now();
    return Msg(656) + ":" + TwoDigits(t.day) + "/" + TwoDigits(t.month) + "/" + TwoDigits(t.year) +
           "  " + Msg(741) + ":" + TwoDigits(t.hour) + ":" + TwoDigits(t.minute) + ":" +
           TwoDigits(t.second);
}

std::string ReportDateLine() { return ReportDateLine(platform::GetClock()); }

// ---- Order list -------------------------------------------------------------

std::vector<std::string> OrderListReportLines(const OrderList& list)
{
    std::vector<std::string> out;
    if (list.count == 0)
        out.push_back("@*** " + Msg(556));
    out.push_back("@*** " + Msg(62));
    out.emplace_back();
    out.push_back("@T ^" + Msg(32) + " " + Msg(33) + "___________________ ^" + Msg(274) + "  ^_" +
                  Msg(486) + "_" + "m2" + "  ^" + Msg(557) + " _" + "Status" + "__ " + Msg(64) +
                  "_____________");
    for (long i = 1; i <= list.count; ++i) {
        const OrderRecord& record = list.records[i];
        out.push_back(IntText(record.number) + " " + OrderDescriptionWord(record.description) + " " +
                      IntText(record.pieces) + " " + FormatFixed(record.area * 0.000001, 2) + " " +
                      TableWord(record.date) + " " + TableWord(StatusText(record.status)) + " " +
                      TableWord(record.materials));
    }
    out.emplace_back();
    return out;
}

Path WriteOrderListReport(const DataFolders& folders, OrderList& list)
{
    RefreshOrderListIfDirty(folders, list);
    const Path path = OrderListReportFile(folders);
    WriteTextLines(path, OrderListReportLines(list));
    return path;
}

Path WriteOrderListReport()
{
    RefreshOrderListIfDirty();
    const Path path = OrderListReportFile(gShared.folders);
    WriteTextLines(path, OrderListReportLines(gShared.orderList));
    return path;
}

// ---- Material list ----------------------------------------------------------

std::vector<std::string> MaterialListReportLines(const DataFolders& folders,
                                                 const MaterialTable& table,
                                                 const ChosenMaterials& chosen,
                                                 const MaterialListOptions& options,
                                                 const platform::Clock& clock, bool showDecimals)
{
    std::vector<std::string> out;
    if (table.count == 0) {
        out.push_back("@*** " + Msg(564));
        return out;
    }
    if (options.withTitle) {
        out.push_back("@**** " + options.title);
        out.emplace_back();
    }
    if (options.withDate) {
        out.push_back("@** " + ReportDateLine(clock));
        out.emplace_back();
    }

    std::vector<const MaterialTableEntry*> materials;
    for (long i = 1; i <= table.count; ++i) {
        if (IsMaterialChosen(chosen, table.entries[i].code))
            materials.push_back(&table.entries[i]);
    }

    if (options.materialTable) {
        out.push_back("@** " + Msg(63) + ":");
        out.emplace_back();
        out.push_back("@T " + Msg(32) + "_ " + Msg(33) + "_________________________ " + Msg(178) +
                      "____ " + "^" + Msg(514) + "__ " + "^" + Msg(514) + "_tot" + "___ " + "^" +
                      Msg(486) + "_m2" + "_____");
        for (const MaterialTableEntry* entry : materials) {
            out.push_back(IntText(entry->code) + " " + TableWord(entry->description) + " " +
                          TableWord(entry->family) + " " + IntText(entry->sheetLines) + " " +
                          IntText(entry->sheetQuantity) + " " + FormatFixed(entry->sheetArea, 4));
        }
        out.emplace_back();
    }

    if (options.sheets || options.offcuts) {
        const std::string header = "H _" + Msg(174) + "___ " + "^___" + Msg(141) + "_ " + "^__" +
                                   Msg(142) + " " + "^____" + Msg(143) + " " + "^_____" + Msg(486) +
                                   "_m2_" + " " + "^__" + Msg(486) + "_m2_total" + "_";
        for (const MaterialTableEntry* entry : materials) {
            if (options.sheets) {
                out.push_back(Msg(583) + " " + IntText(entry->code) + ": " + entry->description);
                AddStockSection(out, LoadStockRows(folders, true, entry->code), header,
                                "Área total das chapas: ", Msg(900), showDecimals);
            }
            if (options.offcuts) {
                out.push_back(Msg(584) + IntText(entry->code) + ": " + entry->description);
                AddStockSection(out, LoadStockRows(folders, false, entry->code), header,
                                "Área total dos retalhos: ", Msg(901), showDecimals);
            }
        }
    }

    if (options.properties) {
        out.emplace_back();
        out.push_back("@** " + Msg(565));
        for (const MaterialTableEntry* entry : materials)
            AddProperties(out, entry->code, LoadMaterial(folders, entry->code), showDecimals);
    }
    return out;
}

Path WriteMaterialListReport(const DataFolders& folders, MaterialTable& table,
                             const ChosenMaterials& chosen, const MaterialListOptions& options,
                             const platform::Clock& clock, bool showDecimals)
{
    LoadMaterialTable(folders, true, table);
    const Path path = MaterialListReportFile(folders);
    WriteTextLines(path, MaterialListReportLines(folders, table, chosen, options, clock, showDecimals));
    return path;
}

Path WriteMaterialListReport(const std::string& title, bool withTitle, bool withDate,
                             bool materialTable, bool sheets, bool offcuts, bool properties)
{
    const CurrentMaterialScope keep;
    const MaterialListOptions options{title, withTitle, withDate, materialTable, sheets, offcuts,
                                      properties};
    return WriteMaterialListReport(gShared.folders, gShared.materialTable, gListData.chosen, options,
                                   platform::GetClock(), gShared.settings.showDecimals);
}

bool ShowOrderListReport()
{
    return StartReportViewer(gShared.folders, WriteOrderListReport());
}

bool ShowMaterialListReport(const std::string& title, bool withTitle, bool withDate,
                            bool materialTable, bool sheets, bool offcuts, bool properties)
{
    const Path report = WriteMaterialListReport(title, withTitle, withDate, materialTable, sheets,
                                                offcuts, properties);
    return StartReportViewer(gShared.folders, report);
}

}  // namespace vor
