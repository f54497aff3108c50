#pragma once

#include <QDialog>

#include "vorplan/layoutview/yield_display_options.h"

class QCheckBox;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace platform {
class WindowActivation;
}

namespace vor {

// What the results window's summary lists: which yield, the sheets and
// offcuts used (with the perimeter), the calculated projects. The controls
// hold the options for the program run; Options() gives them to the reader.
class TForm30 : public QDialog {
    Q_OBJECT

public:
    explicit TForm30(QWidget* parent = nullptr);
    ~TForm30() override;

    YieldDisplayOptions Options() const;
    void FormActivate();
    // "Perímetro" is enabled exactly while "Chapas / ret. util." is ticked.
    void ApplyEnabling();

    QGroupBox* GroupBox1;        // "Aproveitamento"
    QRadioButton* RadioButton1;  // from real areas
    QRadioButton* RadioButton2;  // from rounded areas
    QCheckBox* CheckBox1;        // "Chapas / ret. util."
    QCheckBox* CheckBox2;        // "proj. calculados"
    QCheckBox* CheckBox3;        // "Perímetro"
    QPushButton* Button1;        // "Ok"
    QPushButton* BitBtn1;        // hidden, does nothing

private:
    platform::WindowActivation* m_activation;
};

extern TForm30* Form30;
TForm30* CreateForm30();

}  // namespace vor
