#pragma once

#include <filesystem>

class QListWidget;

namespace vor {

// Folder listings shown in and taken from list boxes; the rules are the
// core's (vorplan/common/file_operations.h).

// Empties `list`, then adds the name of every entry matching `pattern`.
void ListDirIntoList(const std::filesystem::path& pattern, QListWidget& list);

// Deletes folder / item text for every item, first to last, each failure
// with its message. False when the folder was refused or a file stayed.
bool DeleteFilesFromList(const QListWidget& list, const std::filesystem::path& folder);

}  // namespace vor
