#include "kalendo/viewer_command.h"

#include <vector>

#include "vorplan/common/errors.h"

namespace kalendo {

namespace {

// Byte length of the character starting at text[pos]: a UTF-8 sequence when
// it is well-formed, else one byte, so that any bytes split into characters.
std::size_t CharLength(std::string_view text, std::size_t pos)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t length = 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    if (pos + length > text.size())
        return 1;
    for (std::size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(text[pos + i]) & 0xC0) != 0x80)
            return 1;
    }
    return length;
}

// Byte offsets of the first `count` characters, plus the end of the last one.
std::vector<std::size_t> CharOffsets(std::string_view text, std::size_t count)
{
    std::vector<std::size_t> offsets;
    std::size_t pos = 0;
    while (offsets.size() < count && pos < text.size()) {
        offsets.push_back(pos);
        pos += CharLength(text, pos);
    }
    offsets.push_back(pos);
    return offsets;
}

std::string BuildCommand(std::string_view word, int languageIndex, std::string_view argument)
{
    if (languageIndex < 0 || languageIndex > 9)
        throw vor::RangeError("language index out of range");
    std::string command(word);
    command += '#';
    command += kCommandVersion;
    command += '#';
    command += static_cast<char>('0' + languageIndex);
    command += "#1#0#";
    command += argument;
    return command;
}

}  // namespace

std::string_view ReplyText(ViewerReply reply)
{
    return reply == ViewerReply::Ok ? kReplyOk : kReplyEnd;
}

std::string BuildStartupCommand(int languageIndex, std::string_view password)
{
    return BuildCommand(kStartupWord, languageIndex, password);
}

std::string BuildTextCommand(int languageIndex, std::string_view path)
{
    return BuildCommand(kTextWord, languageIndex, path);
}

bool IsViewerCommand(std::string_view clipboardText)
{
    return clipboardText.starts_with(kStartupWord) || clipboardText.starts_with(kTextWord);
}

ViewerCommand ParseViewerCommand(std::string_view clipboardText)
{
    ViewerCommand command;
    command.paddedText.reserve(clipboardText.size() + kCommandPadding);
    command.paddedText.append(clipboardText);
    command.paddedText.append(kCommandPadding, ' ');
    const std::string_view padded = command.paddedText;

    // The padding guarantees the first 45 characters; the columns need 22.
    const std::vector<std::size_t> at = CharOffsets(padded, 22);
    auto columns = [&](std::size_t first, std::size_t last) {  // 1-based, inclusive
        return padded.substr(at[first - 1], at[last] - at[first - 1]);
    };

    command.version = std::string(columns(12, 15));
    const std::string_view digit = columns(17, 17);
    command.languageDigit = digit.size() == 1 ? digit[0] : ' ';

    // The argument runs to the end of the text: paths on Linux are long.
    const std::string_view argument = padded.substr(at[22]);
    const std::size_t end = argument.find_last_not_of(' ');
    command.fileName = end == std::string_view::npos ? std::string() : std::string(argument.substr(0, end + 1));
    for (const char c : argument) {
        if (c != ' ')
            command.password += c;
    }

    const std::string_view word = columns(1, 10);
    if (word == kStartupWord)
        command.page = ViewerPage::Startup;
    else if (word == kTextWord)
        command.page = ViewerPage::TextViewer;
    return command;
}

}  // namespace kalendo
