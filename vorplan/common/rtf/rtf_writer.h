#pragma once

#include <string>
#include <string_view>

#include "vorplan/common/rtf/styled_document.h"

namespace vor {

// Writes an RTF document a word processor opens: Windows-1252 text with RTF
// escapes, font sizes, shadow, paragraphs and PNG pictures. Texts are UTF-8.
class RtfWriter {
public:
    // `title` goes into the document's information block.
    explicit RtfWriter(std::string_view title = {});

    void FontSize(int points);  // \fs in half points
    void Shadow(bool on);       // \shad, \shad0
    void Text(std::string_view text);
    void Paragraph();           // \par
    // A PNG picture shown at `width` x `height` pixels (96 per inch).
    void PngPicture(std::string_view png, int width, int height);

    // The whole document, groups closed.
    std::string Document() const;

private:
    std::string m_title;
    std::string m_body;
};

// `text` (UTF-8) as RTF text: "\", "{" and "}" escaped, Windows-1252 bytes
// above 127 as \'hh, characters Windows-1252 lacks as \uN?.
std::string RtfText(std::string_view text);

// A styled document as RTF that ReadRtf reads back unchanged, with `title` in
// its information block.
std::string WriteRtf(const StyledDocument& doc, std::string_view title = {});

}  // namespace vor
