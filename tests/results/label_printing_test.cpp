// Labels: texts, formats, page positions and the label sets, printed on the
// recording canvas through the fake print jobs (A4 at 600 dpi).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fake_print_jobs.h"
#include "tests/layoutview/layoutview_support.h"
#include "tests/support/recording_canvas.h"
#include "vorplan/common/real_helpers.h"
#include "vorplan/common/text_file.h"
#include "vorplan/results/label_printing.h"

namespace {

using Kind = vortest::RecordingCanvas::Kind;

vor::LayoutFileLine Line(int type, int code, int x, int length, int height, std::string description = "",
                         int order = 0)
{
    vor::LayoutFileLine line;
    line.type = type;
    line.code = code;
    line.x = x;
    line.length = length;
    line.height = height;
    line.description = std::move(description);
    line.order = order;
    return line;
}

vor::LabelSetInputs Inputs()
{
    vor::LabelSetInputs in;
    in.page.lines[1] = "<COD> <DES>";
    in.page.lines[2] = "";
    in.page.lines[3] = "<DIM> <PED> <CLI> <CLF>";
    for (long i = 4; i <= vor::kLabelTextLines; ++i)
        in.page.lines[i] = "";
    in.offcutTemplate = {"<DES> <MON>", "<DIM> <PED> <CLI>"};
    in.materialCode = 7;
    in.materialDescription = "MDF 15 mm";
    in.date = "10/12/26";
    in.orderFields = [](int order) {
        return std::pair<std::string, std::string>{"Cozinha " + std::to_string(order), "Silva"};
    };
    return in;
}

TEST(LabelTexts, TagsAreReplacedOnceEachInTheTablesOrder)
{
    vor::LabelTags t;
    t.width = "60.5";
    t.height = "40";
    t.material = "MDF";
    t.order = "12";
    t.layout = "003";
    t.code = "101";
    t.description = "Porta_esquerda";
    t.date = "10/12/26";
    struct Case {
        const char* line;
        const char* expanded;
    } cases[] = {
        {"<DIM>", "60.5 x 40"},
        {"<LAR>/<ALT> <LAR>", "60.5/40 <LAR>"},
        {"<DES>", "Porta esquerda"},
        {"<CLI> <CLF> <MON>", "--- --- 003"},
        {"<MAT> <PED> <COD> <DAT>", "MDF 12 101 10/12/26"},
        {"<GRF>Logo", "<GRF>Logo"},
        {"<dim>", "<dim>"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(vor::ExpandLabelLine(c.line, t), c.expanded) << c.line;
    EXPECT_EQ(vor::FillLabel({"a <COD>", "", "b"}, t), (std::vector<std::string>{"a 101", "b"}));
}

TEST(LabelTexts, FormatCodesAtTheStartOfALine)
{
    struct Case {
        const char* line;
        int basic;
        vor::LabelLineFormat format;
    } cases[] = {
        {"@*Big", 8, {16, false, false, false, "Big"}},
        {"@/Small", 8, {4, false, false, false, "Small"}},
        {"@/Small", 9, {4, false, false, false, "Small"}},  // half to even
        {"@+x", 8, {10, false, false, false, "x"}},
        {"@-x", 8, {6, false, false, false, "x"}},
        {"@-x", 2, {1, false, false, false, "x"}},  // never below 1 point
        {"@Ux", 8, {8, false, false, true, "x"}},
        {"@Nx", 8, {8, true, false, false, "x"}},
        {"@Ix", 8, {8, false, true, false, "x"}},
        {"@N@Ux", 8, {8, true, false, false, "@Ux"}},
        {"x @N", 8, {8, false, false, false, "x @N"}},
        {"@Qx", 8, {8, false, false, false, "@Qx"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(vor::FormatLabelLine(c.line, c.basic), c.format) << c.line << " " << c.basic;
}

TEST(LabelTexts, NumbersAndChecks)
{
    EXPECT_EQ(vor::TenthsAsMillimetres(125), "12.5");
    EXPECT_EQ(vor::TenthsAsMillimetres(120), "12");
    EXPECT_EQ(vor::MillimetreText(500.5), "500.5");
    EXPECT_EQ(vor::MillimetreText(300), "300");
    EXPECT_EQ(vor::LabelNumber(" 12a"), 12);
    EXPECT_EQ(vor::LabelNumber("abc"), 0);
    EXPECT_EQ(vor::LabelNumber("1 5"), 15);

    struct Case {
        int columns, rows, side, top, hdist, width, vdist, height;
        int error;
    } cases[] = {
        {3, 8, 0, 0, 65, 64, 35, 34, 0},
        {16, 0, 0, 0, 65, 64, 35, 34, 2},  // the later check wins
        {16, 8, 0, 0, 65, 64, 35, 34, 1},
        {3, 41, 0, 0, 65, 64, 35, 34, 2},
        {3, 8, 201, 0, 65, 64, 35, 34, 3},
        {3, 8, 0, -1, 65, 64, 35, 34, 4},
        {3, 8, 0, 0, 64, 64, 35, 34, 0},  // touching labels
        {3, 8, 0, 0, 63, 64, 35, 34, 5},
        {3, 8, 0, 0, 65, 64, 33, 34, 6},
    };
    for (const Case& c : cases) {
        vor::LabelPageSettings page;
        page.columns = c.columns;
        page.rows = c.rows;
        page.sideMargin = c.side;
        page.topMargin = c.top;
        page.horizontalDistance = c.hdist;
        page.labelWidth = c.width;
        page.verticalDistance = c.vdist;
        page.labelHeight = c.height;
        EXPECT_EQ(vor::CheckLabelFormat(page), c.error) << c.columns << " " << c.rows;
    }
}

TEST(LabelTexts, OffcutTemplateFileRoundTrip)
{
    vortest::TestInstallation inst;
    const vor::DataFolders folders = vor::MakeDataFolders(inst.base());
    EXPECT_EQ(vor::ReadOffcutLabelTemplate(folders),
              (std::vector<std::string>{"Layout para retalho", "não definido."}));
    const std::vector<std::string> lines = {"Retalho <DIM>", "", "Material <MAT> ç"};
    vor::WriteOffcutLabelTemplate(folders, lines);
    EXPECT_EQ(vor::ReadOffcutLabelTemplate(folders), lines);
    EXPECT_EQ(vortest::ReadBytes(vor::OffcutLabelLayoutFile(folders)),
              "Retalho <DIM>\r\n\r\nMaterial <MAT> \xE7\r\n");
}

TEST(LabelSets, LayoutLabelsRepeatForEverySheetAfterTheIdentification)
{
    vortest::StubMessages stub;
    vor::LabelSetInputs in = Inputs();
    in.offcuts = true;
    in.identification = true;
    vor::LayoutFileContents layout;
    layout.lines = {Line(0, 3, 2, 27500, 18300, "Chapa"),  // cut 3 times
                    Line(1, 101, 0, 6000, 4000, "Porta_1", 12),
                    Line(2, 0, 0, 5000, 3000, "Retalho")};
    const std::vector<vor::PrintedLabel> labels = vor::LayoutLabels(layout, 4, in);
    ASSERT_EQ(labels.size(), 1u + 3 * 2);
    EXPECT_EQ(labels[0].basicSize, 10);
    EXPECT_EQ(labels[0].lines, (std::vector<std::string>{"@U# Montagem: 7 / 004 #", "   Total de peças: 1",
                                                         "Total de retalhos: 1", "@NQuantidade: 3"}));
    EXPECT_EQ(labels[1].lines, (std::vector<std::string>{"101 Porta 1", "600 x 400 12 Cozinha 12 Silva"}));
    EXPECT_EQ(labels[1].basicSize, 8);
    // The offcut: message 213 for its description, no order or customer.
    EXPECT_EQ(labels[2].lines, (std::vector<std::string>{"<213> 004", "500 x 300 --- ---"}));
    EXPECT_EQ(labels[3], labels[1]);
    EXPECT_EQ(labels[6], labels[2]);

    in.offcuts = false;
    in.identification = false;
    EXPECT_EQ(vor::LayoutLabels(layout, 4, in).size(), 3u);
}

TEST(LabelSets, PieceSizesAreMillimetresWithoutTheAllowancesTurnedPiecesTurned)
{
    vortest::StubMessages stub;
    struct Case {
        int borderL, borderH;
        int length, height;  // as laid out
        const char* dimension;
    } cases[] = {
        {0, 0, 6000, 4005, "600 x 400.5"},
        {20, 20, 6020, 4020, "600 x 400"},
        {20, 10, 6020, 4010, "600 x 400"},  // straight: 6000 x 4000 ordered
        {20, 10, 4010, 6020, "400 x 600"},  // turned: the borders exchanged
    };
    for (const Case& c : cases) {
        vor::LabelSetInputs in = Inputs();
        in.page.lines[1] = "<DIM>";
        in.page.lines[3] = "";
        in.borderLength = c.borderL;
        in.borderHeight = c.borderH;
        in.orderSize = [](int, int) { return std::pair<long long, long long>{6000, 4000}; };
        vor::LayoutFileContents layout;
        layout.lines = {Line(0, 3, 0, 27500, 18300), Line(1, 101, 0, c.length, c.height, "P", 12)};
        const auto labels = vor::LayoutLabels(layout, 1, in);
        ASSERT_EQ(labels.size(), 1u);
        EXPECT_EQ(labels[0].lines.at(0), c.dimension) << c.length << " x " << c.height;
    }
}

TEST(LabelSets, OrderLabelsOnePerUnitOfTheMarkedRows)
{
    vortest::StubMessages stub;
    const vor::LabelSetInputs in = Inputs();
    const std::vector<vor::OrderLabelRow> rows = {
        {1, 101, 2, 500.5, 300, 7, "Porta"}, {0, 102, 5, 100, 100, 7, "Fora"}, {1, 103, 1, 80, 60, 9, "Tampo"}};
    const auto labels = vor::OrderLabels(12, rows, in, [](int m) { return "Mat " + std::to_string(m); });
    ASSERT_EQ(labels.size(), 1u + 3);
    EXPECT_EQ(labels[0].lines, (std::vector<std::string>{"@U# <11>: 12", "   Qtd <349>: 3"}));
    EXPECT_EQ(labels[1].lines, (std::vector<std::string>{"101 Porta", "500.5 x 300 12 Cozinha 12 Silva"}));
    EXPECT_EQ(labels[2], labels[1]);
    EXPECT_EQ(labels[3].lines.at(0), "103 Tampo");
}

class LabelPrinterTest : public ::testing::Test {
protected:
    LabelPrinterTest() : canvas(8), jobs(canvas)
    {
        jobs.SetOnPage([this] { pageStarts.push_back(canvas.Ops().size()); });
    }
    vortest::RecordingCanvas canvas;
    platform::FakePrintJobs jobs;
    std::vector<std::size_t> pageStarts;
    vor::LabelPageSettings page;
};

TEST_F(LabelPrinterTest, PositionsFromThePapersCornerRowByRowThenANewPage)
{
    page.sideMargin = 5;
    page.topMargin = 10;
    std::vector<vor::PrintedLabel> labels;
    for (int i = 1; i <= 25; ++i)
        labels.push_back({{"L" + std::to_string(i)}, 8});
    ASSERT_TRUE(vor::PrintLabels(jobs, page, true, "/nowhere/GRF.BMP", labels));
    ASSERT_EQ(jobs.Jobs().size(), 1u);
    EXPECT_EQ(jobs.Jobs()[0].pages, 2);
    EXPECT_EQ(jobs.FullPageCalls(), (std::vector<bool>{true, false}));
    const auto at = [&](const std::string& text) {
        for (const auto& op : canvas.Ops())
            if (op.kind == Kind::Text && op.text == text)
                return op.points[0];
        return vor::Point{-1, -1};
    };
    const auto px = [](double mm) { return static_cast<int>(vor::Round(mm * 600 / 25.4)); };
    EXPECT_EQ(at("L1"), (vor::Point{px(5), px(10)}));
    EXPECT_EQ(at("L2"), (vor::Point{px(5) + px(65), px(10)}));
    EXPECT_EQ(at("L4"), (vor::Point{px(5), px(10) + px(35)}));  // row 2
    EXPECT_EQ(at("L24"), (vor::Point{px(5) + 2 * px(65), px(10) + 7 * px(35)}));
    EXPECT_EQ(at("L25"), (vor::Point{px(5), px(10)}));  // page 2 at the margins
    ASSERT_EQ(pageStarts.size(), 2u);
    bool l25OnPage2 = false;
    for (std::size_t i = pageStarts[1]; i < canvas.Ops().size(); ++i)
        l25OnPage2 = l25OnPage2 || canvas.Ops()[i].text == "L25";
    EXPECT_TRUE(l25OnPage2);
    // Outlines of the label size.
    const auto outlines = canvas.OpsOf(Kind::Rectangle);
    ASSERT_EQ(outlines.size(), 25u);
    EXPECT_EQ(outlines[0].rect, (vor::Rect{px(5), px(10), px(5) + px(64), px(10) + px(34)}));
}

TEST_F(LabelPrinterTest, LogoFormatsAndAMissingPicture)
{
    vortest::TempDir dir;
    const std::filesystem::path logo = dir.path() / "GRF.BMP";
    const vor::PrintedLabel label{{"<GRF>@NTitle", "@*Big", "plain"}, 8};
    ASSERT_TRUE(vor::PrintLabels(jobs, page, false, logo, {label}));
    EXPECT_TRUE(canvas.HasText("[" + logo.string() + "]?"));
    const auto texts = canvas.OpsOf(Kind::Text);
    ASSERT_EQ(texts.size(), 4u);
    const int w = static_cast<int>(vor::Round(100 * 600 / 25.4));
    EXPECT_EQ(texts[1].text, "Title");
    EXPECT_TRUE(texts[1].font.bold);
    EXPECT_EQ(texts[1].points[0].x, w + 4);
    EXPECT_EQ(texts[2].text, "Big");
    EXPECT_EQ(texts[2].font.size, 16);
    EXPECT_FALSE(texts[2].font.bold);  // each line starts afresh
    EXPECT_EQ(texts[3].font.size, 8);
    EXPECT_EQ(canvas.Count(Kind::Rectangle), 0u);

    vortest::WriteBytes(logo, "BM");
    canvas.Clear();
    ASSERT_TRUE(vor::PrintLabels(jobs, page, false, logo, {label}));
    ASSERT_EQ(canvas.Count(Kind::Picture), 1u);
    EXPECT_EQ(canvas.OpsOf(Kind::Picture)[0].rect, (vor::Rect{0, 0, w, w}));
}

TEST_F(LabelPrinterTest, TestPageOutlinesEveryLabelOfOnePage)
{
    ASSERT_TRUE(vor::PrintLabelTestPage(jobs, page));
    EXPECT_EQ(jobs.PageCount(), 1);
    EXPECT_EQ(canvas.Count(Kind::Rectangle), 24u);
    jobs.SetRefuseJobs(true);
    EXPECT_FALSE(vor::PrintLabelTestPage(jobs, page));
    EXPECT_FALSE(jobs.FullPage());  // given back also when the job did not start
}

TEST_F(LabelPrinterTest, ARefusedPageEndsTheJobAndGivesThePositionsBack)
{
    jobs.SetRefusePages(true);
    std::vector<vor::PrintedLabel> labels(25, vor::PrintedLabel{{"L"}, 8});
    EXPECT_FALSE(vor::PrintLabels(jobs, page, false, {}, labels));
    EXPECT_FALSE(jobs.JobOpen());
    ASSERT_EQ(jobs.Jobs().size(), 1u);
    EXPECT_TRUE(jobs.Jobs()[0].ended);
    EXPECT_EQ(jobs.FullPageCalls(), (std::vector<bool>{true, false}));
}

}  // namespace
