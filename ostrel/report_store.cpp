#include "ostrel/report_store.h"

#include "vorplan/common/conversions.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/text_file.h"
#include "vorplan/common/user_file.h"

namespace ostrel {

namespace {

// Title lines are kept with single blanks between their words.
std::string CollapseBlankRuns(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ' ' && i + 1 < text.size() && text[i + 1] == ' ')
            continue;
        out += text[i];
    }
    return out;
}

}  // namespace

ReportStore::ReportStore(const TextMetrics& metrics, int letterSize, int lineSpacing)
    : m_metrics(metrics), m_letterSize(letterSize), m_lineSpacing(lineSpacing)
{
}

LoadStatus ReportStore::Load(const std::filesystem::path& path)
{
    vor::DecodedText decoded;
    try {
        decoded = vor::DecodeFileTextAndEncoding(vor::ReadFileBytes(path));
    } catch (const vor::IoError&) {
        return LoadStatus::Unavailable;
    }
    m_path = path;
    m_encoding = decoded.encoding;
    m_fromMemory = false;
    m_memoryLines.clear();
    Build(vor::SplitTextLines(decoded.text));
    return m_readOnly ? LoadStatus::TooLong : LoadStatus::Ok;
}

LoadStatus ReportStore::LoadLines(const std::vector<std::string>& lines)
{
    m_path.clear();
    m_fromMemory = true;
    m_memoryLines = lines;
    Build(m_memoryLines);
    return m_readOnly ? LoadStatus::TooLong : LoadStatus::Ok;
}

LoadStatus ReportStore::Reload()
{
    if (m_fromMemory) {
        Build(m_memoryLines);
        return m_readOnly ? LoadStatus::TooLong : LoadStatus::Ok;
    }
    if (m_path.empty())
        return LoadStatus::Unavailable;
    return Load(m_path);
}

void ReportStore::Build(const std::vector<std::string>& lines)
{
    m_rows.clear();
    m_index.clear();
    m_readOnly = false;
    m_lastHit = -1;
    for (const std::string& line : lines) {
        if (m_rows.empty() && !IsShortLine(line))
            Store(" ", true);
        if (RowCount() >= kMaxRows) {
            // Saving would cut the report, so it is shown but not edited.
            m_readOnly = true;
            break;
        }
        Store(line, false);
    }
    std::vector<std::string> texts;
    texts.reserve(m_rows.size());
    for (const Row& r : m_rows)
        texts.push_back(r.text);
    m_doc = ReportDocument(std::move(texts));
}

void ReportStore::Store(std::string source, bool synthetic)
{
    Row row;
    row.text = TakeChars(IsTableTitle(source) ? CollapseBlankRuns(source) : source, kMaxLineLength);
    row.source = std::move(source);
    row.synthetic = synthetic;
    row.height = RowHeight(row.text, m_metrics, m_letterSize, m_lineSpacing);
    if (const auto heading = FindHeading(row.text);
        heading && IsIndexed(*heading) && static_cast<int>(m_index.size()) < kMaxIndexEntries)
        m_index.push_back(IndexEntry{IndexEntryText(*heading), RowCount()});
    m_rows.push_back(std::move(row));
}

void ReportStore::SetLayout(int letterSize, int lineSpacing)
{
    m_letterSize = letterSize;
    m_lineSpacing = lineSpacing;
    for (Row& r : m_rows)
        r.height = RowHeight(r.text, m_metrics, m_letterSize, m_lineSpacing);
}

std::optional<int> ReportStore::IndexTopRow(int entry) const
{
    if (entry < 0 || entry >= static_cast<int>(m_index.size()))
        return std::nullopt;
    const int top = m_index[static_cast<std::size_t>(entry)].row - 1;
    if (top <= 0)
        return std::nullopt;
    return top;
}

// ---- Marks ----------------------------------------------------------------------

void ReportStore::ClearMarks()
{
    for (Row& r : m_rows)
        r.mark = kMarkNone;
}

int ReportStore::Search(std::string_view text, bool matchCase)
{
    std::string needle(text);
    if (!matchCase)
        vor::UpperCaseText(needle);
    int hits = 0;
    for (Row& r : m_rows) {
        // An empty search text is found nowhere, not on every line.
        if (needle.empty()) {
            r.mark = kMarkNone;
            continue;
        }
        std::string hay = r.text;
        if (!matchCase)
            vor::UpperCaseText(hay);
        const bool hit = hay.find(needle) != std::string::npos;
        r.mark = hit ? kMarkHit : kMarkNone;
        hits += hit ? 1 : 0;
    }
    m_lastHit = -1;
    return hits;
}

std::optional<int> ReportStore::NextHit()
{
    const int n = RowCount();
    for (int step = 1; step <= n; ++step) {
        const int row = (m_lastHit + step) % n;
        if (m_rows[static_cast<std::size_t>(row)].mark == kMarkHit) {
            m_lastHit = row;
            return row;
        }
    }
    return std::nullopt;
}

void ReportStore::SelectForMenu(int row)
{
    ClearMarks();
    if (row < 1 || row >= RowCount())
        return;
    const auto table = m_doc.TableAt(row);
    const RowRange range = table ? *table : RowRange{row, row};
    for (int r = range.first; r <= range.last; ++r)
        m_rows[static_cast<std::size_t>(r)].mark = kMarkSelected;
}

MenuState ReportStore::MenuFor(int row) const
{
    MenuState m;
    if (m_readOnly || row < 0 || row >= RowCount())
        return m;
    // Only a table row offers deleting its table.
    m.deleteTable = m_doc.InTable(row);
    m.editLine = Text(row).find('@') == std::string::npos;
    if (row > 0) {
        if (m_doc.InTable(row)) {
            m.editLine = false;
        } else {
            m.crossCursor = true;
            // Inserting or deleting just below a table would join it with what follows.
            if (!m_doc.InTable(row - 1)) {
                m.insertLine = true;
                m.deleteLine = true;
            }
        }
    }
    return m;
}

// ---- Editing --------------------------------------------------------------------

std::vector<std::string> ReportStore::LinesToSave(const std::vector<Row>& rows)
{
    std::vector<std::string> lines;
    lines.reserve(rows.size());
    for (const Row& r : rows) {
        if (r.synthetic || r.text == "\\")
            continue;
        lines.push_back(r.source);
    }
    return lines;
}

EditResult ReportStore::Commit(const std::vector<Row>& rows)
{
    EditResult result;
    std::vector<std::string> lines = LinesToSave(rows);
    const std::size_t shown = lines.size() + (!lines.empty() && !IsShortLine(lines.front()) ? 1 : 0);
    if (shown > static_cast<std::size_t>(kMaxRows)) {
        result.status = EditStatus::NoRoom;
        return result;
    }
    if (m_fromMemory) {
        m_memoryLines = std::move(lines);
        Build(m_memoryLines);
    } else {
        // In the encoding it was read in, so lines nobody edited keep every character.
        vor::WriteFileAtomically(m_path, vor::EncodeTextLines(lines, m_encoding), *m_ops);
        result.reload = Load(m_path);
    }
    result.status = EditStatus::Done;
    return result;
}

EditResult ReportStore::InsertText(int row, std::string_view comboText)
{
    EditResult result;
    if (m_readOnly) {
        result.status = EditStatus::ReadOnly;
        return result;
    }
    // The insert row is met only before a line that is read, so past the end nothing happens.
    if (row < 1 || row >= RowCount())
        return result;
    std::vector<std::string> lines;
    if (const std::size_t at = comboText.find("<ARQ>"); at != std::string_view::npos) {
        const std::string name = TakeChars(comboText.substr(at + 5), kMaxIncludeName);
        auto included = vor::ReadUserTextLines(name, vor::kMaxIncludeFileBytes);
        if (!included) {
            result.status = EditStatus::IncludeMissing;
            result.missingFile = name;
            return result;
        }
        lines = std::move(*included);
    } else {
        lines.emplace_back(comboText);
    }
    if (lines.empty())
        return result;
    std::vector<Row> rows = m_rows;
    std::vector<Row> added;
    for (std::string& l : lines) {
        Row r;
        r.text = l;
        r.source = std::move(l);
        added.push_back(std::move(r));
    }
    rows.insert(rows.begin() + row, added.begin(), added.end());
    return Commit(rows);
}

EditResult ReportStore::EditLine(int row, std::string_view text)
{
    EditResult result;
    if (m_readOnly) {
        result.status = EditStatus::ReadOnly;
        return result;
    }
    if (row < 0 || row >= RowCount() || Source(row) == text)
        return result;
    std::vector<Row> rows = m_rows;
    Row& r = rows[static_cast<std::size_t>(row)];
    r.text = std::string(text);
    r.source = std::string(text);
    r.synthetic = false;  // typed into the added row 0: the user's line is kept
    return Commit(rows);
}

EditResult ReportStore::DeleteLine(int row)
{
    EditResult result;
    if (m_readOnly) {
        result.status = EditStatus::ReadOnly;
        return result;
    }
    if (row < 1 || row >= RowCount())
        return result;
    std::vector<Row> rows = m_rows;
    rows.erase(rows.begin() + row);
    return Commit(rows);
}

EditResult ReportStore::DeleteTable(int row)
{
    EditResult result;
    if (m_readOnly) {
        result.status = EditStatus::ReadOnly;
        return result;
    }
    const auto table = m_doc.TableAt(row);
    if (!table)
        return result;
    std::vector<Row> rows = m_rows;
    rows.erase(rows.begin() + table->first, rows.begin() + table->last + 1);
    return Commit(rows);
}

}  // namespace ostrel
