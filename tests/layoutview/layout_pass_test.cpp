#include "vorplan/layoutview/layout_pass.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

#include "tests/layoutview/layoutview_support.h"
#include "vorplan/common/errors.h"

namespace {

namespace fs = std::filesystem;
using vor::LayoutFigures;
using vor::LayoutTotals;
using vortest::ReadBytes;

LayoutFigures Figures(int code, int repetitions, int length, int height, long pieces,
                      std::int64_t pieceArea, double rounded, double basis)
{
    LayoutFigures f;
    f.sheetCode = code;
    f.repetitions = repetitions;
    f.sheetLength = length;
    f.sheetHeight = height;
    f.sheetArea = static_cast<std::int64_t>(length) * height;
    f.pieceCount = pieces;
    f.pieceArea = pieceArea;
    f.roundedPieceAreaM2 = rounded;
    f.cuttingPriceBasis = basis;
    return f;
}

TEST(LayoutTotals, SumsEveryLayoutByItsRepetitions)
{
    LayoutTotals t;
    // 2 m2 cut once, 2 m2 cut three times, an offcut of 1 m2 cut once.
    t.AddLayout(Figures(3, 0, 20000, 10000, 2, 100'000'000, 1.2, 2.0));
    t.AddLayout(Figures(3, 2, 20000, 10000, 1, 50'000'000, 0.6, 1.0));
    t.AddLayout(Figures(-10, 0, 10000, 10000, 1, 25'000'000, 0.3, 0.9));

    EXPECT_EQ(t.layouts, 3);
    const std::vector<vor::SheetSizeRow> sizes = {{20000, 10000, 4}, {10000, 10000, 1}};
    EXPECT_EQ(t.sheetSizes, sizes);
    EXPECT_EQ(t.sheets, 4);
    EXPECT_EQ(t.offcuts, 1);
    EXPECT_EQ(t.AllSheets(), 5);
    EXPECT_DOUBLE_EQ(t.sheetAreaM2, 8);
    EXPECT_DOUBLE_EQ(t.offcutAreaM2, 1);
    EXPECT_EQ(t.piecesPlaced, 6);
    EXPECT_DOUBLE_EQ(t.pieceAreaM2, 2.75);
    EXPECT_DOUBLE_EQ(t.roundedPieceAreaM2, 3.3);
    EXPECT_NEAR(t.MeanYield(), 2.75 / 9 * 100, 1e-9);
    EXPECT_NEAR(t.MeanLoss(), 100 - 2.75 / 9 * 100, 1e-9);
    EXPECT_NEAR(t.RoundedMeanYield(), 3.3 / 9 * 100, 1e-9);

    vor::LayoutMaterial m;
    m.purchasePrice = 10;
    m.saleFactor = 1.5;
    m.cutPriceFactor = 2;
    m.weightPerArea = 7;
    const vor::TotalsPricing plain = vor::TotalsPricingOf(m, false);
    const vor::TotalsPricing factored = vor::TotalsPricingOf(m, true);
    EXPECT_DOUBLE_EQ(t.SheetPrice(plain), 80);
    EXPECT_DOUBLE_EQ(t.SheetPrice(factored), 120);
    EXPECT_DOUBLE_EQ(t.OffcutPrice(plain), 10);
    EXPECT_DOUBLE_EQ(t.OffcutPrice(factored), 15);
    EXPECT_DOUBLE_EQ(t.SheetWeight(plain), 56);
    EXPECT_DOUBLE_EQ(t.OffcutWeight(plain), 7);
    // Each layout's basis times the times it is cut: 2 + 3 x 1 + 0.9.
    EXPECT_NEAR(t.CuttingPrice(plain), 2 * 5.9, 1e-9);

    LayoutTotals once;
    once.AddLayout(Figures(3, 0, 20000, 10000, 1, 0, 0, 0));
    once.AddLayout(Figures(5, 0, 20000, 10000, 1, 0, 0, 0));
    EXPECT_EQ(once.sheetSizes, (std::vector<vor::SheetSizeRow>{{20000, 10000, 2}}));

    LayoutTotals empty;
    empty.AddLayout(Figures(3, 0, 0, 0, 1, 0, 0.5, 0));
    EXPECT_EQ(empty.MeanYield(), 0);
    EXPECT_EQ(empty.RoundedMeanYield(), 0);
    empty.Clear();
    EXPECT_EQ(empty.layouts, 0);
    EXPECT_TRUE(empty.sheetSizes.empty());
}

class LayoutPassTest : public ::testing::Test, public vortest::ViewerFixture {
protected:
    // Layouts 1..count as the optimiser writes them from its temporary
    // files: layout n on a sheet 2000 + n x 10 mm long, cut n % 3 + 1 times,
    // one piece of 600 x 400 mm and a scrap strip.
    void WriteMaterial(long long count)
    {
        for (long long n = 1; n <= count; ++n) {
            vor::BestLayout layout;
            vor::RunStatus status;
            const int length = 20000 + static_cast<int>(n) * 100;
            layout.Append({vor::ElementType::Sheet, 3, static_cast<std::int32_t>(n % 3), 0, length, 10000}, status);
            layout.Append({vor::ElementType::Piece, 1, 0, 0, 6000, 4000}, status);
            layout.Append({vor::ElementType::Discarded, 1, 6040, 0, 1000, 4000}, status);
            ASSERT_FALSE(vor::WriteTempLayoutFile(inputs.folders, n, vortest::kViewerMaterial, layout));
        }
        vor::LayoutFileSettings settings;
        settings.stockSheetText = "Chapa";
        vor::OrderTable orders;
        ASSERT_TRUE(vor::WriteLayoutFiles(inputs.folders, vortest::kViewerMaterial, count, settings, orders)
                        .problems.empty());
    }

    vortest::StubMessages stub;
    LayoutTotals totals;
};

TEST_F(LayoutPassTest, ReadsEveryLayoutOnceAlsoWhenRunTwice)
{
    WriteMaterial(26);
    state.currentLayout = 4;
    std::vector<long long> expected(26);
    std::iota(expected.begin(), expected.end(), 1);
    for (int run = 0; run < 2; ++run) {
        const vor::LayoutPassResult r = vor::RunLayoutPass(state, inputs, totals);
        EXPECT_FALSE(r.noLayouts);
        EXPECT_FALSE(r.message);
        EXPECT_EQ(state.layoutList, expected);
        EXPECT_EQ(state.layoutCount, 26);
        EXPECT_EQ(state.largestSheetSide, 22600);
        EXPECT_EQ(state.currentLayout, 4);
        EXPECT_EQ(totals.layouts, 26);
        // 26 layouts cut 1, 2, 3, 1, ... times: 9 x 2 + 9 x 3 + 8 x 1.
        EXPECT_EQ(totals.piecesPlaced, 53);
        EXPECT_NEAR(state.runTotals.perimeter, 53 * 2.0, 1e-9);
    }
    EXPECT_EQ(vor::ReadTextLines(Mon(26))->front(), vor::kModifiedLayoutTitle);
}

TEST_F(LayoutPassTest, FillsTheTotalsAlikeWithTheReportTextOnAndOff)
{
    WriteMaterial(3);
    vor::RunLayoutPass(state, inputs, totals);
    LayoutTotals withText;
    std::vector<long long> seen;
    vor::RunLayoutPass(state, inputs, withText, [&](const vor::LayoutState& s) {
        seen.push_back(s.currentLayout);
    });
    EXPECT_EQ(seen, (std::vector<long long>{1, 2, 3}));
    EXPECT_EQ(withText.sheetSizes, totals.sheetSizes);
    EXPECT_EQ(withText.piecesPlaced, totals.piecesPlaced);
    EXPECT_DOUBLE_EQ(withText.pieceAreaM2, totals.pieceAreaM2);
    EXPECT_DOUBLE_EQ(withText.cuttingPriceBasis, totals.cuttingPriceBasis);

    // Without the border deduction the pieces weigh their whole size.
    inputs.pieceBorder = 100;
    inputs.options.deductPieceBorder = true;
    vor::RunLayoutPass(state, inputs, totals);
    const double deducted = totals.pieceAreaM2;
    inputs.options.deductPieceBorder = false;
    vor::RunLayoutPass(state, inputs, totals);
    EXPECT_NEAR(totals.pieceAreaM2, 6 * 0.24, 1e-9);  // cut 2 + 3 + 1 times
    EXPECT_NEAR(deducted, 6 * (0.59 * 0.39), 1e-9);
}

TEST_F(LayoutPassTest, WritesAModifiedLayoutBeforeReading)
{
    WriteMaterial(3);
    state.currentLayout = 2;
    vor::ReadLayoutFile(state, inputs, false);
    state.Element(3).x = 123;
    state.layoutModified = true;
    vor::RunLayoutPass(state, inputs, totals);

    vor::LayoutState check;
    check.currentLayout = 2;
    vor::ReadLayoutFile(check, inputs, false, vor::LayoutReading::SumOnly);
    EXPECT_EQ(check.Element(3).x, 123);
}

TEST_F(LayoutPassTest, StopsAtALayoutThatCannotBeReadAndKeepsItsFile)
{
    WriteMaterial(3);
    WriteMon(2, {"    0     3     0     0   27500   18300 Chapa 0",
                 "    1     1     0     0 99999999999    4000 x 0"});
    const std::string before = ReadBytes(Mon(2));
    state.currentLayout = 3;
    EXPECT_THROW(vor::RunLayoutPass(state, inputs, totals), vor::OverflowError);
    EXPECT_EQ(state.layoutList, (std::vector<long long>{1}));
    EXPECT_EQ(state.layoutCount, 1);
    EXPECT_EQ(state.currentLayout, 3);
    EXPECT_EQ(ReadBytes(Mon(2)), before);
}

TEST_F(LayoutPassTest, TellsTheCallerWhenThereIsNoLayout)
{
    state.layoutList = {1, 2};
    const vor::LayoutPassResult r = vor::RunLayoutPass(state, inputs, totals);
    EXPECT_TRUE(r.noLayouts);
    EXPECT_TRUE(state.layoutList.empty());
    EXPECT_EQ(state.layoutCount, 0);
    EXPECT_EQ(totals.layouts, 0);
}

}  // namespace
