#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "vorplan/common/drawing_geometry.h"

namespace vor {

// A small formatted document: paragraphs with alignment, indents, spacing
// and tab stops, made of runs with size, bold, italic, underline, strike-out,
// colour and font. One model that the screen, the printer and the RTF file
// all show alike, and that the RTF reader reads into. Texts are UTF-8; a "\t"
// in a run moves to the paragraph's next tab stop, a "\n" breaks the line
// inside the paragraph.

enum class ParagraphAlign { Left, Centre, Right, Justified };

struct StyledRun {
    std::string text;
    int size = 10;  // points
    bool bold = false;
    bool underline = false;
    WinColor colour = kBlack;
    bool italic = false;
    bool strike = false;
    std::string font;  // empty: Arial, the document's font
    bool operator==(const StyledRun&) const = default;
    // The same look, whatever the text.
    bool SameStyle(const StyledRun& other) const;
};

struct StyledParagraph {
    ParagraphAlign align = ParagraphAlign::Left;
    int firstIndent = 0;        // points
    std::vector<int> tabStops;  // points from the left margin, ascending
    std::vector<StyledRun> runs;
    int leftIndent = 0;   // points
    int rightIndent = 0;  // points
    int spaceBefore = 0;  // points
    int spaceAfter = 0;   // points
    bool operator==(const StyledParagraph&) const = default;

    // Adds text in the run's style, joined to the last run when it looks the same.
    void Append(const StyledRun& run);
};

struct StyledDoc {
    std::vector<StyledParagraph> paragraphs;
    bool operator==(const StyledDoc&) const = default;
};

// The paragraph's text without styles.
std::string StyledParagraphText(const StyledParagraph& paragraph);

// The document as an RTF file's bytes (Windows-1252 escapes, a colour table
// of the colours used, one \pard per paragraph); `title` goes into its
// information block when not empty.
std::string StyledDocToRtf(const StyledDoc& doc, std::string_view title = {});

// The document's text: runs joined, one line per paragraph ("\n" after each).
std::string StyledDocPlainText(const StyledDoc& doc);

}  // namespace vor
