#include "vorplan/common/file_set.h"

#include "vorplan/common/errors.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/text_file.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace vor {

namespace fs = std::filesystem;

namespace {

// The journal is written twice: "pending" with the targets before any
// temporary exists (so a kill then can still find and remove them), and
// "commit" with each temporary and its target once every file is complete.
constexpr const char* kJournalHead = "vorlane file set 1";
constexpr const char* kPending = "pending";
constexpr const char* kCommit = "commit";
constexpr const char* kJournalEnd = "end";

fs::path FolderOf(const fs::path& path)
{
    const fs::path folder = path.parent_path();
    return folder.empty() ? fs::path(".") : folder;
}

// Removes the temporaries CreateTempFile names after `target` ("." + the
// first 200 characters of the name + "." + six characters).
void RemoveTempsOf(const fs::path& target)
{
    const std::string prefix = "." + target.filename().string().substr(0, 200) + ".";
    std::error_code ec;
    for (fs::directory_iterator it(FolderOf(target), ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() == prefix.size() + 6 && name.compare(0, prefix.size(), prefix) == 0) {
            std::error_code removeError;
            fs::remove(it->path(), removeError);
        }
    }
}

void CheckJournalPath(const fs::path& path)
{
    // One path a line, temporary and target split by a TAB.
    const std::string text = path.string();
    if (text.find_first_of("\t\n\r") != std::string::npos)
        throw IoError(path, EINVAL, "gravar");
}

}  // namespace

Path FileSetJournalFile(const DataFolders& folders)
{
    return folders.base / "FILESET.JNL";
}

Path FileSetJournalFile()
{
    return FileSetJournalFile(gShared.folders);
}

bool FinishFileSet(const fs::path& journal, FileOps& ops)
{
    // A journal interrupted while written leaves only its own temporary.
    RemoveTempsOf(journal);
    std::error_code ec;
    if (!fs::exists(journal, ec))
        return false;
    const std::vector<std::string> lines = SplitTextLines(ReadFileBytes(journal, ops));
    // The journal is written atomically, so a known head with its end line is whole.
    const bool whole = lines.size() >= 3 && lines.front() == kJournalHead && lines.back() == kJournalEnd;
    if (whole && lines[1] == kCommit) {
        for (std::size_t i = 2; i + 1 < lines.size(); ++i) {
            const std::size_t tab = lines[i].find('\t');
            if (tab == std::string::npos)
                continue;
            const fs::path temp = lines[i].substr(0, tab);
            const fs::path target = lines[i].substr(tab + 1);
            // A temporary already gone was renamed before the interruption.
            if (!fs::exists(temp, ec))
                continue;
            if (ops.Rename(temp.c_str(), target.c_str()) != 0)
                throw IoError(target, errno, "gravar");
            SyncFolder(FolderOf(target));
        }
    } else if (whole && lines[1] == kPending) {
        for (std::size_t i = 2; i + 1 < lines.size(); ++i)
            RemoveTempsOf(lines[i]);
    }
    fs::remove(journal, ec);
    SyncFolder(FolderOf(journal));
    return true;
}

void WriteFileSet(const fs::path& journal, const std::vector<FileSetEntry>& files, FileOps& ops)
{
    FinishFileSet(journal, ops);
    CheckJournalPath(journal);

    std::string pending = std::string(kJournalHead) + "\n" + kPending + "\n";
    for (const FileSetEntry& file : files) {
        CheckJournalPath(file.target);
        pending += file.target.string() + "\n";
    }
    pending += std::string(kJournalEnd) + "\n";
    WriteFileAtomically(journal, pending, ops);

    std::vector<std::string> temps;
    const auto abandon = [&](const fs::path& target, int code) {
        for (const std::string& temp : temps)
            ::unlink(temp.c_str());
        std::error_code ec;
        fs::remove(journal, ec);
        throw IoError(target, code, "gravar");
    };
    for (const FileSetEntry& file : files) {
        const fs::path folder = FolderOf(file.target);
        struct stat info {};
        const mode_t mode = ::stat(file.target.c_str(), &info) == 0 ? (info.st_mode & 0777) : NewFileMode();
        std::string temp;
        const int fd = CreateTempFile(folder, file.target.filename().string(), mode, temp);
        if (fd < 0)
            abandon(file.target, errno);
        temps.push_back(temp);
        const int failed = WriteAndCloseTemp(fd, file.data, ops);
        if (failed != 0)
            abandon(file.target, failed);
    }

    std::string commit = std::string(kJournalHead) + "\n" + kCommit + "\n";
    for (std::size_t i = 0; i < files.size(); ++i)
        commit += temps[i] + "\t" + files[i].target.string() + "\n";
    commit += std::string(kJournalEnd) + "\n";
    try {
        WriteFileAtomically(journal, commit, ops);
    } catch (const IoError& error) {
        abandon(files.empty() ? journal : files.front().target, error.code());
    }

    // From here the set is decided: the roll-forward completes it.
    FinishFileSet(journal, ops);
}

}  // namespace vor
