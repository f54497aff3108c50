#include "vorplan/orders/delimited_import.h"

#include <algorithm>
#include <system_error>

#include "vorplan/common/codec.h"
#include "vorplan/common/conversions.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/text_file.h"
#include "vorplan/orders/import_lines.h"

namespace vor {

namespace {

constexpr long kDelimiterMinimum = 5;

}  // namespace

char DelimiterChar(Delimiter delimiter)
{
    switch (delimiter) {
    case Delimiter::Comma:
        return ',';
    case Delimiter::Tab:
        return '\t';
    case Delimiter::Semicolon:
        return ';';
    case Delimiter::Blank:
        break;
    }
    return ' ';
}

DelimiterFound FindDelimiter(std::string_view firstLine)
{
    DelimiterFound result;
    result.counts.commas = std::count(firstLine.begin(), firstLine.end(), ',');
    result.counts.tabs = std::count(firstLine.begin(), firstLine.end(), '\t');
    result.counts.semicolons = std::count(firstLine.begin(), firstLine.end(), ';');
    result.found = true;
    if (result.counts.commas >= kDelimiterMinimum)
        result.delimiter = Delimiter::Comma;
    else if (result.counts.tabs >= kDelimiterMinimum)
        result.delimiter = Delimiter::Tab;
    else if (result.counts.semicolons >= kDelimiterMinimum)
        result.delimiter = Delimiter::Semicolon;
    else
        result.found = false;
    return result;
}

std::string DelimiterErrorText(const DelimiterCounts& counts)
{
    return "ERRO - DELIMITADOR. (v=" + std::to_string(counts.commas) + " t=" + std::to_string(counts.tabs) +
           " pv=" + std::to_string(counts.semicolons) + ")";
}

std::vector<std::string> DelimitedFields(std::string_view line, Delimiter delimiter)
{
    std::vector<std::string> fields;
    if (delimiter == Delimiter::Blank) {
        SplitFieldArrays split;
        SplitFieldsFirst15(line, ' ', split);
        for (long i = 1; i <= std::min<long>(split.count, kImportCells); ++i)
            fields.push_back(split.texts[i]);
        return fields;
    }
    for (const std::string_view cell : SplitCells(line, DelimiterChar(delimiter))) {
        if (fields.size() == kImportCells)
            break;
        fields.emplace_back(cell);
    }
    return fields;
}

DelimitedTable SplitDelimitedLines(const std::vector<std::string>& lines, Delimiter delimiter)
{
    DelimitedTable table;
    for (const std::string& line : lines) {
        DelimitedRow row;
        row.fields = DelimitedFields(line, delimiter);
        const ImportedPiece piece =
            PieceFromCells(std::vector<std::string_view>(row.fields.begin(), row.fields.end()));
        row.imported = piece.quantity > 0;
        if (row.imported) {
            table.outputLines.push_back(ImportedPieceLine(piece));
            table.pieces += piece.quantity;
        }
        table.rows.push_back(std::move(row));
    }
    return table;
}

std::vector<std::string> DelimitedFileLines(std::string_view bytes)
{
    // A file from elsewhere that is valid UTF-8 is UTF-8, whatever its characters.
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    if (bytes.starts_with(kBom))
        bytes.remove_prefix(kBom.size());
    return SplitTextLines(IsValidUtf8(bytes) ? std::string(bytes) : Cp1252ToUtf8(bytes));
}

std::optional<std::vector<std::string>> ReadDelimitedFile(const std::filesystem::path& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return std::nullopt;
    try {
        const std::string bytes = ReadFileBytes(path);
        // UTF-16 text (a spreadsheet's "Unicode text") would import as NUL bytes.
        if (IsUndecodableText(bytes))
            return std::nullopt;
        return DelimitedFileLines(bytes);
    } catch (const IoError&) {
        return std::nullopt;
    }
}

std::string DelimitedSummaryText(const DelimitedTable& table)
{
    return std::to_string(table.outputLines.size()) + " " + Msg(945) + ", " + std::to_string(table.pieces) +
           " " + Msg(349);
}

std::vector<std::string> RequiredFieldNames(std::string_view text)
{
    std::vector<std::string> names;
    std::size_t at = 0;
    while ((at = text.find('[', at)) != std::string_view::npos) {
        const std::size_t end = text.find(']', at);
        if (end == std::string_view::npos)
            break;
        names.emplace_back(text.substr(at + 1, end - at - 1));
        at = end + 1;
    }
    if (names.size() == kImportCells)
        return names;
    return {"1", "2", "3", "4", "5", "6"};
}

}  // namespace vor
