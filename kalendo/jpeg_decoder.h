#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace kalendo {

// A decoded picture: rows top to bottom, three bytes (R, G, B) per pixel, no
// row padding. Empty when the input could not be decoded.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;

    bool Empty() const { return width == 0 || height == 0; }
};

// Pictures wider or higher than this are refused before any pixel memory is
// taken.
inline constexpr int kMaxPictureSide = 10000;

// Decodes JPEG bytes (colour, grey, CMYK). Never ends the program and never
// throws: input that is not a JPEG, too large or broken gives an empty
// picture; a truncated file gives the full size with what could be decoded.
Picture DecodeJpeg(const std::uint8_t* data, std::size_t size);

// The same for a file; a file that cannot be read, is no regular file or is
// larger than a picture may be (vor::kMaxPictureFileBytes) gives an empty picture.
Picture DecodeJpegFile(const std::filesystem::path& path);

}  // namespace kalendo
