#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "vorplan/results/stock_update.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace platform {
class WindowActivation;
}

namespace vor {

// "Atualiza estoque": what the chosen materials' layouts take out of stock,
// previewed in the report and written on "Atualiza".
class TForm31 : public QDialog {
    Q_OBJECT

public:
    explicit TForm31(QWidget* parent = nullptr);
    ~TForm31() override;

    QLabel* Label1;            // above the list
    QListWidget* ListBox1;     // the materials, several can be chosen
    QCheckBox* CheckBox1;      // lower the used sheets
    QCheckBox* CheckBox3;      // lower the used offcuts
    QCheckBox* CheckBox5;      // "Apagar retalhos com quantidade zero"
    QCheckBox* CheckBox2;      // register the new offcuts
    QCheckBox* CheckBox4;      // "Agrupar retalhos de dimensões iguais"
    QPlainTextEdit* Memo1;     // the report
    QPushButton* Button1;      // "Atualiza"
    QPushButton* Button2;      // "Cancela"
    QPushButton* Button3;      // "Ok"

    // The list's items, set before the window opens.
    void SetMaterials(const std::vector<std::string>& items);

    void FormActivate();
    void ListBox1Click();
    void CheckBox1Click();
    void CheckBox2Click();
    void CheckBox3Click();
    void CheckBox4Click();
    void Button1Click();
    void Button2Click();
    void Button3Click();

    // The preview, or with `apply` the update; shows its messages and the report.
    StockUpdateResult RunStockUpdate(bool apply);

private:
    StockUpdateOptions Options() const;
    void SetOptions(const StockUpdateOptions& options);
    void UpdateButtons();

    platform::WindowActivation* m_activation;
    bool m_refused = false;
};

extern TForm31* Form31;
TForm31* CreateForm31();

// The chooser's "Atualiza estoque": the window, modal over `owner` (one of its
// dialogs), with the chooser's items.
void ShowStockUpdate(QWidget* owner, const std::vector<std::string>& items);

}  // namespace vor
