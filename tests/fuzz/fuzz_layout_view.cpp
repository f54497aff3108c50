// A layout file as the viewer reads it: stored, tidied and written into
// memory, then read, tidied and written again, twice. No element may be lost
// or moved, and the only errors allowed are the typed ones.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "vorplan/common/codec.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/text_file.h"
#include "vorplan/layoutview/layout_model.h"
#include "vorplan/layoutview/layout_statistics.h"
#include "vorplan/optimiser/layout_files.h"

namespace {

std::vector<std::string> ReadTidyWrite(const std::vector<std::string>& lines,
                                       const vor::LayoutInputs& inputs, vor::LayoutState& state)
{
    vor::StoreLayoutLines(state, lines);
    vor::TidyLeftovers(state, inputs.material, inputs.options);
    vor::ComputeLayoutStatistics(state, inputs, true);
    return vor::LayoutRewriteLines(state);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = vor::SplitTextLines(vor::DecodeFileText(bytes));

    vor::LayoutInputs inputs;
    inputs.material.kerf = 40;
    inputs.material.minOffcutWidth = 2500;
    inputs.material.minOffcutHeight = 3000;
    inputs.material.minRemainder = 500;
    inputs.pieceBorder = 25;
    vor::LayoutState first;
    std::vector<std::string> written;
    try {
        written = ReadTidyWrite(lines, inputs, first);
    } catch (const vor::OverflowError&) {
        if (first.ElementCount() != 0)
            __builtin_trap();
        return 0;
    }
    if (first.figures.yield != first.figures.yield)  // NaN
        __builtin_trap();

    // The first viewing may still give a scrap-turned-offcut the default
    // description; apart from that the second writing keeps every element as
    // it stands, and from then on the file no longer changes.
    vor::LayoutState second;
    const std::vector<std::string> again = ReadTidyWrite(written, inputs, second);
    if (again.size() != written.size())
        __builtin_trap();
    for (std::size_t i = 0; i < written.size(); ++i) {
        auto a = vor::ParseLayoutLine(written[i]);
        auto b = vor::ParseLayoutLine(again[i]);
        if (a.has_value() != b.has_value())
            __builtin_trap();
        if (a && (a->type != b->type || a->code != b->code || a->x != b->x || a->y != b->y ||
                  a->length != b->length || a->height != b->height || a->order != b->order))
            __builtin_trap();
    }
    vor::LayoutState third;
    if (ReadTidyWrite(again, inputs, third) != again || third.elements != second.elements)
        __builtin_trap();

    // Joining any two leftovers never leaves the table unreadable.
    if (first.ElementCount() >= 2) {
        vor::JoinSelectedElements(first, inputs.material, inputs.options, first.ElementCount(),
                                  first.ElementCount() - 1);
        vor::LayoutState joined;
        vor::StoreLayoutLines(joined, vor::LayoutRewriteLines(first));
    }
    (void)vor::CountElements(first, true);
    return 0;
}
