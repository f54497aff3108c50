#pragma once

#include <string>
#include <vector>

#include "vorplan/common/canvas.h"
#include "vorplan/common/rtf/styled_doc.h"

namespace platform {
class PrintJobs;
}

namespace vor {

// A styled document laid out on printed pages: each piece of text at its
// place on the page, in its font.
struct PlacedText {
    Point at;  // top-left, from the page's printable origin
    CanvasFont font;
    std::string text;
    bool operator==(const PlacedText&) const = default;
};

using PlacedPage = std::vector<PlacedText>;

// Lays the paragraphs out top to bottom on pages of `width` x `height`
// pixels, `dotsPerInch` of them to an inch, measuring the texts on `canvas`
// (which must draw at the same resolution). A paragraph is one line: tabs
// move to its tab stops (then to the next half inch), centred paragraphs are
// centred in the width; a paragraph that does not fit on a page goes to the
// next. Always at least one page.
std::vector<PlacedPage> LayOutStyledDoc(const StyledDoc& doc, Canvas& canvas, int width, int height,
                                        int dotsPerInch);

// Draws one page's texts on `canvas`, moved by `origin`.
void DrawPlacedPage(const PlacedPage& page, Canvas& canvas, Point origin = {});

// Prints `doc` as one job titled `title`, laid out on the job's pages; false
// when the job could not start, a page was refused or the output not finished.
bool PrintStyledDoc(platform::PrintJobs& jobs, const StyledDoc& doc, const std::string& title);

}  // namespace vor
