#pragma once

#include <string>
#include <string_view>

namespace platform {

enum class MessageKind { Plain, Information, Warning, Error, Question };

enum class Answer { Ok, Cancel, Yes, No, Abort, Retry, Ignore };

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, AbortRetryIgnore, RetryCancel };

// Message boxes for the whole program. The core calls this interface; the
// program installs the Qt one, tests install a scripted fake. Texts are UTF-8.
class MessageService {
public:
    virtual ~MessageService() = default;

    // Shows `text` and waits for the user; returns the button pressed. A box
    // closed without a button gives Cancel (No for Yes/No boxes).
    virtual Answer Show(std::string_view text, std::string_view title, MessageKind kind,
                        Buttons buttons) = 0;
    // As Show, with the box's top-left corner at `left`, `top` (screen
    // pixels). Services that cannot place a box show it where Show does.
    virtual Answer ShowAt(std::string_view text, std::string_view title, MessageKind kind,
                          Buttons buttons, int left, int top);
};

// The service in use. Until a program installs one, a silent service that
// answers every box with its first button (Ok, Yes, Abort, Retry).
MessageService& Messages();
// Installs `service` (nullptr restores the silent one). Call from the UI thread.
void SetMessages(MessageService* service);

// A plain box with Ok, titled with the program's name.
void ShowMessage(std::string_view text);

}  // namespace platform
