#include "platform/clipboard_linger.h"

namespace platform {

ClipboardLinger::ClipboardLinger(Clipboard& clipboard, std::function<void()> done,
                                 std::chrono::milliseconds timeout)
    : m_clipboard(clipboard), m_done(std::move(done))
{
    m_listener = m_clipboard.AddListener([this] {
        if (!m_clipboard.Owns())
            Finish();
    });
    m_timer.setSingleShot(true);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { Finish(); });
    m_timer.start(timeout);
}

ClipboardLinger::~ClipboardLinger()
{
    m_clipboard.RemoveListener(m_listener);
}

void ClipboardLinger::Finish()
{
    if (m_finished)
        return;
    m_finished = true;
    m_timer.stop();
    m_clipboard.RemoveListener(m_listener);
    if (m_done)
        m_done();
}

}  // namespace platform
