#include "vorplan/common/general_settings.h"

#include <gtest/gtest.h>
#include <limits>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/test_support.h"
#include "vorplan/common/codec.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/ini_file.h"

namespace {

using vortest::ReadBytes;
using vortest::TempDir;
using vortest::WriteBytes;
namespace fs = std::filesystem;

// A settings file in a fresh folder and a private block of globals, so no
// test touches the shared ones.
class SettingsFile : public ::testing::Test {
protected:
    fs::path Path() const { return m_dir.path() / "VL_.INI"; }
    void Write(std::string_view bytes) const { WriteBytes(Path(), bytes); }
    std::string Bytes() const { return ReadBytes(Path()); }
    std::string Value(std::string_view section, std::string_view key) const
    {
        return vor::IniFile(Path()).ReadString(section, key, "<none>");
    }

    std::unique_ptr<vor::SharedGlobals> Load() const
    {
        auto g = std::make_unique<vor::SharedGlobals>();
        vor::LoadSettings(vor::IniFile(Path()), *g);
        return g;
    }
    void Save(vor::SharedGlobals& g) const
    {
        vor::IniFile ini(Path());
        vor::SaveSettings(ini, g);
    }
    void SaveWindow(vor::GeneralSettings& s, const vor::SettingsWindowValues& values) const
    {
        vor::IniFile ini(Path());
        vor::SaveGeneralSettings(ini, s, values);
    }

private:
    TempDir m_dir;
};

std::u32string CodePoints(const std::string& utf8)
{
    std::u32string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t cp = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
        for (std::size_t k = 1; k < length; ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        out.push_back(cp);
        i += length;
    }
    return out;
}

TEST_F(SettingsFile, MissingFileGivesEveryDefault)
{
    auto g = std::make_unique<vor::SharedGlobals>();
    // Values a load must overwrite.
    g->languageIndex = 3;
    g->currentOrder = 17;
    g->currentMaterial = 99001;
    g->dimensionPrecision = 2;
    g->settings.money = "x";
    g->settings.labels.columns = 1;
    vor::LoadSettings(vor::IniFile(Path()), *g);

    const vor::GeneralSettings& s = g->settings;
    EXPECT_EQ(g->languageIndex, 1);
    EXPECT_EQ(g->currentOrder, 0);
    EXPECT_EQ(g->currentMaterial, 0);
    EXPECT_EQ(g->dimensionPrecision, 1);
    EXPECT_TRUE(s.showSampleMaterial);
    EXPECT_FALSE(s.pcbOption);
    EXPECT_EQ(s.partialCalculation, 1);
    EXPECT_EQ(s.specialPerimeter, 0);
    EXPECT_EQ(s.runCount, 0);
    EXPECT_FALSE(s.beepSound);
    EXPECT_FALSE(s.waveSound);
    EXPECT_EQ(s.password, "");
    EXPECT_EQ(s.editor, "wordpad.exe");
    EXPECT_EQ(s.money, "R$");
    EXPECT_EQ(s.pieceName, "");
    EXPECT_EQ(s.piecesName, "");
    EXPECT_EQ(s.scrapName, "");
    EXPECT_EQ(s.scrapsName, "");
    EXPECT_TRUE(s.showDecimals);
    EXPECT_FALSE(s.roundingTypeOne);
    EXPECT_TRUE(s.firstFreeProjectNumber);
    EXPECT_EQ(s.viewerFactor, "1.0");
    EXPECT_EQ(s.reportFactor, "1.0");
    EXPECT_EQ(s.margSRelat, 0);
    EXPECT_EQ(s.orderType, 0);
    EXPECT_EQ(s.windowColour, 14194203);
    EXPECT_TRUE(s.startMenu);
    EXPECT_EQ(s.screenType, 1);
    EXPECT_TRUE(s.internalTables);

    const vor::LabelPageSettings& l = s.labels;
    EXPECT_EQ(l.lines[1], "Material: <MAT>");
    EXPECT_EQ(l.lines[2], "Dimensão: <DIM>");
    EXPECT_EQ(l.lines[3], "Pedido: <PED>");
    for (long i = 4; i <= 10; ++i)
        EXPECT_EQ(l.lines[i], "") << i;
    EXPECT_EQ(l.columns, 3);
    EXPECT_EQ(l.rows, 8);
    EXPECT_EQ(l.sideMargin, 0);
    EXPECT_EQ(l.topMargin, 0);
    EXPECT_EQ(l.verticalDistance, 35);
    EXPECT_EQ(l.horizontalDistance, 65);
    EXPECT_EQ(l.labelWidth, 64);
    EXPECT_EQ(l.labelHeight, 34);
    EXPECT_EQ(l.pictureWidth, 100);
    EXPECT_EQ(l.pictureHeight, 100);
    EXPECT_EQ(l.fontSize, 8);
    EXPECT_FALSE(fs::exists(Path()));  // reading creates nothing
}

// The whole file a first run leaves behind, byte for byte.
constexpr std::string_view kEndOfRunGolden =
    "[Varios]\r\n"
    "Mostra_mat_exemplo=1\r\n"
    "Opcao_PCI=0\r\n"
    "Idioma=1\r\n"
    "Versao instalada=2.18\r\n"
    "CALC_PARCIAL=1\r\n"
    "PERIM_ESPECIAL=0\r\n"
    "Som_apito=0\r\n"
    "Som_wav=0\r\n"
    "Pedido=0\r\n"
    "Material=0\r\n"
    "MARG=1\r\n"
    "MARG_S_RELAT=0\r\n"
    "COR_TELA_P=14194203\r\n"
    "MENU_INI=1\r\n"
    "N_CASAS_DECIMAIS=1\r\n"
    "[ETIQUETA]\r\n"
    "MAT1=Material: <MAT>\r\n"
    "MAT2=Dimens\xE3o: <DIM>\r\n"
    "MAT3=Pedido: <PED>\r\n"
    "MAT4=\r\n"
    "MAT5=\r\n"
    "MAT6=\r\n"
    "MAT7=\r\n"
    "MAT8=\r\n"
    "MAT9=\r\n"
    "MAT10=\r\n"
    "Colunas_Etiq_pg=3\r\n"
    "Linhas_Etiq_pg=8\r\n"
    "Margem_Lat_Etiq=0\r\n"
    "Margem_Sup_Etiq=0\r\n"
    "Dist_Vert_Etiq=35\r\n"
    "Dist_Horiz_Etiq=65\r\n"
    "Larg_Etiq=64\r\n"
    "Alt_Etiq=34\r\n"
    "Larg_GRF=100\r\n"
    "Alt_GRF=100\r\n"
    "Tam_letra_Etiq=8\r\n"
    "[TELA]\r\n"
    "Tipo=1\r\n"
    "[CALC]\r\n"
    "INTERNO=1\r\n";

constexpr std::string_view kWindowOkGolden =
    "[Varios]\r\n"
    "Som_apito=1\r\n"
    "Som_wav=0\r\n"
    "Senha=`cb\r\n"
    "money=\xA3\r\n"
    "s_peca=Tira\r\n"
    "s_pecas=Tiras\r\n"
    "s_sucata=Sucata\r\n"
    "s_sucatas=Sucatas\r\n"
    "SHOW_D=0\r\n"
    "ARREDONDAMENTO_1=1\r\n"
    "FAT_C_M=1.0\r\n"
    "FAT_C_R=2.5\r\n"
    "TIP_PED=1\r\n"
    "MENU_INI=0\r\n"
    "OPC_PCI=1\r\n"
    "TIPO_N_PROJETO_NOVO=0\r\n";

TEST_F(SettingsFile, EndOfRunSaveWritesExactKeysInOrder)
{
    auto g = Load();
    Save(*g);
    EXPECT_EQ(Bytes(), kEndOfRunGolden);
}

TEST_F(SettingsFile, WindowOkWritesExactKeysInOrder)
{
    auto g = Load();
    vor::GeneralSettings& s = g->settings;
    s.beepSound = true;
    s.roundingTypeOne = true;           // set at once by its radio
    s.firstFreeProjectNumber = false;   // likewise
    s.reportFactor = "2.5";
    s.orderType = 1;
    s.startMenu = false;
    SaveWindow(s, {"abc", "£", "Tira", "Tiras", "Sucata", "Sucatas", true, false});
    EXPECT_EQ(Bytes(), kWindowOkGolden);
    // The window's values are taken into memory too.
    EXPECT_EQ(s.password, "abc");
    EXPECT_EQ(s.money, "£");
    EXPECT_EQ(s.scrapsName, "Sucatas");
    EXPECT_TRUE(s.pcbOption);
    EXPECT_FALSE(s.showDecimals);
}

TEST_F(SettingsFile, EndOfRunSaveWritesNoKeyOfTheWindowOk)
{
    auto g = Load();
    vor::GeneralSettings& s = g->settings;
    // Every window-only value away from its default, to show none is written.
    s.password = "secret";
    s.money = "€";
    s.pieceName = s.piecesName = s.scrapName = s.scrapsName = "x";
    s.showDecimals = false;
    s.roundingTypeOne = true;
    s.firstFreeProjectNumber = false;
    s.viewerFactor = s.reportFactor = "2.0";
    s.orderType = 3;
    Save(*g);

    const char* const windowOnly[] = {"Senha",   "money",   "s_peca",           "s_pecas",
                                      "s_sucata", "s_sucatas", "SHOW_D",         "ARREDONDAMENTO_1",
                                      "TIPO_N_PROJETO_NOVO", "FAT_C_M", "FAT_C_R", "TIP_PED",
                                      "OPC_PCI"};
    const vor::IniFile ini(Path());
    for (const char* key : windowOnly)
        EXPECT_FALSE(ini.KeyExists("Varios", key)) << key;
    EXPECT_FALSE(ini.KeyExists("Varios", "Editor"));  // read only
}

TEST_F(SettingsFile, SaveThenLoadGivesBackEveryValue)
{
    auto g = std::make_unique<vor::SharedGlobals>();
    g->languageIndex = 4;
    g->currentOrder = 12345;
    g->currentMaterial = 99002;
    vor::GeneralSettings& s = g->settings;
    s.showSampleMaterial = false;
    s.partialCalculation = 0;
    s.specialPerimeter = 1;
    s.runCount = 6;
    s.beepSound = true;
    s.waveSound = true;
    s.roundingTypeOne = true;
    s.firstFreeProjectNumber = false;
    s.viewerFactor = "0.5";
    s.reportFactor = "1.5";
    s.margSRelat = 9;
    s.orderType = 2;
    s.startMenu = false;
    s.screenType = 2;
    s.internalTables = false;
    vor::LabelPageSettings& l = s.labels;
    for (long i = 1; i <= 10; ++i)
        l.lines[i] = "linha " + std::to_string(i) + " <MAT> ç";
    l.columns = 2;
    l.rows = 10;
    l.sideMargin = 5;
    l.topMargin = 6;
    l.verticalDistance = 40;
    l.horizontalDistance = 70;
    l.labelWidth = 60;
    l.labelHeight = 30;
    l.pictureWidth = 50;
    l.pictureHeight = 55;
    l.fontSize = 11;
    // As in a run: the window's Ok, then the save at the end.
    SaveWindow(s, {"pass word", "US$", "Peça", "Peças", "Sobra", "Sobras", true, false});
    Save(*g);

    auto back = Load();
    const vor::GeneralSettings& b = back->settings;
    EXPECT_EQ(back->languageIndex, 4);
    EXPECT_EQ(back->currentOrder, 12345);
    EXPECT_EQ(back->currentMaterial, 99002);
    EXPECT_FALSE(b.showSampleMaterial);
    EXPECT_TRUE(b.pcbOption);
    EXPECT_EQ(b.partialCalculation, 0);
    EXPECT_EQ(b.specialPerimeter, 1);
    EXPECT_EQ(b.runCount, 7);
    EXPECT_TRUE(b.beepSound);
    EXPECT_TRUE(b.waveSound);
    EXPECT_EQ(b.password, "pass word");
    EXPECT_EQ(b.money, "US$");
    EXPECT_EQ(b.pieceName, "Peça");
    EXPECT_EQ(b.piecesName, "Peças");
    EXPECT_EQ(b.scrapName, "Sobra");
    EXPECT_EQ(b.scrapsName, "Sobras");
    EXPECT_FALSE(b.showDecimals);
    EXPECT_TRUE(b.roundingTypeOne);
    EXPECT_FALSE(b.firstFreeProjectNumber);
    EXPECT_EQ(b.viewerFactor, "0.5");
    EXPECT_EQ(b.reportFactor, "1.5");
    EXPECT_EQ(b.margSRelat, 9);
    EXPECT_EQ(b.orderType, 2);
    EXPECT_FALSE(b.startMenu);
    EXPECT_EQ(b.screenType, 2);
    EXPECT_FALSE(b.internalTables);
    for (long i = 1; i <= 10; ++i)
        EXPECT_EQ(b.labels.lines[i], l.lines[i]) << i;
    EXPECT_EQ(b.labels.columns, 2);
    EXPECT_EQ(b.labels.rows, 10);
    EXPECT_EQ(b.labels.sideMargin, 5);
    EXPECT_EQ(b.labels.topMargin, 6);
    EXPECT_EQ(b.labels.verticalDistance, 40);
    EXPECT_EQ(b.labels.horizontalDistance, 70);
    EXPECT_EQ(b.labels.labelWidth, 60);
    EXPECT_EQ(b.labels.labelHeight, 30);
    EXPECT_EQ(b.labels.pictureWidth, 50);
    EXPECT_EQ(b.labels.pictureHeight, 55);
    EXPECT_EQ(b.labels.fontSize, 11);
}

TEST_F(SettingsFile, MargAdvancesAtEverySave)
{
    Write("[Varios]\r\nMARG=5\r\n");
    auto g = Load();
    Save(*g);
    EXPECT_EQ(Value("Varios", "MARG"), "6");
    Save(*g);  // leaving through Saída saves twice
    EXPECT_EQ(Value("Varios", "MARG"), "7");
    EXPECT_EQ(Load()->settings.runCount, 7);
}

// MARG=2147483647 was written back as -2147483648 and the introduction showed again.
TEST_F(SettingsFile, RunCounterStopsAtItsLargestValue)
{
    Write("[Varios]\r\nMARG=2147483646\r\n");
    auto g = Load();
    Save(*g);
    EXPECT_EQ(Value("Varios", "MARG"), "2147483647");
    Save(*g);
    EXPECT_EQ(Value("Varios", "MARG"), "2147483647");
    EXPECT_EQ(Load()->settings.runCount, std::numeric_limits<int>::max());
}

TEST_F(SettingsFile, WindowColourIsForcedAndWrittenBack)
{
    Write("[Varios]\r\nCOR_TELA_P=8421376\r\n");
    auto g = Load();
    EXPECT_EQ(g->settings.windowColour, 14194203);
    Save(*g);
    EXPECT_EQ(Value("Varios", "COR_TELA_P"), "14194203");
}

TEST_F(SettingsFile, KeepsUnknownKeysAndOtherSections)
{
    Write("; kept\r\n[Varios]\r\nMARG=1\r\nDimensoes=1\r\n[TABELA]\r\nLargura=80\r\n");
    auto g = Load();
    Save(*g);
    EXPECT_EQ(Value("Varios", "Dimensoes"), "1");
    EXPECT_EQ(Value("TABELA", "Largura"), "80");
    EXPECT_EQ(Bytes().rfind("; kept\r\n[Varios]\r\nMARG=2\r\nDimensoes=1\r\n", 0), 0u);
}

TEST_F(SettingsFile, BooleansReadAsIntegerAndWrittenOneOrZero)
{
    struct Case {
        const char* text;
        bool pcb;      // Opcao_PCI, default false
        bool sample;   // Mostra_mat_exemplo, default true
    };
    const Case cases[] = {
        {"1", true, true},     {"0", false, false},   {"2", true, true},   {"-1", true, true},
        {" 1 ", true, true},   {"abc", false, true},  {"", false, true},   {"1.5", false, true},
        {"$10", true, true},   {"true", false, true},
    };
    for (const Case& c : cases) {
        Write(std::string("[Varios]\r\nOpcao_PCI=") + c.text + "\r\nMostra_mat_exemplo=" + c.text +
              "\r\n");
        auto g = Load();
        EXPECT_EQ(g->settings.pcbOption, c.pcb) << c.text;
        EXPECT_EQ(g->settings.showSampleMaterial, c.sample) << c.text;
        Save(*g);
        EXPECT_EQ(Value("Varios", "Opcao_PCI"), c.pcb ? "1" : "0") << c.text;
        EXPECT_EQ(Value("Varios", "Mostra_mat_exemplo"), c.sample ? "1" : "0") << c.text;
    }
}

TEST_F(SettingsFile, LanguageOutsideOneToFiveIsPortuguese)
{
    const std::pair<const char*, int> cases[] = {{"1", 1}, {"5", 5}, {"3", 3},  {"0", 1},
                                                 {"6", 1}, {"-2", 1}, {"x", 1}, {"99", 1}};
    for (const auto& [text, expected] : cases) {
        Write(std::string("[Varios]\r\nIdioma=") + text + "\r\n");
        EXPECT_EQ(Load()->languageIndex, expected) << text;
    }
}

TEST_F(SettingsFile, FactorTextsKeepAtMostFiveCharacters)
{
    Write("[Varios]\r\nFAT_C_M=1.23456\r\nFAT_C_R=ção12345\r\n");
    auto g = Load();
    EXPECT_EQ(g->settings.viewerFactor, "1.234");
    EXPECT_EQ(g->settings.reportFactor, "ção12");
}

TEST(PasswordScrambling, TableOfCases)
{
    struct Case {
        const char* clear;
        std::u32string stored;
    };
    const Case cases[] = {
        {"abc", {96, 99, 98}},
        {"", {}},
        {"!", {U' '}},
        {"a b", {U'`', U'!', U'a'}},
        {"Zz09", {U'Y', U'{', U'/', U':'}},
        {"ção", {0xE6, 0xE4, 0x6E}},
        {"~~", {U'}', 0xA0}},     // up from "~" skips DEL and the C1 controls
        {"\xC2\xA0", {U'~'}},     // and down from the no-break space comes back
        {" ", {0x2122}},          // below the blank the set wraps round to its top
        {"\xE2\x84\xA2\xE2\x84\xA2", {0x20AC, U' '}},  // ...and up from the top to the blank
        {"\xC3\xBF", {0xFE}},     // ÿ
        {"a\xC3\xBF", {U'`', 0x0152}},  // up from ÿ skips what Windows-1252 lacks
        {"\t", {U'\t'}},          // a control code is kept
        {"\xC4\x81", {0x0101}},   // so is a character the file cannot hold
    };
    for (const Case& c : cases) {
        const std::string stored = vor::ScramblePassword(c.clear);
        EXPECT_EQ(CodePoints(stored), c.stored) << c.clear;
        EXPECT_EQ(vor::UnscramblePassword(stored), c.clear) << c.clear;
    }
}

TEST(PasswordScrambling, EveryStorableCharacterRoundTripsAtBothPositions)
{
    // All of Windows-1252's printable characters, two of each, so every one
    // stands at an odd and at an even position.
    std::string all;
    for (unsigned byte = 0x20; byte <= 0xFF; ++byte) {
        if (byte == 0x7F || byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D)
            continue;
        const std::string one = vor::Cp1252ToUtf8(std::string(1, static_cast<char>(byte)));
        all += one + one;
    }
    ASSERT_TRUE(vor::PasswordCanBeStored(all));
    const std::string stored = vor::ScramblePassword(all);
    EXPECT_TRUE(vor::PasswordCanBeStored(stored));
    EXPECT_EQ(vor::Cp1252ToUtf8(vor::Utf8ToCp1252(stored)), stored);  // survives the file encoding
    EXPECT_EQ(vor::UnscramblePassword(stored), all);
}

TEST(PasswordScrambling, WhatTheFileCanHold)
{
    EXPECT_TRUE(vor::PasswordCanBeStored(""));
    EXPECT_TRUE(vor::PasswordCanBeStored("abc ção €™"));
    EXPECT_FALSE(vor::PasswordCanBeStored("\xC4\x81"));      // ā
    EXPECT_FALSE(vor::PasswordCanBeStored("a\tb"));
    EXPECT_FALSE(vor::PasswordCanBeStored("\xE6\x97\xA5"));  // 日
    EXPECT_FALSE(vor::PasswordCanBeStored("\xC2\x81"));      // a C1 control
}

// Regression: the INI reader trims blanks and quotes, so a password whose
// stored form starts or ends with one came back changed or empty.
TEST_F(SettingsFile, PasswordsTheReaderWouldTrimSurviveTheFile)
{
    const char* const passwords[] = {
        "!",          // stored as a lone blank
        "pass word",
        "!ab",        // stored form starts with a blank
        "ab!",        // ... ends with one
        "x!",         // ... ends with a double quote
        "#",          // ... is a lone double quote
        "(",          // ... a lone single quote
        "#ab!",       // ... a quote at each end, which the reader takes for a pair
        "!!!",
        "\xC2\xA0",   // stored as "~"
    };
    for (const char* password : passwords) {
        auto g = Load();
        SaveWindow(g->settings, {password, "R$", "", "", "", "", false, true});
        EXPECT_EQ(Load()->settings.password, password) << password;
    }
    // The lone blank is written inside quotes.
    auto g = Load();
    SaveWindow(g->settings, {"!", "R$", "", "", "", "", false, true});
    EXPECT_NE(Bytes().find("\r\nSenha=\" \"\r\n"), std::string::npos);
}

TEST_F(SettingsFile, PlainStoredPasswordIsReadAsBefore)
{
    Write("[Varios]\r\nSenha=`cb\r\n");
    EXPECT_EQ(Load()->settings.password, "abc");
    Write("[Varios]\r\nSenha=\r\n");
    EXPECT_EQ(Load()->settings.password, "");
}

TEST(SharedSettings, LoadAndSaveUseTheSettingsFolder)
{
    vortest::TestInstallation inst;
    WriteBytes(inst.iniDir() / "VL_.INI", "[Varios]\r\nIdioma=2\r\nMARG=3\r\nSHOW_D=0\r\n");
    const vor::SharedGlobals saved = vor::gShared;
    vor::LoadSettings();
    EXPECT_EQ(vor::gShared.languageIndex, 2);
    EXPECT_FALSE(vor::gShared.settings.showDecimals);
    vor::SaveSettings();
    EXPECT_EQ(vor::IniFile(inst.iniDir() / "VL_.INI").ReadInteger("Varios", "MARG", 0), 4);
    vor::gShared = saved;
}

}  // namespace
