#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "vorplan/common/drawing_geometry.h"

namespace vor {

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
    // Starts a new paragraph format (\pard): alignment 'l', 'c' or 'r',
    // first-line indent and tab stops in points.
    void ParagraphFormat(char align, int firstIndent, const std::vector<int>& tabStops);
    // A PNG picture shown at `width` x `height` pixels (96 per inch).
    void PngPicture(std::string_view png, int width, int height);

    // The whole document, groups closed.
    std::string Document() const;

private:
    std::string m_title;
    std::string m_body;
    std::vector<WinColor> m_colours;  // \cf1 is the first
};

// `text` (UTF-8) as RTF text: "\", "{" and "}" escaped, Windows-1252 bytes
// above 127 as \'hh, characters Windows-1252 lacks as \uN?.
std::string RtfText(std::string_view text);

}  // namespace vor
