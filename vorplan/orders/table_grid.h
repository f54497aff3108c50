#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "vorplan/orders/table_files.h"

namespace vor {

// The table editor's grid: grid row 0 is the heading, data rows 1 to
// DataRowCount(); column 0 holds the mark. Cells are kept as texts.
constexpr long kTableGridMaxRows = 1100;  // the heading included
constexpr long kTableGridDataRows = kTableGridMaxRows - 1;
constexpr int kTableGridMaxColumns = 7;
constexpr int kMarkColumn = 0;
constexpr int kCodeColumn = 1;
constexpr int kQuantityColumn = 2;
constexpr int kWidthColumn = 3;
constexpr int kHeightColumn = 4;
constexpr int kPieceMaterialColumn = 5;
constexpr int kPieceDescriptionColumn = 6;
constexpr int kSheetDescriptionColumn = 5;
// Sheets of materials from this code on keep their sizes.
constexpr long long kFixedSizeMaterial = 40000;

using TableGridRow = std::array<std::string, kTableGridMaxColumns>;

// What the grid's rules read from the window's settings.
struct TableGridOptions {
    bool autoCodes = true;      // COD_AUTO: column 1 numbered by the program
    bool repeatBlank = true;    // RepCampo: Enter on one blank repeats the cell above
    bool expressCopy = false;   // COPIA_EXPRESSA
    bool showDecimals = true;   // SHOW_D, for normalised reals
    long long material = 0;     // the sheet table's material (kind 2)
};

class TableGrid {
public:
    struct Cursor {
        long row = 1;
        int column = 1;
    };

    // Where a selection may land: `column` is the cell's column after the
    // rules; `refused` when the cell cannot be selected at all (automatic
    // codes), `fixedSizes` when the sizes of a fixed-size material were asked.
    struct Selection {
        int column = 1;
        bool refused = false;
        bool fixedSizes = false;
    };

    explicit TableGrid(TableKind kind = TableKind::Pieces);

    TableKind Kind() const { return m_kind; }
    int ColumnCount() const { return m_kind == TableKind::Pieces ? 7 : 6; }
    int DescriptionColumn() const
    {
        return m_kind == TableKind::Pieces ? kPieceDescriptionColumn : kSheetDescriptionColumn;
    }
    bool IsRealColumn(int column) const { return column == kWidthColumn || column == kHeightColumn; }
    bool IsTextColumn(int column) const { return column == DescriptionColumn(); }

    const TableGridOptions& Options() const { return m_options; }
    void SetOptions(const TableGridOptions& options) { m_options = options; }

    // Grid rows with the heading, so at least 2.
    long RowCount() const { return DataRowCount() + 1; }
    long DataRowCount() const { return static_cast<long>(m_rows.size()); }
    // A data row's cell; throws RangeError outside the grid.
    const std::string& Cell(long row, int column) const;
    // Sets a cell; a change sets the modified flag.
    void SetCell(long row, int column, std::string text);

    bool Modified() const { return m_modified; }
    void SetModified(bool modified) { m_modified = modified; }

    // Fills the grid from a file's rows, nullptr when there is no file: at
    // most 1099 rows shown, an empty or placeholder-only table as one empty
    // row; codes renumbered with automatic codes; not modified afterwards.
    void LoadPieces(const std::vector<PieceRow>* rows);
    void LoadSheets(const std::vector<SheetRow>* rows);
    // Lines of the file read, which may be more than the grid shows.
    long FileRowCount() const { return m_fileRows; }
    // The file holds more rows than the grid: saving would cut it.
    bool FileTooLong() const { return m_fileRows > kTableGridDataRows; }

    std::vector<PieceRow> PieceRows() const;
    std::vector<SheetRow> SheetRows() const;

    // ---- Selection and mouse ------------------------------------------------
    Selection Select(int column) const;
    // Column 0 toggles the mark; with express copy an empty cell is filled
    // from the source, another cell becomes the source. Returns true when a
    // cell was filled (the window beeps).
    bool Press(long row, int column);
    const std::string& ExpressSource() const { return m_expressSource; }

    // ---- Enter ---------------------------------------------------------------
    // The cell normalised or repeated from above, then the next cell; a row
    // added past the last one while there is room.
    Cursor Enter(long row, int column);
    // The column Enter wraps to on the next row.
    int FirstEditableColumn() const { return m_options.autoCodes ? kQuantityColumn : kCodeColumn; }

    // ---- Rows ---------------------------------------------------------------
    // A new marked row of blanks below `row`; false at 1100 rows.
    bool InsertRow(long row);
    // A copy of `row` below it, its code plus one; false at 1100 rows.
    bool RepeatRow(long row);
    // Removes `row` while more than one data row is left.
    bool DeleteRow(long row);
    // "Apaga todas": one empty row, no range marks.
    void ClearAll();
    void MarkAll();
    void UnmarkAll();
    void InvertMarks();
    void ToggleMark(long row);
    // Column 1 numbered 1, 2, 3 ... when codes are automatic.
    void Renumber();

    // ---- Range marks ----------------------------------------------------------
    bool RangeMarked(long row) const;
    long RangeStart() const { return m_rangeStart; }
    long RangeEnd() const { return m_rangeEnd; }
    void MarkRangeStart(long row);
    void MarkRangeEnd(long row);
    void ClearRange();

    // ---- Many cells at once ----------------------------------------------------
    // Adds the typed value (comma accepted) to every non-blank cell of
    // `column`, only range-marked rows when `onlyRanged`.
    void AddToColumn(int column, std::string_view typed, bool onlyRanged);
    // Material cells equal to `from` become `to` (both read as integers).
    void ChangeMaterial(std::string_view from, std::string_view to, bool onlyRanged);
    // Widths and heights exchanged in every data row.
    void SwapWidthAndHeight();
    // By area, then by material, stable; codes renumbered 1, 2, 3 ...
    void Sort();

    // The row to name when codes are not strictly increasing (the row above
    // the last faulty one), nullopt when they are.
    std::optional<long> CodeOrderFault() const;

private:
    struct Row {
        TableGridRow cells;
        bool ranged = false;
    };

    void CheckRow(long row) const;
    void LoadRows(std::vector<TableGridRow> rows);
    static TableGridRow EmptyRow();
    static TableGridRow NewRow(int columns);
    std::string Normalised(int column, const std::string& text) const;
    // Keeps the range's ends on their rows when rows move.
    void RowInserted(long at);
    void RowDeleted(long at);

    TableKind m_kind;
    TableGridOptions m_options;
    std::vector<Row> m_rows;
    long m_fileRows = 0;
    bool m_modified = false;
    std::string m_expressSource;
    long m_rangeStart = -1;
    long m_rangeEnd = -1;
};

}  // namespace vor
