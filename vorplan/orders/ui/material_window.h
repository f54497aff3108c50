#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "vorplan/orders/material_file.h"

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QWidget;

namespace platform {
class WindowActivation;
}

namespace vor {

// Asks for a new text of a free field's title, starting from the title shown;
// nullopt when the user cancels. Set by the one-line text input's window.
using FieldTitlePrompt = std::function<std::optional<std::string>(const std::string& title)>;

// The material properties window ("Configuração de material") for the current
// material code. It loads the material file when it opens; Ok writes the field
// titles and every key of the file, Cancela writes nothing.
class TForm15 : public QDialog {
    Q_OBJECT

public:
    explicit TForm15(QWidget* parent = nullptr);
    ~TForm15() override;

    // The controls as Ok writes them.
    MaterialFileValues Values() const;
    FieldTitles Titles() const;
    long long MaterialCode() const { return m_code; }
    bool OkPressed() const { return m_okPressed; }

    // The double click on a free field's title asks through this; without one
    // it does nothing.
    static void SetFieldTitlePrompt(FieldTitlePrompt prompt);

    QTabWidget* PageControl1;
    QWidget* TabSheet1;  // Descrição
    QWidget* TabSheet2;  // Propriedades 1: cutting
    QWidget* TabSheet3;  // Propriedades 2: thickness, weight and prices
    QWidget* TabSheet4;  // Propriedades 3: times, not shown
    QWidget* TabSheet5;  // Cálculos especiais, not shown
    QWidget* TabSheet6;  // Material duplo, not shown

    // Descrição
    QLabel* Label1;   // "Código"
    QLabel* Panel2;   // the code, large
    QLabel* Label2;   // Descrição
    QLineEdit* Edit1; // CAMPO1
    QLabel* Label3;   // Família
    QLineEdit* Edit2; // FAMILIA
    QLabel* Label4;   // Fornecedor
    QLineEdit* Edit3; // FORNECEDOR
    QLabel* Label5;   // Acabamento
    QLineEdit* Edit4; // ACABAMENTO, not typed here
    std::array<QLabel*, 7> TitleLabels{};     // Label6..Label12, the yellow titles
    std::array<QLineEdit*, 7> FieldEdits{};   // Edit5..Edit11: CAMPO2..CAMPO8
    QLabel* Label13;  // creation
    QLabel* Panel3;   // CRIACAO
    QLabel* Label14;  // last change
    QLabel* Panel4;   // ULT_MODIF

    // Propriedades 1
    QLabel* Label15;   // Largura de serra
    QLineEdit* Edit12; // LARG_SERRA
    QLabel* Label16;   // Largura mínima de destaque
    QLineEdit* Edit13; // LARG_MIN_D
    QGroupBox* GroupBox1;  // Gerar retalho
    QRadioButton* RadioButton1;  // Sim
    QRadioButton* RadioButton2;  // Não
    QLabel* Label17;   // minimum offcut width
    QLineEdit* Edit14; // LARG_MIN_R
    QLabel* Label18;   // minimum offcut height
    QLineEdit* Edit15; // ALT_MIN_R
    QGroupBox* GroupBox2;  // constants added to the pieces
    QLabel* Label19;   // Largura
    QLineEdit* Edit16; // CTE_X_DIM_PC
    QLabel* Label20;   // Altura
    QLineEdit* Edit17; // CTE_Y_DIM_PC
    QLineEdit* Edit18; // CTE_DIM_PC, hidden
    QGroupBox* GroupBox3;  // Comprimento máximo de corte
    QRadioButton* RadioButton3;  // Livre
    QRadioButton* RadioButton4;  // Limitado
    QLineEdit* Edit19; // COMP_LIMITE_CORTE
    QLabel* Label21;   // "( 10 ... 10000 mm )"
    QGroupBox* GroupBox4;  // Permissão de giro
    QRadioButton* RadioButton5;  // Sim
    QRadioButton* RadioButton6;  // Não
    QGroupBox* GroupBox5;  // constants added to the sheets
    QLabel* Label22;   // top
    QLineEdit* Edit20; // CTE_DIM_CIMA_CHP
    QLabel* Label23;   // bottom
    QLineEdit* Edit21; // CTE_DIM_BAIXO_CHP
    QLabel* Label24;   // left
    QLineEdit* Edit22; // CTE_DIM_ESQ_CHP
    QLabel* Label25;   // right
    QLineEdit* Edit23; // CTE_DIM_DIR_CHP
    QLabel* Label26;   // "( -500 ... 500 mm )"
    QLabel* Label27;   // colour
    QFrame* Panel5;    // COR, click to choose

    // Propriedades 2
    QLabel* Label28;   // Espessura
    QLineEdit* Edit24; // ESPESSURA
    QLabel* Label29;   // Peso específico
    QLineEdit* Edit25; // PESO_ESP
    QGroupBox* GroupBox6;  // price basis
    QRadioButton* RadioButton7;  // Área, the only one
    QGroupBox* GroupBox7;  // material price
    QLabel* Label30;   // Preço de compra
    QLabel* Label31;   // currency
    QLineEdit* Edit26; // PRECO_COMPRA
    QLabel* Label32;   // "/ m2"
    QLabel* Label33;   // Fator de venda
    QLineEdit* Edit27; // FATOR_VENDA
    QLabel* Label34;   // Preço de venda (K)
    QLabel* Label35;   // currency
    QLabel* Panel6;    // sale price
    QLabel* Label36;   // "/ m2"
    QLabel* Label37;   // sale price formula
    QGroupBox* GroupBox8;  // cutting price
    QLabel* Label38;   // Constante (C)
    QLineEdit* Edit28; // FATOR_CORTE
    QLabel* Label39;   // cutting price formula
    QLabel* Label40;   // formula note, line 1
    QLabel* Label41;   // formula note, line 2

    // Propriedades 3
    std::array<QLabel*, 4> TimeLabels{};    // Label42..Label45
    std::array<QLineEdit*, 4> TimeEdits{};  // Edit29..Edit32: T1..T4

    // Cálculos especiais
    QGroupBox* GroupBox9;  // pieces larger than the sheets
    QCheckBox* CheckBox1;  // PODE_DIVIDIR

    // Material duplo
    QLabel* Label46;   // Descrição
    QLineEdit* Edit33; // MAT_DUPLO DESC
    QLabel* Label47;   // normal material codes
    QLineEdit* Edit34; // MAT1
    QLineEdit* Edit35; // MAT2

    QPushButton* Button1;  // Ok
    QPushButton* Button2;  // Cancela

    void FormActivate();
    void FormClose();
    void Button1Click();
    void Button2Click();
    void RadioButton1Click();
    void RadioButton2Click();
    void Edit4Change();
    void Edit26Change();
    void Edit27Change();
    void Edit33Change();
    void Panel5Click();
    void FieldTitleDblClick(int index);  // 0 for CAMPO2's title

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void BuildControls();
    void ConnectHandlers();
    void SetCaptions();
    void ShowValues(const MaterialFileValues& values);
    void ShowColour();
    void ShowOffcutFields();
    void ProtectFields();
    void EqualPageSizes();
    bool IsProtected(const QObject* widget) const;
    void SaveMaterial();

    platform::WindowActivation* m_activation;
    long long m_code = 0;
    bool m_okPressed = false;
    bool m_loaded = false;  // since it was opened
    int m_colour = 16777215;
    std::vector<QLineEdit*> m_protected;  // not typed in for special materials
};

// The one instance, made at program start by CreateForm15 and left null until
// then. Destroying the window clears it.
extern TForm15* Form15;

// Makes the one instance (once; later calls return it).
TForm15* CreateForm15();

}  // namespace vor
