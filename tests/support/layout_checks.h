#pragma once

#include <string>
#include <vector>

#include "vorplan/optimiser/calc_options.h"
#include "vorplan/optimiser/working_data.h"

namespace vortest {

// One element of a committed layout, as the layout file holds it: type 0 is
// the sheet (x = extra repetitions), 1 a piece, 4 a discarded rectangle.
struct CheckedElement {
    int type = 0, code = 0, x = 0, y = 0, l = 0, h = 0;
    bool operator==(const CheckedElement&) const = default;
};

using CheckedLayout = std::vector<CheckedElement>;

CheckedLayout ElementsOf(const vor::BestLayout& best);

struct PieceDemand {
    int code = 0;
    int length = 0, width = 0;  // tenths, as loaded
    long long quantity = 0;
};

struct SheetStock {
    int code = 0;
    long long quantity = 0;
};

// What a calculation was given, to check its layouts against.
struct CheckInput {
    vor::SheetBorders borders;
    int kerf = 0;
    bool mayRotate = true;
    std::vector<PieceDemand> pieces;
    std::vector<SheetStock> sheets;
};

// Every fault of the layouts, as one text each; empty when all are sound:
// each piece inside the usable area, no two pieces overlapping or closer than
// the kerf, a piece turned only where rotation is allowed, pieces x repetitions
// within demand, sheets used within stock, each layout guillotine.
std::vector<std::string> ValidateLayouts(const std::vector<CheckedLayout>& layouts,
                                         const CheckInput& input);

// The number of stages (changes of cut direction, counting the first) with
// which the pieces split by full cuts of kerf width crossing no piece; -1 when
// some region cannot be split so.
int GuillotineStages(const std::vector<CheckedElement>& pieces, int kerf);

}  // namespace vortest
