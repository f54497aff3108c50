#pragma once

#include <QSize>
#include <QString>
#include <QWidget>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

#include "kalendo/message_set.h"
#include "kalendo/viewer_command.h"
#include "platform/clipboard.h"
#include "platform/clipboard_linger.h"

class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QStackedWidget;

namespace vor {
class FileOps;
}

namespace kalendo {

class FindDialog;
class ViewerText;
class ViewerTextEdit;

// kalendo's one window: a page stack switched by code (start-up with the
// splash picture, text viewer, separate-run, password). It reads its command
// from the clipboard when activated and answers there.
class TForm1 final : public QWidget {
    Q_OBJECT

public:
    enum class CurrentPage { None, Startup, TextViewer, StartupWithoutPicture, SeparateRun };

    // `quit` ends the program; it runs once, after a reply once the
    // clipboard has been taken over (or the linger time is up), else at once.
    TForm1(platform::Clipboard& clipboard, std::function<void()> quit,
           std::chrono::milliseconds lingerTime = platform::kLingerTime);
    ~TForm1() override;

    // Tests stand in for the screen's size.
    void SetScreenSize(std::optional<QSize> size) { m_screenOverride = size; }
    // Tests print the text into this PDF file without the print dialog.
    void SetPrintOutput(const QString& pdfFile) { m_printOutput = pdfFile; }
    // "Salva" writes through these file operations (tests make them fail).
    void SetFileOps(vor::FileOps& ops) { m_fileOps = &ops; }

    CurrentPage Page() const { return m_page; }
    const ViewerCommand& Command() const { return m_command; }
    const MessageSet& Texts() const { return m_texts; }
    // True once a reply was put on the clipboard or the program was closed.
    bool Finished() const { return m_finished; }

    // The page stack and the pages' controls, by their design names.
    QStackedWidget* PageControl1;
    QWidget* TabSheet1;  // start-up
    QWidget* TabSheet2;  // text viewer
    QWidget* TabSheet3;  // separate-run
    QWidget* TabSheet4;  // password
    QFrame* Panel1;      // picture frame
    QLabel* Image1;
    QLabel* Panel2;  // title strip
    QLabel* Panel4;  // version
    QPushButton* Button7;
    QLabel* Label1;  // the maker's web address
    QLabel* Panel5;  // separate-run text
    QPushButton* Button3;
    QFrame* Panel9;  // password panel
    QLabel* KeyPicture;
    QLabel* PasswordCaption;
    QLineEdit* Edit1;
    QPushButton* Button1;
    QPushButton* Button5;
    // Text viewer page.
    QListWidget* ListBox1;   // headings
    ViewerTextEdit* RichEdit1;
    QFrame* Panel3;          // button panel
    QPushButton* BitBtn1;    // top of the text
    QPushButton* BitBtn2;    // find
    QPushButton* BitBtn3;    // print; Esc presses it
    QPushButton* Button6;    // "Salva", hidden until Alt+F5 (or Ctrl+Shift+F5)
    QPushButton* Button2;    // Ok
    FindDialog* FindDialog1;

signals:
    // The page is set up after an activation.
    void PagesReady();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormCreate();
    void OnActivated();
    void FormActivate();
    void FormResize();
    void SetUpPage();
    void LayoutSplashPage();
    void LoadSplashPicture();
    void WarnSmallScreen();
    void ShowSeparateRunPage();
    void Button7Click();
    void CheckStartupPassword();
    void Button5Click();
    void Button3Click();
    void Label1Click();
    void Reply(ViewerReply reply);
    void CloseProgram();
    QSize ScreenSize() const;
    void ShowMessage(const std::string& text);

    // Text viewer page.
    void CreateViewerPage();
    void PlaceViewerWindow();
    void LoadViewerText();
    void LayoutViewerPage();
    void ListBox1Click(QListWidgetItem* item);
    void RichEdit1MouseDown();
    void BitBtn1Click();
    void BitBtn2Click();
    void FindDialog1Find();
    void BitBtn3Click();
    void Button6Click();
    void Button2Click();

    platform::Clipboard& m_clipboard;
    std::function<void()> m_quit;
    std::chrono::milliseconds m_lingerTime;
    std::unique_ptr<platform::ClipboardLinger> m_linger;
    std::optional<QSize> m_screenOverride;
    QString m_printOutput;
    vor::FileOps* m_fileOps;
    std::unique_ptr<ViewerText> m_viewerText;

    ViewerCommand m_command;
    MessageSet m_texts;
    CurrentPage m_page = CurrentPage::None;
    bool m_parsed = false;
    bool m_activating = false;
    bool m_reshowing = false;
    bool m_finished = false;
};

}  // namespace kalendo
