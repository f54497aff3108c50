// The element rules of the screen and the printer, on the recording canvas.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fake_sound.h"
#include "tests/layoutview/drawing_fixture.h"
#include "vorplan/layoutview/layout_colours.h"

namespace {

using vortest::DrawingFixture;
using vortest::Element;
using vortest::MakeLayout;
using vortest::Piece;
using Kind = vortest::RecordingCanvas::Kind;
using Op = vortest::RecordingCanvas::Op;

std::vector<Op> PolygonsWith(const vortest::RecordingCanvas& canvas, vor::CanvasBrush brush)
{
    std::vector<Op> out;
    for (const Op& op : canvas.OpsOf(Kind::Polygon))
        if (op.brush == brush)
            out.push_back(op);
    return out;
}

std::vector<vor::Point> Corners(const vor::ViewTransform& view, int x, int y, int l, int h)
{
    const int left = vor::ToScreenX(view, x), right = vor::ToScreenX(view, x + l);
    const int top = vor::ToScreenY(view, y + h), bottom = vor::ToScreenY(view, y);
    return {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
}

constexpr vor::CanvasBrush kOffcutBrush{vor::kYellow, vor::BrushStyle::Solid};
constexpr vor::CanvasBrush kScrapBrush{vor::kAqua, vor::BrushStyle::Solid};
constexpr vor::CanvasBrush kSheetBrush{vor::kAqua, vor::BrushStyle::BDiagonal};
constexpr vor::CanvasBrush kGroupOneBrush{0x000080, vor::BrushStyle::Solid};

vor::LayoutState ThreeKinds(vor::SheetTrims trims = {})
{
    return MakeLayout(1000 + trims.left + trims.right, 300 + trims.bottom + trims.top, trims,
                      {Piece(5, 0, 0, 400, 300), Element(vor::kLayoutTypeOffcut, 0, 400, 0, 300, 300),
                       Element(vor::kLayoutTypeDiscarded, 3, 700, 0, 300, 300)});
}

TEST(LayoutDrawingTest, ShowFilterDrawsPiecesOrLeftovers)
{
    struct Case {
        vor::ShowElements show;
        std::size_t pieces, offcuts, scrap;
    };
    const Case cases[] = {{vor::ShowElements::All, 1, 1, 1},
                          {vor::ShowElements::Pieces, 1, 0, 0},
                          {vor::ShowElements::Leftovers, 0, 1, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.show));
        DrawingFixture f;
        f.context.show = c.show;
        vor::RedrawLayout(f.context, ThreeKinds(), false);
        EXPECT_EQ(PolygonsWith(f.canvas, kGroupOneBrush).size(), c.pieces);
        EXPECT_EQ(PolygonsWith(f.canvas, kOffcutBrush).size(), c.offcuts);
        EXPECT_EQ(PolygonsWith(f.canvas, kScrapBrush).size(), c.scrap);
    }
    // "Cor única": every piece navy.
    DrawingFixture f;
    f.display.singleColour = true;
    vor::RedrawLayout(f.context, ThreeKinds(), false);
    EXPECT_EQ(PolygonsWith(f.canvas, {vor::kNavy, vor::BrushStyle::Solid}).size(), 1u);
}

TEST(LayoutDrawingTest, SheetIsDrawnOnlyWithAKerfOrTrimsAndNoAnimation)
{
    struct Case {
        int kerf;
        vor::SheetTrims trims;
        int pendingPan;
        bool separated;
        bool drawn;
    };
    const Case cases[] = {
        {0, {}, 0, false, false},
        {3, {}, 0, false, true},
        {0, {0, 0, 5, 0}, 0, false, true},
        {3, {}, 1, false, false},
        {3, {}, 0, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.kerf << " " << c.pendingPan << " " << c.separated);
        DrawingFixture f;
        f.context.kerf = c.kerf;
        f.context.pendingPanSteps = c.pendingPan;
        f.context.separated = c.separated;
        const auto state = ThreeKinds(c.trims);
        vor::RedrawLayout(f.context, state, false);
        const auto sheets = PolygonsWith(f.canvas, kSheetBrush);
        ASSERT_EQ(sheets.size(), c.drawn ? 1u : 0u);
        if (c.drawn) {  // at (0, 0) with the full size
            EXPECT_EQ(sheets[0].points, Corners(f.view, 0, 0, state.sheetLength, state.sheetHeight));
        }
    }
}

TEST(LayoutDrawingTest, EveryElementIsShiftedByTheLeftAndBottomTrims)
{
    DrawingFixture f(1050);
    vor::RedrawLayout(f.context, ThreeKinds({20, 30, 10, 40}), false);
    const auto pieces = PolygonsWith(f.canvas, kGroupOneBrush);
    const auto offcuts = PolygonsWith(f.canvas, kOffcutBrush);
    const auto scrap = PolygonsWith(f.canvas, kScrapBrush);
    ASSERT_EQ(pieces.size(), 1u);
    ASSERT_EQ(offcuts.size(), 1u);
    ASSERT_EQ(scrap.size(), 1u);
    EXPECT_EQ(pieces[0].points, Corners(f.view, 20, 10, 400, 300));
    EXPECT_EQ(offcuts[0].points, Corners(f.view, 420, 10, 300, 300));
    EXPECT_EQ(scrap[0].points, Corners(f.view, 720, 10, 300, 300));
    // The scrap's cross sits on its centre.
    const auto lines = f.canvas.OpsOf(Kind::Line);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].pen, (vor::CanvasPen{vor::kRed, 2, vor::PenStyle::Solid}));
    const vor::Point centre{vor::ToScreenX(f.view, 870), vor::ToScreenY(f.view, 160)};
    EXPECT_EQ(lines[0].points[0], (vor::Point{centre.x - 4, centre.y - 4}));
}

std::size_t PlainLines(const vortest::RecordingCanvas& canvas, vor::WinColor colour, int width)
{
    std::size_t n = 0;
    for (const Op& op : canvas.OpsOf(Kind::Line))
        n += op.pen.colour == colour && op.pen.width == width;
    return n;
}

TEST(LayoutDrawingTest, DescriptionMarkersTheLastOneWins)
{
    struct Case {
        const char* description;
        std::size_t diagonals;
        bool lighter;
    };
    const Case cases[] = {
        {" plain", 0, false}, {" #C", 0, true}, {" #DS", 1, false},
        {" #DD", 2, false},   {" #C #DD", 2, false}, {" #DD #C", 2, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        DrawingFixture f;
        f.display.showDimensions = false;
        f.display.showIdentification = false;
        vor::RedrawLayout(f.context, MakeLayout(1000, 600, {}, {Piece(5, 0, 0, 400, 300, c.description)}),
                          false);
        EXPECT_EQ(PlainLines(f.canvas, vor::kBlack, 1), c.diagonals);
        EXPECT_EQ(PolygonsWith(f.canvas, {vor::LightenColor(0x000080, 20), vor::BrushStyle::Solid}).size(),
                  c.lighter ? 1u : 0u);
    }
    // Not while the view glides.
    DrawingFixture f;
    f.context.pendingZoomSteps = 2;
    vor::RedrawLayout(f.context, MakeLayout(1000, 600, {}, {Piece(5, 0, 0, 400, 300, " #DD")}), false);
    EXPECT_EQ(PlainLines(f.canvas, vor::kBlack, 1), 0u);
}

TEST(LayoutDrawingTest, EdgeMarksNeedTheSpecialPerimeterOption)
{
    struct Case {
        const char* description;
        bool option;
        std::size_t horizontal, vertical;
    };
    // The piece is wider than high: its shorter sides are the left and right.
    const Case cases[] = {
        {" @1", true, 0, 2}, {" @2", true, 2, 0}, {" @3", true, 2, 2},
        {" @3", false, 0, 0}, {" none", true, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.description << " " << c.option);
        DrawingFixture f;
        f.context.specialPerimeter = c.option;
        vor::RedrawLayout(f.context, MakeLayout(1000, 600, {}, {Piece(5, 0, 0, 400, 200, c.description)}),
                          false);
        std::size_t horizontal = 0, vertical = 0;
        for (const Op& op : f.canvas.OpsOf(Kind::Line)) {
            ASSERT_EQ(op.pen, (vor::CanvasPen{vor::kRed, 2, vor::PenStyle::Solid}));
            horizontal += op.points[0].y == op.points[1].y;
            vertical += op.points[0].x == op.points[1].x;
        }
        EXPECT_EQ(horizontal, c.horizontal);
        EXPECT_EQ(vertical, c.vertical);
    }
}

TEST(LayoutDrawingTest, LabelsAreWrittenWhereTheyFit)
{
    // At zoom 1 the labels are 7 points: 7 x 14 pixels a character here.
    struct Case {
        int length, height;
        std::vector<std::string> texts;
    };
    const Case cases[] = {
        {400, 200, {"12", "40.0 x 20.0"}},
        {100, 200, {"12"}},  // the dimensions are wider than the piece
        {400, 40, {"12"}},   // no room for a second line
        {20, 20, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.length << " x " << c.height);
        DrawingFixture f;
        vor::RedrawLayout(f.context, MakeLayout(1000, 600, {}, {Piece(12, 0, 0, c.length, c.height)}), false);
        EXPECT_EQ(f.canvas.Texts(), c.texts);
        const auto texts = f.canvas.OpsOf(Kind::Text);
        const auto corners = Corners(f.view, 0, 0, c.length, c.height);
        for (std::size_t i = 0; i < texts.size(); ++i) {
            EXPECT_EQ(texts[i].points[0], (vor::Point{corners[0].x + 2, corners[0].y + 1 + 14 * static_cast<int>(i)}));
            EXPECT_EQ(texts[i].font.size, 7);
            EXPECT_EQ(texts[i].font.colour, vor::kWhite);  // group 1's text colour
        }
    }
}

TEST(LayoutDrawingTest, LegendTypeTwoCentresTheLabels)
{
    DrawingFixture f;
    f.display.legendTypeOne = false;
    f.display.identification = 1;  // the description, its first 30 characters
    vor::RedrawLayout(f.context,
                      MakeLayout(1000, 600, {}, {Piece(12, 0, 0, 900, 300, " " + std::string(40, 'd'), 6)}),
                      false);
    const auto texts = f.canvas.OpsOf(Kind::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, " " + std::string(29, 'd'));
    const auto corners = Corners(f.view, 0, 0, 900, 300);
    const int width = corners[1].x - corners[0].x;
    const int height = corners[2].y - corners[0].y;
    EXPECT_EQ(texts[0].points[0], (vor::Point{corners[0].x + (width - 30 * 7) / 2, corners[0].y + (height - 28) / 2}));
    EXPECT_EQ(texts[1].points[0], (vor::Point{corners[0].x + (width - 11 * 7) / 2, corners[0].y + (height - 28) / 2 + 14}));
    EXPECT_EQ(texts[0].font.colour, vor::kBlack);  // group 6's text colour
}

TEST(LayoutDrawingTest, NegativeCodesHatchedAndTypeSixBeeps)
{
    platform::RecordingSound sound;
    platform::ScopedSound installed(sound);
    DrawingFixture f;
    vor::RedrawLayout(f.context,
                      MakeLayout(1000, 600, {},
                                 {Piece(-1, 0, 0, 100, 100), Piece(-2, 200, 0, 100, 100), Piece(4, 400, 0, 100, 100),
                                  Element(vor::kLayoutTypeBeep, 0, 600, 0, 100, 100)}),
                      false);
    const auto red = PolygonsWith(f.canvas, {vor::kRed, vor::BrushStyle::DiagCross});
    const auto grey = PolygonsWith(f.canvas, {vor::kGrey, vor::BrushStyle::Cross});
    ASSERT_EQ(red.size(), 1u);
    ASSERT_EQ(grey.size(), 1u);
    EXPECT_EQ(red[0].points, Corners(f.view, 0, 0, 100, 100));
    EXPECT_EQ(grey[0].points, Corners(f.view, 200, 0, 100, 100));
    EXPECT_EQ(sound.Count(platform::RecordingSound::Call::Beep), 1u);
}

TEST(LayoutDrawingTest, FarCoordinatesAreClampedToThePaintBox)
{
    struct Case {
        int boxWidth;
        int high;
    };
    // The bound grows with a paint box wider than 1900 pixels.
    for (const Case c : {Case{800, 1900}, Case{2500, 2510}}) {
        SCOPED_TRACE(c.boxWidth);
        DrawingFixture f;
        f.view.boxWidth = c.boxWidth;
        f.view.deviceOffsetX = 5;
        f.display.showDimensions = false;
        f.display.showIdentification = false;
        vor::RedrawLayout(f.context, MakeLayout(1000, 600, {}, {Piece(1, 100000000, 0, 2000000000, 10)}), false);
        const auto pieces = PolygonsWith(f.canvas, kGroupOneBrush);
        ASSERT_EQ(pieces.size(), 1u);
        EXPECT_EQ(pieces[0].points[0].x, c.high + 5);
        EXPECT_EQ(pieces[0].points[1].x, c.high + 5);
    }
}

TEST(LayoutOverlayTest, HighlightPreviewDimensionLineAndRoute)
{
    const vor::SheetTrims trims{20, 0, 10, 0};
    const auto state = MakeLayout(1020, 610, trims,
                                  {Piece(1, 0, 0, 400, 300), Element(vor::kLayoutTypeOffcut, 0, 400, 0, 600, 300)});
    DrawingFixture f(1020);
    vor::DrawSelectionHighlight(f.context, state, 2, false);
    vor::DrawSelectionHighlight(f.context, state, 3, true);
    vor::DrawSelectionHighlight(f.context, state, 9, false);  // no such element: nothing
    auto polygons = f.canvas.OpsOf(Kind::Polygon);
    ASSERT_EQ(polygons.size(), 2u);
    EXPECT_EQ(polygons[0].pen, (vor::CanvasPen{vor::kRed, 3, vor::PenStyle::Solid}));
    EXPECT_EQ(polygons[0].brush.style, vor::BrushStyle::Clear);
    EXPECT_EQ(polygons[0].points, Corners(f.view, 20, 10, 400, 300));
    EXPECT_EQ(polygons[1].pen.colour, 0xFF00FFu);

    f.canvas.Clear();
    vor::DrawMovePreview(f.context, 500, 400, 200, 100);
    polygons = f.canvas.OpsOf(Kind::Polygon);
    ASSERT_EQ(polygons.size(), 1u);
    EXPECT_EQ(polygons[0].pen, (vor::CanvasPen{vor::kBlack, 1, vor::PenStyle::Dash}));
    EXPECT_EQ(polygons[0].points, Corners(f.view, 400, 350, 200, 100));

    f.canvas.Clear();
    vor::DrawDimensionLine(f.context, 1030, 100, 300, "DY");
    EXPECT_EQ(f.canvas.Count(Kind::Line), 3u);  // the line and its two ticks
    EXPECT_EQ(f.canvas.Texts(), std::vector<std::string>{"DY"});

    // The route: blue across, green along, yellow once cut; ordinals on their
    // middles, shifted by the trims like everything else.
    f.canvas.Clear();
    vor::DrawCutRouting(f.context, state,
                        {{0, 300, 1000, 300, false}, {400, 0, 400, 300, false}, {0, 100, 400, 100, true}});
    const auto lines = f.canvas.OpsOf(Kind::Line);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].pen, (vor::CanvasPen{vor::kBlue, 6, vor::PenStyle::Solid}));
    EXPECT_EQ(lines[1].pen.colour, vor::kLime);
    EXPECT_EQ(lines[2].pen.colour, vor::kYellow);
    EXPECT_EQ(lines[0].points[0], (vor::Point{vor::ToScreenX(f.view, 20), vor::ToScreenY(f.view, 310)}));
    const auto texts = f.canvas.OpsOf(Kind::Text);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].text, " 1 ");
    EXPECT_EQ(texts[0].brush, (vor::CanvasBrush{vor::kBlue, vor::BrushStyle::Solid}));
    EXPECT_EQ(texts[0].font.colour, vor::kWhite);
    EXPECT_EQ(texts[1].brush.colour, vor::kLime);
    EXPECT_EQ(texts[1].font.colour, vor::kBlack);
    const vor::Point middle{vor::ToScreenX(f.view, 520), vor::ToScreenY(f.view, 310)};
    EXPECT_EQ(texts[0].points[0], (vor::Point{middle.x - 3 * 8 / 2, middle.y - 16 / 2}));
}

// ---- Printer rules ---------------------------------------------------------------

// Printer pixels equal layout units here, with Y 0 at pixel 1000.
DrawingFixture PrinterFixture()
{
    DrawingFixture f(1000, vor::DrawTarget::Printer);
    f.view.printerScaleX = 1;
    f.view.printerScaleY = 1;
    f.view.printerOriginX = 0;
    f.view.printerOriginY = 1000;
    f.display.showDimensions = false;
    return f;
}

TEST(PrintLetterKeysTest, LettersRunAToZThenSmallLettersUpTo38)
{
    vor::PrintLetterKeys keys;
    EXPECT_EQ(vor::LetterKeyFor(keys, 100, 50, 60, " first description that is long"), 1);
    EXPECT_EQ(keys.entries[0].description, " first description tha");  // 22 characters
    EXPECT_EQ(vor::LetterKeyFor(keys, 100, 50, 60, "x"), 1);  // same code and size
    EXPECT_EQ(vor::LetterKeyFor(keys, 100, 60, 50, "x"), 1);  // turned
    EXPECT_EQ(vor::LetterKeyFor(keys, 100, 70, 60, "x"), 2);  // resized: a key of its own
    for (int code = 101; keys.entries.size() < vor::kLetterKeyCapacity; ++code)
        vor::LetterKeyFor(keys, code, 10, 10, "");
    EXPECT_EQ(keys.entries.back().letter, 38);
    EXPECT_EQ(vor::LetterKeyFor(keys, 999, 10, 10, ""), 0);  // no 39th key
    EXPECT_EQ(vor::LetterKeyFor(keys, 100, 50, 60, ""), 1);  // but reuse goes on
    EXPECT_EQ(keys.entries.size(), 38u);
    EXPECT_EQ(vor::LetterKeyText(1), "A");
    EXPECT_EQ(vor::LetterKeyText(26), "Z");
    EXPECT_EQ(vor::LetterKeyText(27), "a");
    EXPECT_EQ(vor::LetterKeyText(38), "l");
}

TEST(PrinterElementTest, IdentificationIsTriedAtEightToFivePointsBeforeTheKey)
{
    struct Case {
        int length;
        std::vector<std::string> texts;
        int size;  // of the identification, 0 none
    };
    // "1234" is 4 x size pixels wide; the rectangle is length pixels.
    const Case cases[] = {
        {40, {"1234"}, 8},
        {30, {"1234"}, 7},
        {22, {"1234", "A"}, 5},
        {15, {"A"}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        DrawingFixture f = PrinterFixture();
        vor::RedrawLayout(f.context, MakeLayout(1000, 600, {}, {Piece(1234, 0, 0, c.length, 100)}), false);
        EXPECT_EQ(f.canvas.Texts(), c.texts);
        const auto texts = f.canvas.OpsOf(Kind::Text);
        if (c.size != 0) {
            EXPECT_EQ(texts[0].font.size, c.size);
            EXPECT_EQ(texts[0].points[0], (vor::Point{2, 901}));
        }
        if (c.texts.back() == "A") {
            EXPECT_EQ(texts.back().font.size, 6);
            EXPECT_FALSE(texts.back().font.bold);
        }
    }
}

TEST(PrinterElementTest, OffcutsGetOnlyTheirKeyAndDimensionsFitOrKey)
{
    DrawingFixture f = PrinterFixture();
    vor::RedrawLayout(f.context,
                      MakeLayout(1000, 600, {}, {Element(vor::kLayoutTypeOffcut, 7, 0, 0, 300, 300, " Retalho")}),
                      false);
    const auto texts = f.canvas.OpsOf(Kind::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "A");
    EXPECT_TRUE(texts[0].font.bold);
    EXPECT_EQ(texts[0].font.colour, vor::kWhite);
    EXPECT_EQ(texts[0].brush, (vor::CanvasBrush{vor::kOffcutOutlineColour, vor::BrushStyle::Solid}));
    ASSERT_EQ(f.keys.entries.size(), 1u);
    EXPECT_EQ(f.keys.entries[0].description, " Retalho");

    // The dimensions below the identification; too narrow for them: the key.
    DrawingFixture g = PrinterFixture();
    g.display.showDimensions = true;
    vor::RedrawLayout(g.context,
                      MakeLayout(1000, 600, {}, {Piece(12, 0, 0, 200, 300), Piece(13, 300, 0, 40, 300)}), false);
    EXPECT_EQ(g.canvas.Texts(), (std::vector<std::string>{"12", "20.0 x 30.0", "13", "A"}));
    EXPECT_EQ(g.canvas.OpsOf(Kind::Text)[1].points[0], (vor::Point{2, 701 + 16}));
}

TEST(PrinterElementTest, PenWidthIsLimitedAndStoredBack)
{
    struct Case {
        const char* stored;
        int width;
        const char* after;
    };
    for (const Case& c : {Case{"9", 4, "4"}, Case{"0", 1, "1"}, Case{"3", 3, "3"}, Case{"x", 1, "1"}}) {
        SCOPED_TRACE(c.stored);
        DrawingFixture f = PrinterFixture();
        f.print.penWidth = c.stored;
        f.print.pieceOutlineColour = 0x123456;
        vor::RedrawLayout(f.context, MakeLayout(1000, 600, {}, {Piece(1, 0, 0, 300, 300, " x", 11)}), false);
        const auto rects = f.canvas.OpsOf(Kind::Rectangle);
        ASSERT_EQ(rects.size(), 1u);
        EXPECT_EQ(rects[0].pen.width, c.width);
        EXPECT_EQ(rects[0].pen.colour, 0x123456u);
        EXPECT_EQ(rects[0].rect, (vor::Rect{0, 700, 300, 1000}));
        EXPECT_EQ(rects[0].brush, (vor::CanvasBrush{vor::LightenColor(0x000080, 230), vor::BrushStyle::Solid}));
        EXPECT_EQ(f.print.penWidth, c.after);
    }
    // "Branco" leaves pieces unfilled; "Fraco" lightens by 245.
    DrawingFixture f = PrinterFixture();
    f.print.strongColours = false;
    vor::RedrawLayout(f.context, MakeLayout(1000, 600, {}, {Piece(1, 0, 0, 300, 300, " x", 11)}), false);
    EXPECT_EQ(f.canvas.OpsOf(Kind::Rectangle)[0].brush.colour, vor::LightenColor(0x000080, 245));
    f.print.colouredFill = false;
    f.canvas.Clear();
    vor::RedrawLayout(f.context, MakeLayout(1000, 600, {}, {Piece(1, 0, 0, 300, 300, " x", 11)}), false);
    EXPECT_EQ(f.canvas.OpsOf(Kind::Rectangle)[0].brush.style, vor::BrushStyle::Clear);
}

}  // namespace
