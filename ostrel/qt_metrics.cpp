#include "ostrel/qt_metrics.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QRect>

#include "platform/qt_text.h"
#include "vorplan/common/user_file.h"

namespace ostrel {

namespace {

QColor ToQColor(Rgb c) { return QColor(c.r, c.g, c.b); }

QRect ToQRect(const Rect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

}  // namespace

QFont ToQFont(const Font& font)
{
    QFont f(platform::ToQString(font.family));
    f.setPointSize(font.pointSize > 0 ? font.pointSize : 1);
    f.setBold(font.bold);
    // Widths are added up from parts of a line; kerning across the cut would shift them.
    f.setKerning(false);
    return f;
}

const QFontMetrics& QtMetrics::MetricsOf(const Font& font) const
{
    auto key = std::make_tuple(font.family, font.pointSize, font.bold);
    auto it = m_cache.find(key);
    if (it == m_cache.end()) {
        const QFont f = ToQFont(font);
        it = m_cache.emplace(std::move(key), m_device ? QFontMetrics(f, m_device) : QFontMetrics(f)).first;
    }
    return it->second;
}

int QtMetrics::TextWidth(const Font& font, std::string_view text) const
{
    return MetricsOf(font).horizontalAdvance(platform::ToQString(text));
}

int QtMetrics::TextHeight(const Font& font, std::string_view) const { return MetricsOf(font).height(); }

int QtMetrics::Ascent(const Font& font) const { return MetricsOf(font).ascent(); }

void PaintOps(QPainter& painter, const DrawOps& ops, const QtMetrics& metrics)
{
    for (const DrawOp& op : ops) {
        switch (op.kind) {
        case OpKind::Fill:
            painter.fillRect(ToQRect(op.rect), ToQColor(op.colour));
            break;
        case OpKind::Text: {
            painter.save();
            painter.setClipRect(ToQRect(op.rect));
            painter.setFont(ToQFont(op.font));
            painter.setPen(ToQColor(op.colour));
            painter.drawText(QPoint(op.x, op.y + metrics.Ascent(op.font)), platform::ToQString(op.text));
            painter.restore();
            break;
        }
        case OpKind::Line: {
            QPen pen(ToQColor(op.colour));
            pen.setWidth(op.penWidth);
            pen.setCapStyle(Qt::FlatCap);
            painter.setPen(pen);
            painter.drawLine(op.x, op.y, op.x2, op.y2);
            break;
        }
        case OpKind::Box: {
            const QRect r = ToQRect(op.rect);
            painter.fillRect(r, ToQColor(op.colour));
            QPen pen(ToQColor(op.border));
            pen.setWidth(1);
            painter.setPen(pen);
            painter.setBrush(Qt::NoBrush);
            if (r.width() > 0 && r.height() > 0)
                painter.drawRect(r.adjusted(0, 0, -1, -1));
            break;
        }
        case OpKind::Picture: {
            QImage image;
            if (const auto bytes = vor::ReadUserFileBytes(op.text, vor::kMaxPictureFileBytes))
                image.loadFromData(reinterpret_cast<const uchar*>(bytes->data()), static_cast<int>(bytes->size()));
            if (!image.isNull()) {
                painter.drawImage(ToQRect(op.rect), image);
            } else {
                Font small;
                small.pointSize = 9;
                painter.save();
                painter.setClipRect(ToQRect(op.rect));
                painter.setFont(ToQFont(small));
                painter.setPen(Qt::black);
                painter.drawText(QPoint(op.rect.left, op.rect.top + metrics.Ascent(small)),
                                 platform::ToQString("[" + op.text + "]?"));
                painter.restore();
            }
            break;
        }
        }
    }
}

}  // namespace ostrel
