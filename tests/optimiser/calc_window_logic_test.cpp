// The rules of the calculation window that need no display, and the order
// items it shares with the project manager.
#include "vorplan/optimiser/calc_window_logic.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "vorplan/common/codec.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/order_items.h"
#include "vorplan/optimiser/option_illustrations.h"

namespace {

using vor::CalcSettings;

// Every message slot a test reads names itself.
class WithMessages : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_saved = vor::gShared.messages;
        for (long slot : {11L, 33L, 274L, 643L, 656L, 808L, 809L, 810L, 811L, 996L, 997L, 998L, 999L})
            vor::gShared.messages[slot] = "M" + std::to_string(slot);
    }
    void TearDown() override { vor::gShared.messages = m_saved; }

private:
    vor::MessageTable m_saved;
};

// ---- Selection --------------------------------------------------------------------

using SelectionTest = WithMessages;

TEST_F(SelectionTest, OneToSixtyOrdersEnableStartAndShowTheWhatIfPanel)
{
    struct Case {
        long selected;
        long total;
        bool enabled;
        const char* status;
    };
    const Case cases[] = {
        {0, 5, false, "M643 :0 / 5"},
        {1, 5, true, "M643 :1 / 5"},
        {60, 80, true, "M643 :60 / 80"},
        {61, 80, false, "M643 :61 / 80"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.selected);
        const vor::OrderSelectionState state = vor::SelectionStateOf(c.selected, c.total);
        EXPECT_EQ(state.startEnabled, c.enabled);
        EXPECT_EQ(state.whatIfVisible, c.enabled);
        EXPECT_EQ(state.statusText, c.status);
    }
}

// ---- What-if indicator ----------------------------------------------------------------

TEST(WhatIfIndicator, ShowsEveryOverrideAndClearsWhenAllAreBack)
{
    struct Case {
        const char* name;
        void (*change)(CalcSettings&, vor::WhatIfMaterials&);
        bool active;
    };
    const Case cases[] = {
        {"defaults", [](CalcSettings&, vor::WhatIfMaterials&) {}, false},
        {"multiplier 2", [](CalcSettings& s, vor::WhatIfMaterials&) { s.multiplier = "2"; }, true},
        {"multiplier back to 1", [](CalcSettings& s, vor::WhatIfMaterials&) {
             s.multiplier = "2";
             s.multiplier = " 1 ";
         }, false},
        {"empty multiplier", [](CalcSettings& s, vor::WhatIfMaterials&) { s.multiplier = ""; }, true},
        {"rotation Sim", [](CalcSettings& s, vor::WhatIfMaterials&) {
             s.rotation.Check(vor::RotationChoice::Allowed);
         }, true},
        {"infinite sheets", [](CalcSettings& s, vor::WhatIfMaterials&) {
             s.sheetQuantity.Check(vor::SheetQuantityChoice::Infinite);
         }, true},
        {"one material unchecked", [](CalcSettings&, vor::WhatIfMaterials& m) {
             m.Refill({5, 9});
             m.Toggle(1);
         }, true},
        {"material checked again", [](CalcSettings&, vor::WhatIfMaterials& m) {
             m.Refill({5, 9});
             m.Toggle(1);
             m.Toggle(1);
         }, false},
        {"list not yet refilled", [](CalcSettings&, vor::WhatIfMaterials& m) {
             m.Refill({5, 9});
             m.Toggle(0);
             m.Invalidate();
         }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CalcSettings settings;
        vor::WhatIfMaterials materials;
        c.change(settings, materials);
        EXPECT_EQ(vor::WhatIfOverridesActive(settings, materials), c.active);
    }
}

TEST(WhatIfMaterials, RefillChoosesEveryMaterialAndStaleListHasNothingUnchosen)
{
    vor::WhatIfMaterials m;
    m.Refill({12, 7, 30});
    m.Toggle(1);
    m.Toggle(9);  // outside: nothing
    EXPECT_EQ(m.Unchosen(), (std::vector<long long>{7}));
    m.Invalidate();
    EXPECT_TRUE(m.Unchosen().empty());
    m.Refill({7});
    EXPECT_EQ(m.chosen, (std::vector<bool>{true}));
}

using WhatIfExplanation = WithMessages;

TEST_F(WhatIfExplanation, JoinsTheFourLinesWithoutRunningWordsTogether)
{
    vor::gShared.messages[996] = "permite executar";
    vor::gShared.messages[997] = "análises diversas. Pode-se ";
    EXPECT_EQ(vor::WhatIfExplanationText(), "permite executar análises diversas. Pode-se M998 M999");
}

// ---- Option pages ----------------------------------------------------------------------

TEST(OptionPages, EveryItemShowsItsPageAndNoItemShowsD)
{
    const char expected[] = {'1', '2', 'G', '3', '4', '5', '6', '7', '8', '9',
                             'A', 'H', 'I', 'B', 'C', 'F', 'E'};
    const long messages[] = {47, 97, 732, 631, 587, 400, 401, 395, 378,
                             387, 390, 746, 760, 402, 100, 671, 282};
    for (int item = 0; item < vor::kOptionItemCount; ++item) {
        SCOPED_TRACE(item);
        EXPECT_EQ(vor::OptionPageOfItem(item), expected[item]);
        EXPECT_EQ(vor::OptionItemMessage(item), messages[item]);
    }
    for (int none : {-1, 17, 1000})
        EXPECT_EQ(vor::OptionPageOfItem(none), 'D');
    EXPECT_EQ(vor::OptionPageIndex('1'), 0);
    EXPECT_EQ(vor::OptionPageIndex('D'), 12);
    EXPECT_EQ(vor::OptionPageIndex('J'), 18);
    EXPECT_EQ(vor::OptionPageIndex('K'), -1);
}

TEST(OptionPages, DialValueGrowsWithTheCalculationType)
{
    EXPECT_EQ(vor::CalcTypeDialValue(0), 5);
    EXPECT_EQ(vor::CalcTypeDialValue(1), 15);
    EXPECT_EQ(vor::CalcTypeDialValue(2), 45);
    EXPECT_EQ(vor::CalcTypeDialValue(-1), 55);
}

// ---- FitTextToWidth ------------------------------------------------------------------------

// Every character is 5 pixels wide, "b" 6 and "M" 300.
class FakeMetrics final : public vor::TextMetrics {
public:
    int Width(const std::string& text) const override
    {
        int width = 0;
        for (char32_t c : vor::Utf8ToCodePoints(text))
            width += c == U'M' ? 300 : c == U'b' ? 6 : 5;
        return width;
    }
};

TEST(FitTextToWidth, CutsOnlyTextsWiderThan215Pixels)
{
    const FakeMetrics metrics;
    const std::string exact(43, 'a');  // 215 px
    EXPECT_EQ(vor::FitTextToWidth(exact, metrics), exact);

    const std::string kept(42, 'a');  // 210 px
    struct Case {
        std::string text;
        std::string fitted;
    };
    const Case cases[] = {
        {kept + "b", kept + "..."},          // 216 px
        {exact + "b", kept + "..."},         // 221 px
        {kept + "bxyz" + exact, kept + "..."},
        {"M", "M..."},                       // one character wider than the column stays
        {"MM", "M..."},
        {"ç" + std::string(50, 'a'), "ç" + std::string(41, 'a') + "..."},  // characters, not bytes
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(vor::FitTextToWidth(c.text, metrics), c.fitted);
    }
}

// ---- Geometry ----------------------------------------------------------------------------------

TEST(CalcWindowGeometry, CentresOnTheScreenBelowTheIconBar)
{
    const vor::CalcWindowPlacement p =
        vor::PlaceCalcWindow(1280, vor::kCalcPageWidth, vor::kCalcPageHeight, 111);
    EXPECT_EQ(p, (vor::CalcWindowPlacement{247, 111, 785, 456}));
    // trunc(1025 / 2 - 785 / 2) = trunc(120) ; odd widths truncate.
    EXPECT_EQ(vor::PlaceCalcWindow(1025, 777, 431, 0).left, 120);
    EXPECT_EQ(vor::PlaceCalcWindow(600, 777, 431, 0).left, -92);

    // trunc(456 x 10/23 - 431 / 2) is negative: 0.
    EXPECT_EQ(vor::PageControlTop(456, 431), 0);
    // trunc(690 x 10/23 - 400 / 2) = 100.
    EXPECT_EQ(vor::PageControlTop(690, 400), 100);
    EXPECT_EQ(vor::PageControlTop(700, 401), 103);
}

// ---- Enable rules -------------------------------------------------------------------------------

TEST(EnableRules, FollowTheirChoices)
{
    CalcSettings s;
    EXPECT_FALSE(vor::SheetFactorEnabled(s));
    s.sheetOrder.Check(vor::SheetOrder::Decreasing);
    EXPECT_TRUE(vor::SheetFactorEnabled(s));
    s.sheetOrder.Check(vor::SheetOrder::Increasing);
    EXPECT_TRUE(vor::SheetFactorEnabled(s));

    for (auto* group : {&s.forcedStrip, &s.minimumStrip, &s.forcedCut}) {
        EXPECT_FALSE(vor::PreCutSizeEnabled(*group));
        group->Check(vor::PreCut::Horizontal);
        EXPECT_TRUE(vor::PreCutSizeEnabled(*group));
        group->Check(vor::PreCut::Vertical);
        EXPECT_TRUE(vor::PreCutSizeEnabled(*group));
        group->SetChecked(vor::PreCut::Vertical, false);  // none checked
        EXPECT_FALSE(vor::PreCutSizeEnabled(*group));
    }

    EXPECT_FALSE(vor::ExtraPieceEnabled(s));
    s.extraProduction.Check(vor::ExtraProduction::On);
    EXPECT_TRUE(vor::ExtraPieceEnabled(s));

    s.stockMode.Check(vor::StockMode::BestSheetSize);
    vor::ApplyRawMaterialRule(s);
    EXPECT_FALSE(s.stockSourcesEnabled);
    s.stockMode.Check(vor::StockMode::Normal);
    vor::ApplyRawMaterialRule(s);
    EXPECT_TRUE(s.stockSourcesEnabled);
}

// ---- Order items ----------------------------------------------------------------------------------

using OrderItems = WithMessages;

TEST_F(OrderItems, NumberPaddedToThreeThenDescriptionWithPiecesDateAndStatus)
{
    vor::OrderList list;
    const std::string longDescription = std::string(55, 'd') + "ção~12";  // 63 characters
    auto add = [&list](int number, const std::string& description, const char* date, int status) {
        vor::OrderRecord& r = list.records[++list.count];
        r.number = number;
        r.description = description;
        r.date = date;
        r.status = status;
    };
    add(7, "Mesa~12", "24/03/25", 1);
    add(1234, "Porta~3", "01/01/25", 3);
    add(42, longDescription, "02/02/25", 9);

    const std::vector<std::string> items = vor::OrderItems(list);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0], "  7~Mesa~12~24/03/25~M809");
    EXPECT_EQ(items[1], "1234~Porta~3~01/01/25~M811");
    // The first 60 characters of the description, counted as characters.
    EXPECT_EQ(items[2], " 42~" + std::string(55, 'd') + "ção~1~02/02/25~error");

    const vor::TildeFields fields = vor::SplitTilde(items[0]);
    EXPECT_EQ(fields.count, 5);
    EXPECT_EQ(fields.fields[3], "12");
}

TEST_F(OrderItems, ColumnsFollowTheTitles)
{
    vor::ColumnSet columns;
    vor::SetupOrderListColumns(columns, 7);
    EXPECT_EQ(columns.count, 5);
    EXPECT_EQ(columns.titles[1], "M11 ");
    EXPECT_EQ(columns.titles[2], "M33" + std::string(46, ' '));
    EXPECT_EQ(columns.titles[3], "M274     ");
    EXPECT_EQ(columns.titles[4], "   M656   ");
    EXPECT_EQ(columns.titles[5], "Status  ");
    EXPECT_EQ(columns.x[1], 1);
    EXPECT_EQ(columns.x[2], 1 + 4 * 7 + 10);
    EXPECT_EQ(columns.x[3], columns.x[2] + 49 * 7 + 10);
    EXPECT_EQ(columns.x[5], columns.x[4] + 10 * 7 + 10);
}

// ---- Illustration geometry -----------------------------------------------------------------------

TEST(SheetTexture, TinyBoxesStillAdvanceAndEmptyBoxesDrawNothing)
{
    int draws = 0;
    const vor::RandomSource random = [&draws](int range) {
        ++draws;
        return range - 1;
    };
    const auto cells = vor::SheetTextureGeometry(2, 1, random);
    ASSERT_EQ(cells.size(), 2u);  // cells of 1 x 1
    EXPECT_EQ(cells[1].rect, (vor::Rect{1, 0, 2, 1}));
    EXPECT_EQ(cells[0].brush, vor::RgbColor(127, 127, 217));
    EXPECT_TRUE(vor::SheetTextureGeometry(0, 10, random).empty());
    EXPECT_EQ(draws, 2);
}

}  // namespace
