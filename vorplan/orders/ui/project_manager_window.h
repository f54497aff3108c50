#pragma once

#include <QDialog>

class QCheckBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;

namespace platform {
class WindowActivation;
}

namespace vor {

class PaintBox;

// The project manager ("Projetos"): every project of the installation, its
// search and selection, and the entry to new, edit, delete, report, merge
// and import.
class TForm21 : public QDialog {
    Q_OBJECT

public:
    explicit TForm21(QWidget* parent = nullptr);
    ~TForm21() override;

    PaintBox* PaintBox1;      // the column titles
    QListWidget* ListBox1;    // the projects, multi-select
    QLabel* Panel1;           // status: selected / projects
    QListWidget* ListBox2;    // information of the one selected project
    QLabel* Label1;           // "Pesquisar:"
    QLineEdit* Edit1;         // search text
    QPushButton* Button7;     // "Busca"
    QCheckBox* CheckBox1;     // "A = a"
    QPushButton* Button8;     // "Desmarca"
    QPushButton* Button9;     // "Inverte"
    QPushButton* Button1;     // "Novo"
    QPushButton* Button2;     // "Editar"
    QPushButton* Button3;     // "Apagar"
    QPushButton* Button4;     // "Relatório"
    QPushButton* Button5;     // "Mesclar"
    QPushButton* Button6;     // "Importar"
    QWidget* Panel2;          // the inline prompt of "Novo"
    QLabel* Label2;           // "Código para o novo pedido ?"
    QLineEdit* Edit2;         // its number
    QLabel* Label3;           // its range hint
    QPushButton* Button10;    // its Ok
    QPushButton* Button11;    // its Cancela

    void FormActivate();
    void FillList();
    void ListBox1Change();
    void Edit1Change();
    void Button7Click();   // Busca
    void Button8Click();   // Desmarca
    void Button9Click();   // Inverte
    void Button1Click();   // Novo
    void Button10Click();  // the prompt's Ok
    void Button11Click();  // the prompt's Cancela
    void Button2Click();   // Editar, and the double click
    void Button3Click();   // Apagar
    void Button4Click();   // Relatório
    void Button5Click();   // Mesclar
    void Button6Click();   // Importar
    void FormKeyDown(int key);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FillInformation();

    platform::WindowActivation* m_activation;
};

extern TForm21* Form21;
TForm21* CreateForm21();

// What the main window's Projetos icon calls.
void ShowProjectManager();

}  // namespace vor
