#include "vorplan/results/ui/own_dialog.h"

#include <QDialog>
#include <QPointer>
#include <QPushButton>

namespace vor {

int ExecOwnDialog(QDialog& dialog, QWidget& owner)
{
    QWidget* before = dialog.parentWidget();
    const Qt::WindowFlags flags = dialog.windowFlags();
    dialog.setParent(&owner, flags | Qt::Dialog);
    QPointer<QDialog> alive(&dialog);
    const int result = dialog.exec();
    // The owner may go while its dialog runs; the dialog then went with it.
    if (alive)
        alive->setParent(before, flags);
    return result;
}

}  // namespace vor
