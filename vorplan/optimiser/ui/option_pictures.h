#pragma once

#include <QSize>
#include <QWidget>
#include <functional>

#include "vorplan/optimiser/option_illustrations.h"

class QPainter;

namespace vor {

// The mottled sheet of the option pictures on a box of `size`; every call
// draws new shades from `random`.
void DrawSheetTexture(QPainter& painter, QSize size, const RandomSource& random = ProgramRandom);

// The block sketch of the cut complexity for the checked buttons.
void DrawCutComplexitySketch(QPainter& painter, QSize size, bool complex, bool medium);

// A paint box: whatever `paint` draws, whenever the toolkit asks.
class PaintBox final : public QWidget {
    Q_OBJECT

public:
    using Painter = std::function<void(QPainter&, QSize)>;
    explicit PaintBox(QWidget* parent = nullptr, Painter paint = {});
    void SetPainter(Painter paint);

signals:
    void Painted();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Painter m_paint;
};

}  // namespace vor
