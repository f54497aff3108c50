// The splash picture is a file of the installation that anyone may replace.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "kalendo/jpeg_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const kalendo::Picture picture = kalendo::DecodeJpeg(data, size);
    if (picture.Empty()) {
        if (!picture.rgb.empty())
            std::abort();
        return 0;
    }
    if (picture.width > kalendo::kMaxPictureSide || picture.height > kalendo::kMaxPictureSide ||
        picture.rgb.size() != static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height) * 3)
        std::abort();
    // Touch the first and last pixel so a short buffer shows.
    volatile std::uint8_t first = picture.rgb.front();
    volatile std::uint8_t last = picture.rgb.back();
    (void)first;
    (void)last;
    return 0;
}
