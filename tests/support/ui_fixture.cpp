#include "tests/support/ui_fixture.h"

#include <QDeadlineTimer>
#include <QEvent>
#include <cstdlib>
#include <thread>

#include "platform/guarded_application.h"
#include "vorplan/common/globals.h"

namespace vortest {

platform::GuardedApplication& EnsureApplication()
{
    static platform::GuardedApplication* app = [] {
        // ctest sets this; a test binary started by hand must not look for a display.
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static int argc = 1;
        static char name[] = "vortest";
        static char* argv[] = {name, nullptr};
        auto* created = new platform::GuardedApplication(argc, argv);
        platform::GuardedApplication::setApplicationName(QStringLiteral("vortest"));
        return created;
    }();
    return *app;
}

void ProcessEvents()
{
    EnsureApplication();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout)
{
    EnsureApplication();
    const QDeadlineTimer deadline(timeout);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

UiEnvironment::UiEnvironment()
    : m_cwd(m_installation.base()),
      m_oldFolders(vor::gShared.folders),
      m_installedMessages(m_messages),
      m_installedSound(m_sound)
{
    vor::gShared.folders = vor::MakeDataFolders(m_installation.base());
}

UiEnvironment::~UiEnvironment()
{
    // Windows a test closed are deleted before the folders go away.
    ProcessEvents();
    vor::gShared.folders = m_oldFolders;
}

}  // namespace vortest
