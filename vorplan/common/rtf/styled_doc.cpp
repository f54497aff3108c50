#include "vorplan/common/rtf/styled_doc.h"

#include "vorplan/common/rtf/rtf_writer.h"

namespace vor {

namespace {

char AlignLetter(ParagraphAlign align)
{
    switch (align) {
    case ParagraphAlign::Centre:
        return 'c';
    case ParagraphAlign::Right:
        return 'r';
    case ParagraphAlign::Left:
        break;
    }
    return 'l';
}

}  // namespace

std::string StyledDocToRtf(const StyledDoc& doc, std::string_view title)
{
    RtfWriter rtf(title);
    for (const StyledParagraph& p : doc.paragraphs) {
        rtf.ParagraphFormat(AlignLetter(p.align), p.firstIndent, p.tabStops);
        for (const StyledRun& run : p.runs) {
            rtf.FontSize(run.size);
            rtf.Bold(run.bold);
            rtf.Underline(run.underline);
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
    for (const StyledParagraph& p : doc.paragraphs) {
        for (const StyledRun& run : p.runs)
            text += run.text;
        text += '\n';
    }
    return text;
}

}  // namespace vor
