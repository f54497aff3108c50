#pragma once

#include <string>
#include <vector>

#include "vorplan/common/rtf/styled_doc.h"

namespace kalendo {

// A link in a help text: underlined, and neither bold, italic nor struck out;
// colour and size do not count.
bool IsExactlyUnderlined(const vor::StyledRun& style);

// The rules a help text keeps so that the viewer's heading list and links land
// where they should:
// - HeadingForm: a paragraph that begins with a digit is a heading "N - Title"
//   or "N.M - Title";
// - ContentsEntry: the text opens with its contents, one paragraph per heading
//   that begins with a TAB and holds the heading's exact text as a link;
// - HeadingOccurrence: a heading's text occurs first in its contents entry and
//   next in the heading itself, nowhere before or between.
enum class AuthoringRule { HeadingForm, ContentsEntry, HeadingOccurrence };

struct AuthoringFault {
    AuthoringRule rule;
    int paragraph = 0;    // 0-based, where the fault shows
    std::string message;  // names the rule, the paragraph and the text
};

// Every break of the rules, in the order found; empty for a sound text.
std::vector<AuthoringFault> CheckHelpText(const vor::StyledDoc& doc);

}  // namespace kalendo
