#pragma once

#include <cstdint>
#include <optional>

#include "vorplan/optimiser/calc_options.h"
#include "vorplan/optimiser/working_data.h"

namespace vor {

// The options the fill reads, taken once from the run's snapshot so that a
// try tests plain flags. Lengths in tenths of a millimetre.
struct PlacementSettings {
    std::int32_t kerf = 0;          // k
    std::int32_t minimumStrip = 0;  // m, the narrowest leftover that may be cut off
    std::int32_t edgeMargin = 0;    // g: 0 when cuts at the borders are allowed, else k
    bool rotationAllowed = true;    // the run's rotation choice over the material's
    std::optional<FirstCut> firstCut = FirstCut::Free;  // nullopt: no button checked
    bool firstCutOnAllCuts = false;  // "Todos": the preferred cut steers every split
    bool simplifyBottomRow = false;  // complexity not "Complexo" and first cut "Livre"
    bool mergeDiscarded = true;      // complexity not "Fácil" and first cut "Livre"
    bool cutLengthLimited = false;   // the material's free-cut length switch
    std::int32_t cutLengthLimit = 10000;

    bool operator==(const PlacementSettings&) const = default;
};

// The settings of `options` and of its material slot, so made once the
// material's values are set; never fails.
PlacementSettings MakePlacementSettings(const CalcOptions& options);

// What one fill leaves for the progress display.
struct FillResult {
    // The free-cut length limit turned a split vertical; the window's status
    // panel shows the last such rectangle length (never formatted here).
    bool cutLimitApplied = false;
    std::int32_t cutLimitLength = 0;
};

// Fills the prepared free-rectangle stack of `work.attempt` with the pieces
// of `work.pieces` in their current order, for the search indices of
// `work.search` (pass, criterion, method flags A, B, C and the alternation
// flag, which it toggles and leaves as it ends), the threshold T and the
// heuristic flag M of `work.trial`, the orientation bits of the attempt and
// the smallest piece dimension `work.smallestDimension`. The attempt's
// counters are not cleared here: the caller resets them before preparing the
// sheet. Placements take the attempt quantities (`work.pieces.working`), which
// the caller restores afterwards. Runs only while the status is "running", no
// status text is set and some piece has quantity to place
// (`work.pieces.pieces[i].quantity`), and ends when the stack is empty or a
// table reaches its capacity (status 5, status 6 with text 25, text 24).
// Allocates nothing and throws RangeError only if a table's room is crossed,
// which the statuses prevent.
FillResult FillSheet(OptimiserWork& work, const PlacementSettings& settings);

}  // namespace vor
