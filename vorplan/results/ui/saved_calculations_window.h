#pragma once

#include <QDialog>
#include <QStyledItemDelegate>
#include <string>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStackedWidget;

namespace platform {
class WindowActivation;
}

namespace vor {

// The saved-calculations list: date, time and comment of each item.
class SavedCalculationDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

// "Seleção de cálculos antigos para visualização": keeps copies of the
// layouts folder and brings one back. Two pages, shown modally on one of them.
class TForm18 : public QDialog {
    Q_OBJECT

public:
    explicit TForm18(QWidget* parent = nullptr);
    ~TForm18() override;

    // Runs the window on its selection page as `owner`'s dialog; true when a
    // saved calculation was restored.
    bool ShowSelection(QWidget& owner);
    // Runs the window on its save page as `owner`'s dialog.
    void ShowSave(QWidget& owner);

    void FormActivate();
    void ListSavedCalculations();
    void ListBox1Click();
    void RestoreSavedCalculation();  // Ok and a double click
    void Button5Click();             // Apaga
    void SaveCalculation();          // Salva and Enter
    void Edit1Change();

    // The folder of the saved calculation chosen; empty when none is.
    const std::string& Current() const { return m_current; }
    bool Restored() const { return m_restored; }

    QStackedWidget* PageControl1;
    QWidget* TabSheet1;
    QWidget* TabSheet2;
    QLabel* Panel1;  // Data
    QLabel* Panel2;  // Hora
    QLabel* Panel3;  // Comentário
    QListWidget* ListBox1;
    QListWidget* ListBox2;
    QPushButton* Button1;  // Ok
    QPushButton* Button2;  // Cancela
    QPushButton* Button5;  // Apaga
    QLabel* Panel4;        // Comentario de identificação:
    QLineEdit* Edit1;
    QPushButton* Button3;  // Salva
    QPushButton* Button4;  // Cancela

private:
    void ShowPage(QWidget* page);

    platform::WindowActivation* m_activation;
    std::string m_current;
    bool m_restored = false;
};

extern TForm18* Form18;
TForm18* CreateForm18();

}  // namespace vor
