#include "platform/qt_message_service.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMetaObject>
#include <QThread>
#include <string>

#include "platform/qt_text.h"

namespace platform {

namespace {

// Knows whether the box was left by Escape or its close button rather than
// by one of its buttons; QMessageBox reports both as a click.
class Box final : public QMessageBox {
public:
    using QMessageBox::QMessageBox;
    bool dismissed() const { return m_dismissed; }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->matches(QKeySequence::Cancel))
            m_dismissed = true;
        QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent* event) override
    {
        if (!clickedButton())
            m_dismissed = true;
        QMessageBox::closeEvent(event);
    }

private:
    bool m_dismissed = false;
};

QMessageBox::Icon IconOf(MessageKind kind)
{
    switch (kind) {
        case MessageKind::Information:
            return QMessageBox::Information;
        case MessageKind::Warning:
            return QMessageBox::Warning;
        case MessageKind::Error:
            return QMessageBox::Critical;
        case MessageKind::Question:
            return QMessageBox::Question;
        case MessageKind::Plain:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ButtonsOf(Buttons buttons)
{
    switch (buttons) {
        case Buttons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case Buttons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case Buttons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case Buttons::AbortRetryIgnore:
            return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
        case Buttons::RetryCancel:
            return QMessageBox::Retry | QMessageBox::Cancel;
        case Buttons::Ok:
            break;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButton DefaultOf(Buttons buttons)
{
    switch (buttons) {
        case Buttons::YesNo:
        case Buttons::YesNoCancel:
            return QMessageBox::Yes;
        case Buttons::AbortRetryIgnore:
            return QMessageBox::Abort;
        case Buttons::RetryCancel:
            return QMessageBox::Retry;
        case Buttons::Ok:
        case Buttons::OkCancel:
            break;
    }
    return QMessageBox::Ok;
}

Answer DismissedAnswer(Buttons buttons)
{
    return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
}

Answer AnswerOf(QMessageBox::StandardButton button, Buttons buttons)
{
    switch (button) {
        case QMessageBox::Ok:
            return Answer::Ok;
        case QMessageBox::Cancel:
            return Answer::Cancel;
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        case QMessageBox::Abort:
            return Answer::Abort;
        case QMessageBox::Retry:
            return Answer::Retry;
        case QMessageBox::Ignore:
            return Answer::Ignore;
        default:
            break;
    }
    return DismissedAnswer(buttons);
}

}  // namespace

Answer QtMessageService::Show(std::string_view text, std::string_view title, MessageKind kind,
                              Buttons buttons)
{
    return ShowBox(text, title, kind, buttons, std::nullopt);
}

Answer QtMessageService::ShowAt(std::string_view text, std::string_view title, MessageKind kind,
                                Buttons buttons, int left, int top)
{
    return ShowBox(text, title, kind, buttons, QPoint(left, top));
}

Answer QtMessageService::ShowBox(std::string_view text, std::string_view title, MessageKind kind,
                                 Buttons buttons, std::optional<QPoint> at)
{
    if (QThread::currentThread() != QApplication::instance()->thread()) {
        // A worker (the calculation) never waits on the window thread: the box
        // is shown there later and the call is answered as dismissed.
        QMetaObject::invokeMethod(
            QApplication::instance(),
            [this, t = std::string(text), c = std::string(title), kind, buttons, at] {
                ShowBox(t, c, kind, buttons, at);
            },
            Qt::QueuedConnection);
        return DismissedAnswer(buttons);
    }
    const QString caption = title.empty() ? QApplication::applicationName() : ToQString(title);
    // The texts break lines with CR, as the original system did; Qt wants LF.
    QString body = ToQString(text);
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    Box box(IconOf(kind), caption, body, ButtonsOf(buttons),
            QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(DefaultOf(buttons));
    if (at)
        box.move(*at);
    box.exec();
    if (box.dismissed())
        return DismissedAnswer(buttons);
    return AnswerOf(box.standardButton(box.clickedButton()), buttons);
}

}  // namespace platform
