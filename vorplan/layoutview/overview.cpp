#include "vorplan/layoutview/overview.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "vorplan/common/conversions.h"
#include "vorplan/common/real_helpers.h"
#include "vorplan/layoutview/cut_lines.h"
#include "vorplan/layoutview/layout_colours.h"
#include "vorplan/layoutview/layout_drawing.h"
#include "vorplan/layoutview/layout_pass.h"
#include "vorplan/layoutview/viewer_settings.h"

namespace vor {

OverviewGrid OverviewGridShape(long long layouts)
{
    OverviewGrid grid;
    grid.k = layouts > 300   ? 12
             : layouts > 250 ? 10
             : layouts > 200 ? 9
             : layouts > 100 ? 8
             : layouts > 50  ? 4
             : layouts > 25  ? 3
                             : 2;
    grid.rows = 3;
    while (grid.rows < 25 && static_cast<long long>(grid.rows) * (2 * grid.rows - grid.k) < layouts)
        ++grid.rows;
    grid.perRow = 2 * grid.rows - grid.k;
    return grid;
}

OverviewPlacement PlaceOverview(int largestSheetSide, const OverviewGrid& grid, int boxHeight)
{
    OverviewPlacement p;
    p.side = largestSheetSide;
    p.gap = static_cast<int>(std::nearbyint(largestSheetSide / 7.0));
    p.firstPanX = 11 * p.gap;
    const double span = static_cast<double>(p.side) * grid.rows + (grid.rows + 7.0) * p.gap;
    p.scale = span > 0 ? boxHeight / span * 0.95 : 0;
    if (p.scale == 0)
        p.scale = 1.0;
    p.firstPanY = static_cast<int>(std::nearbyint((static_cast<double>(p.side) + p.gap) * (grid.rows - 1))) +
                  static_cast<int>(std::nearbyint(p.gap * 0.5));
    return p;
}

std::vector<int> OverviewStackShifts(int repetitionField, bool level)
{
    std::vector<int> shifts;
    const int copies = level ? 0 : std::clamp(repetitionField, 0, 30);
    int shift = 0;
    for (int j = 1; j <= copies; ++j) {
        shift += 2;
        if (repetitionField > 30 && j > 20)
            shift -= 1;
        shifts.push_back(shift);
    }
    return shifts;
}

int OverviewCells::Record(long long n, const Rect& rect, int sheetWidth, int sheetHeight)
{
    if (n < 0 || n >= kOverviewCellNumbers)
        return 0;
    int group = 0;
    int largest = 0;
    for (long long j = 0; j < n; ++j) {
        const OverviewCell& earlier = m_cells[static_cast<std::size_t>(j)];
        if (!earlier.recorded)
            continue;
        largest = std::max(largest, earlier.group);
        if (earlier.sheetWidth == sheetWidth && earlier.sheetHeight == sheetHeight)
            group = earlier.group;
    }
    OverviewCell& cell = m_cells[static_cast<std::size_t>(n)];
    cell.recorded = true;
    cell.rect = rect;
    cell.sheetWidth = sheetWidth;
    cell.sheetHeight = sheetHeight;
    cell.group = group != 0 ? group : largest + 1;
    return cell.group;
}

void OverviewCells::SetFigures(long long n, int repetitions, double yield)
{
    if (n < 0 || n >= kOverviewCellNumbers)
        return;
    m_cells[static_cast<std::size_t>(n)].repetitions = repetitions;
    m_cells[static_cast<std::size_t>(n)].yield = yield;
}

const OverviewCell* OverviewCells::Cell(long long n) const
{
    if (n < 0 || n >= kOverviewCellNumbers || !m_cells[static_cast<std::size_t>(n)].recorded)
        return nullptr;
    return &m_cells[static_cast<std::size_t>(n)];
}

long long OverviewCells::HitTest(int x, int y) const
{
    long long hit = 0;
    for (std::size_t n = 1; n < m_cells.size(); ++n) {
        const OverviewCell& c = m_cells[n];
        if (c.recorded && c.rect.left <= x && x <= c.rect.right && c.rect.top <= y && y <= c.rect.bottom)
            hit = static_cast<long long>(n);
    }
    return hit;
}

OverviewCountdownStep OverviewCountdownTick(int& countdown)
{
    OverviewCountdownStep step;
    if (countdown <= 0)
        return step;
    step.show = countdown >= 3 && countdown <= 21;
    if (countdown != 5)
        --countdown;
    step.hide = countdown == 0;
    return step;
}

void OverviewCountdownMiss(int& countdown)
{
    if (countdown > 3)
        countdown = 3;
}

std::string OverviewPercentText(double percent)
{
    char text[48];
    std::snprintf(text, sizeof text, "%6.2f %%", percent);
    return text;
}

OverviewHoverTexts MakeOverviewHoverTexts(long long n, const OverviewCell& cell, bool showDecimals)
{
    OverviewHoverTexts t;
    t.layout = std::to_string(n);
    t.repetitions = std::to_string(cell.repetitions);
    t.yield = OverviewPercentText(cell.yield);
    t.loss = OverviewPercentText(100 - cell.yield);
    t.width = RealToText(cell.sheetWidth, showDecimals);
    t.height = RealToText(cell.sheetHeight, showDecimals);
    return t;
}

long long OverviewClickTarget(const std::string& layoutCaption)
{
    const long long n = StrToIntDef0(layoutCaption);
    return n > 0 ? n : 1;
}

OverviewTotalsTexts MakeOverviewTotalsTexts(const LayoutTotals& totals)
{
    return {std::to_string(totals.layouts), std::to_string(totals.AllSheets()),
            OverviewPercentText(totals.MeanYield()), OverviewPercentText(totals.MeanLoss())};
}

namespace {

BrushStyle GroupHatch(int group)
{
    return group > 30 ? BrushStyle::Cross
           : group > 20 ? BrushStyle::DiagCross
           : group > 10 ? BrushStyle::BDiagonal
                        : BrushStyle::Solid;
}

// The sheet's corners through the transform, with the stack shift.
Rect CellRect(const ViewTransform& view, int sheetLength, int sheetHeight)
{
    return {ToScreenX(view, 0) + view.deviceOffsetX, ToScreenY(view, sheetHeight) + view.deviceOffsetY,
            ToScreenX(view, sheetLength) + view.deviceOffsetX, ToScreenY(view, 0) + view.deviceOffsetY};
}

}  // namespace

OverviewResult DrawOverview(DrawContext& context, ViewTransform& view, LayoutState& state,
                            const LayoutInputs& inputs, OverviewCells& cells,
                            const OverviewOptions& options)
{
    OverviewResult result;
    const long long count = state.layoutCount;
    result.grid = OverviewGridShape(count);
    const OverviewPlacement place = PlaceOverview(state.largestSheetSide, result.grid, view.boxHeight);
    context.view = &view;
    context.overviewMode = true;
    FitLayout(view, place.side);
    view.screenScaleX = view.screenScaleY = place.scale;
    view.panX = place.firstPanX;
    view.panY = place.firstPanY;
    view.deviceOffsetX = view.deviceOffsetY = 0;
    cells.Clear();

    Canvas& canvas = *context.canvas;
    canvas.brush = {context.background, BrushStyle::Solid};
    canvas.FillRect({0, 0, view.boxWidth, view.boxHeight});

    const long long last = std::min(count, result.grid.Capacity());
    for (long long i = 1; i <= last; ++i) {
        state.currentLayout = i;
        view.deviceOffsetX = view.deviceOffsetY = 0;
        if (auto message = ReadLayoutFile(state, inputs, false))
            result.message = message;
        result.offcutSum += state.fileOffcutCount;

        const auto record = [&] {
            const int group = cells.Record(i, CellRect(view, state.sheetLength, state.sheetHeight),
                                           state.sheetLength, state.sheetHeight);
            if (!options.sheets)
                return;
            const Rect r = CellRect(view, state.sheetLength, state.sheetHeight);
            canvas.pen = {kBlack, 1, PenStyle::Solid};
            canvas.brush = {GroupColour(group, context.display ? context.display->brightness : 0, false)
                                .screenBrush,
                            GroupHatch(group)};
            canvas.Rectangle(r);
        };
        const auto cutLines = [&] {
            if (!options.cutLines || !context.display || context.display->cuts == CutDisplay::None)
                return;
            CutLineList lines;
            if (BuildCutLines(lines, state, false) == CutLineBuild::Built)
                DrawCutLines(context, state, lines, 1);
        };
        RedrawLayout(context, state, false);
        record();
        cells.SetFigures(i, state.figures.repetitions + 1, state.figures.yield);
        const std::vector<int> shifts = OverviewStackShifts(state.figures.repetitions, options.level);
        if (shifts.empty())
            cutLines();
        for (std::size_t j = 0; j < shifts.size(); ++j) {
            view.deviceOffsetX = view.deviceOffsetY = -shifts[j];
            RedrawLayout(context, state, false);
            record();
            if (j + 1 == shifts.size())
                cutLines();
        }
        ++result.drawn;
        view.panX += place.side + place.gap;
        if (i % result.grid.perRow == 0) {
            view.panX = place.firstPanX;
            view.panY -= place.side + place.gap;
        }
    }
    view.deviceOffsetX = view.deviceOffsetY = 0;
    return result;
}

}  // namespace vor
