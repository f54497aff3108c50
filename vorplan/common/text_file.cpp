#include "vorplan/common/text_file.h"

#include "vorplan/common/atomic_file.h"
#include "vorplan/common/codec.h"
#include "vorplan/common/errors.h"

#include <cerrno>

namespace vor {

std::vector<std::string> SplitTextLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char c = text[pos];
        if (c != '\r' && c != '\n') {
            ++pos;
            continue;
        }
        lines.emplace_back(text.substr(start, pos - start));
        ++pos;
        if (c == '\r' && pos < text.size() && text[pos] == '\n')
            ++pos;
        start = pos;
    }
    if (start < text.size())
        lines.emplace_back(text.substr(start));
    return lines;
}

std::optional<std::vector<std::string>> ReadTextLines(const std::filesystem::path& path)
{
    try {
        return ReadTextLinesOrThrow(path);
    } catch (const IoError&) {
        return std::nullopt;
    }
}

std::vector<std::string> ReadTextLinesOrThrow(const std::filesystem::path& path)
{
    return SplitTextLines(DecodeFileText(ReadFileBytes(path)));
}

TextFileLines ReadTextFileForRewrite(const std::filesystem::path& path, FileOps& ops)
{
    const std::string bytes = ReadFileBytes(path, ops);
    if (IsUndecodableText(bytes))
        throw IoError(path, EILSEQ, "ler");
    DecodedText decoded = DecodeFileTextAndEncoding(bytes);
    return {SplitTextLines(decoded.text), decoded.encoding};
}

std::string EncodeTextLines(const std::vector<std::string>& lines, TextEncoding encoding)
{
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return EncodeFileText(text, encoding);
}

void WriteTextLines(const std::filesystem::path& path, const std::vector<std::string>& lines,
                    FileOps& ops)
{
    WriteFileAtomically(path, EncodeTextLines(lines), ops);
}

}  // namespace vor
