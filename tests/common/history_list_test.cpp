#include "vorplan/common/history_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "platform/fake_message_service.h"
#include "tests/support/test_support.h"
#include "vorplan/common/conversions.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/text_file.h"

namespace {

namespace fs = std::filesystem;
using vortest::ReadBytes;
using vortest::TestInstallation;
using vortest::WriteBytes;
using Lines = std::vector<std::string>;

class HistoryList : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_saved = vor::gShared;
        vor::gShared.folders = vor::MakeDataFolders(inst.base());
        vor::gShared.messages[546] = "Histórico de cálculos";
        vor::gShared.messages[547] = "Material";
        vor::gShared.messages[548] = "Significado das colunas:";
        for (long slot = 549; slot <= 555; ++slot)
            vor::gShared.messages[slot] = "L" + std::to_string(slot);
    }
    void TearDown() override { vor::gShared = m_saved; }

    void Write(const std::string& line) { vor::WriteCalcHistoryListing(file, 5, "Aço inox", line); }
    Lines Read() const { return vor::ReadTextLinesOrThrow(file); }

    // The entries of the file as written: lines 6 up to the trailer.
    Lines Entries() const
    {
        const Lines lines = Read();
        EXPECT_GE(lines.size(), 17u);
        return Lines(lines.begin() + 5, lines.end() - 12);
    }

    TestInstallation inst;
    fs::path file = inst.base() / "REL" / "ULTIMAS.005";
    platform::ScriptedMessages messages;
    platform::ScopedMessages messageScope{messages};

private:
    vor::SharedGlobals m_saved;
};

const char kTrailer[] =
    "\r\n"
    "\r\n"
    "Significado das colunas:\r\n"
    "@D\r\n"
    "L549\r\nL550\r\nL551\r\nL552\r\nL553\r\nL554\r\nL555\r\n"
    "@d\r\n";

TEST_F(HistoryList, FirstRunGivesTheEighteenLineFile)
{
    vor::gShared.currentMaterial = 5;
    vor::gShared.currentMaterialRecord.description = "Aço inox";
    vor::WriteCalcHistoryListing("24/03/25 14:15:02 3 5 1 87.50 91.25 primeiro_cálculo");

    const std::string golden =
        "@****Hist\xf3rico de c\xe1lculos\r\n"
        "\r\n"
        "@*Material 5 A\xe7o inox\r\n"
        "\r\n"
        "@T NS_ Data____ Hora____ Qt.Mo Qt.Chp Qt.Ret ^Ultima% ^Aprov%__ Coment__________\r\n"
        "001 24/03/25 14:15:02 3 5 1 87.50 91.25 primeiro_c\xe1lculo\r\n" +
        std::string(kTrailer);
    EXPECT_EQ(ReadBytes(file), golden);
    EXPECT_EQ(Read().size(), 18u);
}

TEST_F(HistoryList, KeepsTheNewestTwoHundred)
{
    auto lineOf = [](int run) { return "24/03/25 14:15:02 " + std::to_string(run) + " run"; };
    for (int run = 1; run <= 250; ++run) {
        Write(lineOf(run));
        const std::size_t lines = Read().size();
        const std::size_t expected = 17 + static_cast<std::size_t>(std::min(run, 200));
        ASSERT_EQ(lines, expected) << "after run " << run;
    }
    const Lines entries = Entries();
    ASSERT_EQ(entries.size(), 200u);
    for (std::size_t k = 0; k < entries.size(); ++k)
        EXPECT_EQ(entries[k], vor::IntToStrZero3(static_cast<long long>(k) + 1) + " " +
                                  lineOf(250 - static_cast<int>(k)));
    EXPECT_EQ(ReadBytes(file).substr(ReadBytes(file).size() - std::string(kTrailer).size()), kTrailer);
}

TEST_F(HistoryList, RenumberedEntriesKeepTheirWholeText)
{
    std::string longLine = "24/03/25 14:15:02 3 5 1 87.50 91.25 ";
    while (longLine.size() < 300)
        longLine += "comentário_longo_";
    Write("   blanks in front");
    Write(longLine);
    Write("newest");
    EXPECT_EQ(Entries(), (Lines{"001 newest", "002 " + longLine, "003 blanks in front"}));
    Write("again");
    EXPECT_EQ(Entries(), (Lines{"001 again", "002 newest", "003 " + longLine, "004 blanks in front"}));
}

TEST_F(HistoryList, EditedFilesKeepTheirEntries)
{
    struct Case {
        const char* name;
        std::function<void(Lines&)> edit;
        Lines expected;  // entries after the next write of "d"
    };
    const Case cases[] = {
        {"extra line after the trailer", [](Lines& l) { l.push_back("linha extra"); },
         {"001 d", "002 c", "003 b", "004 a"}},
        {"extra empty line in the trailer", [](Lines& l) { l.insert(l.end() - 3, ""); },
         {"001 d", "002 c", "003 b", "004 a"}},
        {"deleted entry", [](Lines& l) { l.erase(l.begin() + 6); }, {"001 d", "002 c", "003 a"}},
        {"every entry deleted", [](Lines& l) { l.erase(l.begin() + 5, l.begin() + 8); }, {"001 d"}},
        {"edited entry", [](Lines& l) { l[6] = "002   b, corrected"; },
         {"001 d", "002 c", "003 b, corrected", "004 a"}},
        {"trailer cut short", [](Lines& l) { l.resize(10); }, {"001 d", "002 c", "003 b", "004 a"}},
    };
    for (const Case& c : cases) {
        fs::remove(file);
        Write("a");
        Write("b");
        Write("c");
        Lines lines = Read();
        c.edit(lines);
        // The report viewer may write it back as UTF-8 with LF.
        std::string text;
        for (const std::string& line : lines)
            text += line + "\n";
        WriteBytes(file, text);

        Write("d");
        EXPECT_EQ(Entries(), c.expected) << c.name;
        const Lines after = Read();
        EXPECT_EQ(after.size(), 17 + c.expected.size()) << c.name;
        EXPECT_EQ(after.back(), "@d") << c.name;
    }
}

TEST_F(HistoryList, HeaderFollowsTheMaterial)
{
    Write("a");
    vor::WriteCalcHistoryListing(file, 12345, "Outro nome", "b");
    const Lines lines = Read();
    EXPECT_EQ(lines[2], "@*Material 12345 Outro nome");
    EXPECT_EQ(Entries(), (Lines{"001 b", "002 a"}));
}

TEST_F(HistoryList, UnreadableFileIsNotOverwritten)
{
    fs::create_directory(file);
    EXPECT_THROW(Write("a"), vor::IoError);
    EXPECT_TRUE(fs::is_directory(file));
}

TEST_F(HistoryList, Delete)
{
    vor::gShared.currentMaterial = 5;
    EXPECT_TRUE(vor::DeleteHistoryList());  // no file: nothing to do
    Write("a");
    EXPECT_TRUE(vor::DeleteHistoryList());
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(messages.Count(), 0u);

    fs::create_directory(file);
    EXPECT_FALSE(vor::DeleteHistoryList(file));
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Não pude apagar " + file.string()});
}

}  // namespace
