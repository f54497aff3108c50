#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "vorplan/common/bounded_array.h"

namespace vor {

// ---- Tilde records -----------------------------------------------------------
// List items that show a record join its fields with "~"; the first field is
// the record number.

constexpr long kTildeFieldCount = 15;

struct TildeFields {
    BoundedArray<std::string, kTildeFieldCount> fields;
    long count = 0;  // number of the last field started, at least 1 after a split
};

// Splits `text` at every "~" into fields 1.., clearing all fifteen first; an
// empty text or one without "~" gives one field. From the 15th field on the
// rest of the text, "~" included, stays in field 15, since a description a
// user typed may hold "~". Never throws.
void SplitTilde(std::string_view text, TildeFields& out);
TildeFields SplitTilde(std::string_view text);

// The column set of the owner-drawn record lists: titles and x positions in
// pixels, numbered 1 to 6.
constexpr long kColumnSlots = 6;

struct ColumnSet {
    int count = 0;
    BoundedArray<std::string, kColumnSlots> titles;
    BoundedArray<int, kColumnSlots> x;
};

// The material list columns: titles "   " + message 32 + "   ", message 33 +
// 56 blanks, message 211 and an empty fourth, count 3 (titles 5 and 6 are
// left as they are); then the positions for `xWidth`, the pixel width of "x"
// in the list's font.
void SetupMaterialListColumns(ColumnSet& columns, int xWidth);

// x(1) = 1 and x(i) = x(i - 1) + characters of title i - 1 times xWidth + 10.
void ComputeColumnPositions(ColumnSet& columns, int xWidth);

// ---- The list and combo boxes the helpers work on --------------------------
// A list box or combo box seen through its items (indexes from 0), so the
// helpers run without widgets; the windows pass adapters over their Qt lists.

class ListControl {
public:
    virtual ~ListControl() = default;
    virtual int Count() const = 0;
    virtual std::string Text(int index) const = 0;
    virtual bool IsSelected(int index) const = 0;
    virtual void Clear() = 0;
    virtual void Add(const std::string& text) = 0;
    virtual void Remove(int index) = 0;
};

// A combo box: one current item (-1 for none) and the text in its edit field.
class ComboControl : public ListControl {
public:
    virtual int CurrentIndex() const = 0;
    virtual std::string EditText() const = 0;
    bool IsSelected(int index) const override { return index >= 0 && index == CurrentIndex(); }
};

// ---- Shared list data --------------------------------------------------------

constexpr long kChosenMaterialSlots = 9000;

struct ChosenMaterials {
    BoundedArray<long long, kChosenMaterialSlots> codes;
    long count = 0;
};

// The list data the whole run shares.
struct SharedListData {
    TildeFields tilde;
    ColumnSet columns;
    ChosenMaterials chosen;
};

extern SharedListData gListData;

// ---- Selections ----------------------------------------------------------------

// Empties `chosen`, then appends the first tilde field, read as an integer, of
// every selected item in item order. More than 9000 selected items throw
// RangeError, with the first 9000 kept.
void TakeChosenMaterials(const ListControl& list, ChosenMaterials& chosen);
void TakeChosenMaterials(const ListControl& list);  // into gListData.chosen

// The first tilde field, as an integer, of the first selected item; 0 when no
// item is selected.
long long SelectedRecordNumber(const ListControl& list);
// Makes that number the current material code and returns it.
long long SelectMaterialFromList(const ListControl& list);

// ---- Stock lists -----------------------------------------------------------------

// One row of a material's sheet or offcut table; lengths in millimetres.
struct StockRow {
    int mark = 0;  // 1: the row takes part and is shown
    long long code = 0;
    long long quantity = 0;
    double width = 0;
    double height = 0;
};

// Reads the sheet rows (sheets true) or offcut rows of a material.
using StockRowLoader = std::function<std::vector<StockRow>(bool sheets, long long materialCode)>;

// The items a stock list shows for `rows`: with rows, `heading` + ":", an empty
// item, "quantity  width x height " for every marked row, an empty item, then
// message 474 + " " + the total quantity and message 486 + ": " + the total
// area in m2 with four decimals + " m2", both over the marked rows; without
// rows only `emptyText`.
std::vector<std::string> StockListItems(const std::vector<StockRow>& rows,
                                        const std::string& heading, const std::string& emptyText);

// Fills the sheet list (message 98, or message 900 without rows) and the
// offcut list (message 99, or 901) of `materialCode` from `load`.
void FillListFromTable(ListControl& sheetList, ListControl& offcutList, long long materialCode,
                       const StockRowLoader& load);

// ---- List files ----------------------------------------------------------------

// The lines of a list file that a list shows: every line of at least 2
// characters that differs from the file line before it. nullopt when the file
// cannot be read.
std::optional<std::vector<std::string>> ReadListFileItems(const std::filesystem::path& path);

// Replaces the items with the file's list lines; when the file cannot be
// read nothing changes.
void LoadListFile(ListControl& list, const std::filesystem::path& path);
// The same; an unreadable file shows "Não achei " + the path in double quotes.
void LoadListFileWithMessage(ListControl& list, const std::filesystem::path& path);

// Writes the combo box's edit text, then its items up to the first empty one,
// as the lines of the file. Throws IoError when the file cannot be written.
void SaveListFile(const ComboControl& combo, const std::filesystem::path& path);

// Asks "Apagar o registro " + the current item in double quotes with Yes and
// No, and deletes the item on Yes; returns whether it was deleted. Without a
// current item nothing is asked.
bool DeleteSelectedListRecord(ComboControl& combo);

// The one-line text input: shown with a text and a width in pixels; the text
// confirmed, or nullopt when cancelled.
using TextInputDialog = std::function<std::optional<std::string>(const std::string& text, int width)>;

// Opens `dialog` with `text`; on confirmation `text` takes the dialog's text.
// Returns whether it was confirmed.
bool EditTextInDialog(std::string& text, int width, const TextInputDialog& dialog);

// ---- Messages ------------------------------------------------------------------

// Shows message 207.
void ShowSelectMaterialMessage();

// The text shown for a material that cannot be edited: for codes 50000 to
// 98999 messages 854, 855, 856 and 859, from 99000 on 857, 858, 856 and 859;
// empty below 50000.
std::string MaterialNotEditableText(long long code);
// True for codes below 50000; otherwise shows MaterialNotEditableText.
bool CheckMaterialCodeEditable(long long code);
bool CheckMaterialCodeEditable();  // the current material code

// Message 11 + " " + first + " " + message 944 + " !" + CR CR + message 33 +
// ": " + second.
std::string FieldMessageText(const std::string& first, const std::string& second);
void ShowFieldMessage(const std::string& first, const std::string& second);

// Message 799 + " [" + path + "] " + message 800.
std::string ProgramMissingText(const std::string& path);
void ShowProgramMissingMessage(const std::string& path);

const std::string& GetGlobalText1();  // message 142
const std::string& GetGlobalText2();  // message 143

// Replaces every `from` in `text` by `to`.
void ModifyTextInPlace(std::string& text, char from, char to);
// `text` with every blank replaced by "_".
std::string ReplaceBlanks(std::string text);

}  // namespace vor
