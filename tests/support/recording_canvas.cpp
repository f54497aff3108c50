#include "tests/support/recording_canvas.h"

#include <algorithm>

namespace vortest {

namespace {

// Characters, not bytes, as a user counts them.
int CharacterCount(const std::string& text)
{
    return static_cast<int>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

}  // namespace

RecordingCanvas::Op RecordingCanvas::Snapshot(Kind kind) const
{
    Op op;
    op.kind = kind;
    op.pen = pen;
    op.brush = brush;
    op.font = font;
    return op;
}

void RecordingCanvas::Rectangle(const vor::Rect& rect)
{
    Op op = Snapshot(Kind::Rectangle);
    op.rect = rect;
    m_ops.push_back(op);
}

void RecordingCanvas::FillRect(const vor::Rect& rect)
{
    Op op = Snapshot(Kind::FillRect);
    op.rect = rect;
    m_ops.push_back(op);
}

void RecordingCanvas::Polygon(const std::vector<vor::Point>& points)
{
    Op op = Snapshot(Kind::Polygon);
    op.points = points;
    m_ops.push_back(op);
}

void RecordingCanvas::Line(vor::Point from, vor::Point to)
{
    Op op = Snapshot(Kind::Line);
    op.points = {from, to};
    m_ops.push_back(op);
}

void RecordingCanvas::Text(vor::Point at, const std::string& text)
{
    Op op = Snapshot(Kind::Text);
    op.points = {at};
    op.text = text;
    m_ops.push_back(op);
}

vor::TextExtent RecordingCanvas::MeasureText(const std::string& text)
{
    const int unit = font.size * m_pixelsPerPoint;
    return {CharacterCount(text) * unit, 2 * unit};
}

void RecordingCanvas::StretchPicture(const vor::Rect& rect, const std::filesystem::path& picture)
{
    Op op = Snapshot(Kind::Picture);
    op.rect = rect;
    op.picture = picture;
    m_ops.push_back(op);
}

std::vector<RecordingCanvas::Op> RecordingCanvas::OpsOf(Kind kind) const
{
    std::vector<Op> out;
    std::copy_if(m_ops.begin(), m_ops.end(), std::back_inserter(out),
                 [kind](const Op& op) { return op.kind == kind; });
    return out;
}

std::vector<std::string> RecordingCanvas::Texts() const
{
    std::vector<std::string> out;
    for (const Op& op : OpsOf(Kind::Text))
        out.push_back(op.text);
    return out;
}

bool RecordingCanvas::HasText(const std::string& text) const
{
    const auto texts = Texts();
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

}  // namespace vortest
