// Record lists, list files, stock lists and the fixed messages of the list helpers.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/fake_message_service.h"
#include "tests/support/test_support.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/list_helpers.h"

namespace {

using vortest::ReadBytes;
using vortest::TempDir;
using vortest::WriteBytes;

// A list box as plain data.
class FakeList : public vor::ListControl {
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
};

class FakeCombo : public vor::ComboControl {
public:
    std::vector<std::string> items;
    int current = -1;
    std::string editText;

    int Count() const override { return static_cast<int>(items.size()); }
    std::string Text(int index) const override { return items.at(static_cast<std::size_t>(index)); }
    void Clear() override { items.clear(); }
    void Add(const std::string& text) override { items.push_back(text); }
    void Remove(int index) override { items.erase(items.begin() + index); }
    int CurrentIndex() const override { return current; }
    std::string EditText() const override { return editText; }
};

std::string Joined(const vor::TildeFields& split)
{
    std::string text;
    for (long i = 1; i <= split.count; ++i)
        text += (i > 1 ? "~" : "") + split.fields[i];
    return text;
}

TEST(SplitTilde, FieldsAndCount)
{
    struct Case {
        const char* text;
        std::vector<std::string> fields;
    };
    const Case cases[] = {
        {"12~Pine~", {"12", "Pine", ""}},
        {"", {""}},
        {"no tilde", {"no tilde"}},
        {"~", {"", ""}},
        {"~~a", {"", "", "a"}},
        {"1~2~3~4~5~6~7~8~9~10~11~12~13~14~15",
         {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15"}},
        // A 16th field stays in the 15th with its "~": no error, nothing lost.
        {"1~2~3~4~5~6~7~8~9~10~11~12~13~14~15~16",
         {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15~16"}},
        {"~~~~~~~~~~~~~~~~~~x",
         {"", "", "", "", "", "", "", "", "", "", "", "", "", "", "~~~~x"}},  // 18 "~"
        {"7~Pinho ~ Carvalho~Família", {"7", "Pinho ", " Carvalho", "Família"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const vor::TildeFields split = vor::SplitTilde(c.text);
        ASSERT_EQ(split.count, static_cast<long>(c.fields.size()));
        for (long i = 1; i <= split.count; ++i)
            EXPECT_EQ(split.fields[i], c.fields[static_cast<std::size_t>(i - 1)]) << "field " << i;
        EXPECT_EQ(Joined(split), c.text);
    }
}

TEST(SplitTilde, ClearsWhatAnEarlierSplitLeft)
{
    vor::TildeFields fields;
    vor::SplitTilde("1~2~3~4~5", fields);
    vor::SplitTilde("9", fields);
    EXPECT_EQ(fields.count, 1);
    EXPECT_EQ(fields.fields[1], "9");
    for (long i = 2; i <= vor::kTildeFieldCount; ++i)
        EXPECT_EQ(fields.fields[i], "") << i;
}

// Message n reads "M<n>", selection and settings restored afterwards.
class ListHelpersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_saved = std::make_unique<vor::SharedGlobals>(vor::gShared);
        m_savedList = std::make_unique<vor::SharedListData>(vor::gListData);
        for (long slot = 1; slot <= vor::kMessageSlots; ++slot)
            vor::gShared.messages[slot] = "M" + std::to_string(slot);
        vor::gShared.settings.showDecimals = false;
    }
    void TearDown() override
    {
        vor::gShared = *m_saved;
        vor::gListData = *m_savedList;
    }

    platform::ScriptedMessages m_messages;
    platform::ScopedMessages m_installed{m_messages};

private:
    std::unique_ptr<vor::SharedGlobals> m_saved;
    std::unique_ptr<vor::SharedListData> m_savedList;
};

TEST_F(ListHelpersTest, MaterialListColumnsFromTitleLengths)
{
    vor::gShared.messages[32] = "Código";
    vor::gShared.messages[33] = "Descrição";
    vor::gShared.messages[211] = "Família";
    vor::ColumnSet columns;
    columns.titles[5] = "kept";
    vor::SetupMaterialListColumns(columns, 7);

    EXPECT_EQ(columns.count, 3);
    EXPECT_EQ(columns.titles[1], "   Código   ");
    EXPECT_EQ(columns.titles[2], "Descrição" + std::string(56, ' '));
    EXPECT_EQ(columns.titles[3], "Família");
    EXPECT_EQ(columns.titles[4], "");
    EXPECT_EQ(columns.titles[5], "kept");
    // Characters, not bytes: "   Código   " is 12, the description title 65.
    const int expected[] = {1, 1 + 12 * 7 + 10, 95 + 65 * 7 + 10, 560 + 7 * 7 + 10, 619 + 10, 629 + 4 * 7 + 10};
    for (long i = 1; i <= vor::kColumnSlots; ++i)
        EXPECT_EQ(columns.x[i], expected[i - 1]) << "x(" << i << ")";
}

TEST_F(ListHelpersTest, ChosenMaterialsAreTheFirstFieldsOfTheSelectedItems)
{
    FakeList list;
    list.items = {"12~Pine~Wood", "7~Oak~Wood", "x~Broken", "40001~Special~S", " 5 ~Blanks"};
    list.selected = {0, 2, 3, 4};
    vor::gListData.chosen.count = 77;
    vor::TakeChosenMaterials(list);

    ASSERT_EQ(vor::gListData.chosen.count, 4);
    EXPECT_EQ(vor::gListData.chosen.codes[1], 12);
    EXPECT_EQ(vor::gListData.chosen.codes[2], 0);
    EXPECT_EQ(vor::gListData.chosen.codes[3], 40001);
    EXPECT_EQ(vor::gListData.chosen.codes[4], 5);

    list.selected.clear();
    vor::TakeChosenMaterials(list);
    EXPECT_EQ(vor::gListData.chosen.count, 0);
}

TEST_F(ListHelpersTest, MoreChosenMaterialsThanTheListHoldsIsARangeError)
{
    FakeList list;
    for (int i = 0; i <= 9000; ++i) {
        list.items.push_back(std::to_string(i) + "~M");
        list.selected.insert(i);
    }
    vor::ChosenMaterials chosen;
    EXPECT_THROW(vor::TakeChosenMaterials(list, chosen), vor::RangeError);
    EXPECT_EQ(chosen.count, 9000);
    EXPECT_EQ(chosen.codes[9000], 8999);
}

TEST_F(ListHelpersTest, SelectMaterialTakesTheFirstSelectedItemOrZero)
{
    FakeList list;
    vor::gShared.currentMaterial = 55;
    EXPECT_EQ(vor::SelectMaterialFromList(list), 0);
    EXPECT_EQ(vor::gShared.currentMaterial, 0);

    list.items = {"12~Pine", "99001~Example", "7~Oak"};
    EXPECT_EQ(vor::SelectMaterialFromList(list), 0) << "nothing selected";
    list.selected = {1, 2};
    EXPECT_EQ(vor::SelectMaterialFromList(list), 99001);
    EXPECT_EQ(vor::gShared.currentMaterial, 99001);
}

TEST_F(ListHelpersTest, StockListShowsMarkedRowsAndTheirTotals)
{
    const std::vector<vor::StockRow> rows{
        {1, 1, 2, 2750, 1830},
        {0, 2, 5, 999, 999},  // not marked: neither shown nor counted
        {1, 3, 1, 1000.5, 500},
    };
    const std::vector<std::string> expected{
        "M98:", "", "2  2750 x 1830 ", "1  1000.5 x 500 ", "", "M474 3", "M486: 10.5652 m2"};
    EXPECT_EQ(vor::StockListItems(rows, "M98", "M900"), expected);

    EXPECT_EQ(vor::StockListItems({}, "M98", "M900"), std::vector<std::string>{"M900"});
    const std::vector<std::string> noneMarked{"M99:", "", "", "M474 0", "M486: 0.0000 m2"};
    EXPECT_EQ(vor::StockListItems({{0, 1, 4, 100, 100}}, "M99", "M901"), noneMarked);

    vor::gShared.settings.showDecimals = true;
    EXPECT_EQ(vor::StockListItems({{1, 1, 2, 2750, 1830}}, "M98", "M900")[2], "2  2750.0 x 1830.0 ");
}

TEST_F(ListHelpersTest, FillListFromTableLoadsSheetsAndOffcutsOfTheMaterial)
{
    FakeList sheets;
    FakeList offcuts;
    sheets.items = {"old"};
    offcuts.items = {"old"};
    std::vector<std::pair<bool, long long>> asked;
    const vor::StockRowLoader load = [&asked](bool wantSheets, long long code) {
        asked.emplace_back(wantSheets, code);
        return wantSheets ? std::vector<vor::StockRow>{{1, 1, 3, 2750, 1830}}
                          : std::vector<vor::StockRow>{};
    };
    vor::FillListFromTable(sheets, offcuts, 12, load);

    EXPECT_EQ(asked, (std::vector<std::pair<bool, long long>>{{true, 12}, {false, 12}}));
    EXPECT_EQ(sheets.items.front(), "M98:");
    EXPECT_EQ(sheets.items.size(), 6u);
    EXPECT_EQ(offcuts.items, std::vector<std::string>{"M901"});
}

TEST_F(ListHelpersTest, ListFileKeepsLinesOfTwoCharactersThatDifferFromTheLineBefore)
{
    TempDir dir;
    struct Case {
        const char* bytes;
        std::vector<std::string> items;
    };
    const Case cases[] = {
        {"A\r\nOak\r\nOak\r\nPine\r\n", {"Oak", "Pine"}},
        {"A\nOak\nOak\nPine", {"Oak", "Pine"}},
        // The line before is the file's, shown or not.
        {"Oak\nX\nOak\n", {"Oak", "Oak"}},
        {"Pinho \xe9\r\n\r\n", {"Pinho é"}},  // Windows-1252 on disk
        {"", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        WriteBytes(dir.path() / "LIST.LST", c.bytes);
        FakeCombo combo;
        combo.items = {"old"};
        vor::LoadListFile(combo, dir.path() / "LIST.LST");
        EXPECT_EQ(combo.items, c.items);
    }
}

TEST_F(ListHelpersTest, AMissingListFileChangesNothingAndOnlyTheListBoxSaysSo)
{
    TempDir dir;
    const auto missing = dir.path() / "NONE.LST";
    FakeCombo combo;
    combo.items = {"old"};
    vor::LoadListFile(combo, missing);
    EXPECT_EQ(combo.items, std::vector<std::string>{"old"});
    EXPECT_EQ(m_messages.Count(), 0u);

    FakeList list;
    list.items = {"old"};
    vor::LoadListFileWithMessage(list, missing);
    EXPECT_EQ(list.items, std::vector<std::string>{"old"});
    ASSERT_EQ(m_messages.Count(), 1u);
    EXPECT_EQ(m_messages.Last().text, "Não achei \"" + missing.string() + "\"");

    WriteBytes(dir.path() / "A.LST", "Oak\r\n");
    vor::LoadListFileWithMessage(list, dir.path() / "A.LST");
    EXPECT_EQ(list.items, std::vector<std::string>{"Oak"});
    EXPECT_EQ(m_messages.Count(), 1u);
}

TEST_F(ListHelpersTest, SaveListFileWritesTheTypedTextThenItemsUpToTheFirstEmptyOne)
{
    TempDir dir;
    FakeCombo combo;
    combo.editText = "Carvalho é";
    combo.items = {"Oak", "Pine", "", "lost"};
    vor::SaveListFile(combo, dir.path() / "DESC_PEC.LST");
    EXPECT_EQ(ReadBytes(dir.path() / "DESC_PEC.LST"), "Carvalho \xe9\r\nOak\r\nPine\r\n");

    EXPECT_THROW(vor::SaveListFile(combo, dir.path() / "no" / "such" / "folder.LST"), vor::IoError);
}

TEST_F(ListHelpersTest, DeleteSelectedRecordAsksFirst)
{
    FakeCombo combo;
    combo.items = {"Oak", "Pine"};
    combo.current = 1;

    m_messages.Script({platform::Answer::No});
    EXPECT_FALSE(vor::DeleteSelectedListRecord(combo));
    EXPECT_EQ(combo.items.size(), 2u);
    ASSERT_EQ(m_messages.Count(), 1u);
    EXPECT_EQ(m_messages.Last().text, "Apagar o registro \"Pine\"");
    EXPECT_EQ(m_messages.Last().buttons, platform::Buttons::YesNo);

    m_messages.Script({platform::Answer::Yes});
    EXPECT_TRUE(vor::DeleteSelectedListRecord(combo));
    EXPECT_EQ(combo.items, std::vector<std::string>{"Oak"});

    combo.current = -1;
    EXPECT_FALSE(vor::DeleteSelectedListRecord(combo));
    EXPECT_EQ(m_messages.Count(), 2u) << "nothing to delete, nothing asked";
}

TEST_F(ListHelpersTest, EditTextTakesTheConfirmedText)
{
    std::string text = "old";
    std::pair<std::string, int> shown;
    const auto confirm = [&shown](const std::string& t, int width) -> std::optional<std::string> {
        shown = {t, width};
        return "new";
    };
    EXPECT_TRUE(vor::EditTextInDialog(text, 120, confirm));
    EXPECT_EQ(shown, (std::pair<std::string, int>{"old", 120}));
    EXPECT_EQ(text, "new");

    const auto cancel = [](const std::string&, int) -> std::optional<std::string> { return std::nullopt; };
    EXPECT_FALSE(vor::EditTextInDialog(text, 120, cancel));
    EXPECT_EQ(text, "new");
}

TEST_F(ListHelpersTest, OnlyOrdinaryMaterialsAreEditable)
{
    struct Case {
        long long code;
        bool editable;
        const char* text;
    };
    const Case cases[] = {
        {0, true, ""},
        {49999, true, ""},
        {50000, false, "M854\rM855, M856\r\rM859"},
        {98999, false, "M854\rM855, M856\r\rM859"},
        {99000, false, "M857\rM858, M856\r\rM859"},
        {99999, false, "M857\rM858, M856\r\rM859"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        m_messages.ClearShown();
        vor::gShared.currentMaterial = c.code;
        EXPECT_EQ(vor::CheckMaterialCodeEditable(), c.editable);
        if (c.editable) {
            EXPECT_EQ(m_messages.Count(), 0u);
        } else {
            ASSERT_EQ(m_messages.Count(), 1u);
            EXPECT_EQ(m_messages.Last().text, c.text);
        }
    }
}

TEST_F(ListHelpersTest, FixedMessages)
{
    vor::ShowSelectMaterialMessage();
    vor::ShowFieldMessage("12", "Pine");
    vor::ShowProgramMissingMessage("/opt/vorlane/kalendo");
    const std::vector<std::string> expected{
        "M207", "M11 12 M944 !\r\rM33: Pine", "M799 [/opt/vorlane/kalendo] M800"};
    EXPECT_EQ(m_messages.Texts(), expected);
    EXPECT_EQ(vor::GetGlobalText1(), "M142");
    EXPECT_EQ(vor::GetGlobalText2(), "M143");
}

TEST(TextHelpers, ReplaceCharacters)
{
    std::string path = "/home/a user/REL/mont inf.txt";
    vor::ModifyTextInPlace(path, ' ', '#');
    EXPECT_EQ(path, "/home/a#user/REL/mont#inf.txt");
    EXPECT_EQ(vor::ReplaceBlanks(" a  b "), "_a__b_");
    EXPECT_EQ(vor::ReplaceBlanks(""), "");
}

}  // namespace
