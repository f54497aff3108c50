#include "vorplan/common/file_operations.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

#include "platform/clock.h"
#include "platform/message_service.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/text_file.h"

namespace vor {

namespace fs = std::filesystem;

namespace {

bool IsRegularNoFollow(const Path& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool BeginsWithDot(const std::string& name)
{
    return !name.empty() && name.front() == '.';
}

// Deleting "every file" of an empty path would mean the current directory,
// and of the base folder the installation itself.
bool IsRefusedFolder(const Path& folder, const Path& base)
{
    if (folder.empty())
        return true;
    std::error_code ec;
    return !base.empty() && fs::equivalent(folder, base, ec) && !ec;
}

// An open source and the temporary beside the destination; both are closed,
// and the temporary removed, on every way out that does not rename it.
class CopyJob {
public:
    CopyJob(int source, FileOps& ops) : m_source(source), m_ops(ops) {}
    ~CopyJob()
    {
        if (m_temp >= 0)
            m_ops.Close(m_temp);
        if (!m_tempName.empty())
            ::unlink(m_tempName.c_str());
        ::close(m_source);
    }
    CopyJob(const CopyJob&) = delete;
    CopyJob& operator=(const CopyJob&) = delete;

    void CreateTemp(const Path& target, mode_t mode)
    {
        std::string name;
        const int fd = CreateTempFile(target.parent_path(), target.filename().string(), mode, name);
        if (fd < 0)
            throw IoError(target, errno, "criar");
        m_temp = fd;
        m_tempName = std::move(name);
    }

    // Copies, flushes and renames the temporary over `target`; false on any failure.
    bool Finish(const Path& target)
    {
        char buffer[65536];
        for (;;) {
            const ssize_t got = ::read(m_source, buffer, sizeof buffer);
            if (got < 0) {
                if (errno == EINTR)
                    continue;
                return false;
            }
            if (got == 0)
                break;
            const char* next = buffer;
            auto left = static_cast<std::size_t>(got);
            while (left > 0) {
                const ssize_t written = m_ops.Write(m_temp, next, left);
                if (written < 0 && errno == EINTR)
                    continue;
                if (written <= 0 || static_cast<std::size_t>(written) > left)
                    return false;
                next += written;
                left -= static_cast<std::size_t>(written);
            }
        }
        if (m_ops.Sync(m_temp) != 0)
            return false;
        const int closed = m_ops.Close(m_temp);
        m_temp = -1;
        if (closed != 0)
            return false;
        if (m_ops.Rename(m_tempName.c_str(), target.c_str()) != 0)
            return false;
        m_tempName.clear();
        return true;
    }

private:
    int m_source;
    FileOps& m_ops;
    int m_temp = -1;
    std::string m_tempName;
};

void Walk(const Path& folder, const std::string& mask, EntryKind kind,
          std::set<std::pair<dev_t, ino_t>>& visited, std::vector<Path>& found)
{
    const Path listed = folder.empty() ? Path(".") : folder;
    // Guards against a folder reached twice through a bind mount.
    struct stat info {};
    if (::stat(listed.c_str(), &info) != 0 || !visited.insert({info.st_dev, info.st_ino}).second)
        return;

    const std::vector<std::string> names = ListFolder(listed, "*", EntryKind::Any);
    for (const std::string& name : names) {
        if (!WildcardMatch(mask, name))
            continue;
        std::error_code ec;
        bool wanted = true;
        if (kind == EntryKind::Files)
            wanted = fs::is_regular_file(listed / name, ec);
        else if (kind == EntryKind::Folders)
            wanted = fs::symlink_status(listed / name, ec).type() == fs::file_type::directory;
        if (wanted && !ec)
            found.push_back(folder / name);
    }
    for (const std::string& name : names) {
        std::error_code ec;
        if (fs::symlink_status(listed / name, ec).type() == fs::file_type::directory && !ec)
            Walk(folder / name, mask, kind, visited, found);
    }
}

}  // namespace

std::string UnreadableFileText(const Path& path)
{
    return "Não foi possível ler o arquivo " + path.string();
}

bool CopyFileLz(const Path& source, const Path& destination, FileOps& ops)
{
    std::error_code ec;
    if (!fs::is_regular_file(source, ec))
        platform::ShowMessage(UnreadableFileText(source));

    const int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (in < 0)
        throw IoError(source, errno, "ler");
    struct stat sourceInfo {};
    if (::fstat(in, &sourceInfo) != 0 || !S_ISREG(sourceInfo.st_mode)) {
        const int code = S_ISDIR(sourceInfo.st_mode) ? EISDIR : EINVAL;
        ::close(in);
        throw IoError(source, code, "ler");
    }
    CopyJob job(in, ops);

    // A link as destination is written where it points, so the link stays.
    Path target = destination;
    if (fs::is_symlink(destination, ec)) {
        Path resolved = fs::weakly_canonical(destination, ec);
        if (!ec && !resolved.empty())
            target = std::move(resolved);
    }
    mode_t mode = NewFileMode();
    struct stat targetInfo {};
    if (::stat(target.c_str(), &targetInfo) == 0) {
        // Copying a file onto itself through a temporary would still work, but
        // there is nothing to do.
        if (targetInfo.st_dev == sourceInfo.st_dev && targetInfo.st_ino == sourceInfo.st_ino)
            return true;
        if (S_ISDIR(targetInfo.st_mode))
            throw IoError(destination, EISDIR, "criar");
        mode = targetInfo.st_mode & 0777;
    }
    const std::string name = target.filename().string();
    if (name.empty() || name == "." || name == "..")
        throw IoError(destination, EISDIR, "criar");

    job.CreateTemp(target, mode);
    if (!job.Finish(target)) {
        platform::ShowMessage("Erro durante cópia de arquivo");
        return false;
    }
    return true;
}

void CreateMaterialIni(const DataFolders& folders, long long code, const platform::Clock& clock)
{
    IniFile ini(MaterialFile(folders, code));
    ini.WriteString("PED", "CRIACAO", DateTimeText(clock));
    ini.WriteString("DESC", "CAMPO1", "MAT " + std::to_string(code));
    for (int field = 2; field <= 7; ++field)
        ini.WriteString("DESC", "CAMPO" + std::to_string(field), "");
}

void CreateMaterialIni(long long code)
{
    CreateMaterialIni(gShared.folders, code, platform::GetClock());
}

bool MaterialIniExists(const DataFolders& folders, long long code)
{
    std::error_code ec;
    return fs::exists(MaterialFile(folders, code), ec);
}

bool MaterialIniExists(long long code)
{
    return MaterialIniExists(gShared.folders, code);
}

bool DuplicateMaterialIni(const DataFolders& folders, long long newCode, long long sourceCode,
                          const platform::Clock& clock)
{
    if (MaterialIniExists(folders, newCode) || !MaterialIniExists(folders, sourceCode))
        return false;
    if (!CopyFileLz(MaterialFile(folders, sourceCode), MaterialFile(folders, newCode)))
        return false;
    CreateMaterialIni(folders, newCode, clock);
    return true;
}

bool DuplicateMaterialIni(long long newCode, long long sourceCode)
{
    return DuplicateMaterialIni(gShared.folders, newCode, sourceCode, platform::GetClock());
}

bool DeleteFileWithMessage(const Path& path)
{
    // unlink never follows a link; the type check keeps it to plain files.
    if (IsRegularNoFollow(path) && ::unlink(path.c_str()) == 0)
        return true;
    platform::ShowMessage("Não pude apagar " + path.string());
    return false;
}

bool DeleteAllFilesInDir(const Path& folder, const Path& base)
{
    if (IsRefusedFolder(folder, base))
        return false;
    bool all = true;
    for (const std::string& name : ListFolder(folder, "*.*", EntryKind::Any)) {
        if (!BeginsWithDot(name) && IsRegularNoFollow(folder / name))
            all = DeleteFileWithMessage(folder / name) && all;
    }
    return all;
}

bool DeleteAllFilesInDir(const Path& folder)
{
    return DeleteAllFilesInDir(folder, gShared.folders.base);
}

bool CopyAllFilesInDir(const Path& source, const Path& destination)
{
    bool all = true;
    for (const std::string& name : ListFolder(source, "*.*", EntryKind::Any)) {
        if (!BeginsWithDot(name) && IsRegularNoFollow(source / name))
            all = CopyFileLz(source / name, destination / name) && all;
    }
    return all;
}

std::vector<std::string> ListDirIntoList(const Path& pattern)
{
    const Path folder = pattern.parent_path();
    std::vector<std::string> names;
    for (std::string& name :
         ListFolder(folder.empty() ? Path(".") : folder, pattern.filename().string(), EntryKind::Any)) {
        if (!BeginsWithDot(name))
            names.push_back(std::move(name));
    }
    return names;
}

bool DeleteFilesFromList(const std::vector<std::string>& names, const Path& folder, const Path& base)
{
    if (IsRefusedFolder(folder, base))
        return false;
    bool all = true;
    for (const std::string& name : names) {
        // Items are plain names of the folder; anything else would reach outside it.
        const bool plain = !name.empty() && name != "." && name != ".." &&
                           name.find('/') == std::string::npos;
        if (plain) {
            all = DeleteFileWithMessage(folder / name) && all;
        } else {
            platform::ShowMessage("Não pude apagar " + (folder / name).string());
            all = false;
        }
    }
    return all;
}

bool DeleteFilesFromList(const std::vector<std::string>& names, const Path& folder)
{
    return DeleteFilesFromList(names, folder, gShared.folders.base);
}

std::string ReadFirstLineOrMessage(const Path& path)
{
    const std::optional<std::vector<std::string>> lines = ReadTextLines(path);
    if (!lines) {
        platform::ShowMessage("Arquivo " + path.string() + " não localizado");
        return "---";
    }
    return lines->empty() ? std::string() : lines->front();
}

bool RemoveDirWithMessage(const Path& path)
{
    if (::rmdir(path.c_str()) == 0)
        return true;
    platform::ShowMessage("Falha no rmdir " + path.string());
    return false;
}

std::string BuildDatedBackupName(const platform::Clock& clock)
{
    // "dd/mm/yy  hh:mm:ss"
    const std::string stamp = DateTimeText(clock);
    return "M_" + stamp.substr(0, 2) + stamp.substr(3, 2) + stamp.substr(6, 2) + "_" +
           stamp.substr(10, 2) + stamp.substr(13, 2) + stamp.substr(16, 2);
}

std::string BuildDatedBackupName()
{
    return BuildDatedBackupName(platform::GetClock());
}

void MergeTextFiles(const Path& first, const Path& second)
{
    std::error_code ec;
    if (!fs::exists(first, ec))
        return;
    std::vector<std::string> lines = ReadTextLinesOrThrow(first);
    if (fs::exists(second, ec)) {
        std::vector<std::string> own = ReadTextLinesOrThrow(second);
        lines.insert(lines.end(), std::make_move_iterator(own.begin()),
                     std::make_move_iterator(own.end()));
    }
    WriteTextLines(second, lines);
}

std::vector<Path> WalkDirectoryTree(const Path& pattern, EntryKind kind)
{
    std::vector<Path> found;
    std::set<std::pair<dev_t, ino_t>> visited;
    Walk(pattern.parent_path(), pattern.filename().string(), kind, visited, found);
    return found;
}

}  // namespace vor
