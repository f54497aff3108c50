#pragma once

#include <QDialog>
#include <array>
#include <functional>

#include "vorplan/orders/strip_mode.h"
#include "vorplan/orders/table_editor.h"

class QCheckBox;
class QFrame;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QModelIndex;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableView;
class QTimer;
class QWidget;

namespace vor {

class Ttabela;
class TableGridModel;

// What later work plugs into the editor. Each empty one does nothing.
struct TableEditorHooks {
    std::function<void(Ttabela&)> print;   // "Imprime": the piece listing
    std::function<void(Ttabela&)> budget;  // "Orçamento"
    // Fills the strip page (TabSheet4) once, when the window is made.
    std::function<void(Ttabela&, QWidget& page)> buildStripPage;
    // "Ok" with "Opção PCI" ticked; returns true when it took the action.
    std::function<bool(Ttabela&)> stripOk;
    // At the end of each opening, and when the window closes, before the
    // settings are written.
    std::function<void(Ttabela&)> opened;
    std::function<void(Ttabela&)> closing;
};

// The hooks every opening of the editor uses.
TableEditorHooks& TableEditorExtensions();

// The editor of an order's piece table (kind 1, with the order's
// identification) or of a material's sheet table (kind 2), shown modally.
// The table is prepared once each time the window opens, so dialogs,
// message boxes and other programs never cost the rows typed so far.
class Ttabela : public QDialog {
    Q_OBJECT

public:
    explicit Ttabela(QWidget* parent = nullptr);
    ~Ttabela() override;

    // Shows the window modally for `kind` (1 pieces, 2 sheets).
    int Open(int kind);
    // Sets the kind the next opening uses.
    void SetKind(int kind) { m_kind = kind == 2 ? TableKind::Sheets : TableKind::Pieces; }

    const TableEditorDocument& Document() const { return m_document; }
    // The strip mode's parameters, kept in the description file.
    void SetStripValues(const PcbStripValues& values);
    // The strip-mode save: the options' rows replace the piece table when
    // there are any, then the description file is written. False (after a
    // message) when nothing could be saved.
    bool SaveStripOrder(const std::vector<StripOption>& options, const std::string& material);
    const TableGrid& Grid() const { return m_document.Grid(); }
    const TableEditorSettings& Settings() const { return m_settings; }
    long CurrentRow() const { return m_row; }
    int CurrentColumn() const { return m_column; }

    QTabWidget* PageControl1;
    QWidget* TabSheet1;  // "Planilha"
    QWidget* TabSheet2;  // "Identificação do pedido"
    QWidget* TabSheet4;  // "Definição da tira"
    QTableView* StringGrid1;
    QPushButton* BitBtn1;     // opens PopupMenu1
    QPushButton* Button11;    // "Config."
    QPushButton* Button12;    // Ok
    QPushButton* Button13;    // Cancela
    QCheckBox* CheckBox8;     // "Opção PCI"
    QMenu* PopupMenu1;        // row commands
    QMenu* PopupMenu2;        // range marks
    QTimer* Timer1;

    // Overlays on the grid.
    QLabel* Panel2;   // help under the field
    QFrame* Panel5;   // the blinking current-cell indicator
    QPushButton* Panel6;  // "Seleciona"
    QLabel* Panel8;   // short hint
    QLabel* Panel57;  // "@1" "@2" "@3" legend

    // Settings panel.
    QFrame* Panel9;
    QCheckBox* CheckBox1;
    QCheckBox* CheckBox2;
    QCheckBox* CheckBox3;
    QCheckBox* CheckBox4;
    QCheckBox* CheckBox5;
    QCheckBox* CheckBox6;
    QCheckBox* Check_perimetro;
    QCheckBox* Check_area_arred;
    QPushButton* Button10;  // the settings panel's Ok

    // Add-value panel.
    QFrame* Panel26;
    QLabel* Label26;        // the column's title
    QLineEdit* Edit37;
    QCheckBox* CheckBox9;   // "somente as marcadas"
    QPushButton* Button26;  // Ok
    QPushButton* Button27;  // Cancela

    // Change-material panel.
    QFrame* Panel3;
    QLineEdit* edit1;
    QLineEdit* Edit2;
    QCheckBox* CheckBox10;  // "somente as marcadas"
    QPushButton* Button3;   // Ok
    QPushButton* Button4;   // Cancela

    // Identification page.
    QLineEdit* Edit14;  // description
    std::array<QLabel*, 8> FieldTitles;  // Panel13 .. Panel21
    std::array<QLineEdit*, 8> FieldEdits;  // Edit16, Edit17, Edit19, Edit20, Edit18, Edit21, Edit9, Edit10
    QLineEdit* Edit38;  // created / modified by
    QGroupBox* RadioGroup1;
    std::array<QRadioButton*, 4> StatusButtons;
    QLabel* CreatedLabel;
    QLabel* ModifiedLabel;

    // Opening: settings, captions, the table and its description.
    void FormActivate();
    void StringGrid1SelectCell(long row, int column);
    void StringGrid1Enter();
    void StringGrid1MouseDown(const QModelIndex& index, Qt::MouseButton button);
    void HeadingMouseDown(int column, Qt::MouseButton button);
    void TimerTick();
    void ShowPickList();
    void EditFieldTitle(int field);

    void InsertRow();    // F5
    void RepeatRow();    // F6
    void DeleteRow();    // F7
    void MarkAll();
    void UnmarkAll();
    void InvertMarks();
    void ClearAll();     // "Apaga todas"
    void OpenChangeMaterial();
    void SortRows();     // "Ordena"
    void MarkRangeStart();
    void MarkRangeEnd();
    void ClearRange();
    void OpenAddValue(int column);
    void AddValueOk();
    void ChangeMaterialOk();

    // Ok, F2/F3 and Ctrl+S; false when the table was not saved.
    void Button12Click();
    void SaveAndClose();  // F2, F3
    bool SaveOnly();      // Ctrl+S
    void Button13Click(); // Cancela

    void done(int result) override;
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    QWidget* BuildGridPage();
    QWidget* BuildIdentificationPage();
    void BuildPanels(QWidget* page);
    void BuildMenus();
    void SetCaptions();
    void ApplySettingsToGrid();
    void ReadControlsIntoSettings();
    void ShowIdentification();
    void IdentificationEdited();
    void SetColumns();
    void MoveTo(long row, int column);
    void RowsChanged(long currentRow);
    void PlaceOverlays();
    void HidePanels();
    bool SaveTable(bool withDescription);
    bool ConfirmDiscard();
    void ShowFixedSizesMessage();
    void AutoCodesToggled(bool on);

    TableKind m_kind = TableKind::Pieces;
    TableEditorDocument m_document;
    TableEditorSettings m_settings;
    TableGridModel* m_model;
    long m_row = 1;
    int m_column = 1;
    long m_pressedRow = -1;    // the row of the last press on a data cell, for the range menu
    int m_addColumn = kWidthColumn;
    int m_blink = 0;
    int m_hintTicks = 0;
    int m_helpColumn = -1;
    bool m_moving = false;
    bool m_panelsHidden = false;  // since the window lost the activation
    bool m_fixedSizesQueued = false;
    bool m_filling = false;    // the identification controls are being filled
};

// The one instance ("tabela"), made by CreateTabela and left null until then.
extern Ttabela* tabela;

// Makes the one instance (once; later calls return it). The caller owns it.
Ttabela* CreateTabela();

// What the main window's table hook calls: the editor for `kind`. The request
// value has no reader here.
void ShowTableEditor(int kind, int tableRequest);

}  // namespace vor
