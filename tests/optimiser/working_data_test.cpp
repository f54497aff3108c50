#include "vorplan/optimiser/working_data.h"

#include <gtest/gtest.h>

#include <memory>

#include "vorplan/common/errors.h"

namespace {

using vor::OptimiserWork;
using vor::StatusCode;

static_assert(decltype(vor::StockList::entries)::kCapacity == 504);
static_assert(decltype(vor::PieceList::pieces)::kCapacity == 1102);
static_assert(decltype(vor::PieceList::working)::kCapacity == 1110);
static_assert(decltype(vor::AttemptState::placed)::kCapacity == 1210);
static_assert(decltype(vor::AttemptState::stack)::kCapacity == 610);
static_assert(decltype(vor::AttemptState::preferenceBits)::kCapacity == 610);
static_assert(decltype(vor::AttemptState::discarded)::kCapacity == 1110);
static_assert(decltype(vor::BestLayout::elements)::kCapacity == 3310);

// One fixed-capacity table: how to add one entry numbered n, how many it
// counts, what crossing its capacity sets, and the room it has beyond that
// (0: past the capacity nothing more is stored, and nothing throws).
struct Boundary {
    const char* name;
    long capacity;
    long room;
    void (*add)(OptimiserWork&, long n);
    long (*count)(const OptimiserWork&);
    long (*storedTag)(const OptimiserWork&, long index);
    int status;
    StatusCode text;
};

const Boundary kBoundaries[] = {
    {"stock entries", 500, 0,
     [](OptimiserWork& w, long n) { w.stock.Append({10, 10, 1, static_cast<std::int32_t>(n)}, w.status); },
     [](const OptimiserWork& w) { return w.stock.count; },
     [](const OptimiserWork& w, long i) { return long{w.stock.entries[i].code}; },
     0, StatusCode::TooManySheets},
    {"placed pieces", 1189, 1210,
     [](OptimiserWork& w, long n) { w.attempt.Place({0, 0, 1, 1, static_cast<std::int32_t>(n)}, w.status); },
     [](const OptimiserWork& w) { return w.attempt.placedCount; },
     [](const OptimiserWork& w, long i) { return long{w.attempt.placed[i].id}; },
     5, StatusCode::None},
    {"free-rectangle stack", 590, 610,
     [](OptimiserWork& w, long n) { w.attempt.Push({static_cast<std::int32_t>(n), 0, 1, 1, false}, w.status); },
     [](const OptimiserWork& w) { return w.attempt.top; },
     [](const OptimiserWork& w, long i) { return long{w.attempt.stack[i].x}; },
     6, StatusCode::FreeRectangleStackFull},
    {"discarded rectangles", 1100, 1110,
     [](OptimiserWork& w, long n) { w.attempt.Discard({static_cast<std::int32_t>(n), 0, 1, 1}, w.status); },
     [](const OptimiserWork& w) { return w.attempt.discardedCount; },
     [](const OptimiserWork& w, long i) { return long{w.attempt.discarded[i].x}; },
     0, StatusCode::TooManyDiscarded},
    {"layout elements", 3290, 3310,
     [](OptimiserWork& w, long n) {
         w.best.Append({vor::ElementType::Piece, static_cast<std::int32_t>(n), 0, 0, 1, 1}, w.status);
     },
     [](const OptimiserWork& w) { return w.best.count; },
     [](const OptimiserWork& w, long i) { return long{w.best.elements[i].code}; },
     0, StatusCode::TooManyLayoutElements},
};

TEST(WorkingTables, EachCapacityHoldsExactlyAndItsOverflowGivesTheNamedStatus)
{
    for (const Boundary& b : kBoundaries) {
        SCOPED_TRACE(b.name);
        auto w = std::make_unique<OptimiserWork>();
        for (long n = 1; n <= b.capacity; ++n)
            b.add(*w, n);
        EXPECT_EQ(b.count(*w), b.capacity);
        EXPECT_EQ(w->status.status, 0);
        EXPECT_EQ(w->status.text, StatusCode::None);
        EXPECT_EQ(b.storedTag(*w, b.capacity), b.capacity);

        b.add(*w, b.capacity + 1);
        EXPECT_EQ(b.count(*w), b.capacity + 1);
        EXPECT_EQ(w->status.status, b.status);
        EXPECT_EQ(w->status.text, b.text);

        if (b.room == 0) {
            // Counted at 501 but never stored, whatever follows.
            EXPECT_EQ(b.storedTag(*w, b.capacity + 1), 0);
            b.add(*w, b.capacity + 2);
            EXPECT_EQ(b.count(*w), b.capacity + 1);
            continue;
        }
        EXPECT_EQ(b.storedTag(*w, b.capacity + 1), b.capacity + 1);
        for (long n = b.capacity + 2; n <= b.room; ++n)
            b.add(*w, n);
        EXPECT_EQ(b.count(*w), b.room);
        // Past the table's room: a range error, and the table is as it was.
        EXPECT_THROW(b.add(*w, b.room + 1), vor::RangeError);
        EXPECT_EQ(b.count(*w), b.room);
    }
}

TEST(WorkingTables, PieceListReachingItsCapacityGivesText19)
{
    auto w = std::make_unique<OptimiserWork>();
    for (long n = 1; n <= vor::kPieceLineLimit; ++n)
        w->pieces.Append({static_cast<std::int32_t>(n), 10, 10, 1});
    EXPECT_TRUE(w->pieces.HasRoom());
    w->pieces.CheckCount(w->status);
    EXPECT_EQ(w->status.text, StatusCode::None);

    w->pieces.Append({-1, 1000, 1000, vor::kExtraPieceQuantity});
    EXPECT_FALSE(w->pieces.HasRoom());
    w->pieces.CheckCount(w->status);
    EXPECT_EQ(w->status.text, StatusCode::TooManyPieceLines);

    w->pieces.Append({1101, 1, 1, 1});
    w->pieces.Append({1102, 1, 1, 1});
    EXPECT_THROW(w->pieces.Append({1103, 1, 1, 1}), vor::RangeError);
    EXPECT_EQ(w->pieces.count, 1102);
}

TEST(WorkingTables, LayoutNumbersStopAt900)
{
    EXPECT_TRUE(vor::MayAddLayout(1));
    EXPECT_TRUE(vor::MayAddLayout(899));
    EXPECT_FALSE(vor::MayAddLayout(900));
    EXPECT_FALSE(vor::MayAddLayout(901));
}

TEST(WorkingTables, EmptyStackAndDiscardedListRefuseToShrink)
{
    auto w = std::make_unique<OptimiserWork>();
    EXPECT_TRUE(w->attempt.Empty());
    EXPECT_THROW(w->attempt.Pop(), vor::RangeError);
    EXPECT_THROW(w->attempt.Top(), vor::RangeError);
    EXPECT_THROW(w->attempt.RemoveLastDiscarded(), vor::RangeError);

    w->attempt.Push({1, 2, 3, 4, false}, w->status);
    w->attempt.Push({5, 6, 7, 8, true}, w->status);
    EXPECT_EQ(w->attempt.Top().x, 5);
    w->attempt.Pop();
    EXPECT_EQ(w->attempt.Top().x, 1);
    EXPECT_EQ(w->attempt.deepestStack, 2);
}

TEST(WorkingTables, ResetsGiveTheStartingValues)
{
    auto w = std::make_unique<OptimiserWork>();
    w->attempt.Place({0, 0, 10, 20, 1}, w->status);
    w->attempt.Discard({0, 0, 1, 1}, w->status);
    w->attempt.Push({0, 0, 1, 1, false}, w->status);
    w->attempt.usedArea = 200;
    w->attempt.cutLength = 30;
    w->attempt.ResetCounters();
    EXPECT_EQ(w->attempt.placedCount, 0);
    EXPECT_EQ(w->attempt.discardedCount, 0);
    EXPECT_EQ(w->attempt.usedArea, 0);
    EXPECT_EQ(w->attempt.cutLength, 0);
    EXPECT_EQ(w->attempt.deepestStack, 0);

    w->best.Append({vor::ElementType::Sheet, 1, 0, 0, 27500, 18300}, w->status);
    w->best.pieces = 4;
    w->best.score = 88.5;
    w->best.stockEntry = 3;
    w->best.Reset();
    EXPECT_EQ(w->best.count, 0);
    EXPECT_EQ(w->best.pieces, 0);
    EXPECT_EQ(w->best.usedArea, 0);
    EXPECT_EQ(w->best.cutLength, 10'000'000);
    EXPECT_EQ(w->best.score, 0);
    EXPECT_EQ(w->best.sheetArea, 100'000'000);
    EXPECT_EQ(w->best.stockEntry, 1);
}

TEST(RunFlags, ClosingAlsoEndsTheWaitForOk)
{
    vor::RunFlags flags;
    flags.abbreviate = true;
    flags.RequestClose();
    EXPECT_TRUE(flags.closing);
    EXPECT_TRUE(flags.ok);
    flags.Clear();
    EXPECT_FALSE(flags.abbreviate);
    EXPECT_FALSE(flags.ok);
    EXPECT_FALSE(flags.closing);
}

}  // namespace
