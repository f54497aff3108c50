#pragma once

#include <QDialog>

#include "vorplan/common/general_settings.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QWidget;

namespace platform {
class WindowActivation;
}

namespace vor {

// The general settings window ("Configurações"). The Configura icon shows it
// modally; the options it changes at once live in gShared.settings, the rest
// are written by Ok. It closes when another window of the program becomes
// active, without writing.
class TForm6 : public QDialog {
    Q_OBJECT

public:
    explicit TForm6(QWidget* parent = nullptr);
    ~TForm6() override;

    // The window's fields as its Ok writes them.
    SettingsWindowValues Values() const;

    // The pages; their tabs are hidden, so only the first is ever shown.
    QStackedWidget* PageControl1;
    QWidget* TabSheet1;
    QWidget* TabSheet2;
    QWidget* TabSheet3;

    QGroupBox* GroupBox1;  // language
    QRadioButton* RadioButton3;  // Português
    QRadioButton* RadioButton4;  // English
    QRadioButton* RadioButton5;  // Español (América Latina)
    QRadioButton* RadioButton6;  // Nederlands
    QRadioButton* RadioButton7;  // Español (España)

    QGroupBox* GroupBox2;  // password
    QLineEdit* Edit1;
    QCheckBox* CheckBox2;  // "Permite modificar configurações", hidden

    QGroupBox* GroupBox3;  // currency
    QLineEdit* Edit2;
    QPushButton* Button2;
    QPushButton* Button3;
    QPushButton* Button4;

    QCheckBox* CheckBox6;  // incomplete calculation allowed
    QCheckBox* CheckBox4;  // special perimeter
    QLabel* Label3;
    QLabel* Label4;
    QCheckBox* CheckBox3;  // PCB option, hidden

    QCheckBox* CheckBox1;  // precision
    QLabel* Label1;        // "(para dimensões)"
    QGroupBox* GroupBox4;  // decimal presentation
    QRadioButton* RadioButton8;
    QRadioButton* RadioButton9;

    QGroupBox* GroupBox5;  // rounding
    QRadioButton* RadioButton1;
    QRadioButton* RadioButton2;
    QLabel* Label5;
    QLabel* Label2;

    QGroupBox* GroupBox6;  // number of a new project
    QRadioButton* RadioButton11;
    QRadioButton* RadioButton12;

    QGroupBox* GroupBox7;  // piece, pieces, scrap, scraps
    QGroupBox* GroupBox8;
    QGroupBox* GroupBox9;
    QGroupBox* GroupBox10;
    QLineEdit* Edit3;
    QLineEdit* Edit4;
    QLineEdit* Edit5;
    QLineEdit* Edit6;

    QPushButton* Button1;  // Ok

    void FormActivate();
    void FormDeactivate();
    void FormClose();
    void FormKeyDown(int key);

    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Edit1Change();
    void CheckBox1Click();
    void CheckBox3Click();
    void CheckBox4Click();
    void CheckBox6Click();
    void RadioButton1Click();
    void RadioButton2Click();
    void RadioButton11Click();
    void RadioButton12Click();
    void RadioButton3Click();
    void RadioButton4Click();
    void RadioButton5Click();
    void RadioButton6Click();
    void RadioButton7Click();

    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildControls();
    void ConnectHandlers();
    QRadioButton* LanguageButton(int language) const;
    void ChooseLanguage(int language);
    void PlaceByMainWindow();

    platform::WindowActivation* m_activation;
};

// The one instance, made at program start by CreateForm6 and left null until
// then. Destroying the window clears it.
extern TForm6* Form6;

// Makes the one instance (once; later calls return it). The caller owns the
// window: the program keeps it to the end, a test deletes it.
TForm6* CreateForm6();

}  // namespace vor
