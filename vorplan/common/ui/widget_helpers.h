#pragma once

class QTableView;

namespace vor {

// Hands the text of the grid's open cell editor, if any, to the model and
// closes the editor, so that an action reads what the user typed.
void CommitOpenEditor(QTableView& grid);

}  // namespace vor
