#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ostrel/draw_ops.h"

namespace ostrel {

constexpr std::size_t kMaxLineLength = 190;   // characters of a shown report line
constexpr std::size_t kMaxCellLength = 160;   // characters of one table cell
constexpr std::size_t kMaxIndexText = 100;    // characters of an index entry's text
constexpr int kScreenOriginX = 4;             // left margin of the grid text

// ---- Character helpers (UTF-8 text, limits count characters) ---------------

std::size_t CharCount(std::string_view text);
// The text without its first `count` characters.
std::string_view DropChars(std::string_view text, std::size_t count);
// The first `count` characters.
std::string TakeChars(std::string_view text, std::size_t count);
// A line of fewer than 2 characters ends a table.
bool IsShortLine(std::string_view text);

// ---- Prefix codes ------------------------------------------------------------

// How a line is drawn after its leading codes are taken off.
struct LineStyle {
    bool bold = false;
    bool filled = false;  // "@F": background in the title colour
    Rgb colour = colours::kBlack;
    int fontSize = 8;
    bool centred = false;  // "@H"
    std::string rest;      // the text after the codes
};

// Reads "@B", "@F", "@C<digit>", "@*..", "@/..", "@H" in that order, each at
// most once, from the start of the line. Blanks and TABs before the first code
// are skipped; a line without codes keeps its leading blanks.
LineStyle ParsePrefix(std::string_view text, int letterSize);

// True when the line's text after its codes starts with "@T".
bool IsTableTitle(std::string_view text);
// True when the text holds "@D" or "@d" (a block marker, drawn empty).
bool IsBlockMarker(std::string_view text);

Font StyleFont(const LineStyle& style);

// ---- Colour schemes ------------------------------------------------------------

// Cell colours of a table scheme; index 0 is the odd column, 1 the even one.
struct TableColours {
    Rgb header[2];
    Rgb evenRow[2];
    Rgb oddRow[2];
};

// The scheme of COR_TAB 0..6; a value outside gives scheme 0.
TableColours TableScheme(int corTab);
// The "@F" fill of COR_TIT 0..2; a value outside gives white.
Rgb TitleFill(int corTit);

// ---- Headings ------------------------------------------------------------------

struct Heading {
    int stars = 0;          // length of the run of "*" after the first "@*"
    std::string text;       // what follows the stars, at most 100 characters
};

// The heading of a line that contains "@*" anywhere; nullopt otherwise.
std::optional<Heading> FindHeading(std::string_view text);
// Only headings of 2 or more stars are listed.
bool IsIndexed(const Heading& heading);
// The index list text: 4 blanks per level below 6 stars, then the heading text.
std::string IndexEntryText(const Heading& heading);

// Row height in pixels: a line with "@*" is as tall as "X" in its heading size,
// every other line is line spacing + letter size.
int RowHeight(std::string_view text, const TextMetrics& metrics, int letterSize, int lineSpacing);

// ---- Tables ----------------------------------------------------------------------

struct TableColumn {
    int left = 0;           // width of the title text before the column
    int right = 0;          // the next column's left, or the width of the whole title
    bool rightAligned = false;
};

// Columns from the title text after "@T": a column starts after each run of
// blanks; "^" as its first character aligns it right.
std::vector<TableColumn> ComputeTableLayout(std::string_view titleText, const Font& font,
                                            const TextMetrics& metrics);

// A line cut at blanks into cell texts: each cut to 160 characters, "_" shown
// as a blank, leading blanks removed unless the cell is one character long.
std::vector<std::string> SplitColumnTexts(std::string_view text);

// ---- The report as a whole ---------------------------------------------------------

struct RowRange {
    int first = 0;
    int last = 0;
};

// The shown lines of a report and what each belongs to: its table (walking up
// to the nearest title, stopped by a line of fewer than 2 characters) and its
// colon-aligned block ("@D" .. "@d").
class ReportDocument {
public:
    ReportDocument() = default;
    explicit ReportDocument(std::vector<std::string> lines);

    int Count() const { return static_cast<int>(m_lines.size()); }
    const std::string& Text(int row) const { return m_lines.at(static_cast<std::size_t>(row)); }
    const std::vector<std::string>& Lines() const { return m_lines; }
    // Distinguishes documents for the renderer's caches.
    std::uint64_t Serial() const { return m_serial; }

    bool IsTitle(int row) const;
    // The title row of the table the row belongs to, or -1.
    int TitleOf(int row) const;
    bool InTable(int row) const { return TitleOf(row) >= 0; }
    // From the table's title to its last row; nullopt outside a table.
    std::optional<RowRange> TableAt(int row) const;
    // The colon-aligned block the row lies in; nullopt when none.
    std::optional<RowRange> BlockOf(int row) const;

private:
    std::vector<std::string> m_lines;
    std::vector<int> m_titleOf;
    std::vector<int> m_tableEnd;  // for a title row: its last row
    std::vector<int> m_blockStart;
    std::vector<int> m_blockEnd;
    std::uint64_t m_serial = 0;
};

// ---- Drawing ----------------------------------------------------------------------------

struct RenderSettings {
    int letterSize = 8;
    int corTab = 6;
    int corTit = 1;
    bool tableRules = true;   // TABELA LINHA
    bool cursorBand = true;   // TABELA FAIXA, on screen only
    bool yellowBand = false;  // mode "M"
};

// Where and how one line is drawn.
struct LineGeometry {
    Rect rect;
    int originX = kScreenOriginX;  // x of the line text (left margin)
    int areaWidth = 0;             // W for "@H": grid width, or page width
    char mark = ' ';               // ' ', 'X' search hit, 'A' selected
    bool underPointer = false;     // the row under the mouse pointer (screen)
};

// Draws report lines as drawing operations. One renderer per device: it keeps
// table layouts and block widths measured with its metrics.
class MarkupRenderer {
public:
    MarkupRenderer(const TextMetrics& metrics, const RenderSettings& settings);

    const RenderSettings& Settings() const { return m_settings; }
    void SetSettings(const RenderSettings& settings);

    // Appends the operations of one line of the document.
    void Render(const ReportDocument& doc, int row, const LineGeometry& geometry, DrawOps& out);
    // The raw view: the text as it stands in arial 9 on red.
    void RenderRaw(std::string_view text, const LineGeometry& geometry, DrawOps& out) const;

    // The columns of the table whose title is `titleRow` (cached).
    const std::vector<TableColumn>& Layout(const ReportDocument& doc, int titleRow);

private:
    void Sync(const ReportDocument& doc);
    void RenderTableRow(const ReportDocument& doc, int row, const LineStyle& style, bool header,
                        const LineGeometry& g, DrawOps& out);
    void RenderPlain(const ReportDocument& doc, int row, const LineStyle& style,
                     const LineGeometry& g, DrawOps& out);
    int ColonShift(const ReportDocument& doc, int row, const LineStyle& style);
    int ColonWidth(const LineStyle& style) const;
    void MeasureBlocks(const ReportDocument& doc);

    const TextMetrics& m_metrics;
    RenderSettings m_settings;
    std::uint64_t m_docSerial = 0;
    std::map<int, std::vector<TableColumn>> m_layouts;
    std::vector<int> m_blockWidest;  // per row: the widest colon of its block from that row on
    bool m_blocksMeasured = false;
};

}  // namespace ostrel
