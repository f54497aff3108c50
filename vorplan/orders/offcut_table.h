#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "vorplan/common/data_folders.h"

namespace vor {

// ---- The file RET<n>.TAB ---------------------------------------------------
// One offcut a line, every field followed by ",": row number, mark ("+" or
// " "), quantity, width, height, description. Rows are kept as the texts of
// their cells, so marks, blanks and decimal commas survive a round trip.

constexpr int kOffcutColumnCount = 6;
constexpr int kOffcutNumberColumn = 0;
constexpr int kOffcutMarkColumn = 1;
constexpr int kOffcutQuantityColumn = 2;
constexpr int kOffcutWidthColumn = 3;
constexpr int kOffcutHeightColumn = 4;
constexpr int kOffcutDescriptionColumn = 5;

// Grid rows, the heading included, that adding rows can reach. A longer file
// still loads and saves whole.
constexpr long kOffcutGridMaxRows = 900;

using OffcutRow = std::array<std::string, kOffcutColumnCount>;

// The pieces of `line` before each comma, in order, at most 15; empty pieces
// are kept and nothing is trimmed. The text after the last comma is dropped.
std::vector<std::string> SplitOffcutFields(std::string_view line);

// The cells of one line: fields 1 to 6 in columns 0 to 5, a missing field
// empty, fields after the sixth ignored.
OffcutRow ReadOffcutLine(std::string_view line);

// The line of one row: every cell followed by ",". A cell never carries what
// would end its field or its line: line breaks become blanks in every cell;
// in the description a comma, ";" or TAB becomes a blank, in the other cells a
// comma becomes the decimal point.
std::string OffcutLineText(const OffcutRow& row);

// Every line of the file as rows; nullopt when the file cannot be read.
std::optional<std::vector<OffcutRow>> ReadOffcutTable(const std::filesystem::path& path);

// The lines of `rows` as the file holds them, numbered 1, 2, 3 ... in column 0.
std::vector<std::string> OffcutTableLines(std::vector<OffcutRow> rows);

// Replaces the file with `rows`, every one written, numbered 1, 2, 3 ... in
// column 0 as they are written; throws IoError and leaves the old file as it
// was when it cannot.
void WriteOffcutTable(const std::filesystem::path& path, std::vector<OffcutRow> rows);

// The rows the editor saves: those whose quantity is not empty or blanks only.
// An empty mark is saved " ", as the grid shows it.
std::vector<OffcutRow> OffcutRowsToSave(const std::vector<OffcutRow>& rows);

// A row the editor would save with a width or height that is not a number
// above 0: its grid row (1 for the first data row) and the column.
struct OffcutSizeProblem {
    long row = 0;
    int column = kOffcutWidthColumn;
    bool operator==(const OffcutSizeProblem&) const = default;
};

// The first such row of `rows`, or nullopt when every row can be saved.
std::optional<OffcutSizeProblem> FindOffcutSizeProblem(const std::vector<OffcutRow>& rows);

// Why saving refuses: message 443 (width) or 442 (height), " (", message 586,
// " ", the row, ")".
std::string OffcutSizeProblemText(const OffcutSizeProblem& problem);

// ---- Hand-over from the stock update ---------------------------------------

// base/ret.temp: the new offcuts of a stock update, in the table's format.
std::filesystem::path OffcutHandOverFile(const DataFolders& folders);

// Puts the lines of `handOver` at the top of the offcut table `table`, each
// file read only when it exists; the table is created when missing. No line
// is dropped or cut, and column 0 is renumbered 1, 2, 3 ... so that every
// offcut keeps a code of its own. A file that exists but cannot be read, or a
// failed write, throws IoError and leaves the table as it was.
void PutOffcutLinesOnTop(const std::filesystem::path& handOver, const std::filesystem::path& table);

// The merge itself: the lines of `handOver` followed by those of `table`, the
// first field of each renumbered 1, 2, 3 ...
std::vector<std::string> OffcutLinesOnTop(std::vector<std::string> handOver,
                                          std::vector<std::string> table);

// ---- Rules of the editor ---------------------------------------------------

// A typed width or height as the grid shows it: read with a decimal comma or
// point (0 when no number), formatted by FormatRealText.
std::string NormaliseOffcutDimension(std::string_view text, bool showDecimals);

// A typed mark: " " when it holds a blank, "+" otherwise (also when empty).
std::string NormaliseOffcutMark(std::string_view text);

// True when typing `text` into a description must be refused: it would end
// the field.
bool OffcutDescriptionRefuses(std::string_view text);

// Pasted text as a description keeps it: every comma, ";", TAB and line break
// becomes a blank.
std::string OffcutDescriptionFromPaste(std::string text);

// The editor's grid over the rows of one table. Rows are numbered as the grid
// shows them: 0 is the heading, data rows 1 to RowCount() - 1.
class OffcutGrid {
public:
    // Where Enter leaves the cursor.
    struct Cursor {
        long row = 1;
        int column = 1;
        bool rowAdded = false;
    };

    // One empty row, as a table without a file opens.
    OffcutGrid();

    // Grid rows with the heading, so at least 2.
    long RowCount() const { return static_cast<long>(m_rows.size()) + 1; }
    long DataRowCount() const { return static_cast<long>(m_rows.size()); }
    const std::vector<OffcutRow>& Rows() const { return m_rows; }
    // A data row's cell; throws RangeError outside the grid.
    const std::string& Cell(long row, int column) const;
    void SetCell(long row, int column, std::string text);

    // Fills the grid from the rows of a file, or nullptr when there is none:
    // widths and heights normalised, rows numbered 1, 2, 3 ... No row limit.
    void Load(const std::vector<OffcutRow>* fileRows, bool showDecimals);

    // "+": a blank row (" " in every cell) after `row`; rows renumbered.
    // Nothing at kOffcutGridMaxRows grid rows; returns whether a row was added.
    bool InsertRowAfter(long row);
    // "-": removes a data row while at least two are left; returns whether it did.
    bool DeleteRow(long row);
    // Ctrl+"-" and "Apaga": one empty row.
    void Clear();
    // A click on a mark: "+" when it holds none, else " ".
    void ToggleMark(long row);

    // Enter in a cell: the cell normalised (widths and heights, marks), then
    // one column right; from the last column to column 1 of the next row, a
    // row with the mark "+" added first on the last row while there is room.
    Cursor Enter(long row, int column, bool showDecimals);

    // The rows as saved: with a quantity, numbered in the order written.
    std::vector<OffcutRow> RowsToSave() const { return OffcutRowsToSave(m_rows); }

private:
    void Renumber();
    void CheckCell(long row, int column) const;

    std::vector<OffcutRow> m_rows;
};

}  // namespace vor
