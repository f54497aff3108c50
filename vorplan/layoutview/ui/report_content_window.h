#pragma once

#include <QDialog>
#include <array>

#include "vorplan/layoutview/report_content.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace platform {
class WindowActivation;
}

namespace vor {

// "Indicar": what the general report of the layouts holds. The controls keep
// their state for the whole run; only BitBtn1 writes them to the file.
class TForm9 : public QDialog {
    Q_OBJECT

public:
    explicit TForm9(QWidget* parent = nullptr);
    ~TForm9() override;

    // Loads VL_RELAT_MONT.INI into the controls.
    void FormCreate();
    // The captions in the current language.
    void FormActivate();
    // Saves every control into VL_RELAT_MONT.INI; a file that cannot be
    // written shows the error.
    void BitBtn1Click();

    // The options the controls give, and the controls set from options.
    ReportContentOptions Options() const;
    void SetOptions(const ReportContentOptions& options);

    // CheckBox1 .. CheckBox40; CheckBox30 to CheckBox35 are hidden.
    QCheckBox* CheckBox(int n) const { return m_boxes.at(static_cast<std::size_t>(n)); }
    QLineEdit* Edit1;       // the comment
    QPushButton* BitBtn1;   // save
    QPushButton* Button1;   // "Ok"
    std::array<QGroupBox*, 6> GroupBoxes;

private:
    std::array<QCheckBox*, 41> m_boxes{};  // index 0 unused
    platform::WindowActivation* m_activation;
};

// The one instance, made at program start.
extern TForm9* Form9;
TForm9* CreateForm9();

// The report options of the run: those of Form9, the defaults without it.
ReportContentOptions CurrentReportContent();

}  // namespace vor
