#include "vorplan/results/saved_calculations.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/fake_clock.h"
#include "platform/fake_message_service.h"
#include "tests/results/results_support.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/results/calc_information.h"

namespace {

namespace fs = std::filesystem;
using vortest::ReadBytes;
using vortest::WriteBytes;
using Tree = std::map<std::string, std::string>;

// The first rename onto a path ending in `name` fails: one copy, or one step of a swap.
class FailingRenameOf : public vor::FileOps {
public:
    explicit FailingRenameOf(std::string name) : m_name(std::move(name)) {}
    int Rename(const char* from, const char* to) override
    {
        const std::string target(to);
        if (!m_failed && target.size() >= m_name.size() &&
            target.compare(target.size() - m_name.size(), m_name.size(), m_name) == 0) {
            m_failed = true;
            errno = EIO;
            return -1;
        }
        return vor::FileOps::Rename(from, to);
    }

private:
    std::string m_name;
    bool m_failed = false;
};

// Every file below `folder` with its bytes; folders as "<dir>".
Tree TreeOf(const fs::path& folder)
{
    Tree tree;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const std::string name = fs::relative(entry.path(), folder).string();
        tree[name] = entry.is_regular_file() ? ReadBytes(entry.path()) : "<dir>";
    }
    return tree;
}

class SavedCalculationsTest : public ::testing::Test {
protected:
    SavedCalculationsTest()
    {
        clock.SetNow({2026, 3, 24, 14, 15, 2});
        WriteBytes(folders.mont / "1-00012.MON", vor::EncodeTextLines({vortest::SheetLine(1, 0, 100, 100)}));
        WriteBytes(folders.mont / "2-00012.MON", vor::EncodeTextLines({vortest::SheetLine(1, 1, 200, 100)}));
        WriteBytes(folders.mont / "MAT.SEQ", vor::EncodeTextLines({"12"}));
        WriteBytes(folders.mont / "CALC_DAT.INI", "[DADOS_ULT_CALC]\r\nPEDIDOS=5\r\n");
    }

    std::string Saved() const { return "M_240326_141502"; }

    vortest::TestInstallation inst;
    vor::DataFolders folders = vor::MakeDataFolders(inst.base());
    platform::FakeClock clock;
    platform::ScriptedMessages messages;
    platform::ScopedMessages installed{messages};
    vortest::StubMessages texts;
};

TEST_F(SavedCalculationsTest, SaveCopiesEveryLayoutFileWithTheComment)
{
    const vor::SaveResult r = vor::SaveCalculation(folders, "Cozinha ação", clock);
    EXPECT_TRUE(r.saved);
    EXPECT_TRUE(r.closeWindow);
    EXPECT_EQ(r.message, "Ok");
    EXPECT_EQ(ReadBytes(folders.mont / "ident.txt"), "Cozinha a\xe7\xe3o\r\n");
    EXPECT_EQ(TreeOf(folders.oldMont / Saved()), TreeOf(folders.mont));
    EXPECT_EQ(TreeOf(folders.mont).size(), 5u);

    // The same second again: the first copy stays as it was.
    const Tree first = TreeOf(folders.oldMont);
    WriteBytes(folders.mont / "1-00012.MON", "changed");
    const vor::SaveResult again = vor::SaveCalculation(folders, "outro", clock);
    EXPECT_FALSE(again.saved);
    EXPECT_FALSE(again.closeWindow);
    EXPECT_EQ(again.message, "Erro 896 - Mkdir [" + (folders.oldMont / Saved()).string() + "]");
    EXPECT_EQ(TreeOf(folders.oldMont), first);
}

TEST_F(SavedCalculationsTest, AFailedIdentWriteOrCopyLeavesNoFolder)
{
    vortest::FailingWrites noWrites;
    vor::SaveResult r = vor::SaveCalculation(folders, "x", clock, noWrites);
    EXPECT_FALSE(r.saved);
    EXPECT_TRUE(r.closeWindow);
    EXPECT_EQ(r.message, "Erro 897 - escrita do " + (folders.mont / "ident.txt").string());
    EXPECT_TRUE(fs::is_empty(folders.oldMont));

    FailingRenameOf oneCopy("/" + Saved() + "/2-00012.MON");
    r = vor::SaveCalculation(folders, "x", clock, oneCopy);
    EXPECT_FALSE(r.saved);
    EXPECT_EQ(r.message, "<301> [" + (folders.oldMont / Saved()).string() + "]");
    EXPECT_TRUE(fs::is_empty(folders.oldMont));

    // OLD_MONT belongs to the installation: without it nothing is made.
    fs::remove_all(folders.oldMont);
    r = vor::SaveCalculation(folders, "x", clock);
    EXPECT_EQ(r.message, "Erro 896 - Mkdir [" + (folders.oldMont / Saved()).string() + "]");
    EXPECT_FALSE(fs::exists(folders.oldMont));
}

TEST_F(SavedCalculationsTest, ListsFoldersSortedWithDatesTimesAndComments)
{
    for (const char* name : {"M_240326_141502", "M_150300_101010", "M_010126_090000"})
        fs::create_directory(folders.oldMont / name);
    WriteBytes(folders.oldMont / "M_240326_141502" / "ident.txt", "Cozinha\r\nsegunda linha\r\n");
    WriteBytes(folders.oldMont / "M_150300_101010" / "ident.txt", "antigo\r\n");
    WriteBytes(folders.oldMont / "M_file.txt", "not a folder");
    const std::vector<vor::SavedCalculation> list = vor::ListSavedCalculations(folders);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0], (vor::SavedCalculation{"M_010126_090000", "---"}));
    EXPECT_EQ(list[1], (vor::SavedCalculation{"M_150300_101010", "antigo"}));
    EXPECT_EQ(list[2], (vor::SavedCalculation{"M_240326_141502", "Cozinha"}));
    EXPECT_EQ(messages.Count(), 1u);  // the missing ident.txt
    const vor::SavedCalculationColumns c = vor::ColumnsOf(list[1]);
    EXPECT_EQ(c.date, "15/03/00");
    EXPECT_EQ(c.time, "10:10:10");
    EXPECT_EQ(c.comment, "antigo");
    // A short name of an odd folder draws what it has.
    EXPECT_EQ(vor::ColumnsOf({"M_x", ""}).date, "x//");
}

TEST_F(SavedCalculationsTest, RestoreReplacesTheLayoutsFolderCompletely)
{
    ASSERT_TRUE(vor::SaveCalculation(folders, "guardado", clock).saved);
    WriteBytes(folders.mont / "3-00012.MON", "only in MONT");
    WriteBytes(folders.mont / "MAT.SEQ", vor::EncodeTextLines({"30", "12"}));
    fs::create_directory(folders.mont / "keep");
    WriteBytes(vor::LastCalcMaterialsFile(folders), std::string(8, '\0'));
    WriteBytes(folders.oldMont / Saved() / "MAT.SEQ", vor::EncodeTextLines({"7", "12"}));

    vor::MaterialSelection selection;
    long long current = 99;
    const vor::RestoreResult r = vor::RestoreSavedCalculation(folders, Saved(), selection, current);
    ASSERT_TRUE(r.restored) << r.message;
    Tree expected = TreeOf(folders.oldMont / Saved());
    expected["keep"] = "<dir>";
    EXPECT_EQ(TreeOf(folders.mont), expected);
    EXPECT_FALSE(fs::exists(vor::LastCalcMaterialsFile(folders)));
    EXPECT_EQ(selection.count, 2);
    EXPECT_EQ(current, 7);
    EXPECT_FALSE(fs::exists(folders.base / "MONT_RESTAURA"));
    EXPECT_FALSE(fs::exists(folders.base / "MONT_ANTERIOR"));
}

TEST_F(SavedCalculationsTest, AFailedRestoreLeavesTheLayoutsFolderAsItWas)
{
    ASSERT_TRUE(vor::SaveCalculation(folders, "guardado", clock).saved);
    fs::create_directory(folders.oldMont / "M_010126_090000");
    WriteBytes(folders.oldMont / "M_010126_090000" / "ident.txt", "empty save\r\n");
    WriteBytes(folders.mont / "3-00012.MON", "only in MONT");
    WriteBytes(vor::LastCalcMaterialsFile(folders), std::string(8, '\0'));
    const Tree before = TreeOf(folders.mont);

    struct Case {
        std::string name;
        std::string failingRename;  // empty: none
        long message;
    };
    const Case cases[] = {
        {"M_999999_999999", "", 299},        // missing
        {"M_010126_090000", "", 299},        // no layouts and no record
        {"../MONT", "", 299},                // not a folder of OLD_MONT
        {Saved(), "_RESTAURA/2-00012.MON", 300},  // one copy fails
        {Saved(), "MONT_ANTERIOR", 300},     // MONT cannot be moved aside
        {Saved(), "/MONT", 300},             // the copy cannot take its place
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name + " " + c.failingRename);
        FailingRenameOf ops(c.failingRename.empty() ? std::string("\x01") : c.failingRename);
        vor::MaterialSelection selection;
        long long current = 99;
        const vor::RestoreResult r = vor::RestoreSavedCalculation(folders, c.name, selection, current, ops);
        EXPECT_FALSE(r.restored);
        EXPECT_EQ(r.message.rfind("<" + std::to_string(c.message) + "> [", 0), 0u) << r.message;
        EXPECT_EQ(TreeOf(folders.mont), before);
        EXPECT_TRUE(fs::exists(vor::LastCalcMaterialsFile(folders)));
        EXPECT_EQ(current, 99);
        EXPECT_FALSE(fs::exists(folders.base / "MONT_RESTAURA"));
    }
}

TEST_F(SavedCalculationsTest, DeleteRemovesTheFilesAndTheFolder)
{
    ASSERT_TRUE(vor::SaveCalculation(folders, "guardado", clock).saved);
    EXPECT_TRUE(vor::DeleteSavedCalculation(folders, Saved(), vor::SavedCalculationFiles(folders, Saved())));
    EXPECT_FALSE(fs::exists(folders.oldMont / Saved()));

    // A sub-folder is left alone, and so is its folder.
    clock.SetNow({2026, 3, 24, 14, 15, 3});
    ASSERT_TRUE(vor::SaveCalculation(folders, "guardado", clock).saved);
    const std::string second = "M_240326_141503";
    fs::create_directory(folders.oldMont / second / "sub");
    EXPECT_FALSE(vor::DeleteSavedCalculation(folders, second, vor::SavedCalculationFiles(folders, second)));
    EXPECT_EQ(TreeOf(folders.oldMont / second), (Tree{{"sub", "<dir>"}}));
    EXPECT_EQ(messages.Last().text, "Falha no rmdir " + (folders.oldMont / second).string());
}

TEST_F(SavedCalculationsTest, CalculationInformationWithAndWithoutTheRecord)
{
    fs::remove(folders.mont / "CALC_DAT.INI");
    vor::CalcInformation info = vor::ReadCalcInformation(folders, true);
    EXPECT_EQ(info.lastMaterial, -1);
    EXPECT_EQ(info.piecesSelected, "-1");
    EXPECT_EQ(info.piecesPlaced, "-1");
    EXPECT_EQ(info.orders, "-1");
    EXPECT_EQ(info.status, "---");
    EXPECT_EQ(info.start, "---    ---");
    EXPECT_EQ(info.identification, "---");
    EXPECT_EQ(info.text, "");
    EXPECT_EQ(info.file, folders.mont / "CALC_DAT.INI");

    WriteBytes(folders.mont / "CALC_DAT.INI",
               "[DADOS_ULT_CALC]\r\nULTIMO_MATERIAL_USADO=30\r\nPECAS_SELECIONADAS=12\r\n"
               "PECAS_POSICIONADAS=11\r\nS_STATUS=Conclu\xed" "do\r\nDATA_INI_CALC=24/03/26\r\n"
               "HORA_INI_CALC=14:15:02\r\nPEDIDOS=5, 7\r\n");
    WriteBytes(folders.mont / "ident.txt", "Cozinha\r\n");
    info = vor::ReadCalcInformation(folders, true);
    EXPECT_EQ(info.lastMaterial, 30);
    EXPECT_EQ(info.piecesSelected, "12");
    EXPECT_EQ(info.piecesPlaced, "11");
    EXPECT_EQ(info.orders, "5, 7");
    EXPECT_EQ(info.status, "Concluído");
    EXPECT_EQ(info.start, "24/03/26    14:15:02");
    EXPECT_EQ(info.identification, "Cozinha");
    EXPECT_NE(info.text.find("S_STATUS=Concluído"), std::string::npos);
}

}  // namespace
