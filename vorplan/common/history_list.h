#pragma once

#include <string>
#include <string_view>

#include "vorplan/common/data_folders.h"

namespace vor {

// A material's calculation history: REL/ULTIMAS.<code>, a report text of five
// header lines, the entries "001 " (newest) onward and a twelve-line legend.

constexpr std::size_t kHistoryEntries = 200;

// Rewrites `file` with `line` as entry "001 " before the entries it held,
// newest first, at most 200. The old entries are the consecutive non-empty
// lines from line 6, each kept whole but for its three-character number and
// the blanks after it, so an entry edited or deleted in the report viewer
// does not shift the rest. The header names material `code` and its
// description; header and legend texts are messages 546 to 555. Throws
// IoError when an existing file cannot be read or the file cannot be written
// (it is then unchanged).
void WriteCalcHistoryListing(const Path& file, long long code, std::string_view description,
                             std::string_view line);
// The same for the shared current material and its loaded record.
void WriteCalcHistoryListing(std::string_view line);

// Deletes the history file; a missing one is no error. A file that cannot be
// deleted shows "Não pude apagar " + path; false then.
bool DeleteHistoryList(const Path& file);
bool DeleteHistoryList();  // of the shared current material

}  // namespace vor
