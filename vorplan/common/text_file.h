#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "vorplan/common/atomic_file.h"
#include "vorplan/common/codec.h"

namespace vor {

// Splits decoded file text into lines: CR LF, LF and a lone CR end a line, and
// a missing end on the last line is accepted. An empty text has no lines.
std::vector<std::string> SplitTextLines(std::string_view text);

// Reads a text file as UTF-8 lines (see DecodeFileText); nullopt when the file
// cannot be opened or read, so callers can fall back to their default.
std::optional<std::vector<std::string>> ReadTextLines(const std::filesystem::path& path);

// Like ReadTextLines, but a file that cannot be read throws IoError.
std::vector<std::string> ReadTextLinesOrThrow(const std::filesystem::path& path);

// The lines of a text file with the encoding they were read in.
struct TextFileLines {
    std::vector<std::string> lines;
    TextEncoding encoding = TextEncoding::Windows1252;
};

// Reads a text file for a rewrite in place; throws IoError when the file
// cannot be read, and also when its bytes are no text (IsUndecodableText).
TextFileLines ReadTextFileForRewrite(const std::filesystem::path& path,
                                     FileOps& ops = DefaultFileOps());

// Encodes lines as Windows-1252 (or `encoding`), each ended by CR LF.
std::string EncodeTextLines(const std::vector<std::string>& lines,
                            TextEncoding encoding = TextEncoding::Windows1252);

// Writes the lines atomically in the data-file encoding; throws IoError and
// leaves an existing file untouched on failure.
void WriteTextLines(const std::filesystem::path& path, const std::vector<std::string>& lines,
                    FileOps& ops = DefaultFileOps());

}  // namespace vor
