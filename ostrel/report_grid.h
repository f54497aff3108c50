#pragma once

#include <QAbstractScrollArea>
#include <QPoint>

#include "ostrel/markup.h"
#include "ostrel/qt_metrics.h"
#include "ostrel/report_store.h"

namespace ostrel {

// The report grid: one row per stored line, each as tall as the store says,
// column 0 the line drawn by the markup renderer, then a narrow strip where
// ">" marks the row under the mouse pointer. It scrolls by whole rows.
class ReportGrid final : public QAbstractScrollArea {
    Q_OBJECT

public:
    ReportGrid(const ReportStore& store, MarkupRenderer& renderer, const QtMetrics& metrics,
               QWidget* parent = nullptr);

    // After loading or editing: the scroll range follows the rows, the top row is kept.
    void RowsChanged();

    int TopRow() const;
    // Makes `row` the top row, as far as the rows below it fill the grid.
    void SetTopRow(int row);
    // The row at a y of the viewport, or -1 below the last row.
    int RowAt(int y) const;
    // The top of a row in the viewport, or -1 when it is not shown.
    int RowTop(int row) const;

    // The row under the mouse pointer (-1 before the pointer was over a row).
    int PointedRow() const { return m_pointedRow; }
    // What a mouse move over `row` does: marker, cursor shape, redraw.
    void PointAt(int row);

    bool RawView() const { return m_rawView; }
    void SetRawView(bool on);

    // Column 0 is the grid's width less 30 pixels.
    int ColumnWidth() const;

signals:
    void PointedRowChanged(int row);
    // A mouse button went down over the grid; row -1 below the last row.
    void RowPressed(int row, Qt::MouseButton button, QPoint globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    int LastTopRow() const;

    const ReportStore& m_store;
    MarkupRenderer& m_renderer;
    const QtMetrics& m_metrics;
    int m_pointedRow = -1;
    bool m_rawView = false;
};

}  // namespace ostrel
