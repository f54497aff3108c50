#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "vorplan/common/drawing_geometry.h"
#include "vorplan/common/rtf/styled_doc.h"


namespace vor {

// Indents and spacing of a paragraph, in points.
struct RtfSpacing {
    int leftIndent = 0;
    int rightIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
};

// Writes an RTF document a word processor opens: Windows-1252 text with RTF
// escapes, font sizes, shadow, bold, underline, colours, paragraph formats
// with tab stops, and PNG pictures. Texts are UTF-8.
class RtfWriter {
public:
    // `title` goes into the document's information block.
    explicit RtfWriter(std::string_view title = {});

    void FontSize(int points);  // \fs in half points
    void Shadow(bool on);       // \shad, \shad0
    void Bold(bool on);         // \b, \b0
    void Underline(bool on);    // \ul, \ulnone
    // Text colour (\cfN); the colour joins the document's colour table.
    void Colour(WinColor colour);
    void Text(std::string_view text);
    void Tab();                 // \tab
    void Paragraph();           // \par
    void Italic(bool on);       // \i, \i0
    void Strike(bool on);       // \strike, \strike0
    // The font by name (\fN); the name joins the font table, empty is Arial.
    void Font(const std::string& name);
    // Starts a new paragraph format (\pard): alignment, first-line indent
    // and tab stops in points, and the other indents.
    void ParagraphFormat(ParagraphAlign align, int firstIndent, const std::vector<int>& tabStops,
                         const RtfSpacing& spacing = {});
    // A PNG picture shown at `width` x `height` pixels (96 per inch).
    void PngPicture(std::string_view png, int width, int height);

    // The whole document, groups closed.
    std::string Document() const;

private:
    std::string m_title;
    std::string m_body;
    std::vector<WinColor> m_colours;  // \cf1 is the first
    std::vector<std::string> m_fonts;  // \f1 is the first; \f0 is Arial
};

// `text` (UTF-8) as RTF text: "\", "{" and "}" escaped, Windows-1252 bytes
// above 127 as \'hh, characters Windows-1252 lacks as \uN?.
std::string RtfText(std::string_view text);

}  // namespace vor
