#pragma once

#include <QDialog>
#include <array>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace platform {
class WindowActivation;
}

namespace vor {

// "Informações sobre o cálculo": what is recorded about the last
// calculation, read-only. Modal.
class TForm20 : public QDialog {
    Q_OBJECT

public:
    explicit TForm20(QWidget* parent = nullptr);
    ~TForm20() override;

    void FormActivate();

    static constexpr int kRows = 7;
    std::array<QLabel*, kRows> Captions;  // Material .. Identificação
    std::array<QLabel*, kRows> Values;
    QLabel* Panel1;  // the file's path
    QPlainTextEdit* Memo1;
    QPushButton* Button1;  // Ok

private:
    platform::WindowActivation* m_activation;
};

extern TForm20* Form20;
TForm20* CreateForm20();

}  // namespace vor
