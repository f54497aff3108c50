// The calculation selections, their files, the materials of the last
// calculation and the recent projects.
#include "vorplan/common/calc_lists.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>
#include <vector>

#include "tests/support/test_support.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/globals.h"
#include "vorplan/optimiser/working_data.h"

namespace {

namespace fs = std::filesystem;
using vortest::ReadBytes;
using vortest::TestInstallation;
using vortest::WriteBytes;

static_assert(vor::kSelectionCapacity == vor::kCalcListCapacity,
              "the optimiser fills the shared selections");

class CalcLists : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_saved = vor::gShared;
        vor::gShared.folders = f;
    }
    void TearDown() override { vor::gShared = m_saved; }

    fs::path Mont(const char* name) const { return inst.base() / "MONT" / name; }

    TestInstallation inst;
    vor::DataFolders f = vor::MakeDataFolders(inst.base());
    vor::DataFolders missing = vor::MakeDataFolders(inst.base() / "nowhere");

private:
    vor::SharedGlobals m_saved;
};

vor::MaterialSelection Selection(const std::vector<vor::MaterialEntry>& entries)
{
    vor::MaterialSelection s;
    for (const auto& e : entries)
        s.entries[++s.count] = e;
    return s;
}

std::vector<vor::MaterialEntry> Entries(const vor::MaterialSelection& s)
{
    std::vector<vor::MaterialEntry> out;
    for (long i = 1; i <= s.count; ++i)
        out.push_back(s.entries[i]);
    return out;
}

std::vector<std::int32_t> Codes(const vor::MaterialSelection& s)
{
    std::vector<std::int32_t> out;
    for (long i = 1; i <= s.count; ++i)
        out.push_back(s.entries[i].code);
    return out;
}

std::vector<std::int32_t> Orders(const vor::OrderSelection& s)
{
    std::vector<std::int32_t> out;
    for (long i = 1; i <= s.count; ++i)
        out.push_back(s.orders[i]);
    return out;
}

std::vector<std::int32_t> Orders(const vor::RecentProjects& r)
{
    std::vector<std::int32_t> out;
    for (long i = 1; i <= r.count; ++i)
        out.push_back(r.orders[i]);
    return out;
}

std::string Le(std::int32_t code)
{
    const auto u = static_cast<std::uint32_t>(code);
    std::string b;
    for (int i = 0; i < 4; ++i)
        b += static_cast<char>((u >> (8 * i)) & 0xFFu);
    return b;
}

std::string NumberLines(int first, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += std::to_string(first + i) + "\r\n";
    return text;
}

// ---- MAT_USAD.BIN ---------------------------------------------------------------------

TEST_F(CalcLists, MaterialsUsedHoldsOnlyTheMarkedCodesWhenAsked)
{
    const auto s = Selection({{4, false}, {9, true}, {11, false}});
    ASSERT_TRUE(vor::SaveMaterialsUsed(f, s, true));
    EXPECT_EQ(ReadBytes(Mont("MAT_USAD.BIN")), std::string("\x09\x00\x00\x00", 4));

    ASSERT_TRUE(vor::SaveMaterialsUsed(f, s, false));
    EXPECT_EQ(ReadBytes(Mont("MAT_USAD.BIN")),
              std::string("\x04\x00\x00\x00\x09\x00\x00\x00\x0B\x00\x00\x00", 12));

    // Nothing marked: an empty file, not the old one.
    ASSERT_TRUE(vor::SaveMaterialsUsed(f, Selection({{4, false}}), true));
    EXPECT_EQ(ReadBytes(Mont("MAT_USAD.BIN")), "");
}

TEST_F(CalcLists, MaterialsUsedRoundTripsEveryCodeLittleEndian)
{
    const auto s = Selection({{0x01020304, true}, {-1, true}, {INT32_MIN, false},
                              {INT32_MAX, true}, {99000, false}, {-50000, true}});
    ASSERT_TRUE(vor::SaveMaterialsUsed(f, s, false));
    const std::string bytes = ReadBytes(Mont("MAT_USAD.BIN"));
    EXPECT_EQ(bytes.substr(0, 8), std::string("\x04\x03\x02\x01\xFF\xFF\xFF\xFF", 8));

    vor::MaterialSelection loaded;
    vor::LoadMaterialsUsed(f, loaded);
    EXPECT_EQ(Codes(loaded), Codes(s));
}

TEST_F(CalcLists, LoadingMaterialsUsedTakesAtMostTheRoomOfTheList)
{
    struct Case {
        const char* what;
        int records;
        std::size_t extraBytes;
        long expected;
    };
    const Case cases[] = {
        {"300 records", 300, 0, 200},
        {"201 records", 201, 0, 200},
        {"exactly full", 200, 0, 200},
        {"a partial record at the end", 2, 3, 2},
        {"only a partial record", 0, 3, 0},
        {"empty file", 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string bytes;
        for (int i = 1; i <= c.records; ++i)
            bytes += Le(1000 + i);
        bytes.append(c.extraBytes, '\x7F');
        WriteBytes(Mont("MAT_USAD.BIN"), bytes);

        auto s = Selection({{5, true}});
        EXPECT_NO_THROW(vor::LoadMaterialsUsed(f, s));
        ASSERT_EQ(s.count, c.expected);
        for (long i = 1; i <= s.count; ++i)
            ASSERT_EQ(s.entries[i].code, 1000 + i);
    }
}

TEST_F(CalcLists, LoadingMaterialsUsedWithoutAFileEmptiesTheListSilently)
{
    auto s = Selection({{5, true}, {6, true}});
    EXPECT_NO_THROW(vor::LoadMaterialsUsed(missing, s));
    EXPECT_EQ(s.count, 0);

    // A folder where the file should be reads as nothing, too.
    fs::create_directory(Mont("MAT_USAD.BIN"));
    s = Selection({{5, true}});
    EXPECT_NO_THROW(vor::LoadMaterialsUsed(f, s));
    EXPECT_EQ(s.count, 0);
}

TEST_F(CalcLists, LoadingMaterialsUsedKeepsTheMarksOfTheSlots)
{
    WriteBytes(Mont("MAT_USAD.BIN"), Le(7) + Le(8));
    auto s = Selection({{1, true}, {2, false}});
    vor::LoadMaterialsUsed(f, s);
    EXPECT_EQ(Entries(s), (std::vector<vor::MaterialEntry>{{7, true}, {8, false}}));
}

TEST_F(CalcLists, TheSelectionWritersAreSilentAndReportIt)
{
    const auto s = Selection({{4, true}});
    EXPECT_FALSE(vor::SaveMaterialsUsed(missing, s, false));
    EXPECT_FALSE(vor::WriteMaterialSelection(missing, s));
    vor::RecentProjects r;
    r.orders[++r.count] = 3;
    EXPECT_FALSE(vor::WriteRecentProjects(missing, r));
}

TEST_F(CalcLists, SharedFormsWorkOnTheSharedLists)
{
    auto& lists = vor::gShared.calcLists;
    lists.materials = Selection({{12, true}, {7, false}, {3, true}});
    ASSERT_TRUE(vor::SaveMaterialsUsed(true));
    EXPECT_EQ(ReadBytes(Mont("MAT_USAD.BIN")), Le(12) + Le(3));
    lists.materials.count = 0;
    vor::LoadMaterialsUsed();
    EXPECT_EQ(Codes(lists.materials), (std::vector<std::int32_t>{12, 3}));

    ASSERT_TRUE(vor::WriteMaterialSelection());
    EXPECT_EQ(ReadBytes(Mont("MAT.SEQ")), "12\r\n3\r\n");
    vor::gShared.currentMaterial = 99;
    vor::ReadMaterialSelection();
    EXPECT_EQ(vor::gShared.currentMaterial, 12);

    WriteBytes(Mont("PRJ.SEQ"), "8\r\n9\r\n");
    vor::ReadOrderSelection();
    EXPECT_EQ(Orders(lists.orders), (std::vector<std::int32_t>{8, 9}));
}

// ---- PRJ.SEQ and MAT.SEQ -----------------------------------------------------------------

TEST_F(CalcLists, OrderSelectionFile)
{
    struct Case {
        const char* what;
        const char* content;  // nullptr: no file
        std::vector<std::int32_t> expected;
    };
    const Case cases[] = {
        {"repeats are kept", "5\r\n5\r\n", {5, 5}},
        {"not a number reads 0", "x\r\n7\r\n", {0, 7}},
        {"blanks removed, LF and no last line end", " 1 2 \n-3", {12, -3}},
        {"an empty line reads 0", "4\r\n\r\n6\r\n", {4, 0, 6}},
        {"a number that does not fit reads 0, not another order", "4000000000\r\n8\r\n", {0, 8}},
        {"empty file", "", {}},
        {"no file", nullptr, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(Mont("PRJ.SEQ"));
        if (c.content)
            WriteBytes(Mont("PRJ.SEQ"), c.content);
        vor::OrderSelection s;
        s.orders[++s.count] = 77;
        vor::ReadOrderSelection(f, s);
        EXPECT_EQ(Orders(s), c.expected);
    }
}

TEST_F(CalcLists, MaterialSelectionFileDropsRepeatsAndNamesTheCurrentMaterial)
{
    struct Case {
        const char* what;
        const char* content;  // nullptr: no file
        std::vector<std::int32_t> expected;
        long long current;
    };
    const Case cases[] = {
        {"repeats dropped, first entry current", "12\r\n7\r\n12\r\n3\r\n", {12, 7, 3}, 12},
        {"not a number reads 0", "abc\r\n4\r\n", {0, 4}, 0},
        {"a repeat of 0", "x\r\n0\r\n5\r\n", {0, 5}, 0},
        {"empty file: current unchanged", "", {}, 555},
        {"no file: current unchanged", nullptr, {}, 555},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(Mont("MAT.SEQ"));
        if (c.content)
            WriteBytes(Mont("MAT.SEQ"), c.content);
        auto s = Selection({{1, true}});
        long long current = 555;
        vor::ReadMaterialSelection(f, s, current);
        EXPECT_EQ(Codes(s), c.expected);
        EXPECT_EQ(current, c.current);
    }
}

TEST_F(CalcLists, MaterialSelectionWritesOneCodePerLine)
{
    ASSERT_TRUE(vor::WriteMaterialSelection(f, Selection({{12, false}, {-7, true}, {0, true}})));
    EXPECT_EQ(ReadBytes(Mont("MAT.SEQ")), "12\r\n-7\r\n0\r\n");
    ASSERT_TRUE(vor::WriteMaterialSelection(f, Selection({})));
    EXPECT_EQ(ReadBytes(Mont("MAT.SEQ")), "");
}

TEST_F(CalcLists, SelectionFilesBeyondTheRoomRaiseTheRangeError)
{
    WriteBytes(Mont("PRJ.SEQ"), NumberLines(1, 201));
    vor::OrderSelection orders;
    EXPECT_THROW(vor::ReadOrderSelection(f, orders), vor::RangeError);
    EXPECT_EQ(orders.count, 200);
    EXPECT_EQ(orders.orders[200], 200);

    WriteBytes(Mont("PRJ.SEQ"), NumberLines(1, 200));
    EXPECT_NO_THROW(vor::ReadOrderSelection(f, orders));
    EXPECT_EQ(orders.count, 200);

    WriteBytes(Mont("MAT.SEQ"), NumberLines(1, 201));
    vor::MaterialSelection materials;
    long long current = 555;
    EXPECT_THROW(vor::ReadMaterialSelection(f, materials, current), vor::RangeError);
    EXPECT_EQ(materials.count, 200);

    // Only distinct codes take room: 300 lines of 150 codes fit.
    WriteBytes(Mont("MAT.SEQ"), NumberLines(1, 150) + NumberLines(1, 150));
    EXPECT_NO_THROW(vor::ReadMaterialSelection(f, materials, current));
    EXPECT_EQ(materials.count, 150);
    EXPECT_EQ(current, 1);
}

// ---- Sorting, marks and repeats --------------------------------------------------------------

TEST(MaterialSelectionOrder, MarksMoveWithTheirCodes)
{
    using E = vor::MaterialEntry;
    struct Case {
        const char* what;
        std::vector<E> input;
        std::vector<E> sorted;
        std::vector<E> unique;
    };
    const Case cases[] = {
        {"mixed",
         {{30, true}, {10, false}, {20, true}, {10, true}},
         {{10, false}, {10, true}, {20, true}, {30, true}},
         {{30, true}, {10, false}, {20, true}}},
        {"negative codes",
         {{5, false}, {-2, true}, {0, false}},
         {{-2, true}, {0, false}, {5, false}},
         {{5, false}, {-2, true}, {0, false}}},
        {"one entry", {{4, true}}, {{4, true}}, {{4, true}}},
        {"empty", {}, {}, {}},
        {"all the same", {{3, false}, {3, true}, {3, true}}, {{3, false}, {3, true}, {3, true}},
         {{3, false}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto s = Selection(c.input);
        vor::SortMaterialSelection(s);
        EXPECT_EQ(Entries(s), c.sorted);
        s = Selection(c.input);
        vor::UniqueMaterialSelection(s);
        EXPECT_EQ(Entries(s), c.unique);
    }
}

TEST(MaterialSelectionOrder, UniqueHasRoomForTheWholeSelection)
{
    vor::MaterialSelection s;
    for (int i = 0; i < 200; ++i)
        s.entries[++s.count] = {i % 2 == 0 ? 1000 + i : 1000 + i - 1, i % 3 == 0};
    ASSERT_NO_THROW(vor::UniqueMaterialSelection(s));
    EXPECT_EQ(s.count, 100);

    vor::MaterialSelection all;
    for (int i = 0; i < 200; ++i)
        all.entries[++all.count] = {200 - i, false};
    ASSERT_NO_THROW(vor::UniqueMaterialSelection(all));
    EXPECT_EQ(all.count, 200);
    vor::SortMaterialSelection(all);
    for (long i = 1; i <= all.count; ++i)
        ASSERT_EQ(all.entries[i].code, i);
}

TEST(MaterialSelectionOrder, CheckAllMarksOnlyTheEntriesInUse)
{
    auto s = Selection({{1, false}, {2, true}, {3, false}});
    s.count = 2;
    vor::CheckAllMaterials(s);
    EXPECT_TRUE(s.entries[1].marked);
    EXPECT_TRUE(s.entries[2].marked);
    EXPECT_FALSE(s.entries[3].marked);
}

// ---- Materials of the last calculation ----------------------------------------------------------

TEST_F(CalcLists, LastCalculationRecordsAreEightBytes)
{
    const std::vector<vor::LastCalcMaterial> records = {{9, false}, {-3, true}};
    vor::WriteLastCalcMaterials(f, records);
    EXPECT_EQ(ReadBytes(inst.base() / "arq_ult_mat_calc.aum"),
              std::string("\x09\x00\x00\x00\x00\x00\x00\x00"
                          "\xFD\xFF\xFF\xFF\x01\x00\x00\x00",
                          16));
    EXPECT_EQ(vor::ReadLastCalcMaterials(f), records);
    EXPECT_THROW(vor::WriteLastCalcMaterials(missing, records), vor::IoError);
}

TEST_F(CalcLists, WasInLastCalculation)
{
    const fs::path file = inst.base() / "arq_ult_mat_calc.aum";
    EXPECT_FALSE(vor::WasInLastCalculation(f, 9));  // no file

    // Code 9 not viewed, code 4 viewed with a flag of 2 and filler that is not 0,
    // then code 7 without its last three bytes.
    WriteBytes(file, Le(9) + std::string("\0\0\0\0", 4) + Le(4) + std::string("\x02\xAA\xBB\xCC", 4) +
                         Le(7) + std::string("\x01", 1));
    struct Case {
        std::int32_t code;
        bool expected;
    };
    for (const Case& c : {Case{9, false}, Case{4, true}, Case{7, false}, Case{5, false}}) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(vor::WasInLastCalculation(f, c.code), c.expected);
    }

    // A later viewed record of the same code counts.
    WriteBytes(file, Le(9) + std::string(4, '\0') + Le(9) + std::string("\x01\0\0\0", 4));
    EXPECT_TRUE(vor::WasInLastCalculation(f, 9));
    vor::gShared.folders = f;
    EXPECT_TRUE(vor::WasInLastCalculation(9));
}

// ---- Recent projects -------------------------------------------------------------------------------

class FakeSelectableList : public vor::SelectableListControl {
public:
    std::vector<std::string> items;
    std::set<int> selected;

    int Count() const override { return static_cast<int>(items.size()); }
    std::string Text(int index) const override { return items.at(static_cast<std::size_t>(index)); }
    bool IsSelected(int index) const override { return selected.count(index) > 0; }
    void Clear() override
    {
        items.clear();
        selected.clear();
    }
    void Add(const std::string& text) override { items.push_back(text); }
    void Remove(int index) override { items.erase(items.begin() + index); }
    void SetSelected(int index, bool on) override
    {
        if (on)
            selected.insert(index);
        else
            selected.erase(index);
    }
};

TEST_F(CalcLists, RecentProjectsFileRoundTripsAndIsLeftAloneWhenMissing)
{
    vor::RecentProjects r;
    for (const int order : {12, 5, 30000})
        r.orders[++r.count] = order;
    ASSERT_TRUE(vor::WriteRecentProjects(f, r));
    EXPECT_EQ(ReadBytes(inst.base() / "last_projects.tab"), "12\r\n5\r\n30000\r\n");

    vor::RecentProjects read;
    read.orders[++read.count] = 1;
    vor::ReadRecentProjects(f, read);
    EXPECT_EQ(Orders(read), (std::vector<std::int32_t>{12, 5, 30000}));
    EXPECT_TRUE(vor::IsRecentProject(read, 5));
    EXPECT_FALSE(vor::IsRecentProject(read, 1));

    vor::ReadRecentProjects(missing, read);
    EXPECT_EQ(Orders(read), (std::vector<std::int32_t>{12, 5, 30000}));

    WriteBytes(inst.base() / "last_projects.tab", "");
    vor::ReadRecentProjects(f, read);
    EXPECT_EQ(read.count, 0);
}

TEST_F(CalcLists, RecentProjectsFileBeyondTheRoomRaisesTheRangeError)
{
    WriteBytes(inst.base() / "last_projects.tab", NumberLines(1, 100));
    vor::RecentProjects r;
    EXPECT_NO_THROW(vor::ReadRecentProjects(f, r));
    EXPECT_EQ(r.count, 100);

    WriteBytes(inst.base() / "last_projects.tab", NumberLines(1, 101));
    EXPECT_THROW(vor::ReadRecentProjects(f, r), vor::RangeError);
    EXPECT_EQ(r.count, 100);
}

TEST(RecentProjectLists, TakeKeepsTheFirstHundredSelectedInItemOrder)
{
    FakeSelectableList list;
    for (int i = 0; i < 130; ++i) {
        list.Add(std::to_string(500 + i) + "~Order " + std::to_string(i) + "~3");
        if (i >= 10)
            list.selected.insert(i);  // 120 selected
    }
    vor::RecentProjects r;
    r.orders[++r.count] = 1;
    vor::TakeRecentProjects(list, r);
    ASSERT_EQ(r.count, 100);
    EXPECT_EQ(r.orders[1], 510);
    EXPECT_EQ(r.orders[100], 609);

    list.selected.clear();
    vor::TakeRecentProjects(list, r);
    EXPECT_EQ(r.count, 0);
}

TEST(RecentProjectLists, MarkSelectsExactlyTheRecentOrders)
{
    FakeSelectableList list;
    for (const char* text : {"12~Kitchen~4", " 7 ~Desk", "30~Shelf~1", "x~no number", "7"})
        list.Add(text);
    list.selected = {2, 3};
    vor::RecentProjects r;
    for (const int order : {7, 12, 99})
        r.orders[++r.count] = order;
    vor::MarkRecentProjects(list, r);
    EXPECT_EQ(list.selected, (std::set<int>{0, 1, 4}));

    // An item without a number is order 0.
    r.orders[++r.count] = 0;
    vor::MarkRecentProjects(list, r);
    EXPECT_EQ(list.selected, (std::set<int>{0, 1, 3, 4}));
}

}  // namespace
