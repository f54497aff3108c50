#include "vorplan/optimiser/placement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <new>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "tests/support/allocation_counter.h"

namespace {

using vor::CalcOptions;
using vor::CutComplexity;
using vor::FillResult;
using vor::FillSheet;
using vor::FirstCut;
using vor::FirstCutScope;
using vor::MachineState;
using vor::OptimiserWork;
using vor::PlacementSettings;
using vor::StatusCode;

// ---- Helpers -------------------------------------------------------------------

struct Box {
    int x = 0, y = 0, l = 0, h = 0;
    bool operator==(const Box&) const = default;
};

struct Placed {
    int id = 0, x = 0, y = 0, l = 0, h = 0;
    bool operator==(const Placed&) const = default;
};

void PrintTo(const Box& b, std::ostream* os)
{
    *os << "(" << b.x << ", " << b.y << ", " << b.l << ", " << b.h << ")";
}

void PrintTo(const Placed& p, std::ostream* os)
{
    *os << "#" << p.id << " (" << p.x << ", " << p.y << ", " << p.l << ", " << p.h << ")";
}

// One attempt on a stack built by hand: pieces in the order given, the search
// indices at pass 1, criterion 1, A = B = C = 0, T = M = 0, all orientation
// bits 0; kerf 0, m 0, rotation allowed, first cut "Livre", "Complexo".
struct Job {
    std::unique_ptr<OptimiserWork> work = std::make_unique<OptimiserWork>();
    PlacementSettings settings;

    Job()
    {
        work->status.Set(MachineState::Running);
        work->smallestDimension = 1;
        work->attempt.preferenceBits.Fill(0);
    }

    Job& Piece(int id, int length, int width, int quantity)
    {
        vor::PieceList& list = work->pieces;
        list.Append({id, length, width, quantity});
        list.working[list.count] = quantity;
        return *this;
    }
    Job& Free(int x, int y, int l, int h, bool consumed = false)
    {
        work->attempt.Push({x, y, l, h, consumed}, work->status);
        return *this;
    }
    Job& Discarded(int x, int y, int l, int h)
    {
        work->attempt.Discard({x, y, l, h}, work->status);
        return *this;
    }
    Job& Mode(int c, int b)
    {
        work->search.cutDirection = c;
        work->search.splitVariant = b;
        return *this;
    }
    Job& Kerf(int k)
    {
        settings.kerf = k;
        return *this;
    }
    Job& Smallest(int s)
    {
        work->smallestDimension = s;
        return *this;
    }

    FillResult Fill() { return FillSheet(*work, settings); }

    std::vector<Placed> PlacedList() const
    {
        std::vector<Placed> out;
        for (long i = 1; i <= work->attempt.placedCount; ++i) {
            const vor::PlacedPiece& p = work->attempt.placed[i];
            out.push_back({p.id, p.x, p.y, p.length, p.width});
        }
        return out;
    }
    std::vector<Box> DiscardedList() const
    {
        std::vector<Box> out;
        for (long i = 1; i <= work->attempt.discardedCount; ++i) {
            const vor::Rectangle& r = work->attempt.discarded[i];
            out.push_back({r.x, r.y, r.length, r.height});
        }
        return out;
    }
};

// The split of a single placement, read from the rectangle filled next: with
// B = 1 it is the one right of the piece, full height after a vertical cut.
char FirstSplit(const Job& job, int rectangleHeight)
{
    const std::vector<Box> d = job.DiscardedList();
    return !d.empty() && d.front().h == rectangleHeight ? 'V' : 'H';
}

// ---- Settings from the options ------------------------------------------------

TEST(PlacementSettings, TakeTheOptionsAsTheButtonsStand)
{
    struct Case {
        const char* name;
        std::optional<FirstCut> firstCut;
        std::optional<CutComplexity> complexity;
        bool simplify;
        bool merge;
    };
    const Case cases[] = {
        {"Livre, Complexo", FirstCut::Free, CutComplexity::Complex, false, true},
        {"Livre, Médio", FirstCut::Free, CutComplexity::Medium, true, true},
        {"Livre, Fácil", FirstCut::Free, CutComplexity::Easy, true, false},
        {"Livre, no complexity checked", FirstCut::Free, std::nullopt, true, true},
        {"Vertical, Médio", FirstCut::Vertical, CutComplexity::Medium, false, false},
        {"no first cut checked", std::nullopt, CutComplexity::Medium, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CalcOptions options;
        options.firstCut = c.firstCut;
        options.complexity = c.complexity;
        const PlacementSettings s = vor::MakePlacementSettings(options);
        EXPECT_EQ(s.simplifyBottomRow, c.simplify);
        EXPECT_EQ(s.mergeDiscarded, c.merge);
        EXPECT_EQ(s.firstCut, c.firstCut);
    }

    CalcOptions options;
    options.material.kerf = 4;
    options.material.minimumStrip = 10;
    options.material.mayRotate = true;
    options.material.cutLengthLimited = true;
    options.material.cutLengthLimit = 2500;
    options.edgeCutsAllowed = false;
    options.rotation = vor::RotationChoice::NotAllowed;
    options.firstCutScope = FirstCutScope::AllCuts;
    const PlacementSettings s = vor::MakePlacementSettings(options);
    EXPECT_EQ(s.kerf, 4);
    EXPECT_EQ(s.minimumStrip, 10);
    EXPECT_EQ(s.edgeMargin, 4);
    EXPECT_FALSE(s.rotationAllowed);
    EXPECT_TRUE(s.firstCutOnAllCuts);
    EXPECT_TRUE(s.cutLengthLimited);
    EXPECT_EQ(s.cutLengthLimit, 2500);

    options.edgeCutsAllowed = true;
    options.rotation = vor::RotationChoice::AsConfigured;
    EXPECT_EQ(vor::MakePlacementSettings(options).edgeMargin, 0);
    EXPECT_TRUE(vor::MakePlacementSettings(options).rotationAllowed);
}

// ---- One piece on one sheet ----------------------------------------------------

TEST(Placement, OnePieceFitsOrNot)
{
    struct Case {
        const char* name;
        int sheetL, sheetH;
        int a, b;
        int kerf, minimum;
        bool edgeCuts, rotation;
        bool placed;
        int placedL, placedW;
    };
    const Case cases[] = {
        {"exact fit whatever the margins", 100, 50, 100, 50, 4, 10, false, false, true, 100, 50},
        {"too large both ways", 100, 50, 120, 10, 0, 0, true, true, false, 0, 0},
        {"fits only turned", 100, 50, 50, 100, 0, 0, true, true, true, 100, 50},
        {"fits only turned, rotation off", 100, 50, 50, 100, 0, 0, true, false, false, 0, 0},
        {"leftover 9 below m + g = 10", 209, 100, 200, 100, 4, 10, true, false, false, 0, 0},
        {"leftover 10 reaches m", 210, 100, 200, 100, 4, 10, true, false, true, 200, 100},
        {"leftover 13 below m + k with edge cuts off", 213, 100, 200, 100, 4, 10, false, false,
         false, 0, 0},
        {"leftover 14 with edge cuts off", 214, 100, 200, 100, 4, 10, false, false, true, 200, 100},
        {"leftover 9 across", 200, 109, 200, 100, 4, 10, true, true, false, 0, 0},
        {"normal leaves 9, turned fits exactly across", 209, 200, 200, 100, 4, 10, true, true, true,
         100, 200},
        {"normal leaves 9, turned not allowed", 209, 200, 200, 100, 4, 10, true, false, false, 0, 0},
        {"an overhang never fits, whatever m", 100, 50, 103, 50, 0, -5, true, false, false, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Job job;
        job.Piece(7, c.a, c.b, 1).Free(0, 0, c.sheetL, c.sheetH).Kerf(c.kerf);
        job.settings.minimumStrip = c.minimum;
        job.settings.edgeMargin = c.edgeCuts ? 0 : c.kerf;
        job.settings.rotationAllowed = c.rotation;
        job.Fill();

        EXPECT_TRUE(job.work->attempt.Empty());
        if (c.placed) {
            EXPECT_EQ(job.PlacedList(), (std::vector<Placed>{{7, 0, 0, c.placedL, c.placedW}}));
            EXPECT_EQ(job.work->pieces.working[1], 0);
            EXPECT_EQ(job.work->attempt.usedArea, std::int64_t{c.placedL} * c.placedW);
        } else {
            EXPECT_TRUE(job.PlacedList().empty());
            EXPECT_EQ(job.DiscardedList(), (std::vector<Box>{{0, 0, c.sheetL, c.sheetH}}));
            EXPECT_EQ(job.work->pieces.working[1], 1);
            EXPECT_TRUE(job.work->search.alternation);  // one failed try
        }
        EXPECT_TRUE(job.work->status.IsRunning());
        EXPECT_EQ(job.work->status.text, StatusCode::None);
    }
}

TEST(Placement, ZeroAndNegativeLeftoversEndInTheDiscardedList)
{
    // An exact fit leaves two children of size 0 (kerf 0) or -k; they are
    // pushed, fail every try and are discarded top first.
    struct Case {
        int kerf;
        std::vector<Box> discarded;
    };
    const Case cases[] = {
        {4, {{0, 54, 100, -4}, {104, 0, -4, 50}}},
        {0, {{0, 50, 100, 0}, {100, 0, 0, 50}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kerf);
        Job job;
        job.Piece(1, 100, 50, 1).Free(0, 0, 100, 50).Kerf(c.kerf).Smallest(50);
        job.Fill();
        EXPECT_EQ(job.PlacedList(), (std::vector<Placed>{{1, 0, 0, 100, 50}}));
        EXPECT_EQ(job.DiscardedList(), c.discarded);
        EXPECT_EQ(job.work->attempt.cutLength, 0);  // neither cut starts inside the rectangle
        EXPECT_EQ(job.work->attempt.deepestStack, 3);
        EXPECT_TRUE(job.work->attempt.Empty());
        EXPECT_FALSE(job.work->search.alternation);  // two failed tries
    }
}

// ---- Split modes, cut lengths, cut direction -------------------------------------

TEST(Placement, EachSplitModeGivesItsChildrenAndCutLength)
{
    // Rectangle (20, 30, 1000, 600), piece 300 x 200, kerf 4. The rectangle
    // pushed second is filled next, so it is discarded first.
    struct Case {
        const char* mode;
        int c, b;
        bool turned;
        Placed piece;
        Box firstPushed, secondPushed;
        long long cut;
    };
    const Case cases[] = {
        {"1", 1, 1, false, {5, 20, 30, 300, 200}, {20, 234, 300, 396}, {324, 30, 696, 600}, 900},
        {"2", 1, 0, false, {5, 20, 30, 300, 200}, {324, 30, 696, 600}, {20, 234, 300, 396}, 900},
        {"3", 0, 1, false, {5, 20, 30, 300, 200}, {20, 234, 1000, 396}, {324, 30, 696, 200}, 1200},
        {"4", 0, 0, false, {5, 20, 30, 300, 200}, {324, 30, 696, 200}, {20, 234, 1000, 396}, 1200},
        {"3 from C = 2", 2, 1, false, {5, 20, 30, 300, 200}, {20, 234, 1000, 396},
         {324, 30, 696, 200}, 1200},
        {"5", 1, 1, true, {5, 20, 30, 200, 300}, {20, 334, 200, 296}, {224, 30, 796, 600}, 800},
        {"6", 1, 0, true, {5, 20, 30, 200, 300}, {224, 30, 796, 600}, {20, 334, 200, 296}, 800},
        {"7", 0, 1, true, {5, 20, 30, 200, 300}, {20, 334, 1000, 296}, {224, 30, 796, 300}, 1300},
        {"8", 0, 0, true, {5, 20, 30, 200, 300}, {224, 30, 796, 300}, {20, 334, 1000, 296}, 1300},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        Job job;
        job.Piece(5, 300, 200, 1).Free(20, 30, 1000, 600).Kerf(4).Mode(c.c, c.b).Smallest(10);
        job.work->attempt.preferenceBits[1] = c.turned ? 1 : 0;
        job.Fill();
        EXPECT_EQ(job.PlacedList(), std::vector<Placed>{c.piece});
        EXPECT_EQ(job.DiscardedList(), (std::vector<Box>{c.secondPushed, c.firstPushed}));
        EXPECT_EQ(job.work->attempt.cutLength, c.cut);
        EXPECT_EQ(job.work->search.cutDirection, c.c);  // the search's C is never changed
    }
}

TEST(Placement, ACutIsCountedOnlyWhenItStartsInsideTheRectangle)
{
    struct Case {
        const char* name;
        int l, h, c;
        long long cut;
    };
    const Case cases[] = {
        {"full length, vertical first", 300, 600, 1, 300},
        {"full length, horizontal first", 300, 600, 0, 300},
        {"full height, vertical first", 1000, 200, 1, 200},
        {"full height, horizontal first", 1000, 200, 0, 200},
        {"whole rectangle", 300, 200, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Job job;
        job.Piece(1, 300, 200, 1).Free(0, 0, c.l, c.h).Kerf(4).Mode(c.c, 1).Smallest(10);
        job.settings.rotationAllowed = false;
        job.Fill();
        ASSERT_EQ(job.work->attempt.placedCount, 1);
        EXPECT_EQ(job.work->attempt.cutLength, c.cut);
    }
}

TEST(Placement, CriterionAndAlternationChooseTheCutDirection)
{
    // C per criterion for alternation 0 / 1; -1 leaves the search's C.
    struct Row {
        int criterion;
        int normal[2];
        int turned[2];
    };
    const Row rows[] = {
        {1, {-1, -1}, {-1, -1}}, {2, {0, 1}, {0, 1}},   {3, {1, 0}, {1, 0}}, {4, {0, 1}, {1, 0}},
        {5, {1, 0}, {0, 1}},     {6, {-1, -1}, {1, 0}}, {7, {1, 0}, {-1, -1}},
    };
    for (const Row& row : rows) {
        for (int alt = 0; alt < 2; ++alt) {
            for (int turned = 0; turned < 2; ++turned) {
                for (int searchC = 0; searchC < 2; ++searchC) {
                    SCOPED_TRACE(::testing::Message() << "criterion " << row.criterion << " alt "
                                                      << alt << " turned " << turned << " C "
                                                      << searchC);
                    Job job;
                    job.Piece(1, 300, 200, 1).Free(0, 0, 1000, 600).Kerf(4).Mode(searchC, 1);
                    job.work->search.criterion = row.criterion;
                    job.work->search.alternation = alt == 1;
                    job.work->attempt.preferenceBits[1] = turned;
                    job.Fill();
                    const int expected = turned ? row.turned[alt] : row.normal[alt];
                    const int c = expected < 0 ? searchC : expected;
                    EXPECT_EQ(FirstSplit(job, 600), c == 1 ? 'V' : 'H');
                }
            }
        }
    }
}

TEST(Placement, PreferredFirstCutAndTodos)
{
    struct Case {
        const char* name;
        std::optional<FirstCut> firstCut;
        bool allCuts;
        int turnSheet, c, criterion;
        bool secondRectangle;  // a free rectangle under the top: not the first cut
        char split;
    };
    const Case cases[] = {
        {"Vertical", FirstCut::Vertical, false, 0, 0, 1, false, 'V'},
        {"Vertical on a turned sheet", FirstCut::Vertical, false, 1, 1, 1, false, 'H'},
        {"Horizontal", FirstCut::Horizontal, false, 0, 1, 1, false, 'H'},
        {"Horizontal on a turned sheet", FirstCut::Horizontal, false, 1, 0, 1, false, 'V'},
        {"Livre leaves C = 1", FirstCut::Free, false, 0, 1, 1, false, 'V'},
        {"Livre leaves C = 0", FirstCut::Free, false, 0, 0, 1, false, 'H'},
        {"no button leaves C", std::nullopt, false, 0, 1, 1, false, 'V'},
        {"only the sheet's first cut", FirstCut::Vertical, false, 0, 0, 1, true, 'H'},
        {"a criterion overrides the first cut", FirstCut::Vertical, false, 0, 1, 2, false, 'H'},
        {"Todos after the criterion", FirstCut::Vertical, true, 0, 0, 2, true, 'V'},
        {"Todos, Horizontal, turned sheet", FirstCut::Horizontal, true, 1, 0, 1, true, 'V'},
        {"Todos with Livre keeps the criterion's C", FirstCut::Free, true, 0, 0, 3, true, 'V'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Job job;
        job.Piece(1, 300, 200, 1).Kerf(4).Mode(c.c, 1);
        if (c.secondRectangle)
            job.Free(0, 700, 1000, 100);
        job.Free(0, 0, 1000, 600);
        job.settings.firstCut = c.firstCut;
        job.settings.firstCutOnAllCuts = c.allCuts;
        job.work->search.turnSheet = c.turnSheet;
        job.work->search.criterion = c.criterion;
        job.Fill();
        EXPECT_EQ(FirstSplit(job, 600), c.split);
    }
}

TEST(Placement, FreeCutLengthLimit)
{
    struct Case {
        const char* name;
        bool limited;
        int l, h, c;
        char split;
        bool shown;
    };
    const Case cases[] = {
        {"height over the limit: horizontal", true, 400, 600, 1, 'H', false},
        {"length over the limit: vertical", true, 1000, 400, 0, 'V', true},
        {"both over: length decides", true, 1000, 600, 0, 'V', true},
        {"equal to the limit is not over", true, 500, 500, 1, 'V', false},
        {"equal to the limit, C = 0", true, 500, 500, 0, 'H', false},
        {"switch off", false, 1000, 600, 0, 'H', false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Job job;
        job.Piece(1, 300, 200, 1).Free(0, 0, c.l, c.h).Kerf(4).Mode(c.c, 1);
        job.settings.cutLengthLimited = c.limited;
        job.settings.cutLengthLimit = 500;
        const FillResult result = job.Fill();
        EXPECT_EQ(FirstSplit(job, c.h), c.split);
        EXPECT_EQ(result.cutLimitApplied, c.shown);
        EXPECT_EQ(result.cutLimitLength, c.shown ? c.l : 0);
    }
}

TEST(Placement, EveryTryStartsFromTheSearchsCutDirection)
{
    // The first cut goes vertical (preferred cut, or the free-cut limit); the
    // second placement, in the right-hand rectangle, is horizontal-first again.
    struct Case {
        const char* name;
        int l, h;
        bool vertical, limited;
        long long cut;
    };
    const Case cases[] = {
        // 600 + 300 for the first, then 696 + 200 in (304, 0, 696, 600).
        {"preferred first cut", 1000, 600, true, false, 1796},
        // 400 + 300 for the first, then 496 + 200 in (304, 0, 496, 400).
        {"free-cut limit", 800, 400, false, true, 1396},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Job job;
        job.Piece(1, 300, 200, 2).Free(0, 0, c.l, c.h).Kerf(4).Mode(0, 1).Smallest(10);
        job.settings.rotationAllowed = false;
        if (c.vertical)
            job.settings.firstCut = FirstCut::Vertical;
        job.settings.cutLengthLimited = c.limited;
        job.settings.cutLengthLimit = 500;
        job.Fill();
        EXPECT_EQ(job.PlacedList(),
                  (std::vector<Placed>{{1, 0, 0, 300, 200}, {1, 304, 0, 300, 200}}));
        EXPECT_EQ(job.work->attempt.cutLength, c.cut);
    }
}

TEST(Placement, BottomRowSimplification)
{
    // Rectangle 1000 x 600 at Y 0 (or 30), piece 300 x 200, kerf 4.
    struct Case {
        const char* name;
        std::optional<CutComplexity> complexity;
        std::optional<FirstCut> firstCut;
        int y, c, b;
        bool turned;
        std::vector<Box> discarded;
        long long cut;
    };
    const std::vector<Box> mode1 = {{304, 0, 696, 600}, {0, 204, 300, 396}};
    const std::vector<Box> mode3 = {{304, 0, 696, 200}, {0, 204, 1000, 396}};
    const Case cases[] = {
        {"Médio: mode 3 becomes 1", CutComplexity::Medium, FirstCut::Free, 0, 0, 1, false, mode1, 900},
        {"Médio: mode 4 becomes 1", CutComplexity::Medium, FirstCut::Free, 0, 0, 0, false, mode1, 900},
        {"Fácil: mode 4 becomes 1", CutComplexity::Easy, FirstCut::Free, 0, 0, 0, false, mode1, 900},
        {"Médio: mode 8 becomes 5", CutComplexity::Medium, FirstCut::Free, 0, 0, 0, true,
         {{204, 0, 796, 600}, {0, 304, 200, 296}}, 800},
        {"Médio: mode 2 stays", CutComplexity::Medium, FirstCut::Free, 0, 1, 0, false,
         {{0, 204, 300, 396}, {304, 0, 696, 600}}, 900},
        {"above the bottom row", CutComplexity::Medium, FirstCut::Free, 30, 0, 1, false,
         {{304, 30, 696, 200}, {0, 234, 1000, 396}}, 1200},
        {"Complexo", CutComplexity::Complex, FirstCut::Free, 0, 0, 1, false, mode3, 1200},
        {"first cut not Livre", CutComplexity::Medium, std::nullopt, 0, 0, 1, false, mode3, 1200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CalcOptions options;
        options.complexity = c.complexity;
        options.firstCut = c.firstCut;
        options.material.kerf = 4;
        Job job;
        job.settings = vor::MakePlacementSettings(options);
        job.Piece(1, 300, 200, 1).Free(0, c.y, 1000, 600).Mode(c.c, c.b).Smallest(10);
        job.work->attempt.preferenceBits[1] = c.turned ? 1 : 0;
        job.Fill();
        EXPECT_EQ(job.DiscardedList(), c.discarded);
        EXPECT_EQ(job.work->attempt.cutLength, c.cut);
    }
}

// ---- Merging discarded rectangles ----------------------------------------------

TEST(Placement, DiscardedRectangleOnTheLeftWidensTheNextTop)
{
    // Two columns of P (300 x 400), mode 2. The strip above the first column is
    // discarded; the strip above the second absorbs it across the kerf, and Q
    // (500 x 150) then spans both columns. Without merging Q goes to the right.
    struct Case {
        const char* name;
        std::optional<CutComplexity> complexity;
        Placed q;
    };
    const Case cases[] = {
        {"Complexo merges", CutComplexity::Complex, {2, 0, 404, 500, 150}},
        {"Fácil does not", CutComplexity::Easy, {2, 608, 0, 150, 500}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CalcOptions options;
        options.complexity = c.complexity;
        options.material.kerf = 4;
        Job job;
        job.settings = vor::MakePlacementSettings(options);
        job.Piece(1, 300, 400, 2).Piece(2, 500, 150, 1).Free(0, 0, 1000, 600);
        job.Mode(1, 0).Smallest(150);
        job.Fill();
        EXPECT_EQ(job.PlacedList(),
                  (std::vector<Placed>{{1, 0, 0, 300, 400}, {1, 304, 0, 300, 400}, c.q}));
    }
}

TEST(Placement, ForcedStripStaysFirstInTheDiscardedList)
{
    // The same job above a bottom strip of 100, prepared as the sheet
    // preparation leaves it: the consumed strip under the free rest, and the
    // strip as the first discarded rectangle.
    Job job;
    job.settings.kerf = 4;
    job.Piece(1, 300, 400, 2).Piece(2, 500, 150, 1);
    job.Free(0, 0, 1000, 100, true).Discarded(0, 0, 1000, 100).Free(0, 100, 1000, 600);
    job.Mode(1, 0).Smallest(150);
    job.Fill();
    EXPECT_EQ(job.PlacedList(), (std::vector<Placed>{{1, 0, 100, 300, 400},
                                                     {1, 304, 100, 300, 400},
                                                     {2, 0, 504, 500, 150}}));
    EXPECT_EQ(job.DiscardedList(), (std::vector<Box>{{0, 0, 1000, 100},
                                                     {0, 658, 500, 42},
                                                     {504, 504, 100, 196},
                                                     {608, 100, 392, 600}}));
    EXPECT_TRUE(job.work->attempt.Empty());
}

TEST(Placement, DiscardedRectangleBelowGrowsTheNextTopDownwards)
{
    // P (300 x 200) then Q (300 x 300), mode 3. The piece-high strip right of
    // P is discarded; the rectangle right of Q sits on it across the kerf.
    struct Case {
        const char* name;
        std::optional<FirstCut> firstCut;
        std::vector<Box> discarded;
    };
    const Case cases[] = {
        {"Livre merges", FirstCut::Free, {{304, 0, 696, 504}, {0, 508, 1000, 92}}},
        {"Horizontal does not", FirstCut::Horizontal,
         {{304, 0, 696, 200}, {304, 204, 696, 300}, {0, 508, 1000, 92}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CalcOptions options;
        options.firstCut = c.firstCut;
        options.material.kerf = 4;
        Job job;
        job.settings = vor::MakePlacementSettings(options);
        job.Piece(1, 300, 200, 1).Piece(2, 300, 300, 1).Free(0, 0, 1000, 600);
        job.Mode(0, 1).Smallest(200);
        job.Fill();
        EXPECT_EQ(job.PlacedList(), (std::vector<Placed>{{1, 0, 0, 300, 200}, {2, 0, 204, 300, 300}}));
        EXPECT_EQ(job.DiscardedList(), c.discarded);
    }
}

TEST(Placement, MergeLooksLeftFirstThenBelow)
{
    // The rule alone, on rectangles set by hand. The new top after a mode 2
    // placement in (100, 100, 900, 500) is (100, 304, 300, 296).
    const Box left{0, 304, 96, 296};
    const Box below{0, 0, 400, 300};
    const Box right{404, 100, 596, 500};
    struct Case {
        const char* name;
        std::vector<Box> before;
        std::vector<Box> after;
    };
    const Case cases[] = {
        {"left, then below the widened top", {below, left}, {{0, 0, 400, 600}, right}},
        {"below is not looked at first", {left, below}, {left, below, {100, 304, 300, 296}, right}},
        {"left only", {left}, {{0, 304, 400, 296}, right}},
        {"left but not level", {{0, 300, 96, 296}}, {{0, 300, 96, 296}, {100, 304, 300, 296}, right}},
        {"left but not as high", {{0, 304, 96, 290}}, {{0, 304, 96, 290}, {100, 304, 300, 296}, right}},
        {"left but a kerf short", {{0, 304, 97, 296}}, {{0, 304, 97, 296}, {100, 304, 300, 296}, right}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Job job;
        job.Piece(1, 300, 200, 1).Free(100, 100, 900, 500).Kerf(4).Mode(1, 0).Smallest(10);
        for (const Box& b : c.before)
            job.Discarded(b.x, b.y, b.l, b.h);
        job.Fill();
        EXPECT_EQ(job.DiscardedList(), c.after);
    }
}

// ---- Piece order, orientation order and heuristics --------------------------------

TEST(Placement, PassTwoRestartsEachRectangleAtTheSecondPiece)
{
    // One row of 100 x 100 cells; A and B both 100 x 100, three of each. In
    // pass 2 A is only tried again after a failed try on B, the last piece,
    // which discards the rest of the row.
    struct Case {
        int pass;
        std::vector<Placed> placed;
        Box firstDiscarded;
    };
    const Case cases[] = {
        {1,
         {{1, 0, 0, 100, 100}, {1, 100, 0, 100, 100}, {1, 200, 0, 100, 100},
          {2, 300, 0, 100, 100}, {2, 400, 0, 100, 100}, {2, 500, 0, 100, 100}},
         {600, 0, 400, 100}},
        {2,
         {{1, 0, 0, 100, 100}, {2, 100, 0, 100, 100}, {2, 200, 0, 100, 100},
          {2, 300, 0, 100, 100}},
         {400, 0, 600, 100}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pass);
        Job job;
        job.Piece(1, 100, 100, 3).Piece(2, 100, 100, 3).Free(0, 0, 1000, 100).Mode(1, 1);
        job.Smallest(100);
        job.work->search.pass = c.pass;
        job.Fill();
        EXPECT_EQ(job.PlacedList(), c.placed);
        ASSERT_FALSE(job.DiscardedList().empty());
        EXPECT_EQ(job.DiscardedList().front(), c.firstDiscarded);
    }
}

TEST(Placement, OrientationBitsApplyPerStackPosition)
{
    // Mode 1 keeps filling the rectangle right of the last piece, so the
    // placements are made with the top at stack positions 1, 3 and 5.
    struct Case {
        const char* name;
        std::vector<long> bitsSet;
        bool rotation;
        std::vector<Placed> placed;
    };
    const Case cases[] = {
        {"positions 1 and 5 turned first", {1, 5}, true,
         {{1, 0, 0, 200, 300}, {1, 204, 0, 300, 200}, {1, 508, 0, 200, 300}}},
        {"bits of positions never on top", {2, 4}, true,
         {{1, 0, 0, 300, 200}, {1, 304, 0, 300, 200}, {1, 608, 0, 300, 200}}},
        {"rotation off never turns", {1, 3, 5}, false,
         {{1, 0, 0, 300, 200}, {1, 304, 0, 300, 200}, {1, 608, 0, 300, 200}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Job job;
        job.Piece(1, 300, 200, 3).Free(0, 0, 1000, 1000).Kerf(4).Mode(1, 1).Smallest(200);
        job.settings.rotationAllowed = c.rotation;
        for (long p : c.bitsSet)
            job.work->attempt.preferenceBits[p] = 1;
        job.Fill();
        EXPECT_EQ(job.PlacedList(), c.placed);
    }
}

TEST(Placement, ThresholdTurnsFirstOnceEnoughTriesFailed)
{
    // A piece too large for the sheet fails first on every rectangle, so the
    // failure count grows by one before each placement of A.
    struct Case {
        const char* name;
        int threshold;
        bool rotation;
        std::vector<Placed> placed;
    };
    const Case cases[] = {
        {"T = 0: by the bits", 0, true,
         {{2, 0, 0, 300, 200}, {2, 304, 0, 300, 200}, {2, 608, 0, 300, 200}}},
        {"T = 1", 1, true, {{2, 0, 0, 200, 300}, {2, 204, 0, 200, 300}, {2, 408, 0, 200, 300}}},
        {"T = 2", 2, true, {{2, 0, 0, 300, 200}, {2, 304, 0, 200, 300}, {2, 508, 0, 200, 300}}},
        {"T = 1, rotation off", 1, false,
         {{2, 0, 0, 300, 200}, {2, 304, 0, 300, 200}, {2, 608, 0, 300, 200}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Job job;
        job.Piece(1, 2000, 2000, 1).Piece(2, 300, 200, 3).Free(0, 0, 1000, 1000);
        job.Kerf(4).Mode(1, 1).Smallest(200);
        job.settings.rotationAllowed = c.rotation;
        job.work->trial.threshold = c.threshold;
        job.Fill();
        EXPECT_EQ(job.PlacedList(), c.placed);
    }
}

TEST(Placement, HeuristicSkipsPiecesCloseToTheRectangleCrosswise)
{
    // Rectangle 1000 x 600, s + k = 104. M = 1 compares the rectangle's length
    // with a piece's width and its height with the piece's length.
    struct Case {
        const char* name;
        int heuristic;
        std::vector<std::tuple<int, int, int>> pieces;  // id, length, width
        Placed first;
    };
    const Case cases[] = {
        {"M = 0 takes the first piece", 0, {{1, 550, 950}, {2, 300, 200}}, {1, 0, 0, 950, 550}},
        {"M = 1 passes over it", 1, {{1, 550, 950}, {2, 300, 200}}, {2, 0, 0, 300, 200}},
        {"M = 1, no piece qualifies", 1, {{1, 550, 950}}, {1, 0, 0, 950, 550}},
        {"M = 1, one difference is enough", 1, {{1, 550, 700}, {2, 300, 200}},
         {1, 0, 0, 700, 550}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Job job;
        for (const auto& [id, l, w] : c.pieces)
            job.Piece(id, l, w, 1);
        job.Free(0, 0, 1000, 600).Kerf(4).Smallest(100);
        job.work->trial.heuristic = c.heuristic;
        job.Fill();
        ASSERT_FALSE(job.PlacedList().empty());
        EXPECT_EQ(job.PlacedList().front(), c.first);
    }

    // A piece with nothing left is not taken, so no failed try (criterion 2
    // would then cut vertically) comes before the placement of piece 3.
    Job job;
    job.Piece(1, 550, 950, 1).Piece(2, 300, 200, 0).Piece(3, 300, 200, 1);
    job.Free(0, 0, 1000, 600).Kerf(4).Mode(0, 1).Smallest(100);
    job.work->trial.heuristic = 1;
    job.work->search.criterion = 2;
    job.Fill();
    EXPECT_EQ(job.PlacedList(), (std::vector<Placed>{{3, 0, 0, 300, 200}}));
    EXPECT_EQ(job.work->attempt.cutLength, 1200);
}

TEST(Placement, RectangleBelowSmallestPlusKerfIsDiscardedAfterOneTry)
{
    // After A (500 x 500) the rectangle right of it is 100 wide. With s = 100
    // (tenths) it is below s + k = 104 and goes after A's failed try, though
    // B would fit it exactly; with s = 10 (millimetres, before the first
    // commit) B is tried and placed.
    struct Case {
        int smallest;
        std::vector<Placed> placed;
    };
    const Case cases[] = {
        {100, {{1, 0, 0, 500, 500}}},
        {10, {{1, 0, 0, 500, 500}, {2, 504, 0, 100, 100}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.smallest);
        Job job;
        job.Piece(1, 500, 500, 2).Piece(2, 100, 100, 1).Free(0, 0, 604, 500).Kerf(4).Mode(1, 1);
        job.Smallest(c.smallest);
        job.Fill();
        EXPECT_EQ(job.PlacedList(), c.placed);
        if (c.smallest == 100) {
            EXPECT_EQ(job.DiscardedList(), (std::vector<Box>{{504, 0, 100, 500}, {0, 504, 500, -4}}));
        }
    }
}

TEST(Placement, SmallestDimensionAtIntMaxDoesNotOverflow)
{
    // The smallest dimension is INT_MAX once no piece is left. Every rectangle
    // is then below s + k: the current piece is still tried, the others not.
    Job job;
    job.Piece(1, 300, 200, 2).Free(0, 0, 1000, 600).Kerf(4).Mode(1, 1).Smallest(INT_MAX);
    job.Fill();
    EXPECT_EQ(job.PlacedList(), (std::vector<Placed>{{1, 0, 0, 300, 200}, {1, 304, 0, 300, 200}}));
    EXPECT_EQ(job.DiscardedList(),
              (std::vector<Box>{{608, 0, 392, 600}, {304, 204, 300, 396}, {0, 204, 300, 396}}));
}

// ---- The alternation flag ----------------------------------------------------------

TEST(Placement, AlternationFlagTogglesAtEveryFailedTryAndCarriesOver)
{
    // Criterion 2 cuts vertically when the flag is set.
    {
        SCOPED_TRACE("a failed try before the placement");
        Job job;
        job.Piece(1, 2000, 2000, 1).Piece(2, 300, 200, 1).Free(0, 0, 1000, 600).Kerf(4);
        job.Mode(0, 1).Smallest(10);
        job.work->search.criterion = 2;
        job.Fill();
        EXPECT_EQ(job.work->attempt.cutLength, 900);  // vertical: the flag was toggled
        // Five failed tries in all: once before A, then two per leftover.
        EXPECT_TRUE(job.work->search.alternation);
    }
    {
        SCOPED_TRACE("from one attempt to the next");
        Job job;
        job.Piece(1, 300, 200, 1).Free(0, 0, 200, 200).Kerf(4).Mode(0, 1).Smallest(10);
        job.work->search.criterion = 2;
        job.Fill();
        ASSERT_TRUE(job.PlacedList().empty());
        ASSERT_TRUE(job.work->search.alternation);

        // The next attempt of the same (pass, criterion) block starts with it.
        vor::AttemptState& attempt = job.work->attempt;
        attempt.ResetCounters();
        attempt.Push({0, 0, 1000, 600, false}, job.work->status);
        job.Fill();
        EXPECT_EQ(job.PlacedList(), (std::vector<Placed>{{1, 0, 0, 300, 200}}));
        EXPECT_EQ(attempt.cutLength, 900);
    }
    {
        SCOPED_TRACE("a piece with nothing left is passed over, not tried");
        Job job;
        job.Piece(1, 300, 200, 0).Piece(2, 300, 200, 1).Free(0, 0, 1000, 600).Kerf(4);
        job.Mode(0, 1).Smallest(10);
        job.work->search.criterion = 2;
        job.Fill();
        EXPECT_EQ(job.PlacedList(), (std::vector<Placed>{{2, 0, 0, 300, 200}}));
        EXPECT_EQ(job.work->attempt.cutLength, 1200);  // horizontal: no failed try before
    }
}

// ---- When the fill does not run --------------------------------------------------------

TEST(Placement, RunsOnlyWhileRunningWithPiecesAndNoStatusText)
{
    struct Case {
        const char* name;
        void (*set)(Job&);
    };
    const Case cases[] = {
        {"status not running", [](Job& j) { j.work->status.Set(MachineState::Commit); }},
        {"status text set", [](Job& j) { j.work->status.text = StatusCode::TooManySheets; }},
        {"no piece with quantity to place", [](Job& j) { j.work->pieces.pieces[1].quantity = 0; }},
        {"no pieces", [](Job& j) { j.work->pieces.count = 0; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Job job;
        job.Piece(1, 300, 200, 1).Free(0, 0, 1000, 600);
        c.set(job);
        job.Fill();
        EXPECT_EQ(job.work->attempt.placedCount, 0);
        EXPECT_EQ(job.work->attempt.top, 1);
        EXPECT_EQ(job.work->attempt.discardedCount, 0);
    }
}

TEST(Placement, LeftoversAreDiscardedAfterTheLastPieceIsPlaced)
{
    // The quantity to place stays above 0 during the attempt, so the fill goes
    // on until the stack is empty and every leftover is in the list.
    Job job;
    job.Piece(1, 300, 200, 1).Piece(2, 100, 100, 1).Free(0, 0, 1000, 600).Kerf(4).Mode(1, 1);
    job.Smallest(10);
    job.Fill();
    EXPECT_EQ(job.work->attempt.placedCount, 2);
    EXPECT_TRUE(job.work->attempt.Empty());
    EXPECT_EQ(job.work->attempt.discardedCount, 3);
}

// ---- Capacities ------------------------------------------------------------------

TEST(Placement, StackDeeperThan590GivesStatus6)
{
    // A row of cells filled from the right-hand rectangle: each placement
    // leaves the consumed rectangle and the strip above the piece under the
    // top, so the 295th placement pushes the 591st rectangle.
    Job job;
    job.Piece(1, 10, 10, 400).Free(0, 0, 10000, 10).Mode(1, 1).Smallest(10);
    job.Fill();
    EXPECT_EQ(job.work->status.status, vor::ToInt(StatusCode::TooManyFreeRectangles));
    EXPECT_EQ(job.work->status.text, StatusCode::FreeRectangleStackFull);
    EXPECT_EQ(job.work->attempt.placedCount, 295);
    EXPECT_EQ(job.work->attempt.top, 591);
    EXPECT_EQ(job.work->attempt.deepestStack, 591);
}

TEST(Placement, Piece1190GivesStatus5AndIsStillStored)
{
    // A 400 x 400 sheet of 10 x 10 cells cut column by column (mode 2): the
    // merges take the slivers back, so neither the stack nor the discarded
    // list fills up before the 1 190th piece.
    Job job;
    job.Piece(1, 10, 10, 1300).Free(0, 0, 400, 400).Mode(1, 0).Smallest(10);
    job.Fill();
    EXPECT_EQ(job.work->status.status, vor::ToInt(StatusCode::TooManyPiecesInLayout));
    EXPECT_EQ(job.work->status.text, StatusCode::None);
    EXPECT_EQ(job.work->attempt.placedCount, 1190);
    EXPECT_EQ(job.work->attempt.placed[1190].id, 1);
    EXPECT_EQ(job.work->pieces.working[1], 1300 - 1190);
    EXPECT_LE(job.work->attempt.deepestStack, 590);
}

TEST(Placement, DiscardedRectangle1101GivesStatusText24)
{
    // The same sheet cut row by row without merging: every cell leaves a
    // sliver, and the 1 101st discarded one stops the fill.
    Job job;
    job.Piece(1, 10, 10, 1300).Free(0, 0, 400, 400).Mode(0, 0).Smallest(10);
    job.settings.mergeDiscarded = false;
    job.Fill();
    EXPECT_EQ(job.work->status.text, StatusCode::TooManyDiscarded);
    EXPECT_TRUE(job.work->status.IsRunning());  // the material ends at its next state
    EXPECT_EQ(job.work->attempt.discardedCount, 1101);
    EXPECT_LT(job.work->attempt.placedCount, 1190);
    EXPECT_FALSE(job.work->attempt.Empty());
}

// ---- Seeded random fills -----------------------------------------------------------

// True when the pieces split recursively by full cuts of width k that cross
// no piece.
bool IsGuillotine(std::vector<Box> pieces, int k)
{
    if (pieces.size() <= 1)
        return true;
    for (int axis = 0; axis < 2; ++axis) {
        const auto start = [axis](const Box& b) { return std::int64_t{axis == 0 ? b.x : b.y}; };
        const auto end = [axis](const Box& b) {
            return std::int64_t{axis == 0 ? b.x + b.l : b.y + b.h};
        };
        std::sort(pieces.begin(), pieces.end(),
                  [&](const Box& p, const Box& q) { return start(p) < start(q); });
        std::int64_t reach = end(pieces[0]);
        for (std::size_t i = 0; i + 1 < pieces.size(); ++i) {
            reach = std::max(reach, end(pieces[i]));
            if (reach + k <= start(pieces[i + 1])) {
                std::vector<Box> low(pieces.begin(), pieces.begin() + static_cast<long>(i) + 1);
                std::vector<Box> high(pieces.begin() + static_cast<long>(i) + 1, pieces.end());
                return IsGuillotine(std::move(low), k) && IsGuillotine(std::move(high), k);
            }
        }
    }
    return false;
}

bool Overlap(const Box& p, const Box& q)
{
    return p.x < q.x + q.l && q.x < p.x + p.l && p.y < q.y + q.h && q.y < p.y + p.h;
}

// Separated by at least k along one axis.
bool Apart(const Box& p, const Box& q, int k)
{
    return std::int64_t{p.x} + p.l + k <= q.x || std::int64_t{q.x} + q.l + k <= p.x ||
           std::int64_t{p.y} + p.h + k <= q.y || std::int64_t{q.y} + q.h + k <= p.y;
}

struct RandomJob {
    Job job;
    int sheetL = 0, sheetH = 0;
    std::vector<Box> forbidden;  // pre-cut strips
    std::vector<int> demand;     // attempt quantity per position
    long rectangles = 0;         // free and discarded rectangles before the fill
};

// Sheets, pieces, options and search indices drawn from `seed`; the stack is
// the whole sheet, a strip under the rest, a forced cut or cleavage strips.
void MakeRandomJob(unsigned seed, RandomJob& r)
{
    std::mt19937 rng(seed);
    const auto pick = [&rng](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(rng);
    };
    Job& job = r.job;
    r.sheetL = pick(300, 3000);
    r.sheetH = pick(300, 2000);
    const int k = std::vector<int>{0, 1, 3, 4, 10}[static_cast<std::size_t>(pick(0, 4))];
    const int n = pick(1, 20);
    int smallest = INT_MAX;
    for (int j = 1; j <= n; ++j) {
        const int quantity = pick(0, 9) == 0 ? 0 : pick(1, 20);
        const int length = pick(5, std::max(5, r.sheetL * 2 / 3));
        const int width = pick(5, std::max(5, r.sheetH * 2 / 3));
        job.Piece(j, length, width, quantity);
        if (quantity > 0)
            smallest = std::min({smallest, length, width});
    }
    if (pick(0, 4) == 0) {
        job.Piece(-1, pick(5, 400), pick(5, 400), 900);
        smallest = std::min({smallest, job.work->pieces.pieces[n + 1].length,
                             job.work->pieces.pieces[n + 1].width});
    }
    for (long j = 1; j <= job.work->pieces.count; ++j)
        r.demand.push_back(job.work->pieces.working[j]);
    const int sChoice = pick(0, 9);
    job.Smallest(sChoice < 5 ? smallest : sChoice < 8 ? smallest / 10 : pick(0, 500));

    CalcOptions options;
    options.material.kerf = k;
    options.material.minimumStrip = std::vector<int>{0, 5, 10, 50}[static_cast<std::size_t>(pick(0, 3))];
    options.material.mayRotate = pick(0, 1) == 1;
    options.edgeCutsAllowed = pick(0, 1) == 1;
    const std::optional<FirstCut> firstCuts[] = {FirstCut::Free, FirstCut::Free, FirstCut::Vertical,
                                                 FirstCut::Horizontal, std::nullopt};
    options.firstCut = firstCuts[pick(0, 4)];
    options.firstCutScope = pick(0, 2) == 0 ? FirstCutScope::AllCuts : FirstCutScope::FirstOnly;
    const std::optional<CutComplexity> complexities[] = {CutComplexity::Complex, CutComplexity::Medium,
                                                         CutComplexity::Easy, std::nullopt};
    options.complexity = complexities[pick(0, 3)];
    options.material.cutLengthLimited = pick(0, 2) == 0;
    options.material.cutLengthLimit = pick(200, 3000);
    job.settings = vor::MakePlacementSettings(options);

    vor::SearchState& search = job.work->search;
    search.pass = n >= 2 ? pick(1, 2) : 1;
    search.criterion = pick(1, 7);
    search.turnSheet = pick(0, 1);
    search.splitVariant = pick(0, 1);
    search.cutDirection = pick(0, 1);
    search.alternation = pick(0, 1) == 1;
    job.work->trial.threshold = std::vector<int>{0, 0, 1, 2, 5, 12, 20}[static_cast<std::size_t>(pick(0, 6))];
    job.work->trial.heuristic = pick(0, 1);
    for (long p = 1; p <= vor::kPreferenceBitsUsed; ++p)
        job.work->attempt.preferenceBits[p] = pick(0, 1);

    const int L = r.sheetL, H = r.sheetH;
    switch (pick(0, 5)) {
    case 0: {  // a strip along the bottom, as the forced strip leaves it
        const int d = pick(1, H / 3);
        job.Free(0, 0, L, d, true).Discarded(0, 0, L, d).Free(0, d, L, H - d);
        r.forbidden.push_back({0, 0, L, d});
        break;
    }
    case 1: {  // a strip on the left
        const int d = pick(1, L / 3);
        job.Free(0, 0, d, H, true).Discarded(0, 0, d, H).Free(d, 0, L - d, H);
        r.forbidden.push_back({0, 0, d, H});
        break;
    }
    case 2: {  // a forced cut, one kerf wide
        const int d = pick(1, H / 2);
        job.Free(0, H - d, L, d).Free(0, 0, L, H - d - k);
        break;
    }
    case 3: {  // cleavage strips, the leftmost on top
        std::vector<Box> strips;
        const int gap = k + pick(0, 30);
        for (int x = 0; x < L;) {
            const int w = std::min(L - x, pick(50, 900));
            strips.push_back({x, 0, w, H});
            x += w + gap;
        }
        for (auto it = strips.rbegin(); it != strips.rend(); ++it)
            job.Free(it->x, it->y, it->l, it->h);
        break;
    }
    default:
        job.Free(0, 0, L, H);
        break;
    }
    for (long i = 1; i <= job.work->attempt.top; ++i)
        r.rectangles += job.work->attempt.stack[i].consumed ? 0 : 1;
    r.rectangles += job.work->attempt.discardedCount;
}

struct Outcome {
    std::vector<Placed> placed;
    std::vector<Box> discarded;
    std::int64_t cut = 0;
    bool alternation = false;
    int status = 0;
    bool operator==(const Outcome&) const = default;
};

Outcome RunRandom(unsigned seed, RandomJob& r)
{
    MakeRandomJob(seed, r);
    r.job.Fill();
    return {r.job.PlacedList(), r.job.DiscardedList(), r.job.work->attempt.cutLength,
            r.job.work->search.alternation, r.job.work->status.status};
}

TEST(Placement, SeededRandomFillsKeepEveryInvariant)
{
    long placedTotal = 0, merges = 0;
    for (unsigned seed = 1; seed <= 1000; ++seed) {
        SCOPED_TRACE(::testing::Message() << "seed " << seed);
        RandomJob r;
        const Outcome outcome = RunRandom(seed, r);
        const OptimiserWork& w = *r.job.work;
        const int k = r.job.settings.kerf;

        std::vector<Box> boxes;
        std::int64_t area = 0;
        for (const Placed& p : outcome.placed) {
            const Box b{p.x, p.y, p.l, p.h};
            EXPECT_TRUE(b.x >= 0 && b.y >= 0 && b.x + b.l <= r.sheetL && b.y + b.h <= r.sheetH);
            for (const Box& f : r.forbidden)
                EXPECT_FALSE(Overlap(b, f));
            area += std::int64_t{b.l} * b.h;
            boxes.push_back(b);
        }
        EXPECT_EQ(area, w.attempt.usedArea);
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            for (std::size_t j = i + 1; j < boxes.size(); ++j)
                ASSERT_TRUE(Apart(boxes[i], boxes[j], k)) << i << " " << j;
        }
        EXPECT_TRUE(IsGuillotine(boxes, k));

        // Each placement takes one of its piece, in either orientation only
        // when rotation is allowed.
        for (long j = 1; j <= w.pieces.count; ++j) {
            const vor::Piece& piece = w.pieces.pieces[j];
            long count = 0;
            for (const Placed& p : outcome.placed) {
                if (p.id != piece.id)
                    continue;
                ++count;
                const bool normal = p.l == piece.length && p.h == piece.width;
                const bool turned = p.l == piece.width && p.h == piece.length;
                EXPECT_TRUE(normal || (turned && r.job.settings.rotationAllowed));
            }
            EXPECT_GE(w.pieces.working[j], 0);
            EXPECT_EQ(count, r.demand[static_cast<std::size_t>(j - 1)] - w.pieces.working[j]);
        }

        // Leftovers of positive size cover no piece and no other leftover.
        std::vector<Box> leftovers;
        for (const Box& d : outcome.discarded) {
            if (d.l > 0 && d.h > 0)
                leftovers.push_back(d);
        }
        for (std::size_t i = 0; i < leftovers.size(); ++i) {
            for (const Box& b : boxes)
                EXPECT_FALSE(Overlap(leftovers[i], b));
            for (std::size_t j = i + 1; j < leftovers.size(); ++j)
                EXPECT_FALSE(Overlap(leftovers[i], leftovers[j]));
        }

        // Only a capacity stops a fill before its stack is empty, once
        // there is a piece to place.
        const bool anyPiece =
            std::any_of(r.demand.begin(), r.demand.end(), [](int q) { return q > 0; });
        if (anyPiece && w.status.IsRunning() && w.status.text == StatusCode::None) {
            EXPECT_TRUE(w.attempt.Empty());
        }
        EXPECT_LE(w.attempt.deepestStack, vor::kStackCapacity + 1);
        EXPECT_GE(outcome.cut, 0);

        // Same parameters, same attempt.
        RandomJob again;
        EXPECT_EQ(RunRandom(seed, again), outcome);

        // Each placement turns one rectangle into two; each merge takes one
        // back out of the discarded list.
        placedTotal += static_cast<long>(outcome.placed.size());
        if (w.attempt.Empty()) {
            merges += r.rectangles + static_cast<long>(outcome.placed.size()) -
                      static_cast<long>(outcome.discarded.size());
        }
    }
    // The instances exercise real work and merging, not only empty sheets.
    EXPECT_GT(placedTotal, 10000);
    EXPECT_GT(merges, 300);
}

// ---- Speed -----------------------------------------------------------------------

// A workshop job: 20 order lines on a 2 750 x 1 830 sheet, kerf 4.
void MakeWorkshopJob(Job& job)
{
    std::mt19937 rng(2750);
    const auto pick = [&rng](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(rng);
    };
    for (int j = 1; j <= 20; ++j)
        job.Piece(j, pick(100, 900), pick(80, 700), pick(1, 20));
    job.Kerf(4).Smallest(80);
}

// Runs `attempts` attempts the way the search does: quantities restored and
// the sheet prepared again each time, the bits counted up, B and C varied.
void RunAttempts(Job& job, long attempts)
{
    OptimiserWork& w = *job.work;
    for (long a = 0; a < attempts; ++a) {
        for (long j = 1; j <= w.pieces.count; ++j)
            w.pieces.working[j] = w.pieces.pieces[j].quantity;
        w.attempt.ResetCounters();
        w.attempt.top = 0;
        w.attempt.Push({0, 0, 2730, 1820, false}, w.status);
        w.search.splitVariant = static_cast<int>(a & 1);
        w.search.cutDirection = static_cast<int>((a >> 1) & 1);
        FillSheet(w, job.settings);
        for (long p = 1; p <= 4; ++p) {
            if (++w.attempt.preferenceBits[p] < 2)
                break;
            w.attempt.preferenceBits[p] = 0;
        }
    }
}

TEST(PlacementSpeed, AttemptsAllocateNothing)
{
    Job job;
    MakeWorkshopJob(job);
    const long before = vortest::AllocationCount();
    RunAttempts(job, 64);
    EXPECT_EQ(vortest::AllocationCount(), before);
    EXPECT_GT(job.work->attempt.usedArea, 0);
}

TEST(PlacementSpeed, AttemptsPerSecond)
{
    // A figure for tuning, not a limit.
    Job job;
    MakeWorkshopJob(job);
    constexpr long kAttempts = 4000;
    const auto start = std::chrono::steady_clock::now();
    RunAttempts(job, kAttempts);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    const long long micros =
        std::max<long long>(1, std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count());
    std::cout << "[ bench    ] " << std::to_string(kAttempts * 1'000'000LL / micros)
              << " attempts per second (20 lines, 2750 x 1830)\n";
    EXPECT_EQ(job.work->status.text, StatusCode::None);
}

}  // namespace
