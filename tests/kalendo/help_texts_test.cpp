#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "kalendo/help_text_check.h"
#include "kalendo/plain_viewer_text.h"
#include "kalendo/text_viewer_rules.h"
#include "lang/help_source.h"
#include "vorplan/common/atomic_file.h"
#include "vorplan/common/data_folders.h"
#include "vorplan/common/helper_programs.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/rtf/rtf_reader.h"
#include "vorplan/common/rtf/styled_doc.h"

namespace kalendo {
namespace {

namespace fs = std::filesystem;

struct ShippedText {
    const char* name;
    int language;  // whose captions it quotes
    bool help;     // the manual, else the introduction
};

const ShippedText kShipped[] = {
    {"VA2001_P", 1, true},
    {"INTRO_P", 1, false},
    {"VA2001_I", 2, true},
    {"INTRO_I", 2, false},
    {"VA2001_E", 3, true},
    {"INTRO_E", 3, false},
    {"VA2001_N", 4, true},
    {"INTRO_N", 4, false},
};

// The sections every manual has and every introduction walks through.
const std::vector<std::string> kHelpSections = {"intro",   "main",   "projects", "resources", "calculation",
                                                "results", "viewer", "stock",    "labels",    "reports",
                                                "settings", "files", "problems"};
const std::vector<std::string> kIntroSections = {"examples", "project", "calculation", "viewer", "labels"};

fs::path SourceOf(const ShippedText& text)
{
    return fs::path(VOR_SOURCE_DIR) / "lang" / "help" / (std::string(text.name) + ".txt");
}

fs::path ShippedOf(const ShippedText& text)
{
    return fs::path(VOR_SOURCE_DIR) / "dist" / "HLP" / (std::string(text.name) + ".RTF");
}

std::string Trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

class ShippedTextTest : public ::testing::TestWithParam<ShippedText> {
protected:
    void SetUp() override
    {
        source = vor::ParseHelpSource(vor::ReadFileBytes(SourceOf(GetParam())));
        shipped = vor::ReadFileBytes(ShippedOf(GetParam()));
        for (const vor::StyledParagraph& paragraph : source.document.paragraphs)
            paragraphs.push_back(vor::StyledParagraphText(paragraph));
    }

    int ParagraphOfHeading(const std::string& heading) const
    {
        const auto found = std::find(paragraphs.rbegin(), paragraphs.rend(), heading);
        return static_cast<int>(paragraphs.rend() - found) - 1;
    }

    vor::HelpSource source;
    std::string shipped;
    std::vector<std::string> paragraphs;
};

TEST_P(ShippedTextTest, IsWhatItsSourceGivesAndReadsBackWithNothingHiddenShowing)
{
    EXPECT_EQ(shipped, vor::StyledDocToRtf(source.document, source.title))
        << "run the build target help_texts after editing " << SourceOf(GetParam());
    // Equal documents: no font table, information block or other skipped
    // group leaks into the text.
    const vor::StyledDoc read = vor::ReadRtf(shipped);
    EXPECT_EQ(read, source.document);
    for (const vor::StyledParagraph& paragraph : read.paragraphs) {
        const std::string text = vor::StyledParagraphText(paragraph);
        EXPECT_EQ(text.find_first_of("{}\\"), std::string::npos) << text;
    }
}

TEST_P(ShippedTextTest, KeepsTheAuthoringRulesAndHasItsSections)
{
    for (const AuthoringFault& fault : CheckHelpText(vor::ReadRtf(shipped)))
        ADD_FAILURE() << fault.message;

    std::set<std::string> keys;
    for (const vor::HelpHeading& heading : source.headings)
        if (heading.level == 1)
            keys.insert(heading.key);
    for (const std::string& section : GetParam().help ? kHelpSections : kIntroSections)
        EXPECT_TRUE(keys.count(section)) << "no section " << section;
    EXPECT_GE(source.headings.size(), GetParam().help ? 13u : 5u);
}

TEST_P(ShippedTextTest, HeadingListAndContentsLinksLandOnTheHeadings)
{
    const vor::StyledDoc doc = vor::ReadRtf(shipped);
    const std::vector<std::string> headings = BuildHeadingList(paragraphs);
    ASSERT_EQ(headings.size(), source.headings.size());
    const int last = static_cast<int>(paragraphs.size()) - 1;
    for (const std::string& heading : headings) {
        const int at = ParagraphOfHeading(heading);
        PlainViewerText view(doc);
        JumpToHeading(view, heading);
        EXPECT_EQ(view.ParagraphOf(view.SelectionStart()), std::min(at + 5, last)) << heading;

        // A click on the contents entry, on the link's third letter.
        PlainViewerText clicked(doc);
        const auto entry = clicked.Find(heading, 0, true);
        ASSERT_TRUE(entry) << heading;
        clicked.SetCaret(entry->start + 2);
        EXPECT_TRUE(FollowUnderlinedLink(clicked)) << heading;
        EXPECT_EQ(clicked.ParagraphOf(clicked.SelectionStart()), std::min(at + 4, last)) << heading;
    }
}

// The captions the text quotes are the ones its language shows: the message
// table as the installation's language file and the fixed texts fill it, and
// the icon captions.
TEST_P(ShippedTextTest, QuotesTheCaptionsOfItsLanguage)
{
    const vor::DataFolders folders = vor::MakeDataFolders(fs::path(VOR_BINARY_DIR) / "vorlane");
    ASSERT_TRUE(fs::exists(vor::LanguageFile(folders, GetParam().language)));
    vor::MessageTable messages;
    vor::IconCaptionTable icons;
    ASSERT_EQ(vor::LoadLanguage(folders, GetParam().language, messages, icons), GetParam().language);
    EXPECT_FALSE(source.captions.empty());
    for (const vor::QuotedCaption& caption : source.captions) {
        ASSERT_GE(caption.slot, 1) << "line " << caption.line;
        ASSERT_LE(caption.slot, caption.icon ? 10 : vor::kMessageSlots) << "line " << caption.line;
        const std::string shown = Trimmed(caption.icon ? icons[caption.slot] : messages[caption.slot]);
        EXPECT_EQ(caption.text, shown) << (caption.icon ? "icon " : "message ") << caption.slot << ", line "
                                       << caption.line;
    }
}

INSTANTIATE_TEST_SUITE_P(Shipped, ShippedTextTest, ::testing::ValuesIn(kShipped),
                         [](const ::testing::TestParamInfo<ShippedText>& shown) { return std::string(shown.param.name); });

// Every language finds its texts where the help and introduction commands
// point; language 5 reads the Portuguese help and the Spanish introduction.
TEST(ShippedTexts, EveryLanguageHasItsHelpAndIntroduction)
{
    const vor::DataFolders folders = vor::MakeDataFolders(fs::path(VOR_SOURCE_DIR) / "dist");
    std::set<std::string> shipped;
    for (const ShippedText& text : kShipped)
        shipped.insert(std::string(text.name) + ".RTF");
    for (int language = 1; language <= vor::kLanguageCount; ++language) {
        for (const fs::path& file : {vor::HelpTextFile(folders, language), vor::IntroTextPath(folders, language)}) {
            EXPECT_TRUE(shipped.count(file.filename().string())) << "language " << language << ": " << file;
            EXPECT_TRUE(fs::exists(file)) << file;
        }
    }
    EXPECT_EQ(vor::HelpTextFile(folders, 5).filename(), "VA2001_P.RTF");
    EXPECT_EQ(vor::IntroTextPath(folders, 5).filename(), "INTRO_E.RTF");
}

// The source format: numbering, the contents block, captions and references.
TEST(HelpSource, NumbersHeadingsListsThemInTheContentsAndResolvesReferences)
{
    const vor::HelpSource help = vor::ParseHelpSource(
        "% a comment\n= Title\n@contents Contents\n\n# First {=a}\nSee section {#b} and the \"{i4:Cut}\" icon,\n"
        "**bold** words.\n\n## Inner {=b}\n- a {39:Caption} item\n\n# Second\ntext\n");
    std::vector<std::string> texts;
    for (const vor::StyledParagraph& paragraph : help.document.paragraphs)
        texts.push_back(vor::StyledParagraphText(paragraph));
    const std::vector<std::string> expected = {"Title",        "Contents",
                                               "\t1 - First",  "\t\t1.1 - Inner",
                                               "\t2 - Second", "1 - First",
                                               "See section 1.1 and the \"Cut\" icon, bold words.",
                                               "1.1 - Inner",  "•  a Caption item",
                                               "2 - Second",   "text"};
    EXPECT_EQ(texts, expected);
    EXPECT_EQ(help.title, "Title");
    ASSERT_EQ(help.captions.size(), 2u);
    EXPECT_TRUE(help.captions[0].icon);
    EXPECT_EQ(help.captions[0].slot, 4);
    EXPECT_EQ(help.captions[0].line, 6);
    EXPECT_FALSE(help.captions[1].icon);
    EXPECT_EQ(help.captions[1].slot, 39);
    EXPECT_EQ(help.captions[1].text, "Caption");
    EXPECT_TRUE(CheckHelpText(help.document).empty());
}

TEST(HelpSource, MalformedMarkupIsRefusedWithItsLine)
{
    const struct {
        const char* source;
        const char* message;
    } cases[] = {
        {"# A\nsee {#nowhere}\n", "line 2: no section has the key \"nowhere\""},
        {"# A {=k}\n# B {=k}\n", "line 2: empty or repeated key \"k\""},
        {"## Early\n", "line 1: a sub-heading before the first heading"},
        {"# A\n**open bold\n", "line 2: a \"**\" without its closing \"**\""},
        {"# A\n{39}\n", "line 2: a caption is \"{slot:Text}\" or \"{iN:Text}\", not \"{39}\""},
        {"# A\n{x1:Text}\n", "line 2: a caption is \"{slot:Text}\" or \"{iN:Text}\", not \"{x1:Text}\""},
        {"# A\nan open { brace\n", "line 2: a \"{\" without its \"}\""},
        {"#A\n", "line 1: a heading is \"# Title\" or \"## Title\""},
        {"# A {x}\n", "line 1: a heading is plain text"},
    };
    for (const auto& c : cases) {
        try {
            vor::ParseHelpSource(c.source);
            ADD_FAILURE() << "accepted: " << c.source;
        } catch (const vor::HelpSourceError& e) {
            EXPECT_EQ(std::string(e.what()), c.message) << c.source;
        }
    }
}

}  // namespace
}  // namespace kalendo
