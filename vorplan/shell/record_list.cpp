#include "vorplan/shell/record_list.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QStyle>

#include "platform/qt_text.h"
#include "vorplan/common/ui/drawing_helpers.h"

namespace vor {

using platform::FromQString;
using platform::ToQString;

int ListWidgetControl::Count() const { return m_list.count(); }

std::string ListWidgetControl::Text(int index) const
{
    return FromQString(m_list.item(index)->text());
}

bool ListWidgetControl::IsSelected(int index) const { return m_list.item(index)->isSelected(); }

void ListWidgetControl::Clear() { m_list.clear(); }

void ListWidgetControl::Add(const std::string& text) { m_list.addItem(ToQString(text)); }

void ListWidgetControl::Remove(int index) { delete m_list.takeItem(index); }

void SelectableListWidgetControl::SetSelected(int index, bool selected)
{
    m_list.item(index)->setSelected(selected);
}

int ComboBoxControl::Count() const { return m_combo.count(); }

std::string ComboBoxControl::Text(int index) const { return FromQString(m_combo.itemText(index)); }

void ComboBoxControl::Clear()
{
    const QString text = m_combo.currentText();
    m_combo.clear();
    if (m_combo.isEditable())
        m_combo.setEditText(text);
}

void ComboBoxControl::Add(const std::string& text)
{
    const bool none = m_combo.currentIndex() < 0;
    const QString kept = m_combo.currentText();
    m_combo.addItem(ToQString(text));
    // Qt makes the first item added the current one; the list only grows.
    if (none) {
        m_combo.setCurrentIndex(-1);
        if (m_combo.isEditable())
            m_combo.setEditText(kept);
    }
}

void ComboBoxControl::Remove(int index) { m_combo.removeItem(index); }

int ComboBoxControl::CurrentIndex() const { return m_combo.currentIndex(); }

std::string ComboBoxControl::EditText() const { return FromQString(m_combo.currentText()); }

void SetRecordSwatch(QListWidgetItem& item, WinColor colour)
{
    item.setData(kSwatchColourRole, static_cast<qulonglong>(colour & 0xFFFFFF));
}

std::optional<WinColor> RecordSwatch(const QModelIndex& index)
{
    const QVariant value = index.data(kSwatchColourRole);
    if (!value.isValid())
        return std::nullopt;
    return static_cast<WinColor>(value.toULongLong() & 0xFFFFFF);
}

void DrawTildeListItem(QPainter& painter, const QRect& rect, const QString& text,
                       const ColumnSet& columns, std::optional<WinColor> swatch,
                       const QBrush& background, const QColor& textColour)
{
    const Rect item{rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
    const TildeItem drawn =
        TildeItemGeometry(SplitTilde(FromQString(text)), columns, item, swatch.has_value());
    painter.save();
    painter.setClipRect(rect);
    painter.fillRect(rect, background);
    painter.setPen(textColour);
    const QFontMetrics metrics(painter.font());
    for (const TextAt& field : drawn.fields)
        painter.drawText(QPoint(field.at.x, field.at.y + metrics.ascent()), ToQString(field.text));
    for (const Rect& separator : drawn.separators)
        painter.fillRect(FillRectOf(separator), FromWinColor(kSilver));
    if (drawn.swatch) {
        painter.setPen(FromWinColor(kSilver));
        painter.setBrush(FromWinColor(*swatch));
        painter.drawRect(OutlineRectOf(*drawn.swatch));
    }
    painter.restore();
}

RecordItemDelegate::RecordItemDelegate(bool withColour, const ColumnSet* columns, QObject* parent)
    : QStyledItemDelegate(parent), m_withColour(withColour), m_columns(columns)
{
}

void RecordItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const
{
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette::ColorGroup group =
        option.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    const QBrush background =
        selected ? option.palette.brush(group, QPalette::Highlight) : option.palette.brush(group, QPalette::Base);
    const QColor textColour =
        option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text);
    painter->save();
    painter->setFont(option.font);
    DrawTildeListItem(*painter, option.rect, index.data(Qt::DisplayRole).toString(), *m_columns,
                      m_withColour ? RecordSwatch(index) : std::nullopt, background, textColour);
    painter->restore();
}

void SetupMaterialListColumns(const QWidget& list)
{
    const QFontMetrics metrics(list.font());
    SetupMaterialListColumns(gListData.columns, metrics.horizontalAdvance(QLatin1Char('x')));
}

void TakeChosenMaterials(QListWidget& list) { TakeChosenMaterials(ListWidgetControl(list)); }

long long SelectMaterialFromList(QListWidget& list)
{
    return SelectMaterialFromList(ListWidgetControl(list));
}

void FillListFromTable(QListWidget& sheetList, QListWidget& offcutList, long long materialCode,
                       const StockRowLoader& load)
{
    ListWidgetControl sheets(sheetList);
    ListWidgetControl offcuts(offcutList);
    FillListFromTable(sheets, offcuts, materialCode, load);
}

void LoadListFile(QComboBox& combo, const std::filesystem::path& path)
{
    ComboBoxControl control(combo);
    LoadListFile(control, path);
}

void LoadListFileWithMessage(QListWidget& list, const std::filesystem::path& path)
{
    ListWidgetControl control(list);
    LoadListFileWithMessage(control, path);
}

void SaveListFile(QComboBox& combo, const std::filesystem::path& path)
{
    SaveListFile(ComboBoxControl(combo), path);
}

bool DeleteSelectedListRecord(QComboBox& combo)
{
    ComboBoxControl control(combo);
    return DeleteSelectedListRecord(control);
}

bool EditTextInDialog(QLineEdit& edit, const TextInputDialog& dialog)
{
    std::string text = FromQString(edit.text());
    if (!EditTextInDialog(text, edit.width(), dialog))
        return false;
    edit.setText(ToQString(text));
    return true;
}

}  // namespace vor
