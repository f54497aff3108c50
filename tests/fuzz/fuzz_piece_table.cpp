// A piece table file: decoded, read into rows, written and read again. The
// second reading must give the rows of the first, except where the format
// loses on purpose: a mark "?" is stored unmarked, a ";" or TAB in a
// description becomes a blank, an empty description "---", and the order
// number is the one written.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "vorplan/common/codec.h"
#include "vorplan/common/text_file.h"
#include "vorplan/orders/table_files.h"

namespace {

constexpr long long kOrder = 17;

std::string StoredDescription(std::string text)
{
    for (char& c : text)
        if (c == ';' || c == '\t')
            c = ' ';
    return text.empty() || text == " " ? "---" : text;
}

void Check(const std::vector<std::string>& lines, bool showDecimals)
{
    std::vector<vor::PieceRow> rows;
    for (const std::string& line : lines)
        rows.push_back(vor::PieceRowFromLine(line, showDecimals));

    const std::vector<std::string> written = vor::PieceTableLines(rows, kOrder, showDecimals);
    if (rows.empty()) {
        if (written.size() != 1 || written[0] != vor::kEmptyTableLine)
            std::abort();
        return;
    }
    // Every row read has a quantity and a width, so none may be dropped.
    if (written.size() != rows.size())
        std::abort();

    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::string& line = written[i];
        if (line.find_first_of("\r\n") != std::string::npos)
            std::abort();
        const vor::PieceLineFields before = vor::ParsePieceLine(lines[i]);
        const vor::PieceLineFields after = vor::ParsePieceLine(line);
        // Nine fields, none empty or cut, whatever the cells held.
        if (after.fieldCount != 9 || after.orderNumber != kOrder)
            std::abort();
        // The integer cells keep the value every reader takes from the file.
        if (after.mark != (before.mark == 1 ? 1 : 0) || after.code != before.code ||
            after.quantity != before.quantity || after.material != before.material)
            std::abort();

        vor::PieceRow expected = rows[i];
        if (expected.mark != "+")
            expected.mark = std::string(1, ' ');
        expected.description = StoredDescription(expected.description);
        expected.orderNumber = std::to_string(kOrder);
        if (vor::PieceRowFromLine(line, showDecimals) != expected)
            std::abort();
    }
    // Written again, the rows give the same lines.
    std::vector<vor::PieceRow> again;
    for (const std::string& line : written)
        again.push_back(vor::PieceRowFromLine(line, showDecimals));
    if (vor::PieceTableLines(again, kOrder, showDecimals) != written)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = vor::SplitTextLines(vor::DecodeFileText(bytes));
    Check(lines, true);
    Check(lines, false);
    return 0;
}
