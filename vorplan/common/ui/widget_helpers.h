#pragma once

#include <QRect>
#include <QString>

class QKeyEvent;
class QPushButton;
class QTableView;
class QWidget;

namespace vor {

// A button that Enter in a field never presses; named `name` (for tests and
// tools) and placed at `geometry` when they are given.
QPushButton* MakeButton(QWidget* parent, const char* name = nullptr,
                        const QString& text = QString(), const QRect& geometry = QRect());

// Hands the text of the grid's open cell editor, if any, to the model and
// closes the editor, so that an action reads what the user typed.
void CommitOpenEditor(QTableView& grid);

// Return on the main block or Enter on the keypad.
bool IsEnterKey(const QKeyEvent* event);

}  // namespace vor
