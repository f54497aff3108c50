#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "vorplan/common/atomic_file.h"
#include "vorplan/common/data_folders.h"

namespace vor {

// Several files replaced together: after a failure, or a kill at any instant
// followed by FinishFileSet, the targets hold all their old contents or all
// their new ones.
struct FileSetEntry {
    std::filesystem::path target;
    std::string data;
};

// The journal of an installation's file sets (base/FILESET.JNL).
Path FileSetJournalFile(const DataFolders& folders);
Path FileSetJournalFile();  // of the shared folders

// Finishes a set an earlier run left behind (FinishFileSet), writes each new
// file to a temporary in its own folder, then records the temporaries in the
// journal, renames them over their targets in order and deletes the journal.
// A failure before the journal is complete removes the temporaries, leaves
// every target as it was and throws IoError. Targets must be distinct.
void WriteFileSet(const std::filesystem::path& journal, const std::vector<FileSetEntry>& files,
                  FileOps& ops = DefaultFileOps());

// Completes what a journal left behind: the renames of a set whose files were
// all complete are finished; the temporaries of a set interrupted earlier are
// removed. Returns true when a journal was found. A rename that fails keeps
// the journal for the next try and throws IoError.
bool FinishFileSet(const std::filesystem::path& journal, FileOps& ops = DefaultFileOps());

}  // namespace vor
