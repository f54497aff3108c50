#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "vorplan/common/rtf/styled_doc.h"

namespace vor {

// The plain source of a help or introduction text, turned into the styled
// document that the RTF writer stores in HLP. One paragraph per block of
// lines; a blank line ends it.
//
//   % comment                     ignored
//   = Title                       the title line, centred
//   @contents Contents            the contents block: the word, then one
//                                 underlined entry per heading after a TAB
//   # Title {=key}                heading "N - Title", numbered in order
//   ## Title {=key}               sub-heading "N.M - Title"
//   - text                        a bulleted paragraph
//   **bold**                      bold text
//   {39:Text}                     a caption of message slot 39, quoted as is
//   {i4:Text}                     the main window's icon caption 4
//   {#key}                        the number of the section with that key
//
// The numbering and the contents block come from the headings themselves, so
// that a text never lists a heading it does not hold.

struct QuotedCaption {
    bool icon = false;  // an icon caption, else a message slot
    long slot = 0;
    std::string text;
    int line = 0;       // 1-based, in the source
};

struct HelpHeading {
    std::string key;    // may be empty
    std::string text;   // as shown: "N - Title" or "N.M - Title"
    int level = 1;      // 1 heading, 2 sub-heading
};

struct HelpSource {
    StyledDoc document;
    std::string title;
    std::vector<HelpHeading> headings;
    std::vector<QuotedCaption> captions;
};

class HelpSourceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Parses a source (UTF-8). Throws HelpSourceError naming the line for a
// malformed markup, an unknown key, a key used twice, or a sub-heading before
// any heading.
HelpSource ParseHelpSource(std::string_view source);

}  // namespace vor
