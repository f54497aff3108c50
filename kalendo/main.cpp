#include <QPushButton>
#include <QTimer>
#include <cstdlib>

#include "kalendo/main_window.h"
#include "platform/clipboard.h"
#include "platform/guarded_application.h"
#include "platform/qt_clipboard.h"
#include "platform/qt_message_service.h"

int main(int argc, char* argv[])
{
    // The clipboard exchange with vorplan needs a clipboard a hidden window may set.
    platform::PreferXcbOnWayland();
    platform::GuardedApplication app(argc, argv);
    platform::GuardedApplication::setApplicationName(QStringLiteral("kalendo"));
    // The window hides after its reply and the program lingers; it ends by itself.
    platform::GuardedApplication::setQuitOnLastWindowClosed(false);

    platform::QtMessageService messages;
    platform::SetMessages(&messages);
    platform::QtClipboard clipboard;
    platform::SetClipboard(&clipboard);

    kalendo::TForm1 form(clipboard, [] { QCoreApplication::quit(); });

    // For the end-to-end test: press Ok once the first page is up, as a user would.
    if (std::getenv("VORLANE_KALENDO_PRESS_OK")) {
        QObject::connect(
            &form, &kalendo::TForm1::PagesReady, &form,
            [&form] {
                const auto page = form.Page();
                if (page == kalendo::TForm1::CurrentPage::Startup ||
                    page == kalendo::TForm1::CurrentPage::StartupWithoutPicture)
                    form.Button7->click();
            },
            Qt::ConnectionType(Qt::QueuedConnection | Qt::SingleShotConnection));
    }

    // For the X11 test: a picture of the text viewer once it shows its text.
    if (const char* grab = std::getenv("VORLANE_KALENDO_GRAB")) {
        const QString file = QString::fromLocal8Bit(grab);
        QObject::connect(
            &form, &kalendo::TForm1::PagesReady, &form,
            [&form, file] {
                if (form.Page() == kalendo::TForm1::CurrentPage::TextViewer)
                    QTimer::singleShot(500, &form, [&form, file] { form.grab().save(file); });
            },
            Qt::ConnectionType(Qt::QueuedConnection | Qt::SingleShotConnection));
    }

    form.show();
    const int status = app.exec();
    platform::SetClipboard(nullptr);
    platform::SetMessages(nullptr);
    return status;
}
