#include "vorplan/common/ini_file.h"

#include <pwd.h>
#include <unistd.h>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <system_error>

#include "vorplan/common/conversions.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/paths.h"
#include "vorplan/common/text_file.h"

namespace vor {

namespace fs = std::filesystem;

namespace {

std::string_view Trim(std::string_view s)
{
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

// A "[name]" line; a header without "]" runs to the end of the line.
bool ParseHeader(std::string_view line, std::string_view& name)
{
    const std::string_view t = Trim(line);
    if (t.empty() || t.front() != '[')
        return false;
    std::string_view inner = t.substr(1);
    const auto close = inner.find(']');
    if (close != std::string_view::npos)
        inner = inner.substr(0, close);
    name = Trim(inner);
    return true;
}

// A "key=value" line that is neither a header nor a comment.
bool ParseKeyLine(std::string_view line, std::string_view& key, std::string_view& rawValue)
{
    const std::string_view t = Trim(line);
    if (t.empty() || t.front() == ';' || t.front() == '[')
        return false;
    const auto eq = line.find('=');
    if (eq == std::string_view::npos)
        return false;
    key = Trim(line.substr(0, eq));
    rawValue = line.substr(eq + 1);
    return true;
}

std::string CleanValue(std::string_view raw)
{
    std::string_view v = Trim(raw);
    if (v.size() >= 2 && (v.front() == '\'' || v.front() == '"') && v.front() == v.back())
        v = v.substr(1, v.size() - 2);
    return std::string(v);
}

bool IsBlank(std::string_view line)
{
    return Trim(line).empty();
}

// A line break inside a key or value would split it into lines of its own
// when the file is read again, so it is written as a blank.
std::string OneLine(std::string_view text)
{
    std::string s(text);
    for (char& c : s) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    return s;
}

bool ContainsNoCase(const std::vector<std::string>& list, std::string_view name)
{
    for (const auto& item : list) {
        if (EqualNoCase(item, name))
            return true;
    }
    return false;
}

// The whole text must be an int: optional sign, then decimal digits or "$" and
// hexadecimal digits.
bool ParseInt(std::string_view s, int& out)
{
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    int base = 10;
    if (!s.empty() && s.front() == '$') {
        base = 16;
        s.remove_prefix(1);
    }
    if (s.empty() || s.front() == '+' || s.front() == '-')
        return false;
    long long magnitude = 0;
    const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), magnitude, base);
    if (ec != std::errc() || ptr != s.data() + s.size())
        return false;
    const long long value = negative ? -magnitude : magnitude;
    if (value < INT_MIN || value > INT_MAX)
        return false;
    out = static_cast<int>(value);
    return true;
}

// The whole text must be a decimal number: [+-]digits[.digits][e[+-]digits],
// with "," accepted for the point. No inf, nan or hexadecimal.
bool ParseReal(std::string_view s, double& out)
{
    std::string text;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-')
            text += '-';
        ++i;
    }
    std::size_t digits = 0;
    while (i < s.size() && IsDigit(s[i])) {
        text += s[i++];
        ++digits;
    }
    if (i < s.size() && (s[i] == '.' || s[i] == ',')) {
        text += '.';
        ++i;
        while (i < s.size() && IsDigit(s[i])) {
            text += s[i++];
            ++digits;
        }
    }
    if (digits == 0)
        return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        text += 'e';
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            text += s[i++];
        std::size_t expDigits = 0;
        while (i < s.size() && IsDigit(s[i])) {
            text += s[i++];
            ++expDigits;
        }
        if (expDigits == 0)
            return false;
    }
    if (i != s.size())
        return false;
    double value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size())
        return false;
    out = value;
    return true;
}

const char* NonEmptyEnv(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value ? value : nullptr;
}

}  // namespace

fs::path SettingsFolder()
{
    fs::path folder;
    if (const char* dir = NonEmptyEnv("VORLANE_INI_DIR")) {
        folder = dir;
    } else if (const char* xdg = NonEmptyEnv("XDG_CONFIG_HOME");
               xdg && fs::path(xdg).is_absolute()) {
        // The XDG rules ignore a relative value.
        folder = fs::path(xdg) / "vorlane";
    } else {
        const char* home = NonEmptyEnv("HOME");
        if (!home) {
            const passwd* pw = getpwuid(geteuid());
            if (!pw || !pw->pw_dir || !*pw->pw_dir)
                throw IoError(fs::path("~/.config/vorlane"), ENOENT, "localizar a pasta pessoal");
            home = pw->pw_dir;
        }
        folder = fs::path(home) / ".config" / "vorlane";
    }
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec)
        throw IoError(folder, ec.value(), "criar a pasta");
    if (!fs::is_directory(folder, ec))
        throw IoError(folder, ec ? ec.value() : ENOTDIR, "criar a pasta");
    return folder;
}

fs::path IniPath(const fs::path& nameOrPath)
{
    if (nameOrPath.has_parent_path())
        return nameOrPath;
    return SettingsFolder() / nameOrPath;
}

// ---- IniDocument -------------------------------------------------------------

IniDocument IniDocument::Parse(std::string_view text)
{
    IniDocument doc;
    doc.m_lines = SplitTextLines(text);
    return doc;
}

bool IniDocument::FindSection(std::string_view section, Range& range) const
{
    std::string_view name;
    std::size_t i = 0;
    for (; i < m_lines.size(); ++i) {
        if (ParseHeader(m_lines[i], name) && EqualNoCase(name, section))
            break;
    }
    if (i == m_lines.size())
        return false;
    range.header = i;
    range.end = i + 1;
    while (range.end < m_lines.size() && !ParseHeader(m_lines[range.end], name))
        ++range.end;
    return true;
}

bool IniDocument::FindKeyLine(const Range& range, std::string_view key, std::size_t& line) const
{
    std::string_view k, raw;
    for (std::size_t i = range.header + 1; i < range.end; ++i) {
        if (ParseKeyLine(m_lines[i], k, raw) && EqualNoCase(k, key)) {
            line = i;
            return true;
        }
    }
    return false;
}

bool IniDocument::Find(std::string_view section, std::string_view key, std::string& value) const
{
    Range range{};
    std::size_t line = 0;
    if (!FindSection(section, range) || !FindKeyLine(range, key, line))
        return false;
    std::string_view k, raw;
    ParseKeyLine(m_lines[line], k, raw);
    value = CleanValue(raw);
    return true;
}

void IniDocument::Set(std::string_view section, std::string_view key, std::string_view value)
{
    const std::string cleanKey = OneLine(key);
    const std::string cleanValue = OneLine(value);
    Range range{};
    if (!FindSection(section, range)) {
        m_lines.push_back("[" + OneLine(section) + "]");
        m_lines.push_back(cleanKey + "=" + cleanValue);
        return;
    }
    std::size_t line = 0;
    if (FindKeyLine(range, key, line)) {
        std::string_view k, raw;
        ParseKeyLine(m_lines[line], k, raw);
        m_lines[line] = std::string(k) + "=" + cleanValue;
        return;
    }
    // After the last non-blank line, so the blank line before the next
    // section stays where it is.
    std::size_t at = range.end;
    while (at > range.header + 1 && IsBlank(m_lines[at - 1]))
        --at;
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(at), cleanKey + "=" + cleanValue);
}

bool IniDocument::Remove(std::string_view section, std::string_view key)
{
    Range range{};
    std::size_t line = 0;
    if (!FindSection(section, range) || !FindKeyLine(range, key, line))
        return false;
    m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(line));
    return true;
}

bool IniDocument::RemoveSection(std::string_view section)
{
    Range range{};
    if (!FindSection(section, range))
        return false;
    m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(range.header),
                  m_lines.begin() + static_cast<std::ptrdiff_t>(range.end));
    return true;
}

bool IniDocument::HasSection(std::string_view section) const
{
    Range range{};
    return FindSection(section, range);
}

std::vector<std::string> IniDocument::Keys(std::string_view section) const
{
    std::vector<std::string> keys;
    Range range{};
    if (!FindSection(section, range))
        return keys;
    std::string_view k, raw;
    for (std::size_t i = range.header + 1; i < range.end; ++i) {
        // A repeated key reads as its first occurrence, so it is listed once.
        if (ParseKeyLine(m_lines[i], k, raw) && !ContainsNoCase(keys, k))
            keys.emplace_back(k);
    }
    return keys;
}

std::vector<std::string> IniDocument::Sections() const
{
    std::vector<std::string> sections;
    std::string_view name;
    for (const auto& line : m_lines) {
        if (ParseHeader(line, name) && !ContainsNoCase(sections, name))
            sections.emplace_back(name);
    }
    return sections;
}

// ---- IniFile -----------------------------------------------------------------

IniFile::IniFile(const fs::path& nameOrPath, FileOps& ops)
    : m_path(IniPath(nameOrPath)), m_ops(&ops)
{
    Reload();
}

void IniFile::Reload()
{
    std::string text;
    m_encoding = TextEncoding::Windows1252;
    m_readError = 0;
    try {
        const TextFileLines file = ReadTextFileForRewrite(m_path, *m_ops);
        for (const auto& line : file.lines) {
            text += line;
            text += '\n';
        }
        m_encoding = file.encoding;
    } catch (const IoError& e) {
        // A missing file is created by the first write; any other failure
        // would have that write save only its own key over the whole file.
        if (e.code() != ENOENT)
            m_readError = e.code() != 0 ? e.code() : EIO;
    }
    m_doc = IniDocument::Parse(text);
}

void IniFile::Save()
{
    if (m_readError != 0)
        throw IoError(m_path, m_readError, "gravar sobre um arquivo que não pôde ser lido");
    try {
        WriteFileAtomically(m_path, EncodeTextLines(m_doc.Lines(), m_encoding), *m_ops);
    } catch (...) {
        // The change did not reach the file; keep what the file holds.
        Reload();
        throw;
    }
}

std::string IniDocument::ReadString(std::string_view section, std::string_view key,
                                    std::string_view def) const
{
    std::string value;
    if (Find(section, key, value))
        return value;
    return std::string(def);
}

int IniDocument::ReadInteger(std::string_view section, std::string_view key, int def) const
{
    std::string value;
    int n = 0;
    if (Find(section, key, value) && ParseInt(value, n))
        return n;
    return def;
}

bool IniDocument::ReadBool(std::string_view section, std::string_view key, bool def) const
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

double IniDocument::ReadReal(std::string_view section, std::string_view key, double def) const
{
    std::string value;
    double x = 0;
    if (Find(section, key, value) && ParseReal(value, x))
        return x;
    return def;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view def) const
{
    return m_doc.ReadString(section, key, def);
}

int IniFile::ReadInteger(std::string_view section, std::string_view key, int def) const
{
    return m_doc.ReadInteger(section, key, def);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool def) const
{
    return m_doc.ReadBool(section, key, def);
}

double IniFile::ReadReal(std::string_view section, std::string_view key, double def) const
{
    return m_doc.ReadReal(section, key, def);
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    Reload();
    m_doc.Set(section, key, value);
    Save();
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int value)
{
    char buf[16];
    const auto result = std::to_chars(buf, buf + sizeof buf, value);
    WriteString(section, key, std::string_view(buf, static_cast<std::size_t>(result.ptr - buf)));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}

void IniFile::WriteReal(std::string_view section, std::string_view key, double value)
{
    char buf[32];
    const auto result = std::to_chars(buf, buf + sizeof buf, value);
    WriteString(section, key, std::string_view(buf, static_cast<std::size_t>(result.ptr - buf)));
}

void IniFile::DeleteKey(std::string_view section, std::string_view key)
{
    Reload();
    // Save refuses a file that could not be read, so the caller hears of it.
    if (m_doc.Remove(section, key) || m_readError != 0)
        Save();
}

void IniFile::EraseSection(std::string_view section)
{
    Reload();
    if (m_doc.RemoveSection(section) || m_readError != 0)
        Save();
}

void IniFile::Update(const std::function<void(IniDocument&)>& change)
{
    Reload();
    change(m_doc);
    Save();
}

bool IniFile::SectionExists(std::string_view section) const
{
    return m_doc.HasSection(section);
}

bool IniFile::KeyExists(std::string_view section, std::string_view key) const
{
    std::string value;
    return m_doc.Find(section, key, value);
}

std::vector<std::string> IniFile::ReadSectionKeys(std::string_view section) const
{
    return m_doc.Keys(section);
}

}  // namespace vor
