#include "vorplan/common/rtf/styled_doc.h"

#include "vorplan/common/rtf/rtf_writer.h"

namespace vor {

bool StyledRun::SameStyle(const StyledRun& other) const
{
    return size == other.size && bold == other.bold && underline == other.underline &&
           colour == other.colour && italic == other.italic && strike == other.strike &&
           font == other.font;
}

void StyledParagraph::Append(const StyledRun& run)
{
    if (run.text.empty())
        return;
    if (!runs.empty() && runs.back().SameStyle(run))
        runs.back().text += run.text;
    else
        runs.push_back(run);
}

std::string StyledParagraphText(const StyledParagraph& paragraph)
{
    std::string text;
    for (const StyledRun& run : paragraph.runs)
        text += run.text;
    return text;
}

std::string StyledDocToRtf(const StyledDoc& doc, std::string_view title)
{
    RtfWriter rtf(title);
    // Italic, strike-out and font are written where they change, so documents
    // without them come out as they always did.
    bool italic = false;
    bool strike = false;
    std::string font;
    for (const StyledParagraph& p : doc.paragraphs) {
        rtf.ParagraphFormat(p.align, p.firstIndent, p.tabStops,
                            {p.leftIndent, p.rightIndent, p.spaceBefore, p.spaceAfter});
        for (const StyledRun& run : p.runs) {
            if (run.font != font)
                rtf.Font(font = run.font);
            rtf.FontSize(run.size);
            rtf.Bold(run.bold);
            if (run.italic != italic)
                rtf.Italic(italic = run.italic);
            rtf.Underline(run.underline);
            if (run.strike != strike)
                rtf.Strike(strike = run.strike);
            rtf.Colour(run.colour);
            std::string_view text = run.text;
            for (std::size_t tab = text.find('\t'); tab != std::string_view::npos;
                 tab = text.find('\t')) {
                rtf.Text(text.substr(0, tab));
                rtf.Tab();
                text.remove_prefix(tab + 1);
            }
            rtf.Text(text);
        }
        rtf.Paragraph();
    }
    return rtf.Document();
}

std::string StyledDocPlainText(const StyledDoc& doc)
{
    std::string text;
    for (const StyledParagraph& p : doc.paragraphs)
        text += StyledParagraphText(p) + '\n';
    return text;
}

}  // namespace vor
