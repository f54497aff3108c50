#include "ostrel/print_layout.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "tests/ostrel/fake_metrics.h"

using namespace ostrel;

namespace {

// Printer pixels are four screen pixels: rows of 16 print as 64. A page of
// 800 x 1100 pixels over 200 x 275 mm has 4 pixels per millimetre, so the
// 20 mm margins are 80 pixels. The body starts at 80 + 96 + 5 + 10 = 191,
// the footer rule stands at 1100 - (64 + 8) - 80 = 948, and a page ends once
// y passes 1100 - 69 - 80 - 64 - 10 = 877: eleven plain rows a page.
class PrintLayoutTest : public ::testing::Test {
protected:
    void Load(const std::vector<std::string>& lines) { store.LoadLines(lines); }

    PrintJob Job()
    {
        PrintJob job;
        job.report = &store;
        job.settings = settings;
        job.geometry = MakePrinterGeometry(800, 1100, 200.0, 275.0);
        job.screen = &screen;
        job.printer = &printer;
        job.now = platform::LocalTime{2024, 3, 5, 9, 7, 3, 0};
        job.pictureExists = [this](const std::filesystem::path& p) { return existing.count(p.string()) > 0; };
        return job;
    }

    static std::vector<DrawOp> TextsOf(const PrintedPage& page)
    {
        std::vector<DrawOp> out;
        for (const DrawOp& op : page.ops)
            if (op.kind == OpKind::Text)
                out.push_back(op);
        return out;
    }

    static const DrawOp* FindText(const PrintedPage& page, const std::string& text)
    {
        for (const DrawOp& op : page.ops)
            if (op.kind == OpKind::Text && op.text == text)
                return &op;
        return nullptr;
    }

    ostreltest::FixedMetrics screen{1};
    ostreltest::FixedMetrics printer{4};
    ReportStore store{screen, 8, 8};
    OstrelSettings settings;
    std::set<std::string> existing;
};

TEST_F(PrintLayoutTest, ThreeShortLinesOnePageWithHeaderAndFooter)
{
    Load({"a", "b", "c"});
    settings.picture1 = {"p1.bmp", "0", "0", "10", "10"};
    existing.insert("p1.bmp");
    const PrintJob job = Job();
    ASSERT_EQ(CountPages(job), 1);
    const auto pages = LayOutPages(job, 1);
    ASSERT_EQ(pages.size(), 1u);
    const PrintedPage& p = pages[0];

    const DrawOp* header = FindText(p, "Cabeçalho");
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->x, 90);
    EXPECT_EQ(header->y, 80);
    EXPECT_EQ(header->font.pointSize, 12);

    std::vector<int> ruleYs;
    for (const DrawOp& op : p.ops)
        if (op.kind == OpKind::Line)
            ruleYs.push_back(op.y);
    EXPECT_EQ(ruleYs, (std::vector<int>{179, 948}));

    const DrawOp* a = FindText(p, "a");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->x, 81);  // left margin + 1
    EXPECT_EQ(a->y, 191);
    EXPECT_EQ(a->rect, (Rect{30, 191, 760, 255}));
    EXPECT_EQ(FindText(p, "c")->y, 191 + 128);

    const DrawOp* footer = FindText(p, "Rodapé");
    ASSERT_NE(footer, nullptr);
    EXPECT_EQ(footer->x, 800 - 281);  // round(1.3 x 6 x 36)
    EXPECT_EQ(footer->y, 953);
    EXPECT_EQ(footer->font.pointSize, 9);
    const DrawOp* signature = FindText(p, "Vorlane 2001");
    ASSERT_NE(signature, nullptr);
    EXPECT_EQ(signature->x, 80);

    ASSERT_FALSE(p.ops.empty());
    EXPECT_EQ(p.ops.back().kind, OpKind::Picture);
    EXPECT_EQ(p.ops.back().text, "p1.bmp");
}

TEST_F(PrintLayoutTest, FooterFieldsOnPageTwoOfFive)
{
    Load(std::vector<std::string>(50, "line"));  // 51 rows with the added row 0
    settings.footerText = "Página <PG> / <TPG>";
    const PrintJob job = Job();
    const int total = CountPages(job);
    ASSERT_EQ(total, 5);
    const auto pages = LayOutPages(job, total);
    ASSERT_EQ(pages.size(), 5u);
    EXPECT_NE(FindText(pages[1], "Página 2 / 5"), nullptr);
    EXPECT_NE(FindText(pages[4], "Página 5 / 5"), nullptr);
    EXPECT_EQ(pages[1].number, 2);
}

TEST_F(PrintLayoutTest, FooterFieldsFirstOccurrenceOnly)
{
    const platform::LocalTime now{2024, 3, 5, 9, 7, 3, 0};
    struct Case {
        const char* pattern;
        const char* text;
    };
    const Case cases[] = {
        {"<PG> <PG>", "2 <PG>"},
        {"<DATA> <HORA>", "05/03/24 09:07:03"},
        {"<TPG>/<TPG> <PG>", "7/<TPG> 2"},
        {"no fields", "no fields"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FooterText(c.pattern, now, 2, 7), c.text) << c.pattern;
}

TEST_F(PrintLayoutTest, HeaderTextHasNoFields)
{
    Load({"a"});
    settings.headerText = "<DATA> <PG>";
    const auto pages = LayOutPages(Job(), 1);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_NE(FindText(pages[0], "<DATA> <PG>"), nullptr);
}

TEST_F(PrintLayoutTest, TableCrossingAPageRepeatsItsTitle)
{
    std::vector<std::string> lines{"x", "@T Code Qty"};
    for (int i = 0; i < 14; ++i)
        lines.push_back(" " + std::to_string(i) + " 5");
    Load(lines);
    const PrintJob job = Job();
    const int total = CountPages(job);
    const auto pages = LayOutPages(job, total);
    ASSERT_EQ(pages.size(), 2u);
    ASSERT_EQ(total, 2);

    // Page 2 starts with the title row, then the rows go on below it.
    const DrawOp* code = FindText(pages[1], "Code");
    ASSERT_NE(code, nullptr);
    EXPECT_EQ(code->y, 191);
    const auto texts = TextsOf(pages[1]);
    ASSERT_GE(texts.size(), 4u);
    EXPECT_EQ(texts[1].text, "Code");  // after the header text
    EXPECT_EQ(texts[2].text, "Qty");
    EXPECT_EQ(texts[3].y, 191 + 64);
    // Table rows are 10% further apart: 64 + 6.
    const DrawOp* first = FindText(pages[0], "0");
    const DrawOp* second = FindText(pages[0], "1");
    ASSERT_TRUE(first && second);
    EXPECT_EQ(second->y - first->y, 70);
}

TEST_F(PrintLayoutTest, RowTallerThanAPageIsClippedOnAPageOfItsOwn)
{
    Load({"x", "aa", "@" + std::string(25, '*') + "Big", "bb"});
    PrintJob job = Job();
    job.geometry = MakePrinterGeometry(800, 600, 200.0, 150.0);  // footer rule at 448
    ASSERT_EQ(CountPages(job), 3);
    const auto pages = LayOutPages(job, 3);
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_NE(FindText(pages[0], "aa"), nullptr);
    const DrawOp* big = FindText(pages[1], "Big");
    ASSERT_NE(big, nullptr);
    EXPECT_EQ(big->rect, (Rect{30, 191, 760, 448}));
    EXPECT_EQ(FindText(pages[0], "Big"), nullptr);
    EXPECT_NE(FindText(pages[2], "bb"), nullptr);
}

TEST_F(PrintLayoutTest, CountingPassEqualsOutputPass)
{
    const std::vector<std::vector<std::string>> reports{
        {},
        {"a"},
        std::vector<std::string>(11, "z"),
        std::vector<std::string>(12, "z"),
        std::vector<std::string>(300, "@**heading"),
        {"x", "@T a b", " 1 2", " 3 4", "", "@D", "k: v", "@d"},
    };
    for (const auto& lines : reports) {
        SCOPED_TRACE(lines.size());
        Load(lines);
        const PrintJob job = Job();
        const int total = CountPages(job);
        EXPECT_EQ(static_cast<int>(LayOutPages(job, total).size()), total);
        EXPECT_EQ(total == 0, lines.empty());
    }
}

TEST_F(PrintLayoutTest, PicturePlacement)
{
    Load({"a", "b"});
    settings.picture1 = {"p1.bmp", "-1", "10", "30", "20"};
    settings.picture2 = {"p2.bmp", "-1", "-1", "50", "25"};
    existing = {"p1.bmp", "p2.bmp"};
    auto pages = LayOutPages(Job(), 1);
    ASSERT_EQ(pages.size(), 1u);
    std::vector<DrawOp> pictures;
    for (const DrawOp& op : pages[0].ops)
        if (op.kind == OpKind::Picture)
            pictures.push_back(op);
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_EQ(pictures[0].rect, (Rect{800 - 120 - 1, 40, 799, 120}));  // flush right
    EXPECT_EQ(pictures[1].rect, (Rect{400 - 100 - 1, 1000, 499, 1100}));  // centred, at the bottom

    // Missing files: picture 1 is reported on every page, picture 2 is named in its place.
    existing.clear();
    Load(std::vector<std::string>(20, "line"));
    pages = LayOutPages(Job(), 2);
    ASSERT_EQ(pages.size(), 2u);
    for (const PrintedPage& p : pages) {
        EXPECT_EQ(p.missingPictures, (std::vector<std::string>{"p1.bmp"}));
        const DrawOp* named = FindText(p, "[p2.bmp]?");
        ASSERT_NE(named, nullptr);
        EXPECT_EQ(named->rect.top, 1000);
    }
}

TEST_F(PrintLayoutTest, MarginsInMillimetresWithCommaOrPoint)
{
    Load({"a"});
    settings.marginLeft = "12,5";
    settings.marginTop = "10.25";
    settings.headerRule = false;
    settings.footerRule = false;
    const auto pages = LayOutPages(Job(), 1);
    ASSERT_EQ(pages.size(), 1u);
    const DrawOp* header = FindText(pages[0], "Cabeçalho");
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->x, 60);
    EXPECT_EQ(header->y, 41);
    for (const DrawOp& op : pages[0].ops)
        EXPECT_NE(op.kind, OpKind::Line);
}

// A page of 200 x 275 mm: the left margin may take half its width, the top
// and bottom margins together half its height; pictures stay within the page.
TEST_F(PrintLayoutTest, PrintSettingsOutsideWhatThePageHoldsAreFound)
{
    const PrinterGeometry page = Job().geometry;
    struct Case {
        PrintField field;
        const char* text;
        bool within;
    };
    const Case cases[] = {
        {PrintField::MarginLeft, "100", true},        {PrintField::MarginLeft, "100,1", false},
        {PrintField::MarginLeft, "-1", false},        {PrintField::MarginTop, "117,5", true},  // bottom is 20
        {PrintField::MarginTop, "117.6", false},      {PrintField::MarginTop, "99999999999", false},
        {PrintField::MarginBottom, "1e300", false},   {PrintField::MarginBottom, "0", true},
        {PrintField::Picture1X, "-1", true},          {PrintField::Picture1X, "-200", true},
        {PrintField::Picture1X, "-201", false},       {PrintField::Picture1Y, "275", true},
        {PrintField::Picture1Y, "1e300", false},      {PrintField::Picture1Width, "200", true},
        {PrintField::Picture1Width, "-5", false},     {PrintField::Picture2Y, "-1", true},
        {PrintField::Picture2Height, "276", false},   {PrintField::Picture2Width, "abc", true},  // reads as 0
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        OstrelSettings s = settings;
        FieldText(s, c.field) = c.text;
        EXPECT_EQ(FieldWithin(c.field, s, page), c.within);
    }
    // Printing meets a picture's fields only when the picture names a file.
    settings.picture2.height = "1e300";
    EXPECT_EQ(FirstFieldOutOfRange(settings, page), std::nullopt);
    settings.picture2.file = "p2.bmp";
    EXPECT_EQ(FirstFieldOutOfRange(settings, page), PrintField::Picture2Height);
    settings.marginTop = "200";
    EXPECT_EQ(FirstFieldOutOfRange(settings, page), PrintField::MarginTop);
    const FieldRange top = RangeOf(PrintField::MarginTop, settings, page);
    EXPECT_DOUBLE_EQ(top.highest, 137.5 - 20);
}

TEST_F(PrintLayoutTest, AReportOfEmptyLinesHasNothingToPrint)
{
    for (const auto& lines : {std::vector<std::string>{}, std::vector<std::string>{"", " ", "\t  "}}) {
        Load(lines);
        EXPECT_FALSE(HasPrintableLines(store));
    }
    Load({"", " x"});
    EXPECT_TRUE(HasPrintableLines(store));
}

TEST(PrinterGeometryTest, PixelsPerMillimetre)
{
    const PrinterGeometry g = MakePrinterGeometry(4960, 7016, 210.0, 297.0);
    EXPECT_NEAR(g.pxPerMmX, 23.619, 0.001);
    EXPECT_NEAR(g.pxPerMmY, 23.623, 0.001);
    EXPECT_EQ(kPrintJobTitle, "OSTREL");
}

}  // namespace
