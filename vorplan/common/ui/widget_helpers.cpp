#include "vorplan/common/ui/widget_helpers.h"

#include <QAbstractItemDelegate>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableView>

namespace vor {

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text,
                        const QRect& geometry)
{
    auto* button = new QPushButton(text, parent);
    if (name)
        button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    if (!geometry.isNull())
        button->setGeometry(geometry);
    return button;
}

void CommitOpenEditor(QTableView& grid)
{
    if (QWidget* editor = grid.indexWidget(grid.currentIndex())) {
        QAbstractItemDelegate* delegate = grid.itemDelegate();
        emit delegate->commitData(editor);
        emit delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

bool IsEnterKey(const QKeyEvent* event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

}  // namespace vor
