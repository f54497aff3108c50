#pragma once

#include <functional>
#include <vector>

#include "vorplan/common/drawing_geometry.h"

namespace vor {

// The pictures of the calculation window's option pages, as geometry: the
// painting routines (optimiser/ui) only walk these.

// A rectangle filled with `brush` and outlined with the canvas's pen.
struct ShadedBlock {
    Rect rect;
    WinColor brush = kBlack;
    bool operator==(const ShadedBlock&) const = default;
};

// A pseudo-random integer 0 .. range - 1.
using RandomSource = std::function<int(int range)>;

// The program's own random generator, seeded once per run.
int ProgramRandom(int range);

// The mottled sheet on a box of `width` x `height`: cells of round(W x 0.2) x
// round(H x 0.25) pixels (at least 1 each) from the top-left corner, row by
// row, as many as cover the box; each in RGB(v, v, v + 90) with v = 80 +
// trunc(r x 2.5), r = random(20). A box without area gives no cells.
std::vector<ShadedBlock> SheetTextureGeometry(int width, int height, const RandomSource& random);

// The block sketch of the cut complexity on a box of `width` x `height`:
// "Fácil" when neither of the others is checked, "Médio" with `medium`,
// "Complexo" with `complex` (which wins). Six or nine blocks, from RGB(50,
// 50, 140) lighter by 10 each.
std::vector<ShadedBlock> CutComplexitySketchGeometry(int width, int height, bool complex,
                                                     bool medium);

}  // namespace vor
