#include "vorplan/results/calc_summary.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "tests/results/results_support.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/rtf/styled_doc.h"
#include "vorplan/optimiser/layout_files.h"

namespace {

namespace fs = std::filesystem;
using vortest::PieceLine;
using vortest::ReadBytes;
using vortest::SheetLine;
using vortest::WriteBytes;

class CalcSummaryTest : public ::testing::Test {
protected:
    void Layout(long long material, long long number, const std::vector<std::string>& lines)
    {
        vortest::WriteLayout(folders, material, number, lines);
    }

    // Every paragraph's text, one line each.
    static std::vector<std::string> Lines(const vor::StyledDoc& doc)
    {
        std::vector<std::string> lines;
        for (const vor::StyledParagraph& p : doc.paragraphs) {
            std::string text;
            for (const vor::StyledRun& run : p.runs)
                text += run.text;
            lines.push_back(text);
        }
        return lines;
    }

    static bool Has(const std::vector<std::string>& lines, const std::string& line)
    {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }

    vortest::TestInstallation inst;
    vor::DataFolders folders = vor::MakeDataFolders(inst.base());
    vortest::StubMessages messages;
};

TEST_F(CalcSummaryTest, CollectsDistinctSizesWeighedByRepetitionsWithoutTouchingTheFiles)
{
    Layout(12, 1, {"; header", SheetLine(3, 0, 27500, 18300), PieceLine(1, 0, 0, 10000, 5000)});
    // A line of 20 fields is read by its first 15.
    Layout(12, 2, {SheetLine(3, 1, 27500, 18300),
                   "    1 2 0 0 10000 5000 Peca 1 0 0 0 0 0 0 0 7 7 7 7 7"});
    Layout(12, 3, {SheetLine(-4, 2, 20000, 10000, "Retalho"), PieceLine(1, 0, 0, 10000, 5000),
                   PieceLine(2, 0, 5000, 10000, 5000)});
    // Layout 4 is missing: layout 5 is never read.
    Layout(12, 5, {SheetLine(3, 9, 11111, 22222)});
    std::vector<std::string> before;
    for (int n : {1, 2, 3, 5})
        before.push_back(ReadBytes(vor::LayoutFile(folders, n, 12)));

    const vor::MaterialLayoutSums sums = vor::CollectSheetSizes(folders, 12);
    EXPECT_FALSE(sums.problem);
    const std::vector<vor::SheetSizeEntry> sizes = {{27500, 18300, 3, "Chapa"},
                                                    {20000, 10000, 3, "Retalho"}};
    EXPECT_EQ(sums.sizes, sizes);
    EXPECT_EQ(sums.totals.layouts, 3);
    EXPECT_EQ(sums.totals.sheets, 3);
    EXPECT_EQ(sums.totals.offcuts, 3);
    EXPECT_EQ(sums.totals.piecesPlaced, 1 + 2 + 6);
    EXPECT_NEAR(sums.totals.pieceAreaM2, 9 * 0.5, 1e-9);
    // 1000 x 500 mm pieces: 3 m of sides each.
    EXPECT_NEAR(sums.perimeter, 9 * 3.0, 1e-9);

    int i = 0;
    for (int n : {1, 2, 3, 5})
        EXPECT_EQ(ReadBytes(vor::LayoutFile(folders, n, 12)), before[i++]) << n;
}

TEST_F(CalcSummaryTest, AMaterialWithoutLayoutsHasNoSizesAndManySizesAreAllKept)
{
    EXPECT_TRUE(vor::CollectSheetSizes(folders, 30).sizes.empty());
    EXPECT_EQ(vor::CollectSheetSizes(folders, 30).totals.layouts, 0);

    for (int n = 1; n <= 350; ++n)
        Layout(31, n, {SheetLine(1, 0, 10000 + n, 5000)});
    const vor::MaterialLayoutSums sums = vor::CollectSheetSizes(folders, 31);
    ASSERT_EQ(sums.sizes.size(), 350u);
    EXPECT_EQ(sums.sizes.back(), (vor::SheetSizeEntry{10350, 5000, 1, "Chapa"}));
}

TEST_F(CalcSummaryTest, ALayoutFileNotReadWholeIsNamedAndItsMaterialNotSummed)
{
    std::vector<std::string> big = {SheetLine(1, 0, 30000, 20000)};
    for (long i = 0; i < vor::kLayoutFileLineCapacity + 3; ++i)
        big.push_back(PieceLine(1, 0, 0, 10, 10));
    Layout(40, 1, {SheetLine(1, 0, 30000, 20000)});
    Layout(40, 2, big);
    Layout(41, 1, {SheetLine(1, 0, 30000, 20000), "    1 1 0 0 99999999999 4000 x 0"});

    for (long long material : {40, 41}) {
        const vor::MaterialLayoutSums sums = vor::CollectSheetSizes(folders, material);
        ASSERT_TRUE(sums.problem) << material;
        const fs::path named = vor::LayoutFile(folders, material == 40 ? 2 : 1, material);
        EXPECT_NE(sums.problem->find(named.string()), std::string::npos) << *sums.problem;
        EXPECT_TRUE(sums.sizes.empty());
        EXPECT_EQ(sums.totals.layouts, 0);
    }
}

TEST_F(CalcSummaryTest, PieceAreaIsTheLayoutPassesWithoutBorderDeduction)
{
    vortest::ViewerFixture viewer;
    viewer.WriteMon(1, {SheetLine(3, 1, 20000, 10000), PieceLine(1, 0, 0, 6000, 4000),
                        PieceLine(2, 6040, 0, 3000, 3000)});
    viewer.WriteMon(2, {SheetLine(3, 0, 20000, 10000), PieceLine(1, 0, 0, 6000, 4000)});
    const vor::MaterialLayoutSums sums =
        vor::CollectSheetSizes(viewer.inputs.folders, vortest::kViewerMaterial);

    vor::LayoutState state;
    vor::LayoutTotals totals;
    viewer.inputs.pieceBorder = 100;
    viewer.inputs.options.deductPieceBorder = false;
    vor::RunLayoutPass(state, viewer.inputs, totals);
    EXPECT_NEAR(sums.totals.pieceAreaM2, totals.pieceAreaM2, 1e-12);
    viewer.inputs.options.deductPieceBorder = true;
    vor::RunLayoutPass(state, viewer.inputs, totals);
    EXPECT_GT(sums.totals.pieceAreaM2, totals.pieceAreaM2 + 0.01);
}

TEST_F(CalcSummaryTest, ViewedMarksAreCreatedOnceAndSetForTheClickedMaterialOnly)
{
    const fs::path aum = vor::LastCalcMaterialsFile(folders);
    const std::string unviewed = std::string("\x0c\0\0\0\0\0\0\0", 8) + std::string("\x1e\0\0\0\0\0\0\0", 8);
    vor::EnsureLastCalcMaterials(folders, vortest::Selection({12, 30}));
    EXPECT_EQ(ReadBytes(aum), unviewed);

    vor::MarkMaterialViewed(folders, 30);
    EXPECT_EQ(ReadBytes(aum), std::string("\x0c\0\0\0\0\0\0\0", 8) + std::string("\x1e\0\0\0\1\0\0\0", 8));
    // An existing file is read, not made again.
    EXPECT_EQ(vor::EnsureLastCalcMaterials(folders, vortest::Selection({12, 30})),
              (std::vector<vor::LastCalcMaterial>{{12, false}, {30, true}}));
    // A material without a record gets one, viewed.
    vor::MarkMaterialViewed(folders, 7);
    EXPECT_EQ(ReadBytes(aum).substr(16), std::string("\x07\0\0\0\1\0\0\0", 8));
}

TEST_F(CalcSummaryTest, ListItemsShowTheViewedMarkAndTheStockUpdateGetsBlanks)
{
    vortest::WriteMaterialFile(folders, 12, "MDF branco");
    vortest::WriteMaterialFile(folders, 30, "Vidro");
    const std::vector<std::string> items = vor::FillMaterialList(
        folders, vortest::Selection({12, 30}), {{12, false}, {30, true}});
    EXPECT_EQ(items, (std::vector<std::string>{"12~MDF branco", "30   *~Vidro"}));
    EXPECT_EQ(vor::StockUpdateItems(items),
              (std::vector<std::string>{"12    MDF branco", "30   *    Vidro"}));
}

vor::CalcSummaryData HandWorkedData()
{
    vor::CalcSummaryData data;
    data.comment = "Cozinha {1}";
    data.orders = {{5, "Armário de cozinha completo", 12, 3.456}};
    vor::SummaryMaterial m;
    m.description = "MDF branco 15 mm";
    m.sums.code = 12;
    // 2 m2 sheets: one layout cut once holding 1 m2, one cut three times holding 0.5 m2.
    vor::LayoutFigures a;
    a.sheetCode = 3;
    a.sheetLength = 20000;
    a.sheetHeight = 10000;
    a.sheetArea = 200'000'000;
    a.pieceCount = 1;
    a.pieceArea = 100'000'000;
    a.roundedPieceAreaM2 = 1.2;
    vor::LayoutFigures b = a;
    b.repetitions = 2;
    b.pieceArea = 50'000'000;
    b.roundedPieceAreaM2 = 0.6;
    m.sums.totals.AddLayout(a);
    m.sums.totals.AddLayout(b);
    m.sums.sizes = {{20000, 10000, 4, "Chapa"}};
    m.sums.perimeter = 12.5;
    data.materials.push_back(m);
    vor::SummaryMaterial empty;
    empty.description = "Vidro";
    empty.sums.code = 30;
    data.materials.push_back(empty);
    return data;
}

TEST_F(CalcSummaryTest, SummaryRowsAreWeighedByRepetitions)
{
    const vor::CalcSummaryData data = HandWorkedData();
    vor::YieldDisplayOptions options;
    options.sheetsUsed = true;
    options.perimeter = true;
    std::vector<std::string> lines = Lines(vor::BuildCalcSummary(data, options));
    EXPECT_EQ(lines[0], "Vorlane  v.2.18");
    EXPECT_EQ(lines[1], "<377>");
    EXPECT_EQ(lines[2], "Cozinha {1}");
    // Sheet area 2 + 3 x 2 = 8 m2, pieces 1 + 3 x 0.5 = 2.5 m2: 31.25 %, not 1.5 / 4.
    EXPECT_TRUE(Has(lines, "12\tMDF branco 15 mm\t4\t0\t2\t4\t8.00\t2.50\t31.25%"));
    EXPECT_TRUE(Has(lines, "<32>\t<33>\t<98>\t<99>\t<220>\t<274>\t<254>\t<221>\t<202>"));
    EXPECT_TRUE(Has(lines, "\t<850>:"));
    EXPECT_TRUE(Has(lines, "\t\t<510>\t<142>\t<143>\t<961>"));
    EXPECT_TRUE(Has(lines, "\t\t4\t2000\t1000\tChapa"));
    EXPECT_TRUE(Has(lines, "\t\t<582> - <274>:12.50 m"));
    // A material without layouts: its row, no size table.
    EXPECT_TRUE(Has(lines, "30\tVidro\t0\t0\t0\t0\t0.00\t0.00\t0.00%"));
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "\t<850>:"), 1);
    EXPECT_FALSE(Has(lines, "<846>"));

    // The rounded yield: (1.2 + 3 x 0.6) / 8.
    options.roundedYield = true;
    options.projects = true;
    options.perimeter = false;
    lines = Lines(vor::BuildCalcSummary(data, options));
    EXPECT_TRUE(Has(lines, "12\tMDF branco 15 mm\t4\t0\t2\t4\t8.00\t2.50\t37.50%"));
    EXPECT_TRUE(Has(lines, "<32>\t<33>\t<98>\t<99>\t<220>\t<274>\t<254>\t<221>\t<202>*"));
    EXPECT_TRUE(Has(lines, "<846>"));
    EXPECT_TRUE(Has(lines, "5\tArmário de cozinha...\t12\t3.46"));
    EXPECT_FALSE(Has(lines, "\t\t<582> - <274>:12.50 m"));

    options.sheetsUsed = false;
    lines = Lines(vor::BuildCalcSummary(data, options));
    EXPECT_FALSE(Has(lines, "\t<850>:"));
}

TEST_F(CalcSummaryTest, CommentMinusOneIsLeftOutAndLongDescriptionsAreCut)
{
    vor::CalcSummaryData data = HandWorkedData();
    data.comment = "-1";
    const std::vector<std::string> lines = Lines(vor::BuildCalcSummary(data, {}));
    EXPECT_EQ(lines[2], "");  // straight to the gap before the materials
    EXPECT_EQ(vor::SummaryDescription("123456789012345678"), "123456789012345678");
    EXPECT_EQ(vor::SummaryDescription("1234567890123456789"), "123456789012345678...");
    EXPECT_EQ(vor::SummaryDescription("Peças de ação çãoçãoX"), "Peças de ação çãoç...");
}

TEST_F(CalcSummaryTest, GatheredSummaryOfASmallCalculationMatchesTheGoldenRtf)
{
    vortest::WriteMaterialFile(folders, 12, "MDF branco");
    vortest::WriteMaterialFile(folders, 30, "Vidro temperado incolor 6 mm");
    Layout(12, 1, {SheetLine(3, 1, 27500, 18300), PieceLine(1, 0, 0, 10000, 5000),
                   PieceLine(2, 10040, 0, 7000, 5000)});
    Layout(12, 2, {SheetLine(-2, 0, 12000, 8000, "Retalho"), PieceLine(1, 0, 0, 10000, 5000)});
    WriteBytes(vor::CalcOrdersFile(folders), vor::EncodeTextLines({"5"}));
    WriteBytes(vor::OrderTableFile(folders, 5, true),
               vor::EncodeTextLines({"1 1 2 1000 500 12 Porta", "1 2 3 700 500 12 Lado"}));
    WriteBytes(vor::ProjectDescriptionFile(folders, 5),
               vor::EncodeTextLines({"[PED]", "CAMPO1=Cozinha da Ana"}));
    {
        vor::IniFile calc(vor::CalcDataFile(folders));
        calc.WriteString("DADOS_CONF_CALC", "COMENT", "Primeiro corte");
    }
    const vor::CalcSummaryData data =
        vor::GatherCalcSummary(folders, vortest::Selection({12, 30}), true, true, false);
    ASSERT_EQ(data.orders.size(), 1u);
    EXPECT_EQ(data.orders[0].pieces, 5);
    EXPECT_NEAR(data.orders[0].areaM2, (2 * 1000 * 500 + 3 * 700 * 500) / 1e6, 1e-12);
    EXPECT_EQ(data.comment, "Primeiro corte");

    vor::YieldDisplayOptions options;
    options.projects = true;
    options.perimeter = true;
    const std::string rtf = vor::StyledDocToRtf(vor::BuildCalcSummary(data, options), "<377>");
    std::ifstream in(VOR_TEST_GOLDEN_DIR "/summary.rtf", std::ios::binary);
    const std::string golden((std::istreambuf_iterator<char>(in)), {});
    if (rtf != golden)
        WriteBytes(fs::temp_directory_path() / "summary.actual.rtf", rtf);
    EXPECT_EQ(rtf, golden);
}

}  // namespace
