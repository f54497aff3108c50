#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "vorplan/common/drawing_geometry.h"

namespace vor {

// The one surface vorplan draws its layouts and printouts on: a screen
// image, a printer page or a picture alike. Like the Windows canvas it keeps
// a current pen, brush and font that each call uses; coordinates are pixels
// of the device drawn on, rectangles have their right and bottom outside.

enum class PenStyle { Solid, Dash, Dot, Clear };

// Hatched brushes draw their lines only: what lies below shows through.
enum class BrushStyle { Solid, Clear, BDiagonal, FDiagonal, Cross, DiagCross };

struct CanvasPen {
    WinColor colour = kBlack;
    int width = 1;  // device pixels; below 1 counts as 1
    PenStyle style = PenStyle::Solid;
    bool operator==(const CanvasPen&) const = default;
};

struct CanvasBrush {
    WinColor colour = kWhite;
    BrushStyle style = BrushStyle::Solid;
    bool operator==(const CanvasBrush&) const = default;
};

struct CanvasFont {
    std::string name = "Arial";
    int size = 8;  // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    WinColor colour = kBlack;
    bool operator==(const CanvasFont&) const = default;
};

struct TextExtent {
    int width = 0;
    int height = 0;
    bool operator==(const TextExtent&) const = default;
};

class Canvas {
public:
    virtual ~Canvas() = default;

    // The rectangle filled with the brush and outlined with the pen.
    virtual void Rectangle(const Rect& rect) = 0;
    // The rectangle filled with the brush, without an outline.
    virtual void FillRect(const Rect& rect) = 0;
    // The closed polygon through `points`, filled and outlined.
    virtual void Polygon(const std::vector<Point>& points) = 0;
    virtual void Line(Point from, Point to) = 0;
    // `text` with its top-left corner at `at`, in the font's colour; on the
    // brush's colour when the brush is solid, as the Windows canvas writes it.
    virtual void Text(Point at, const std::string& text) = 0;
    // Width and height of `text` in the current font.
    virtual TextExtent MeasureText(const std::string& text) = 0;
    // The picture file stretched into `rect`; a file that cannot be read draws nothing.
    virtual void StretchPicture(const Rect& rect, const std::filesystem::path& picture) = 0;

    CanvasPen pen;
    CanvasBrush brush;
    CanvasFont font;
};

}  // namespace vor
