#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vor {

// A delimited text file (CSV, TAB-separated text, or the external planning
// system's mrp_in.txt): one piece a line, six fields (code, quantity, width,
// height, material, description).

enum class Delimiter { Comma, Tab, Semicolon, Blank };

char DelimiterChar(Delimiter delimiter);

struct DelimiterCounts {
    long commas = 0;
    long tabs = 0;
    long semicolons = 0;
};

struct DelimiterFound {
    Delimiter delimiter = Delimiter::Blank;
    bool found = false;  // false: none of the three, the blank is used
    DelimiterCounts counts;
};

// The separator of a file from its first line: 5 or more commas, else 5 or
// more TABs, else 5 or more semicolons; else the blank, not found.
DelimiterFound FindDelimiter(std::string_view firstLine);

// "ERRO - DELIMITADOR. (v=" + commas + " t=" + tabs + " pv=" + semicolons + ")".
std::string DelimiterErrorText(const DelimiterCounts& counts);

// The first six fields of a line. With ",", TAB or ";" every separator ends a
// field, so an empty field keeps its place; with the blank, runs of blanks
// are one separator, as in table files. Fields after the sixth are dropped.
std::vector<std::string> DelimitedFields(std::string_view line, Delimiter delimiter);

struct DelimitedRow {
    std::vector<std::string> fields;  // as DelimitedFields gives them
    bool imported = false;            // quantity above 0
};

// What "Ok" writes: every line's fields, the piece-table lines of the rows
// whose quantity is above 0, their number and the sum of their quantities.
struct DelimitedTable {
    std::vector<DelimitedRow> rows;
    std::vector<std::string> outputLines;
    long long pieces = 0;
};

DelimitedTable SplitDelimitedLines(const std::vector<std::string>& lines, Delimiter delimiter);

// The lines of a file to import, decoded (a UTF-8 byte-order mark dropped,
// UTF-8 or else Windows-1252); nullopt when it is no regular file, cannot
// be read, or holds no text in either encoding (UTF-16, NUL bytes).
std::optional<std::vector<std::string>> ReadDelimitedFile(const std::filesystem::path& path);

// The lines of bytes read from such a file: UTF-8 when they are valid UTF-8
// (a byte-order mark dropped), else Windows-1252.
std::vector<std::string> DelimitedFileLines(std::string_view bytes);

// lines + " " + message 945 + ", " + pieces + " " + message 349.
std::string DelimitedSummaryText(const DelimitedTable& table);

// The names of the six fields, from message 982 ("[cód.] [qtd] ..."); numbers
// 1 to 6 where the text does not hold six names in brackets.
std::vector<std::string> RequiredFieldNames(std::string_view text);

}  // namespace vor
