#pragma once

#include <cstdint>

#include "vorplan/optimiser/calc_options.h"
#include "vorplan/optimiser/working_data.h"

namespace vor {

// The area inside the safety borders, in the sheet's own orientation.
struct UsableArea {
    std::int32_t length = 0;  // along the sheet's X
    std::int32_t width = 0;   // along the sheet's Y

    bool operator==(const UsableArea&) const = default;
};

// The entry's size less the borders of each side, held to 32 bits; zero or
// negative when the borders take the whole sheet.
UsableArea UsableAreaOf(const StockEntry& entry, const SheetBorders& borders);

// False, with status text 33, when any of the four borders is negative.
bool CheckSafetyBorders(const SheetBorders& borders, RunStatus& status);

// The longest cleavage strip: the option as set, or half the usable length
// (cut toward zero) when it is 0.
std::int32_t CleavageMaximumFor(const CalcOptions& options, const UsableArea& usable);

// Sets up the free-rectangle stack of `attempt` for one attempt on `entry`:
// the usable area, or the cleavage strips, or the chosen pre-cut, all inside
// the safety borders; a strip is also appended to the discarded list. With
// `turned` (method flag A = 1) every rectangle is given in the turned sheet's
// frame, so that exchanging X/Y and L/H back puts it where it lies on the
// sheet. Coordinates start at the corner of the usable area. A failed check
// sets its status text (20, 23, 29..33) and leaves the sheet unprepared by
// that step; two or more pre-cuts set status 22; a stack deeper than its
// room sets status 6 and text 25. Call after the attempt's counters are
// reset; `pieces` gives the lengths and attempt quantities the cleavage
// strips are made of.
void PrepareSheet(const StockEntry& entry, bool turned, const CalcOptions& options,
                  const PieceList& pieces, AttemptState& attempt, RunStatus& status);

}  // namespace vor
