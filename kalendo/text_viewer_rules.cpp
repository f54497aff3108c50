#include "kalendo/text_viewer_rules.h"

#include "vorplan/common/codec.h"
#include "vorplan/common/real_helpers.h"

namespace kalendo {

namespace {

// 1-based position of the first `c`, 0 when there is none.
std::size_t FirstPosition(const std::u32string& text, char32_t c)
{
    const std::size_t found = text.find(c);
    return found == std::u32string::npos ? 0 : found + 1;
}

int Trunc(double x)
{
    return static_cast<int>(x);
}

}  // namespace

bool IsHeadingLine(std::string_view line)
{
    const std::u32string text = vor::Utf8ToCodePoints(line);
    return !text.empty() && text[0] >= U'1' && text[0] <= U'9' && FirstPosition(text, U'-') >= 3;
}

bool IsSubHeading(std::string_view line)
{
    if (!IsHeadingLine(line))
        return false;
    const std::size_t point = FirstPosition(vor::Utf8ToCodePoints(line), U'.');
    return point == 2 || point == 3;
}

std::vector<std::string> BuildHeadingList(const std::vector<std::string>& paragraphs)
{
    std::vector<std::string> headings;
    for (const std::string& paragraph : paragraphs) {
        if (IsHeadingLine(paragraph))
            headings.push_back(paragraph);
    }
    return headings;
}

std::string LinkTextOfLine(std::string_view line, int column)
{
    std::u32string text = vor::Utf8ToCodePoints(line);
    const std::size_t from = column < 0 ? 0 : static_cast<std::size_t>(column);
    if (from < text.size()) {
        const std::size_t tab = text.find(U'\t', from);
        if (tab != std::u32string::npos)
            text.resize(tab + 1);
    }
    while (text.size() >= 2 && text.front() == U'\t')
        text.erase(0, 1);
    while (text.size() >= 2 && (text.back() == U'\t' || text.back() == U' '))
        text.pop_back();
    if (text == U" ")
        text.clear();
    return vor::CodePointsToUtf8(text);
}

bool FindAndSelect(ViewerText& text, std::string_view needle, bool fromStart)
{
    if (needle.empty())
        return false;
    const auto match = text.Find(needle, fromStart ? 0 : text.SelectionStart(), true);
    if (!match)
        return false;
    text.Focus();
    text.Select(match->start, match->length);
    return true;
}

void MoveCaretDownLines(ViewerText& text, int lines)
{
    const int startLine = text.VisualLine(text.SelectionStart());
    for (int position = text.SelectionStart() + 5; position < text.Length(); position += 3) {
        text.SetCaret(position);
        if (text.VisualLine(text.SelectionStart()) >= startLine + lines)
            break;
    }
}

void JumpToHeading(ViewerText& text, std::string_view heading)
{
    FindAndSelect(text, heading, true);
    MoveCaretDownLines(text, 1);
    FindAndSelect(text, heading, false);
    MoveCaretDownLines(text, 5);
}

CaretPlace CaretLineAndColumn(const ViewerText& text)
{
    const int caret = text.SelectionStart();
    const int line = text.ParagraphOf(caret);
    return {line, caret - text.ParagraphStart(line)};
}

bool FollowUnderlinedLink(ViewerText& text)
{
    const CaretPlace place = CaretLineAndColumn(text);
    const std::string line = text.ParagraphText(place.line);
    const std::string link = LinkTextOfLine(line, place.column);
    // The character under the click; at the paragraph's end the one before it.
    int position = text.SelectionStart();
    if (place.column >= static_cast<int>(vor::Utf8ToCodePoints(line).size()) && place.column > 0)
        --position;
    if (link.empty() || !text.ExactlyUnderlinedAt(position))
        return false;
    // The next occurrence further down: below the clicked line, so that a click
    // just before the link's first letter does not find the link itself.
    const int lineEnd = text.ParagraphStart(place.line) + static_cast<int>(vor::Utf8ToCodePoints(line).size());
    if (const auto match = text.Find(link, lineEnd, true)) {
        text.Focus();
        text.Select(match->start, match->length);
    }
    MoveCaretDownLines(text, 4);
    return true;
}

bool FindNext(ViewerText& text, std::string_view needle)
{
    if (needle.empty())
        return false;
    const int from = text.SelectionLength() > 0 ? text.SelectionStart() + text.SelectionLength() : 0;
    const auto match = text.Find(needle, from, false);
    if (!match)
        return false;
    text.Focus();
    text.Select(match->start, match->length);
    return true;
}

std::string NotFoundLine(std::string_view fileText, std::string_view name, std::string_view notFoundText)
{
    return std::string(fileText) + " [" + std::string(name) + "] " + std::string(notFoundText);
}

Box PlaceViewerWindow(Size screen, Size window)
{
    return {Trunc(screen.width / 2.0 - window.width / 2.0),
            Trunc((screen.height / 2.0 - window.height / 2.0) * 0.9), window.width, window.height};
}

ViewerGeometry LayoutViewerPage(Size screen, Box window, Size frame, bool viewerPage)
{
    ViewerGeometry g;
    g.window = window;
    if (g.window.height < kViewerMinHeight)
        g.window.height = kViewerMinHeight;
    if (viewerPage) {
        g.window.width = screen.width;
        g.window.left = 0;
        const int highest = static_cast<int>(vor::Round(screen.height * 0.8));
        if (highest < g.window.height)
            g.window.height = highest;
    }
    // The page control fills the window inside its frame.
    const int pageWidth = g.window.width - frame.width;
    const int pageHeight = g.window.height - frame.height;
    g.list = {0, 0, kHeadingListWidth, pageHeight - 12};
    g.text = {g.list.left + g.list.width + 3, 0, pageWidth - g.list.width - 12,
              pageHeight - kViewerOkButton.height - 14};
    g.okButton = {pageWidth - kViewerOkButton.width - 12, pageHeight - kViewerOkButton.height - 10,
                  kViewerOkButton.width, kViewerOkButton.height};
    g.buttonPanel = {g.text.left, pageHeight - kViewerButtonPanel.height - 7, kViewerButtonPanel.width,
                     kViewerButtonPanel.height};
    return g;
}

}  // namespace kalendo
