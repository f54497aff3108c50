#include "vorplan/common/rtf/styled_document.h"

namespace vor {

void StyledParagraph::Append(std::string_view text, const CharStyle& charStyle)
{
    if (text.empty())
        return;
    if (!runs.empty() && runs.back().style == charStyle)
        runs.back().text += text;
    else
        runs.push_back({std::string(text), charStyle});
}

std::string StyledParagraph::PlainText() const
{
    std::string text;
    for (const TextRun& run : runs)
        text += run.text;
    return text;
}

}  // namespace vor
