#pragma once

#include <cstddef>
#include <string_view>

#include "vorplan/common/rtf/styled_doc.h"

namespace vor {

// Past these the rest of an RTF text is ignored.
inline constexpr std::size_t kRtfMaxInputBytes = 16u * 1024u * 1024u;
inline constexpr int kRtfMaxGroupDepth = 200;

// Reads an RTF text into a styled document: paragraphs, line breaks, tabs,
// alignment, indents, spacing, tab stops, bold, italic, underline, strike-out,
// size, colour and font, Windows-1252 and \u characters. Destinations it does
// not show (information, style sheet, pictures, objects, headers, footers,
// field instructions, any \*) are skipped; unknown control words are ignored.
// Lengths become points, sizes whole points, the default text colour black,
// the default font and Arial the empty font name; an empty paragraph after the
// last \par is none. Never fails. A text that does not start with "{\rtf" is
// taken as plain text, one paragraph per line.
StyledDoc ReadRtf(std::string_view bytes);

}  // namespace vor
