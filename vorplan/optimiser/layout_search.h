#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "vorplan/common/data_folders.h"
#include "vorplan/optimiser/calc_options.h"
#include "vorplan/optimiser/layout_files.h"
#include "vorplan/optimiser/placement.h"
#include "vorplan/optimiser/working_data.h"

namespace vor {

// The search for the next layout of a material: one layout step tries one
// stock entry with one ordering key over every pass, criterion, method flag
// and orientation choice, and keeps the best attempt in `work.best`, which
// lasts across the entries and keys of one layout until it is committed.
// The material's state machine chooses the entries and keys, resets the best
// after each commit and tests the run flags between trials; nothing here
// tests them.

// Every 2 000 attempts (of `work.search.totalAttempts`), for the progress display.
struct SearchProgress {
    long long totalAttempts = 0;
    long stepAttempts = 0;  // attempts of the current layout step
    long layoutNumber = 0;
    long stockEntry = 0;
    int key = 0;
    // The last rectangle length the free-cut limit made split vertically
    // since the previous report; 0 when it did not fire.
    std::int32_t cutLimitLength = 0;
};

// An attempt that became the best of the layout, for the detailed report.
struct NewBest {
    double yield = 0;  // plain, without the sheet factor
    long pieces = 0;
    std::int64_t cutLength = 0;
    int criterion = 0;  // 1 higher yield, 2 fewer pieces, 3 shorter cut
    long stockEntry = 0;
    int key = 0;
    long stepAttempts = 0;
};

struct SearchCallbacks {
    std::function<void(const SearchProgress&)> progress;  // may be empty
    std::function<void(const NewBest&)> newBest;          // may be empty
};

// Sorts positions 1..n of `pieces` (1..n-1 when `extraPiecePresent`: the extra
// piece stands last and is left out) in place and stably by ordering `key`,
// starting from their current order, then makes the key's exchanges of
// positions, where the extra piece counts as a position. Keys 0 (file order),
// 1..30 and 31 and above (area) as the ordering window uses them; a negative
// key sorts by area. Allocates nothing; never throws.
void SortPieces(PieceList& pieces, int key, bool extraPiecePresent);

// The sheet factor F of stock entry `entry` (1-based in the sorted list):
// 0.8 for entries other than P in free order with P > 0, 1 otherwise in free
// order, and 1 - entry x f (at least 0.5) in any other order.
double SheetFactor(const CalcOptions& options, long entry, int preferredEntry);

// Scores the attempt in `work.attempt` on the current entry with sheet factor
// `factor`: its factored yield against the best's stored plain yield, then
// fewer pieces, then a shorter cut. A better attempt becomes the best (see
// StoreBest). Returns the deciding criterion (1..3), 0 when the best stays.
int ScoreAttempt(OptimiserWork& work, double factor);

// Makes the attempt in `work.attempt` the best: its counters, the current
// entry, the step's sheet area, its plain yield as the stored score and the
// element list (sheet, pieces in placing order, discarded rectangles
// numbered from 1), turned back into the sheet's frame when method flag A is
// 1. More than 3 290 elements set status text 400; never throws.
void StoreBest(OptimiserWork& work);

// One layout step on `work.currentEntry` with ordering `key`: sorts the pieces
// (the one sort of the step; with `piecesSorted` the caller has made it, for
// this entry and key, and they stand as they are), copies the quantities to
// place into the repetition and attempt copies, sets the step's sheet area and
// clears the step's attempt counter; then, when the entry has sheets left,
// runs every attempt while the status is "running". Reads the trial's T and M
// and the smallest dimension from `work`. Allocates nothing beyond what the
// callbacks do; throws only what PrepareSheet may (an OverflowError of the
// borders).
void RunLayoutStep(OptimiserWork& work, const CalcOptions& options,
                   const PlacementSettings& placement, int key,
                   const SearchCallbacks& callbacks = {}, bool piecesSorted = false);

// The attempts one layout step makes on an entry with sheets left:
// passes x criteria x (2 with rotation, else 1) x 4 x 2^E.
long AttemptsPerStep(const CalcOptions& options, long distinctPieces);

// Writes the temporary layout file of a committed layout; empty outside the
// final run.
using TempLayoutWriter =
    std::function<std::optional<LayoutFileProblem>(long layoutNumber, const BestLayout& layout)>;

// A writer of MONT/<layout>-<material>.MTE through WriteTempLayoutFile.
TempLayoutWriter TempLayoutFileWriter(const DataFolders& folders, long long material);

struct CommitResult {
    long extraRepetitions = 0;                // the sheet line's X
    std::optional<LayoutFileProblem> problem;  // 3003 when the temporary file failed
};

// Commits `work.best` as layout `work.layoutNumber`: the repetitions (the
// smallest trunc(quantity / occurrences) over the pieces it holds, at most
// the best entry's sheets), stored as the sheet element's X; the trial's
// statistics; the temporary file through `writer` when given (a failure is
// returned and the run goes on); the best entry's sheets and the pieces'
// quantities less what the repetitions use, the total still to place (0
// when only the extra piece is left) and the smallest dimension, now in
// tenths. Leaves each piece's occurrences in the attempt copy of the
// quantities. Does not reset the best.
CommitResult CommitBest(OptimiserWork& work, const TempLayoutWriter& writer = {});

}  // namespace vor
