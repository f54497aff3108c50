#pragma once

#include <QDialog>
#include <array>

class QGroupBox;
class QLabel;
class QPushButton;

namespace platform {
class WindowActivation;
}

namespace vor {

// The colours of the layout drawing explained: the cut lines, the piece
// groups at the viewer's lightness, offcuts and scrap, extra pieces and the
// marked edge.
class TForm11 : public QDialog {
    Q_OBJECT

public:
    explicit TForm11(QWidget* parent = nullptr);
    ~TForm11() override;

    // Panel5 to Panel8: piece groups 1 to 4 lightened or darkened by the
    // "Luminosidade" position.
    void SetGroupColours(int luminosity);
    void FormActivate();

    QGroupBox* GroupCuts;  // "cortes"
    std::array<QLabel*, 4> CutPanels{};    // Panel1 .. Panel4: levels 0 .. 3
    QGroupBox* GroupBox1;
    std::array<QLabel*, 4> GroupPanels{};  // Panel5 .. Panel8
    QGroupBox* GroupLeftovers;
    QLabel* Panel41;  // "Retalho"
    QLabel* Panel42;  // "Sobra"
    QGroupBox* GroupExtra;  // "Peças extras"
    QWidget* Panel9;        // holds Shape1
    QLabel* Label1;
    QPushButton* Button1;   // "Ok"

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    platform::WindowActivation* m_activation;
};

extern TForm11* Form11;
TForm11* CreateForm11();

}  // namespace vor
