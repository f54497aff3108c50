#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ostrel {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

namespace colours {
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kGrey{128, 128, 128};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kNavy{0, 0, 128};
constexpr Rgb kGreen{0, 128, 0};
constexpr Rgb kSilver{192, 192, 192};
constexpr Rgb kYellow{255, 255, 0};
constexpr Rgb kAqua{0, 255, 255};
constexpr Rgb kLime{0, 255, 0};
}  // namespace colours

// Windows-style rectangle: right and bottom are one past the last pixel.
struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// Fonts are asked for by family and point size; the device maps points to pixels.
struct Font {
    std::string family = "arial";
    int pointSize = 8;
    bool bold = false;
    friend bool operator==(const Font&, const Font&) = default;
};

// Measures text on one device (screen or printer), in that device's pixels.
class TextMetrics {
public:
    virtual ~TextMetrics() = default;
    // Advance width of the UTF-8 text in the font.
    virtual int TextWidth(const Font& font, std::string_view text) const = 0;
    // Full cell height of a line of the text in the font (ascent + descent).
    virtual int TextHeight(const Font& font, std::string_view text) const = 0;
};

enum class OpKind {
    Fill,     // rect filled with colour
    Text,     // text at (x, y) top-left, in font and colour, clipped to rect, no background
    Line,     // solid line from (x, y) to (x2, y2), penWidth pixels, colour
    Box,      // rect filled with colour and framed with border (1 pixel)
    Picture,  // the bitmap file `text` stretched into rect
};

// One drawing step. The same list is painted on the screen and on the printer.
struct DrawOp {
    OpKind kind = OpKind::Fill;
    Rect rect;
    int x = 0, y = 0;
    int x2 = 0, y2 = 0;
    int penWidth = 1;
    Rgb colour = colours::kBlack;
    Rgb border = colours::kBlack;
    Font font;
    std::string text;

    static DrawOp MakeFill(const Rect& r, Rgb c);
    static DrawOp MakeText(int x, int y, std::string text, const Font& f, Rgb c, const Rect& clip);
    static DrawOp MakeLine(int x1, int y1, int x2, int y2, int width, Rgb c);
    static DrawOp MakeBox(const Rect& r, Rgb fill, Rgb border);
    static DrawOp MakePicture(const Rect& r, std::string file);
};

using DrawOps = std::vector<DrawOp>;

}  // namespace ostrel
