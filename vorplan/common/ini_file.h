#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "vorplan/common/atomic_file.h"
#include "vorplan/common/codec.h"

namespace vor {

// The folder that holds INI files opened by a bare name: $VORLANE_INI_DIR,
// else $XDG_CONFIG_HOME/vorlane, else ~/.config/vorlane. Created when missing;
// throws IoError when it cannot be created.
std::filesystem::path SettingsFolder();

// A bare name ("VL_.INI") resolves into SettingsFolder(); a name with a
// folder part is returned as it is.
std::filesystem::path IniPath(const std::filesystem::path& nameOrPath);

// The parsed lines of one INI text, kept in order so that a rewrite keeps
// comments, unknown keys and the layout of the file.
class IniDocument {
public:
    // Parses decoded (UTF-8) INI text; never fails, whatever the input.
    static IniDocument Parse(std::string_view text);

    // The value of the first matching key in the first matching section
    // (both compared without case), trimmed, one pair of quotes removed.
    bool Find(std::string_view section, std::string_view key, std::string& value) const;

    // Sets the first matching key, or appends it at the end of its section,
    // or appends the section at the end of the text.
    void Set(std::string_view section, std::string_view key, std::string_view value);

    // Removes the first matching key; false when there was none.
    bool Remove(std::string_view section, std::string_view key);
    // Removes the first matching section with all its lines.
    bool RemoveSection(std::string_view section);

    // Typed reads with the profile rules: a default for a missing key and for
    // text that is not wholly of the type asked; booleans are integers != 0.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view def) const;
    int ReadInteger(std::string_view section, std::string_view key, int def) const;
    bool ReadBool(std::string_view section, std::string_view key, bool def) const;
    double ReadReal(std::string_view section, std::string_view key, double def) const;

    bool HasSection(std::string_view section) const;
    // The keys of the first matching section, in file order.
    std::vector<std::string> Keys(std::string_view section) const;
    std::vector<std::string> Sections() const;

    // The text again, one line each, for writing.
    const std::vector<std::string>& Lines() const { return m_lines; }

private:
    struct Range {
        std::size_t header;  // index of the "[section]" line
        std::size_t end;     // one past the last line of the section
    };
    bool FindSection(std::string_view section, Range& range) const;
    bool FindKeyLine(const Range& range, std::string_view key, std::size_t& line) const;

    std::vector<std::string> m_lines;
};

// An INI file with the Windows profile rules: case-insensitive sections and
// keys, first match wins, a default for every read (also for text that does
// not read as the type asked for), booleans written "1"/"0" and read as an
// integer other than 0. The file is read when the object is made; every write
// re-reads the file, changes one key and saves the whole file atomically.
// Text on disk is Windows-1252 with CR LF; UTF-8 is accepted when reading,
// and a file read as UTF-8 is written back as UTF-8, so lines nobody changed
// keep every character. A file that exists but cannot be read or decoded
// reads as empty (every read gives its default) and is never written over:
// each write throws IoError naming it and the file stays as it is.
class IniFile {
public:
    // `nameOrPath` goes through IniPath, so a bare name lands in the settings folder.
    explicit IniFile(const std::filesystem::path& nameOrPath, FileOps& ops = DefaultFileOps());

    const std::filesystem::path& path() const { return m_path; }
    const IniDocument& Document() const { return m_doc; }
    // True when the file exists but could not be read or decoded.
    bool Unreadable() const { return m_readError != 0; }

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view def) const;
    int ReadInteger(std::string_view section, std::string_view key, int def) const;
    bool ReadBool(std::string_view section, std::string_view key, bool def) const;
    // Real values are read and written with a point, never by the locale.
    double ReadReal(std::string_view section, std::string_view key, double def) const;

    // Writes throw IoError when the file cannot be saved; the old file stays.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int value);
    void WriteBool(std::string_view section, std::string_view key, bool value);
    void WriteReal(std::string_view section, std::string_view key, double value);
    void DeleteKey(std::string_view section, std::string_view key);
    void EraseSection(std::string_view section);
    // Re-reads the file, applies `change` and saves once; throws like the writes.
    void Update(const std::function<void(IniDocument&)>& change);

    bool SectionExists(std::string_view section) const;
    bool KeyExists(std::string_view section, std::string_view key) const;
    std::vector<std::string> ReadSectionKeys(std::string_view section) const;

    // Reads the file again (another program may have changed it).
    void Reload();

private:
    void Save();

    std::filesystem::path m_path;
    FileOps* m_ops;
    IniDocument m_doc;
    TextEncoding m_encoding = TextEncoding::Windows1252;
    int m_readError = 0;  // errno of a failed read of a file that exists
};

}  // namespace vor
