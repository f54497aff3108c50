#pragma once

#include <QDialog>

#include "vorplan/orders/import_source.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace platform {
class WindowActivation;
}

namespace vor {

// The import source chooser: where the new project's pieces come from, its
// number and description, and the route that imports them. The choice is
// kept in VL_IMPORT.INI.
class TForm25 : public QDialog {
    Q_OBJECT

public:
    explicit TForm25(QWidget* parent = nullptr);
    ~TForm25() override;

    QGroupBox* GroupBox1;        // "Fonte de dados"
    QRadioButton* RadioButton1;  // CLIP
    QRadioButton* RadioButton2;  // CSV
    QRadioButton* RadioButton3;  // TXT
    QRadioButton* RadioButton4;  // VLNET
    QRadioButton* RadioButton5;  // OUTR
    QLabel* Label1;              // "Nome do arquivo"
    QLineEdit* Edit1;            // the file
    QPushButton* Button3;        // "..."
    QLabel* Label2;              // the new project
    QLineEdit* Edit2;            // its number
    QLineEdit* Edit3;            // its description
    QPushButton* Button4;        // "Mudar"
    QPushButton* Button1;        // "Continua"
    QPushButton* Button2;        // "Cancela"

    ImportSource Source() const;

    void FormActivate();
    // Proposal, settings and controls afresh.
    void Prepare();
    // The controls after a change of source.
    void UpdateControls();
    void Button3Click();
    void Button4Click();
    void Button1Click();
    void Button2Click();

    void done(int result) override;

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void SetSource(ImportSource source);
    long long Number() const;

    platform::WindowActivation* m_activation;
    bool m_prepared = false;
};

extern TForm25* Form25;
TForm25* CreateForm25();

// Opens the chooser and waits until it closes.
void ShowImportChooser();

}  // namespace vor
