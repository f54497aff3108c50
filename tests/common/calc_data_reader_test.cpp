// The last calculation's data, the order field captions and the MRP and CNC
// interface settings.
#include "vorplan/common/calc_data_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/test_support.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/optimiser/calc_data_file.h"
#include "vorplan/optimiser/calc_settings.h"

namespace {

namespace fs = std::filesystem;
using vortest::TestInstallation;
using vortest::WriteBytes;

class CalcDataReader : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_saved = vor::gShared;
        vor::gShared.folders = f;
    }
    void TearDown() override { vor::gShared = m_saved; }

    fs::path CalcData() const { return inst.base() / "MONT" / "CALC_DAT.INI"; }
    vor::IniFile CalcDataIni() const { return vor::IniFile(CalcData()); }

    TestInstallation inst;
    vor::DataFolders f = vor::MakeDataFolders(inst.base());

private:
    vor::SharedGlobals m_saved;
};

// ---- Calculation data ---------------------------------------------------------------------

TEST_F(CalcDataReader, MissingFileGivesEveryDefault)
{
    for (const bool showDecimals : {false, true}) {
        SCOPED_TRACE(showDecimals);
        const vor::CalcDataTexts d = vor::LoadCalcData(CalcDataIni(), showDecimals);
        EXPECT_EQ(d.orders, "-1");
        EXPECT_EQ(d.piecesSelected, "-1");
        EXPECT_EQ(d.piecesPlaced, "-1");
        EXPECT_EQ(d.start, "---    ---");
        EXPECT_EQ(d.status, "---");
        EXPECT_EQ(d.calcType, "---");
        for (const std::string* border :
             {&d.pieceBorderLength, &d.pieceBorderHeight, &d.sheetBorderLeft, &d.sheetBorderRight,
              &d.sheetBorderBottom, &d.sheetBorderTop})
            EXPECT_EQ(*border, "-0.1");
    }
    EXPECT_EQ(vor::EqualPieceBorder(CalcDataIni()), -1);
}

TEST_F(CalcDataReader, PieceBordersAsTextAndAsOneValue)
{
    struct Case {
        const char* length;
        const char* height;
        const char* lengthText;       // SHOW_D false
        const char* lengthDecimals;   // SHOW_D true
        long long equal;
    };
    const Case cases[] = {
        {"50", "50", "5", "5.0", 50},
        {"50", "40", "5", "5.0", 0},
        {"3", "3", "0.3", "0.3", 3},  // a tenth a truncating read-back would lose
        {"7", "7", "0.7", "0.7", 7},
        {"29", "29", "2.9", "2.9", 29},
        {"0", "0", "0", "0.0", 0},
        {"-25", "-25", "-2.5", "-2.5", -25},
        {"5000000000", "5000000000", "500000000", "500000000.0", 5000000000},
        {"abc", "abc", "-0.1", "-0.1", -1},  // unreadable text: the default
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.length) + " / " + c.height);
        WriteBytes(CalcData(), std::string("[DADOS_CONF_CALC]\r\nBORDA_PECA_L=") + c.length +
                                   "\r\nBORDA_PECA_H=" + c.height + "\r\n");
        EXPECT_EQ(vor::LoadCalcData(CalcDataIni(), false).pieceBorderLength, c.lengthText);
        EXPECT_EQ(vor::LoadCalcData(CalcDataIni(), true).pieceBorderLength, c.lengthDecimals);
        EXPECT_EQ(vor::EqualPieceBorder(CalcDataIni()), c.equal);
    }
}

TEST_F(CalcDataReader, ReadsWhatTheCalculationWrites)
{
    vor::gShared.messages[49] = "Completo";
    vor::CalcSettings settings;
    settings.calcType = 1;
    settings.pieceBorderWidth = "2,5";
    settings.pieceBorderHeight = "2.5";
    settings.sheetBorderLeft = "10";
    settings.sheetBorderRight = "0.3";
    settings.sheetBorderBottom = "7";
    settings.sheetBorderTop = "0";
    vor::LastCalculation run;
    run.start = {2024, 3, 9, 8, 5, 1, 0};
    run.statusMessage = "Cálculo completo";
    run.piecesSelected = 3'000'000'000;
    run.piecesPlaced = 118;
    run.orders = {17, 4};
    run.materials = {12};
    vor::WriteLastCalculation(run, settings);

    vor::gShared.settings.showDecimals = true;
    const vor::CalcDataTexts d = vor::LoadCalcData();
    EXPECT_EQ(d.orders, "17, 4");
    EXPECT_EQ(d.piecesSelected, "3000000000");
    EXPECT_EQ(d.piecesPlaced, "118");
    EXPECT_EQ(d.start, "09/03/24    08:05:01");
    EXPECT_EQ(d.status, "Cálculo completo");
    EXPECT_EQ(d.calcType, vor::CalcTypeText(1));
    EXPECT_EQ(d.pieceBorderLength, "2.5");
    EXPECT_EQ(d.pieceBorderHeight, "2.5");
    EXPECT_EQ(d.sheetBorderLeft, "10.0");
    EXPECT_EQ(d.sheetBorderRight, "0.3");
    EXPECT_EQ(d.sheetBorderBottom, "7.0");
    EXPECT_EQ(d.sheetBorderTop, "0.0");
    EXPECT_EQ(vor::EqualPieceBorder(), 25);
}

TEST_F(CalcDataReader, DataBlockHasThirteenLinesInOrder)
{
    for (long n : {158L, 475L, 476L, 472L, 47L, 400L, 142L, 143L, 401L, 491L, 492L, 493L, 494L})
        vor::gShared.messages[n] = "M" + std::to_string(n);
    vor::CalcDataTexts d;
    d.orders = "1, 2";
    d.piecesSelected = "10";
    d.piecesPlaced = "9";
    d.status = "ok";
    d.calcType = "fast";
    d.pieceBorderLength = "1";
    d.pieceBorderHeight = "2";
    d.sheetBorderLeft = "3";
    d.sheetBorderRight = "4";
    d.sheetBorderBottom = "5";
    d.sheetBorderTop = "6";
    std::vector<std::string> lines = {"before"};
    vor::AddCalcDataBlock(lines, d);
    const std::vector<std::string> expected = {
        "before",
        "@*M158:",
        "@D",
        "M475 : 10",
        "M476 : 9",
        "M472 ok",
        "M47 : fast",
        "M400 - M142 : 1",
        "M400 - M143 : 2",
        "M401 - M491 3",
        "M401 - M492 4",
        "M401 - M494 5",
        "M401 - M493 6",
        "@d",
    };
    EXPECT_EQ(lines, expected);

    // The shared form reads the file: a missing one gives the defaults.
    vor::gShared.settings.showDecimals = false;
    std::vector<std::string> fromFile;
    vor::AddCalcDataBlock(fromFile);
    ASSERT_EQ(fromFile.size(), 13u);
    EXPECT_EQ(fromFile[2], "M475 : -1");
    EXPECT_EQ(fromFile[4], "M472 ---");
    EXPECT_EQ(fromFile[11], "M401 - M493 -0.1");
}

// ---- Order field captions ---------------------------------------------------------------------

class OrderFieldCaptionFiles : public CalcDataReader {
protected:
    void Settings(const std::string& pedido)
    {
        WriteBytes(inst.iniDir() / "VL_.INI", "[PEDIDO]\r\n" + pedido);
    }
    void Description(long long order, const std::string& ped)
    {
        WriteBytes(vor::ProjectDescriptionFile(f, order), "[PED]\r\n" + ped);
    }
    vor::OrderFieldCaptions Load(long long order, bool align) const
    {
        return vor::LoadOrderFieldCaptions(vor::IniFile(inst.iniDir() / "VL_.INI"),
                                           vor::IniFile(vor::ProjectDescriptionFile(f, order)),
                                           align);
    }
};

TEST_F(OrderFieldCaptionFiles, EachTitleNamesTheFieldItLabelsInTheTableEditor)
{
    std::string pedido, ped;
    for (int k = 0; k <= 8; ++k)
        pedido += "CAMPO" + std::to_string(k) + "=T" + std::to_string(k) + "\r\n";
    for (int k = 1; k <= 9; ++k)
        ped += "CAMPO" + std::to_string(k) + "=V" + std::to_string(k) + "\r\n";
    Settings(pedido);
    Description(7, ped);

    const vor::OrderFieldCaptions fields = Load(7, false);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"T0", "V1"}, {"T1", "V2"}, {"T3", "V4"}, {"T4", "V5"}, {"T5", "V6"},
        {"T6", "V7"}, {"T2", "V3"}, {"T7", "V8"}, {"T8", "V9"},
    };
    for (long i = 1; i <= vor::kOrderFieldCount; ++i) {
        SCOPED_TRACE(i);
        const auto& [caption, value] = expected[static_cast<std::size_t>(i - 1)];
        EXPECT_EQ(fields.captions[i], caption);
        EXPECT_EQ(fields.values[i], value);
    }
}

TEST_F(OrderFieldCaptionFiles, CaptionsArePaddedInFront)
{
    struct Case {
        const char* what;
        std::string pedido;
        bool align;
        std::vector<std::string> captions;  // the first ones
    };
    const std::string x100(100, 'x');
    const Case cases[] = {
        {"aligned to the longest plus 2", "CAMPO0=Cliente\r\nCAMPO1=Obra\r\n", true,
         {"  Cliente", "     Obra", "      ---"}},
        {"not aligned: at least 2 characters", "CAMPO0=A\r\nCAMPO1=Longer\r\nCAMPO2=\r\n", false,
         {" A", "Longer", "---", "---", "---", "---", "  "}},
        {"characters counted, not bytes", "CAMPO0=Descrição\r\nCAMPO1=ab\r\n", true,
         {"  Descrição", "         ab"}},
        {"cut to 80 before the padding", "CAMPO0=" + x100 + "\r\nCAMPO1=y\r\n", true,
         {"  " + std::string(80, 'x'), std::string(81, ' ') + "y"}},
    };
    Description(1, "");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Settings(c.pedido);
        const vor::OrderFieldCaptions fields = Load(1, c.align);
        for (std::size_t i = 0; i < c.captions.size(); ++i)
            EXPECT_EQ(fields.captions[static_cast<long>(i) + 1], c.captions[i]) << i;
    }
}

TEST_F(OrderFieldCaptionFiles, MissingFilesGiveDashesAndEmptyValues)
{
    const vor::OrderFieldCaptions fields = Load(3, false);
    for (long i = 1; i <= vor::kOrderFieldCount; ++i) {
        EXPECT_EQ(fields.captions[i], "---");
        EXPECT_EQ(fields.values[i], "");
    }
}

TEST_F(OrderFieldCaptionFiles, SharedFormReadsTheCurrentOrder)
{
    Settings("CAMPO0=Cliente\r\n");
    Description(42, "CAMPO1=Cozinha " + std::string(90, 'z') + "\r\nCAMPO3=Rua 1\r\n");
    Description(43, "CAMPO1=Other\r\n");
    vor::gShared.currentOrder = 42;
    vor::LoadOrderFieldCaptions(true);
    const vor::OrderFieldCaptions& fields = vor::gShared.orderFields;
    EXPECT_EQ(fields.captions[1], "  Cliente");
    EXPECT_EQ(fields.captions[2], "      ---");
    EXPECT_EQ(fields.values[1], "Cozinha " + std::string(72, 'z'));
    EXPECT_EQ(fields.values[7], "Rua 1");
    EXPECT_EQ(fields.values[2], "");
}

// ---- Interface settings ------------------------------------------------------------------------

TEST_F(CalcDataReader, MrpAndCncSettingsPresentOrMissing)
{
    vor::InterfaceSettings s{"old", "old", "old"};
    vor::ReadMrpSettings(f, s);
    vor::ReadCncSettings(f, s);
    EXPECT_EQ(s.mrpName, "");
    EXPECT_EQ(s.prjDescription, "");
    EXPECT_EQ(s.cncDriverName, "");

    WriteBytes(inst.base() / "MRP" / "MRP.INI",
               "[mrp]\r\nmrp_name = Planner 2\r\nPRJ_DESCRIPTION=\"Order text\"\r\n");
    WriteBytes(inst.base() / "CNC" / "CNC.INI", "[CNC]\r\nCNC_DRIVER_NAME=SawDrive\r\n");
    vor::ReadMrpSettings();
    vor::ReadCncSettings();
    EXPECT_EQ(vor::gShared.interfaces.mrpName, "Planner 2");
    EXPECT_EQ(vor::gShared.interfaces.prjDescription, "Order text");
    EXPECT_EQ(vor::gShared.interfaces.cncDriverName, "SawDrive");

    // Present without the keys: empty.
    WriteBytes(inst.base() / "MRP" / "MRP.INI", "[OTHER]\r\nMRP_NAME=x\r\n");
    WriteBytes(inst.base() / "CNC" / "CNC.INI", "");
    s = {"old", "old", "old"};
    vor::ReadMrpSettings(f, s);
    vor::ReadCncSettings(f, s);
    EXPECT_EQ(s.mrpName, "");
    EXPECT_EQ(s.prjDescription, "");
    EXPECT_EQ(s.cncDriverName, "");
}

}  // namespace
