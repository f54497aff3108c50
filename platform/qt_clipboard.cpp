#include "platform/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <cstring>

#include "platform/qt_text.h"

namespace platform {

QtClipboard::QtClipboard()
{
    m_changed = QObject::connect(QGuiApplication::clipboard(), &QClipboard::changed,
                                 [this](QClipboard::Mode mode) {
                                     if (mode == QClipboard::Clipboard)
                                         NotifyChanged();
                                 });
}

QtClipboard::~QtClipboard()
{
    QObject::disconnect(m_changed);
}

std::string QtClipboard::Text() const
{
    return FromQString(QGuiApplication::clipboard()->text(QClipboard::Clipboard));
}

void QtClipboard::SetText(std::string_view text)
{
    QGuiApplication::clipboard()->setText(ToQString(text), QClipboard::Clipboard);
}

void QtClipboard::SetImage(const ClipboardImage& image)
{
    if (image.width <= 0 || image.height <= 0 ||
        image.rgb.size() != static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 3)
        return;
    QImage picture(image.width, image.height, QImage::Format_RGB888);
    const std::size_t stride = static_cast<std::size_t>(image.width) * 3;
    for (int y = 0; y < image.height; ++y)
        std::memcpy(picture.scanLine(y), image.rgb.data() + stride * static_cast<std::size_t>(y), stride);
    SetImage(picture);
}

void QtClipboard::SetImage(const QImage& image)
{
    QGuiApplication::clipboard()->setImage(image, QClipboard::Clipboard);
}

void QtClipboard::Clear()
{
    QGuiApplication::clipboard()->clear(QClipboard::Clipboard);
}

bool QtClipboard::Owns() const
{
    return QGuiApplication::clipboard()->ownsClipboard();
}

}  // namespace platform
