#pragma once

#include <QPoint>
#include <optional>

#include "platform/message_service.h"

namespace platform {

// Message boxes on QMessageBox, modal over the active window. The text is
// shown as plain text (paths and user data never turn into markup). Called
// from another thread, the box is shown on the window thread and the call
// returns at once, answered as dismissed.
class QtMessageService final : public MessageService {
public:
    Answer Show(std::string_view text, std::string_view title, MessageKind kind,
                Buttons buttons) override;
    Answer ShowAt(std::string_view text, std::string_view title, MessageKind kind,
                  Buttons buttons, int left, int top) override;

private:
    Answer ShowBox(std::string_view text, std::string_view title, MessageKind kind,
                   Buttons buttons, std::optional<QPoint> at);
};

}  // namespace platform
