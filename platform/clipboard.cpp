#include "platform/clipboard.h"

#include <algorithm>
#include <cstdlib>

#include "platform/fake_clipboard.h"

namespace platform {

namespace {

FakeClipboard gInProcess;
Clipboard* gClipboard = &gInProcess;

bool IsSet(const char* value)
{
    return value != nullptr && value[0] != '\0';
}

}  // namespace

Clipboard::ListenerId Clipboard::AddListener(Listener listener)
{
    const ListenerId id = m_nextId++;
    m_listeners.emplace_back(id, std::move(listener));
    return id;
}

void Clipboard::RemoveListener(ListenerId id)
{
    std::erase_if(m_listeners, [id](const auto& entry) { return entry.first == id; });
}

void Clipboard::NotifyChanged()
{
    // A listener may add or remove listeners; run on a copy.
    const auto listeners = m_listeners;
    for (const auto& [id, listener] : listeners) {
        const bool stillThere = std::any_of(m_listeners.begin(), m_listeners.end(),
                                            [id = id](const auto& entry) { return entry.first == id; });
        if (stillThere && listener)
            listener();
    }
}

Clipboard& GetClipboard()
{
    return *gClipboard;
}

void SetClipboard(Clipboard* clipboard)
{
    gClipboard = clipboard ? clipboard : &gInProcess;
}

bool ShouldUseXcb(const char* waylandDisplay, const char* display, const char* qpaPlatform)
{
    return IsSet(waylandDisplay) && IsSet(display) && !IsSet(qpaPlatform);
}

void PreferXcbOnWayland()
{
    if (ShouldUseXcb(std::getenv("WAYLAND_DISPLAY"), std::getenv("DISPLAY"), std::getenv("QT_QPA_PLATFORM")))
        setenv("QT_QPA_PLATFORM", "xcb", 1);
}

}  // namespace platform
