#include "vorplan/shell/list_selection.h"

#include <QItemSelection>
#include <QItemSelectionModel>
#include <QListWidget>
#include <QScrollBar>
#include <string>

#include "platform/qt_text.h"
#include "vorplan/common/conversions.h"

namespace vor {

namespace {

// Holds repaints back and puts the first visible item back afterwards.
class QuietList {
public:
    explicit QuietList(QListWidget& list)
        : m_list(list), m_updates(list.updatesEnabled()), m_top(list.verticalScrollBar()->value())
    {
        m_list.setUpdatesEnabled(false);
    }
    ~QuietList()
    {
        m_list.verticalScrollBar()->setValue(m_top);
        m_list.setUpdatesEnabled(m_updates);
    }
    QuietList(const QuietList&) = delete;
    QuietList& operator=(const QuietList&) = delete;

private:
    QListWidget& m_list;
    bool m_updates;
    int m_top;
};

std::string Comparable(const QString& text, ListMatch match)
{
    std::string s = platform::FromQString(text);
    if (match == ListMatch::AsciiUpperCase)
        UpperCaseText(s);
    else if (match == ListMatch::FoldCaseAndAccents)
        s = FoldCaseAndAccents(s);
    return s;
}

}  // namespace

void ClearListSelection(QListWidget& list)
{
    QuietList quiet(list);
    list.selectionModel()->clearSelection();
}

void InvertListSelection(QListWidget& list)
{
    if (list.count() == 0)
        return;
    QuietList quiet(list);
    QAbstractItemModel* model = list.model();
    const QItemSelection all(model->index(0, 0), model->index(list.count() - 1, 0));
    list.selectionModel()->select(all, QItemSelectionModel::Toggle);
}

void SelectMatchingItems(QListWidget& list, const QString& text, bool ignoreCase)
{
    SelectMatchingItems(list, text, ignoreCase ? ListMatch::AsciiUpperCase : ListMatch::Exact);
}

void SelectMatchingItems(QListWidget& list, const QString& text, ListMatch match)
{
    const std::string wanted = Comparable(text, match);
    if (wanted.empty())
        return;
    QuietList quiet(list);
    QAbstractItemModel* model = list.model();
    QItemSelection matching;
    for (int row = 0; row < list.count(); ++row) {
        if (Comparable(list.item(row)->text(), match).find(wanted) != std::string::npos) {
            const QModelIndex index = model->index(row, 0);
            matching.select(index, index);
        }
    }
    list.selectionModel()->select(matching, QItemSelectionModel::Select);
}

}  // namespace vor
