#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "vorplan/common/bounded_array.h"
#include "vorplan/common/data_folders.h"

namespace platform {
class Clock;
}

namespace vor {

// The orders of an installation are the piece tables PED/PEDnnnnn.TAB, each
// with its description file PED/DSCnnnnn.INI. Each routine has a form taking
// the folders and the list, and one using the shared globals.

constexpr long kOrderListSlots = 2000;
constexpr std::size_t kOrderDescriptionLength = 50;
constexpr std::size_t kOrderDateLength = 8;
// The highest number a user may give a project; the numbers above it, up to
// kLargestOrderNumber, are kept for projects the system numbers itself.
constexpr long long kLargestUserProjectNumber = 30000;
// File names hold five digits: a larger number would name another order's files.
constexpr long long kLargestOrderNumber = 99999;

struct OrderRecord {
    int number = 0;
    std::string description;  // list text: description, "~" and the pieces total
    long long lines = 0;
    long long pieces = 0;     // sum of the quantities; wide, so no table overflows it
    double area = 0.0;        // sum of quantity x width x height, table units squared
    double spare = 0.0;       // always 0
    std::string date;         // modification date of the table, "dd/mm/yy"
    bool pcb = false;         // PCI
    int status = 0;           // STATUS
    std::string materials;    // "_" + code for each distinct material ("_12_7")
};

// The shared order list, sorted by number after each refresh, and what the
// last table totalled and the last description read leave behind.
struct OrderList {
    BoundedArray<OrderRecord, kOrderListSlots> records;
    long count = 0;
    // Set by whoever creates, deletes, imports or changes orders; the next
    // refresh rebuilds the list and clears it.
    bool dirty = true;
    std::vector<int> lastTableMaterials;  // distinct codes of the last table totalled
    bool lastProjectPcb = false;          // PCI of the last description read
    std::string lastProjectField10;       // CAMPO10 of the last description read
};

// ---- One order's files ----------------------------------------------------------

struct TableTotals {
    long long lines = 0;
    long long pieces = 0;
    double area = 0.0;
    double spare = 0.0;
    std::string materials;           // "_12_7"
    std::vector<int> materialCodes;  // distinct, in order of first appearance
};

// Totals one piece table: every line counts, field 3 adds to the pieces,
// field 3 x 4 x 5 to the area, field 6 is a material code. Any number of
// materials. A missing file shows "file " + path + "not found !!!" and gives
// empty totals.
TableTotals TotalListFile(const Path& path);
// The same, leaving the table's material codes in the shared order list.
TableTotals TotalListFile(const Path& path, OrderList& list);

struct ProjectIniValues {
    std::string description;  // CAMPO1, "???" when missing, "!!!" when there is no file
    int status = 0;           // STATUS
    bool pcb = false;         // PCI
    std::string field10;      // CAMPO10
};

// The keys of DSCnnnnn.INI the order list needs, also left in `list` (PCI and
// CAMPO10). A missing file shows "Erro INI 1: projeto " + number + "  Arquivo ["
// + path + "] não localizado" and gives description "!!!" and status 0.
ProjectIniValues ReadProjectIni(const DataFolders& folders, long long order, OrderList& list);
ProjectIniValues ReadProjectIni(long long order);

// The description ReadProjectIni gives.
std::string GetProjectDescription(const DataFolders& folders, long long order, OrderList& list);
std::string GetProjectDescription(long long order);

// CAMPO1 of section PED of a description file ("???" when missing). A missing
// file shows "Erro INI 25: Arquivo [" + path + "] não localizado" and gives "???".
std::string ReadProjectField1(const Path& path);

// Creates or overwrites a new project's description file with exactly seven
// lines: [PED], CRIACAO and ULT_MODIF (the clock's DateTimeText), STATUS=0,
// PCI=0, CAMPO1=description, CAMPO2=---. Atomic; a file that cannot be
// written is left as it was, without a message: false then.
bool WriteNewProjectIni(const Path& path, std::string_view description, const platform::Clock& clock);
// The seven lines WriteNewProjectIni writes.
std::vector<std::string> NewProjectIniLines(std::string_view description, const platform::Clock& clock);
bool WriteNewProjectIni(const Path& path, std::string_view description);  // the shared clock

// Messages 808 to 811 for status 0 to 3, otherwise "error".
std::string StatusText(int status);

// Deletes an order's table (PED .TAB, or TMP .INQ when the tables are not
// internal), its side file (PED .TXT, only for numbers up to 9999 since that
// name keeps four digits; INP .INF when not internal) and its description
// file, without messages. Refuses a number outside 0..99999, whose file names
// would be another order's: false then, nothing deleted.
bool DeleteOrderFiles(const DataFolders& folders, long long order, bool internal);
// The same with the shared current order set to `order` for the call, and
// INTERNO read from VL_.INI now.
bool DeleteOrderFiles(long long order);

// ---- The list ---------------------------------------------------------------

// Empties the list and fills it from every PED/PEDnnnnn.TAB (a name of other
// form is skipped), in name order: number, date, totals, then description,
// status and PCB flag from the description file. A table without lines is
// left out. When more than 2000 orders would be kept, the list holds the
// first 2000 and message 598 is shown.
void ScanOrderFiles(const DataFolders& folders, OrderList& list);
void ScanOrderFiles();  // shared folders and list, the busy flag set meanwhile

// Sorts the list ascending by number, keeping the order of equal numbers.
void SortOrderList(OrderList& list);

// When the list is dirty: scans, sorts and clears the flag; else nothing.
void RefreshOrderListIfDirty(const DataFolders& folders, OrderList& list);
void RefreshOrderListIfDirty();

// True when the refreshed list holds `number`, or when the order's table or
// description file exists (an empty order is not in the list).
bool OrderNumberExists(const DataFolders& folders, OrderList& list, long long number);
bool OrderNumberExists(long long number);

// The number for a new project after a refresh. `firstGap` (TIPO_N_PROJETO_NOVO)
// gives the smallest free number from 0; otherwise the largest number of the
// list plus 1 (0 for an empty list). Never a number whose table or
// description file exists; when no number above the largest is free, the
// first gap. Throws RangeError when every number 0..99999 is taken.
long long ProposeProjectNumber(const DataFolders& folders, OrderList& list, bool firstGap);
long long ProposeProjectNumber();  // shared, by the settings' TIPO_N_PROJETO_NOVO

// "PRJ " + number.
std::string BuildProjectCaption(long long number);

// The texts of the number and caption fields of a new project: the proposed
// number and its caption.
void SetProjectCaption(std::string& numberText, std::string& captionText);

// The message for a project number outside 0..30000, from messages 785, 205,
// 189 and 340, lines broken with CR.
std::string ProjectNumberRangeText();

// The typed number of a new project, checked in this order: text that is not
// an optionally signed integer once its blanks are removed shows the range
// message; a number in use (OrderNumberExists) shows message 767 + " (" +
// number + ")"; a number outside 0..30000 shows the range message. Each gives
// empty text; a good number gives the typed text unchanged.
std::string CheckProjectNumberInput(const DataFolders& folders, OrderList& list,
                                    std::string_view typed);
std::string CheckProjectNumberInput(std::string_view typed);

}  // namespace vor
