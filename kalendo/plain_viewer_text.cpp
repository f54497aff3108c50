#include "kalendo/plain_viewer_text.h"

#include <algorithm>

#include "kalendo/help_text_check.h"
#include "vorplan/common/codec.h"

namespace kalendo {

namespace {

constexpr char32_t kLineSeparator = 0x2028;

// Case folding for the find dialog: ASCII and the Latin-1 letters our texts use.
char32_t Fold(char32_t c)
{
    if ((c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return c + 0x20;
    return c;
}

int IndexAtOrBefore(const std::vector<int>& starts, int position)
{
    const auto after = std::upper_bound(starts.begin(), starts.end(), position);
    return static_cast<int>(after - starts.begin()) - 1;
}

}  // namespace

PlainViewerText::PlainViewerText(const vor::StyledDoc& doc)
{
    m_lineStarts.push_back(0);
    for (std::size_t p = 0; p < doc.paragraphs.size(); ++p) {
        if (p > 0) {
            m_text += U'\n';
            m_underlined.push_back(false);
            m_lineStarts.push_back(static_cast<int>(m_text.size()));
        }
        m_paragraphStarts.push_back(static_cast<int>(m_text.size()));
        for (const vor::StyledRun& run : doc.paragraphs[p].runs) {
            const bool underlined = IsExactlyUnderlined(run);
            for (char32_t c : vor::Utf8ToCodePoints(run.text)) {
                if (c == U'\n') {
                    c = kLineSeparator;
                    m_lineStarts.push_back(static_cast<int>(m_text.size()) + 1);
                }
                m_text += c;
                m_underlined.push_back(underlined);
            }
        }
    }
    if (m_paragraphStarts.empty())
        m_paragraphStarts.push_back(0);
    m_folded = m_text;
    std::transform(m_folded.begin(), m_folded.end(), m_folded.begin(), Fold);
}

std::optional<ViewerText::Match> PlainViewerText::Find(std::string_view needle, int from,
                                                       bool caseSensitive) const
{
    std::u32string wanted = vor::Utf8ToCodePoints(needle);
    if (wanted.empty() || from < 0 || from > Length())
        return std::nullopt;
    std::size_t found;
    if (caseSensitive) {
        found = m_text.find(wanted, static_cast<std::size_t>(from));
    } else {
        std::transform(wanted.begin(), wanted.end(), wanted.begin(), Fold);
        found = m_folded.find(wanted, static_cast<std::size_t>(from));
    }
    if (found == std::u32string::npos)
        return std::nullopt;
    return Match{static_cast<int>(found), static_cast<int>(wanted.size())};
}

void PlainViewerText::Select(int start, int length)
{
    m_selectionStart = std::clamp(start, 0, Length());
    m_selectionLength = std::clamp(length, 0, Length() - m_selectionStart);
}

int PlainViewerText::VisualLine(int position) const
{
    return std::max(0, IndexAtOrBefore(m_lineStarts, position));
}

int PlainViewerText::ParagraphOf(int position) const
{
    return std::max(0, IndexAtOrBefore(m_paragraphStarts, position));
}

int PlainViewerText::ParagraphStart(int paragraph) const
{
    if (paragraph < 0 || paragraph >= static_cast<int>(m_paragraphStarts.size()))
        return Length();
    return m_paragraphStarts[static_cast<std::size_t>(paragraph)];
}

std::string PlainViewerText::ParagraphText(int paragraph) const
{
    if (paragraph < 0 || paragraph >= static_cast<int>(m_paragraphStarts.size()))
        return {};
    const std::size_t start = static_cast<std::size_t>(m_paragraphStarts[static_cast<std::size_t>(paragraph)]);
    std::size_t end = m_text.find(U'\n', start);
    if (end == std::u32string::npos)
        end = m_text.size();
    std::u32string text = m_text.substr(start, end - start);
    std::replace(text.begin(), text.end(), kLineSeparator, U'\n');
    return vor::CodePointsToUtf8(text);
}

bool PlainViewerText::ExactlyUnderlinedAt(int position) const
{
    return position >= 0 && position < Length() && m_underlined[static_cast<std::size_t>(position)];
}

}  // namespace kalendo
