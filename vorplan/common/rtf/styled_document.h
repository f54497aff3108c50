#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vor {

// A rich text as the RTF reader reads it and the RTF writer writes it:
// paragraphs of runs of equally styled text. Lengths are twips.
struct RtfColour {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const RtfColour&) const = default;
};

struct CharStyle {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int halfPoints = 24;               // RTF's default 12 pt
    std::optional<RtfColour> colour;   // none: the reader's default text colour
    std::string font;                  // empty: the document's default font
    bool operator==(const CharStyle&) const = default;
};

enum class ParagraphAlignment { Left, Centre, Right, Justified };

struct ParagraphStyle {
    ParagraphAlignment alignment = ParagraphAlignment::Left;
    int leftIndent = 0;
    int rightIndent = 0;
    int firstIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
    std::vector<int> tabStops;
    bool operator==(const ParagraphStyle&) const = default;
};

// Text is UTF-8; "\t" is a tab, "\n" a line break inside the paragraph.
struct TextRun {
    std::string text;
    CharStyle style;
    bool operator==(const TextRun&) const = default;
};

struct StyledParagraph {
    ParagraphStyle style;
    std::vector<TextRun> runs;
    bool operator==(const StyledParagraph&) const = default;

    // Appends text, joining it to the last run when the style is the same.
    void Append(std::string_view text, const CharStyle& charStyle);
    // The paragraph's text without styles.
    std::string PlainText() const;
};

struct StyledDocument {
    std::string defaultFont;  // the font table's default font; may be empty
    std::vector<StyledParagraph> paragraphs;
    bool operator==(const StyledDocument&) const = default;
};

}  // namespace vor
