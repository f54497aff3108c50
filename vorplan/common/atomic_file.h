#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace vor {

// The system calls the atomic writer makes; tests substitute failing ones.
class FileOps {
public:
    virtual ~FileOps() = default;
    virtual ssize_t Read(int fd, char* buffer, std::size_t size);
    virtual ssize_t Write(int fd, const char* data, std::size_t size);
    virtual int Sync(int fd);
    virtual int Close(int fd);
    virtual int Rename(const char* from, const char* to);
};

FileOps& DefaultFileOps();

// Replaces the whole file with `data`: writes a temporary file in the same
// folder, checks every write, flushes it to disk and renames it over the old
// file. On any failure the temporary is removed, the old file is left exactly
// as it was, and IoError is thrown.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view data,
                         FileOps& ops = DefaultFileOps());

// The permission bits a new file gets under the current umask.
mode_t NewFileMode();

// Opens a new temporary file in `folder` named after `fileName` ("." + the
// name's first 200 characters + a random suffix) with the bits `mode`, and
// stores its path in `tempName`. Returns the descriptor, or -1 with errno set.
int CreateTempFile(const std::filesystem::path& folder, const std::string& fileName, mode_t mode,
                   std::string& tempName);

// Writes `data` to the open temporary `fd`, checking every write, flushes it
// and closes it. Returns 0, or the errno of the failing call (the descriptor is
// closed either way; the file is left for the caller to remove).
int WriteAndCloseTemp(int fd, std::string_view data, FileOps& ops);

// Flushes a folder's entries, so renames in it survive a crash; silent when
// the file system refuses.
void SyncFolder(const std::filesystem::path& folder);

// Reads a whole file as bytes; throws IoError when it cannot.
std::string ReadFileBytes(const std::filesystem::path& path, FileOps& ops = DefaultFileOps());

}  // namespace vor
