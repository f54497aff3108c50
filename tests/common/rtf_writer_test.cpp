#include <gtest/gtest.h>

#include <string>

#include "platform/fake_print_jobs.h"
#include "tests/support/recording_canvas.h"
#include "vorplan/common/rtf/rtf_writer.h"
#include "vorplan/common/rtf/styled_doc.h"
#include "vorplan/common/rtf/styled_doc_pages.h"

namespace {

TEST(RtfWriterTest, TextIsEscapedAsWindows1252)
{
    struct Case {
        std::string text, rtf;
    };
    const Case cases[] = {
        {"plain 1.5", "plain 1.5"},
        {"a{b}\\c", "a\\{b\\}\\\\c"},
        {"Peças ção", "Pe\\'e7as \\'e7\\'e3o"},
        {"€ 5", "\\'80 5"},                      // in Windows-1252 above 127
        {"Ω", "\\u937?"},                        // not in Windows-1252
        {"\xEF\xBC\x81", "\\u-255?"},            // above 32767: signed
        {"two\nlines\t", "two\\line lines"},     // other control characters go
    };
    for (const Case& c : cases)
        EXPECT_EQ(vor::RtfText(c.text), c.rtf) << c.text;
}

TEST(RtfWriterTest, DocumentHoldsTitleSizesShadowAndPicture)
{
    vor::RtfWriter rtf("Título {1}");
    rtf.FontSize(20);
    rtf.Shadow(true);
    rtf.Text("A");
    rtf.Paragraph();
    rtf.PngPicture(std::string("\x89PNG\x00\xff", 6), 3, 2);
    rtf.Shadow(false);
    const std::string doc = rtf.Document();
    EXPECT_EQ(doc.rfind("{\\rtf1\\ansi\\ansicpg1252", 0), 0u);
    EXPECT_NE(doc.find("{\\info{\\title T\\'edtulo \\{1\\}}}"), std::string::npos);
    EXPECT_NE(doc.find("\\fs40 \\shad A\\par\n"), std::string::npos);
    EXPECT_NE(doc.find("{\\pict\\pngblip\\picw3\\pich2\\picwgoal45\\pichgoal30\n89504e4700ff}\\shad0 "),
              std::string::npos);
    int depth = 0;
    for (std::size_t i = 0; i < doc.size(); ++i) {
        if (doc[i] == '\\')
            ++i;  // an escaped brace is no group
        else
            depth += doc[i] == '{' ? 1 : doc[i] == '}' ? -1 : 0;
        ASSERT_GE(depth, 0);
    }
    EXPECT_EQ(depth, 0);
}

vor::StyledRun TextRun(std::string text, int size = 10)
{
    vor::StyledRun run;
    run.text = std::move(text);
    run.size = size;
    return run;
}

TEST(StyledDocTest, ParagraphFormatsRunsAndColoursBecomeRtf)
{
    vor::StyledDoc doc;
    vor::StyledParagraph title;
    title.align = vor::ParagraphAlign::Centre;
    vor::StyledRun bold = TextRun("Relatório", 14);
    bold.bold = true;
    bold.underline = true;
    bold.colour = vor::kNavy;
    title.runs = {bold};
    vor::StyledParagraph row;
    row.firstIndent = 5;
    row.tabStops = {40, 134};
    vor::StyledRun grey = TextRun("a\tb{c}", 8);
    grey.colour = vor::kGrey;
    row.runs = {grey, TextRun("\t€")};
    doc.paragraphs = {title, row};

    EXPECT_EQ(vor::StyledDocToRtf(doc),
              "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\n"
              "{\\colortbl;\\red0\\green0\\blue128;\\red128\\green128\\blue128;\\red0\\green0\\blue0;}\n"
              "\\pard\\plain\\f0 "
              "\\pard\\qc \\fs28 \\b \\ul \\cf1 Relat\\'f3rio\\par\n"
              "\\pard\\ql\\fi100\\tx800\\tx2680 \\fs16 \\b0 \\ulnone \\cf2 a\\tab b\\{c\\}"
              "\\fs20 \\b0 \\ulnone \\cf3 \\tab \\'80\\par\n}\n");
    EXPECT_EQ(vor::StyledDocPlainText(doc), "Relatório\na\tb{c}\t€\n");
}

TEST(StyledDocTest, PagesPlaceTextsAtTabStopsCentredAndBrokenByHeight)
{
    vor::StyledDoc doc;
    vor::StyledParagraph centred;
    centred.align = vor::ParagraphAlign::Centre;
    centred.runs = {TextRun("ab")};
    vor::StyledParagraph tabs;
    tabs.tabStops = {40, 100};
    tabs.runs = {TextRun("x\tyy"), TextRun("\tz")};
    vor::StyledParagraph past;
    past.tabStops = {40, 100};
    past.runs = {TextRun("\t\t\tq")};
    doc.paragraphs = {centred, tabs, past};

    // One pixel per point: a character is 10 pixels wide, a line 20 high.
    vortest::RecordingCanvas canvas;
    const std::vector<vor::PlacedPage> pages = vor::LayOutStyledDoc(doc, canvas, 200, 50, 72);
    ASSERT_EQ(pages.size(), 2u);
    ASSERT_EQ(pages[0].size(), 4u);
    EXPECT_EQ(pages[0][0].at, (vor::Point{90, 0}));
    EXPECT_EQ(pages[0][1].at, (vor::Point{0, 20}));
    EXPECT_EQ(pages[0][2].at, (vor::Point{40, 20}));
    EXPECT_EQ(pages[0][3].at, (vor::Point{100, 20}));
    // Past the last stop, the next half inch.
    ASSERT_EQ(pages[1].size(), 1u);
    EXPECT_EQ(pages[1][0].at, (vor::Point{108, 0}));
    EXPECT_EQ(pages[1][0].text, "q");

    canvas.Clear();
    vor::DrawPlacedPage(pages[0], canvas, {5, 7});
    ASSERT_EQ(canvas.Texts(), (std::vector<std::string>{"ab", "x", "yy", "z"}));
    const auto ops = canvas.OpsOf(vortest::RecordingCanvas::Kind::Text);
    EXPECT_EQ(ops[2].points[0], (vor::Point{45, 27}));
    EXPECT_EQ(ops[2].brush.style, vor::BrushStyle::Clear);
}

TEST(StyledDocTest, PrintsAsOneJobAPageAtATime)
{
    vor::StyledDoc doc;
    for (const char* text : {"a", "b", "c"}) {
        vor::StyledParagraph p;
        p.runs = {TextRun(text)};
        doc.paragraphs.push_back(p);
    }
    vortest::RecordingCanvas canvas;
    platform::FakePrintJobs jobs(canvas);
    // Two 20-pixel lines to a page.
    jobs.SetMetrics({200, 50, 10, 10, 220, 70, 72});
    std::vector<std::size_t> pageStarts;
    jobs.SetOnPage([&] { pageStarts.push_back(canvas.Texts().size()); });
    ASSERT_TRUE(vor::PrintStyledDoc(jobs, doc, "Vorlane"));
    ASSERT_EQ(jobs.Jobs().size(), 1u);
    EXPECT_EQ(jobs.Jobs()[0].title, "Vorlane");
    EXPECT_EQ(jobs.Jobs()[0].pages, 2);
    EXPECT_EQ(canvas.Texts(), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(pageStarts, (std::vector<std::size_t>{0, 2}));

    // A refused page ends the job and fails.
    jobs.SetRefusePages(true);
    EXPECT_FALSE(vor::PrintStyledDoc(jobs, doc, "Vorlane"));
    EXPECT_FALSE(jobs.JobOpen());
    EXPECT_TRUE(jobs.Jobs().back().ended);
}

}  // namespace
