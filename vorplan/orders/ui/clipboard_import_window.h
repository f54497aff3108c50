#pragma once

#include <QDialog>
#include <string>

#include "platform/clipboard.h"
#include "vorplan/common/atomic_file.h"
#include "vorplan/orders/clipboard_import.h"

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace platform {
class WindowActivation;
}

namespace vor {

// The clipboard import: cells copied in a spreadsheet program become the
// piece table of a new project. The clipboard is read when the window opens,
// when the user comes back from another program and when the clipboard
// changes; never while painting.
class TForm27 : public QDialog {
    Q_OBJECT

public:
    explicit TForm27(QWidget* parent = nullptr);
    ~TForm27() override;

    QGroupBox* GroupBox1;      // the clipboard's data
    QPlainTextEdit* Memo1;     // the clipboard's text
    QLabel* Label8;            // "Error: cod < cod ant" while the text has it
    QGroupBox* GroupBox2;      // instructions
    QLabel* Label1;            // instruction lines 1 to 5
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label6;            // hint
    QLabel* Label7;            // the new project
    QPushButton* Button1;      // Salva
    QPushButton* Button2;      // Cancela

    // The new project's number and description, set before the window opens.
    void SetProject(long long number, const std::string& description);

    void FormActivate();
    void ReadClipboard();
    void Button1Click();
    void Button2Click();

    const ClipboardParse& Parse() const { return m_parse; }
    // The file operations "Salva" writes through (tests make them fail).
    void UseFileOps(FileOps& ops) { m_ops = &ops; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void ShowParse();

    platform::WindowActivation* m_activation;
    FileOps* m_ops = &DefaultFileOps();
    long long m_number = 0;
    std::string m_description;
    ClipboardParse m_parse;
    std::string m_parsedText;
    bool m_parsed = false;
    std::string m_errorShownFor;  // the text whose code-order box was shown
    bool m_errorShown = false;
    bool m_inMessage = false;
    bool m_readAgain = false;
    platform::Clipboard::ListenerId m_listener = 0;
    platform::Clipboard* m_listenedClipboard = nullptr;
};

extern TForm27* Form27;
TForm27* CreateForm27();

}  // namespace vor
