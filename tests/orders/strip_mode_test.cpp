#include "vorplan/orders/strip_mode.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/test_support.h"
#include "vorplan/common/calc_lists.h"
#include "vorplan/common/conversions.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/text_file.h"

namespace {

namespace fs = std::filesystem;
using vor::SheetKind;
using vor::StripOption;
using vortest::ReadBytes;
using vortest::WriteBytes;
using Lines = std::vector<std::string>;

constexpr long long kMaterial = 99010;
constexpr long long kOrder = 7;

std::string Crlf(const Lines& lines)
{
    std::string out;
    for (const std::string& line : lines)
        out += line + "\r\n";
    return out;
}

// ---- Parameters and options -------------------------------------------------------------

TEST(StripOptions, EachCheckAloneAndTheLastFailingOneWins)
{
    struct Case {
        const char* name;
        void (*change)(vor::PcbStripValues&);
        int expected;
    };
    const Case cases[] = {
        {"max width below min", [](auto& v) { v.maxStripWidth = "5"; v.minStripWidth = "6"; }, 1},
        {"max height below min", [](auto& v) { v.maxStripHeight = "5"; v.minStripHeight = "6"; }, 2},
        {"min width below 1 mm", [](auto& v) { v.minStripWidth = "0.9"; }, 3},
        {"max width above 1000 mm", [](auto& v) { v.maxStripWidth = "1000.1"; }, 4},
        // Checks 5 and 13 are the same test: 13 comes later and wins.
        {"min boards below 1", [](auto& v) { v.minBoardsPerStrip = "0"; }, 13},
        {"max boards above 100", [](auto& v) { v.maxBoardsPerStrip = "101"; }, 6},
        {"left border", [](auto& v) { v.borderLeft = "-0.1"; }, 7},
        {"right border", [](auto& v) { v.borderRight = "20.1"; }, 8},
        {"top border", [](auto& v) { v.borderTop = "-1"; }, 9},
        {"bottom border", [](auto& v) { v.borderBottom = "21"; }, 10},
        // One gap serves both directions: the second check wins.
        {"gap", [](auto& v) { v.boardGap = "20,1"; }, 12},
        {"max boards above 500", [](auto& v) { v.maxBoardsPerStrip = "501"; }, 14},
        {"two together", [](auto& v) { v.borderLeft = "-1"; v.maxStripHeight = "-1"; }, 7},
        {"a length too large to hold", [](auto& v) { v.maxStripWidth = "1e300"; }, 4},
    };
    for (const Case& c : cases) {
        vor::PcbStripValues values;
        c.change(values);
        const vor::StripParameters p = vor::StripParametersOf(values);
        EXPECT_EQ(vor::StripParameterError(p), c.expected) << c.name;
        const vor::StripGeneration g = vor::GenerateStripOptions(p);
        EXPECT_EQ(g.error, c.expected) << c.name;
        EXPECT_TRUE(g.options.empty()) << c.name;
    }
    EXPECT_EQ(vor::StripParameterError(vor::StripParametersOf({})), 0);
    EXPECT_EQ(vor::StripCheckText(8), "if (marg_lat_dir<0) or (marg_lat_dir>200)");
    EXPECT_EQ(vor::StripCheckText(14), "qt_max_pci>500 then erro");
}

TEST(StripOptions, TypedLengthsInTenths)
{
    struct Case {
        const char* text;
        std::int64_t rounded, cut;
    };
    const Case cases[] = {
        {"157.5", 1575, 1575}, {"0,7", 7, 7},   {"0.35", 4, 3},   {"0.25", 2, 2},
        {"0.79", 8, 7},        {"-0.79", -8, -7}, {"abc", 0, 0}, {"", 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(vor::StripLengthRounded(c.text), c.rounded) << c.text;
        EXPECT_EQ(vor::StripLengthCut(c.text), c.cut) << c.text;
    }
    // Too large to hold: past every limit, never wrapped.
    EXPECT_GT(vor::StripLengthRounded("1e300"), 100'000'000'000LL);
    EXPECT_LT(vor::StripLengthRounded("-1e300"), -100'000'000'000LL);
}

TEST(StripOptions, DefaultBoardGivesTheUnturnedOptionsBeforeTheTurnedOnes)
{
    const vor::StripGeneration g = vor::GenerateStripOptions(vor::StripParametersOf({}));
    ASSERT_EQ(g.error, 0);
    ASSERT_EQ(g.options.size(), 89u);
    const StripOption& first = g.options.front();
    EXPECT_EQ(first.number, 1);
    EXPECT_EQ(first.across, 1);
    EXPECT_EQ(first.along, 1);
    EXPECT_EQ(first.width, 1575);
    EXPECT_EQ(first.height, 932);
    EXPECT_EQ(first.stripsNeeded, 400);
    EXPECT_DOUBLE_EQ(first.yield, -1.0);
    EXPECT_FALSE(first.selected);
    // The board as given lies 1375 wide; turned it lies 892 wide.
    for (std::size_t i = 0; i < g.options.size(); ++i) {
        EXPECT_EQ(g.options[i].number, static_cast<int>(i) + 1);
        EXPECT_EQ(g.options[i].boardWidth, i < 43 ? 1375 : 892) << i;
        EXPECT_LE(g.options[i].across * g.options[i].along, 25);
    }
    EXPECT_EQ(g.options[43].across, 1);
    EXPECT_EQ(g.options[43].along, 1);
}

TEST(StripOptions, PastFourHundredTheLastFittingOptionTakesPlaceFourHundred)
{
    vor::PcbStripValues v;
    v.boardWidth = "10";
    v.boardHeight = "10";
    v.mayTurn = false;
    v.boardGap = "0";
    v.borderLeft = v.borderRight = v.borderTop = v.borderBottom = "0";
    v.minStripWidth = "1";
    v.maxBoardsPerStrip = "100";
    const vor::StripGeneration g = vor::GenerateStripOptions(vor::StripParametersOf(v));
    // 432 fit; the search ends with 50 across, whose last fit is 50 x 2.
    ASSERT_EQ(g.options.size(), 400u);
    EXPECT_EQ(g.options[399].across, 50);
    EXPECT_EQ(g.options[399].along, 2);
    EXPECT_EQ(g.options[399].number, 400);
    EXPECT_EQ(g.options[398].across, 34);  // the 399th fit stays
    EXPECT_EQ(g.options[398].along, 1);
    EXPECT_EQ(g.greatestWidth, 5000);
}

TEST(StripOptions, StripsNeededAndBoardsWithoutArea)
{
    EXPECT_EQ(vor::StripsNeeded(400, 24), 17);
    EXPECT_EQ(vor::StripsNeeded(24, 24), 1);
    EXPECT_EQ(vor::StripsNeeded(0, 24), 0);
    vor::PcbStripValues v;
    v.boardHeight = "0";
    const vor::StripGeneration g = vor::GenerateStripOptions(vor::StripParametersOf(v));
    EXPECT_EQ(g.error, 0);
    EXPECT_TRUE(g.options.empty());
    EXPECT_DOUBLE_EQ(vor::StripListScale(g, 300, 400), 0.5);
    // A largest height of 0 (minimum height 0, board of height 0 turned away) sets no bound.
    vor::StripGeneration flat;
    flat.options.resize(1);
    flat.greatestWidth = 1000;
    EXPECT_DOUBLE_EQ(vor::StripListScale(flat, 420, 400), 0.1);
}

// ---- Sheet kinds --------------------------------------------------------------------------

TEST(SheetKinds, StatusesOfTheSheetTable)
{
    Lines many;
    for (int i = 1; i <= 21; ++i)
        many.push_back("1 " + std::to_string(i) + " 1 1000 1000 Chapa");
    struct Case {
        const char* name;
        Lines lines;
        int status;
        std::size_t kinds;
    };
    const std::vector<Case> cases = {
        {"two kinds, comment and unmarked lines skipped",
         {"; chapas", "1 1 10 2750 1850 FR4 ; 1 1 1 1 1", "0 2 5 100 100 x", "1 3 5 1220.04 1000"},
         0, 2},
        {"21 marked lines", many, 1, 20},
        {"quantity 0", {"1 1 0 1000 1000"}, 2, 1},
        {"quantity 1001", {"1 1 1 1000 1000", "1 2 1001 1000 1000"}, 2, 2},
        {"width below 1 mm", {"1 1 1 0.9 1000"}, 3, 1},
        {"width above 90000 mm", {"1 1 1 90001 1000"}, 3, 1},
        {"width as an exponent", {"1 1 1 1e9 1000"}, 3, 1},
        {"height 0, and the later test wins", {"1 1 0 1000 0"}, 4, 1},
        {"no marked line", {"0 1 1 1000 1000", ""}, 6, 0},
        {"empty file", {}, 6, 0},
    };
    for (const Case& c : cases) {
        const vor::SheetKindsRead read = vor::ReadSheetKinds(c.lines, vor::SheetKindOrder::List);
        EXPECT_EQ(read.status, c.status) << c.name;
        EXPECT_EQ(read.kinds.size(), c.kinds) << c.name;
    }
    const vor::SheetKindsRead two = vor::ReadSheetKinds(cases[0].lines, vor::SheetKindOrder::List);
    EXPECT_EQ(two.kinds[0], (SheetKind{27500, 18500, 10}));
    EXPECT_EQ(two.kinds[1], (SheetKind{12200, 10000, 5}));

    vortest::TestInstallation installation;
    const vor::DataFolders folders = vor::MakeDataFolders(installation.base());
    EXPECT_EQ(vor::ReadSheetKinds(folders, kMaterial, vor::SheetKindOrder::List).status, 5);

    const vor::MessageTable saved = vor::gShared.messages;
    for (int n = 1; n <= 6; ++n)
        vor::gShared.messages[889 + n] = "status " + std::to_string(n);
    vor::gShared.messages[430] = "Chapas:";
    EXPECT_EQ(vor::SheetKindStatusMessage(1), "Chapas: status 1");
    EXPECT_EQ(vor::SheetKindStatusMessage(6), "Chapas: status 6");
    vor::gShared.messages = saved;
}

TEST(SheetKinds, SortedByAreaKeepTableOrderOnEqualAreas)
{
    const Lines lines = {"1 1 1 2000 1000 a", "1 2 1 3000 3000 b", "1 3 1 1000 2000 c",
                         "1 4 1 500 500 d"};
    auto widths = [&lines](vor::SheetKindOrder order) {
        std::vector<std::int64_t> out;
        for (const SheetKind& k : vor::ReadSheetKinds(lines, order).kinds)
            out.push_back(k.width);
        return out;
    };
    EXPECT_EQ(widths(vor::SheetKindOrder::List), (std::vector<std::int64_t>{20000, 30000, 10000, 5000}));
    EXPECT_EQ(widths(vor::SheetKindOrder::LargestFirst),
              (std::vector<std::int64_t>{30000, 20000, 10000, 5000}));
    EXPECT_EQ(widths(vor::SheetKindOrder::SmallestFirst),
              (std::vector<std::int64_t>{5000, 20000, 10000, 30000}));
}

// ---- Direct strip cutting ------------------------------------------------------------------

std::string Summary(const vor::StripRunResult& run, std::size_t line)
{
    return vor::StripSummaryLines(run, true).at(line).text;
}

TEST(StripCut, EdgeCasesOfTheRun)
{
    struct Case {
        const char* name;
        std::int64_t width, height;
        long long quantity;
        std::vector<SheetKind> kinds;
        long long placed, valid;
        std::vector<long long> sheetsUsed;  // further sheets + 1 of each kind holding strips, else 0
        const char* totalArea;
        const char* yield;
    };
    const std::vector<Case> cases = {
        {"one kind, 10 wanted", 10000, 6000, 10, {{27500, 18500, 10}}, 14, 1, {2}, "10.1750", "82.56"},
        {"two kinds, 20 wanted", 10000, 6000, 20, {{27500, 18500, 2}, {12200, 10000, 5}}, 20, 2, {2, 3},
         "13.8350", "86.74"},
        {"strip larger than the sheet", 10000, 6000, 10, {{5000, 5000, 3}}, 0, 0, {0}, "0.2500", "0.00"},
        {"remaining 9 of 3 a sheet", 10000, 6000, 9, {{30000, 6000, 10}}, 9, 1, {3}, "5.4000", "100.00"},
        {"remaining 3 of 3 a sheet", 10000, 6000, 3, {{30000, 6000, 10}}, 3, 1, {1}, "1.8000", "100.00"},
        {"remaining 2 of 3 a sheet", 10000, 6000, 2, {{30000, 6000, 10}}, 2, 1, {1}, "1.8000", "66.67"},
        {"kinds after the last strip not tried", 10000, 6000, 3, {{30000, 6000, 10}, {30000, 6000, 10}},
         3, 1, {1, 0}, "1.8000", "100.00"},
        {"a quantity of 0", 10000, 6000, 0, {{27500, 18500, 10}}, 0, 0, {0}, "0.0000", "0.00"},
    };
    for (const Case& c : cases) {
        const vor::StripRunResult run = vor::RunStripCut(c.width, c.height, c.quantity, c.kinds);
        EXPECT_EQ(run.stripsPlaced, c.placed) << c.name;
        EXPECT_EQ(run.validLayouts, c.valid) << c.name;
        ASSERT_EQ(run.kinds.size(), c.sheetsUsed.size()) << c.name;
        for (std::size_t i = 0; i < run.kinds.size(); ++i)
            EXPECT_EQ(run.kinds[i].strips > 0 ? run.kinds[i].layout.furtherSheets + 1 : 0,
                      c.sheetsUsed[i])
                << c.name << " kind " << i;
        EXPECT_EQ(Summary(run, 9), "Área total: " + std::string(c.totalArea) + " m2") << c.name;
        EXPECT_EQ(Summary(run, 10), "Aproveitamento: " + std::string(c.yield) + "%") << c.name;
        EXPECT_FALSE(run.zeroStrip) << c.name;
    }
}

TEST(StripCut, TheFirstEdgeCaseInDetail)
{
    const vor::StripSheetLayout found = vor::SearchStripLayout(27500, 18500, 10000, 6000, 10);
    EXPECT_EQ(found.strips, 7);
    EXPECT_EQ(found.leftovers, 4);
    const vor::StripRunResult run = vor::RunStripCut(10000, 6000, 10, {{27500, 18500, 10}});
    EXPECT_EQ(vor::RealToStr2(run.kinds[0].yield), "82.56");
    EXPECT_DOUBLE_EQ(run.scale, 100.0 / 27500 * 0.8);
    const std::vector<vor::CutListLine> summary = vor::StripSummaryLines(run, true);
    ASSERT_EQ(summary.size(), 11u);
    EXPECT_EQ(summary[1].text, "Dimensão: 1000.0 x 600.0");
    EXPECT_EQ(summary[2].text, "Área:0.6000 m2");
    EXPECT_EQ(summary[3].text, "Qtd de tiras necessárias: 10");
    EXPECT_EQ(summary[6], (vor::CutListLine{96, "Qtd tiras: 14", vor::RgbColor(0, 128, 0), false, 8}));
    EXPECT_EQ(summary[7].text, "Área tiras:8.4000 m2");
    EXPECT_EQ(summary[10].pointSize, 10);

    vor::StripDisplayOptions all{true, true, true, true, true, true, true, true};
    const std::vector<vor::CutListLine> lines = vor::StripKindLines(run, 0, all, true);
    std::vector<std::string> texts;
    for (const vor::CutListLine& l : lines)
        texts.push_back(std::to_string(l.offset) + " " + l.text);
    EXPECT_EQ(texts, (Lines{"1 Montagem 1:", "14 Chapa: 2750.0 x 1850.0", "27 Área:5.0875 m2",
                            "40 Qtd tiras posicionadas: 7", "53 Área tiras:4.2000 m2",
                            "66 Qtd retalhos: 4", "79 Qtd desta montagem: 2",
                            "92 Aproveitamento: 82.56%"}));
    EXPECT_EQ(vor::StripKindItemHeight(run, 0, all), 53 + 10 + 13 * 8);
    EXPECT_EQ(vor::StripKindItemHeight(run, 0, vor::StripDisplayOptions{}), 53 + 10 + 13 * 3);
}

TEST(StripCut, AKindWithoutStripsIsDrawnRedAndSilver)
{
    const vor::StripRunResult run = vor::RunStripCut(10000, 6000, 10, {{5000, 5000, 3}});
    EXPECT_EQ(vor::StripSummaryLines(run, true)[6].colour, vor::kRed);
    EXPECT_EQ(vor::StripSummaryLines(run, true)[5].text, "Qtd montagens válidas: 0");
    vor::StripDisplayOptions d;
    d.stripCount = true;
    const std::vector<vor::CutListLine> lines = vor::StripKindLines(run, 0, d, true);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[1].colour, vor::kRed);
    EXPECT_EQ(lines[2].text, "Qtd desta montagem: 0");
    EXPECT_EQ(lines[2].colour, vor::kSilver);
    EXPECT_EQ(lines[3].colour, vor::kSilver);
    EXPECT_DOUBLE_EQ(run.scale, 0.0);
}

TEST(StripCut, AZeroStripPlacesNothingAndIsFlaggedOnce)
{
    const vor::StripRunResult run = vor::RunStripCut(0, 6000, 10, {{27500, 18500, 1}, {12200, 10000, 1}});
    EXPECT_TRUE(run.zeroStrip);
    EXPECT_EQ(run.stripsPlaced, 0);
    EXPECT_EQ(run.validLayouts, 0);
    // Strips of negative size fit nowhere.
    EXPECT_EQ(vor::SearchStripLayout(27500, 18500, -10, -10, 5).strips, 0);
}

TEST(StripCut, UntriedKindsShowTheSizeReadInThisRun)
{
    const vor::StripRunResult run =
        vor::RunStripCut(10000, 6000, 3, {{30000, 6000, 10}, {12200, 10000, 5}});
    EXPECT_FALSE(run.kinds[1].tried);
    EXPECT_EQ(vor::StripKindLines(run, 1, {}, true).at(0).text, "Chapa: 1220.0 x 1000.0");
}

TEST(StripOptions, YieldsAndTheirOrder)
{
    vor::StripGeneration g = vor::GenerateStripOptions(vor::StripParametersOf({}));
    const std::vector<SheetKind> kinds = {{27500, 18500, 10}, {12200, 10000, 20}};
    EXPECT_FALSE(vor::ComputeOptionYields(g.options, kinds));
    for (const StripOption& o : g.options) {
        EXPECT_GT(o.yield, 0.0);
        EXPECT_LE(o.yield, 100.0);
    }
    vor::OrderOptionsByYield(g.options);
    EXPECT_TRUE(std::is_sorted(g.options.begin(), g.options.end(),
                               [](const StripOption& a, const StripOption& b) { return a.yield > b.yield; }));

    std::vector<StripOption> four(4);
    const double yields[] = {50, -1, 70, 50};
    for (int i = 0; i < 4; ++i) {
        four[i].number = i + 1;
        four[i].yield = yields[i];
    }
    vor::OrderOptionsByYield(four);
    EXPECT_EQ((std::vector<int>{four[0].number, four[1].number, four[2].number, four[3].number}),
              (std::vector<int>{3, 1, 4, 2}));

    // No strips wanted: no sheet area, so no yield.
    std::vector<StripOption> none(1);
    none[0].width = 1000;
    none[0].height = 1000;
    vor::ComputeOptionYields(none, kinds);
    EXPECT_DOUBLE_EQ(none[0].yield, -1.0);

    std::atomic<bool> stop{true};
    std::vector<StripOption> stopped = vor::GenerateStripOptions(vor::StripParametersOf({})).options;
    vor::ComputeOptionYields(stopped, kinds, &stop);
    EXPECT_DOUBLE_EQ(stopped[0].yield, -1.0);
}

// ---- Files ----------------------------------------------------------------------------------

class StripFilesTest : public ::testing::Test {
protected:
    vortest::TestInstallation m_installation;
    vor::DataFolders m_folders = vor::MakeDataFolders(m_installation.base());
};

TEST_F(StripFilesTest, TheCutWritesTheGoldenStripLayoutAndDeletesTheNextFile)
{
    WriteBytes(vor::LayoutFile(m_folders, 2, kMaterial), "old layout\r\n");
    const vor::StripRunResult run = vor::RunStripCut(10000, 6000, 10, {{27500, 18500, 10}});
    EXPECT_TRUE(vor::WriteStripLayoutFiles(m_folders, kMaterial, vor::StripRunLayouts(run)).empty());
    EXPECT_EQ(ReadBytes(vor::LayoutFile(m_folders, 1, kMaterial)),
              ReadBytes(fs::path(VOR_SOURCE_DIR) / "tests/optimiser/golden/layout_strip.MON"));
    EXPECT_FALSE(fs::exists(vor::LayoutFile(m_folders, 2, kMaterial)));

    const auto contents = vor::ReadLayoutFileContents(vor::LayoutFile(m_folders, 1, kMaterial));
    ASSERT_TRUE(contents);
    ASSERT_EQ(contents->lines.size(), 12u);
    EXPECT_EQ(contents->lines[0].type, 0);
    EXPECT_EQ(contents->lines[0].x, 1);
    EXPECT_EQ(contents->lines[0].length, 27500);
    EXPECT_EQ(contents->lines[6].description, "Tira_PCI");
    EXPECT_EQ(contents->lines[6].length, 6000);  // the turned strip
    EXPECT_EQ(contents->lines[11].type, 2);
}

TEST_F(StripFilesTest, NoValidLayoutWritesNoFileAndDeletesFileOne)
{
    WriteBytes(vor::LayoutFile(m_folders, 1, kMaterial), "old layout\r\n");
    const vor::StripRunResult run = vor::RunStripCut(10000, 6000, 10, {{5000, 5000, 3}});
    EXPECT_TRUE(vor::WriteStripLayoutFiles(m_folders, kMaterial, vor::StripRunLayouts(run)).empty());
    EXPECT_FALSE(fs::exists(vor::LayoutFile(m_folders, 1, kMaterial)));
}

TEST_F(StripFilesTest, AnEmptyMiddleKindIsLayoutThreeInTheListAndFileTwo)
{
    const vor::StripRunResult run =
        vor::RunStripCut(10000, 6000, 20, {{27500, 18500, 1}, {5000, 5000, 1}, {30000, 6000, 1}});
    vor::StripDisplayOptions d;
    d.layoutNumber = true;
    EXPECT_EQ(vor::StripKindLines(run, 2, d, true).at(0).text, "Montagem 3:");
    vor::WriteStripLayoutFiles(m_folders, kMaterial, vor::StripRunLayouts(run));
    const auto second = vor::ReadLayoutFileContents(vor::LayoutFile(m_folders, 2, kMaterial));
    ASSERT_TRUE(second);
    EXPECT_EQ(second->lines[0].length, 30000);
    EXPECT_EQ(second->lines.size(), 4u);  // the sheet and three strips
    EXPECT_FALSE(fs::exists(vor::LayoutFile(m_folders, 3, kMaterial)));
}

TEST_F(StripFilesTest, RebuiltPieceTableOfThreeOptionsOneSelected)
{
    std::vector<StripOption> options =
        vor::GenerateStripOptions(vor::StripParametersOf({})).options;
    options.resize(3);
    options[1].selected = true;
    const fs::path table = vor::OrderTableFile(m_folders, kOrder, true);
    const fs::path description = vor::ProjectDescriptionFile(m_folders, kOrder);
    vor::ProjectDescription d;
    d.description = "Placas";
    d.pcb.boardWidth = "100";
    vor::SaveStripOrder(table, description, options, "99010", kOrder, d, "01/02/26  10:00:00", true);
    EXPECT_EQ(ReadBytes(table),
              ReadBytes(fs::path(VOR_SOURCE_DIR) / "tests/orders/golden/strip_piece_table.TAB"));
    const vor::IniFile written(description);
    EXPECT_EQ(written.ReadString("PCB", "L_PCI", ""), "100");
    EXPECT_EQ(written.ReadString("PED", "CAMPO1", ""), "Placas");
}

TEST_F(StripFilesTest, OkWithoutOptionsKeepsThePieceTableAndWritesTheDescription)
{
    const fs::path table = vor::OrderTableFile(m_folders, kOrder, true);
    const fs::path description = vor::ProjectDescriptionFile(m_folders, kOrder);
    const std::string before = Crlf({"1      1      2    500    300      5 Porta 7"});
    WriteBytes(table, before);
    vor::ProjectDescription d;
    d.pcb.wantedBoards = "96";
    vor::SaveStripOrder(table, description, {}, "99010", kOrder, d, "01/02/26  10:00:00", true);
    EXPECT_EQ(ReadBytes(table), before);
    EXPECT_EQ(vor::IniFile(description).ReadString("PCB", "QTD_DESEJADA", ""), "96");
}

TEST_F(StripFilesTest, ASuccessfulCutLeavesTheSelectionsOfAFinishedCalculation)
{
    WriteBytes(vor::LastCalcMaterialsFile(m_folders), std::string(8, '\1'));
    WriteBytes(vor::CalcMaterialsTextFile(m_folders), Crlf({"5", "6"}));
    vor::SetStripCalculated(m_folders, kOrder, kMaterial);
    EXPECT_EQ(ReadBytes(vor::CalcOrdersFile(m_folders)), "7\r\n");
    EXPECT_EQ(ReadBytes(vor::CalcMaterialsTextFile(m_folders)), "99010\r\n");
    vor::MaterialSelection selection;
    vor::LoadMaterialsUsed(m_folders, selection);
    ASSERT_EQ(selection.count, 1);
    EXPECT_EQ(selection.entries[1].code, kMaterial);
    EXPECT_FALSE(fs::exists(vor::LastCalcMaterialsFile(m_folders)));
}

TEST_F(StripFilesTest, VisualizaWritesItsKeysAndKeepsTheOthers)
{
    const fs::path file = vor::CalcDataFile(m_folders);
    WriteBytes(file, Crlf({"[DADOS_ULT_CALC]", "STATUS=3", "PEDIDOS=1, 2", "TEMPO_CALC=00:01:02",
                           "[DADOS_CONF_CALC]", "TIPO_CALC=2"}));
    vor::IniFile ini(file);
    platform::LocalTime now;
    now.day = 3;
    now.month = 2;
    now.year = 2026;
    now.hour = 9;
    now.minute = 5;
    now.second = 7;
    vor::WriteStripViewRecord(ini, kOrder, 400, 408, now);
    const vor::IniFile back(file);
    EXPECT_EQ(back.ReadString("DADOS_ULT_CALC", "PEDIDOS", ""), "7");
    EXPECT_EQ(back.ReadString("DADOS_ULT_CALC", "PECAS_SELECIONADAS", ""), "400");
    EXPECT_EQ(back.ReadString("DADOS_ULT_CALC", "PECAS_POSICIONADAS", ""), "408");
    EXPECT_EQ(back.ReadString("DADOS_ULT_CALC", "DATA_INI_CALC", ""), "03/02/26");
    EXPECT_EQ(back.ReadString("DADOS_ULT_CALC", "HORA_INI_CALC", ""), "09:05:07");
    EXPECT_EQ(back.ReadString("DADOS_ULT_CALC", "S_STATUS", ""), "Ok");
    EXPECT_EQ(back.ReadString("DADOS_ULT_CALC", "STATUS", ""), "3");
    EXPECT_EQ(back.ReadString("DADOS_ULT_CALC", "TEMPO_CALC", ""), "00:01:02");
    EXPECT_EQ(back.ReadString("DADOS_CONF_CALC", "TIPO_CALC", ""), "2");
}

TEST_F(StripFilesTest, TabSettingsDefaultsAndRoundTrip)
{
    vor::IniFile ini(m_installation.iniDir() / "VL_.INI");
    const vor::StripTabSettings defaults = vor::ReadStripTabSettings(ini);
    EXPECT_EQ(defaults, vor::StripTabSettings{});
    vor::StripTabSettings s;
    s.sheetOrder = vor::SheetKindOrder::SmallestFirst;
    s.orderByYield = false;
    s.display.layoutNumber = true;
    s.display.yield = false;
    s.display.dimensions = false;  // not stored
    vor::WriteStripTabSettings(ini, s);
    vor::StripTabSettings expected = s;
    expected.display.dimensions = true;
    EXPECT_EQ(vor::ReadStripTabSettings(vor::IniFile(m_installation.iniDir() / "VL_.INI")), expected);
    EXPECT_EQ(vor::IniFile(m_installation.iniDir() / "VL_.INI").ReadString("CALC_PCB", "CHP_PEQU", ""), "1");
}

}  // namespace
