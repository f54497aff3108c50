// The first byte picks the separator, the rest is one line of a table file.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "vorplan/common/conversions.h"
#include "vorplan/common/errors.h"

namespace {

void CheckFields(const vor::SplitFieldArrays& fields)
{
    if (fields.count < 0 || fields.count > vor::kSplitFieldCount)
        __builtin_trap();
    for (long i = 1; i <= fields.count; ++i) {
        const std::string& text = fields.texts[i];
        if (text.empty())
            __builtin_trap();
        if (vor::StrToIntDef0(text) != fields.ints[i])
            __builtin_trap();
        const double real = vor::StrToRealComma(text);
        if (real != fields.reals[i])
            __builtin_trap();
        for (int decimals : {0, 2, 12})
            (void)vor::FormatFixed(real, decimals);
        (void)vor::RealToStrTrim(true, real);
        (void)vor::RealToStrBr(-12, real);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const char separator = static_cast<char>(data[0]);
    const std::string_view line(reinterpret_cast<const char*>(data + 1), size - 1);

    vor::SplitFieldArrays fields;
    vor::SplitFieldsFirst15(line, separator, fields);
    CheckFields(fields);

    vor::SplitFieldArrays strict;
    try {
        vor::SplitFields(line, separator, strict);
        // Without a throw both splitters saw the same fields.
        if (strict.count != fields.count)
            __builtin_trap();
        CheckFields(strict);
    } catch (const vor::RangeError&) {
        if (fields.count != vor::kSplitFieldCount)
            __builtin_trap();
    }

    // The whole line as one number, too.
    const double whole = vor::StrToRealComma(line);
    (void)vor::StrToIntDef0(line);
    (void)vor::FormatFixed(whole, static_cast<int>(size % 20));
    return 0;
}
