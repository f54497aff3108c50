// Report markup comes from files any program may write: every line must draw
// on fixed-width metrics without fault, and the structure must hold together.
#include "ostrel/draw_ops.h"
#include "ostrel/markup.h"
#include "vorplan/common/codec.h"
#include "vorplan/common/text_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

class FuzzMetrics final : public ostrel::TextMetrics {
public:
    int TextWidth(const ostrel::Font& font, std::string_view text) const override
    {
        return static_cast<int>(ostrel::CharCount(text)) * (font.pointSize / 4 + (font.bold ? 2 : 1));
    }
    int TextHeight(const ostrel::Font& font, std::string_view) const override { return font.pointSize + 4; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> lines = vor::SplitTextLines(vor::DecodeFileText(bytes));
    if (lines.size() > 2000)
        lines.resize(2000);

    const ostrel::ReportDocument doc(lines);
    FuzzMetrics metrics;
    ostrel::RenderSettings settings;
    settings.letterSize = size > 0 ? 3 + data[0] % 9 : 8;
    settings.corTab = size > 1 ? data[1] % 8 : 6;
    ostrel::MarkupRenderer renderer(metrics, settings);

    int top = 0;
    for (int row = 0; row < doc.Count(); ++row) {
        const std::string& text = doc.Text(row);
        const int height = ostrel::RowHeight(text, metrics, settings.letterSize, 8);
        ostrel::LineGeometry g;
        g.rect = ostrel::Rect{0, top, 630, top + height};
        g.areaWidth = 630;
        g.mark = " XA"[row % 3];
        g.underPointer = row % 5 == 0;
        ostrel::DrawOps ops;
        renderer.Render(doc, row, g, ops);
        if (ops.empty() || ops.front().kind != ostrel::OpKind::Fill)
            std::abort();  // every line starts by filling its rectangle
        renderer.RenderRaw(text, g, ops);
        top += height;

        const int title = doc.TitleOf(row);
        if (title > row || (title >= 0 && !doc.IsTitle(title)))
            std::abort();
        if (const auto table = doc.TableAt(row); table && (table->first > row || table->last < row))
            std::abort();
        if (const auto block = doc.BlockOf(row); block && (block->first > row || block->last < row))
            std::abort();
        if (const auto heading = ostrel::FindHeading(text);
            heading && ostrel::CharCount(heading->text) > ostrel::kMaxIndexText)
            std::abort();
        for (const std::string& cell : ostrel::SplitColumnTexts(text))
            if (ostrel::CharCount(cell) > ostrel::kMaxCellLength || cell.find('_') != std::string::npos)
                std::abort();
    }
    return 0;
}
