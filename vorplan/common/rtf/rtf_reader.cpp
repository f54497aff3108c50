#include "vorplan/common/rtf/rtf_reader.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <iterator>
#include <map>

#include "vorplan/common/codec.h"
#include "vorplan/common/conversions.h"

namespace vor {

namespace {

enum class Destination { Text, Skip, FontTable, ColourTable };

// What the reader holds while reading: RTF's own units (twips, half points).
struct CharState {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int halfPoints = 24;  // RTF's default 12 pt
    WinColor colour = kBlack;
    std::string font;  // empty: the default font
};

struct ParagraphState {
    ParagraphAlign align = ParagraphAlign::Left;
    int leftIndent = 0;
    int rightIndent = 0;
    int firstIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
    std::vector<int> tabStops;
};

int Points(int twips)
{
    return static_cast<int>(std::lround(twips / 20.0));
}

struct GroupState {
    CharState chars;
    ParagraphState paragraph;
    int unicodeSkip = 1;  // \uc: characters that stand in for a \u character
    Destination destination = Destination::Text;
};

// Destinations whose text a reader does not show.
constexpr std::string_view kSkippedDestinations[] = {
    "info",       "stylesheet", "pict",       "object",     "header",
    "headerl",   "headerr",    "headerf",    "footer",     "footerl",    "footerr",
    "footerf",   "fldinst",    "footnote",   "listtable",  "listoverridetable",
    "revtbl",    "rsidtbl",    "generator",  "xmlnstbl",   "themedata",  "colorschememapping",
    "latentstyles", "datastore", "pgdsctbl", "filetbl",    "annotation", "atnid",
    "atnauthor", "comment",    "doccomm",    "author",     "title",      "subject",
    "keywords",  "operator",   "company",    "template",   "userprops",  "nonshppict",
    "shppict",   "shp",        "shpinst",    "pn",         "bkmkstart",  "bkmkend",
    "fldtype",   "mmathPr",
};

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

class RtfReader {
public:
    explicit RtfReader(std::string_view input) : m_in(input.substr(0, kRtfMaxInputBytes)) {}

    StyledDoc Read()
    {
        std::size_t start = 0;
        if (m_in.substr(0, 3) == "\xEF\xBB\xBF")
            start = 3;
        while (start < m_in.size() && (m_in[start] == ' ' || m_in[start] == '\r' ||
                                       m_in[start] == '\n' || m_in[start] == '\t'))
            ++start;
        if (m_in.substr(start, 5) != "{\\rtf")
            return ReadPlainText(m_in.substr(start));
        m_pos = start;
        Parse();
        if (!m_finished)
            Finish();
        // A run in a font of the default font's name, or in Arial, is in the
        // document's font.
        const std::string defaultFont = FontName(m_defaultFont);
        for (StyledParagraph& paragraph : m_doc.paragraphs) {
            std::vector<StyledRun> runs = std::move(paragraph.runs);
            paragraph.runs.clear();
            for (StyledRun& run : runs) {
                if (run.font == defaultFont || run.font == "Arial")
                    run.font.clear();
                paragraph.Append(run);
            }
        }
        return std::move(m_doc);
    }

private:
    static StyledDoc ReadPlainText(std::string_view bytes)
    {
        StyledDoc doc;
        const std::string text = DecodeFileText(bytes);
        std::size_t begin = 0;
        while (true) {
            std::size_t end = text.find('\n', begin);
            std::string line = text.substr(begin, end == std::string::npos ? end : end - begin);
            // Control characters have no place in a text shown; a tab does.
            std::erase_if(line, [](char c) { return static_cast<unsigned char>(c) < 0x20 && c != '\t'; });
            StyledParagraph paragraph;
            StyledRun run;
            run.text = line;
            paragraph.Append(run);
            doc.paragraphs.push_back(std::move(paragraph));
            if (end == std::string::npos)
                break;
            begin = end + 1;
        }
        return doc;
    }

    void Parse()
    {
        while (m_pos < m_in.size() && !m_finished) {
            const char c = m_in[m_pos];
            if (c == '{') {
                ++m_pos;
                Flush();
                m_pendingSkip = 0;
                if (static_cast<int>(m_stack.size()) >= kRtfMaxGroupDepth) {
                    Finish();
                    return;
                }
                m_stack.push_back(m_state);
            } else if (c == '}') {
                ++m_pos;
                Flush();
                m_pendingSkip = 0;
                EndGroup();
            } else if (c == '\\') {
                ++m_pos;
                ControlSequence();
            } else if (c == '\r' || c == '\n') {
                ++m_pos;
            } else if (c == '\t') {
                ++m_pos;
                EmitText("\t");
            } else if (static_cast<unsigned char>(c) < 0x20) {
                ++m_pos;
            } else {
                ++m_pos;
                EmitByte(static_cast<unsigned char>(c));
            }
        }
    }

    void EndGroup()
    {
        if (m_stack.empty()) {
            Finish();
            return;
        }
        if (m_state.destination == Destination::FontTable && m_stack.back().destination != Destination::FontTable)
            EndFontEntry();
        if (m_stack.size() == 1) {
            // The document's own group closes: what follows it is not the document.
            Finish();
            return;
        }
        m_state = m_stack.back();
        m_stack.pop_back();
    }

    void ControlSequence()
    {
        if (m_pos >= m_in.size())
            return;
        const char c = m_in[m_pos];
        if (!IsLetter(c)) {
            ++m_pos;
            ControlSymbol(c);
            return;
        }
        const std::size_t wordStart = m_pos;
        while (m_pos < m_in.size() && IsLetter(m_in[m_pos]) && m_pos - wordStart < 32)
            ++m_pos;
        const std::string_view word = m_in.substr(wordStart, m_pos - wordStart);
        bool hasParameter = false;
        bool negative = false;
        long long value = 0;
        if (m_pos < m_in.size() && m_in[m_pos] == '-' && m_pos + 1 < m_in.size() && IsDigit(m_in[m_pos + 1])) {
            negative = true;
            ++m_pos;
        }
        while (m_pos < m_in.size() && IsDigit(m_in[m_pos])) {
            hasParameter = true;
            if (value < 100000000000LL)
                value = value * 10 + (m_in[m_pos] - '0');
            ++m_pos;
        }
        if (m_pos < m_in.size() && m_in[m_pos] == ' ')
            ++m_pos;
        value = std::clamp(negative ? -value : value, -2147483647LL, 2147483647LL);
        Flush();
        ControlWord(word, hasParameter, static_cast<int>(value));
    }

    void ControlSymbol(char c)
    {
        switch (c) {
        case '\\':
        case '{':
        case '}':
            EmitText(std::string(1, c));
            break;
        case '~':
            EmitText("\xC2\xA0");
            break;
        case '-':
            EmitText("\xC2\xAD");
            break;
        case '_':
            EmitText("\xE2\x80\x91");
            break;
        case '*':
            m_state.destination = Destination::Skip;
            break;
        case '\'': {
            if (m_pos + 1 < m_in.size()) {
                const int high = HexValue(m_in[m_pos]);
                const int low = HexValue(m_in[m_pos + 1]);
                if (high >= 0 && low >= 0) {
                    m_pos += 2;
                    EmitByte(static_cast<unsigned char>(high * 16 + low));
                }
            }
            break;
        }
        case '\r':
        case '\n':
            ControlWord("par", false, 0);
            break;
        default:
            break;
        }
    }

    void ControlWord(std::string_view word, bool hasParameter, int value)
    {
        if (word == "bin") {
            // Binary data of the given length, in any destination.
            const std::size_t length = value > 0 ? static_cast<std::size_t>(value) : 0;
            m_pos += std::min(length, m_in.size() - m_pos);
            return;
        }
        if (m_state.destination == Destination::Skip)
            return;
        if (word == "fonttbl") {
            m_state.destination = Destination::FontTable;
            return;
        }
        if (word == "colortbl") {
            m_state.destination = Destination::ColourTable;
            return;
        }
        if (std::find(std::begin(kSkippedDestinations), std::end(kSkippedDestinations), word) !=
            std::end(kSkippedDestinations)) {
            m_state.destination = Destination::Skip;
            return;
        }
        if (word == "u") {
            EmitCodePoint(value < 0 ? value + 65536 : value);
            m_pendingSkip = m_state.unicodeSkip;
            return;
        }
        if (word == "uc") {
            m_state.unicodeSkip = std::clamp(value, 0, 16);
            return;
        }
        if (m_state.destination == Destination::FontTable) {
            if (word == "f") {
                EndFontEntry();
                m_fontNumber = value;
            }
            return;
        }
        if (m_state.destination == Destination::ColourTable) {
            const int component = std::clamp(value, 0, 255);
            if (word == "red")
                m_colour = RgbColor(component, GreenOf(m_colour), BlueOf(m_colour)), m_colourSet = true;
            else if (word == "green")
                m_colour = RgbColor(RedOf(m_colour), component, BlueOf(m_colour)), m_colourSet = true;
            else if (word == "blue")
                m_colour = RgbColor(RedOf(m_colour), GreenOf(m_colour), component), m_colourSet = true;
            return;
        }
        const bool on = !hasParameter || value != 0;
        CharState& chars = m_state.chars;
        ParagraphState& paragraph = m_state.paragraph;
        if (word == "par") {
            EndParagraph();
        } else if (word == "line") {
            EmitText("\n");
        } else if (word == "tab") {
            EmitText("\t");
        } else if (word == "deff") {
            m_defaultFont = value;
        } else if (word == "plain") {
            chars = CharState{};
        } else if (word == "b") {
            chars.bold = on;
        } else if (word == "i") {
            chars.italic = on;
        } else if (word == "ul") {
            chars.underline = on;
        } else if (word == "ulnone") {
            chars.underline = false;
        } else if (word == "strike") {
            chars.strike = on;
        } else if (word == "fs") {
            chars.halfPoints = hasParameter && value > 0 ? std::min(value, 3276) : 24;
        } else if (word == "cf") {
            chars.colour = kBlack;
            if (value > 0 && static_cast<std::size_t>(value) < m_colours.size())
                chars.colour = m_colours[static_cast<std::size_t>(value)].value_or(kBlack);
        } else if (word == "f") {
            chars.font = value == m_defaultFont ? std::string() : FontName(value);
        } else if (word == "pard") {
            paragraph = ParagraphState{};
        } else if (word == "ql") {
            paragraph.align = ParagraphAlign::Left;
        } else if (word == "qc") {
            paragraph.align = ParagraphAlign::Centre;
        } else if (word == "qr") {
            paragraph.align = ParagraphAlign::Right;
        } else if (word == "qj") {
            paragraph.align = ParagraphAlign::Justified;
        } else if (word == "li") {
            paragraph.leftIndent = value;
        } else if (word == "ri") {
            paragraph.rightIndent = value;
        } else if (word == "fi") {
            paragraph.firstIndent = value;
        } else if (word == "sb") {
            paragraph.spaceBefore = value;
        } else if (word == "sa") {
            paragraph.spaceAfter = value;
        } else if (word == "tx") {
            if (paragraph.tabStops.size() < 256)
                paragraph.tabStops.push_back(value);
        }
    }

    std::string FontName(int number) const
    {
        const auto found = m_fonts.find(number);
        return found == m_fonts.end() ? std::string() : found->second;
    }

    void EndFontEntry()
    {
        if (m_fontNumber >= 0 && !m_fontName.empty() && m_fonts.size() < 4096)
            m_fonts.emplace(m_fontNumber, DecodeFontName());
        m_fontName.clear();
        m_fontNumber = -1;
    }

    std::string DecodeFontName() const
    {
        std::string name = m_fontName;
        while (!name.empty() && name.back() == ' ')
            name.pop_back();
        while (!name.empty() && name.front() == ' ')
            name.erase(0, 1);
        return name;
    }

    // A byte of the text: Windows-1252.
    void EmitByte(unsigned char byte)
    {
        if (byte < 0x20 && byte != '\t')
            return;  // no control characters in the text
        if (byte < 0x80)
            EmitText(std::string(1, static_cast<char>(byte)));
        else
            EmitText(Cp1252ToUtf8(std::string(1, static_cast<char>(byte))));
    }

    void EmitCodePoint(long codePoint)
    {
        if (codePoint >= 0xD800 && codePoint <= 0xDBFF) {
            m_highSurrogate = static_cast<char32_t>(codePoint);
            return;
        }
        char32_t c = static_cast<char32_t>(codePoint);
        if (codePoint >= 0xDC00 && codePoint <= 0xDFFF) {
            if (m_highSurrogate == 0)
                return;
            c = 0x10000 + ((m_highSurrogate - 0xD800) << 10) + (c - 0xDC00);
        }
        m_highSurrogate = 0;
        m_pendingSkip = 0;  // a stand-in left out before does not eat this character
        if (c == U'\t')
            EmitText("\t");
        else if (c >= 0x20 && c <= 0x10FFFF)
            EmitText(CodePointsToUtf8(std::u32string(1, c)));
    }

    void EmitText(const std::string& text)
    {
        if (m_pendingSkip > 0) {
            --m_pendingSkip;  // the stand-in for the \u character before
            return;
        }
        switch (m_state.destination) {
        case Destination::Text:
            m_buffer += text;
            break;
        case Destination::FontTable:
            // `text` is one character: kept whole or not at all.
            if (text == ";")
                EndFontEntry();
            else if (static_cast<unsigned char>(text[0]) >= 0x20 && m_fontName.size() + text.size() <= 256)
                m_fontName += text;
            break;
        case Destination::ColourTable:
            for (char c : text) {
                if (c != ';')
                    continue;
                if (m_colours.size() < 4096)
                    m_colours.push_back(m_colourSet ? std::optional<WinColor>(m_colour) : std::nullopt);
                m_colour = kBlack;
                m_colourSet = false;
            }
            break;
        case Destination::Skip:
            break;
        }
    }

    void Flush()
    {
        if (m_buffer.empty())
            return;
        const CharState& c = m_state.chars;
        StyledRun run;
        run.text = std::move(m_buffer);
        run.size = (c.halfPoints + 1) / 2;
        run.bold = c.bold;
        run.italic = c.italic;
        run.underline = c.underline;
        run.strike = c.strike;
        run.colour = c.colour;
        run.font = c.font;
        m_current.Append(run);
        m_buffer.clear();
    }

    void EndParagraph()
    {
        Flush();
        const ParagraphState& p = m_state.paragraph;
        m_current.align = p.align;
        m_current.leftIndent = Points(p.leftIndent);
        m_current.rightIndent = Points(p.rightIndent);
        m_current.firstIndent = Points(p.firstIndent);
        m_current.spaceBefore = Points(p.spaceBefore);
        m_current.spaceAfter = Points(p.spaceAfter);
        m_current.tabStops.clear();
        for (int stop : p.tabStops)
            m_current.tabStops.push_back(Points(stop));
        m_doc.paragraphs.push_back(std::move(m_current));
        m_current = StyledParagraph{};
    }

    void Finish()
    {
        // Text after the last \par is a paragraph; nothing after it is none.
        Flush();
        if (!m_current.runs.empty())
            EndParagraph();
        m_finished = true;
    }

    std::string_view m_in;
    std::size_t m_pos = 0;
    bool m_finished = false;
    std::vector<GroupState> m_stack;
    GroupState m_state;
    StyledDoc m_doc;
    StyledParagraph m_current;
    std::string m_buffer;
    int m_pendingSkip = 0;
    char32_t m_highSurrogate = 0;
    std::map<int, std::string> m_fonts;
    int m_defaultFont = 0;
    int m_fontNumber = -1;
    std::string m_fontName;
    std::vector<std::optional<WinColor>> m_colours;
    WinColor m_colour = kBlack;
    bool m_colourSet = false;
};

}  // namespace

StyledDoc ReadRtf(std::string_view bytes)
{
    return RtfReader(bytes).Read();
}

}  // namespace vor
