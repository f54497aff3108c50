#pragma once

#include <string>

#include "vorplan/layoutview/view_transform.h"

namespace vor {

struct LayoutState;

// The viewer's zoom, pan, glide, held buttons and slide show, apart from any
// window. Lengths are layout units (tenths of a millimetre); the paint box
// size lives in `transform`.
struct ViewerView {
    ViewTransform transform;
    double maxZoom = kMaxZoom;
    double minZoom = kMinZoom;
    int panMinX = 0, panMaxX = 0, panMinY = 0, panMaxY = 0;
    bool fitted = false;

    // The glide to a double-clicked point, then the zoom-in steps.
    int glideSteps = 0;
    int glideDeltaX = 0, glideDeltaY = 0;
    int glideTargetX = 0, glideTargetY = 0;
    int pendingZoomSteps = 0;

    int heldZoomIn = 0;   // 0 released; counted up by the ticks while held
    int heldZoomOut = 0;
    int slideShow = 0;    // 0 off, +1 forward, -1 back
    int tickCounter = 0;  // 0 .. 20
    bool redrawRequest = false;
    bool overviewMode = false;
    bool separated = false;     // the pieces pulled apart by "Separa peças"
    int overviewCountdown = 0;  // ticks left for the overview's data panel

    int PanStep() const { return transform.rulerStep; }
};

// Pan limits from the sheet: X from -round(1.5 L) to round(1.5 L) + L, Y alike with H.
void SetPanLimits(ViewerView& view, int sheetLength, int sheetHeight);

// Pan to round(extent x 0.03) on both axes, zoom 1, fitted to the layout.
void FitView(ViewerView& view, const LayoutState& state);

// One zoom step in or out, keeping the layout point at the view centre.
// Returns whether the view changed.
bool ZoomStep(ViewerView& view, const LayoutState& state, bool zoomIn);

// The pan buttons: one pan step while inside the limits. Returns whether it moved.
bool PanButton(ViewerView& view, int dx, int dy);

// Starts the glide to the pixel (px, py) and the zoom that follows.
void StartGlide(ViewerView& view, int px, int py);

// What a tick asks of the window, besides what it changed in the view.
struct ViewerTick {
    int stepLayout = 0;     // slide show: +1 or -1
    bool redraw = false;
    bool showOverview = false;  // the redraw request met the shared show-overview flag
    bool zoomChanged = false;   // hover read-outs are stale
    bool clearSelection = false;
};

// One tick of Timer1, in the window's order: slide show, tick counter,
// redraw request (with `showOverviewFlag`, which it clears), one glide or
// zoom step, the held zoom buttons.
ViewerTick Tick(ViewerView& view, const LayoutState& state, long long currentLayout,
                long long layoutCount, bool& showOverviewFlag);

// The element kinds under the point, each the first in table order whose
// shifted rectangle strictly holds the point (x, y) of the file's frame.
struct ViewerHits {
    long piece = 0, scrap = 0, offcut = 0;
    bool lowerHalf = false;  // of the first kind hit, in that order
    long First() const { return piece ? piece : scrap ? scrap : offcut; }
};
ViewerHits HitTest(const LayoutState& state, double x, double y);

// A pixel of the paint box as a point of the file's frame (trims taken off).
double FileX(const ViewerView& view, const LayoutState& state, int px);
double FileY(const ViewerView& view, const LayoutState& state, int py);

// The lines of the hover detail panel for element i.
struct ElementDetail {
    std::string title;
    std::string identity;  // index, area, code
    std::string description;
    std::string size;      // L and H right-aligned in 5 characters
    std::string left, bottom, right, top;  // distances to the sheet edges
    // The element on the sketch of the sheet: fractions of the inner extent,
    // from the bottom left, clamped to the sheet.
    double sketchX = 0, sketchY = 0, sketchWidth = 0, sketchHeight = 0;
    unsigned fill = 0xFFFFFF;  // the element's screen colour, 0x00BBGGRR
    unsigned text = 0;
};
// The colours follow the drawing: the piece's group colour at `brightness`
// (navy with `singleColour`), offcuts yellow, scrap aqua.
ElementDetail MakeElementDetail(const LayoutState& state, long i, bool showDecimals,
                                int brightness = 0, bool singleColour = false);

// "DY=" and the vertical distance between the selected and the hovered
// element: their top edges when the selecting click hit the lower half, else
// their bottom edges. Empty when nothing is selected or the selected piece
// lies outside the sheet.
std::string DyText(const LayoutState& state, long selected, bool selectedLowerHalf, long hovered,
                   bool showDecimals);

// The window's caption: the last list name (cut twice at its last "~") with
// message 11, then the material; every "~" a blank.
std::string ViewerCaption(const std::string& lastListName, long long materialCode,
                          const std::string& materialDescription);

// `RealToText` of the value and one blank, padded on the left to `width`.
std::string FormatNumberRight(int width, double value, bool showDecimals);

}  // namespace vor
