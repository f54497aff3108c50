#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "vorplan/common/canvas.h"

namespace vortest {

// A canvas for tests: records every call with the pen, brush and font it was
// made with, and measures text with fixed metrics that tests can compute by
// hand: each character is `size` x `pixelsPerPoint` pixels wide, a line twice
// that high.
class RecordingCanvas final : public vor::Canvas {
public:
    enum class Kind { Rectangle, FillRect, Polygon, Line, Text, Picture };

    struct Op {
        Kind kind = Kind::Rectangle;
        vor::Rect rect;                 // Rectangle, FillRect, Picture
        std::vector<vor::Point> points;  // Polygon; Line: from, to; Text: the corner
        std::string text;                // Text
        std::filesystem::path picture;   // Picture
        vor::CanvasPen pen;
        vor::CanvasBrush brush;
        vor::CanvasFont font;
    };

    explicit RecordingCanvas(int pixelsPerPoint = 1) : m_pixelsPerPoint(pixelsPerPoint) {}

    void Rectangle(const vor::Rect& rect) override;
    void FillRect(const vor::Rect& rect) override;
    void Polygon(const std::vector<vor::Point>& points) override;
    void Line(vor::Point from, vor::Point to) override;
    void Text(vor::Point at, const std::string& text) override;
    vor::TextExtent MeasureText(const std::string& text) override;
    void StretchPicture(const vor::Rect& rect, const std::filesystem::path& picture) override;

    const std::vector<Op>& Ops() const { return m_ops; }
    std::vector<Op> OpsOf(Kind kind) const;
    std::size_t Count(Kind kind) const { return OpsOf(kind).size(); }
    // The texts written, in order.
    std::vector<std::string> Texts() const;
    bool HasText(const std::string& text) const;
    void Clear() { m_ops.clear(); }

private:
    Op Snapshot(Kind kind) const;

    int m_pixelsPerPoint;
    std::vector<Op> m_ops;
};

}  // namespace vortest
