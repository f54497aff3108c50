#include "vorplan/orders/project_merge.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/fake_clock.h"
#include "platform/fake_message_service.h"
#include "tests/support/failing_writes.h"
#include "tests/support/test_support.h"
#include "vorplan/common/calc_lists.h"
#include "vorplan/common/conversions.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/text_file.h"
#include "vorplan/orders/new_project.h"
#include "vorplan/orders/project_manager.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using vortest::FailingWrites;
using vortest::ReadBytes;
using vortest::TestInstallation;
using vortest::WriteBytes;

std::string Crlf(const Lines& lines)
{
    std::string out;
    for (const std::string& line : lines)
        out += line + "\r\n";
    return out;
}

class ProjectMergeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_saved = vor::gShared;
        vor::gShared.folders = vor::MakeDataFolders(inst.base());
        vor::gShared.orderList = vor::OrderList{};
        vor::gShared.calcLists = vor::CalcLists{};
        vor::gShared.currentOrder = 7;
        vor::gShared.messages[767] = "M767";
        clock.SetNow({2025, 3, 24, 14, 15, 2, 0});
        messages.SetDefaultAnswer(platform::Answer::Ok);
    }
    void TearDown() override { vor::gShared = m_saved; }

    static fs::path Table(long long n) { return vor::OrderTableFile(vor::gShared.folders, n, true); }
    static fs::path Dsc(long long n) { return vor::ProjectDescriptionFile(vor::gShared.folders, n); }
    static void WriteOrder(long long n, const Lines& lines, const std::string& description = "Mesa")
    {
        WriteBytes(Table(n), Crlf(lines));
        WriteBytes(Dsc(n), Crlf({"[PED]", "CAMPO1=" + description}));
    }
    // Every file of the installation's folders, for "nothing was written".
    std::vector<std::string> AllFiles() const
    {
        std::vector<std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(inst.base()))
            if (!entry.is_directory())
                files.push_back(entry.path().string() + "=" + ReadBytes(entry.path()));
        std::sort(files.begin(), files.end());
        return files;
    }

    TestInstallation inst;
    platform::ScriptedMessages messages;
    platform::ScopedMessages messageScope{messages};
    platform::FakeClock clock;
    platform::ScopedClock clockScope{clock};

private:
    vor::SharedGlobals m_saved;
};

TEST(MergeMultiplier, IsClampedTo1To10000)
{
    const std::vector<std::pair<long long, int>> cases = {
        {0, 1}, {-5, 1}, {1, 1}, {37, 37}, {10000, 10000}, {20000, 10000}, {1LL << 40, 10000}};
    for (const auto& [typed, kept] : cases)
        EXPECT_EQ(vor::ClampMultiplier(typed), kept) << typed;
}

TEST_F(ProjectMergeTest, MergesMultipliedQuantitiesInOrderKeepingDecimalsAndEmptyDescriptions)
{
    WriteOrder(1, {"1      3      2  500.5    300      4 ", "0 4 1 100 200 4 Gaveta_funda 1 ABCD"});
    WriteOrder(2, {"1 9 5 700 250,5 12 Porta 2"});
    const auto result = vor::MergeProjects({{1, "A", 3}, {2, "B", 1}}, 40, "Soma");
    ASSERT_EQ(result, vor::MergeResult::Done);
    EXPECT_EQ(ReadBytes(Table(40)), Crlf({"1 3 6 500.5 300 4 ---", "0 4 3 100 200 4 Gaveta_funda",
                                          "1 9 5 700 250,5 12 Porta"}));
    EXPECT_EQ(ReadBytes(Dsc(40)), Crlf({"[PED]", "CRIACAO=24/03/25  14:15:02",
                                        "ULT_MODIF=24/03/25  14:15:02", "STATUS=0", "PCI=0",
                                        "CAMPO1=Soma", "CAMPO2=---"}));
    EXPECT_TRUE(messages.Shown().empty());
    // The order list must be rebuilt, the recent list is the new project, the current order stays.
    EXPECT_TRUE(vor::gShared.orderList.dirty);
    EXPECT_EQ(vor::gShared.calcLists.recent.count, 1);
    EXPECT_EQ(vor::gShared.calcLists.recent.orders[1], 40);
    EXPECT_EQ(vor::gShared.currentOrder, 7);
    vor::RecentProjects saved;
    vor::ReadRecentProjects(vor::gShared.folders, saved);
    ASSERT_EQ(saved.count, 1);
    EXPECT_EQ(saved.orders[1], 40);
}

TEST_F(ProjectMergeTest, AMissingTableIsSkippedWithItsMessage)
{
    WriteOrder(1, {"1 1 2 10 10 1 A"});
    WriteOrder(3, {"1 1 4 10 10 1 C"});
    ASSERT_EQ(vor::MergeProjects({{1, "A", 1}, {2, "gone", 1}, {3, "C", 2}}, 50, "S"),
              vor::MergeResult::Done);
    EXPECT_EQ(messages.Texts(), Lines{"erro mix1"});
    EXPECT_EQ(ReadBytes(Table(50)), Crlf({"1 1 2 10 10 1 A", "1 1 8 10 10 1 C"}));
}

TEST_F(ProjectMergeTest, LongAndHostileTablesAreMergedWhole)
{
    Lines big;
    for (int i = 1; i <= 1500; ++i)
        big.push_back("1 " + std::to_string(i) + " 1 10 10 1 P");
    WriteOrder(1, big);
    WriteOrder(2, {"", "1 2 3 4 5 6 d 8 9 10 11 12 13 14 15 16 17 18 19 20", "   ",
                   "x y z abc 10 q", "1 1 1 10 10"});
    ASSERT_EQ(vor::MergeProjects({{1, "A", 1}, {2, "B", 2}}, 60, "S"), vor::MergeResult::Done);
    const auto lines = vor::ReadTextLines(Table(60));
    ASSERT_TRUE(lines);
    ASSERT_EQ(lines->size(), 1503u);
    EXPECT_EQ((*lines)[1499], "1 1500 1 10 10 1 P");
    EXPECT_EQ((*lines)[1500], "1 2 6 4 5 6 d");
    EXPECT_EQ((*lines)[1501], "0 0 0 0 10 0 ---");
    EXPECT_EQ((*lines)[1502], "1 1 2 10 10 0 ---");
}

TEST_F(ProjectMergeTest, ATakenNumberOrAFailedWriteLeavesNoFileOfTheNewProject)
{
    WriteOrder(1, {"1 1 2 10 10 1 A"});
    // A description file alone takes the number too.
    WriteBytes(Dsc(5), Crlf({"[PED]", "CAMPO1=x"}));
    const auto before = AllFiles();
    EXPECT_EQ(vor::MergeProjects({{1, "A", 1}}, 5, "S"), vor::MergeResult::NumberTaken);
    EXPECT_EQ(messages.Texts(), Lines{"M767 (5)"});
    EXPECT_EQ(AllFiles(), before);

    for (const char* failing : {"1 1 2", "[PED]"}) {
        SCOPED_TRACE(failing);
        messages.ClearShown();
        vor::gShared.orderList.dirty = false;
        FailingWrites ops(failing);
        EXPECT_EQ(vor::MergeProjects({{1, "A", 1}}, 6, "S", ops), vor::MergeResult::WriteFailed);
        EXPECT_EQ(messages.Texts(), Lines{"erro mix2"});
        EXPECT_EQ(AllFiles(), before);
        EXPECT_FALSE(vor::gShared.orderList.dirty);
        EXPECT_EQ(vor::gShared.calcLists.recent.count, 0);
    }
}

TEST_F(ProjectMergeTest, TheNewProjectWriterMakesTheNumberCurrentWhenAsked)
{
    ASSERT_EQ(vor::CreateNewProject(12, "Novo", {}, true), vor::NewProjectResult::Written);
    EXPECT_EQ(vor::gShared.currentOrder, 12);
    // A project with no pieces still has a table, so the order list shows it.
    EXPECT_EQ(ReadBytes(Table(12)), Crlf({"0 1 1 0 0 0"}));
    EXPECT_EQ(vor::CreateNewProject(12, "Outro", {}, true), vor::NewProjectResult::NumberTaken);
}

// ---- The project manager's rules ------------------------------------------------

TEST(ProjectManagerButtons, FollowTheSelection)
{
    struct Case {
        long selected, count;
        vor::ProjectButtonStates want;
    };
    const std::vector<Case> cases = {
        {0, 0, {false, false, false, false, false}},  {0, 12, {false, false, false, false, true}},
        {1, 12, {true, true, true, true, true}},       {9, 12, {true, false, true, true, true}},
        {10, 12, {true, false, false, true, true}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(vor::ProjectButtons(c.selected, c.count), c.want) << c.selected << " of " << c.count;
}

TEST(ProjectManagerSearch, FoldsCaseAndAccentsOnlyWhenAsked)
{
    struct Case {
        const char* line;
        const char* text;
        bool fold, match;
    };
    const std::vector<Case> cases = {
        {"  3~COZINHA ~12~01/02/25~Aberto", "cozinha", false, false},
        {"  3~COZINHA ~12~01/02/25~Aberto", "cozinha", true, true},
        {"  3~Cozinha ~12~01/02/25~Aberto", "Cozinha", false, true},
        {"  4~PORTÃO GARAGEM~1", "portao", true, true},
        {"  4~portão garagem~1", "PORTÃO", true, true},
        {"  4~portão garagem~1", "portao", false, false},
        {"  5~Ação~1", "ACAO", true, true},
        {"  5~Ação~1", "", true, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(vor::ProjectLineMatches(c.line, c.text, c.fold), c.match)
            << c.line << " / " << c.text << " fold " << c.fold;
    EXPECT_EQ(vor::FoldCaseAndAccents("Çãé ÿ Šž ß x~1"), "CAE Y SZ S X~1");
}

TEST_F(ProjectMergeTest, InformationListOfAProjectWithTwoMaterialsLeavesTheCurrentMaterial)
{
    WriteBytes(Table(8), Crlf({"1 1 2 100 100 12 A", "1 2 3 100 100 7 B", "1 3 1 100 100 12 C"}));
    WriteBytes(Dsc(8), Crlf({"[PED]", "CRIACAO=01/02/25  10:00:00", "ULT_MODIF=03/02/25  11:00:00",
                             "CAMPO1=Cozinha"}));
    WriteBytes(vor::MaterialFile(vor::gShared.folders, 12), Crlf({"[DESC]", "CAMPO1=MDF 15"}));
    WriteBytes(vor::MaterialFile(vor::gShared.folders, 7), Crlf({"[DESC]", "CAMPO1=Vidro 4"}));
    vor::gShared.currentMaterial = 99;
    vor::gShared.currentMaterialRecord.description = "kept";
    EXPECT_EQ(vor::ProjectInfoLines(vor::gShared.folders, 8),
              (Lines{"Projeto: 8", "Cozinha", "Criado em: 01/02/25  10:00:00",
                     "Modificado em: 03/02/25  11:00:00", "Material: 2", "Itens: 3",
                     "Total de peças: 6", "", "12 - MDF 15", "7 - Vidro 4"}));
    EXPECT_EQ(vor::gShared.currentMaterial, 99);
    EXPECT_EQ(vor::gShared.currentMaterialRecord.description, "kept");
}

}  // namespace
