#include "ostrel/report_grid.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace ostrel {

namespace {

constexpr int kColumnReserve = 30;  // grid width not given to column 0
constexpr int kMarkerGap = 3;       // ">" stands this far right of column 0

}  // namespace

ReportGrid::ReportGrid(const ReportStore& store, MarkupRenderer& renderer, const QtMetrics& metrics,
                       QWidget* parent)
    : QAbstractScrollArea(parent), m_store(store), m_renderer(renderer), m_metrics(metrics)
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(false);
    verticalScrollBar()->setSingleStep(1);
}

int ReportGrid::ColumnWidth() const { return std::max(0, width() - kColumnReserve); }

int ReportGrid::LastTopRow() const
{
    const int n = m_store.RowCount();
    const int visible = viewport()->height();
    int top = n;
    int filled = 0;
    while (top > 0 && filled + m_store.Height(top - 1) <= visible) {
        filled += m_store.Height(top - 1);
        --top;
    }
    return std::min(top, std::max(0, n - 1));
}

void ReportGrid::RowsChanged()
{
    QScrollBar* bar = verticalScrollBar();
    const int keep = bar->value();
    const int last = LastTopRow();
    bar->setRange(0, last);
    int perPage = 0;
    for (int r = std::min(keep, last), y = 0; r < m_store.RowCount() && y < viewport()->height(); ++r, ++perPage)
        y += m_store.Height(r);
    bar->setPageStep(std::max(1, perPage - 1));
    bar->setValue(std::min(keep, last));
    if (m_pointedRow >= m_store.RowCount())
        m_pointedRow = -1;
    viewport()->update();
}

int ReportGrid::TopRow() const { return verticalScrollBar()->value(); }

void ReportGrid::SetTopRow(int row)
{
    verticalScrollBar()->setValue(std::clamp(row, 0, verticalScrollBar()->maximum()));
    viewport()->update();
}

int ReportGrid::RowAt(int y) const
{
    if (y < 0)
        return -1;
    int top = 0;
    for (int r = TopRow(); r < m_store.RowCount(); ++r) {
        const int bottom = top + m_store.Height(r);
        if (y < bottom)
            return r;
        top = bottom;
        if (top > viewport()->height())
            break;
    }
    return -1;
}

int ReportGrid::RowTop(int row) const
{
    int top = 0;
    for (int r = TopRow(); r < m_store.RowCount() && top <= viewport()->height(); ++r) {
        if (r == row)
            return top;
        top += m_store.Height(r);
    }
    return -1;
}

void ReportGrid::PointAt(int row)
{
    if (row < 0 || row >= m_store.RowCount())
        return;
    viewport()->setCursor(m_store.MenuFor(row).crossCursor ? Qt::CrossCursor : Qt::ArrowCursor);
    if (row == m_pointedRow)
        return;
    m_pointedRow = row;
    // The marker moves, and a table row under the pointer takes the cursor band.
    viewport()->update();
    emit PointedRowChanged(row);
}

void ReportGrid::SetRawView(bool on)
{
    m_rawView = on;
    viewport()->update();
}

void ReportGrid::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    const int height = viewport()->height();
    painter.fillRect(viewport()->rect(), m_rawView ? QColor(255, 0, 0) : QColor(255, 255, 255));
    const ReportDocument& doc = m_store.Document();
    const int columnWidth = ColumnWidth();
    DrawOps ops;
    int y = 0;
    int markerY = -1;
    for (int row = TopRow(); row < m_store.RowCount() && y < height; ++row) {
        const int h = m_store.Height(row);
        LineGeometry g;
        g.rect = Rect{0, y, columnWidth, y + h};
        g.originX = kScreenOriginX;
        g.areaWidth = width();
        g.mark = m_store.Mark(row);
        g.underPointer = row == m_pointedRow;
        ops.clear();
        if (m_rawView)
            m_renderer.RenderRaw(m_store.Text(row), g, ops);
        else
            m_renderer.Render(doc, row, g, ops);
        PaintOps(painter, ops, m_metrics);
        if (row == m_pointedRow)
            markerY = y + h / 2;
        y += h;
    }
    if (markerY >= 0) {
        Font f;
        f.pointSize = 8;
        f.bold = true;
        const QFont font = ToQFont(f);
        painter.setFont(font);
        painter.setPen(Qt::black);
        const QFontMetrics fm(font);
        painter.drawText(QPoint(columnWidth + kMarkerGap, markerY - fm.height() / 2 + fm.ascent()),
                         QStringLiteral(">"));
    }
}

void ReportGrid::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    RowsChanged();
}

void ReportGrid::mouseMoveEvent(QMouseEvent* event)
{
    PointAt(RowAt(event->position().toPoint().y()));
    QAbstractScrollArea::mouseMoveEvent(event);
}

void ReportGrid::mousePressEvent(QMouseEvent* event)
{
    const int row = RowAt(event->position().toPoint().y());
    PointAt(row);
    emit RowPressed(row, event->button(), event->globalPosition().toPoint());
    event->accept();
}

void ReportGrid::scrollContentsBy(int, int) { viewport()->update(); }

}  // namespace ostrel
