#include "vorplan/optimiser/material_calculation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <iterator>
#include <sstream>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "platform/fake_clock.h"
#include "tests/optimiser/seeded_jobs.h"
#include "tests/support/test_support.h"
#include "vorplan/common/data_folders.h"

namespace {

using vor::CalcType;
using vor::MaterialCalcRequest;
using vor::MaterialCalcResult;
using vor::MaterialInput;
using vor::StatusCode;

using vortest::PieceSize;
using vortest::SeededCase;
using vortest::SheetSize;

MaterialInput MakeInput(const std::vector<SheetSize>& sheets, const std::vector<PieceSize>& pieces)
{
    MaterialInput input;
    int code = 1;
    for (const SheetSize& s : sheets)
        input.sheets.push_back({code++, s.quantity, s.length, s.width, s.length * 10LL,
                                s.width * 10LL});
    long line = 1;
    for (const PieceSize& p : pieces)
        input.pieces.push_back({line++, p.quantity, p.width, p.height, p.width * 10LL,
                                p.height * 10LL});
    return input;
}

vor::CalcOptions MakeOptions(CalcType type)
{
    vor::CalcOptions options;
    options.calcType = type;
    options.calcTypeIndex = static_cast<int>(type);
    options.type = vor::ParametersOf(type);
    options.material.code = 7;
    return options;
}

// One material's calculation with its tables, flags and options.
struct Calc {
    std::unique_ptr<vor::OptimiserWork> work = std::make_unique<vor::OptimiserWork>();
    std::unique_ptr<MaterialCalcResult> result = std::make_unique<MaterialCalcResult>();
    vor::RunFlags flags;
    vor::CalcOptions options;
    MaterialInput input;
    MaterialCalcRequest request;

    Calc(CalcType type, MaterialInput in) : options(MakeOptions(type)), input(std::move(in))
    {
        request.options = &options;
        request.input = &input;
        request.flags = &flags;
    }
    MaterialCalcResult& Run()
    {
        vor::CalculateMaterial(request, *work, *result);
        return *result;
    }
};

// The final run must lay out exactly what the best trial did.
void ExpectFinalEqualsBest(const MaterialCalcResult& r, const std::string& what)
{
    ASSERT_TRUE(r.finalRun) << what;
    EXPECT_TRUE(vor::SameLayouts(r.finalLayouts, r.bestLayouts)) << what;
    EXPECT_EQ(r.finalResult, r.best) << what;
    const StatusCode text = r.status.text;
    EXPECT_TRUE(text == StatusCode::Finished || text == StatusCode::NoSheetForRemainingPieces ||
                text == StatusCode::SheetsWithoutArea)
        << what << " text " << vor::ToInt(text);
    if (text != StatusCode::SheetsWithoutArea) {
        EXPECT_FALSE(r.finalLayouts.empty()) << what;
    }
}

MaterialInput RandomInput(std::mt19937& rng, int maxSheets, int maxLines, int maxQuantity)
{
    const vortest::SeededJob job = vortest::RandomJob(rng, maxSheets, maxLines, maxQuantity);
    return MakeInput(job.sheets, job.pieces);
}

class FinalRunOnSeededInstances : public testing::TestWithParam<SeededCase> {};

// Everything a calculation leaves must be the same whatever the threads.
void ExpectSameCalculation(const MaterialCalcResult& a, const MaterialCalcResult& b,
                           const std::string& what)
{
    EXPECT_EQ(a.trialsRun, b.trialsRun) << what;
    EXPECT_EQ(a.bestParameters.orderingWindow, b.bestParameters.orderingWindow) << what;
    EXPECT_EQ(a.bestParameters.threshold, b.bestParameters.threshold) << what;
    EXPECT_EQ(a.bestParameters.preferredEntry, b.bestParameters.preferredEntry) << what;
    EXPECT_EQ(a.bestParameters.heuristic, b.bestParameters.heuristic) << what;
    EXPECT_EQ(a.best, b.best) << what;
    EXPECT_EQ(a.finalRun, b.finalRun) << what;
    EXPECT_TRUE(vor::SameLayouts(a.finalLayouts, b.finalLayouts)) << what;
    EXPECT_EQ(a.status.text, b.status.text) << what;
    EXPECT_EQ(a.report.Lines(), b.report.Lines()) << what;
}

// Notes the threads the callbacks of a request are called on; each still
// does what it did before.
class CallingThreads {
public:
    void Watch(vor::MaterialCalcCallbacks& cb)
    {
        cb.search.progress = Wrap(std::move(cb.search.progress));
        cb.search.newBest = Wrap(std::move(cb.search.newBest));
        cb.timeDisplay = Wrap(std::move(cb.timeDisplay));
        cb.betterTrial = Wrap(std::move(cb.betterTrial));
        cb.enableAbbreviate = Wrap(std::move(cb.enableAbbreviate));
        cb.error = Wrap(std::move(cb.error));
        cb.statusPanel = Wrap(std::move(cb.statusPanel));
    }
    std::set<std::thread::id> Seen() const
    {
        std::lock_guard lock(m_mutex);
        return m_threads;
    }

private:
    template <typename... Args>
    std::function<void(Args...)> Wrap(std::function<void(Args...)> inner)
    {
        return [this, inner = std::move(inner)](Args... args) {
            {
                std::lock_guard lock(m_mutex);
                m_threads.insert(std::this_thread::get_id());
            }
            if (inner)
                inner(args...);
        };
    }

    mutable std::mutex m_mutex;
    std::set<std::thread::id> m_threads;
};

TEST_P(FinalRunOnSeededInstances, ReproducesTheBestTrialWithAnyNumberOfThreads)
{
    const SeededCase& c = GetParam();
    platform::FakeClock clock;  // the report's times
    platform::ScopedClock scoped(clock);
    const int threads[] = {2, 3, 8};
    std::mt19937 rng(c.seed);
    for (int i = 0; i < c.instances; ++i) {
        const MaterialInput input = RandomInput(rng, c.maxSheets, c.maxLines, c.maxQuantity);
        const std::string what = std::string(c.name) + " instance " + std::to_string(i);
        Calc one(c.type, input);
        Calc many(c.type, input);
        one.request.threads = 1;
        many.request.threads = threads[i % 3];
        for (Calc* calc : {&one, &many}) {
            // Both goals, so both comparison orders choose trials.
            calc->options.goal = i % 2 == 0 ? vor::OptimisationGoal::BestArea
                                            : vor::OptimisationGoal::FewestLayouts;
        }
        const MaterialCalcResult& r = one.Run();
        ExpectFinalEqualsBest(r, what);
        EXPECT_EQ(r.trialsRun, r.plannedTrials);
        ExpectSameCalculation(r, many.Run(), what + " threads " + std::to_string(threads[i % 3]));
    }
}

TEST(MaterialCalculation, AbreviarOnFourThreadsTakesEveryCompletedTrialInOrder)
{
    const MaterialInput input =
        MakeInput({{2000, 1000, 3}, {1500, 900, 4}},
                  {{450, 300, 7}, {800, 350, 2}, {620, 410, 3}, {300, 220, 9}});
    constexpr long long kStopAfter = 5;
    constexpr int kThreads = 4;
    Calc pooled(CalcType::Complete, input);
    pooled.request.threads = kThreads;
    long long seen = 0;
    pooled.request.callbacks.enableAbbreviate = [&] {
        if (++seen == kStopAfter)
            pooled.flags.abbreviate = true;
    };
    std::vector<long long> progress;
    pooled.request.callbacks.timeDisplay = [&](const vor::TimeDisplay& d) {
        progress.push_back(d.progress);
    };
    // Trials run silent: whatever reaches the window comes from this thread.
    CallingThreads calling;
    calling.Watch(pooled.request.callbacks);
    const MaterialCalcResult& r = pooled.Run();
    EXPECT_EQ(calling.Seen(), std::set<std::thread::id>{std::this_thread::get_id()});
    EXPECT_TRUE(r.abbreviated);
    ExpectFinalEqualsBest(r, "abbreviated on four threads");
    // What ran on when the flag came counts, once each; nothing starts later.
    EXPECT_GE(r.trialsRun, kStopAfter);
    EXPECT_LE(r.trialsRun, kStopAfter + 2 * kThreads);
    EXPECT_EQ(seen, r.trialsRun);
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.back(), r.trialsRun);

    // One after another, stopped after as many trials, gives the same.
    Calc sequential(CalcType::Complete, input);
    sequential.request.threads = 1;
    long long seenSequential = 0;
    sequential.request.callbacks.enableAbbreviate = [&] {
        if (++seenSequential == r.trialsRun)
            sequential.flags.abbreviate = true;
    };
    const MaterialCalcResult& s = sequential.Run();
    EXPECT_EQ(s.trialsRun, r.trialsRun);
    EXPECT_EQ(s.best, r.best);
    EXPECT_TRUE(vor::SameLayouts(s.finalLayouts, r.finalLayouts));
    EXPECT_EQ(s.bestParameters.orderingWindow, r.bestParameters.orderingWindow);
    EXPECT_EQ(s.bestParameters.threshold, r.bestParameters.threshold);
}

TEST(MaterialCalculation, TrialEndingTheSearchMidwayGivesTheSequentialResultOnAnyThreads)
{
    // 1 200 small squares beside a large one: one of the later ordering
    // windows leaves more than 1 100 discarded rectangles (status text 24)
    // where the first ones do not, so the trials the pool ran past it must
    // come to nothing.
    const MaterialInput input =
        MakeInput({{1000, 500, 5}, {610, 500, 5}}, {{500, 500, 1}, {20, 20, 1200}});
    platform::FakeClock clock;  // the report's times
    platform::ScopedClock scoped(clock);
    Calc one(CalcType::Complete, input);
    one.request.threads = 1;
    const MaterialCalcResult& r = one.Run();
    EXPECT_GT(r.trialsRun, 1);
    EXPECT_LT(r.trialsRun, r.plannedTrials);
    EXPECT_EQ(r.status.text, StatusCode::TooManyDiscarded);
    EXPECT_FALSE(r.finalRun);
    for (int threads : {3, 8}) {
        Calc many(CalcType::Complete, input);
        many.request.threads = threads;
        ExpectSameCalculation(r, many.Run(), "threads " + std::to_string(threads));
    }
}

INSTANTIATE_TEST_SUITE_P(
    MaterialCalculation, FinalRunOnSeededInstances,
    testing::Values(SeededCase{"Rapido", CalcType::Fast, 200, 3, 6, 8, 1001},
                    SeededCase{"Completo", CalcType::Complete, 200, 2, 4, 4, 2002},
                    SeededCase{"Intensivo", CalcType::Intensive, 20, 1, 4, 2, 3003}),
    vortest::SeededCaseName);

struct TrialCountCase {
    std::optional<vor::SheetOrder> order;
    int entries;
    long long expected;
};

TEST(MaterialCalculation, RunsThePlannedTrialsThenTheFinalRun)
{
    const TrialCountCase cases[] = {
        {vor::SheetOrder::Free, 3, 12},        // 3 x 4 x 1 x 1
        {vor::SheetOrder::Free, 1, 3},         // a single entry: P = 0 only, not halved
        {vor::SheetOrder::Decreasing, 3, 3},
        {std::nullopt, 3, 3},                  // "Livre" not checked
    };
    for (const TrialCountCase& c : cases) {
        std::vector<SheetSize> sheets;
        for (int i = 0; i < c.entries; ++i)
            sheets.push_back({2000 + 100 * i, 1000, 5});
        Calc calc(CalcType::Fast, MakeInput(sheets, {{400, 300, 6}, {700, 250, 3}}));
        calc.options.sheetOrder = c.order;
        long long displays = 0;
        calc.request.callbacks.timeDisplay = [&](const vor::TimeDisplay& d) {
            ++displays;
            EXPECT_LE(d.progress, d.progressMaximum);
        };
        const MaterialCalcResult& r = calc.Run();
        EXPECT_EQ(r.plannedTrials, c.expected) << c.entries;
        EXPECT_EQ(r.trialsRun, c.expected) << c.entries;
        EXPECT_EQ(displays, c.expected) << c.entries;  // R = 1: once per combination
        ExpectFinalEqualsBest(r, std::to_string(c.entries));
    }
}

TEST(MaterialCalculation, AbreviarAfterTheFirstTrialStillRunsTheFinalRun)
{
    Calc calc(CalcType::Complete, MakeInput({{2000, 1000, 3}}, {{450, 300, 7}, {800, 350, 2}}));
    calc.request.threads = 1;  // one after another: nothing runs ahead of the flag
    int enabled = 0;
    calc.request.callbacks.enableAbbreviate = [&] {
        ++enabled;
        calc.flags.abbreviate = true;
    };
    long long displays = 0;
    calc.request.callbacks.timeDisplay = [&](const vor::TimeDisplay&) { ++displays; };
    const MaterialCalcResult& r = calc.Run();
    EXPECT_EQ(r.trialsRun, 1);
    EXPECT_EQ(enabled, 1);
    EXPECT_TRUE(r.abbreviated);
    // Every remaining (T, P, M) combination still updates the display.
    EXPECT_EQ(displays, 13 * 2 + 1);
    ExpectFinalEqualsBest(r, "abbreviated");
    EXPECT_EQ(r.bestParameters.orderingWindow, 1);
}

TEST(MaterialCalculation, RapidoNeverEnablesAbreviar)
{
    Calc calc(CalcType::Fast, MakeInput({{2000, 1000, 3}}, {{450, 300, 7}}));
    int enabled = 0;
    calc.request.callbacks.enableAbbreviate = [&] { ++enabled; };
    calc.Run();
    EXPECT_EQ(enabled, 0);
}

TEST(MaterialCalculation, ClosingTheWindowStopsWithoutAFinalRun)
{
    Calc calc(CalcType::Complete, MakeInput({{2000, 1000, 3}}, {{450, 300, 7}}));
    calc.request.threads = 1;
    calc.request.callbacks.enableAbbreviate = [&] { calc.flags.RequestClose(); };
    const MaterialCalcResult& r = calc.Run();
    EXPECT_EQ(r.trialsRun, 1);
    EXPECT_TRUE(r.closed);
    EXPECT_FALSE(r.finalRun);
}

struct TimeLimitCase {
    int limitMinutes;
    std::chrono::seconds perTrial;
    long long trials;
};

TEST(MaterialCalculation, TimeLimitIsTestedBetweenTrialsOnTheMonotonicClock)
{
    const TimeLimitCase cases[] = {
        {0, std::chrono::seconds(0), 1},    // a limit of 0 stops after the first trial
        {2, std::chrono::seconds(30), 4},   // 30, 60, 90, 120 s
        {1, std::chrono::seconds(59), 2},   // whole minutes: 59 s is 0
    };
    for (const TimeLimitCase& c : cases) {
        platform::FakeClock clock;
        clock.SetNow({2026, 12, 31, 23, 59, 30, 0});  // across midnight: only the monotonic clock counts
        platform::ScopedClock scoped(clock);
        Calc calc(CalcType::Complete, MakeInput({{2000, 1000, 3}}, {{450, 300, 7}}));
        calc.request.threads = 1;
        calc.options.timeLimited = true;
        calc.options.timeLimitMinutes = c.limitMinutes;
        calc.request.callbacks.enableAbbreviate = [&] {
            clock.Advance(c.perTrial);
            clock.SetNow({2027, 1, 1, 0, 0, 10, 0});
        };
        const MaterialCalcResult& r = calc.Run();
        EXPECT_EQ(r.trialsRun, c.trials) << c.limitMinutes;
        EXPECT_TRUE(r.timeLimitReached);
        EXPECT_FALSE(r.abbreviated);
        ExpectFinalEqualsBest(r, "time limit");
    }
}

TEST(MaterialCalculation, NoTimeLimitWhenLimiteIsNotChosen)
{
    platform::FakeClock clock;
    platform::ScopedClock scoped(clock);
    Calc calc(CalcType::Fast, MakeInput({{2000, 1000, 3}}, {{450, 300, 7}}));
    calc.options.timeLimitMinutes = 0;
    const MaterialCalcResult& r = calc.Run();
    EXPECT_EQ(r.trialsRun, 3);
    EXPECT_FALSE(r.timeLimitReached);
}

struct ErrorCase {
    const char* name;
    std::vector<SheetSize> sheets;
    std::vector<PieceSize> pieces;
    std::int64_t leftBorder;
    int loadStatus;
    StatusCode text;
    bool stops;  // a stop code, ending the whole calculation
};

TEST(MaterialCalculation, StatusTextOfThreeOrMoreEndsTheTrialsWithoutAFinalRun)
{
    const ErrorCase cases[] = {
        {"negative border", {{2000, 1000, 3}}, {{400, 300, 2}}, -1, 0,
         StatusCode::NegativeSafetyBorder, false},
        {"no pieces", {{2000, 1000, 3}}, {}, 0, 0, StatusCode::NoPieces, true},
        {"no sheets", {}, {{400, 300, 2}}, 0, 0, StatusCode::NoSheets, true},
        {"bad kerf", {{2000, 1000, 3}}, {{400, 300, 2}}, 0, 16, StatusCode::BadKerf, true},
        {"bad piece quantity", {{2000, 1000, 3}}, {{400, 300, 0}}, 0, 0,
         StatusCode::PieceQuantityBelow1, true},
    };
    for (const ErrorCase& c : cases) {
        Calc calc(CalcType::Complete, MakeInput(c.sheets, c.pieces));
        calc.options.sheetBorders.left = c.leftBorder;
        calc.options.material.loadStatus = c.loadStatus;
        const MaterialCalcResult& r = calc.Run();
        EXPECT_EQ(r.trialsRun, 1) << c.name;
        EXPECT_FALSE(r.finalRun) << c.name;
        EXPECT_EQ(r.status.text, c.text) << c.name;
        EXPECT_EQ(r.status.stop != StatusCode::None, c.stops) << c.name;
        if (c.stops) {
            EXPECT_EQ(r.status.stop, c.text) << c.name;
        }
        // The report kept is that of the trial that ended in error.
        EXPECT_EQ(r.report.Started(), c.text != StatusCode::NegativeSafetyBorder) << c.name;
    }
}

struct EndTextCase {
    const char* name;
    std::vector<PieceSize> pieces;
    StatusCode text;
    long long left;  // pieces in the not-placed summary
};

TEST(MaterialCalculation, EndTextTellsWhetherEveryPieceWasPlaced)
{
    const EndTextCase cases[] = {
        {"all placed", {{400, 300, 4}}, StatusCode::Finished, 0},
        {"one too large", {{400, 300, 4}, {3000, 300, 2}}, StatusCode::NoSheetForRemainingPieces,
         1},
        {"none fits", {{3000, 300, 2}}, StatusCode::SheetsWithoutArea, 1},
    };
    for (const EndTextCase& c : cases) {
        Calc calc(CalcType::Fast, MakeInput({{2000, 1000, 3}}, c.pieces));
        const MaterialCalcResult& r = calc.Run();
        if (c.text == StatusCode::SheetsWithoutArea) {
            // 21 is 3 or more: it ends the trials and no final run follows.
            EXPECT_EQ(r.trialsRun, 1);
            EXPECT_FALSE(r.finalRun);
        } else {
            ExpectFinalEqualsBest(r, c.name);
        }
        EXPECT_EQ(r.status.text, c.text) << c.name;
        EXPECT_EQ(r.summary.statusText, c.text) << c.name;
        EXPECT_EQ(static_cast<long long>(r.summary.unplaced.size()), c.left) << c.name;
    }
}

TEST(MaterialCalculation, LayoutCapWithPiecesLeftIsNotReportedAsFinished)
{
    // 901 lines of one piece each, one piece per sheet: 900 layouts, one piece left.
    std::vector<PieceSize> pieces(901, PieceSize{600, 600, 1});
    Calc calc(CalcType::Fast, MakeInput({{1000, 1000, 1000}}, pieces));
    calc.options.rotation = vor::RotationChoice::NotAllowed;
    const MaterialCalcResult& r = calc.Run();
    ExpectFinalEqualsBest(r, "cap");
    EXPECT_EQ(r.best.distinctLayouts, 900);
    EXPECT_EQ(r.status.text, StatusCode::NoSheetForRemainingPieces);
    ASSERT_EQ(r.summary.unplaced.size(), 1u);
    EXPECT_EQ(r.summary.unplaced[0].quantity, 1);
}

TEST(MaterialCalculation, OnlyTheFinalRunWritesTemporaryLayoutFiles)
{
    vortest::TempDir dir;
    const vor::DataFolders folders = vor::MakeDataFolders(dir.path());
    std::filesystem::create_directories(vor::TempLayoutFile(folders, 1, 7).parent_path());
    // Left by an earlier calculation under the layout number after the last.
    vortest::WriteBytes(vor::TempLayoutFile(folders, 3, 7), "old");
    vortest::WriteBytes(vor::LayoutFile(folders, 3, 7), "old");

    Calc calc(CalcType::Fast, MakeInput({{1000, 1000, 5}}, {{600, 600, 1}, {700, 700, 1}}));
    calc.request.folders = &folders;
    int trialsWithFiles = 0;
    calc.request.callbacks.timeDisplay = [&](const vor::TimeDisplay&) {
        // Between trials nothing but the final run's files may exist.
        if (std::filesystem::exists(vor::TempLayoutFile(folders, 1, 7)))
            ++trialsWithFiles;
    };
    const MaterialCalcResult& r = calc.Run();
    ExpectFinalEqualsBest(r, "files");
    EXPECT_EQ(r.best.distinctLayouts, 2);
    EXPECT_EQ(trialsWithFiles, 0);
    EXPECT_TRUE(std::filesystem::exists(vor::TempLayoutFile(folders, 1, 7)));
    EXPECT_TRUE(std::filesystem::exists(vor::TempLayoutFile(folders, 2, 7)));
    EXPECT_FALSE(std::filesystem::exists(vor::TempLayoutFile(folders, 3, 7)));
    EXPECT_FALSE(std::filesystem::exists(vor::LayoutFile(folders, 3, 7)));
    EXPECT_TRUE(r.fileProblems.empty());
}

struct CompareCase {
    const char* name;
    vor::TrialResult candidate;
    bool betterArea;
    bool betterLayouts;
};

TEST(MaterialCalculation, TrialComparisonOrders)
{
    const vor::TrialResult base{5, 8, 80.0, 50.0, 12.0};
    const CompareCase cases[] = {
        {"equal in all five", base, false, false},
        {"higher yield, more layouts", {6, 8, 81.0, 50.0, 12.0}, true, false},
        {"fewer layouts, lower yield", {4, 8, 79.0, 50.0, 12.0}, false, true},
        {"fewer sheets", {5, 7, 80.0, 50.0, 12.0}, true, true},
        {"lower last score", {5, 8, 80.0, 49.0, 12.0}, true, true},
        {"shorter cut only", {5, 8, 80.0, 50.0, 11.0}, true, true},
        {"longer cut only", {5, 8, 80.0, 50.0, 13.0}, false, false},
    };
    for (const CompareCase& c : cases) {
        EXPECT_EQ(vor::IsBetterTrial(vor::OptimisationGoal::BestArea, c.candidate, base),
                  c.betterArea)
            << c.name;
        EXPECT_EQ(vor::IsBetterTrial(vor::OptimisationGoal::FewestLayouts, c.candidate, base),
                  c.betterLayouts)
            << c.name;
        EXPECT_EQ(vor::IsBetterTrial(std::nullopt, c.candidate, base), c.betterLayouts) << c.name;
    }
    // The first trial always replaces the starting values.
    EXPECT_TRUE(vor::IsBetterTrial(vor::OptimisationGoal::BestArea, {1, 1, 0.0, 0.0, 0.0},
                                   vor::TrialResult{}));
    EXPECT_TRUE(vor::IsBetterTrial(vor::OptimisationGoal::FewestLayouts, {1, 1, 0.0, 0.0, 0.0},
                                   vor::TrialResult{}));
}

TEST(MaterialCalculation, OrderingWindows)
{
    struct Case {
        int r, first, last;
        bool valid;
    };
    const Case cases[] = {{1, 1, 2, true}, {30, 30, 31, true}, {31, 1, 30, true},
                          {0, 1, 1, false}, {32, 1, 1, false}};
    for (const Case& c : cases) {
        const vor::OrderingWindow w = vor::OrderingWindowOf(c.r);
        EXPECT_EQ(w.firstKey, c.first) << c.r;
        EXPECT_EQ(w.lastKey, c.last) << c.r;
        EXPECT_EQ(w.valid, c.valid) << c.r;
    }
}

// The first attempt of a layout step whose pieces were sorted once, from the
// order of the file, by `key`: the best it becomes.
vor::NewBest FirstAttemptSortedOnce(const vor::CalcOptions& options, const MaterialInput& input,
                                    int key)
{
    auto work = std::make_unique<vor::OptimiserWork>();
    vor::LoadStock(input, options, std::nullopt, work->stock, work->status);
    vor::LoadPieces(input, options, *work);
    work->trial = {key, 0, 0, 0};
    work->status.Set(vor::MachineState::Running);
    work->best.Reset();
    work->layoutNumber = 1;
    work->currentEntry = 1;
    std::vector<vor::NewBest> bests;
    vor::SearchCallbacks callbacks;
    callbacks.newBest = [&bests](const vor::NewBest& b) { bests.push_back(b); };
    vor::RunLayoutStep(*work, options, vor::MakePlacementSettings(options), key, callbacks);
    return bests.empty() ? vor::NewBest{} : bests.front();
}

TEST(MaterialCalculation, RegressionTrialElevenStartsWithItsOwnExchange)
{
    // Two pieces of equal area: key 11 puts the second first. Sorting the
    // first step again undid that exchange, so trial 11 began as key 1 does.
    const MaterialInput input = MakeInput({{300, 200, 5}}, {{300, 100, 1}, {150, 200, 1}});
    Calc calc(CalcType::Complete, input);
    calc.options.rotation = vor::RotationChoice::NotAllowed;
    calc.options.type.thresholdMax = 0;
    calc.options.type.heuristicMax = 0;
    calc.options.type.trialsPerCombination = 11;

    const vor::NewBest key1 = FirstAttemptSortedOnce(calc.options, input, 1);
    const vor::NewBest key11 = FirstAttemptSortedOnce(calc.options, input, 11);
    ASSERT_NE(key1.cutLength, key11.cutLength) << "the exchange must show in the layout";

    // Trials run silent, so trial 11 is read from its own report: closing the
    // window after it keeps that report, whose first detailed line is the
    // trial's first attempt (fields: yield, pieces, cut, stage, entry, key, attempts).
    calc.request.threads = 1;
    int trials = 0;
    calc.request.callbacks.enableAbbreviate = [&] {
        if (++trials == 11)
            calc.flags.RequestClose();
    };
    const MaterialCalcResult& r = calc.Run();
    ASSERT_EQ(r.trialsRun, 11);
    ASSERT_TRUE(r.closed);
    const std::vector<std::string> lines = r.report.Lines();
    const auto layout = std::find(lines.begin(), lines.end(), " Montagem 1:");
    ASSERT_TRUE(layout != lines.end() && layout + 1 != lines.end());
    std::istringstream first(*(layout + 1));
    std::vector<std::string> fields{std::istream_iterator<std::string>(first), {}};
    ASSERT_EQ(fields.size(), 7u) << *(layout + 1);
    EXPECT_EQ(fields[5], "11");
    EXPECT_EQ(fields[6], "1");
    EXPECT_EQ(std::llround(std::stod(fields[2]) * 1000), key11.cutLength);
    EXPECT_EQ(fields[1], std::to_string(key11.pieces));
}

TEST(MaterialCalculation, EqualTrialsKeepTheEarliest)
{
    // A single piece on a single sheet: every trial lays out the same.
    Calc calc(CalcType::Complete, MakeInput({{1000, 1000, 1}}, {{600, 600, 1}}));
    const MaterialCalcResult& r = calc.Run();
    ExpectFinalEqualsBest(r, "equal");
    EXPECT_EQ(r.bestParameters.orderingWindow, 1);
    EXPECT_EQ(r.bestParameters.threshold, 0);
    EXPECT_EQ(r.bestParameters.heuristic, 0);
    EXPECT_EQ(r.bestParameters.preferredEntry, 0);
}

}  // namespace

namespace {

TEST(MaterialCalculation, ReportKeepsOnlyTheFinalRun)
{
    Calc calc(CalcType::Fast, MakeInput({{2000, 1000, 3}, {1500, 1000, 2}, {1200, 900, 4}},
                                        {{450, 300, 7}, {800, 350, 2}}));
    const MaterialCalcResult& r = calc.Run();
    ExpectFinalEqualsBest(r, "report");
    ASSERT_EQ(r.trialsRun, 12);
    const std::vector<std::string> lines = r.report.Lines();
    long firstLayoutLines = 0;
    for (const std::string& line : lines)
        firstLayoutLines += line == " Montagem 1:" ? 1 : 0;
    EXPECT_EQ(firstLayoutLines, 1);
}

}  // namespace
