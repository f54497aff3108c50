#include "vorplan/layoutview/general_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ostrel/markup.h"
#include "platform/fake_clock.h"
#include "tests/layoutview/layoutview_support.h"
#include "vorplan/common/calc_lists.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/small_helpers.h"
#include "vorplan/common/state_files.h"
#include "vorplan/layoutview/layout_pass.h"
#include "vorplan/layoutview/layout_statistics.h"
#include "vorplan/common/conversions.h"
#include <algorithm>

namespace {

namespace fs = std::filesystem;
using vortest::ReadBytes;
using vortest::WriteBytes;

// The Portuguese column titles of the sheets table; every other message
// reads "<n>" so the golden text shows which stands where.
constexpr const char* kColumns513 =
    "Mont. ^Rep. Tipo____ ^Largura ^Altura_ ^Peças ^Sucatas ^Retalhos ^Aprov.%";

using vortest::kReportLayout1;
using vortest::kReportLayout2;
using vortest::kReportLayout3;

class GeneralReportTest : public ::testing::Test, public vortest::ViewerFixture {
protected:
    void SetUp() override
    {
        vor::gShared.messages[513] = kColumns513;
        vor::gShared.messages[511] = "Relatório geral das montagens";
        WriteMon(1, kReportLayout1);
        WriteMon(2, kReportLayout2);
        WriteMon(3, kReportLayout3);
        inputs.pieceBorder = 20;
        inputs.material.purchasePrice = 25.5;
        inputs.material.saleFactor = 2;
        inputs.material.cutPriceFactor = 3;
        inputs.material.weightPerArea = 10;
        vortest::WriteReportFixtureFiles(inputs.folders);
        clock.SetNow({2024, 3, 5, 14, 7, 9, 0});
        record.description = "MDF 15 mm";
        record.mayRotate = true;
        record.makesOffcuts = true;
        record.kerf = 40;
        record.minStripWidth = 500;
        record.minOffcutWidth = 2500;
        record.minOffcutHeight = 3000;
        record.purchasePrice = 25.5;
        record.weightPerArea = 10;
        record.trimLeft = 100;
        record.trimRight = 150;
        record.trimBottom = 50;
        record.trimTop = 80;
    }

    vor::GeneralReportInput Input(const vor::ReportContentOptions& content = {})
    {
        vor::GeneralReportInput in = vor::LoadGeneralReportInput(inputs.folders, true, true);
        in.content = content;
        in.material = record;
        in.currency = "R$";
        in.clock = &clock;
        return in;
    }

    static std::string Text(const std::vector<std::string>& lines)
    {
        return vor::EncodeTextLines(lines);
    }

    void ExpectGolden(const std::vector<std::string>& lines, const std::string& name)
    {
        const std::string actual = Text(lines);
        const fs::path golden = fs::path(VOR_SOURCE_DIR) / "tests/layoutview/golden" / name;
        const std::string expected = ReadBytes(golden);
        if (actual != expected)
            WriteBytes(fs::temp_directory_path() / name, actual);  // for a look at the difference
        EXPECT_EQ(actual, expected) << name;
    }

    vortest::StubMessages stub;
    platform::FakeClock clock;
    vor::MaterialRecord record;
};

TEST_F(GeneralReportTest, EveryBoxOnMatchesGolden)
{
    state.currentLayout = 2;
    const vor::GeneralReport report = vor::BuildGeneralReport(Input(), state, inputs);
    EXPECT_FALSE(report.noLayouts);
    ExpectGolden(report.lines, "general_report_all.txt");
    EXPECT_EQ(state.currentLayout, 2);  // the pass leaves the current layout as it was
}

TEST_F(GeneralReportTest, EveryBoxOffGivesTheEmptyHeaderLineYetReadsEveryLayout)
{
    vor::ReportContentOptions none;
    for (const vor::ReportContentKey& k : vor::ReportContentKeys())
        none.*k.flag = false;
    const std::string before = ReadBytes(Mon(3));
    const vor::GeneralReport report = vor::BuildGeneralReport(Input(none), state, inputs);
    EXPECT_EQ(report.lines, std::vector<std::string>{""});
    EXPECT_EQ(state.layoutList, (std::vector<long long>{1, 2, 3}));
    EXPECT_EQ(state.layoutCount, 3);
    EXPECT_EQ(state.largestSheetSide, 27500);
    EXPECT_EQ(report.totals.layouts, 3);
    // Every layout is rewritten with the viewer's header.
    EXPECT_NE(ReadBytes(Mon(3)), before);
    for (long long n = 1; n <= 3; ++n)
        EXPECT_EQ(vor::ReadTextLines(Mon(n))->front(), vor::kModifiedLayoutTitle) << n;
}

TEST_F(GeneralReportTest, SeveralProjectsGiveOnlyTheNumberLine)
{
    vor::WriteLastListName(inputs.folders, "12,15~Cozinha~42~01/03/24");
    vor::ReportContentOptions only;
    for (const vor::ReportContentKey& k : vor::ReportContentKeys())
        only.*k.flag = false;
    only.projectDescription = true;
    const vor::GeneralReport report = vor::BuildGeneralReport(Input(only), state, inputs);
    EXPECT_EQ(report.lines, (std::vector<std::string>{"", "@* <846>: 12,15"}));

    // A missing N_L_P.TXT: empty fields, the number line all the same.
    fs::remove(vor::LastListNameFile(inputs.folders));
    only.projectNumber = only.projectDescription = only.projectPieceCount = only.projectDate = true;
    EXPECT_EQ(vor::BuildGeneralReport(Input(only), state, inputs).lines,
              (std::vector<std::string>{"", "@* <846>: ", "@D", "<33> : ", "<848> : ", "<849> : ", "@d"}));
}

TEST_F(GeneralReportTest, TotalsAreThoseOfTheTotalsAccumulatorWithAndWithoutTheBorderDeduction)
{
    for (const bool deduct : {true, false}) {
        vor::ReportContentOptions content;
        content.deductPieceBorder = deduct;
        const vor::GeneralReport report = vor::BuildGeneralReport(Input(content), state, inputs);

        vor::LayoutInputs own = inputs;
        own.options.deductPieceBorder = deduct;
        vor::LayoutState other;
        vor::LayoutTotals totals;
        vor::RunLayoutPass(other, own, totals);
        const auto has = [&](const std::string& line) {
            return std::find(report.lines.begin(), report.lines.end(), line) != report.lines.end();
        };
        const vor::TotalsPricing pricing = vor::TotalsPricingOf(inputs.material, false);
        EXPECT_TRUE(has("<519>" + vor::FormatPercent(totals.pieceAreaM2, false) + " m2")) << deduct;
        EXPECT_TRUE(has("<520>" + vor::FormatPercent(totals.roundedPieceAreaM2, false) + " m2"));
        EXPECT_TRUE(has("<521>" + std::to_string(totals.sheets)));
        EXPECT_TRUE(has("<523>R$ " + vor::RealToStrBr(0, totals.SheetPrice(pricing))));
        EXPECT_TRUE(has("<531>" + vor::FormatPercent(totals.MeanYield(), false) + "%"));
        EXPECT_TRUE(has("<532>" + vor::FormatPercent(totals.MeanLoss(), false) + "%"));
        EXPECT_TRUE(has("<582>" + vor::FormatPercent(other.runTotals.perimeter, false) + " m"));
        EXPECT_EQ(report.totals.pieceAreaM2, totals.pieceAreaM2);
    }
    // The deduction changes the piece area.
    vor::ReportContentOptions off;
    off.deductPieceBorder = false;
    EXPECT_GT(vor::BuildGeneralReport(Input(off), state, inputs).totals.pieceAreaM2,
              vor::BuildGeneralReport(Input(), state, inputs).totals.pieceAreaM2);
}

TEST_F(GeneralReportTest, SaleFactorCuttingPriceAndAnswersFollowTheirBoxes)
{
    vor::ReportContentOptions content;
    content.useSaleFactor = true;
    content.cuttingPrice = true;
    record.mayRotate = false;
    record.makesOffcuts = false;
    const vor::GeneralReport report = vor::BuildGeneralReport(Input(content), state, inputs);
    const vor::TotalsPricing pricing = vor::TotalsPricingOf(inputs.material, true);
    const auto has = [&](const std::string& line) {
        return std::find(report.lines.begin(), report.lines.end(), line) != report.lines.end();
    };
    EXPECT_TRUE(has("<523>R$ " + vor::RealToStrBr(0, report.totals.SheetPrice(pricing))));
    EXPECT_TRUE(has("<955> R$ " + vor::RealToStrBr(0, report.totals.CuttingPrice(pricing))));
    EXPECT_TRUE(has("<540>  <103>"));
    EXPECT_TRUE(has("<543>  <103>"));
}

TEST_F(GeneralReportTest, WithoutLayoutOneThereIsNoReport)
{
    fs::remove(Mon(1));
    const vor::GeneralReport report = vor::BuildGeneralReport(Input(), state, inputs);
    EXPECT_TRUE(report.noLayouts);
    EXPECT_TRUE(report.lines.empty());
}

// The report as ostrel reads it: the title is in the index, every table row
// fills its title's columns, the heading after a table is no row of it and
// every block is closed.
TEST_F(GeneralReportTest, OstrelReadsTheReportsTablesHeadingsAndBlocks)
{
    const vor::GeneralReport report = vor::BuildGeneralReport(Input(), state, inputs);
    const ostrel::ReportDocument doc(report.lines);

    const std::optional<ostrel::Heading> title = ostrel::FindHeading(doc.Text(0));
    ASSERT_TRUE(title);
    EXPECT_TRUE(ostrel::IsIndexed(*title));
    EXPECT_EQ(ostrel::ParsePrefix(doc.Text(0), 8).rest.find('\t'), std::string::npos);

    int tables = 0;
    for (int row = 0; row < doc.Count(); ++row) {
        if (!doc.IsTitle(row))
            continue;
        ++tables;
        const std::string titleText(
            ostrel::ParsePrefix(doc.Text(row), 8).rest.substr(2));  // after "@T"
        const std::size_t columns = ostrel::SplitColumnTexts(titleText).size();
        const std::optional<ostrel::RowRange> range = doc.TableAt(row);
        ASSERT_TRUE(range);
        EXPECT_GT(range->last, row) << doc.Text(row);
        for (int r = row + 1; r <= range->last; ++r)
            EXPECT_EQ(ostrel::SplitColumnTexts(doc.Text(r)).size(), columns) << doc.Text(r);
        ASSERT_LT(range->last + 1, doc.Count());
        for (int r = range->last + 1; r < doc.Count() && r <= range->last + 2; ++r)
            EXPECT_FALSE(doc.InTable(r)) << doc.Text(r);
    }
    EXPECT_EQ(tables, 4);  // two projects, the sheets, the sizes

    int blocks = 0;
    for (int row = 0; row < doc.Count(); ++row) {
        const std::optional<ostrel::RowRange> block = doc.BlockOf(row);
        if (!block)
            continue;
        ++blocks;
        EXPECT_LT(block->last, doc.Count() - 1) << "the block of row " << row << " runs to the end";
    }
    EXPECT_GT(blocks, 0);
}

TEST(GeneralReportMessages, EveryShippedLanguageGivesTheSheetsTableNineColumns)
{
    const vor::DataFolders installed = vor::MakeDataFolders(fs::path(VOR_BINARY_DIR) / "vorlane");
    for (int language = 1; language <= 5; ++language) {
        vor::MessageTable messages;
        vor::IconCaptionTable captions;
        ASSERT_EQ(vor::LoadLanguage(installed, language, messages, captions), language);
        EXPECT_EQ(ostrel::SplitColumnTexts(messages[513]).size(), 9u) << language;
    }
}

}  // namespace
