#include "vorplan/orders/table_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "tests/support/test_support.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/text_file.h"

namespace vor {

// Failures print the cells, not bytes.
void PrintTo(const PieceRow& r, std::ostream* os)
{
    *os << "{'" << r.mark << "' '" << r.code << "' '" << r.quantity << "' '" << r.width << "' '"
        << r.height << "' '" << r.material << "' '" << r.description << "' '" << r.orderNumber
        << "'}";
}

void PrintTo(const SheetRow& r, std::ostream* os)
{
    *os << "{'" << r.mark << "' '" << r.code << "' '" << r.quantity << "' '" << r.width << "' '"
        << r.height << "' '" << r.description << "' '" << r.filler << "'}";
}

namespace {

using Lines = std::vector<std::string>;
using vortest::ReadBytes;
using vortest::TempDir;
using vortest::WriteBytes;

std::string Crlf(const Lines& lines)
{
    std::string out;
    for (const std::string& line : lines)
        out += line + "\r\n";
    return out;
}

// ---- Golden files ------------------------------------------------------------

struct PieceCase {
    const char* what;
    PieceRow row;           // as the grid holds it (orderNumber unused on writing)
    const char* line;       // UTF-8, nullptr when the row is not stored
    PieceRow readBack;      // what the grid shows after reading the line
};

// Order 17. Cells are mark, code, quantity, width, height, material, description.
const PieceCase kPieceCases[] = {
    {"marked, decimal comma kept as typed",
     {"+", "12", "2", "500,5", "300", "7", "Door left", ""},
     "1      12      2  500,5    300      7 Door_left 17 ABCD",
     {"+", "12", "2", "500,5", "300", "7", "Door left", "17"}},
    {"code typed with blanks; empty height and material written 0; empty description",
     {" ", " 1 2 ", "1", "500.5", "", "", "", ""},
     "0      12      1  500.5      0      0 --- 17 ABCD",
     {" ", "12", "1", "500.5", "0", "0", "---", "17"}},
    {"cells longer than 6 written whole; a description of one blank; mark ? stored 0",
     {"?", "1234567", "10", "2750", "1850,25", "99000", " ", ""},
     "0  1234567     10   2750 1850,25  99000 --- 17 ABCD",
     {" ", "1234567", "10", "2750", "1850,25", "99000", "---", "17"}},
    {"blank quantity: not stored", {"+", "3", "", "100", "100", "7", "x", ""}, nullptr, {}},
    {"width of blanks: not stored", {"+", "4", "1", "  ", "100", "7", "x", ""}, nullptr, {}},
    {"code of exactly one blank: not stored", {"+", " ", "1", "100", "100", "7", "x", ""},
     nullptr, {}},
    {"code of two blanks is an empty code; ; and TAB in the description become blanks",
     {"+", "  ", "3", "600", "400", "7", "Peça; 2\tlados", ""},
     "1       0      3    600    400      7 Peça__2_lados 17 ABCD",
     {"+", "0", "3", "600", "400", "7", "Peça  2 lados", "17"}},
    {"texts that are no numbers written as the value read; a line break in the description",
     {"+", "5", "2x", "12,5mm", "1e3", "7", "line\r\nbreak", ""},
     "1       5      2   12.5 1000.0      7 line__break 17 ABCD",
     {"+", "5", "2", "12.5", "1000.0", "7", "line  break", "17"}},
    {"an underscore typed in a description reads back as a blank",
     {"+", "+8", "-1", "-2,0", "0", "007", "a_b", ""},
     "1      +8     -1   -2,0      0    007 a_b 17 ABCD",
     {"+", "+8", "-1", "-2,0", "0", "007", "a b", "17"}},
};

struct SheetCase {
    const char* what;
    SheetRow row;
    const char* line;
    SheetRow readBack;
};

const SheetCase kSheetCases[] = {
    {"unmarked", {" ", "3", "10", "2750", "1850", "MDF 18mm", ""},
     "0       3     10   2750   1850 MDF_18mm ABCDEFG12345",
     {" ", "3", "10", "2750", "1850", "MDF 18mm", "ABCDEFG12345"}},
    {"code with blanks, decimal comma, empty description",
     {"+", "1 0", "2", "1830,5", "2440", "", ""},
     "1      10      2 1830,5   2440 --- ABCDEFG12345",
     {"+", "10", "2", "1830,5", "2440", "---", "ABCDEFG12345"}},
    {"blank quantity: not stored", {"+", "12345678", "", "100", "100", "x", ""}, nullptr, {}},
    {"empty code and height written 0; mark ? stored 0; underscores and blank runs",
     {"?", "", "1", "500", "", "left_over  piece", ""},
     "0       0      1    500      0 left_over__piece ABCDEFG12345",
     {" ", "0", "1", "500", "0", "left over  piece", "ABCDEFG12345"}},
    {"width of one blank: not stored", {"+", "5", "1", " ", "100", "x", ""}, nullptr, {}},
    {"a code of one blank is stored for sheets", {"+", " ", "1", "100", "100", "x;y", ""},
     "1       0      1    100    100 x_y ABCDEFG12345",
     {"+", "0", "1", "100", "100", "x y", "ABCDEFG12345"}},
    {"code longer than 6, description in Windows-1252",
     {"+", "12345678", "1", "2440", "1220", "Compensado ½\"", ""},
     "1  12345678      1   2440   1220 Compensado_½\" ABCDEFG12345",
     {"+", "12345678", "1", "2440", "1220", "Compensado ½\"", "ABCDEFG12345"}},
};

TEST(TableFilesGolden, PieceTableWrittenByteForByteAndReadBack)
{
    std::vector<PieceRow> rows;
    Lines expectedLines;
    std::vector<PieceRow> expectedRows;
    for (const PieceCase& c : kPieceCases) {
        rows.push_back(c.row);
        const std::optional<std::string> line = PieceLineFromRow(c.row, 17, true);
        if (c.line == nullptr) {
            EXPECT_FALSE(line) << c.what;
            continue;
        }
        EXPECT_EQ(line.value_or("<skipped>"), c.line) << c.what;
        EXPECT_EQ(PieceRowFromLine(c.line, true), c.readBack) << c.what;
        expectedLines.push_back(c.line);
        expectedRows.push_back(c.readBack);
    }

    TempDir dir;
    const Path path = dir.path() / "PED00017.TAB";
    WritePieceTable(path, rows, 17, true);
    // Golden bytes: CR LF, and "ç" as the one Windows-1252 byte E7.
    const std::string golden =
        "1      12      2  500,5    300      7 Door_left 17 ABCD\r\n"
        "0      12      1  500.5      0      0 --- 17 ABCD\r\n"
        "0  1234567     10   2750 1850,25  99000 --- 17 ABCD\r\n"
        "1       0      3    600    400      7 Pe\xE7" "a__2_lados 17 ABCD\r\n"
        "1       5      2   12.5 1000.0      7 line__break 17 ABCD\r\n"
        "1      +8     -1   -2,0      0    007 a_b 17 ABCD\r\n";
    ASSERT_EQ(ReadBytes(path), golden);
    EXPECT_EQ(PieceTableLines(rows, 17, true), expectedLines);

    const std::optional<std::vector<PieceRow>> read = ReadPieceTable(path, true);
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, expectedRows);

    // The rows as read write the same bytes again.
    WritePieceTable(path, *read, 17, true);
    EXPECT_EQ(ReadBytes(path), golden);
}

TEST(TableFilesGolden, SheetTableWrittenByteForByteAndReadBack)
{
    std::vector<SheetRow> rows;
    std::vector<SheetRow> expectedRows;
    for (const SheetCase& c : kSheetCases) {
        rows.push_back(c.row);
        const std::optional<std::string> line = SheetLineFromRow(c.row, true);
        if (c.line == nullptr) {
            EXPECT_FALSE(line) << c.what;
            continue;
        }
        EXPECT_EQ(line.value_or("<skipped>"), c.line) << c.what;
        EXPECT_EQ(SheetRowFromLine(c.line, true), c.readBack) << c.what;
        expectedRows.push_back(c.readBack);
    }

    TempDir dir;
    const Path path = dir.path() / "CHP00007.TAB";
    WriteSheetTable(path, rows, true);
    const std::string golden =
        "0       3     10   2750   1850 MDF_18mm ABCDEFG12345\r\n"
        "1      10      2 1830,5   2440 --- ABCDEFG12345\r\n"
        "0       0      1    500      0 left_over__piece ABCDEFG12345\r\n"
        "1       0      1    100    100 x_y ABCDEFG12345\r\n"
        "1  12345678      1   2440   1220 Compensado_\xBD\" ABCDEFG12345\r\n";
    ASSERT_EQ(ReadBytes(path), golden);

    const std::optional<std::vector<SheetRow>> read = ReadSheetTable(path, true);
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, expectedRows);
    WriteSheetTable(path, *read, true);
    EXPECT_EQ(ReadBytes(path), golden);
}

// "Furo Ø½" is stored Furo_\xD8\xBD, which is also valid UTF-8: it was read
// back as "Furo ؽ" and saved again as "Furo_?".
TEST(TableFilesGolden, DescriptionsThatLookLikeUtf8ReadBackAsWritten)
{
    struct Case {
        const char* bytes;        // the sheet line's description as stored
        const char* description;  // as the grid shows it
        const char* savedBytes;   // written again (a new table is Windows-1252)
    };
    const Case cases[] = {
        {"Furo_\xD8\xBD", "Furo Ø½", "Furo_\xD8\xBD"},
        {"Chapa_\xD8\xBC_pol", "Chapa Ø¼ pol", "Chapa_\xD8\xBC_pol"},
        {"P\xC9\x94", "PÉ”", "P\xC9\x94"},
        {"Porta_a\xC3\xA7\xC3\xA3o", "Porta ação", "Porta_a\xE7\xE3o"},
    };
    TempDir dir;
    const Path path = dir.path() / "CHP00007.TAB";
    for (const Case& c : cases) {
        const std::string line = std::string("1 3 1 2750 1850 ") + c.bytes + " ABCDEFG12345\r\n";
        WriteBytes(path, line);
        const std::optional<std::vector<SheetRow>> read = ReadSheetTable(path, true);
        ASSERT_TRUE(read) << c.description;
        ASSERT_EQ(read->size(), 1u);
        EXPECT_EQ(read->front().description, c.description);
        WriteSheetTable(path, *read, true);
        EXPECT_EQ(ReadBytes(path),
                  std::string("1       3      1   2750   1850 ") + c.savedBytes + " ABCDEFG12345\r\n");
    }
}

TEST(TableFilesGolden, EveryWindows1252CharacterSurvivesARewriteOfAnotherLine)
{
    // Every one but the blank (stored "_"), TAB and ";" (never stored) and the line ends.
    std::string everyByte;
    for (int b = 1; b < 256; ++b)
        if (b != ' ' && b != '\t' && b != ';' && b != '\r' && b != '\n')
            everyByte.push_back(static_cast<char>(b));
    TempDir dir;
    const Path path = dir.path() / "CHP00007.TAB";
    const std::string first = "1       3      1   2750   1850 " + everyByte + " ABCDEFG12345\r\n";
    WriteBytes(path, first + "1       4      1   2750   1850 other ABCDEFG12345\r\n");
    std::optional<std::vector<SheetRow>> read = ReadSheetTable(path, true);
    ASSERT_TRUE(read);
    ASSERT_EQ(read->size(), 2u);
    (*read)[1].quantity = "9";
    WriteSheetTable(path, *read, true);
    EXPECT_EQ(ReadBytes(path), first + "1       4      9   2750   1850 other ABCDEFG12345\r\n");
}

TEST(TableFilesGolden, MarksReadAsTheirSign)
{
    TempDir dir;
    const Path path = dir.path() / "PED00001.TAB";
    WriteBytes(path, Crlf({"0 1 1 10 10 0 a 1 ABCD", "1 2 1 10 10 0 b 1 ABCD",
                           "2 3 1 10 10 0 c 1 ABCD", "-1 4 1 10 10 0 d 1 ABCD",
                           "+1 5 1 10 10 0 e 1 ABCD"}));
    const std::optional<std::vector<PieceRow>> rows = ReadPieceTable(path, true);
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->size(), 5u);
    const char* const marks[] = {" ", "+", "?", "?", "+"};
    for (std::size_t i = 0; i < rows->size(); ++i)
        EXPECT_EQ((*rows)[i].mark, marks[i]) << i;

    // Only "+" is stored as marked: "?" goes back as 0.
    WritePieceTable(path, *rows, 1, true);
    EXPECT_EQ(ReadBytes(path),
              Crlf({"0       1      1     10     10      0 a 1 ABCD",
                    "1       2      1     10     10      0 b 1 ABCD",
                    "0       3      1     10     10      0 c 1 ABCD",
                    "0       4      1     10     10      0 d 1 ABCD",
                    "1       5      1     10     10      0 e 1 ABCD"}));
}

// ---- The line of an empty table ----------------------------------------------

TEST(TableFilesEmptyTable, PlaceholderOnlyWhenNoRowIsStoredAndUnmarked)
{
    const PieceRow blank{" ", "", "", "", "", "", "", ""};
    const PieceRow piece{"+", "1", "2", "300", "200", "7", "Shelf", ""};
    const SheetRow blankSheet{" ", "", "", "", "", "", ""};
    const SheetRow sheet{"+", "1", "5", "2750", "1830", "MDF", ""};

    EXPECT_EQ(PieceTableLines({}, 3, true), Lines{"0 1 1 0 0 0"});
    EXPECT_EQ(PieceTableLines({blank, blank}, 3, true), Lines{"0 1 1 0 0 0"});
    EXPECT_EQ(SheetTableLines({}, true), Lines{"0 1 1 0 0 0"});
    EXPECT_EQ(SheetTableLines({blankSheet}, true), Lines{"0 1 1 0 0 0"});

    // A blank first row no longer puts a marked zero-size piece before the data.
    EXPECT_EQ(PieceTableLines({blank, piece, blank}, 3, true),
              Lines{"1       1      2    300    200      7 Shelf 3 ABCD"});
    EXPECT_EQ(SheetTableLines({blankSheet, sheet}, true),
              Lines{"1       1      5   2750   1830 MDF ABCDEFG12345"});

    // Read back, the placeholder is an unmarked row that no loader takes.
    EXPECT_EQ(PieceRowFromLine(kEmptyTableLine, true),
              (PieceRow{" ", "1", "1", "0", "0", "0", "", ""}));
    EXPECT_EQ(ParsePieceLine(kEmptyTableLine).mark, 0);
    EXPECT_EQ(ParseSheetLine(kEmptyTableLine).mark, 0);

    TempDir dir;
    WritePieceTable(dir.path() / "PED00003.TAB", {}, 3, true);
    EXPECT_EQ(ReadBytes(dir.path() / "PED00003.TAB"), "0 1 1 0 0 0\r\n");
}

// ---- Reading what comes ------------------------------------------------------

TEST(TableFilesTolerantRead, PieceLinesOfEveryShape)
{
    const std::string twenty = "1 2 3 4 5 6 desc 8 ABCD 10 11 12 13 14 15 16 17 18 19 20";
    const std::string hugeReal = "1 1 1 1" + std::string(400, '0') + " 5 0 d";
    struct Case {
        std::string line;
        bool showDecimals;
        PieceRow row;
    };
    const Case cases[] = {
        {"   1    5   2  10,5  20  3   Two_words   9   ABCD  ", true,
         {"+", "5", "2", "10,5", "20", "3", "Two words", "9"}},
        {"1 5", true, {"+", "5", "0", "0", "0", "0", "", ""}},
        {"", true, {" ", "0", "0", "0", "0", "0", "", ""}},
        {"x y z w v u", true, {" ", "0", "0", "0.0", "0.0", "0", "", ""}},
        {"x y z w v u", false, {" ", "0", "0", "0", "0", "0", "", ""}},
        {"1 12a 3b 4,5cm 7.5.1 9x d", true, {"+", "12", "3", "4.5", "7.5", "9", "d", ""}},
        {"1 12a 3b 4,5cm 7.5.1 9x d", false, {"+", "12", "3", "4.5", "7.5", "9", "d", ""}},
        {"1 1 1 600,0x 400x 0 d", false, {"+", "1", "1", "600", "400", "0", "d", ""}},
        {"1 99999999999 1 1 1e400 1 d", true, {"+", "0", "1", "1", "0.0", "1", "d", ""}},
        {hugeReal, true, {"+", "1", "1", "0.0", "5", "0", "d", ""}},
        {twenty, true, {"+", "2", "3", "4", "5", "6", "desc", "8"}},
        // Only the blank separates fields: a TAB stays inside one.
        {"1\t2 3 4 5 6 d", true, {"+", "3", "4", "5", "6", "0", "", ""}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PieceRowFromLine(c.line, c.showDecimals), c.row) << c.line.substr(0, 60);

    EXPECT_EQ(ParsePieceLine(twenty).fieldCount, 15);
    EXPECT_EQ(ParsePieceLine(twenty).orderNumber, 8);
    EXPECT_EQ(ParseSheetLine(twenty).filler, "desc");
}

TEST(TableFilesTolerantRead, LineEndsAndMissingFiles)
{
    TempDir dir;
    const SheetRow first{"+", "1", "2", "100", "200", "a b", "ABCDEFG12345"};
    const SheetRow second{" ", "2", "1", "300,5", "400", "b", ""};
    const std::string forms[] = {
        "1 1 2 100 200 a_b ABCDEFG12345\n0 2 1 300,5 400 b\n",
        "1 1 2 100 200 a_b ABCDEFG12345\r\n0 2 1 300,5 400 b",
        "\xEF\xBB\xBF" "1 1 2 100 200 a_b ABCDEFG12345\r\n0 2 1 300,5 400 b\r\n",
    };
    for (const std::string& bytes : forms) {
        WriteBytes(dir.path() / "CHP00001.TAB", bytes);
        const std::optional<std::vector<SheetRow>> rows =
            ReadSheetTable(dir.path() / "CHP00001.TAB", true);
        ASSERT_TRUE(rows);
        EXPECT_EQ(*rows, (std::vector<SheetRow>{first, second})) << bytes;
    }

    EXPECT_FALSE(ReadPieceTable(dir.path() / "PED00099.TAB", true));
    EXPECT_FALSE(ReadSheetTable(dir.path() / "CHP00099.TAB", true));

    WriteBytes(dir.path() / "PED00002.TAB", "");
    const std::optional<std::vector<PieceRow>> none = ReadPieceTable(dir.path() / "PED00002.TAB");
    ASSERT_TRUE(none);
    EXPECT_TRUE(none->empty());
}

TEST(TableFilesTolerantRead, OverloadsWithoutTheFlagFollowShowDecimals)
{
    TempDir dir;
    const Path path = dir.path() / "PED00004.TAB";
    const bool saved = gShared.settings.showDecimals;

    gShared.settings.showDecimals = false;
    WritePieceTable(path, {{"+", "1", "1", "12,0x", "abc", "0", "d", ""}}, 4);
    EXPECT_EQ(ReadBytes(path), "1       1      1     12      0      0 d 4 ABCD\r\n");
    WriteBytes(path, "1 1 1 12,0x abc 0 d 4 ABCD\r\n");
    EXPECT_EQ(ReadPieceTable(path).value().at(0).width, "12");

    gShared.settings.showDecimals = true;
    EXPECT_EQ(ReadPieceTable(path).value().at(0).width, "12.0");
    EXPECT_EQ(ReadPieceTable(path).value().at(0).height, "0.0");
    gShared.settings.showDecimals = saved;
}

// Lines the merge, the imports and the stock update write read like the
// editor's own.
TEST(TableFilesOtherWriters, PieceLinesReadAlike)
{
    struct Case {
        const char* writer;
        const char* line;
        PieceLineFields fields;
        PieceRow row;
    };
    const Case cases[] = {
        {"table editor", "1      12      2  500,5    300      7 Door_left 17 ABCD",
         {1, 12, 2, 500.5, 300.0, 500, 300, 7, "Door_left", 17, 9},
         {"+", "12", "2", "500,5", "300", "7", "Door left", "17"}},
        {"merge", "1 12 6 500 300 7 Door_left",
         {1, 12, 6, 500.0, 300.0, 500, 300, 7, "Door_left", 0, 7},
         {"+", "12", "6", "500", "300", "7", "Door left", ""}},
        {"merge, unmarked", "0 3 10 1200 80 5 Rail",
         {0, 3, 10, 1200.0, 80.0, 1200, 80, 5, "Rail", 0, 7},
         {" ", "3", "10", "1200", "80", "5", "Rail", ""}},
        {"clipboard import", "1     10      2  500.0  300.0      7 Door ABC",
         {1, 10, 2, 500.0, 300.0, 500, 300, 7, "Door", 0, 8},
         {"+", "10", "2", "500.0", "300.0", "7", "Door", "ABC"}},
        {"clipboard import, empty description", "1      3      1  200.5  100.0      7 _ ABC",
         {1, 3, 1, 200.5, 100.0, 200, 100, 7, "_", 0, 8},
         {"+", "3", "1", "200.5", "100.0", "7", " ", "ABC"}},
        {"delimited import", "1     10      2  500.5  300.0      7 Side_panel",
         {1, 10, 2, 500.5, 300.0, 500, 300, 7, "Side_panel", 0, 7},
         {"+", "10", "2", "500.5", "300.0", "7", "Side panel", ""}},
    };
    for (const Case& c : cases) {
        const PieceLineFields f = ParsePieceLine(c.line);
        EXPECT_EQ(f.mark, c.fields.mark) << c.writer;
        EXPECT_EQ(f.code, c.fields.code) << c.writer;
        EXPECT_EQ(f.quantity, c.fields.quantity) << c.writer;
        EXPECT_EQ(f.width, c.fields.width) << c.writer;
        EXPECT_EQ(f.height, c.fields.height) << c.writer;
        EXPECT_EQ(f.widthWhole, c.fields.widthWhole) << c.writer;
        EXPECT_EQ(f.heightWhole, c.fields.heightWhole) << c.writer;
        EXPECT_EQ(f.material, c.fields.material) << c.writer;
        EXPECT_EQ(f.description, c.fields.description) << c.writer;
        EXPECT_EQ(f.orderNumber, c.fields.orderNumber) << c.writer;
        EXPECT_EQ(f.fieldCount, c.fields.fieldCount) << c.writer;
        EXPECT_EQ(PieceRowFromLine(c.line, true), c.row) << c.writer;
    }

    // Saved by the editor, an imported description of one blank becomes "---".
    EXPECT_EQ(PieceLineFromRow(PieceRowFromLine("1 3 1 200.5 100.0 7 _ ABC", true), 5, true),
              "1       3      1  200.5  100.0      7 --- 5 ABCD");
}

TEST(TableFilesOtherWriters, SheetLinesReadAlike)
{
    struct Case {
        const char* writer;
        const char* line;
        SheetLineFields fields;
        SheetRow row;
    };
    const Case cases[] = {
        {"table editor", "0       3     10   2750   1850 MDF_18mm ABCDEFG12345",
         {0, 3, 10, 2750.0, 1850.0, 2750, 1850, "MDF_18mm", "ABCDEFG12345", 7},
         {" ", "3", "10", "2750", "1850", "MDF 18mm", "ABCDEFG12345"}},
        {"stock update", "1 3 8 2750 1850 MDF_18mm_**_10>8 ABCDEFG12345",
         {1, 3, 8, 2750.0, 1850.0, 2750, 1850, "MDF_18mm_**_10>8", "ABCDEFG12345", 7},
         {"+", "3", "8", "2750", "1850", "MDF 18mm ** 10>8", "ABCDEFG12345"}},
        {"stock update, used up", "0 4 0 1830.5 2440 MDF_**!_2>0 ABCDEFG12345",
         {0, 4, 0, 1830.5, 2440.0, 1830, 2440, "MDF_**!_2>0", "ABCDEFG12345", 7},
         {" ", "4", "0", "1830.5", "2440", "MDF **! 2>0", "ABCDEFG12345"}},
        {"stock update keeps what it read as field 7", "1 5 2 900 600 Rest xyz",
         {1, 5, 2, 900.0, 600.0, 900, 600, "Rest", "xyz", 7},
         {"+", "5", "2", "900", "600", "Rest", "xyz"}},
    };
    for (const Case& c : cases) {
        const SheetLineFields f = ParseSheetLine(c.line);
        EXPECT_EQ(f.mark, c.fields.mark) << c.writer;
        EXPECT_EQ(f.code, c.fields.code) << c.writer;
        EXPECT_EQ(f.quantity, c.fields.quantity) << c.writer;
        EXPECT_EQ(f.width, c.fields.width) << c.writer;
        EXPECT_EQ(f.height, c.fields.height) << c.writer;
        EXPECT_EQ(f.widthWhole, c.fields.widthWhole) << c.writer;
        EXPECT_EQ(f.heightWhole, c.fields.heightWhole) << c.writer;
        EXPECT_EQ(f.description, c.fields.description) << c.writer;
        EXPECT_EQ(f.filler, c.fields.filler) << c.writer;
        EXPECT_EQ(f.fieldCount, c.fields.fieldCount) << c.writer;
        EXPECT_EQ(SheetRowFromLine(c.line, true), c.row) << c.writer;
    }
}

// ---- Long tables -------------------------------------------------------------

TEST(TableFilesLongTable, TwelveHundredLinesReadAndWrittenWhole)
{
    TempDir dir;
    const Path path = dir.path() / "PED00008.TAB";
    Lines fixture;
    for (int i = 1; i <= 1200; ++i) {
        const std::string n = std::to_string(i);
        fixture.push_back("1 " + n + " 2 " + n + ",5 300 7 Piece_" + n);
    }
    WriteBytes(path, Crlf(fixture));

    const std::optional<std::vector<PieceRow>> rows = ReadPieceTable(path, true);
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->size(), 1200u);
    EXPECT_EQ(rows->at(1099), (PieceRow{"+", "1100", "2", "1100,5", "300", "7", "Piece 1100", ""}));
    EXPECT_EQ(rows->back(), (PieceRow{"+", "1200", "2", "1200,5", "300", "7", "Piece 1200", ""}));

    WritePieceTable(path, *rows, 8, true);
    const std::optional<std::vector<std::string>> written = ReadTextLines(path);
    ASSERT_TRUE(written);
    ASSERT_EQ(written->size(), 1200u);
    EXPECT_EQ(written->back(), "1    1200      2 1200,5    300      7 Piece_1200 8 ABCD");
    std::vector<PieceRow> expected = *rows;
    for (PieceRow& row : expected)
        row.orderNumber = "8";
    EXPECT_EQ(ReadPieceTable(path, true).value(), expected);
}

// ---- Files -------------------------------------------------------------------

TEST(TableFilesPaths, TableFileFollowsKindAndInterno)
{
    const DataFolders f = MakeDataFolders("/inst");
    EXPECT_EQ(TableFile(TableKind::Pieces, f, 17, true), Path("/inst/PED/PED00017.TAB"));
    EXPECT_EQ(TableFile(TableKind::Pieces, f, 17, false), Path("/inst/TMP/PED00017.INQ"));
    EXPECT_EQ(TableFile(TableKind::Sheets, f, 7, true), Path("/inst/CHP/CHP00007.TAB"));
    EXPECT_EQ(TableFile(TableKind::Sheets, f, 7, false), Path("/inst/CHP/CHP00007.TAB"));

    vortest::TestInstallation inst;
    const SharedGlobals saved = gShared;
    gShared.folders = MakeDataFolders(inst.base());
    gShared.currentOrder = 17;
    gShared.currentMaterial = 99000;
    EXPECT_EQ(TableFile(TableKind::Pieces), gShared.folders.ped / "PED00017.TAB");
    WriteBytes(inst.iniDir() / "VL_.INI", "[CALC]\r\nINTERNO=0\r\n");
    EXPECT_EQ(TableFile(TableKind::Pieces), gShared.folders.base / "TMP" / "PED00017.INQ");
    EXPECT_EQ(TableFile(TableKind::Sheets), gShared.folders.chp / "CHP99000.TAB");
    gShared = saved;
}

TEST(TableFilesWrite, FailedWriteThrows)
{
    TempDir dir;
    EXPECT_THROW(WriteSheetTable(dir.path() / "missing" / "CHP00001.TAB", {}, true), IoError);
    EXPECT_THROW(WritePieceTable(dir.path() / "missing" / "PED00001.TAB", {}, 1, true), IoError);
}

}  // namespace
}  // namespace vor
