#include "vorplan/orders/table_grid.h"

#include <algorithm>
#include <utility>

#include "vorplan/common/conversions.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/real_helpers.h"

namespace vor {

namespace {

bool IsBlank(const std::string& text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; });
}

bool IsEmptyOrOneBlank(const std::string& text)
{
    return text.empty() || text == " ";
}

}  // namespace

TableGrid::TableGrid(TableKind kind) : m_kind(kind)
{
    m_rows.push_back(Row{EmptyRow()});
}

TableGridRow TableGrid::EmptyRow()
{
    return TableGridRow{};
}

TableGridRow TableGrid::NewRow(int columns)
{
    TableGridRow row{};
    for (int c = 0; c < columns; ++c)
        row[static_cast<std::size_t>(c)] = " ";
    row[kMarkColumn] = "+";
    return row;
}

void TableGrid::CheckRow(long row) const
{
    if (row < 1 || row > DataRowCount())
        throw RangeError("Table row out of range: " + std::to_string(row));
}

const std::string& TableGrid::Cell(long row, int column) const
{
    CheckRow(row);
    if (column < 0 || column >= ColumnCount())
        throw RangeError("Table column out of range: " + std::to_string(column));
    return m_rows[static_cast<std::size_t>(row - 1)].cells[static_cast<std::size_t>(column)];
}

void TableGrid::SetCell(long row, int column, std::string text)
{
    Cell(row, column);  // checks the cell
    std::string& cell =
        m_rows[static_cast<std::size_t>(row - 1)].cells[static_cast<std::size_t>(column)];
    if (cell == text)
        return;
    cell = std::move(text);
    m_modified = true;
}

// ---- Loading and saving ------------------------------------------------------

void TableGrid::LoadRows(std::vector<TableGridRow> rows)
{
    m_rows.clear();
    for (TableGridRow& cells : rows) {
        if (static_cast<long>(m_rows.size()) >= kTableGridDataRows)
            break;
        m_rows.push_back(Row{std::move(cells)});
    }
    if (m_rows.empty())
        m_rows.push_back(Row{EmptyRow()});
    m_expressSource.clear();
    m_rangeStart = m_rangeEnd = -1;
    Renumber();
    m_modified = false;
}

void TableGrid::LoadPieces(const std::vector<PieceRow>* rows)
{
    m_kind = TableKind::Pieces;
    std::vector<TableGridRow> cells;
    m_fileRows = rows ? static_cast<long>(rows->size()) : 0;
    // The line the writer puts in an empty table stands for no row at all.
    const bool placeholder =
        rows && rows->size() == 1 &&
        rows->front() == PieceRowFromLine(kEmptyTableLine, m_options.showDecimals);
    if (rows && !placeholder)
        for (const PieceRow& r : *rows)
            cells.push_back({r.mark, r.code, r.quantity, r.width, r.height, r.material,
                             r.description});
    LoadRows(std::move(cells));
}

void TableGrid::LoadSheets(const std::vector<SheetRow>* rows)
{
    m_kind = TableKind::Sheets;
    std::vector<TableGridRow> cells;
    m_fileRows = rows ? static_cast<long>(rows->size()) : 0;
    const bool placeholder =
        rows && rows->size() == 1 &&
        rows->front() == SheetRowFromLine(kEmptyTableLine, m_options.showDecimals);
    if (rows && !placeholder)
        for (const SheetRow& r : *rows)
            cells.push_back({r.mark, r.code, r.quantity, r.width, r.height, r.description, ""});
    LoadRows(std::move(cells));
}

std::vector<PieceRow> TableGrid::PieceRows() const
{
    std::vector<PieceRow> out;
    out.reserve(m_rows.size());
    for (const Row& row : m_rows) {
        const TableGridRow& c = row.cells;
        out.push_back(PieceRow{c[0], c[1], c[2], c[3], c[4], c[5], c[6], ""});
    }
    return out;
}

std::vector<SheetRow> TableGrid::SheetRows() const
{
    std::vector<SheetRow> out;
    out.reserve(m_rows.size());
    for (const Row& row : m_rows) {
        const TableGridRow& c = row.cells;
        out.push_back(SheetRow{c[0], c[1], c[2], c[3], c[4], c[5], ""});
    }
    return out;
}

// ---- Selection and mouse --------------------------------------------------------

TableGrid::Selection TableGrid::Select(int column) const
{
    Selection s;
    s.column = column;
    if (m_options.autoCodes && column <= kCodeColumn) {
        s.refused = true;
        s.column = kQuantityColumn;
        return s;
    }
    if (m_kind == TableKind::Sheets && m_options.material >= kFixedSizeMaterial &&
        column >= kWidthColumn) {
        s.fixedSizes = true;
        s.column = kQuantityColumn;
    }
    return s;
}

bool TableGrid::Press(long row, int column)
{
    CheckRow(row);
    if (column == kMarkColumn) {
        ToggleMark(row);
        return false;
    }
    if (column < 0 || column >= ColumnCount())
        return false;
    if (m_options.autoCodes && column == kCodeColumn)
        return false;
    const std::string& text = Cell(row, column);
    if (!IsEmptyOrOneBlank(text)) {
        m_expressSource = text;
        return false;
    }
    // Only a cell the user could have typed in is filled.
    if (!m_options.expressCopy || m_expressSource.empty() || Select(column).fixedSizes)
        return false;
    SetCell(row, column, m_expressSource);
    return true;
}

// ---- Enter ------------------------------------------------------------------------

std::string TableGrid::Normalised(int column, const std::string& text) const
{
    if (IsTextColumn(column))
        return text;
    if (IsRealColumn(column))
        return FormatRealText(StrToRealComma(text), m_options.showDecimals);
    return std::to_string(StrToIntDef0(text));
}

TableGrid::Cursor TableGrid::Enter(long row, int column)
{
    CheckRow(row);
    if (column == kMarkColumn) {
        const std::string& mark = Cell(row, kMarkColumn);
        SetCell(row, kMarkColumn, mark.find(' ') != std::string::npos ? " " : "+");
    } else if (column >= 1 && column < ColumnCount()) {
        std::string text = Cell(row, column);
        // The single blank is looked for before normalising, which would
        // turn it into "0".
        if (text == " " && m_options.repeatBlank && row >= 2) {
            text = Cell(row - 1, column);
            if (column == kCodeColumn)
                text = std::to_string(StrToIntDef0(text) + 1);
        } else if (row == 1 && column == kCodeColumn && IsBlank(text)) {
            text = "1";
        }
        SetCell(row, column, Normalised(column, text));
    }
    if (IsBlank(Cell(1, kCodeColumn)))
        SetCell(1, kCodeColumn, "1");

    // The last column Enter stops in: a fixed-size sheet's sizes are not
    // reachable, so Enter wraps from the quantity.
    int lastColumn = ColumnCount() - 1;
    if (Select(lastColumn).fixedSizes)
        lastColumn = kQuantityColumn;
    if (column < lastColumn)
        return Cursor{row, column + 1};
    if (row == DataRowCount() && !InsertRow(row))
        return Cursor{row, FirstEditableColumn()};
    return Cursor{row + 1, FirstEditableColumn()};
}

// ---- Rows -------------------------------------------------------------------------

void TableGrid::RowInserted(long at)
{
    if (m_rangeStart >= at)
        ++m_rangeStart;
    if (m_rangeEnd >= at)
        ++m_rangeEnd;
}

void TableGrid::RowDeleted(long at)
{
    const long last = DataRowCount();
    auto follow = [&](long& end) {
        if (end > at)
            --end;
        end = std::min(end, last);
    };
    follow(m_rangeStart);
    follow(m_rangeEnd);
}

bool TableGrid::InsertRow(long row)
{
    if (RowCount() >= kTableGridMaxRows)
        return false;
    const long at = std::clamp(row, 0L, DataRowCount()) + 1;  // the new row's number
    m_rows.insert(m_rows.begin() + (at - 1), Row{NewRow(ColumnCount())});
    RowInserted(at);
    m_modified = true;
    Renumber();
    return true;
}

bool TableGrid::RepeatRow(long row)
{
    CheckRow(row);
    if (RowCount() >= kTableGridMaxRows)
        return false;
    Row copy{m_rows[static_cast<std::size_t>(row - 1)].cells};
    copy.cells[kCodeColumn] = std::to_string(StrToIntDef0(copy.cells[kCodeColumn]) + 1);
    m_rows.insert(m_rows.begin() + row, std::move(copy));
    RowInserted(row + 1);
    m_modified = true;
    Renumber();
    return true;
}

bool TableGrid::DeleteRow(long row)
{
    if (DataRowCount() <= 1 || row < 1 || row > DataRowCount())
        return false;
    m_rows.erase(m_rows.begin() + (row - 1));
    RowDeleted(row);
    m_modified = true;
    Renumber();
    return true;
}

void TableGrid::ClearAll()
{
    m_rows.assign(1, Row{EmptyRow()});
    m_rangeStart = m_rangeEnd = -1;
    m_modified = true;
    Renumber();
}

void TableGrid::MarkAll()
{
    for (long r = 1; r <= DataRowCount(); ++r)
        SetCell(r, kMarkColumn, "+");
}

void TableGrid::UnmarkAll()
{
    for (long r = 1; r <= DataRowCount(); ++r)
        SetCell(r, kMarkColumn, " ");
}

void TableGrid::InvertMarks()
{
    for (long r = 1; r <= DataRowCount(); ++r)
        ToggleMark(r);
}

void TableGrid::ToggleMark(long row)
{
    SetCell(row, kMarkColumn, Cell(row, kMarkColumn) == "+" ? " " : "+");
}

void TableGrid::Renumber()
{
    if (!m_options.autoCodes)
        return;
    for (long r = 1; r <= DataRowCount(); ++r)
        m_rows[static_cast<std::size_t>(r - 1)].cells[kCodeColumn] = std::to_string(r);
}

// ---- Range marks --------------------------------------------------------------------

bool TableGrid::RangeMarked(long row) const
{
    return row >= 1 && row <= DataRowCount() && m_rows[static_cast<std::size_t>(row - 1)].ranged;
}

void TableGrid::MarkRangeStart(long row)
{
    CheckRow(row);
    m_rangeStart = m_rangeEnd = row;
    m_rows[static_cast<std::size_t>(row - 1)].ranged = true;
    m_modified = true;
}

void TableGrid::MarkRangeEnd(long row)
{
    CheckRow(row);
    // Without a start the range runs from the first row.
    if (m_rangeStart < 1)
        m_rangeStart = 1;
    m_rangeEnd = row;
    if (m_rangeEnd < m_rangeStart)
        std::swap(m_rangeStart, m_rangeEnd);
    for (long r = m_rangeStart; r <= m_rangeEnd; ++r)
        m_rows[static_cast<std::size_t>(r - 1)].ranged = true;
    m_modified = true;
}

void TableGrid::ClearRange()
{
    m_rangeStart = m_rangeEnd = -1;
    for (Row& row : m_rows)
        row.ranged = false;
    m_modified = true;
}

// ---- Many cells at once ---------------------------------------------------------------

void TableGrid::AddToColumn(int column, std::string_view typed, bool onlyRanged)
{
    if (!IsRealColumn(column))
        return;
    const double v = StrToRealComma(typed) * 10.0;
    for (long r = 1; r <= DataRowCount(); ++r) {
        if (onlyRanged && !RangeMarked(r))
            continue;
        const std::string& cell = Cell(r, column);
        // A blank size stays blank: the row is not stored, and must not become one.
        if (IsBlank(cell))
            continue;
        SetCell(r, column,
                FormatRealText((StrToRealComma(cell) * 10.0 + v) * 0.1, m_options.showDecimals));
    }
}

void TableGrid::ChangeMaterial(std::string_view from, std::string_view to, bool onlyRanged)
{
    if (m_kind != TableKind::Pieces)
        return;
    const int oldCode = StrToIntDef0(from);
    const std::string newCode = std::to_string(StrToIntDef0(to));
    for (long r = 1; r <= DataRowCount(); ++r) {
        if (onlyRanged && !RangeMarked(r))
            continue;
        if (StrToIntDef0(Cell(r, kPieceMaterialColumn)) == oldCode)
            SetCell(r, kPieceMaterialColumn, newCode);
    }
}

void TableGrid::SwapWidthAndHeight()
{
    for (long r = 1; r <= DataRowCount(); ++r) {
        const std::string width = Cell(r, kWidthColumn);
        SetCell(r, kWidthColumn, Cell(r, kHeightColumn));
        SetCell(r, kHeightColumn, width);
    }
}

void TableGrid::Sort()
{
    struct Keyed {
        Row row;
        long from;
        double area;
        int material;
    };
    std::vector<Keyed> rows;
    rows.reserve(m_rows.size());
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const TableGridRow& c = m_rows[i].cells;
        rows.push_back({m_rows[i], static_cast<long>(i + 1),
                        StrToRealComma(c[kWidthColumn]) * StrToRealComma(c[kHeightColumn]),
                        m_kind == TableKind::Pieces ? StrToIntDef0(c[kPieceMaterialColumn]) : 0});
    }
    // Neighbours exchanged only when out of order: the second pass keeps the
    // area order within each material.
    auto bubble = [&rows](auto less) {
        bool changed = true;
        while (changed) {
            changed = false;
            for (std::size_t i = 0; i + 1 < rows.size(); ++i)
                if (less(rows[i + 1], rows[i])) {
                    std::swap(rows[i], rows[i + 1]);
                    changed = true;
                }
        }
    };
    bubble([](const Keyed& a, const Keyed& b) { return a.area < b.area; });
    bubble([](const Keyed& a, const Keyed& b) { return a.material < b.material; });

    long newStart = -1;
    long newEnd = -1;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const long at = static_cast<long>(i + 1);
        if (rows[i].from == m_rangeStart)
            newStart = at;
        if (rows[i].from == m_rangeEnd)
            newEnd = at;
        m_rows[i] = std::move(rows[i].row);
        m_rows[i].cells[kCodeColumn] = std::to_string(at);
    }
    m_rangeStart = newStart;
    m_rangeEnd = newEnd;
    m_modified = true;
}

std::optional<long> TableGrid::CodeOrderFault() const
{
    std::optional<long> fault;
    for (long r = 2; r <= DataRowCount(); ++r) {
        const std::string& code = Cell(r, kCodeColumn);
        if (IsEmptyOrOneBlank(code))
            continue;
        if (StrToIntDef0(Cell(r - 1, kCodeColumn)) >= StrToIntDef0(code))
            fault = r - 1;
    }
    return fault;
}

}  // namespace vor
