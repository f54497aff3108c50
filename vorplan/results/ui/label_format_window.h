#pragma once

#include <QDialog>
#include <array>

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QWidget;

namespace vor {

// "Formatação para impressão de etiquetas": the sheet of labels, the piece
// and offcut templates and the logo size. What it edits is stored each time
// it closes.
class TForm13 : public QDialog {
    Q_OBJECT

public:
    explicit TForm13(QWidget* parent = nullptr);
    ~TForm13() override;

    void FormActivate();
    // Reads the boxes into the label settings, checks the page (message 720
    // with the number of the failed check) and writes the offcut template.
    void StoreLabelFormat();

    QTabWidget* PageControl1;
    QWidget* TabSheet1;  // "Dimensões"
    QWidget* TabSheet2;  // "Diagramação"
    // Columns, rows, lateral and top margin, horizontal and vertical distance, label width and height.
    std::array<QLineEdit*, 8> GeometryEdits;
    QWidget* PaintBox1;
    QPlainTextEdit* memo1;  // piece template
    QPlainTextEdit* Memo4;  // offcut template
    QLineEdit* Edit9;       // basic letter size
    QLineEdit* Edit10;      // logo width
    QLineEdit* Edit11;      // logo height
    QListWidget* ListBox1;  // the symbols
    QPushButton* Button1;   // Ok

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void done(int result) override;

private:
    void SetCaptions();

    std::array<QLabel*, 16> m_labels{};
    bool m_storing = false;
};

extern TForm13* Form13;
TForm13* CreateForm13();

}  // namespace vor
