#include "vorplan/layoutview/viewer_view.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "vorplan/common/language_texts.h"
#include "vorplan/common/real_helpers.h"
#include "vorplan/layoutview/layout_colours.h"
#include "vorplan/layoutview/layout_drawing.h"
#include "vorplan/layoutview/layout_model.h"
#include "vorplan/optimiser/layout_files.h"

namespace vor {

namespace {

int RoundInt(double v)
{
    return static_cast<int>(std::nearbyint(std::clamp(v, -1.0e9, 1.0e9)));
}

std::string Replace(std::string text, char from, char to)
{
    std::replace(text.begin(), text.end(), from, to);
    return text;
}

std::string CutAtLastTilde(const std::string& text)
{
    const std::size_t at = text.rfind('~');
    return at == std::string::npos ? text : text.substr(0, at);
}

}  // namespace

void SetPanLimits(ViewerView& view, int sheetLength, int sheetHeight)
{
    view.panMinX = -RoundInt(1.5 * sheetLength);
    view.panMaxX = RoundInt(1.5 * sheetLength) + sheetLength;
    view.panMinY = -RoundInt(1.5 * sheetHeight);
    view.panMaxY = RoundInt(1.5 * sheetHeight) + sheetHeight;
}

void FitView(ViewerView& view, const LayoutState& state)
{
    const long long extent = LayoutExtent(state);
    view.transform.panX = RoundInt(static_cast<double>(extent) * 0.03);
    view.transform.panY = view.transform.panX;
    // A fitted view shows the whole layout, whatever the zoom was.
    SetZoom(view.transform, 1.0);
    FitLayout(view.transform, extent);
    SetPanLimits(view, state.sheetLength, state.sheetHeight);
    view.fitted = true;
}

bool ZoomStep(ViewerView& view, const LayoutState& state, bool zoomIn)
{
    ViewTransform& t = view.transform;
    bool changed = false;
    const bool room = zoomIn ? t.zoom < view.maxZoom : t.zoom > view.minZoom;
    if (room) {
        const double before = t.screenScaleX;
        const double beforeY = t.screenScaleY;
        SetZoom(t, std::clamp(t.zoom * (zoomIn ? 1.1 : 1 / 1.1), view.minZoom, view.maxZoom));
        // The visible half-extent shrinks or grows; the pan follows so that
        // the centre stays put.
        if (t.screenScaleX > 0 && before > 0) {
            t.panX -= RoundInt(t.boxWidth / before * 0.5 - t.boxWidth / t.screenScaleX * 0.5);
            t.panY -= RoundInt(t.boxHeight / beforeY * 0.5 - t.boxHeight / t.screenScaleY * 0.5);
        }
        changed = true;
    } else {
        SetZoom(t, zoomIn ? view.maxZoom : view.minZoom);
    }
    SetPanLimits(view, state.sheetLength, state.sheetHeight);
    view.fitted = false;
    return changed;
}

bool PanButton(ViewerView& view, int dx, int dy)
{
    ViewTransform& t = view.transform;
    const int step = view.PanStep();
    if (dx > 0 && t.panX < view.panMaxX)
        t.panX += step;
    else if (dx < 0 && t.panX > view.panMinX)
        t.panX -= step;
    else if (dy > 0 && t.panY < view.panMaxY)
        t.panY += step;
    else if (dy < 0 && t.panY > view.panMinY)
        t.panY -= step;
    else
        return false;
    return true;
}

void StartGlide(ViewerView& view, int px, int py)
{
    const ViewTransform& t = view.transform;
    if (t.screenScaleX <= 0 || t.screenScaleY <= 0)
        return;
    const double cX = t.boxWidth / t.screenScaleX * 0.5 - t.panX;
    const double cY = t.boxHeight / t.screenScaleY * 0.5 - t.panY;
    const double dX = FromScreenX(t, px) - cX;
    const double dY = FromScreenY(t, py) - cY;
    const double d = std::sqrt(dX * dX + dY * dY);
    const int step = std::max(1, view.PanStep());
    const int n = static_cast<int>(std::trunc(std::min(d * t.screenScaleX / step, 1.0e6))) + 2;
    view.glideSteps = n;
    view.glideDeltaX = RoundInt(dX / n);
    view.glideDeltaY = RoundInt(dY / n);
    view.glideTargetX = t.panX - RoundInt(dX);
    view.glideTargetY = t.panY - RoundInt(dY);
    view.pendingZoomSteps = t.zoom < view.maxZoom ? 9 : 0;
}

ViewerTick Tick(ViewerView& view, const LayoutState& state, long long currentLayout,
                long long layoutCount, bool& showOverviewFlag)
{
    ViewerTick out;
    if (view.slideShow != 0) {
        if (currentLayout <= 1)
            view.slideShow = 1;
        else if (currentLayout >= layoutCount)
            view.slideShow = -1;
        out.stepLayout = view.slideShow;
    }
    view.tickCounter = view.tickCounter >= 20 ? 0 : view.tickCounter + 1;
    if (view.redrawRequest) {
        view.redrawRequest = false;
        out.redraw = true;
        if (showOverviewFlag) {
            showOverviewFlag = false;
            out.showOverview = true;
        }
    }
    if (view.glideSteps > 0) {
        --view.glideSteps;
        if (view.glideSteps == 0) {
            view.transform.panX = view.glideTargetX;
            view.transform.panY = view.glideTargetY;
        } else {
            view.transform.panX -= view.glideDeltaX;
            view.transform.panY -= view.glideDeltaY;
        }
        out.redraw = true;
    } else if (view.pendingZoomSteps > 0) {
        --view.pendingZoomSteps;
        ZoomStep(view, state, true);
        out.redraw = true;
        out.zoomChanged = true;
        if (view.pendingZoomSteps == 0)
            out.clearSelection = true;
    }
    for (int* held : {&view.heldZoomIn, &view.heldZoomOut}) {
        if (*held == 0)
            continue;
        ++*held;
        if (*held > 3) {
            ZoomStep(view, state, held == &view.heldZoomIn);
            out.redraw = true;
            out.zoomChanged = true;
        }
    }
    return out;
}

ViewerHits HitTest(const LayoutState& state, double x, double y)
{
    ViewerHits hits;
    bool lowerSet = false;
    auto find = [&](int type, long& slot) {
        for (long i = 1; i <= state.ElementCount(); ++i) {
            const ViewerElement& e = state.Element(i);
            if (e.type != type)
                continue;
            const double left = e.x + e.dx, bottom = e.y + e.dy;
            if (x > left && x < left + e.length && y > bottom && y < bottom + e.height) {
                slot = i;
                if (!lowerSet) {
                    hits.lowerHalf = y < bottom + e.height * 0.5;
                    lowerSet = true;
                }
                return;
            }
        }
    };
    find(kLayoutTypePiece, hits.piece);
    find(kLayoutTypeDiscarded, hits.scrap);
    find(kLayoutTypeOffcut, hits.offcut);
    return hits;
}

double FileX(const ViewerView& view, const LayoutState& state, int px)
{
    return FromScreenX(view.transform, px) - state.trims.left;
}

double FileY(const ViewerView& view, const LayoutState& state, int py)
{
    return FromScreenY(view.transform, py) - state.trims.bottom;
}

ElementDetail MakeElementDetail(const LayoutState& state, long i, bool showDecimals,
                                int brightness, bool singleColour)
{
    ElementDetail d;
    const ViewerElement& e = state.Element(i);
    d.title = Msg(e.type == kLayoutTypePiece ? 384 : e.type == kLayoutTypeDiscarded ? 385 : 386);
    char area[32];
    std::snprintf(area, sizeof area, "%.3f", static_cast<double>(e.length) * e.height / 1.0e8);
    d.identity = "#" + std::to_string(i) + "  " + area + " m2  Cód. " + std::to_string(e.code);
    d.description = ShownDescription(e.description);
    if (e.order != 0)
        d.description += "  (" + std::to_string(e.order) + ")";
    d.size = LeftPad(RealToText(e.length, showDecimals), " ", 5) + " x " +
             LeftPad(RealToText(e.height, showDecimals), " ", 5);
    const long long innerL = state.InnerWidth(), innerH = state.InnerHeight();
    d.left = RealToText(e.x, showDecimals);
    d.bottom = RealToText(e.y, showDecimals);
    d.right = RealToText(static_cast<double>(innerL - e.x - e.length), showDecimals);
    d.top = RealToText(static_cast<double>(innerH - e.y - e.height), showDecimals);
    if (innerL > 0 && innerH > 0) {
        const auto fraction = [](double v, long long extent) {
            return std::clamp(v / static_cast<double>(extent), 0.0, 1.0);
        };
        d.sketchX = fraction(static_cast<double>(e.x), innerL);
        d.sketchY = fraction(static_cast<double>(e.y), innerH);
        d.sketchWidth = fraction(static_cast<double>(e.x + e.length), innerL) - d.sketchX;
        d.sketchHeight = fraction(static_cast<double>(e.y + e.height), innerH) - d.sketchY;
    }
    if (e.type == kLayoutTypePiece) {
        const GroupColours colours = GroupColour(e.colourGroup, brightness, false);
        d.fill = singleColour ? kNavy : colours.screenBrush;
        d.text = singleColour ? kWhite : colours.text;
    } else {
        d.fill = e.type == kLayoutTypeDiscarded ? kAqua : kYellow;
        d.text = kBlack;
    }
    return d;
}

std::string DyText(const LayoutState& state, long selected, bool selectedLowerHalf, long hovered,
                   bool showDecimals)
{
    if (selected < 1 || selected > state.ElementCount() || hovered < 1 ||
        hovered > state.ElementCount())
        return {};
    const ViewerElement& s = state.Element(selected);
    const ViewerElement& h = state.Element(hovered);
    if (s.x < 0 || s.y < 0 || s.x + s.length > state.InnerWidth() ||
        s.y + s.height > state.InnerHeight())
        return {};
    const long long a = selectedLowerHalf ? s.y + s.height : s.y;
    const long long b = selectedLowerHalf ? h.y + h.height : h.y;
    return "DY=" + RealToText(static_cast<double>(std::llabs(a - b)), showDecimals);
}

std::string ViewerCaption(const std::string& lastListName, long long materialCode,
                          const std::string& materialDescription)
{
    std::string caption;
    const std::string name = CutAtLastTilde(CutAtLastTilde(lastListName));
    if (!name.empty())
        caption = Msg(11) + " :" + name + "    ";
    caption += "Material : (" + std::to_string(materialCode) + ") " + materialDescription;
    return Replace(caption, '~', ' ');
}

std::string FormatNumberRight(int width, double value, bool showDecimals)
{
    return LeftPad(RealToText(value, showDecimals) + " ", " ", width);
}

}  // namespace vor
