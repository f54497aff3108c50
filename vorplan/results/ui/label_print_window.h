#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTabWidget;
class QWidget;

namespace platform {
class WindowActivation;
}

namespace vor {

// "Impressão de etiquetas": labels of the chosen layouts of the current
// material, or of an order's pieces, printed on sheets of labels.
class TForm8 : public QDialog {
    Q_OBJECT

public:
    explicit TForm8(QWidget* parent = nullptr);
    ~TForm8() override;

    // Captions, the material, the offcut template, the layouts and the orders;
    // without a layout file message 57 and the window closes.
    void FormActivate();
    void Button5Click();  // layout labels
    void Button4Click();  // order labels
    void Button3Click();  // the format window
    void Button2Click();  // the test page

    int ChosenOrder() const { return m_order; }

    QTabWidget* PageControl1;
    QWidget* TabSheet1;  // "Etiquetas para montagens"
    QLabel* Label3;      // the material
    QListWidget* ListBox1;
    QGroupBox* GroupBox1;  // "Imprimir nas etiquetas informações sobre:"
    QCheckBox* CheckBox3;  // "Peças"
    QCheckBox* CheckBox2;  // "Retalhos"
    QCheckBox* CheckBox4;  // identification label
    QPushButton* Button5;  // "Imprimir"
    QPushButton* Button3;  // "Configuração das etiquetas"
    QWidget* TabSheet2;    // "Etiquetas para pedidos"
    QListWidget* ListBox2;
    QPushButton* Button4;  // "Imprimir"
    QCheckBox* CheckBox1;  // "Imprimir contorno das etiquetas"
    QPushButton* Button6;  // "Conf. Imp."
    QPushButton* Button2;  // "Imprime teste de dimensões"

private:
    void SetCaptions();
    std::vector<std::string> m_offcutTemplate;
    std::vector<long long> m_layouts;
    std::vector<int> m_orders;
    int m_order = 0;
    platform::WindowActivation* m_activation;
};

extern TForm8* Form8;
TForm8* CreateForm8();
// The main window's Etiqueta icon: the window for the current material.
void ShowLabelWindow();

}  // namespace vor
