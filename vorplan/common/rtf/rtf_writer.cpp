#include "vorplan/common/rtf/rtf_writer.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "vorplan/common/codec.h"

namespace vor {

namespace {

constexpr int kTwipsPerPixel = 15;  // 1440 twips per inch at 96 pixels per inch
constexpr int kTwipsPerPoint = 20;

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

void RtfWriter::Bold(bool on)
{
    m_body += on ? "\\b " : "\\b0 ";
}

void RtfWriter::Italic(bool on)
{
    m_body += on ? "\\i " : "\\i0 ";
}

void RtfWriter::Strike(bool on)
{
    m_body += on ? "\\strike " : "\\strike0 ";
}

void RtfWriter::Font(const std::string& name)
{
    std::string clean = name;
    std::erase(clean, ';');  // the font table entry's end mark
    std::size_t number = 0;
    if (!clean.empty()) {
        auto at = std::find(m_fonts.begin(), m_fonts.end(), clean);
        if (at == m_fonts.end())
            at = m_fonts.insert(m_fonts.end(), clean);
        number = static_cast<std::size_t>(at - m_fonts.begin()) + 1;
    }
    m_body += "\\f" + std::to_string(number) + " ";
}

void RtfWriter::Underline(bool on)
{
    m_body += on ? "\\ul " : "\\ulnone ";
}

void RtfWriter::Colour(WinColor colour)
{
    auto at = std::find(m_colours.begin(), m_colours.end(), colour);
    if (at == m_colours.end())
        at = m_colours.insert(m_colours.end(), colour);
    m_body += "\\cf" + std::to_string(at - m_colours.begin() + 1) + " ";
}

void RtfWriter::Tab()
{
    m_body += "\\tab ";
}

void RtfWriter::ParagraphFormat(ParagraphAlign align, int firstIndent,
                                const std::vector<int>& tabStops, const RtfSpacing& spacing)
{
    m_body += "\\pard";
    switch (align) {
    case ParagraphAlign::Centre:
        m_body += "\\qc";
        break;
    case ParagraphAlign::Right:
        m_body += "\\qr";
        break;
    case ParagraphAlign::Justified:
        m_body += "\\qj";
        break;
    case ParagraphAlign::Left:
        m_body += "\\ql";
        break;
    }
    const std::pair<const char*, int> lengths[] = {{"\\li", spacing.leftIndent},
                                                   {"\\ri", spacing.rightIndent},
                                                   {"\\fi", firstIndent},
                                                   {"\\sb", spacing.spaceBefore},
                                                   {"\\sa", spacing.spaceAfter}};
    for (const auto& [word, points] : lengths) {
        if (points != 0)
            m_body += word + std::to_string(points * kTwipsPerPoint);
    }
    for (int stop : tabStops)
        m_body += "\\tx" + std::to_string(stop * kTwipsPerPoint);
    m_body += " ";
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
    std::string doc = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}";
    for (std::size_t i = 0; i < m_fonts.size(); ++i)
        doc += "{\\f" + std::to_string(i + 1) + "\\fnil " + RtfText(m_fonts[i]) + ";}";
    doc += "}\n";
    if (!m_colours.empty()) {
        // Entry 0 is the reader's default colour.
        doc += "{\\colortbl;";
        for (WinColor c : m_colours)
            doc += "\\red" + std::to_string(RedOf(c)) + "\\green" + std::to_string(GreenOf(c)) +
                   "\\blue" + std::to_string(BlueOf(c)) + ";";
        doc += "}\n";
    }
    if (!m_title.empty())
        doc += "{\\info{\\title " + RtfText(m_title) + "}}\n";
    doc += "\\pard\\plain\\f0 " + m_body + "}\n";
    return doc;
}


}  // namespace vor
