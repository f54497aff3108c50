#include "vorplan/orders/installation_import.h"

#include <algorithm>
#include <optional>
#include <system_error>

#include "platform/message_service.h"
#include "vorplan/common/conversions.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/file_operations.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/paths.h"
#include "vorplan/orders/new_project.h"

namespace vor {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kProjectFolderName = "PED";

bool IsFolder(const fs::path& path)
{
    std::error_code error;
    return fs::is_directory(path, error);
}

// The number of a "DSCnnnnn.INI" name, or -1 for any other name.
long long DescriptionFileNumber(std::string_view name)
{
    if (name.size() != 12 || !EqualNoCase(name.substr(0, 3), "DSC") || !EqualNoCase(name.substr(8), ".INI"))
        return -1;
    const std::string_view digits = name.substr(3, 5);
    if (!std::all_of(digits.begin(), digits.end(), IsDigit))
        return -1;
    return std::stoll(std::string(digits));
}

// The source file, read whole; a message and nullopt when it cannot be.
std::optional<std::string> ReadSource(const fs::path& path, FileOps& ops)
{
    std::error_code error;
    if (fs::is_regular_file(path, error)) {
        try {
            return ReadFileBytes(path, ops);
        } catch (const IoError&) {
        }
    }
    platform::ShowMessage(UnreadableFileText(path));
    return std::nullopt;
}

}  // namespace

fs::path OtherProjectFolder(const fs::path& chosen)
{
    if (chosen.empty())
        return {};
    const fs::path folder = chosen.has_filename() ? chosen : chosen.parent_path();
    const fs::path inside = FindNoCase(folder, kProjectFolderName);
    if (IsFolder(inside))
        return inside;
    if (EqualNoCase(folder.filename().string(), kProjectFolderName) && IsFolder(folder))
        return folder;
    return {};
}

std::vector<OtherProject> ListOtherProjects(const fs::path& projectFolder)
{
    std::vector<OtherProject> projects;
    for (const std::string& name : ListFolder(projectFolder, "DSC*.INI", EntryKind::Files)) {
        const long long number = DescriptionFileNumber(name);
        if (number < 0)
            continue;
        OtherProject project;
        project.number = number;
        project.descriptionFile = projectFolder / name;
        project.description = IniFile(project.descriptionFile).ReadString("PED", "CAMPO1", "???");
        projects.push_back(std::move(project));
    }
    std::stable_sort(projects.begin(), projects.end(),
                     [](const OtherProject& a, const OtherProject& b) { return a.number < b.number; });
    return projects;
}

std::string OtherProjectText(const OtherProject& project)
{
    return std::to_string(project.number) + "  " + project.description;
}

bool CopyOtherProject(const OtherProject& project, const DataFolders& folders, FileOps& ops)
{
    const fs::path folder = project.descriptionFile.parent_path();
    const fs::path table = FindNoCase(folder, "PED" + IntToStrZero5(project.number) + ".TAB");
    const std::optional<std::string> tableData = ReadSource(table, ops);
    if (!tableData)
        return false;
    const std::optional<std::string> descriptionData = ReadSource(project.descriptionFile, ops);
    if (!descriptionData)
        return false;
    PutProjectFiles(folders, project.number, *tableData, *descriptionData, ops);
    return true;
}

}  // namespace vor
