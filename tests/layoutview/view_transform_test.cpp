// The transforms between layout units and pixels, the fit, the zoom and the
// group colours.
#include <gtest/gtest.h>

#include <cmath>

#include "vorplan/layoutview/layout_colours.h"
#include "vorplan/layoutview/view_transform.h"

namespace {

using vor::ViewTransform;

ViewTransform Box(int width, int height)
{
    ViewTransform view;
    view.boxWidth = width;
    view.boxHeight = height;
    view.drawingWidth = 4000;
    view.leftMargin = 20;
    return view;
}

TEST(ViewTransformTest, ScreenPointsRoundTripWithinAPixel)
{
    struct Case {
        double zoom;
        int panX, panY;
        double x, y;
        int px, py;  // expected pixels
    };
    // A 800 x 600 box and an extent of 1000: s = 600 / 1000 x 0.92 = 0.552.
    const Case cases[] = {
        {1.0, 0, 0, 0, 0, 0, 599},
        {1.0, 0, 0, 1000, 500, 552, 323},
        {1.0, 30, 30, 0, 0, 17, 582},
        {2.0, 0, 0, 1000, 500, 1104, 47},
        {2.0, -100, 50, 250.5, 10, 166, 533},
        {0.5, 0, 0, 2800, 2000, 773, 47},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.zoom << " " << c.x << "," << c.y);
        ViewTransform view = Box(800, 600);
        view.zoom = c.zoom;
        view.panX = c.panX;
        view.panY = c.panY;
        vor::FitLayout(view, 1000);
        const int px = vor::ToScreenX(view, c.x);
        const int py = vor::ToScreenY(view, c.y);
        EXPECT_EQ(px, c.px);
        EXPECT_EQ(py, c.py);
        EXPECT_LE(std::abs(vor::FromScreenX(view, px) - c.x) * view.screenScaleX, 0.5);
        EXPECT_LE(std::abs(vor::FromScreenY(view, py) - c.y) * view.screenScaleY, 0.5);
    }
}

TEST(ViewTransformTest, PrinterTransformUsesMarginAspectAndPageOffset)
{
    ViewTransform view = Box(800, 600);
    view.drawingWidth = 3000;
    view.leftMargin = 40;
    view.printerAspect = 0.5;
    vor::FitLayout(view, 2000);
    EXPECT_DOUBLE_EQ(view.printerScaleX, (3000.0 - 40) / 2000 * 0.8);
    EXPECT_DOUBLE_EQ(view.printerScaleY, view.printerScaleX * 0.5);
    EXPECT_EQ(view.printerOriginX, 290);
    EXPECT_EQ(view.printerOriginY, 1502);
    EXPECT_EQ(vor::ToPrinterX(view, 0), 290);
    EXPECT_EQ(vor::ToPrinterX(view, 1000), 290 + 1184);
    EXPECT_EQ(vor::ToPrinterY(view, 0), 1502);
    view.pageOffsetY = 3300;
    EXPECT_EQ(vor::ToPrinterY(view, 0), 4802);
    EXPECT_EQ(vor::ToPrinterY(view, 1000), 4802 - 592);
}

TEST(ViewTransformTest, FitTakesTheShorterSideAndKeepsDegenerateScales)
{
    // Wider than high: the height decides.
    ViewTransform wide = Box(1000, 500);
    vor::FitLayout(wide, 2000);
    EXPECT_DOUBLE_EQ(wide.screenScaleX, 500.0 / 2000 * 0.92);
    EXPECT_EQ(wide.screenOriginY, 499);
    // Higher than wide: the width.
    ViewTransform tall = Box(500, 1000);
    vor::FitLayout(tall, 2000);
    EXPECT_DOUBLE_EQ(tall.screenScaleX, 500.0 / 2000 * 0.92);
    // An extent below 1 leaves everything as it was.
    ViewTransform empty = Box(800, 600);
    empty.screenScaleX = 3.5;
    empty.screenScaleY = 3.5;
    vor::FitLayout(empty, 0);
    EXPECT_EQ(empty.screenScaleX, 3.5);
    EXPECT_EQ(empty.screenScaleY, 3.5);
    // A box of no size gives s = 0, taken as 1.
    ViewTransform none = Box(0, 0);
    vor::FitLayout(none, 1000);
    EXPECT_EQ(none.fitScale, 1.0);
    EXPECT_EQ(none.screenScaleX, 1.0);
    EXPECT_EQ(none.rulerStep, 1);  // at least one layout unit
}

TEST(ViewTransformTest, ZoomScalesBothAxesWithinItsLimitsAndGrowsTheLabels)
{
    ViewTransform view = Box(800, 600);
    vor::FitLayout(view, 1000);
    const double s = view.screenScaleX;
    const int step = view.rulerStep;
    EXPECT_EQ(step, static_cast<int>(800 / s * 0.125));
    EXPECT_EQ(vor::LabelFontSize(view), 7);

    vor::SetZoom(view, 2.0);
    EXPECT_DOUBLE_EQ(view.screenScaleX, 2 * s);
    EXPECT_DOUBLE_EQ(view.screenScaleY, 2 * s);
    EXPECT_EQ(view.rulerStep, static_cast<int>(800 / (2 * s) * 0.125));
    EXPECT_EQ(vor::LabelFontSize(view), 8);

    // A new fit keeps the zoom.
    vor::FitLayout(view, 1000);
    EXPECT_DOUBLE_EQ(view.screenScaleX, 2 * s);

    vor::SetZoom(view, 100);
    EXPECT_EQ(view.zoom, vor::kMaxZoom);
    EXPECT_EQ(vor::LabelFontSize(view), 23);
    vor::SetZoom(view, 0.01);
    EXPECT_EQ(view.zoom, vor::kMinZoom);
}

TEST(ViewTransformTest, FarPointsStayInsideTheIntRange)
{
    ViewTransform view = Box(800, 600);
    vor::FitLayout(view, 1);  // a huge scale
    vor::SetZoom(view, vor::kMaxZoom);
    EXPECT_EQ(vor::ToScreenX(view, 2e9), 1000000000);
    EXPECT_EQ(vor::ToScreenY(view, 2e9), 599 - 1000000000);
    EXPECT_EQ(vor::ToScreenX(view, -2e9), -1000000000);
}

TEST(GroupColourTest, TableLuminosityAndPrinterIntensity)
{
    struct Case {
        int group, luminosity;
        bool faint;
        vor::WinColor screen, text, printer;
    };
    const Case cases[] = {
        {10, 0, false, 0xFFFFFF, vor::kBlack, 0xFFFFFF},
        {20, 0, false, 0xFFFFFF, vor::kBlack, 0xFFFFFF},
        {11, 0, false, 0x000080, vor::kWhite, vor::LightenColor(0x000080, 230)},
        {11, 0, true, 0x000080, vor::kWhite, vor::LightenColor(0x000080, 245)},
        {6, 0, false, 0x808000, vor::kBlack, vor::LightenColor(0x808000, 230)},
        {11, 101, false, vor::LightenColor(0x000080, 101), vor::kBlack, vor::LightenColor(0x000080, 230)},
        {11, 100, false, vor::LightenColor(0x000080, 100), vor::kWhite, vor::LightenColor(0x000080, 230)},
        {6, -21, false, vor::LightenColor(0x808000, -21), vor::kWhite, vor::LightenColor(0x808000, 230)},
        {6, -20, false, vor::LightenColor(0x808000, -20), vor::kBlack, vor::LightenColor(0x808000, 230)},
        {-3, 0, false, 0xFFFFFF, vor::kBlack, 0xFFFFFF},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.group << " " << c.luminosity << " " << c.faint);
        const vor::GroupColours colours = vor::GroupColour(c.group, c.luminosity, c.faint);
        EXPECT_EQ(colours.screenBrush, c.screen);
        EXPECT_EQ(colours.text, c.text);
        EXPECT_EQ(colours.printerBrush, c.printer);
    }
}

}  // namespace
