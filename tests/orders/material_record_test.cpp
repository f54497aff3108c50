#include "vorplan/common/material_record.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "platform/fake_message_service.h"
#include "tests/support/test_support.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/ini_file.h"

namespace {

namespace fs = std::filesystem;

// A small installation as the shared folders, with the shared state put back
// afterwards.
class MaterialRecordTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_saved = std::make_unique<vor::SharedGlobals>(vor::gShared);
        m_folders = vor::MakeDataFolders(m_installation.base());
        vor::gShared.folders = m_folders;
        vor::gShared.messages[598] = "limit 598";
    }
    void TearDown() override { vor::gShared = *m_saved; }

    void WriteMaterial(long long code, const std::string& text)
    {
        vortest::WriteBytes(vor::MaterialFile(m_folders, code), text);
    }
    void WriteSheets(long long code, const std::string& text)
    {
        vortest::WriteBytes(vor::SheetTableFile(m_folders, code), text);
    }

    vortest::TestInstallation m_installation;
    vor::DataFolders m_folders;
    platform::ScriptedMessages m_messages;
    platform::ScopedMessages m_installedMessages{m_messages};

private:
    std::unique_ptr<vor::SharedGlobals> m_saved;
};

vor::MaterialRecord FromText(const std::string& text)
{
    return vor::MaterialRecordFromIni(vor::IniDocument::Parse(text));
}

// ---- Loader ---------------------------------------------------------------------

TEST(MaterialRecord, LengthsAreTenthsRoundedHalfToEvenOnTheDecimalValue)
{
    struct Case {
        const char* text;
        int tenths;
    };
    const Case cases[] = {
        {"3,2", 32},    {"3.2", 32},  {"0.25", 2},  {"0.75", 8},    {"0,35", 4},
        {"1.05", 10},   {"12", 120},  {" 4 , 4 ", 44}, {"-2,5", -25}, {"-0.25", -2},
        {"1.5e1", 150}, {"abc", 0},   {"", 0},      {"7mm", 70},    {"inf", 0},
    };
    for (const Case& c : cases) {
        const vor::MaterialRecord r =
            FromText(std::string("[PROP_FISIC]\nLARG_SERRA=") + c.text + "\n");
        EXPECT_EQ(r.kerf, c.tenths) << c.text;
    }
}

TEST(MaterialRecord, EveryKeyReachesItsField)
{
    const vor::MaterialRecord r = FromText(
        "[DESC]\nCAMPO1=Compensado\nFAMILIA=Madeira\n"
        "[PROP_FISIC]\nGIRO=0\nGERA_RET=0\nPODE_DIVIDIR=1\nCOR=$FF8000\n"
        "LARG_SERRA=0.1\nLARG_MIN_D=0.2\nLARG_MIN_R=0.3\nALT_MIN_R=0.4\nCTE_DIM_PC=0.5\n"
        "CTE_X_DIM_PC=0.6\nCTE_Y_DIM_PC=0.7\nCTE_DIM_CIMA_CHP=0.8\nCTE_DIM_BAIXO_CHP=0.9\n"
        "CTE_DIM_ESQ_CHP=1.1\nCTE_DIM_DIR_CHP=1.2\nESPESSURA=18,5\nPESO_ESP=12.25\n"
        "LIMITA_COMP_CORTE_LIVRE=0\nCOMP_LIMITE_CORTE=2500,5\n"
        "[PROP_COMERC]\nFATOR_CORTE=0,35\nPRECO_COMPRA=42.5\nFATOR_VENDA=1,8\n");
    EXPECT_EQ(r.description, "Compensado");
    EXPECT_EQ(r.family, "Madeira");
    EXPECT_FALSE(r.mayRotate);
    EXPECT_FALSE(r.mayRotate2);
    EXPECT_FALSE(r.makesOffcuts);
    EXPECT_TRUE(r.mayDivide);
    EXPECT_EQ(r.colour, 0xFF8000);
    EXPECT_EQ(r.kerf, 1);
    EXPECT_EQ(r.minStripWidth, 2);
    EXPECT_EQ(r.minOffcutWidth, 3);
    EXPECT_EQ(r.minOffcutHeight, 4);
    EXPECT_EQ(r.pieceConstant, 5);
    EXPECT_EQ(r.pieceConstantX, 6);
    EXPECT_EQ(r.pieceConstantY, 7);
    EXPECT_EQ(r.trimTop, 8);
    EXPECT_EQ(r.trimBottom, 9);
    EXPECT_EQ(r.trimLeft, 11);
    EXPECT_EQ(r.trimRight, 12);
    EXPECT_DOUBLE_EQ(r.thickness, 18.5);
    EXPECT_DOUBLE_EQ(r.weightPerArea, 12.25);
    EXPECT_DOUBLE_EQ(r.cutPriceFactor, 0.35);
    EXPECT_DOUBLE_EQ(r.purchasePrice, 42.5);
    EXPECT_DOUBLE_EQ(r.saleFactor, 1.8);
    EXPECT_TRUE(r.cutLengthLimited);
    EXPECT_EQ(r.cutLengthLimit, 25005);
    EXPECT_EQ(r.loadStatus, vor::kMaterialLoaded);
}

TEST(MaterialRecord, DefaultsOfAFileWithoutKeys)
{
    const vor::MaterialRecord r = FromText("; nothing\n[OTHER]\nLARG_SERRA=5\n");
    EXPECT_EQ(r, vor::DefaultMaterialRecord());
    EXPECT_EQ(r.description, "");
    EXPECT_TRUE(r.mayRotate);
    EXPECT_TRUE(r.mayRotate2);
    EXPECT_TRUE(r.makesOffcuts);
    EXPECT_FALSE(r.mayDivide);
    EXPECT_EQ(r.colour, 16777215);
    EXPECT_EQ(r.kerf, 0);
    EXPECT_EQ(r.pieceConstantX, 0);
    EXPECT_DOUBLE_EQ(r.saleFactor, 1.0);
    EXPECT_FALSE(r.cutLengthLimited);
    EXPECT_EQ(r.cutLengthLimit, 100000);
    EXPECT_EQ(r.loadStatus, 0);
}

TEST(MaterialRecord, IntegerKeysThatAreNoIntegersGiveTheirDefaults)
{
    const vor::MaterialRecord r = FromText(
        "[PROP_FISIC]\nGIRO=no\nGERA_RET=0x\nPODE_DIVIDIR=2\nCOR=12a\nLIMITA_COMP_CORTE_LIVRE=\n");
    EXPECT_TRUE(r.mayRotate);
    EXPECT_TRUE(r.makesOffcuts);
    EXPECT_TRUE(r.mayDivide);  // any integer other than 0
    EXPECT_EQ(r.colour, 16777215);
    EXPECT_FALSE(r.cutLengthLimited);
}

TEST(MaterialRecord, SinglePieceConstantStandsInForBothAxes)
{
    struct Case {
        const char* keys;
        int x, y;
    };
    const Case cases[] = {
        {"CTE_DIM_PC=5\n", 50, 50},
        {"CTE_DIM_PC=5\nCTE_X_DIM_PC=2\n", 20, 50},
        {"CTE_DIM_PC=5\nCTE_Y_DIM_PC=0\n", 50, 0},
        {"CTE_X_DIM_PC=1,5\n", 15, 0},
    };
    for (const Case& c : cases) {
        const vor::MaterialRecord r = FromText(std::string("[PROP_FISIC]\n") + c.keys);
        EXPECT_EQ(r.pieceConstantX, c.x) << c.keys;
        EXPECT_EQ(r.pieceConstantY, c.y) << c.keys;
    }
}

TEST(MaterialRecord, StatusOfKerfAndStripWidthTheLaterRuleWinning)
{
    struct Case {
        const char* kerf;
        const char* strip;
        int status;
    };
    const Case cases[] = {
        {"100", "500", 0},     {"0", "0", 0},        {"100.1", "0", 16},   {"-0.1", "0", 16},
        {"100.04", "0", 0},    {"0", "500.1", 17},   {"0", "-1", 17},      {"100.1", "600", 17},
        {"1000", "500", 16},
    };
    for (const Case& c : cases) {
        const vor::MaterialRecord r = FromText(std::string("[PROP_FISIC]\nLARG_SERRA=") + c.kerf +
                                               "\nLARG_MIN_D=" + c.strip + "\n");
        EXPECT_EQ(r.loadStatus, c.status) << c.kerf << " / " << c.strip;
    }
}

TEST(MaterialRecord, LengthWithoutAnIntegerNumberOfTenthsIsAnError)
{
    EXPECT_THROW(FromText("[PROP_FISIC]\nCTE_DIM_DIR_CHP=1e300\n"), vor::OverflowError);
    EXPECT_THROW(FromText("[PROP_FISIC]\nLARG_SERRA=300000000\n"), vor::OverflowError);
    EXPECT_EQ(FromText("[PROP_FISIC]\nLARG_SERRA=200000000\n").kerf, 2000000000);
}

TEST_F(MaterialRecordTest, LoadsFromTheMaterialFolder)
{
    WriteMaterial(12, "[DESC]\r\nCAMPO1=Chapa\r\n[PROP_FISIC]\r\nLARG_SERRA=3,2\r\n");
    const vor::MaterialRecord r = vor::LoadMaterial(m_folders, 12);
    EXPECT_EQ(r.description, "Chapa");
    EXPECT_EQ(r.kerf, 32);
    EXPECT_EQ(r.loadStatus, 0);

    WriteMaterial(13, "[PROP_FISIC]\r\nLARG_SERRA=1e300\r\n");
    try {
        vor::LoadMaterial(m_folders, 13);
        FAIL() << "no error";
    } catch (const vor::OverflowError& e) {
        EXPECT_NE(std::string(e.what()).find("M13.INI"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("LARG_SERRA"), std::string::npos) << e.what();
    }
}

TEST_F(MaterialRecordTest, MissingOrUnreadableFileGivesStatus15AndTheDefaults)
{
    fs::create_directory(vor::MaterialFile(m_folders, 7));  // a folder, no file
    for (long long code : {5LL, 7LL}) {
        const vor::MaterialRecord r = vor::LoadMaterial(m_folders, code);
        EXPECT_EQ(r.loadStatus, vor::kMaterialFileMissing) << code;
        EXPECT_EQ(r.description, "???");
        vor::MaterialRecord expected = vor::DefaultMaterialRecord();
        expected.description = "???";
        expected.loadStatus = 15;
        EXPECT_EQ(r, expected);
    }
}

// Callers that skip the status (labels, viewer) must not see the previous
// material's kerf and trims.
TEST_F(MaterialRecordTest, MissingFileLeavesNoStaleDataOfThePreviousMaterial)
{
    WriteMaterial(1, "[DESC]\r\nFAMILIA=F\r\n[PROP_FISIC]\r\nLARG_SERRA=4\r\nGIRO=0\r\n"
                     "CTE_DIM_ESQ_CHP=10\r\nCOR=255\r\n");
    vor::gShared.currentMaterial = 1;
    vor::LoadMaterial(1);
    ASSERT_EQ(vor::gShared.currentMaterialRecord.kerf, 40);
    ASSERT_EQ(vor::gShared.currentMaterialRecord.trimLeft, 100);

    vor::LoadMaterial(2);
    const vor::MaterialRecord& r = vor::gShared.currentMaterialRecord;
    EXPECT_EQ(r.loadStatus, 15);
    EXPECT_EQ(r.description, "???");
    EXPECT_EQ(r.family, "");
    EXPECT_EQ(r.kerf, 0);
    EXPECT_EQ(r.trimLeft, 0);
    EXPECT_TRUE(r.mayRotate);
    EXPECT_EQ(r.colour, 16777215);
    EXPECT_EQ(vor::gShared.currentMaterial, 1);  // the loader leaves the code alone
}

// ---- Material table ---------------------------------------------------------------

TEST(MaterialTable, CodeOfAFileName)
{
    struct Case {
        const char* name;
        long long code;
    };
    const Case cases[] = {
        {"M12A.INI", 12}, {"MX.INI", 0}, {"M3.INI", 3},      {"M007.INI", 7},
        {"M99000.INI", 99000}, {"M-5.INI", -5}, {"M 12.INI", 12}, {"M.INI", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(vor::MaterialCodeOfFileName(c.name), c.code) << c.name;
}

TEST_F(MaterialRecordTest, TableListsTheMaterialFilesSortedByCode)
{
    WriteMaterial(3, "[DESC]\r\nCAMPO1=three\r\nFAMILIA=fam3\r\n[PROP_FISIC]\r\nCOR=255\r\n");
    WriteMaterial(12, "[DESC]\r\nCAMPO1=twelve\r\n");
    vortest::WriteBytes(m_folders.mat / "M12A.INI", "[DESC]\r\nCAMPO1=not read\r\n");
    vortest::WriteBytes(m_folders.mat / "MX.INI", "");
    vortest::WriteBytes(m_folders.mat / "m5.ini", "[DESC]\r\nCAMPO1=other case\r\n");
    vortest::WriteBytes(m_folders.mat / "M6.TXT", "");
    vortest::WriteBytes(m_folders.mat / "CAMPOS.INI", "[DESC]\r\nCAMPO1=title\r\n");
    fs::create_directory(m_folders.mat / "M8.INI");

    vor::MaterialTable table;
    vor::LoadMaterialTable(m_folders, false, table);
    ASSERT_EQ(table.count, 4);
    struct Expected {
        long long code;
        const char* description;
    };
    // "MX.INI" reads as M0.INI, "M12A.INI" as M12.INI; the two entries of 12
    // keep their name order.
    const Expected expected[] = {{0, "???"}, {3, "three"}, {12, "twelve"}, {12, "twelve"}};
    for (long i = 1; i <= table.count; ++i) {
        EXPECT_EQ(table.entries[i].code, expected[i - 1].code) << i;
        EXPECT_EQ(table.entries[i].description, expected[i - 1].description) << i;
    }
    EXPECT_EQ(table.entries[2].family, "fam3");
    EXPECT_EQ(table.entries[2].colour, 255);
    EXPECT_EQ(table.entries[1].colour, 16777215);
    EXPECT_EQ(m_messages.Count(), 0u);
}

TEST_F(MaterialRecordTest, TableCutsDescriptionAndFamilyByCharacters)
{
    const std::string longText(70, 'a');
    std::string accented;
    for (int i = 0; i < 55; ++i)
        accented += "\xC3\xA7";  // ç, two bytes in UTF-8
    vortest::WriteBytes(vor::MaterialFile(m_folders, 1),
                        "[DESC]\r\nCAMPO1=" + longText + "\r\nFAMILIA=" + std::string(55, '\xE7') +
                            "\r\n");
    vor::MaterialTable table;
    vor::LoadMaterialTable(m_folders, false, table);
    ASSERT_EQ(table.count, 1);
    EXPECT_EQ(table.entries[1].description, std::string(60, 'a'));
    std::string fifty;
    for (int i = 0; i < 50; ++i)
        fifty += "\xC3\xA7";
    EXPECT_EQ(table.entries[1].family, fifty);
}

TEST_F(MaterialRecordTest, EmptyOrMissingFolderGivesNoEntriesAndNoMessage)
{
    vor::MaterialTable table;
    table.count = 9;
    vor::LoadMaterialTable(m_folders, true, table);
    EXPECT_EQ(table.count, 0);
    fs::remove_all(m_folders.mat);
    vor::LoadMaterialTable(m_folders, true, table);
    EXPECT_EQ(table.count, 0);
    EXPECT_EQ(m_messages.Count(), 0u);
}

// LARG_SERRA=1e10 in one file once threw out of the table build, so neither
// the table nor the material list report could be made.
TEST_F(MaterialRecordTest, OneMaterialOutOfRangeIsLeftOutWithItsErrorAndTheOthersLoad)
{
    WriteMaterial(3, "[DESC]\r\nCAMPO1=three\r\n");
    WriteMaterial(4, "[DESC]\r\nCAMPO1=broken\r\n[PROP_FISIC]\r\nLARG_SERRA=1e10\r\n");
    WriteMaterial(5, "[DESC]\r\nCAMPO1=five\r\n");
    vor::MaterialTable table;
    vor::LoadMaterialTable(m_folders, true, table);
    ASSERT_EQ(table.count, 2);
    EXPECT_EQ(table.entries[1].description, "three");
    EXPECT_EQ(table.entries[2].description, "five");
    ASSERT_EQ(table.problems.size(), 1u);
    ASSERT_EQ(m_messages.Count(), 1u);
    const std::string shown = m_messages.Last().text;
    EXPECT_NE(shown.find(vor::MaterialFile(m_folders, 4).string()), std::string::npos) << shown;
    EXPECT_NE(shown.find("LARG_SERRA"), std::string::npos) << shown;

    // A later load starts afresh: the error is listed again, not twice.
    vor::LoadMaterialTable(m_folders, false, table);
    EXPECT_EQ(table.problems.size(), 1u);
    EXPECT_EQ(m_messages.Count(), 2u);
}

// The 500 kept are the first by name, whatever order the folder lists them in.
TEST_F(MaterialRecordTest, MoreThan500FilesKeepTheFirst500ByNameAndShowMessage598)
{
    for (int code = 501; code >= 1; --code)
        WriteMaterial(code, "");
    vor::MaterialTable table;
    vor::LoadMaterialTable(m_folders, false, table);
    EXPECT_EQ(table.count, 500);
    ASSERT_EQ(m_messages.Count(), 1u);
    EXPECT_EQ(m_messages.Last().text, "limit 598");
    // "M99.INI" is the last name; every other code is there, in order.
    long long expected = 1;
    for (long i = 1; i <= table.count; ++i, ++expected) {
        if (expected == 99)
            ++expected;
        ASSERT_EQ(table.entries[i].code, expected) << i;
    }
}

TEST_F(MaterialRecordTest, ExactlyFiveHundredFilesShowNoMessage)
{
    for (int code = 1; code <= 500; ++code)
        WriteMaterial(code, "");
    vor::MaterialTable table;
    vor::LoadMaterialTable(m_folders, false, table);
    EXPECT_EQ(table.count, 500);
    EXPECT_EQ(m_messages.Count(), 0u);
}

TEST(MaterialTable, SortIsAscendingAndStable)
{
    vor::MaterialTable table;
    const long long codes[] = {5, 3, 5, 1, 3};
    const char* names[] = {"a", "b", "c", "d", "e"};
    for (int i = 0; i < 5; ++i) {
        table.entries[i + 1].code = codes[i];
        table.entries[i + 1].description = names[i];
    }
    table.entries[6].code = -1;  // past the count: not sorted in
    table.count = 5;
    vor::SortMaterialTable(table);
    std::string order;
    for (long i = 1; i <= 6; ++i)
        order += table.entries[i].description + std::to_string(table.entries[i].code) + " ";
    EXPECT_EQ(order, "d1 b3 e3 a5 c5 -1 ");
}

// The table is built by loading every material; the material being worked on
// must still be the one loaded afterwards.
TEST_F(MaterialRecordTest, BuildingTheTableLeavesTheCurrentMaterialAsItWas)
{
    WriteMaterial(4, "[PROP_FISIC]\r\nLARG_SERRA=4\r\n");
    WriteMaterial(9, "[PROP_FISIC]\r\nLARG_SERRA=9\r\n");
    WriteSheets(9, "1 1 2 1000 500 A ABCDEFG12345\r\n");
    vor::gShared.currentMaterial = 4;
    vor::LoadMaterial(4);
    const vor::MaterialRecord before = vor::gShared.currentMaterialRecord;

    vor::LoadMaterialTable(true);
    EXPECT_EQ(vor::gShared.materialTable.count, 2);
    EXPECT_EQ(vor::gShared.materialTable.entries[2].sheetQuantity, 2);
    EXPECT_EQ(vor::gShared.currentMaterial, 4);
    EXPECT_EQ(vor::gShared.currentMaterialRecord, before);
    EXPECT_EQ(vor::gShared.currentMaterialRecord.kerf, 40);
}

// ---- Stock summary -------------------------------------------------------------------

TEST_F(MaterialRecordTest, StockSummaryCountsLinesQuantityAndArea)
{
    WriteMaterial(3, "");
    WriteMaterial(4, "");
    WriteSheets(3,
                "1       1     10   2750   1850 MDF_18mm ABCDEFG12345\r\n"
                "0 2 5 2440,5 1220 B\r\n"
                "1   3   2   1000.5   500\n");
    vor::MaterialTable table;
    vor::LoadMaterialTable(m_folders, true, table);
    ASSERT_EQ(table.count, 2);
    const vor::MaterialTableEntry& e = table.entries[1];
    EXPECT_EQ(e.code, 3);
    EXPECT_EQ(e.sheetLines, 3);
    EXPECT_EQ(e.sheetQuantity, 17);
    EXPECT_NEAR(e.sheetArea, 10 * 2.75 * 1.85 + 5 * 2.4405 * 1.22 + 2 * 1.0005 * 0.5, 1e-9);
    // No sheet table: zeros.
    EXPECT_EQ(table.entries[2].sheetLines, 0);
    EXPECT_EQ(table.entries[2].sheetQuantity, 0);
    EXPECT_EQ(table.entries[2].sheetArea, 0.0);

    // Without the stock flag the summaries stay empty.
    vor::LoadMaterialTable(m_folders, false, table);
    EXPECT_EQ(table.entries[1].sheetLines, 0);
}

TEST_F(MaterialRecordTest, StockSummaryOfALineWithSixteenFieldsIsARangeError)
{
    WriteMaterial(3, "");
    WriteSheets(3, "1 1 1 100 100 a b c d e f g h i j k\r\n");
    vor::MaterialTable table;
    EXPECT_THROW(vor::LoadMaterialTable(m_folders, true, table), vor::RangeError);
    // Fifteen fields read.
    WriteSheets(3, "1 1 1 100 100 a b c d e f g h i j\r\n");
    vor::LoadMaterialTable(m_folders, true, table);
    EXPECT_EQ(table.entries[1].sheetQuantity, 1);
}

// ---- File date ---------------------------------------------------------------------

class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone) : m_env("TZ", zone) { tzset(); }
    ~ScopedTimeZone() { tzset(); }

private:
    vortest::ScopedEnv m_env;
};

TEST(FileDateTime, ModificationTimeInLocalTime)
{
    vortest::TempDir dir;
    const fs::path file = dir.path() / "PED00001.TAB";
    vortest::WriteBytes(file, "x");
    // 2024-03-05 14:07:09.250 UTC
    const auto when = std::chrono::sys_days{std::chrono::year{2024} / 3 / 5} + std::chrono::hours{14} +
                      std::chrono::minutes{7} + std::chrono::seconds{9} +
                      std::chrono::milliseconds{250};
    fs::last_write_time(file, std::chrono::file_clock::from_sys(when));

    struct Case {
        const char* zone;
        int day, hour;
    };
    const Case cases[] = {{"UTC0", 5, 14}, {"BRT3", 5, 11}, {"JST-9", 5, 23}, {"NZST-12", 6, 2}};
    for (const Case& c : cases) {
        ScopedTimeZone zone(c.zone);
        const auto t = vor::FileDateTime(file);
        ASSERT_TRUE(t.has_value()) << c.zone;
        EXPECT_EQ(t->year, 2024);
        EXPECT_EQ(t->month, 3);
        EXPECT_EQ(t->day, c.day) << c.zone;
        EXPECT_EQ(t->hour, c.hour) << c.zone;
        EXPECT_EQ(t->minute, 7);
        EXPECT_EQ(t->second, 9);
        EXPECT_EQ(t->millisecond, 250);
    }
    EXPECT_FALSE(vor::FileDateTime(dir.path() / "missing").has_value());
}

// ---- Shipped examples -----------------------------------------------------------------

TEST(ShippedMaterials, ExampleMaterialsLoadWithTheirStock)
{
    const vor::DataFolders dist = vor::MakeDataFolders(fs::path(VOR_SOURCE_DIR) / "dist");
    platform::ScriptedMessages messages;
    platform::ScopedMessages installed(messages);
    vor::MaterialTable table;
    vor::LoadMaterialTable(dist, true, table);
    ASSERT_EQ(table.count, 3);
    EXPECT_EQ(messages.Count(), 0u);

    struct Expected {
        long long code;
        int kerf;
        int trim;
        long lines;
        long quantity;
    };
    // 99010 is the strip mode's circuit-board laminate.
    const Expected expected[] = {
        {99000, 44, 100, 2, 30}, {99001, 32, 80, 2, 33}, {99010, 20, 50, 3, 60}};
    for (long i = 1; i <= 3; ++i) {
        const Expected& x = expected[i - 1];
        const vor::MaterialTableEntry& e = table.entries[i];
        EXPECT_EQ(e.code, x.code);
        EXPECT_EQ(e.sheetLines, x.lines);
        EXPECT_EQ(e.sheetQuantity, x.quantity);
        EXPECT_GT(e.sheetArea, 10.0);
        const vor::MaterialRecord r = vor::LoadMaterial(dist, x.code);
        EXPECT_EQ(r.loadStatus, 0) << x.code;
        EXPECT_FALSE(r.description.empty());
        EXPECT_EQ(r.description, e.description);
        EXPECT_EQ(r.kerf, x.kerf);
        EXPECT_EQ(r.trimTop, x.trim);
        EXPECT_EQ(r.trimLeft, x.trim);
        EXPECT_TRUE(r.makesOffcuts);
        EXPECT_GT(r.minOffcutWidth, 0);
        EXPECT_GT(r.purchasePrice, 0.0);
        EXPECT_NE(r.colour, 16777215);
    }
}

}  // namespace
