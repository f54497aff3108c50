#include <gtest/gtest.h>

#include <string>

#include "kalendo/message_set.h"
#include "kalendo/viewer_command.h"
#include "vorplan/common/errors.h"

namespace kalendo {
namespace {

struct ParseCase {
    const char* name;
    std::string text;
    ViewerPage page;
    std::string version;
    char digit;
    std::string fileName;
    std::string password;
};

TEST(ParseViewerCommand, Table)
{
    const std::string longPath = "/home/utilizador/Documentos/Instalações/Vorlane 2024/versão de teste/HLP/"
                                 "AJUDA_DO_SISTEMA_DE_OTIMIZAÇÃO_COMPLETA.RTF";
    std::string longPathWithoutBlanks = longPath;
    std::erase(longPathWithoutBlanks, ' ');
    const ParseCase cases[] = {
        {"start-up with password", "VA2001-ENT#2.18#1#1#0#segredo", ViewerPage::Startup, "2.18", '1',
         "segredo", "segredo"},
        {"empty argument", "VA2001-ENT#2.18#2#1#0#", ViewerPage::Startup, "2.18", '2', "", ""},
        {"text file", "VA2001-TXT#2.18#3#1#0#/opt/vorlane/HLP/AJUDAE.RTF", ViewerPage::TextViewer, "2.18",
         '3', "/opt/vorlane/HLP/AJUDAE.RTF", "/opt/vorlane/HLP/AJUDAE.RTF"},
        {"lower-case text word", "va2001-txt#2.18#2#1#0#/opt/x.rtf", ViewerPage::SeparateRun, "2.18", '2',
         "/opt/x.rtf", "/opt/x.rtf"},
        {"lower-case start-up word", "Va2001-ENT#2.18#2#1#0#", ViewerPage::SeparateRun, "2.18", '2', "", ""},
        {"command word alone is padded", "VA2001-ENT", ViewerPage::Startup, "    ", ' ', "", ""},
        {"short version is padded", "VA2001-ENT#2.1", ViewerPage::Startup, "2.1 ", ' ', "", ""},
        {"empty clipboard", "", ViewerPage::SeparateRun, "    ", ' ', "", ""},
        {"blanks leave the password, inner ones too", "VA2001-ENT#2.18#1#1#0# se gr  edo  ",
         ViewerPage::Startup, "2.18", '1', " se gr  edo", "segredo"},
        {"digit outside 1 to 5", "VA2001-ENT#2.18#7#1#0#", ViewerPage::Startup, "2.18", '7', "", ""},
        {"columns are fixed, not delimited", "VA2001-ENTx2.18x3x1x0xpw", ViewerPage::Startup, "2.18", '3', "pw",
         "pw"},
        {"argument longer than 80 characters is kept", "VA2001-TXT#2.18#1#1#0#" + longPath,
         ViewerPage::TextViewer, "2.18", '1', longPath, longPathWithoutBlanks},
        {"trailing blanks leave the path", "VA2001-TXT#2.18#1#1#0#/home/a b/HLP/AJUDA P.RTF   ",
         ViewerPage::TextViewer, "2.18", '1', "/home/a b/HLP/AJUDA P.RTF", "/home/ab/HLP/AJUDAP.RTF"},
        {"columns count characters, not bytes", "VA2001-ENT#2.1é#4#1#0#pw", ViewerPage::Startup, "2.1é", '4',
         "pw", "pw"},
        {"a wide character in the digit column", "VA2001-ENT#2.18#é#1#0#pw", ViewerPage::Startup, "2.18", ' ',
         "pw", "pw"},
        {"bytes that are not UTF-8", "\xff\xfe\x80VA2001-ENT#2.18#1", ViewerPage::SeparateRun, "NT#2", '1', "",
         ""},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.name);
        const ViewerCommand command = ParseViewerCommand(c.text);
        EXPECT_EQ(command.page, c.page);
        EXPECT_EQ(command.version, c.version);
        EXPECT_EQ(command.languageDigit, c.digit);
        EXPECT_EQ(command.fileName, c.fileName);
        EXPECT_EQ(command.password, c.password);
        EXPECT_EQ(command.paddedText, c.text + std::string(45, ' '));
    }
}

TEST(ParseViewerCommand, DigitOutsideOneToFiveLeavesEveryTextEmpty)
{
    for (const char digit : {'0', '6', '9', ' ', 'a'}) {
        SCOPED_TRACE(digit);
        const MessageSet set = FillMessageSet(ParseViewerCommand(std::string("VA2001-ENT#2.18#") + digit).languageDigit);
        EXPECT_EQ(set.programTitle, "");
        EXPECT_EQ(set.notFound, "");
        EXPECT_EQ(set.file, "");
        EXPECT_EQ(set.invalidPassword, "");
        EXPECT_EQ(set.screenWarning1, "");
        EXPECT_EQ(set.screenWarning2, "");
    }
}

TEST(ViewerCommandText, ExactStrings)
{
    EXPECT_EQ(BuildStartupCommand(1, "segredo"), "VA2001-ENT#2.18#1#1#0#segredo");
    EXPECT_EQ(BuildStartupCommand(5, ""), "VA2001-ENT#2.18#5#1#0#");
    EXPECT_EQ(BuildTextCommand(2, "/opt/vorlane/HLP/AJUDAI.RTF"), "VA2001-TXT#2.18#2#1#0#/opt/vorlane/HLP/AJUDAI.RTF");
    EXPECT_EQ(ReplyText(ViewerReply::Ok), "VL#OK");
    EXPECT_EQ(ReplyText(ViewerReply::End), "VL#FIM");
    EXPECT_EQ(kAcknowledge, "INICIA");
}

TEST(ViewerCommandText, LanguageIndexMustBeOneDigit)
{
    EXPECT_THROW(BuildStartupCommand(10, "x"), vor::RangeError);
    EXPECT_THROW(BuildTextCommand(-1, "x"), vor::RangeError);
}

TEST(ViewerCommandText, WhatVorplanBuildsKalendoReadsBack)
{
    const std::string path(300, 'p');
    for (int language = 1; language <= 5; ++language) {
        SCOPED_TRACE(language);
        const ViewerCommand text = ParseViewerCommand(BuildTextCommand(language, "/srv/a/" + path));
        EXPECT_EQ(text.page, ViewerPage::TextViewer);
        EXPECT_EQ(text.version, "2.18");
        EXPECT_EQ(text.languageDigit, static_cast<char>('0' + language));
        EXPECT_EQ(text.fileName, "/srv/a/" + path);

        const ViewerCommand startup = ParseViewerCommand(BuildStartupCommand(language, "Pa55word"));
        EXPECT_EQ(startup.page, ViewerPage::Startup);
        EXPECT_EQ(startup.password, "Pa55word");
    }
}

TEST(IsViewerCommand, OnlyTheTwoWordsExactly)
{
    EXPECT_TRUE(IsViewerCommand("VA2001-ENT#2.18#1#1#0#"));
    EXPECT_TRUE(IsViewerCommand("VA2001-TXT"));
    EXPECT_FALSE(IsViewerCommand(""));
    EXPECT_FALSE(IsViewerCommand("VL#OK"));
    EXPECT_FALSE(IsViewerCommand("INICIA"));
    EXPECT_FALSE(IsViewerCommand("va2001-ent#2.18#1#1#0#"));
    EXPECT_FALSE(IsViewerCommand(" VA2001-ENT#2.18#1#1#0#"));
    EXPECT_FALSE(IsViewerCommand("VA2001-EN"));
}

}  // namespace
}  // namespace kalendo
