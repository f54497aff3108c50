#include "platform/message_service.h"

namespace platform {

namespace {

class SilentMessages final : public MessageService {
public:
    Answer Show(std::string_view, std::string_view, MessageKind, Buttons buttons) override
    {
        switch (buttons) {
        case Buttons::YesNo:
        case Buttons::YesNoCancel: return Answer::Yes;
        case Buttons::AbortRetryIgnore: return Answer::Abort;
        case Buttons::RetryCancel: return Answer::Retry;
        default: return Answer::Ok;
        }
    }
};

SilentMessages gSilent;
MessageService* gService = &gSilent;

}  // namespace

Answer MessageService::ShowAt(std::string_view text, std::string_view title, MessageKind kind,
                              Buttons buttons, int, int)
{
    return Show(text, title, kind, buttons);
}

MessageService& Messages()
{
    return *gService;
}

void SetMessages(MessageService* service)
{
    gService = service ? service : &gSilent;
}

void ShowMessage(std::string_view text)
{
    Messages().Show(text, {}, MessageKind::Plain, Buttons::Ok);
}

}  // namespace platform
