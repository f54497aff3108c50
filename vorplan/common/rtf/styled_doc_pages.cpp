#include "vorplan/common/rtf/styled_doc_pages.h"

#include <algorithm>

#include "platform/print_jobs.h"

namespace vor {

namespace {

constexpr int kPointsPerInch = 72;
constexpr int kDefaultTabPoints = 36;

CanvasFont FontOf(const StyledRun& run)
{
    CanvasFont font;
    font.name = "Arial";
    font.size = run.size;
    font.bold = run.bold;
    font.underline = run.underline;
    font.colour = run.colour;
    return font;
}

int NextTab(int x, const std::vector<int>& stops, int dotsPerInch)
{
    for (int stop : stops) {
        const int at = stop * dotsPerInch / kPointsPerInch;
        if (at > x)
            return at;
    }
    const int step = kDefaultTabPoints * dotsPerInch / kPointsPerInch;
    return (x / step + 1) * step;
}

}  // namespace

std::vector<PlacedPage> LayOutStyledDoc(const StyledDoc& doc, Canvas& canvas, int width, int height,
                                        int dotsPerInch)
{
    std::vector<PlacedPage> pages(1);
    int y = 0;
    for (const StyledParagraph& p : doc.paragraphs) {
        PlacedPage line;
        int x = p.firstIndent * dotsPerInch / kPointsPerInch;
        int lineHeight = 0;
        int largest = 10;
        for (const StyledRun& run : p.runs) {
            largest = std::max(largest, run.size);
            canvas.font = FontOf(run);
            std::string_view text = run.text;
            while (true) {
                const std::size_t tab = text.find('\t');
                const std::string piece(text.substr(0, tab));
                if (!piece.empty()) {
                    const TextExtent extent = canvas.MeasureText(piece);
                    line.push_back({{x, 0}, canvas.font, piece});
                    x += extent.width;
                    lineHeight = std::max(lineHeight, extent.height);
                }
                if (tab == std::string_view::npos)
                    break;
                x = NextTab(x, p.tabStops, dotsPerInch);
                text.remove_prefix(tab + 1);
            }
        }
        // An empty paragraph keeps the height of a line of its size.
        lineHeight = std::max(lineHeight, largest * dotsPerInch * 6 / (kPointsPerInch * 5));
        if (y > 0 && y + lineHeight > height) {
            pages.emplace_back();
            y = 0;
        }
        const int shift = p.align == ParagraphAlign::Centre ? std::max(0, (width - x) / 2)
                          : p.align == ParagraphAlign::Right ? std::max(0, width - x)
                                                             : 0;
        for (PlacedText& t : line) {
            t.at.x += shift;
            t.at.y = y;
            pages.back().push_back(std::move(t));
        }
        y += lineHeight;
    }
    return pages;
}

void DrawPlacedPage(const PlacedPage& page, Canvas& canvas, Point origin)
{
    canvas.brush.style = BrushStyle::Clear;
    for (const PlacedText& t : page) {
        canvas.font = t.font;
        canvas.Text({origin.x + t.at.x, origin.y + t.at.y}, t.text);
    }
}

bool PrintStyledDoc(platform::PrintJobs& jobs, const StyledDoc& doc, const std::string& title)
{
    if (!jobs.BeginJob(title))
        return false;
    const platform::PrintPageMetrics page = jobs.Metrics();
    const std::vector<PlacedPage> pages =
        LayOutStyledDoc(doc, jobs.JobCanvas(), page.width, page.height, page.dotsPerInch);
    bool printed = true;
    for (std::size_t i = 0; i < pages.size() && printed; ++i) {
        if (i > 0)
            printed = jobs.NewPage();
        // Each page has a canvas of its own.
        if (printed)
            DrawPlacedPage(pages[i], jobs.JobCanvas());
    }
    return jobs.EndJob() && printed;
}

}  // namespace vor
