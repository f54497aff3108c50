#pragma once

#include <optional>
#include <string>
#include <vector>

#include "vorplan/common/canvas.h"
#include "vorplan/layoutview/layout_model.h"
#include "vorplan/layoutview/view_transform.h"

namespace vor {

struct DrawContext;
class LayoutTotals;

// Every layout of the material at once: a grid of small drawings, each with a
// stack of outlines for its repetitions.

// The cell record accepts layout numbers 0..999; layouts beyond rows x perRow
// (at most 950) are not drawn.
constexpr long long kOverviewCellNumbers = 1000;

struct OverviewGrid {
    int k = 2;       // the row shape's step: more layouts, fewer per row
    int rows = 3;    // c
    int perRow = 4;  // r = 2c - k
    long long Capacity() const { return static_cast<long long>(rows) * perRow; }
};

// k from the layout count, then the fewest rows from 3 (at most 25) with
// rows x (2 rows - k) >= layouts.
OverviewGrid OverviewGridShape(long long layouts);

// Where the grid stands: the gap between drawings, the pan of the first one
// and the scale in pixels per layout unit on both axes (so that the rows fill
// the paint box's height).
struct OverviewPlacement {
    int side = 0;  // s: the largest sheet side of the layouts
    int gap = 0;   // g = round(s / 7)
    int firstPanX = 0, firstPanY = 0;
    double scale = 1.0;
};
OverviewPlacement PlaceOverview(int largestSheetSide, const OverviewGrid& grid, int boxHeight);

// The stack behind a layout: for copy j = 1..n the shift in pixels up and left
// of the first drawing (2 per copy; 1 per copy past the 20th when the
// repetition field is above 30). No copy with "Nivelar"; at most 30.
std::vector<int> OverviewStackShifts(int repetitionField, bool level);

struct OverviewCell {
    bool recorded = false;
    Rect rect;  // of the layout's last drawn copy, in pixels
    int sheetWidth = 0, sheetHeight = 0;
    int group = 0;        // sheet group: 1, 2, ... by first appearance of the size
    int repetitions = 0;  // repetition field + 1: times the layout is cut
    double yield = 0;
};

class OverviewCells {
public:
    void Clear() { m_cells.assign(static_cast<std::size_t>(kOverviewCellNumbers), {}); }
    // Records the cell of layout n and gives it its sheet group: that of the
    // last earlier layout of the same sheet size, else one above the largest
    // so far. Numbers outside 0..999 are ignored (group 0).
    int Record(long long n, const Rect& rect, int sheetWidth, int sheetHeight);
    void SetFigures(long long n, int repetitions, double yield);
    const OverviewCell* Cell(long long n) const;
    // The last layout whose cell holds the point (edges included), 0 for none.
    long long HitTest(int x, int y) const;

private:
    std::vector<OverviewCell> m_cells = std::vector<OverviewCell>(kOverviewCellNumbers);
};

// The data panel's countdown, one step per 100 ms tick: while above 0, the
// panel shows from 21 down to 3; the count falls to 5 and rests there while a
// layout stays hovered; at 0 the panel hides.
struct OverviewCountdownStep {
    bool show = false;
    bool hide = false;
};
OverviewCountdownStep OverviewCountdownTick(int& countdown);
constexpr int kOverviewCountdownHit = 22;
// A move off every drawing cuts a running countdown to 3.
void OverviewCountdownMiss(int& countdown);

// A percentage as the overview shows it: 2 decimals padded to 6, then " %".
std::string OverviewPercentText(double percent);

// The data panel's captions for a hovered layout; all empty for none.
struct OverviewHoverTexts {
    std::string layout, repetitions, yield, loss, width, height;
};
OverviewHoverTexts MakeOverviewHoverTexts(long long n, const OverviewCell& cell, bool showDecimals);

// The layout a click opens: the number under "Montagem", 1 when empty or 0.
long long OverviewClickTarget(const std::string& layoutCaption);

// The calculation's totals of the hint panel: layouts, all sheets, mean
// yield and loss.
struct OverviewTotalsTexts {
    std::string layouts, sheets, yield, loss;
};
OverviewTotalsTexts MakeOverviewTotalsTexts(const LayoutTotals& totals);

struct OverviewOptions {
    bool level = false;     // "Nivelar": no stacks
    bool sheets = false;    // "Visualizar" on "Chapas": cells filled by sheet group
    bool cutLines = false;  // "Configuração" is the active page
};

struct OverviewResult {
    OverviewGrid grid;
    long long drawn = 0;
    long offcutSum = 0;                  // of the layouts drawn
    std::optional<std::string> message;  // a rewrite that failed
};

// Draws layouts 1 .. min(count, capacity) of the material into the context's
// paint box, reading (and so rewriting) each file, and records their cells.
// The context's view transform is set for the grid; its zoom and pan are the
// overview's afterwards. state.currentLayout is the last one read. Throws as
// ReadLayoutFile.
OverviewResult DrawOverview(DrawContext& context, ViewTransform& view, LayoutState& state,
                            const LayoutInputs& inputs, OverviewCells& cells,
                            const OverviewOptions& options);

}  // namespace vor
