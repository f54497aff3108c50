#include "vorplan/results/stock_update.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "tests/support/test_support.h"
#include "vorplan/common/calc_lists.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/text_file.h"
#include "vorplan/optimiser/layout_files.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using Tree = std::map<std::string, std::string>;
using vortest::ReadBytes;
using vortest::WriteBytes;

constexpr const char* kViewedTitle = "; Arquivo de distribuição ( Modificado )";

std::string Crlf(const Lines& lines)
{
    std::string out;
    for (const std::string& line : lines)
        out += line + "\r\n";
    return out;
}

// Fails the writes into temporaries of files whose name starts with `prefix`
// (the writer names a temporary "." + the file's name + a suffix).
class FailingFileWrites : public vor::FileOps {
public:
    explicit FailingFileWrites(std::string prefix) : m_prefix("." + std::move(prefix)) {}
    ssize_t Write(int fd, const char* data, std::size_t size) override
    {
        std::error_code error;
        const fs::path target = fs::read_symlink("/proc/self/fd/" + std::to_string(fd), error);
        if (!error && target.filename().string().starts_with(m_prefix)) {
            ++failures;
            errno = ENOSPC;
            return -1;
        }
        return vor::FileOps::Write(fd, data, size);
    }
    int failures = 0;

private:
    std::string m_prefix;
};

// Dies at its k-th call of any kind (counted from 1).
class KillingOps : public vor::FileOps {
public:
    explicit KillingOps(int k) : m_k(k) {}
    ssize_t Write(int fd, const char* data, std::size_t size) override
    {
        Step();
        return vor::FileOps::Write(fd, data, size);
    }
    int Sync(int fd) override
    {
        Step();
        return vor::FileOps::Sync(fd);
    }
    int Close(int fd) override
    {
        Step();
        return vor::FileOps::Close(fd);
    }
    int Rename(const char* from, const char* to) override
    {
        Step();
        return vor::FileOps::Rename(from, to);
    }

private:
    void Step()
    {
        if (++m_calls == m_k)
            ::raise(SIGKILL);
    }
    int m_k;
    int m_calls = 0;
};

class StockUpdateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_saved = vor::gShared;
        vor::gShared.messages[144] = "Material";
        vor::gShared.messages[602] = "Atualização de estoque";
        vor::gShared.messages[609] = "Configuração";
    }
    void TearDown() override { vor::gShared = m_saved; }

    // Layout file `b` of `material` as the viewer leaves it, after the sheet
    // line "0 <sheet>" the elements given.
    void Layout(long long material, long long b, const std::string& sheet, const Lines& elements,
                const std::string& title = kViewedTitle) const
    {
        Lines lines = {title, "", ";Tipo  Cód.     X     Y     L     H ", "", "0 " + sheet};
        lines.insert(lines.end(), elements.begin(), elements.end());
        WriteBytes(vor::LayoutFile(folders, b, material), Crlf(lines));
    }
    void Viewed(const std::vector<std::int32_t>& codes, bool flag = true) const
    {
        std::vector<vor::LastCalcMaterial> records;
        for (std::int32_t code : codes)
            records.push_back({code, flag});
        vor::WriteLastCalcMaterials(folders, records);
    }
    fs::path Chp(long long m) const { return vor::SheetTableFile(folders, m); }
    fs::path Ret(long long m) const { return vor::OffcutTableFile(folders, m); }
    fs::path Counter(long long m) const { return vor::OffcutCounterFile(folders, m); }

    vor::StockUpdateRequest Request(const Lines& items, const vor::StockUpdateOptions& options) const
    {
        return {folders, items, options, {2026, 12, 10, 14, 30, 5, 0}};
    }
    static vor::StockUpdateOptions All()
    {
        return {true, true, true, true, true};
    }

    // Every file below the base folder, by its relative path.
    Tree Snapshot() const
    {
        Tree tree;
        for (const auto& entry : fs::recursive_directory_iterator(inst.base()))
            if (entry.is_regular_file())
                tree[fs::relative(entry.path(), inst.base()).string()] = ReadBytes(entry.path());
        return tree;
    }

    static bool Holds(const Lines& report, const std::string& line)
    {
        return std::find(report.begin(), report.end(), line) != report.end();
    }

    vortest::TestInstallation inst;
    vor::DataFolders folders = vor::MakeDataFolders(inst.base());

private:
    decltype(vor::gShared) m_saved;
};

// ---- Sheets ------------------------------------------------------------------

struct SheetCase {
    const char* name;
    Lines before;
    std::string sheetLine;  // the layout's sheet line after "0 "
    Lines after;            // empty: the table is not written
    Lines reportLines;      // lines the report holds
};

TEST_F(StockUpdateTest, SheetTableIsLoweredRowByRow)
{
    const std::vector<SheetCase> cases = {
        {"three less two",
         {"1 5 3 3000 2000 Chapa_A ABCDEFG12345"},
         "5 1 0 30000 20000",
         {"1 5 1 3000 2000 Chapa_A_**_3>1 ABCDEFG12345"},
         {"Chapas atualizadas !"}},
        {"used five times: zero, mark 0 and the shortfall sign",
         {"1 5 3 3000 2000 Chapa_A ABCDEFG12345"},
         "5 4 0 30000 20000",
         {"0 5 0 3000 2000 Chapa_A_**!_3>0 ABCDEFG12345"},
         {}},
        {"a second run replaces the earlier note",
         {"1 5 1 3000 2000 Chapa_A_**_3>1 ABCDEFG12345"},
         "5 0 0 30000 20000",
         {"0 5 0 3000 2000 Chapa_A_**_1>0 ABCDEFG12345"},
         {}},
        {"a note at the very start leaves nothing before the new one",
         {"1 5 3 3000 2000 **_velha ABCDEFG12345"},
         "5 1 0 30000 20000",
         {"1 5 1 3000 2000 _**_3>1 ABCDEFG12345"},
         {}},
        {"marked rows of the code first, each down to 0, then the unmarked one",
         {"0 7 4 2750 1830 U ABCDEFG12345", "1 7 2 2750 1830 M1 ABCDEFG12345",
          "1 8 9 1000 1000 outra ABCDEFG12345", "1 7 1 2750 1830 M2 ABCDEFG12345"},
         "7 3 0 27500 18300",
         {"0 7 3 2750 1830 U_**_4>3 ABCDEFG12345", "0 7 0 2750 1830 M1_**_2>0 ABCDEFG12345",
          "1 8 9 1000 1000 outra ABCDEFG12345", "0 7 0 2750 1830 M2_**_1>0 ABCDEFG12345"},
         {}},
        {"rows that cannot cover the count: the last ends at 0 with the sign",
         {"0 7 4 2750 1830 U ABCDEFG12345", "1 7 2 2750 1830 M1 ABCDEFG12345"},
         "7 8 0 27500 18300",
         {"0 7 0 2750 1830 U_**!_4>0 ABCDEFG12345", "0 7 0 2750 1830 M1_**_2>0 ABCDEFG12345"},
         {}},
        {"padded lines come back unpadded, with the empty fields filled",
         {"1     5     3   3000.5   2000.0 Chapa_A ABCDEFG12345", "1     9     2    100.0    200.0",
          "", "1 6 0 10 10 zero XYZ"},
         "5 0 0 30005 20000",
         {"1 5 2 3000.5 2000 Chapa_A_**_3>2 ABCDEFG12345", "1 9 2 100 200 --- ABCDEFG12345", "",
          "0 6 0 10 10 zero XYZ"},
         {}},
        {"a sheet of code 0 is reported and nothing is written",
         {"1 5 3 3000 2000 Chapa_A ABCDEFG12345"},
         "0 0 0 25000 12500",
         {},
         {"Chapa 0 (2500 x 1250), quantidade 1: não há linha desta chapa na tabela de chapas !"}},
        {"a code no row has is reported",
         {"1 5 3 3000 2000 Chapa_A ABCDEFG12345"},
         "6 1 0 25000 12500",
         {},
         {"Chapa 6 (2500 x 1250), quantidade 2: não há linha desta chapa na tabela de chapas !"}},
    };
    for (const SheetCase& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(inst.base() / "CHP");
        fs::create_directories(inst.base() / "CHP");
        Viewed({12});
        WriteBytes(Chp(12), Crlf(c.before));
        Layout(12, 1, c.sheetLine, {"1 3 0 0 1000 1000 peça 0"});
        const vor::StockUpdateResult result =
            vor::RunStockUpdate(Request({"12    Madeira"}, {true, false, false, true, true}), true);
        EXPECT_TRUE(result.applied);
        EXPECT_FALSE(result.refused);
        EXPECT_EQ(ReadBytes(Chp(12)), Crlf(c.after.empty() ? c.before : c.after));
        EXPECT_EQ(Holds(result.report, "Chapas atualizadas !"), !c.after.empty());
        for (const std::string& line : c.reportLines)
            EXPECT_TRUE(Holds(result.report, line)) << line;
        // Only the sheet table is touched.
        EXPECT_FALSE(fs::exists(Ret(12)));
        EXPECT_FALSE(fs::exists(Counter(12)));
    }
}

TEST_F(StockUpdateTest, ABestSheetSizeRunLeavesTheSheetTableAndLowersTheOffcuts)
{
    Viewed({3});
    WriteBytes(vor::CalcDataFile(folders), Crlf({"[DADOS_CONF_CALC]", "TESTA_BEST_ALT=1"}));
    const std::string sheets = Crlf({"1 1 5 3000 2000 Chapa ABCDEFG12345"});
    WriteBytes(Chp(3), sheets);
    WriteBytes(Ret(3), Crlf({"1,+,2,300,200,R,"}));
    Layout(3, 1, "1 0 0 30000 20000", {});
    Layout(3, 2, "-10 0 0 3000 2000", {});
    const vor::StockUpdateResult result = vor::RunStockUpdate(Request({"3 x"}, All()), true);
    ASSERT_TRUE(result.applied);
    EXPECT_EQ(ReadBytes(Chp(3)), sheets);
    EXPECT_TRUE(Holds(result.report, "do estoque, e a tabela de chapas não foi alterada."));
    EXPECT_EQ(ReadBytes(Ret(3)), Crlf({"1,+,1,300,200,R ** 2>1,"}));
}

TEST_F(StockUpdateTest, LongTablesAndLongDescriptionsSurviveWhole)
{
    Viewed({4});
    Lines sheets, offcuts;
    const std::string longText(120, 'd');
    for (int i = 1; i <= 1500; ++i) {
        sheets.push_back("1 " + std::to_string(i) + " 3 100 100 " + longText + " ABCDEFG12345");
        offcuts.push_back(std::to_string(i) + ",+,3,100,100," + longText + ",");
    }
    WriteBytes(Chp(4), Crlf(sheets));
    WriteBytes(Ret(4), Crlf(offcuts));
    Layout(4, 1, "1500 0 0 1000 1000", {});
    Layout(4, 2, "-15000 0 0 1000 1000", {});
    const vor::StockUpdateResult result = vor::RunStockUpdate(Request({"4"}, All()), true);
    ASSERT_TRUE(result.applied);
    sheets.back() = "1 1500 2 100 100 " + longText + "_**_3>2 ABCDEFG12345";
    offcuts.back() = "1500,+,2,100,100," + longText + " ** 3>2,";
    EXPECT_EQ(ReadBytes(Chp(4)), Crlf(sheets));
    EXPECT_EQ(ReadBytes(Ret(4)), Crlf(offcuts));
}

// ---- Used offcuts ------------------------------------------------------------

struct OffcutCase {
    const char* name;
    Lines before;
    std::string sheetLine;
    bool dropZero;
    Lines after;  // empty: not written
};

TEST_F(StockUpdateTest, AUsedOffcutIsTakenOffOneRow)
{
    const std::vector<OffcutCase> cases = {
        {"two rows of one size: only the row of the code",
         {"1,+,2,300,200,A,", "2,+,3,300,200,B,"},
         "-20 0 0 3000 2000",
         true,
         {"1,+,2,300,200,A,", "2,+,2,300,200,B ** 3>2,"}},
        {"a turned size does not match",
         {"1,+,2,300,200,A,"},
         "-10 0 0 2000 3000",
         true,
         {}},
        {"the code's row has another size: the first marked row of the size",
         {"1,+,2,500,500,A,", "2, ,4,300,200,B,", "3,+,4,300,200,C,"},
         "-10 1 0 3000 2000",
         true,
         {"1,+,2,500,500,A,", "2, ,4,300,200,B,", "3,+,2,300,200,C ** 4>2,"}},
        {"no marked row of the size: the first row of the size",
         {"1, ,4,300,200,B,", "2, ,4,300,200,C,"},
         "-90 1 0 3000 2000",
         true,
         {"1, ,2,300,200,B ** 4>2,", "2, ,4,300,200,C,"}},
        {"rows of quantity 0 are dropped and the rest renumbered",
         {"1,+,1,300,200,A,", "2,+,5,400,100,B,", "3, ,0,100,100,C,"},
         "-10 0 0 3000 2000",
         true,
         {"1,+,5,400,100,B,"}},
        {"kept with the unmarked sign when dropping is off",
         {"1,+,1,300,200,A,", "2,+,5,400,100,B,", "3,+,0,100,100,C,"},
         "-10 2 0 3000 2000",
         false,
         {"1, ,0,300,200,A **! 1>0,", "2,+,5,400,100,B,", "3, ,0,100,100,C,"}},
        {"row numbers that repeat: the code is the line's position",
         {"1,+,2,300,200,A,", "1,+,2,300,200,B,"},
         "-20 0 0 3000 2000",
         true,
         {"1,+,2,300,200,A,", "2,+,1,300,200,B ** 2>1,"}},
        {"an earlier note is replaced",
         {"1,+,3,300,200,A ** 5>3,"},
         "-10 0 0 3000 2000",
         true,
         {"1,+,2,300,200,A ** 3>2,"}},
    };
    for (const OffcutCase& c : cases) {
        SCOPED_TRACE(c.name);
        Viewed({9});
        WriteBytes(Ret(9), Crlf(c.before));
        Layout(9, 1, c.sheetLine, {});
        vor::StockUpdateOptions options{false, false, true, true, c.dropZero};
        const vor::StockUpdateResult result = vor::RunStockUpdate(Request({"9"}, options), true);
        EXPECT_TRUE(result.applied);
        EXPECT_EQ(ReadBytes(Ret(9)), Crlf(c.after.empty() ? c.before : c.after));
        EXPECT_EQ(Holds(result.report, "Retalhos atualizados !"), !c.after.empty());
        if (c.after.empty()) {
            EXPECT_TRUE(Holds(result.report,
                              "Retalho 10 (200 x 300), quantidade 1: não há linha deste retalho na "
                              "tabela de retalhos !"));
        }
    }
}

// ---- Registration ------------------------------------------------------------

TEST_F(StockUpdateTest, NewOffcutsGoOnTopInMillimetresAndTheCounterAdvances)
{
    Viewed({5});
    WriteBytes(Ret(5), Crlf({"1,+,4,500,500,Velho,", "2,+,1,600,600,Outro,"}));
    Layout(5, 1, "5 1 0 30000 20000", {"1 1 0 0 1000 1000 p 0", "2 1 0 0 3000 2000", "2 2 0 0 2755 1000"});
    Layout(5, 2, "5 0 0 30000 20000", {"2 1 0 0 2000 3000"});
    const vor::StockUpdateResult result =
        vor::RunStockUpdate(Request({"5   *    Vidro"}, {false, true, false, true, true}), true);
    ASSERT_TRUE(result.applied);
    const Lines handOver = {"1,+,3,300,200,Ret 5 1/0 10/12/26,", "2,+,2,275.5,100,Ret 5 2/0 10/12/26,"};
    EXPECT_EQ(ReadBytes(inst.base() / "ret.temp"), Crlf(handOver));
    EXPECT_EQ(ReadBytes(Ret(5)), Crlf({handOver[0], handOver[1], "3,+,4,500,500,Velho,",
                                      "4,+,1,600,600,Outro,"}));
    EXPECT_EQ(ReadBytes(Counter(5)), "1\r\n");
    EXPECT_TRUE(Holds(result.report, "Gravadas 2 novas linhas no início da tabela de retalhos,"));
    EXPECT_TRUE(Holds(result.report, "totalizando 5 novos retalhos. A descrição destes novos"));
    EXPECT_TRUE(Holds(result.report, "retalhos está no formato \"Ret 5 X/0 10/12/26\""));
}

TEST_F(StockUpdateTest, RegistrationCreatesAMissingTableAndGroupsOnlyWhenAsked)
{
    for (const bool group : {true, false}) {
        SCOPED_TRACE(group);
        fs::remove(Ret(6));
        Viewed({6});
        WriteBytes(Counter(6), "12\r\n");
        Layout(6, 1, "-30 0 0 9000 9000", {"2 1 0 0 3000 2000", "2 2 0 0 2000 3000"});
        const vor::StockUpdateResult result =
            vor::RunStockUpdate(Request({"6"}, {false, true, true, group, true}), true);
        ASSERT_TRUE(result.applied);
        // The used offcut has no table to come off, and says so.
        EXPECT_TRUE(Holds(result.report, "Retalho 30 (900 x 900), quantidade 1: não há linha deste "
                                         "retalho na tabela de retalhos !"));
        if (group)
            EXPECT_EQ(ReadBytes(Ret(6)), Crlf({"1,+,2,300,200,Ret 6 1/12 10/12/26,"}));
        else
            EXPECT_EQ(ReadBytes(Ret(6)), Crlf({"1,+,1,300,200,Ret 6 1/12 10/12/26,",
                                              "2,+,1,200,300,Ret 6 2/12 10/12/26,"}));
        EXPECT_EQ(ReadBytes(Counter(6)), "13\r\n");
        fs::remove(Counter(6));
    }
}

TEST_F(StockUpdateTest, UsedOffcutsComeOffBeforeTheNewOnesGoOnTop)
{
    Viewed({2});
    WriteBytes(Ret(2), Crlf({"1,+,1,500,500,A,", "2,+,3,400,400,B,"}));
    Layout(2, 1, "-10 0 0 5000 5000", {"2 1 0 0 1000 500"});
    const vor::StockUpdateResult result = vor::RunStockUpdate(Request({"2"}, All()), true);
    ASSERT_TRUE(result.applied);
    EXPECT_EQ(ReadBytes(Ret(2)),
              Crlf({"1,+,1,100,50,Ret 2 1/0 10/12/26,", "2,+,3,400,400,B,"}));
}

TEST_F(StockUpdateTest, ALayoutInTheOptimisersFormIsNamedAndRegistersNothing)
{
    Viewed({8});
    Layout(8, 1, "8 0 0 30000 20000", {"2 1 0 0 1000 1000"}, std::string(vor::kLayoutTitle));
    Layout(8, 2, "8 0 0 30000 20000", {"2 1 0 0 1500 1000"});
    WriteBytes(Chp(8), Crlf({"1 8 5 3000 2000 C ABCDEFG12345"}));
    const vor::StockUpdateResult result = vor::RunStockUpdate(Request({"8"}, All()), true);
    ASSERT_TRUE(result.applied);
    EXPECT_TRUE(Holds(result.report,
                      "Layout 001-00008.MON ainda não foi visualizado: seus retalhos não são cadastrados."));
    EXPECT_EQ(ReadBytes(Ret(8)), Crlf({"1,+,1,150,100,Ret 8 1/0 10/12/26,"}));
    EXPECT_EQ(ReadBytes(Chp(8)), Crlf({"1 8 3 3000 2000 C_**_5>3 ABCDEFG12345"}));
}

// ---- Refusals, preview, failures ---------------------------------------------

TEST_F(StockUpdateTest, ARefusedMaterialChangesNoFileOfAnyMaterial)
{
    const auto setUp = [this] {
        WriteBytes(Chp(1), Crlf({"1 1 5 3000 2000 C ABCDEFG12345"}));
        Layout(1, 1, "1 0 0 30000 20000", {"2 1 0 0 1000 1000"});
        WriteBytes(Chp(2), Crlf({"1 2 5 3000 2000 C ABCDEFG12345"}));
    };
    struct Refusal {
        const char* name;
        std::function<void()> make;
        std::string reportLine;
        std::vector<std::string> messages;
    };
    const std::vector<Refusal> refusals = {
        {"an unviewed material",
         [&] {
             vor::WriteLastCalcMaterials(folders, {{1, true}, {2, false}});
             Layout(2, 1, "2 0 0 30000 20000", {});
         },
         "Material 2 ainda não foi visualizado !",
         {}},
        {"a list past its room",
         [&] {
             Viewed({1, 2});
             Lines sheets;
             for (int i = 1; i <= vor::kUsedSheetRoom + 1; ++i)
                 sheets.push_back("0 " + std::to_string(i) + " 0 0 1000 1000");
             Layout(2, 1, "2 0 0 30000 20000", sheets);
         },
         "Erro MAX_CHP",
         {"Erro MAX_CHP"}},
        {"a layout file past the reader's room",
         [&] {
             Viewed({1, 2});
             Layout(2, 1, "2 0 0 30000 20000", Lines(vor::kLayoutFileLineCapacity + 1, "1 1 0 0 10 10"));
         },
         "Arquivo 001-00002.MON grande demais: não foi lido por inteiro !",
         {"Arquivo 001-00002.MON grande demais: não foi lido por inteiro !"}},
    };
    for (const Refusal& r : refusals) {
        SCOPED_TRACE(r.name);
        setUp();
        r.make();
        const Tree before = Snapshot();
        const vor::StockUpdateResult result = vor::RunStockUpdate(Request({"1 A", "2 B"}, All()), true);
        EXPECT_TRUE(result.refused);
        EXPECT_FALSE(result.applied);
        EXPECT_EQ(Snapshot(), before);
        EXPECT_TRUE(Holds(result.report, r.reportLine));
        EXPECT_TRUE(Holds(result.report, "Atualização de estoque não é possível."));
        EXPECT_FALSE(Holds(result.report, "Chapas atualizadas !"));
        EXPECT_EQ(result.messages, r.messages);
    }
}

TEST_F(StockUpdateTest, ThePreviewWritesNothing)
{
    Viewed({1, 2});
    WriteBytes(Chp(1), Crlf({"1 1 5 3000 2000 C ABCDEFG12345"}));
    WriteBytes(Ret(1), Crlf({"1,+,2,300,200,R,"}));
    Layout(1, 1, "1 1 0 30000 20000", {"2 1 0 0 1000 1000"});
    Layout(1, 2, "-10 0 0 3000 2000", {});
    Layout(2, 1, "2 0 0 30000 20000", {"2 1 0 0 1000 1000"});
    const Tree before = Snapshot();
    const vor::StockUpdateResult result = vor::RunStockUpdate(Request({"1 A", "2 B"}, All()), false);
    EXPECT_EQ(Snapshot(), before);
    EXPECT_FALSE(result.applied);
    EXPECT_FALSE(result.refused);
    EXPECT_EQ(result.report.back(),
              "Para efetivar a atualização do estoque, selecione o botão \"Atualizar\"");
    // The plan of the same update holds exactly what applying it writes.
    const vor::StockUpdatePlan plan = vor::PlanStockUpdate(Request({"1 A", "2 B"}, All()), true);
    EXPECT_EQ(Snapshot(), before);
    ASSERT_EQ(plan.writes.size(), 6u);  // CHP1, counter 1, RET1, counter 2, RET2, ret.temp
    ASSERT_TRUE(vor::RunStockUpdate(Request({"1 A", "2 B"}, All()), true).applied);
    for (const vor::FileSetEntry& write : plan.writes)
        EXPECT_EQ(ReadBytes(write.target), write.data) << write.target;
}

TEST_F(StockUpdateTest, AMaterialNamedTwiceIsTakenOutOnce)
{
    Viewed({1});
    WriteBytes(Chp(1), Crlf({"1 1 5 3000 2000 C ABCDEFG12345"}));
    Layout(1, 1, "1 1 0 30000 20000", {"2 1 0 0 1000 1000"});
    const vor::StockUpdateResult result = vor::RunStockUpdate(Request({"1 A", "1 A"}, All()), true);
    ASSERT_TRUE(result.applied);
    EXPECT_EQ(ReadBytes(Chp(1)), Crlf({"1 1 3 3000 2000 C_**_5>3 ABCDEFG12345"}));
    EXPECT_EQ(ReadBytes(Ret(1)), Crlf({"1,+,2,100,100,Ret 1 1/0 10/12/26,"}));
}

TEST_F(StockUpdateTest, NoMaterialChosenAsksForOne)
{
    const vor::StockUpdateResult result = vor::RunStockUpdate(Request({}, All()), false);
    EXPECT_EQ(result.report.back(), "Selecionar um ou mais materiais !");
    EXPECT_EQ(result.report[1],
              "Configuração: ATUALIZA_CHP=1 CADASTRA_RETA=1 CADASTRA_RETA_USADO=1 AGRUPA_NEW_RET=1 "
              "APAGA_RET_QT_ZERO=1  10/12/26  14:30:05");
}

class StockUpdateWriteTest : public StockUpdateTest {
protected:
    void SetUp() override
    {
        StockUpdateTest::SetUp();
        Viewed({1, 2});
        for (long long m : {1, 2}) {
            WriteBytes(Chp(m), Crlf({"1 " + std::to_string(m) + " 5 3000 2000 C ABCDEFG12345"}));
            WriteBytes(Ret(m), Crlf({"1,+,2,300,200,R,", "2,+,2,400,200,S,"}));
            Layout(m, 1, std::to_string(m) + " 1 0 30000 20000", {"2 1 0 0 1000 1000"});
            Layout(m, 2, "-10 0 0 3000 2000", {"2 1 0 0 1200 1000"});
        }
        WriteBytes(Counter(2), "7\r\n");
    }
};

TEST_F(StockUpdateWriteTest, AFailedOffcutTableWriteLeavesEveryTableAsItWas)
{
    const Tree before = Snapshot();
    FailingFileWrites ops("RET00002.TAB");
    const vor::StockUpdateResult result = vor::RunStockUpdate(Request({"1 A", "2 B"}, All()), true, ops);
    EXPECT_GT(ops.failures, 0);
    EXPECT_FALSE(result.applied);
    EXPECT_EQ(Snapshot(), before);
    ASSERT_EQ(result.messages.size(), 1u);
    EXPECT_NE(result.messages[0].find("RET00002.TAB"), std::string::npos) << result.messages[0];
    EXPECT_TRUE(Holds(result.report, "Erro de gravação: nenhuma tabela foi alterada."));
    EXPECT_FALSE(Holds(result.report, "Chapas atualizadas !"));
    EXPECT_FALSE(Holds(result.report, "Retalhos atualizados !"));
}

TEST_F(StockUpdateWriteTest, AKillAtAnyStepLeavesTheOldStockOrTheNewAfterTheRollForward)
{
    const Tree before = Snapshot();
    ASSERT_TRUE(vor::RunStockUpdate(Request({"1 A", "2 B"}, All()), true).applied);
    const Tree after = Snapshot();
    ASSERT_NE(after, before);

    bool sawOld = false, sawNew = false;
    for (int k = 1;; ++k) {
        // The old tree back.
        for (const auto& [name, bytes] : after)
            if (!before.count(name))
                fs::remove(inst.base() / name);
        for (const auto& [name, bytes] : before)
            WriteBytes(inst.base() / name, bytes);
        ASSERT_EQ(Snapshot(), before);

        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            KillingOps ops(k);
            const bool applied = vor::RunStockUpdate(Request({"1 A", "2 B"}, All()), true, ops).applied;
            ::_exit(applied ? 0 : 2);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        const bool killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
        if (!killed) {
            ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "step " << k;
            EXPECT_EQ(Snapshot(), after);
            break;
        }
        vor::FinishFileSet(vor::FileSetJournalFile(folders));
        const Tree state = Snapshot();
        EXPECT_TRUE(state == before || state == after) << "killed at step " << k;
        sawOld = sawOld || state == before;
        sawNew = sawNew || state == after;
        ASSERT_LT(k, 500) << "the update never finished";
    }
    EXPECT_TRUE(sawOld);
    EXPECT_TRUE(sawNew);
}

// ---- The report --------------------------------------------------------------

TEST_F(StockUpdateTest, TheReportOfAnUpdateMatchesItsGoldenFile)
{
    Viewed({12});
    WriteBytes(Chp(12), Crlf({"1 12 4 2750 1830 Chapa ABCDEFG12345", "1 15 2 3050 1850 Outra ABCDEFG12345"}));
    WriteBytes(Ret(12), Crlf({"1,+,3,1200,800,R,"}));
    Layout(12, 1, "12 2 0 27500 18300", {"1 1 0 0 1000 1000 p 0", "2 1 0 0 27500 5005", "4 2 0 0 10 10"});
    Layout(12, 2, "15 0 0 30500 18500", {"2 1 0 0 5005 27500"});
    Layout(12, 3, "-10 0 0 12000 8000", {"2 1 0 0 3000 800"});
    const vor::StockUpdateResult preview = vor::RunStockUpdate(Request({"12   *    Madeira"}, All()), false);
    const vor::StockUpdateResult update = vor::RunStockUpdate(Request({"12   *    Madeira"}, All()), true);
    ASSERT_TRUE(update.applied);
    std::string text;
    for (const std::string& line : preview.report)
        text += line + "\n";
    text += "====\n";
    for (const std::string& line : update.report)
        text += line + "\n";
    const fs::path golden = fs::path(VOR_TEST_SOURCE_DIR) / "golden" / "stock_update_report.txt";
    if (std::getenv("VOR_UPDATE_GOLDEN"))
        WriteBytes(golden, text);
    EXPECT_EQ(text, ReadBytes(golden));
}

TEST(StockNoteDescription, CutsTheEarlierNoteWithItsSeparator)
{
    EXPECT_EQ(vor::StockNoteDescription("Chapa_A", '_', false, 3, 1), "Chapa_A_**_3>1");
    EXPECT_EQ(vor::StockNoteDescription("Chapa_A_**!_3>0", '_', false, 2, 1), "Chapa_A_**_2>1");
    EXPECT_EQ(vor::StockNoteDescription("x**", '_', true, 1, 0), "_**!_1>0");
    EXPECT_EQ(vor::StockNoteDescription("", ' ', false, 4, 2), " ** 4>2");
    EXPECT_EQ(vor::StockNoteDescription("R ** 5>3", ' ', false, 3, 2), "R ** 3>2");
}

}  // namespace
