#include "vorplan/orders/offcut_table.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/test_support.h"
#include "vorplan/common/errors.h"

namespace {

namespace fs = std::filesystem;
using vor::OffcutGrid;
using vor::OffcutRow;
using vortest::ReadBytes;
using vortest::TempDir;
using vortest::WriteBytes;
using Lines = std::vector<std::string>;

std::string Crlf(const Lines& lines)
{
    std::string out;
    for (const std::string& line : lines)
        out += line + "\r\n";
    return out;
}

std::vector<OffcutRow> RowsOf(const Lines& lines)
{
    std::vector<OffcutRow> rows;
    for (const std::string& line : lines)
        rows.push_back(vor::ReadOffcutLine(line));
    return rows;
}

// ---- Reading lines -------------------------------------------------------------

struct LineCase {
    const char* line;
    OffcutRow cells;
};

TEST(OffcutLine, ReadsFieldsByPosition)
{
    const LineCase cases[] = {
        {"7,+,3,500,400,left over,", {"7", "+", "3", "500", "400", "left over"}},
        {"2, ,1,250.5,100,kept,", {"2", " ", "1", "250.5", "100", "kept"}},
        {"1,+,3,500,400,,", {"1", "+", "3", "500", "400", ""}},
        {",,", {"", "", "", "", "", ""}},
        {"", {"", "", "", "", "", ""}},
        // Nothing trimmed, blanks inside fields kept.
        {" 1 , + ,2 , 500 ,300, a  b ,", {" 1 ", " + ", "2 ", " 500 ", "300", " a  b "}},
        // The text after the last comma is no field.
        {"1,+,2,500,300,desc,after", {"1", "+", "2", "500", "300", "desc"}},
        {"1,+,2", {"1", "+", "", "", "", ""}},
        {"no comma at all", {"", "", "", "", "", ""}},
        // A comma in a description (a hand-edited file) splits it.
        {"1,+,1,10,10,a,b,", {"1", "+", "1", "10", "10", "a"}},
        // The stock update's lines.
        {"1,+,2,1250.5,300,Ret 5 1/3 24/03/24,", {"1", "+", "2", "1250.5", "300", "Ret 5 1/3 24/03/24"}},
        {"3,+,1,500,300,a;b\tc,", {"3", "+", "1", "500", "300", "a;b\tc"}},
    };
    for (const LineCase& c : cases)
        EXPECT_EQ(vor::ReadOffcutLine(c.line), c.cells) << "line \"" << c.line << "\"";
}

TEST(OffcutLine, LongLinesGiveAtMostFifteenFields)
{
    std::string line;
    for (int i = 1; i <= 20; ++i)
        line += std::to_string(i) + ",";
    const std::vector<std::string> fields = vor::SplitOffcutFields(line);
    ASSERT_EQ(fields.size(), 15u);
    EXPECT_EQ(fields.back(), "15");
    EXPECT_EQ(vor::ReadOffcutLine(line), (OffcutRow{"1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(vor::SplitOffcutFields(",,,"), (std::vector<std::string>{"", "", ""}));
}

struct WriteCase {
    const char* what;
    OffcutRow cells;
    const char* line;
};

TEST(OffcutLine, EveryCellEndsInACommaAndNeverCarriesOne)
{
    const WriteCase cases[] = {
        {"plain", {"1", "+", "2", "500", "300", "left over"}, "1,+,2,500,300,left over,"},
        {"unmarked, empty description", {"4", " ", "1", "500.5", "300.0", ""}, "4, ,1,500.5,300.0,,"},
        {"all empty", {"", "", "", "", "", ""}, ",,,,,,"},
        {"decimal comma not normalised yet", {"1", "+", "3,0", "500,5", "1,25", "x"}, "1,+,3.0,500.5,1.25,x,"},
        {"description separators", {"1", "+", "1", "10", "10", "a,b;c\td"}, "1,+,1,10,10,a b c d,"},
        {"line breaks", {"1\n", "+", "1\r\n", "10", "10", "two\r\nlines"}, "1 ,+,1  ,10,10,two  lines,"},
    };
    for (const WriteCase& c : cases) {
        EXPECT_EQ(vor::OffcutLineText(c.cells), c.line) << c.what;
        // What is written reads back as the same number of fields.
        EXPECT_EQ(vor::SplitOffcutFields(vor::OffcutLineText(c.cells)).size(), 6u) << c.what;
    }
}

// ---- Files ---------------------------------------------------------------------

TEST(OffcutFile, GoldenWriteRenumbersAndIsWindows1252WithCrLf)
{
    TempDir dir;
    const fs::path file = dir.path() / "RET00005.TAB";
    vor::WriteOffcutTable(file, {{"7", "+", "3", "500", "400", "left over"},
                                 {"9", " ", "1", "250.5", "100", "Sobra ç"},
                                 {"", "+", "2", "500,5", "300", ""}});
    EXPECT_EQ(ReadBytes(file), "1,+,3,500,400,left over,\r\n"
                               "2, ,1,250.5,100,Sobra \xE7,\r\n"
                               "3,+,2,500.5,300,,\r\n");
    vor::WriteOffcutTable(file, {});
    EXPECT_EQ(ReadBytes(file), "");
}

TEST(OffcutFile, RoundTripKeepsEveryCellAsStored)
{
    TempDir dir;
    const fs::path file = dir.path() / "RET00001.TAB";
    const std::string stored = Crlf({"1,+,2,500,300,left over,", "2, ,1,250.5,100,,",
                                     "3,+, 4 , 500 ,300.0, blanks  kept ,", "4,?,,,,,",
                                     "5,+,1,0,0,Sobra \xE7,"});
    WriteBytes(file, stored);
    const std::optional<std::vector<OffcutRow>> rows = vor::ReadOffcutTable(file);
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->size(), 5u);
    EXPECT_EQ((*rows)[4][5], "Sobra ç");
    vor::WriteOffcutTable(file, *rows);
    EXPECT_EQ(ReadBytes(file), stored);
}

TEST(OffcutFile, TolerantReads)
{
    TempDir dir;
    const fs::path file = dir.path() / "RET00002.TAB";
    // LF only, a byte-order mark and UTF-8, no end on the last line.
    WriteBytes(file, "\xEF\xBB\xBF" "1,+,2,500,300,Peça,\n2,+,1,10,10,x,tail");
    const std::optional<std::vector<OffcutRow>> rows = vor::ReadOffcutTable(file);
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->size(), 2u);
    EXPECT_EQ((*rows)[0], (OffcutRow{"1", "+", "2", "500", "300", "Peça"}));
    EXPECT_EQ((*rows)[1], (OffcutRow{"2", "+", "1", "10", "10", "x"}));

    EXPECT_FALSE(vor::ReadOffcutTable(dir.path() / "RET09999.TAB"));
}

TEST(OffcutFile, SavedRowsAreThoseWithAQuantity)
{
    const std::vector<OffcutRow> rows = RowsOf({
        "1,+,3,500,400,kept,",
        "2,+,,500,400,no quantity,",
        "3,+, ,500,400,blank quantity,",
        "4,+,   ,500,400,blanks only,",
        "5, ,0,500,400,zero is a quantity,",
        "6,+, 1,500,400,padded quantity,",
    });
    const std::vector<OffcutRow> kept = vor::OffcutRowsToSave(rows);
    ASSERT_EQ(kept.size(), 3u);
    EXPECT_EQ(kept[0][5], "kept");
    EXPECT_EQ(kept[1][5], "zero is a quantity");
    EXPECT_EQ(kept[2][5], "padded quantity");
}

TEST(OffcutFile, EmptyMarkIsSavedBlankAndRowsWithoutASizeAreFound)
{
    const std::vector<OffcutRow> rows = RowsOf({
        "1,,2,500.0,300.0,offcut A,",
        "2,+,,,,no quantity: not saved, not checked,",
        "3,+,1, 250,0010,padded,",
        "4,+,1,250,x,no height,",
        "5,+,1,0,1,no width,",
    });
    EXPECT_EQ(vor::OffcutLineText(vor::OffcutRowsToSave(rows)[0]), "1, ,2,500.0,300.0,offcut A,");
    EXPECT_EQ(vor::FindOffcutSizeProblem(rows), (vor::OffcutSizeProblem{4, vor::kOffcutHeightColumn}));
    EXPECT_EQ(vor::FindOffcutSizeProblem({rows[0], rows[1], rows[2], rows[4]}),
              (vor::OffcutSizeProblem{4, vor::kOffcutWidthColumn}));
    EXPECT_FALSE(vor::FindOffcutSizeProblem({rows[0], rows[1], rows[2]}));
}

TEST(OffcutFile, FailedWriteThrows)
{
    TempDir dir;
    EXPECT_THROW(vor::WriteOffcutTable(dir.path() / "no folder" / "RET00003.TAB",
                                       {{"1", "+", "2", "3", "4", "new"}}),
                 vor::IoError);
}

// ---- Hand-over from the stock update ---------------------------------------------

TEST(OffcutHandOver, NewLinesGoOnTopAndEveryLineGetsItsNumber)
{
    TempDir dir;
    const fs::path handOver = dir.path() / "ret.temp";
    const fs::path table = dir.path() / "RET00005.TAB";
    WriteBytes(handOver, Crlf({"1,+,2,600,300,Ret 5 1/7 24/03/24,", "2,+,1,250.5,120,Ret 5 2/7 24/03/24,"}));
    WriteBytes(table, Crlf({"1,+,3,500,400,left over,", "2, ,1,100,100,,", "3,+,1,50,50,x,"}));
    vor::PutOffcutLinesOnTop(handOver, table);
    EXPECT_EQ(ReadBytes(table), Crlf({"1,+,2,600,300,Ret 5 1/7 24/03/24,",
                                      "2,+,1,250.5,120,Ret 5 2/7 24/03/24,",
                                      "3,+,3,500,400,left over,", "4, ,1,100,100,,",
                                      "5,+,1,50,50,x,"}));
    EXPECT_TRUE(fs::exists(handOver));
}

TEST(OffcutHandOver, NothingIsDroppedOrCut)
{
    TempDir dir;
    const fs::path handOver = dir.path() / "ret.temp";
    const fs::path table = dir.path() / "RET00006.TAB";
    const std::string longDescription(150, 'd');
    Lines newLines = {"1,+,1,10,10," + longDescription + ","};
    Lines oldLines;
    for (int i = 1; i <= 1200; ++i)
        oldLines.push_back(std::to_string(i) + ",+,1,10,10,old " + std::to_string(i) + ",");
    WriteBytes(handOver, Crlf(newLines));
    WriteBytes(table, Crlf(oldLines));
    vor::PutOffcutLinesOnTop(handOver, table);

    const std::optional<std::vector<OffcutRow>> rows = vor::ReadOffcutTable(table);
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->size(), 1201u);
    EXPECT_EQ((*rows)[0][5], longDescription);
    EXPECT_EQ((*rows)[1200], (OffcutRow{"1201", "+", "1", "10", "10", "old 1200"}));
}

TEST(OffcutHandOver, MissingFiles)
{
    TempDir dir;
    const fs::path handOver = dir.path() / "ret.temp";
    const fs::path table = dir.path() / "RET00007.TAB";
    // No table yet: it is made from the new lines.
    WriteBytes(handOver, Crlf({"1,+,2,600,300,new,"}));
    vor::PutOffcutLinesOnTop(handOver, table);
    EXPECT_EQ(ReadBytes(table), Crlf({"1,+,2,600,300,new,"}));
    // No hand-over: the table keeps its lines.
    fs::remove(handOver);
    vor::PutOffcutLinesOnTop(handOver, table);
    EXPECT_EQ(ReadBytes(table), Crlf({"1,+,2,600,300,new,"}));
    // A line without a comma has no number to change.
    WriteBytes(handOver, Crlf({"stray"}));
    vor::PutOffcutLinesOnTop(handOver, table);
    EXPECT_EQ(ReadBytes(table), Crlf({"stray", "2,+,2,600,300,new,"}));
}

TEST(OffcutHandOver, UnreadableFileLeavesTheTableAlone)
{
    TempDir dir;
    const fs::path handOver = dir.path() / "ret.temp";
    const fs::path table = dir.path() / "RET00008.TAB";
    WriteBytes(table, Crlf({"1,+,3,500,400,left over,"}));
    fs::create_directory(handOver);  // there, but no text file
    EXPECT_THROW(vor::PutOffcutLinesOnTop(handOver, table), vor::IoError);
    EXPECT_EQ(ReadBytes(table), Crlf({"1,+,3,500,400,left over,"}));
    EXPECT_EQ(vor::OffcutHandOverFile(vor::MakeDataFolders(dir.path())), fs::absolute(dir.path()) / "ret.temp");
}

// ---- Rules of the editor -------------------------------------------------------------

struct NormaliseCase {
    const char* typed;
    bool showDecimals;
    const char* shown;
};

// What a typed width or height becomes in the grid.
TEST(OffcutRules, NormalisedDimensionGolden)
{
    const NormaliseCase cases[] = {
        {"500,5", true, "500.5"},   {"500,5", false, "500.5"},
        {"500,50", true, "500.5"},  {"500,50", false, "500.5"},
        {"500", true, "500.0"},     {"500", false, "500"},
        {"500.0", false, "500"},    {"500,04", true, "500.0"},
        {"500,25", true, "500.3"},  {"0,05", true, "0.1"},
        {" 1 2 5 ", true, "125.0"}, {"", true, "0.0"},
        {" ", false, "0"},          {"abc", true, "0.0"},
        {"12abc", true, "12.0"},    {"-3,5", true, "-3.5"},
        {"-0,04", true, "0.0"},     {"1e3", false, "1000"},
        {"inf", true, "0.0"},       {"1,5,5", true, "1.5"},
    };
    for (const NormaliseCase& c : cases)
        EXPECT_EQ(vor::NormaliseOffcutDimension(c.typed, c.showDecimals), c.shown)
            << "\"" << c.typed << "\" with SHOW_D " << c.showDecimals;
}

TEST(OffcutRules, MarksAndDescriptions)
{
    const std::pair<const char*, const char*> marks[] = {
        {"", "+"}, {"+", "+"}, {"x", "+"}, {" ", " "}, {"+ ", " "}, {"  ", " "}, {"?", "+"}};
    for (const auto& [typed, mark] : marks)
        EXPECT_EQ(vor::NormaliseOffcutMark(typed), mark) << "\"" << typed << "\"";

    EXPECT_TRUE(vor::OffcutDescriptionRefuses(","));
    EXPECT_TRUE(vor::OffcutDescriptionRefuses("a,b"));
    EXPECT_FALSE(vor::OffcutDescriptionRefuses("a"));
    EXPECT_FALSE(vor::OffcutDescriptionRefuses(";"));
    EXPECT_FALSE(vor::OffcutDescriptionRefuses(""));
    EXPECT_EQ(vor::OffcutDescriptionFromPaste("a,b, c;d\te\r\nf"), "a b  c d e  f");
    EXPECT_EQ(vor::OffcutDescriptionFromPaste("Sobra ç"), "Sobra ç");
}

// ---- The editor's grid ----------------------------------------------------------------

class OffcutGridTest : public ::testing::Test {
protected:
    // The grid after loading `n` rows "i,+,1,10,10,row i,".
    static OffcutGrid WithRows(long n)
    {
        std::vector<OffcutRow> rows;
        for (long i = 1; i <= n; ++i)
            rows.push_back({std::to_string(i), "+", "1", "10", "10", "row " + std::to_string(i)});
        OffcutGrid grid;
        grid.Load(&rows, false);
        return grid;
    }
};

TEST_F(OffcutGridTest, FileRowBecomesRowOneAndIsSavedRenumbered)
{
    TempDir dir;
    const fs::path file = dir.path() / "RET00005.TAB";
    struct Case {
        bool showDecimals;
        const char* width;
        const char* saved;
    };
    const Case cases[] = {{false, "500", "1,+,3,500,400,left over,\r\n"},
                          {true, "500.0", "1,+,3,500.0,400.0,left over,\r\n"}};
    for (const Case& c : cases) {
        WriteBytes(file, "7,+,3,500,400,left over,\r\n");
        const std::optional<std::vector<OffcutRow>> rows = vor::ReadOffcutTable(file);
        OffcutGrid grid;
        grid.Load(&*rows, c.showDecimals);
        ASSERT_EQ(grid.RowCount(), 2);
        EXPECT_EQ(grid.Cell(1, 0), "1");
        EXPECT_EQ(grid.Cell(1, 1), "+");
        EXPECT_EQ(grid.Cell(1, 2), "3");
        EXPECT_EQ(grid.Cell(1, 3), c.width);
        EXPECT_EQ(grid.Cell(1, 5), "left over");
        vor::WriteOffcutTable(file, grid.RowsToSave());
        EXPECT_EQ(ReadBytes(file), c.saved) << "SHOW_D " << c.showDecimals;
    }
}

TEST_F(OffcutGridTest, LoadingMarksEmptyFieldsAndGaps)
{
    const std::vector<OffcutRow> rows = RowsOf({"3, ,2,500,300,unmarked,", "8,+,1,10,20,,",
                                                "9,+,,10,20,no quantity,"});
    OffcutGrid grid;
    grid.Load(&rows, true);
    ASSERT_EQ(grid.RowCount(), 4);
    EXPECT_EQ(grid.Rows()[0], (OffcutRow{"1", " ", "2", "500.0", "300.0", "unmarked"}));
    EXPECT_EQ(grid.Rows()[1], (OffcutRow{"2", "+", "1", "10.0", "20.0", ""}));
    const std::vector<OffcutRow> saved = grid.RowsToSave();
    ASSERT_EQ(saved.size(), 2u);
    TempDir dir;
    vor::WriteOffcutTable(dir.path() / "t", saved);
    EXPECT_EQ(ReadBytes(dir.path() / "t"), "1, ,2,500.0,300.0,unmarked,\r\n2,+,1,10.0,20.0,,\r\n");
}

TEST_F(OffcutGridTest, NoFileOrAnEmptyOneOpensWithOneEmptyRow)
{
    const std::vector<OffcutRow> none;
    for (const std::vector<OffcutRow>* rows : {static_cast<const std::vector<OffcutRow>*>(nullptr), &none}) {
        OffcutGrid grid = WithRows(3);
        grid.Load(rows, true);
        ASSERT_EQ(grid.RowCount(), 2);
        EXPECT_EQ(grid.Rows()[0], (OffcutRow{"1", " ", " ", " ", " ", " "}));
        EXPECT_TRUE(grid.RowsToSave().empty());
    }
}

TEST_F(OffcutGridTest, InsertDeleteAndClear)
{
    OffcutGrid grid = WithRows(3);
    ASSERT_TRUE(grid.InsertRowAfter(1));
    ASSERT_EQ(grid.RowCount(), 5);
    EXPECT_EQ(grid.Rows()[1], (OffcutRow{"2", " ", " ", " ", " ", " "}));
    EXPECT_EQ(grid.Cell(3, 5), "row 2");
    EXPECT_EQ(grid.Cell(4, 0), "4");

    ASSERT_TRUE(grid.DeleteRow(1));
    EXPECT_EQ(grid.Cell(1, 0), "1");
    EXPECT_EQ(grid.Cell(1, 1), " ");
    EXPECT_EQ(grid.Cell(3, 5), "row 3");
    EXPECT_FALSE(grid.DeleteRow(0));
    EXPECT_FALSE(grid.DeleteRow(4));
    ASSERT_TRUE(grid.DeleteRow(3));
    ASSERT_TRUE(grid.DeleteRow(1));
    ASSERT_EQ(grid.RowCount(), 2);
    EXPECT_FALSE(grid.DeleteRow(1));  // the last data row stays
    EXPECT_EQ(grid.Cell(1, 5), "row 2");

    grid = WithRows(5);
    grid.Clear();
    ASSERT_EQ(grid.RowCount(), 2);
    EXPECT_EQ(grid.Rows()[0], (OffcutRow{"1", "", "", "", "", ""}));
}

TEST_F(OffcutGridTest, AddingStopsAtNineHundredGridRows)
{
    OffcutGrid grid = WithRows(898);  // 899 grid rows
    ASSERT_TRUE(grid.InsertRowAfter(898));
    EXPECT_EQ(grid.RowCount(), vor::kOffcutGridMaxRows);
    EXPECT_FALSE(grid.InsertRowAfter(1));
    EXPECT_EQ(grid.RowCount(), vor::kOffcutGridMaxRows);

    grid = WithRows(898);
    const OffcutGrid::Cursor added = grid.Enter(898, 5, false);
    EXPECT_TRUE(added.rowAdded);
    EXPECT_EQ(added.row, 899);
    EXPECT_EQ(added.column, 1);
    EXPECT_EQ(grid.Rows()[898], (OffcutRow{"899", "+", " ", " ", " ", " "}));
    const OffcutGrid::Cursor full = grid.Enter(899, 5, false);
    EXPECT_FALSE(full.rowAdded);
    EXPECT_EQ(full.row, 899);
    EXPECT_EQ(full.column, 1);
    EXPECT_EQ(grid.RowCount(), vor::kOffcutGridMaxRows);

    // A longer file loads and saves whole.
    grid = WithRows(1000);
    EXPECT_EQ(grid.RowCount(), 1001);
    EXPECT_FALSE(grid.InsertRowAfter(5));
    EXPECT_EQ(grid.RowsToSave().size(), 1000u);
}

TEST_F(OffcutGridTest, EnterNormalisesThenMoves)
{
    struct Case {
        int column;
        const char* typed;
        bool showDecimals;
        const char* kept;
        long nextRow;
        int nextColumn;
    };
    const Case cases[] = {
        {1, "", true, "+", 1, 2},          {1, "x", true, "+", 1, 2},
        {1, " ", true, " ", 1, 2},         {1, "+ ", true, " ", 1, 2},
        {2, "3,5", true, "3,5", 1, 3},     // quantities stay as typed
        {3, "500,50", true, "500.5", 1, 4}, {3, "500", false, "500", 1, 4},
        {4, "400", true, "400.0", 1, 5},   {5, "a, b", true, "a, b", 2, 1},
    };
    for (const Case& c : cases) {
        OffcutGrid grid = WithRows(2);
        grid.SetCell(1, c.column, c.typed);
        const OffcutGrid::Cursor next = grid.Enter(1, c.column, c.showDecimals);
        EXPECT_EQ(grid.Cell(1, c.column), c.kept) << "column " << c.column << " \"" << c.typed << "\"";
        EXPECT_EQ(next.row, c.nextRow);
        EXPECT_EQ(next.column, c.nextColumn);
        EXPECT_FALSE(next.rowAdded);
        EXPECT_EQ(grid.RowCount(), 3);
    }
}

TEST_F(OffcutGridTest, MarksToggleAndCellsAreChecked)
{
    OffcutGrid grid = WithRows(1);
    const std::pair<const char*, const char*> toggles[] = {
        {"+", " "}, {" ", "+"}, {"", "+"}, {"x+", " "}, {"?", "+"}};
    for (const auto& [before, after] : toggles) {
        grid.SetCell(1, 1, before);
        grid.ToggleMark(1);
        EXPECT_EQ(grid.Cell(1, 1), after) << "\"" << before << "\"";
    }
    EXPECT_THROW(grid.Cell(0, 1), vor::RangeError);
    EXPECT_THROW(grid.Cell(2, 1), vor::RangeError);
    EXPECT_THROW(grid.SetCell(1, 6, "x"), vor::RangeError);
    EXPECT_THROW(grid.Enter(2, 1, true), vor::RangeError);
}

}  // namespace
