#include <gtest/gtest.h>

#include <string>

#include "kalendo/help_text_check.h"
#include "kalendo/plain_viewer_text.h"
#include "kalendo/text_viewer_rules.h"
#include "vorplan/common/atomic_file.h"
#include "vorplan/common/rtf/rtf_reader.h"

namespace kalendo {
namespace {

vor::StyledDoc Fixture(const char* name)
{
    return vor::ReadRtf(vor::ReadFileBytes(std::string(VOR_FIXTURES_DIR "/help_texts/") + name));
}

// The paragraph a position stands in, as text.
std::string ParagraphAt(const ViewerText& text, int position)
{
    return text.ParagraphText(text.ParagraphOf(position));
}

TEST(TextViewerRulesTest, HeadingsAndSubHeadings)
{
    struct Case {
        const char* line;
        bool heading, sub;
    };
    const Case cases[] = {
        {"1 - Title", true, false},   {"1-Title", false, false},     {"A - x", false, false},
        {"0 - x", false, false},      {"1.1 - x", true, true},       {"12.3 - x", true, true},
        {"1 - x.y", true, false},     {"123.4 - x", true, false},    {"1 x", false, false},
        {"9 -", true, false},         {"", false, false},            {"\t1 - Title", false, false},
        {"1é.2 - x", true, true},  // positions count characters
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsHeadingLine(c.line), c.heading) << c.line;
        EXPECT_EQ(IsSubHeading(c.line), c.sub) << c.line;
    }
    EXPECT_EQ(BuildHeadingList({"Contents", "\t1 - A", "1 - A", "text", "1.1 - B", "2-x"}),
              (std::vector<std::string>{"1 - A", "1.1 - B"}));
}

TEST(TextViewerRulesTest, LinkTextOfLine)
{
    struct Case {
        const char* line;
        int column;
        const char* link;
    };
    const Case cases[] = {
        {"\t1 - Intro", 3, "1 - Intro"},                 // TAB before
        {"\t\t2.1 - Pieces\t", 4, "2.1 - Pieces"},       // TABs before and after
        {"\t1 - Intro\tpage 3", 2, "1 - Intro"},         // cut after the TAB past the click
        {"\t1 - Intro\tpage 3", 12, "1 - Intro\tpage 3"},  // no TAB after the click: the whole line
        {"\tA \t", 1, "A"},                              // trailing blank and TAB
        {" ", 0, ""},                                    // a lone blank
        {"\t", 0, "\t"},                                 // one character is left as it is
        {"\t\t", 0, "\t"},
        {"Peças\tx", 1, "Peças"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LinkTextOfLine(c.line, c.column), c.link) << c.line << " @" << c.column;
}

TEST(TextViewerRulesTest, OnlyPlainUnderlineIsALink)
{
    struct Case {
        const char* name;
        vor::StyledRun style;
        bool link;
    };
    vor::StyledRun plain;
    vor::StyledRun underlined;
    underlined.underline = true;
    vor::StyledRun boldUnderlined = underlined;
    boldUnderlined.bold = true;
    vor::StyledRun colouredUnderlined = underlined;
    colouredUnderlined.colour = vor::RgbColor(0, 0, 255);
    colouredUnderlined.size = 15;
    vor::StyledRun italicUnderlined = underlined;
    italicUnderlined.italic = true;
    vor::StyledRun struckUnderlined = underlined;
    struckUnderlined.strike = true;
    const Case cases[] = {
        {"plain", plain, false},
        {"underlined", underlined, true},
        {"bold and underlined", boldUnderlined, false},
        {"underlined in colour and size", colouredUnderlined, true},
        {"italic and underlined", italicUnderlined, false},
        {"struck and underlined", struckUnderlined, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsExactlyUnderlined(c.style), c.link) << c.name;
}

TEST(TextViewerRulesTest, HeadingClickLandsBelowTheSecondOccurrence)
{
    const vor::StyledDoc doc = Fixture("help_en.rtf");
    PlainViewerText text(doc);
    const int heading = text.Find("2 - Orders", text.ParagraphStart(11), true)->start;
    ASSERT_EQ(ParagraphAt(text, heading), "2 - Orders");

    text.Select(3, 4);
    JumpToHeading(text, "2 - Orders");
    EXPECT_EQ(text.SelectionLength(), 0);
    EXPECT_EQ(text.VisualLine(text.SelectionStart()), text.VisualLine(heading) + 5);

    // A text found once: the caret stays below it.
    const int once = text.Find("A second line", 0, true)->start;
    JumpToHeading(text, "A second line");
    EXPECT_GT(text.VisualLine(text.SelectionStart()), text.VisualLine(once));
    EXPECT_LE(text.VisualLine(text.SelectionStart()), text.VisualLine(once) + 6);

    // Near the end the walk stops inside the text.
    JumpToHeading(text, "3 - Calculation");
    EXPECT_LE(text.SelectionStart(), text.Length());
    EXPECT_EQ(ParagraphAt(text, text.SelectionStart()), "The last line of the text.");
}

TEST(TextViewerRulesTest, UnderlinedLinkJumpsBoldUnderlinedDoesNot)
{
    PlainViewerText text(Fixture("help_en.rtf"));
    // A click in the middle of the contents entry "2 - Orders".
    const int entry = text.Find("2 - Orders", 0, true)->start;
    const int heading = text.Find("2 - Orders", entry + 1, true)->start;
    for (int click : {entry, entry + 4, entry + 9}) {
        SCOPED_TRACE(click);
        text.SetCaret(click);
        EXPECT_TRUE(FollowUnderlinedLink(text));
        EXPECT_EQ(text.VisualLine(text.SelectionStart()), text.VisualLine(heading) + 4);
    }
    // A click on the heading itself (bold, not a link) and on plain text.
    for (int click : {heading + 2, text.Find("An order", 0, true)->start}) {
        text.SetCaret(click);
        EXPECT_FALSE(FollowUnderlinedLink(text));
        EXPECT_EQ(text.SelectionStart(), click);
    }

    PlainViewerText broken(Fixture("breaks_contents_entry.rtf"));
    const int boldEntry = broken.Find("2 - Orders", 0, true)->start;
    broken.SetCaret(boldEntry + 3);
    EXPECT_FALSE(FollowUnderlinedLink(broken));
}

TEST(TextViewerRulesTest, FindStartsAtTheTopOrAfterTheSelectionIgnoringCase)
{
    PlainViewerText text(Fixture("help_pt.rtf"));
    const int first = text.Find("peças", 0, false)->start;
    text.SetCaret(text.Length() - 2);  // a caret without a selection does not count
    ASSERT_TRUE(FindNext(text, "PEÇAS"));
    EXPECT_EQ(text.SelectionStart(), first);
    EXPECT_EQ(text.SelectionLength(), 5);
    ASSERT_TRUE(FindNext(text, "peças"));
    EXPECT_GT(text.SelectionStart(), first);

    text.Select(7, 3);
    EXPECT_FALSE(FindNext(text, "no such text"));
    EXPECT_EQ(text.SelectionStart(), 7);
    EXPECT_EQ(text.SelectionLength(), 3);
    EXPECT_FALSE(FindAndSelect(text, "PEÇAS", true));  // the headings' search minds the case
}

TEST(TextViewerRulesTest, WindowPlacesAndPageLayout)
{
    EXPECT_EQ(PlaceViewerWindow({1024, 768}, kViewerDesignWindow), (Box{156, 152, 712, 430}));

    const ViewerGeometry small = LayoutViewerPage({800, 600}, {0, 0, 712, 600}, {}, true);
    EXPECT_EQ(small.window, (Box{0, 0, 800, 480}));
    const ViewerGeometry wide = LayoutViewerPage({1280, 1024}, {284, 200, 712, 430}, {}, true);
    EXPECT_EQ(wide.window, (Box{0, 200, 1280, 430}));
    EXPECT_EQ(wide.list, (Box{0, 0, kHeadingListWidth, 418}));
    EXPECT_EQ(wide.text, (Box{kHeadingListWidth + 3, 0, 1280 - kHeadingListWidth - 12, 430 - 30 - 14}));
    EXPECT_EQ(wide.okButton, (Box{1280 - 75 - 12, 430 - 30 - 10, 75, 30}));
    EXPECT_EQ(wide.buttonPanel, (Box{kHeadingListWidth + 3, 430 - kViewerButtonPanel.height - 7,
                                     kViewerButtonPanel.width, kViewerButtonPanel.height}));
    // The frame's part is not the page's.
    const ViewerGeometry framed = LayoutViewerPage({1280, 1024}, {0, 0, 1280, 430}, {4, 30}, true);
    EXPECT_EQ(framed.window, (Box{0, 0, 1280, 430}));
    EXPECT_EQ(framed.list, (Box{0, 0, kHeadingListWidth, 400 - 12}));
    EXPECT_EQ(framed.okButton, (Box{1276 - 75 - 12, 400 - 30 - 10, 75, 30}));
    // Other pages keep the window's width and place, never lower than 180.
    EXPECT_EQ(LayoutViewerPage({1280, 1024}, {10, 20, 366, 100}, {}, false).window, (Box{10, 20, 366, 180}));
}

TEST(HelpTextCheckTest, ConformingTextsPassAndTheirJumpsLandOnTheHeadings)
{
    for (const char* name : {"help_en.rtf", "help_pt.rtf"}) {
        SCOPED_TRACE(name);
        const vor::StyledDoc doc = Fixture(name);
        const auto faults = CheckHelpText(doc);
        for (const AuthoringFault& f : faults)
            ADD_FAILURE() << f.message;

        PlainViewerText text(doc);
        std::vector<std::string> paragraphs;
        for (const auto& p : doc.paragraphs)
            paragraphs.push_back(vor::StyledParagraphText(p));
        const std::vector<std::string> headings = BuildHeadingList(paragraphs);
        ASSERT_GE(headings.size(), 4u);
        for (const std::string& heading : headings) {
            SCOPED_TRACE(heading);
            const auto entry = text.Find(heading, 0, true);
            ASSERT_TRUE(entry);
            const auto self = text.Find(heading, entry->start + 1, true);
            ASSERT_TRUE(self);
            EXPECT_EQ(ParagraphAt(text, self->start), heading);
            // Through the heading list: the first find, one line down, the second find.
            ASSERT_TRUE(FindAndSelect(text, heading, true));
            EXPECT_EQ(text.SelectionStart(), entry->start);
            MoveCaretDownLines(text, 1);
            ASSERT_TRUE(FindAndSelect(text, heading, false));
            EXPECT_EQ(text.SelectionStart(), self->start);
            // Through the contents link.
            text.SetCaret(entry->start + 1);
            ASSERT_TRUE(FollowUnderlinedLink(text));
            const int below = text.VisualLine(text.SelectionStart()) - text.VisualLine(self->start);
            EXPECT_TRUE(below == 4 || text.SelectionStart() >= text.Length() - 3) << below;
        }
    }
}

TEST(HelpTextCheckTest, EachBrokenRuleIsNamedWithItsPlace)
{
    struct Case {
        const char* file;
        AuthoringRule rule;
        int paragraph;
        const char* words;
    };
    const Case cases[] = {
        {"breaks_heading_form.rtf", AuthoringRule::HeadingForm, 11, "3x faster"},
        {"breaks_contents_entry.rtf", AuthoringRule::ContentsEntry, 4, "2 - Orders"},
        {"breaks_heading_occurrence.rtf", AuthoringRule::HeadingOccurrence, 11, "between its contents entry"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const auto faults = CheckHelpText(Fixture(c.file));
        ASSERT_EQ(faults.size(), 1u);
        EXPECT_EQ(faults[0].rule, c.rule);
        EXPECT_EQ(faults[0].paragraph, c.paragraph);
        EXPECT_NE(faults[0].message.find(c.words), std::string::npos) << faults[0].message;
        EXPECT_NE(faults[0].message.find("paragraph " + std::to_string(c.paragraph + 1)), std::string::npos)
            << faults[0].message;
    }
}

TEST(HelpTextCheckTest, HeadingFormsAndAVeryLongLine)
{
    struct Case {
        const char* text;
        bool fault;
    };
    const Case cases[] = {
        {"1 - Title", false}, {"12.3 - Title", false}, {"1.10 - Title", false}, {"123 - Title", true},
        {"1 -  Title", true},  {"1. - Title", true},     {"1 - ", true},           {"0 - Title", true},
    };
    for (const Case& c : cases) {
        vor::StyledDoc doc;
        vor::StyledParagraph paragraph;
        vor::StyledRun run;
        run.text = c.text;
        paragraph.Append(run);
        doc.paragraphs.push_back(paragraph);
        const auto faults = CheckHelpText(doc);
        const bool formFault = !faults.empty() && faults[0].rule == AuthoringRule::HeadingForm;
        EXPECT_EQ(formFault, c.fault) << c.text;
    }
    // A paragraph of a hundred thousand characters is checked without trouble.
    vor::StyledDoc doc;
    vor::StyledParagraph paragraph;
    vor::StyledRun run;
    run.text = "1 - " + std::string(100000, 'x');
    paragraph.Append(run);
    doc.paragraphs.push_back(paragraph);
    EXPECT_EQ(CheckHelpText(doc).size(), 1u);  // a heading without its contents entry
}

}  // namespace
}  // namespace kalendo
