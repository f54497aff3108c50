#include "ostrel/report_store.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <sys/stat.h>
#include <string>
#include <vector>

#include "tests/ostrel/fake_metrics.h"
#include "tests/support/test_support.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/text_file.h"
#include "vorplan/common/user_file.h"

using namespace ostrel;

namespace {

namespace fs = std::filesystem;

std::string Crlf(const std::vector<std::string>& lines)
{
    std::string out;
    for (const auto& l : lines)
        out += l + "\r\n";
    return out;
}

std::vector<std::string> Texts(const ReportStore& s)
{
    std::vector<std::string> out;
    for (int r = 0; r < s.RowCount(); ++r)
        out.push_back(s.Text(r));
    return out;
}

class ReportStoreTest : public ::testing::Test {
protected:
    fs::path WriteReport(const std::vector<std::string>& cp1252Lines, const char* name = "report.txt")
    {
        const fs::path p = dir.path() / name;
        vortest::WriteBytes(p, Crlf(cp1252Lines));
        return p;
    }

    std::vector<std::string> FileLines(const fs::path& p) { return vor::ReadTextLinesOrThrow(p); }

    vortest::TempDir dir;
    ostreltest::FixedMetrics metrics;
    ReportStore store{metrics, 8, 8};
};

// ---- Loading -------------------------------------------------------------------------

TEST_F(ReportStoreTest, LoadingAddsBlankRowBeforeALongFirstLine)
{
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        std::vector<std::string> rows;
        bool synthetic;
    };
    const Case cases[] = {
        {"title first", {"@T Code Qty", " 1 2"}, {" ", "@T Code Qty", " 1 2"}, true},
        {"one character first", {"x", "ab"}, {"x", "ab"}, false},
        {"empty first", {"", "ab"}, {"", "ab"}, false},
        {"empty report", {}, {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(store.LoadLines(c.lines), LoadStatus::Ok);
        EXPECT_EQ(Texts(store), c.rows);
        if (!c.rows.empty()) {
            EXPECT_EQ(store.IsSynthetic(0), c.synthetic);
        }
        EXPECT_EQ(store.SavedLines(), c.lines);  // the added row is never written
    }
}

TEST_F(ReportStoreTest, ShownTextIsCutAndCollapsedButSavedAsRead)
{
    const std::string longLine(250, 'L');
    store.LoadLines({"x", longLine, "@T  Code   Qty", " @T a  b"});
    EXPECT_EQ(store.Text(1).size(), 190u);
    EXPECT_EQ(store.Text(2), "@T Code Qty");
    EXPECT_EQ(store.Text(3), " @T a b");
    EXPECT_EQ(store.SavedLines(), (std::vector<std::string>{"x", longLine, "@T  Code   Qty", " @T a  b"}));
}

TEST_F(ReportStoreTest, ReadsWindows1252AndUtf8)
{
    EXPECT_EQ(store.Load(WriteReport({"x", "Pe\xe7" "a"})), LoadStatus::Ok);
    EXPECT_EQ(store.Text(1), "Peça");
    vortest::WriteBytes(dir.path() / "u.txt", "x\nPeça\n");
    EXPECT_EQ(store.Load(dir.path() / "u.txt"), LoadStatus::Ok);
    EXPECT_EQ(store.Text(1), "Peça");
}

TEST_F(ReportStoreTest, MissingFileLeavesTheStoreAsItWas)
{
    store.LoadLines({"x", "keep"});
    EXPECT_EQ(store.Load(dir.path() / "none.txt"), LoadStatus::Unavailable);
    EXPECT_EQ(Texts(store), (std::vector<std::string>{"x", "keep"}));
}

TEST_F(ReportStoreTest, RowHeightsAndRelayout)
{
    store.LoadLines({"x", "@***Head", "plain"});
    EXPECT_EQ(store.Height(1), 2 * 13);
    EXPECT_EQ(store.Height(2), 16);
    store.SetLayout(9, 4);
    EXPECT_EQ(store.Height(1), 2 * 14);
    EXPECT_EQ(store.Height(2), 13);
}

TEST_F(ReportStoreTest, TooLongReportOpensReadOnly)
{
    std::vector<std::string> lines(kMaxRows + 5, "x");
    const fs::path p = WriteReport(lines);
    const std::string before = vortest::ReadBytes(p);
    EXPECT_EQ(store.Load(p), LoadStatus::TooLong);
    EXPECT_TRUE(store.ReadOnly());
    EXPECT_EQ(store.RowCount(), kMaxRows);
    EXPECT_EQ(store.MenuFor(3), MenuState{});
    EXPECT_EQ(store.InsertText(3, "new").status, EditStatus::ReadOnly);
    EXPECT_EQ(store.EditLine(3, "new").status, EditStatus::ReadOnly);
    EXPECT_EQ(store.DeleteLine(3).status, EditStatus::ReadOnly);
    EXPECT_EQ(vortest::ReadBytes(p), before);

    // Exactly full is an ordinary report, but an insertion finds no room.
    lines.resize(kMaxRows);
    const fs::path full = WriteReport(lines, "full.txt");
    EXPECT_EQ(store.Load(full), LoadStatus::Ok);
    EXPECT_EQ(store.InsertText(3, "new").status, EditStatus::NoRoom);
    EXPECT_EQ(FileLines(full).size(), lines.size());
}

// ---- Index and buttons ----------------------------------------------------------------------

TEST_F(ReportStoreTest, IndexOfHeadingsWithTwoOrMoreStars)
{
    store.LoadLines({"@****Report", "@*Small", "text", "@**Part", "@B@F@C3@**Title"});
    ASSERT_EQ(store.Index().size(), 3u);
    EXPECT_EQ(store.Index()[0].text, "        Report");
    EXPECT_EQ(store.Index()[0].row, 1);
    EXPECT_EQ(store.Index()[1].row, 4);
    EXPECT_EQ(store.Index()[2].text, "                Title");
    EXPECT_TRUE(store.ShowsIndexButton());
    EXPECT_FALSE(store.IndexTopRow(0).has_value());  // row 1 - 1 is not above 0
    EXPECT_EQ(store.IndexTopRow(1), 3);
    EXPECT_FALSE(store.IndexTopRow(3).has_value());

    store.LoadLines({"x", "no headings"});
    EXPECT_FALSE(store.ShowsIndexButton());
}

TEST_F(ReportStoreTest, IndexHoldsAtMost400Headings)
{
    std::vector<std::string> lines(450, "@**h");
    store.LoadLines(lines);
    EXPECT_EQ(store.Index().size(), 400u);
    EXPECT_EQ(store.RowCount(), 451);
}

TEST_F(ReportStoreTest, SearchButtonFromFortyRows)
{
    store.LoadLines(std::vector<std::string>(39, "x"));
    EXPECT_FALSE(store.ShowsSearchButton());
    store.LoadLines(std::vector<std::string>(40, "x"));
    EXPECT_TRUE(store.ShowsSearchButton());
}

// ---- Search and marks -----------------------------------------------------------------------

TEST_F(ReportStoreTest, SearchWithAndWithoutCase)
{
    store.LoadLines({"Mesa de canto", "MESA grande", "cadeira", "mesa"});
    EXPECT_EQ(store.Search("mesa", false), 3);
    EXPECT_EQ(store.Mark(1), kMarkHit);
    EXPECT_EQ(store.Mark(2), kMarkHit);
    EXPECT_EQ(store.Mark(3), kMarkNone);
    EXPECT_EQ(store.Mark(4), kMarkHit);
    EXPECT_EQ(store.Search("mesa", true), 1);
    EXPECT_EQ(store.Mark(1), kMarkNone);
    EXPECT_EQ(store.Mark(4), kMarkHit);
    EXPECT_EQ(store.Search("nada", false), 0);
}

TEST_F(ReportStoreTest, EmptySearchTextMarksNothing)
{
    store.LoadLines({"Mesa de canto", "cadeira"});
    store.Search("mesa", false);
    EXPECT_EQ(store.Search("", false), 0);
    EXPECT_EQ(store.Search("", true), 0);
    for (int r = 0; r < store.RowCount(); ++r)
        EXPECT_EQ(store.Mark(r), kMarkNone) << r;
    EXPECT_FALSE(store.NextHit().has_value());
}

TEST_F(ReportStoreTest, F3WalksTheHitsAndWraps)
{
    store.LoadLines({"Mesa de canto", "MESA grande", "cadeira", "mesa"});
    store.Search("MESA", false);
    std::vector<int> shown;
    for (int i = 0; i < 4; ++i)
        shown.push_back(store.NextHit().value_or(-1));
    EXPECT_EQ(shown, (std::vector<int>{1, 2, 4, 1}));
    store.ClearMarks();
    EXPECT_FALSE(store.NextHit().has_value());
}

TEST_F(ReportStoreTest, RightClickSelectsTheRowOrItsTable)
{
    store.LoadLines({"plain", "@T a b", " 1 2", " 3 4", "", "after"});
    const auto selected = [&] {
        std::string marks;
        for (int r = 0; r < store.RowCount(); ++r)
            marks += store.Mark(r);
        return marks;
    };
    store.SelectForMenu(3);
    EXPECT_EQ(selected(), "  AAA  ");
    store.SelectForMenu(1);
    EXPECT_EQ(selected(), " A     ");
    store.SelectForMenu(0);
    EXPECT_EQ(selected(), "       ");
}

TEST_F(ReportStoreTest, MenuEntriesPerRow)
{
    store.LoadLines({"plain", "@T a b", " 1 2", " 3 4", "", "after", "@B bold"});
    struct Case {
        int row;
        MenuState menu;
    };
    // insert, edit, delete line, delete table, cross cursor
    const Case cases[] = {
        {0, {false, true, false, false, false}},
        {1, {true, true, true, false, true}},
        {2, {false, false, false, true, false}},
        {3, {false, false, false, true, false}},
        {5, {false, true, false, false, true}},  // just below a table
        {6, {true, true, true, false, true}},
        {7, {true, false, true, false, true}},
        {8, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        EXPECT_EQ(store.MenuFor(c.row), c.menu);
    }
}

// ---- Editing -----------------------------------------------------------------------------------

TEST_F(ReportStoreTest, InsertBeforeThePointedRow)
{
    const fs::path p = WriteReport({"first", "second", "third"});
    ASSERT_EQ(store.Load(p), LoadStatus::Ok);
    EXPECT_EQ(store.InsertText(2, "new").status, EditStatus::Done);
    EXPECT_EQ(FileLines(p), (std::vector<std::string>{"first", "new", "second", "third"}));
    EXPECT_EQ(store.Text(2), "new");

    // Row 1 follows the added blank row; the line still goes before it.
    EXPECT_EQ(store.InsertText(1, "top").status, EditStatus::Done);
    EXPECT_EQ(FileLines(p).front(), "top");
}

TEST_F(ReportStoreTest, InsertPastTheEndOrAtRowZeroAddsNothing)
{
    const fs::path p = WriteReport({"first", "second"});
    store.Load(p);
    const std::string before = vortest::ReadBytes(p);
    EXPECT_EQ(store.InsertText(store.RowCount(), "new").status, EditStatus::Nothing);
    EXPECT_EQ(store.InsertText(0, "new").status, EditStatus::Nothing);
    EXPECT_EQ(vortest::ReadBytes(p), before);
}

TEST_F(ReportStoreTest, InsertIncludesAFile)
{
    const fs::path p = WriteReport({"first", "second"});
    const fs::path inc = WriteReport({"one", "two", "three"}, "inc.txt");
    store.Load(p);
    EXPECT_EQ(store.InsertText(2, "<ARQ>" + inc.string()).status, EditStatus::Done);
    EXPECT_EQ(FileLines(p), (std::vector<std::string>{"first", "one", "two", "three", "second"}));

    const std::string before = vortest::ReadBytes(p);
    const std::string missing = (dir.path() / "missing.txt").string();
    const EditResult r = store.InsertText(2, "<ARQ>" + missing);
    EXPECT_EQ(r.status, EditStatus::IncludeMissing);
    EXPECT_EQ(r.missingFile, missing);
    EXPECT_EQ(vortest::ReadBytes(p), before);
}

TEST_F(ReportStoreTest, AnIncludeThatIsNoRegularFileOrTooLargeCountsAsMissing)
{
    const fs::path p = WriteReport({"first", "second"});
    const fs::path fifo = dir.path() / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0) << errno;
    // Larger than an include may be; sparse, so it takes no room.
    const fs::path huge = dir.path() / "huge.txt";
    vortest::WriteBytes(huge, "x\r\n");
    fs::resize_file(huge, vor::kMaxIncludeFileBytes + 1);
    store.Load(p);
    const std::string before = vortest::ReadBytes(p);
    // A FIFO would block the window for ever, /dev/zero fill the memory.
    for (const fs::path& name : {fifo, fs::path("/dev/zero"), dir.path(), huge}) {
        SCOPED_TRACE(name.string());
        const EditResult r = store.InsertText(1, "<ARQ>" + name.string());
        EXPECT_EQ(r.status, EditStatus::IncludeMissing);
        EXPECT_EQ(r.missingFile, name.string());
        EXPECT_EQ(vortest::ReadBytes(p), before);
    }
    // At the limit it is read.
    fs::resize_file(huge, vor::kMaxIncludeFileBytes);
    EXPECT_TRUE(vor::IsRegularFileWithin(huge, vor::kMaxIncludeFileBytes));
    EXPECT_EQ(vor::ReadUserFileBytes(huge, vor::kMaxIncludeFileBytes)->size(), vor::kMaxIncludeFileBytes);
}

TEST_F(ReportStoreTest, DeleteLineNeverRowZero)
{
    const fs::path p = WriteReport({"first", "second", "third"});
    store.Load(p);
    EXPECT_EQ(store.DeleteLine(0).status, EditStatus::Nothing);
    EXPECT_EQ(store.DeleteLine(2).status, EditStatus::Done);
    EXPECT_EQ(FileLines(p), (std::vector<std::string>{"first", "third"}));
    EXPECT_EQ(store.RowCount(), 3);
}

TEST_F(ReportStoreTest, DeleteTableFindsItsBoundsWhenRun)
{
    const fs::path p = WriteReport({"plain", "@T a b", " 1 2", " 3 4", "", "after"});
    store.Load(p);
    EXPECT_EQ(store.DeleteTable(1).status, EditStatus::Nothing);
    store.SelectForMenu(1);
    EXPECT_EQ(store.DeleteTable(3).status, EditStatus::Done);
    EXPECT_EQ(FileLines(p), (std::vector<std::string>{"plain", "", "after"}));
    EXPECT_EQ(store.Mark(1), kMarkNone);  // the reload clears the marks
}

TEST_F(ReportStoreTest, DeletionMarksAreDroppedOnSave)
{
    const fs::path p = WriteReport({"first", "\\", "third"});
    store.Load(p);
    EXPECT_EQ(store.EditLine(3, "third!").status, EditStatus::Done);
    EXPECT_EQ(FileLines(p), (std::vector<std::string>{"first", "third!"}));
}

TEST_F(ReportStoreTest, EditReloadsHeightsAndIndex)
{
    const fs::path p = WriteReport({"first", "second"});
    store.Load(p);
    EXPECT_EQ(store.EditLine(2, "second").status, EditStatus::Nothing);
    EXPECT_EQ(store.EditLine(2, "@**Second").status, EditStatus::Done);
    EXPECT_EQ(store.Height(2), 2 * 12);
    ASSERT_EQ(store.Index().size(), 1u);
    EXPECT_EQ(store.Index()[0].row, 2);
}

TEST_F(ReportStoreTest, TheEditorGetsALongLineWhole)
{
    const std::string longLine = "Obs: " + std::string(245, 'x') + "fim";
    const fs::path p = WriteReport({"a", longLine, "c"});
    store.Load(p);
    ASSERT_EQ(CharCount(store.Text(1)), kMaxLineLength);
    EXPECT_EQ(store.Source(1), longLine);
    // Given back unchanged, nothing is written.
    const std::string before = vortest::ReadBytes(p);
    EXPECT_EQ(store.EditLine(1, store.Source(1)).status, EditStatus::Nothing);
    EXPECT_EQ(vortest::ReadBytes(p), before);
    // Changed at its end, past what is shown, the whole line is saved.
    EXPECT_EQ(store.EditLine(1, longLine + "!").status, EditStatus::Done);
    EXPECT_EQ(FileLines(p), (std::vector<std::string>{"a", longLine + "!", "c"}));
}

TEST_F(ReportStoreTest, TextTypedIntoTheAddedRowIsKept)
{
    const fs::path p = WriteReport({"first"});
    store.Load(p);
    ASSERT_TRUE(store.IsSynthetic(0));
    EXPECT_EQ(store.EditLine(0, "typed").status, EditStatus::Done);
    EXPECT_EQ(FileLines(p), (std::vector<std::string>{"typed", "first"}));
}

TEST_F(ReportStoreTest, OneEditOfAHistoryListChangesOnlyThatLine)
{
    const std::string longComment(200, 'c');
    const std::vector<std::string> history{
        "@****Hist\xf3rico de c\xe1lculos",
        "",
        "@*Material 007 MDF branco",
        "",
        "@T NS_ Data____ Hora____ Qt.Mo  Qt.Chp Qt.Ret ^Ultima% ^Aprov%__ Coment__________",
        "001 12/03/24 10:15:02 3 2 1 81.5 84.2 " + longComment,
        "002 11/03/24 09:00:00 4 3 0 75.0 80.1 ---",
        "",
        "",
        "Legenda:",
        "@D",
        "NS: n\xfamero sequencial",
        "Data: data do c\xe1lculo",
        "Hora: hora do c\xe1lculo",
        "@d",
    };
    const fs::path p = WriteReport(history, "ULTIMAS.007");
    ASSERT_EQ(store.Load(p), LoadStatus::Ok);
    ASSERT_EQ(store.Text(13), "Data: data do cálculo");
    EXPECT_EQ(store.EditLine(13, "Data: dia do cálculo").status, EditStatus::Done);

    std::vector<std::string> expected = history;
    expected[12] = "Data: dia do c\xe1lculo";
    EXPECT_EQ(vortest::ReadBytes(p), Crlf(expected));
}

// A UTF-8 report came back from one edit as Windows-1252, every Greek and
// Polish letter a "?"; a Windows-1252 report whose bytes happen to be valid
// UTF-8 ("Furo Ø½") was read and saved as something else.
TEST_F(ReportStoreTest, OneEditKeepsEveryOtherLineInTheEncodingItWasReadIn)
{
    std::string everyByte;  // every Windows-1252 character but the line ends
    for (int b = 1; b < 256; ++b)
        if (b != '\r' && b != '\n')
            everyByte.push_back(static_cast<char>(b));
    struct Case {
        const char* name;
        std::vector<std::string> lines;  // as stored
        int row;                         // the row edited to "Peça"
        std::string storedEdit;          // "Peça" as the file holds it afterwards
        const char* shown;               // row 1 as shown, UTF-8
    };
    const Case cases[] = {
        {"Windows-1252 that is valid UTF-8", {"x", "Furo \xD8\xBD", "Chapa \xD8\xBC pol", "P\xC9\x94", "e"},
         4, "Pe\xE7" "a", "Furo Ø½"},
        {"every Windows-1252 character", {"x", everyByte, "e"}, 2, "Pe\xE7" "a", nullptr},
        {"UTF-8", {"x", "Porta a\xC3\xA7\xC3\xA3o", "\xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1", "\xC5\xBB\xC3\xB3\xC5\x82w", "e"},
         4, "Pe\xC3\xA7" "a", "Porta ação"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path p = WriteReport(c.lines);
        ASSERT_EQ(store.Load(p), LoadStatus::Ok);
        if (c.shown) {
            EXPECT_EQ(store.Text(1), c.shown);
        }
        ASSERT_EQ(store.EditLine(c.row, "Peça").status, EditStatus::Done);
        std::vector<std::string> expected = c.lines;
        expected[static_cast<std::size_t>(c.row)] = c.storedEdit;
        EXPECT_EQ(vortest::ReadBytes(p), Crlf(expected));
    }
    // A byte-order mark stays too.
    const fs::path p = dir.path() / "bom.txt";
    vortest::WriteBytes(p, "\xEF\xBB\xBFx\r\n\xCE\xA9\r\ne\r\n");
    ASSERT_EQ(store.Load(p), LoadStatus::Ok);
    ASSERT_EQ(store.EditLine(2, "f").status, EditStatus::Done);
    EXPECT_EQ(vortest::ReadBytes(p), "\xEF\xBB\xBFx\r\n\xCE\xA9\r\nf\r\n");
}

class FailingWrites : public vor::FileOps {
public:
    ssize_t Write(int, const char*, std::size_t) override
    {
        errno = ENOSPC;
        return -1;
    }
};

TEST_F(ReportStoreTest, FailedSaveLeavesTheOldFileAndTheStore)
{
    const fs::path p = WriteReport({"first", "second"});
    store.Load(p);
    FailingWrites failing;
    store.SetFileOps(failing);
    const std::string before = vortest::ReadBytes(p);
    EXPECT_THROW(store.EditLine(2, "changed"), vor::IoError);
    EXPECT_THROW(store.DeleteLine(1), vor::IoError);
    EXPECT_EQ(vortest::ReadBytes(p), before);
    EXPECT_EQ(Texts(store), (std::vector<std::string>{" ", "first", "second"}));
    for (const auto& entry : fs::directory_iterator(dir.path()))
        EXPECT_EQ(entry.path().filename(), "report.txt");  // no temporary left behind
}

TEST_F(ReportStoreTest, EditsInMemoryWithoutAFile)
{
    store.LoadLines({"first", "second"});
    EXPECT_EQ(store.InsertText(2, "mid").status, EditStatus::Done);
    EXPECT_EQ(store.SavedLines(), (std::vector<std::string>{"first", "mid", "second"}));
    EXPECT_EQ(store.Reload(), LoadStatus::Ok);
    EXPECT_EQ(store.RowCount(), 4);
}

}  // namespace
