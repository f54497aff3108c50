#include "vorplan/common/ui/painter_canvas.h"

#include <QBrush>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <QPoint>
#include <QPolygon>
#include <algorithm>

#include "platform/qt_text.h"
#include "vorplan/common/ui/drawing_helpers.h"

namespace vor {

namespace {

Qt::PenStyle QtPenStyle(PenStyle style)
{
    switch (style) {
    case PenStyle::Dash: return Qt::DashLine;
    case PenStyle::Dot: return Qt::DotLine;
    case PenStyle::Clear: return Qt::NoPen;
    case PenStyle::Solid: break;
    }
    return Qt::SolidLine;
}

Qt::BrushStyle QtBrushStyle(BrushStyle style)
{
    switch (style) {
    case BrushStyle::Clear: return Qt::NoBrush;
    case BrushStyle::BDiagonal: return Qt::BDiagPattern;
    case BrushStyle::FDiagonal: return Qt::FDiagPattern;
    case BrushStyle::Cross: return Qt::CrossPattern;
    case BrushStyle::DiagCross: return Qt::DiagCrossPattern;
    case BrushStyle::Solid: break;
    }
    return Qt::SolidPattern;
}

}  // namespace

PainterCanvas::PainterCanvas(QPainter& painter, int dotsPerInch)
    : m_painter(painter),
      m_dotsPerInch(dotsPerInch > 0 ? dotsPerInch
                                    : (painter.device() ? painter.device()->logicalDpiY() : 96))
{
    m_painter.save();
    // Pixels exactly where the rules put them, as the fit rules measure them.
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
}

PainterCanvas::~PainterCanvas() { m_painter.restore(); }

void PainterCanvas::UsePen()
{
    QPen qpen(FromWinColor(pen.colour));
    qpen.setWidth(std::max(1, pen.width));
    qpen.setStyle(QtPenStyle(pen.style));
    if (pen.width > 1) {
        qpen.setCapStyle(Qt::RoundCap);
        qpen.setJoinStyle(Qt::RoundJoin);
    }
    m_painter.setPen(qpen);
}

void PainterCanvas::UseBrush()
{
    m_painter.setBrush(QBrush(FromWinColor(brush.colour), QtBrushStyle(brush.style)));
}

void PainterCanvas::UseFont()
{
    QFont qfont(platform::ToQString(font.name));
    qfont.setPixelSize(std::max(1, (font.size * m_dotsPerInch + 36) / 72));
    qfont.setBold(font.bold);
    qfont.setItalic(font.italic);
    qfont.setUnderline(font.underline);
    m_painter.setFont(qfont);
}

void PainterCanvas::Rectangle(const Rect& rect)
{
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    FillRect(rect);
    UsePen();
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawRect(OutlineRectOf(rect));
}

void PainterCanvas::FillRect(const Rect& rect)
{
    if (brush.style == BrushStyle::Clear || rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    m_painter.fillRect(FillRectOf(rect), QBrush(FromWinColor(brush.colour), QtBrushStyle(brush.style)));
}

void PainterCanvas::Polygon(const std::vector<Point>& points)
{
    if (points.empty())
        return;
    QPolygon polygon;
    for (const Point& p : points)
        polygon << QPoint(p.x, p.y);
    UsePen();
    UseBrush();
    m_painter.drawPolygon(polygon);
}

void PainterCanvas::Line(Point from, Point to)
{
    UsePen();
    m_painter.drawLine(QPoint(from.x, from.y), QPoint(to.x, to.y));
}

void PainterCanvas::Text(Point at, const std::string& text)
{
    UseFont();
    const QString qtext = platform::ToQString(text);
    const QFontMetrics metrics(m_painter.font(), m_painter.device());
    if (brush.style == BrushStyle::Solid)
        m_painter.fillRect(QRect(at.x, at.y, metrics.horizontalAdvance(qtext), metrics.height()),
                           FromWinColor(brush.colour));
    m_painter.setPen(FromWinColor(font.colour));
    m_painter.drawText(QPoint(at.x, at.y + metrics.ascent()), qtext);
}

TextExtent PainterCanvas::MeasureText(const std::string& text)
{
    UseFont();
    const QFontMetrics metrics(m_painter.font(), m_painter.device());
    return {metrics.horizontalAdvance(platform::ToQString(text)), metrics.height()};
}

void PainterCanvas::StretchPicture(const Rect& rect, const std::filesystem::path& picture)
{
    const QImage image(platform::ToQString(picture.string()));
    if (image.isNull())
        return;
    m_painter.drawImage(FillRectOf(rect), image);
}

}  // namespace vor
