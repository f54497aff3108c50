#include "vorplan/orders/offcut_table.h"

#include <algorithm>
#include <utility>

#include "vorplan/common/conversions.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/real_helpers.h"
#include "vorplan/common/text_file.h"
#include "vorplan/orders/table_files.h"

namespace vor {

namespace {

bool IsBlankOnly(const std::string& text)
{
    return text.find_first_not_of(' ') == std::string::npos;
}

OffcutRow BlankRow()
{
    OffcutRow row;
    row.fill(" ");
    return row;
}

// The hand-over and the table as lines, or nothing for a file that is not there.
std::vector<std::string> LinesIfPresent(const std::filesystem::path& path)
{
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return {};
    return ReadTextLinesOrThrow(path);
}

}  // namespace

std::vector<std::string> SplitOffcutFields(std::string_view line)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (fields.size() < static_cast<std::size_t>(kSplitFieldCount)) {
        const std::size_t comma = line.find(',', start);
        if (comma == std::string_view::npos)
            break;
        fields.emplace_back(line.substr(start, comma - start));
        start = comma + 1;
    }
    return fields;
}

OffcutRow ReadOffcutLine(std::string_view line)
{
    std::vector<std::string> fields = SplitOffcutFields(line);
    OffcutRow row;
    for (std::size_t i = 0; i < row.size() && i < fields.size(); ++i)
        row[i] = std::move(fields[i]);
    return row;
}

std::string OffcutLineText(const OffcutRow& row)
{
    std::string line;
    for (int column = 0; column < kOffcutColumnCount; ++column) {
        std::string cell = row[static_cast<std::size_t>(column)];
        for (char& c : cell) {
            if (c == '\r' || c == '\n')
                c = ' ';
            else if (column == kOffcutDescriptionColumn && (c == ',' || c == ';' || c == '\t'))
                c = ' ';
            else if (c == ',')
                c = '.';
        }
        line += cell;
        line += ',';
    }
    return line;
}

std::optional<std::vector<OffcutRow>> ReadOffcutTable(const std::filesystem::path& path)
{
    const std::optional<std::vector<std::string>> lines = ReadTextLines(path);
    if (!lines)
        return std::nullopt;
    std::vector<OffcutRow> rows;
    rows.reserve(lines->size());
    for (const std::string& line : *lines)
        rows.push_back(ReadOffcutLine(line));
    return rows;
}

std::vector<std::string> OffcutTableLines(std::vector<OffcutRow> rows)
{
    std::vector<std::string> lines;
    lines.reserve(rows.size());
    long number = 0;
    for (OffcutRow& row : rows) {
        row[kOffcutNumberColumn] = std::to_string(++number);
        lines.push_back(OffcutLineText(row));
    }
    return lines;
}

void WriteOffcutTable(const std::filesystem::path& path, std::vector<OffcutRow> rows)
{
    WriteTextLines(path, OffcutTableLines(std::move(rows)));
}

std::vector<OffcutRow> OffcutRowsToSave(const std::vector<OffcutRow>& rows)
{
    std::vector<OffcutRow> kept;
    for (const OffcutRow& row : rows) {
        if (IsBlankOnly(row[kOffcutQuantityColumn]))
            continue;
        OffcutRow& saved = kept.emplace_back(row);
        // An empty mark shows blank in the grid, and a blank mark is " ": an
        // empty field would shift every later one for readers that skip it.
        std::string& mark = saved[kOffcutMarkColumn];
        if (mark.empty())
            mark = " ";
    }
    return kept;
}

std::optional<OffcutSizeProblem> FindOffcutSizeProblem(const std::vector<OffcutRow>& rows)
{
    const auto isSize = [](std::string text) {
        TrimBlanks(text);
        return IsRealText(text) && StrToRealComma(text) > 0;
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const OffcutRow& row = rows[i];
        if (IsBlankOnly(row[kOffcutQuantityColumn]))
            continue;
        for (const int column : {kOffcutWidthColumn, kOffcutHeightColumn}) {
            if (!isSize(row[static_cast<std::size_t>(column)]))
                return OffcutSizeProblem{static_cast<long>(i) + 1, column};
        }
    }
    return std::nullopt;
}

std::string OffcutSizeProblemText(const OffcutSizeProblem& problem)
{
    const int slot = problem.column == kOffcutHeightColumn ? 442 : 443;
    return Msg(slot) + " (" + Msg(586) + " " + std::to_string(problem.row) + ")";
}

std::filesystem::path OffcutHandOverFile(const DataFolders& folders)
{
    return BaseFile(folders, "ret.temp");
}

void PutOffcutLinesOnTop(const std::filesystem::path& handOver, const std::filesystem::path& table)
{
    WriteTextLines(table, OffcutLinesOnTop(LinesIfPresent(handOver), LinesIfPresent(table)));
}

std::vector<std::string> OffcutLinesOnTop(std::vector<std::string> lines,
                                          std::vector<std::string> table)
{
    lines.insert(lines.end(), std::make_move_iterator(table.begin()),
                 std::make_move_iterator(table.end()));
    // The calculation names an offcut by its number: the new lines start at
    // 1 again, so every line gets the number of its place.
    long number = 0;
    for (std::string& line : lines) {
        ++number;
        const std::size_t comma = line.find(',');
        if (comma != std::string::npos)
            line.replace(0, comma, std::to_string(number));
    }
    return lines;
}

std::string NormaliseOffcutDimension(std::string_view text, bool showDecimals)
{
    return FormatRealText(StrToRealComma(text), showDecimals);
}

std::string NormaliseOffcutMark(std::string_view text)
{
    return text.find(' ') != std::string_view::npos ? " " : "+";
}

bool OffcutDescriptionRefuses(std::string_view text)
{
    return text.find(',') != std::string_view::npos;
}

std::string OffcutDescriptionFromPaste(std::string text)
{
    for (char& c : text) {
        if (c == ',' || c == ';' || c == '\t' || c == '\r' || c == '\n')
            c = ' ';
    }
    return text;
}

// ---- OffcutGrid ------------------------------------------------------------

OffcutGrid::OffcutGrid()
{
    Load(nullptr, true);
}

void OffcutGrid::CheckCell(long row, int column) const
{
    if (row < 1 || row > DataRowCount() || column < 0 || column >= kOffcutColumnCount)
        throw RangeError("Erro de faixa: célula " + std::to_string(column) + "," +
                         std::to_string(row) + " fora da tabela de retalhos");
}

const std::string& OffcutGrid::Cell(long row, int column) const
{
    CheckCell(row, column);
    return m_rows[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column)];
}

void OffcutGrid::SetCell(long row, int column, std::string text)
{
    CheckCell(row, column);
    m_rows[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column)] = std::move(text);
}

void OffcutGrid::Renumber()
{
    long number = 0;
    for (OffcutRow& row : m_rows)
        row[kOffcutNumberColumn] = std::to_string(++number);
}

void OffcutGrid::Load(const std::vector<OffcutRow>* fileRows, bool showDecimals)
{
    m_rows.clear();
    if (fileRows) {
        m_rows = *fileRows;
        for (OffcutRow& row : m_rows) {
            row[kOffcutWidthColumn] = NormaliseOffcutDimension(row[kOffcutWidthColumn], showDecimals);
            row[kOffcutHeightColumn] =
                NormaliseOffcutDimension(row[kOffcutHeightColumn], showDecimals);
        }
    }
    // An empty file opens like a missing one.
    if (m_rows.empty())
        m_rows.push_back(BlankRow());
    Renumber();
}

bool OffcutGrid::InsertRowAfter(long row)
{
    if (RowCount() >= kOffcutGridMaxRows)
        return false;
    const long at = std::clamp(row, 0L, DataRowCount());
    m_rows.insert(m_rows.begin() + at, BlankRow());
    Renumber();
    return true;
}

bool OffcutGrid::DeleteRow(long row)
{
    if (RowCount() < 3 || row < 1 || row > DataRowCount())
        return false;
    m_rows.erase(m_rows.begin() + (row - 1));
    Renumber();
    return true;
}

void OffcutGrid::Clear()
{
    m_rows.assign(1, OffcutRow());
    Renumber();
}

void OffcutGrid::ToggleMark(long row)
{
    const std::string& mark = Cell(row, kOffcutMarkColumn);
    SetCell(row, kOffcutMarkColumn, mark.find('+') != std::string::npos ? " " : "+");
}

OffcutGrid::Cursor OffcutGrid::Enter(long row, int column, bool showDecimals)
{
    CheckCell(row, column);
    if (column == kOffcutWidthColumn || column == kOffcutHeightColumn)
        SetCell(row, column, NormaliseOffcutDimension(Cell(row, column), showDecimals));
    else if (column == kOffcutMarkColumn)
        SetCell(row, column, NormaliseOffcutMark(Cell(row, column)));

    Cursor next{row, column + 1, false};
    if (column < kOffcutColumnCount - 1)
        return next;
    next.column = kOffcutMarkColumn;
    if (row < DataRowCount()) {
        next.row = row + 1;
        return next;
    }
    // On the last row: a new one while there is room, else the same row.
    if (InsertRowAfter(row)) {
        next.row = row + 1;
        next.rowAdded = true;
        SetCell(next.row, kOffcutMarkColumn, "+");
    }
    return next;
}

}  // namespace vor
