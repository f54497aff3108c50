#pragma once

#include <array>
#include <string>
#include <string_view>

namespace kalendo {

// The texts kalendo shows, in the language of the command's digit.
struct MessageSet {
    std::string programTitle;
    std::string notFound;
    std::string file;
    std::string invalidPassword;
    std::string screenWarning1;
    std::string screenWarning2;
    // The text viewer's find dialog.
    std::string findTitle;
    std::string findNext;
    std::string cancel;
    bool smallTitle = false;  // the Dutch title needs the title strip's smaller font
};

// Digit "1" Portuguese, "2" English, "3" and "5" Spanish, "4" English with the
// Dutch program title; any other character gives a set of empty texts.
MessageSet FillMessageSet(char languageDigit);

// The six fixed lines of the separate-run page, two per language, joined by
// line ends.
std::string SeparateRunText();

// Fixed captions of the password page; they do not follow the language.
inline constexpr std::string_view kPasswordCaption = "Senha";
inline constexpr std::string_view kOkCaption = "Ok";
inline constexpr std::string_view kCancelCaption = "Cancela";

}  // namespace kalendo
