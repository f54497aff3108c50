#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "vorplan/common/list_helpers.h"
#include "vorplan/common/rtf/styled_doc.h"
#include "vorplan/results/calc_summary.h"

class QLabel;
class QListWidget;
class QPushButton;
class QTextEdit;

namespace platform {
class WindowActivation;
}

namespace vor {

// "Visualização das montagens": the materials of the last calculation beside
// a summary of it; a click opens the layout viewer on that material. Modeless;
// it closes when another window of the program becomes active.
class TForm23 : public QDialog {
    Q_OBJECT

public:
    explicit TForm23(QWidget* parent = nullptr);
    ~TForm23() override;

    void FormActivate();
    void FillMaterialList();
    void BuildCalcSummary();
    void ListBox1Click(int row);
    void Button1Click();  // cancela
    void Button2Click();  // saved calculations
    void Button3Click();  // print
    void Button4Click();  // export
    void Button5Click();  // yield display options
    void Button6Click();  // stock update
    void Button7Click();  // save the calculation
    void Button8Click();  // calculation information

    const StyledDoc& Summary() const { return m_summary; }

    // What the window reaches in other windows; the program fills them when
    // it creates those windows, tests put fakes in.
    std::function<void()> showViewer;                    // Tvisualiz on the current material
    std::function<YieldDisplayOptions()> yieldOptions;   // TForm30's controls
    std::function<void(QWidget*)> configure;             // TForm30, as this window's dialog
    std::function<void(QWidget*, const std::vector<std::string>&)> stockUpdate;  // TForm31
    std::function<bool(QWidget*)> savedCalculations;     // TForm18's selection page; true: one was restored
    std::function<void(QWidget*)> saveCalculation;       // TForm18's save page

    QLabel* Panel1;
    QListWidget* ListBox1;
    QTextEdit* RichEdit1;
    QLabel* Label1;
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button3;
    QPushButton* Button4;
    QPushButton* Button5;
    QPushButton* Button6;
    QPushButton* Button7;
    QPushButton* Button8;

protected:
    void hideEvent(QHideEvent* event) override;

private:
    std::vector<MaterialLayoutSums> MaterialSums() const;

    platform::WindowActivation* m_activation;
    ColumnSet m_columns;
    StyledDoc m_summary;
    CalcSummaryData m_data;
};

extern TForm23* Form23;
TForm23* CreateForm23();

// Shows the chooser: the main window's way to the layout views.
void ShowViewChooser();

}  // namespace vor
