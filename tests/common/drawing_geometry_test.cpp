// Geometry of the shared drawings: pie, dial, label page, flag, record columns.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

#include "vorplan/common/drawing_geometry.h"

namespace {

using vor::Point;
using vor::Rect;
using vor::WinColor;

TEST(LightenColor, AddsToEachComponentWithinAByte)
{
    struct Case {
        WinColor colour;
        int delta;
        WinColor expected;
    };
    const Case cases[] = {
        {0x00102030, 240, 0x00FFFFFF},
        {0x00102030, -64, 0x00000000},
        {0x00102030, 16, 0x00203040},
        {0x00FF0080, -0x80, 0x007F0000},  // each component on its own
        {0xFF102030, 0, 0x00102030},      // the top byte is no colour
    };
    for (const Case& c : cases)
        EXPECT_EQ(vor::LightenColor(c.colour, c.delta), c.expected)
            << std::hex << c.colour << " " << std::dec << c.delta;
}

TEST(PercentPie, TextShowsWholeNumbersPlainAndOthersWithTwoDecimals)
{
    struct Case {
        double percent;
        const char* text;
    };
    const Case cases[] = {
        {0, "0%"},         {25, "25%"},      {12.5, "12.50%"},
        {100, "100%"},     {0.01, "0.01%"},  {0.1, "0.10%"},
        {33.3333, "33.33%"}, {120, "120%"},  {-5, "-5%"},
        {std::numeric_limits<double>::quiet_NaN(), "0%"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(vor::PercentText(c.percent), c.text) << c.percent;
}

TEST(PercentPie, GreenShareRunsClockwiseFromTwelveAndTheRestInTheGivenColour)
{
    constexpr WinColor kColour = 0x00FF0000;
    struct Case {
        double percent;
        bool zero;
        // Sixteenths of a degree; 0 where the sector is not drawn.
        int colourSpan;
        int greenSpan;
    };
    const Case cases[] = {
        {0, true, 0, 0},
        {25, false, 4320, -1440},
        {50, false, 2880, -2880},
        {12.5, false, 5040, -720},
        {0.1, false, 5754, -6},
        // A tiny share stays a thin slice; the rounded end point would fall
        // on the start point, and the canvas would draw a whole green disc.
        {0.01, false, 5759, -1},
        {0.0001, false, 5759, -1},
        {99.9999, false, 1, -5759},
        {100, false, 0, -5760},
        {150, false, 0, -5760},  // clamped for the drawing
        {-3, true, 0, 0},
        {std::numeric_limits<double>::infinity(), true, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.percent);
        const vor::PercentPie pie = vor::PercentPieGeometry(100, 100, kColour, c.percent);
        EXPECT_EQ(pie.zero, c.zero);
        int colourSpan = 0;
        int greenSpan = 0;
        for (const vor::PieSector& sector : pie.sectors) {
            EXPECT_EQ(sector.start, 90 * 16);
            if (sector.colour == vor::kLime)
                greenSpan = sector.span;
            else if (sector.colour == kColour)
                colourSpan = sector.span;
            else
                ADD_FAILURE() << "sector colour " << std::hex << sector.colour;
        }
        EXPECT_EQ(colourSpan, c.colourSpan);
        // The full green disc is drawn counter-clockwise; only its size matters.
        EXPECT_EQ(std::abs(greenSpan), std::abs(c.greenSpan));
        if (c.greenSpan != 0 && c.greenSpan != -5760) {
            EXPECT_LT(greenSpan, 0) << "the share runs clockwise";
        }
    }
}

TEST(PercentPie, CentreRadiusEndPointAndFontFollowTheControl)
{
    const vor::PercentPie pie = vor::PercentPieGeometry(100, 80, 0, 25);
    EXPECT_EQ(pie.bounds, (Rect{0, 0, 100, 80}));
    EXPECT_EQ(pie.centre, (Point{50, 40}));
    EXPECT_EQ(pie.radius, 50);
    EXPECT_EQ(pie.end, (Point{100, 40}));  // three o'clock
    EXPECT_EQ(pie.fontSize, 100 / 15 + 5);

    // Halves go to even: 101 x 0.5 = 50.5 gives 50, 103 x 0.5 = 51.5 gives 52.
    EXPECT_EQ(vor::PercentPieGeometry(101, 103, 0, 50).centre, (Point{50, 52}));
    EXPECT_EQ(vor::PercentPieGeometry(101, 103, 0, 50).radius, 50);
}

TEST(ProgressDial, SizesComeFromTheHeight)
{
    const vor::ProgressDial dial = vor::ProgressDialGeometry(120, 110, 0);
    EXPECT_EQ(dial.centre, (Point{60, 55}));
    EXPECT_EQ(dial.radius, 50);       // 110 x 5 / 11
    EXPECT_EQ(dial.innerRadius, 45);  // ring 5
    EXPECT_EQ(dial.dotRadius, 4);     // 50 / 14 = 3.57
    EXPECT_EQ(dial.dots[0], (Point{98, 55}));   // distance 38 at three o'clock
    EXPECT_EQ(dial.dots[3], (Point{60, 93}));   // 0.5235833 x 3 is not quite a right angle
    EXPECT_EQ(dial.dots[9], (Point{60, 17}));
}

TEST(ProgressDial, OneRedLinePerDegreeClockwiseFromTwelve)
{
    constexpr int kHand = 31;  // 50 x 0.625 = 31.25
    struct Case {
        int value;
        std::size_t lines;
        Point last;
    };
    const Case cases[] = {
        {0, 1, {60, 55 - kHand}},
        {15, 91, {60 + kHand, 55}},
        {30, 181, {60, 55 + kHand}},
        {60, 361, {60, 55 - kHand}},
        {600, 361, {60, 55 - kHand}},  // past the full circle nothing new is drawn
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        const vor::ProgressDial dial = vor::ProgressDialGeometry(120, 110, c.value);
        ASSERT_EQ(dial.handEnds.size(), c.lines);
        EXPECT_EQ(dial.handEnds.front(), (Point{60, 55 - kHand}));
        EXPECT_EQ(dial.handEnds.back(), c.last);
    }
    EXPECT_TRUE(vor::ProgressDialGeometry(120, 110, -1).handEnds.empty());
}

TEST(LabelPagePreview, PageLabelsAndMarkers)
{
    const vor::LabelPagePreview preview = vor::LabelPagePreviewGeometry(240, 320);
    EXPECT_EQ(preview.page, (Rect{10, 10, 230, 310}));
    ASSERT_EQ(preview.labels.size(), 10u);
    EXPECT_EQ(preview.labels.front(), (Rect{20, 15, 115, 67}));
    EXPECT_EQ(preview.labels.back(), (Rect{120, 243, 210, 295}));

    ASSERT_EQ(preview.markers.size(), 30u);
    // Five parallel lines each, offsets -2..2.
    EXPECT_EQ(preview.markers[0], (vor::Line{{10, 36}, {20, 36}, vor::kBlue}));
    EXPECT_EQ(preview.markers[4], (vor::Line{{10, 40}, {20, 40}, vor::kBlue}));
    EXPECT_EQ(preview.markers[7], (vor::Line{{67, 10}, {67, 15}, vor::kPink}));
    EXPECT_EQ(preview.markers[12], (vor::Line{{67, 74}, {67, 124}, vor::kRed}));
    EXPECT_EQ(preview.markers[17], (vor::Line{{20, 95}, {115, 95}, vor::kLime}));
    EXPECT_EQ(preview.markers[22], (vor::Line{{20, 152}, {120, 152}, vor::kAqua}));
    EXPECT_EQ(preview.markers[29], (vor::Line{{69, 131}, {69, 186}, vor::kOrange}));
}

TEST(AnimatedFigure, FirstCellAndEverySeventhCellOfTheFlag)
{
    const vor::AnimatedFigure figure = vor::AnimatedFigureGeometry(160, 160, 1, 0);
    EXPECT_EQ(figure.cellSize, 20);
    EXPECT_TRUE(figure.clearWindow);
    EXPECT_EQ(figure.window, (Rect{0, 0, 160, 160}));
    ASSERT_EQ(figure.cells.size(), 56u);  // 8 columns x 7 rows

    const vor::FlagCell& first = figure.cells.front();
    EXPECT_EQ(first.corners[0], (Point{0, 0}));
    EXPECT_EQ(first.corners[1], (Point{20, -7}));
    EXPECT_EQ(first.corners[2], (Point{32, 13}));
    EXPECT_EQ(first.corners[3], (Point{12, 20}));
    EXPECT_EQ(first.fill, vor::RgbColor(154, 154, 154));

    for (const vor::FlagCell& cell : figure.cells) {
        SCOPED_TRACE(cell.number);
        ASSERT_TRUE(cell.fill.has_value());
        if (cell.number % 7 == 0) {
            EXPECT_EQ(*cell.fill, vor::kBlack);
        } else {
            EXPECT_NE(*cell.fill, vor::kBlack);
            EXPECT_EQ(vor::RedOf(*cell.fill), vor::BlueOf(*cell.fill)) << "scheme 1 is grey";
        }
    }
    // The rows lean right by 12 pixels each.
    EXPECT_EQ(figure.cells[1].corners[0], (Point{12, 20}));
}

TEST(AnimatedFigure, ColumnOffsetRoundsHalfToEven)
{
    // Column 3 starts with cell 15: round(15 x 0.3) is 4 (half to even), so
    // g = -6; rounding half away from zero would give -5 and move the right
    // drop to -11.
    const vor::AnimatedFigure figure = vor::AnimatedFigureGeometry(160, 160, 1, 0);
    const vor::FlagCell& cell = figure.cells[14];
    EXPECT_EQ(cell.number, 15);
    EXPECT_EQ(cell.corners[0], (Point{40, -10}));
    EXPECT_EQ(cell.corners[1], (Point{60, -12}));
}

TEST(AnimatedFigure, FanOfGreyLinesAndTheStepZeroClear)
{
    const vor::AnimatedFigure figure = vor::AnimatedFigureGeometry(160, 160, 1, 3);
    EXPECT_FALSE(figure.clearWindow);
    ASSERT_EQ(figure.fan.size(), 16u);
    EXPECT_EQ(figure.fan[0], (vor::Line{{-2, 0}, {190, 320}, vor::RgbColor(0, 0, 0)}));
    EXPECT_EQ(figure.fan[9], (vor::Line{{-11, 0}, {181, 320}, vor::RgbColor(180, 180, 180)}));
    EXPECT_EQ(figure.fan[10].colour, vor::kBlack);
    EXPECT_EQ(figure.fan[15], (vor::Line{{-17, 0}, {175, 320}, vor::kBlack}));
}

TEST(AnimatedFigure, ColourSchemes)
{
    // At step 0 the first column has d = -56 (see the first cell).
    struct Case {
        int scheme;
        int cellNumber;
        std::optional<WinColor> fill;
    };
    const WinColor grey = vor::RgbColor(154, 154, 154);
    const WinColor yellow = vor::RgbColor(144, 144, 0);
    const Case cases[] = {
        {0, 1, std::nullopt},
        {0, 7, vor::kBlack},  // the last row is black whatever the scheme
        {1, 1, grey},
        {2, 1, yellow},
        {3, 1, yellow},
        {4, 1, vor::RgbColor(144, 0, 0)},
        {5, 1, yellow},
        {5, 6, yellow},
        {6, 1, std::nullopt},  // an unknown scheme leaves the brush
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "scheme " << c.scheme << " cell " << c.cellNumber);
        const auto figure = vor::AnimatedFigureGeometry(160, 160, c.scheme, 0);
        EXPECT_EQ(figure.cells[static_cast<std::size_t>(c.cellNumber - 1)].fill, c.fill);
    }
    // Yellow gives way to grey from cell 22 (scheme 2) and cell 8 (scheme 5).
    for (const auto& [scheme, lastYellow] : {std::pair{2, 21}, std::pair{5, 7}}) {
        const auto figure = vor::AnimatedFigureGeometry(160, 160, scheme, 0);
        for (const vor::FlagCell& cell : figure.cells) {
            if (cell.number % 7 == 0)
                continue;
            const WinColor fill = *cell.fill;
            const bool isYellow = vor::BlueOf(fill) < vor::RedOf(fill);
            EXPECT_EQ(isYellow, cell.number <= lastYellow) << "scheme " << scheme << " cell " << cell.number;
        }
    }
}

TEST(AnimatedFigure, ANarrowWindowHasNoCells)
{
    EXPECT_TRUE(vor::AnimatedFigureGeometry(7, 50, 1, 0).cells.empty());
    EXPECT_EQ(vor::AnimatedFigureGeometry(7, 50, 1, 0).fan.size(), 16u);
}

vor::ColumnSet ThreeColumns()
{
    vor::ColumnSet columns;
    columns.count = 3;
    columns.titles[1] = "Code";
    columns.titles[2] = "Description";
    columns.titles[3] = "Family";
    columns.x[1] = 1;
    columns.x[2] = 100;
    columns.x[3] = 200;
    columns.x[4] = 300;
    return columns;
}

TEST(ColumnHeaders, TitlesAndSeparatorsAtTheColumnPositions)
{
    const vor::ColumnHeaders headers = vor::ColumnHeaderGeometry(ThreeColumns());
    const std::vector<vor::TextAt> titles{
        {{4, 1}, "Code"}, {{103, 1}, "Description"}, {{203, 1}, "Family"}};
    EXPECT_EQ(headers.titles, titles);
    const std::vector<Rect> separators{{97, 0, 98, 20}, {197, 0, 198, 20}};
    EXPECT_EQ(headers.separators, separators);
}

TEST(TildeItem, FieldsInColumnsSeparatorsAndSwatch)
{
    const vor::TildeFields fields = vor::SplitTilde("12~Pine~Wood~ignored");
    const vor::TildeItem item =
        vor::TildeItemGeometry(fields, ThreeColumns(), Rect{0, 20, 300, 36}, true);
    const std::vector<vor::TextAt> texts{{{3, 21}, "12"}, {{102, 21}, "Pine"}, {{202, 21}, "Wood"}};
    EXPECT_EQ(item.fields, texts);
    const std::vector<Rect> separators{{96, 20, 97, 36}, {196, 20, 197, 36}};
    EXPECT_EQ(item.separators, separators);
    EXPECT_EQ(item.swatch, (Rect{288, 21, 298, 34}));

    EXPECT_FALSE(vor::TildeItemGeometry(fields, ThreeColumns(), Rect{0, 20, 300, 36}, false).swatch);
}

}  // namespace
