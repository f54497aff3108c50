#include "vorplan/orders/table_grid.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/support/test_support.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/orders/table_editor.h"

namespace {

using vor::PieceRow;
using vor::TableGrid;
using vor::TableKind;
using Lines = std::vector<std::string>;
using vortest::ReadBytes;
using vortest::WriteBytes;

std::string Crlf(const Lines& lines)
{
    std::string out;
    for (const std::string& line : lines)
        out += line + "\r\n";
    return out;
}

PieceRow Piece(std::string code, std::string quantity, std::string width, std::string height,
               std::string material = "1", std::string description = "x", std::string mark = "+")
{
    return PieceRow{mark, code, quantity, width, height, material, description, ""};
}

TableGrid Pieces(const std::vector<PieceRow>& rows, bool autoCodes = false)
{
    TableGrid grid(TableKind::Pieces);
    vor::TableGridOptions options;
    options.autoCodes = autoCodes;
    grid.SetOptions(options);
    grid.LoadPieces(&rows);
    return grid;
}

std::vector<std::string> Column(const TableGrid& grid, int column)
{
    std::vector<std::string> out;
    for (long r = 1; r <= grid.DataRowCount(); ++r)
        out.push_back(grid.Cell(r, column));
    return out;
}

// A grid of `rows` data rows, codes 1 .. rows.
TableGrid Numbered(long rows, bool autoCodes = false)
{
    std::vector<PieceRow> pieces;
    for (long i = 1; i <= rows; ++i)
        pieces.push_back(Piece(std::to_string(i), "1", "10", "10"));
    return Pieces(pieces, autoCodes);
}

// ---- Enter ------------------------------------------------------------------

struct EnterCase {
    const char* name;
    long row;
    int column;
    std::string typed;
    bool autoCodes;
    bool repeatBlank;
    std::string expected;  // the cell afterwards
};

TEST(TableGridEnter, NormalisesOrRepeatsTheCell)
{
    const EnterCase cases[] = {
        {"real with a comma", 2, 3, "500,5", false, true, "500.5"},
        {"integer with blanks", 2, 2, " 1 2 ", false, true, "12"},
        {"integer not a number", 2, 2, "abc", false, true, "0"},
        {"text stays as typed", 2, 6, " a  b ", false, true, " a  b "},
        {"one blank repeats the quantity above", 2, 2, " ", false, true, "3"},
        {"one blank repeats the code above plus one", 2, 1, " ", false, true, "8"},
        {"one blank repeats the width above", 2, 3, " ", false, true, "250.5"},
        {"one blank without the option", 2, 2, " ", false, false, "0"},
        {"one blank in row 1 is not repeated", 1, 2, " ", false, true, "0"},
        {"empty code of row 1 becomes 1", 1, 1, "", false, true, "1"},
    };
    for (const EnterCase& c : cases) {
        TableGrid grid(TableKind::Pieces);
        vor::TableGridOptions options;
        options.autoCodes = c.autoCodes;
        options.repeatBlank = c.repeatBlank;
        grid.SetOptions(options);
        const std::vector<PieceRow> rows = {Piece("7", "3", "250.5", "100"),
                                            Piece("9", "5", "60", "70")};
        grid.LoadPieces(&rows);
        grid.SetCell(c.row, c.column, c.typed);
        grid.Enter(c.row, c.column);
        EXPECT_EQ(grid.Cell(c.row, c.column), c.expected) << c.name;
        EXPECT_TRUE(grid.Modified()) << c.name;
    }
}

TEST(TableGridEnter, EmptyCodeOfRowOneBecomesOneWhereverEnterIsPressed)
{
    TableGrid grid = Pieces({Piece("", "1", "10", "10")});
    grid.Enter(1, 3);
    EXPECT_EQ(grid.Cell(1, 1), "1");
}

TEST(TableGridEnter, ColumnZeroSetsTheMark)
{
    TableGrid grid = Pieces({Piece("1", "1", "10", "10", "1", "x", "?"),
                             Piece("2", "1", "10", "10", "1", "x", " ")});
    EXPECT_EQ(grid.Enter(1, 0).column, 1);
    EXPECT_EQ(grid.Cell(1, 0), "+");
    grid.Enter(2, 0);
    EXPECT_EQ(grid.Cell(2, 0), " ");
}

TEST(TableGridEnter, MovesRightThenWrapsAndAppends)
{
    for (const bool autoCodes : {false, true}) {
        TableGrid grid = Numbered(2, autoCodes);
        const int first = autoCodes ? 2 : 1;
        TableGrid::Cursor next = grid.Enter(1, 3);
        EXPECT_EQ(next.row, 1);
        EXPECT_EQ(next.column, 4);
        next = grid.Enter(1, 6);
        EXPECT_EQ(next.row, 2);
        EXPECT_EQ(next.column, first) << autoCodes;
        // The last cell of the last row adds a marked row of blanks.
        next = grid.Enter(2, 6);
        EXPECT_EQ(grid.DataRowCount(), 3);
        EXPECT_EQ(next.row, 3);
        EXPECT_EQ(next.column, first);
        EXPECT_EQ(grid.Cell(3, 0), "+");
        EXPECT_EQ(grid.Cell(3, 2), " ");
        EXPECT_EQ(grid.Cell(3, 1), autoCodes ? "3" : " ");
    }
}

TEST(TableGridEnter, AtTheRowLimitStaysOnTheLastRow)
{
    TableGrid grid = Numbered(vor::kTableGridDataRows, true);
    ASSERT_EQ(grid.RowCount(), vor::kTableGridMaxRows);
    const TableGrid::Cursor next = grid.Enter(vor::kTableGridDataRows, 6);
    EXPECT_EQ(grid.DataRowCount(), vor::kTableGridDataRows);
    EXPECT_EQ(next.row, vor::kTableGridDataRows);
    EXPECT_EQ(next.column, 2);
}

// ---- Selection, press and express copy -----------------------------------------------

TEST(TableGridSelection, AutoCodesAndFixedSizeMaterials)
{
    TableGrid pieces = Numbered(1, true);
    EXPECT_TRUE(pieces.Select(0).refused);
    EXPECT_TRUE(pieces.Select(1).refused);
    EXPECT_FALSE(pieces.Select(2).refused);

    for (const long long material : {39999LL, 40000LL, 49999LL}) {
        TableGrid sheets(TableKind::Sheets);
        vor::TableGridOptions options;
        options.autoCodes = false;
        options.material = material;
        sheets.SetOptions(options);
        const bool fixed = material >= vor::kFixedSizeMaterial;
        for (int column = 3; column <= 5; ++column) {
            const TableGrid::Selection s = sheets.Select(column);
            EXPECT_EQ(s.fixedSizes, fixed) << material << " column " << column;
            EXPECT_EQ(s.column, fixed ? 2 : column);
        }
        EXPECT_FALSE(sheets.Select(2).fixedSizes);
        // Enter on the quantity goes on to the next row instead of into the sizes.
        const std::vector<vor::SheetRow> rows(2, vor::SheetRow{"+", "1", "2", "3", "4", "d", ""});
        sheets.LoadSheets(&rows);
        const TableGrid::Cursor next = sheets.Enter(1, 2);
        EXPECT_EQ(next.row, fixed ? 2 : 1) << material;
        EXPECT_EQ(next.column, fixed ? 1 : 3) << material;
    }
}

TEST(TableGridPress, MarksAndExpressCopy)
{
    TableGrid grid = Pieces({Piece("1", "4", "10", "10"), Piece("2", "", " ", "10")});
    grid.Press(1, 0);
    EXPECT_EQ(grid.Cell(1, 0), " ");
    grid.Press(1, 0);
    EXPECT_EQ(grid.Cell(1, 0), "+");

    // Without the option a press only takes the source.
    EXPECT_FALSE(grid.Press(1, 2));
    EXPECT_FALSE(grid.Press(2, 2));
    EXPECT_EQ(grid.Cell(2, 2), "");

    vor::TableGridOptions options = grid.Options();
    options.expressCopy = true;
    grid.SetOptions(options);
    EXPECT_TRUE(grid.Press(2, 2));
    EXPECT_EQ(grid.Cell(2, 2), "4");
    EXPECT_TRUE(grid.Press(2, 3));  // one blank counts as empty
    EXPECT_EQ(grid.Cell(2, 3), "4");
    EXPECT_FALSE(grid.Press(1, 3));  // a filled cell becomes the source
    EXPECT_EQ(grid.ExpressSource(), "10");
}

TEST(TableGridPress, ExpressCopyNeverFillsACellThatCannotBeSelected)
{
    TableGrid pieces = Pieces({Piece("1", "4", "10", "10")}, true);
    pieces.SetCell(1, 1, "");
    vor::TableGridOptions options = pieces.Options();
    options.expressCopy = true;
    pieces.SetOptions(options);
    pieces.Press(1, 2);
    EXPECT_FALSE(pieces.Press(1, 1));
    EXPECT_EQ(pieces.Cell(1, 1), "");

    TableGrid sheets(TableKind::Sheets);
    options.autoCodes = false;
    options.material = 40000;
    sheets.SetOptions(options);
    const std::vector<vor::SheetRow> rows = {{"+", "1", "2", "", "", "", ""}};
    sheets.LoadSheets(&rows);
    sheets.Press(1, 2);
    EXPECT_FALSE(sheets.Press(1, 3));
    EXPECT_FALSE(sheets.Press(1, 5));
    EXPECT_EQ(sheets.Cell(1, 3), "");
}

// ---- Row commands -------------------------------------------------------------------

TEST(TableGridRows, InsertRepeatDelete)
{
    TableGrid grid = Numbered(3);
    ASSERT_TRUE(grid.InsertRow(1));
    EXPECT_EQ(Column(grid, 1), (Lines{"1", " ", "2", "3"}));
    EXPECT_EQ(Column(grid, 0), (Lines{"+", "+", "+", "+"}));

    TableGrid codes = Pieces({Piece("4", "1", "1", "1"), Piece("5", "2", "3", "4", "9", "d"),
                              Piece("6", "1", "1", "1")});
    ASSERT_TRUE(codes.RepeatRow(2));
    EXPECT_EQ(Column(codes, 1), (Lines{"4", "5", "6", "6"}));
    EXPECT_EQ(Column(codes, 2), (Lines{"1", "2", "2", "1"}));
    EXPECT_EQ(codes.CodeOrderFault(), std::optional<long>(3));

    ASSERT_TRUE(codes.DeleteRow(1));
    EXPECT_EQ(Column(codes, 1), (Lines{"5", "6", "6"}));

    TableGrid one = Numbered(1);
    one.SetModified(false);
    EXPECT_FALSE(one.DeleteRow(1));
    EXPECT_EQ(one.DataRowCount(), 1);
    EXPECT_FALSE(one.Modified());
}

TEST(TableGridRows, RowCommandsStopAtTheLimitAndRenumber)
{
    TableGrid full = Numbered(vor::kTableGridDataRows, true);
    EXPECT_FALSE(full.InsertRow(5));
    EXPECT_FALSE(full.RepeatRow(5));
    EXPECT_EQ(full.DataRowCount(), vor::kTableGridDataRows);

    TableGrid grid = Numbered(3, true);
    grid.InsertRow(1);
    EXPECT_EQ(Column(grid, 1), (Lines{"1", "2", "3", "4"}));
    grid.DeleteRow(1);
    EXPECT_EQ(Column(grid, 1), (Lines{"1", "2", "3"}));
    grid.ClearAll();
    EXPECT_EQ(grid.DataRowCount(), 1);
    EXPECT_EQ(grid.Cell(1, 2), "");
}

TEST(TableGridRows, Marks)
{
    TableGrid grid = Pieces({Piece("1", "1", "1", "1", "1", "x", "+"),
                             Piece("2", "1", "1", "1", "1", "x", " "),
                             Piece("3", "1", "1", "1", "1", "x", "?")});
    grid.InvertMarks();
    EXPECT_EQ(Column(grid, 0), (Lines{" ", "+", "+"}));
    grid.MarkAll();
    EXPECT_EQ(Column(grid, 0), (Lines{"+", "+", "+"}));
    grid.UnmarkAll();
    EXPECT_EQ(Column(grid, 0), (Lines{" ", " ", " "}));
}

// ---- Range marks -------------------------------------------------------------------------

std::vector<bool> Ranged(const TableGrid& grid)
{
    std::vector<bool> out;
    for (long r = 1; r <= grid.DataRowCount(); ++r)
        out.push_back(grid.RangeMarked(r));
    return out;
}

TEST(TableGridRange, EndsExchangedAndMarksMoveWithTheirRows)
{
    TableGrid grid = Numbered(6);
    grid.MarkRangeStart(5);
    grid.MarkRangeEnd(3);
    EXPECT_EQ(grid.RangeStart(), 3);
    EXPECT_EQ(grid.RangeEnd(), 5);
    EXPECT_EQ(Ranged(grid), (std::vector<bool>{false, false, true, true, true, false}));

    grid.InsertRow(1);  // a new row carries no range mark
    EXPECT_EQ(Ranged(grid), (std::vector<bool>{false, false, false, true, true, true, false}));
    EXPECT_EQ(grid.RangeStart(), 4);
    grid.RepeatRow(4);  // the copy is a new row: no range mark
    EXPECT_EQ(Ranged(grid),
              (std::vector<bool>{false, false, false, true, false, true, true, false}));
    EXPECT_EQ(grid.RangeEnd(), 7);
    grid.DeleteRow(1);
    EXPECT_EQ(Ranged(grid), (std::vector<bool>{false, false, true, false, true, true, false}));
    EXPECT_EQ(grid.RangeStart(), 3);
    EXPECT_EQ(grid.RangeEnd(), 6);
    EXPECT_EQ(grid.Cell(3, 1), "3");

    grid.ClearRange();
    EXPECT_EQ(grid.RangeStart(), -1);
    EXPECT_EQ(grid.RangeEnd(), -1);
    EXPECT_EQ(Ranged(grid), std::vector<bool>(7, false));
}

TEST(TableGridRange, MarksFollowTheSortAndClearAll)
{
    // Areas 30, 10, 20: the range row (area 10) goes to the top.
    TableGrid grid = Pieces({Piece("1", "1", "3", "10"), Piece("2", "1", "1", "10"),
                             Piece("3", "1", "2", "10")});
    grid.MarkRangeStart(2);
    grid.Sort();
    EXPECT_EQ(Column(grid, 3), (Lines{"1", "2", "3"}));
    EXPECT_EQ(Ranged(grid), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(grid.RangeStart(), 1);
    grid.ClearAll();
    EXPECT_EQ(Ranged(grid), (std::vector<bool>{false}));
}

// ---- Many cells at once ----------------------------------------------------------------

TEST(TableGridAddValue, AddsToRangeRowsOnlyAndKeepsBlankCells)
{
    TableGrid grid = Pieces({Piece("1", "1", "100", "50"), Piece("2", "1", "200", "50"),
                             Piece("3", "1", " ", "50"), Piece("4", "1", "", "50")});
    grid.MarkRangeStart(2);
    grid.MarkRangeEnd(4);
    grid.AddToColumn(3, "-2.5", true);
    EXPECT_EQ(Column(grid, 3), (Lines{"100", "197.5", " ", ""}));

    grid.AddToColumn(3, "1,5", false);
    EXPECT_EQ(Column(grid, 3), (Lines{"101.5", "199.0", " ", ""}));
    EXPECT_EQ(Column(grid, 4), (Lines{"50", "50", "50", "50"}));

    TableGrid none = Numbered(2);
    none.AddToColumn(4, "5", true);  // only marked rows, and there is no range
    EXPECT_EQ(Column(none, 4), (Lines{"10", "10"}));
}

TEST(TableGridChangeMaterial, ChangesEqualCodes)
{
    TableGrid grid = Pieces({Piece("1", "1", "1", "1", "7"), Piece("2", "1", "1", "1", "07"),
                             Piece("3", "1", "1", "1", "8")});
    grid.SetModified(false);
    grid.ChangeMaterial("7", "12", true);  // "somente as marcadas" without a range
    EXPECT_EQ(Column(grid, 5), (Lines{"7", "07", "8"}));
    EXPECT_FALSE(grid.Modified());
    grid.ChangeMaterial(" 7", "12", false);
    EXPECT_EQ(Column(grid, 5), (Lines{"12", "12", "8"}));
    EXPECT_TRUE(grid.Modified());
}

TEST(TableGridSort, ByAreaThenMaterialAndRenumbered)
{
    // Materials 2, 1, 2 with areas 3, 5, 1.
    TableGrid grid = Pieces({Piece("7", "1", "3", "1", "2", "a"), Piece("8", "1", "5", "1", "1", "b"),
                             Piece("9", "1", "1", "1", "2", "c")});
    grid.SetModified(false);
    grid.Sort();
    EXPECT_EQ(Column(grid, 5), (Lines{"1", "2", "2"}));
    EXPECT_EQ(Column(grid, 6), (Lines{"b", "c", "a"}));
    EXPECT_EQ(Column(grid, 1), (Lines{"1", "2", "3"}));
    EXPECT_TRUE(grid.Modified());
}

TEST(TableGridSwap, WidthsAndHeightsExchanged)
{
    TableGrid grid = Pieces({Piece("1", "1", "100", "50"), Piece("2", "1", "7,5", "")});
    grid.SwapWidthAndHeight();
    EXPECT_EQ(Column(grid, 3), (Lines{"50", ""}));
    EXPECT_EQ(Column(grid, 4), (Lines{"100", "7,5"}));
}

TEST(TableGridCodes, OrderCheckNamesTheRowAboveTheLastFault)
{
    struct Case {
        Lines codes;
        std::optional<long> fault;
    };
    const Case cases[] = {
        {{"1", "2", "3"}, std::nullopt},
        {{"1", " ", "", "2"}, std::nullopt},  // blank codes are skipped, not compared
        {{"1", "1"}, 1},
        {{"3", "2", "5", "4"}, 3},
        // A blank code above reads 0, so the row below it is never at fault.
        {{"2", " ", "1"}, std::nullopt},
    };
    for (const Case& c : cases) {
        std::vector<PieceRow> rows;
        for (const std::string& code : c.codes)
            rows.push_back(Piece(code, "1", "1", "1"));
        EXPECT_EQ(Pieces(rows).CodeOrderFault(), c.fault) << ::testing::PrintToString(c.codes);
    }
}

TEST(TableGridLoad, RoomPlaceholderAndRenumbering)
{
    std::vector<PieceRow> rows;
    for (int i = 0; i < 1200; ++i)
        rows.push_back(Piece("5", "1", "1", "1"));
    TableGrid grid = Pieces(rows, true);
    EXPECT_EQ(grid.DataRowCount(), vor::kTableGridDataRows);
    EXPECT_EQ(grid.FileRowCount(), 1200);
    EXPECT_TRUE(grid.FileTooLong());
    EXPECT_EQ(grid.Cell(1099, 1), "1099");
    EXPECT_FALSE(grid.Modified());

    const std::vector<PieceRow> placeholder = {vor::PieceRowFromLine(vor::kEmptyTableLine, true)};
    TableGrid empty = Pieces(placeholder);
    EXPECT_EQ(empty.DataRowCount(), 1);
    EXPECT_EQ(empty.Cell(1, 2), "");

    TableGrid missing(TableKind::Sheets);
    missing.LoadSheets(nullptr);
    EXPECT_EQ(missing.DataRowCount(), 1);
    EXPECT_THROW(missing.Cell(2, 1), vor::RangeError);
    EXPECT_THROW(missing.Cell(1, 6), vor::RangeError);
}

// ---- Colours and the sketch ------------------------------------------------------------

TEST(TableEditorDrawing, CellColours)
{
    using vor::CellColours;
    using vor::TableCellColours;
    EXPECT_EQ(TableCellColours(1, 2, true, true, false, false), (CellColours{vor::kWhite, vor::kBlack}));
    EXPECT_EQ(TableCellColours(2, 2, true, true, false, false),
              (CellColours{vor::kEvenRowBackground, vor::kBlack}));
    EXPECT_EQ(TableCellColours(2, 2, true, false, false, false), (CellColours{vor::kWhite, vor::kBlack}));
    EXPECT_EQ(TableCellColours(1, 2, true, true, true, false), (CellColours{vor::kBlack, vor::kAqua}));
    EXPECT_EQ(TableCellColours(2, 2, true, true, true, false), (CellColours{vor::kBlack, vor::kYellow}));
    EXPECT_EQ(TableCellColours(0, 3, true, true, true, false), (CellColours{vor::kSilver, vor::kBlack}));
    EXPECT_EQ(TableCellColours(2, 1, true, true, false, false), (CellColours{vor::kSilver, vor::kBlack}));
    EXPECT_EQ(TableCellColours(2, 1, false, true, false, false),
              (CellColours{vor::kEvenRowBackground, vor::kBlack}));
    EXPECT_EQ(TableCellColours(3, 0, true, true, false, true), (CellColours{vor::kSilver, vor::kLime}));
}

TEST(TableEditorDrawing, SketchSides)
{
    using vor::SketchSides;
    const SketchSides all{true, true, true, true};
    const SketchSides topBottom{true, true, false, false};
    const SketchSides sides{false, false, true, true};
    EXPECT_EQ(vor::PieceSketch("1", "500", "300", "porta @3", 1), all);
    EXPECT_EQ(vor::PieceSketch("1", "500", "300", "@1", 1), sides);      // wide: shorter = left, right
    EXPECT_EQ(vor::PieceSketch("1", "500", "300", "@2", 1), topBottom);
    EXPECT_EQ(vor::PieceSketch("1", "300", "500", "@1", 1), topBottom);  // tall: shorter = top, bottom
    EXPECT_EQ(vor::PieceSketch("1", "300", "300", "@1", 2), sides);
    EXPECT_EQ(vor::PieceSketch("1", "500", "300", "@1 @2", 1), all);
    EXPECT_EQ(vor::PieceSketch("1", "500", "300", "porta", 1), std::nullopt);
    EXPECT_EQ(vor::PieceSketch(" ", "500", "300", "@3", 1), std::nullopt);
    EXPECT_EQ(vor::PieceSketch("1", "500", "300", "@3", 0), std::nullopt);
}

// ---- Files -------------------------------------------------------------------------------

class TableEditorFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_saved = vor::gShared;
        folders = vor::MakeDataFolders(inst.base());
        vor::gShared.folders = folders;
        vor::gShared.messages[803] = "Codes not in order (check line ";
        vor::gShared.messages[88] = "Lines in the file:";
        vor::gShared.messages[89] = "Lines shown:";
    }
    void TearDown() override { vor::gShared = m_saved; }

    vor::TableEditorDocument OpenOrder(long long order, bool autoCodes = true)
    {
        vor::TableEditorDocument doc;
        vor::TableGridOptions options;
        options.autoCodes = autoCodes;
        doc.Open(TableKind::Pieces, folders, order, true, options, kThen, "pc - ana ");
        return doc;
    }

    vortest::TestInstallation inst;
    vor::DataFolders folders;
    const std::string kThen = "02/01/24  08:00:00";
    const std::string kNow = "24/03/25  14:15:02";

private:
    vor::SharedGlobals m_saved;
};

TEST_F(TableEditorFilesTest, OpenEditOkGivesTheGoldenFiles)
{
    const auto table = vor::OrderTableFile(folders, 7, true);
    const auto dsc = vor::ProjectDescriptionFile(folders, 7);
    WriteBytes(table, Crlf({"1      1      2    500    300      3 Porta_esq 7 ABCD",
                            "0      2      1  250,5    100      3 --- 7 ABCD"}));
    WriteBytes(dsc, Crlf({"[PED]", "CRIACAO=" + kThen, "ULT_MODIF=" + kThen, "STATUS=0", "PCI=0",
                          "CAMPO1=Cozinha", "CAMPO2=---"}));
    vor::TableEditorDocument doc = OpenOrder(7);
    ASSERT_EQ(doc.Grid().Cell(2, 3), "250,5");
    doc.Grid().SetCell(2, 3, "250.5");
    doc.Grid().Enter(2, 6);
    doc.Grid().SetCell(3, 2, "4");
    doc.Grid().SetCell(3, 3, "60");
    doc.Grid().SetCell(3, 4, "40");
    doc.Grid().SetCell(3, 5, "9");
    doc.Grid().SetCell(3, 6, "gaveta funda");
    vor::ProjectDescription d = doc.Description();
    d.status = 1;
    d.fields[0] = "Cliente A";
    doc.SetDescription(d);
    ASSERT_EQ(doc.SaveRefusal(), std::nullopt);
    doc.Save(true, kNow, true);
    EXPECT_FALSE(doc.Modified());

    EXPECT_EQ(ReadBytes(table),
              Crlf({"1       1      2    500    300      3 Porta_esq 7 ABCD",
                    "0       2      1  250.5    100      3 --- 7 ABCD",
                    "1       3      4     60     40      9 gaveta_funda 7 ABCD"}));
    EXPECT_EQ(ReadBytes(dsc),
              Crlf({"[PED]", "CRIACAO=" + kThen, "ULT_MODIF=" + kNow, "STATUS=1", "PCI=0",
                    "CAMPO1=Cozinha", "CAMPO2=Cliente A", "CAMPO10=pc - ana ", "CAMPO3=",
                    "CAMPO4=", "CAMPO5=", "CAMPO6=", "CAMPO7=", "CAMPO8=", "CAMPO9=",
                    "[PCB]", "L_PCI=137.5", "A_PCI=89.2", "MAT=99010", "GIRA_PCI=1",
                    "QTD_DESEJADA=400", "MIN_PCI_POR_TIRA=1", "MAX_PCI_POR_TIRA=25",
                    "BORDA_ESQ=10", "BORDA_DIR=10", "BORDA_SUP=2", "BORDA_INF=2",
                    "ESP_ENTRE_PCI=3", "LARG_MIN_TIRA=10", "ALT_MIN_TIRA=0",
                    "LARG_MAX_TIRA=1000", "ALT_MAX_TIRA=1000", "QUANT_TAB_TIRA=",
                    "LARG_TAB_TIRA=", "ALT_TAB_TIRA=", "DESCRICAO_TAB_TIRA=", "QTD_USU=",
                    "LARG_USU=", "ALT_USU=", "DESC_USU="}));
}

TEST_F(TableEditorFilesTest, TableAloneKeepsAnUntouchedDescriptionAndANewProjectGetsOne)
{
    const auto table = vor::OrderTableFile(folders, 7, true);
    const auto dsc = vor::ProjectDescriptionFile(folders, 7);
    WriteBytes(table, Crlf({"1      1      2    500    300      3 Porta 7 ABCD"}));
    const std::string dscBytes = Crlf({"[PED]", "CRIACAO=" + kThen, "ULT_MODIF=" + kThen,
                                       "STATUS=0", "PCI=0", "CAMPO1=Cozinha", "CAMPO2=---"});
    WriteBytes(dsc, dscBytes);
    {
        vor::TableEditorDocument doc = OpenOrder(7);
        doc.Grid().SetCell(1, 2, "5");
        doc.Save(false, kNow, true);
        EXPECT_EQ(ReadBytes(dsc), dscBytes);
        EXPECT_NE(ReadBytes(table).find("      5    500"), std::string::npos);
    }
    {
        // A typed identification is not dropped by F2.
        vor::TableEditorDocument doc = OpenOrder(7);
        vor::ProjectDescription d = doc.Description();
        d.fields[2] = "lote 4";
        doc.SetDescription(d);
        EXPECT_TRUE(doc.Modified());
        doc.Save(false, kNow, true);
        EXPECT_NE(ReadBytes(dsc).find("CAMPO4=lote 4\r\n"), std::string::npos);
    }
    {
        // A new project: no description file yet.
        vor::TableEditorDocument doc = OpenOrder(8);
        EXPECT_EQ(doc.Description().description, "PRJ 8");
        doc.Save(false, kNow, true);
        const auto newDsc = vor::ProjectDescriptionFile(folders, 8);
        ASSERT_TRUE(std::filesystem::exists(newDsc));
        EXPECT_NE(ReadBytes(newDsc).find("CAMPO1=PRJ 8\r\n"), std::string::npos);
        EXPECT_EQ(ReadBytes(vor::OrderTableFile(folders, 8, true)),
                  Crlf({std::string(vor::kEmptyTableLine)}));
    }
}

TEST_F(TableEditorFilesTest, CodesOutOfOrderRefuseTheSave)
{
    const auto table = vor::OrderTableFile(folders, 7, true);
    const std::string bytes = Crlf({"1      3      2    500    300      3 a 7 ABCD",
                                    "1      2      2    500    300      3 b 7 ABCD"});
    WriteBytes(table, bytes);
    vor::TableEditorDocument doc = OpenOrder(7, false);
    EXPECT_EQ(doc.SaveRefusal(), std::optional<std::string>("Codes not in order (check line 1)"));
    EXPECT_EQ(ReadBytes(table), bytes);
    EXPECT_FALSE(std::filesystem::exists(vor::ProjectDescriptionFile(folders, 7)));
}

TEST_F(TableEditorFilesTest, ALongerFileIsShownInPartAndNeverCut)
{
    const auto table = vor::SheetTableFile(folders, 12);
    Lines lines;
    for (int i = 1; i <= 1200; ++i)
        lines.push_back("1 " + std::to_string(i) + " 1 100 100 chapa ABCDEFG12345");
    WriteBytes(table, Crlf(lines));
    vor::TableEditorDocument doc;
    vor::TableGridOptions options;
    options.autoCodes = false;
    doc.Open(TableKind::Sheets, folders, 12, true, options, kThen, "");
    EXPECT_EQ(doc.Grid().DataRowCount(), 1099);
    EXPECT_EQ(doc.TooLongMessage(), "Lines in the file: 1200\nLines shown: 1099");
    EXPECT_EQ(doc.SaveRefusal(), doc.TooLongMessage());
    EXPECT_EQ(ReadBytes(table), Crlf(lines));
}

TEST_F(TableEditorFilesTest, ATableThatCannotBeReadIsNeverWrittenOver)
{
    // A folder in the table's place: it exists, and reading it fails.
    const auto table = vor::OrderTableFile(folders, 7, true);
    std::filesystem::create_directories(table / "x");
    vor::TableEditorDocument doc = OpenOrder(7);
    EXPECT_TRUE(doc.Unreadable());
    EXPECT_EQ(doc.Grid().DataRowCount(), 1);
    doc.Grid().SetCell(1, 2, "3");
    EXPECT_THROW(doc.Save(true, kNow, true), vor::IoError);
    EXPECT_TRUE(std::filesystem::is_directory(table / "x"));
    EXPECT_TRUE(doc.Modified());
}

TEST_F(TableEditorFilesTest, PlaceholderOnlyTableRoundTrips)
{
    const auto table = vor::OrderTableFile(folders, 7, true);
    const std::string bytes = Crlf({std::string(vor::kEmptyTableLine)});
    WriteBytes(table, bytes);
    vor::TableEditorDocument doc = OpenOrder(7);
    EXPECT_EQ(doc.Grid().DataRowCount(), 1);
    EXPECT_EQ(doc.Grid().Cell(1, 2), "");
    doc.Save(false, kNow, true);
    EXPECT_EQ(ReadBytes(table), bytes);
}

TEST_F(TableEditorFilesTest, SettingsDefaultsAndRoundTrip)
{
    vor::gShared.messages[324] = "PCI";
    vor::gShared.messages[885] = "Cliente";
    vor::gShared.messages[886] = "Revisão";
    vor::gShared.messages[887] = "Lote";
    vor::gShared.messages[888] = "Entrega";
    vor::gShared.messages[889] = "Obs";
    const auto ini = inst.iniDir() / "VL_.INI";
    {
        vor::IniFile file(ini);
        const vor::TableEditorSettings plain = vor::ReadTableEditorSettings(file, false);
        EXPECT_EQ(plain, vor::TableEditorSettings{});
        const vor::TableEditorSettings pcb = vor::ReadTableEditorSettings(file, true);
        EXPECT_EQ(pcb.fieldTitles,
                  (std::array<std::string, 8>{"PCI", "Cliente", "Revisão", "Lote", "Entrega", "Obs", "", ""}));
        vor::WriteTableEditorSettings(file, pcb);
    }
    const std::string text = ReadBytes(ini);
    EXPECT_NE(text.find("[TABELA]\r\nAJUDA_ABAIXO=1\r\nCOR_SEPARA=1\r\nFUNDO_BLACK=0\r\n"
                        "COPIA_EXPRESSA=0\r\nCOD_AUTO=1\r\nRepCampo=1\r\nIMP_PERI=0\r\n"
                        "IMP_AREA_ARRED=0\r\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("[PEDIDO]\r\nCAMPO1=PCI\r\nCAMPO2=Cliente\r\n"), std::string::npos);
    vor::IniFile again(ini);
    vor::TableEditorSettings read = vor::ReadTableEditorSettings(again, false);
    EXPECT_EQ(read.fieldTitles[1], "Cliente");
}

TEST(TableEditorText, CaptionAndHelp)
{
    const vor::SharedGlobals saved = vor::gShared;
    vor::gShared.messages[11] = "Projeto";
    vor::gShared.messages[583] = "Chapas do material";
    vor::gShared.messages[149] = "Código da peça";
    vor::gShared.messages[182] = "Quantidade";
    EXPECT_EQ(vor::TableEditorCaption(TableKind::Pieces, 7, "Cozinha"), "Projeto 7  Cozinha");
    EXPECT_EQ(vor::TableEditorCaption(TableKind::Sheets, 12, "MDF"), "Chapas do material  12: MDF");
    EXPECT_EQ(vor::ColumnHelpLines(TableKind::Pieces, 1, 1).size(), 3u);
    EXPECT_EQ(vor::ColumnHelpLines(TableKind::Pieces, 1, 2), (Lines{"Código da peça"}));
    EXPECT_EQ(vor::ColumnHelpLines(TableKind::Pieces, 5, 1).size(), 3u);
    EXPECT_EQ(vor::ColumnHelpLines(TableKind::Sheets, 2, 1), (Lines{"Quantidade"}));
    EXPECT_TRUE(vor::ColumnHelpLines(TableKind::Sheets, 6, 1).empty());
    vor::gShared = saved;
}

}  // namespace
