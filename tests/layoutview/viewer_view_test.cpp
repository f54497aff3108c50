// The viewer's zoom, pan, glide, timer and hit tests, without a window.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "tests/layoutview/drawing_fixture.h"
#include "tests/layoutview/layoutview_support.h"
#include "vorplan/layoutview/layout_colours.h"
#include "vorplan/layoutview/viewer_view.h"

namespace {

using vor::ViewerView;
using vortest::Element;
using vortest::Piece;

constexpr int kScrap = vor::kLayoutTypeDiscarded;
constexpr int kOffcut = vor::kLayoutTypeOffcut;

// A 2000 x 1200 sheet, trims 10 left and 20 bottom.
vor::LayoutState Layout()
{
    return vortest::MakeLayout(2000, 1200, {10, 0, 20, 0},
                               {Piece(101, 0, 0, 800, 600, " Porta"),
                                Element(kOffcut, 0, 800, 0, 600, 600, " Retalho"),
                                Piece(104, 0, 600, 800, 500, " Tampo"),
                                Element(kScrap, 5, 0, 1100, 800, 80, " ")});
}

struct ViewFixture {
    ViewFixture()
    {
        view.transform.boxWidth = 800;
        view.transform.boxHeight = 600;
        view.transform.drawingWidth = 4000;
        vor::FitView(view, state);
    }
    // The layout point at the centre of the paint box.
    double CentreX() const { return vor::FromScreenX(view.transform, 400); }
    double CentreY() const { return vor::FromScreenY(view.transform, 300); }
    vor::ViewerTick Tick(long long layout = 1, long long count = 3)
    {
        return vor::Tick(view, state, layout, count, overviewFlag);
    }

    vor::LayoutState state = Layout();
    ViewerView view;
    bool overviewFlag = false;
};

TEST(ViewerViewTest, ZoomKeepsTheCentreWithinAPixel)
{
    ViewFixture f;
    for (bool in : {true, true, true, false, true, false, false}) {
        const double x = f.CentreX(), y = f.CentreY();
        ASSERT_TRUE(vor::ZoomStep(f.view, f.state, in));
        EXPECT_LE(std::abs(f.CentreX() - x) * f.view.transform.screenScaleX, 1.0);
        EXPECT_LE(std::abs(f.CentreY() - y) * f.view.transform.screenScaleY, 1.0);
        EXPECT_FALSE(f.view.fitted);
    }
}

TEST(ViewerViewTest, ZoomAtItsLimitsMovesNothing)
{
    for (bool in : {true, false}) {
        ViewFixture f;
        vor::SetZoom(f.view.transform, in ? f.view.maxZoom : f.view.minZoom);
        const int panX = f.view.transform.panX, panY = f.view.transform.panY;
        EXPECT_FALSE(vor::ZoomStep(f.view, f.state, in));
        EXPECT_EQ(f.view.transform.zoom, in ? f.view.maxZoom : f.view.minZoom);
        EXPECT_EQ(f.view.transform.panX, panX);
        EXPECT_EQ(f.view.transform.panY, panY);
    }
}

TEST(ViewerViewTest, FitViewShowsTheWholeLayoutAtZoomOne)
{
    ViewFixture f;
    vor::ZoomStep(f.view, f.state, true);
    f.view.transform.panX = 999;
    vor::FitView(f.view, f.state);
    EXPECT_EQ(f.view.transform.zoom, 1.0);
    EXPECT_EQ(f.view.transform.panX, 60);  // 3% of the 2000 extent
    EXPECT_EQ(f.view.transform.panY, 60);
    EXPECT_TRUE(f.view.fitted);
    EXPECT_EQ(f.view.panMinX, -3000);
    EXPECT_EQ(f.view.panMaxX, 5000);
    EXPECT_EQ(f.view.panMinY, -1800);
    EXPECT_EQ(f.view.panMaxY, 3000);
}

TEST(ViewerViewTest, HeldZoomButtonRepeatsFromTheThirdTick)
{
    ViewFixture f;
    f.view.heldZoomIn = 1;  // mouse down
    for (int i = 0; i < 10; ++i)
        f.Tick();
    EXPECT_NEAR(f.view.transform.zoom, std::pow(1.1, 8), 1e-9);
    f.view.heldZoomIn = 0;  // mouse up: the click's own step
    vor::ZoomStep(f.view, f.state, true);
    EXPECT_NEAR(f.view.transform.zoom, std::pow(1.1, 9), 1e-9);
    // Released, the ticks leave the zoom alone.
    f.Tick();
    EXPECT_NEAR(f.view.transform.zoom, std::pow(1.1, 9), 1e-9);
}

TEST(ViewerViewTest, GlideNearTheCentreTakesTwoSteps)
{
    ViewFixture f;
    vor::StartGlide(f.view, 400, 300);
    EXPECT_EQ(f.view.glideSteps, 2);
    EXPECT_EQ(f.view.pendingZoomSteps, 9);
}

TEST(ViewerViewTest, FarGlideEndsOnItsTargetThenZoomsNineSteps)
{
    ViewFixture f;
    vor::StartGlide(f.view, 790, 10);
    const int steps = f.view.glideSteps;
    const int targetX = f.view.glideTargetX, targetY = f.view.glideTargetY;
    EXPECT_GT(steps, 2);
    for (int i = 0; i < steps; ++i)
        EXPECT_TRUE(f.Tick().redraw);
    EXPECT_EQ(f.view.transform.panX, targetX);
    EXPECT_EQ(f.view.transform.panY, targetY);
    EXPECT_EQ(f.view.transform.zoom, 1.0);
    vor::ViewerTick last;
    for (int i = 0; i < 9; ++i) {
        EXPECT_FALSE(last.clearSelection);
        last = f.Tick();
    }
    EXPECT_TRUE(last.clearSelection);
    EXPECT_NEAR(f.view.transform.zoom, std::pow(1.1, 9), 1e-9);
    EXPECT_FALSE(f.Tick().redraw);
}

TEST(ViewerViewTest, PanButtonsStopAtTheLimits)
{
    struct Case {
        int dx, dy;
    };
    for (Case c : {Case{1, 0}, Case{-1, 0}, Case{0, 1}, Case{0, -1}}) {
        ViewFixture f;
        int presses = 0;
        while (vor::PanButton(f.view, c.dx, c.dy))
            ASSERT_LT(++presses, 1000);
        const vor::ViewTransform& t = f.view.transform;
        const int step = f.view.PanStep();
        if (c.dx > 0) {
            EXPECT_TRUE(t.panX >= f.view.panMaxX && t.panX < f.view.panMaxX + step);
        }
        if (c.dx < 0) {
            EXPECT_TRUE(t.panX <= f.view.panMinX && t.panX > f.view.panMinX - step);
        }
        if (c.dy > 0) {
            EXPECT_TRUE(t.panY >= f.view.panMaxY && t.panY < f.view.panMaxY + step);
        }
        if (c.dy < 0) {
            EXPECT_TRUE(t.panY <= f.view.panMinY && t.panY > f.view.panMinY - step);
        }
    }
}

TEST(ViewerViewTest, SlideShowTurnsAtBothEnds)
{
    struct Case {
        int direction;
        long long layout;
        int step;
    };
    for (Case c : {Case{1, 1, 1}, Case{1, 2, 1}, Case{1, 3, -1}, Case{-1, 2, -1}, Case{-1, 1, 1}}) {
        ViewFixture f;
        f.view.slideShow = c.direction;
        EXPECT_EQ(f.Tick(c.layout, 3).stepLayout, c.step) << c.direction << " at " << c.layout;
    }
}

TEST(ViewerViewTest, RedrawRequestServesTheShowOverviewFlagOnce)
{
    ViewFixture f;
    f.overviewFlag = true;
    EXPECT_FALSE(f.Tick().showOverview);  // no redraw asked: the flag waits
    EXPECT_TRUE(f.overviewFlag);
    f.view.redrawRequest = true;
    const vor::ViewerTick t = f.Tick();
    EXPECT_TRUE(t.redraw);
    EXPECT_TRUE(t.showOverview);
    EXPECT_FALSE(f.overviewFlag);
    EXPECT_FALSE(f.view.redrawRequest);
}

TEST(ViewerViewTest, HitTestsFindWhatIsDrawnUnderThePoint)
{
    ViewFixture f;
    // The scrap overlaps the second piece here, so the order shows.
    f.state.elements.push_back(Element(kScrap, 9, 100, 700, 50, 50, " "));
    struct Case {
        double x, y;  // drawn frame: the file's plus the trims
        long piece, scrap, offcut;
        bool lower;
    };
    const Case cases[] = {
        {410, 120, 2, 0, 0, true},     // first piece, lower half
        {410, 580, 2, 0, 0, false},    // its upper half
        {805, 300, 2, 0, 0, true},    // inside only once the left trim is taken off
        {815, 300, 0, 0, 3, true},    // the offcut
        {130, 745, 4, 6, 0, true},     // a piece over scrap: both found, the piece first
        {100, 1150, 0, 5, 0, true},   // scrap
        {1900, 300, 0, 0, 0, false},   // nothing
        {10, 300, 0, 0, 0, false},     // on an edge: not strictly inside
    };
    for (const Case& c : cases) {
        const int px = vor::ToScreenX(f.view.transform, c.x);
        const int py = vor::ToScreenY(f.view.transform, c.y);
        const vor::ViewerHits hits = vor::HitTest(
            f.state, vor::FileX(f.view, f.state, px), vor::FileY(f.view, f.state, py));
        EXPECT_EQ(hits.piece, c.piece) << c.x << "," << c.y;
        EXPECT_EQ(hits.scrap, c.scrap) << c.x << "," << c.y;
        EXPECT_EQ(hits.offcut, c.offcut) << c.x << "," << c.y;
        if (hits.First()) {
            EXPECT_EQ(hits.lowerHalf, c.lower) << c.x << "," << c.y;
        }
    }
}

TEST(ViewerViewTest, ReadOutsAreInMillimetres)
{
    vortest::StubMessages stub;
    vor::LayoutState state = Layout();
    state.elements[1].order = 77;
    const vor::ElementDetail d = vor::MakeElementDetail(state, 2, true);
    EXPECT_EQ(d.title, "<384>");
    EXPECT_EQ(d.size, " 80.0 x  60.0");
    EXPECT_EQ(d.description, " Porta  (77)");
    // Distances to the inner edges: 1990 x 1180 inside the trims.
    EXPECT_EQ(d.left, ".0");
    EXPECT_EQ(d.right, "119.0");
    EXPECT_EQ(d.top, "58.0");
    EXPECT_EQ(vor::MakeElementDetail(state, 3, true).title, "<386>");
    EXPECT_EQ(vor::MakeElementDetail(state, 5, true).title, "<385>");
    // The sketch places the element on the inner extent; the panel takes its colour.
    EXPECT_DOUBLE_EQ(d.sketchX, 0.0);
    EXPECT_DOUBLE_EQ(d.sketchWidth, 800.0 / 1990);
    EXPECT_DOUBLE_EQ(d.sketchHeight, 600.0 / 1180);
    const vor::ElementDetail offcut = vor::MakeElementDetail(state, 3, true);
    EXPECT_DOUBLE_EQ(offcut.sketchX, 800.0 / 1990);
    EXPECT_EQ(offcut.fill, vor::kYellow);
    EXPECT_EQ(vor::MakeElementDetail(state, 5, true).fill, vor::kAqua);
    EXPECT_EQ(d.fill, vor::GroupColour(state.elements[1].colourGroup, 0, false).screenBrush);
    EXPECT_EQ(vor::MakeElementDetail(state, 2, true, 0, true).fill, vor::kNavy);
    // A piece moved out past the sheet stays on the sketch.
    state.elements[1].x = 1900;
    const vor::ElementDetail outside = vor::MakeElementDetail(state, 2, true);
    EXPECT_DOUBLE_EQ(outside.sketchX + outside.sketchWidth, 1.0);
    state.elements[1].x = 0;

    struct Case {
        long selected;
        bool lower;
        long hovered;
        std::string text;
    };
    const Case cases[] = {
        {2, true, 4, "DY=50.0"},   // top edges: 600 and 1100
        {2, false, 4, "DY=60.0"},  // bottom edges: 0 and 600
        {0, false, 4, ""},         // nothing selected
    };
    for (const Case& c : cases)
        EXPECT_EQ(vor::DyText(state, c.selected, c.lower, c.hovered, true), c.text);
    state.elements[1].x = 1500;  // now past the sheet's right edge
    EXPECT_EQ(vor::DyText(state, 2, true, 4, true), "");
}

TEST(ViewerViewTest, CaptionAndRightAlignedNumbers)
{
    vortest::StubMessages stub;
    EXPECT_EQ(vor::ViewerCaption("Lista~A~B~C", 7, "MDF~15"),
              "<11> :Lista A    Material : (7) MDF 15");
    EXPECT_EQ(vor::ViewerCaption("", 7, "MDF"), "Material : (7) MDF");
    EXPECT_EQ(vor::ViewerCaption("~x", 7, "MDF"), "Material : (7) MDF");
    EXPECT_EQ(vor::FormatNumberRight(8, 25, true), "    2.5 ");
    EXPECT_EQ(vor::FormatNumberRight(3, 123456, true), "12345.6 ");  // longer texts are kept
}

}  // namespace
