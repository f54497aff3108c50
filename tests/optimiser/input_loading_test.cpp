#include "vorplan/optimiser/input_loading.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "tests/support/test_support.h"
#include "vorplan/common/data_folders.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/text_file.h"

namespace {

using vor::CalcOptions;
using vor::CandidateSheet;
using vor::MaterialInput;
using vor::OptimiserWork;
using vor::RunStatus;
using vor::StatusCode;
using vor::StockEntry;

constexpr long long kMaterial = 7;
constexpr long long kPosition = 2;

// A sheet line as the table editor writes it.
std::string SheetLine(int mark, int code, const std::string& quantity, const std::string& length,
                      const std::string& width)
{
    return std::to_string(mark) + "      " + std::to_string(code) + "      " + quantity + "   " +
           length + "   " + width + " Chapa_inteira ABCDEFG12345";
}

// A merged piece-list line: the order's line as written, a blank and the order number.
std::string PieceLine(int mark, int code, const std::string& quantity, const std::string& width,
                      const std::string& height)
{
    return std::to_string(mark) + "      " + std::to_string(code) + "      " + quantity + "   " +
           width + "   " + height + "      7 Porta_de_cedro_ç 12 ABCD 12";
}

// Every status a load can leave.
struct Outcome {
    int status = 0;
    StatusCode text = StatusCode::None;
    bool operator==(const Outcome&) const = default;
};

void PrintTo(const Outcome& o, std::ostream* os)
{
    *os << "{status " << o.status << ", text " << vor::ToInt(o.text) << "}";
}

Outcome OutcomeOf(const RunStatus& status)
{
    return {status.status, status.text};
}

// Entries 1..count as {length, width, quantity, code}.
using Entry = std::array<std::int32_t, 4>;

std::vector<Entry> Entries(const vor::StockList& stock)
{
    std::vector<Entry> entries;
    for (long i = 1; i <= std::min(stock.count, vor::kStockCapacity); ++i) {
        const StockEntry& e = stock.entries[i];
        entries.push_back({e.length, e.width, e.quantity, e.code});
    }
    return entries;
}

// A fresh installation with material 7 at position 2 of the calculation;
// the message that names a line is "linha".
class InputLoading : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_savedMessages = vor::gShared.messages;
        vor::gShared.messages[804] = "linha";
    }
    void TearDown() override { vor::gShared.messages = m_savedMessages; }

    void WriteSheets(const std::vector<std::string>& lines)
    {
        vor::WriteTextLines(vor::SheetTableFile(m_folders, kMaterial), lines);
    }
    void WriteOffcuts(const std::vector<std::string>& lines)
    {
        vor::WriteTextLines(vor::OffcutTableFile(m_folders, kMaterial), lines);
    }
    void WritePieces(const std::vector<std::string>& lines)
    {
        vor::WriteTextLines(vor::MergedPieceListFile(m_folders, kPosition, kMaterial), lines);
    }
    MaterialInput Read() const { return vor::ReadMaterialInput(m_folders, kMaterial, kPosition); }

    void LoadStock(const CalcOptions& options,
                   const std::optional<CandidateSheet>& candidate = std::nullopt)
    {
        vor::LoadStock(Read(), options, candidate, m_work.stock, m_work.status);
    }
    void LoadPieces(const CalcOptions& options) { vor::LoadPieces(Read(), options, m_work); }

    vortest::TestInstallation m_installation;
    vor::DataFolders m_folders = vor::MakeDataFolders(m_installation.base());
    OptimiserWork m_work;

private:
    vor::MessageTable m_savedMessages;
};

// ---- Stock sheets and offcuts ------------------------------------------------------

TEST_F(InputLoading, SheetTableAndOffcutsAsTheSystemWritesThem)
{
    WriteSheets({SheetLine(1, 11, "2", "2750", "1830"),
                 SheetLine(0, 12, "5", "3000", "2000"),        // not marked
                 SheetLine(1, 13, "1", "2440,56", "1220.25"),  // 12202.5 rounds to even
                 "1 14 3 1000 500;a comment 9 9 9"});
    WriteOffcuts({"1,+,2,500.57,300,left over,", "2, ,4,900,900,not offered,",
                  "3,+,2.99,1200.09,800.7,Ret 7 1/2,"});
    CalcOptions options;
    options.useOffcuts = true;
    LoadStock(options);

    EXPECT_EQ(OutcomeOf(m_work.status), Outcome{});
    EXPECT_EQ(m_work.stock.count, 5);
    const std::vector<Entry> expected = {{27500, 18300, 2, 11},
                                         {24406, 12202, 1, 13},
                                         {12000, 8007, 2, -30},
                                         {10000, 5000, 3, 14},
                                         {5005, 3000, 2, -10}};
    EXPECT_EQ(Entries(m_work.stock), expected);
}

TEST_F(InputLoading, EachSourceOnlyWhenItsChoiceIsOn)
{
    WriteSheets({SheetLine(1, 11, "2", "2750", "1830")});
    WriteOffcuts({"1,+,2,500,300,x,"});
    const std::pair<bool, bool> choices[] = {{true, false}, {false, true}, {false, false}};
    for (const auto& [sheets, offcuts] : choices) {
        CalcOptions options;
        options.useSheets = sheets;
        options.useOffcuts = offcuts;
        LoadStock(options);
        EXPECT_EQ(m_work.stock.count, (sheets ? 1 : 0) + (offcuts ? 1 : 0));
        if (m_work.stock.count == 1) {
            EXPECT_EQ(m_work.stock.entries[1].code, sheets ? 11 : -10);
        }
    }
}

TEST_F(InputLoading, MissingFilesGiveEmptyLists)
{
    CalcOptions options;
    options.useOffcuts = true;
    options.extraProduction = false;
    LoadStock(options);
    LoadPieces(options);
    EXPECT_EQ(m_work.stock.count, 0);
    EXPECT_EQ(m_work.pieces.count, 0);
    EXPECT_EQ(m_work.totalPieces, 0);
    EXPECT_EQ(OutcomeOf(m_work.status), Outcome{});
}

TEST_F(InputLoading, InfiniteSheetsKeepTheCheckOnTheFileQuantity)
{
    WriteSheets({SheetLine(1, 11, "2", "2750", "1830"), SheetLine(1, 12, "30001", "2000", "1000")});
    WriteOffcuts({"1,+,3,500,300,x,"});
    CalcOptions options;
    options.infiniteSheets = true;
    options.useOffcuts = true;
    LoadStock(options);
    ASSERT_EQ(m_work.stock.count, 3);
    EXPECT_EQ(m_work.stock.entries[1].quantity, 99999);
    EXPECT_EQ(m_work.stock.entries[2].quantity, 99999);
    EXPECT_EQ(m_work.stock.entries[3].quantity, 3);  // offcuts are never infinite
    EXPECT_EQ(m_work.status.status, 14);
}

TEST_F(InputLoading, OffcutFieldsAreCutNotRounded)
{
    WriteOffcuts({"4,+,7.99,500.57,300.99,x,", "5,+,0.99,500,300,x,", "9,+,3,,400,empty width,"});
    const std::vector<vor::OffcutTableLine> expected = {
        {-40, 7, 5005, 3009}, {-50, 0, 5000, 3000}, {-90, 3, 0, 4000}};
    EXPECT_EQ(Read().offcuts, expected);

    CalcOptions options;
    options.useSheets = false;
    options.useOffcuts = true;
    LoadStock(options);
    // Quantity 0.99 is stored as 0; the empty width stays in its column and is 0.
    EXPECT_EQ(m_work.status.status, 13);
    m_work.status = {};
    WriteOffcuts({"5,+,0.99,500,300,x,"});
    LoadStock(options);
    EXPECT_EQ(m_work.status.status, 14);
}

TEST(OffcutCodes, RegressionCodesNeverCollideNorPassForASheet)
{
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        std::vector<std::int64_t> codes;
    };
    const Case cases[] = {
        {"row numbers as the editor saves them", {"1,+,1,500,300,a,", "2, ,1,500,300,b,",
                                                  "7,+,1,500,300,c,"}, {-10, -70}},
        {"a number that is not a number", {"1,+,1,500,300,a,", "abc,+,1,500,300,b,"}, {-10, -20}},
        {"0 and a negative number", {"0,+,1,500,300,a,", "-5,+,1,500,300,b,"}, {-10, -20}},
        {"a number that is not whole", {"1.5,+,1,500,300,a,", "3,+,1,500,300,b,"}, {-10, -20}},
        {"a number repeated, also on an unmarked row",
         {"4,+,1,500,300,a,", "4, ,1,500,300,b,", "6,+,1,500,300,c,"}, {-10, -30}},
        {"a number no code can hold", {"2,+,1,500,300,a,", "1e300,+,1,500,300,b,"}, {-10, -20}},
    };
    for (const Case& c : cases) {
        std::vector<std::int64_t> codes;
        for (const vor::OffcutTableLine& line : vor::ParseOffcutTableLines(c.lines))
            codes.push_back(line.code);
        EXPECT_EQ(codes, c.codes) << c.name;
    }
}

TEST_F(InputLoading, SortByAreaKeepsTiesInTheirOrder)
{
    WriteSheets({SheetLine(1, 1, "1", "1000", "2000"), SheetLine(1, 2, "1", "3000", "1000"),
                 SheetLine(1, 3, "1", "2000", "1000"), SheetLine(1, 4, "1", "500", "500"),
                 SheetLine(1, 5, "1", "1500", "2000")});
    const auto codes = [this] {
        std::vector<int> out;
        for (const Entry& e : Entries(m_work.stock))
            out.push_back(e[3]);
        return out;
    };
    CalcOptions options;
    options.sheetOrder = vor::SheetOrder::Increasing;
    LoadStock(options);
    EXPECT_EQ(codes(), (std::vector<int>{4, 1, 3, 2, 5}));
    for (const auto order :
         {std::optional{vor::SheetOrder::Decreasing}, std::optional{vor::SheetOrder::Free},
          std::optional<vor::SheetOrder>{}}) {
        options.sheetOrder = order;
        LoadStock(options);
        EXPECT_EQ(codes(), (std::vector<int>{2, 5, 1, 3, 4}));
    }
}

TEST_F(InputLoading, FiveHundredStockEntriesAndNoMore)
{
    for (const int lines : {500, 501}) {
        std::vector<std::string> table;
        for (int i = 1; i <= lines; ++i)
            table.push_back(SheetLine(1, i, i == 501 ? "0" : "1", "1000", "1000"));
        WriteSheets(table);
        m_work.status = {};
        LoadStock(CalcOptions{});
        SCOPED_TRACE(lines);
        EXPECT_EQ(m_work.stock.count, lines);
        EXPECT_EQ(m_work.stock.entries[500].code, 500);
        // The 501st line is left out but still checked.
        const Outcome expected = lines == 500 ? Outcome{} : Outcome{14, StatusCode::TooManySheets};
        EXPECT_EQ(OutcomeOf(m_work.status), expected);
    }
}

TEST_F(InputLoading, OffcutsCountTowardsTheFiveHundred)
{
    std::vector<std::string> table;
    for (int i = 1; i <= 500; ++i)
        table.push_back(SheetLine(1, i, "1", "1000", "1000"));
    WriteSheets(table);
    WriteOffcuts({"1,+,1,500,300,x,"});
    CalcOptions options;
    options.useOffcuts = true;
    LoadStock(options);
    EXPECT_EQ(m_work.stock.count, 501);
    EXPECT_EQ(m_work.status.text, StatusCode::TooManySheets);
    EXPECT_EQ(m_work.stock.entries[500].code, 500);
}

TEST_F(InputLoading, BestSheetSizeCandidateStandsInForTheSheetTable)
{
    WriteSheets({SheetLine(1, 11, "0", "2750", "1830")});  // bad, but never read
    WriteOffcuts({"1,+,2,5000,4000,x,"});
    const CandidateSheet candidate{15000, 12000};
    // "Chapas" is disabled in this mode: the candidate is used whether it is checked or not.
    for (const bool sheets : {true, false}) {
        CalcOptions options;
        options.bestSheetSizeMode = true;
        options.useSheets = sheets;
        options.infiniteSheets = true;
        options.useOffcuts = true;
        m_work.status = {};
        LoadStock(options, candidate);
        EXPECT_EQ(OutcomeOf(m_work.status), Outcome{});
        const std::vector<Entry> expected = {{50000, 40000, 2, -10}, {15000, 12000, 9999, 1}};
        EXPECT_EQ(Entries(m_work.stock), expected) << sheets;
    }
}

// ---- Pieces ------------------------------------------------------------------------

TEST_F(InputLoading, PieceSizesTakeBordersAndAllowances)
{
    WritePieces({PieceLine(1, 1, "3", "600", "400"), PieceLine(0, 2, "5", "100", "100"),
                 PieceLine(2, 3, "1", "250,25", "1200,35"), "1 4 2 300;7 250"});
    CalcOptions options;
    options.pieceBorderWidth = vor::LengthFromText("2");
    options.pieceBorderHeight = vor::LengthFromText("3");
    options.material.pieceAllowanceLength = 10;
    options.material.pieceAllowanceWidth = 10;
    options.multiplier = 4;
    LoadPieces(options);

    ASSERT_EQ(m_work.pieces.count, 3);
    const auto& p = m_work.pieces.pieces;
    EXPECT_EQ((std::vector<int>{p[1].id, p[1].length, p[1].width, p[1].quantity}),
              (std::vector<int>{1, 6030, 4040, 12}));
    EXPECT_EQ((std::vector<int>{p[2].id, p[2].length, p[2].width, p[2].quantity}),
              (std::vector<int>{2, 2532, 12044, 4}));  // halves to even
    // The text after ";" holds no field.
    EXPECT_EQ((std::vector<int>{p[3].id, p[3].length, p[3].width, p[3].quantity}),
              (std::vector<int>{3, 3030, 40, 8}));
    EXPECT_EQ(m_work.totalPieces, 24);
    // Taken over the columns as integers, millimetres.
    EXPECT_EQ(m_work.smallestDimension, 0);
    EXPECT_EQ(m_work.largestDimension, 1200);
    EXPECT_FALSE(m_work.extraProduction);
    // Height column 0 (as an integer) is out of range.
    EXPECT_EQ(m_work.status.status, 10);
}

TEST_F(InputLoading, ExtraPieceComesLastWithoutBorders)
{
    WritePieces({PieceLine(1, 1, "2", "600", "400"), PieceLine(1, 2, "1", "250", "300")});
    CalcOptions options;
    options.extraProduction = true;
    options.extraPieceLength = vor::LengthFromText("500");
    options.extraPieceWidth = vor::LengthFromText("300");
    options.pieceBorderWidth = 20;
    options.material.pieceAllowanceLength = 10;
    LoadPieces(options);

    ASSERT_EQ(m_work.pieces.count, 3);
    const vor::Piece& extra = m_work.pieces.pieces[3];
    EXPECT_EQ((std::vector<int>{extra.id, extra.length, extra.width, extra.quantity}),
              (std::vector<int>{-1, 5000, 3000, 900}));
    EXPECT_TRUE(m_work.extraProduction);
    EXPECT_EQ(m_work.totalPieces, 903);
    EXPECT_EQ(m_work.smallestDimension, 250);
    EXPECT_EQ(OutcomeOf(m_work.status), Outcome{});

    // Its placed sizes count in the smallest dimension, not in the largest.
    options.extraPieceLength = 120;
    options.extraPieceWidth = 9000;
    LoadPieces(options);
    EXPECT_EQ(m_work.smallestDimension, 120);
    EXPECT_EQ(m_work.largestDimension, 600);
}

TEST_F(InputLoading, PieceLinesUpToTheCapacity)
{
    struct Case {
        int lines;
        bool extra;
        long count;
        StatusCode text;
    };
    const Case cases[] = {
        {1098, true, 1099, StatusCode::None},
        {1099, false, 1099, StatusCode::None},
        {1099, true, 1100, StatusCode::TooManyPieceLines},
        {1100, false, 1100, StatusCode::TooManyPieceLines},
        {1200, true, 1101, StatusCode::TooManyPieceLines},
    };
    for (const Case& c : cases) {
        std::vector<std::string> lines;
        for (int i = 1; i <= c.lines; ++i)
            lines.push_back(PieceLine(1, i, i == 1101 ? "0" : "1", "100", "100"));
        WritePieces(lines);
        CalcOptions options;
        options.extraProduction = c.extra;
        m_work.status = {};
        LoadPieces(options);
        SCOPED_TRACE(testing::Message() << c.lines << (c.extra ? " + extra" : ""));
        EXPECT_EQ(static_cast<long>(Read().pieces.size()), std::min(c.lines, 1100));
        EXPECT_EQ(m_work.pieces.count, c.count);
        // Lines past the 1 100th piece are never read: line 1101's quantity 0 goes unseen.
        EXPECT_EQ(OutcomeOf(m_work.status), (Outcome{0, c.text}));
        if (c.extra) {
            EXPECT_EQ(m_work.pieces.pieces[c.count].id, -1);
        }
    }
}

TEST_F(InputLoading, DetailTextNamesTheQuantityAndTheLine)
{
    WritePieces({PieceLine(1, 1, "2", "600", "400"), PieceLine(0, 2, "0", "600", "400"),
                 PieceLine(1, 3, "0", "600", "400"), PieceLine(1, 4, "5", "600", "400")});
    CalcOptions options;
    options.multiplier = 3;
    LoadPieces(options);
    EXPECT_EQ(m_work.status.status, 18);
    // The line's own quantity, and its place counting the unmarked line too.
    EXPECT_EQ(m_work.status.detail, " (0, linha 3)");

    WritePieces({PieceLine(1, 1, "30001", "600", "400")});
    m_work.status = {};
    LoadPieces(options);
    EXPECT_EQ(m_work.status.status, 11);
    EXPECT_EQ(m_work.status.detail, " (30001, linha 1)");
}

TEST_F(InputLoading, LaterBadValueOverwritesAnEarlierOne)
{
    WritePieces({PieceLine(1, 1, "0", "600", "400"), PieceLine(1, 2, "2", "600", "400"),
                 PieceLine(1, 3, "2", "0", "400")});
    LoadPieces(CalcOptions{});
    // Line 3's width column overwrites line 1's quantity; within line 3 the
    // length check (34) comes first and the column check last.
    EXPECT_EQ(m_work.status.status, 9);
    EXPECT_EQ(m_work.status.detail, " (2, linha 3)");

    WriteSheets({SheetLine(1, 1, "0", "2750", "1830"), SheetLine(1, 2, "1", "2750", "0"),
                 SheetLine(1, 3, "1", "0", "1830")});
    m_work.status = {};
    LoadStock(CalcOptions{});
    EXPECT_EQ(m_work.status.status, 13);
}

// ---- Every status from bad inputs -------------------------------------------------

struct BadInput {
    const char* name;
    std::vector<std::string> sheets;
    std::vector<std::string> offcuts;
    std::vector<std::string> pieces;
    void (*adjust)(CalcOptions&);
    Outcome expected;
};

void NoChange(CalcOptions&) {}

const std::string kSheet = SheetLine(1, 1, "1", "2750", "1830");
const std::string kPiece = PieceLine(1, 1, "1", "600", "400");

std::string Sheet(const std::string& quantity, const std::string& length, const std::string& width)
{
    return SheetLine(1, 1, quantity, length, width);
}

std::string Piece(const std::string& quantity, const std::string& width, const std::string& height)
{
    return PieceLine(1, 1, quantity, width, height);
}

std::vector<BadInput> BadInputs()
{
    const auto extra = [](CalcOptions& o) { o.extraProduction = true; };
    const StatusCode t34 = StatusCode::BadExtraPieceOrLength;
    const StatusCode t27 = StatusCode::TooManyPiecesInTotal;
    const std::string p30000 = Piece("30000", "600", "400");
    // clang-format off
    return {
        {"sheet quantity 0", {Sheet("0", "2750", "1830")}, {}, {kPiece}, NoChange, {14}},
        {"sheet quantity 30001", {Sheet("30001", "2750", "1830")}, {}, {kPiece}, NoChange, {14}},
        {"sheet quantity 30000", {Sheet("30000", "2750", "1830")}, {}, {kPiece}, NoChange, {0}},
        {"sheet length 0.5 (0 as an integer)", {Sheet("1", "0.5", "1830")}, {}, {kPiece},
         NoChange, {13}},
        {"sheet length 99999991", {Sheet("1", "99999991", "1830")}, {}, {kPiece}, NoChange, {13}},
        {"sheet length 99999990", {Sheet("1", "99999990", "1830")}, {}, {kPiece}, NoChange, {0}},
        {"sheet width 0", {Sheet("1", "2750", "0")}, {}, {kPiece}, NoChange, {12}},
        {"sheet width -5", {Sheet("1", "2750", "-5")}, {}, {kPiece}, NoChange, {12}},
        {"sheet width 99999991", {Sheet("1", "2750", "99999991")}, {}, {kPiece}, NoChange, {12}},
        // The integer reading stops at "e"; the length itself would not fit.
        {"sheet length 3e8", {Sheet("1", "3e8", "1830")}, {}, {kPiece}, NoChange, {13}},
        {"sheet line cut at \";\"", {"1 1 1;5 2750 1830 x"}, {}, {kPiece}, NoChange, {12}},
        {"sheet width 1e300", {Sheet("1", "2750", "1e300")}, {}, {kPiece}, NoChange, {12}},
        {"offcut quantity 0", {}, {"1,+,0,500,300,x,"}, {kPiece}, NoChange, {14}},
        {"offcut quantity 30001", {}, {"1,+,30001,500,300,x,"}, {kPiece}, NoChange, {14}},
        {"offcut length 0.09", {}, {"1,+,1,0.09,300,x,"}, {kPiece}, NoChange, {13}},
        {"offcut length 0.1", {}, {"1,+,1,0.1,300,x,"}, {kPiece}, NoChange, {0}},
        // The check is on the stored tenths: 9 999 999.1 mm is 99 999 991.
        {"offcut width 9999999.1", {}, {"1,+,1,500,9999999.1,x,"}, {kPiece}, NoChange, {12}},
        {"offcut width 9999999", {}, {"1,+,1,500,9999999,x,"}, {kPiece}, NoChange, {0}},
        {"offcut length 1e300", {}, {"1,+,1,1e300,300,x,"}, {kPiece}, NoChange, {13}},
        {"unmarked bad offcuts", {},
         {"1, ,0,0,0,x,", "2,-,0,0,0,x,", "3, +,0,0,0,x,", "4,,0,0,0,x,"}, {kPiece},
         NoChange, {0}},
        {"placed length below 1", {kSheet}, {}, {Piece("1", "1", "400")},
         [](CalcOptions& o) { o.pieceBorderWidth = -20; }, {34}},
        {"placed width below 1", {kSheet}, {}, {Piece("1", "600", "1")},
         [](CalcOptions& o) { o.material.pieceAllowanceWidth = -10; }, {35}},
        // "1e-3" reads as 1 for the check and as 0 tenths for the size.
        {"width 1e-3", {kSheet}, {}, {Piece("1", "1e-3", "400")}, NoChange, {34}},
        {"piece quantity 30001", {kSheet}, {}, {Piece("30001", "600", "400")}, NoChange, {11}},
        {"piece quantity 0", {kSheet}, {}, {Piece("0", "600", "400")}, NoChange, {18}},
        {"piece quantity -3", {kSheet}, {}, {Piece("-3", "600", "400")}, NoChange, {18}},
        {"piece width 99999991", {kSheet}, {}, {Piece("1", "99999991", "400")}, NoChange, {9}},
        {"piece width 0", {kSheet}, {}, {Piece("1", "0", "400")}, NoChange, {9}},
        {"piece height 99999991", {kSheet}, {}, {Piece("1", "600", "99999991")}, NoChange, {10}},
        {"piece height 1e300", {kSheet}, {}, {Piece("1", "600", "1e300")}, NoChange, {10}},
        {"piece width past 32 bits with its border", {kSheet}, {}, {kPiece},
         [](CalcOptions& o) { o.pieceBorderWidth = 3'000'000'000; }, {9}},
        {"unmarked bad piece", {kSheet}, {}, {PieceLine(0, 1, "0", "0", "0"), kPiece},
         NoChange, {0}},
        {"extra piece 0 long", {kSheet}, {}, {kPiece},
         [](CalcOptions& o) { o.extraProduction = true; o.extraPieceLength = 0; }, {0, t34}},
        {"extra piece 9999999 wide", {kSheet}, {}, {kPiece},
         [](CalcOptions& o) { o.extraProduction = true; o.extraPieceWidth = 9'999'999; }, {0}},
        {"extra piece 10000000 wide", {kSheet}, {}, {kPiece},
         [](CalcOptions& o) { o.extraProduction = true; o.extraPieceWidth = 10'000'000; },
         {0, t34}},
        {"70000 pieces in total", {kSheet}, {},
         {p30000, p30000, Piece("10000", "600", "400")}, NoChange, {0}},
        {"70001 pieces in total", {kSheet}, {},
         {p30000, p30000, Piece("10001", "600", "400")}, NoChange, {0, t27}},
        {"the extra piece's 900 count in the total", {kSheet}, {},
         {p30000, p30000, Piece("9101", "600", "400")}, extra, {0, t27}},
        {"the multiplier counts in the total, not in the line check", {kSheet}, {}, {p30000},
         [](CalcOptions& o) { o.multiplier = 3; }, {0, t27}},
    };
    // clang-format on
}

TEST_F(InputLoading, EveryStatusFromBadInputs)
{
    for (const BadInput& c : BadInputs()) {
        WriteSheets(c.sheets);
        WriteOffcuts(c.offcuts);
        WritePieces(c.pieces);
        CalcOptions options;
        options.useOffcuts = true;
        c.adjust(options);
        m_work.status = {};
        LoadStock(options);
        LoadPieces(options);
        EXPECT_EQ(OutcomeOf(m_work.status), c.expected)
            << c.name << ": status " << m_work.status.status << ", text "
            << vor::ToInt(m_work.status.text);
    }
}

TEST_F(InputLoading, CandidateLongerThanASheetCanBe)
{
    const std::pair<CandidateSheet, int> cases[] = {
        {{99'999'990, 12000}, 0}, {{99'999'991, 12000}, 13}, {{15000, 30'000'000'000}, 12}};
    for (const auto& [candidate, status] : cases) {
        CalcOptions options;
        options.bestSheetSizeMode = true;
        m_work.status = {};
        LoadStock(options, candidate);
        EXPECT_EQ(m_work.status.status, status) << candidate.length << "x" << candidate.width;
        EXPECT_EQ(m_work.stock.count, 1);
    }
}

// ---- Reuse -------------------------------------------------------------------------

TEST_F(InputLoading, ParsedInputReloadsEveryTrialAlike)
{
    WriteSheets({SheetLine(1, 11, "2", "2750", "1830"), SheetLine(1, 12, "4", "3000", "2000")});
    WritePieces({PieceLine(1, 1, "2", "600", "400"), PieceLine(1, 2, "3", "250", "300")});
    const MaterialInput input = Read();
    CalcOptions options;
    options.extraProduction = true;

    vor::LoadStock(input, options, std::nullopt, m_work.stock, m_work.status);
    vor::LoadPieces(input, options, m_work);
    const std::vector<Entry> firstStock = Entries(m_work.stock);
    const long firstCount = m_work.pieces.count;

    // A trial uses up quantities; the next one starts from the file's again.
    m_work.stock.entries[1].quantity = 0;
    m_work.pieces.pieces[1].quantity = 0;
    m_work.smallestDimension = 1;
    vor::LoadStock(input, options, std::nullopt, m_work.stock, m_work.status);
    vor::LoadPieces(input, options, m_work);
    EXPECT_EQ(Entries(m_work.stock), firstStock);
    EXPECT_EQ(m_work.pieces.count, firstCount);
    EXPECT_EQ(m_work.pieces.pieces[1].quantity, 2);
    EXPECT_EQ(m_work.smallestDimension, 250);
    EXPECT_EQ(m_work.totalPieces, 905);
}

}  // namespace
