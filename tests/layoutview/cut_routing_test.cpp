#include "vorplan/layoutview/cut_routing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fake_clock.h"
#include "tests/layoutview/layoutview_support.h"
#include "tests/support/failing_writes.h"
#include "vorplan/common/errors.h"

namespace {

namespace fs = std::filesystem;
using vor::RouteLine;
using vortest::ReadBytes;

using vortest::kRoutedLayout;

platform::LocalTime Day(int day, int month, int year)
{
    platform::LocalTime t;
    t.day = day;
    t.month = month;
    t.year = year;
    return t;
}

class CutRoutingTest : public ::testing::Test, public vortest::ViewerFixture {
protected:
    std::vector<RouteLine> RouteOf(const std::vector<std::string>& lines)
    {
        WriteMon(1, lines);
        state.currentLayout = 1;
        vor::ReadLayoutFile(state, inputs, false);
        vor::CutLineList cuts;
        EXPECT_EQ(vor::BuildCutLines(cuts, state, false), vor::CutLineBuild::Built);
        EXPECT_EQ(vor::SortCutLines(cuts), "");
        return vor::BuildCutRoute(cuts);
    }
    fs::path File() const { return vor::CutRoutingFile(inputs.folders, 1, 12); }

    platform::FakeClock clock;
};

TEST(CutRouteLine, FieldsAreRightAlignedAndNeverCut)
{
    struct Case {
        long n;
        RouteLine line;
        const char* text;
    };
    const Case cases[] = {
        {3, {0, 615, 2750, 615, true}, "   3  C           0         615        2750         615  "},
        {1, {-5, -120, 0, 7, true}, "   1  C          -5        -120           0           7  "},
        {12345, {2147483647, -2147483647 - 1, 1, 1, true},
         "12345  C  2147483647  -2147483648           1           1  "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(vor::CutRouteLine(c.n, c.line), c.text);
}

TEST(CutRoutingFileName, PadsLayoutAndMaterialWithoutCutting)
{
    const vor::DataFolders f = vor::MakeDataFolders("/base");
    EXPECT_EQ(vor::CutRoutingFile(f, 1, 12), fs::path("/base/CNC/CUT001-00012.cut"));
    EXPECT_EQ(vor::CutRoutingFile(f, 1000, 12).filename(), "CUT1000-00012.cut");
    EXPECT_EQ(vor::CutRoutingFile(f, 1, 123456).filename(), "CUT001-123456.cut");
}

TEST_F(CutRoutingTest, RouteOfMergedLinesMatchesGoldenAndSkipsMergedOnes)
{
    const std::vector<RouteLine> route = RouteOf(kRoutedLayout);
    ASSERT_EQ(route.size(), 4u);
    // A line absorbed by a merge never reaches the route; n stays consecutive.
    vor::CutLineList withMerged = {{0, 3000, 10000, 3000, 1}, {5000, 3000, 10000, 3000, 9},
                                   {0, 7000, 10000, 7000, 2}, {5000, 0, 5000, 3000, 3},
                                   {10000, 0, 10000, 12000, 1}};
    EXPECT_EQ(vor::BuildCutRoute(withMerged), route);

    clock.SetNow(Day(5, 3, 2024));
    vor::WriteCutRoutingFile(File(), route, clock);
    EXPECT_EQ(ReadBytes(File()),
              ReadBytes(fs::path(VOR_SOURCE_DIR) / "tests/layoutview/golden/CUT001-00012.cut"));
}

TEST_F(CutRoutingTest, NoCutLinesGiveTheHeaderOnlyAndALaterPressRewritesTheDate)
{
    clock.SetNow(Day(9, 12, 2026));
    vor::WriteCutRoutingFile(File(), {}, clock);
    EXPECT_EQ(ReadBytes(File()), "// Vorlane - Cut routing - 09/12/26\r\n// \r\n"
                                 "// N  C/D(Cut / Not Cut)  X1  Y1  X2  Y2\r\n\r\n");
    clock.SetNow(Day(10, 12, 2026));
    vor::WriteCutRoutingFile(File(), RouteOf(kRoutedLayout), clock);
    const std::string text = ReadBytes(File());
    EXPECT_EQ(text.substr(0, 37), "// Vorlane - Cut routing - 10/12/26\r\n");
    EXPECT_NE(text.find("   4  C       10000           0       10000       12000  \r\n"),
              std::string::npos);
}

TEST_F(CutRoutingTest, AFailedWriteLeavesTheEarlierFileAsItWas)
{
    clock.SetNow(Day(5, 3, 2024));
    vor::WriteCutRoutingFile(File(), RouteOf(kRoutedLayout), clock);
    const std::string before = ReadBytes(File());
    vortest::FailingWrites failing;
    clock.SetNow(Day(6, 3, 2024));
    EXPECT_THROW(vor::WriteCutRoutingFile(File(), {}, clock, failing), vor::IoError);
    EXPECT_EQ(ReadBytes(File()), before);
    // A missing CNC folder is no folder to write into either.
    fs::remove_all(inputs.folders.cnc);
    EXPECT_THROW(vor::WriteCutRoutingFile(File(), {}, clock), vor::IoError);
}

}  // namespace
