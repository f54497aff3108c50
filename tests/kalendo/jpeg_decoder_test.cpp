#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <sys/stat.h>

#include "kalendo/jpeg_decoder.h"
#include "tests/support/test_support.h"
#include "vorplan/common/user_file.h"

namespace kalendo {
namespace {

struct Rgb {
    int r, g, b;
};

enum class Kind { Colour, Grey, ProgressiveColour, AdobeCmyk };

// Pictures made here with libjpeg's own compressor.
std::vector<std::uint8_t> EncodeJpeg(int width, int height, Kind kind, const std::function<Rgb(int, int)>& pixel)
{
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    int components = 3;
    switch (kind) {
    case Kind::Grey:
        components = 1;
        cinfo.in_color_space = JCS_GRAYSCALE;
        break;
    case Kind::AdobeCmyk:
        components = 4;
        cinfo.in_color_space = JCS_CMYK;
        break;
    default:
        cinfo.in_color_space = JCS_RGB;
        break;
    }
    cinfo.input_components = components;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 95, TRUE);
    if (kind == Kind::ProgressiveColour)
        jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<unsigned char> row(static_cast<std::size_t>(width * components));
    while (cinfo.next_scanline < cinfo.image_height) {
        const int y = static_cast<int>(cinfo.next_scanline);
        for (int x = 0; x < width; ++x) {
            const Rgb p = pixel(x, y);
            unsigned char* out = row.data() + x * components;
            if (kind == Kind::Grey) {
                out[0] = static_cast<unsigned char>(p.r);
            } else if (kind == Kind::AdobeCmyk) {
                // Stored as Adobe's writers store it: inverted ink amounts.
                out[0] = static_cast<unsigned char>(p.r);
                out[1] = static_cast<unsigned char>(p.g);
                out[2] = static_cast<unsigned char>(p.b);
                out[3] = 255;
            } else {
                out[0] = static_cast<unsigned char>(p.r);
                out[1] = static_cast<unsigned char>(p.g);
                out[2] = static_cast<unsigned char>(p.b);
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::vector<std::uint8_t> bytes(buffer, buffer + size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return bytes;
}

Rgb At(const Picture& picture, int x, int y)
{
    const std::size_t i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width) +
                           static_cast<std::size_t>(x)) * 3;
    return {picture.rgb[i], picture.rgb[i + 1], picture.rgb[i + 2]};
}

void ExpectNear(const Rgb& got, const Rgb& want, int tolerance)
{
    EXPECT_NEAR(got.r, want.r, tolerance);
    EXPECT_NEAR(got.g, want.g, tolerance);
    EXPECT_NEAR(got.b, want.b, tolerance);
}

Picture Decode(const std::vector<std::uint8_t>& bytes)
{
    return DecodeJpeg(bytes.data(), bytes.size());
}

constexpr Rgb kRed{230, 20, 30};
constexpr Rgb kBlue{20, 40, 220};

Rgb TwoHalves(int x, int)
{
    return x < 32 ? kRed : kBlue;
}

// Sets the width or height field of the first SOF marker.
void PatchFrameSize(std::vector<std::uint8_t>& bytes, int width, int height)
{
    for (std::size_t i = 2; i + 9 < bytes.size(); ++i) {
        if (bytes[i] == 0xFF && (bytes[i + 1] == 0xC0 || bytes[i + 1] == 0xC2)) {
            bytes[i + 5] = static_cast<std::uint8_t>(height >> 8);
            bytes[i + 6] = static_cast<std::uint8_t>(height & 0xFF);
            bytes[i + 7] = static_cast<std::uint8_t>(width >> 8);
            bytes[i + 8] = static_cast<std::uint8_t>(width & 0xFF);
            return;
        }
    }
    FAIL() << "no frame header";
}

TEST(DecodeJpeg, ColourPicturesKeepSizeAndPixels)
{
    for (const Kind kind : {Kind::Colour, Kind::ProgressiveColour}) {
        SCOPED_TRACE(kind == Kind::Colour ? "baseline" : "progressive");
        const Picture picture = Decode(EncodeJpeg(64, 40, kind, TwoHalves));
        ASSERT_EQ(picture.width, 64);
        ASSERT_EQ(picture.height, 40);
        ASSERT_EQ(picture.rgb.size(), 64u * 40u * 3u);
        ExpectNear(At(picture, 8, 20), kRed, 12);
        ExpectNear(At(picture, 56, 20), kBlue, 12);
        ExpectNear(At(picture, 0, 0), kRed, 16);
        ExpectNear(At(picture, 63, 39), kBlue, 16);
    }
}

TEST(DecodeJpeg, GreyPictureGivesEqualChannels)
{
    const Picture picture = Decode(EncodeJpeg(40, 24, Kind::Grey, [](int x, int) {
        return Rgb{x * 6, 0, 0};
    }));
    ASSERT_EQ(picture.width, 40);
    ASSERT_EQ(picture.height, 24);
    for (int x = 0; x < 40; x += 3) {
        const Rgb p = At(picture, x, 12);
        EXPECT_EQ(p.r, p.g);
        EXPECT_EQ(p.g, p.b);
        EXPECT_NEAR(p.r, x * 6, 6) << x;
    }
}

TEST(DecodeJpeg, AdobeCmykIsInvertedInk)
{
    // Inverted ink (255, 0, 0, 255) is no cyan, full magenta and yellow: red.
    const Picture picture = Decode(EncodeJpeg(16, 16, Kind::AdobeCmyk, [](int, int) {
        return Rgb{255, 0, 0};
    }));
    ASSERT_EQ(picture.width, 16);
    ExpectNear(At(picture, 8, 8), Rgb{255, 0, 0}, 8);
}

TEST(DecodeJpeg, TruncatedFileDecodesAsFarAsItGoes)
{
    const Rgb green{30, 200, 60};
    // Busy texture below a flat band, so that the scan data, not the tables,
    // makes up most of the file.
    const std::vector<std::uint8_t> whole = EncodeJpeg(64, 128, Kind::Colour, [&](int x, int y) {
        const int noise = (x * 7919 + y * 104729 + x * y * 31) % 251;
        return y < 16 ? green : Rgb{noise, 255 - noise, (noise * 3) % 256};
    });
    ASSERT_GT(whole.size(), 4000u);
    for (const double part : {0.75, 0.5}) {
        SCOPED_TRACE(part);
        const std::vector<std::uint8_t> cut(whole.begin(),
                                            whole.begin() + static_cast<std::ptrdiff_t>(whole.size() * part));
        const Picture picture = Decode(cut);
        ASSERT_EQ(picture.width, 64);
        ASSERT_EQ(picture.height, 128);
        ExpectNear(At(picture, 32, 4), green, 12);
    }
}

TEST(DecodeJpeg, WhatIsNoPictureGivesAnEmptyOne)
{
    std::mt19937 random(20020);
    std::vector<std::uint8_t> noise(4096);
    for (auto& b : noise)
        b = static_cast<std::uint8_t>(random());
    noise[0] = 0x00;  // never a JPEG start by chance

    const std::vector<std::uint8_t> whole = EncodeJpeg(32, 32, Kind::Colour, TwoHalves);
    const std::vector<std::uint8_t> headerOnly(whole.begin(), whole.begin() + 100);
    std::vector<std::uint8_t> startThenNoise = {0xFF, 0xD8};
    startThenNoise.insert(startThenNoise.end(), noise.begin(), noise.end());

    const std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D',
                                           'R', 0, 0, 0, 1, 0, 0, 0, 1, 8, 2, 0, 0, 0, 0x90, 0x77, 0x53, 0xDE};
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
    };
    const Case cases[] = {
        {"random bytes", noise},
        {"a PNG", png},
        {"cut inside the header", headerOnly},
        {"start marker then random bytes", startThenNoise},
        {"the start marker alone", {0xFF, 0xD8}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Picture picture = Decode(c.bytes);
        EXPECT_TRUE(picture.Empty());
        EXPECT_TRUE(picture.rgb.empty());
    }
    EXPECT_TRUE(DecodeJpeg(nullptr, 0).Empty());
}

TEST(DecodeJpeg, SidesAbove10000AreRefused)
{
    const std::vector<std::uint8_t> small = EncodeJpeg(16, 8, Kind::Colour, TwoHalves);
    struct Case {
        int width, height;
        bool decoded;
    };
    for (const Case c : {Case{10001, 8, false}, Case{16, 10001, false}, Case{65535, 65535, false},
                         Case{10000, 8, true}}) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        std::vector<std::uint8_t> bytes = small;
        PatchFrameSize(bytes, c.width, c.height);
        const Picture picture = Decode(bytes);
        EXPECT_EQ(!picture.Empty(), c.decoded);
        if (c.decoded) {
            EXPECT_EQ(picture.width, c.width);
            EXPECT_EQ(picture.height, c.height);
            EXPECT_EQ(picture.rgb.size(), static_cast<std::size_t>(c.width) * c.height * 3);
        }
    }
}

TEST(DecodeJpegFile, Files)
{
    vortest::TempDir dir;
    const std::vector<std::uint8_t> jpeg = EncodeJpeg(24, 16, Kind::Colour, TwoHalves);
    vortest::WriteBytes(dir.path() / "good.jpg", std::string(jpeg.begin(), jpeg.end()));
    vortest::WriteBytes(dir.path() / "empty.jpg", "");
    vortest::WriteBytes(dir.path() / "picture.jpg",
                        std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\1\0\0\0\1\x08\x02\0\0\0", 29));

    const Picture good = DecodeJpegFile(dir.path() / "good.jpg");
    EXPECT_EQ(good.width, 24);
    EXPECT_EQ(good.height, 16);
    EXPECT_TRUE(DecodeJpegFile(dir.path() / "empty.jpg").Empty());
    EXPECT_TRUE(DecodeJpegFile(dir.path() / "picture.jpg").Empty());
    EXPECT_TRUE(DecodeJpegFile(dir.path() / "missing.jpg").Empty());
    EXPECT_TRUE(DecodeJpegFile(dir.path()).Empty());  // a folder

    // Neither a FIFO (it would block for ever) nor a device nor a file above a
    // picture's limit is read.
    const std::filesystem::path fifo = dir.path() / "fifo.jpg";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_TRUE(DecodeJpegFile(fifo).Empty());
    EXPECT_TRUE(DecodeJpegFile("/dev/zero").Empty());
    const std::filesystem::path big = dir.path() / "big.jpg";
    vortest::WriteBytes(big, std::string(jpeg.begin(), jpeg.end()));
    std::filesystem::resize_file(big, vor::kMaxPictureFileBytes + 1);
    EXPECT_TRUE(DecodeJpegFile(big).Empty());
}

TEST(DecodeJpegFile, TheShippedSplashPicture)
{
    const Picture picture = DecodeJpegFile(VOR_SOURCE_DIR "/dist/vl_2002.jpg");
    EXPECT_EQ(picture.width, 340);
    EXPECT_EQ(picture.height, 295);
}

}  // namespace
}  // namespace kalendo
