#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "kalendo/startup_rules.h"

namespace kalendo {

// True for a heading of a help text: the first character is one of
// "123456789" and the first "-" stands at position 3 or later ("1 - Title").
bool IsHeadingLine(std::string_view line);

// True for a heading whose first "." stands at position 2 or 3 ("1.2 - x",
// "12.3 - x"): drawn in the normal font in the heading list.
bool IsSubHeading(std::string_view line);

// The headings among the paragraphs, in text order, as they stand.
std::vector<std::string> BuildHeadingList(const std::vector<std::string>& paragraphs);

// The text of an underlined link clicked at `column` (characters from the
// line's start): the line is cut after the first TAB at or after the column,
// then leading TABs and trailing TABs and blanks go while two characters are
// left, and a lone blank goes too.
std::string LinkTextOfLine(std::string_view line, int column);

// The text the viewer shows. Positions count from 0 to Length(); the caret is
// the selection's start, as in the rich-text control the viewer is built on.
class ViewerText {
public:
    struct Match {
        int start = 0;
        int length = 0;
    };

    virtual ~ViewerText() = default;
    virtual int Length() const = 0;
    // The first match of `needle` at or after `from`.
    virtual std::optional<Match> Find(std::string_view needle, int from, bool caseSensitive) const = 0;
    virtual int SelectionStart() const = 0;
    virtual int SelectionLength() const = 0;
    virtual void Select(int start, int length) = 0;
    virtual void SetCaret(int position) = 0;
    // The laid-out line a position stands on.
    virtual int VisualLine(int position) const = 0;
    virtual int ParagraphOf(int position) const = 0;
    virtual int ParagraphStart(int paragraph) const = 0;
    virtual std::string ParagraphText(int paragraph) const = 0;
    // True when the character at `position` is underlined, and neither bold,
    // italic nor struck out.
    virtual bool ExactlyUnderlinedAt(int position) const = 0;
    virtual void Focus() = 0;
};

// Case-sensitive search from the start or from the caret; a match gets the
// focus and is selected. False when there is none (nothing changes).
bool FindAndSelect(ViewerText& text, std::string_view needle, bool fromStart);

// Walks the caret down from the caret + 5 in steps of 3 until it stands
// `lines` laid-out lines below where it was, or the text ends.
void MoveCaretDownLines(ViewerText& text, int lines);

// A click on a heading: to its second occurrence (the first is the contents
// entry), left five lines below it.
void JumpToHeading(ViewerText& text, std::string_view heading);

struct CaretPlace {
    int line = 0;    // paragraph
    int column = 0;  // caret - the paragraph's start
};
CaretPlace CaretLineAndColumn(const ViewerText& text);

// A click in the text, after the caret moved there: on exactly underlined
// text, to the next occurrence of the link text below the clicked line. True
// when the click was on a link.
bool FollowUnderlinedLink(ViewerText& text);

// The find dialog's search: after the selection when there is one, else from
// the top; not case-sensitive. False when nothing was found.
bool FindNext(ViewerText& text, std::string_view needle);

// The text shown in place of a missing file: file + " [" + name + "] " + not found.
std::string NotFoundLine(std::string_view fileText, std::string_view name, std::string_view notFoundText);

// Window and control positions of the text viewer page, in pixels.
inline constexpr Size kViewerDesignWindow{712, 430};
inline constexpr int kViewerMinHeight = 180;
inline constexpr int kHeadingListWidth = 230;
inline constexpr Size kViewerOkButton{75, 30};
inline constexpr Size kViewerButtonPanel{160, 36};

// The window before the text is loaded: centred, a little above the middle.
Box PlaceViewerWindow(Size screen, Size window);

struct ViewerGeometry {
    Box window;
    Box list;
    Box text;
    Box okButton;
    Box buttonPanel;
};

// The window with its frame (at least 180 high; on the viewer page as wide as
// the screen, at its left edge, and at most 80% of its height) and the page's
// controls; `frame` is what the frame adds to the page's size.
ViewerGeometry LayoutViewerPage(Size screen, Box window, Size frame, bool viewerPage);

}  // namespace kalendo
