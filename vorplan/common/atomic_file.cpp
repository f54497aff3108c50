#include "vorplan/common/atomic_file.h"

#include "vorplan/common/errors.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vor {

namespace fs = std::filesystem;

ssize_t FileOps::Read(int fd, char* buffer, std::size_t size)
{
    return ::read(fd, buffer, size);
}

ssize_t FileOps::Write(int fd, const char* data, std::size_t size)
{
    return ::write(fd, data, size);
}

int FileOps::Sync(int fd)
{
    return ::fsync(fd);
}

int FileOps::Close(int fd)
{
    return ::close(fd);
}

int FileOps::Rename(const char* from, const char* to)
{
    return ::rename(from, to);
}

FileOps& DefaultFileOps()
{
    static FileOps ops;
    return ops;
}

mode_t NewFileMode()
{
    // umask can only be read by setting it; put it straight back.
    const mode_t mask = ::umask(0077);
    ::umask(mask);
    return 0666 & ~mask;
}

int CreateTempFile(const fs::path& folder, const std::string& fileName, mode_t mode,
                   std::string& tempName)
{
    // A long file name plus the prefix and suffix could pass the name limit, so
    // the temporary keeps only the start of it.
    constexpr std::size_t kTempNameKeep = 200;
    std::string temp = (folder / ("." + fileName.substr(0, kTempNameKeep) + ".XXXXXX")).string();
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        return -1;
    // mkstemp makes the file private; give it the bits the file had (or would
    // get if created). A file system without modes refusing this is harmless.
    ::fchmod(fd, mode);
    tempName = std::move(temp);
    return fd;
}

namespace {

// Closes and removes the temporary, then reports the failure; `code` is the
// errno of the call that failed, taken before the clean-up can change it.
[[noreturn]] void Fail(const fs::path& target, const std::string& temp, int fd, int code,
                       const char* action)
{
    if (fd >= 0)
        ::close(fd);
    ::unlink(temp.c_str());
    throw IoError(target, code, action);
}

}  // namespace

int WriteAndCloseTemp(int fd, std::string_view data, FileOps& ops)
{
    const char* next = data.data();
    std::size_t left = data.size();
    const auto fail = [fd](int code) {
        ::close(fd);
        return code;
    };
    while (left > 0) {
        const ssize_t written = ops.Write(fd, next, left);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return fail(errno);
        }
        // No progress (or a count larger than asked) would loop or overrun.
        if (written == 0 || static_cast<std::size_t>(written) > left)
            return fail(EIO);
        next += written;
        left -= static_cast<std::size_t>(written);
    }
    if (ops.Sync(fd) != 0)
        return fail(errno);
    // The descriptor is gone after close even when it reports an error.
    if (ops.Close(fd) != 0)
        return errno != 0 ? errno : EIO;
    return 0;
}

void SyncFolder(const fs::path& folder)
{
    // Makes the rename itself durable; a folder that cannot be synced (some
    // file systems refuse) does not undo a write that already succeeded.
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

void WriteFileAtomically(const fs::path& target, std::string_view data, FileOps& ops)
{
    // A file that is a link is written where the link points, so the link survives.
    fs::path path = target;
    std::error_code linkError;
    if (fs::is_symlink(target, linkError)) {
        fs::path resolved = fs::weakly_canonical(target, linkError);
        if (!linkError && !resolved.empty())
            path = std::move(resolved);
    }
    const std::string name = path.filename().string();
    if (name.empty() || name == "." || name == "..")
        throw IoError(path, EISDIR, "gravar");

    fs::path folder = path.parent_path();
    if (folder.empty())
        folder = ".";
    struct stat folderInfo {};
    if (::stat(folder.c_str(), &folderInfo) != 0)
        throw IoError(path, errno, "gravar");
    if (!S_ISDIR(folderInfo.st_mode))
        throw IoError(path, ENOTDIR, "gravar");

    mode_t mode = 0;
    struct stat oldInfo {};
    if (::stat(path.c_str(), &oldInfo) == 0)
        mode = oldInfo.st_mode & 0777;
    else
        mode = NewFileMode();

    std::string temp;
    int fd = CreateTempFile(folder, name, mode, temp);
    if (fd < 0)
        throw IoError(path, errno, "gravar");

    const int failed = WriteAndCloseTemp(fd, data, ops);
    fd = -1;
    if (failed != 0)
        Fail(path, temp, fd, failed, "gravar");

    if (ops.Rename(temp.c_str(), path.c_str()) != 0)
        Fail(path, temp, fd, errno, "gravar");

    SyncFolder(folder);
}

std::string ReadFileBytes(const fs::path& path, FileOps& ops)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw IoError(path, errno, "ler");
    const auto fail = [&path, fd](int code) {
        ::close(fd);
        throw IoError(path, code, "ler");
    };

    struct stat info {};
    if (::fstat(fd, &info) != 0)
        fail(errno);
    if (S_ISDIR(info.st_mode))
        fail(EISDIR);

    std::string bytes;
    if (S_ISREG(info.st_mode) && info.st_size > 0)
        bytes.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t got = ops.Read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            fail(errno);
        }
        if (got == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return bytes;
}

}  // namespace vor
