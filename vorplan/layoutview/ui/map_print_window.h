#pragma once

#include <QDialog>
#include <array>

#include "vorplan/layoutview/map_print.h"

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace platform {
class WindowActivation;
}

namespace vor {

// "Configuração da impressão de mapas de corte": the options of the printed
// cutting maps. Its controls stand for `options`, which the printing reads;
// the viewer hands in its stored print settings before and takes them back after.
class TForm16 : public QDialog {
    Q_OBJECT

public:
    explicit TForm16(QWidget* parent = nullptr);
    ~TForm16() override;

    MapPrintOptions options;

    // Shows `options` in the controls, sets the captions and the enabling.
    void FormActivate();
    // Reads the controls back into `options`; the factor is clamped and stored.
    void FormClose();
    void UpdateEnabling();
    void Edit5Exit();
    void ApplyColourModel(MapColourModel model);
    void ChooseColour(int sample);  // 0..5 as MapPrintColours, 6 the extra headers' Panel8

    QLineEdit* Edit4;  // header text
    QLineEdit* Edit2;  // footer text
    QLineEdit* Edit6;  // footer font size
    QGroupBox* GroupSheets;
    QRadioButton* RadioButton10;  // "1"
    QRadioButton* RadioButton14;  // "2 "
    QRadioButton* RadioButton15;  // "4"
    QCheckBox* CheckBox2;         // piece list / PCB information
    QGroupBox* GroupSize;
    QRadioButton* RadioButton5;  // "Normal"
    QRadioButton* RadioButton9;  // "Grande"
    std::array<QLabel*, 6> Samples;       // Panel6, Panel1 .. Panel5
    std::array<QLabel*, 6> SampleLabels;  // their captions
    QPushButton* Button2;  // "Preto e Branco"
    QPushButton* Button3;  // "Colorido 1"
    QPushButton* Button4;  // "Colorido 2"
    QGroupBox* GroupFill;
    QRadioButton* RadioButton1;  // "Branco"
    QRadioButton* RadioButton2;  // "Colorido"
    QGroupBox* GroupIntensity;
    QRadioButton* RadioButton3;  // "normal"
    QRadioButton* RadioButton4;  // "Fraco"
    QLineEdit* Edit3;  // left margin
    QLineEdit* Edit7;  // top margin
    QLineEdit* Edit1;  // line width
    QLineEdit* Edit5;  // vertical correction factor
    QCheckBox* CheckBox1;  // "Imprime margens de chapa"
    QCheckBox* CheckBox3;  // "Cortes iniciais"
    QCheckBox* CheckBox4;  // "Contorno da folha"
    QCheckBox* CheckBox5;  // "Lista de todas as peças"
    QPushButton* ButtonExtra;  // "..."
    QFrame* Panel7;            // the extra headers
    QLineEdit* Edit8;          // their font size
    QLabel* Panel8;            // their colour
    std::array<QLineEdit*, kExtraHeaderLines> ExtraEdits;  // Edit9 .. Edit13
    QPushButton* ButtonExtraOk;
    QPushButton* Button12;  // "Configuração da Impressora"
    QPushButton* Button1;   // "Ok"

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int result) override;

private:
    void BuildControls();
    void SetCaptions();

    std::array<QLabel*, 19> m_labels{};
    platform::WindowActivation* m_activation;
};

extern TForm16* Form16;
TForm16* CreateForm16();

// The print options the printing reads: those of Form16, or of a program run
// without it.
MapPrintOptions& CurrentMapPrintOptions();

}  // namespace vor
