#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "vorplan/common/data_folders.h"

namespace vor {

// An optional sign, digits and at most one decimal mark ("." or ","), whose
// value a double holds; no exponent, no blanks.
bool IsRealText(std::string_view s);

// A description as one field of a table line: ";", TAB and line breaks become
// blanks, then every blank "_"; `whenEmpty` when the text is then empty or
// one blank.
std::string DescriptionFieldText(std::string text, std::string_view whenEmpty);

enum class NumberKind { Integer, Real };

// A numeric cell as the grid and the file keep it: blanks removed, "0" when
// empty, the text itself when it is a number of its kind, else the value
// every reader would take from it (reals through FormatRealText).
std::string NumberCell(std::string text, NumberKind kind, bool showDecimals);

// The two blank-separated tables: an order's pieces (PED<n>.TAB, or
// TMP/PED<n>.INQ when the order tables are not internal) and a material's
// stock sheets (CHP<n>.TAB). The numbers are the table editor's kinds.
enum class TableKind { Pieces = 1, Sheets = 2 };

// One piece row as the grid holds it. Cells are texts, so a mark "?", a code
// "007" or a width "500,5" come back from the file as they went in.
struct PieceRow {
    std::string mark;         // " ", "+" or "?"
    std::string code;
    std::string quantity;
    std::string width;        // real
    std::string height;       // real
    std::string material;
    std::string description;  // with blanks; the file holds "_"
    std::string orderNumber;  // field 8 as read, empty when the line has none; never written back
    bool operator==(const PieceRow&) const = default;
};

// One stock sheet row as the grid holds it.
struct SheetRow {
    std::string mark;
    std::string code;
    std::string quantity;
    std::string width;
    std::string height;
    std::string description;
    std::string filler;  // field 7 as read, empty when the line has none; never written back
    bool operator==(const SheetRow&) const = default;
};

// The fields of one piece line as numbers, for the loaders, the merge and the
// layout files. Every writer's variant reads alike: missing fields are 0 or
// empty, fields after the 15th are ignored. Cut the line at ";" first where
// the reader must (the optimiser's loader does).
struct PieceLineFields {
    int mark = 0;
    int code = 0;
    int quantity = 0;
    double width = 0.0;   // "," read as the point
    double height = 0.0;
    int widthWhole = 0;   // the same fields read as integers ("500,5" -> 500)
    int heightWhole = 0;
    int material = 0;
    std::string description;  // as stored, "_" kept
    int orderNumber = 0;      // field 8; 0 when missing or not a number (the clipboard import's "ABC")
    long fieldCount = 0;
};

struct SheetLineFields {
    int mark = 0;
    int code = 0;
    int quantity = 0;
    double width = 0.0;
    double height = 0.0;
    int widthWhole = 0;
    int heightWhole = 0;
    std::string description;  // as stored, "_" kept
    std::string filler;       // field 7 as stored
    long fieldCount = 0;
};

// Splits one table line at blanks into its numeric and text fields; never throws.
PieceLineFields ParsePieceLine(std::string_view line);
SheetLineFields ParseSheetLine(std::string_view line);

// The grid cells of one line: the mark as its sign, numeric cells as stored
// when they are numbers (else the value read, reals through FormatRealText
// with `showDecimals`, missing ones 0), the description with "_" as blanks.
PieceRow PieceRowFromLine(std::string_view line, bool showDecimals);
SheetRow SheetRowFromLine(std::string_view line, bool showDecimals);

// The file line of one row, or nullopt when the row is not stored (blank
// quantity or width; for pieces also a code of exactly one blank). An empty
// numeric cell is written "0"; a description holding ";", TAB or a line
// break has a blank in their place.
std::optional<std::string> PieceLineFromRow(const PieceRow& row, long long orderNumber,
                                            bool showDecimals);
std::optional<std::string> SheetLineFromRow(const SheetRow& row, bool showDecimals);

// A sheet line rewritten from its fields without padding, one blank between
// fields: mark, code, quantity, width and height (decimal text without
// trailing zeros), description, filler. An empty description is written
// "---" and a missing filler "ABCDEFG12345", so no field shifts at the next
// reading.
std::string UnpaddedSheetLine(const SheetLineFields& fields);

// Written alone when no row of a table is stored, so the file is never empty;
// unmarked, so no calculation takes it as a piece or a sheet.
inline constexpr std::string_view kEmptyTableLine = "0 1 1 0 0 0";

// Every stored row's line in order, or kEmptyTableLine alone.
std::vector<std::string> PieceTableLines(const std::vector<PieceRow>& rows, long long orderNumber,
                                         bool showDecimals);
std::vector<std::string> SheetTableLines(const std::vector<SheetRow>& rows, bool showDecimals);

// One row per line of the file, however many lines it holds; nullopt when the
// file is missing or cannot be read.
std::optional<std::vector<PieceRow>> ReadPieceTable(const Path& path, bool showDecimals);
std::optional<std::vector<PieceRow>> ReadPieceTable(const Path& path);  // the settings' SHOW_D
std::optional<std::vector<SheetRow>> ReadSheetTable(const Path& path, bool showDecimals);
std::optional<std::vector<SheetRow>> ReadSheetTable(const Path& path);

// Rewrites the whole file atomically (Windows-1252, CR LF); throws IoError and
// leaves the old file untouched when it cannot.
void WritePieceTable(const Path& path, const std::vector<PieceRow>& rows, long long orderNumber,
                     bool showDecimals);
void WritePieceTable(const Path& path, const std::vector<PieceRow>& rows, long long orderNumber);
void WriteSheetTable(const Path& path, const std::vector<SheetRow>& rows, bool showDecimals);
void WriteSheetTable(const Path& path, const std::vector<SheetRow>& rows);

// The file of a table: for pieces the order's table (`internal` false puts it
// under TMP as .INQ), for sheets the material's; `internal` is ignored there.
Path TableFile(TableKind kind, const DataFolders& folders, long long number, bool internal);
// The same for the current order or material, INTERNO read from VL_.INI now.
Path TableFile(TableKind kind);

}  // namespace vor
