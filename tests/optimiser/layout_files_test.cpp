#include "vorplan/optimiser/layout_files.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/test_support.h"
#include "vorplan/common/data_folders.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/text_file.h"

namespace {

namespace fs = std::filesystem;
using vor::LayoutFileLine;
using vor::OrderLine;
using vor::OrderTable;
using vortest::ReadBytes;
using vortest::WriteBytes;

constexpr long long kMaterial = 12;

std::string Golden(const char* name)
{
    return ReadBytes(fs::path(VOR_SOURCE_DIR) / "tests/optimiser/golden" / name);
}

// Data files as the system writes them: Windows-1252, CR LF.
void WriteLines(const fs::path& path, const std::vector<std::string>& lines)
{
    WriteBytes(path, vor::EncodeTextLines(lines));
}

class FailingWrites : public vor::FileOps {
public:
    ssize_t Write(int, const char*, std::size_t) override
    {
        errno = ENOSPC;
        return -1;
    }
};

void Add(vor::BestLayout& layout, vor::ElementType type, int code, int x, int y, int l, int h)
{
    vor::RunStatus status;
    layout.Append({type, code, x, y, l, h}, status);
}

// Sheet 2750 x 1830 mm with borders 10/10/5/5 mm (usable 27300 x 18200),
// kerf 4 mm, cut twice (X = 1): pieces 1 and 3 as given, piece 2 turned,
// then the discarded rectangles in the order they were discarded, the last
// one a degenerate child.
vor::BestLayout SmallLayout()
{
    using vor::ElementType;
    vor::BestLayout layout;
    Add(layout, ElementType::Sheet, 3, 1, 0, 27500, 18300);
    Add(layout, ElementType::Piece, 1, 0, 0, 6030, 4040);
    Add(layout, ElementType::Piece, 2, 6070, 0, 5040, 8035);
    Add(layout, ElementType::Piece, 3, 0, 4080, 3532, 2040);
    Add(layout, ElementType::Discarded, 1, 3572, 4080, 2458, 2040);
    Add(layout, ElementType::Discarded, 2, 0, 6160, 6030, 12040);
    Add(layout, ElementType::Discarded, 3, 6070, 8075, 5040, 10125);
    Add(layout, ElementType::Discarded, 4, 11150, 0, 16150, 18200);
    Add(layout, ElementType::Discarded, 5, 11150, 18240, 16150, -40);
    return layout;
}

// The merged piece list of the small layout: piece table lines, each with the
// order number appended. 600 x 400 mm with piece borders 2 / 3 mm and
// allowances of 1 mm is placed as 6030 x 4040; "800,5" reads with the comma;
// 350.25 mm is 3502.5 tenths and rounds to the even 3502.
const std::vector<std::string> kMergedPieceList = {
    "1    101      4    600    400     12 Porta_lateral 77 ABCD 77",
    "0    109      9    600    400     12 Desmarcada 77 ABCD 77",
    "1    102      2  800,5    500     12 Tampo_média 77 ABCD 77",
    ";1    104      1    100    100     12 Comentada 77 ABCD 77",
    "1    103      2 350.25    200     12 --- 78 ABCD 78",
};

// Piece borders 2 mm (width box) and 3 mm (height box), material allowances
// 1 mm each; border boxes 8/9/4/4.5 mm plus trims 2/1/1/0.5 mm give 10/10/5/5.
vor::CalcOptions SmallOptions()
{
    vor::CalcOptions options;
    options.pieceBorderWidth = 20;
    options.pieceBorderHeight = 30;
    options.sheetBorders = {80, 90, 40, 45};
    options.material.code = kMaterial;
    options.material.pieceAllowanceLength = 10;
    options.material.pieceAllowanceWidth = 10;
    options.material.trimLeft = 20;
    options.material.trimRight = 10;
    options.material.trimBottom = 10;
    options.material.trimTop = 5;
    return options;
}

class LayoutFilesTest : public ::testing::Test {
protected:
    vortest::TestInstallation inst;
    vor::DataFolders f = vor::MakeDataFolders(inst.base());
    vor::LayoutFileSettings settings =
        vor::MakeLayoutFileSettings(SmallOptions(), "Chapa inteira", "Retalho");

    fs::path Mte(long long n) const { return vor::TempLayoutFile(f, n, kMaterial); }
    fs::path Mon(long long n) const { return vor::LayoutFile(f, n, kMaterial); }
};

TEST_F(LayoutFilesTest, SettingsTakeTheBordersInEffectAndThePieceAllowances)
{
    EXPECT_EQ(settings.borders, (vor::SheetBorders{100, 100, 50, 50}));
    EXPECT_EQ(settings.lengthAllowance, 30);
    EXPECT_EQ(settings.widthAllowance, 40);
}

TEST_F(LayoutFilesTest, TempFileMatchesGolden)
{
    EXPECT_FALSE(vor::WriteTempLayoutFile(f, 1, kMaterial, SmallLayout()).has_value());
    EXPECT_EQ(Mte(1).filename(), "001-00012.MTE");
    EXPECT_EQ(ReadBytes(Mte(1)), Golden("layout_small.MTE"));
}

TEST_F(LayoutFilesTest, LayoutFileMatchesGoldenAndCountsEveryRepetition)
{
    WriteBytes(Mte(1), Golden("layout_small.MTE"));
    const fs::path all = vor::MergedPieceListFile(f, 1, kMaterial);
    WriteLines(all, kMergedPieceList);

    OrderTable orders = vor::ReadOrderTable(all, 1);
    EXPECT_EQ(vor::PiecesSelected(orders), 8);

    const vor::LayoutFilesResult result = vor::WriteLayoutFiles(f, kMaterial, 1, settings, orders);
    EXPECT_TRUE(result.problems.empty());
    EXPECT_EQ(Mon(1).filename(), "001-00012.MON");
    EXPECT_EQ(ReadBytes(Mon(1)), Golden("layout_small.MON"));
    // Three matched lines on a sheet cut twice.
    EXPECT_EQ(result.piecesPlaced, 6);
    ASSERT_EQ(orders.size(), 3u);
    EXPECT_EQ(orders[0].remaining, 2);
    EXPECT_EQ(orders[1].remaining, 0);
    EXPECT_EQ(orders[2].remaining, 0);
}

TEST_F(LayoutFilesTest, OrderLinesAreConsumedAcrossTheLayoutsOfAMaterial)
{
    // Layout 1 takes both pieces of line 103's size; layout 2's piece of that
    // size then goes to the equal line after it.
    const std::vector<std::string> all = {"1 103 2 350.25 200 12 Primeira 5",
                                          "1 203 9 350.25 200 12 Segunda 6"};
    OrderTable orders = vor::MakeOrderTable(all, 1);
    const auto sheet = vor::LayoutElementColumns(0, 3, 0, 0, 27500, 18300);
    const auto piece = vor::LayoutElementColumns(1, 1, 0, 0, 3532, 2040);
    WriteLines(Mte(1), {sheet, piece, piece});
    WriteLines(Mte(2), {sheet, piece});

    const vor::LayoutFilesResult result = vor::WriteLayoutFiles(f, kMaterial, 2, settings, orders);
    EXPECT_EQ(result.piecesPlaced, 3);
    const auto second = vor::ReadLayoutFileContents(Mon(2));
    ASSERT_TRUE(second.has_value());
    ASSERT_EQ(second->lines.size(), 3u);
    EXPECT_EQ(second->lines[2].code, 203);
    EXPECT_EQ(second->lines[2].order, 6);
}

TEST_F(LayoutFilesTest, MissingTempFileIsReportedAndTheRunGoesOn)
{
    // An earlier calculation left a layout file 1; this run has no .MTE for it.
    WriteLines(Mon(1), {"; old", "    0     9       0       0     100     100 Velha 0"});
    WriteBytes(Mte(2), Golden("layout_small.MTE"));
    OrderTable orders = vor::MakeOrderTable(kMergedPieceList, 1);

    const vor::LayoutFilesResult result = vor::WriteLayoutFiles(f, kMaterial, 2, settings, orders);
    ASSERT_EQ(result.problems.size(), 1u);
    EXPECT_EQ(result.problems[0].code, 2007);
    EXPECT_EQ(result.problems[0].Text(),
              "Internal error 2007: Acesso ao arquivo " + Mte(1).string());
    EXPECT_FALSE(fs::exists(Mon(1)));  // never shown as this calculation's
    EXPECT_EQ(ReadBytes(Mon(2)), Golden("layout_small.MON"));
    EXPECT_EQ(result.piecesPlaced, 6);
}

TEST_F(LayoutFilesTest, FailedWritesLeaveTheOldFiles)
{
    FailingWrites failing;
    WriteLines(Mte(1), {"old temporary"});
    WriteLines(Mon(1), {"old layout"});
    const std::string oldMte = ReadBytes(Mte(1));
    const std::string oldMon = ReadBytes(Mon(1));

    const auto problem = vor::WriteTempLayoutFile(f, 1, kMaterial, SmallLayout(), failing);
    ASSERT_TRUE(problem.has_value());
    EXPECT_EQ(problem->code, 3003);
    EXPECT_EQ(problem->Text(), "Internal error 3003");
    EXPECT_EQ(ReadBytes(Mte(1)), oldMte);

    OrderTable orders = vor::MakeOrderTable(kMergedPieceList, 1);
    EXPECT_THROW(vor::WriteLayoutFiles(f, kMaterial, 1, settings, orders, failing), vor::IoError);
    EXPECT_EQ(ReadBytes(Mon(1)), oldMon);

    vor::StripLayout strip;
    strip.entries.push_back({0, 0, 100, 100, 1});
    EXPECT_EQ(vor::WriteStripLayoutFiles(f, kMaterial, {strip}, failing),
              (std::vector<long long>{1}));
    EXPECT_EQ(ReadBytes(Mon(1)), oldMon);

    // A MONT folder that is gone is a failed write too, not a crash.
    fs::remove_all(f.mont);
    EXPECT_EQ(vor::WriteTempLayoutFile(f, 1, kMaterial, SmallLayout())->code, 3003);
}

// The layout of 2750 x 1850 mm for strips of 1000 x 600 mm of the direct strip
// cutting: seven strips (the sixth turned) and four leftovers, recorded mixed.
vor::StripLayout SevenStrips()
{
    vor::StripLayout layout;
    layout.sheetWidth = 27500;
    layout.sheetHeight = 18500;
    layout.furtherSheets = 1;
    layout.entries = {
        {0, 0, 10000, 6000, 1},     {0, 6000, 10000, 6000, 1},      {10000, 0, 10000, 6000, 1},
        {0, 12000, 10000, 6000, 1}, {10000, 6000, 10000, 6000, 1},  {20000, 0, 6000, 10000, 1},
        {0, 18000, 10000, 500, 2},  {10000, 12000, 10000, 6000, 1}, {20000, 10000, 6000, 8500, 2},
        {26000, 0, 1500, 18500, 2}, {10000, 18000, 10000, 500, 2},
    };
    return layout;
}

TEST_F(LayoutFilesTest, StripFilesMatchGoldenAndAreNumberedOverKindsWithStrips)
{
    // A kind that took no strip keeps one closed rectangle and gets no file.
    vor::StripLayout none;
    none.sheetWidth = 5000;
    none.sheetHeight = 5000;
    none.entries.push_back({0, 0, 5000, 5000, 2});
    WriteLines(Mon(2), {"left by an earlier run"});

    EXPECT_TRUE(vor::WriteStripLayoutFiles(f, kMaterial, {none, SevenStrips()}).empty());
    EXPECT_EQ(ReadBytes(Mon(1)), Golden("layout_strip.MON"));
    EXPECT_FALSE(fs::exists(Mon(2)));

    // No kind with strips: layout file 1 goes.
    EXPECT_TRUE(vor::WriteStripLayoutFiles(f, kMaterial, {none}).empty());
    EXPECT_FALSE(fs::exists(Mon(1)));
}

TEST(LayoutElementColumns, PadsToTheColumnWidthsAndKeepsWideValuesApart)
{
    struct Case {
        long long type, code, x, y, l, h;
        const char* expected;
    };
    const Case cases[] = {
        {0, 3, 1, 0, 27500, 18300, "    0     3       1       0   27500   18300"},
        {0, -30, 0, 0, 1200, 800, "    0   -30       0       0    1200     800"},
        {4, 5, 11150, 18240, 16150, -40, "    4     5   11150   18240   16150     -40"},
        {1, 99999, 9999999, -999999, 0, 0, "    1 99999 9999999 -999999       0       0"},
        // Values that fill or pass their column are written whole after a blank.
        {1, 123456, 12345678, 0, 123456789, -1234567,
         "    1 123456 12345678       0 123456789 -1234567"},
        {123456, 0, 0, 0, 0, 0, "123456     0       0       0       0       0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(vor::LayoutElementColumns(c.type, c.code, c.x, c.y, c.l, c.h), c.expected)
            << c.expected;
}

TEST(LayoutFileDescription, KeepsEveryFieldInItsPlace)
{
    const std::pair<const char*, const char*> cases[] = {
        {"Chapa inteira", "Chapa_inteira"},
        {"", "---"},
        {" ", "---"},
        {"  a  b ", "a__b"},
        {"a;b", "a_b"},
        {"x\ty\r\nz", "x_y__z"},
        {"Tampo_média", "Tampo_média"},
        {"---", "---"},
    };
    for (const auto& [text, stored] : cases)
        EXPECT_EQ(vor::LayoutFileDescription(text), stored) << text;
}

TEST(OrderTable, TakesMarkedLinesInTenthsTimesTheMultiplier)
{
    const std::vector<std::string> lines = {
        "1    101      4    600    400     12 Porta_lateral 77 ABCD 77",
        "2 5 1 0,35 0.25 12 Meio 9",  // any mark above 0; halves on the decimal value
        "0 6 1 100 100 12 Desmarcada 9",
        "? 7 1 100 100 12 Sinal 9",
        "-1 8 1 100 100 12 Negativa 9",
        "1 9 2 100 100 12 ; comentario 5",  // cut at ";": no description, no order
        "1 10 1 100 100 12 Colada ABC 44",  // the clipboard import's tail: order 0
        "1 11 3 100.04 99.96 12 Junta 55",  // the project merge's short line plus its order
        ";1 12 1 100 100 12 Comentada 9",
        "",
    };
    const OrderTable orders = vor::MakeOrderTable(lines, 3);
    const OrderTable expected = {
        {101, 6000, 4000, 12, "Porta_lateral", 77},
        {5, 4, 2, 3, "Meio", 9},
        {9, 1000, 1000, 6, "", 0},
        {10, 1000, 1000, 3, "Colada", 0},
        {11, 1000, 1000, 9, "Junta", 55},
    };
    ASSERT_EQ(orders.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(orders[i].code, expected[i].code) << i;
        EXPECT_EQ(orders[i].length, expected[i].length) << i;
        EXPECT_EQ(orders[i].width, expected[i].width) << i;
        EXPECT_EQ(orders[i].remaining, expected[i].remaining) << i;
        EXPECT_EQ(orders[i].description, expected[i].description) << i;
        EXPECT_EQ(orders[i].order, expected[i].order) << i;
    }
    EXPECT_EQ(vor::PiecesSelected(orders), 33);

    // Hostile sizes neither throw nor match anything real.
    EXPECT_EQ(vor::MakeOrderTable({"1 1 1 1e300 -1e300 12 X 1"}, 1).size(), 1u);
    EXPECT_TRUE(vor::ReadOrderTable("/nonexistent/ALL001.012", 1).empty());
}

// ---- Edge cases of turning a temporary file into a layout file ---------------

struct Element {
    int type, code, x, y, l, h;
    std::string description;
    int order;
};

struct EdgeCase {
    const char* name;
    std::vector<std::string> temp;
    OrderTable orders;
    vor::SheetBorders borders;
    std::vector<Element> expected;  // the element lines of the layout file
    long long placed;
    std::vector<long long> remaining;
};

std::string TempLine(int type, int code, int x, int y, int l, int h)
{
    return vor::LayoutElementColumns(type, code, x, y, l, h);
}

OrderLine Line(int code, int length, int width, long long quantity, std::string description,
               int order)
{
    return {code, length, width, quantity, std::move(description), order};
}

TEST(LayoutFileLines, EdgeCases)
{
    const vor::SheetBorders borders{10, 20, 30, 40};
    const Element bordersLine{5, 0, 10, 20, 30, 40, "Borda_de_seg", 0};
    const EdgeCase cases[] = {
        {"a layout cut 4 times adds 4 per matched piece line",
         {TempLine(0, 3, 3, 0, 1000, 1000), TempLine(1, 1, 0, 0, 100, 50),
          TempLine(1, 1, 0, 54, 100, 50)},
         {Line(7, 100, 50, 10, "Porta", 70)},
         borders,
         {{0, 3, 3, 0, 1000, 1000, "Chapa", 0},
          bordersLine,
          {1, 7, 0, 0, 100, 50, "Porta", 70},
          {1, 7, 0, 54, 100, 50, "Porta", 70}},
         8,
         {2}},
        {"a turned piece matches through the exchanged sizes; the size as placed comes first",
         {TempLine(0, 3, 0, 0, 1000, 1000), TempLine(1, 1, 0, 0, 100, 50),
          TempLine(1, 2, 0, 54, 50, 100)},
         {Line(7, 50, 100, 1, "Alta", 70), Line(8, 100, 50, 1, "Larga", 80)},
         borders,
         {{0, 3, 0, 0, 1000, 1000, "Chapa", 0},
          bordersLine,
          {1, 8, 0, 0, 100, 50, "Larga", 80},
          {1, 7, 0, 54, 50, 100, "Alta", 70}},
         2,
         {0, 0}},
        {"equal order lines: the first with quantity left until it is used up",
         {TempLine(0, 3, 0, 0, 1000, 1000), TempLine(1, 1, 0, 0, 100, 50),
          TempLine(1, 1, 0, 54, 100, 50), TempLine(1, 1, 0, 108, 100, 50)},
         {Line(7, 100, 50, 1, "A", 1), Line(8, 100, 50, 5, "B", 2)},
         borders,
         {{0, 3, 0, 0, 1000, 1000, "Chapa", 0},
          bordersLine,
          {1, 7, 0, 0, 100, 50, "A", 1},
          {1, 8, 0, 54, 100, 50, "B", 2},
          {1, 8, 0, 108, 100, 50, "B", 2}},
         3,
         {0, 3}},
        {"regression: a repeated layout's pieces go to the customer whose line covers them",
         {TempLine(0, 3, 2, 0, 1000, 1000), TempLine(1, 1, 0, 0, 5000, 5000),
          TempLine(1, 1, 5004, 0, 5000, 5000), TempLine(1, 1, 0, 5004, 5000, 5000),
          TempLine(1, 1, 5004, 5004, 5000, 5000)},
         {Line(31, 5000, 5000, 1, "Cliente_A", 1), Line(32, 5000, 5000, 12, "Cliente_B", 2)},
         borders,
         {{0, 3, 2, 0, 1000, 1000, "Chapa", 0},
          bordersLine,
          {1, 32, 0, 0, 5000, 5000, "Cliente_B", 2},
          {1, 32, 5004, 0, 5000, 5000, "Cliente_B", 2},
          {1, 32, 0, 5004, 5000, 5000, "Cliente_B", 2},
          {1, 32, 5004, 5004, 5000, 5000, "Cliente_B", 2}},
         12,
         {1, 0}},
        {"a line that covers the repetitions turned comes before one that does not as placed",
         {TempLine(0, 3, 1, 0, 1000, 1000), TempLine(1, 1, 0, 0, 100, 50)},
         {Line(7, 100, 50, 1, "Larga", 1), Line(8, 50, 100, 2, "Alta", 2)},
         borders,
         {{0, 3, 1, 0, 1000, 1000, "Chapa", 0}, bordersLine, {1, 8, 0, 0, 100, 50, "Alta", 2}},
         2,
         {1, 0}},
        {"no line covers the repetitions: the first with any left, taken below 0",
         {TempLine(0, 3, 2, 0, 1000, 1000), TempLine(1, 1, 0, 0, 100, 50),
          TempLine(1, 1, 0, 54, 100, 50)},
         {Line(7, 100, 50, 1, "A", 1), Line(8, 100, 50, 5, "B", 2)},
         borders,
         {{0, 3, 2, 0, 1000, 1000, "Chapa", 0},
          bordersLine,
          {1, 8, 0, 0, 100, 50, "B", 2},
          {1, 7, 0, 54, 100, 50, "A", 1}},
         6,
         {-2, 2}},
        {"the borders line follows the sheet also when every border is 0",
         {TempLine(0, 0, 0, 0, 1000, 1000)},
         {},
         {},
         {{0, 0, 0, 0, 1000, 1000, "Chapa", 0}, {5, 0, 0, 0, 0, 0, "Borda_de_seg", 0}},
         0,
         {}},
        {"an offcut used as sheet takes the offcut text",
         {TempLine(0, -30, 0, 0, 800, 600)},
         {},
         borders,
         {{0, -30, 0, 0, 800, 600, "Retalho_usado", 0}, bordersLine},
         0,
         {}},
        {"the extra piece keeps -1 and is not counted, even with an order line of its size",
         {TempLine(0, 3, 1, 0, 1000, 1000), TempLine(1, -1, 0, 0, 100, 50)},
         {Line(7, 100, 50, 4, "Porta", 70)},
         borders,
         {{0, 3, 1, 0, 1000, 1000, "Chapa", 0}, bordersLine, {1, -1, 0, 0, 100, 50, "---", 0}},
         0,
         {4}},
        {"an unmatched piece and the discarded rectangles keep the temporary values",
         {TempLine(0, 3, 0, 0, 1000, 1000), TempLine(1, 4, 0, 0, 77, 77),
          TempLine(4, 1, 81, 0, 0, 77), TempLine(4, 2, 0, 81, 1000, -4)},
         {Line(7, 77, 77, 0, "Sem_resto", 70)},
         borders,
         {{0, 3, 0, 0, 1000, 1000, "Chapa", 0},
          bordersLine,
          {1, 4, 0, 0, 77, 77, "---", 0},
          {4, 1, 81, 0, 0, 77, "---", 0},
          {4, 2, 0, 81, 1000, -4, "---", 0}},
         0,
         {0}},
        {"lines every reader skips",
         {"", "; comentario", "abc", "  1", "    ", "é12", "1 7", TempLine(0, 3, 0, 0, 1000, 1000)},
         {},
         borders,
         {{0, 3, 0, 0, 1000, 1000, "Chapa", 0}, bordersLine},
         0,
         {}},
    };
    for (const EdgeCase& c : cases) {
        SCOPED_TRACE(c.name);
        vor::LayoutFileSettings settings;
        settings.borders = c.borders;
        settings.stockSheetText = "Chapa";
        settings.offcutSheetText = "Retalho usado";
        OrderTable orders = c.orders;
        long long placed = 0;
        const std::vector<std::string> lines =
            vor::LayoutFileLines(c.temp, settings, orders, placed);

        ASSERT_GE(lines.size(), 4u);
        EXPECT_EQ(lines[0], vor::kLayoutTitle);
        EXPECT_EQ(lines[2], vor::kLayoutColumns);
        ASSERT_EQ(lines.size(), c.expected.size() + 4);
        for (std::size_t i = 0; i < c.expected.size(); ++i) {
            const Element& e = c.expected[i];
            const auto parsed = vor::ParseLayoutLine(lines[i + 4]);
            ASSERT_TRUE(parsed.has_value()) << lines[i + 4];
            EXPECT_EQ(*parsed, (LayoutFileLine{e.type, e.code, e.x, e.y, e.l, e.h, e.description,
                                               e.order, 8}))
                << lines[i + 4];
        }
        EXPECT_EQ(placed, c.placed);
        ASSERT_EQ(orders.size(), c.remaining.size());
        for (std::size_t i = 0; i < orders.size(); ++i)
            EXPECT_EQ(orders[i].remaining, c.remaining[i]) << i;
    }
}

// ---- Reading -------------------------------------------------------------------

TEST_F(LayoutFilesTest, EveryWrittenVariantReadsBack)
{
    ASSERT_FALSE(vor::WriteTempLayoutFile(f, 1, kMaterial, SmallLayout()).has_value());
    OrderTable orders = vor::MakeOrderTable(kMergedPieceList, 1);
    vor::WriteLayoutFiles(f, kMaterial, 1, settings, orders);

    const auto temp = vor::ReadLayoutFileContents(Mte(1));
    ASSERT_TRUE(temp.has_value());
    const vor::BestLayout layout = SmallLayout();
    ASSERT_EQ(static_cast<long>(temp->lines.size()), layout.count);
    for (long i = 1; i <= layout.count; ++i) {
        const vor::LayoutElement& e = layout.elements[i];
        EXPECT_EQ(temp->lines[i - 1], (LayoutFileLine{static_cast<int>(e.type), e.code, e.x, e.y,
                                                      e.length, e.height, "", 0, 6}));
    }

    const auto final = vor::ReadLayoutFileContents(Mon(1));
    ASSERT_TRUE(final.has_value());
    EXPECT_EQ(final->linesLeftOut, 0);
    const std::vector<LayoutFileLine> expected = {
        {0, 3, 1, 0, 27500, 18300, "Chapa_inteira", 0, 8},
        {5, 0, 100, 100, 50, 50, "Borda_de_seg", 0, 8},
        {1, 101, 0, 0, 6030, 4040, "Porta_lateral", 77, 8},
        {1, 102, 6070, 0, 5040, 8035, "Tampo_média", 77, 8},
        {1, 103, 0, 4080, 3532, 2040, "---", 78, 8},
        {4, 1, 3572, 4080, 2458, 2040, "---", 0, 8},
        {4, 2, 0, 6160, 6030, 12040, "---", 0, 8},
        {4, 3, 6070, 8075, 5040, 10125, "---", 0, 8},
        {4, 4, 11150, 0, 16150, 18200, "---", 0, 8},
        {4, 5, 11150, 18240, 16150, -40, "---", 0, 8},
    };
    EXPECT_EQ(final->lines, expected);

    ASSERT_TRUE(vor::WriteStripLayoutFiles(f, kMaterial, {SevenStrips()}).empty());
    const auto strip = vor::ReadLayoutFileContents(Mon(1));
    ASSERT_TRUE(strip.has_value());
    ASSERT_EQ(strip->lines.size(), 12u);
    EXPECT_EQ(strip->lines[0], (LayoutFileLine{0, 1, 1, 0, 27500, 18500, "Chapa_PCI", 0, 8}));
    EXPECT_EQ(strip->lines[6], (LayoutFileLine{1, 1, 20000, 0, 6000, 10000, "Tira_PCI", 0, 8}));
    EXPECT_EQ(strip->lines[7], (LayoutFileLine{1, 1, 10000, 12000, 10000, 6000, "Tira_PCI", 0, 8}));
    EXPECT_EQ(strip->lines[8], (LayoutFileLine{2, 1, 0, 18000, 10000, 500, "Retalho", 0, 8}));
}

TEST(LayoutFileReading, RegressionWideCodesAndSizesStaySeparateFields)
{
    // A six-digit piece code filled its column and ran into the type before it.
    OrderTable orders = {Line(123456, 99999990, 500, 1, "Longa", 4321)};
    vor::LayoutFileSettings settings;
    settings.offcutSheetText = "Retalho";
    long long placed = 0;
    const auto lines = vor::LayoutFileLines(
        {TempLine(0, -123450, 0, 0, 100000000, 18300), TempLine(1, 1, 12345678, 0, 99999990, 500)},
        settings, orders, placed);
    const vor::LayoutFileContents read = vor::ParseLayoutFileContents(lines);
    ASSERT_EQ(read.lines.size(), 3u);
    EXPECT_EQ(read.lines[0], (LayoutFileLine{0, -123450, 0, 0, 100000000, 18300, "Retalho", 0, 8}));
    EXPECT_EQ(read.lines[2],
              (LayoutFileLine{1, 123456, 12345678, 0, 99999990, 500, "Longa", 4321, 8}));
}

TEST(LayoutFileReading, HostileLinesNeverCrashAndCapacityIsKept)
{
    // Fields past the 15th are ignored; text reads as 0; huge numbers do not throw.
    auto wide = vor::ParseLayoutLine("1 2 3 4 5 6 D 8 9 10 11 12 13 14 15 16 17 18");
    ASSERT_TRUE(wide.has_value());
    EXPECT_EQ(wide->fieldCount, 15);
    EXPECT_EQ(wide->order, 8);
    auto text = vor::ParseLayoutLine("tipo codigo x y 99999999999999999999 -99999999999999999999");
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(text->type, 0);
    EXPECT_EQ(text->code, 0);
    EXPECT_EQ(text->length, 0);
    EXPECT_EQ(text->height, 0);
    // The 3-character rule counts characters: "é12" is 3 of them in 4 bytes.
    EXPECT_FALSE(vor::ParseLayoutLine("é12").has_value());
    EXPECT_TRUE(vor::ParseLayoutLine("é123").has_value());
    EXPECT_FALSE(vor::ParseLayoutLine("      ;1 2 3 4 5 6").has_value());
    EXPECT_TRUE(vor::ParseLayoutLine("   1").has_value());

    std::vector<std::string> many(vor::kLayoutFileLineCapacity + 5,
                                  "    4     1       0       0       1       1");
    many.insert(many.begin(), "; Arquivo de distribuição ");
    const vor::LayoutFileContents read = vor::ParseLayoutFileContents(many);
    EXPECT_EQ(static_cast<long>(read.lines.size()), vor::kLayoutFileLineCapacity);
    EXPECT_EQ(read.linesLeftOut, 5);
}

// A size of 4000000000 once read as its leading digits, 400000000.
TEST(LayoutFileReading, FieldThatDoesNotFitReadsAsANonNumericField)
{
    const auto huge = vor::ParseLayoutLine("1 7 0 0 4000000000 300 piece 99999999999");
    const auto text = vor::ParseLayoutLine("1 7 0 0 x 300 piece y");
    ASSERT_TRUE(huge.has_value());
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(huge->length, 0);
    EXPECT_EQ(huge->order, 0);
    EXPECT_EQ(huge->length, text->length);
    EXPECT_EQ(huge->height, 300);
}

TEST(LayoutFileReading, AcceptsUtf8LfAndAMissingFile)
{
    vortest::TempDir dir;
    const fs::path p = dir.path() / "001-00012.MON";
    WriteBytes(p,
               "\xEF\xBB\xBF; Arquivo de distribuição\n\n    1    12       0       0     100"
               "      50 Porta_média     3");
    const auto read = vor::ReadLayoutFileContents(p);
    ASSERT_TRUE(read.has_value());
    ASSERT_EQ(read->lines.size(), 1u);
    EXPECT_EQ(read->lines[0], (LayoutFileLine{1, 12, 0, 0, 100, 50, "Porta_média", 3, 8}));
    EXPECT_FALSE(vor::ReadLayoutFileContents(dir.path() / "missing.MON").has_value());
}

}  // namespace
