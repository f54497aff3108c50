#pragma once

namespace vor {

// The zoom factor's range.
constexpr double kMinZoom = 0.25;
constexpr double kMaxZoom = 40.0;

// Where the layout lands on the screen and on paper. Layout units are tenths
// of a millimetre with Y growing upwards; pixels have Y growing downwards.
struct ViewTransform {
    // The paint box, in pixels.
    int boxWidth = 0;
    int boxHeight = 0;
    // The printer page: the width reserved for the drawing, the left margin
    // (MARGEM_ESQ) and the aspect factor (FAT_C_M), all set by the printing.
    int drawingWidth = 0;
    int leftMargin = 20;
    double printerAspect = 1.0;

    double fitScale = 1.0;  // s of the last fit: the whole layout at zoom 1
    double zoom = 1.0;
    double screenScaleX = 1.0;  // pixels per layout unit: fitScale x zoom on both axes
    double screenScaleY = 1.0;
    int screenOriginX = 0;
    int screenOriginY = 0;
    int panX = 0;  // layout units added before scaling
    int panY = 0;
    double printerScaleX = 1.0;
    double printerScaleY = 1.0;
    int printerOriginX = 0;
    int printerOriginY = 0;
    int pageOffsetY = 0;
    int deviceOffsetX = 0;  // added to screen pixels after the transform (overview)
    int deviceOffsetY = 0;
    double labelScale = 20.0;
    int rulerStep = 1;  // one eighth of the visible width; also the pan step
};

// Layout unit to screen pixel, limited to a range no drawing overflows.
int ToScreenX(const ViewTransform& view, double x);
int ToScreenY(const ViewTransform& view, double y);
// Layout unit to printer pixel, the page offset included.
int ToPrinterX(const ViewTransform& view, double x);
int ToPrinterY(const ViewTransform& view, double y);
// Screen pixel back to layout units (mouse read-out and hit tests).
double FromScreenX(const ViewTransform& view, int px);
double FromScreenY(const ViewTransform& view, int py);

// Fits a layout of `extent` (LayoutExtent) into the paint box and the printer
// drawing width, keeping the zoom factor; an extent below 1 changes nothing.
void FitLayout(ViewTransform& view, long long extent);

// Sets the zoom factor, limited to kMinZoom .. kMaxZoom, with the screen
// scales and the ruler step that follow from it.
void SetZoom(ViewTransform& view, double zoom);

// The label font size on the screen: grows with the zoom.
int LabelFontSize(const ViewTransform& view);

}  // namespace vor
