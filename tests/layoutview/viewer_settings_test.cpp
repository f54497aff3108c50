#include "vorplan/layoutview/viewer_settings.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/fake_message_service.h"
#include "tests/layoutview/layoutview_support.h"
#include "vorplan/common/general_settings.h"
#include "vorplan/common/ini_file.h"

namespace {

namespace fs = std::filesystem;
using vor::CutDisplay;
using vor::ViewerDisplaySettings;
using vor::MapPrintSettings;
using vortest::ReadBytes;
using vortest::WriteBytes;

class ViewerSettingsTest : public ::testing::Test {
protected:
    void Load()
    {
        vor::IniFile ini("VL_.INI");
        vor::LoadViewerSettings(ini, display, print, general);
    }
    void Write(const std::string& text) { WriteBytes(inst.iniDir() / "VL_.INI", text); }
    std::string Saved() const { return ReadBytes(inst.iniDir() / "VL_.INI"); }

    vortest::TestInstallation inst;
    ViewerDisplaySettings display;
    MapPrintSettings print;
    vor::GeneralSettings general;
};

TEST_F(ViewerSettingsTest, MissingFileGivesTheDefaults)
{
    display.showDimensions = false;
    display.cuts = CutDisplay::All;
    print.leftMargin = "3";
    general.viewerFactor = "0.7";
    Load();
    EXPECT_EQ(display, ViewerDisplaySettings());
    EXPECT_TRUE(display.showIdentification);
    EXPECT_EQ(display.identification, 0);
    EXPECT_TRUE(display.legendTypeOne);
    EXPECT_FALSE(display.singleColour);
    EXPECT_EQ(display.cuts, CutDisplay::None);
    EXPECT_TRUE(display.unifyLeftovers);
    EXPECT_TRUE(display.twoDecimals);
    EXPECT_EQ(print, MapPrintSettings());
    EXPECT_EQ(print.LeftMargin(), 20);
    EXPECT_EQ(print.PenWidth(), 1);
    EXPECT_EQ(print.totalsColour, 0x000000);
    EXPECT_EQ(print.dateTimeColour, 0xFF0000);
    EXPECT_EQ(general.viewerFactor, "1.0");
    EXPECT_FALSE(fs::exists(inst.iniDir() / "VL_.INI")) << "loading writes nothing";
}

TEST_F(ViewerSettingsTest, SaveWritesTheKeysInTheirOrder)
{
    vor::IniFile ini("VL_.INI");
    vor::SaveViewerSettings(ini, display, print, general);
    EXPECT_EQ(Saved(), ReadBytes(fs::path(VOR_SOURCE_DIR) / "tests/layoutview/golden/VL_viewer.INI"));
}

TEST_F(ViewerSettingsTest, SaveThenLoadGivesEveryValueBack)
{
    Write("[Varios]\r\nIdioma=2\r\n[IMP_MAP]\r\nCOR_SOBRA=255\r\n[Outra]\r\nChave=valor\r\n");
    ViewerDisplaySettings d;
    d.showIdentification = false;
    d.identification = 1;
    d.showDimensions = false;
    d.showLeftoverMarks = false;
    d.legendTypeOne = false;
    d.singleColour = true;
    d.cuts = CutDisplay::InitialCuts;
    d.brightness = -50;
    d.unifyLeftovers = false;
    d.twoDecimals = false;
    d.scrapColour = 255;
    MapPrintSettings p;
    p.footerText = "Rodapé da empresa";
    p.leftMargin = "35";
    p.topMargin = "12";
    p.penWidth = "3";
    p.totalsColour = 1;
    p.dateTimeColour = 2;
    p.userTitleColour = 3;
    p.initialCutColour = 4;
    p.pieceOutlineColour = 5;
    p.axesColour = 16777215;
    p.colouredFill = false;
    p.printSheetMargins = true;
    p.strongColours = false;
    p.listAllPieces = false;
    p.headerText = "Cabeçalho";
    p.footerFontSize = "11";
    for (std::size_t i = 0; i < vor::kExtraHeaderLines; ++i)
        p.extraHeaders[i] = "Linha " + std::to_string(i + 1);
    p.extraHeaderColour = 65280;
    p.extraHeaderFontSize = "14";
    vor::GeneralSettings g;
    g.viewerFactor = "0.85";
    {
        vor::IniFile ini("VL_.INI");
        vor::SaveViewerSettings(ini, d, p, g);
    }
    Load();
    EXPECT_EQ(display, d);
    EXPECT_EQ(print, p);
    EXPECT_EQ(general.viewerFactor, "0.85");

    // COR_SOBRA is read, never written; the other sections stay.
    const vor::IniFile saved("VL_.INI");
    EXPECT_EQ(saved.ReadString("IMP_MAP", "COR_SOBRA", ""), "255");
    EXPECT_EQ(saved.ReadString("Varios", "Idioma", ""), "2");
    EXPECT_EQ(saved.ReadString("Outra", "Chave", ""), "valor");
    EXPECT_EQ(Saved().find("COR_SOBRA"), Saved().rfind("COR_SOBRA"));
}

TEST_F(ViewerSettingsTest, LettersInAnIntegerBoxAreStoredAsZero)
{
    print.leftMargin = "abc";
    print.topMargin = " 7";
    print.penWidth = "2x";
    vor::IniFile ini("VL_.INI");
    vor::SaveViewerSettings(ini, display, print, general);
    EXPECT_EQ(ini.ReadString("Impressao", "MARGEM_ESQ", ""), "0");
    EXPECT_EQ(ini.ReadString("Impressao", "MARGEM_SUP", ""), "7");
    EXPECT_EQ(ini.ReadString("Impressao", "LARG_LINHA", ""), "2");
}

TEST_F(ViewerSettingsTest, RadioGroupsTakeTheLastTrueKey)
{
    struct Case {
        const char* keys;
        CutDisplay cuts;
        bool legendOne, single;
    };
    const Case cases[] = {
        {"INICIAL=1\r\nTODOS=1\r\nLEG_TIP_1=1\r\nLEG_TIP_2=1\r\n", CutDisplay::All, false, false},
        {"SEM_CORTE=0\r\nLEG_TIP_1=0\r\nCOR_UNICA=0\r\nCOR_GRUPO=0\r\n", CutDisplay::None, true, false},
        {"SEM_CORTE=1\r\nINICIAIS=1\r\nCOR_UNICA=1\r\nCOR_GRUPO=0\r\n", CutDisplay::InitialCuts, true, true},
        {"SEM_CORTE=0\r\nINICIAL=1\r\nCOR_UNICA=1\r\n", CutDisplay::Initial, true, false},
    };
    for (const Case& c : cases) {
        Write(std::string("[VISUALIZA]\r\n") + c.keys);
        Load();
        EXPECT_EQ(display.cuts, c.cuts) << c.keys;
        EXPECT_EQ(display.legendTypeOne, c.legendOne) << c.keys;
        EXPECT_EQ(display.singleColour, c.single) << c.keys;
        EXPECT_EQ(vor::UpdateCutLegend(display.cuts), c.cuts != CutDisplay::None);
    }
}

TEST_F(ViewerSettingsTest, VerticalFactorIsClampedAsTheWindowDoes)
{
    struct Case {
        const char* stored;
        const char* text;
        double factor;
    };
    const Case cases[] = {
        {"0,3", "0,3", 0.5}, {"2", "2", 1.0}, {"x", "x", 0.5}, {"0.75", "0.75", 0.75},
        {"0.876543", "0.876", 0.876},  // five characters kept
    };
    for (const Case& c : cases) {
        Write(std::string("[Varios]\r\nFAT_C_M=") + c.stored + "\r\n");
        Load();
        EXPECT_EQ(general.viewerFactor, c.text);
        EXPECT_DOUBLE_EQ(vor::VerticalFactor(general.viewerFactor), c.factor) << c.stored;
    }
}

TEST(ViewerRules, StepButtonsPanelsAndPrinterWarning)
{
    struct Case {
        long long current, count;
        bool previous, next;
    };
    const Case cases[] = {{1, 1, false, false}, {1, 3, false, true}, {2, 3, true, true}, {3, 3, true, false}};
    for (const Case& c : cases) {
        const vor::LayoutStepButtons b = vor::UpdateLayoutStepButtons(c.current, c.count);
        EXPECT_EQ(b.previousEnabled, c.previous) << c.current << "/" << c.count;
        EXPECT_EQ(b.nextEnabled, c.next) << c.current << "/" << c.count;
    }

    vor::ViewerPanels panels{true, true, true, true, true};
    vor::ResetViewerPanels(panels);
    EXPECT_FALSE(panels.overviewMode || panels.pieceEditing || panels.repetition ||
                 panels.divideOffcut || panels.newPiece);

    vortest::StubMessages stub;
    platform::ScriptedMessages messages;
    platform::SetMessages(&messages);
    vor::ShowPrinterWarning();
    platform::SetMessages(nullptr);
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"<368>\n<369>\n<370>"}));
}

}  // namespace
