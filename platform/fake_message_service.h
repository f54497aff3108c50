#pragma once

#include <cstddef>
#include <deque>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/message_service.h"

namespace platform {

// One box as the program asked for it.
struct ShownMessage {
    std::string text;
    std::string title;
    MessageKind kind = MessageKind::Plain;
    Buttons buttons = Buttons::Ok;
    std::optional<std::pair<int, int>> at;  // left, top of a placed box
};

// Message boxes for tests: every box is recorded, and answered from a queue
// of scripted answers; with the queue empty, from the default answer, or
// with the box's first button when no default is set.
class ScriptedMessages final : public MessageService {
public:
    Answer Show(std::string_view text, std::string_view title, MessageKind kind,
                Buttons buttons) override;
    Answer ShowAt(std::string_view text, std::string_view title, MessageKind kind,
                  Buttons buttons, int left, int top) override;

    // Answers for the next boxes, in order.
    void Script(std::initializer_list<Answer> answers);
    void SetDefaultAnswer(std::optional<Answer> answer) { m_default = answer; }
    std::size_t PendingAnswers() const { return m_answers.size(); }

    const std::vector<ShownMessage>& Shown() const { return m_shown; }
    std::size_t Count() const { return m_shown.size(); }
    // The texts of every box shown, in order.
    std::vector<std::string> Texts() const;
    // The last box; throws std::logic_error when none was shown.
    const ShownMessage& Last() const;
    void ClearShown() { m_shown.clear(); }

private:
    std::vector<ShownMessage> m_shown;
    std::deque<Answer> m_answers;
    std::optional<Answer> m_default;
};

// The answer of the box's first button (Ok, Yes, Abort, Retry).
Answer FirstButtonAnswer(Buttons buttons);

// Installs a message service for the life of the object, then restores the
// one that was installed before.
class ScopedMessages {
public:
    explicit ScopedMessages(MessageService& service) : m_previous(&Messages())
    {
        SetMessages(&service);
    }
    ~ScopedMessages() { SetMessages(m_previous); }
    ScopedMessages(const ScopedMessages&) = delete;
    ScopedMessages& operator=(const ScopedMessages&) = delete;

private:
    MessageService* m_previous;
};

}  // namespace platform
