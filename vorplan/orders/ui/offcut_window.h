#pragma once

#include <QDialog>
#include <filesystem>

#include "vorplan/orders/offcut_table.h"

class QFrame;
class QKeyEvent;
class QModelIndex;
class QPushButton;
class QTableView;

namespace vor {

class OffcutGridModel;

// The offcut table of the current material ("Tabela de retalhos"), edited as
// a grid. The table is read once each time the window is opened, so message
// boxes and visits to other windows leave the edits alone.
class TForm2 : public QDialog {
    Q_OBJECT

public:
    explicit TForm2(QWidget* parent = nullptr);
    ~TForm2() override;

    // The rows as the grid holds them now.
    const OffcutGrid& Grid() const;
    // The file the window opened, fixed when it was prepared.
    const std::filesystem::path& TableFile() const { return m_file; }
    // The remembered current cell: grid row (1 is the first data row) and column.
    long CurrentRow() const { return m_row; }
    int CurrentColumn() const { return m_column; }

    QFrame* Panel1;  // holds the grid
    QTableView* StringGrid1;
    QPushButton* Button1;  // Apaga
    QPushButton* Button2;  // Salva
    QPushButton* Button3;  // Ok
    QPushButton* Button4;  // Cancela

    // Opening: reads the table and sets the captions.
    void FormActivate();
    // A key on the grid; returns whether it was one of the grid's commands.
    bool StringGrid1KeyPress(QKeyEvent* event);
    void StringGrid1SelectCell(long row, int column);
    void StringGrid1Click(const QModelIndex& index);
    // Enter in a cell, also from the cell being typed in.
    void StringGrid1Enter();

    void InsertRow();  // "+"
    void DeleteRow();  // "-"; with only Ctrl held, clears the table
    void ClearTable();

    void Button1Click();  // Apaga
    void Button2Click();  // Salva
    void Button3Click();  // Ok
    void Button4Click();  // Cancela

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void SetColumnWidths();
    // False, with a message and nothing written, when a row cannot be saved.
    bool SaveTable();
    void MoveTo(long row, int column);

    OffcutGridModel* m_model;
    std::filesystem::path m_file;
    long m_row = 1;
    int m_column = 1;
};

// The one instance, made by CreateForm2 and left null until then. Destroying
// the window clears it.
extern TForm2* Form2;

// Makes the one instance (once; later calls return it). The caller owns the
// window: the program keeps it to the end, a test deletes it.
TForm2* CreateForm2();

}  // namespace vor
