#pragma once

#include <QColor>
#include <QRect>
#include <QSize>

#include "vorplan/common/drawing_geometry.h"
#include "vorplan/common/list_helpers.h"

class QPainter;

namespace vor {

// The shared drawing routines on any painter (widget, printer, image), in the
// pixel coordinates of the control of `size` they stand for. Each leaves the
// painter's state as it found it.

// The colour of a Windows colour number; the top byte is ignored.
QColor FromWinColor(WinColor colour);

// A Windows canvas rectangle (right and bottom outside) as the area a fill covers.
QRect FillRectOf(const Rect& rect);
// The same rectangle as the toolkit outlines it with a one-pixel pen, so that
// outline and fill cover the same pixels.
QRect OutlineRectOf(const Rect& rect);

// The yield pie with its percentage (see PercentPieGeometry).
void DrawPercentPie(QPainter& painter, QSize size, WinColor colour, double percent);

// The progress dial for `value` 0..60.
void DrawProgressDial(QPainter& painter, QSize size, int value);

// The picture of a label page with its marker lines.
void DrawLabelPagePreview(QPainter& painter, QSize size);

// The shared column titles in navy "Arial" at the painter's font size, with
// their separators.
void DrawColumnHeaders(QPainter& painter, const ColumnSet& columns = gListData.columns);

// One step of the waving flag; scheme 0 fills the cells with the painter's
// brush (black after step 0's fill). Frames build on each other, so the
// caller draws every step onto the same picture.
void DrawAnimatedFigure(QPainter& painter, QSize size, int scheme, int step);

}  // namespace vor
