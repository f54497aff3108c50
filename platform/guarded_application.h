#pragma once

#include <QApplication>

namespace platform {

// The application object of each program. No exception crosses the event
// loop: an event handler that throws abandons its action, and the error's
// text is shown in an error box through the message service.
class GuardedApplication : public QApplication {
    Q_OBJECT

public:
    GuardedApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

private:
    void Report(const char* text);

    int m_reporting = 0;
};

}  // namespace platform
