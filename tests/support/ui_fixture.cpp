#include "tests/support/ui_fixture.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QGroupBox>
#include <QLabel>
#include <QStringList>
#include <QTabWidget>
#include <QTableView>

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

std::vector<QString> ControlsWithoutText(const QWidget& window)
{
    std::vector<QString> missing;
    for (const QAbstractButton* b : window.findChildren<QAbstractButton*>()) {
        if (b->isVisible() && b->text().trimmed().isEmpty())
            missing.push_back(b->objectName());
    }
    for (const QLabel* l : window.findChildren<QLabel*>()) {
        if (l->isVisible() && l->text().trimmed().isEmpty() && l->pixmap().isNull())
            missing.push_back(l->objectName());
    }
    for (const QGroupBox* g : window.findChildren<QGroupBox*>()) {
        if (g->isVisible() && g->title().trimmed().isEmpty())
            missing.push_back(g->objectName());
    }
    for (const QTabWidget* tabs : window.findChildren<QTabWidget*>()) {
        for (int i = 0; i < tabs->count(); ++i) {
            if (tabs->isTabVisible(i) && tabs->tabText(i).trimmed().isEmpty())
                missing.push_back(QStringLiteral("tab %1").arg(i));
        }
    }
    for (const QTableView* grid : window.findChildren<QTableView*>()) {
        const QAbstractItemModel* model = grid->model();
        for (int column = 0; model && grid->isVisible() && column < model->columnCount(); ++column) {
            if (!grid->isColumnHidden(column) &&
                model->headerData(column, Qt::Horizontal).toString().trimmed().isEmpty())
                missing.push_back(QStringLiteral("heading %1").arg(column));
        }
    }
    return missing;
}

std::string JoinNames(const std::vector<QString>& names)
{
    return QStringList(names.begin(), names.end()).join(QStringLiteral(", ")).toStdString();
}

void WriteNumberedLanguageFile(const fs::path& file)
{
    std::string text;
    for (int n = 1; n <= 1000; ++n)
        text += std::to_string(n) + "\tmsg " + std::to_string(n) + "\r\n";
    WriteBytes(file, text);
}

}  // namespace vortest
