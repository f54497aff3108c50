#include "vorplan/orders/material_file.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/support/failing_reads.h"
#include "tests/support/test_support.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/material_record.h"

namespace {

namespace fs = std::filesystem;

const std::string kNow = "05/03/24  14:07:09";

vor::MaterialFileValues FromText(const std::string& text)
{
    return vor::ReadMaterialFile(vor::IniDocument::Parse(text), kNow);
}

TEST(MaterialFile, MissingFileGivesEveryDefault)
{
    vortest::TempDir dir;
    const vor::MaterialFileValues v = vor::ReadMaterialFile(dir.path() / "M1.INI", kNow);
    for (const std::string& field : v.fields)
        EXPECT_EQ(field, "");
    EXPECT_EQ(v.family, "");
    EXPECT_EQ(v.supplier, "");
    EXPECT_EQ(v.finish, "");
    EXPECT_EQ(v.created, kNow);
    EXPECT_EQ(v.lastModified, kNow);
    EXPECT_EQ(v.kerf, "0");
    EXPECT_EQ(v.minStripWidth, "0");
    EXPECT_TRUE(v.makesOffcuts);
    EXPECT_EQ(v.minOffcutWidth, "0");
    EXPECT_EQ(v.minOffcutHeight, "0");
    EXPECT_EQ(v.pieceConstant, "0");
    EXPECT_EQ(v.pieceConstantX, "0");
    EXPECT_EQ(v.pieceConstantY, "0");
    EXPECT_TRUE(v.cutLengthFree);
    EXPECT_EQ(v.cutLengthLimit, "10000");
    EXPECT_TRUE(v.mayRotate);
    EXPECT_FALSE(v.mayDivide);
    EXPECT_EQ(v.colour, 16777215);
    EXPECT_EQ(v.trimTop, "0");
    EXPECT_EQ(v.trimRight, "0");
    EXPECT_EQ(v.thickness, "0");
    EXPECT_EQ(v.weightPerArea, "0");
    EXPECT_EQ(v.purchasePrice, "0");
    EXPECT_EQ(v.saleFactor, "1");
    EXPECT_EQ(v.cutPriceConstant, "0");
    for (const std::string& t : v.times)
        EXPECT_EQ(t, "0");
    EXPECT_EQ(v.doubleDescription, "---");
    EXPECT_EQ(v.doubleMaterial1, "");
    EXPECT_EQ(v.doubleMaterial2, "");
}

TEST(MaterialFile, NumbersAreKeptAsTyped)
{
    const vor::MaterialFileValues v = FromText(
        "[PROP_FISIC]\nLARG_SERRA=3,20\nCOMP_LIMITE_CORTE=abc\nESPESSURA=  18.0  \n"
        "[PROP_COMERC]\nPRECO_COMPRA=\"1.234,5\"\n[TEMPOS]\nT3=2,5\n");
    EXPECT_EQ(v.kerf, "3,20");
    EXPECT_EQ(v.cutLengthLimit, "abc");
    EXPECT_EQ(v.thickness, "18.0");
    EXPECT_EQ(v.purchasePrice, "1.234,5");
    EXPECT_EQ(v.times[2], "2,5");
}

TEST(MaterialFile, SinglePieceConstantShowsOnBothAxesAndIsWrittenToBoth)
{
    vortest::TempDir dir;
    const fs::path file = dir.path() / "M1.INI";
    vortest::WriteBytes(file, "[PROP_FISIC]\r\nCTE_DIM_PC=5\r\n");
    const vor::MaterialFileValues v = vor::ReadMaterialFile(file, kNow);
    EXPECT_EQ(v.pieceConstantX, "5");
    EXPECT_EQ(v.pieceConstantY, "5");
    vor::WriteMaterialFile(file, v, kNow);
    const vor::IniFile ini(file);
    EXPECT_EQ(ini.ReadString("PROP_FISIC", "CTE_X_DIM_PC", ""), "5");
    EXPECT_EQ(ini.ReadString("PROP_FISIC", "CTE_Y_DIM_PC", ""), "5");
}

TEST(MaterialFile, CutLengthChoice)
{
    EXPECT_FALSE(FromText("[PROP_FISIC]\nLIMITA_COMP_CORTE_LIVRE=0\nCOMP_LIMITE_CORTE=2500\n")
                     .cutLengthFree);
    const vor::MaterialFileValues free = FromText("[PROP_FISIC]\nGIRO=1\n");
    EXPECT_TRUE(free.cutLengthFree);
    EXPECT_EQ(free.cutLengthLimit, "10000");
}

vor::MaterialFileValues SampleValues()
{
    vor::MaterialFileValues v;
    v.fields = {"Compensado naval", "a", "b", "", "d", "e", "f", "g"};
    v.family = "Madeira";
    v.supplier = "Serraria São José";
    v.finish = "Cru";
    v.created = "01/02/23  10:11:12";
    v.lastModified = "never kept";
    v.kerf = "3,2";
    v.minStripWidth = "10";
    v.makesOffcuts = false;
    v.minOffcutWidth = "200";
    v.minOffcutHeight = "150.5";
    v.pieceConstant = "1";
    v.pieceConstantX = "2";
    v.pieceConstantY = "3";
    v.cutLengthFree = false;
    v.cutLengthLimit = "2500";
    v.mayRotate = false;
    v.mayDivide = true;
    v.colour = 0x563412;
    v.trimTop = "10";
    v.trimBottom = "-5";
    v.trimLeft = "7,5";
    v.trimRight = "0";
    v.thickness = "18";
    v.weightPerArea = "9,75";
    v.purchasePrice = "1234,5";
    v.saleFactor = "2";
    v.cutPriceConstant = "0.35";
    v.times = {"1", "2", "3", "4"};
    v.doubleDescription = "Duplo";
    v.doubleMaterial1 = "10";
    v.doubleMaterial2 = "11";
    return v;
}

const char* const kSampleGolden =
    "[DESC]\r\n"
    "CAMPO1=Compensado naval\r\nCAMPO2=a\r\nCAMPO3=b\r\nCAMPO4=\r\nCAMPO5=d\r\nCAMPO6=e\r\n"
    "CAMPO7=f\r\nCAMPO8=g\r\nFAMILIA=Madeira\r\nFORNECEDOR=Serraria S\xE3o Jos\xE9\r\n"
    "ACABAMENTO=Cru\r\n"
    "[PED]\r\nCRIACAO=01/02/23  10:11:12\r\nULT_MODIF=05/03/24  14:07:09\r\n"
    "[PROP_FISIC]\r\n"
    "LARG_SERRA=3,2\r\nLARG_MIN_D=10\r\nGERA_RET=0\r\nLARG_MIN_R=200\r\nALT_MIN_R=150.5\r\n"
    "CTE_DIM_PC=1\r\nCTE_X_DIM_PC=2\r\nCTE_Y_DIM_PC=3\r\nLIMITA_COMP_CORTE_LIVRE=0\r\n"
    "COMP_LIMITE_CORTE=2500\r\nGIRO=0\r\nPODE_DIVIDIR=1\r\nCOR=5649426\r\n"
    "CTE_DIM_CIMA_CHP=10\r\nCTE_DIM_BAIXO_CHP=-5\r\nCTE_DIM_ESQ_CHP=7,5\r\nCTE_DIM_DIR_CHP=0\r\n"
    "ESPESSURA=18\r\nPESO_ESP=9,75\r\n"
    "[PROP_COMERC]\r\nPRECO_COMPRA=1234,5\r\nFATOR_VENDA=2\r\nFATOR_CORTE=0.35\r\n"
    "[TEMPOS]\r\nT1=1\r\nT2=2\r\nT3=3\r\nT4=4\r\n"
    "[MAT_DUPLO]\r\nDESC=Duplo\r\nMAT1=10\r\nMAT2=11\r\n";

TEST(MaterialFile, NewFileHoldsEveryKeyInItsOrderGolden)
{
    vortest::TempDir dir;
    const fs::path file = dir.path() / "M12.INI";
    vor::WriteMaterialFile(file, SampleValues(), kNow);
    EXPECT_EQ(vortest::ReadBytes(file), kSampleGolden);

    // Read back: the same values, the stamp of the save.
    vor::MaterialFileValues expected = SampleValues();
    expected.lastModified = kNow;
    EXPECT_EQ(vor::ReadMaterialFile(file, "other"), expected);
    // And the record loads from it.
    const vor::MaterialRecord r =
        vor::MaterialRecordFromIni(vor::IniDocument::Parse(vortest::ReadBytes(file)));
    EXPECT_EQ(r.kerf, 32);
    EXPECT_EQ(r.trimLeft, 75);
    EXPECT_TRUE(r.cutLengthLimited);
    EXPECT_EQ(r.cutLengthLimit, 25000);
}

TEST(MaterialFile, RewriteKeepsWhatElseTheFileHolds)
{
    vortest::TempDir dir;
    const fs::path file = dir.path() / "M12.INI";
    vortest::WriteBytes(file,
                        "; material file\n[prop_fisic]\nextra=keep me\nlarg_serra=9\n\n"
                        "[OTHER]\nX=1\n[DESC]\nCAMPO1=old\n");
    vor::WriteMaterialFile(file, SampleValues(), kNow);
    const std::string text = vortest::ReadBytes(file);
    EXPECT_EQ(text.rfind("; material file\r\n[prop_fisic]\r\nextra=keep me\r\nlarg_serra=3,2\r\n", 0),
              0u)
        << text;
    EXPECT_NE(text.find("[OTHER]\r\nX=1\r\n"), std::string::npos);
    const vor::IniFile ini(file);
    EXPECT_EQ(ini.ReadString("DESC", "CAMPO1", ""), "Compensado naval");
    EXPECT_EQ(ini.ReadString("PROP_FISIC", "COR", ""), "5649426");
    EXPECT_EQ(ini.ReadSectionKeys("DESC").size(), 11u);
}

TEST(MaterialFile, FailedWriteLeavesTheOldFile)
{
    vortest::TempDir dir;
    const fs::path file = dir.path() / "sub" / "M12.INI";  // no such folder
    EXPECT_THROW(vor::WriteMaterialFile(file, SampleValues(), kNow), vor::IoError);
    EXPECT_FALSE(fs::exists(file));
}

// An M<n>.INI that could not be read was rewritten from the defaults: the
// kerf and the colour were gone.
TEST(MaterialFile, FileThatCannotBeReadIsNeverWrittenOver)
{
    vortest::TempDir dir;
    const fs::path file = dir.path() / "M12.INI";
    const std::string original = "[PROP_FISIC]\r\nLARG_SERRA=4,5\r\nCOR=255\r\n";
    vortest::WriteBytes(file, original);
    vortest::FailingReads failing;
    const vor::MaterialFileValues read = vor::ReadMaterialFile(file, kNow, failing);
    EXPECT_EQ(read.kerf, "0");
    EXPECT_THROW(vor::WriteMaterialFile(file, read, kNow, failing), vor::IoError);
    EXPECT_EQ(failing.writes, 0);
    EXPECT_EQ(vortest::ReadBytes(file), original);
}

TEST(FieldTitles, RoundTripAndDefaults)
{
    vortest::TempDir dir;
    const vor::DataFolders folders = vor::MakeDataFolders(dir.path());
    const fs::path file = vor::FieldTitlesFile(folders);
    EXPECT_EQ(file, dir.path() / "MAT" / "CAMPOS.INI");
    fs::create_directories(file.parent_path());
    for (const std::string& title : vor::ReadFieldTitles(file))
        EXPECT_EQ(title, "");

    const vor::FieldTitles titles = {"Cor", "", "Código do fornecedor", "d", "e", "f", "g"};
    vor::WriteFieldTitles(file, titles);
    EXPECT_EQ(vortest::ReadBytes(file),
              "[DESC]\r\nCAMPO1=Cor\r\nCAMPO2=\r\nCAMPO3=C\xF3" "digo do fornecedor\r\nCAMPO4=d\r\n"
              "CAMPO5=e\r\nCAMPO6=f\r\nCAMPO7=g\r\n");
    EXPECT_EQ(vor::ReadFieldTitles(file), titles);
}

TEST(ColorRef, PartsAreInBlueGreenRedOrder)
{
    struct Case {
        vor::Rgb rgb;
        int colorRef;
    };
    const Case cases[] = {
        {{255, 0, 0}, 0x0000FF},     {{0, 255, 0}, 0x00FF00},  {{0, 0, 255}, 0xFF0000},
        {{18, 52, 86}, 0x563412},    {{255, 255, 255}, 16777215}, {{0, 0, 0}, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(vor::ColorRefFromRgb(c.rgb), c.colorRef);
        EXPECT_EQ(vor::RgbFromColorRef(c.colorRef), c.rgb);
    }
    // Out-of-range parts are limited; a high byte is not part of the colour.
    EXPECT_EQ(vor::ColorRefFromRgb({300, -4, 12}), 0x0C00FF);
    EXPECT_EQ(vor::RgbFromColorRef(0x7F563412), (vor::Rgb{18, 52, 86}));
    EXPECT_EQ(vor::RgbFromColorRef(-1), (vor::Rgb{255, 255, 255}));
}

TEST(MaterialWindowRules, SalePrice)
{
    struct Case {
        const char* price;
        const char* factor;
        const char* shown;
    };
    const Case cases[] = {
        {"1234,5", "2", "2.469,00"}, {"1234.5", "2", "2.469,00"}, {"0", "1", "0,00"},
        {"1000000", "1", "1.000.000,00"}, {"abc", "2", "0,00"},  {"-3,5", "2", "-7,00"},
        {"10", "", "0,00"},          {"0,125", "1", "0,13"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(vor::SalePriceText(c.price, c.factor), c.shown) << c.price << " x " << c.factor;
}

class MaterialWindowTexts : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_saved = vor::gShared.messages;
        for (long slot : {142, 143, 241, 823, 854, 855, 856, 857, 858, 859, 953})
            vor::gShared.messages[slot] = "m" + std::to_string(slot);
    }
    void TearDown() override { vor::gShared.messages = m_saved; }

private:
    vor::MessageTable m_saved;
};

TEST_F(MaterialWindowTexts, SpecialRangesAndTheirExplanation)
{
    EXPECT_FALSE(vor::IsSpecialMaterial(49999));
    EXPECT_TRUE(vor::IsSpecialMaterial(50000));
    EXPECT_TRUE(vor::IsSpecialMaterial(99999));
    EXPECT_EQ(vor::SpecialMaterialText(50001), "m854\nm855, m856\n\nm859");
    EXPECT_EQ(vor::SpecialMaterialText(98999), "m854\nm855, m856\n\nm859");
    EXPECT_EQ(vor::SpecialMaterialText(99000), "m857\nm858, m856\n\nm859");
}

TEST_F(MaterialWindowTexts, CaptionAndFormulas)
{
    EXPECT_EQ(vor::MaterialWindowCaption(12), "m823 - m241 12");
    EXPECT_EQ(vor::SalePriceFormula(), "m953 = ( m143 x m142 ) x K");
    EXPECT_EQ(vor::CuttingPriceFormula(), "m953= ( ( ( m143 x m142 ) / 2 ) + 0.75 ) x Qtd x C");
}

}  // namespace
