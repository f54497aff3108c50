#pragma once

#include <QBrush>
#include <QColor>
#include <QRect>
#include <QString>
#include <QStyledItemDelegate>
#include <filesystem>
#include <optional>

#include "vorplan/common/calc_lists.h"
#include "vorplan/common/drawing_geometry.h"
#include "vorplan/common/list_helpers.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPainter;

namespace vor {

// ---- Adapters: the Qt lists as the list helpers see them ---------------------

class ListWidgetControl final : public ListControl {
public:
    explicit ListWidgetControl(QListWidget& list) : m_list(list) {}
    int Count() const override;
    std::string Text(int index) const override;
    bool IsSelected(int index) const override;
    void Clear() override;
    void Add(const std::string& text) override;
    void Remove(int index) override;

private:
    QListWidget& m_list;
};

// The same list whose selection can be set, for MarkRecentProjects.
class SelectableListWidgetControl final : public SelectableListControl {
public:
    explicit SelectableListWidgetControl(QListWidget& list) : m_list(list), m_items(list) {}
    int Count() const override { return m_items.Count(); }
    std::string Text(int index) const override { return m_items.Text(index); }
    bool IsSelected(int index) const override { return m_items.IsSelected(index); }
    void Clear() override { m_items.Clear(); }
    void Add(const std::string& text) override { m_items.Add(text); }
    void Remove(int index) override { m_items.Remove(index); }
    void SetSelected(int index, bool selected) override;

private:
    QListWidget& m_list;
    ListWidgetControl m_items;
};

// Filling the items never changes the combo box's edit text nor picks an item.
class ComboBoxControl final : public ComboControl {
public:
    explicit ComboBoxControl(QComboBox& combo) : m_combo(combo) {}
    int Count() const override;
    std::string Text(int index) const override;
    void Clear() override;
    void Add(const std::string& text) override;
    void Remove(int index) override;
    int CurrentIndex() const override;
    std::string EditText() const override;

private:
    QComboBox& m_combo;
};

// ---- Owner-drawn record items ---------------------------------------------------

// The item data role that carries a record item's swatch colour (a Windows
// colour number), so the swatch never depends on the list mirroring another table.
constexpr int kSwatchColourRole = Qt::UserRole + 1;

void SetRecordSwatch(QListWidgetItem& item, WinColor colour);
std::optional<WinColor> RecordSwatch(const QModelIndex& index);

// Draws one record item into `rect`: the rectangle filled with `background`,
// the tilde fields of `text` in the columns of `columns` in `textColour`, the
// silver column separators and, when `swatch` is given, the colour swatch.
void DrawTildeListItem(QPainter& painter, const QRect& rect, const QString& text,
                       const ColumnSet& columns, std::optional<WinColor> swatch,
                       const QBrush& background, const QColor& textColour);

// Paints the items of a record list with DrawTildeListItem; `withColour`
// draws the swatch of items that carry one.
class RecordItemDelegate final : public QStyledItemDelegate {
public:
    explicit RecordItemDelegate(bool withColour, const ColumnSet* columns = &gListData.columns,
                                QObject* parent = nullptr);
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    bool m_withColour;
    const ColumnSet* m_columns;
};

// ---- The list helpers on Qt lists ---------------------------------------------------

// The material list columns in gListData for the font of `list`.
void SetupMaterialListColumns(const QWidget& list);

void TakeChosenMaterials(QListWidget& list);
long long SelectMaterialFromList(QListWidget& list);
void FillListFromTable(QListWidget& sheetList, QListWidget& offcutList, long long materialCode,
                       const StockRowLoader& load);
void LoadListFile(QComboBox& combo, const std::filesystem::path& path);
void LoadListFileWithMessage(QListWidget& list, const std::filesystem::path& path);
void SaveListFile(QComboBox& combo, const std::filesystem::path& path);
bool DeleteSelectedListRecord(QComboBox& combo);
// Opens `dialog` with the edit's text and width; on confirmation the edit
// takes the dialog's text. Returns whether it was confirmed.
bool EditTextInDialog(QLineEdit& edit, const TextInputDialog& dialog);

}  // namespace vor
