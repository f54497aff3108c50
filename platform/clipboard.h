#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform {

// A picture for the clipboard: rows top to bottom, R, G, B bytes, no padding.
struct ClipboardImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
};

// The system clipboard (on X11 the CLIPBOARD selection). Texts are UTF-8.
// The programs install the Qt one; tests install a FakeClipboard.
class Clipboard {
public:
    using Listener = std::function<void()>;
    using ListenerId = int;

    virtual ~Clipboard() = default;

    // The clipboard's text; empty when it holds none or cannot be read.
    virtual std::string Text() const = 0;
    // Replaces whatever the clipboard held; this program owns it afterwards.
    virtual void SetText(std::string_view text) = 0;
    virtual void SetImage(const ClipboardImage& image) = 0;
    // Empties the clipboard.
    virtual void Clear() = 0;
    // True while the clipboard holds what this program put on it. On X11 the
    // content lives in the owning process and dies with it.
    virtual bool Owns() const = 0;

    // `listener` runs after each change of the clipboard, ours or another
    // program's; returns an id for RemoveListener.
    ListenerId AddListener(Listener listener);
    void RemoveListener(ListenerId id);

protected:
    void NotifyChanged();

private:
    std::vector<std::pair<ListenerId, Listener>> m_listeners;
    ListenerId m_nextId = 1;
};

// The clipboard in use; until a program installs one, a clipboard that lives
// inside this process only.
Clipboard& GetClipboard();
// Installs `clipboard` (nullptr restores the in-process one). UI thread only.
void SetClipboard(Clipboard* clipboard);

// True when the program should ask Qt for XWayland: on Wayland a program may
// only set the clipboard while it has the input focus, which a hidden helper
// answering on the clipboard never has. Decided from WAYLAND_DISPLAY,
// DISPLAY and QT_QPA_PLATFORM (a choice the user made wins).
bool ShouldUseXcb(const char* waylandDisplay, const char* display, const char* qpaPlatform);

// Sets QT_QPA_PLATFORM=xcb when ShouldUseXcb holds for this process's
// environment. Call in main before the application object exists.
void PreferXcbOnWayland();

}  // namespace platform
