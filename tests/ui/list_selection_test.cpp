#include "vorplan/shell/list_selection.h"

#include <gtest/gtest.h>

#include <QListWidget>
#include <QScrollBar>
#include <QStringList>

#include "tests/support/ui_fixture.h"

namespace {

class ListSelection : public vortest::UiTest {
protected:
    // Items of `texts`; those whose index is in `selected` start selected.
    void Fill(const QStringList& texts, std::initializer_list<int> selected = {})
    {
        m_list.setSelectionMode(QAbstractItemView::ExtendedSelection);
        m_list.clear();
        m_list.addItems(texts);
        for (int row : selected)
            m_list.item(row)->setSelected(true);
    }

    QString Selected() const
    {
        QString marks;
        for (int row = 0; row < m_list.count(); ++row)
            marks += m_list.item(row)->isSelected() ? QLatin1Char('x') : QLatin1Char('.');
        return marks;
    }

    QListWidget m_list;
};

TEST_F(ListSelection, MatchingIsContainsAndAdditive)
{
    struct Case {
        const char* text;
        bool ignoreCase;
        const char* expected;
    };
    // "Pine" starts selected and stays so in every case.
    const Case cases[] = {
        {"OAK", true, "xx..x"},  {"OAK", false, "x...."},      {"oak", false, "xx..."},
        {"Oak", false, "x...x"}, {"board", true, "xx.x."},     {"", true, "x...."},
        {"é", true, "x.x.."},    {"OAK BOARD", true, "xx..."}, {"Birch", false, "x...."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Fill({QStringLiteral("Pine"), QStringLiteral("Red oak board"), QStringLiteral("Pé"),
              QStringLiteral("Spruce board"), QStringLiteral("Oak")},
             {0});
        vor::SelectMatchingItems(m_list, QString::fromUtf8(c.text), c.ignoreCase);
        EXPECT_EQ(Selected(), QLatin1String(c.expected));
    }
}

TEST_F(ListSelection, IgnoringCaseUpperCasesOnlyAscii)
{
    // "é" and "É" are different characters to the comparison, as to the
    // original upper-casing.
    Fill({QStringLiteral("Café"), QStringLiteral("CAFÉ"), QStringLiteral("cafe")});
    vor::SelectMatchingItems(m_list, QStringLiteral("café"), true);
    EXPECT_EQ(Selected(), QStringLiteral("x.."));
}

TEST_F(ListSelection, InvertTogglesEveryItem)
{
    Fill({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")},
         {1, 2});
    vor::InvertListSelection(m_list);
    EXPECT_EQ(Selected(), QStringLiteral("x..x"));
    vor::InvertListSelection(m_list);
    EXPECT_EQ(Selected(), QStringLiteral(".xx."));
}

TEST_F(ListSelection, InvertOfAnEmptyListDoesNothing)
{
    Fill({});
    vor::InvertListSelection(m_list);
    EXPECT_EQ(m_list.count(), 0);
    EXPECT_TRUE(m_list.selectionModel()->selectedIndexes().isEmpty());
}

TEST_F(ListSelection, ClearUnselectsEverything)
{
    Fill({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}, {0, 2});
    vor::ClearListSelection(m_list);
    EXPECT_EQ(Selected(), QStringLiteral("..."));
}

TEST_F(ListSelection, TheFirstVisibleItemStaysAndRepaintsComeBack)
{
    QStringList texts;
    for (int i = 0; i < 200; ++i)
        texts << QStringLiteral("Item %1").arg(i);
    Fill(texts, {0});
    m_list.resize(200, 120);
    m_list.show();
    vortest::ProcessEvents();
    m_list.setCurrentRow(150);  // moves the view, as a user would
    m_list.scrollToItem(m_list.item(120), QAbstractItemView::PositionAtTop);
    const int top = m_list.verticalScrollBar()->value();
    ASSERT_GT(top, 0);

    vor::InvertListSelection(m_list);
    EXPECT_EQ(m_list.verticalScrollBar()->value(), top);
    vor::SelectMatchingItems(m_list, QStringLiteral("item 1"), true);
    EXPECT_EQ(m_list.verticalScrollBar()->value(), top);
    vor::ClearListSelection(m_list);
    EXPECT_EQ(m_list.verticalScrollBar()->value(), top);
    EXPECT_TRUE(m_list.updatesEnabled());

    // A list whose repaints the caller holds back stays so.
    m_list.setUpdatesEnabled(false);
    vor::InvertListSelection(m_list);
    EXPECT_FALSE(m_list.updatesEnabled());
}

}  // namespace
