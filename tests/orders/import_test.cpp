#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/test_support.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/text_file.h"
#include "vorplan/orders/clipboard_import.h"
#include "vorplan/orders/import_source.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using vor::ClipboardParse;
using vor::ImportSource;
using vor::ParseClipboardText;
using vortest::ReadBytes;
using vortest::WriteBytes;

// ---- The clipboard's cells ----------------------------------------------------

TEST(ClipboardParse, ARowOfSixCellsGivesItsPieceLineByteForByte)
{
    const ClipboardParse parse = ParseClipboardText("10\t2\t500\t300\t7\tDoor");
    EXPECT_EQ(parse.outputLines, Lines{"1      10      2  500.0  300.0      7 Door ABC"});
    EXPECT_EQ(parse.displayLines, Lines{"10 2 500 300 7 Door"});
    EXPECT_EQ(parse.firstLineTabs, 5);
    EXPECT_FALSE(parse.codeOrderError);
    EXPECT_TRUE(parse.CanSave());
}

TEST(ClipboardParse, CellsAreReadWhereTheyStand)
{
    struct Case {
        const char* row;
        const char* line;
    };
    const Case cases[] = {
        {"10\t2\t500\t300\t7\t", "1      10      2  500.0  300.0      7 _ ABC"},
        {"10\t2\t500\t300\t7", "1      10      2  500.0  300.0      7 _ ABC"},
        // An empty cell is an empty field; the material stays the material.
        {"10\t2\t500\t\t7\tDoor", "1      10      2  500.0    0.0      7 Door ABC"},
        {"10\t2\t\t\t\tDoor", "1      10      2    0.0    0.0      0 Door ABC"},
        // Decimal comma or point, blanks around numbers.
        {"10\t2\t500,5\t 300.25 \t7\tDoor", "1      10      2  500.5  300.3      7 Door ABC"},
        // Cells beyond the sixth are ignored.
        {"10\t2\t500\t300\t7\tDoor\tx\ty\tz\t1\t2\t3\t4\t5\t6\t7\t8\t9\t10\t11",
         "1      10      2  500.0  300.0      7 Door ABC"},
        // A description keeps its words as one field.
        {"10\t2\t500\t300\t7\tDoor left; glass", "1      10      2  500.0  300.0      7 Door_left__glass ABC"},
        {"10\t2\t500\t300\t7\tPorta de correr", "1      10      2  500.0  300.0      7 Porta_de_correr ABC"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(vor::ClipboardPieceLine(c.row), c.line) << c.row;

    // A 20-cell row after a first row of six imports its first six cells.
    std::string wide = "11\t3\t100\t200\t9\tShelf";
    for (int i = 0; i < 14; ++i)
        wide += "\t" + std::to_string(i);
    const ClipboardParse parse = ParseClipboardText("10\t2\t500\t300\t7\tDoor\n" + wide + "\n");
    EXPECT_EQ(parse.outputLines.at(1), "1      11      3  100.0  200.0      9 Shelf ABC");
    EXPECT_TRUE(parse.CanSave());
}

TEST(ClipboardParse, LineEndsOfEveryKindAndAFinalOneGiveTheSameRows)
{
    const Lines expected = {"1       1      2  500.0  300.0      7 A ABC",
                            "1       2      1  400.0  200.0      7 B ABC"};
    for (const char* text : {"1\t2\t500\t300\t7\tA\r\n2\t1\t400\t200\t7\tB\r\n",
                             "1\t2\t500\t300\t7\tA\r\n2\t1\t400\t200\t7\tB",
                             "1\t2\t500\t300\t7\tA\n2\t1\t400\t200\t7\tB\n",
                             "1\t2\t500\t300\t7\tA\n2\t1\t400\t200\t7\tB",
                             "1\t2\t500\t300\t7\tA\r2\t1\t400\t200\t7\tB\r",
                             "1\t2\t500\t300\t7\tA\r2\t1\t400\t200\t7\tB"}) {
        const ClipboardParse parse = ParseClipboardText(text);
        EXPECT_EQ(parse.outputLines, expected) << text;
        EXPECT_EQ(parse.displayLines.size(), 2u) << text;
        EXPECT_FALSE(parse.codeOrderError) << text;
        EXPECT_TRUE(parse.CanSave()) << text;
    }
}

TEST(ClipboardParse, SalvaNeedsSixCellsCodesInOrderAndAPiece)
{
    struct Case {
        const char* text;
        bool error;
        int tabs;
        std::size_t pieces;
        bool canSave;
    };
    const Case cases[] = {
        {"5\t1\t1\t1\t1\tA\n7\t1\t1\t1\t1\tB\n6\t1\t1\t1\t1\tC\n", true, 5, 3, false},
        // Equal codes are in order.
        {"5\t1\t1\t1\t1\tA\n5\t1\t1\t1\t1\tB\n", false, 5, 2, true},
        // Five columns only.
        {"5\t1\t1\t1\t1\n6\t1\t1\t1\t1\tB\n", false, 4, 2, false},
        // The first line's count decides, not the others'.
        {"5\t1\t1\t1\t1\tA\n6\t1\t1\t1\t1\n", false, 5, 2, true},
        // A header row (code 0) and a quantity-0 row make no piece.
        {"Código\tQtd\tLargura\tAltura\tMaterial\tDescrição\n10\t2\t500\t300\t7\tDoor\n11\t0\t1\t1\t7\tNone\n",
         false, 5, 1, true},
        {"10\t0\t500\t300\t7\tDoor\n11\t-2\t500\t300\t7\tDoor\n", false, 5, 0, false},
        // Short lines make no piece, but their code is compared.
        {"10\t2\t500\t300\t7\tDoor\n1\t2\t3\n", true, 5, 1, false},
        {"", false, 0, 0, false},
        {"\n", false, 0, 0, false},
    };
    for (const Case& c : cases) {
        const ClipboardParse parse = ParseClipboardText(c.text);
        EXPECT_EQ(parse.codeOrderError, c.error) << c.text;
        EXPECT_EQ(parse.firstLineTabs, c.tabs) << c.text;
        EXPECT_EQ(parse.outputLines.size(), c.pieces) << c.text;
        EXPECT_EQ(parse.CanSave(), c.canSave) << c.text;
    }
}

TEST(ClipboardParse, DescriptionsAreStoredInWindows1252)
{
    const ClipboardParse parse = ParseClipboardText("1\t1\t10\t10\t7\tPortão\n2\t1\t10\t10\t7\tドア ✓\n");
    ASSERT_EQ(parse.outputLines.size(), 2u);
    EXPECT_EQ(vor::EncodeTextLines(parse.outputLines),
              "1       1      1   10.0   10.0      7 Port\xE3o ABC\r\n"
              "1       2      1   10.0   10.0      7 ??_? ABC\r\n");
}

TEST(ClipboardInstructions, FiveLinesInEveryLanguagePortugueseAsQuoted)
{
    EXPECT_EQ(vor::ClipboardInstructionLines(1),
              (Lines{" 1 - Acione o Excel (Word / Access)", " 2 - Selecione as células (6 colunas, 1 ou mais linhas):",
                     " 3 - Copie as células ( CTRL +C ) ", " 4 - Retorne a este programa ( Alt + Tab )",
                     " 5 - Salve o projeto "}));
    EXPECT_EQ(vor::ClipboardInstructionLines(4), vor::ClipboardInstructionLines(2));
    EXPECT_EQ(vor::ClipboardInstructionLines(5), vor::ClipboardInstructionLines(3));
    EXPECT_NE(vor::ClipboardInstructionLines(2), vor::ClipboardInstructionLines(1));
    EXPECT_NE(vor::ClipboardInstructionLines(3), vor::ClipboardInstructionLines(2));
    for (int language = 1; language <= 5; ++language)
        EXPECT_EQ(vor::ClipboardInstructionLines(language).size(), 5u);
}

// ---- The source chooser's settings ---------------------------------------------

class ImportSourceTest : public ::testing::Test {
protected:
    fs::path Ini() const { return dir.path() / "VL_IMPORT.INI"; }
    vortest::TempDir dir;
};

TEST_F(ImportSourceTest, TheFirstTrueKeyChoosesAndTheClipboardIsTheDefault)
{
    EXPECT_EQ(vor::ReadImportSource(Ini(), true), ImportSource::Clip);
    struct Case {
        const char* text;
        bool external;
        ImportSource source;
    };
    const Case cases[] = {
        {"[IMPORT]\r\nCLIP=0\r\nCSV=0\r\nTXT=0\r\nVLNET=0\r\nOUTR=0\r\n", true, ImportSource::Clip},
        {"[IMPORT]\r\nTXT=1\r\nCSV=1\r\n", true, ImportSource::Csv},
        {"[import]\r\nvlnet=1\r\n", true, ImportSource::Vlnet},
        {"[IMPORT]\r\nOUTR=1\r\n", true, ImportSource::Outr},
        {"[IMPORT]\r\nOUTR=1\r\n", false, ImportSource::Clip},
        {"[IMPORT]\r\nTXT=yes\r\n", true, ImportSource::Clip},
        {"[OTHER]\r\nCSV=1\r\n", true, ImportSource::Clip},
    };
    for (const Case& c : cases) {
        WriteBytes(Ini(), c.text);
        EXPECT_EQ(vor::ReadImportSource(Ini(), c.external), c.source) << c.text;
    }
}

TEST_F(ImportSourceTest, WritingSetsAllFiveKeysWithOneTrueAndKeepsTheRest)
{
    WriteBytes(Ini(), "; mine\r\n[IMPORT]\r\nCSV=1\r\nEXTRA=x\r\n");
    vor::WriteImportSource(Ini(), ImportSource::Vlnet);
    EXPECT_EQ(ReadBytes(Ini()), "; mine\r\n[IMPORT]\r\nCSV=0\r\nEXTRA=x\r\nCLIP=0\r\nTXT=0\r\nVLNET=1\r\nOUTR=0\r\n");
    EXPECT_EQ(vor::ReadImportSource(Ini(), false), ImportSource::Vlnet);
}

TEST_F(ImportSourceTest, AnImportFileIsARegularFileFoundWithoutCase)
{
    WriteBytes(dir.path() / "EXAMPLE.CSV", "1,2,3,4,5,x\r\n");
    fs::create_directory(dir.path() / "folder.csv");
    EXPECT_EQ(vor::ExistingImportFile(dir.path() / "EXAMPLE.CSV"), dir.path() / "EXAMPLE.CSV");
    EXPECT_EQ(vor::ExistingImportFile(dir.path() / "example.csv"), dir.path() / "EXAMPLE.CSV");
    EXPECT_TRUE(vor::ExistingImportFile(dir.path() / "missing.csv").empty());
    EXPECT_TRUE(vor::ExistingImportFile(dir.path() / "folder.csv").empty());
    EXPECT_TRUE(vor::ExistingImportFile("/dev/null").empty());
    EXPECT_TRUE(vor::ExistingImportFile("").empty());
    EXPECT_EQ(vor::ImportFileFilter(ImportSource::Csv), "CSV ( *.csv) (*.csv *.CSV)");
    EXPECT_EQ(vor::ImportFileFilter(ImportSource::Txt), "TXT ( *.txt) (*.txt *.TXT)");
}

}  // namespace
