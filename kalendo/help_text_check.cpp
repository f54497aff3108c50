#include "kalendo/help_text_check.h"


#include "kalendo/plain_viewer_text.h"
#include "kalendo/text_viewer_rules.h"
#include "vorplan/common/codec.h"
#include "vorplan/common/conversions.h"

namespace kalendo {

namespace {

using vor::IsDigit;

std::string Quote(const std::string& text)
{
    return "\"" + text + "\"";
}

std::string Where(int paragraph)
{
    return "paragraph " + std::to_string(paragraph + 1);
}

bool BeginsWithDigit(const std::string& text)
{
    return !text.empty() && IsDigit(text[0]);
}

// "N - Title" or "N.M - Title": N of one or two digits, not starting with 0, so
// that a sub-heading's point is seen as one; the title does not start blank.
// By hand: std::regex recurses per character and overflows on long lines.
bool HasHeadingForm(const std::string& text)
{
    std::size_t i = 0;
    if (text.empty() || text[0] < '1' || text[0] > '9')
        return false;
    ++i;
    if (i < text.size() && IsDigit(text[i]))
        ++i;
    if (i < text.size() && text[i] == '.') {
        const std::size_t start = ++i;
        while (i < text.size() && IsDigit(text[i]))
            ++i;
        if (i == start)
            return false;
    }
    if (text.compare(i, 3, " - ") != 0)
        return false;
    i += 3;
    return i < text.size() && text[i] != ' ' && text[i] != '\t' && text[i] != '\n';
}

}  // namespace

bool IsExactlyUnderlined(const vor::StyledRun& style)
{
    return style.underline && !style.bold && !style.italic && !style.strike;
}

std::vector<AuthoringFault> CheckHelpText(const vor::StyledDoc& doc)
{
    std::vector<AuthoringFault> faults;
    const auto fault = [&faults](AuthoringRule rule, int paragraph, const std::string& message) {
        faults.push_back({rule, paragraph, message});
    };

    std::vector<std::string> texts;
    for (const vor::StyledParagraph& paragraph : doc.paragraphs)
        texts.push_back(vor::StyledParagraphText(paragraph));
    const int count = static_cast<int>(texts.size());

    std::vector<int> headings;
    for (int p = 0; p < count; ++p) {
        const std::string& text = texts[static_cast<std::size_t>(p)];
        if (!BeginsWithDigit(text))
            continue;
        if (HasHeadingForm(text) && IsHeadingLine(text))
            headings.push_back(p);
        else
            fault(AuthoringRule::HeadingForm, p,
                  "heading form: " + Where(p) + " begins with a digit but is no heading \"N - Title\" or "
                  "\"N.M - Title\": " + Quote(text));
    }
    if (headings.empty())
        return faults;

    PlainViewerText view(doc);
    const int firstHeading = headings.front();
    std::vector<int> entries;
    for (int h : headings) {
        const std::string& title = texts[static_cast<std::size_t>(h)];
        int entry = -1;
        for (int p = 0; p < firstHeading && entry < 0; ++p) {
            const std::string& text = texts[static_cast<std::size_t>(p)];
            if (!text.empty() && text[0] == '\t' && text.find(title) != std::string::npos)
                entry = p;
        }
        entries.push_back(entry);
        if (entry < 0) {
            fault(AuthoringRule::ContentsEntry, h,
                  "contents entry: heading " + Quote(title) + " (" + Where(h) +
                      ") has no entry before the first heading that begins with a TAB and holds its text");
            continue;
        }
        // Every character of the entry's occurrence a plain underlined link,
        // and the link text a click gives the heading's own.
        const auto match = view.Find(title, view.ParagraphStart(entry), true);
        bool linked = match.has_value();
        for (int i = 0; linked && i < match->length; ++i)
            linked = view.ExactlyUnderlinedAt(match->start + i);
        const std::string& entryText = texts[static_cast<std::size_t>(entry)];
        if (linked) {
            const int column = match->start - view.ParagraphStart(entry);
            linked = LinkTextOfLine(entryText, column) == title;
        }
        if (!linked)
            fault(AuthoringRule::ContentsEntry, entry,
                  "contents entry: " + Where(entry) + " holds heading " + Quote(title) +
                      " but not as a plain underlined link whose text is the heading's");
    }

    // The heading list jumps to a heading's second occurrence, a contents link
    // to the next one below its entry: both must be the heading itself.
    for (std::size_t i = 0; i < headings.size(); ++i) {
        const int h = headings[i];
        const int entry = entries[i];
        if (entry < 0)
            continue;
        const std::string& title = texts[static_cast<std::size_t>(h)];
        const auto first = view.Find(title, 0, true);
        if (first && view.ParagraphOf(first->start) != entry) {
            const int p = view.ParagraphOf(first->start);
            fault(AuthoringRule::HeadingOccurrence, p,
                  "heading occurrence: the text of heading " + Quote(title) + " occurs in " + Where(p) +
                      " before its contents entry (" + Where(entry) + ")");
            continue;
        }
        const auto second = view.Find(title, view.ParagraphStart(entry + 1), true);
        if (second && second->start != view.ParagraphStart(h)) {
            const int p = view.ParagraphOf(second->start);
            fault(AuthoringRule::HeadingOccurrence, p,
                  "heading occurrence: the text of heading " + Quote(title) + " occurs in " + Where(p) +
                      " between its contents entry (" + Where(entry) + ") and its section (" + Where(h) + ")");
        }
    }
    return faults;
}

}  // namespace kalendo
