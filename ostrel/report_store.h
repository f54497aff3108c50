#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ostrel/draw_ops.h"
#include "ostrel/markup.h"
#include "vorplan/common/atomic_file.h"
#include "vorplan/common/codec.h"

namespace ostrel {

constexpr int kMaxRows = 25001;           // rows 0 to 25 000
constexpr int kMaxIndexEntries = 400;
constexpr int kSearchButtonMinRows = 40;  // shorter reports hide the search button
constexpr std::size_t kMaxIncludeName = 100;

constexpr char kMarkNone = ' ';
constexpr char kMarkHit = 'X';
constexpr char kMarkSelected = 'A';

enum class LoadStatus {
    Ok,
    Unavailable,  // the file cannot be read; nothing changed
    TooLong,      // more lines than the store holds: the first ones shown, read-only
};

struct IndexEntry {
    std::string text;  // indented heading text
    int row = 0;
};

// Which entries of the grid's right-button menu are enabled on a row.
struct MenuState {
    bool insertLine = false;
    bool editLine = false;
    bool deleteLine = false;
    bool deleteTable = false;
    bool crossCursor = false;  // the pointer shape over a plain row
    friend bool operator==(const MenuState&, const MenuState&) = default;
};

enum class EditStatus {
    Done,            // the file was rewritten and reloaded
    Nothing,         // nothing to change (row out of range, no table, same text)
    ReadOnly,        // the report is too long to be saved without loss
    NoRoom,          // the result would not fit in the store; nothing written
    IncludeMissing,  // the "<ARQ>" file does not exist; nothing inserted
};

struct EditResult {
    EditStatus status = EditStatus::Nothing;
    std::string missingFile;       // for IncludeMissing
    LoadStatus reload = LoadStatus::Ok;
};

// The lines of one report as the viewer holds them: the shown text (cut to
// 190 characters, title blanks collapsed) with its row height and mark, and
// the text as read from the file, which is what saving writes back for every
// line the user did not edit.
class ReportStore {
public:
    explicit ReportStore(const TextMetrics& metrics, int letterSize = 8, int lineSpacing = 8);

    // Reads the report; Unavailable leaves the store as it was.
    LoadStatus Load(const std::filesystem::path& path);
    // Takes the lines of a report held in memory (no file: edits stay in memory).
    LoadStatus LoadLines(const std::vector<std::string>& lines);
    // Reads the same file again (or the same lines).
    LoadStatus Reload();
    // New letter size or line spacing: row heights are measured again.
    void SetLayout(int letterSize, int lineSpacing);
    // The system calls saving goes through (tests make them fail).
    void SetFileOps(vor::FileOps& ops) { m_ops = &ops; }

    const std::filesystem::path& Path() const { return m_path; }
    int RowCount() const { return static_cast<int>(m_rows.size()); }
    const std::string& Text(int row) const { return RowAt(row).text; }
    // The line as the file holds it, uncut: what the line editor is given.
    const std::string& Source(int row) const { return RowAt(row).source; }
    int Height(int row) const { return RowAt(row).height; }
    char Mark(int row) const { return RowAt(row).mark; }
    // True for the blank row 0 that loading puts before a first line of 2 or more characters.
    bool IsSynthetic(int row) const { return RowAt(row).synthetic; }
    const ReportDocument& Document() const { return m_doc; }
    const std::vector<IndexEntry>& Index() const { return m_index; }
    bool ReadOnly() const { return m_readOnly; }

    bool ShowsSearchButton() const { return RowCount() >= kSearchButtonMinRows; }
    bool ShowsIndexButton() const { return !m_index.empty(); }
    // The top row after choosing index entry `entry` (0-based): its row minus 1, when above 0.
    std::optional<int> IndexTopRow(int entry) const;

    // ---- Marks
    void ClearMarks();
    // Marks every row holding the text (ASCII letters without case unless
    // matchCase) and clears the others; returns the number of hits. An empty
    // text marks nothing.
    int Search(std::string_view text, bool matchCase);
    // F3: the next hit after the last one shown, from the top again after the last.
    std::optional<int> NextHit();
    // A right-button click: clears the marks, then selects the row below row 0,
    // or its whole table.
    void SelectForMenu(int row);

    MenuState MenuFor(int row) const;

    // ---- Editing. Each change is written to the file at once and the report
    // read again; a failed write throws IoError and changes nothing.

    // Inserts before `row` the text, or the lines of the file named after "<ARQ>"
    // (only a regular file within kMaxIncludeFileBytes; anything else counts as missing).
    EditResult InsertText(int row, std::string_view comboText);
    EditResult EditLine(int row, std::string_view text);
    EditResult DeleteLine(int row);
    // Deletes the table under the row, its bounds found now.
    EditResult DeleteTable(int row);

    // The lines saving writes: every row but the added row 0 and the rows "\".
    std::vector<std::string> SavedLines() const { return LinesToSave(m_rows); }

private:
    struct Row {
        std::string text;
        std::string source;
        int height = 0;
        char mark = kMarkNone;
        bool synthetic = false;
    };

    const Row& RowAt(int row) const { return m_rows.at(static_cast<std::size_t>(row)); }
    void Store(std::string source, bool synthetic);
    void Build(const std::vector<std::string>& lines);
    EditResult Commit(const std::vector<Row>& rows);
    static std::vector<std::string> LinesToSave(const std::vector<Row>& rows);

    const TextMetrics& m_metrics;
    vor::FileOps* m_ops = &vor::DefaultFileOps();
    int m_letterSize;
    int m_lineSpacing;
    std::filesystem::path m_path;
    vor::TextEncoding m_encoding = vor::TextEncoding::Windows1252;
    std::vector<std::string> m_memoryLines;  // the source when loaded from memory
    bool m_fromMemory = false;
    std::vector<Row> m_rows;
    ReportDocument m_doc;
    std::vector<IndexEntry> m_index;
    bool m_readOnly = false;
    int m_lastHit = -1;
};

}  // namespace ostrel
