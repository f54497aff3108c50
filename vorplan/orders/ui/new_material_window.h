#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vor {

// Asks for the code of a new material; on Ok the current material is copied
// to it.
class TForm14 : public QDialog {
    Q_OBJECT

public:
    explicit TForm14(QWidget* parent = nullptr);
    ~TForm14() override;

    // Shows the prompt modally with an empty field; the new code, or -1.
    long long Ask();
    long long Code() const { return m_code; }

    QLabel* Label1;
    QLineEdit* Edit1;
    QPushButton* Button1;  // Ok
    QPushButton* Button2;  // Cancela

    void Prepare();  // empty field, Ok disabled
    void Edit1Change();
    void Button1Click();
    void Button2Click();

private:
    long long m_code = -1;
};

extern TForm14* Form14;
TForm14* CreateForm14();

}  // namespace vor
