#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "vorplan/common/atomic_file.h"
#include "vorplan/common/data_folders.h"
#include "vorplan/common/file_set.h"

namespace vor {

// Taking what a calculation's layouts consume out of a material's stock: the
// sheet table (CHP) and the offcut table (RET) are lowered, and the offcuts
// the layouts leave are put on top of the offcut table. Every change of one
// update is planned first and then written through one file set, so the
// preview can never write and an update is all or nothing.

// The entries each working list takes; one more shows the list's message.
constexpr long kUsedSheetRoom = 1998;
constexpr long kUsedOffcutRoom = 1998;
constexpr long kNewOffcutRoom = 5998;

// Layout files 1 up to this number are read.
constexpr long long kLastStockLayoutNumber = 998;

// The check boxes of the window, kept in VL_STOCK.INI [STOCK].
struct StockUpdateOptions {
    bool updateSheets = false;       // ATUALIZA_CHP
    bool registerOffcuts = false;    // CADASTRA_RETA
    bool updateUsedOffcuts = false;  // CADASTRA_RETA_USADO
    bool groupNewOffcuts = true;     // AGRUPA_NEW_RET
    bool dropZeroOffcuts = true;     // APAGA_RET_QT_ZERO
    bool operator==(const StockUpdateOptions&) const = default;
};

// The options from VL_STOCK.INI in the settings folder, defaults for what is missing.
StockUpdateOptions ReadStockUpdateOptions();
// Writes the five keys; throws IoError (the file then as it was) when it cannot.
void WriteStockUpdateOptions(const StockUpdateOptions& options);

// One entry of a working list. Sizes are the layout files' tenths.
struct UsedStockEntry {
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::int64_t code = 0;  // sheet code; offcut code without its sign; 0 for a new offcut
    long long count = 0;
    bool operator==(const UsedStockEntry&) const = default;
};

// What one material's layouts use and leave.
struct UsedStock {
    std::vector<UsedStockEntry> sheets;      // by code, in the order first met
    std::vector<UsedStockEntry> offcuts;     // by code, likewise
    std::vector<UsedStockEntry> newOffcuts;  // the layouts' leftovers typed 2
    long long layoutFiles = 0;
    // Layout files still in the optimiser's own form: never shown by the
    // viewer, so their leftovers are not typed yet and register nothing.
    std::vector<Path> untypedLayouts;
    // Why the material cannot be updated: a list past its room ("Erro
    // MAX_CHP" ...), a layout file read in part or not at all.
    std::vector<std::string> problems;
};

// Reads the layout files 1, 2 ... of `material` until one is missing (at most
// kLastStockLayoutNumber) and fills the three lists: each sheet line counts
// its X + 1 sheets, a positive or zero code as a sheet and a negative one as
// the offcut of that code; each line typed 2 is a new offcut counted with the
// X + 1 of its sheet, joined to one of the same size either way round when
// `groupNewOffcuts`. Never throws.
UsedStock CollectUsedStock(const DataFolders& folders, long long material, bool groupNewOffcuts);

// The lists as the report shows them: three headed tables, sizes in millimetres.
std::vector<std::string> UsedStockReport(const UsedStock& used);

// The description of a changed row: an earlier note cut off with the
// character before its "**", then separator + "**" + ("!" when the stock ran
// short) + separator + old + ">" + new.
std::string StockNoteDescription(const std::string& description, char separator, bool shortfall,
                                 long long oldQuantity, long long newQuantity);

struct StockUpdateRequest {
    DataFolders folders;
    std::vector<std::string> materials;  // the chosen list items, the code before the first blank
    StockUpdateOptions options;
    platform::LocalTime now;
};

struct StockUpdatePlan {
    std::vector<std::string> report;
    std::vector<std::string> messages;  // for message boxes, each once
    bool refused = false;               // a chosen material cannot be updated
    std::vector<FileSetEntry> writes;   // the new contents; empty for a preview or a refusal
    std::vector<std::string> reportWithoutUpdates;  // the report if nothing gets written
};

// Computes the update of the chosen materials; reads only. With `apply` the
// plan holds the files to write and the report says what they change; a
// refusal of any material leaves `writes` empty and reports why.
StockUpdatePlan PlanStockUpdate(const StockUpdateRequest& request, bool apply);

struct StockUpdateResult {
    std::vector<std::string> report;
    std::vector<std::string> messages;
    bool refused = false;
    bool applied = false;  // the update was asked for and every file of it is written
};

// The preview (`apply` false, nothing written) or the update: the plan's
// files replaced together through the installation's file set. A failed write
// leaves every file as it was, reports it and shows its message.
StockUpdateResult RunStockUpdate(const StockUpdateRequest& request, bool apply,
                                 FileOps& ops = DefaultFileOps());

}  // namespace vor
