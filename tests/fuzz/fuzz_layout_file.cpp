// A layout file of any variant: decoded and read; then taken as a temporary
// file and turned into a layout file against an order table made from the
// same lines. The layout file must read back field for field, and the pieces
// placed must be what the order lines lost.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "vorplan/common/codec.h"
#include "vorplan/common/text_file.h"
#include "vorplan/optimiser/layout_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = vor::SplitTextLines(vor::DecodeFileText(bytes));

    const vor::LayoutFileContents read = vor::ParseLayoutFileContents(lines);
    if (static_cast<long>(read.lines.size()) > vor::kLayoutFileLineCapacity ||
        read.linesLeftOut < 0)
        __builtin_trap();
    for (const vor::LayoutFileLine& line : read.lines)
        if (line.fieldCount < 1 || line.fieldCount > 15)
            __builtin_trap();

    vor::OrderTable orders = vor::MakeOrderTable(lines, 2);
    const long long selected = vor::PiecesSelected(orders);
    vor::LayoutFileSettings settings;
    settings.borders = {1, 2, 3, 4};
    settings.lengthAllowance = 5;
    settings.widthAllowance = -5;
    settings.stockSheetText = "Chapa inteira";
    settings.offcutSheetText = "";
    long long placed = 0;
    const std::vector<std::string> written = vor::LayoutFileLines(lines, settings, orders, placed);
    if (selected - vor::PiecesSelected(orders) != placed)
        __builtin_trap();
    if (written.size() < 4 || written[0] != vor::kLayoutTitle || written[2] != vor::kLayoutColumns)
        __builtin_trap();

    std::size_t next = 4;
    for (const std::string& raw : lines) {
        const auto in = vor::ParseLayoutLine(raw);
        if (!in)
            continue;
        for (int copy = 0; copy < (in->type == vor::kLayoutTypeSheet ? 2 : 1); ++copy) {
            if (next >= written.size())
                __builtin_trap();
            const auto out = vor::ParseLayoutLine(written[next++]);
            if (!out || out->fieldCount != 8 || out->description.empty())
                __builtin_trap();
            if (copy == 1) {
                if (out->type != vor::kLayoutTypeBorders || out->x != 1 || out->height != 4)
                    __builtin_trap();
                continue;
            }
            if (out->type != in->type || out->x != in->x || out->y != in->y ||
                out->length != in->length || out->height != in->height)
                __builtin_trap();
            if (in->type != vor::kLayoutTypePiece && out->code != in->code)
                __builtin_trap();
        }
    }
    if (next != written.size())
        __builtin_trap();
    return 0;
}
