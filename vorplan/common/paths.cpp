#include "vorplan/common/paths.h"

#include <algorithm>
#include <system_error>

namespace vor {

namespace fs = std::filesystem;

namespace {

// Folded to upper case, as Windows orders names ("A_B" after "AAB").
unsigned char Fold(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') ? static_cast<unsigned char>(u - ('a' - 'A')) : u;
}

// Index of the next UTF-8 character after the one starting at `i`.
std::size_t NextChar(std::string_view s, std::size_t i)
{
    ++i;
    while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80)
        ++i;
    return i;
}

// Greedy matcher that backtracks only to the last "*": linear in the
// pattern times the name, whatever the number of stars.
bool MatchPlain(std::string_view pattern, std::string_view name)
{
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t starP = std::string_view::npos;
    std::size_t starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() && pattern[p] == '?') {
            ++p;
            n = NextChar(name, n);
        } else if (p < pattern.size() && Fold(pattern[p]) == Fold(name[n])) {
            ++p;
            ++n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            starN = NextChar(name, starN);
            n = starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

}  // namespace

bool WildcardMatch(std::string_view pattern, std::string_view name)
{
    if (pattern == "*" || pattern == "*.*")
        return true;
    if (MatchPlain(pattern, name))
        return true;
    if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*" &&
        name.find('.') == std::string_view::npos)
        return MatchPlain(pattern.substr(0, pattern.size() - 2), name);
    return false;
}

bool EqualNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Fold(a[i]) != Fold(b[i]))
            return false;
    }
    return true;
}

bool LessNoCase(std::string_view a, std::string_view b)
{
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned char ca = Fold(a[i]);
        const unsigned char cb = Fold(b[i]);
        if (ca != cb)
            return ca < cb;
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;
}

fs::path FindNoCase(const fs::path& folder, std::string_view name)
{
    const fs::path exact = folder / fs::path(name);
    try {
        std::error_code ec;
        if (fs::symlink_status(exact, ec).type() != fs::file_type::not_found && !ec)
            return exact;
        std::string best;
        bool found = false;
        fs::directory_iterator it(folder, ec);
        for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
            std::string entry = it->path().filename().string();
            if (EqualNoCase(entry, name) && (!found || LessNoCase(entry, best))) {
                best = std::move(entry);
                found = true;
            }
        }
        if (found)
            return folder / best;
    } catch (const fs::filesystem_error&) {
        // Reading falls back to the name as given.
    }
    return exact;
}

std::vector<std::string> ListFolder(const fs::path& folder, std::string_view pattern,
                                    EntryKind kind)
{
    std::vector<std::string> names;
    try {
        std::error_code ec;
        fs::directory_iterator it(folder, ec);
        for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
            std::string name = it->path().filename().string();
            if (!WildcardMatch(pattern, name))
                continue;
            std::error_code kindEc;
            bool wanted = true;
            if (kind == EntryKind::Files)
                wanted = it->is_regular_file(kindEc);
            else if (kind == EntryKind::Folders)
                wanted = it->is_directory(kindEc);
            if (wanted && !kindEc)
                names.push_back(std::move(name));
        }
        if (ec)
            return {};
    } catch (const fs::filesystem_error&) {
        return {};
    }
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return LessNoCase(a, b); });
    return names;
}

}  // namespace vor
