#pragma once

#include <cstdlib>
#include <string>

#include "vorplan/common/ini_file.h"

// Shared by the fuzz targets.
namespace vorfuzz {

// A broken property ends the run as a crash the fuzzer reports.
inline void Check(bool ok)
{
    if (!ok)
        std::abort();
}

// The document's lines, each ended by a line feed.
inline std::string Join(const vor::IniDocument& doc)
{
    std::string text;
    for (const auto& line : doc.Lines()) {
        text += line;
        text += '\n';
    }
    return text;
}

// Reading trims a value and takes one pair of quotes off it, so a value in
// quotes, or with blanks at an end that quotes kept, changes at a save; every
// other text comes back as it went.
inline bool Quoted(const std::string& s)
{
    if (s.empty())
        return false;
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    if (blank(s.front()) || blank(s.back()))
        return true;
    return s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.front() == s.back();
}

}  // namespace vorfuzz
