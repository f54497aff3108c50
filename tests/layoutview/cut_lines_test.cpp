// Cut lines: built from the element edges, merged, classified, drawn as the
// "Corte:" choice says, and sorted for the routing.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tests/layoutview/drawing_fixture.h"
#include "vorplan/layoutview/cut_lines.h"

namespace {

using vor::CutLine;
using vor::CutLineList;
using vortest::MakeLayout;
using vortest::Piece;
using Kind = vortest::RecordingCanvas::Kind;

// A strip cut across the sheet at Y 300; below it cross cuts at X 400 and
// 700 to the sheet's bottom edge, and a cut at Y 150 between them.
vor::LayoutState StripLayout(vor::SheetTrims trims = {})
{
    const int length = 1000 + trims.left + trims.right;
    const int height = 600 + trims.bottom + trims.top;
    return MakeLayout(length, height, trims,
                      {Piece(1, 0, 300, 1000, 300), Piece(2, 0, 0, 400, 300),
                       Piece(3, 400, 0, 300, 150), Piece(3, 400, 150, 300, 150),
                       Piece(4, 700, 0, 300, 300)});
}

// Two columns of three rows that line up.
vor::LayoutState ColumnLayout()
{
    return MakeLayout(1000, 600, {},
                      {Piece(1, 0, 0, 500, 200), Piece(1, 0, 200, 500, 200), Piece(1, 0, 400, 500, 200),
                       Piece(2, 500, 0, 500, 200), Piece(2, 500, 200, 500, 200),
                       Piece(2, 500, 400, 500, 200)});
}

CutLineList Built(const vor::LayoutState& state)
{
    CutLineList lines;
    EXPECT_EQ(vor::BuildCutLines(lines, state, false), vor::CutLineBuild::Built);
    return lines;
}

TEST(CutLinesTest, SideBySidePiecesGiveOneVerticalLine)
{
    const auto state = MakeLayout(1000, 500, {}, {Piece(1, 0, 0, 400, 500), Piece(2, 400, 0, 600, 500)});
    EXPECT_EQ(Built(state), (CutLineList{{400, 0, 400, 500, 1}}));
}

TEST(CutLinesTest, RowsThatLineUpMergeIntoOneLineEach)
{
    EXPECT_EQ(Built(ColumnLayout()), (CutLineList{{0, 200, 1000, 200, 1}, {0, 400, 1000, 400, 1},
                                                 {500, 0, 500, 600, 1}}));
}

TEST(CutLinesTest, StripLayoutGetsLevelsOneTwoAndThree)
{
    const CutLineList expected = {{0, 300, 1000, 300, 1},
                                  {400, 0, 400, 300, 2},
                                  {400, 150, 700, 150, 3},
                                  {700, 0, 700, 300, 2}};
    EXPECT_EQ(Built(StripLayout()), expected);
    // Positions are in the frame inside the trims: trims change nothing.
    EXPECT_EQ(Built(StripLayout({20, 30, 10, 40})), expected);
}

TEST(CutLinesTest, AcceptRefusesInnerEdgesAndDuplicates)
{
    CutLineList lines = {{100, 0, 100, 50, 0}, {200, 0, 200, 50, vor::kCutLevelMerged}};
    struct Case {
        int x1, y1, x2, y2;
        bool accepted;
    };
    const Case cases[] = {
        {0, 0, 300, 0, false},      // bottom edge
        {0, 600, 300, 600, false},  // top edge of the inner extent
        {0, 0, 0, 600, false},      // left edge
        {1000, 0, 1000, 60, false}, // right edge
        {100, 0, 100, 50, false},   // stored
        {200, 0, 200, 50, true},    // stored but merged away
        {0, 300, 1000, 300, true},
        {1050, 0, 1050, 60, true},  // the full sheet's edge is not the inner one
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x1 << "," << c.y1 << "-" << c.x2 << "," << c.y2);
        EXPECT_EQ(vor::AcceptCutLine(lines, c.x1, c.y1, c.x2, c.y2, 1000, 600), c.accepted);
    }
}

TEST(CutLinesTest, MergingRunsTwiceJoinsChainsFoundOutOfOrder)
{
    // The first run joins the second and third lines only after it has
    // passed the first one; the second run joins that to it.
    CutLineList lines = {{300, 50, 400, 50, 0}, {100, 50, 200, 50, 0}, {200, 50, 300, 50, 0}};
    vor::MergeCutLines(lines);
    vor::MergeCutLines(lines);
    vor::CompactCutLines(lines);
    EXPECT_EQ(lines, (CutLineList{{100, 50, 400, 50, 0}}));
}

TEST(CutLinesTest, FourHundredCandidatesSwitchTheCutDisplayOff)
{
    // 20 x 20 pieces of 10 x 10 give far more than 400 candidate edges.
    vor::LayoutState state = MakeLayout(200, 200, {}, {});
    for (int row = 0; row < 20; ++row)
        for (int column = 0; column < 20; ++column)
            state.elements.push_back(Piece(1, column * 10, row * 10, 10, 10));
    CutLineList lines;
    EXPECT_EQ(vor::BuildCutLines(lines, state, false), vor::CutLineBuild::TooMany);
    EXPECT_EQ(lines.size(), vor::kCutLineCapacity);
    EXPECT_EQ(vor::BuildCutLines(lines, state, true), vor::CutLineBuild::Skipped);

    vortest::DrawingFixture f(200);
    f.display.cuts = vor::CutDisplay::All;
    vor::RedrawLayout(f.context, state, false);
    EXPECT_EQ(f.display.cuts, vor::CutDisplay::None);
    EXPECT_EQ(f.canvas.Count(Kind::Line), 0u);
}

// The cut lines drawn: coloured lines of pen width 2 on the screen.
std::vector<vortest::RecordingCanvas::Op> CutOps(const vortest::RecordingCanvas& canvas)
{
    std::vector<vortest::RecordingCanvas::Op> out;
    for (const auto& op : canvas.OpsOf(Kind::Line))
        if (op.pen.width == 2 && op.pen.colour != vor::kRed)
            out.push_back(op);
    return out;
}

TEST(CutLinesTest, TheCutChoiceSelectsTheLinesAndAKerfHidesThem)
{
    struct Case {
        vor::CutDisplay cuts;
        int kerf;
        std::size_t drawn;
    };
    const Case cases[] = {
        {vor::CutDisplay::All, 0, 4},
        {vor::CutDisplay::InitialCuts, 0, 1},
        {vor::CutDisplay::Initial, 0, 1},
        {vor::CutDisplay::None, 0, 0},
        {vor::CutDisplay::All, 3, 0},  // the gaps are the cuts
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.cuts));
        vortest::DrawingFixture f;
        f.display.cuts = c.cuts;
        f.context.kerf = c.kerf;
        vor::RedrawLayout(f.context, StripLayout(), false);
        EXPECT_EQ(CutOps(f.canvas).size(), c.drawn);
        if (c.cuts != vor::CutDisplay::None) {
            EXPECT_EQ(f.lines.size(), 4u);  // built even when not drawn
        }
    }
    // "Corte inicial" shows only the first of several level-1 lines.
    vortest::DrawingFixture f;
    f.display.cuts = vor::CutDisplay::Initial;
    vor::RedrawLayout(f.context, ColumnLayout(), false);
    const auto ops = CutOps(f.canvas);
    ASSERT_EQ(ops.size(), 1u);
    EXPECT_EQ(ops[0].pen.colour, vor::kLime);
    f.canvas.Clear();
    f.display.cuts = vor::CutDisplay::InitialCuts;
    vor::RedrawLayout(f.context, ColumnLayout(), false);
    EXPECT_EQ(CutOps(f.canvas).size(), 3u);
}

TEST(CutLinesTest, LinesAreDrawnShiftedByTheTrimsInTheirLevelColours)
{
    const vor::SheetTrims trims{20, 30, 10, 40};
    vortest::DrawingFixture f(1050);
    f.display.cuts = vor::CutDisplay::All;
    vor::RedrawLayout(f.context, StripLayout(trims), false);
    const auto ops = CutOps(f.canvas);
    ASSERT_EQ(ops.size(), 4u);
    const auto& view = f.view;
    EXPECT_EQ(ops[0].points[0], (vor::Point{vor::ToScreenX(view, 20), vor::ToScreenY(view, 310)}));
    EXPECT_EQ(ops[0].points[1], (vor::Point{vor::ToScreenX(view, 1020), vor::ToScreenY(view, 310)}));
    EXPECT_EQ(ops[0].pen.colour, vor::kLime);
    EXPECT_EQ(ops[1].pen.colour, 0xFF00FFu);
    EXPECT_EQ(ops[2].pen.colour, vor::kBlue);
    EXPECT_EQ(ops[2].points[0], (vor::Point{vor::ToScreenX(view, 420), vor::ToScreenY(view, 160)}));
}

TEST(CutLinesTest, SortPutsHorizontalLinesByYThenTheOthersByXKeepingTies)
{
    CutLineList lines = {
        {500, 0, 500, 100, 1},  // vertical
        {0, 300, 100, 300, 1},  // horizontal
        {200, 0, 200, 100, 2},
        {0, 100, 100, 100, 3},
        {500, 100, 500, 200, 3},  // same X as the first vertical: after it
        {0, 300, 50, 300, 2},     // same Y as the first horizontal: after it
    };
    EXPECT_EQ(vor::SortCutLines(lines), "");
    EXPECT_EQ(lines, (CutLineList{{0, 100, 100, 100, 3},
                                  {0, 300, 100, 300, 1},
                                  {0, 300, 50, 300, 2},
                                  {200, 0, 200, 100, 2},
                                  {500, 0, 500, 100, 1},
                                  {500, 100, 500, 200, 3}}));
}

}  // namespace
