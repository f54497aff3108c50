#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vor {

// Splits decoded file text into lines: CR LF, LF and a lone CR end a line, and
// a missing end on the last line is accepted. An empty text has no lines.
std::vector<std::string> SplitTextLines(std::string_view text);

// Reads a text file as UTF-8 lines (see DecodeFileText); nullopt when the file
// cannot be opened or read, so callers can fall back to their default.
std::optional<std::vector<std::string>> ReadTextLines(const std::filesystem::path& path);

// Like ReadTextLines, but a file that cannot be read throws IoError.
std::vector<std::string> ReadTextLinesOrThrow(const std::filesystem::path& path);

// Encodes lines as Windows-1252, each ended by CR LF.
std::string EncodeTextLines(const std::vector<std::string>& lines);

// Writes the lines atomically in the data-file encoding; throws IoError and
// leaves an existing file untouched on failure.
void WriteTextLines(const std::filesystem::path& path, const std::vector<std::string>& lines);

}  // namespace vor
