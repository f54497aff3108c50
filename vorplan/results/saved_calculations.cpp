#include "vorplan/results/saved_calculations.h"

#include <algorithm>
#include <filesystem>

#include "platform/clock.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/file_operations.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/paths.h"
#include "vorplan/common/text_file.h"

namespace vor {

namespace {

namespace fs = std::filesystem;

std::string Part(const std::string& text, std::size_t from, std::size_t count)
{
    return from < text.size() ? text.substr(from, count) : std::string();
}

// A name of one folder of OLD_MONT, never a way out of it.
bool PlainName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

bool IsRegular(const Path& path)
{
    std::error_code ec;
    return fs::is_regular_file(fs::symlink_status(path, ec));
}

// A saved calculation worth restoring holds layouts or a calculation record.
bool HoldsACalculation(const Path& folder)
{
    if (IsRegular(folder / "CALC_DAT.INI"))
        return true;
    for (const std::string& name : ListFolder(folder, "*.MON", EntryKind::Files))
        if (IsRegular(folder / name))
            return true;
    return false;
}

void RemoveQuietly(const Path& folder)
{
    std::error_code ec;
    fs::remove_all(folder, ec);
}

}  // namespace

std::vector<SavedCalculation> ListSavedCalculations(const DataFolders& folders)
{
    std::vector<std::string> names = ListFolder(folders.oldMont, "M_*.*", EntryKind::Folders);
    names.erase(std::remove_if(names.begin(), names.end(),
                               [](const std::string& n) { return n.empty() || n[0] == '.'; }),
                names.end());
    std::sort(names.begin(), names.end());
    std::vector<SavedCalculation> list;
    for (const std::string& name : names)
        list.push_back({name, ReadFirstLineOrMessage(folders.oldMont / name / kIdentFile)});
    return list;
}

SavedCalculationColumns ColumnsOf(const SavedCalculation& saved)
{
    const std::string& n = saved.folder;
    return {Part(n, 2, 2) + "/" + Part(n, 4, 2) + "/" + Part(n, 6, 2),
            Part(n, 9, 2) + ":" + Part(n, 11, 2) + ":" + Part(n, 13, 2), saved.comment};
}

std::vector<std::string> SavedCalculationFiles(const DataFolders& folders, const std::string& name)
{
    if (!PlainName(name))
        return {};
    return ListDirIntoList(folders.oldMont / name / "*.*");
}

SaveResult SaveCalculation(const DataFolders& folders, const std::string& comment,
                           const platform::Clock& clock, FileOps& ops)
{
    SaveResult result;
    const Path folder = folders.oldMont / BuildDatedBackupName(clock);
    std::error_code ec;
    if (!fs::create_directory(folder, ec) || ec) {
        result.message = "Erro 896 - Mkdir [" + folder.string() + "]";
        return result;
    }
    result.closeWindow = true;
    const Path ident = folders.mont / kIdentFile;
    try {
        WriteTextLines(ident, {comment}, ops);
    } catch (const IoError&) {
        RemoveQuietly(folder);
        result.message = "Erro 897 - escrita do " + ident.string();
        return result;
    }
    bool copied = false;
    try {
        copied = CopyAllFilesInDir(folders.mont, folder, ops);
    } catch (const IoError&) {
        copied = false;
    }
    if (!copied) {
        RemoveQuietly(folder);
        result.message = Msg(301) + " [" + folder.string() + "]";
        return result;
    }
    result.saved = true;
    result.message = "Ok";
    return result;
}

RestoreResult RestoreSavedCalculation(const DataFolders& folders, const std::string& name,
                                      MaterialSelection& selection, long long& currentMaterial,
                                      FileOps& ops)
{
    RestoreResult result;
    const Path source = folders.oldMont / name;
    std::error_code ec;
    if (!PlainName(name) || !fs::is_directory(source, ec) || !HoldsACalculation(source)) {
        result.message = Msg(299) + " [" + source.string() + "]";
        return result;
    }
    const Path mont = folders.mont;
    const Path staging = mont.parent_path() / (mont.filename().string() + "_RESTAURA");
    const Path previous = mont.parent_path() / (mont.filename().string() + "_ANTERIOR");
    const std::string failed = Msg(300) + " [" + source.string() + "]";
    RemoveQuietly(staging);
    if (!fs::create_directory(staging, ec) || ec) {
        result.message = failed;
        return result;
    }
    bool copied = false;
    try {
        copied = CopyAllFilesInDir(source, staging, ops);
    } catch (const IoError&) {
        copied = false;
    }
    RemoveQuietly(previous);
    if (!copied || ops.Rename(mont.c_str(), previous.c_str()) != 0) {
        RemoveQuietly(staging);
        result.message = failed;
        return result;
    }
    if (ops.Rename(staging.c_str(), mont.c_str()) != 0) {
        ops.Rename(previous.c_str(), mont.c_str());
        RemoveQuietly(staging);
        result.message = failed;
        return result;
    }
    // Sub-folders are no files of the calculation: they stay in MONT.
    for (const std::string& entry : ListFolder(previous, "*", EntryKind::Any)) {
        if (!IsRegular(previous / entry) && !fs::exists(mont / entry, ec))
            fs::rename(previous / entry, mont / entry, ec);
    }
    RemoveQuietly(previous);
    SyncFolder(mont.parent_path());

    fs::remove(LastCalcMaterialsFile(folders), ec);
    ReadMaterialSelection(folders, selection, currentMaterial);
    result.restored = true;
    return result;
}

bool DeleteSavedCalculation(const DataFolders& folders, const std::string& name,
                            const std::vector<std::string>& names)
{
    if (!PlainName(name))
        return false;
    const Path folder = folders.oldMont / name;
    std::vector<std::string> files;
    for (const std::string& file : names)
        if (IsRegular(folder / file))
            files.push_back(file);
    DeleteFilesFromList(files, folder, folders.base);
    return RemoveDirWithMessage(folder);
}

}  // namespace vor
