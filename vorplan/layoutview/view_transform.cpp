#include "vorplan/layoutview/view_transform.h"

#include <algorithm>
#include <cmath>

namespace vor {

namespace {

// Far beyond any device, yet clear of int overflow once offsets are added.
constexpr double kPixelLimit = 1.0e9;

int ToPixel(double value)
{
    if (std::isnan(value))
        return 0;
    // Half to even, as Round does everywhere.
    return static_cast<int>(std::nearbyint(std::clamp(value, -kPixelLimit, kPixelLimit)));
}

void UpdateRulerStep(ViewTransform& view)
{
    const double step = view.screenScaleX > 0 ? view.boxWidth / view.screenScaleX * 0.125 : 1.0;
    view.rulerStep = static_cast<int>(std::clamp(std::trunc(step), 1.0, kPixelLimit));
}

}  // namespace

int ToScreenX(const ViewTransform& view, double x)
{
    return ToPixel(static_cast<double>(ToPixel((x + view.panX) * view.screenScaleX)) +
                   view.screenOriginX);
}

int ToScreenY(const ViewTransform& view, double y)
{
    return ToPixel(view.screenOriginY -
                   static_cast<double>(ToPixel((y + view.panY) * view.screenScaleY)));
}

int ToPrinterX(const ViewTransform& view, double x)
{
    return ToPixel(static_cast<double>(ToPixel(x * view.printerScaleX)) + view.printerOriginX);
}

int ToPrinterY(const ViewTransform& view, double y)
{
    return ToPixel(static_cast<double>(view.printerOriginY) + view.pageOffsetY -
                   static_cast<double>(ToPixel(y * view.printerScaleY)));
}

double FromScreenX(const ViewTransform& view, int px)
{
    return (static_cast<double>(px) - view.screenOriginX) / view.screenScaleX - view.panX;
}

double FromScreenY(const ViewTransform& view, int py)
{
    return -(static_cast<double>(py) - view.screenOriginY) / view.screenScaleY - view.panY;
}

void FitLayout(ViewTransform& view, long long extent)
{
    if (extent < 1)
        return;
    const auto e = static_cast<double>(extent);
    double s = view.boxWidth / e * 0.92;
    if (view.boxHeight < view.boxWidth)
        s = view.boxHeight / e * 0.92;
    if (s == 0)
        s = 1;
    view.fitScale = s;
    view.screenScaleX = s * view.zoom;
    view.screenScaleY = s * view.zoom;
    view.printerScaleX = (view.drawingWidth - view.leftMargin) / e * 0.8;
    view.printerScaleY = view.printerScaleX * view.printerAspect;
    view.screenOriginX = 0;
    view.screenOriginY = view.boxHeight - 1;
    view.printerOriginX = view.leftMargin + 250;
    view.printerOriginY = ToPixel(view.printerAspect * view.drawingWidth + 2);
    view.labelScale = s * 20;
    UpdateRulerStep(view);
}

void SetZoom(ViewTransform& view, double zoom)
{
    view.zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    view.screenScaleX = view.fitScale * view.zoom;
    view.screenScaleY = view.screenScaleX;
    UpdateRulerStep(view);
}

int LabelFontSize(const ViewTransform& view)
{
    const double size = view.labelScale > 0 ? view.screenScaleX * 8 / view.labelScale : 0;
    return ToPixel(size) + 7;
}

}  // namespace vor
