#pragma once

class QDialog;
class QPushButton;
class QWidget;

namespace vor {

// Runs one of the program's global dialogs modally as `owner`'s own dialog,
// so that opening it does not count as leaving `owner`; afterwards the
// dialog is a window of its own again. Returns the dialog's result.
int ExecOwnDialog(QDialog& dialog, QWidget& owner);

}  // namespace vor
