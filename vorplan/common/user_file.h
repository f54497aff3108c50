#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vor {

// Files a user names (an include, a picture, the splash picture) may be a
// FIFO that blocks for ever, a device that never ends, or simply huge; they
// are read only when they are regular files within a limit fit for their kind.
inline constexpr std::uintmax_t kMaxPictureFileBytes = 50u * 1024u * 1024u;
inline constexpr std::uintmax_t kMaxIncludeFileBytes = 20u * 1024u * 1024u;

// True when the path names a regular file (also through a link) of at most
// maxBytes; false for anything else or when it cannot be looked at. Never opens it.
bool IsRegularFileWithin(const std::filesystem::path& path, std::uintmax_t maxBytes);

// The bytes of a regular file of at most maxBytes; nullopt when it is anything
// else, grows past the limit while read, or cannot be read. Never blocks on a FIFO.
std::optional<std::string> ReadUserFileBytes(const std::filesystem::path& path, std::uintmax_t maxBytes);

// The lines of such a file as ReadTextLines decodes them; nullopt as above.
std::optional<std::vector<std::string>> ReadUserTextLines(const std::filesystem::path& path,
                                                          std::uintmax_t maxBytes);

}  // namespace vor
