#include "vorplan/results/export_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/results/results_support.h"
#include "vorplan/common/errors.h"

namespace {

namespace fs = std::filesystem;
using vortest::ReadBytes;

vor::MaterialLayoutSums Material(long long code, std::vector<vor::SheetSizeEntry> sizes)
{
    vor::MaterialLayoutSums m;
    m.code = code;
    m.sizes = std::move(sizes);
    return m;
}

const char* const kLayoutsHeader =
    "; Vorlane v.2.18  Calculated layouts file\r\n"
    "; Fields: RES1  RES2  MAT  TYPE  C  W  H  QT\r\n"
    "; Where:\r\n"
    "; RES1 = Reserved (0)\r\n"
    "; RES2 = Reserved (0)\r\n"
    "; MAT  = MATERIAL CODE (0..99999)\r\n"
    "; TYPE = OBJECT TYPE: 1=SHEET  2=PIECE  3=OFFCUT  4=SCRAP\r\n"
    ";   C =  SHEET/PIECE CODE\r\n"
    ";   X=\r\n"
    ";   Y=\r\n"
    ";   W  = OBJECT WIDTH\r\n"
    ";   H  = OBJECT HEIGHT\r\n"
    ";   QT = OBJECT QUANTITY\r\n"
    "; DESC = DESCRIPTION\r\n"
    ";  PRJ = PROJECT NUMBER (for \"PIECES\" type\r\n"
    "; \r\n";

const char* const kSheetsHeader =
    "/ Vorlane v.2.18   (Report of necessary sheets)\r\n"
    "/ The lines that begin with the symbol \"/\" are comments and it should be despised\r\n"
    "/ Fields: MAT  QT  W  H\r\n"
    "/ Where:\r\n"
    "/ MAT  = MATERIAL CODE (0..99999)\r\n"
    "/   QT = SHEET QUANTITY\r\n"
    "/   W  = SHEET WIDTH\r\n"
    "/   H  = SHEET HEIGHT\r\n"
    "/\r\n"
    "/ MAT,QT,W,H\r\n";

TEST(ExportFiles, CalculatedLayoutsFileHasTheHeaderAndOneFixedLinePerMaterial)
{
    vortest::TempDir dir;
    const fs::path file = dir.path() / "layouts.csv";
    vor::MaterialLayoutSums unreadable = Material(99, {});
    unreadable.problem = "x";
    vor::WriteCalculatedLayoutsFile(file, {Material(12, {}), Material(30, {}), unreadable});
    EXPECT_EQ(ReadBytes(file), std::string(kLayoutsHeader) + "0,0,12,2,3,4,5\r\n0,0,30,2,3,4,5\r\n");
}

TEST(ExportFiles, NecessarySheetsFileCountsEverySheetCut)
{
    vortest::TempDir dir;
    vortest::StubMessages messages;
    const vor::DataFolders folders = vor::MakeDataFolders(dir.path());
    fs::create_directories(folders.mont);
    // 2750 x 1830 mm cut by a layout once and by another twice: three sheets.
    vortest::WriteLayout(folders, 12, 1, {vortest::SheetLine(1, 0, 27500, 18300)});
    vortest::WriteLayout(folders, 12, 2, {vortest::SheetLine(1, 1, 27500, 18300)});
    vortest::WriteLayout(folders, 12, 3, {vortest::SheetLine(1, 0, 27550, 12345)});
    const std::vector<vor::MaterialLayoutSums> materials = {vor::CollectSheetSizes(folders, 12),
                                                            vor::CollectSheetSizes(folders, 30)};
    const std::string data = "12,3,2750,1830\r\n12,1,2755,1234.5\r\n";

    const fs::path file = dir.path() / "sheets.csv";
    vor::WriteNecessarySheetsFile(file, materials, true);
    EXPECT_EQ(ReadBytes(file), std::string(kSheetsHeader) + data);
    vor::WriteNecessarySheetsFile(file, materials, false);
    EXPECT_EQ(ReadBytes(file), data);
    EXPECT_EQ(vor::NecessarySheetsLines({Material(7, {{2755, 100, 2, ""}})}, false),
              (std::vector<std::string>{"7,2,275.5,10"}));
}

TEST(ExportFiles, AFileThatCannotBeWrittenThrowsAndLeavesTheOldOne)
{
    vortest::TempDir dir;
    const fs::path file = dir.path() / "sheets.csv";
    vortest::WriteBytes(file, "old");
    vortest::FailingWrites failing;
    EXPECT_THROW(vor::WriteNecessarySheetsFile(file, {Material(12, {{10, 10, 1, ""}})}, true, failing),
                 vor::IoError);
    EXPECT_THROW(vor::WriteCalculatedLayoutsFile(file, {Material(12, {})}, failing), vor::IoError);
    EXPECT_EQ(ReadBytes(file), "old");
}

}  // namespace
