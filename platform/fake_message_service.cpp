#include "platform/fake_message_service.h"

#include <stdexcept>

namespace platform {

Answer FirstButtonAnswer(Buttons buttons)
{
    switch (buttons) {
        case Buttons::YesNo:
        case Buttons::YesNoCancel:
            return Answer::Yes;
        case Buttons::AbortRetryIgnore:
            return Answer::Abort;
        case Buttons::RetryCancel:
            return Answer::Retry;
        case Buttons::Ok:
        case Buttons::OkCancel:
            break;
    }
    return Answer::Ok;
}

Answer ScriptedMessages::Show(std::string_view text, std::string_view title, MessageKind kind,
                              Buttons buttons)
{
    m_shown.push_back(ShownMessage{std::string(text), std::string(title), kind, buttons, std::nullopt});
    if (!m_answers.empty()) {
        const Answer answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    return m_default.value_or(FirstButtonAnswer(buttons));
}

Answer ScriptedMessages::ShowAt(std::string_view text, std::string_view title, MessageKind kind,
                                Buttons buttons, int left, int top)
{
    const Answer answer = Show(text, title, kind, buttons);
    m_shown.back().at = std::make_pair(left, top);
    return answer;
}

void ScriptedMessages::Script(std::initializer_list<Answer> answers)
{
    m_answers.insert(m_answers.end(), answers.begin(), answers.end());
}

std::vector<std::string> ScriptedMessages::Texts() const
{
    std::vector<std::string> texts;
    texts.reserve(m_shown.size());
    for (const ShownMessage& shown : m_shown)
        texts.push_back(shown.text);
    return texts;
}

const ShownMessage& ScriptedMessages::Last() const
{
    if (m_shown.empty())
        throw std::logic_error("no message box was shown");
    return m_shown.back();
}

}  // namespace platform
