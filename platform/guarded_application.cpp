#include "platform/guarded_application.h"

#include <cstdio>
#include <exception>

#include "platform/message_service.h"

namespace platform {

namespace {
const char kUnknownError[] = "Erro desconhecido.";
}

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        Report(error.what());
    } catch (...) {
        Report(kUnknownError);
    }
    return false;
}

void GuardedApplication::Report(const char* text)
{
    // An error raised again while its box is up (a paint handler that keeps
    // failing) would stack boxes without end; those go to the log only.
    if (m_reporting > 0) {
        std::fprintf(stderr, "%s\n", text);
        return;
    }
    ++m_reporting;
    try {
        Messages().Show(text, {}, MessageKind::Error, Buttons::Ok);
    } catch (...) {
        std::fprintf(stderr, "%s\n", text);
    }
    --m_reporting;
}

}  // namespace platform
