#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kalendo {

// The one clipboard text each way between vorplan and kalendo.
inline constexpr std::string_view kStartupWord = "VA2001-ENT";
inline constexpr std::string_view kTextWord = "VA2001-TXT";
inline constexpr std::string_view kCommandVersion = "2.18";
inline constexpr std::string_view kReplyOk = "VL#OK";
inline constexpr std::string_view kReplyEnd = "VL#FIM";
// What vorplan puts on the clipboard once it has acted on "VL#OK".
inline constexpr std::string_view kAcknowledge = "INICIA";

// A short clipboard text is padded with this many blanks before the columns
// are cut.
inline constexpr std::size_t kCommandPadding = 45;

enum class ViewerPage { SeparateRun, Startup, TextViewer };

enum class ViewerReply { Ok, End };

// The clipboard text of a reply: "VL#OK" or "VL#FIM".
std::string_view ReplyText(ViewerReply reply);

// "VA2001-ENT#2.18#<digit>#1#0#<password>", the start-up command. Throws
// vor::RangeError when languageIndex is not a single digit.
std::string BuildStartupCommand(int languageIndex, std::string_view password);

// "VA2001-TXT#2.18#<digit>#1#0#<path>", the command that shows a text file.
// Throws vor::RangeError when languageIndex is not a single digit.
std::string BuildTextCommand(int languageIndex, std::string_view path);

// What kalendo keeps of a command. Columns are characters, not bytes.
struct ViewerCommand {
    ViewerPage page = ViewerPage::SeparateRun;
    std::string version;       // characters 12-15
    char languageDigit = ' ';  // character 17 (a blank when it is not one byte)
    std::string fileName;      // characters 23 to the end, trailing blanks removed
    std::string password;      // characters 23 to the end, every blank removed
    std::string paddedText;    // the whole clipboard text with its padding
};

// Reads a clipboard text (UTF-8; invalid bytes count as one character each).
// Never fails: a text that is no command gives the separate-run page.
ViewerCommand ParseViewerCommand(std::string_view clipboardText);

// True when the text starts with one of the two command words, compared
// exactly (case-sensitive).
bool IsViewerCommand(std::string_view clipboardText);

}  // namespace kalendo
