// The list helpers on real Qt lists, and the owner-drawn record items.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFontMetrics>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <memory>

#include "tests/support/ui_fixture.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/list_helpers.h"
#include "vorplan/common/ui/drawing_helpers.h"
#include "vorplan/shell/record_list.h"

namespace {

using vortest::ReadBytes;
using vortest::WriteBytes;

QString PicturePath(const char* name)
{
    const QString folder = QStringLiteral(VOR_BINARY_DIR "/tests/shell/drawing_pictures");
    QDir().mkpath(folder);
    return folder + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png");
}

// Message n reads "M<n>"; the shared state is put back afterwards.
class RecordListTest : public vortest::UiTest {
protected:
    void SetUp() override
    {
        m_saved = std::make_unique<vor::SharedGlobals>(vor::gShared);
        m_savedList = std::make_unique<vor::SharedListData>(vor::gListData);
        for (long slot = 1; slot <= vor::kMessageSlots; ++slot)
            vor::gShared.messages[slot] = "M" + std::to_string(slot);
    }
    void TearDown() override
    {
        vor::gShared = *m_saved;
        vor::gListData = *m_savedList;
    }

    static void AddItems(QListWidget& list, const QStringList& texts)
    {
        for (const QString& text : texts)
            list.addItem(text);
    }

private:
    std::unique_ptr<vor::SharedGlobals> m_saved;
    std::unique_ptr<vor::SharedListData> m_savedList;
};

TEST_F(RecordListTest, SelectionsOfAnExtendedList)
{
    QListWidget list;
    list.setSelectionMode(QAbstractItemView::ExtendedSelection);
    AddItems(list, {QStringLiteral("12~Pine~Wood"), QStringLiteral("7~Oak~Wood"),
                    QStringLiteral("99001~Example~Demo")});

    vor::gShared.currentMaterial = 3;
    EXPECT_EQ(vor::SelectMaterialFromList(list), 0);
    EXPECT_EQ(vor::gShared.currentMaterial, 0) << "no selection gives 0";

    list.item(2)->setSelected(true);
    list.item(0)->setSelected(true);
    vor::TakeChosenMaterials(list);
    ASSERT_EQ(vor::gListData.chosen.count, 2);
    EXPECT_EQ(vor::gListData.chosen.codes[1], 12) << "in item order";
    EXPECT_EQ(vor::gListData.chosen.codes[2], 99001);
    EXPECT_EQ(vor::SelectMaterialFromList(list), 12);
}

TEST_F(RecordListTest, ComboBoxListFilesKeepTheTypedText)
{
    WriteBytes(base() / "CFG" / "DESC_PEC.LST", "A\r\nOak\r\nOak\r\nPine\r\n");
    QComboBox combo;
    combo.setEditable(true);
    combo.setEditText(QStringLiteral("typed"));
    vor::LoadListFile(combo, base() / "CFG" / "DESC_PEC.LST");

    ASSERT_EQ(combo.count(), 2);
    EXPECT_EQ(combo.itemText(0), QStringLiteral("Oak"));
    EXPECT_EQ(combo.itemText(1), QStringLiteral("Pine"));
    EXPECT_EQ(combo.currentIndex(), -1) << "loading picks no item";
    EXPECT_EQ(combo.currentText(), QStringLiteral("typed"));

    combo.setEditText(QStringLiteral("Cedro é"));
    vor::SaveListFile(combo, base() / "CFG" / "DESC_PEC.LST");
    EXPECT_EQ(ReadBytes(base() / "CFG" / "DESC_PEC.LST"), "Cedro \xe9\r\nOak\r\nPine\r\n");
}

TEST_F(RecordListTest, DeletingTheCurrentComboItemAsks)
{
    QComboBox combo;
    combo.addItems({QStringLiteral("Oak"), QStringLiteral("Pine")});
    combo.setCurrentIndex(1);

    messages().Script({platform::Answer::No});
    EXPECT_FALSE(vor::DeleteSelectedListRecord(combo));
    EXPECT_EQ(combo.count(), 2);
    messages().Script({platform::Answer::Yes});
    EXPECT_TRUE(vor::DeleteSelectedListRecord(combo));
    ASSERT_EQ(combo.count(), 1);
    EXPECT_EQ(combo.itemText(0), QStringLiteral("Oak"));
    ASSERT_EQ(messages().Count(), 2u);
    EXPECT_EQ(messages().Last().text, "Apagar o registro \"Pine\"");
}

TEST_F(RecordListTest, ListBoxFileWithMessageAndStockLists)
{
    QListWidget list;
    AddItems(list, {QStringLiteral("old")});
    vor::LoadListFileWithMessage(list, base() / "CFG" / "NONE.LST");
    EXPECT_EQ(list.count(), 1);
    ASSERT_EQ(messages().Count(), 1u);
    EXPECT_EQ(messages().Last().text, "Não achei \"" + (base() / "CFG" / "NONE.LST").string() + "\"");

    QListWidget sheets;
    QListWidget offcuts;
    vor::FillListFromTable(sheets, offcuts, 5, [](bool wantSheets, long long) {
        return wantSheets ? std::vector<vor::StockRow>{} : std::vector<vor::StockRow>{{1, 1, 2, 100, 50}};
    });
    ASSERT_EQ(sheets.count(), 1);
    EXPECT_EQ(sheets.item(0)->text(), QStringLiteral("M900"));
    ASSERT_GT(offcuts.count(), 2);
    EXPECT_EQ(offcuts.item(0)->text(), QStringLiteral("M99:"));
    EXPECT_EQ(offcuts.item(2)->text().left(5), QStringLiteral("2  10"));
}

TEST_F(RecordListTest, EditTextInDialogGivesTextAndWidth)
{
    QLineEdit edit;
    edit.resize(180, 24);
    edit.setText(QStringLiteral("Pinho"));
    std::pair<std::string, int> shown;
    EXPECT_TRUE(vor::EditTextInDialog(edit, [&shown](const std::string& text, int width) {
        shown = {text, width};
        return std::optional<std::string>("Pinho é");
    }));
    EXPECT_EQ(shown, (std::pair<std::string, int>{"Pinho", 180}));
    EXPECT_EQ(edit.text(), QStringLiteral("Pinho é"));

    EXPECT_FALSE(vor::EditTextInDialog(edit, [](const std::string&, int) {
        return std::optional<std::string>();
    }));
    EXPECT_EQ(edit.text(), QStringLiteral("Pinho é"));
}

TEST_F(RecordListTest, MaterialColumnsFollowTheListFont)
{
    QListWidget list;
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    list.setFont(font);
    vor::SetupMaterialListColumns(list);
    const int w = QFontMetrics(font).horizontalAdvance(QLatin1Char('x'));
    ASSERT_GT(w, 0);
    EXPECT_EQ(vor::gListData.columns.count, 3);
    EXPECT_EQ(vor::gListData.columns.titles[1], "   M32   ");
    EXPECT_EQ(vor::gListData.columns.x[1], 1);
    EXPECT_EQ(vor::gListData.columns.x[2], 1 + 9 * w + 10);
    EXPECT_EQ(vor::gListData.columns.x[3], vor::gListData.columns.x[2] + 59 * w + 10);
}

vor::ColumnSet TestColumns()
{
    vor::ColumnSet columns;
    columns.count = 3;
    columns.titles[1] = "Code";
    columns.titles[2] = "Description";
    columns.titles[3] = "Family";
    columns.x[1] = 1;
    columns.x[2] = 60;
    columns.x[3] = 200;
    return columns;
}

TEST_F(RecordListTest, RecordItemDrawsFieldsSeparatorsAndSwatch)
{
    QImage image(300, 40, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        QPainter painter(&image);
        vor::DrawTildeListItem(painter, QRect(0, 10, 300, 18), QStringLiteral("12~Pine~Wood"),
                               TestColumns(), vor::WinColor{0x0000FF}, QBrush(Qt::white),
                               QColor(Qt::black));
    }
    EXPECT_TRUE(image.save(PicturePath("record_item")));
    const QColor silver(0xC0, 0xC0, 0xC0);
    EXPECT_EQ(image.pixelColor(56, 10), silver);   // x(2) - 4, over the item's height
    EXPECT_EQ(image.pixelColor(56, 27), silver);
    EXPECT_EQ(image.pixelColor(57, 20), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(196, 20), silver);
    EXPECT_EQ(image.pixelColor(56, 9), QColor(Qt::black)) << "nothing outside the item";
    // Swatch (288, 11) to (298, 26): red inside a silver outline.
    EXPECT_EQ(image.pixelColor(293, 18), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(288, 18), silver);
    EXPECT_EQ(image.pixelColor(297, 18), silver);
    EXPECT_EQ(image.pixelColor(298, 18), QColor(Qt::white));
    int ink = 0;
    for (int y = 10; y < 28; ++y) {
        for (int x = 62; x < 190; ++x)
            ink += image.pixelColor(x, y) != QColor(Qt::white);
    }
    EXPECT_GT(ink, 10) << "the second field is written";
}

TEST_F(RecordListTest, DelegatePaintsARecordList)
{
    vor::ColumnSet columns = TestColumns();
    vor::RecordItemDelegate delegate(true, &columns);
    QListWidget list;
    list.resize(320, 90);
    list.setItemDelegate(&delegate);
    AddItems(list, {QStringLiteral("12~Pine~Wood"), QStringLiteral("7~Oak~Wood"),
                    QStringLiteral("99001~Example~Demo")});
    vor::SetRecordSwatch(*list.item(1), 0x00FF00);
    list.item(2)->setSelected(true);
    list.show();
    vortest::ProcessEvents();

    const QImage image = list.grab().toImage();
    EXPECT_TRUE(image.save(PicturePath("record_list")));
    const QRect second = list.visualItemRect(list.item(1));
    const QPoint swatch = list.viewport()->mapTo(&list, QPoint(second.right() - 6, second.center().y()));
    EXPECT_EQ(image.pixelColor(swatch), QColor(0, 255, 0));
    const QRect first = list.visualItemRect(list.item(0));
    const QPoint noSwatch = list.viewport()->mapTo(&list, QPoint(first.right() - 6, first.center().y()));
    EXPECT_NE(image.pixelColor(noSwatch), QColor(0, 255, 0)) << "no colour, no swatch";
}

}  // namespace
