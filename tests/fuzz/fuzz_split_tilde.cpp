// One record item text, as a user may type it into a description.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "vorplan/common/list_helpers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const vor::TildeFields split = vor::SplitTilde(text);
    if (split.count < 1 || split.count > vor::kTildeFieldCount)
        __builtin_trap();
    // Nothing is lost: the fields joined again give the text back, and only
    // the last field may hold a "~".
    std::string joined;
    for (long i = 1; i <= split.count; ++i) {
        if (i < split.count && split.fields[i].find('~') != std::string::npos)
            __builtin_trap();
        if (i > 1)
            joined += '~';
        joined += split.fields[i];
    }
    for (long i = split.count + 1; i <= vor::kTildeFieldCount; ++i) {
        if (!split.fields[i].empty())
            __builtin_trap();
    }
    if (joined != text)
        __builtin_trap();
    return 0;
}
