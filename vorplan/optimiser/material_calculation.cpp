#include "vorplan/optimiser/material_calculation.h"

#include <cassert>
#include <chrono>
#include <utility>

#include "platform/clock.h"
#include "vorplan/common/small_helpers.h"
#include "vorplan/optimiser/sheet_preparation.h"

namespace vor {

namespace {

// Room for the committed layouts of one trial before the trace grows.
constexpr std::size_t kTraceReserve = 4096;

bool SameElement(const LayoutElement& a, const LayoutElement& b)
{
    return a.type == b.type && a.code == b.code && a.x == b.x && a.y == b.y &&
           a.length == b.length && a.height == b.height;
}

// -1 worse, 0 equal, 1 better.
int CompareHigher(double candidate, double best)
{
    return candidate > best ? 1 : candidate < best ? -1 : 0;
}
template <typename T>
int CompareLower(T candidate, T best)
{
    return candidate < best ? 1 : candidate > best ? -1 : 0;
}

// One run of the material's state machine: a trial, or the final run.
class MaterialMachine {
public:
    MaterialMachine(const MaterialCalcRequest& request, OptimiserWork& work,
                    MaterialCalcResult& result, const PlacementSettings& placement)
        : m_request(request), m_options(*request.options), m_work(work), m_result(result),
          m_placement(placement)
    {
        m_callbacks.progress = request.callbacks.search.progress;
        m_callbacks.newBest = [this](const NewBest& best) {
            if (m_request.callbacks.search.newBest)
                m_request.callbacks.search.newBest(best);
            if (m_result.report.Detailed()) {
                m_result.report.NewBest(m_work.layoutNumber,
                                        {best.yield, best.pieces, best.cutLength, best.criterion,
                                         best.stockEntry, best.key, best.stepAttempts});
            }
        };
    }
    MaterialMachine(const MaterialMachine&) = delete;
    MaterialMachine& operator=(const MaterialMachine&) = delete;

    void Run(const TrialParameters& parameters, bool finalRun, std::vector<LayoutElement>& trace)
    {
        m_final = finalRun;
        m_trace = &trace;
        trace.clear();
        m_work.trial = parameters;
        m_work.status = RunStatus{};
        m_work.status.Set(MachineState::Initialise);

        if (CheckSafetyBorders(m_options.EffectiveSheetBorders(), m_work.status)) {
            do {
                Dispatch();
            } while (m_work.status.text == StatusCode::None &&
                     m_work.status.stop == StatusCode::None && !Ended());
        }
        if (m_result.report.Started()) {
            m_result.report.Finish(platform::GetClock().Now(),
                                   StatusText(ToInt(m_work.status.text), m_options.material.code,
                                              m_work.status.detail));
        }
    }

private:
    bool Ended() const
    {
        const int s = m_work.status.status;
        return s == ToInt(MachineState::Ended) || s == ToInt(MachineState::EndedInterrupted) ||
               s == ToInt(MachineState::Stopped);
    }

    void Dispatch()
    {
        RunStatus& st = m_work.status;
        switch (st.status) {
        case ToInt(MachineState::Initialise):
            Initialise();
            return;
        case ToInt(MachineState::Running):
            LayoutStep();
            return;
        case ToInt(MachineState::Commit):
            Commit();
            return;
        case ToInt(MachineState::Interrupted):
            st.text = StatusCode::Interrupted;
            st.Set(MachineState::EndedInterrupted);
            return;
        default:
            if (IsStopStatus(st.status)) {
                st.stop = static_cast<StatusCode>(st.status);
                st.text = st.stop;
                st.Set(MachineState::Stopped);
            } else {
                st.Set(MachineState::Ended);
            }
        }
    }

    void Initialise()
    {
        OptimiserWork& w = m_work;
        RunStatus& st = w.status;
        st.text = StatusCode::None;
        st.Set(MachineState::Running);
        if (m_options.material.loadStatus > 0)
            st.status = m_options.material.loadStatus;

        m_window = OrderingWindowOf(w.trial.orderingWindow);
        if (!m_window.valid && m_request.callbacks.error) {
            m_request.callbacks.error("error ABXX (" + std::to_string(w.trial.orderingWindow) +
                                      ")");
        }
        m_key = m_window.firstKey;
        w.layoutNumber = 1;
        w.currentEntry = 1;
        w.statistics = TrialStatistics{};

        LoadStock(*m_request.input, m_options, m_request.candidate, w.stock, st);
        LoadPieces(*m_request.input, m_options, w);
        // The sort of the first step (entry 1, the window's first key); the
        // report lists the pieces in its order.
        SortPieces(w.pieces, m_key, w.extraProduction);
        m_firstStepSorted = true;
        if (st.text != StatusCode::None)
            st.status = ToInt(st.text);

        m_result.report.Start(MakeReportRunValues(m_options, m_request.decimalPlaces, w.startTime),
                              w);
        if (w.pieces.count == 0)
            st.Set(StatusCode::NoPieces);
        else if (w.stock.count == 0)
            st.Set(StatusCode::NoSheets);
        w.best.Reset();
        if (m_result.report.Detailed())
            m_result.report.LayoutStarted(w.layoutNumber);
    }

    void LayoutStep()
    {
        OptimiserWork& w = m_work;
        // One sort per (entry, key): sorting again would undo the exchange of
        // tied pieces that keys 11 and above make.
        RunLayoutStep(w, m_options, m_placement, m_key, m_callbacks, m_firstStepSorted);
        m_firstStepSorted = false;
        if (!w.status.IsRunning())
            return;

        if (++m_key <= m_window.lastKey)
            return;
        m_key = m_window.firstKey;
        if (++w.currentEntry <= w.stock.count)
            return;
        w.currentEntry = 1;
        if (w.best.pieces == 0) {
            w.status.Set(MachineState::Ended);
            EndWithPiecesLeft(w.layoutNumber);
        } else {
            w.status.Set(MachineState::Commit);
        }
    }

    void Commit()
    {
        OptimiserWork& w = m_work;
        TempLayoutWriter writer;
        if (m_final && m_request.folders)
            writer = TempLayoutFileWriter(*m_request.folders, m_options.material.code);
        CommitResult committed = CommitBest(w, writer);
        if (committed.problem)
            m_result.fileProblems.push_back(*committed.problem);
        for (long i = 1; i <= w.best.count; ++i)
            m_trace->push_back(w.best.elements[i]);
        if (!w.status.Is(MachineState::Commit))
            return;

        if (w.totalPieces > 0 && StockLeft() && MayAddLayout(w.layoutNumber)) {
            w.best.Reset();
            w.status.Set(MachineState::Running);
            ++w.layoutNumber;
            if (m_result.report.Detailed())
                m_result.report.LayoutStarted(w.layoutNumber);
            return;
        }
        w.status.Set(MachineState::Ended);
        if (w.totalPieces > 0) {
            // The layout cap or the stock ran out with pieces left: not "finished".
            EndWithPiecesLeft(w.layoutNumber + 1);
        } else {
            w.status.text = StatusCode::Finished;
            DeleteLayoutFiles(w.layoutNumber + 1);
            RecordFinalEnd();
        }
    }

    // Status text 2, or 21 when not a single layout was committed.
    void EndWithPiecesLeft(long layoutToDelete)
    {
        m_work.status.text = m_work.statistics.usedArea == 0 ? StatusCode::SheetsWithoutArea
                                                             : StatusCode::NoSheetForRemainingPieces;
        DeleteLayoutFiles(layoutToDelete);
        RecordFinalEnd();
    }

    bool StockLeft() const
    {
        for (long i = 1; i <= m_work.stock.count && i <= kStockCapacity; ++i) {
            if (m_work.stock.entries[i].quantity > 0)
                return true;
        }
        return false;
    }

    // Files left by an earlier calculation under the next layout number.
    void DeleteLayoutFiles(long layout)
    {
        if (!m_request.folders)
            return;
        DeleteFileQuiet(TempLayoutFile(*m_request.folders, layout, m_options.material.code));
        DeleteFileQuiet(LayoutFile(*m_request.folders, layout, m_options.material.code));
    }

    void RecordFinalEnd()
    {
        if (!m_final)
            return;
        m_result.summary = SummariseRun(m_work, *m_request.input, m_options.material.code);
        if (m_request.folders && m_request.finalContext)
            RecordFinalRunEnd(*m_request.folders, m_result.summary, *m_request.finalContext);
    }

    const MaterialCalcRequest& m_request;
    const CalcOptions& m_options;
    OptimiserWork& m_work;
    MaterialCalcResult& m_result;
    const PlacementSettings& m_placement;
    SearchCallbacks m_callbacks;
    bool m_final = false;
    std::vector<LayoutElement>* m_trace = nullptr;
    OrderingWindow m_window;
    int m_key = 1;
    bool m_firstStepSorted = false;
};

long ElapsedWholeMinutes(std::chrono::steady_clock::time_point start)
{
    const auto elapsed = platform::GetClock().Monotonic() - start;
    return static_cast<long>(std::chrono::duration_cast<std::chrono::minutes>(elapsed).count());
}

std::chrono::milliseconds ElapsedSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(platform::GetClock().Monotonic() -
                                                                 start);
}

}  // namespace

TrialResult TrialResultOf(const OptimiserWork& work)
{
    TrialResult r;
    r.distinctLayouts = work.statistics.distinctLayouts;
    r.sheetsUsed = work.statistics.sheetsUsed;
    r.yield = work.statistics.sheetArea > 0 ? static_cast<double>(work.statistics.usedArea) /
                                                  static_cast<double>(work.statistics.sheetArea) *
                                                  100.0
                                            : 0.0;
    r.lastLayoutScore = work.best.score;
    r.cutLength = work.statistics.cutLength;
    return r;
}

bool IsBetterTrial(const std::optional<OptimisationGoal>& goal, const TrialResult& candidate,
                   const TrialResult& best)
{
    const int yield = CompareHigher(candidate.yield, best.yield);
    const int sheets = CompareLower(candidate.sheetsUsed, best.sheetsUsed);
    const int layouts = CompareLower(candidate.distinctLayouts, best.distinctLayouts);
    const int score = CompareLower(candidate.lastLayoutScore, best.lastLayoutScore);
    const int cut = CompareLower(candidate.cutLength, best.cutLength);
    const bool area = goal == OptimisationGoal::BestArea;
    const int order[5] = {area ? yield : layouts, area ? sheets : yield, area ? layouts : sheets,
                          score, cut};
    for (int c : order) {
        if (c != 0)
            return c > 0;
    }
    return false;
}

OrderingWindow OrderingWindowOf(int r)
{
    if (r >= 1 && r <= 30)
        return {r, r + 1, true};
    if (r == 31)
        return {1, 30, true};
    return {1, 1, false};
}

long long PlannedTrials(const CalcOptions& options, long stockEntries)
{
    const long long s =
        options.sheetOrder == SheetOrder::Free && stockEntries > 1 ? stockEntries : 0;
    const CalcTypeParameters& t = options.type;
    return (t.thresholdMax + 1LL) * (s + 1) * (t.heuristicMax + 1LL) * t.trialsPerCombination;
}

bool SameLayouts(const std::vector<LayoutElement>& a, const std::vector<LayoutElement>& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (!SameElement(a[i], b[i]))
            return false;
    }
    return true;
}

void CalculateMaterial(const MaterialCalcRequest& request, OptimiserWork& work,
                       MaterialCalcResult& result)
{
    const CalcOptions& options = *request.options;
    const MaterialCalcCallbacks& cb = request.callbacks;
    result = MaterialCalcResult{};
    result.bestParameters = TrialParameters{0, 0, 0, 0};
    result.bestLayouts.reserve(kTraceReserve);
    result.finalLayouts.reserve(kTraceReserve);
    std::vector<LayoutElement> trace;
    trace.reserve(kTraceReserve);

    if (cb.statusPanel)
        cb.statusPanel(715);
    platform::Clock& clock = platform::GetClock();
    work.startTime = clock.Now();
    work.startMonotonic = clock.Monotonic();
    work.timeLimitReached = false;
    work.bestSheetSizeMode = options.bestSheetSizeMode;
    work.status = RunStatus{};
    {
        RunStatus scratch;
        LoadStock(*request.input, options, request.candidate, work.stock, scratch);
    }
    if (cb.statusPanel)
        cb.statusPanel(632);
    const long stockEntries = work.stock.count;
    const long s = options.sheetOrder == SheetOrder::Free && stockEntries > 1 ? stockEntries : 0;
    result.plannedTrials = PlannedTrials(options, stockEntries);

    const PlacementSettings placement = MakePlacementSettings(options);
    MaterialMachine machine(request, work, result, placement);
    const CalcTypeParameters& type = options.type;
    StatusCode text = StatusCode::None;
    StatusCode stop = StatusCode::None;
    bool stopTrials = false;

    auto showTime = [&] {
        if (cb.timeDisplay)
            cb.timeDisplay(MakeTimeDisplay(ElapsedSince(work.startMonotonic), result.trialsRun,
                                           result.plannedTrials));
    };

    for (int t = 0; t <= type.thresholdMax; ++t) {
        for (int p = 0; p <= s; ++p) {
            for (int m = 0; m <= type.heuristicMax; ++m) {
                showTime();
                for (int r = 1; r <= type.trialsPerCombination; ++r) {
                    if (stopTrials || ToInt(text) >= 3 || stop != StatusCode::None)
                        break;
                    if (type.trialsPerCombination > 1)
                        showTime();
                    work.search.totalAttempts = 0;
                    machine.Run({r, t, p, m}, false, trace);
                    ++result.trialsRun;
                    text = work.status.text;
                    stop = work.status.stop;
                    result.status = work.status;
                    const TrialResult trial = TrialResultOf(work);
                    if (IsBetterTrial(options.goal, trial, result.best)) {
                        result.best = trial;
                        result.bestParameters = {r, t, p, m};
                        result.bestLayouts.swap(trace);
                        if (!options.bestSheetSizeMode && cb.betterTrial)
                            cb.betterTrial();
                    }
                    if (options.calcType != CalcType::Fast && cb.enableAbbreviate)
                        cb.enableAbbreviate();
                    if (options.timeLimited &&
                        ElapsedWholeMinutes(work.startMonotonic) >= options.timeLimitMinutes) {
                        text = StatusCode::Abbreviated;
                        work.timeLimitReached = true;
                        result.timeLimitReached = true;
                    }
                    if (request.flags && request.flags->abbreviate.load()) {
                        text = StatusCode::Abbreviated;
                        result.abbreviated = true;
                    }
                    if (request.flags && request.flags->closing.load()) {
                        // Nobody is left to see a final run.
                        result.closed = true;
                        stopTrials = true;
                    }
                }
            }
        }
    }
    if (text == StatusCode::Abbreviated) {
        result.status.Set(StatusCode::Abbreviated);
        result.status.text = StatusCode::Abbreviated;
    }

    if (!result.closed && (ToInt(text) < 3 || text == StatusCode::Abbreviated) &&
        result.trialsRun > 0) {
        if (cb.statusPanel)
            cb.statusPanel(714);
        work.search.totalAttempts = 0;
        machine.Run(result.bestParameters, true, result.finalLayouts);
        result.finalRun = true;
        result.finalResult = TrialResultOf(work);
        result.status = work.status;
        // A difference means state leaks from one run into the next.
        assert(SameLayouts(result.finalLayouts, result.bestLayouts));
        assert(result.finalResult == result.best);
    } else if (!result.closed) {
        result.summary = SummariseRun(work, *request.input, options.material.code);
    }
}

}  // namespace vor
