#include "vorplan/common/ui/widget_helpers.h"

#include <QAbstractItemDelegate>
#include <QTableView>

namespace vor {

void CommitOpenEditor(QTableView& grid)
{
    if (QWidget* editor = grid.indexWidget(grid.currentIndex())) {
        QAbstractItemDelegate* delegate = grid.itemDelegate();
        emit delegate->commitData(editor);
        emit delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

}  // namespace vor
