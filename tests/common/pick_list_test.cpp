// The pick list's layout rules and its list file.
#include "vorplan/common/pick_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/test_support.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/list_helpers.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

struct WidthCase {
    int minWidth;
    std::array<int, 3> lineWidths;
    int expected;
};

TEST(PickListLayout, WidthIsTheWidestOfMinimumAndLinesPlus70WithinLimits)
{
    const WidthCase cases[] = {
        {0, {0, 0, 0}, 200},       // three empty lines
        {310, {0, 0, 0}, 310},     // the history question's minimum width
        {0, {100, 250, 50}, 320},  // the widest line decides
        {300, {240, 0, 0}, 310},
        {0, {631, 0, 0}, 700},     // 701 is limited
        {0, {630, 0, 0}, 700},
        {900, {0, 0, 0}, 700},
        {150, {100, 0, 0}, 200},
        {-50, {0, 0, 0}, 200},
    };
    for (const WidthCase& c : cases) {
        EXPECT_EQ(vor::PickListWidth(c.minWidth, c.lineWidths), c.expected)
            << c.minWidth << " / " << c.lineWidths[0] << " " << c.lineWidths[1] << " " << c.lineWidths[2];
    }
}

TEST(PickListLayout, HeightsByMode)
{
    // Trunc((h1 + h2 + h3) x 1.3 x 1.6)
    EXPECT_EQ(vor::PickListMemoHeight({16, 16, 16}), 99);  // 99.84
    EXPECT_EQ(vor::PickListMemoHeight({25, 25, 25}), 156);  // exactly 156
    EXPECT_EQ(vor::PickListMemoHeight({13, 13, 13}), 81);
    EXPECT_EQ(vor::PickListMemoHeight({0, 0, 0}), 0);

    EXPECT_EQ(vor::PickListHeight(vor::kPickCombo, 99, 25), 99 + 50 + 24 + 30);
    EXPECT_EQ(vor::PickListHeight(vor::kPickRecords, 99, 25), 279);
    EXPECT_EQ(vor::PickListRecordsHeight(279, 99), 130);
    EXPECT_EQ(vor::PickListHeight(vor::kPickQuestion, 99, 25), 99 + 25 + 18 + 30);
    EXPECT_EQ(vor::PickListHeight(7, 99, 25), vor::PickListHeight(vor::kPickQuestion, 99, 25));
}

TEST(PickListLayout, WindowEndsTenPixelsBeforeTheScreenEdgeWhenItWouldPassIt)
{
    EXPECT_EQ(vor::PickListLeft(100, 300, 1024), 100);
    EXPECT_EQ(vor::PickListLeft(724, 300, 1024), 724);  // ends on the edge: stays
    EXPECT_EQ(vor::PickListLeft(725, 300, 1024), 714);
    EXPECT_EQ(vor::PickListLeft(900, 300, 1024), 714);
}

TEST(PickListLayout, TextInputWidthAndButtons)
{
    EXPECT_EQ(vor::TextInputWidth(250, 75), 272);
    EXPECT_EQ(vor::TextInputButtonLeft(272, 75), 187);
    // A narrow edit still leaves Ok inside the window.
    EXPECT_EQ(vor::TextInputWidth(30, 75), 95);
    EXPECT_EQ(vor::TextInputButtonLeft(95, 75), 10);
}

TEST(PickListRules, ComboOkNeedsAText)
{
    EXPECT_FALSE(vor::PickComboOkEnabled(""));
    EXPECT_TRUE(vor::PickComboOkEnabled("O"));
    EXPECT_TRUE(vor::PickComboOkEnabled(" "));
}

TEST(PickListRules, ResultsOfEachWayOut)
{
    struct Case {
        const char* name;
        vor::PickListResults results;
        std::string text;
        bool confirmed;
        bool cancelled;
    };
    const Case cases[] = {
        {"opening", vor::OpeningResults(), "", false, true},
        {"combo Ok", vor::ComboResults("Oak"), "Oak", true, false},
        {"question Ok", vor::QuestionResults(), "", true, false},
        {"record click", vor::RecordResults("12\\Pine"), "12\\Pine", false, false},
        {"cancel", vor::CancelResults(), "", false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.results.pickedText, c.text);
        EXPECT_EQ(c.results.confirmed, c.confirmed);
        EXPECT_EQ(c.results.cancelled, c.cancelled);
    }

    vor::PickListParameters p{3, "T", {"a", "b", "c"}, "/x/list.lst", 310};
    vor::ClearAfterClose(p);
    EXPECT_EQ(p.lines, (std::array<std::string, 3>{}));
    EXPECT_TRUE(p.listFile.empty());
    EXPECT_EQ(p.mode, 3);
    EXPECT_EQ(p.title, "T");
    EXPECT_EQ(p.minWidth, 310);
}

TEST(PickListRules, RecordItemColumns)
{
    struct Case {
        std::string item;
        std::string first;
        std::string second;
    };
    const std::string longRest(150, 'r');
    std::string accented;
    for (int i = 0; i < 150; ++i)
        accented += "\xc3\xa1";  // á
    const Case cases[] = {
        {"12\\Pine", "12", "Pine"},
        {"Pine", "Pine", ""},              // no "\": all of it in the first column
        {"a\\b\\c", "a", "b\\c"},          // split at the first one only
        {"\\rest", "", "rest"},
        {"7\\" + longRest, "7", std::string(100, 'r')},
        {"7\\" + accented, "7", accented.substr(0, 200)},  // 100 characters, not bytes
    };
    for (const Case& c : cases) {
        const vor::PickItemColumns columns = vor::SplitPickItem(c.item);
        EXPECT_EQ(columns.first, c.first) << c.item;
        EXPECT_EQ(columns.second, c.second) << c.item;
    }
}

TEST(PickListFile, TypedTextFirstAndNoEarlierEqualEntry)
{
    EXPECT_EQ(vor::PickListFileLines("Oak", {"Pine", "Oak", "Ash", "Oak"}), (Lines{"Oak", "Pine", "Ash"}));
    EXPECT_EQ(vor::PickListFileLines("Elm", {"Pine", "Oak"}), (Lines{"Elm", "Pine", "Oak"}));
    EXPECT_EQ(vor::PickListFileLines("Oak", {"Pine", "", "Ash"}), (Lines{"Oak", "Pine"}));
    EXPECT_EQ(vor::PickListFileLines("oak", {"Oak"}), (Lines{"oak", "Oak"}));  // exact comparison
    EXPECT_EQ(vor::PickListFileLines("Oak", {}), (Lines{"Oak"}));
}

// Picking two entries in turn, as the window does it: the file read back
// into the list, then saved with the pick first. It never grows.
TEST(PickListFile, AlternatingPicksKeepTheFileSize)
{
    vortest::TempDir dir;
    const fs::path file = dir.path() / "DESC_PEC.LST";
    vortest::WriteBytes(file, "Oak\r\nPine\r\nAsh\r\n");
    for (const char* pick : {"Pine", "Oak", "Pine", "Oak", "Pine"}) {
        const auto items = vor::ReadListFileItems(file);
        ASSERT_TRUE(items);
        vor::SavePickListFile(file, pick, *items);
    }
    EXPECT_EQ(vortest::ReadBytes(file), "Pine\r\nOak\r\nAsh\r\n");
}

TEST(PickListFile, WrittenInTheDataEncodingAndFailingLoudly)
{
    vortest::TempDir dir;
    const fs::path file = dir.path() / "list.lst";
    vor::SavePickListFile(file, "Cabeceira", {"Porta de correr", "Gaveta ç"});
    EXPECT_EQ(vortest::ReadBytes(file), "Cabeceira\r\nPorta de correr\r\nGaveta \xe7\r\n");
    EXPECT_THROW(vor::SavePickListFile(dir.path() / "missing" / "list.lst", "x", {}), vor::IoError);
}

}  // namespace
