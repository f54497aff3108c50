#include "vorplan/optimiser/layout_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <map>
#include <memory>
#include <new>
#include <random>
#include <string>
#include <vector>

#include "tests/support/allocation_counter.h"
#include "tests/support/layout_checks.h"
#include "tests/support/test_support.h"
#include "vorplan/common/data_folders.h"
#include "vorplan/optimiser/layout_files.h"
#include "vorplan/optimiser/sheet_preparation.h"

namespace {

using vor::CalcOptions;
using vor::CalcType;
using vor::ElementType;
using vor::LayoutElement;
using vor::MachineState;
using vor::OptimiserWork;
using vor::StatusCode;

// ---- Helpers -------------------------------------------------------------------

using Element = vortest::CheckedElement;

}  // namespace

namespace vortest {
// Printed in failures as the layout file line would read.
void PrintTo(const CheckedElement& e, std::ostream* os)
{
    *os << "{" << e.type << ", " << e.code << ", " << e.x << ", " << e.y << ", " << e.l << ", "
        << e.h << "}";
}
}  // namespace vortest

namespace {

std::vector<Element> Elements(const vor::BestLayout& best)
{
    return vortest::ElementsOf(best);
}

// A material's working tables built by hand: kerf 0, m 0, no borders, rotation
// allowed, "Rápido", free sheet order.
struct Job {
    std::unique_ptr<OptimiserWork> work = std::make_unique<OptimiserWork>();
    CalcOptions options;

    Job()
    {
        work->status.Set(MachineState::Running);
        work->best.Reset();
        work->smallestDimension = 1;
    }

    Job& Type(CalcType type)
    {
        options.calcType = type;
        options.type = vor::ParametersOf(type);
        return *this;
    }
    Job& Rotation(bool allowed)
    {
        options.rotation = allowed ? vor::RotationChoice::Allowed : vor::RotationChoice::NotAllowed;
        return *this;
    }
    Job& Sheet(int length, int width, int quantity, int code = 1)
    {
        vor::StockList& s = work->stock;
        s.entries[++s.count] = {length, width, quantity, code};
        return *this;
    }
    Job& Piece(int length, int width, int quantity, int id = 0)
    {
        vor::PieceList& list = work->pieces;
        list.Append({id != 0 ? id : static_cast<int>(list.count + 1), length, width, quantity});
        work->totalPieces += quantity;
        return *this;
    }
    Job& Smallest(int s)
    {
        work->smallestDimension = s;
        return *this;
    }

    void Step(long entry, int key, const vor::SearchCallbacks& callbacks = {})
    {
        work->currentEntry = entry;
        vor::RunLayoutStep(*work, options, vor::MakePlacementSettings(options), key, callbacks);
    }

    std::vector<int> Ids() const
    {
        std::vector<int> ids;
        for (long i = 1; i <= work->pieces.count; ++i)
            ids.push_back(work->pieces.pieces[i].id);
        return ids;
    }
};

// ---- Piece orderings -----------------------------------------------------------

// (id: length x width, quantity) 1: 300x200 q1, 2: 200x300 q2, 3: 400x100 q1,
// 4: 100x100 q3, standing in the order 4, 3, 2, 1 that a previous key left,
// so every tie shows that the previous order is kept.
struct SortCase {
    int key;
    std::vector<int> expected;
};

TEST(SortPieces, EachKeyOnFourPiecesKeepsThePreviousOrderOnTies)
{
    const SortCase cases[] = {
        {0, {1, 2, 3, 4}},                                        // file order
        {1, {2, 1, 3, 4}},   {2, {2, 1, 4, 3}},  {3, {3, 1, 2, 4}},  // area, width, length
        {4, {3, 2, 1, 4}},   {5, {2, 1, 3, 4}},  {6, {2, 1, 3, 4}},  // L+W, A+Q, AxQ
        {7, {3, 2, 4, 1}},   {8, {2, 4, 1, 3}},                       // QxL, QxW
        {9, {4, 1, 2, 3}},   {10, {4, 3, 1, 2}},                      // increasing
        {11, {1, 2, 3, 4}},  {12, {1, 2, 4, 3}}, {19, {1, 4, 2, 3}},  // then 1<->2
        {21, {2, 3, 1, 4}},  {30, {4, 1, 3, 2}},                      // then 2<->3
        {31, {1, 3, 2, 4}},  {32, {2, 3, 4, 1}}, {33, {2, 1, 3, 4}},
        {34, {1, 2, 4, 3}},  {35, {2, 1, 4, 3}}, {40, {2, 1, 3, 4}},  // 40: area
    };
    for (const SortCase& c : cases) {
        Job job;
        job.Piece(100, 100, 3, 4).Piece(400, 100, 1, 3).Piece(200, 300, 2, 2).Piece(300, 200, 1, 1);
        vor::SortPieces(job.work->pieces, c.key, false);
        EXPECT_EQ(job.Ids(), c.expected) << "key " << c.key;
        // Sizes and quantities travel with the id.
        for (long i = 1; i <= 4; ++i) {
            const vor::Piece& p = job.work->pieces.pieces[i];
            const int quantity[] = {0, 1, 2, 1, 3};
            EXPECT_EQ(p.quantity, quantity[p.id]) << "key " << c.key;
        }
    }
}

TEST(SortPieces, ExtraPieceStaysOutOfTheSortButCountsForTheExchanges)
{
    struct Case {
        int key;
        std::vector<int> expected;
    };
    // 1: 100x100, 2: 200x200, extra (-1) 1000x1000 last.
    const Case cases[] = {
        {1, {2, 1, -1}},   // the extra piece is larger but stays last
        {21, {2, -1, 1}},  // 2<->3 moves it
        {35, {2, 1, -1}},  // 3<->4: position 4 does not exist
        {32, {2, -1, 1}},  // 2<->3, then 3<->4 skipped
    };
    for (const Case& c : cases) {
        Job job;
        job.Piece(100, 100, 1, 1).Piece(200, 200, 1, 2).Piece(1000, 1000, 900, -1);
        vor::SortPieces(job.work->pieces, c.key, true);
        EXPECT_EQ(job.Ids(), c.expected) << "key " << c.key;
    }
}

TEST(SortPieces, SortingTwiceUndoesTheExchangeOfTiedPieces)
{
    // Why a step sorts once: the second sort keeps the exchanged tie and
    // exchanges it back.
    Job job;
    job.Piece(200, 100, 1).Piece(100, 200, 1).Piece(50, 50, 1);
    vor::SortPieces(job.work->pieces, 11, false);
    EXPECT_EQ(job.Ids(), (std::vector<int>{2, 1, 3}));
    vor::SortPieces(job.work->pieces, 11, false);
    EXPECT_EQ(job.Ids(), (std::vector<int>{1, 2, 3}));

    Job step;
    step.Sheet(1000, 1000, 1).Piece(200, 100, 1).Piece(100, 200, 1).Piece(50, 50, 1);
    step.Step(1, 11);
    EXPECT_EQ(step.Ids(), (std::vector<int>{2, 1, 3}));
}

// ---- Sheet factor ---------------------------------------------------------------

TEST(SheetFactor, FreeOrderPreferredEntryAndThePositionRule)
{
    struct Case {
        std::optional<vor::SheetOrder> order;
        double step;
        long entry;
        int preferred;
        double expected;
    };
    using vor::SheetOrder;
    const Case cases[] = {
        {SheetOrder::Free, 0.2, 1, 0, 1.0},
        {SheetOrder::Free, 0.2, 3, 0, 1.0},
        {SheetOrder::Free, 0.2, 1, 2, 0.8},
        {SheetOrder::Free, 0.2, 2, 2, 1.0},
        {SheetOrder::Decreasing, 0.2, 1, 0, 0.8},   // Médio
        {SheetOrder::Decreasing, 0.05, 1, 0, 0.95}, // Fraco
        {SheetOrder::Increasing, 1.0 / 3, 1, 0, 2.0 / 3},  // Alto
        {SheetOrder::Decreasing, 0.2, 2, 0, 0.6},
        {SheetOrder::Decreasing, 0.2, 3, 0, 0.5},   // 0.4 held at 0.5
        {SheetOrder::Increasing, 1.0 / 3, 2, 3, 0.5},  // P only counts in free order
        {std::nullopt, 0.2, 1, 1, 0.8},              // no button: not "Livre"
    };
    for (const Case& c : cases) {
        CalcOptions options;
        options.sheetOrder = c.order;
        options.sheetFactorStep = c.step;
        EXPECT_NEAR(vor::SheetFactor(options, c.entry, c.preferred), c.expected, 1e-12)
            << "entry " << c.entry << " P " << c.preferred;
    }
}

// ---- Scoring -----------------------------------------------------------------

TEST(ScoreAttempt, TieChainYieldThenPiecesThenCut)
{
    struct Case {
        std::int64_t used;
        long pieces;
        std::int64_t cut;
        double factor;
        int expected;
    };
    // The best holds 50 % (plain), 3 pieces, cut 1000, on a step area of 1000.
    const Case cases[] = {
        {510, 9, 9999, 1.0, 1},  // higher yield wins whatever else
        {500, 2, 9999, 1.0, 2},  // equal yield, fewer pieces
        {500, 3, 999, 1.0, 3},   // equal pieces, shorter cut
        {500, 3, 1000, 1.0, 0},  // a full tie keeps the old best
        {500, 4, 10, 1.0, 0},    // more pieces lose before the cut is looked at
        {490, 1, 1, 1.0, 0},
        {620, 1, 1, 0.8, 0},     // 62 % x 0.8 = 49.6 does not beat the plain 50
        {630, 9, 9999, 0.8, 1},  // 50.4 does
    };
    for (const Case& c : cases) {
        Job job;
        job.Sheet(100, 10, 1);
        OptimiserWork& w = *job.work;
        w.currentEntry = 1;
        w.stepSheetArea = 1000;
        w.best.score = 50;
        w.best.pieces = 3;
        w.best.cutLength = 1000;
        w.attempt.usedArea = c.used;
        w.attempt.placedCount = c.pieces;
        for (long i = 1; i <= c.pieces; ++i)
            w.attempt.placed[i] = {0, 0, 1, 1, 1};
        w.attempt.cutLength = c.cut;
        EXPECT_EQ(vor::ScoreAttempt(w, c.factor), c.expected) << "used " << c.used;
        if (c.expected != 0) {
            // The stored score is the plain yield, without the factor.
            EXPECT_DOUBLE_EQ(w.best.score, static_cast<double>(c.used) / 10.0);
            EXPECT_EQ(w.best.pieces, c.pieces);
            EXPECT_EQ(w.best.cutLength, c.cut);
        } else {
            EXPECT_EQ(w.best.score, 50);
            EXPECT_EQ(w.best.pieces, 3);
        }
    }
}

TEST(StoreBest, TurnedSheetIsStoredInTheSheetFrame)
{
    Job job;
    job.Sheet(1000, 600, 3, 42);
    OptimiserWork& w = *job.work;
    w.currentEntry = 1;
    w.stepSheetArea = 600000;
    w.search.turnSheet = 1;
    w.attempt.placedCount = 1;
    w.attempt.placed[1] = {10, 20, 300, 500, 7};
    w.attempt.discardedCount = 2;
    w.attempt.discarded[1] = {0, 510, 600, 490};
    w.attempt.discarded[2] = {5, 6, 0, -3};  // degenerate rectangles are kept
    w.attempt.usedArea = 150000;
    w.attempt.cutLength = 1234;
    vor::StoreBest(w);
    EXPECT_EQ(Elements(w.best), (std::vector<Element>{{0, 42, 0, 0, 1000, 600},
                                                      {1, 7, 20, 10, 500, 300},
                                                      {4, 1, 510, 0, 490, 600},
                                                      {4, 2, 6, 5, -3, 0}}));
    EXPECT_DOUBLE_EQ(w.best.score, 25.0);
    EXPECT_EQ(w.best.stockEntry, 1);
    EXPECT_EQ(w.best.sheetArea, 600000);
    EXPECT_EQ(w.best.cutLength, 1234);
}

// One piece of 500 x 300 on a 1000 x 600 sheet: every attempt yields 25 %,
// so the cut length decides. Horizontal first costs 1000 + 300, vertical
// first 600 + 500, and the turned piece cut vertically 600 + 300 (attempt 2
// of A = 0, B = 0, C = 1: bit 1 asks for "turned first").
TEST(RunLayoutStep, HandWorkedSinglePieceInFreeOrder)
{
    Job job;
    job.Sheet(1000, 600, 1, 5).Piece(500, 300, 1).Smallest(300);
    std::vector<int> criteria;
    std::vector<std::int64_t> cuts;
    vor::SearchCallbacks callbacks;
    callbacks.newBest = [&](const vor::NewBest& b) {
        criteria.push_back(b.criterion);
        cuts.push_back(b.cutLength);
        EXPECT_DOUBLE_EQ(b.yield, 25.0);
        EXPECT_EQ(b.key, 1);
    };
    job.Step(1, 1, callbacks);
    EXPECT_EQ(criteria, (std::vector<int>{1, 3, 3}));
    EXPECT_EQ(cuts, (std::vector<std::int64_t>{1300, 1100, 900}));
    const OptimiserWork& w = *job.work;
    EXPECT_EQ(w.search.attemptCount, 16);
    EXPECT_EQ(w.best.cutLength, 900);
    EXPECT_EQ(w.best.pieces, 1);
    EXPECT_EQ(Elements(w.best), (std::vector<Element>{{0, 5, 0, 0, 1000, 600},
                                                      {1, 1, 0, 0, 300, 500},
                                                      {4, 1, 0, 500, 300, 100},
                                                      {4, 2, 300, 0, 700, 600}}));
}

TEST(RunLayoutStep, FactoredScoreAgainstPlainYieldKeepsTheFirstAttempt)
{
    // Decreasing order, "Médio": F = 0.8 on the first entry, so no later
    // attempt of equal yield (20 factored) reaches the stored plain 25.
    Job job;
    job.Sheet(1000, 600, 1, 5).Piece(500, 300, 1).Smallest(300);
    job.options.sheetOrder = vor::SheetOrder::Decreasing;
    job.options.sheetFactorStep = 0.2;
    int newBests = 0;
    vor::SearchCallbacks callbacks;
    callbacks.newBest = [&](const vor::NewBest&) { ++newBests; };
    job.Step(1, 1, callbacks);
    EXPECT_EQ(newBests, 1);
    EXPECT_EQ(job.work->best.cutLength, 1300);
    EXPECT_DOUBLE_EQ(job.work->best.score, 25.0);
    EXPECT_EQ(Elements(job.work->best)[1], (Element{1, 1, 0, 0, 500, 300}));
}

TEST(RunLayoutStep, BestLastsAcrossEntriesAndKeys)
{
    // Entry 1 takes both pieces (100 %); entry 2 yields less and replaces nothing.
    Job job;
    job.Sheet(1000, 600, 1).Sheet(2000, 2000, 10).Piece(500, 600, 4).Smallest(500);
    job.Step(1, 1);
    job.Step(1, 2);
    job.Step(2, 1);
    job.Step(2, 2);
    EXPECT_EQ(job.work->best.stockEntry, 1);
    EXPECT_DOUBLE_EQ(job.work->best.score, 100.0);
    EXPECT_EQ(job.work->best.pieces, 2);
}

// ---- Attempt count ----------------------------------------------------------

TEST(RunLayoutStep, AttemptCountFollowsTypeRotationAndPieces)
{
    struct Case {
        CalcType type;
        bool rotation;
        int pieces;
        int entryQuantity;
        long expected;
    };
    const Case cases[] = {
        {CalcType::Fast, true, 3, 1, 16},       {CalcType::Fast, false, 3, 1, 8},
        {CalcType::Complete, true, 3, 1, 16},   {CalcType::Complete, false, 3, 1, 8},
        {CalcType::Intensive, true, 3, 1, 1792}, {CalcType::Intensive, false, 3, 1, 896},
        {CalcType::Intensive, true, 1, 1, 128}, {CalcType::Intensive, false, 1, 1, 64},
        {CalcType::Intensive, true, 3, 0, 0},   {CalcType::Fast, true, 2, 0, 0},
    };
    for (const Case& c : cases) {
        Job job;
        job.Type(c.type).Rotation(c.rotation).Sheet(1000, 800, c.entryQuantity);
        for (int i = 0; i < c.pieces; ++i)
            job.Piece(300 + 10 * i, 200, 2);
        job.Smallest(200);
        job.Step(1, 1);
        EXPECT_EQ(job.work->search.attemptCount, c.expected)
            << "type " << static_cast<int>(c.type) << " rotation " << c.rotation << " pieces "
            << c.pieces << " quantity " << c.entryQuantity;
        EXPECT_EQ(job.work->search.totalAttempts, c.expected);
        if (c.entryQuantity > 0) {
            EXPECT_EQ(vor::AttemptsPerStep(job.options, c.pieces), c.expected);
        }
    }
}

TEST(RunLayoutStep, ProgressEvery2000AttemptsAcrossSteps)
{
    Job job;
    job.Type(CalcType::Intensive).Sheet(1000, 800, 5).Piece(300, 200, 2).Piece(310, 200, 2);
    job.Smallest(200);
    std::vector<vor::SearchProgress> reports;
    vor::SearchCallbacks callbacks;
    callbacks.progress = [&](const vor::SearchProgress& p) { reports.push_back(p); };
    for (int key = 1; key <= 3; ++key)
        job.Step(1, key, callbacks);
    EXPECT_EQ(job.work->search.totalAttempts, 3 * 1792);
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0].totalAttempts, 2000);
    EXPECT_EQ(reports[0].stepAttempts, 2000 - 1792);
    EXPECT_EQ(reports[0].key, 2);
    EXPECT_EQ(reports[1].totalAttempts, 4000);
    EXPECT_EQ(reports[1].stepAttempts, 4000 - 2 * 1792);
    EXPECT_EQ(reports[1].key, 3);
}

TEST(RunLayoutStep, AbbreviateDuringTheSearchChangesNothing)
{
    // The run flags are tested between trials only; the window may set them
    // at any progress report without changing the layout.
    auto run = [](vor::RunFlags* flags) {
        Job job;
        job.Type(CalcType::Intensive).Sheet(1000, 800, 5).Piece(300, 200, 3).Piece(310, 250, 2);
        job.Smallest(200);
        vor::SearchCallbacks callbacks;
        callbacks.progress = [flags](const vor::SearchProgress&) {
            if (flags != nullptr)
                flags->abbreviate = true;
        };
        for (int key = 1; key <= 2; ++key)
            job.Step(1, key, callbacks);
        EXPECT_TRUE(job.work->status.IsRunning());
        return std::make_pair(Elements(job.work->best), job.work->search.totalAttempts);
    };
    vor::RunFlags flags;
    const auto plain = run(nullptr);
    const auto abbreviated = run(&flags);
    EXPECT_TRUE(flags.abbreviate);
    EXPECT_EQ(plain, abbreviated);
}

TEST(RunLayoutStep, StackLimitStopsTheStepAfterThatAttempt)
{
    // A strip one piece high: every placement leaves its rectangle consumed
    // under the next, so the stack passes 590 entries in the first attempt.
    Job job;
    job.Sheet(100000, 10, 1).Piece(10, 10, 1000).Smallest(10);
    job.Step(1, 1);
    EXPECT_EQ(job.work->status.status, vor::ToInt(StatusCode::TooManyFreeRectangles));
    EXPECT_EQ(job.work->status.text, StatusCode::FreeRectangleStackFull);
    EXPECT_EQ(job.work->search.attemptCount, 1);
}

TEST(RunLayoutStep, MakesNoAllocation)
{
    Job job;
    job.Type(CalcType::Intensive).Sheet(2750, 1830, 5);
    for (int i = 0; i < 12; ++i)
        job.Piece(200 + 37 * i, 150 + 23 * i, 1 + i % 3);
    job.Smallest(150);
    job.options.material.kerf = 4;
    long reports = 0;
    vor::SearchCallbacks callbacks;
    callbacks.progress = [&reports](const vor::SearchProgress&) { ++reports; };
    callbacks.newBest = [&reports](const vor::NewBest&) { ++reports; };
    const vor::PlacementSettings placement = vor::MakePlacementSettings(job.options);
    job.work->currentEntry = 1;
    const long before = vortest::AllocationCount();
    for (int key = 1; key <= 2; ++key)
        vor::RunLayoutStep(*job.work, job.options, placement, key, callbacks);
    EXPECT_EQ(vortest::AllocationCount() - before, 0);
    EXPECT_GT(reports, 0);
}

// ---- Commit ------------------------------------------------------------------

TEST(CommitBest, RepetitionsStatisticsAndQuantities)
{
    struct Case {
        const char* name;
        int entryQuantity;
        int sheetCode;
        int quantityX, quantityY;
        long expectedExtra;
    };
    const Case cases[] = {
        {"min(10/2, 7/3) = 2", 5, 3, 10, 7, 1},
        {"an entry of one sheet never repeats", 1, 3, 10, 7, 0},
        {"limited by the entry", 2, 3, 100, 100, 1},
        {"an offcut", 9, -20, 8, 9, 2},
        {"Y used up", 9, 3, 8, 6, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Job job;
        // Pieces stand sorted (Y, Z, X): occurrences are matched by id.
        job.Sheet(1000, 500, c.entryQuantity, c.sheetCode).Sheet(3000, 3000, 50);
        job.Piece(50, 60, c.quantityY, 2).Piece(60, 70, 4, 3).Piece(100, 100, c.quantityX, 1);
        OptimiserWork& w = *job.work;
        for (long i = 1; i <= 3; ++i)
            w.pieces.repetition[i] = w.pieces.pieces[i].quantity;
        w.currentEntry = 2;  // the search ended elsewhere
        w.best.stockEntry = 1;
        w.best.cutLength = 2500;
        w.best.count = 0;
        vor::RunStatus status;
        w.best.Append({ElementType::Sheet, c.sheetCode, 0, 0, 1000, 500}, status);
        w.best.Append({ElementType::Piece, 1, 0, 0, 100, 100}, status);
        w.best.Append({ElementType::Piece, 2, 100, 0, 50, 60}, status);
        w.best.Append({ElementType::Piece, 1, 0, 100, 100, 100}, status);
        w.best.Append({ElementType::Piece, 2, 150, 0, 60, 50}, status);
        w.best.Append({ElementType::Piece, 2, 210, 0, 50, 60}, status);
        w.best.Append({ElementType::Discarded, 1, 300, 0, 700, 500}, status);
        w.best.pieces = 5;
        w.statistics.cutLength = 1.0;

        const vor::CommitResult result = vor::CommitBest(w);
        const long times = c.expectedExtra + 1;
        EXPECT_EQ(result.extraRepetitions, c.expectedExtra);
        EXPECT_FALSE(result.problem.has_value());
        EXPECT_EQ(w.best.elements[1].x, c.expectedExtra);
        EXPECT_EQ(w.statistics.sheetArea, times * 500000);
        EXPECT_EQ(w.statistics.sheetsUsed, times);
        EXPECT_EQ(w.statistics.distinctLayouts, 1);
        EXPECT_EQ(w.statistics.stockSheetsUsed, c.sheetCode >= 0 ? times : 0);
        EXPECT_EQ(w.statistics.offcutSheetsUsed, c.sheetCode < 0 ? times : 0);
        EXPECT_EQ(w.statistics.usedArea, times * (2 * 10000 + 3 * 3000));
        EXPECT_DOUBLE_EQ(w.statistics.cutLength, 3.5);  // once per layout
        EXPECT_EQ(w.stock.entries[1].quantity, c.entryQuantity - times);
        EXPECT_EQ(w.stock.entries[2].quantity, 50);
        EXPECT_EQ(w.pieces.pieces[3].quantity, c.quantityX - 2 * times);
        EXPECT_EQ(w.pieces.pieces[1].quantity, c.quantityY - 3 * times);
        EXPECT_EQ(w.pieces.pieces[2].quantity, 4);
        EXPECT_EQ(w.totalPieces, c.quantityX - 2 * times + c.quantityY - 3 * times + 4);
        EXPECT_EQ(w.smallestDimension, c.quantityY - 3 * times > 0 ? 50 : 60);  // tenths
    }
}

TEST(CommitBest, NoPieceOnlyTheExtraPieceAndNothingLeft)
{
    {
        SCOPED_TRACE("a layout without pieces");
        Job job;
        job.Sheet(1000, 500, 9).Piece(100, 100, 3);
        OptimiserWork& w = *job.work;
        w.pieces.repetition[1] = 3;
        vor::RunStatus status;
        w.best.Append({ElementType::Sheet, 1, 0, 0, 1000, 500}, status);
        EXPECT_EQ(vor::CommitBest(w).extraRepetitions, 0);
        EXPECT_EQ(w.stock.entries[1].quantity, 8);
        EXPECT_EQ(w.totalPieces, 3);
    }
    {
        SCOPED_TRACE("only the extra piece left: nothing more to place");
        Job job;
        job.Sheet(1000, 500, 1).Piece(100, 100, 2).Piece(400, 300, 900, -1);
        OptimiserWork& w = *job.work;
        w.pieces.repetition[1] = 2;
        w.pieces.repetition[2] = 900;
        vor::RunStatus status;
        w.best.Append({ElementType::Sheet, 1, 0, 0, 1000, 500}, status);
        w.best.Append({ElementType::Piece, 1, 0, 0, 100, 100}, status);
        w.best.Append({ElementType::Piece, 1, 100, 0, 100, 100}, status);
        w.best.Append({ElementType::Piece, -1, 200, 0, 400, 300}, status);
        vor::CommitBest(w);
        EXPECT_EQ(w.pieces.pieces[2].quantity, 899);
        EXPECT_EQ(w.totalPieces, 0);
        EXPECT_EQ(w.smallestDimension, 300);
        EXPECT_EQ(w.statistics.usedArea, 2 * 10000 + 120000);  // the extra piece counts
    }
    {
        SCOPED_TRACE("everything placed");
        Job job;
        job.Sheet(1000, 500, 4).Piece(100, 100, 2);
        OptimiserWork& w = *job.work;
        w.pieces.repetition[1] = 2;
        vor::RunStatus status;
        w.best.Append({ElementType::Sheet, 1, 0, 0, 1000, 500}, status);
        w.best.Append({ElementType::Piece, 1, 0, 0, 100, 100}, status);
        EXPECT_EQ(vor::CommitBest(w).extraRepetitions, 1);
        EXPECT_EQ(w.totalPieces, 0);
        EXPECT_EQ(w.smallestDimension, std::numeric_limits<std::int32_t>::max());
    }
}

TEST(CommitBest, SearchedLayoutRepeatsOnTheBestEntry)
{
    struct Case {
        int firstEntryQuantity;
        long expectedExtra;
    };
    // Two pieces of 500 x 600 fill entry 1 exactly; 4 pieces allow 2 repetitions.
    for (const Case c : {Case{5, 1}, Case{1, 0}}) {
        Job job;
        job.Sheet(1000, 600, c.firstEntryQuantity).Sheet(2000, 2000, 10).Piece(500, 600, 4);
        job.Smallest(500);
        for (long entry = 1; entry <= 2; ++entry)
            for (int key = 1; key <= 2; ++key)
                job.Step(entry, key);
        ASSERT_EQ(job.work->best.stockEntry, 1);
        const vor::CommitResult result = vor::CommitBest(*job.work);
        EXPECT_EQ(result.extraRepetitions, c.expectedExtra);
        EXPECT_EQ(job.work->stock.entries[1].quantity,
                  c.firstEntryQuantity - c.expectedExtra - 1);
        EXPECT_EQ(job.work->stock.entries[2].quantity, 10);
        EXPECT_EQ(job.work->pieces.pieces[1].quantity, 4 - 2 * (c.expectedExtra + 1));
    }
}

TEST(CommitBest, WritesTheTemporaryLayoutFileWithItsRepetitions)
{
    vortest::TempDir dir;
    const vor::DataFolders folders = vor::MakeDataFolders(dir.path());
    std::filesystem::create_directories(folders.mont);

    Job job;
    job.Sheet(1000, 600, 5, 12).Piece(500, 600, 4).Smallest(500);
    job.work->layoutNumber = 3;
    job.Step(1, 1);
    const vor::CommitResult result =
        vor::CommitBest(*job.work, vor::TempLayoutFileWriter(folders, 77));
    EXPECT_FALSE(result.problem.has_value());
    const auto contents = vor::ReadLayoutFileContents(vor::TempLayoutFile(folders, 3, 77));
    ASSERT_TRUE(contents.has_value());
    ASSERT_GE(contents->lines.size(), 3u);
    EXPECT_EQ(contents->lines[0].type, 0);
    EXPECT_EQ(contents->lines[0].code, 12);
    EXPECT_EQ(contents->lines[0].x, 1);  // two sheets cut with this layout
    EXPECT_EQ(contents->lines[1].type, 1);
    EXPECT_EQ(contents->lines[2].type, 1);

    // A file that cannot be written is reported and the commit goes on.
    Job other;
    other.Sheet(1000, 600, 5, 12).Piece(500, 600, 4).Smallest(500);
    other.Step(1, 1);
    const vor::DataFolders missing = vor::MakeDataFolders(dir.path() / "nowhere");
    const vor::CommitResult failed =
        vor::CommitBest(*other.work, vor::TempLayoutFileWriter(missing, 77));
    ASSERT_TRUE(failed.problem.has_value());
    EXPECT_EQ(failed.problem->code, 3003);
    EXPECT_EQ(other.work->pieces.pieces[1].quantity, 0);
    EXPECT_EQ(other.work->stock.entries[1].quantity, 3);
}

// ---- Seeded instances --------------------------------------------------------

struct Instance {
    CalcOptions options;
    struct Sheet {
        int length, width, quantity, code;
    };
    std::vector<Sheet> sheets;
    struct Demand {
        int length, width, quantity;
    };
    std::vector<Demand> pieces;
};

Instance MakeInstance(unsigned seed)
{
    std::mt19937 rng(seed);
    auto pick = [&rng](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(rng);
    };
    Instance in;
    CalcOptions& o = in.options;
    o.material.kerf = pick(0, 2) * 20;
    o.material.minimumStrip = pick(0, 1) * 50;
    o.edgeCutsAllowed = pick(0, 3) != 0;
    o.rotation = pick(0, 2) == 0 ? vor::RotationChoice::NotAllowed : vor::RotationChoice::Allowed;
    o.complexity = static_cast<vor::CutComplexity>(pick(0, 2));
    o.firstCut = static_cast<vor::FirstCut>(pick(0, 2));
    o.firstCutScope = pick(0, 3) == 0 ? vor::FirstCutScope::AllCuts : vor::FirstCutScope::FirstOnly;
    o.sheetOrder = static_cast<vor::SheetOrder>(pick(0, 2));
    o.sheetBorders = {pick(0, 1) * 100, pick(0, 1) * 50, pick(0, 1) * 100, 0};
    if (seed % 7 == 0) {
        o.calcType = CalcType::Intensive;
        o.type = vor::ParametersOf(CalcType::Intensive);
    }
    const int sheetCount = pick(1, 3);
    for (int i = 0; i < sheetCount; ++i)
        in.sheets.push_back({pick(8000, 28000), pick(6000, 18000), pick(1, 6), i % 2 == 0 ? i + 1 : -10 * i});
    const int lines = pick(1, 9);
    for (int i = 0; i < lines; ++i)
        in.pieces.push_back({pick(300, 7000), pick(300, 5000), pick(1, 8)});
    return in;
}

// One trial of a material, as the state machine runs it: for each layout,
// every entry with keys 1 and 2, then the commit, until nothing is left.
struct TrialResult {
    std::vector<std::vector<Element>> layouts;
    long long attempts = 0;
    int status = 0;
};

TrialResult RunTrial(const Instance& in, int threshold, int heuristic)
{
    auto work = std::make_unique<OptimiserWork>();
    OptimiserWork& w = *work;
    for (const auto& s : in.sheets)
        w.stock.entries[++w.stock.count] = {s.length, s.width, s.quantity, s.code};
    std::int32_t smallest = std::numeric_limits<std::int32_t>::max();
    for (const auto& p : in.pieces) {
        w.pieces.Append({static_cast<int>(w.pieces.count + 1), p.length, p.width, p.quantity});
        w.totalPieces += p.quantity;
        smallest = std::min({smallest, p.length / 10, p.width / 10});  // millimetres
    }
    w.smallestDimension = smallest;
    w.trial.threshold = threshold;
    w.trial.heuristic = heuristic;
    w.status.Set(MachineState::Running);
    w.best.Reset();
    const vor::PlacementSettings placement = vor::MakePlacementSettings(in.options);

    TrialResult result;
    for (w.layoutNumber = 1; w.layoutNumber <= vor::kLayoutLimit; ++w.layoutNumber) {
        for (w.currentEntry = 1; w.currentEntry <= w.stock.count; ++w.currentEntry) {
            for (int key = 1; key <= 2 && w.status.IsRunning(); ++key)
                vor::RunLayoutStep(w, in.options, placement, key);
        }
        if (!w.status.IsRunning() || w.status.text != StatusCode::None || w.best.pieces == 0)
            break;
        vor::CommitBest(w);
        result.layouts.push_back(Elements(w.best));
        if (w.totalPieces <= 0)
            break;
        w.best.Reset();
    }
    result.attempts = w.search.totalAttempts;
    result.status = w.status.status;
    return result;
}

bool Guillotine(const std::vector<Element>& pieces, int kerf)
{
    return vortest::GuillotineStages(pieces, kerf) >= 0;
}

TEST(SeededInstances, GuillotineCheckerRefusesAPinwheel)
{
    // Four pieces around a hole: no full cut crosses no piece.
    const std::vector<Element> pinwheel = {{1, 1, 0, 0, 20, 10},
                                           {1, 2, 20, 0, 10, 20},
                                           {1, 3, 10, 20, 20, 10},
                                           {1, 4, 0, 10, 10, 20}};
    EXPECT_FALSE(Guillotine(pinwheel, 0));
    const std::vector<Element> rows = {{1, 1, 0, 0, 20, 10}, {1, 2, 24, 0, 10, 10},
                                       {1, 3, 0, 14, 30, 10}};
    EXPECT_TRUE(Guillotine(rows, 4));
    EXPECT_FALSE(Guillotine(rows, 5));  // the kerf band would cross a piece
}

TEST(SeededInstances, ValidatorNamesEachKindOfFault)
{
    vortest::CheckInput input;
    input.kerf = 4;
    input.mayRotate = false;
    input.pieces = {{1, 500, 300, 2}};
    input.sheets = {{7, 1}};
    const Element sheet{0, 7, 0, 0, 1010, 600};
    struct Case {
        std::vector<vortest::CheckedLayout> layouts;
        const char* fault;  // a word the first fault holds; empty: sound
    };
    const Case cases[] = {
        {{{sheet, {1, 1, 0, 0, 500, 300}, {1, 1, 504, 0, 500, 300}}}, ""},
        {{{sheet, {1, 1, 0, 0, 500, 300}, {1, 1, 502, 0, 500, 300}}}, "kerf"},
        {{{sheet, {1, 1, 600, 0, 500, 300}}}, "leaves"},
        {{{sheet, {1, 1, 0, 0, 300, 500}}}, "wrong size"},
        {{{sheet, {1, 2, 0, 0, 500, 300}}}, "not asked"},
        {{{Element{0, 7, 1, 0, 1010, 600}, {1, 1, 0, 0, 500, 300}, {1, 1, 504, 0, 500, 300}}},
         "placed more"},
        {{{sheet}, {sheet}}, "used more"},
    };
    for (const Case& c : cases) {
        const std::vector<std::string> faults = vortest::ValidateLayouts(c.layouts, input);
        if (std::string(c.fault).empty())
            EXPECT_TRUE(faults.empty()) << faults.front();
        else
            EXPECT_TRUE(!faults.empty() && faults.front().find(c.fault) != std::string::npos)
                << c.fault << ": " << (faults.empty() ? "none" : faults.front());
    }
    // Two rows of pieces cut once across and then along: two stages.
    EXPECT_EQ(vortest::GuillotineStages({{1, 1, 0, 0, 20, 10}, {1, 2, 24, 0, 10, 10},
                                         {1, 3, 0, 14, 30, 10}}, 4), 2);
    EXPECT_EQ(vortest::GuillotineStages({{1, 1, 0, 0, 20, 10}}, 4), 0);
}

void ExpectValid(const Instance& in, const TrialResult& result, unsigned seed)
{
    vortest::CheckInput check;
    check.borders = in.options.EffectiveSheetBorders();
    check.kerf = in.options.material.kerf;
    check.mayRotate = in.options.RotationAllowed();
    for (std::size_t i = 0; i < in.pieces.size(); ++i)
        check.pieces.push_back({static_cast<int>(i + 1), in.pieces[i].length, in.pieces[i].width,
                                in.pieces[i].quantity});
    for (const auto& sheet : in.sheets)
        check.sheets.push_back({sheet.code, sheet.quantity});
    const std::vector<std::string> faults = vortest::ValidateLayouts(result.layouts, check);
    EXPECT_TRUE(faults.empty()) << "seed " << seed << ": " << (faults.empty() ? "" : faults[0]);
}

TEST(SeededInstances, LayoutsAreValidAndRepeatable)
{
    long layouts = 0;
    for (unsigned seed = 1; seed <= 120; ++seed) {
        const Instance in = MakeInstance(seed);
        const int threshold = static_cast<int>(seed % 3);
        const int heuristic = static_cast<int>(seed % 2);
        const TrialResult first = RunTrial(in, threshold, heuristic);
        ExpectValid(in, first, seed);
        const TrialResult second = RunTrial(in, threshold, heuristic);
        EXPECT_EQ(first.layouts, second.layouts) << "seed " << seed;
        EXPECT_EQ(first.attempts, second.attempts) << "seed " << seed;
        layouts += static_cast<long>(first.layouts.size());
        if (HasFailure())
            break;
    }
    EXPECT_GT(layouts, 120);
}

}  // namespace
