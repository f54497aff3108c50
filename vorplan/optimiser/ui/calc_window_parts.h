#pragma once

#include <QColor>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRect>
#include <QString>
#include <QWidget>

namespace vor::calc_window {

// A control of the calculation window at a fixed place, answering to its
// own name in tests and tools.
template <typename Widget>
Widget* Make(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* widget = new Widget(parent);
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(geometry);
    return widget;
}

// A raised panel showing one line of text, centred unless `alignment` says
// otherwise; `colour` fills it when valid.
QLabel* MakePanel(QWidget* parent, const char* name, const QRect& geometry,
                  const QColor& colour = QColor(), const QColor& textColour = QColor(),
                  Qt::Alignment alignment = Qt::AlignCenter);

// A plain label of one line.
QLabel* MakeLabel(QWidget* parent, const char* name, const QRect& geometry,
                  const QColor& textColour = QColor());

// A flat coloured area of the pictures.
QFrame* MakeBlock(QWidget* parent, const char* name, const QRect& geometry, const QColor& colour);

// Fills `widget`'s background with `colour`.
void SetBackground(QWidget& widget, const QColor& colour);
void SetTextColour(QWidget& widget, const QColor& colour);

}  // namespace vor::calc_window
