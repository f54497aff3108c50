// The overview of all layouts: grid, stacks, sheet groups, hover countdown and
// the drawing on a recording canvas over layout files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/layoutview/drawing_fixture.h"
#include "tests/layoutview/layoutview_support.h"
#include "vorplan/layoutview/cut_lines.h"
#include "vorplan/layoutview/layout_colours.h"
#include "vorplan/layoutview/layout_pass.h"
#include "vorplan/layoutview/overview.h"

namespace {

using Kind = vortest::RecordingCanvas::Kind;

TEST(OverviewTest, GridShapeFollowsTheLayoutCount)
{
    struct Case {
        long long layouts;
        int k, rows, perRow;
    };
    const Case cases[] = {{1, 2, 3, 4},    {25, 2, 5, 8},    {26, 3, 5, 7},     {50, 3, 6, 9},
                          {51, 4, 7, 10},  {100, 4, 9, 14},  {101, 8, 10, 12},  {300, 10, 15, 20},
                          {301, 12, 16, 20}, {900, 12, 25, 38}};
    for (const Case& c : cases) {
        const vor::OverviewGrid g = vor::OverviewGridShape(c.layouts);
        EXPECT_EQ(g.k, c.k) << c.layouts;
        EXPECT_EQ(g.rows, c.rows) << c.layouts;
        EXPECT_EQ(g.perRow, c.perRow) << c.layouts;
    }
}

TEST(OverviewTest, StacksShiftTwoPixelsPerCopyUpToThirty)
{
    EXPECT_TRUE(vor::OverviewStackShifts(0, false).empty());
    EXPECT_EQ(vor::OverviewStackShifts(5, false), (std::vector<int>{2, 4, 6, 8, 10}));
    EXPECT_TRUE(vor::OverviewStackShifts(5, true).empty());  // "Nivelar"
    const std::vector<int> many = vor::OverviewStackShifts(40, false);
    ASSERT_EQ(many.size(), 30u);
    EXPECT_EQ(many[19], 40);
    for (std::size_t j = 20; j < 30; ++j)
        EXPECT_EQ(many[j] - many[j - 1], 1) << j;
    EXPECT_EQ(vor::OverviewStackShifts(30, false).back(), 60);  // 30 itself is not "above 30"
}

TEST(OverviewTest, SheetGroupsByFirstAppearanceAndTheLastHoveredCellWins)
{
    vor::OverviewCells cells;
    const int sizes[][2] = {{2750, 1830}, {2440, 1220}, {2750, 1830}, {1830, 2750}};
    std::vector<int> groups;
    for (int n = 1; n <= 4; ++n)
        groups.push_back(cells.Record(n, {n * 10, 0, n * 10 + 15, 10}, sizes[n - 1][0], sizes[n - 1][1]));
    EXPECT_EQ(groups, (std::vector<int>{1, 2, 1, 3}));
    EXPECT_EQ(cells.Record(1000, {0, 0, 5, 5}, 1, 1), 0);  // outside the record's numbers
    EXPECT_EQ(cells.HitTest(22, 5), 2);
    EXPECT_EQ(cells.HitTest(25, 5), 2);  // edges count
    EXPECT_EQ(cells.HitTest(30, 5), 3);  // cells 2 and 3 both hold x = 30: the last
    EXPECT_EQ(cells.HitTest(200, 5), 0);
}

TEST(OverviewTest, CountdownShowsFromTheSecondTickRestsAtFiveAndHidesAtZero)
{
    int countdown = 0;
    struct Step {
        char event;  // 'h' hit, 'm' miss, 't' tick
        int after;
        bool show, hide;
    };
    const Step steps[] = {
        {'t', 0, false, false},  {'h', 22, false, false}, {'t', 21, false, false},
        {'t', 20, true, false},  {'t', 19, true, false},
    };
    for (const Step& s : steps) {
        vor::OverviewCountdownStep out;
        if (s.event == 'h')
            countdown = vor::kOverviewCountdownHit;
        else if (s.event == 'm')
            vor::OverviewCountdownMiss(countdown);
        else
            out = vor::OverviewCountdownTick(countdown);
        EXPECT_EQ(countdown, s.after) << s.event;
        EXPECT_EQ(out.show, s.show) << s.event << s.after;
        EXPECT_EQ(out.hide, s.hide) << s.event << s.after;
    }
    for (int i = 0; i < 30; ++i)
        EXPECT_TRUE(vor::OverviewCountdownTick(countdown).show);
    EXPECT_EQ(countdown, 5);  // resting while hovered
    vor::OverviewCountdownMiss(countdown);
    EXPECT_EQ(countdown, 3);
    EXPECT_TRUE(vor::OverviewCountdownTick(countdown).show);  // 3 shows, then 2
    EXPECT_FALSE(vor::OverviewCountdownTick(countdown).show);
    const vor::OverviewCountdownStep last = vor::OverviewCountdownTick(countdown);
    EXPECT_EQ(countdown, 0);
    EXPECT_TRUE(last.hide);
    EXPECT_FALSE(vor::OverviewCountdownTick(countdown).hide);  // resting at 0
    int idle = 1;
    vor::OverviewCountdownMiss(idle);
    EXPECT_EQ(idle, 1);  // a miss never raises it
}

TEST(OverviewTest, CaptionsAndClickTarget)
{
    vor::OverviewCell cell;
    cell.repetitions = 3;
    cell.yield = 75.2;
    cell.sheetWidth = 27500;
    cell.sheetHeight = 18300;
    const vor::OverviewHoverTexts t = vor::MakeOverviewHoverTexts(9, cell, true);
    EXPECT_EQ(t.layout, "9");
    EXPECT_EQ(t.repetitions, "3");
    EXPECT_EQ(t.yield, " 75.20 %");
    EXPECT_EQ(t.loss, " 24.80 %");
    EXPECT_EQ(t.width, "2750.0");
    EXPECT_EQ(t.height, "1830.0");
    EXPECT_EQ(vor::OverviewPercentText(100), "100.00 %");
    EXPECT_EQ(vor::OverviewClickTarget("9"), 9);
    EXPECT_EQ(vor::OverviewClickTarget(""), 1);
    EXPECT_EQ(vor::OverviewClickTarget("0"), 1);
}

// Layout files of `count` layouts; layout n has the sheet size and
// repetition field that `sheet` gives it.
struct OverviewFixture : vortest::ViewerFixture {
    struct Sheet {
        int length = 20000, height = 12000, repetitions = 0;
    };

    void Write(long long count, const std::function<Sheet(long long)>& sheet = {})
    {
        for (long long n = 1; n <= count; ++n) {
            const Sheet s = sheet ? sheet(n) : Sheet{};
            WriteMon(n, {"; Arquivo de distribuição ( Modificado )", "", ";Tipo  Cód.     X     Y     L     H ",
                         "", "0 3 " + std::to_string(s.repetitions) + " 0 " + std::to_string(s.length) + " " +
                                 std::to_string(s.height) + " Chapa 0",
                         "1 100 0 0 " + std::to_string(s.length / 2) + " " + std::to_string(s.height) + " Porta 1",
                         "1 101 " + std::to_string(s.length / 2) + " 0 " + std::to_string(s.length / 2) + " " +
                             std::to_string(s.height) + " Porta 1"});
        }
        vor::LayoutTotals totals;
        vor::RunLayoutPass(state, inputs, totals);
    }

    vor::OverviewResult Draw(vor::OverviewOptions options = {})
    {
        drawing.view.boxWidth = 1200;
        drawing.view.boxHeight = 700;
        return vor::DrawOverview(drawing.context, drawing.view, state, inputs, cells, options);
    }

    vor::LayoutState state;
    vor::OverviewCells cells;
    vortest::DrawingFixture drawing;
};

TEST(OverviewTest, EveryCellLiesInsideThePaintBoxWithoutOverlap)
{
    for (long long count : {1LL, 26LL, 900LL}) {
        OverviewFixture f;
        f.Write(count);
        const vor::OverviewResult result = f.Draw();
        ASSERT_EQ(result.drawn, count);
        std::vector<vor::Rect> rects;
        for (long long n = 1; n <= count; ++n) {
            const vor::OverviewCell* cell = f.cells.Cell(n);
            ASSERT_NE(cell, nullptr) << n;
            const vor::Rect& r = cell->rect;
            EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right < 1200 && r.bottom < 700)
                << count << " layout " << n;
            for (const vor::Rect& o : rects)
                ASSERT_FALSE(r.left <= o.right && o.left <= r.right && r.top <= o.bottom && o.top <= r.bottom)
                    << count << " layout " << n;
            rects.push_back(r);
        }
    }
}

TEST(OverviewTest, TwentySixLayoutsFillFiveRowsOfSeven)
{
    OverviewFixture f;
    f.Write(26);
    f.Draw();
    EXPECT_EQ(f.cells.Cell(1)->rect.top, f.cells.Cell(7)->rect.top);
    EXPECT_LT(f.cells.Cell(7)->rect.top, f.cells.Cell(8)->rect.top);
    EXPECT_EQ(f.cells.Cell(8)->rect.left, f.cells.Cell(1)->rect.left);
    EXPECT_EQ(f.cells.Cell(22)->rect.top, f.cells.Cell(26)->rect.top);  // row 4 (1-based) holds 22..28
    EXPECT_GT(f.cells.Cell(29 - 7)->rect.top, f.cells.Cell(15)->rect.top);
}

TEST(OverviewTest, StacksFollowTheRepetitionsUnlessLevelled)
{
    OverviewFixture f;
    f.Write(3, [](long long n) { return OverviewFixture::Sheet{20000, 12000, n == 2 ? 5 : 0}; });
    f.Draw();
    const vor::Rect plain = f.cells.Cell(1)->rect;
    const vor::Rect stacked = f.cells.Cell(2)->rect;
    EXPECT_EQ(f.cells.Cell(2)->repetitions, 6);
    // The cell is the last copy's: 10 pixels up and left of where the first stood.
    EXPECT_EQ(stacked.top, plain.top - 10);
    const std::size_t stackedOps = f.drawing.canvas.Ops().size();

    OverviewFixture levelled;
    levelled.Write(3, [](long long n) { return OverviewFixture::Sheet{20000, 12000, n == 2 ? 5 : 0}; });
    levelled.Draw({.level = true});
    EXPECT_EQ(levelled.cells.Cell(2)->rect.top, levelled.cells.Cell(1)->rect.top);
    EXPECT_LT(levelled.drawing.canvas.Ops().size(), stackedOps);
}

TEST(OverviewTest, SheetsViewFillsEachCellWithItsGroupAndHatchesAboveTen)
{
    OverviewFixture f;
    // 31 sizes, each first seen once, then layout 32 on the first size again.
    f.Write(32, [](long long n) {
        return OverviewFixture::Sheet{n == 32 ? 10100 : 10000 + static_cast<int>(n) * 100, 8000, 0};
    });
    f.Draw({.sheets = true});
    EXPECT_EQ(f.cells.Cell(32)->group, 1);
    EXPECT_EQ(f.cells.Cell(31)->group, 31);
    const auto fillOf = [&](long long n) {
        const vor::Rect r = f.cells.Cell(n)->rect;
        for (const auto& op : f.drawing.canvas.OpsOf(Kind::Rectangle))
            if (op.rect == r && op.pen.colour == vor::kBlack && op.brush.colour == vor::GroupColour(f.cells.Cell(n)->group, 0, false).screenBrush)
                return op.brush.style;
        return vor::BrushStyle::Clear;
    };
    EXPECT_EQ(fillOf(2), vor::BrushStyle::Solid);
    EXPECT_EQ(fillOf(11), vor::BrushStyle::BDiagonal);
    EXPECT_EQ(fillOf(21), vor::BrushStyle::DiagCross);
    EXPECT_EQ(fillOf(31), vor::BrushStyle::Cross);
}

TEST(OverviewTest, CutLinesOnlyOnTheSettingsPageWithACutChoiceAndNoKerf)
{
    struct Case {
        bool settingsPage;
        vor::CutDisplay cuts;
        int kerf;
        bool drawn;
    };
    const Case cases[] = {
        {true, vor::CutDisplay::All, 0, true},
        {false, vor::CutDisplay::All, 0, false},
        {true, vor::CutDisplay::None, 0, false},
        {true, vor::CutDisplay::All, 40, false},
    };
    for (const Case& c : cases) {
        OverviewFixture f;
        f.inputs.material.kerf = c.kerf;
        f.drawing.context.kerf = c.kerf;
        f.drawing.display.cuts = c.cuts;
        f.Write(2, [](long long n) { return OverviewFixture::Sheet{20000, 12000, n == 2 ? 3 : 0}; });
        f.Draw({.cutLines = c.settingsPage});
        // The one cut of each layout is the piece's right edge, at half the sheet.
        std::vector<int> cutXs;
        for (const auto& op : f.drawing.canvas.OpsOf(Kind::Line))
            if (op.pen.colour != vor::kBlack && op.points[0].x == op.points[1].x)
                cutXs.push_back(op.points[0].x);
        EXPECT_EQ(cutXs.size(), c.drawn ? 2u : 0u) << static_cast<int>(c.cuts) << c.kerf << c.settingsPage;
        if (c.drawn && cutXs.size() == 2) {
            // Layout 2's line is on its last copy: 6 pixels left of its first drawing.
            const vor::Rect last = f.cells.Cell(2)->rect;
            EXPECT_GT(cutXs[1], last.left);
            EXPECT_LT(cutXs[1], last.right);
        }
    }
}

}  // namespace
