#include "vorplan/orders/table_files.h"

#include <algorithm>
#include <charconv>
#include <climits>

#include "vorplan/common/conversions.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/real_helpers.h"
#include "vorplan/common/text_file.h"

namespace vor {

namespace {

constexpr std::string_view kPieceFiller = "ABCD";
constexpr std::string_view kSheetFiller = "ABCDEFG12345";
constexpr std::string_view kEmptyDescription = "---";

// An optional sign and decimal digits that fit an int: every reader gets
// exactly this value, so the text can stay as it is.
bool IsIntegerText(std::string_view s)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    if (i == s.size())
        return false;
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    long long value = 0;
    for (; i < s.size(); ++i) {
        if (!IsDigit(s[i]))
            return false;
        value = value * 10 + (s[i] - '0');
        if (value > limit)
            return false;
    }
    return true;
}

// The file form of a description: one field, never cut by a later reader.
std::string DescriptionField(std::string text)
{
    return DescriptionFieldText(std::move(text), kEmptyDescription);
}

std::string DescriptionCell(std::string stored)
{
    UnderscoreToBlank(stored);
    return stored;
}

bool IsBlankCell(const std::string& cell)
{
    return std::all_of(cell.begin(), cell.end(), [](char c) { return c == ' '; });
}

std::string MarkField(const std::string& markCell)
{
    return markCell.find('+') != std::string::npos ? "1 " : "0 ";
}

void AppendNumberField(std::string& line, const std::string& cell, NumberKind kind,
                       bool showDecimals)
{
    std::string field = NumberCell(cell, kind, showDecimals);
    PadNumberField(field);
    line += field;
}

SplitFieldArrays SplitTableLine(std::string_view line)
{
    SplitFieldArrays fields;
    SplitFieldsFirst15(line, ' ', fields);
    return fields;
}

}  // namespace

std::string DescriptionFieldText(std::string text, std::string_view whenEmpty)
{
    // What would cut the field for a later reader becomes a blank.
    for (char& c : text)
        if (c == ';' || c == '\t' || c == '\r' || c == '\n')
            c = ' ';
    if (text.empty() || text == " ")
        return std::string(whenEmpty);
    BlankToUnderscore(text);
    return text;
}

// A numeric cell as the grid and the file keep it: the text itself when it is
// a number of its kind, else the value every reader would take from it, so
// nothing in it can break the line.
std::string NumberCell(std::string text, NumberKind kind, bool showDecimals)
{
    RemoveBlanks(text);
    if (text.empty())
        return "0";
    if (kind == NumberKind::Integer)
        return IsIntegerText(text) ? text : IntText(StrToIntDef0(text));
    return IsRealText(text) ? text : FormatRealText(StrToRealComma(text), showDecimals);
}

// An optional sign, digits and at most one decimal mark ("." or ","), whose
// value a double holds. Exponents are left out: nobody types them in a table,
// and the integer readers would take "1e3" for 1.
bool IsRealText(std::string_view s)
{
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    bool anyDigit = false;
    bool nonZeroDigit = false;
    bool mark = false;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (IsDigit(c)) {
            anyDigit = true;
            nonZeroDigit = nonZeroDigit || c != '0';
        } else if ((c == '.' || c == ',') && !mark) {
            mark = true;
        } else {
            return false;
        }
    }
    if (!anyDigit)
        return false;
    // Too many digits for a double read as 0.
    return !(nonZeroDigit && StrToRealComma(s) == 0.0);
}

// ---- Lines -----------------------------------------------------------------

PieceLineFields ParsePieceLine(std::string_view line)
{
    const SplitFieldArrays f = SplitTableLine(line);
    PieceLineFields out;
    out.mark = f.ints[1];
    out.code = f.ints[2];
    out.quantity = f.ints[3];
    out.width = f.reals[4];
    out.height = f.reals[5];
    out.widthWhole = f.ints[4];
    out.heightWhole = f.ints[5];
    out.material = f.ints[6];
    out.description = f.texts[7];
    out.orderNumber = f.ints[8];
    out.fieldCount = f.count;
    return out;
}

SheetLineFields ParseSheetLine(std::string_view line)
{
    const SplitFieldArrays f = SplitTableLine(line);
    SheetLineFields out;
    out.mark = f.ints[1];
    out.code = f.ints[2];
    out.quantity = f.ints[3];
    out.width = f.reals[4];
    out.height = f.reals[5];
    out.widthWhole = f.ints[4];
    out.heightWhole = f.ints[5];
    out.description = f.texts[6];
    out.filler = f.texts[7];
    out.fieldCount = f.count;
    return out;
}

PieceRow PieceRowFromLine(std::string_view line, bool showDecimals)
{
    const SplitFieldArrays f = SplitTableLine(line);
    PieceRow row;
    row.mark = SignChar(f.ints[1]);
    row.code = NumberCell(f.texts[2], NumberKind::Integer, showDecimals);
    row.quantity = NumberCell(f.texts[3], NumberKind::Integer, showDecimals);
    row.width = NumberCell(f.texts[4], NumberKind::Real, showDecimals);
    row.height = NumberCell(f.texts[5], NumberKind::Real, showDecimals);
    row.material = NumberCell(f.texts[6], NumberKind::Integer, showDecimals);
    row.description = DescriptionCell(f.texts[7]);
    row.orderNumber = f.texts[8];
    return row;
}

SheetRow SheetRowFromLine(std::string_view line, bool showDecimals)
{
    const SplitFieldArrays f = SplitTableLine(line);
    SheetRow row;
    row.mark = SignChar(f.ints[1]);
    row.code = NumberCell(f.texts[2], NumberKind::Integer, showDecimals);
    row.quantity = NumberCell(f.texts[3], NumberKind::Integer, showDecimals);
    row.width = NumberCell(f.texts[4], NumberKind::Real, showDecimals);
    row.height = NumberCell(f.texts[5], NumberKind::Real, showDecimals);
    row.description = DescriptionCell(f.texts[6]);
    row.filler = f.texts[7];
    return row;
}

std::optional<std::string> PieceLineFromRow(const PieceRow& row, long long orderNumber,
                                            bool showDecimals)
{
    if (IsBlankCell(row.quantity) || IsBlankCell(row.width) || row.code == " ")
        return std::nullopt;
    std::string line = MarkField(row.mark);
    AppendNumberField(line, row.code, NumberKind::Integer, showDecimals);
    AppendNumberField(line, row.quantity, NumberKind::Integer, showDecimals);
    AppendNumberField(line, row.width, NumberKind::Real, showDecimals);
    AppendNumberField(line, row.height, NumberKind::Real, showDecimals);
    AppendNumberField(line, row.material, NumberKind::Integer, showDecimals);
    line += ' ';
    line += DescriptionField(row.description);
    line += ' ';
    line += IntText(orderNumber);
    line += ' ';
    line += kPieceFiller;
    return line;
}

std::optional<std::string> SheetLineFromRow(const SheetRow& row, bool showDecimals)
{
    if (IsBlankCell(row.quantity) || IsBlankCell(row.width))
        return std::nullopt;
    std::string line = MarkField(row.mark);
    AppendNumberField(line, row.code, NumberKind::Integer, showDecimals);
    AppendNumberField(line, row.quantity, NumberKind::Integer, showDecimals);
    AppendNumberField(line, row.width, NumberKind::Real, showDecimals);
    AppendNumberField(line, row.height, NumberKind::Real, showDecimals);
    line += ' ';
    line += DescriptionField(row.description);
    line += ' ';
    line += kSheetFiller;
    return line;
}

std::string UnpaddedSheetLine(const SheetLineFields& fields)
{
    std::string line = IntText(fields.mark);
    line += ' ';
    line += IntText(fields.code);
    line += ' ';
    line += IntText(fields.quantity);
    line += ' ';
    line += RealToStrTrim(true, fields.width);
    line += ' ';
    line += RealToStrTrim(true, fields.height);
    line += ' ';
    line += DescriptionField(fields.description);
    line += ' ';
    line += fields.filler.empty() ? std::string(kSheetFiller) : fields.filler;
    return line;
}

// ---- Tables ----------------------------------------------------------------

namespace {

template <typename Row, typename Format>
std::vector<std::string> TableLines(const std::vector<Row>& rows, Format format)
{
    std::vector<std::string> lines;
    lines.reserve(rows.size());
    for (const Row& row : rows)
        if (std::optional<std::string> line = format(row))
            lines.push_back(std::move(*line));
    // An order without any line would vanish from the order list.
    if (lines.empty())
        lines.emplace_back(kEmptyTableLine);
    return lines;
}

template <typename Row, typename Parse>
std::optional<std::vector<Row>> ReadTable(const Path& path, Parse parse)
{
    std::optional<std::vector<std::string>> lines = ReadTextLines(path);
    if (!lines)
        return std::nullopt;
    std::vector<Row> rows;
    rows.reserve(lines->size());
    for (const std::string& line : *lines)
        rows.push_back(parse(line));
    return rows;
}

}  // namespace

std::vector<std::string> PieceTableLines(const std::vector<PieceRow>& rows, long long orderNumber,
                                         bool showDecimals)
{
    return TableLines(rows, [&](const PieceRow& row) {
        return PieceLineFromRow(row, orderNumber, showDecimals);
    });
}

std::vector<std::string> SheetTableLines(const std::vector<SheetRow>& rows, bool showDecimals)
{
    return TableLines(rows,
                      [&](const SheetRow& row) { return SheetLineFromRow(row, showDecimals); });
}

std::optional<std::vector<PieceRow>> ReadPieceTable(const Path& path, bool showDecimals)
{
    return ReadTable<PieceRow>(
        path, [&](const std::string& line) { return PieceRowFromLine(line, showDecimals); });
}

std::optional<std::vector<PieceRow>> ReadPieceTable(const Path& path)
{
    return ReadPieceTable(path, gShared.settings.showDecimals);
}

std::optional<std::vector<SheetRow>> ReadSheetTable(const Path& path, bool showDecimals)
{
    return ReadTable<SheetRow>(
        path, [&](const std::string& line) { return SheetRowFromLine(line, showDecimals); });
}

std::optional<std::vector<SheetRow>> ReadSheetTable(const Path& path)
{
    return ReadSheetTable(path, gShared.settings.showDecimals);
}

void WritePieceTable(const Path& path, const std::vector<PieceRow>& rows, long long orderNumber,
                     bool showDecimals)
{
    WriteTextLines(path, PieceTableLines(rows, orderNumber, showDecimals));
}

void WritePieceTable(const Path& path, const std::vector<PieceRow>& rows, long long orderNumber)
{
    WritePieceTable(path, rows, orderNumber, gShared.settings.showDecimals);
}

void WriteSheetTable(const Path& path, const std::vector<SheetRow>& rows, bool showDecimals)
{
    WriteTextLines(path, SheetTableLines(rows, showDecimals));
}

void WriteSheetTable(const Path& path, const std::vector<SheetRow>& rows)
{
    WriteSheetTable(path, rows, gShared.settings.showDecimals);
}

// ---- Paths -----------------------------------------------------------------

Path TableFile(TableKind kind, const DataFolders& folders, long long number, bool internal)
{
    if (kind == TableKind::Pieces)
        return OrderTableFile(folders, number, internal);
    return SheetTableFile(folders, number);
}

Path TableFile(TableKind kind)
{
    return kind == TableKind::Pieces ? OrderTableFile() : SheetTableFile();
}

}  // namespace vor
