#pragma once

#include <QDialog>
#include <string>

#include "vorplan/common/calc_data_reader.h"
#include "vorplan/results/export_options.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace platform {
class WindowActivation;
}

namespace vor {

// "Exporta": what the layouts-view chooser exports and where. Modal; the
// choices persist in VL_EXPORT.INI. Closing it any way but "Ok" cancels.
class TForm28 : public QDialog {
    Q_OBJECT

public:
    explicit TForm28(QWidget* parent = nullptr);
    ~TForm28() override;

    void FormActivate();
    void UpdateExportControls();
    void Button1Click();  // Ok
    void Button2Click();  // Cancela
    void Button3Click();  // "...": the save dialog

    // The choices the controls hold.
    ExportChoices Choices() const;

    bool cancelled = false;

    QRadioButton* RadioButton6;  // text report
    QRadioButton* RadioButton7;  // numeric values
    QRadioButton* RadioButton4;  // Arquivo RTF
    QRadioButton* RadioButton1;  // Arquivo CSV
    QRadioButton* RadioButton9;  // Outros
    QRadioButton* RadioButton2;  // machine
    QRadioButton* RadioButton3;  // Resumo (hidden)
    QRadioButton* RadioButton5;  // Completo (hidden)
    QCheckBox* CheckBox2;        // com cabeçalho
    QWidget* Panel1;
    QLabel* Label1;              // Nome do arquivo:
    QLineEdit* Edit1;
    QPushButton* Button3;        // ...
    QCheckBox* CheckBox1;        // open the associated program
    QLabel* Label2;              // the associated program
    QPushButton* Button1;        // Ok
    QPushButton* Button2;        // Cancela

public slots:
    void reject() override;

private:
    void SetChoices(const ExportChoices& choices);

    platform::WindowActivation* m_activation;
    InterfaceSettings m_interfaces;
    std::string m_shownExtension;
    bool m_updating = false;
};

extern TForm28* Form28;
TForm28* CreateForm28();

}  // namespace vor
