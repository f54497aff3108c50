#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "vorplan/common/list_helpers.h"

namespace vor {

// The geometry of the shared drawing routines, apart from any canvas: the
// painting functions only walk these. Coordinates are pixels of the control
// drawn on; colours are Windows colour numbers 0x00BBGGRR.

using WinColor = std::uint32_t;

constexpr WinColor RgbColor(int red, int green, int blue)
{
    return static_cast<WinColor>(red & 0xFF) | (static_cast<WinColor>(green & 0xFF) << 8) |
           (static_cast<WinColor>(blue & 0xFF) << 16);
}
constexpr int RedOf(WinColor colour) { return static_cast<int>(colour & 0xFF); }
constexpr int GreenOf(WinColor colour) { return static_cast<int>((colour >> 8) & 0xFF); }
constexpr int BlueOf(WinColor colour) { return static_cast<int>((colour >> 16) & 0xFF); }

constexpr WinColor kBlack = 0x000000;
constexpr WinColor kWhite = 0xFFFFFF;
constexpr WinColor kGrey = 0x808080;
constexpr WinColor kSilver = 0xC0C0C0;
constexpr WinColor kNavy = 0x800000;
constexpr WinColor kBlue = 0xFF0000;
constexpr WinColor kRed = 0x0000FF;
constexpr WinColor kLime = 0x00FF00;
constexpr WinColor kYellow = 0x00FFFF;
constexpr WinColor kAqua = 0xFFFF00;
constexpr WinColor kPink = 0xFF80FF;
constexpr WinColor kOrange = 0x0080FF;

// The angle approximation the drawings use.
constexpr double kDrawingPi = 3.1415;

// Each of red, green and blue plus `delta`, limited to 0..255; a negative
// delta darkens. The top byte of the result is 0.
WinColor LightenColor(WinColor colour, int delta);

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

// A rectangle as the Windows canvas takes it: right and bottom are outside.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const Rect&) const = default;
};

struct Line {
    Point from;
    Point to;
    WinColor colour = kBlack;
    bool operator==(const Line&) const = default;
};

// A text whose top-left corner is `at`.
struct TextAt {
    Point at;
    std::string text;
    bool operator==(const TextAt&) const = default;
};

// ---- Percentage pie -----------------------------------------------------------

// A pie sector in the toolkit's terms: angles in sixteenths of a degree,
// counter-clockwise from three o'clock (a negative span runs clockwise).
struct PieSector {
    int start = 0;
    int span = 0;
    WinColor colour = kBlack;
};

struct PercentPie {
    Rect bounds;        // the ellipse of the whole pie
    Point centre;
    int radius = 0;
    Point end;          // where the share ends on the rim
    bool zero = false;  // the whole ellipse in the given colour, black outline
    std::vector<PieSector> sectors;  // drawn in order, each in its colour (brush and pen)
    std::string text;   // the percentage, centred on `centre`
    int fontSize = 0;   // points
};

// The pie of `percent` on a control of `width` x `height`: the share in lime
// green clockwise from twelve o'clock, the rest in `colour`. The share is
// drawn for `percent` limited to 0..100; a share above 0 is at least a thin
// slice and a rest above 0 likewise, so a tiny share never shows as a whole
// disc. The text shows the percentage as given ("25%", "12.50%"); a value that
// is not finite is taken as 0.
PercentPie PercentPieGeometry(int width, int height, WinColor colour, double percent);

// The pie's caption: whole numbers without decimals, others with two.
std::string PercentText(double percent);

// ---- Progress dial -------------------------------------------------------------

struct ProgressDial {
    Point centre;
    int radius = 0;       // the grey ring's outer radius
    int innerRadius = 0;  // the blue face
    int dotRadius = 0;
    std::array<Point, 12> dots{};  // yellow hour dots
    std::vector<Point> handEnds;   // red lines (pen width 2) from the centre
};

// The dial for `value` (0..60) on a control of `width` x `height`: one red
// line for every degree of value x 6, clockwise from twelve o'clock.
ProgressDial ProgressDialGeometry(int width, int height, int value);

// ---- Label page preview ---------------------------------------------------------

struct LabelPagePreview {
    Rect page;                 // white, black outline
    std::vector<Rect> labels;  // yellow, corners 6 x 6
    std::vector<Line> markers; // pen width 2; five parallel lines each
};

LabelPagePreview LabelPagePreviewGeometry(int width, int height);

// ---- Animated flag ----------------------------------------------------------------

struct FlagCell {
    std::array<Point, 4> corners{};
    std::optional<WinColor> fill;  // none: the brush is left as the cell before left it
    int number = 0;                // the running cell number c, from 1
};

struct AnimatedFigure {
    int cellSize = 0;
    std::vector<Line> fan;     // drawn first
    bool clearWindow = false;  // at step 0, then filled black (the brush stays black)
    Rect window;
    std::vector<FlagCell> cells;  // filled, outlined in black
};

// The flag of 8 columns x 7 rows of slanted cells over a fan of grey lines,
// for colour scheme 0..5 (others leave the brush as it is) at `step`.
AnimatedFigure AnimatedFigureGeometry(int width, int height, int scheme, int step);

// ---- Record lists -----------------------------------------------------------------

struct ColumnHeaders {
    std::vector<TextAt> titles;   // navy, "Arial"
    std::vector<Rect> separators; // navy
};

// Title i at (x(i) + 3, 1) for the columns of `columns`; before every column
// from the second on a separator from (x(i) - 3, 0) to (x(i) - 2, 20).
ColumnHeaders ColumnHeaderGeometry(const ColumnSet& columns);

struct TildeItem {
    std::vector<TextAt> fields;
    std::vector<Rect> separators;  // silver
    std::optional<Rect> swatch;    // filled with the record's colour, outlined in silver
};

// One record item in `item`: field i at (left + 2 + x(i), top + 1) for each
// column, separators at x(i) - 4 over the item's height for the columns from
// the second on, and with `withSwatch` the colour swatch from
// (right - 12, top + 1) to (right - 2, bottom - 2).
TildeItem TildeItemGeometry(const TildeFields& fields, const ColumnSet& columns, Rect item,
                            bool withSwatch);

}  // namespace vor
