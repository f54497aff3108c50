#include "vorplan/layoutview/layout_statistics.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/layoutview/layoutview_support.h"

namespace {

namespace fs = std::filesystem;
using vor::LayoutReading;
using vortest::ReadBytes;

// Sheet 2750 x 1830 mm cut twice, trims 10 / 10 / 5 / 5 mm, three pieces, an
// offcut and a scrap rectangle.
const std::vector<std::string> kTrimmedLayout = {
    "; Arquivo de distribuição ( Modificado )",
    "",
    ";Tipo  Cód.     X     Y     L     H ",
    "",
    "    0     3     1     0   27500   18300 Chapa 0",
    "    5     0   100   100      50      50 Borda_de_seg 0",
    "    1   101     0     0    6030    4040 Porta_@1 77",
    "    1   102  6070     0    5040    8035 Tampo_@1_@3 78",
    "    1   103     0  4080    3532    2040 --- 0",
    "    4     1  3572  4080    2458    2040 --- 0",
    "    2     0     0  6160    6030   12040 Retalho_1/2 0",
};

class LayoutStatisticsTest : public ::testing::Test, public vortest::ViewerFixture {
protected:
    LayoutStatisticsTest() { inputs.options.deductPieceBorder = false; }

    const vor::LayoutFigures& Read(const std::vector<std::string>& lines, bool report = false)
    {
        WriteMon(state.currentLayout, lines);
        vor::ReadLayoutFile(state, inputs, report, LayoutReading::SumOnly);
        if (report)
            vor::ComputeLayoutStatistics(state, inputs, true);
        return state.figures;
    }

    static std::vector<std::string> WithPiece(const std::string& line, int repetitions = 0)
    {
        return {"    0     3 " + std::to_string(repetitions) + "     0   27500   18300 Chapa 0",
                "    5     0     0     0       0       0 Borda_de_seg 0", line};
    }

    vortest::StubMessages stub;
};

TEST_F(LayoutStatisticsTest, CountsAreasAndYield)
{
    const vor::LayoutFigures& f = Read(kTrimmedLayout);
    EXPECT_EQ(f.sheetCode, 3);
    EXPECT_EQ(f.repetitions, 1);
    EXPECT_EQ(f.sheetArea, 27500LL * 18300);
    EXPECT_EQ(f.pieceCount, 3);
    EXPECT_EQ(f.pieceArea, 6030LL * 4040 + 5040LL * 8035 + 3532LL * 2040);
    EXPECT_EQ(f.offcutCount, 1);
    EXPECT_EQ(f.offcutArea, 6030LL * 12040);
    EXPECT_EQ(f.scrapCount, 1);
    EXPECT_NEAR(f.yield, 100.0 * static_cast<double>(f.pieceArea) / (27500.0 * 18300), 1e-9);
    EXPECT_NEAR(f.loss, 100 - f.yield, 1e-9);
    const std::vector<vor::ReportPiece> pieces = {{101, 603, 404, 77}, {102, 504, 803, 78}, {103, 353, 204, 0}};
    EXPECT_EQ(f.pieces, pieces);
    // One layout's basis: (m2 x 0.5 + 0.75) per piece, not weighed.
    const double basis = (0.243612 * 0.5 + 0.75) + (0.404964 * 0.5 + 0.75) + (0.0720528 * 0.5 + 0.75);
    EXPECT_NEAR(f.cuttingPriceBasis, basis, 1e-9);
}

TEST_F(LayoutStatisticsTest, EmptyAndZeroSheetsGiveNoYield)
{
    EXPECT_EQ(Read(WithPiece("    4     1     0     0     100     100 --- 0")).yield, 0);
    EXPECT_EQ(state.figures.loss, 100);
    // A sheet of 0 x 0 holds nothing, yet gives a yield of 0 and no fault.
    const vor::LayoutFigures& f = Read({"    0     3     0     0       0       0 Chapa 0",
                                        "    1     1     0     0     100     100 x 0"});
    EXPECT_EQ(f.sheetArea, 0);
    EXPECT_EQ(f.pieceCount, 1);
    EXPECT_EQ(f.yield, 0);
    EXPECT_EQ(f.loss, 100);
}

TEST_F(LayoutStatisticsTest, MarkedPerimeterTakesTheLastMarkInOrder)
{
    struct Case {
        const char* description;
        double marked;
    };
    // A piece of 603 x 404 mm, cut once.
    const Case cases[] = {
        {"Sem_marca", 0},        {"@", 0},           {"Porta@1", 0.808},
        {"Porta@2", 1.206},      {"@3", 2.014},      {"@2_@1", 1.206},
        {"@3_@2_@1", 2.014},     {"@1@2", 1.206},
    };
    for (const Case& c : cases) {
        state.runTotals = {};
        Read(WithPiece(std::string("    1     1     0     0    6030    4040 ") + c.description + " 0"));
        EXPECT_NEAR(state.runTotals.markedPerimeter, c.marked, 1e-9) << c.description;
        EXPECT_NEAR(state.runTotals.perimeter, 2.014, 1e-9);
    }
}

TEST_F(LayoutStatisticsTest, RunTotalsWeighEachLayoutByItsRepetitions)
{
    Read(WithPiece("    1     1     0     0    6030    4040 a@2 0", 1));    // cut twice
    Read(WithPiece("    1     1     0     0   10000    5000 b@3 0", 2));    // cut three times
    EXPECT_NEAR(state.runTotals.perimeter, 2.014 * 2 + 3.0 * 3, 1e-9);
    EXPECT_NEAR(state.runTotals.markedPerimeter, 1.206 * 2 + 3.0 * 3, 1e-9);
}

TEST_F(LayoutStatisticsTest, BorderDeductionTakesTheEqualPieceBorder)
{
    struct Case {
        bool deduct;
        long long border;
        std::int64_t area;
        long long lengthMm, heightMm;
    };
    const Case cases[] = {
        {false, 20, 6030LL * 4040, 603, 404},
        {true, 20, 6010LL * 4020, 601, 402},
        {true, 25, 6005LL * 4015, 601, 402},  // 2.5 mm rounds to the even 2
        {true, 35, 5995LL * 4005, 599, 400},  // 3.5 mm rounds to 4
        {true, -1, 6030LL * 4040, 603, 404},  // no calculation data: no border
    };
    for (const Case& c : cases) {
        inputs.options.deductPieceBorder = c.deduct;
        inputs.pieceBorder = c.border;
        const vor::LayoutFigures& f = Read(WithPiece("    1     1     0     0    6030    4040 x 0"));
        EXPECT_EQ(f.pieceArea, c.area) << c.border;
        EXPECT_EQ(f.pieces.at(0).width, c.lengthMm);
        EXPECT_EQ(f.pieces.at(0).height, c.heightMm);
    }
}

TEST_F(LayoutStatisticsTest, ReportOfALayoutWithTrimsMatchesGolden)
{
    state.currentLayout = 2;
    state.layoutCount = 5;
    inputs.options.showDecimals = true;
    Read(kTrimmedLayout, true);
    std::string text;
    for (const std::string& line : state.report)
        text += line + "\n";
    EXPECT_EQ(text, ReadBytes(fs::path(VOR_SOURCE_DIR) / "tests/layoutview/golden/report.txt"));

    // The long numbers of "99.999..." and no trim block without trims.
    inputs.options.longNumbers = true;
    std::vector<std::string> untrimmed = kTrimmedLayout;
    untrimmed[5] = "    5     0     0     0       0       0 Borda_de_seg 0";
    Read(untrimmed, true);
    for (const std::string& line : state.report)
        EXPECT_EQ(line.find("<490>"), std::string::npos);
    EXPECT_EQ(state.report[6], "<202>" + vor::FormatPercent(state.figures.yield, true) + " %");
    EXPECT_EQ(vor::FormatPercent(12.5, true), "12.5");
    EXPECT_EQ(vor::FormatPercent(12.5, false), "12.50");
}

TEST_F(LayoutStatisticsTest, PanelTexts)
{
    Read(kTrimmedLayout);
    const vor::LayoutPanelTexts t = vor::MakeLayoutPanelTexts(state, inputs.options);
    EXPECT_EQ(t.repetitions, "1");
    EXPECT_EQ(t.sheetSize, "2750.0 x 1830.0");
    EXPECT_EQ(t.sheetDescription, "Chapa");
    EXPECT_EQ(t.pieces, "3");
    EXPECT_EQ(t.loss, vor::FormatPercent(state.figures.loss, false) + " %");
}

TEST_F(LayoutStatisticsTest, CountElementsFlagsACodeWithTwoSizes)
{
    const std::vector<std::string> base = {
        "    0     3     0     0   27500   18300 Chapa 0",
        "    5     0     0     0       0       0 Borda_de_seg 0",
        "    1     5     0     0    5000    3000 a 1",
        "    1     5  6000     0    3000    5000 a 1",  // turned: the same piece
        "    1     6     0  6000    5000    3100 b 2",  // another key
        "    2     0 10000 10000    4000    4000 r/1 0",
        "    4     0 20000 10000     400     400 --- 0",
    };
    Read(base);
    vor::ElementCount c = vor::CountElements(state, true);
    EXPECT_EQ(c.errorCode, 0);
    EXPECT_FALSE(c.show) << "silent without an error shows nothing";
    EXPECT_EQ(c.pieces, 3);
    EXPECT_EQ(c.offcuts, 1);
    EXPECT_EQ(c.scrap, 1);
    EXPECT_EQ(c.distinctPieces, 2);
    EXPECT_EQ(c.text, "Elementos: 5\n3 peça(s)\n1 retalho(s)\n1 sobra(s)\n\n2 peças diferentes\n\nErro: 0");
    EXPECT_TRUE(vor::CountElements(state, false).show);

    std::vector<std::string> wrong = base;
    wrong.push_back("    1     5 12000     0    5000    3100 a 1");
    Read(wrong);
    c = vor::CountElements(state, true);
    EXPECT_EQ(c.errorCode, 5);
    EXPECT_TRUE(c.show) << "an error is shown even when silent";
    EXPECT_NE(c.text.find("Erro: 5"), std::string::npos);
}

}  // namespace
