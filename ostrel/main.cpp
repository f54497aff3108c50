#include <string>
#include <vector>

#include "ostrel/command_line.h"
#include "ostrel/ostrel_window.h"
#include "platform/clipboard.h"
#include "platform/guarded_application.h"
#include "platform/qt_clipboard.h"
#include "platform/qt_message_service.h"

int main(int argc, char* argv[])
{
    // The reply on the clipboard is set as the program loses the focus, which
    // Wayland refuses; XWayland allows it.
    platform::PreferXcbOnWayland();
    platform::GuardedApplication app(argc, argv);
    platform::GuardedApplication::setApplicationName(QStringLiteral("ostrel"));

    platform::QtMessageService messages;
    platform::SetMessages(&messages);
    platform::QtClipboard clipboard;
    platform::SetClipboard(&clipboard);

    // Qt has taken its own options out of argv; the rest are ours, as bytes.
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);

    int status = 0;
    {
        ostrel::TOstrel form(ostrel::ParseCommandLine(args), clipboard);
        form.show();
        status = app.exec();
    }
    platform::SetClipboard(nullptr);
    platform::SetMessages(nullptr);
    return status;
}
