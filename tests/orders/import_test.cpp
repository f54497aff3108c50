#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fake_message_service.h"
#include "platform/mounts.h"
#include "tests/support/failing_writes.h"
#include "tests/support/test_support.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/text_file.h"
#include "vorplan/orders/clipboard_import.h"
#include "vorplan/orders/delimited_import.h"
#include "vorplan/orders/import_source.h"
#include "vorplan/orders/installation_import.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using vor::ClipboardParse;
using vor::Delimiter;
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

// ---- Delimited files -----------------------------------------------------------------

const fs::path kFixtures = fs::path(VOR_FIXTURES_DIR) / "imports";

TEST(DelimitedImport, TheSeparatorComesFromTheFirstLineInItsOrder)
{
    struct Case {
        const char* line;
        Delimiter delimiter;
        bool found;
    };
    const Case cases[] = {
        {"1;2;500;300;7;Door", Delimiter::Semicolon, true},
        {"1\t2\t500\t300\t7\tDoor", Delimiter::Tab, true},
        {"1,2,500,300,7,Door", Delimiter::Comma, true},
        // Five of each: the comma is tested first.
        {"1,;2,;500,;300,;7,;Door", Delimiter::Comma, true},
        {"1\t2\t500\t300\t7\tDoor; left, right", Delimiter::Tab, true},
        {"1,;2,;500,;300,;7 Door\t\t\t\t", Delimiter::Blank, false},
        {"", Delimiter::Blank, false},
    };
    for (const Case& c : cases) {
        const vor::DelimiterFound found = vor::FindDelimiter(c.line);
        EXPECT_EQ(found.delimiter, c.delimiter) << c.line;
        EXPECT_EQ(found.found, c.found) << c.line;
    }
    EXPECT_EQ(vor::DelimiterErrorText(vor::FindDelimiter("1,;2,;500,;300,;7 Door\t\t\t\t").counts),
              "ERRO - DELIMITADOR. (v=4 t=4 pv=4)");
}

TEST(DelimitedImport, FieldsKeepTheirPlaces)
{
    using Fields = std::vector<std::string>;
    EXPECT_EQ(vor::DelimitedFields("1,2,,300,5,Door", Delimiter::Comma), (Fields{"1", "2", "", "300", "5", "Door"}));
    EXPECT_EQ(vor::DelimitedFields("1;2;;;", Delimiter::Semicolon), (Fields{"1", "2", "", "", ""}));
    EXPECT_EQ(vor::DelimitedFields("1  2   500 300\t5 Door", Delimiter::Blank),
              (Fields{"1", "2", "500", "300\t5", "Door"}));
    std::string wide = "1,2,3,4,5,Door";
    for (int i = 0; i < 14; ++i)
        wide += "," + std::to_string(i);
    EXPECT_EQ(vor::DelimitedFields(wide, Delimiter::Comma), (Fields{"1", "2", "3", "4", "5", "Door"}));
    EXPECT_EQ(vor::DelimitedFields(wide, Delimiter::Blank), Fields{wide});

    const vor::DelimitedTable table = vor::SplitDelimitedLines({"1,2,,300,5,Door left; right", wide}, Delimiter::Comma);
    EXPECT_EQ(table.outputLines, (Lines{"1       1      2    0.0  300.0      5 Door_left__right",
                                        "1       1      2    3.0    4.0      5 Door"}));
}

TEST(DelimitedImport, EverySeparatorAndEncodingGivesTheSameTable)
{
    const std::string golden = ReadBytes(kFixtures / "delimited_PED00050.TAB");
    for (const auto& [file, delimiter] : {std::pair{"pieces_comma.csv", Delimiter::Comma},
                                          std::pair{"pieces_tab.txt", Delimiter::Tab},
                                          std::pair{"pieces_semicolon.csv", Delimiter::Semicolon}}) {
        const auto lines = vor::ReadDelimitedFile(kFixtures / file);
        ASSERT_TRUE(lines) << file;
        ASSERT_FALSE(lines->empty()) << file;
        const vor::DelimiterFound found = vor::FindDelimiter(lines->front());
        EXPECT_EQ(found.delimiter, delimiter) << file;
        const vor::DelimitedTable table = vor::SplitDelimitedLines(*lines, found.delimiter);
        EXPECT_EQ(vor::EncodeTextLines(table.outputLines), golden) << file;
        // The header, the quantity-0 line and the empty line are neither written nor summed.
        EXPECT_EQ(table.rows.size(), 7u) << file;
        EXPECT_EQ(table.pieces, 10) << file;
    }
}

TEST(DelimitedImport, UTF8WithOrWithoutItsMarkAndWindows1252ReadAlike)
{
    const Lines expected = {"1;2;500;300;7;Portão ドア"};
    EXPECT_EQ(vor::DelimitedFileLines("\xEF\xBB\xBF" "1;2;500;300;7;Portão ドア\r\n"), expected);
    EXPECT_EQ(vor::DelimitedFileLines("1;2;500;300;7;Portão ドア"), expected);
    EXPECT_EQ(vor::DelimitedFileLines("1;2;500;300;7;Port\xE3o\r\n"), Lines{"1;2;500;300;7;Portão"});
    // Characters Windows-1252 lacks are stored as "?".
    const vor::DelimitedTable table = vor::SplitDelimitedLines(vor::DelimitedFileLines("1;2;500;300;7;ドア"),
                                                               Delimiter::Semicolon);
    EXPECT_EQ(vor::EncodeTextLines(table.outputLines), "1       1      2  500.0  300.0      7 ??\r\n");
}

TEST(DelimitedImport, UnreadableFilesGiveNothing)
{
    vortest::TempDir dir;
    WriteBytes(dir.path() / "utf16.txt", std::string("\xFF\xFE" "1\0\t\0" "2\0", 8));
    fs::create_directory(dir.path() / "folder.csv");
    for (const fs::path& path : {dir.path() / "utf16.txt", dir.path() / "folder.csv", dir.path() / "missing.csv",
                                 fs::path("/dev/zero")})
        EXPECT_FALSE(vor::ReadDelimitedFile(path)) << path;
}

TEST(DelimitedImport, TheShippedExamplesImportTheirFivePieces)
{
    for (const char* name : {"EXAMPLE.CSV", "EXAMPLE.TXT"}) {
        const auto lines = vor::ReadDelimitedFile(fs::path(VOR_SOURCE_DIR) / "dist" / "IMPORT" / name);
        ASSERT_TRUE(lines) << name;
        const vor::DelimiterFound found = vor::FindDelimiter(lines->front());
        EXPECT_TRUE(found.found) << name;
        const vor::DelimitedTable table = vor::SplitDelimitedLines(*lines, found.delimiter);
        EXPECT_EQ(table.outputLines.size(), 5u) << name;
        EXPECT_EQ(table.outputLines.front(), "1       1      2  720.0  560.0  99000 Lateral_do_armário") << name;
    }
}

TEST(DelimitedImport, FieldNamesComeFromTheRequiredFieldsText)
{
    EXPECT_EQ(vor::RequiredFieldNames("[cód.] [qtd] [Largura] [Altura] [Número do material] [Descrição]"),
              (Lines{"cód.", "qtd", "Largura", "Altura", "Número do material", "Descrição"}));
    EXPECT_EQ(vor::RequiredFieldNames("msg 982"), (Lines{"1", "2", "3", "4", "5", "6"}));
}

// ---- Another installation --------------------------------------------------------------

class InstallationImportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_saved = vor::gShared;
        local = vor::MakeDataFolders(inst.base());
        other = dir.path() / "other";
        fs::create_directories(other / "PED" / "OLD");
    }
    void TearDown() override { vor::gShared = m_saved; }

    void WriteOther(const std::string& name, const std::string& bytes) { WriteBytes(other / "PED" / name, bytes); }
    std::vector<std::string> LocalFiles() const
    {
        std::vector<std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(inst.base()))
            if (!entry.is_directory())
                files.push_back(entry.path().filename().string() + "=" + ReadBytes(entry.path()));
        std::sort(files.begin(), files.end());
        return files;
    }

    vortest::TestInstallation inst;
    vortest::TempDir dir;
    vor::DataFolders local;
    fs::path other;
    platform::ScriptedMessages messages;
    platform::ScopedMessages installed{messages};

private:
    vor::SharedGlobals m_saved;
};

TEST_F(InstallationImportTest, TheProjectFolderIsPedOfTheChosenFolderOrTheChosenPed)
{
    EXPECT_EQ(vor::OtherProjectFolder(other), other / "PED");
    EXPECT_EQ(vor::OtherProjectFolder(other / "PED"), other / "PED");
    fs::rename(other / "PED", other / "ped");
    EXPECT_EQ(vor::OtherProjectFolder(other), other / "ped");
    EXPECT_EQ(vor::OtherProjectFolder(other / "ped"), other / "ped");
    EXPECT_TRUE(vor::OtherProjectFolder(dir.path()).empty());
    EXPECT_TRUE(vor::OtherProjectFolder(dir.path() / "missing").empty());
    fs::create_directory(dir.path() / "file");
    WriteBytes(dir.path() / "file" / "PED", "not a folder");
    EXPECT_TRUE(vor::OtherProjectFolder(dir.path() / "file").empty());
}

TEST_F(InstallationImportTest, OnlyTheFolderItselfAndFiveDigitNamesAreListedByNumber)
{
    WriteOther("DSC00100.INI", "[PED]\r\nCAMPO1=Cem\r\n");
    WriteOther("DSC00012.INI", "[PED]\r\nCAMPO1=Doze\r\n");
    WriteOther("dsc00007.ini", "[PED]\r\n");
    WriteOther("DSC12A45.INI", "[PED]\r\nCAMPO1=No\r\n");
    WriteOther("DSC0001.INI", "[PED]\r\nCAMPO1=No\r\n");
    WriteOther("OLD/DSC00005.INI", "[PED]\r\nCAMPO1=Old\r\n");
    fs::create_directory(other / "PED" / "DSC00009.INI");
    std::vector<std::string> texts;
    for (const vor::OtherProject& project : vor::ListOtherProjects(other / "PED"))
        texts.push_back(vor::OtherProjectText(project));
    EXPECT_EQ(texts, (Lines{"7  ???", "12  Doze", "100  Cem"}));
}

TEST_F(InstallationImportTest, ACopyIsByteForByteAndAllOrNothing)
{
    const std::string table = "1 1 2 500 300 12 Porta 12 ABCD\r\n";
    const std::string description = "[PED]\r\nCAMPO1=Porta do vizinho\r\nX=\xE9\r\n";
    WriteOther("PED00012.TAB", table);
    WriteOther("DSC00012.INI", description);
    WriteOther("DSC00013.INI", "[PED]\r\nCAMPO1=Sem tabela\r\n");
    const auto projects = vor::ListOtherProjects(other / "PED");
    ASSERT_EQ(projects.size(), 2u);

    // A missing table in the other installation copies nothing.
    const auto before = LocalFiles();
    EXPECT_FALSE(vor::CopyOtherProject(projects[1], local));
    EXPECT_EQ(messages.Texts(), Lines{"Não foi possível ler o arquivo " + (other / "PED" / "PED00013.TAB").string()});
    EXPECT_EQ(LocalFiles(), before);

    // A write that fails half-way leaves the old local project as it was.
    WriteBytes(vor::OrderTableFile(local, 12, true), "old table\r\n");
    WriteBytes(vor::ProjectDescriptionFile(local, 12), "old description\r\n");
    const auto old = LocalFiles();
    vortest::FailingWrites failing("[PED]");
    EXPECT_THROW(vor::CopyOtherProject(projects[0], local, failing), vor::IoError);
    EXPECT_EQ(LocalFiles(), old);

    EXPECT_TRUE(vor::CopyOtherProject(projects[0], local));
    EXPECT_EQ(ReadBytes(vor::OrderTableFile(local, 12, true)), table);
    EXPECT_EQ(ReadBytes(vor::ProjectDescriptionFile(local, 12)), description);
}

TEST(MountTable, NetworkFileSystemsAndTheDesktopsSharesAreFound)
{
    const std::string table =
        "/dev/sda1 / ext4 rw 0 0\n"
        "server:/export /mnt/nfs\\040share nfs4 rw 0 0\n"
        "//nas/vorlane /mnt/nas cifs rw 0 0\n"
        "user@host:/srv /home/u/remote fuse.sshfs rw 0 0\n"
        "proc /proc proc rw 0 0\n"
        "gvfsd-fuse /run/user/1000/gvfs fuse.gvfsd-fuse rw 0 0\n"
        "broken-line\n"
        "/dev/sdb1 /media/u/USB vfat rw 0 0\n";
    const auto entries = platform::ParseMountTable(table);
    ASSERT_EQ(entries.size(), 7u);
    EXPECT_EQ(entries[1].folder, fs::path("/mnt/nfs share"));
    const auto folders = platform::NetworkFoldersOf(entries, [](const fs::path& folder) {
        return std::vector<fs::path>{folder / "smb-share:server=nas,share=obras"};
    });
    EXPECT_EQ(folders, (std::vector<fs::path>{"/mnt/nfs share", "/mnt/nas", "/home/u/remote",
                                              "/run/user/1000/gvfs/smb-share:server=nas,share=obras"}));
    for (const char* type : {"nfs", "smb3", "9p"})
        EXPECT_TRUE(platform::IsNetworkFileSystem(type)) << type;
    for (const char* type : {"ext4", "tmpfs", "fuse"})
        EXPECT_FALSE(platform::IsNetworkFileSystem(type)) << type;
}

}  // namespace
