#include "vorplan/layoutview/layout_drawing.h"

#include <algorithm>
#include <array>

#include "platform/print_jobs.h"
#include "vorplan/common/codec.h"
#include "vorplan/common/conversions.h"
#include "vorplan/common/real_helpers.h"
#include "vorplan/common/small_helpers.h"
#include "vorplan/layoutview/layout_colours.h"
#include "vorplan/layoutview/layout_model.h"
#include "vorplan/layoutview/viewer_settings.h"
#include "vorplan/optimiser/layout_files.h"

namespace vor {

namespace {

constexpr WinColor kFuchsia = 0xFF00FF;
constexpr WinColor kPrintedOffcutBrush = RgbColor(240, 240, 240);
constexpr std::size_t kKeyDescriptionLength = 22;
constexpr std::array<int, 4> kPrinterLabelSizes = {8, 7, 6, 5};
constexpr int kLetterKeySize = 6;

bool OnScreen(const DrawContext& context) { return context.target == DrawTarget::Screen; }

// Fixed pixel sizes of marks are meant for the screen; on paper they grow
// with the printer's resolution.
int MarkPixels(const DrawContext& context, int screenPixels)
{
    return OnScreen(context) ? screenPixels : screenPixels * platform::kPrintDotsPerInch / 96;
}

void Indicate(const DrawContext& context, DrawIndicator state)
{
    if (context.indicator)
        context.indicator(state);
}

// Corners of a layout rectangle in device pixels: (x1, y1) bottom-left.
struct DeviceCorners {
    int x1, y1, x2, y2;
};

DeviceCorners ToDevice(const DrawContext& context, double x, double y, double length, double height)
{
    const ViewTransform& view = *context.view;
    if (!OnScreen(context))
        return {ToPrinterX(view, x), ToPrinterY(view, y), ToPrinterX(view, x + length),
                ToPrinterY(view, y + height)};
    DeviceCorners c{ToScreenX(view, x), ToScreenY(view, y), ToScreenX(view, x + length),
                    ToScreenY(view, y + height)};
    ClampDrawCoords(c.x1, c.y1, c.x2, c.y2, std::max(view.boxWidth, view.boxHeight));
    c.x1 += view.deviceOffsetX;
    c.x2 += view.deviceOffsetX;
    c.y1 += view.deviceOffsetY;
    c.y2 += view.deviceOffsetY;
    return c;
}

Rect DeviceRect(const DrawContext& context, double x, double y, double length, double height)
{
    const DeviceCorners c = ToDevice(context, x, y, length, height);
    return {std::min(c.x1, c.x2), std::min(c.y1, c.y2), std::max(c.x1, c.x2), std::max(c.y1, c.y2)};
}


// The outline as a closed polygon, so that touching elements share one edge.
void Outline(Canvas& canvas, const Rect& r)
{
    canvas.Polygon({{r.left, r.top}, {r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom}});
}


bool Contains(std::string_view text, std::string_view part)
{
    return text.find(part) != std::string_view::npos;
}

std::string DimensionText(const DrawContext& context, const ViewerElement& e)
{
    return RealToText(e.length, context.showDecimals) + " x " +
           RealToText(e.height, context.showDecimals);
}

std::string IdentificationText(const DrawContext& context, const ViewerElement& e)
{
    if (context.display->identification == 0)
        return std::to_string(e.code);
    return ShownDescription(e.description);
}

// The edge marks of "@1" (shorter sides), "@2" (longer sides), "@3" (all four),
// each 2 pixels inside its edge.
void DrawEdgeMarks(Canvas& canvas, const Rect& r, const ViewerElement& e)
{
    const bool wideIsShort = e.length <= e.height;  // top and bottom are the shorter sides
    const bool one = Contains(e.description, "@1");
    const bool two = Contains(e.description, "@2");
    const bool all = Contains(e.description, "@3");
    const bool horizontal = all || (one && wideIsShort) || (two && !wideIsShort);
    const bool vertical = all || (one && !wideIsShort) || (two && wideIsShort);
    if (!horizontal && !vertical)
        return;
    canvas.pen = {kRed, 2, PenStyle::Solid};
    const int left = r.left + 2, right = r.right - 2, top = r.top + 2, bottom = r.bottom - 2;
    if (horizontal) {
        canvas.Line({left, top}, {right, top});
        canvas.Line({left, bottom}, {right, bottom});
    }
    if (vertical) {
        canvas.Line({left, top}, {left, bottom});
        canvas.Line({right, top}, {right, bottom});
    }
}

// "#C", "#DS" and "#DD": the last of them in that order wins.
void DrawDescriptionMarker(Canvas& canvas, const Rect& r, const ViewerElement& e)
{
    enum class Marker { None, Lighter, OneDiagonal, TwoDiagonals } marker = Marker::None;
    if (Contains(e.description, "#C"))
        marker = Marker::Lighter;
    if (Contains(e.description, "#DS"))
        marker = Marker::OneDiagonal;
    if (Contains(e.description, "#DD"))
        marker = Marker::TwoDiagonals;
    switch (marker) {
    case Marker::None: break;
    case Marker::Lighter: {
        const CanvasBrush before = canvas.brush;
        canvas.brush.colour = LightenColor(before.colour, 20);
        Outline(canvas, r);
        canvas.brush = before;
        break;
    }
    case Marker::TwoDiagonals: canvas.Line({r.left, r.top}, {r.right, r.bottom}); [[fallthrough]];
    case Marker::OneDiagonal: canvas.Line({r.left, r.bottom}, {r.right, r.top}); break;
    }
}

void DrawScreenLabels(DrawContext& context, const Rect& r, const ViewerElement& e, ElementKind kind)
{
    const ViewerDisplaySettings& display = *context.display;
    if (!display.showDimensions && !display.showIdentification)
        return;
    Canvas& canvas = *context.canvas;
    WinColor colour = kBlack;  // offcuts and scrap are light
    if (kind == ElementKind::Piece)
        colour = display.singleColour ? kWhite
                                      : GroupColour(e.colourGroup, display.brightness,
                                                    !context.print || !context.print->strongColours)
                                            .text;
    canvas.font = {"Arial", LabelFontSize(*context.view), false, false, false, colour};
    canvas.brush.style = BrushStyle::Clear;

    const std::string ident = display.showIdentification ? IdentificationText(context, e) : "";
    const std::string dims = display.showDimensions ? DimensionText(context, e) : "";
    const TextExtent identSize = ident.empty() ? TextExtent{} : canvas.MeasureText(ident);
    const TextExtent dimsSize = dims.empty() ? TextExtent{} : canvas.MeasureText(dims);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    const int lowered = identSize.height;  // 0 without an identification text
    const bool identFits = !ident.empty() && identSize.width < width - 1 &&
                           identSize.height < height - 1;
    const bool dimsFit = !dims.empty() && dimsSize.width < width - 1 &&
                         lowered + dimsSize.height < height - 1;
    if (display.legendTypeOne) {
        if (identFits)
            canvas.Text({r.left + 2, r.top + 1}, ident);
        if (dimsFit)
            canvas.Text({r.left + 2, r.top + 1 + lowered}, dims);
        return;
    }
    // Type 2: the texts that fit, centred as one block.
    const int block = (identFits ? identSize.height : 0) + (dimsFit ? dimsSize.height : 0);
    int top = r.top + (height - block) / 2;
    if (identFits) {
        canvas.Text({r.left + (width - identSize.width) / 2, top}, ident);
        top += identSize.height;
    }
    if (dimsFit)
        canvas.Text({r.left + (width - dimsSize.width) / 2, top}, dims);
}

void DrawScreenElement(DrawContext& context, const ViewerElement& e, double x, double y,
                       ElementKind kind, bool labels)
{
    Canvas& canvas = *context.canvas;
    canvas.pen.width = 1;
    const Rect r = DeviceRect(context, x, y, e.length, e.height);
    Outline(canvas, r);
    if (kind == ElementKind::Piece && context.specialPerimeter && Contains(e.description, "@")) {
        const CanvasPen before = canvas.pen;
        DrawEdgeMarks(canvas, r, e);
        canvas.pen = before;
    }
    if (kind == ElementKind::Piece && !context.overviewMode && context.pendingPanSteps == 0 &&
        context.pendingZoomSteps == 0)
        DrawDescriptionMarker(canvas, r, e);
    if (labels)
        DrawScreenLabels(context, r, e, kind);
}

// LARG_LINHA limited to 1..4; a value out of range is corrected where it is kept.
int PrinterPenWidth(DrawContext& context)
{
    if (!context.print)
        return 1;
    const int stored = context.print->PenWidth();
    const int width = std::clamp(stored, 1, 4);
    if (width != stored || context.print->penWidth != std::to_string(width))
        context.print->penWidth = std::to_string(width);
    return width;
}

void DrawLetterKey(DrawContext& context, const Rect& r, const ViewerElement& e, ElementKind kind)
{
    if (!context.keys)
        return;
    const int letter = LetterKeyFor(*context.keys, e.code, e.length, e.height, e.description);
    if (letter == 0)
        return;
    Canvas& canvas = *context.canvas;
    const bool offcut = kind == ElementKind::Offcut;
    canvas.font = {"Arial", kLetterKeySize, offcut, false, false, offcut ? kWhite : kOffcutOutlineColour};
    canvas.brush = offcut ? CanvasBrush{kOffcutOutlineColour, BrushStyle::Solid}
                          : CanvasBrush{kWhite, BrushStyle::Clear};
    const std::string text = LetterKeyText(letter);
    const TextExtent size = canvas.MeasureText(text);
    canvas.Text({r.left + 2, r.bottom - size.height - 1}, text);
}

struct FittedText {
    int height = 0;         // 0 when nothing was written
    bool needsKey = true;   // written at 5 points or not at all
};

// Writes `text` at `at` at the first of 8, 7, 6 and 5 points at which it fits.
FittedText WriteFittingText(Canvas& canvas, Point at, const std::string& text, int width,
                            int thirdHeight)
{
    for (const int size : kPrinterLabelSizes) {
        canvas.font.size = size;
        const TextExtent extent = canvas.MeasureText(text);
        if (extent.width < width - 1 && extent.height < thirdHeight) {
            canvas.Text(at, text);
            return {extent.height, size == kPrinterLabelSizes.back()};
        }
    }
    return {};
}

void DrawPrinterElement(DrawContext& context, const ViewerElement& e, double x, double y,
                        ElementKind kind, bool labels)
{
    Canvas& canvas = *context.canvas;
    canvas.pen.width = PrinterPenWidth(context);
    canvas.pen.colour = kind == ElementKind::Piece && context.print
                            ? static_cast<WinColor>(context.print->pieceOutlineColour)
                            : kOffcutOutlineColour;
    const Rect r = DeviceRect(context, x, y, e.length, e.height);
    canvas.Rectangle(r);
    if (!labels)
        return;
    const int width = r.right - r.left;
    const int third = (r.bottom - r.top - 1) / 3;
    canvas.font = {"Arial", 8, false, false, false, kOffcutOutlineColour};
    canvas.brush.style = BrushStyle::Clear;
    bool needsKey = true;
    int top = r.top + 1;
    if (kind != ElementKind::Offcut) {
        const FittedText ident = WriteFittingText(canvas, {r.left + 2, top},
                                                  IdentificationText(context, e), width, third);
        needsKey = ident.needsKey;
        top += ident.height;
    }
    if (context.display->showDimensions) {
        canvas.font = {"Arial", 8, false, false, false, kOffcutOutlineColour};
        canvas.brush.style = BrushStyle::Clear;
        if (WriteFittingText(canvas, {r.left + 2, top}, DimensionText(context, e), width, third).needsKey)
            needsKey = true;
    }
    if (needsKey)
        DrawLetterKey(context, r, e, kind);
}

bool ShowsPieces(ShowElements show) { return show != ShowElements::Leftovers; }
bool ShowsLeftovers(ShowElements show) { return show != ShowElements::Pieces; }

}  // namespace

Point DevicePoint(const DrawContext& context, double x, double y)
{
    const DeviceCorners c = ToDevice(context, x, y, 0, 0);
    return {c.x1, c.y1};
}

void DrawLayoutLine(DrawContext& context, double x1, double y1, double x2, double y2)
{
    const DeviceCorners c = ToDevice(context, x1, y1, x2 - x1, y2 - y1);
    context.canvas->Line({c.x1, c.y1}, {c.x2, c.y2});
}

int LetterKeyFor(PrintLetterKeys& keys, int code, int width, int height,
                 std::string_view description)
{
    for (const PrintLetterKey& key : keys.entries) {
        if (key.code == code && ((key.width == width && key.height == height) ||
                                 (key.width == height && key.height == width)))
            return key.letter;
    }
    if (keys.entries.size() >= kLetterKeyCapacity)
        return 0;
    const int letter = static_cast<int>(keys.entries.size()) + 1;
    keys.entries.push_back({code, width, height, Utf8Left(description, kKeyDescriptionLength), letter});
    return letter;
}

std::string LetterKeyText(int letter)
{
    if (letter >= 1 && letter <= 26)
        return std::string(1, static_cast<char>('A' + letter - 1));
    return std::string(1, static_cast<char>(letter + 70));
}

long long LayoutExtent(const LayoutState& state)
{
    long long extent = std::max(state.sheetLength, state.sheetHeight);
    for (const ViewerElement& e : state.elements) {
        if (e.type != kLayoutTypePiece && e.type != kLayoutTypeOffcut &&
            e.type != kLayoutTypeDiscarded)
            continue;
        extent = std::max(extent, static_cast<long long>(e.x) + e.dx + e.length);
        extent = std::max(extent, static_cast<long long>(e.y) + e.dy + e.height);
    }
    return extent;
}

void DrawElement(DrawContext& context, const LayoutState& state, const ViewerElement& element,
                 double x, double y, ElementKind kind, bool labels)
{
    static_cast<void>(state);
    if (OnScreen(context))
        DrawScreenElement(context, element, x, y, kind, labels);
    else
        DrawPrinterElement(context, element, x, y, kind, labels);
}

void RedrawLayout(DrawContext& context, const LayoutState& state, bool clearFirst)
{
    Canvas& canvas = *context.canvas;
    const ViewerDisplaySettings& display = *context.display;
    const bool screen = OnScreen(context);
    const bool faint = context.print && !context.print->strongColours;
    Indicate(context, DrawIndicator::Elements);
    if (clearFirst && screen) {
        canvas.brush = {context.background, BrushStyle::Solid};
        canvas.FillRect({0, 0, context.view->boxWidth, context.view->boxHeight});
    }
    const SheetTrims& trims = state.trims;
    const long long trimSum = static_cast<long long>(trims.left) + trims.right + trims.bottom + trims.top;
    for (const ViewerElement& e : state.elements) {
        switch (e.type) {
        case kLayoutTypeSheet: {
            if (context.pendingPanSteps != 0 || context.pendingZoomSteps != 0 || context.separated ||
                (context.kerf <= 0 && trimSum <= 0))
                break;
            canvas.pen = {kBlack, 1, PenStyle::Solid};
            canvas.brush = {kAqua, BrushStyle::BDiagonal};
            const Rect r = DeviceRect(context, 0, 0, e.length, e.height);
            if (screen)
                Outline(canvas, r);
            else
                canvas.Rectangle(r);
            break;
        }
        case kLayoutTypePiece: {
            if (!ShowsPieces(context.show))
                break;
            const GroupColours colours = GroupColour(e.colourGroup, display.brightness, faint);
            if (screen) {
                canvas.pen = {kBlack, 1, PenStyle::Solid};
                canvas.brush = {display.singleColour ? kNavy : colours.screenBrush, BrushStyle::Solid};
            } else {
                canvas.pen = {context.print ? static_cast<WinColor>(context.print->axesColour) : kBlack,
                              1, PenStyle::Solid};
                canvas.brush = context.print && context.print->colouredFill
                                   ? CanvasBrush{colours.printerBrush, BrushStyle::Solid}
                                   : CanvasBrush{kWhite, BrushStyle::Clear};
            }
            const double x = e.x + trims.left + e.dx;
            const double y = e.y + trims.bottom + e.dy;
            // A special piece gets its labels with the hatch, so the hatch does not cover them.
            DrawElement(context, state, e, x, y, ElementKind::Piece, e.code >= 0);
            if (e.code < 0) {
                canvas.brush = e.code == -1 ? CanvasBrush{kRed, BrushStyle::DiagCross}
                                            : CanvasBrush{kGrey, BrushStyle::Cross};
                DrawElement(context, state, e, x, y, ElementKind::Piece, true);
            }
            break;
        }
        case kLayoutTypeOffcut: {
            if (!ShowsLeftovers(context.show))
                break;
            canvas.pen = {screen ? kBlack : kOffcutOutlineColour, 1, PenStyle::Solid};
            canvas.brush = {screen ? kYellow : kPrintedOffcutBrush, BrushStyle::Solid};
            DrawElement(context, state, e, e.x + trims.left + (screen ? e.dx : 0),
                        e.y + trims.bottom + (screen ? e.dy : 0), ElementKind::Offcut, true);
            break;
        }
        case kLayoutTypeDiscarded: {
            if (!ShowsLeftovers(context.show))
                break;
            canvas.pen = {kBlack, 1, PenStyle::Solid};
            canvas.brush = screen ? CanvasBrush{kAqua, BrushStyle::Solid}
                                  : CanvasBrush{static_cast<WinColor>(display.scrapColour),
                                                BrushStyle::FDiagonal};
            const double x = e.x + trims.left + (screen ? e.dx : 0);
            const double y = e.y + trims.bottom + (screen ? e.dy : 0);
            DrawElement(context, state, e, x, y, ElementKind::Scrap, true);
            if (display.showLeftoverMarks && !context.overviewMode) {
                const Point centre = DevicePoint(context, x + e.length * 0.5, y + e.height * 0.5);
                const int arm = MarkPixels(context, 4);
                canvas.pen = {kRed, MarkPixels(context, 2), PenStyle::Solid};
                canvas.Line({centre.x - arm, centre.y - arm}, {centre.x + arm, centre.y + arm});
                canvas.Line({centre.x - arm, centre.y + arm}, {centre.x + arm, centre.y - arm});
            }
            break;
        }
        case kLayoutTypeBeep: Beep(); break;
        default: break;
        }
    }

    Indicate(context, DrawIndicator::CutLines);
    CutLineList localLines;
    CutLineList& lines = context.cutLines ? *context.cutLines : localLines;
    if (screen && display.cuts != CutDisplay::None) {
        const CutLineBuild built = BuildCutLines(lines, state, context.overviewMode);
        if (built == CutLineBuild::TooMany)
            context.display->cuts = CutDisplay::None;
        else if (built == CutLineBuild::Built)
            DrawCutLines(context, state, lines, 2);
    }

    Indicate(context, DrawIndicator::Finishing);
    if (!screen) {
        if (context.printInitialCuts &&
            BuildCutLines(lines, state, context.overviewMode) == CutLineBuild::Built) {
            DrawCutLines(context, state, lines, 1);
            if (context.kerf == 0)
                DrawInitialCutPositions(context, state, lines);
        }
        if (context.print && context.print->printSheetMargins)
            DrawTrims(context, state);
    }
    Indicate(context, DrawIndicator::Idle);
}

void DrawSelectionHighlight(DrawContext& context, const LayoutState& state, long element, bool picked)
{
    if (element < 1 || element > state.ElementCount())
        return;
    const ViewerElement& e = state.Element(element);
    Canvas& canvas = *context.canvas;
    canvas.pen = {picked ? kFuchsia : kRed, 3, PenStyle::Solid};
    canvas.brush.style = BrushStyle::Clear;
    Outline(canvas, DeviceRect(context, e.x + state.trims.left + e.dx,
                               e.y + state.trims.bottom + e.dy, e.length, e.height));
}

void DrawMovePreview(DrawContext& context, double x, double y, int length, int height)
{
    Canvas& canvas = *context.canvas;
    canvas.pen = {kBlack, 1, PenStyle::Dash};
    canvas.brush.style = BrushStyle::Clear;
    Outline(canvas, DeviceRect(context, x - length * 0.5, y - height * 0.5, length, height));
}

void DrawDimensionLine(DrawContext& context, double x, double y1, double y2, const std::string& text)
{
    Canvas& canvas = *context.canvas;
    const Point a = DevicePoint(context, x, y1);
    const Point b = DevicePoint(context, x, y2);
    const int tick = MarkPixels(context, 4);
    canvas.pen = {kBlack, 1, PenStyle::Solid};
    canvas.Line(a, b);
    canvas.Line({a.x - tick, a.y}, {a.x + tick + 1, a.y});
    canvas.Line({b.x - tick, b.y}, {b.x + tick + 1, b.y});
    canvas.font = {"Arial", 8, false, false, false, kBlack};
    canvas.brush.style = BrushStyle::Clear;
    const TextExtent size = canvas.MeasureText(text);
    canvas.Text({a.x + tick + 2, (a.y + b.y - size.height) / 2}, text);
}

}  // namespace vor
