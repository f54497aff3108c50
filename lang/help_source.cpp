#include "lang/help_source.h"

#include <map>

namespace vor {

namespace {

constexpr int kBodySize = 10;  // points
const WinColor kLinkColour = RgbColor(0, 0, 160);

struct Block {
    enum class Kind { Title, Contents, Heading, SubHeading, Text, Bullet } kind = Kind::Text;
    std::string text;
    int line = 0;
    std::size_t heading = 0;  // index into the headings, for the two heading kinds
};

[[noreturn]] void Fail(int line, const std::string& what)
{
    throw HelpSourceError("line " + std::to_string(line) + ": " + what);
}

std::string Trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r");
    return std::string(text.substr(first, last - first + 1));
}

bool StartsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

StyledRun Body()
{
    StyledRun style;
    style.size = kBodySize;
    return style;
}

// Appends `text` in the look of `style`.
void Append(StyledParagraph& paragraph, const std::string& text, StyledRun style)
{
    style.text = text;
    paragraph.Append(style);
}

class Builder {
public:
    explicit Builder(HelpSource& out) : m_out(out) {}

    void Parse(std::string_view source)
    {
        SplitBlocks(source);
        Number();
        for (const Block& block : m_blocks)
            Emit(block);
    }

private:
    void SplitBlocks(std::string_view source)
    {
        constexpr std::size_t kNone = static_cast<std::size_t>(-1);
        std::size_t open = kNone;  // the paragraph that more lines join
        int lineNumber = 0;
        std::size_t pos = 0;
        while (pos <= source.size()) {
            std::size_t end = source.find('\n', pos);
            if (end == std::string_view::npos)
                end = source.size();
            const std::string_view raw = source.substr(pos, end - pos);
            pos = end + 1;
            ++lineNumber;
            if (StartsWith(raw, "%"))
                continue;
            const std::string line = Trimmed(raw);
            if (line.empty()) {
                open = kNone;
                continue;
            }
            const auto start = [&](Block::Kind kind, std::string text) {
                m_blocks.push_back({kind, std::move(text), lineNumber, 0});
                open = kind == Block::Kind::Text || kind == Block::Kind::Bullet ? m_blocks.size() - 1 : kNone;
            };
            if (StartsWith(line, "= "))
                start(Block::Kind::Title, Trimmed(line.substr(2)));
            else if (StartsWith(line, "@contents "))
                start(Block::Kind::Contents, Trimmed(line.substr(10)));
            else if (StartsWith(line, "## "))
                start(Block::Kind::SubHeading, Trimmed(line.substr(3)));
            else if (StartsWith(line, "# "))
                start(Block::Kind::Heading, Trimmed(line.substr(2)));
            else if (StartsWith(line, "- "))
                start(Block::Kind::Bullet, Trimmed(line.substr(2)));
            else if (open != kNone)
                m_blocks[open].text += " " + line;
            else
                start(Block::Kind::Text, line);
            if (StartsWith(line, "#") && !StartsWith(line, "# ") && !StartsWith(line, "## "))
                Fail(lineNumber, "a heading is \"# Title\" or \"## Title\"");
        }
    }

    void Number()
    {
        int major = 0;
        int minor = 0;
        for (Block& block : m_blocks) {
            if (block.kind != Block::Kind::Heading && block.kind != Block::Kind::SubHeading)
                continue;
            HelpHeading heading;
            std::string title = block.text;
            if (const auto open = title.rfind("{="); open != std::string::npos) {
                if (title.back() != '}')
                    Fail(block.line, "a heading's key stands last: \"{=key}\"");
                heading.key = title.substr(open + 2, title.size() - open - 3);
                title = Trimmed(title.substr(0, open));
                if (heading.key.empty() || m_keys.count(heading.key))
                    Fail(block.line, "empty or repeated key \"" + heading.key + "\"");
            }
            if (title.empty() || title.find_first_of("{}*") != std::string::npos)
                Fail(block.line, "a heading is plain text");
            std::string number;
            if (block.kind == Block::Kind::Heading) {
                ++major;
                minor = 0;
                number = std::to_string(major);
                heading.level = 1;
            } else {
                if (major == 0)
                    Fail(block.line, "a sub-heading before the first heading");
                number = std::to_string(major) + "." + std::to_string(++minor);
                heading.level = 2;
            }
            heading.text = number + " - " + title;
            if (!heading.key.empty())
                m_keys[heading.key] = number;
            block.heading = m_out.headings.size();
            m_out.headings.push_back(heading);
        }
    }

    // Text with bold spans, captions and section numbers.
    void AppendInline(StyledParagraph& paragraph, const std::string& text, int line, StyledRun style)
    {
        const bool wasBold = style.bold;
        std::size_t i = 0;
        std::string plain;
        const auto flush = [&] {
            Append(paragraph, plain, style);
            plain.clear();
        };
        while (i < text.size()) {
            if (text.compare(i, 2, "**") == 0) {
                flush();
                style.bold = !style.bold;
                i += 2;
                continue;
            }
            if (text[i] == '}')
                Fail(line, "a \"}\" without its \"{\"");
            if (text[i] != '{') {
                plain += text[i++];
                continue;
            }
            const std::size_t close = text.find('}', i);
            if (close == std::string::npos)
                Fail(line, "a \"{\" without its \"}\"");
            const std::string inner = text.substr(i + 1, close - i - 1);
            i = close + 1;
            if (StartsWith(inner, "#")) {
                const auto found = m_keys.find(inner.substr(1));
                if (found == m_keys.end())
                    Fail(line, "no section has the key \"" + inner.substr(1) + "\"");
                plain += found->second;
                continue;
            }
            const std::size_t colon = inner.find(':');
            const bool icon = StartsWith(inner, "i");
            const std::string digits = inner.substr(icon ? 1 : 0, colon == std::string::npos ? 0 : colon - (icon ? 1 : 0));
            if (colon == std::string::npos || digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos ||
                digits.size() > 4 || colon + 1 >= inner.size())
                Fail(line, "a caption is \"{slot:Text}\" or \"{iN:Text}\", not \"{" + inner + "}\"");
            const std::string caption = inner.substr(colon + 1);
            m_out.captions.push_back({icon, std::stol(digits), caption, line});
            plain += caption;
        }
        flush();
        if (style.bold != wasBold)
            Fail(line, "a \"**\" without its closing \"**\"");
    }

    void Emit(const Block& block)
    {
        StyledParagraph paragraph;
        StyledRun style = Body();
        switch (block.kind) {
        case Block::Kind::Title:
            if (m_out.title.empty())
                m_out.title = block.text;
            paragraph.align = ParagraphAlign::Centre;
            paragraph.spaceAfter = 12;
            style.bold = true;
            style.size = 16;
            AppendInline(paragraph, block.text, block.line, style);
            break;
        case Block::Kind::Contents: {
            paragraph.spaceBefore = 6;
            paragraph.spaceAfter = 6;
            style.bold = true;
            style.size = 12;
            Append(paragraph, block.text, style);
            m_out.document.paragraphs.push_back(paragraph);
            StyledRun link = Body();
            link.underline = true;
            link.colour = kLinkColour;
            for (const HelpHeading& heading : m_out.headings) {
                StyledParagraph entry;
                Append(entry, heading.level == 1 ? "\t" : "\t\t", Body());
                Append(entry, heading.text, link);
                m_out.document.paragraphs.push_back(entry);
            }
            return;
        }
        case Block::Kind::Heading:
        case Block::Kind::SubHeading: {
            const bool top = block.kind == Block::Kind::Heading;
            paragraph.spaceBefore = top ? 18 : 12;
            paragraph.spaceAfter = top ? 6 : 4;
            style.bold = true;
            style.size = top ? 14 : 11;
            Append(paragraph, m_out.headings[block.heading].text, style);
            break;
        }
        case Block::Kind::Bullet:
            paragraph.leftIndent = 18;
            paragraph.firstIndent = -12;
            paragraph.spaceAfter = 3;
            Append(paragraph, "•  ", style);
            AppendInline(paragraph, block.text, block.line, style);
            break;
        case Block::Kind::Text:
            paragraph.spaceAfter = 6;
            AppendInline(paragraph, block.text, block.line, style);
            break;
        }
        m_out.document.paragraphs.push_back(paragraph);
    }

    HelpSource& m_out;
    std::vector<Block> m_blocks;
    std::map<std::string, std::string> m_keys;
};

}  // namespace

HelpSource ParseHelpSource(std::string_view source)
{
    HelpSource out;
    Builder(out).Parse(source);
    return out;
}

}  // namespace vor
