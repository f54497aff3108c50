#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "vorplan/common/drawing_geometry.h"

namespace vor {

// A small formatted document: paragraphs with alignment, first-line indent
// and tab stops, made of runs with size, bold, underline and colour. One model
// that the screen, the printer and the RTF file all show alike. Texts are
// UTF-8; a "\t" in a run moves to the paragraph's next tab stop.

enum class ParagraphAlign { Left, Centre, Right };

struct StyledRun {
    std::string text;
    int size = 10;  // points
    bool bold = false;
    bool underline = false;
    WinColor colour = kBlack;
    bool operator==(const StyledRun&) const = default;
};

struct StyledParagraph {
    ParagraphAlign align = ParagraphAlign::Left;
    int firstIndent = 0;        // points
    std::vector<int> tabStops;  // points from the left margin, ascending
    std::vector<StyledRun> runs;
    bool operator==(const StyledParagraph&) const = default;
};

// Shown in Arial, as the RTF writer's one font.
struct StyledDoc {
    std::vector<StyledParagraph> paragraphs;
    bool operator==(const StyledDoc&) const = default;
};

// The document as an RTF file's bytes (Windows-1252 escapes, a colour table
// of the colours used, one \pard per paragraph); `title` goes into its
// information block when not empty.
std::string StyledDocToRtf(const StyledDoc& doc, std::string_view title = {});

// The document's text: runs joined, one line per paragraph ("\n" after each).
std::string StyledDocPlainText(const StyledDoc& doc);

}  // namespace vor
