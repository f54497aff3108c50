#pragma once

#include <QSize>
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
class QPushButton;
class QStackedWidget;

namespace kalendo {

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

signals:
    // The page is set up after an activation.
    void PagesReady();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

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

    platform::Clipboard& m_clipboard;
    std::function<void()> m_quit;
    std::chrono::milliseconds m_lingerTime;
    std::unique_ptr<platform::ClipboardLinger> m_linger;
    std::optional<QSize> m_screenOverride;

    ViewerCommand m_command;
    MessageSet m_texts;
    CurrentPage m_page = CurrentPage::None;
    bool m_parsed = false;
    bool m_activating = false;
    bool m_reshowing = false;
    bool m_finished = false;
};

}  // namespace kalendo
