#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "vorplan/common/atomic_file.h"
#include "vorplan/common/data_folders.h"

namespace vor {

// A project of another installation (a share, a removable disk, another
// folder of this computer) copied into this one under its own number.

// The project folder of another installation whose base folder is `chosen`:
// its sub-folder "PED" (found without case), or `chosen` itself when it is
// named "PED"; empty when there is none.
std::filesystem::path OtherProjectFolder(const std::filesystem::path& chosen);

struct OtherProject {
    long long number = 0;
    std::string description;  // CAMPO1 of [PED], "???" when missing
    std::filesystem::path descriptionFile;
};

// The projects of a project folder: the files "DSC" + 5 digits + ".INI" (any
// case) of the folder itself, not of its sub-folders, sorted by number.
std::vector<OtherProject> ListOtherProjects(const std::filesystem::path& projectFolder);

// number + two blanks + description.
std::string OtherProjectText(const OtherProject& project);

// Copies the project's piece table and description file byte for byte into
// `folders` under its number, both or neither. A source file that is missing
// or cannot be read shows "Não foi possível ler o arquivo " + its path and
// copies nothing: false then. A failed write throws IoError and leaves the
// local files as they were.
bool CopyOtherProject(const OtherProject& project, const DataFolders& folders,
                      FileOps& ops = DefaultFileOps());

}  // namespace vor
