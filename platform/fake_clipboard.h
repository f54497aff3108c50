#pragma once

#include <string>
#include <string_view>

#include "platform/clipboard.h"

namespace platform {

// A clipboard inside the process that tests drive: another program can take
// it over, and it can be made unreadable or deaf to writes.
class FakeClipboard final : public Clipboard {
public:
    std::string Text() const override { return m_unreadable || m_hasImage ? std::string() : m_text; }

    void SetText(std::string_view text) override
    {
        ++m_writes;
        if (m_dropWrites)
            return;
        m_text = std::string(text);
        m_hasImage = false;
        m_image = {};
        m_owned = true;
        NotifyChanged();
    }

    void SetImage(const ClipboardImage& image) override
    {
        ++m_writes;
        if (m_dropWrites)
            return;
        m_text.clear();
        m_image = image;
        m_hasImage = true;
        m_owned = true;
        NotifyChanged();
    }

    void Clear() override { SetText({}); }

    bool Owns() const override { return m_owned; }

    // Another program puts `text` on the clipboard: we lose the ownership.
    void TakeOverByOtherProgram(std::string_view text)
    {
        m_text = std::string(text);
        m_hasImage = false;
        m_image = {};
        m_owned = false;
        NotifyChanged();
    }

    // Reads give no text (the owner does not answer).
    void SetUnreadable(bool on) { m_unreadable = on; }
    // Writes are lost (nobody keeps the clipboard).
    void SetDropWrites(bool on) { m_dropWrites = on; }

    bool HasImage() const { return m_hasImage; }
    const ClipboardImage& Image() const { return m_image; }
    int Writes() const { return m_writes; }

private:
    std::string m_text;
    ClipboardImage m_image;
    bool m_hasImage = false;
    bool m_owned = false;
    bool m_unreadable = false;
    bool m_dropWrites = false;
    int m_writes = 0;
};

// Installs a clipboard for the life of the object, then restores the one
// that was installed before.
class ScopedClipboard {
public:
    explicit ScopedClipboard(Clipboard& clipboard) : m_previous(&GetClipboard())
    {
        SetClipboard(&clipboard);
    }
    ~ScopedClipboard() { SetClipboard(m_previous); }
    ScopedClipboard(const ScopedClipboard&) = delete;
    ScopedClipboard& operator=(const ScopedClipboard&) = delete;

private:
    Clipboard* m_previous;
};

}  // namespace platform
