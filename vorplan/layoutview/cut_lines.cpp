#include "vorplan/layoutview/cut_lines.h"

#include <algorithm>
#include <utility>

#include "vorplan/layoutview/layout_drawing.h"
#include "vorplan/common/real_helpers.h"
#include "vorplan/layoutview/layout_model.h"
#include "vorplan/layoutview/viewer_settings.h"

namespace vor {

namespace {

bool Classified(const CutLine& line) { return line.level >= 1 && line.level <= 3; }

// Horizontal lines are measured along X, vertical ones along Y.
void MergeRun(CutLineList& lines, bool horizontal)
{
    for (CutLine& a : lines) {
        for (CutLine& b : lines) {
            if (&a == &b || a.level != kCutLevelNone || b.level != kCutLevelNone)
                continue;
            if (horizontal && a.Horizontal() && b.Horizontal() && a.y1 == b.y1 && a.x2 == b.x1) {
                a.x2 = b.x2;
                b.level = kCutLevelMerged;
            } else if (!horizontal && a.Vertical() && b.Vertical() && a.x1 == b.x1 &&
                       a.y2 == b.y1) {
                a.y2 = b.y2;
                b.level = kCutLevelMerged;
            }
        }
    }
}

// Line i runs from the edge at 0 to the cut at `at`, or from that cut to the far edge.
bool RunsToEdge(long long from, long long to, long long at, long long far)
{
    return (from == 0 && to == at) || (from == at && to == far);
}

}  // namespace

bool AcceptCutLine(const CutLineList& lines, int x1, int y1, int x2, int y2, long long innerWidth,
                   long long innerHeight)
{
    if (y1 == y2 && (y1 == 0 || y1 == innerHeight))
        return false;
    if (x1 == x2 && (x1 == 0 || x1 == innerWidth))
        return false;
    return std::none_of(lines.begin(), lines.end(), [&](const CutLine& line) {
        return line.level != kCutLevelMerged && line.x1 == x1 && line.y1 == y1 &&
               line.x2 == x2 && line.y2 == y2;
    });
}

void MergeCutLines(CutLineList& lines)
{
    MergeRun(lines, true);
    MergeRun(lines, false);
}

void CompactCutLines(CutLineList& lines)
{
    std::erase_if(lines, [](const CutLine& line) { return line.level == kCutLevelMerged; });
}

void ClassifyCutLines(CutLineList& lines, long long innerWidth, long long innerHeight)
{
    for (CutLine& line : lines) {
        if (line.level != kCutLevelNone)
            continue;
        if ((line.Horizontal() && line.x1 == 0 && line.x2 == innerWidth) ||
            (line.Vertical() && line.y1 == 0 && line.y2 == innerHeight))
            line.level = 1;
    }
    const auto open = [&lines] {
        return std::any_of(lines.begin(), lines.end(),
                           [](const CutLine& line) { return line.level == kCutLevelNone; });
    };
    for (int pass = 0; pass < 8 && open(); ++pass) {
        for (CutLine& i : lines) {
            for (const CutLine& j : lines) {
                if (i.level != kCutLevelNone || &i == &j || !Classified(j))
                    continue;
                if (i.Horizontal() && j.Vertical() && j.y1 <= i.y1 && i.y1 <= j.y2 &&
                    RunsToEdge(i.x1, i.x2, j.x1, innerWidth))
                    i.level = 2;
                else if (i.Vertical() && j.Horizontal() && j.x1 <= i.x1 && i.x1 <= j.x2 &&
                         RunsToEdge(i.y1, i.y2, j.y1, innerHeight))
                    i.level = 2;
            }
        }
        for (CutLine& i : lines) {
            for (const CutLine& j : lines) {
                for (const CutLine& k : lines) {
                    if (i.level != kCutLevelNone || &i == &j || &i == &k || &j == &k ||
                        !Classified(j) || !Classified(k))
                        continue;
                    if (i.Horizontal() && j.Vertical() && k.Vertical() &&
                        ((i.x1 == j.x1 && i.x2 == k.x1) || (i.x1 == k.x1 && i.x2 == j.x1)))
                        i.level = 3;
                    else if (i.Vertical() && j.Horizontal() && k.Horizontal() &&
                             ((i.y1 == j.y1 && i.y2 == k.y1) || (i.y1 == k.y1 && i.y2 == j.y1)))
                        i.level = 3;
                }
            }
        }
    }
}

CutLineBuild BuildCutLines(CutLineList& lines, const LayoutState& state, bool overviewMode)
{
    if (overviewMode)
        return CutLineBuild::Skipped;
    lines.clear();
    // Positions are in the file's frame, so they are compared with the inner extent.
    const long long width = state.InnerWidth();
    const long long height = state.InnerHeight();
    const auto add = [&](int x1, int y1, int x2, int y2) {
        if (lines.size() < kCutLineCapacity && AcceptCutLine(lines, x1, y1, x2, y2, width, height))
            lines.push_back({x1, y1, x2, y2, kCutLevelNone});
    };
    for (long i = 2; i <= state.ElementCount() && lines.size() < kCutLineCapacity; ++i) {
        const ViewerElement& e = state.Element(i);
        if (e.type >= 5 || e.x >= width || e.y >= height)
            continue;
        add(e.x, e.y, e.x, e.y + e.height);
        add(e.x, e.y + e.height, e.x + e.length, e.y + e.height);
    }
    if (lines.size() >= kCutLineCapacity)
        return CutLineBuild::TooMany;
    // Twice: a chain joined in the first run may continue a line met earlier.
    MergeCutLines(lines);
    MergeCutLines(lines);
    CompactCutLines(lines);
    ClassifyCutLines(lines, width, height);
    return CutLineBuild::Built;
}

std::string SortCutLines(CutLineList& lines)
{
    CutLineList sorted;
    sorted.reserve(lines.size());
    for (const CutLine& line : lines)
        if (line.Horizontal())
            sorted.push_back(line);
    for (const CutLine& line : lines)
        if (!line.Horizontal())
            sorted.push_back(line);
    const bool complete = sorted.size() == lines.size();
    // Adjacent swaps only: lines with equal keys keep their order.
    for (bool swapped = true; swapped;) {
        swapped = false;
        for (std::size_t i = 0; i + 1 < sorted.size(); ++i) {
            CutLine& a = sorted[i];
            CutLine& b = sorted[i + 1];
            const bool bothHorizontal = a.Horizontal() && b.Horizontal();
            const bool bothOther = !a.Horizontal() && !b.Horizontal();
            if ((bothHorizontal && a.y1 > b.y1) || (bothOther && a.x1 > b.x1)) {
                std::swap(a, b);
                swapped = true;
            }
        }
    }
    lines = std::move(sorted);
    return complete ? std::string() : std::string("Error 998877");
}

}  // namespace vor

namespace vor {

WinColor LevelColour(int level)
{
    constexpr WinColor kCutLevelColours[] = {kRed, kLime, 0xFF00FF, kBlue};
    return level >= 0 && level <= 3 ? kCutLevelColours[level] : kRed;
}

namespace {

void UseTextFont(Canvas& canvas, int size, WinColor colour)
{
    canvas.font = {"Arial", size, false, false, false, colour};
    canvas.brush.style = BrushStyle::Clear;
}

}  // namespace

void DrawCutLines(DrawContext& context, const LayoutState& state, const CutLineList& lines,
                  int penWidth)
{
    if (context.separated || context.kerf > 0 || !context.display)
        return;
    const CutDisplay cuts = context.display->cuts;
    const SheetTrims& trims = state.trims;
    bool firstDrawn = false;
    for (const CutLine& line : lines) {
        if (line.level == kCutLevelMerged)
            continue;
        const bool initial = line.level == 1;
        const bool draw = cuts == CutDisplay::All || (cuts == CutDisplay::Initial && initial && !firstDrawn) ||
                          (cuts == CutDisplay::InitialCuts && initial);
        if (!draw)
            continue;
        firstDrawn = firstDrawn || initial;
        context.canvas->pen = {LevelColour(line.level), penWidth, PenStyle::Solid};
        DrawLayoutLine(context, line.x1 + trims.left, line.y1 + trims.bottom, line.x2 + trims.left,
                       line.y2 + trims.bottom);
    }
}

void DrawInitialCutPositions(DrawContext& context, const LayoutState& state,
                             const CutLineList& lines)
{
    Canvas& canvas = *context.canvas;
    const SheetTrims& trims = state.trims;
    const WinColor colour = context.print ? static_cast<WinColor>(context.print->initialCutColour) : kRed;
    for (const CutLine& line : lines) {
        if (line.level != 1)
            continue;
        canvas.pen = {colour, 1, PenStyle::Solid};
        const double x1 = line.x1 + trims.left, y1 = line.y1 + trims.bottom;
        const double x2 = line.x2 + trims.left, y2 = line.y2 + trims.bottom;
        DrawLayoutLine(context, x1, y1, x2, y2);
        UseTextFont(canvas, 7, colour);
        // The position in the file's frame, as the cut is measured on the saw.
        const std::string text =
            RealToText(line.Horizontal() ? line.y1 : line.x1, context.showDecimals);
        const TextExtent size = canvas.MeasureText(text);
        if (line.Horizontal()) {
            const Point end = DevicePoint(context, state.sheetLength, y1);
            canvas.Text({end.x + size.height / 2, end.y - size.height / 2}, text);
        } else {
            const Point end = DevicePoint(context, x1, state.sheetHeight);
            canvas.Text({end.x - size.width / 2, end.y - size.height - size.height / 2}, text);
        }
    }
}

void DrawTrims(DrawContext& context, const LayoutState& state)
{
    Canvas& canvas = *context.canvas;
    const SheetTrims& trims = state.trims;
    const double length = state.sheetLength;
    const double height = state.sheetHeight;
    const double near = height * 0.02;
    const double far = height * 0.04;
    const WinColor colour = context.print ? static_cast<WinColor>(context.print->axesColour) : kBlack;
    const auto label = [&](Point at, int value) {
        UseTextFont(canvas, 7, colour);
        canvas.Text(at, RealToText(value, context.showDecimals));
    };
    canvas.pen = {colour, 1, PenStyle::Solid};
    // Left and right trims: ticks above the sheet; bottom and top: right of it.
    for (const auto& [value, x] : {std::pair{trims.left, double(trims.left)},
                                   std::pair{trims.right, length - trims.right}}) {
        if (value <= 0)
            continue;
        canvas.pen = {colour, 1, PenStyle::Solid};
        DrawLayoutLine(context, x, height + near, x, height + far);
        const Point end = DevicePoint(context, x, height + far);
        const TextExtent size = canvas.MeasureText(RealToText(value, context.showDecimals));
        label({end.x - size.width / 2, end.y - size.height}, value);
    }
    for (const auto& [value, y] : {std::pair{trims.bottom, double(trims.bottom)},
                                   std::pair{trims.top, height - trims.top}}) {
        if (value <= 0)
            continue;
        canvas.pen = {colour, 1, PenStyle::Solid};
        DrawLayoutLine(context, length + near, y, length + far, y);
        const Point end = DevicePoint(context, length + far, y);
        UseTextFont(canvas, 7, colour);
        const TextExtent size = canvas.MeasureText(RealToText(value, context.showDecimals));
        label({end.x + 2, end.y - size.height / 2}, value);
    }
}

void DrawCutRouting(DrawContext& context, const LayoutState& state,
                    const std::vector<RouteLine>& route)
{
    Canvas& canvas = *context.canvas;
    const SheetTrims& trims = state.trims;
    for (const RouteLine& line : route) {
        const WinColor colour = line.cut ? kYellow : (line.Horizontal() ? kBlue : kLime);
        canvas.pen = {colour, 6, PenStyle::Solid};
        DrawLayoutLine(context, line.x1 + trims.left, line.y1 + trims.bottom, line.x2 + trims.left,
                       line.y2 + trims.bottom);
    }
    int ordinal = 0;
    for (const RouteLine& line : route) {
        const std::string text = " " + std::to_string(++ordinal) + " ";
        const bool horizontal = line.Horizontal();
        canvas.font = {"Arial", 8, false, false, false, horizontal ? kWhite : kBlack};
        canvas.brush = {horizontal ? kBlue : kLime, BrushStyle::Solid};
        const TextExtent size = canvas.MeasureText(text);
        const Point middle = DevicePoint(context, (line.x1 + line.x2) * 0.5 + trims.left,
                                         (line.y1 + line.y2) * 0.5 + trims.bottom);
        canvas.Text({middle.x - size.width / 2, middle.y - size.height / 2}, text);
    }
}

}  // namespace vor
