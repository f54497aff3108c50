#pragma once

#include <QObject>
#include <QWidget>
#include <functional>
#include <utility>

namespace platform {

// Gives a top-level window the activation meanings of the original forms.
//
// The program's windows are top-level widgets without a parent; a top-level
// widget whose parent chain leads to a window (dialogs, message boxes) is one
// of that window's own dialogs.
//
// Activated() is emitted when the window is opened (while show() runs), and
// when it becomes active after another window of the program was the active
// one, also by way of another program; not when it gets the focus back from
// one of its own dialogs. Coming back from another program straight into the
// window (or its dialog) counts only with SetCountOtherProgram(true).
//
// With SetCloseOnDeactivation(true) the window closes when another window of
// the program becomes active after it (or one of its dialogs) was the active
// one, unless one of its own dialogs is still open; the before-close routine
// runs first (it saves what closing saves; if it throws, the window stays
// open). Leaving for another program never closes it. The close happens once
// Qt has finished delivering the activation change.
class WindowActivation final : public QObject {
    Q_OBJECT

public:
    // Watches `window` (a top-level widget) and lives as its child.
    explicit WindowActivation(QWidget* window);

    void SetCountOtherProgram(bool on) { m_countOtherProgram = on; }
    void SetCloseOnDeactivation(bool on) { m_closeOnDeactivation = on; }
    void SetBeforeClose(std::function<void()> beforeClose)
    {
        m_beforeClose = std::move(beforeClose);
    }

    // True when `widget` is `window` itself or one of its own dialogs.
    static bool IsOwnedBy(const QWidget* widget, const QWidget* window);
    // True when a dialog of `window` is shown.
    static bool HasOpenDialog(const QWidget* window);

signals:
    void Activated();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnWindowActivated(QWidget* now);
    void CloseIfStillLeft();

    QWidget* m_window;
    bool m_countOtherProgram = false;
    bool m_closeOnDeactivation = false;
    bool m_openingActivation = false;  // the activation that follows a show is the opening
    bool m_closePending = false;
    std::function<void()> m_beforeClose;
};

}  // namespace platform
