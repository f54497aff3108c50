// A delimited file a user brings (CSV, TAB-separated text, the planning
// system's mrp_in.txt), split at each separator. Every line written must be
// one piece-table line of seven fields, and the summary must count them.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "tests/fuzz/fuzz_support.h"
#include "vorplan/common/text_file.h"
#include "vorplan/orders/delimited_import.h"
#include "vorplan/orders/table_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = vor::DelimitedFileLines(bytes);
    const vor::DelimiterFound found = vor::FindDelimiter(lines.empty() ? std::string_view() : lines.front());
    vorfuzz::Check(found.found == (found.delimiter != vor::Delimiter::Blank));
    for (const vor::Delimiter delimiter :
         {vor::Delimiter::Comma, vor::Delimiter::Tab, vor::Delimiter::Semicolon, vor::Delimiter::Blank}) {
        const vor::DelimitedTable table = vor::SplitDelimitedLines(lines, delimiter);
        vorfuzz::Check(table.rows.size() == lines.size());
        std::size_t imported = 0;
        for (const vor::DelimitedRow& row : table.rows) {
            vorfuzz::Check(row.fields.size() <= 6);
            imported += row.imported ? 1 : 0;
        }
        vorfuzz::Check(imported == table.outputLines.size());
        long long pieces = 0;
        for (const std::string& line : table.outputLines) {
            vorfuzz::Check(line.find_first_of("\t\r\n;") == std::string::npos);
            const vor::PieceLineFields fields = vor::ParsePieceLine(line);
            vorfuzz::Check(fields.fieldCount == 7);
            vorfuzz::Check(fields.mark == 1 && fields.quantity > 0);
            pieces += fields.quantity;
        }
        vorfuzz::Check(pieces == table.pieces);
        (void)vor::EncodeTextLines(table.outputLines);
    }
    return 0;
}
