// An offcut table as a user may bring it: any bytes must read as rows, and
// every row must write as one line that reads back as the same cells.
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "vorplan/common/codec.h"
#include "vorplan/common/text_file.h"
#include "vorplan/optimiser/input_loading.h"
#include "vorplan/orders/offcut_table.h"

namespace {

// What the writer stores for a cell read from a file.
std::string Stored(std::string cell, int column)
{
    if (column == vor::kOffcutDescriptionColumn) {
        for (char& c : cell) {
            if (c == ';' || c == '\t')
                c = ' ';
        }
    }
    return cell;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = vor::SplitTextLines(vor::DecodeFileText(bytes));

    std::vector<vor::OffcutRow> rows;
    for (const std::string& line : lines) {
        const std::vector<std::string> fields = vor::SplitOffcutFields(line);
        if (fields.size() > 15)
            __builtin_trap();
        for (const std::string& field : fields) {
            if (field.find(',') != std::string::npos)
                __builtin_trap();
        }
        const vor::OffcutRow row = vor::ReadOffcutLine(line);
        const std::string written = vor::OffcutLineText(row);
        if (written.find_first_of("\r\n") != std::string::npos)
            __builtin_trap();
        const vor::OffcutRow back = vor::ReadOffcutLine(written);
        for (int column = 0; column < vor::kOffcutColumnCount; ++column) {
            const auto c = static_cast<std::size_t>(column);
            if (back[c] != Stored(row[c], column))
                __builtin_trap();
        }
        rows.push_back(row);
    }

    // The editor over the same rows: loading, Enter everywhere, saving.
    vor::OffcutGrid grid;
    grid.Load(&rows, size % 2 == 0);
    for (long row = 1; row <= grid.DataRowCount() && row <= 50; ++row) {
        for (int column = 1; column < vor::kOffcutColumnCount; ++column)
            (void)grid.Enter(row, column, true);
    }
    const std::vector<vor::OffcutRow> saved = grid.RowsToSave();
    if (saved.size() > static_cast<std::size_t>(grid.DataRowCount()))
        __builtin_trap();
    for (const vor::OffcutRow& row : saved) {
        if (row[vor::kOffcutQuantityColumn].find_first_not_of(' ') == std::string::npos)
            __builtin_trap();
        (void)vor::OffcutLineText(row);
    }

    // The optimiser's reading: every offcut a code of its own, below 0, so
    // that none passes for a stock sheet or for another offcut.
    std::set<std::int64_t> codes;
    for (const vor::OffcutTableLine& offcut : vor::ParseOffcutTableLines(lines)) {
        if (offcut.code >= 0 || !codes.insert(offcut.code).second)
            __builtin_trap();
    }
    return 0;
}
