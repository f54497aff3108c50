#pragma once

#include <QDialog>
#include <optional>
#include <vector>

#include "ostrel/ostrel_captions.h"
#include "ostrel/report_store.h"

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace ostrel {

// The index window ("Indice"): the report's headings; Ok or a double click
// chooses one, Cancela none. Opened modally over the main window.
class TForm1 final : public QDialog {
    Q_OBJECT

public:
    TForm1(const std::vector<IndexEntry>& entries, const Captions& captions, QWidget* parent);

    // The entry chosen (0-based), once the window closed with Ok or a double click.
    std::optional<int> Chosen() const { return m_chosen; }

    QListWidget* ListBox1;
    QLabel* Hint;
    QPushButton* OkButton;
    QPushButton* CancelButton;

private:
    void OkClick();
    void ListDoubleClick(QListWidgetItem* item);

    std::optional<int> m_chosen;
};

}  // namespace ostrel
