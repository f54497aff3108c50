#include "vorplan/optimiser/sheet_preparation.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "vorplan/optimiser/calc_settings.h"

namespace {

using vor::PreCut;
using vor::StatusCode;

// A rectangle as the tests compare it; `consumed` is false for the discarded list.
struct Box {
    std::int32_t x, y, length, height;
    bool consumed = false;
    bool operator==(const Box&) const = default;
};

void PrintTo(const Box& b, std::ostream* os)
{
    *os << "(" << b.x << ", " << b.y << ", " << b.length << ", " << b.height
        << (b.consumed ? ", consumed)" : ")");
}

enum class Group { ForcedStrip, MinimumStrip, ForcedCut };

const char* GroupName(Group g)
{
    return g == Group::ForcedStrip    ? "forced strip"
           : g == Group::MinimumStrip ? "minimum strip"
                                      : "forced cut";
}

void Choose(vor::CalcOptions& options, Group group, PreCut direction, std::int64_t size)
{
    switch (group) {
        case Group::ForcedStrip:
            options.forcedStrip = direction;
            options.forcedStripSize = size;
            break;
        case Group::MinimumStrip:
            options.minimumStrip = direction;
            options.minimumStripSize = size;
            break;
        case Group::ForcedCut:
            options.forcedCut = direction;
            options.forcedCutSize = size;
            break;
    }
}

class SheetPreparation : public ::testing::Test {
protected:
    void SetUp() override
    {
        options.material.kerf = 40;
        options.material.minimumStrip = 100;
    }

    // A new set of tables and default options, for each row of a table.
    void Fresh()
    {
        work = std::make_unique<vor::OptimiserWork>();
        options = vor::CalcOptions{};
        SetUp();
    }

    void AddPiece(std::int32_t length, std::int32_t quantity)
    {
        vor::PieceList& list = work->pieces;
        list.Append({static_cast<std::int32_t>(list.count + 1), length, 100, quantity});
        list.working[list.count] = quantity;
    }

    void Prepare(std::int32_t length, std::int32_t width, bool turned = false)
    {
        work->attempt.ResetCounters();
        vor::PrepareSheet({length, width, 1, 1}, turned, options, work->pieces, work->attempt,
                          work->status);
    }

    // The stack bottom to top; `swapBack` exchanges X/Y and L/H as the commit
    // does for a layout searched on the turned sheet.
    std::vector<Box> Stack(bool swapBack = false) const
    {
        std::vector<Box> out;
        for (long i = 1; i <= work->attempt.top; ++i) {
            const vor::FreeRectangle& r = work->attempt.stack[i];
            out.push_back(swapBack ? Box{r.y, r.x, r.height, r.length, r.consumed}
                                   : Box{r.x, r.y, r.length, r.height, r.consumed});
        }
        return out;
    }

    std::vector<Box> Discarded(bool swapBack = false) const
    {
        std::vector<Box> out;
        for (long i = 1; i <= work->attempt.discardedCount; ++i) {
            const vor::Rectangle& r = work->attempt.discarded[i];
            out.push_back(swapBack ? Box{r.y, r.x, r.height, r.length}
                                   : Box{r.x, r.y, r.length, r.height});
        }
        return out;
    }

    std::unique_ptr<vor::OptimiserWork> work = std::make_unique<vor::OptimiserWork>();
    vor::CalcOptions options;
};

// ---- The usable area ---------------------------------------------------------

TEST_F(SheetPreparation, TheFirstFreeRectangleIsTheAreaInsideTheBorders)
{
    struct Case {
        const char* name;
        std::int32_t length, width;
        vor::SheetBorders borders;  // the boxes, tenths
        std::int32_t trimLeft, trimRight, trimBottom, trimTop;
        bool turned;
        Box expected;
    };
    const Case cases[] = {
        {"borders 10/10/5/5", 2750, 1830, {10, 10, 5, 5}, 0, 0, 0, 0, false, {0, 0, 2730, 1820}},
        {"borders 10/10/5/5, turned",
         2750,
         1830,
         {10, 10, 5, 5},
         0,
         0,
         0,
         0,
         true,
         {0, 0, 1820, 2730}},
        {"no borders", 2750, 1830, {}, 0, 0, 0, 0, false, {0, 0, 2750, 1830}},
        {"each side its own", 2750, 1830, {10, 20, 5, 7}, 0, 0, 0, 0, false, {0, 0, 2720, 1818}},
        {"trims add to the borders",
         2750,
         1830,
         {10, 10, 5, 5},
         1,
         2,
         3,
         4,
         false,
         {0, 0, 2727, 1813}},
        {"trims alone, turned", 2750, 1830, {}, 1, 2, 3, 4, true, {0, 0, 1823, 2747}},
        {"borders take the whole sheet",
         2750,
         1830,
         {2000, 1000, 0, 0},
         0,
         0,
         0,
         0,
         false,
         {0, 0, -250, 1830}},
        {"borders far beyond 32 bits",
         2750,
         1830,
         {4'000'000'000'000'000'000, 4'000'000'000'000'000'000, 0, 0},
         0,
         0,
         0,
         0,
         false,
         {0, 0, INT32_MIN, 1830}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fresh();
        options.sheetBorders = c.borders;
        options.material.trimLeft = c.trimLeft;
        options.material.trimRight = c.trimRight;
        options.material.trimBottom = c.trimBottom;
        options.material.trimTop = c.trimTop;
        Prepare(c.length, c.width, c.turned);
        EXPECT_EQ(Stack(), std::vector<Box>{c.expected});
        EXPECT_TRUE(Discarded().empty());
        EXPECT_EQ(work->status.status, 0);
        EXPECT_EQ(work->status.text, StatusCode::None);
    }
}

TEST_F(SheetPreparation, BordersTypedInMillimetresBecomeTenths)
{
    vor::CalcSettings settings;
    settings.sheetBorderLeft = "1";
    settings.sheetBorderRight = "1";
    settings.sheetBorderBottom = "0,5";
    settings.sheetBorderTop = "0.5";
    options = vor::MakeCalcOptions(settings);
    Prepare(2750, 1830);
    EXPECT_EQ(Stack(), (std::vector<Box>{{0, 0, 2730, 1820}}));
    EXPECT_EQ(vor::UsableAreaOf({2750, 1830, 1, 1}, options.EffectiveSheetBorders()),
              (vor::UsableArea{2730, 1820}));
}

TEST_F(SheetPreparation, ANegativeBorderGivesText33)
{
    const vor::SheetBorders cases[] = {{-1, 0, 0, 0}, {0, -1, 0, 0}, {0, 0, -1, 0}, {0, 0, 0, -1}};
    for (const vor::SheetBorders& borders : cases) {
        Fresh();
        vor::RunStatus status;
        EXPECT_FALSE(vor::CheckSafetyBorders(borders, status));
        EXPECT_EQ(status.text, StatusCode::NegativeSafetyBorder);

        // Preparing such a sheet says so too and cuts nothing.
        options.sheetBorders = borders;
        Choose(options, Group::ForcedStrip, PreCut::Horizontal, 500);
        Prepare(2750, 1830);
        EXPECT_EQ(work->status.text, StatusCode::NegativeSafetyBorder);
        EXPECT_EQ(work->attempt.top, 1);
        EXPECT_EQ(work->attempt.discardedCount, 0);
    }
    vor::RunStatus status;
    EXPECT_TRUE(vor::CheckSafetyBorders({0, 0, 0, 0}, status));
    EXPECT_EQ(status.text, StatusCode::None);
}

// The check is on the border in effect: the box plus the material's trim.
TEST_F(SheetPreparation, ATrimCanMakeUpANegativeBox)
{
    options.sheetBorders = {-5, 0, 0, 0};
    options.material.trimLeft = 5;
    Prepare(2750, 1830);
    EXPECT_EQ(work->status.text, StatusCode::None);
    EXPECT_EQ(Stack(), (std::vector<Box>{{0, 0, 2750, 1830}}));
}

TEST_F(SheetPreparation, EveryAttemptStartsFromAFreshStack)
{
    for (int n = 0; n < 5; ++n)
        work->attempt.Push({1, 1, 1, 1, true}, work->status);
    Prepare(2750, 1830);
    EXPECT_EQ(Stack(), (std::vector<Box>{{0, 0, 2750, 1830}}));
    Prepare(1000, 500, true);
    EXPECT_EQ(Stack(), (std::vector<Box>{{0, 0, 500, 1000}}));
}

// ---- Pre-cuts ------------------------------------------------------------------

// A 2750 x 1830 sheet with borders of 10 on every side (usable 2730 x 1810),
// kerf 40, pre-cuts of 500. Every pre-cut lies inside the borders, the strip
// or cut part keeps its size and the kerf comes off the free part filled
// first; on the turned sheet, turning the stack back gives the same places.
TEST_F(SheetPreparation, EachPreCutLiesInsideTheBordersWithTheKerfBetweenItsParts)
{
    struct Case {
        Group group;
        PreCut direction;
        std::vector<Box> stack;  // bottom to top, in the sheet's own frame
        std::vector<Box> discarded;
    };
    const Case cases[] = {
        {Group::ForcedStrip,
         PreCut::Horizontal,  // along the bottom
         {{0, 0, 2730, 500, true}, {0, 540, 2730, 1270}},
         {{0, 0, 2730, 500}}},
        {Group::ForcedStrip,
         PreCut::Vertical,  // along the left
         {{0, 0, 500, 1810, true}, {540, 0, 2190, 1810}},
         {{0, 0, 500, 1810}}},
        {Group::MinimumStrip,
         PreCut::Horizontal,  // along the top
         {{0, 1310, 2730, 500, true}, {0, 0, 2730, 1270}},
         {{0, 1310, 2730, 500}}},
        {Group::MinimumStrip,
         PreCut::Vertical,  // along the right
         {{2230, 0, 500, 1810, true}, {0, 0, 2190, 1810}},
         {{2230, 0, 500, 1810}}},
        {Group::ForcedCut, PreCut::Horizontal, {{0, 1310, 2730, 500}, {0, 0, 2730, 1270}}, {}},
        {Group::ForcedCut, PreCut::Vertical, {{2230, 0, 500, 1810}, {0, 0, 2190, 1810}}, {}},
    };
    for (const Case& c : cases) {
        for (bool turned : {false, true}) {
            SCOPED_TRACE(std::string(GroupName(c.group)) +
                         (c.direction == PreCut::Horizontal ? " horizontal" : " vertical") +
                         (turned ? ", turned" : ""));
            Fresh();
            options.sheetBorders = {10, 10, 10, 10};
            Choose(options, c.group, c.direction, 500);
            Prepare(2750, 1830, turned);
            EXPECT_EQ(work->status.status, 0);
            EXPECT_EQ(work->status.text, StatusCode::None);
            EXPECT_EQ(Stack(turned), c.stack);
            EXPECT_EQ(Discarded(turned), c.discarded);
            for (const Box& b : Stack(turned)) {
                EXPECT_GE(b.x, 0);
                EXPECT_GE(b.y, 0);
                EXPECT_LE(b.x + b.length, 2730);
                EXPECT_LE(b.y + b.height, 1810);
            }
        }
    }
}

// The turned sheet is 1810 along X and 2730 along Y; the sheet's bottom is its left.
TEST_F(SheetPreparation, AForcedBottomStripOnATurnedSheetIsAtTheSheetsBottom)
{
    options.sheetBorders = {10, 10, 10, 10};
    Choose(options, Group::ForcedStrip, PreCut::Horizontal, 500);
    Prepare(2750, 1830, true);
    EXPECT_EQ(Stack(), (std::vector<Box>{{0, 0, 500, 2730, true}, {540, 0, 1270, 2730}}));
    EXPECT_EQ(Discarded(), (std::vector<Box>{{0, 0, 500, 2730}}));

    const std::vector<Box> onSheet = Stack(true);
    EXPECT_EQ(onSheet[0].y, 0);  // on the bottom border
    EXPECT_EQ(onSheet[1].y, onSheet[0].y + onSheet[0].height + options.material.kerf);
    EXPECT_EQ(onSheet[1].y + onSheet[1].height, 1810);  // up to the top border
}

TEST_F(SheetPreparation, PreCutChecksUseTheUsableSize)
{
    struct Case {
        const char* name;
        Group group;
        PreCut direction;
        std::int64_t size;
        std::int32_t sheetWidth;  // the sheet is 2750 long, borders 10: usable 2730 x (width - 20)
        std::int32_t kerf, minimum;
        StatusCode text;
    };
    const Case cases[] = {
        {"strip of 0", Group::ForcedStrip, PreCut::Horizontal, 0, 1830, 40, 100,
         StatusCode::BadStrip},
        {"vertical strip of 0", Group::ForcedStrip, PreCut::Vertical, 0, 1830, 40, 100,
         StatusCode::BadStrip},
        {"minimum strip of 0", Group::MinimumStrip, PreCut::Horizontal, 0, 1830, 40, 100,
         StatusCode::BadStrip},
        {"strip of 0 with no minimum", Group::ForcedStrip, PreCut::Horizontal, 0, 1830, 0, 0,
         StatusCode::BadStrip},
        {"strip of 1 with no minimum", Group::ForcedStrip, PreCut::Horizontal, 1, 1830, 0, 0,
         StatusCode::None},
        {"strip at 0.6 x 1810 - 40", Group::ForcedStrip, PreCut::Horizontal, 1046, 1830, 40, 100,
         StatusCode::None},
        {"strip over 0.6 x 1810 - 40", Group::ForcedStrip, PreCut::Horizontal, 1047, 1830, 40, 100,
         StatusCode::BadStrip},
        {"strip within the whole sheet's limit only", Group::ForcedStrip, PreCut::Horizontal, 1050,
         1830, 40, 100, StatusCode::BadStrip},
        {"limit as a real: 1046.6", Group::MinimumStrip, PreCut::Horizontal, 1047, 1831, 40, 100,
         StatusCode::BadStrip},
        {"under the real limit 1046.6", Group::MinimumStrip, PreCut::Horizontal, 1046, 1831, 40,
         100, StatusCode::None},
        {"vertical strip at 0.6 x 2730 - 40", Group::MinimumStrip, PreCut::Vertical, 1598, 1830, 40,
         100, StatusCode::None},
        {"vertical strip over it", Group::MinimumStrip, PreCut::Vertical, 1599, 1830, 40, 100,
         StatusCode::BadStrip},
        {"strip at m - k", Group::ForcedStrip, PreCut::Vertical, 60, 1830, 40, 100,
         StatusCode::None},
        {"strip below m - k", Group::ForcedStrip, PreCut::Vertical, 59, 1830, 40, 100,
         StatusCode::BadStrip},
        {"horizontal forced cut at its limit", Group::ForcedCut, PreCut::Horizontal, 1046, 1830, 40,
         100, StatusCode::None},
        {"horizontal forced cut too wide", Group::ForcedCut, PreCut::Horizontal, 1047, 1830, 40,
         100, StatusCode::BadForcedCut},
        {"vertical forced cut at its limit", Group::ForcedCut, PreCut::Vertical, 1598, 1830, 40,
         100, StatusCode::None},
        {"vertical forced cut too wide", Group::ForcedCut, PreCut::Vertical, 1599, 1830, 40, 100,
         StatusCode::BadStrip},
        {"forced cut below m - k", Group::ForcedCut, PreCut::Horizontal, 59, 1830, 40, 100,
         StatusCode::BadForcedCut},
        {"forced cut of 0 with m - k > 0", Group::ForcedCut, PreCut::Horizontal, 0, 1830, 40, 100,
         StatusCode::BadForcedCut},
        {"vertical forced cut of 0 with m - k > 0", Group::ForcedCut, PreCut::Vertical, 0, 1830, 40,
         100, StatusCode::BadStrip},
        {"forced cut of 0 with m - k = 0", Group::ForcedCut, PreCut::Horizontal, 0, 1830, 40, 40,
         StatusCode::None},
        {"forced cut of 0 with m - k < 0", Group::ForcedCut, PreCut::Vertical, 0, 1830, 40, 0,
         StatusCode::None},
        {"a strip far beyond 32 bits", Group::ForcedStrip, PreCut::Horizontal, 1'000'000'000'000,
         1830, 40, 100, StatusCode::BadStrip},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fresh();
        options.sheetBorders = {10, 10, 10, 10};
        options.material.kerf = c.kerf;
        options.material.minimumStrip = c.minimum;
        Choose(options, c.group, c.direction, c.size);
        Prepare(2750, c.sheetWidth);
        EXPECT_EQ(work->status.text, c.text);
        EXPECT_EQ(work->status.status, 0);
        if (c.text == StatusCode::None) {
            EXPECT_EQ(work->attempt.top, 2);
        } else {
            // The attempt ends before filling; the sheet is left whole.
            EXPECT_EQ(Stack(), (std::vector<Box>{{0, 0, 2730, c.sheetWidth - 20}}));
            EXPECT_TRUE(Discarded().empty());
        }
    }
}

// Nothing is separated by a cut at the very edge, so it costs no kerf.
TEST_F(SheetPreparation, AForcedCutOf0LeavesTheWholeUsableArea)
{
    options.material.minimumStrip = 0;
    Choose(options, Group::ForcedCut, PreCut::Horizontal, 0);
    Prepare(2750, 1830);
    EXPECT_EQ(Stack(), (std::vector<Box>{{0, 1830, 2750, 0}, {0, 0, 2750, 1830}}));
}

TEST_F(SheetPreparation, PreCutSizesAreTypedInMillimetres)
{
    struct Case {
        const char* typed;
        StatusCode text;
        std::int32_t strip;  // height of the strip when it passes
    };
    const Case cases[] = {
        {"12.5", StatusCode::None, 125},    // point
        {"12,5", StatusCode::None, 125},    // comma
        {"0.35", StatusCode::None, 4},      // half to even on the decimal value
        {"0.04", StatusCode::BadStrip, 0},  // rounds to 0
        {"", StatusCode::BadStrip, 0},      // an empty box reads as 0
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Fresh();
        vor::CalcSettings settings;
        settings.forcedStrip.Check(PreCut::Horizontal);
        settings.forcedStripSize = c.typed;
        options = vor::MakeCalcOptions(settings);
        options.material.kerf = 0;
        Prepare(2750, 1830);
        EXPECT_EQ(work->status.text, c.text);
        if (c.text == StatusCode::None) {
            EXPECT_EQ(Stack(), (std::vector<Box>{{0, 0, 2750, c.strip, true},
                                                 {0, c.strip, 2750, 1830 - c.strip}}));
        }
    }
}

TEST_F(SheetPreparation, MoreThanOnePreCutGivesStatus22AndTheLastAppliedStands)
{
    struct Case {
        const char* name;
        bool forcedStrip, minimumStrip, forcedCut, cleavage;
        Box top;
    };
    const Case cases[] = {
        {"forced strip and forced cut", true, false, true, false, {0, 0, 2750, 1830 - 300 - 40}},
        {"forced and minimum strip", true, true, false, false, {0, 0, 2750, 1830 - 200 - 40}},
        {"minimum strip and forced cut", false, true, true, false, {0, 0, 2750, 1830 - 300 - 40}},
        {"all three", true, true, true, false, {0, 0, 2750, 1830 - 300 - 40}},
        {"two with cleavage on", true, false, true, true, {0, 0, 400, 1830}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fresh();
        AddPiece(400, 1);
        if (c.forcedStrip)
            Choose(options, Group::ForcedStrip, PreCut::Horizontal, 100);
        if (c.minimumStrip)
            Choose(options, Group::MinimumStrip, PreCut::Horizontal, 200);
        if (c.forcedCut)
            Choose(options, Group::ForcedCut, PreCut::Horizontal, 300);
        options.cleavage = c.cleavage;
        Prepare(2750, 1830);
        EXPECT_EQ(work->status.status, vor::ToInt(StatusCode::MoreThanOnePreCut));
        ASSERT_GE(work->attempt.top, 1);
        EXPECT_EQ(Stack().back(), c.top);
    }

    // One alone is no error.
    Fresh();
    Choose(options, Group::ForcedCut, PreCut::Vertical, 300);
    Prepare(2750, 1830);
    EXPECT_EQ(work->status.status, 0);
}

// The window never leaves a group without a button; such a group counts as
// chosen but cuts nothing.
TEST_F(SheetPreparation, AGroupWithNoButtonCheckedCountsButCutsNothing)
{
    options.forcedStrip = std::nullopt;
    options.forcedStripSize = 100;
    Prepare(2750, 1830);
    EXPECT_EQ(work->status.status, 0);
    EXPECT_EQ(Stack(), (std::vector<Box>{{0, 0, 2750, 1830}}));

    Choose(options, Group::ForcedCut, PreCut::Horizontal, 300);
    Prepare(2750, 1830);
    EXPECT_EQ(work->status.status, vor::ToInt(StatusCode::MoreThanOnePreCut));
}

// ---- Cleavage ---------------------------------------------------------------------

class Cleavage : public SheetPreparation {
protected:
    void SetUp() override
    {
        SheetPreparation::SetUp();
        options.cleavage = true;  // width 30, minimum 50, maximum 400
    }
};

TEST_F(Cleavage, StripsAreGreedySumsOfDistinctPieceLengthsFromTheLeft)
{
    struct Case {
        const char* name;
        std::vector<std::pair<std::int32_t, std::int32_t>> pieces;  // length, attempt quantity
        std::vector<Box> stack;                                     // bottom to top
    };
    const Case cases[] = {
        // 300 is taken, 200 would give 500, 100 gives 400; then 400 again,
        // then 100 alone; 10 are left, too little for 50 + 30.
        {"300, 200, 100",
         {{300, 5}, {200, 5}, {100, 5}},
         {{990, 0, 10, 500}, {860, 0, 100, 500}, {430, 0, 400, 500}, {0, 0, 400, 500}}},
        {"200, 300, 100",
         {{200, 5}, {300, 5}, {100, 5}},
         {{990, 0, 10, 500}, {660, 0, 300, 500}, {330, 0, 300, 500}, {0, 0, 300, 500}}},
        {"a piece with nothing left to place is not counted",
         {{300, 5}, {200, 0}, {100, 0}},
         {{990, 0, 10, 500}, {660, 0, 300, 500}, {330, 0, 300, 500}, {0, 0, 300, 500}}},
        {"nothing left to place at all", {{300, 0}}, {{0, 0, 1000, 500}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fresh();
        options.cleavage = true;
        for (const auto& [length, quantity] : c.pieces)
            AddPiece(length, quantity);
        Prepare(1000, 500);
        EXPECT_EQ(work->status.text, StatusCode::None);
        EXPECT_EQ(Stack(), c.stack);
        EXPECT_TRUE(Discarded().empty());
    }
}

TEST_F(Cleavage, StripsLieInsideTheBordersAndKeepTheirPlaceOnATurnedSheet)
{
    const std::vector<Box> onSheet = {
        {990, 0, 10, 500}, {860, 0, 100, 500}, {430, 0, 400, 500}, {0, 0, 400, 500}};
    for (bool turned : {false, true}) {
        SCOPED_TRACE(turned ? "turned" : "not turned");
        Fresh();
        options.cleavage = true;
        options.sheetBorders = {10, 10, 10, 10};
        AddPiece(300, 1);
        AddPiece(200, 1);
        AddPiece(100, 1);
        Prepare(1020, 520, turned);
        EXPECT_EQ(work->status.text, StatusCode::None);
        EXPECT_EQ(Stack(turned), onSheet);
    }
    // Worked turned, the leftmost strip is the bottom rectangle of the turned frame.
    EXPECT_EQ(Stack().back(), (Box{0, 0, 500, 400}));
}

TEST_F(Cleavage, AMaximumOf0TakesHalfTheUsableLength)
{
    EXPECT_EQ(vor::CleavageMaximumFor(options, {1001, 300}), 400);
    options.cleavageMaximum = 0;
    EXPECT_EQ(vor::CleavageMaximumFor(options, {1001, 300}), 500);
    EXPECT_EQ(vor::CleavageMaximumFor(options, {0, 300}), 0);

    // Usable 1001 x 500 (the sheet's own length, also when turned): strips of
    // 300 + 200 = 500, then 300 + 100 = 400.
    for (bool turned : {false, true}) {
        SCOPED_TRACE(turned ? "turned" : "not turned");
        Fresh();
        options.cleavage = true;
        options.cleavageMaximum = 0;
        options.sheetBorders = {10, 10, 10, 10};
        AddPiece(300, 1);
        AddPiece(200, 1);
        AddPiece(100, 1);
        Prepare(1021, 520, turned);
        EXPECT_EQ(work->status.text, StatusCode::None);
        EXPECT_EQ(Stack(turned),
                  (std::vector<Box>{{960, 0, 41, 500}, {530, 0, 400, 500}, {0, 0, 500, 500}}));
    }

    // A piece longer than half the usable length is too long.
    Fresh();
    options.cleavage = true;
    options.cleavageMaximum = 0;
    AddPiece(501, 1);
    Prepare(1001, 500);
    EXPECT_EQ(work->status.text, StatusCode::PieceLongerThanCleavageMaximum);
}

TEST_F(Cleavage, BadValuesGiveTheirTextsAndLeaveTheSheetWhole)
{
    struct Case {
        const char* name;
        int width, minimum, maximum;
        std::int32_t pieceLength, pieceQuantity;
        StatusCode text;
    };
    const Case cases[] = {
        {"width 1", 1, 50, 400, 100, 1, StatusCode::None},
        {"width 300", 300, 50, 400, 100, 1, StatusCode::None},
        {"width 0", 0, 50, 400, 100, 1, StatusCode::BadCleavageWidth},
        {"width below 0", -50, 50, 400, 100, 1, StatusCode::BadCleavageWidth},
        {"width 301", 301, 50, 400, 100, 1, StatusCode::BadCleavageWidth},
        {"width equal to the kerf", 40, 50, 400, 100, 1, StatusCode::CleavageWidthIsKerf},
        {"minimum equal to the maximum", 30, 400, 400, 100, 1,
         StatusCode::CleavageMinimumNotBelowMaximum},
        {"minimum above the maximum", 30, 500, 400, 100, 1,
         StatusCode::CleavageMinimumNotBelowMaximum},
        {"piece at the maximum", 30, 50, 400, 400, 1, StatusCode::None},
        {"piece over the maximum", 30, 50, 400, 401, 1, StatusCode::PieceLongerThanCleavageMaximum},
        {"piece over the maximum, none left", 30, 50, 400, 401, 0,
         StatusCode::PieceLongerThanCleavageMaximum},
        {"a later text over an earlier", 0, 500, 400, 100, 1,
         StatusCode::CleavageMinimumNotBelowMaximum},
        {"the last of three", 40, 500, 400, 401, 1, StatusCode::PieceLongerThanCleavageMaximum},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fresh();
        options.cleavage = true;
        options.cleavageWidth = c.width;
        options.cleavageMinimum = c.minimum;
        options.cleavageMaximum = c.maximum;
        AddPiece(c.pieceLength, c.pieceQuantity);
        Prepare(1000, 500);
        EXPECT_EQ(work->status.text, c.text);
        if (c.text == StatusCode::None) {
            EXPECT_GT(work->attempt.top, 1);
        } else {
            EXPECT_EQ(Stack(), (std::vector<Box>{{0, 0, 1000, 500}}));
        }
    }
}

// Pieces of 10 with a gap of 30: one strip every 40. Usable 1160 gives 29
// strips and the rest, 30 rectangles, reversed; 1200 gives 31, left as built.
TEST_F(Cleavage, TheStackIsReversedWhenItHoldsAtMost30Rectangles)
{
    for (const auto& [length, count, reversed] :
         {std::tuple{1160, 30L, true}, std::tuple{1200, 31L, false}}) {
        SCOPED_TRACE(length);
        Fresh();
        options.cleavage = true;
        options.cleavageMinimum = 5;
        options.cleavageMaximum = 10;
        AddPiece(10, 1);
        Prepare(length, 500);
        ASSERT_EQ(work->attempt.top, count);
        const Box leftmost{0, 0, 10, 500};
        const Box rest{length, 0, 0, 500};
        const std::vector<Box> stack = Stack();
        EXPECT_EQ(stack.back(), reversed ? leftmost : rest);
        EXPECT_EQ(stack.front(), reversed ? rest : leftmost);
        EXPECT_EQ(stack[1], reversed ? (Box{length - 40, 0, 10, 500}) : (Box{40, 0, 10, 500}));
    }
}

TEST_F(Cleavage, OneChosenPreCutGivesWayToIt)
{
    AddPiece(400, 1);
    Choose(options, Group::ForcedStrip, PreCut::Horizontal, 100);
    Prepare(1000, 500);
    EXPECT_EQ(work->status.status, 0);
    EXPECT_EQ(work->status.text, StatusCode::None);
    EXPECT_TRUE(Discarded().empty());
    EXPECT_EQ(Stack(),
              (std::vector<Box>{{860, 0, 140, 500}, {430, 0, 400, 500}, {0, 0, 400, 500}}));
}

// Strips of 1 with a gap of 1 on a long sheet need more than 590 rectangles.
TEST_F(Cleavage, AStackDeeperThanItsRoomGivesStatus6AndText25)
{
    options.cleavageWidth = 1;
    options.cleavageMinimum = 0;
    options.cleavageMaximum = 1;
    AddPiece(1, 1);
    Prepare(20000, 500);
    EXPECT_EQ(work->status.status, vor::ToInt(StatusCode::TooManyFreeRectangles));
    EXPECT_EQ(work->status.text, StatusCode::FreeRectangleStackFull);
    EXPECT_EQ(work->attempt.top, vor::kStackCapacity + 1);
    EXPECT_EQ(work->attempt.stack[1].length, 1);  // left as built
}

}  // namespace
