#pragma once

#include <string>
#include <vector>

#include "vorplan/common/data_folders.h"
#include "vorplan/common/list_helpers.h"
#include "vorplan/common/material_record.h"
#include "vorplan/common/order_list.h"

namespace platform {
class Clock;
}

namespace vor {

// The list of all orders (LIST_PED.REL) and the material list (LIST_MAT.REL),
// report texts in ostrel's markup, in the base folder.
//
// The main window's Relatório menu calls none of these (its rows call
// ShowCalcHistoryList, DeleteHistoryList and ShowCalcReportList); the project
// manager's Relatório calls ShowOrderListReport and the resources browser's
// Relatório ShowMaterialListReport.

// A material's sheet or offcut table holds at most this many rows.
constexpr long kStockRowSlots = 1099;

// What a material list report holds besides its rows.
struct MaterialListOptions {
    std::string title;
    bool withTitle = false;
    bool withDate = false;
    bool materialTable = false;
    bool sheets = false;
    bool offcuts = false;
    bool properties = false;
};

// One word of a table row: ostrel splits rows at blanks and shows "_" as a
// blank, so blanks inside are written "_", and an empty value "_" so that
// the words after it stay in their columns.
std::string TableWord(std::string text);

// True when `code` is among entries 1 to count of `chosen`.
bool IsMaterialChosen(const ChosenMaterials& chosen, long long code);
bool IsMaterialChosen(long long code);  // the shared chosen materials

// The rows of a material's sheet table CHP<code>.TAB (sheets true: split at
// blanks, mark code quantity width height) or offcut table RET<code>.TAB
// (split at ",": code, mark "+", quantity, width, height), at most the first
// 1099 lines, every line a row. Empty when the file is missing or unreadable.
// Fields after the 15th are not read.
std::vector<StockRow> LoadStockRows(const DataFolders& folders, bool sheets, long long materialCode);
std::vector<StockRow> LoadStockRows(bool sheets, long long materialCode);  // shared folders

// Message 656 + ":" + "dd/mm/yy" + two blanks + message 741 + ":" + "hh:mm:ss"
// of the clock's wall time.
std::string ReportDateLine(const platform::Clock& clock);
std::string ReportDateLine();  // the shared clock

// The lines of the order list report for `list` as it stands.
std::vector<std::string> OrderListReportLines(const OrderList& list);

// Refreshes `list` when dirty and writes its report to LIST_PED.REL of the
// base folder; returns that path. Throws IoError when the file cannot be
// written (an old report is then left as it was).
Path WriteOrderListReport(const DataFolders& folders, OrderList& list);
Path WriteOrderListReport();  // the shared folders and order list

// The lines of the material list report for the materials of `table` that
// are in `chosen`; lengths shown with one decimal or, without
// `showDecimals` (SHOW_D), a trailing ".0" dropped. Material records are
// loaded from `folders` for the properties section. Throws as LoadMaterial.
std::vector<std::string> MaterialListReportLines(const DataFolders& folders,
                                                 const MaterialTable& table,
                                                 const ChosenMaterials& chosen,
                                                 const MaterialListOptions& options,
                                                 const platform::Clock& clock, bool showDecimals);

// Loads `table` with its sheet totals from `folders`, then writes the report
// to LIST_MAT.REL of the base folder; returns that path. Throws as
// LoadMaterialTable, and IoError when the file cannot be written.
Path WriteMaterialListReport(const DataFolders& folders, MaterialTable& table,
                             const ChosenMaterials& chosen, const MaterialListOptions& options,
                             const platform::Clock& clock, bool showDecimals);
// The same with the shared folders, material table, chosen materials, clock
// and SHOW_D; the current material code and record are as they were before.
Path WriteMaterialListReport(const std::string& title, bool withTitle, bool withDate,
                             bool materialTable, bool sheets, bool offcuts, bool properties);

// Writes the report, then starts ostrel with it. Returns whether ostrel was
// started (when it cannot be, StartReportViewer has said so); a report that
// cannot be written throws IoError and starts nothing.
bool ShowOrderListReport();
bool ShowMaterialListReport(const std::string& title, bool withTitle, bool withDate,
                            bool materialTable, bool sheets, bool offcuts, bool properties);

}  // namespace vor
