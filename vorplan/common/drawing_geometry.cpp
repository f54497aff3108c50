#include "vorplan/common/drawing_geometry.h"

#include <algorithm>
#include <cmath>

#include "vorplan/common/conversions.h"
#include "vorplan/common/real_helpers.h"

namespace vor {

WinColor LightenColor(WinColor colour, int delta)
{
    return RgbColor(ClampByte(RedOf(colour) + delta), ClampByte(GreenOf(colour) + delta),
                    ClampByte(BlueOf(colour) + delta));
}

namespace {

int RoundToInt(double x) { return static_cast<int>(Round(x)); }

double Radians(double degrees) { return degrees * kDrawingPi / 180; }

constexpr int kFullCircle = 360 * 16;
constexpr int kTwelveOClock = 90 * 16;

}  // namespace

std::string PercentText(double percent)
{
    if (!std::isfinite(percent))
        percent = 0;
    const bool whole = percent == std::floor(percent);
    return FormatFixed(percent, whole ? 0 : 2) + "%";
}

PercentPie PercentPieGeometry(int width, int height, WinColor colour, double percent)
{
    if (!std::isfinite(percent))
        percent = 0;
    const double share = std::clamp(percent, 0.0, 100.0);

    PercentPie pie;
    pie.bounds = {0, 0, width, height};
    pie.centre = {RoundToInt(width * 0.5), RoundToInt(height * 0.5)};
    pie.radius = RoundToInt(width * 0.5);
    const double a = Radians(share * 3.6 - 90);
    pie.end = {pie.centre.x + RoundToInt(std::cos(a) * pie.radius),
               pie.centre.y + RoundToInt(std::sin(a) * pie.radius)};

    // The spans come from the angle, never from the rounded end point: at a
    // tiny share that point falls on the start and the canvas would draw a
    // whole disc.
    if (share <= 0) {
        pie.zero = true;
    } else if (share >= 100) {
        pie.sectors.push_back({kTwelveOClock, kFullCircle, kLime});
    } else {
        const int green = std::clamp(RoundToInt(share * 3.6 * 16), 1, kFullCircle - 1);
        pie.sectors.push_back({kTwelveOClock, kFullCircle - green, colour & 0xFFFFFF});
        pie.sectors.push_back({kTwelveOClock, -green, kLime});
    }
    pie.text = PercentText(percent);
    pie.fontSize = width / 15 + 5;
    return pie;
}

ProgressDial ProgressDialGeometry(int width, int height, int value)
{
    ProgressDial dial;
    const int r = height * 5 / 11;
    dial.centre = {RoundToInt(width * 0.5), RoundToInt(height * 0.5)};
    dial.radius = r;
    dial.innerRadius = r - RoundToInt(r * 0.1);
    dial.dotRadius = RoundToInt(r / 14.0);
    const int dotDistance = RoundToInt(r * 10 / 13.0);
    const int hand = RoundToInt(r * 0.625);

    for (int i = 0; i < 12; ++i) {
        const double angle = i * 0.5235833;
        dial.dots[static_cast<std::size_t>(i)] = {
            dial.centre.x + RoundToInt(std::cos(angle) * dotDistance),
            dial.centre.y + RoundToInt(std::sin(angle) * dotDistance)};
    }
    // Lines past the full circle fall on those already drawn.
    const long long last = std::min<long long>(static_cast<long long>(value) * 6, 360);
    for (long long i = 0; i <= last; ++i) {
        const double angle = Radians(static_cast<double>(i) - 90);
        dial.handEnds.push_back({dial.centre.x + RoundToInt(std::cos(angle) * hand),
                                 dial.centre.y + RoundToInt(std::sin(angle) * hand)});
    }
    return dial;
}

LabelPagePreview LabelPagePreviewGeometry(int width, int height)
{
    LabelPagePreview preview;
    preview.page = {10, 10, width - 10, height - 10};
    for (int i = 0; i <= 1; ++i) {
        for (int j = 0; j <= 4; ++j)
            preview.labels.push_back({20 + 100 * i, 15 + 57 * j, 115 + 95 * i, 67 + 57 * j});
    }
    struct Marker {
        bool horizontal;
        int at, from, to;
        WinColor colour;
    };
    const Marker markers[] = {
        {true, 38, 10, 20, kBlue},   {false, 67, 10, 15, kPink},
        {false, 67, 74, 124, kRed},  {true, 95, 20, 115, kLime},
        {true, 152, 20, 120, kAqua}, {false, 67, 131, 186, kOrange},
    };
    for (const Marker& m : markers) {
        for (int offset = -2; offset <= 2; ++offset) {
            const int at = m.at + offset;
            if (m.horizontal)
                preview.markers.push_back({{m.from, at}, {m.to, at}, m.colour});
            else
                preview.markers.push_back({{at, m.from}, {at, m.to}, m.colour});
        }
    }
    return preview;
}

namespace {

constexpr int kRowSlant = 12;

WinColor Grey(int d) { return RgbColor(ClampByte(d + 210), ClampByte(d + 210), ClampByte(d + 210)); }

WinColor Yellow(int d)
{
    return RgbColor(ClampByte(d + 200), ClampByte(d + 200), ClampByte(d + 10));
}

WinColor Red(int d) { return RgbColor(ClampByte(d + 200), ClampByte(d + 10), ClampByte(d + 10)); }

std::optional<WinColor> SchemeColour(int scheme, int d, int cell)
{
    switch (scheme) {
        case 1: return Grey(d);
        case 2: return cell < 22 ? Yellow(d) : Grey(d);
        case 3: return Yellow(d);
        case 4: return Red(d);
        case 5: return cell < 8 ? Yellow(d) : Grey(d);
        default: return std::nullopt;
    }
}

}  // namespace

AnimatedFigure AnimatedFigureGeometry(int width, int height, int scheme, int step)
{
    AnimatedFigure figure;
    const int s = static_cast<int>(Trunc(width * 0.125));
    const int m = kRowSlant;
    figure.cellSize = s;
    figure.window = {0, 0, width, height};

    for (int i = 0; i <= 15; ++i) {
        const WinColor pen = i <= 9 ? RgbColor(20 * i, 20 * i, 20 * i) : kBlack;
        figure.fan.push_back({{-2 - i, 0}, {16 * m - 2 - i, 16 * s}, pen});
    }
    figure.clearWindow = step == 0;

    int c = 1;
    double a = 0;
    double b = 0;
    for (int x = 0; x < 8 * s; x += s) {
        const int g = std::min(RoundToInt(c * 0.3) - 10, 10);
        for (int y = 0, k = 0; y < 7 * s; y += s, k += m) {
            const int p = RoundToInt(std::sin((step + x) / 32.0) * 20 + 20);
            const int q = RoundToInt(std::sin((step + x + s) / 32.0) * 20 + 20);
            const int left = RoundToInt(a * p + b);
            const int right = RoundToInt((a + 0.1) * q + b + g);
            const int d = (right - left) * 8;

            FlagCell cell;
            cell.number = c;
            cell.fill = y == 6 * s ? std::optional<WinColor>(kBlack) : SchemeColour(scheme, d, c);
            cell.corners = {Point{x + k, y + left}, Point{x + s + k, y + right},
                            Point{x + s + k + m, y + s + right}, Point{x + k + m, y + s + left}};
            figure.cells.push_back(cell);
            ++c;
        }
        a += 0.1;
        b += g;
    }
    return figure;
}

ColumnHeaders ColumnHeaderGeometry(const ColumnSet& columns)
{
    ColumnHeaders headers;
    const long count = std::min<long>(columns.count, kColumnSlots);
    for (long i = 1; i <= count; ++i) {
        headers.titles.push_back({{columns.x[i] + 3, 1}, columns.titles[i]});
        if (i >= 2)
            headers.separators.push_back({columns.x[i] - 3, 0, columns.x[i] - 2, 20});
    }
    return headers;
}

TildeItem TildeItemGeometry(const TildeFields& fields, const ColumnSet& columns, Rect item,
                            bool withSwatch)
{
    TildeItem drawn;
    const long count = std::min<long>(columns.count, kColumnSlots);
    for (long i = 1; i <= count; ++i) {
        drawn.fields.push_back({{item.left + 2 + columns.x[i], item.top + 1}, fields.fields[i]});
        if (i >= 2)
            drawn.separators.push_back({columns.x[i] - 4, item.top, columns.x[i] - 3, item.bottom});
    }
    if (withSwatch)
        drawn.swatch = Rect{item.right - 12, item.top + 1, item.right - 2, item.bottom - 2};
    return drawn;
}

}  // namespace vor
