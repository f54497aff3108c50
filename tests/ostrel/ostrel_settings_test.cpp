#include "ostrel/ostrel_settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ostrel/ostrel_texts.h"
#include "tests/support/test_support.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/text_file.h"

using namespace ostrel;

namespace {

namespace fs = std::filesystem;

class OstrelSettingsTest : public ::testing::Test {
protected:
    fs::path IniPath() const { return install.iniDir() / "ostrel.ini"; }
    vortest::TestInstallation install;
};

TEST_F(OstrelSettingsTest, DefaultsWhenTheFileIsMissing)
{
    const OstrelSettings s = ReadSettings(vor::IniFile(IniPath()));
    EXPECT_EQ(s, OstrelSettings{});
    EXPECT_EQ(s.lineSpacing, 8);
    EXPECT_EQ(s.letterSize, 8);
    EXPECT_EQ(s.corTab, 6);
    EXPECT_EQ(s.corTit, 1);
    EXPECT_EQ(s.windowHeight, 390);
    EXPECT_EQ(s.marginLeft, "20");
    EXPECT_EQ(s.headerText, "Cabeçalho");
    EXPECT_EQ(s.footerText, "Rodapé");
    EXPECT_TRUE(s.headerRule && s.footerRule && s.tableRules && s.cursorBand);
    EXPECT_EQ(s.orientation, 0);
    EXPECT_EQ(s.picture1, PictureSettings{});
    EXPECT_EQ(s.picture2.width, "0");

    OstrelSettings standard = s;
    ApplyStandardLayout(standard);
    EXPECT_EQ(standard.letterSize, 9);
    EXPECT_EQ(standard.lineSpacing, 8);
}

TEST_F(OstrelSettingsTest, RoundTripThroughTheBareNameInTheSettingsFolder)
{
    OstrelSettings s;
    s.lineSpacing = 3;
    s.letterSize = 11;
    s.corTab = 2;
    s.corTit = 0;
    s.windowHeight = 512;
    s.marginLeft = "12,5";
    s.marginTop = "7";
    s.marginBottom = "9.5";
    s.headerText = "Relatório de peças";
    s.headerRule = false;
    s.footerText = "<DATA> Página <PG>";
    s.footerRule = false;
    s.orientation = 1;
    s.tableRules = false;
    s.cursorBand = false;
    s.picture1 = {"/pics/logo.bmp", "-1", "5", "30", "12"};
    s.picture2 = {"/pics/b.bmp", "10", "-1", "40", "8"};
    {
        vor::IniFile ini{fs::path(kSettingsFileName)};
        EXPECT_EQ(ini.path(), IniPath());
        WriteSettings(ini, s);
    }
    EXPECT_EQ(StartSettings(Mode::Normal, 1000), s);
    EXPECT_NE(vortest::ReadBytes(IniPath()).find("Relat\xf3rio de pe\xe7" "as"), std::string::npos);
    EXPECT_TRUE(IsLandscape(s));
}

TEST_F(OstrelSettingsTest, NumbersBroughtIntoTheirRanges)
{
    struct Case {
        const char* text;
        int lineSpacing, letterSize, corTab, corTit;
    };
    const Case cases[] = {
        {"DIST_LINHAS=0\r\nTAM_LETRAS=2\r\nCOR_TAB=9\r\nCOR_TIT=-1\r\n", 1, 3, 6, 0},
        {"DIST_LINHAS=99\r\nTAM_LETRAS=12\r\nCOR_TAB=-3\r\nCOR_TIT=7\r\n", 20, 11, 0, 2},
        {"DIST_LINHAS=abc\r\nTAM_LETRAS=\r\n", 8, 8, 6, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        vortest::WriteBytes(IniPath(), std::string("[GERAL]\r\n") + c.text);
        const OstrelSettings s = ReadSettings(vor::IniFile(IniPath()));
        EXPECT_EQ(s.lineSpacing, c.lineSpacing);
        EXPECT_EQ(s.letterSize, c.letterSize);
        EXPECT_EQ(s.corTab, c.corTab);
        EXPECT_EQ(s.corTit, c.corTit);
    }
}

TEST_F(OstrelSettingsTest, HelpModeIgnoresTheFile)
{
    vortest::WriteBytes(IniPath(), "[GERAL]\r\nTAM_LETRAS=11\r\n[CABECALHO]\r\nTEXTO=Mine\r\n");
    EXPECT_EQ(StartSettings(Mode::Normal, 1000).letterSize, 11);
    const OstrelSettings h = StartSettings(Mode::Help, 1000);
    EXPECT_EQ(h, HelpModeSettings(1000));
    EXPECT_EQ(h.letterSize, 8);
    EXPECT_EQ(h.lineSpacing, 8);
    EXPECT_EQ(h.corTab, 6);
    EXPECT_EQ(h.corTit, 1);
    EXPECT_EQ(h.windowHeight, 860);
    EXPECT_EQ(h.headerText, "");
    EXPECT_EQ(h.footerText, "Página <PG> / <TPG>");
    EXPECT_FALSE(h.cursorBand);
    EXPECT_TRUE(h.tableRules && h.headerRule && h.footerRule);
    EXPECT_EQ(h.marginTop, "20");
    EXPECT_TRUE(h.picture1.file.empty());
}

TEST_F(OstrelSettingsTest, RenderSettingsFollowTheMode)
{
    OstrelSettings s;
    s.letterSize = 10;
    s.cursorBand = false;
    const RenderSettings r = MakeRenderSettings(s, Mode::NoPrint);
    EXPECT_EQ(r.letterSize, 10);
    EXPECT_FALSE(r.cursorBand);
    EXPECT_TRUE(r.yellowBand);
    EXPECT_FALSE(MakeRenderSettings(s, Mode::Normal).yellowBand);
}

TEST_F(OstrelSettingsTest, ComboPresets)
{
    const fs::path file = install.base() / kComboFileName;
    EXPECT_TRUE(ReadComboPresets(file).empty());
    vortest::WriteBytes(file, "A\r\nTotal\r\nTotal\r\nSub\r\n\r\nx\r\nSub\r\n");
    EXPECT_EQ(ReadComboPresets(file), (std::vector<std::string>{"Total", "Sub", "Sub"}));

    WriteComboPresets(file, "Nova linha", {"Total", "Sub"});
    EXPECT_EQ(vortest::ReadBytes(file), "Nova linha\r\nTotal\r\nSub\r\n");
    EXPECT_EQ(ReadComboPresets(file), (std::vector<std::string>{"Nova linha", "Total", "Sub"}));
}

TEST_F(OstrelSettingsTest, LanguageNumber)
{
    EXPECT_EQ(ReadLanguageNumber(install.base()), 1);
    struct Case {
        const char* content;
        int number;
        Language language;
    };
    const Case cases[] = {
        {"1\r\n", 1, Language::Portuguese}, {"2\r\n", 2, Language::English},
        {"3\r\n", 3, Language::Spanish},    {"4\r\n", 4, Language::English},
        {"5\r\n", 5, Language::Spanish},    {" 2 \r\n9\r\n", 2, Language::English},
        {"x\r\n", 0, Language::Portuguese}, {"", 1, Language::Portuguese},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.content);
        vortest::WriteBytes(install.base() / kLanguageFileName, c.content);
        const int n = ReadLanguageNumber(install.base());
        EXPECT_EQ(n, c.number);
        EXPECT_EQ(LanguageFor(n), c.language);
    }
}

TEST(OstrelTexts, MessagesAsShown)
{
    EXPECT_EQ(NoReportMessage(Language::Portuguese),
              "Este arquivo faz parte do Vorlane\ne não deve ser executado em separado.");
    EXPECT_EQ(FileUnavailableMessage(Language::Portuguese, "/r/a.txt"), "Arquivo não disponível [/r/a.txt]");
    EXPECT_EQ(IncludeMissingMessage(Language::Portuguese, "inc.txt"), "Arquivo [inc.txt] não localizado.");
    EXPECT_EQ(SearchFoundMessage(Language::Portuguese, 3),
              "Localizada(s) 3 linha(s), indicadas em vermelho.\n"
              "- Para deslocar a tela para cada ocorrência, use [F3]\n"
              "- Para desmarcar as ocorrências, use [F5]");
    EXPECT_EQ(PrintConfirmMessage(Language::Portuguese, 5), "Imprimir ? ( 5 Página(s) )");
    EXPECT_EQ(PrintConfirmMessage(Language::English, 1), "Print ? ( 1 Page(s) )");
    EXPECT_EQ(PrintingPageText(Language::Portuguese, 2), "Imprimindo página 2");
    EXPECT_EQ(MissingPictureMessage(Language::Portuguese, "a.bmp"), "Arquivo nã+o encontrado: [a.bmp]");
    for (Language l : {Language::Portuguese, Language::English, Language::Spanish}) {
        EXPECT_FALSE(SearchNotFoundMessage(l).empty());
        EXPECT_NE(TooLongMessage(l).find("25001"), std::string::npos);
        EXPECT_NE(NoRoomMessage(l).find("25001"), std::string::npos);
        EXPECT_FALSE(PrintWaitText(l).empty());
    }
}

}  // namespace
