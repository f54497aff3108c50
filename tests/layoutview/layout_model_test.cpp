#include "vorplan/layoutview/layout_model.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "tests/layoutview/layoutview_support.h"
#include "tests/support/failing_writes.h"
#include "vorplan/common/codec.h"
#include "vorplan/common/errors.h"

namespace {

namespace fs = std::filesystem;
using vor::LayoutReading;
using vor::LayoutState;
using vor::ViewerElement;
using vortest::ReadBytes;
using vortest::WriteBytes;

constexpr int kPiece = vor::kLayoutTypePiece;
constexpr int kOffcut = vor::kLayoutTypeOffcut;
constexpr int kScrap = vor::kLayoutTypeDiscarded;
constexpr int kRemoved = vor::kLayoutTypeRemoved;

using vortest::Rect;
using vortest::RectOf;

std::string Golden(const char* name)
{
    return ReadBytes(fs::path(VOR_SOURCE_DIR) / "tests/layoutview/golden" / name);
}

using vortest::FailingWrites;

// A sheet of 10000 x 5000 with trims 100 / 100 / 50 / 50: inner 9800 x 4900.
LayoutState TrimmedSheet()
{
    LayoutState s;
    s.sheetLength = 10000;
    s.sheetHeight = 5000;
    s.trims = {100, 100, 50, 50};
    return s;
}

TEST(StoreElement, AcceptsByTheRulesInOrder)
{
    struct Case {
        int type, x, y, l, h;
        bool force, accepted;
    };
    const Case cases[] = {
        {kPiece, 0, 0, 0, 100, false, false},      // no width
        {kPiece, 0, 0, 100, -5, true, false},      // negative height, even forced
        {kPiece, -1, 0, 100, 100, false, false},   // X below 0
        {kPiece, 0, -1, 100, 100, false, false},   // Y below 0
        {kPiece, -1, 0, 100, 100, true, true},     // forced
        {kPiece, 0, -1, 100, 100, true, true},
        {kPiece, 20000, 0, 100, 100, false, true}, // pieces are not held to the sheet
        {kScrap, 9799, 4899, 10, 10, false, true}, // last position inside the trims
        {kScrap, 9800, 0, 10, 10, false, false},   // at the inner width
        {kScrap, 9900, 0, 10, 10, false, false},   // inside the sheet, beyond the trims
        {kScrap, 0, 4900, 10, 10, false, false},   // at the inner height
        {kScrap, -5, 0, 10, 10, true, true},
        {kOffcut, 9800, 0, 10, 10, false, false},  // an offcut may become scrap: the same test
        {vor::kLayoutTypeBorders, 0, 0, 0, 0, false, true},  // always kept
        {vor::kLayoutTypeSheet, -1, 0, 0, 0, false, true},   // kept, so a rewrite keeps its size
    };
    for (const Case& c : cases) {
        LayoutState s = TrimmedSheet();
        const bool taken = vor::StoreElement(s, c.type, 3, c.x, c.y, c.l, c.h, c.force, " d", 9);
        EXPECT_EQ(taken, c.accepted) << c.type << " at " << c.x << "," << c.y;
        EXPECT_EQ(s.ElementCount(), c.accepted ? 1 : 0);
    }

    LayoutState s = TrimmedSheet();
    const std::string longText(45, 'x');
    ASSERT_TRUE(vor::StoreElement(s, kPiece, 3, 1, 2, 30, 40, false, longText, 9));
    EXPECT_EQ(s.Element(1).description, longText) << "kept whole; only display cuts";
    EXPECT_EQ(vor::ShownDescription(s.Element(1).description), std::string(30, 'x'));
    EXPECT_THROW(s.Element(2), vor::RangeError);
}

class LayoutReadingTest : public ::testing::Test, public vortest::ViewerFixture {
protected:
    vortest::StubMessages stub;
};

// Hand-made: comments, short lines, a type 3 line, "_" and "---", trims, an
// offcut line, scrap outside the trims, and pieces whose codes meet a scrap
// number and the border's code 0.
const std::vector<std::string> kHandMade = {
    "; Arquivo de distribuição ( Modificado )",
    "",
    ";Tipo  Cód.     X     Y     L     H ",
    "",
    "  4     1     0     0    10    10 --- 0",  // scrap before the sheet: 0 x 0 extent
    "    0     3     1     0   27500   18300 Chapa_inteira 0 ; the sheet",
    "    5     0   100   100      50      50 Borda_de_seg 0",
    "  1",
    "; only a comment",
    "    3     9     0     0     100     100 x 0",
    "    1     0     0     0    1000     500 Porta_lateral 77",
    "    4    12  2080     0     500     500 --- 0",
    "    1    12  1040     0    1000     500 --- 78",
    "    1    12     0   540    1000     500 Outra 79",
    "    1     5  3000     0    1000     500 Tampo 80",
    "    2     0  5000  5000    3000    3000 Retalho_1/2 0",
    "    4    13 27300     0     100     100 --- 0",  // at the inner width: dropped
};

TEST_F(LayoutReadingTest, ReadsAHandMadeFile)
{
    WriteMon(1, kHandMade);
    EXPECT_FALSE(vor::ReadLayoutFile(state, inputs, false, LayoutReading::SumOnly));

    ASSERT_EQ(state.ElementCount(), 8);
    EXPECT_EQ(state.sheetCode, 3);
    EXPECT_EQ(state.sheetRepetitions, 1);
    EXPECT_EQ(state.sheetDescription, "Chapa inteira");
    EXPECT_EQ(state.trims, (vor::SheetTrims{100, 100, 50, 50}));
    EXPECT_EQ(state.InnerWidth(), 27300);
    EXPECT_EQ(state.InnerHeight(), 18200);
    EXPECT_EQ(state.fileOffcutCount, 1);

    const std::vector<int> types = {0, 5, 1, 4, 1, 1, 1, 2};
    for (long i = 1; i <= 8; ++i)
        EXPECT_EQ(state.Element(i).type, types[static_cast<std::size_t>(i - 1)]) << i;
    EXPECT_EQ(state.Element(3).description, " Porta lateral");
    EXPECT_EQ(state.Element(3).order, 77);
    EXPECT_EQ(state.Element(5).description, " ") << "\"---\" is the empty description";
    EXPECT_EQ(state.Element(5).order, 78) << "the order number stays in its field";

    // Code 0 and code 12 (also a scrap's number) each start their own group.
    EXPECT_EQ(state.Element(3).colourGroup, 1);
    EXPECT_EQ(state.Element(5).colourGroup, 2);
    EXPECT_EQ(state.Element(6).colourGroup, 2);
    EXPECT_EQ(state.Element(7).colourGroup, 3);
    EXPECT_EQ(state.distinctPieceCount, 3);
}

TEST_F(LayoutReadingTest, MissingFileGivesAnEmptyTableQuietly)
{
    state.layoutModified = true;
    EXPECT_FALSE(vor::ReadLayoutFile(state, inputs, true));
    EXPECT_EQ(state.ElementCount(), 0);
    EXPECT_EQ(state.distinctPieceCount, 0);
    EXPECT_FALSE(state.layoutModified);
    EXPECT_FALSE(fs::exists(Mon(1))) << "nothing is written for a missing file";
}

TEST_F(LayoutReadingTest, UnreadableFileIsNeverWrittenOver)
{
    fs::create_directories(Mon(1));
    EXPECT_THROW(vor::ReadLayoutFile(state, inputs, false), vor::IoError);
    EXPECT_EQ(state.ElementCount(), 0);
    EXPECT_TRUE(fs::is_directory(Mon(1)));
}

TEST_F(LayoutReadingTest, NumberTooLargeStopsTheReadingAndKeepsTheFile)
{
    std::vector<std::string> lines = kHandMade;
    lines.insert(lines.begin() + 11, "    1     4     0     0 99999999999     500 Grande 1");
    WriteMon(1, lines);
    const std::string before = ReadBytes(Mon(1));
    EXPECT_THROW(vor::ReadLayoutFile(state, inputs, true), vor::OverflowError);
    EXPECT_EQ(state.ElementCount(), 0);
    EXPECT_EQ(ReadBytes(Mon(1)), before);
}

TEST_F(LayoutReadingTest, LongLineIsReadByItsFirstFifteenFields)
{
    std::vector<std::string> lines(kHandMade.begin(), kHandMade.begin() + 7);
    std::string wide = "    1     8    10    20     300     400 Larga 55";
    for (int i = 9; i <= 20; ++i)
        wide += " " + std::to_string(i);
    lines.push_back(wide);
    lines.push_back("    1     9   400    20     300     400 Depois 56");
    WriteMon(1, lines);
    vor::ReadLayoutFile(state, inputs, false, LayoutReading::SumOnly);
    ASSERT_EQ(state.ElementCount(), 4);
    EXPECT_EQ(RectOf(state.Element(3)), (Rect{10, 20, 300, 400}));
    EXPECT_EQ(state.Element(3).description, " Larga");
    EXPECT_EQ(state.Element(3).order, 55);
    EXPECT_EQ(state.Element(4).description, " Depois");
}

TEST_F(LayoutReadingTest, SumOnlyReadingLeavesTheFileAlone)
{
    WriteOptimiserMon(1, {"    0     3     0     0   27500   18300",
                          "    1     1     0     0    6030    4040",
                          "    4     1  6070     0    5000    4040"},
                      {100, 100, 50, 50});
    const std::string before = ReadBytes(Mon(1));
    vor::ReadLayoutFile(state, inputs, false, LayoutReading::SumOnly);
    EXPECT_EQ(state.ElementCount(), 4);
    EXPECT_EQ(ReadBytes(Mon(1)), before);

    // The viewing reading rewrites it in the viewer's form.
    vor::ReadLayoutFile(state, inputs, false);
    EXPECT_NE(ReadBytes(Mon(1)), before);
    EXPECT_EQ(vor::ReadTextLines(Mon(1))->front(), vor::kModifiedLayoutTitle);
}

TEST_F(LayoutReadingTest, RewriteMatchesGoldenAndIsStable)
{
    // Two scrap rectangles one kerf apart become one offcut and a type 15
    // line; one piece has no description, one a long one.
    const std::string sixty = "Descrição_longa_de_peça_com_sessenta_caracteres_exatos_0123";
    ASSERT_EQ(vor::Utf8Length(sixty), 59u);
    WriteOptimiserMon(1, {"    0     3     2     0   27500   18300",
                          "    1     1     0     0    6030    4040",
                          "    1     2  6070     0    5040    8035",
                          "    4     1     0  4080    6030    1000",
                          "    4     2     0  5120    6030    3000"},
                      {100, 100, 50, 50});
    // Descriptions as order lines would give them.
    std::vector<std::string> lines = *vor::ReadTextLines(Mon(1));
    lines[6] = "    1     1       0       0    6030    4040 " + sixty + "x     12";
    WriteMon(1, lines);

    EXPECT_FALSE(vor::ReadLayoutFile(state, inputs, false));
    EXPECT_EQ(ReadBytes(Mon(1)), Golden("rewrite.MON"));
    EXPECT_EQ(state.Element(3).description, " Descrição longa de peça com sessenta caracteres exatos 0123x");
    EXPECT_EQ(state.Element(5).type, kRemoved);
    EXPECT_EQ(state.Element(6).type, kOffcut);
    EXPECT_EQ(state.Element(6).description, " <213>") << "the default offcut description";

    const auto written = fs::last_write_time(Mon(1));
    LayoutState again;
    vor::ReadLayoutFile(again, inputs, false);
    EXPECT_EQ(ReadBytes(Mon(1)), Golden("rewrite.MON"));
    EXPECT_EQ(fs::last_write_time(Mon(1)), written) << "the same bytes are not written again";
    EXPECT_EQ(again.elements, state.elements);
}

TEST_F(LayoutReadingTest, LargeLayoutRoundTripsWhole)
{
    std::vector<std::string> temp = {"    0     1     0     0  100000  100000"};
    for (int i = 0; i < 2500; ++i)
        temp.push_back(vor::LayoutElementColumns(1, i % 50, (i % 50) * 1000, (i / 50) * 1000, 900, 900));
    WriteOptimiserMon(1, temp);
    vor::ReadLayoutFile(state, inputs, false);
    ASSERT_EQ(state.ElementCount(), 2502);
    LayoutState again;
    vor::ReadLayoutFile(again, inputs, false, LayoutReading::SumOnly);
    EXPECT_EQ(again.elements, state.elements);
    EXPECT_EQ(RectOf(again.Element(2502)), (Rect{49000, 49000, 900, 900}));
}

TEST_F(LayoutReadingTest, FailedRewriteKeepsTheFileAndTheEdit)
{
    WriteOptimiserMon(1, {"    0     3     0     0   27500   18300",
                          "    1     1     0     0    6030    4040"});
    vor::ReadLayoutFile(state, inputs, false);
    const std::string before = ReadBytes(Mon(1));

    state.Element(3).x = 500;
    state.layoutModified = true;
    FailingWrites failing;
    const std::optional<std::string> message = vor::RewriteLayoutFile(state, failing);
    ASSERT_TRUE(message);
    EXPECT_EQ(*message, "Internal error 2008: Acesso ao arquivo " + Mon(1).string());
    EXPECT_EQ(ReadBytes(Mon(1)), before);
    EXPECT_TRUE(state.layoutModified);

    EXPECT_FALSE(vor::RewriteLayoutFile(state));
    EXPECT_FALSE(state.layoutModified);
    EXPECT_NE(ReadBytes(Mon(1)), before);
}

TEST_F(LayoutReadingTest, StripFileWithoutBordersAndNoKerf)
{
    // The strip variant has no type 5 line: no trims, the whole sheet is the
    // frame. With no kerf its two leftovers side by side become one.
    vor::StripLayout strip;
    strip.sheetWidth = 27500;
    strip.sheetHeight = 18500;
    strip.furtherSheets = 1;
    strip.entries = {{0, 0, 10000, 6000, 1},
                     {10000, 0, 10000, 6000, 1},
                     {0, 18000, 10000, 500, 2},
                     {10000, 18000, 10000, 500, 2},
                     {20000, 0, 7500, 18500, 2}};
    WriteMon(1, vor::StripLayoutFileLines(strip));
    inputs.material.kerf = 0;
    vor::ReadLayoutFile(state, inputs, false);

    EXPECT_EQ(state.trims, vor::SheetTrims{});
    EXPECT_EQ(state.InnerWidth(), 27500);
    EXPECT_EQ(state.fileOffcutCount, 3);
    EXPECT_EQ(state.distinctPieceCount, 1);
    ASSERT_EQ(state.ElementCount(), 6);
    EXPECT_EQ(RectOf(state.Element(5)), (Rect{0, 18000, 20000, 500}));
    EXPECT_EQ(state.Element(5).type, kScrap) << "500 high is below the minimum";
    EXPECT_EQ(state.Element(4).type, kRemoved);
    EXPECT_EQ(state.Element(6).type, kOffcut);
    EXPECT_EQ(state.figures.repetitions, 1);
    EXPECT_EQ(state.figures.offcutCount, 1);
    EXPECT_EQ(state.figures.scrapCount, 1);
}

// ---- Tidying ------------------------------------------------------------------

// A 10000 x 10000 sheet without trims and leftovers given as rectangles.
LayoutState WithLeftovers(const std::vector<std::pair<int, Rect>>& leftovers)
{
    LayoutState s;
    s.sheetLength = 10000;
    s.sheetHeight = 10000;
    vor::StoreElement(s, 0, 1, 0, 0, 10000, 10000, false, " Chapa", 0);
    vor::StoreElement(s, 5, 0, 0, 0, 0, 0, false, " Borda de seg", 0);
    for (const auto& [type, r] : leftovers)
        vor::StoreElement(s, type, 0, r.x, r.y, r.l, r.h, false, " ", 0);
    return s;
}

TEST(TidyLeftovers, JoinsTouchingLeftoversAndTellsOffcutsFromScrap)
{
    const vor::LayoutMaterial m = vortest::ViewerMaterial();
    vortest::StubMessages stub;
    vor::ViewerOptions unify;

    // Stacked one kerf apart: the upper takes the lower's Y, the lower stays as 15.
    LayoutState s = WithLeftovers({{kScrap, {0, 1040, 3000, 2000}}, {kScrap, {0, 0, 3000, 1000}}});
    vor::TidyLeftovers(s, m, unify);
    EXPECT_EQ(RectOf(s.Element(3)), (Rect{0, 0, 3000, 3040}));
    EXPECT_EQ(s.Element(3).type, kOffcut);
    EXPECT_EQ(s.Element(3).description, " <213>");
    EXPECT_EQ(s.Element(4).type, kRemoved);
    EXPECT_TRUE(s.hasOffcuts);

    // A chain of three side by side becomes one.
    s = WithLeftovers({{kScrap, {2080, 0, 1000, 500}},
                       {kScrap, {0, 0, 1000, 500}},
                       {kOffcut, {1040, 0, 1000, 500}}});
    vor::TidyLeftovers(s, m, unify);
    int removed = 0;
    for (long i = 3; i <= 5; ++i)
        removed += s.Element(i).type == kRemoved;
    EXPECT_EQ(removed, 2);
    EXPECT_EQ(RectOf(s.Element(3)), (Rect{0, 0, 3080, 500}));
    EXPECT_EQ(s.Element(3).type, kScrap);

    // Unticked: nothing joins, but the classification still runs.
    vor::ViewerOptions separate;
    separate.unifyLeftovers = false;
    s = WithLeftovers({{kScrap, {0, 1040, 3000, 3000}}, {kOffcut, {0, 0, 3000, 1000}}});
    vor::TidyLeftovers(s, m, separate);
    EXPECT_EQ(s.Element(3).type, kOffcut);
    EXPECT_EQ(s.Element(4).type, kScrap);

    // Empty leftovers are removed.
    s = WithLeftovers({});
    s.elements.push_back({kOffcut, 0, 5, 5, 0, 100, " x", 0, 0, 0, 0});
    vor::TidyLeftovers(s, m, unify);
    EXPECT_EQ(s.Element(3).type, kRemoved);
}

TEST(ClassifyLeftover, MeetsTheMinimumAlsoTurned)
{
    // Minimum width 250 mm, height 300 mm.
    const vor::LayoutMaterial m = vortest::ViewerMaterial();
    struct Case {
        Rect r;
        bool usable;
    };
    const Case cases[] = {
        {{0, 0, 2500, 3000}, true},   // exactly the minimum
        {{0, 0, 3000, 2500}, true},   // turned
        {{0, 0, 3000, 2000}, false},  // 300 x 200: one side below both minimums
        {{0, 0, 2000, 2000}, false},
        {{0, 0, 2499, 9000}, false},  // one side below both minimums
    };
    for (const Case& c : cases) {
        LayoutState s = WithLeftovers({{kScrap, c.r}});
        EXPECT_EQ(vor::ClassifyLeftover(s, m, 3), c.usable) << c.r.l << " x " << c.r.h;
    }

    vortest::StubMessages stub;
    vor::LayoutMaterial noOffcuts = m;
    noOffcuts.makesOffcuts = false;
    LayoutState s = WithLeftovers({{kOffcut, {0, 0, 5000, 5000}}, {kScrap, {6000, 0, 3000, 3000}}});
    vor::TidyLeftovers(s, noOffcuts, vor::ViewerOptions());
    EXPECT_EQ(s.Element(3).type, kScrap);
    EXPECT_EQ(s.Element(4).type, kScrap);
    EXPECT_FALSE(s.hasOffcuts);
    EXPECT_FALSE(vor::IsLeftover(s, 1));
    EXPECT_TRUE(vor::IsLeftover(s, 3));
    EXPECT_FALSE(vor::IsLeftover(s, 99));
}

// ---- Joining ------------------------------------------------------------------

struct JoinCase {
    const char* name;
    Rect a, b;
    bool grownIsA;
    Rect grown;
    std::vector<Rect> scrap;  // the cut-off parts, in the order stored
};

TEST(JoinSelectedElements, JoinsInEachOfTheFourWaysAndCutsOffTheRest)
{
    const vor::LayoutMaterial m = vortest::ViewerMaterial();  // kerf 40, remainder 500
    vortest::StubMessages stub;
    const JoinCase cases[] = {
        {"1: A left, covering", {0, 0, 1000, 3000}, {1040, 1000, 1000, 1000}, false,
         {0, 1000, 2040, 1000}, {{0, 0, 1000, 960}, {0, 2040, 1000, 960}}},
        {"2: B right, covering", {0, 1000, 1000, 1000}, {1040, 0, 1000, 3000}, true,
         {0, 1000, 2040, 1000}, {{1040, 0, 1000, 960}, {1040, 2040, 1000, 960}}},
        {"3: A below, covering", {0, 0, 3000, 1000}, {1000, 1040, 1000, 1000}, false,
         {1000, 0, 1000, 2040}, {{0, 0, 960, 1000}, {2040, 0, 960, 1000}}},
        {"4: B above, covering", {1000, 0, 1000, 1000}, {0, 1040, 3000, 1000}, true,
         {1000, 0, 1000, 2040}, {{0, 1040, 960, 1000}, {2040, 1040, 960, 1000}}},
        {"flush: remainders of minus one kerf", {0, 0, 1000, 1000}, {1040, 0, 1000, 1000}, false,
         {0, 0, 2040, 1000}, {}},
    };
    for (const JoinCase& c : cases) {
        for (const bool swapped : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (swapped ? ", picked the other way" : ""));
            LayoutState s = WithLeftovers({{kScrap, c.a}, {kScrap, c.b}});
            const auto refusal = swapped ? vor::JoinSelectedElements(s, m, {}, 4, 3)
                                         : vor::JoinSelectedElements(s, m, {}, 3, 4);
            EXPECT_FALSE(refusal);
            const long grown = c.grownIsA ? 3 : 4;
            EXPECT_EQ(RectOf(s.Element(grown)), c.grown);
            EXPECT_EQ(s.Element(c.grownIsA ? 4 : 3).type, kRemoved);
            ASSERT_EQ(s.ElementCount(), 4 + static_cast<long>(c.scrap.size()));
            for (std::size_t i = 0; i < c.scrap.size(); ++i) {
                const ViewerElement& part = s.Element(5 + static_cast<long>(i));
                EXPECT_EQ(RectOf(part), c.scrap[i]);
                EXPECT_EQ(part.type, kScrap);
                EXPECT_EQ(part.code, 0);
            }
        }
    }
}

TEST(JoinSelectedElements, RefusesWithTheRightMessageAndChangesNothing)
{
    const vor::LayoutMaterial m = vortest::ViewerMaterial();
    vortest::StubMessages stub;
    struct Case {
        const char* name;
        int typeA, typeB;
        Rect a, b;
        long pickA, pickB;
        const char* message;
    };
    const Case cases[] = {
        {"a gap of more than a kerf", kScrap, kScrap, {0, 0, 1000, 1000}, {1100, 0, 1000, 1000}, 3, 4, "<771>"},
        {"a piece", kPiece, kScrap, {0, 0, 1000, 1000}, {1040, 0, 1000, 1000}, 3, 4, "<771>"},
        {"a removed element", kRemoved, kScrap, {0, 0, 1000, 1000}, {1040, 0, 1000, 1000}, 3, 4, "<771>"},
        {"the same element twice", kScrap, kScrap, {0, 0, 1000, 1000}, {5000, 0, 1000, 1000}, 3, 3, "<771>"},
        {"no pick", kScrap, kScrap, {0, 0, 1000, 1000}, {1040, 0, 1000, 1000}, 0, 4, "<771>"},
        {"a sliver of 6 mm below", kScrap, kScrap, {0, 0, 1000, 3000}, {1040, 100, 1000, 1000}, 3, 4, "<770>"},
        {"a sliver of 40 mm above", kScrap, kScrap, {0, 0, 1000, 2440}, {1040, 0, 1000, 2000}, 3, 4, "<770>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LayoutState s = WithLeftovers({});
        s.elements.push_back({c.typeA, 0, c.a.x, c.a.y, c.a.l, c.a.h, " ", 0, 0, 0, 0});
        s.elements.push_back({c.typeB, 0, c.b.x, c.b.y, c.b.l, c.b.h, " ", 0, 0, 0, 0});
        // Unticked, so that the tidying after a refusal joins nothing either.
        vor::ViewerOptions separate;
        separate.unifyLeftovers = false;
        const auto refusal = vor::JoinSelectedElements(s, m, separate, c.pickA, c.pickB);
        ASSERT_TRUE(refusal);
        EXPECT_EQ(*refusal, c.message);
        ASSERT_EQ(s.ElementCount(), 4);
        EXPECT_EQ(RectOf(s.Element(3)), c.a);
        EXPECT_EQ(RectOf(s.Element(4)), c.b);
        EXPECT_EQ(s.Element(3).type == kRemoved, c.typeA == kRemoved);
    }
}

}  // namespace
