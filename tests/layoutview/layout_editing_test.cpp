#include "vorplan/layoutview/layout_editing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "tests/layoutview/layoutview_support.h"
#include "vorplan/common/real_helpers.h"
#include "vorplan/layoutview/viewer_view.h"

namespace {

using vor::EditOutcome;
using vor::FitKind;
using vor::LayoutEditing;
using vor::LayoutState;
using vor::ViewerElement;
using vor::ViewerHits;

constexpr int kSheet = vor::kLayoutTypeSheet;
constexpr int kPiece = vor::kLayoutTypePiece;
constexpr int kOffcut = vor::kLayoutTypeOffcut;
constexpr int kScrap = vor::kLayoutTypeDiscarded;
constexpr int kRemoved = vor::kLayoutTypeRemoved;

using vortest::Rect;
using vortest::RectOf;

// Kerf 40, smallest remainder 500, offcuts from 2500 x 3000 (either way).
vor::LayoutMaterial Material(int kerf = 40)
{
    vor::LayoutMaterial m = vortest::ViewerMaterial();
    m.kerf = kerf;
    return m;
}

// A sheet of 10000 x 5000 without trims.
LayoutState Sheet()
{
    LayoutState s;
    s.sheetLength = 10000;
    s.sheetHeight = 5000;
    vor::StoreElement(s, kSheet, 3, 0, 0, 10000, 5000, false, " Chapa", 0);
    return s;
}

long Add(LayoutState& s, int type, Rect r, int code = 0)
{
    EXPECT_TRUE(vor::StoreElement(s, type, code, r.x, r.y, r.l, r.h, false, "", 0));
    if (type == kPiece)
        vor::AssignColourGroup(s, s.ElementCount());
    return s.ElementCount();
}

// The live leftovers, in table order.
std::vector<Rect> Leftovers(const LayoutState& s)
{
    std::vector<Rect> out;
    for (const ViewerElement& e : s.elements)
        if (e.type == kOffcut || e.type == kScrap)
            out.push_back(RectOf(e));
    return out;
}

// A click at (x, y) of the file's frame, as the window makes it.
EditOutcome Click(LayoutState& s, double x, double y, bool autoCentre = false, bool fitted = false,
                  int kerf = 40)
{
    const LayoutEditing editing;
    vor::ViewerOptions options;
    return vor::ClickLayout(s, editing, Material(kerf), options, vor::HitTest(s, x, y), x, y,
                            autoCentre, fitted);
}

TEST(PlacePiece, FitsOrRefusesByKerfAndSmallestRemainder)
{
    struct Case {
        const char* what;
        Rect piece;  // lying above the sheet
        double clickY;
        int message;
        Rect placed;                // where the piece ends
        std::vector<Rect> leftovers;  // after tidying
    };
    const Rect offcut{0, 0, 4000, 3000};
    const Case cases[] = {
        {"exactly the offcut's size", {100, 6000, 4000, 3000}, 100, 0, {0, 0, 4000, 3000}, {}},
        {"one unit narrower, too little left: stays", {100, 6000, 3999, 3000}, 100, 0,
         {100, 6000, 3999, 3000}, {offcut}},
        {"one unit narrower and lower", {100, 6000, 3999, 2999}, 100, 772, {100, 6000, 3999, 2999},
         {offcut}},
        {"lower half", {100, 6000, 1000, 1000}, 1499, 0, {0, 0, 1000, 1000},
         {{0, 1040, 1000, 1960}, {1040, 0, 2960, 3000}}},
        {"the midpoint counts to the upper half", {100, 6000, 1000, 1000}, 1500, 0,
         {0, 2000, 1000, 1000}, {{1040, 0, 2960, 3000}, {0, 0, 1000, 1960}}},
        {"upper half", {100, 6000, 1000, 1000}, 2999, 0, {0, 2000, 1000, 1000},
         {{1040, 0, 2960, 3000}, {0, 0, 1000, 1960}}},
        {"full width, room above", {100, 6000, 4000, 2460}, 10, 0, {0, 0, 4000, 2460},
         {{0, 2500, 4000, 500}}},
        {"full height, room beside", {100, 6000, 3460, 3000}, 10, 0, {0, 0, 3460, 3000},
         {{3500, 0, 500, 3000}}},
    };
    for (const Case& c : cases) {
        LayoutState s = Sheet();
        const long o = Add(s, kOffcut, offcut);
        const long p = Add(s, kPiece, c.piece);
        s.selectedPiece = p;
        s.pickedLeftover = o;
        const LayoutState before = s;
        const EditOutcome out =
            vor::PlacePiece(s, Material(), vor::ViewerOptions{}, p, o, c.clickY);
        EXPECT_EQ(out.message, c.message) << c.what;
        EXPECT_EQ(RectOf(s.Element(p)), c.placed) << c.what;
        EXPECT_EQ(Leftovers(s), c.leftovers) << c.what;
        if (RectOf(s.Element(p)) == c.piece)
            EXPECT_EQ(s.elements, before.elements) << c.what << ": nothing changes";
        else
            EXPECT_EQ(s.selectedPiece + s.pickedLeftover, 0) << c.what << ": placing clears the picks";
    }
}

TEST(PlacePiece, APieceFromTheSheetLeavesItsPlaceAsScrap)
{
    LayoutState s = Sheet();
    const long p = Add(s, kPiece, {6000, 0, 1000, 1000});
    const long o = Add(s, kOffcut, {0, 0, 4000, 3000});
    vor::PlacePiece(s, Material(), vor::ViewerOptions{}, p, o, 10);
    EXPECT_EQ(RectOf(s.Element(p)), (Rect{0, 0, 1000, 1000}));
    EXPECT_EQ(Leftovers(s), (std::vector<Rect>{{6000, 0, 1000, 1000}, {0, 1040, 1000, 1960},
                                               {1040, 0, 2960, 3000}}));
}

TEST(PlacePiece, SlidesIntoALeftoverOneKerfAway)
{
    struct Case {
        const char* what;
        Rect piece, leftover;
        Rect placed;
        std::vector<Rect> leftovers;  // the strip left behind, then the split, tidied
    };
    // Each piece is longer than the leftover along the slide, so that it
    // cannot be placed into it.
    const Case cases[] = {
        {"leftover above", {2000, 0, 1000, 2000}, {0, 2040, 6000, 1000}, {2000, 1040, 1000, 2000},
         {{2000, 0, 1000, 1000}, {3040, 2040, 2960, 1000}, {0, 2040, 1960, 1000}}},
        {"leftover below", {2000, 1040, 1000, 2000}, {0, 0, 6000, 1000}, {2000, 0, 1000, 2000},
         {{2000, 2040, 1000, 1000}, {3040, 0, 2960, 1000}, {0, 0, 1960, 1000}}},
        {"leftover right", {0, 1000, 2000, 1000}, {2040, 0, 1000, 4000}, {1040, 1000, 2000, 1000},
         {{0, 1000, 1000, 1000}, {2040, 2040, 1000, 1960}, {2040, 0, 1000, 960}}},
        {"leftover left", {1040, 1000, 2000, 1000}, {0, 0, 1000, 4000}, {0, 1000, 2000, 1000},
         {{2040, 1000, 1000, 1000}, {0, 2040, 1000, 1960}, {0, 0, 1000, 960}}},
    };
    vor::ViewerOptions separate;
    separate.unifyLeftovers = false;
    for (const Case& c : cases) {
        LayoutState s = Sheet();
        const long p = Add(s, kPiece, c.piece);
        const long o = Add(s, kScrap, c.leftover);
        const EditOutcome out = vor::PlacePiece(s, Material(), separate, p, o, 0);
        EXPECT_EQ(out.message, 0) << c.what;
        EXPECT_EQ(RectOf(s.Element(p)), c.placed) << c.what;
        EXPECT_EQ(s.Element(o).type, kRemoved) << c.what;
        EXPECT_EQ(Leftovers(s), c.leftovers) << c.what;
    }
}

TEST(PlacePiece, NothingMovesWithoutATouchingSide)
{
    for (const Rect leftover : {Rect{0, 2041, 6000, 1000}, Rect{3100, 0, 900, 4000},
                                Rect{2100, 2040, 500, 1000}}) {  // too far, too far, too narrow
        LayoutState s = Sheet();
        const long p = Add(s, kPiece, {2000, 0, 1000, 2000});
        const long o = Add(s, kScrap, leftover);
        const LayoutState before = s;
        const EditOutcome out = vor::PlacePiece(s, Material(), vor::ViewerOptions{}, p, o, 0);
        EXPECT_EQ(out.message, 0);
        EXPECT_EQ(s.elements, before.elements) << leftover.x;
    }
}

TEST(PlacePiece, ATallerPieceThatSlidesLeavesNoOverlappingScrap)
{
    // Smallest remainder 500: the piece is a little lower than the leftover
    // but leaves less than kerf + remainder, so it slides; the strip left
    // behind and the leftover's remainder below the piece must not overlap.
    LayoutState s = Sheet();
    const long p = Add(s, kPiece, {0, 0, 2000, 1700});
    const long o = Add(s, kScrap, {0, 1740, 2000, 2000});
    vor::ViewerOptions separate;
    separate.unifyLeftovers = false;
    vor::PlacePiece(s, Material(), separate, p, o, 0);
    EXPECT_EQ(RectOf(s.Element(p)), (Rect{0, 2040, 2000, 1700}));
    const std::vector<Rect> leftovers = Leftovers(s);
    EXPECT_EQ(leftovers, (std::vector<Rect>{{0, 0, 2000, 1700}, {0, 1740, 2000, 260}}));
    // Together with the kerfs they fill the old piece, kerf and leftover exactly.
}

TEST(SplitLeftoverAround, StoresTheFourRemaindersAndDropsEmptyOnes)
{
    struct Case {
        Rect piece;
        std::vector<Rect> remainders;  // above, right, left, below
    };
    const Rect o{1000, 1000, 3000, 2000};
    const Case cases[] = {
        {{2000, 1500, 500, 500}, {{2000, 2040, 500, 960}, {2540, 1000, 1460, 2000},
                                  {1000, 1000, 960, 2000}, {2000, 1000, 500, 460}}},
        {{1000, 1000, 3000, 2000}, {}},  // the whole leftover
        {{1000, 1000, 2960, 1960}, {}},  // a kerf left on two sides: remainders of 0
        {{1000, 1000, 2959, 1959}, {{1000, 2999, 2959, 1}, {3999, 1000, 1, 2000}}},
    };
    for (const Case& c : cases) {
        LayoutState s = Sheet();
        const long leftover = Add(s, kOffcut, o);
        const long p = Add(s, kPiece, c.piece);
        vor::SplitLeftoverAround(s, leftover, p, 40);
        EXPECT_EQ(s.Element(leftover).type, kRemoved);
        EXPECT_EQ(Leftovers(s), c.remainders) << c.piece.x << " " << c.piece.l;
    }
}

TEST(ClickLayout, PicksSelectsPlacesAndJoinsInOrder)
{
    LayoutState s = Sheet();
    const long a = Add(s, kScrap, {0, 0, 1000, 3000});
    const long b = Add(s, kScrap, {1040, 0, 1000, 3000});
    const long p = Add(s, kPiece, {5000, 0, 1000, 1000});
    vor::ViewerOptions options;
    options.unifyLeftovers = false;
    vor::TidyLeftovers(s, Material(), options);

    // A leftover is picked, a second one joined to it, the pick cleared.
    EditOutcome out = Click(s, 500, 500);
    EXPECT_EQ(s.pickedLeftover, a);
    EXPECT_TRUE(out.rewrite && out.redraw && s.layoutModified);
    out = Click(s, 1500, 500);
    EXPECT_EQ(out.message, 0);
    EXPECT_EQ(s.pickedLeftover, 0);
    EXPECT_EQ(Leftovers(s), (std::vector<Rect>{{0, 0, 2040, 3000}}));
    const long joined = s.Element(a).type == kRemoved ? b : a;

    // A piece is selected, clicked again deselected, selected again.
    Click(s, 500, 500);  // picks the joined leftover
    Click(s, 5500, 500);
    EXPECT_EQ(s.selectedPiece, p);
    EXPECT_EQ(s.pickedLeftover, 0) << "selecting a piece clears the pick";
    Click(s, 5500, 500);
    EXPECT_EQ(s.selectedPiece, 0);
    Click(s, 5500, 500);

    // An empty spot on the sheet does nothing; a leftover takes the piece.
    const LayoutState before = s;
    Click(s, 8000, 4000);
    EXPECT_EQ(s.elements, before.elements);
    EXPECT_EQ(s.selectedPiece, p);
    out = Click(s, 100, 2900, true);
    EXPECT_EQ(RectOf(s.Element(p)), (Rect{0, 2000, 1000, 1000}));
    EXPECT_EQ(s.Element(joined).type, kRemoved);
    EXPECT_EQ(s.selectedPiece, 0);
    EXPECT_EQ(s.pickedLeftover, 0) << "placing clears the pick";
    EXPECT_EQ(out.fit, FitKind::View) << "Centraliza (auto)";
}

TEST(ClickLayout, AJoinRefusedKeepsTheTableAndClearsThePick)
{
    LayoutState s = Sheet();
    Add(s, kScrap, {0, 0, 1000, 3000});
    Add(s, kScrap, {1100, 0, 1000, 3000});
    Click(s, 500, 500);
    const LayoutState before = s;
    const EditOutcome out = Click(s, 1500, 500);
    EXPECT_EQ(out.message, 771);
    EXPECT_EQ(s.elements, before.elements);
    EXPECT_EQ(s.pickedLeftover, 0);
}

TEST(ClickLayout, MovesTheSelectedPieceOffTheSheet)
{
    // From the sheet: the place left becomes scrap, joined with its neighbour.
    LayoutState s = Sheet();
    const long p = Add(s, kPiece, {0, 0, 1000, 1000});
    Add(s, kScrap, {1040, 0, 500, 1000});
    Click(s, 500, 500);
    const EditOutcome out = Click(s, 11000.4, 2000.6, false, true);
    EXPECT_EQ(RectOf(s.Element(p)), (Rect{11000, 2001, 1000, 1000}));
    EXPECT_EQ(s.selectedPiece, 0);
    EXPECT_EQ(out.fit, FitKind::View) << "a fitted view is fitted again";
    EXPECT_EQ(Leftovers(s), (std::vector<Rect>{{0, 0, 1540, 1000}}));

    // Off the sheet it leaves nothing; left of and above the sheet it keeps X = 0.
    Click(s, 11500, 2500);
    ASSERT_EQ(s.selectedPiece, p);
    const long count = s.ElementCount();
    Click(s, -700, 6000);
    EXPECT_EQ(RectOf(s.Element(p)), (Rect{0, 6000, 1000, 1000}));
    EXPECT_EQ(s.ElementCount(), count);

    // A click left of the sheet at the sheet's height is no move.
    Click(s, 500, 6500);
    Click(s, -700, 2000);
    EXPECT_EQ(RectOf(s.Element(p)), (Rect{0, 6000, 1000, 1000}));
}

TEST(ClickLayout, AMoveLeftOfAndAboveTheSheetSurvivesRewriteAndReading)
{
    vortest::ViewerFixture f;
    f.WriteMon(1, {"    0     3     0     0   10000    5000 Chapa 0",
                   "    1    42     0     0    1000    1000 Porta 1"});
    f.state.currentLayout = 1;
    vor::ReadLayoutFile(f.state, f.inputs, false);
    const LayoutEditing editing;
    auto click = [&](double x, double y) {
        vor::ClickLayout(f.state, editing, f.inputs.material, f.inputs.options,
                         vor::HitTest(f.state, x, y), x, y, false, false);
        ASSERT_FALSE(vor::RewriteLayoutFile(f.state));
    };
    click(500, 500);
    click(-300, 7000);
    vor::ReadLayoutFile(f.state, f.inputs, false);
    long pieces = 0;
    for (const ViewerElement& e : f.state.elements)
        if (e.type == kPiece) {
            ++pieces;
            EXPECT_EQ(RectOf(e), (Rect{0, 7000, 1000, 1000}));
        }
    EXPECT_EQ(pieces, 1);
}

TEST(ClickLayout, NothingWhilePulledApart)
{
    LayoutState s = Sheet();
    Add(s, kPiece, {0, 0, 1000, 1000});
    LayoutEditing editing;
    vor::StartSeparate(editing);
    const LayoutState before = s;
    const EditOutcome out = vor::ClickLayout(s, editing, Material(), vor::ViewerOptions{},
                                             vor::HitTest(s, 500, 500), 500, 500, false, false);
    EXPECT_FALSE(out.rewrite || out.redraw || s.layoutModified);
    EXPECT_EQ(s.selectedPiece, 0);
    EXPECT_EQ(s.elements, before.elements);
}

TEST(PieceButtons, AskForASelectedPieceOffTheSheet)
{
    struct Case {
        const char* what;
        bool select;
        Rect piece;
        int message;
        bool beep;
    };
    const Case cases[] = {
        {"on the sheet", true, {0, 0, 1000, 1000}, 0, false},
        {"no selection", false, {0, 6000, 1000, 1000}, 0, true},
    };
    for (const Case& c : cases) {
        for (int button = 0; button < 3; ++button) {
            LayoutState s = Sheet();
            LayoutEditing editing;
            const long p = Add(s, kPiece, c.piece);
            s.selectedPiece = c.select ? p : 0;
            const LayoutState before = s;
            vor::PiecePanel panel;
            const EditOutcome out = button == 0   ? vor::RemovePiece(s, editing, true)
                                    : button == 1 ? vor::RotatePiece(s)
                                                  : vor::OpenResizePanel(s, panel, true);
            EXPECT_EQ(out.message, c.beep ? 0 : 773 + button) << c.what << " " << button;
            EXPECT_EQ(out.beep, c.beep) << c.what << " " << button;
            EXPECT_EQ(s.elements, before.elements);
            EXPECT_FALSE(s.layoutModified);
            EXPECT_EQ(panel.piece, 0);
        }
    }
}

TEST(PieceButtons, RemoveRotateResizeAndNewPieceOffTheSheet)
{
    LayoutState s = Sheet();
    LayoutEditing editing;
    const long p = Add(s, kPiece, {0, 6000, 4965, 1230}, 42);

    // Resize: the panel shows millimetres; "Ok" unchanged leaves the piece as it was.
    s.selectedPiece = p;
    vor::PiecePanel panel;
    EXPECT_EQ(vor::OpenResizePanel(s, panel, false).message, 0);
    EXPECT_EQ(panel.values.width, "496.5");
    EXPECT_EQ(panel.values.height, "123");
    EXPECT_FALSE(panel.codeEnabled);
    EditOutcome out = vor::AcceptPiecePanel(s, panel, false);
    EXPECT_TRUE(out.hidePanel);
    EXPECT_EQ(RectOf(s.Element(p)), (Rect{0, 6000, 4965, 1230}));
    panel.values.width = "500,25";  // comma accepted, halves to even
    panel.values.height = "0.35";
    out = vor::AcceptPiecePanel(s, panel, false);
    EXPECT_EQ(out.message, 776) << "below 1 mm";
    panel.values.height = "1";
    vor::AcceptPiecePanel(s, panel, false);
    EXPECT_EQ(RectOf(s.Element(p)), (Rect{0, 6000, 5002, 10}));
    EXPECT_TRUE(s.layoutModified);

    // Rotate.
    s.layoutModified = false;
    vor::RotatePiece(s);
    EXPECT_EQ(RectOf(s.Element(p)), (Rect{0, 6000, 10, 5002}));
    EXPECT_EQ(s.selectedPiece, 0);
    EXPECT_TRUE(s.layoutModified);

    // Remove: the values are remembered for "Nova".
    s.selectedPiece = p;
    s.layoutModified = false;
    out = vor::RemovePiece(s, editing, true);
    EXPECT_TRUE(out.rewrite);
    EXPECT_EQ(s.Element(p).type, kRemoved);
    EXPECT_EQ(s.selectedPiece, 0);
    EXPECT_EQ(editing.newPiece.width, "1.0");
    EXPECT_EQ(editing.newPiece.height, "500.2");
    EXPECT_EQ(editing.newPiece.code, "42");

    // New: stored above the sheet with the typed code.
    panel = vor::NewPiecePanel(editing);
    EXPECT_TRUE(panel.codeEnabled);
    panel.values.width = "250";
    panel.values.height = "500";
    out = vor::AcceptPiecePanel(s, panel, true);
    EXPECT_EQ(out.fit, FitKind::View);
    const ViewerElement& added = s.elements.back();
    EXPECT_EQ(added.type, kPiece);
    EXPECT_EQ(added.code, 42);
    EXPECT_EQ(RectOf(added), (Rect{1000, 5500, 2500, 5000}));
    EXPECT_GT(added.colourGroup, 0);
    EXPECT_TRUE(vor::OutsideSheet(s, s.ElementCount()));

    vor::ResetNewPieceValues(editing);
    EXPECT_EQ(vor::NewPiecePanel(editing).values.code, "999");
    EXPECT_EQ(vor::NewPiecePanel(editing).values.width, "");
}

TEST(PieceButtons, PanelSizesOutOfRangeAreRefused)
{
    const std::pair<const char*, const char*> refused[] = {
        {"0.9", "100"}, {"100", "0.94"}, {"1000.1", "100"}, {"100", "500.1"},
        {"", "100"},    {"abc", "100"},  {"1e300", "100"},  {"-5", "100"},
    };
    for (const auto& [w, h] : refused) {
        LayoutState s = Sheet();
        vor::PiecePanel panel{{w, h, "7"}, true, 0};
        const EditOutcome out = vor::AcceptPiecePanel(s, panel, false);
        EXPECT_EQ(out.message, 776) << w << " x " << h;
        EXPECT_FALSE(out.hidePanel);
        EXPECT_EQ(s.ElementCount(), 1);
    }
    LayoutState s = Sheet();
    vor::PiecePanel panel{{"1000", "500", "7"}, true, 0};  // the sheet's own size
    EXPECT_EQ(vor::AcceptPiecePanel(s, panel, false).message, 0);
    EXPECT_EQ(s.ElementCount(), 2);
}

TEST(HalveLeftover, ThePartsAndTheKerfFillTheOldLeftover)
{
    struct Case {
        int kerf;
        Rect leftover;
        std::vector<Rect> parts;  // empty: refused with a beep
    };
    const Case cases[] = {
        {40, {100, 200, 3000, 2001}, {{100, 200, 3000, 960}, {100, 1200, 3000, 1001}}},
        {40, {100, 200, 3000, 2000}, {{100, 200, 3000, 960}, {100, 1200, 3000, 1000}}},
        {0, {100, 200, 3000, 2}, {{100, 200, 3000, 1}, {100, 201, 3000, 1}}},
        {2, {100, 200, 3000, 3}, {}},
        {2, {100, 200, 3000, 5}, {}},  // round(2.5) is 2: no lower part
    };
    for (const Case& c : cases) {
        LayoutState s = Sheet();
        s.pickedLeftover = Add(s, kOffcut, c.leftover);
        const LayoutState before = s;
        const EditOutcome out = vor::HalveLeftover(s, Material(c.kerf));
        if (c.parts.empty()) {
            EXPECT_TRUE(out.beep) << c.leftover.h;
            EXPECT_EQ(s.elements, before.elements);
            continue;
        }
        EXPECT_FALSE(out.beep);
        EXPECT_EQ(Leftovers(s), c.parts) << c.leftover.h;
        EXPECT_EQ(s.pickedLeftover, 0);
        EXPECT_TRUE(s.layoutModified);
        const Rect lower = c.parts[0], upper = c.parts[1];
        EXPECT_EQ(lower.h + c.kerf + upper.h, c.leftover.h);
        EXPECT_EQ(upper.y + upper.h, c.leftover.y + c.leftover.h);
    }
}

TEST(Repetitions, OnlyIntegersFromZeroTo2000)
{
    const std::pair<const char*, int> cases[] = {
        {"0", 0}, {"2000", 2000}, {" 1 2 ", 12}, {"+5", 5}, {"2001", -1}, {"-1", -1},
        {"", -1}, {"abc", -1}, {"12a", -1}, {"99999999999", -1}, {"1.5", -1},
    };
    for (const auto& [text, value] : cases) {
        LayoutState s = Sheet();
        s.Element(1).x = 3;
        s.sheetRepetitions = 3;
        const EditOutcome out = vor::SetRepetitions(s, text);
        EXPECT_TRUE(out.hidePanel) << text;
        if (value < 0) {
            EXPECT_EQ(out.message, 785) << text;
            EXPECT_EQ(s.Element(1).x, 3) << text;
            EXPECT_FALSE(out.rewrite);
        } else {
            EXPECT_EQ(out.message, 0) << text;
            EXPECT_EQ(s.Element(1).x, value) << text;
            EXPECT_EQ(s.sheetRepetitions, value);
            EXPECT_EQ(s.figures.repetitions, value);
            EXPECT_TRUE(out.rewrite);
        }
    }
}

TEST(Editing, EveryEditIsKeptWhenTheUserStepsAwayAtOnce)
{
    struct Case {
        const char* what;
        std::function<void(LayoutState&, const vor::LayoutMaterial&)> edit;
        const char* expectedLine;  // a line of the rewritten file
    };
    const Case cases[] = {
        {"rotation",
         [](LayoutState& s, const vor::LayoutMaterial&) {
             s.selectedPiece = 3;
             vor::RotatePiece(s);
         },
         "    1    42       0    7000    2000    1000 Porta 1"},
        {"resize",
         [](LayoutState& s, const vor::LayoutMaterial&) {
             s.selectedPiece = 3;
             vor::PiecePanel panel;
             vor::OpenResizePanel(s, panel, true);
             panel.values.width = "150";
             vor::AcceptPiecePanel(s, panel, false);
         },
         "    1    42       0    7000    1500    2000 Porta 1"},
        {"new piece",
         [](LayoutState& s, const vor::LayoutMaterial&) {
             LayoutEditing editing;
             vor::PiecePanel panel = vor::NewPiecePanel(editing);
             panel.values.width = "120";
             panel.values.height = "30";
             vor::AcceptPiecePanel(s, panel, false);
         },
         "    1   999    1000    5500    1200     300 --- 0"},
        {"halving",
         [](LayoutState& s, const vor::LayoutMaterial& m) {
             s.pickedLeftover = 2;
             vor::HalveLeftover(s, m);
         },
         "    4     0       0    1500    5000    1500 --- 0"},
    };
    for (const Case& c : cases) {
        vortest::ViewerFixture f;
        f.WriteMon(1, {"    0     3     0     0   10000    5000 Chapa 0",
                       "    2     0     0     0    5000    3000 Retalho 0",
                       "    1    42     0    7000    1000    2000 Porta 1"});
        f.state.currentLayout = 1;
        vor::ReadLayoutFile(f.state, f.inputs, false);
        ASSERT_EQ(f.state.Element(3).type, kPiece);
        c.edit(f.state, f.inputs.material);
        // What stepping to another layout does first.
        ASSERT_TRUE(f.state.layoutModified) << c.what;
        ASSERT_FALSE(vor::RewriteLayoutFile(f.state));
        const auto lines = vor::ReadTextLines(f.Mon(1));
        ASSERT_TRUE(lines);
        EXPECT_NE(std::find(lines->begin(), lines->end(), c.expectedLine), lines->end())
            << c.what << "\n" << vortest::ReadBytes(f.Mon(1));
    }
}

TEST(PullApart, SeparateThenJoinEndsTogether)
{
    LayoutState s = Sheet();
    const long p = Add(s, kPiece, {3000, 1500, 1000, 1000});
    Add(s, kScrap, {4040, 0, 1000, 2999});
    LayoutEditing editing;
    EXPECT_EQ(vor::StartSeparate(editing).fit, FitKind::View);
    EXPECT_TRUE(editing.Separated());
    EXPECT_FALSE(vor::EditButtonStates(s, editing).separate);
    EXPECT_FALSE(vor::EditButtonStates(s, editing).join) << "not before the last step";
    for (int step = 1; step <= 20; ++step) {
        const EditOutcome out = vor::PullApartTick(s, editing);
        EXPECT_TRUE(out.redraw);
        EXPECT_EQ(out.fit, FitKind::Layout);
        EXPECT_EQ(s.Element(p).dx, vor::Round(3000.0 * step / 30));
    }
    EXPECT_EQ(s.Element(p).dx, 2000);
    EXPECT_EQ(s.Element(p).dy, 1000);
    EXPECT_EQ(s.Element(3).dy, 0);
    EXPECT_EQ(editing.pullApart, vor::PullApart::Separated);
    const vor::EditButtons apart = vor::EditButtonStates(s, editing);
    EXPECT_TRUE(apart.join);
    EXPECT_FALSE(apart.separate || apart.routing);
    // Further ticks and a second start change nothing.
    vor::StartSeparate(editing);
    EXPECT_FALSE(vor::PullApartTick(s, editing).redraw);
    EXPECT_EQ(s.Element(p).dx, 2000);

    vor::StartJoin(editing);
    int ticks = 0;
    EditOutcome out;
    while (editing.Separated() && ticks < 100) {
        out = vor::PullApartTick(s, editing);
        ++ticks;
    }
    EXPECT_LT(ticks, 100);
    EXPECT_EQ(out.fit, FitKind::View);
    for (const ViewerElement& e : s.elements) {
        EXPECT_EQ(e.dx, 0);
        EXPECT_EQ(e.dy, 0);
    }
    const vor::EditButtons together = vor::EditButtonStates(s, editing);
    EXPECT_TRUE(together.separate && together.routing);
    EXPECT_FALSE(together.join);
}

TEST(EditButtons, FollowTheSelection)
{
    LayoutState s = Sheet();
    const LayoutEditing editing;
    vor::EditButtons b = vor::EditButtonStates(s, editing);
    EXPECT_FALSE(b.remove || b.rotate || b.resize || b.divide || b.join);
    s.selectedPiece = 1;
    b = vor::EditButtonStates(s, editing);
    EXPECT_TRUE(b.remove && b.rotate && b.resize);
    EXPECT_FALSE(b.divide);
    s.selectedPiece = 0;
    s.pickedLeftover = 1;
    b = vor::EditButtonStates(s, editing);
    EXPECT_TRUE(b.divide);
    EXPECT_FALSE(b.remove);
}

}  // namespace
