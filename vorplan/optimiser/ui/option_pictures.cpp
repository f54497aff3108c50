#include "vorplan/optimiser/ui/option_pictures.h"

#include <QPainter>
#include <utility>

#include "vorplan/common/ui/drawing_helpers.h"

namespace vor {

namespace {

// A Windows Rectangle: filled with the brush, outlined inside by the pen.
void DrawBlocks(QPainter& painter, const std::vector<ShadedBlock>& blocks)
{
    painter.save();
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    for (const ShadedBlock& block : blocks) {
        painter.fillRect(FillRectOf(block.rect), FromWinColor(block.brush));
        painter.drawRect(OutlineRectOf(block.rect));
    }
    painter.restore();
}

}  // namespace

void DrawSheetTexture(QPainter& painter, QSize size, const RandomSource& random)
{
    DrawBlocks(painter, SheetTextureGeometry(size.width(), size.height(), random));
}

void DrawCutComplexitySketch(QPainter& painter, QSize size, bool complex, bool medium)
{
    DrawBlocks(painter, CutComplexitySketchGeometry(size.width(), size.height(), complex, medium));
}

PaintBox::PaintBox(QWidget* parent, Painter paint) : QWidget(parent), m_paint(std::move(paint)) {}

void PaintBox::SetPainter(Painter paint)
{
    m_paint = std::move(paint);
    update();
}

void PaintBox::paintEvent(QPaintEvent*)
{
    if (m_paint) {
        QPainter painter(this);
        m_paint(painter, size());
    }
    emit Painted();
}

}  // namespace vor
