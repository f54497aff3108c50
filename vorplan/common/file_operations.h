#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "vorplan/common/atomic_file.h"
#include "vorplan/common/data_folders.h"
#include "vorplan/common/paths.h"

namespace platform {
class Clock;
}

namespace vor {

// Whole-file and folder routines the windows share. A failure is shown with a
// fixed Portuguese text and the routine goes on with the next file; only the
// copy stops, with IoError, when it cannot open its source or create its
// destination.

// Copies `source` to `destination` byte for byte through a temporary file in
// the destination's folder, so a failed copy leaves the destination as it
// was. A source that is no readable file shows "Não foi possível ler o
// arquivo " + source and throws IoError; a destination that cannot be created
// throws IoError. A failure while copying shows "Erro durante cópia de
// arquivo" and returns false. Copying a file onto itself leaves it alone and
// returns true.
bool CopyFileLz(const Path& source, const Path& destination, FileOps& ops = DefaultFileOps());

// "Não foi possível ler o arquivo " + path: a file to copy or import that
// cannot be read.
std::string UnreadableFileText(const Path& path);

// Writes the creation stamp and the description fields "MAT <code>" and six
// empty ones into MAT/M<code>.INI, keeping every other key. Throws IoError
// when the file cannot be saved.
void CreateMaterialIni(const DataFolders& folders, long long code, const platform::Clock& clock);
void CreateMaterialIni(long long code);  // shared folders and clock

// Whether MAT/M<code>.INI exists.
bool MaterialIniExists(const DataFolders& folders, long long code);
bool MaterialIniExists(long long code);

// Copies material `sourceCode`'s file to `newCode` and gives the copy a new
// stamp and description (CreateMaterialIni). Returns false and changes
// nothing when the new file already exists or the source file is missing;
// false also when the copy failed (its message was shown).
bool DuplicateMaterialIni(const DataFolders& folders, long long newCode, long long sourceCode,
                          const platform::Clock& clock);
bool DuplicateMaterialIni(long long newCode, long long sourceCode);

// Deletes one regular file (a link is not a file here); anything else, or a
// failed deletion, shows "Não pude apagar " + path. True when it was deleted.
bool DeleteFileWithMessage(const Path& path);

// Deletes every regular file of `folder` whose name does not begin with ".";
// sub-folders, links and other entries are left alone. Refuses (returns
// false, deletes nothing) an empty folder argument and the base folder.
bool DeleteAllFilesInDir(const Path& folder, const Path& base);
bool DeleteAllFilesInDir(const Path& folder);  // base of the shared folders

// Copies every regular file of `source` whose name does not begin with "."
// into `destination` with CopyFileLz. True when every copy succeeded; throws
// as CopyFileLz does.
bool CopyAllFilesInDir(const Path& source, const Path& destination);

// The names (without folder) of the entries that match `pattern` (a folder
// and a file mask, "MONT/*.MON"), of any kind, not beginning with ".",
// sorted as the folder listing sorts them.
std::vector<std::string> ListDirIntoList(const Path& pattern);

// DeleteFileWithMessage(folder / name) for every name in order. Refuses
// (returns false, deletes nothing) an empty folder argument and the base folder.
bool DeleteFilesFromList(const std::vector<std::string>& names, const Path& folder,
                         const Path& base);
bool DeleteFilesFromList(const std::vector<std::string>& names, const Path& folder);

// The first line of a text file ("" for an empty file). A file that cannot be
// read shows "Arquivo " + path + " não localizado" and gives "---".
std::string ReadFirstLineOrMessage(const Path& path);

// Removes an empty folder (a link to one is not removed); on failure shows
// "Falha no rmdir " + path. True when it was removed.
bool RemoveDirWithMessage(const Path& path);

// "M_" + ddmmyy + "_" + hhmmss of the clock's wall time: the 15-character
// name of a saved calculation's folder.
std::string BuildDatedBackupName(const platform::Clock& clock);
std::string BuildDatedBackupName();  // of the shared clock

// Rewrites `second` as the lines of `first` followed by its own former lines,
// every line kept whole, atomically. A missing first file changes nothing.
// Throws IoError when a file that exists cannot be read, or on a failed
// write (the second file is then unchanged).
void MergeTextFiles(const Path& first, const Path& second);

// Every entry matching the file mask of `pattern` ("DATA/DSC*.INI", without
// case) in its folder and all folders below: each folder's matches (folder /
// name) before its sub-folders, depth first, names in listing order. `kind`
// Files takes regular files (also through a link), Folders real folders, Any
// every entry. Linked folders are never entered; unreadable folders give nothing.
std::vector<Path> WalkDirectoryTree(const Path& pattern, EntryKind kind = EntryKind::Files);

}  // namespace vor
