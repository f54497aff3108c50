#include "vorplan/common/rtf/rtf_writer.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "vorplan/common/codec.h"

namespace vor {

namespace {

constexpr int kTwipsPerPixel = 15;  // 1440 twips per inch at 96 pixels per inch

void AppendHex(std::string& out, unsigned char byte)
{
    static const char digits[] = "0123456789abcdef";
    out += digits[byte >> 4];
    out += digits[byte & 15];
}

}  // namespace

std::string RtfText(std::string_view text)
{
    std::string out;
    for (char32_t c : Utf8ToCodePoints(text)) {
        if (c == U'\\' || c == U'{' || c == U'}') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == U'\n') {
            out += "\\line ";
        } else if (c >= 0x20 && c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            continue;  // other control characters have no place in the text
        } else {
            const std::string one = CodePointsToUtf8(std::u32string(1, c));
            const std::string cp = Utf8ToCp1252(one);
            if (cp.size() == 1 && Cp1252ToUtf8(cp) == one) {
                out += "\\'";
                AppendHex(out, static_cast<unsigned char>(cp[0]));
            } else {
                // RTF's \u takes a signed 16-bit value: characters beyond it go as a surrogate pair.
                const auto unicode = [&out](long value) {
                    out += "\\u" + std::to_string(value > 32767 ? value - 65536 : value) + "?";
                };
                if (c <= 0xFFFF) {
                    unicode(static_cast<long>(c));
                } else {
                    unicode(0xD800 + static_cast<long>((c - 0x10000) >> 10));
                    unicode(0xDC00 + static_cast<long>((c - 0x10000) & 0x3FF));
                }
            }
        }
    }
    return out;
}

RtfWriter::RtfWriter(std::string_view title) : m_title(title) {}

void RtfWriter::FontSize(int points)
{
    m_body += "\\fs" + std::to_string(points * 2) + " ";
}

void RtfWriter::Shadow(bool on)
{
    m_body += on ? "\\shad " : "\\shad0 ";
}

void RtfWriter::Text(std::string_view text)
{
    m_body += RtfText(text);
}

void RtfWriter::Paragraph()
{
    m_body += "\\par\n";
}

void RtfWriter::PngPicture(std::string_view png, int width, int height)
{
    m_body += "{\\pict\\pngblip\\picw" + std::to_string(width) + "\\pich" + std::to_string(height) +
              "\\picwgoal" + std::to_string(width * kTwipsPerPixel) + "\\pichgoal" +
              std::to_string(height * kTwipsPerPixel) + "\n";
    std::size_t column = 0;
    for (char byte : png) {
        AppendHex(m_body, static_cast<unsigned char>(byte));
        if (++column == 64) {
            m_body += '\n';
            column = 0;
        }
    }
    m_body += "}";
}

std::string RtfWriter::Document() const
{
    std::string doc = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\n";
    if (!m_title.empty())
        doc += "{\\info{\\title " + RtfText(m_title) + "}}\n";
    doc += "\\pard\\plain\\f0 " + m_body + "}\n";
    return doc;
}

namespace {

std::string Number(int value)
{
    return std::to_string(value);
}

std::string FontEntryName(std::string_view name)
{
    std::string clean(name);
    std::erase(clean, ';');  // the entry's end mark
    return RtfText(clean);
}

class StyledRtf {
public:
    explicit StyledRtf(const StyledDocument& doc)
    {
        m_fonts.push_back(doc.defaultFont);
        for (const StyledParagraph& paragraph : doc.paragraphs) {
            for (const TextRun& run : paragraph.runs) {
                if (!run.style.font.empty() && IndexOf(m_fonts, run.style.font) < 0)
                    m_fonts.push_back(run.style.font);
                if (run.style.colour && IndexOf(m_colours, *run.style.colour) < 0)
                    m_colours.push_back(*run.style.colour);
            }
        }
    }

    std::string Header(std::string_view title) const
    {
        std::string out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl";
        for (std::size_t i = 0; i < m_fonts.size(); ++i)
            out += "{\\f" + std::to_string(i) + "\\fnil " + FontEntryName(m_fonts[i]) + ";}";
        out += "}\n";
        if (!m_colours.empty()) {
            out += "{\\colortbl;";
            for (const RtfColour& c : m_colours)
                out += "\\red" + Number(c.red) + "\\green" + Number(c.green) + "\\blue" + Number(c.blue) + ";";
            out += "}\n";
        }
        if (!title.empty())
            out += "{\\info{\\title " + RtfText(title) + "}}\n";
        return out;
    }

    std::string Paragraph(const StyledParagraph& paragraph) const
    {
        const ParagraphStyle& p = paragraph.style;
        std::string out = "\\pard";
        switch (p.alignment) {
        case ParagraphAlignment::Left:
            break;
        case ParagraphAlignment::Centre:
            out += "\\qc";
            break;
        case ParagraphAlignment::Right:
            out += "\\qr";
            break;
        case ParagraphAlignment::Justified:
            out += "\\qj";
            break;
        }
        const std::pair<const char*, int> lengths[] = {{"li", p.leftIndent}, {"ri", p.rightIndent},
                                                       {"fi", p.firstIndent}, {"sb", p.spaceBefore},
                                                       {"sa", p.spaceAfter}};
        for (const auto& [word, value] : lengths) {
            if (value != 0)
                out += std::string("\\") + word + Number(value);
        }
        for (int stop : p.tabStops)
            out += "\\tx" + Number(stop);
        for (const TextRun& run : paragraph.runs)
            out += Run(run);
        return out;
    }

private:
    template <typename T>
    static int IndexOf(const std::vector<T>& list, const T& value)
    {
        const auto found = std::find(list.begin(), list.end(), value);
        return found == list.end() ? -1 : static_cast<int>(found - list.begin());
    }

    std::string Run(const TextRun& run) const
    {
        const CharStyle& s = run.style;
        std::string out = "\\plain";
        if (!s.font.empty())
            out += "\\f" + Number(IndexOf(m_fonts, s.font));
        out += "\\fs" + Number(s.halfPoints);
        if (s.bold)
            out += "\\b";
        if (s.italic)
            out += "\\i";
        if (s.underline)
            out += "\\ul";
        if (s.strike)
            out += "\\strike";
        if (s.colour)
            out += "\\cf" + Number(IndexOf(m_colours, *s.colour) + 1);
        out += ' ';
        // RtfText turns line ends into \line but leaves tabs out.
        std::size_t begin = 0;
        while (true) {
            const std::size_t tab = run.text.find('\t', begin);
            out += RtfText(std::string_view(run.text).substr(begin, tab == std::string::npos ? tab : tab - begin));
            if (tab == std::string::npos)
                break;
            out += "\\tab ";
            begin = tab + 1;
        }
        return out;
    }

    std::vector<std::string> m_fonts;
    std::vector<RtfColour> m_colours;
};

}  // namespace

std::string WriteRtf(const StyledDocument& doc, std::string_view title)
{
    const StyledRtf rtf(doc);
    std::string out = rtf.Header(title);
    for (std::size_t i = 0; i < doc.paragraphs.size(); ++i) {
        if (i > 0)
            out += "\\par\n";
        out += rtf.Paragraph(doc.paragraphs[i]);
    }
    out += "}\n";
    return out;
}

}  // namespace vor
