#pragma once

#include <QDialog>
#include <functional>

class QCheckBox;
class QKeyEvent;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTabWidget;
class QWidget;

namespace platform {
class WindowActivation;
}

namespace vor {

// The windows the catalogue opens; each returns once its window has closed.
// The defaults open the program's windows modally; tests put their own.
struct ResourceEditors {
    std::function<void()> properties;    // TForm15 for the current material
    std::function<void()> sheets;        // the table editor, sheet table
    std::function<void()> offcuts;       // TForm2 for the current material
    std::function<long long()> newCode;  // TForm14: the new code, -1 when cancelled
    std::function<void()> options;       // TForm24
};

// The material catalogue ("Recursos"): the materials with their colours, the
// stock of the selected one, and the way to its editors, new materials,
// deleting and the materials report.
class TForm22 : public QDialog {
    Q_OBJECT

public:
    explicit TForm22(QWidget* parent = nullptr);
    ~TForm22() override;

    // Replaces the editors; an empty member keeps the program's window.
    static void SetEditors(ResourceEditors editors);

    QTabWidget* PageControl1;
    QWidget* TabSheet1;     // Chapas
    QWidget* Header1;       // the column titles over the materials
    QListWidget* ListBox1;  // the materials, several may be selected
    QListWidget* ListBox2;  // sheets of the selected material
    QListWidget* ListBox3;  // its offcuts
    QCheckBox* CheckBox1;   // example materials shown
    QLabel* Label1;         // selected / total
    QLabel* Panel1;         // "Aguarde ..." while the list fills
    QPushButton* Button1;   // Propriedades
    QPushButton* Button2;   // Chapas
    QPushButton* Button3;   // Retalhos
    QPushButton* Button4;   // Novo
    QPushButton* Button5;   // Apaga
    QPushButton* Button6;   // Configura
    QPushButton* Button7;   // Relatório

    void FormActivate();
    void FillMaterialList();
    void ListBox1Click();
    void ListBox1DblClick();
    void CheckBox1Click();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void Button7Click();
    void FormKeyDown(int key);

    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildControls();
    void SetCaptions();
    void PlaceByMainWindow();
    void SelectCurrentMaterial();
    void ShowColumnTitles();
    void UpdateSelectionState();
    // Back from an editor: the list and stock as they are now.
    void Refill();

    platform::WindowActivation* m_activation;
};

// The one instance, made at program start by CreateForm22 and left null
// until then. Destroying the window clears it.
extern TForm22* Form22;

TForm22* CreateForm22();

// What the main window's Recursos hook calls.
void ShowResourcesWindow();

}  // namespace vor
