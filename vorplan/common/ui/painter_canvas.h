#pragma once

#include "vorplan/common/canvas.h"

class QPainter;

namespace vor {

// The canvas on a QPainter: the paint box's backing image, a printer page or
// any image. Font sizes in points become pixels at `dotsPerInch` (0: the
// device's own), so text keeps its size against the drawing on every device.
class PainterCanvas final : public Canvas {
public:
    explicit PainterCanvas(QPainter& painter, int dotsPerInch = 0);
    ~PainterCanvas() override;
    PainterCanvas(const PainterCanvas&) = delete;
    PainterCanvas& operator=(const PainterCanvas&) = delete;

    void Rectangle(const Rect& rect) override;
    void FillRect(const Rect& rect) override;
    void Polygon(const std::vector<Point>& points) override;
    void Line(Point from, Point to) override;
    void Text(Point at, const std::string& text) override;
    TextExtent MeasureText(const std::string& text) override;
    void StretchPicture(const Rect& rect, const std::filesystem::path& picture) override;

private:
    void UsePen();
    void UseBrush();
    void UseFont();

    QPainter& m_painter;
    int m_dotsPerInch;
};

}  // namespace vor
