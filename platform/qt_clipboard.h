#pragma once

#include <QMetaObject>

#include "platform/clipboard.h"

class QImage;

namespace platform {

// The system clipboard through QClipboard (mode Clipboard; on X11 the
// CLIPBOARD selection as UTF8_STRING). Needs the application object.
class QtClipboard final : public Clipboard {
public:
    QtClipboard();
    ~QtClipboard() override;
    QtClipboard(const QtClipboard&) = delete;
    QtClipboard& operator=(const QtClipboard&) = delete;

    std::string Text() const override;
    void SetText(std::string_view text) override;
    void SetImage(const ClipboardImage& image) override;
    void Clear() override;
    bool Owns() const override;

    // For the windows' own pictures (a screen capture is QWidget::grab).
    void SetImage(const QImage& image);

private:
    QMetaObject::Connection m_changed;
};

}  // namespace platform
