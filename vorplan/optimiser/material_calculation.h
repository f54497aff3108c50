#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "vorplan/common/data_folders.h"
#include "vorplan/optimiser/calc_options.h"
#include "vorplan/optimiser/calc_report.h"
#include "vorplan/optimiser/input_loading.h"
#include "vorplan/optimiser/layout_files.h"
#include "vorplan/optimiser/layout_search.h"
#include "vorplan/optimiser/working_data.h"

namespace vor {

// One material is calculated by running its whole layout sequence as trials
// with different search parameters, then once more (the final run) with the
// parameters of the best trial. Only the final run writes temporary layout
// files. The run flags and the time limit are tested between trials only.
//
// Trials share nothing but their read-only input, so they run on a pool of
// threads; their results are taken strictly in the sequential order, so the
// best trial, the final run and every file are those of one trial after
// another whatever the number of threads. A stop by "Abreviar", the time
// limit or closing lets the trials already running finish and counts every
// trial that completed, in order.

class TrialPool;

// The figures of a finished trial that trials are compared by.
struct TrialResult {
    long long distinctLayouts = 10000;
    long long sheetsUsed = 10000;
    double yield = 0;            // percent
    double lastLayoutScore = 100.0;
    double cutLength = 100000.0;
    bool operator==(const TrialResult&) const = default;
};

// The figures of the run in `work` as its machine left them.
TrialResult TrialResultOf(const OptimiserWork& work);

// True when `candidate` beats `best` under `goal` (nullopt: the fewest-layouts
// order, as when "Melhor aproveitamento de área" is not checked). Equal in
// all five figures is not better, so the earliest of equal trials is kept.
bool IsBetterTrial(const std::optional<OptimisationGoal>& goal, const TrialResult& candidate,
                   const TrialResult& best);

// The ordering keys tried at every stock entry for ordering window r: r and
// r+1 for 1..30, 1..30 for 31; any other r is an error and uses key 1 alone.
struct OrderingWindow {
    int firstKey = 1;
    int lastKey = 2;
    bool valid = true;
};
OrderingWindow OrderingWindowOf(int r);

// (Tmax + 1) x (S + 1) x (Mmax + 1) x R, S = the stock entries in free sheet
// order with more than one entry, else 0. Not halved for a single entry: S is
// already 0 there.
long long PlannedTrials(const CalcOptions& options, long stockEntries);

struct MaterialCalcCallbacks {
    SearchCallbacks search;                                   // within a layout step
    std::function<void(const TimeDisplay&)> timeDisplay;      // between trials
    std::function<void()> betterTrial;                        // the end-of-run beep
    std::function<void()> enableAbbreviate;                   // after a trial, not in "Rápido"
    std::function<void(const std::string&)> error;            // "error ABXX (r)"
    std::function<void(int message)> statusPanel;             // 715, 632, 714
};

struct MaterialCalcRequest {
    const CalcOptions* options = nullptr;  // its material slot set for this material
    const MaterialInput* input = nullptr;
    std::optional<CandidateSheet> candidate;  // the best sheet-size search
    RunFlags* flags = nullptr;
    bool decimalPlaces = false;               // for the report header
    // Files: the temporary layout files of the final run, the deletions at
    // each end, and the final run's history line and pieces-not-placed list.
    // No folders: no file is touched.
    const DataFolders* folders = nullptr;
    std::optional<FinalRunContext> finalContext;  // none: no history / NUS files
    // The trials' threads: `pool` when given, else a pool of TrialThreads(threads)
    // made for this material (1: the trials run on the caller's thread).
    TrialPool* pool = nullptr;
    int threads = 0;
    // Called on the caller's thread only. The search callbacks reach the
    // final run alone: trials run silent.
    MaterialCalcCallbacks callbacks;
};

struct MaterialCalcResult {
    long long plannedTrials = 0;
    long long trialsRun = 0;         // trials taken in order, each once
    TrialParameters bestParameters;  // r, T and P at 0 until a trial ran
    TrialResult best;
    bool finalRun = false;
    TrialResult finalResult;
    bool timeLimitReached = false;
    bool abbreviated = false;   // by the user
    bool closed = false;        // the window closed: no final run
    RunStatus status;           // of the final run, or of the trial that ended the material
    MaterialRunReport report;   // the final run's, or the last trial's when none ran
    MaterialRunSummary summary; // of the final run (or of the last trial)
    std::vector<LayoutFileProblem> fileProblems;  // temporary files that failed
    // The committed layouts (sheet element X = extra repetitions), one after
    // the other, of the best trial and of the final run.
    std::vector<LayoutElement> bestLayouts;
    std::vector<LayoutElement> finalLayouts;
};

// Element-by-element equality of two layout lists.
bool SameLayouts(const std::vector<LayoutElement>& a, const std::vector<LayoutElement>& b);

// Calculates one material: the trials on the pool's tables (on `work` without
// a pool), the final run in `work` (tables reused; nothing is allocated per
// attempt). The clock service times it on the caller's thread only; the run
// flags are read between trials. Throws what the file writes of the final run
// throw (IoError), or what a trial threw, at that trial's place in the order.
void CalculateMaterial(const MaterialCalcRequest& request, OptimiserWork& work,
                       MaterialCalcResult& result);

}  // namespace vor
