#pragma once

#include <QTimer>
#include <chrono>
#include <functional>

#include "platform/clipboard.h"

namespace platform {

// How long a program that answered on the clipboard keeps its answer alive.
inline constexpr std::chrono::milliseconds kLingerTime{30000};

// On X11 a clipboard text dies with the process that set it. A program that
// answers on the clipboard and then ends starts one of these after putting
// its answer there: `done` runs once, when another program has taken the
// clipboard or when `timeout` has passed.
class ClipboardLinger {
public:
    ClipboardLinger(Clipboard& clipboard, std::function<void()> done,
                    std::chrono::milliseconds timeout = kLingerTime);
    ~ClipboardLinger();
    ClipboardLinger(const ClipboardLinger&) = delete;
    ClipboardLinger& operator=(const ClipboardLinger&) = delete;

    bool Finished() const { return m_finished; }

private:
    void Finish();

    Clipboard& m_clipboard;
    std::function<void()> m_done;
    Clipboard::ListenerId m_listener = 0;
    QTimer m_timer;
    bool m_finished = false;
};

}  // namespace platform
