#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vor {

// Windows-style wildcard match of a file name, without case: "*" any run,
// "?" one character, "*.*" every name, and a pattern ending in ".*" also
// matches the names without a dot ("PED*.*" matches "PED1").
bool WildcardMatch(std::string_view pattern, std::string_view name);

// Compares two names as Windows does: ASCII letters without case.
bool EqualNoCase(std::string_view a, std::string_view b);
// Orders names without case (ASCII), then byte-wise to stay total.
bool LessNoCase(std::string_view a, std::string_view b);

// For reading: the entry of `folder` named `name`, exactly if it exists,
// else the first (sorted) entry that matches without case, else folder/name.
std::filesystem::path FindNoCase(const std::filesystem::path& folder, std::string_view name);

enum class EntryKind { Files, Folders, Any };

// Names (not paths) of the entries of `folder` that match `pattern`, sorted
// without case. An unreadable or missing folder gives an empty list.
std::vector<std::string> ListFolder(const std::filesystem::path& folder, std::string_view pattern,
                                    EntryKind kind = EntryKind::Files);

}  // namespace vor
