#pragma once

#include <string>
#include <vector>

#include "kalendo/text_viewer_rules.h"
#include "vorplan/common/rtf/styled_doc.h"

namespace kalendo {

// A styled document as the viewer's routines see it, without a display: one
// laid-out line per paragraph and per line break. Positions count characters.
// Used by the help-text check and by tests.
class PlainViewerText final : public ViewerText {
public:
    explicit PlainViewerText(const vor::StyledDoc& doc);

    int Length() const override { return static_cast<int>(m_text.size()); }
    std::optional<Match> Find(std::string_view needle, int from, bool caseSensitive) const override;
    int SelectionStart() const override { return m_selectionStart; }
    int SelectionLength() const override { return m_selectionLength; }
    void Select(int start, int length) override;
    void SetCaret(int position) override { Select(position, 0); }
    int VisualLine(int position) const override;
    int ParagraphOf(int position) const override;
    int ParagraphStart(int paragraph) const override;
    std::string ParagraphText(int paragraph) const override;
    bool ExactlyUnderlinedAt(int position) const override;
    void Focus() override {}

private:
    std::u32string m_text;                 // paragraphs joined by "\n"; line breaks are U+2028
    std::u32string m_folded;               // the same, case-folded for the find dialog
    std::vector<bool> m_underlined;        // exactly underlined, per character
    std::vector<int> m_paragraphStarts;
    std::vector<int> m_lineStarts;
    int m_selectionStart = 0;
    int m_selectionLength = 0;
};

}  // namespace kalendo
