#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace vor::bench {

// The instance files of the benchmark: a header line naming the columns
// (any order, any case), then one item a line. Pieces have WIDTH, HEIGHT and
// an optional COPIES (1 when absent); sheets the same, COPIES absent meaning
// unlimited. An ID column is ignored.

enum class CsvKind { Pieces, Sheets };

struct CsvItem {
    double width = 0;   // millimetres
    double height = 0;
    std::optional<int> copies;  // nullopt: the column or the cell is empty
};

// The file's name, the line number and what is wrong.
class CsvError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The items of the file, in file order. Throws CsvError when the file cannot
// be read, a required column is missing, a column is unknown or repeated, a
// line has another number of fields than the header, or a value is not a
// positive number (COPIES: a whole number from 1); a file without items is
// refused too. Numbers are read without the locale.
std::vector<CsvItem> ReadInstanceCsv(const std::filesystem::path& path, CsvKind kind);

// ASCII lower case.
std::string Lower(std::string text);

}  // namespace vor::bench
