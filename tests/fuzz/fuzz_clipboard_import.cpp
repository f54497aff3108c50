// The clipboard's text as another program left it. Every line written must be
// one piece-table line of eight fields that reads back as its row's cells.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "tests/fuzz/fuzz_support.h"
#include "vorplan/common/text_file.h"
#include "vorplan/orders/clipboard_import.h"
#include "vorplan/orders/table_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const vor::ClipboardParse parse = vor::ParseClipboardText(text);
    vorfuzz::Check(parse.outputLines.size() <= parse.displayLines.size());
    vorfuzz::Check(!parse.CanSave() || parse.firstLineTabs == 5);
    for (const std::string& line : parse.displayLines)
        vorfuzz::Check(line.find_first_of("\t\r\n") == std::string::npos);
    for (const std::string& line : parse.outputLines) {
        vorfuzz::Check(line.find_first_of("\t\r\n;") == std::string::npos);
        const vor::PieceLineFields fields = vor::ParsePieceLine(line);
        vorfuzz::Check(fields.fieldCount == 8);
        vorfuzz::Check(fields.mark == 1 && fields.quantity > 0);
        vorfuzz::Check(line.ends_with(" ABC"));
    }
    // The same text parses the same way (the window reuses a parse).
    vorfuzz::Check(vor::ParseClipboardText(text).outputLines == parse.outputLines);
    (void)vor::EncodeTextLines(parse.outputLines);
    return 0;
}
