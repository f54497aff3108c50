#include "vorplan/common/order_list.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/fake_clock.h"
#include "platform/fake_message_service.h"
#include "tests/support/test_support.h"
#include "vorplan/common/codec.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/globals.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using vortest::ReadBytes;
using vortest::TestInstallation;
using vortest::WriteBytes;

std::string Crlf(const Lines& lines)
{
    std::string out;
    for (const std::string& line : lines)
        out += line + "\r\n";
    return out;
}

std::string Z5(long long n)
{
    std::string s = std::to_string(n);
    return std::string(s.size() < 5 ? 5 - s.size() : 0, '0') + s;
}

// One piece line: quantity, width, height and material as given.
std::string Piece(int quantity, const char* width, const char* height, int material)
{
    return "1      1 " + std::to_string(quantity) + " " + width + " " + height + " " +
           std::to_string(material) + " Porta 0 ABCD";
}

// Sets a file's modification time to a local date at noon.
void SetLocalDate(const fs::path& path, int year, int month, int day)
{
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = 12;
    tm.tm_isdst = -1;
    const auto system = std::chrono::system_clock::from_time_t(std::mktime(&tm));
    fs::last_write_time(path, std::chrono::file_clock::from_sys(system));
}

class OrderListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_saved = vor::gShared;
        vor::gShared.folders = vor::MakeDataFolders(inst.base());
        vor::gShared.orderList = vor::OrderList{};
        // Placeholder texts show which message went where.
        for (long slot : {189L, 205L, 324L, 340L, 598L, 767L, 785L, 808L, 809L, 810L, 811L})
            vor::gShared.messages[slot] = "M" + std::to_string(slot);
        clock.SetNow({2025, 3, 24, 14, 15, 2, 0});
    }
    void TearDown() override { vor::gShared = m_saved; }

    fs::path Table(long long n) const { return f().ped / ("PED" + Z5(n) + ".TAB"); }
    fs::path Dsc(long long n) const { return f().ped / ("DSC" + Z5(n) + ".INI"); }

    void WriteTable(long long n, const Lines& lines) const { WriteBytes(Table(n), Crlf(lines)); }
    void WriteDsc(long long n, const Lines& lines) const { WriteBytes(Dsc(n), Crlf(lines)); }
    // An order with a description file: `pieces` pieces on one line.
    void WriteOrder(long long n, int pieces = 1, const std::string& description = "Mesa") const
    {
        WriteTable(n, {Piece(pieces, "100", "100", 1)});
        WriteDsc(n, {"[PED]", "CAMPO1=" + description});
    }

    static const vor::DataFolders& f() { return vor::gShared.folders; }
    static vor::OrderList& list() { return vor::gShared.orderList; }

    static std::vector<int> Numbers()
    {
        std::vector<int> numbers;
        for (long i = 1; i <= list().count; ++i)
            numbers.push_back(list().records[i].number);
        return numbers;
    }

    TestInstallation inst;
    platform::ScriptedMessages messages;
    platform::ScopedMessages messageScope{messages};
    platform::FakeClock clock;
    platform::ScopedClock clockScope{clock};

private:
    vor::SharedGlobals m_saved;
};

// ---- The scan ------------------------------------------------------------------

TEST_F(OrderListTest, FixtureGivesTheExpectedOrderList)
{
    // Order 0: a plain order.
    WriteTable(0, {Piece(25, "100", "200", 12)});
    WriteDsc(0, {"[PED]", "STATUS=2", "CAMPO1=ABC", "CAMPO10=pc - ana"});
    // A stray name sorts between the orders; the scan must go on past it.
    WriteBytes(f().ped / "PED1.TAB", Crlf({Piece(9, "1", "1", 1)}));
    WriteBytes(f().ped / "PED0000A.TAB", Crlf({Piece(9, "1", "1", 1)}));
    // Order 3: an empty table is no order.
    WriteTable(3, {});
    WriteDsc(3, {"[PED]", "CAMPO1=vazio"});
    // Order 4: twenty materials (a repeat among them) and a long PCB description.
    Lines lines;
    for (int m = 1; m <= 20; ++m)
        lines.push_back(Piece(m, "10", "2,5", m * 10));
    lines.push_back(Piece(1, "10", "10", 30));
    WriteTable(4, lines);
    WriteDsc(4, {"[PED]", "STATUS=1", "PCI=1",
                 "CAMPO1=Armário de cozinha com portas de vidro e gavetas largas"});
    // Order 7 has no description file.
    WriteTable(7, {Piece(2, "500", "300", 7), "", Piece(3, "10", "10", 7)});
    // Order 10000 comes after the stray names.
    WriteOrder(10000, 6, "Depois");
    SetLocalDate(Table(0), 2024, 3, 5);
    SetLocalDate(Table(4), 2023, 12, 31);

    vor::RefreshOrderListIfDirty();

    EXPECT_FALSE(list().dirty);
    ASSERT_EQ(Numbers(), (std::vector<int>{0, 4, 7, 10000}));

    const vor::OrderRecord& r0 = list().records[1];
    EXPECT_EQ(r0.description, "ABC   ~25");
    EXPECT_EQ(r0.lines, 1);
    EXPECT_EQ(r0.pieces, 25);
    EXPECT_DOUBLE_EQ(r0.area, 25 * 100.0 * 200.0);
    EXPECT_EQ(r0.spare, 0.0);
    EXPECT_EQ(r0.date, "05/03/24");
    EXPECT_FALSE(r0.pcb);
    EXPECT_EQ(r0.status, 2);
    EXPECT_EQ(r0.materials, "_12");

    const vor::OrderRecord& r4 = list().records[2];
    std::string materials;
    for (int m = 1; m <= 20; ++m)
        materials += "_" + std::to_string(m * 10);
    EXPECT_EQ(r4.materials, materials);
    EXPECT_EQ(r4.lines, 21);
    EXPECT_EQ(r4.pieces, 211);
    EXPECT_DOUBLE_EQ(r4.area, 210 * 25.0 + 100.0);
    EXPECT_EQ(r4.date, "31/12/23");
    EXPECT_TRUE(r4.pcb);
    EXPECT_EQ(r4.status, 1);
    // 40 characters and "...", the mark, then the total: the text gives way.
    EXPECT_EQ(r4.description, "Armário de cozinha com portas de vidro e(M324)~211");
    EXPECT_EQ(vor::Utf8Length(r4.description), 50u);

    const vor::OrderRecord& r7 = list().records[3];
    EXPECT_EQ(r7.description, "!!!   ~5");
    EXPECT_EQ(r7.lines, 3);  // the empty line counts
    EXPECT_EQ(r7.materials, "_7_0");
    EXPECT_EQ(r7.status, 0);

    EXPECT_EQ(list().records[4].description, "Depois   ~6");

    // Only order 7's missing description was reported.
    EXPECT_EQ(messages.Texts(),
              (std::vector<std::string>{"Erro INI 1: projeto 7  Arquivo [" + Dsc(7).string() +
                                        "] não localizado"}));
}

struct DescriptionCase {
    const char* what;
    std::string description;
    bool pcb;
    int pieces;
    std::string expected;
};

TEST_F(OrderListTest, ListTextKeepsThePiecesSuffix)
{
    const std::string forty(40, 'A');
    const DescriptionCase cases[] = {
        {"short", "ABC", false, 25, "ABC   ~25"},
        {"short PCB", "ABC", true, 25, "ABC   (M324)~25"},
        {"40 characters", forty, false, 7, forty + "   ~7"},
        {"41 characters", forty + "B", false, 7, forty + "...~7"},
        {"40 characters PCB", forty, true, 25, forty + " (M324)~25"},
        {"long PCB, big total", forty + "BBBB", true, 123456789, forty.substr(0, 34) + "(M324)~123456789"},
        {"characters, not bytes", std::string(20, 'x') + "ÇÃÉ" + std::string(20, 'y'), false, 3,
         std::string(20, 'x') + "ÇÃÉ" + std::string(17, 'y') + "...~3"},
        {"a user's tilde", "a~b", false, 5, "a~b   ~5"},
    };
    long long n = 1;
    for (const DescriptionCase& c : cases) {
        WriteTable(n, {Piece(c.pieces, "1", "1", 1)});
        WriteDsc(n, {"[PED]", "CAMPO1=" + c.description, c.pcb ? "PCI=1" : "PCI=0"});
        ++n;
    }
    vor::RefreshOrderListIfDirty();
    ASSERT_EQ(list().count, static_cast<long>(std::size(cases)));
    for (long i = 1; i <= list().count; ++i) {
        const DescriptionCase& c = cases[i - 1];
        EXPECT_EQ(list().records[i].description, c.expected) << c.what;
        EXPECT_LE(vor::Utf8Length(list().records[i].description), 50u) << c.what;
    }

    // A mark longer than the room is cut; the total still closes the text.
    vor::gShared.messages[324] = std::string(60, 'P');
    list().dirty = true;
    vor::RefreshOrderListIfDirty();
    EXPECT_EQ(list().records[2].description, "(" + std::string(46, 'P') + "~25");
    EXPECT_TRUE(messages.Texts().empty());
}

TEST_F(OrderListTest, TwoThousandOrdersAtMost)
{
    for (long long n = 0; n < 2000; ++n)
        WriteOrder(n);
    WriteTable(2000, {});  // empty: no order, so the list is not over full
    vor::RefreshOrderListIfDirty();
    EXPECT_EQ(list().count, 2000);
    EXPECT_TRUE(messages.Texts().empty());

    WriteOrder(2001);
    list().dirty = true;
    vor::RefreshOrderListIfDirty();
    EXPECT_EQ(list().count, 2000);
    EXPECT_EQ(list().records[2000].number, 1999);
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"M598"}));
}

TEST_F(OrderListTest, RefreshOnlyWhenDirty)
{
    WriteOrder(5);
    vor::RefreshOrderListIfDirty();
    ASSERT_EQ(Numbers(), (std::vector<int>{5}));
    WriteOrder(2);
    vor::RefreshOrderListIfDirty();
    EXPECT_EQ(Numbers(), (std::vector<int>{5}));
    list().dirty = true;
    vor::RefreshOrderListIfDirty();
    EXPECT_EQ(Numbers(), (std::vector<int>{2, 5}));
}

// Records what the busy flag was when each box was shown.
class BusyProbe final : public platform::MessageService {
public:
    platform::Answer Show(std::string_view, std::string_view, platform::MessageKind,
                          platform::Buttons) override
    {
        seen.push_back(vor::gShared.busy);
        return platform::Answer::Ok;
    }
    std::vector<bool> seen;
};

TEST_F(OrderListTest, ScanMarksTheProgramBusyAndPutsTheMarkBack)
{
    WriteTable(1, {Piece(1, "1", "1", 1)});  // no description: one box during the scan
    BusyProbe probe;
    platform::ScopedMessages scope(probe);
    for (bool before : {false, true}) {
        vor::gShared.busy = before;
        list().dirty = true;
        vor::RefreshOrderListIfDirty();
        EXPECT_EQ(vor::gShared.busy, before);
    }
    EXPECT_EQ(probe.seen, (std::vector<bool>{true, true}));
}

TEST_F(OrderListTest, SortKeepsEqualNumbersInOrder)
{
    vor::OrderList l;
    const std::pair<int, const char*> input[] = {{5, "a"}, {1, "b"}, {3, "c"}, {1, "d"}};
    for (const auto& [number, tag] : input) {
        l.records[++l.count].number = number;
        l.records[l.count].description = tag;
    }
    vor::SortOrderList(l);
    std::string got;
    for (long i = 1; i <= l.count; ++i)
        got += std::to_string(l.records[i].number) + l.records[i].description + " ";
    EXPECT_EQ(got, "1b 1d 3c 5a ");
}

// ---- One table ---------------------------------------------------------------

TEST_F(OrderListTest, TotalListFile)
{
    const fs::path path = f().ped / "PED00009.TAB";
    WriteBytes(path, Crlf({Piece(2, "500,5", "300", 12), Piece(1, "100", "100", 7),
                           Piece(3, "10", "10", 12)}));
    const vor::TableTotals t = vor::TotalListFile(path, list());
    EXPECT_EQ(t.lines, 3);
    EXPECT_EQ(t.pieces, 6);
    EXPECT_DOUBLE_EQ(t.area, 2 * 500.5 * 300 + 10000 + 300);
    EXPECT_EQ(t.spare, 0.0);
    EXPECT_EQ(t.materials, "_12_7");
    EXPECT_EQ(list().lastTableMaterials, (std::vector<int>{12, 7}));

    const fs::path missing = f().ped / "PED00008.TAB";
    const vor::TableTotals none = vor::TotalListFile(missing, list());
    EXPECT_EQ(none.lines, 0);
    EXPECT_EQ(none.pieces, 0);
    EXPECT_EQ(none.materials, "");
    EXPECT_TRUE(list().lastTableMaterials.empty());
    EXPECT_EQ(messages.Last().text, "file " + missing.string() + "not found !!!");
}

// ---- Description file keys -------------------------------------------------------

TEST_F(OrderListTest, ReadProjectIni)
{
    WriteDsc(3, {"[ped]", "campo1=Cozinha", "PCI=1", "CAMPO10=pc - ana "});
    const vor::ProjectIniValues v = vor::ReadProjectIni(3);
    EXPECT_EQ(v.description, "Cozinha");
    EXPECT_EQ(v.status, 0);  // no STATUS key
    EXPECT_EQ(vor::StatusText(v.status), "M808");
    EXPECT_TRUE(list().lastProjectPcb);
    EXPECT_EQ(list().lastProjectField10, "pc - ana");
    EXPECT_TRUE(messages.Texts().empty());

    WriteDsc(4, {"[PED]", "STATUS=3"});
    EXPECT_EQ(vor::GetProjectDescription(4), "???");

    EXPECT_EQ(vor::GetProjectDescription(9), "!!!");
    EXPECT_EQ(messages.Last().text,
              "Erro INI 1: projeto 9  Arquivo [" + Dsc(9).string() + "] não localizado");

    EXPECT_EQ(vor::ReadProjectField1(Dsc(3)), "Cozinha");
    EXPECT_EQ(vor::ReadProjectField1(Dsc(4)), "???");
    EXPECT_EQ(vor::ReadProjectField1(Dsc(8)), "???");
    EXPECT_EQ(messages.Last().text, "Erro INI 25: Arquivo [" + Dsc(8).string() + "] não localizado");
}

TEST_F(OrderListTest, StatusTexts)
{
    const std::pair<int, const char*> cases[] = {{0, "M808"}, {1, "M809"}, {2, "M810"},
                                                 {3, "M811"}, {4, "error"}, {-1, "error"}};
    for (const auto& [status, text] : cases)
        EXPECT_EQ(vor::StatusText(status), text) << status;
}

TEST_F(OrderListTest, WriteNewProjectIniWritesExactlySevenLines)
{
    WriteDsc(6, {"[PED]", "CAMPO1=velho", "CAMPO5=some"});
    EXPECT_TRUE(vor::WriteNewProjectIni(Dsc(6), "Mesa de jantar\r\nç"));
    EXPECT_EQ(ReadBytes(Dsc(6)),
              "[PED]\r\nCRIACAO=24/03/25  14:15:02\r\nULT_MODIF=24/03/25  14:15:02\r\n"
              "STATUS=0\r\nPCI=0\r\nCAMPO1=Mesa de jantar  \xe7\r\nCAMPO2=---\r\n");

    EXPECT_FALSE(vor::WriteNewProjectIni(f().ped / "nada" / "DSC00001.INI", "x"));
    EXPECT_TRUE(messages.Texts().empty());
}

TEST_F(OrderListTest, DeleteOrderFiles)
{
    // 12345's side file name would keep four digits and hit order 1234's.
    for (const char* name : {"PED12345.TAB", "DSC12345.INI", "PED1234.TXT", "PED01234.TAB",
                             "PED00042.TAB", "PED0042.TXT", "DSC00042.INI", "PED10000.TAB",
                             "DSC10000.INI"})
        WriteBytes(f().ped / name, "x\r\n");
    const auto exists = [&](const char* name) { return fs::exists(f().ped / name); };

    EXPECT_TRUE(vor::DeleteOrderFiles(f(), 12345, true));
    EXPECT_FALSE(exists("PED12345.TAB"));
    EXPECT_FALSE(exists("DSC12345.INI"));
    EXPECT_TRUE(exists("PED1234.TXT"));
    EXPECT_TRUE(exists("PED01234.TAB"));

    EXPECT_TRUE(vor::DeleteOrderFiles(f(), 42, true));
    EXPECT_FALSE(exists("PED00042.TAB"));
    EXPECT_FALSE(exists("PED0042.TXT"));
    EXPECT_FALSE(exists("DSC00042.INI"));

    // Longer numbers would name order 10000's files.
    EXPECT_FALSE(vor::DeleteOrderFiles(f(), 100000, true));
    EXPECT_FALSE(vor::DeleteOrderFiles(f(), -1, true));
    EXPECT_TRUE(exists("PED10000.TAB"));
    EXPECT_TRUE(exists("DSC10000.INI"));
    EXPECT_TRUE(messages.Texts().empty());
}

TEST_F(OrderListTest, DeleteOrderFilesFollowsInternoAndRestoresTheCurrentOrder)
{
    WriteBytes(inst.iniDir() / "VL_.INI", "[CALC]\r\nINTERNO=0\r\n");
    fs::create_directory(f().base / "INP");
    const fs::path inq = f().tmp / "PED00042.INQ";
    const fs::path inf = f().base / "INP" / "PED00042.INF";
    for (const fs::path& p : {inq, inf, Table(42), Dsc(42)})
        WriteBytes(p, "x\r\n");
    vor::gShared.currentOrder = 5;

    EXPECT_TRUE(vor::DeleteOrderFiles(42));
    EXPECT_EQ(vor::gShared.currentOrder, 5);
    EXPECT_FALSE(fs::exists(inq));
    EXPECT_FALSE(fs::exists(inf));
    EXPECT_FALSE(fs::exists(Dsc(42)));
    EXPECT_TRUE(fs::exists(Table(42)));  // the PED table is not this installation's
}

// ---- Numbers ---------------------------------------------------------------------

struct ProposalCase {
    const char* what;
    std::vector<int> orders;      // tables with lines and descriptions
    std::vector<int> emptyTables; // tables without lines, so not in the list
    std::vector<int> onlyDsc;     // description files without a table
    int firstGap;                 // TIPO_N_PROJETO_NOVO true
    int largestPlusOne;           // false
};

TEST_F(OrderListTest, ProposeProjectNumber)
{
    const ProposalCase cases[] = {
        {"a gap", {0, 1, 2, 5}, {}, {}, 3, 6},
        {"no gap", {0, 1, 2}, {}, {}, 3, 3},
        {"no orders", {}, {}, {}, 0, 0},
        {"gap at 0", {1, 2}, {}, {}, 0, 3},
        {"an empty order holds its number", {0, 1, 2, 5}, {3}, {6}, 4, 7},
        {"a lone description holds its number", {1}, {}, {0, 2}, 3, 3},
        {"no number above the largest", {0, 99999}, {}, {}, 1, 1},
    };
    for (const ProposalCase& c : cases) {
        std::vector<fs::path> old;
        for (const auto& entry : fs::directory_iterator(f().ped))
            old.push_back(entry.path());
        for (const fs::path& p : old)
            fs::remove(p);
        for (int n : c.orders)
            WriteOrder(n);
        for (int n : c.emptyTables)
            WriteTable(n, {});
        for (int n : c.onlyDsc)
            WriteDsc(n, {"[PED]", "CAMPO1=x"});
        for (bool firstGap : {true, false}) {
            list().dirty = true;
            EXPECT_EQ(vor::ProposeProjectNumber(f(), list(), firstGap),
                      firstGap ? c.firstGap : c.largestPlusOne)
                << c.what << (firstGap ? ", first gap" : ", largest + 1");
        }
    }
    // The shared form follows TIPO_N_PROJETO_NOVO.
    vor::gShared.settings.firstFreeProjectNumber = false;
    list().dirty = true;
    EXPECT_EQ(vor::ProposeProjectNumber(), 1);
    std::string number, caption;
    vor::gShared.settings.firstFreeProjectNumber = true;
    vor::SetProjectCaption(number, caption);
    EXPECT_EQ(number, "1");
    EXPECT_EQ(caption, "PRJ 1");
    EXPECT_TRUE(messages.Texts().empty());
}

TEST_F(OrderListTest, OrderNumberExistsLooksAtTheDiskToo)
{
    WriteOrder(12);
    WriteOrder(12345);
    WriteTable(3, {});
    WriteDsc(4, {"[PED]"});
    const std::pair<long long, bool> cases[] = {
        {12, true}, {3, true}, {4, true}, {5, false}, {12345, true}, {123456, false}, {-1, false}};
    for (const auto& [number, exists] : cases)
        EXPECT_EQ(vor::OrderNumberExists(number), exists) << number;
}

struct InputCase {
    const char* typed;
    const char* returned;
    const char* message;  // nullptr: none; "range": the range message
};

TEST_F(OrderListTest, CheckProjectNumberInput)
{
    WriteOrder(12);
    WriteOrder(30500);  // numbered by the system
    const std::string range =
        "M785:\r\r00000 ... 30000 - Ok \r30001 ... 99999 - M205\r\rM189 30000 !. M340";
    EXPECT_EQ(vor::ProjectNumberRangeText(), range);

    const InputCase cases[] = {
        {"30001", "", "range"},
        {"12", "", "M767 (12)"},
        {" 1 2", "", "M767 (12)"},
        {"30500", "", "M767 (30500)"},
        {" 7 ", " 7 ", nullptr},
        {"+7", "+7", nullptr},
        {"0", "0", nullptr},
        {"30000", "30000", nullptr},
        {"", "", "range"},
        {"   ", "", "range"},
        {"-1", "", "range"},
        {"abc", "", "range"},
        {"12abc", "", "range"},
        {"1.5", "", "range"},
        {"--1", "", "range"},
        {"99999999999999999999", "", "range"},
        {"-99999999999999999999", "", "range"},
    };
    for (const InputCase& c : cases) {
        messages.ClearShown();
        EXPECT_EQ(vor::CheckProjectNumberInput(c.typed), c.returned) << '"' << c.typed << '"';
        if (!c.message) {
            EXPECT_TRUE(messages.Texts().empty()) << '"' << c.typed << '"';
        } else {
            const std::string expected = std::string(c.message) == "range" ? range : c.message;
            EXPECT_EQ(messages.Texts(), (std::vector<std::string>{expected})) << '"' << c.typed << '"';
        }
    }
}

}  // namespace
