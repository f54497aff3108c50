#include "vorplan/optimiser/material_calculation.h"

#include <algorithm>
#include <cassert>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <optional>
#include <utility>

#include "platform/clock.h"
#include "vorplan/common/small_helpers.h"
#include "vorplan/optimiser/sheet_preparation.h"
#include "vorplan/optimiser/trial_pool.h"

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

void FinishReport(MaterialRunReport& report, const RunStatus& status, long long material)
{
    report.Finish(platform::GetClock().Now(),
                  StatusText(ToInt(status.text), material, status.detail));
}

// One run of the material's state machine: a trial, or the final run.
class MaterialMachine {
public:
    // `out` takes what only the final run leaves (file problems, the summary);
    // trials run without it, silent, and may run on any thread.
    MaterialMachine(const MaterialCalcRequest& request, OptimiserWork& work,
                    const PlacementSettings& placement, MaterialCalcResult* out)
        : m_request(request), m_options(*request.options), m_work(work), m_out(out),
          m_placement(placement)
    {
        m_trialCallbacks.newBest = [this](const NewBest& best) { ReportNewBest(best); };
        m_finalCallbacks.progress = request.callbacks.search.progress;
        m_finalCallbacks.newBest = [this](const NewBest& best) {
            if (m_request.callbacks.search.newBest)
                m_request.callbacks.search.newBest(best);
            ReportNewBest(best);
        };
    }
    MaterialMachine(const MaterialMachine&) = delete;
    MaterialMachine& operator=(const MaterialMachine&) = delete;

    // A trial's report is left unfinished: the end time and status text are
    // added by whoever keeps it, on the thread that owns the clock.
    void Run(const TrialParameters& parameters, bool finalRun, std::vector<LayoutElement>& trace,
             MaterialRunReport& report)
    {
        m_final = finalRun && m_out != nullptr;
        m_trace = &trace;
        m_report = &report;
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
        if (m_final && report.Started())
            FinishReport(report, m_work.status, m_options.material.code);
    }

private:
    void ReportNewBest(const NewBest& best)
    {
        if (m_report->Detailed()) {
            m_report->NewBest(m_work.layoutNumber,
                              {best.yield, best.pieces, best.cutLength, best.criterion,
                               best.stockEntry, best.key, best.stepAttempts});
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
        if (!m_window.valid && m_final && m_request.callbacks.error) {
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

        m_report->Start(MakeReportRunValues(m_options, m_request.decimalPlaces, w.startTime), w);
        if (w.pieces.count == 0)
            st.Set(StatusCode::NoPieces);
        else if (w.stock.count == 0)
            st.Set(StatusCode::NoSheets);
        w.best.Reset();
        if (m_report->Detailed())
            m_report->LayoutStarted(w.layoutNumber);
    }

    void LayoutStep()
    {
        OptimiserWork& w = m_work;
        // One sort per (entry, key): sorting again would undo the exchange of
        // tied pieces that keys 11 and above make.
        RunLayoutStep(w, m_options, m_placement, m_key,
                      m_final ? m_finalCallbacks : m_trialCallbacks, m_firstStepSorted);
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
        if (committed.problem && m_out)
            m_out->fileProblems.push_back(*committed.problem);
        for (long i = 1; i <= w.best.count; ++i)
            m_trace->push_back(w.best.elements[i]);
        if (!w.status.Is(MachineState::Commit))
            return;

        if (w.totalPieces > 0 && StockLeft() && MayAddLayout(w.layoutNumber)) {
            w.best.Reset();
            w.status.Set(MachineState::Running);
            ++w.layoutNumber;
            if (m_report->Detailed())
                m_report->LayoutStarted(w.layoutNumber);
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
        m_out->summary = SummariseRun(m_work, *m_request.input, m_options.material.code);
        if (m_request.folders && m_request.finalContext)
            RecordFinalRunEnd(*m_request.folders, m_out->summary, *m_request.finalContext);
    }

    const MaterialCalcRequest& m_request;
    const CalcOptions& m_options;
    OptimiserWork& m_work;
    MaterialCalcResult* m_out;
    const PlacementSettings& m_placement;
    SearchCallbacks m_trialCallbacks;
    SearchCallbacks m_finalCallbacks;
    bool m_final = false;
    std::vector<LayoutElement>* m_trace = nullptr;
    MaterialRunReport* m_report = nullptr;
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

// A trial as it came back from its run, kept until the reduction takes it.
struct TrialSlot {
    long long index = -1;  // the trial it holds; -1 while free or running
    TrialParameters parameters;
    RunStatus status;
    TrialResult figures;
    std::vector<LayoutElement> trace;
    MaterialRunReport report;     // unfinished
    MaterialRunSummary summary;   // only of a trial that ends the search
    std::exception_ptr error;

    TrialSlot() { trace.reserve(kTraceReserve); }
};

// Status text 3 or more, or a stop code: no later trial counts.
bool EndsSearch(const RunStatus& status)
{
    return ToInt(status.text) >= 3 || status.stop != StatusCode::None;
}

void RunTrial(MaterialMachine& machine, OptimiserWork& work, const MaterialCalcRequest& request,
              const TrialParameters& parameters, TrialSlot& slot)
{
    work.search.totalAttempts = 0;
    machine.Run(parameters, false, slot.trace, slot.report);
    slot.parameters = parameters;
    slot.status = work.status;
    slot.figures = TrialResultOf(work);
    if (EndsSearch(work.status))
        slot.summary = SummariseRun(work, *request.input, request.options->material.code);
}

// Hands out the trials in their sequential order and gives them back to the
// reduction in that order. Without a pool every trial runs on the caller's
// tables when it is asked for; with one, the workers run ahead of the
// reduction by at most one slot per trial kept.
class TrialSource {
public:
    TrialSource(const MaterialCalcRequest& request, const std::vector<TrialParameters>& order,
                OptimiserWork& callerWork, MaterialMachine& callerMachine,
                const PlacementSettings& placement, TrialPool* pool)
        : m_request(request), m_order(order), m_callerWork(callerWork),
          m_callerMachine(callerMachine), m_placement(placement), m_pool(pool),
          m_endAt(static_cast<long long>(m_order.size())),
          m_slots(pool ? 2 * static_cast<std::size_t>(pool->Size()) : 1)
    {
        if (m_pool)
            m_pool->Start([this](int worker) { Work(worker); });
    }
    ~TrialSource()
    {
        if (m_pool) {
            Halt();
            m_pool->Wait();
        }
    }
    TrialSource(const TrialSource&) = delete;
    TrialSource& operator=(const TrialSource&) = delete;

    // False when trial `index` has not started and never will.
    bool MayRun(long long index)
    {
        if (!m_pool)
            return !m_halted;
        std::lock_guard lock(m_mutex);
        return !NeverStarts(index);
    }

    // Trial `index` once it has run; nullptr when it was never started
    // because the dispatch was halted first.
    TrialSlot* Obtain(long long index)
    {
        TrialSlot& slot = SlotOf(index);
        if (!m_pool) {
            if (m_halted)
                return nullptr;
            try {
                RunTrial(m_callerMachine, m_callerWork, m_request, m_order[Position(index)], slot);
            } catch (...) {
                slot.error = std::current_exception();
            }
            return &slot;
        }
        std::unique_lock lock(m_mutex);
        m_resultReady.wait(lock, [&] { return slot.index == index || NeverStarts(index); });
        return slot.index == index ? &slot : nullptr;
    }

    // The reduction is done with trial `index`: its slot may take a later one.
    void Release(long long index)
    {
        std::lock_guard lock(m_mutex);
        SlotOf(index).index = -1;
        SlotOf(index).error = nullptr;
        m_released = index + 1;
        m_slotFree.notify_all();
    }

    // No trial starts after this; those running finish.
    void Halt()
    {
        {
            std::lock_guard lock(m_mutex);
            m_halted = true;
        }
        m_slotFree.notify_all();
        m_resultReady.notify_all();
    }

private:
    static std::size_t Position(long long index) { return static_cast<std::size_t>(index); }
    // Under the lock.
    bool NeverStarts(long long index) const
    {
        return index >= m_next && (m_halted || index >= m_endAt);
    }
    TrialSlot& SlotOf(long long index) { return m_slots[Position(index) % m_slots.size()]; }

    bool FlagsStop() const
    {
        const RunFlags* flags = m_request.flags;
        return flags && (flags->abbreviate.load() || flags->closing.load());
    }

    void Work(int worker)
    {
        OptimiserWork& work = m_pool->WorkOf(worker);
        work.startTime = m_callerWork.startTime;
        work.startMonotonic = m_callerWork.startMonotonic;
        work.bestSheetSizeMode = m_callerWork.bestSheetSizeMode;
        work.timeLimitReached = false;
        MaterialMachine machine(m_request, work, m_placement, nullptr);
        const long long window = static_cast<long long>(m_slots.size());

        std::unique_lock lock(m_mutex);
        for (;;) {
            m_slotFree.wait(lock, [&] {
                return m_halted || m_next >= m_endAt || m_next < m_released + window;
            });
            if (m_halted || m_next >= m_endAt)
                break;
            // The first trial always runs, as it does one after another.
            if (m_next > 0 && FlagsStop()) {
                m_halted = true;
                m_slotFree.notify_all();
                m_resultReady.notify_all();
                break;
            }
            const long long index = m_next++;
            TrialSlot& slot = SlotOf(index);
            lock.unlock();
            bool ends = false;
            try {
                RunTrial(machine, work, m_request, m_order[Position(index)], slot);
                ends = EndsSearch(slot.status);
            } catch (...) {
                slot.error = std::current_exception();
                ends = true;
            }
            lock.lock();
            slot.index = index;
            if (ends && index + 1 < m_endAt) {
                m_endAt = index + 1;  // what comes after it would be discarded
                m_slotFree.notify_all();
            }
            m_resultReady.notify_all();
        }
    }

    const MaterialCalcRequest& m_request;
    const std::vector<TrialParameters>& m_order;
    OptimiserWork& m_callerWork;
    MaterialMachine& m_callerMachine;
    const PlacementSettings& m_placement;
    TrialPool* m_pool;

    std::mutex m_mutex;
    std::condition_variable m_slotFree;
    std::condition_variable m_resultReady;
    long long m_next = 0;       // the next trial to start
    long long m_released = 0;   // trials the reduction is done with
    long long m_endAt;          // no trial at or after this starts
    bool m_halted = false;
    std::vector<TrialSlot> m_slots;
};

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
    const CalcTypeParameters& type = options.type;

    // The trials in the order they run one after another: T outermost, then P, M, r.
    std::vector<TrialParameters> order;
    order.reserve(static_cast<std::size_t>(std::max(0LL, result.plannedTrials)));
    for (int t = 0; t <= type.thresholdMax; ++t)
        for (int p = 0; p <= s; ++p)
            for (int m = 0; m <= type.heuristicMax; ++m)
                for (int r = 1; r <= type.trialsPerCombination; ++r)
                    order.push_back({r, t, p, m});

    const PlacementSettings placement = MakePlacementSettings(options);
    MaterialMachine machine(request, work, placement, &result);
    std::optional<TrialPool> ownPool;
    TrialPool* pool = request.pool;
    if (!pool && TrialThreads(request.threads) > 1 && order.size() > 1)
        pool = &ownPool.emplace(TrialThreads(request.threads));
    if (pool && pool->Size() < 2)
        pool = nullptr;

    StatusCode trialText = StatusCode::None;
    StatusCode stop = StatusCode::None;
    bool undispatched = false;
    MaterialRunReport lastReport;
    MaterialRunSummary lastSummary;

    auto showTime = [&] {
        if (cb.timeDisplay)
            cb.timeDisplay(MakeTimeDisplay(ElapsedSince(work.startMonotonic), result.trialsRun,
                                           result.plannedTrials));
    };

    {
        TrialSource source(request, order, work, machine, placement, pool);
        for (std::size_t i = 0; i < order.size(); ++i) {
            const long long index = static_cast<long long>(i);
            // Every (T, P, M) combination shows the time, also once the
            // search has stopped: only the r loop stops early.
            if (order[i].orderingWindow == 1)
                showTime();
            if (undispatched || ToInt(trialText) >= 3 || stop != StatusCode::None)
                continue;
            if (!source.MayRun(index)) {
                undispatched = true;
                continue;
            }
            if (type.trialsPerCombination > 1)
                showTime();
            TrialSlot* slot = source.Obtain(index);
            if (!slot) {
                undispatched = true;
                continue;
            }
            if (slot->error)
                std::rethrow_exception(slot->error);
            ++result.trialsRun;
            trialText = slot->status.text;
            stop = slot->status.stop;
            result.status = slot->status;
            if (slot->report.Started())
                FinishReport(slot->report, slot->status, options.material.code);
            std::swap(lastReport, slot->report);
            std::swap(lastSummary, slot->summary);
            if (IsBetterTrial(options.goal, slot->figures, result.best)) {
                result.best = slot->figures;
                result.bestParameters = slot->parameters;
                result.bestLayouts.swap(slot->trace);
                if (!options.bestSheetSizeMode && cb.betterTrial)
                    cb.betterTrial();
            }
            source.Release(index);
            if (options.calcType != CalcType::Fast && cb.enableAbbreviate)
                cb.enableAbbreviate();
            if (options.timeLimited &&
                ElapsedWholeMinutes(work.startMonotonic) >= options.timeLimitMinutes) {
                work.timeLimitReached = true;
                result.timeLimitReached = true;
                source.Halt();
            }
            if (request.flags && request.flags->abbreviate.load()) {
                result.abbreviated = true;
                source.Halt();
            }
            if (request.flags && request.flags->closing.load()) {
                // Nobody is left to see a final run.
                result.closed = true;
                source.Halt();
            }
        }
        // A worker saw the flag before the reduction did.
        if (undispatched && request.flags) {
            result.abbreviated = result.abbreviated || request.flags->abbreviate.load();
            result.closed = result.closed || request.flags->closing.load();
        }
    }
    // Trials that finished after "Abreviar" or the time limit count as if
    // the stop had come after the last of them.
    const StatusCode text = result.abbreviated || result.timeLimitReached
                                ? StatusCode::Abbreviated
                                : trialText;
    if (text == StatusCode::Abbreviated) {
        result.status.Set(StatusCode::Abbreviated);
        result.status.text = StatusCode::Abbreviated;
    }

    if (!result.closed && (ToInt(text) < 3 || text == StatusCode::Abbreviated) &&
        result.trialsRun > 0) {
        if (cb.statusPanel)
            cb.statusPanel(714);
        work.search.totalAttempts = 0;
        machine.Run(result.bestParameters, true, result.finalLayouts, result.report);
        result.finalRun = true;
        result.finalResult = TrialResultOf(work);
        result.status = work.status;
        // A difference means state leaks from one run into the next.
        assert(SameLayouts(result.finalLayouts, result.bestLayouts));
        assert(result.finalResult == result.best);
    } else {
        std::swap(result.report, lastReport);
        if (!result.closed)
            result.summary = std::move(lastSummary);
    }
}

}  // namespace vor
