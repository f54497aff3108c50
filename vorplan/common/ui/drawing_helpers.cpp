#include "vorplan/common/ui/drawing_helpers.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QPoint>
#include <QPolygon>

#include "platform/qt_text.h"

namespace vor {

namespace {

// Point sizes are those of a 96 dpi screen, so that text keeps its size
// against the drawing on every device.
int PixelsOfPoints(int points) { return (points * 96 + 36) / 72; }

QPoint ToQPoint(const Point& p) { return {p.x, p.y}; }

QPen Pen(WinColor colour, int width = 1)
{
    QPen pen(FromWinColor(colour));
    pen.setWidth(width);
    if (width > 1) {
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
    }
    return pen;
}

// Text with its top-left corner at `at`, as the Windows canvas writes it.
void TextAtTopLeft(QPainter& painter, const TextAt& text)
{
    const QFontMetrics metrics(painter.font());
    painter.drawText(QPoint(text.at.x, text.at.y + metrics.ascent()), platform::ToQString(text.text));
}

}  // namespace

QColor FromWinColor(WinColor colour)
{
    return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

QRect FillRectOf(const Rect& rect)
{
    return QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

QRect OutlineRectOf(const Rect& rect)
{
    return QRect(rect.left, rect.top, rect.right - rect.left - 1, rect.bottom - rect.top - 1);
}

void DrawPercentPie(QPainter& painter, QSize size, WinColor colour, double percent)
{
    const PercentPie pie = PercentPieGeometry(size.width(), size.height(), colour, percent);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (pie.zero) {
        painter.setPen(Pen(kBlack));
        painter.setBrush(FromWinColor(colour));
        painter.drawEllipse(OutlineRectOf(pie.bounds));
    }
    for (const PieSector& sector : pie.sectors) {
        painter.setPen(Pen(sector.colour));
        painter.setBrush(FromWinColor(sector.colour));
        painter.drawPie(OutlineRectOf(pie.bounds), sector.start, sector.span);
    }

    QFont font = painter.font();
    font.setPixelSize(PixelsOfPoints(pie.fontSize));
    painter.setFont(font);
    painter.setBrush(Qt::NoBrush);
    const QString text = platform::ToQString(pie.text);
    const QFontMetrics metrics(font);
    QRect box = metrics.boundingRect(text);
    box.moveCenter(ToQPoint(pie.centre));
    painter.setPen(Pen(kBlack));
    painter.drawText(box.translated(1, 1), Qt::AlignCenter, text);
    painter.setPen(Pen(kWhite));
    painter.drawText(box, Qt::AlignCenter, text);
    painter.restore();
}

void DrawProgressDial(QPainter& painter, QSize size, int value)
{
    const ProgressDial dial = ProgressDialGeometry(size.width(), size.height(), value);
    const auto disc = [&painter](Point centre, int radius) {
        painter.drawEllipse(OutlineRectOf(
            {centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius}));
    };
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Pen(kBlack));
    painter.setBrush(FromWinColor(kGrey));
    disc(dial.centre, dial.radius);
    painter.setBrush(FromWinColor(kBlue));
    disc(dial.centre, dial.innerRadius);
    painter.setBrush(FromWinColor(kYellow));
    for (const Point& dot : dial.dots)
        disc(dot, dial.dotRadius);
    painter.setPen(Pen(kRed, 2));
    for (const Point& end : dial.handEnds)
        painter.drawLine(ToQPoint(dial.centre), ToQPoint(end));
    painter.restore();
}

void DrawLabelPagePreview(QPainter& painter, QSize size)
{
    const LabelPagePreview preview = LabelPagePreviewGeometry(size.width(), size.height());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Pen(kBlack));
    painter.setBrush(FromWinColor(kWhite));
    painter.drawRect(OutlineRectOf(preview.page));
    painter.setBrush(FromWinColor(kYellow));
    // Corners of 6 x 6 pixels: ellipses of radius 3.
    for (const Rect& label : preview.labels)
        painter.drawRoundedRect(OutlineRectOf(label), 3, 3);
    for (const Line& line : preview.markers) {
        painter.setPen(Pen(line.colour, 2));
        painter.drawLine(ToQPoint(line.from), ToQPoint(line.to));
    }
    painter.restore();
}

void DrawColumnHeaders(QPainter& painter, const ColumnSet& columns)
{
    const ColumnHeaders headers = ColumnHeaderGeometry(columns);
    painter.save();
    QFont font = painter.font();
    font.setFamily(QStringLiteral("Arial"));
    painter.setFont(font);
    painter.setPen(Pen(kNavy));
    for (const TextAt& title : headers.titles)
        TextAtTopLeft(painter, title);
    for (const Rect& separator : headers.separators)
        painter.fillRect(FillRectOf(separator), FromWinColor(kNavy));
    painter.restore();
}

void DrawAnimatedFigure(QPainter& painter, QSize size, int scheme, int step)
{
    const AnimatedFigure figure =
        AnimatedFigureGeometry(size.width(), size.height(), scheme, step);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const Line& line : figure.fan) {
        painter.setPen(Pen(line.colour));
        painter.drawLine(ToQPoint(line.from), ToQPoint(line.to));
    }
    if (figure.clearWindow) {
        painter.fillRect(FillRectOf(figure.window), FromWinColor(kBlack));
        painter.setBrush(FromWinColor(kBlack));
    }
    painter.setPen(Pen(kBlack));
    for (const FlagCell& cell : figure.cells) {
        // A cell without a colour of its own takes the brush as the last one left it.
        if (cell.fill)
            painter.setBrush(FromWinColor(*cell.fill));
        QPolygon polygon;
        for (const Point& corner : cell.corners)
            polygon << ToQPoint(corner);
        painter.drawPolygon(polygon);
    }
    painter.restore();
}

}  // namespace vor
