#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "vorplan/common/drawing_geometry.h"

namespace vor {

struct LayoutState;
struct DrawContext;

// The guillotine cut lines of a layout, in the file's frame (inside the trims).
constexpr std::size_t kCutLineCapacity = 400;

constexpr int kCutLevelNone = 0;    // not classified
constexpr int kCutLevelMerged = 9;  // absorbed by a merge; gone after compaction

struct CutLine {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // x1 <= x2, y1 <= y2
    int level = kCutLevelNone;           // 1 whole span, 2 cut to an edge, 3 between cuts
    bool Horizontal() const { return y1 == y2; }
    bool Vertical() const { return x1 == x2; }
    bool operator==(const CutLine&) const = default;
};

using CutLineList = std::vector<CutLine>;

// A line of the cut route, which the routing builds; `cut` marks a line cut already.
struct RouteLine {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    bool cut = false;
    bool Horizontal() const { return y1 == y2; }
    bool operator==(const RouteLine&) const = default;
};

// False for a horizontal line on the bottom or top edge of the inner extent,
// a vertical line on its left or right edge, and a line equal to one stored
// that was not merged away.
bool AcceptCutLine(const CutLineList& lines, int x1, int y1, int x2, int y2, long long innerWidth,
                   long long innerHeight);

// Joins unclassified lines that continue one another: horizontal ones first,
// then vertical ones; the absorbed line gets level 9.
void MergeCutLines(CutLineList& lines);
// Removes the merged lines, keeping the order of the others.
void CompactCutLines(CutLineList& lines);
// Gives the lines their levels: 1 across the inner extent, then at most 8
// passes of level 2 (from a cut to an edge) and level 3 (between two cuts).
void ClassifyCutLines(CutLineList& lines, long long innerWidth, long long innerHeight);

enum class CutLineBuild {
    Built,
    Skipped,  // the overview is shown: the list is left as it was
    TooMany,  // 400 candidates: the caller switches the cut display off ("Não indicar")
};

// Rebuilds `lines` from the left and top edges of the layout's elements:
// merged twice, compacted and classified, unless there are 400 candidates.
CutLineBuild BuildCutLines(CutLineList& lines, const LayoutState& state, bool overviewMode);

// The routing order: horizontal lines by Y, then the others by X, equal keys
// keeping their order. Returns "Error 998877" when a line went astray.
std::string SortCutLines(CutLineList& lines);

// The screen colour of a cut line of `level` (0 not classified .. 3); red otherwise.
WinColor LevelColour(int level);

// Draws the lines the "Corte:" choice shows, shifted by the trims; nothing
// while the pieces are pulled apart or with a kerf above 0.
void DrawCutLines(DrawContext& context, const LayoutState& state, const CutLineList& lines,
                  int penWidth);

// Printer: each level-1 line in the initial-cut colour, with its position in
// millimetres beside the sheet's edge.
void DrawInitialCutPositions(DrawContext& context, const LayoutState& state,
                             const CutLineList& lines);

// Printer: a marker at each trim with its value in millimetres.
void DrawTrims(DrawContext& context, const LayoutState& state);

// Screen: the given route, each line with its ordinal.
void DrawCutRouting(DrawContext& context, const LayoutState& state,
                    const std::vector<RouteLine>& route);

}  // namespace vor
