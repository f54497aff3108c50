#include "vorplan/common/user_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "vorplan/common/codec.h"
#include "vorplan/common/text_file.h"

namespace vor {

namespace {

bool RegularWithin(const struct stat& info, std::uintmax_t maxBytes)
{
    return S_ISREG(info.st_mode) && info.st_size >= 0 && static_cast<std::uintmax_t>(info.st_size) <= maxBytes;
}

}  // namespace

bool IsRegularFileWithin(const std::filesystem::path& path, std::uintmax_t maxBytes)
{
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && RegularWithin(info, maxBytes);
}

std::optional<std::string> ReadUserFileBytes(const std::filesystem::path& path, std::uintmax_t maxBytes)
{
    if (path.empty())
        return std::nullopt;
    // Without O_NONBLOCK opening a FIFO waits for a writer; the kind is checked on the open file.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !RegularWithin(info, maxBytes)) {
        ::close(fd);
        return std::nullopt;
    }
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 || bytes.size() + static_cast<std::size_t>(got) > maxBytes) {
            ::close(fd);
            return std::nullopt;
        }
        if (got == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return bytes;
}

std::optional<std::vector<std::string>> ReadUserTextLines(const std::filesystem::path& path,
                                                          std::uintmax_t maxBytes)
{
    auto bytes = ReadUserFileBytes(path, maxBytes);
    if (!bytes)
        return std::nullopt;
    return SplitTextLines(DecodeFileText(*bytes));
}

}  // namespace vor
