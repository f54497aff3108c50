#include "ostrel/markup.h"

#include <algorithm>
#include <atomic>
#include <utility>

#include "vorplan/common/codec.h"
#include "vorplan/common/real_helpers.h"

namespace ostrel {

DrawOp DrawOp::MakeFill(const Rect& r, Rgb c)
{
    DrawOp op;
    op.kind = OpKind::Fill;
    op.rect = r;
    op.colour = c;
    return op;
}

DrawOp DrawOp::MakeText(int x, int y, std::string text, const Font& f, Rgb c, const Rect& clip)
{
    DrawOp op;
    op.kind = OpKind::Text;
    op.x = x;
    op.y = y;
    op.text = std::move(text);
    op.font = f;
    op.colour = c;
    op.rect = clip;
    return op;
}

DrawOp DrawOp::MakeLine(int x1, int y1, int x2, int y2, int width, Rgb c)
{
    DrawOp op;
    op.kind = OpKind::Line;
    op.x = x1;
    op.y = y1;
    op.x2 = x2;
    op.y2 = y2;
    op.penWidth = width;
    op.colour = c;
    return op;
}

DrawOp DrawOp::MakeBox(const Rect& r, Rgb fill, Rgb border)
{
    DrawOp op;
    op.kind = OpKind::Box;
    op.rect = r;
    op.colour = fill;
    op.border = border;
    return op;
}

DrawOp DrawOp::MakePicture(const Rect& r, std::string file)
{
    DrawOp op;
    op.kind = OpKind::Picture;
    op.rect = r;
    op.text = std::move(file);
    return op;
}

// ---- Character helpers --------------------------------------------------------

std::size_t CharCount(std::string_view text) { return vor::Utf8Length(text); }

std::string_view DropChars(std::string_view text, std::size_t count)
{
    return text.substr(vor::Utf8Left(text, count).size());
}

std::string TakeChars(std::string_view text, std::size_t count) { return vor::Utf8Left(text, count); }

bool IsShortLine(std::string_view text) { return CharCount(text) < 2; }

namespace {

bool StartsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

bool Contains(std::string_view text, std::string_view part)
{
    return text.find(part) != std::string_view::npos;
}

std::size_t CountRun(std::string_view text, std::size_t from, char c)
{
    std::size_t n = 0;
    while (from + n < text.size() && text[from + n] == c)
        ++n;
    return n;
}

std::string_view TrimBlanksTabs(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

Rgb CodeColour(char digit)
{
    switch (digit) {
    case '1': return colours::kGrey;
    case '2': return colours::kRed;
    case '3': return colours::kBlue;
    case '4': return colours::kNavy;
    case '5': return colours::kGreen;
    default: return colours::kBlack;
    }
}

std::atomic<std::uint64_t> gDocumentSerial{0};

}  // namespace

// ---- Prefix codes -----------------------------------------------------------

LineStyle ParsePrefix(std::string_view text, int letterSize)
{
    LineStyle style;
    style.fontSize = letterSize;
    const std::size_t lead = std::min(text.find_first_not_of(" \t"), text.size());
    std::string_view u = text.substr(lead);
    bool any = false;

    if (StartsWith(u, "@B")) {
        style.bold = true;
        u.remove_prefix(2);
        any = true;
    }
    if (StartsWith(u, "@F")) {
        style.filled = true;
        u.remove_prefix(2);
        any = true;
    }
    if (u.size() >= 3 && StartsWith(u, "@C") && u[2] >= '0' && u[2] <= '9') {
        style.colour = CodeColour(u[2]);
        u.remove_prefix(3);
        any = true;
    }
    if (StartsWith(u, "@*")) {
        const std::size_t stars = CountRun(u, 1, '*');
        style.fontSize = letterSize + static_cast<int>(std::min<std::size_t>(stars, 1000)) + 2;
        u.remove_prefix(1 + stars);
        any = true;
    }
    if (StartsWith(u, "@/")) {
        const int n = static_cast<int>(std::min<std::size_t>(CountRun(u, 1, '/'), 1000)) + 2;
        style.fontSize = style.fontSize - n >= 3 ? style.fontSize - n + 1 : 4;
        u.remove_prefix(1 + CountRun(u, 1, '/'));
        any = true;
    }
    if (StartsWith(u, "@H")) {
        style.centred = true;
        u.remove_prefix(2);
        any = true;
    }
    // Writers put blanks before codes; text without codes keeps its indentation.
    style.rest = std::string(any || StartsWith(u, "@T") ? u : text);
    return style;
}

bool IsTableTitle(std::string_view text) { return StartsWith(ParsePrefix(text, 8).rest, "@T"); }

bool IsBlockMarker(std::string_view text) { return Contains(text, "@D") || Contains(text, "@d"); }

Font StyleFont(const LineStyle& style)
{
    Font f;
    f.pointSize = style.fontSize;
    f.bold = style.bold;
    return f;
}

// ---- Colour schemes ---------------------------------------------------------

TableColours TableScheme(int corTab)
{
    using namespace colours;
    const auto plain = [](Rgb even) { return TableColours{{kWhite, kWhite}, {even, even}, {kWhite, kWhite}}; };
    switch (corTab) {
    case 1: return plain(Rgb{240, 240, 240});
    case 2: return plain(kSilver);
    case 3: return plain(kLime);
    case 4: return plain(kYellow);
    case 5:
        return TableColours{{Rgb{160, 160, 255}, Rgb{255, 160, 160}},
                            {Rgb{210, 210, 255}, Rgb{255, 210, 210}},
                            {Rgb{200, 200, 230}, Rgb{230, 200, 200}}};
    case 6:
        return TableColours{{Rgb{160, 160, 255}, Rgb{160, 255, 160}},
                            {Rgb{220, 220, 255}, Rgb{220, 255, 220}},
                            {Rgb{210, 210, 240}, Rgb{210, 240, 210}}};
    default: return plain(kWhite);
    }
}

Rgb TitleFill(int corTit)
{
    switch (corTit) {
    case 1: return Rgb{230, 230, 230};
    case 2: return colours::kSilver;
    default: return colours::kWhite;
    }
}

// ---- Headings ---------------------------------------------------------------

std::optional<Heading> FindHeading(std::string_view text)
{
    const std::size_t at = text.find("@*");
    if (at == std::string_view::npos)
        return std::nullopt;
    Heading h;
    const std::size_t stars = CountRun(text, at + 1, '*');
    h.stars = static_cast<int>(std::min<std::size_t>(stars, 1000));
    h.text = TakeChars(text.substr(at + 1 + stars), kMaxIndexText);
    return h;
}

bool IsIndexed(const Heading& heading) { return heading.stars >= 2; }

std::string IndexEntryText(const Heading& heading)
{
    // The first character after the stars stands at stars + 2, counted from the "@".
    const int levels = 8 - (heading.stars + 2);
    const std::size_t indent = levels > 0 ? static_cast<std::size_t>(4 * levels) : 0;
    return std::string(indent, ' ') + heading.text;
}

int RowHeight(std::string_view text, const TextMetrics& metrics, int letterSize, int lineSpacing)
{
    if (const auto heading = FindHeading(text)) {
        Font f;
        f.pointSize = letterSize + heading->stars + 2;
        return metrics.TextHeight(f, "X");
    }
    return lineSpacing + letterSize;
}

// ---- Tables -------------------------------------------------------------------

std::vector<TableColumn> ComputeTableLayout(std::string_view titleText, const Font& font,
                                            const TextMetrics& metrics)
{
    std::vector<TableColumn> columns;
    std::size_t i = 0;
    while (i < titleText.size()) {
        if (titleText[i] != ' ') {
            ++i;
            continue;
        }
        const std::size_t start = i + CountRun(titleText, i, ' ');
        if (start < titleText.size()) {
            TableColumn c;
            c.left = metrics.TextWidth(font, titleText.substr(0, start));
            c.rightAligned = titleText[start] == '^';
            columns.push_back(c);
        }
        i = start;
    }
    const int total = metrics.TextWidth(font, titleText);
    for (std::size_t k = 0; k < columns.size(); ++k)
        columns[k].right = k + 1 < columns.size() ? columns[k + 1].left : total;
    return columns;
}

std::vector<std::string> SplitColumnTexts(std::string_view text)
{
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ') {
            ++i;
            continue;
        }
        std::size_t end = text.find(' ', i);
        if (end == std::string_view::npos)
            end = text.size();
        std::string word = TakeChars(text.substr(i, end - i), kMaxCellLength);
        std::replace(word.begin(), word.end(), '_', ' ');
        if (CharCount(word) > 1)
            word.erase(0, std::min(word.find_first_not_of(' '), word.size()));
        words.push_back(std::move(word));
        i = end;
    }
    return words;
}

// ---- The report as a whole ------------------------------------------------------

ReportDocument::ReportDocument(std::vector<std::string> lines)
    : m_lines(std::move(lines)), m_serial(++gDocumentSerial)
{
    const int n = Count();
    const auto sn = static_cast<std::size_t>(n);
    m_titleOf.assign(sn, -1);
    m_tableEnd.assign(sn, -1);
    m_blockStart.assign(sn, -1);
    m_blockEnd.assign(sn, -1);

    for (int i = 0; i < n; ++i) {
        const std::string& t = m_lines[static_cast<std::size_t>(i)];
        auto& title = m_titleOf[static_cast<std::size_t>(i)];
        if (IsTableTitle(t))
            title = i;
        else if (!IsShortLine(t) && i > 0)
            title = m_titleOf[static_cast<std::size_t>(i - 1)];
    }
    for (int i = n - 1; i >= 0; --i) {
        const int t = m_titleOf[static_cast<std::size_t>(i)];
        if (t >= 0 && (i == n - 1 || m_titleOf[static_cast<std::size_t>(i + 1)] != t))
            m_tableEnd[static_cast<std::size_t>(t)] = i;
    }

    // A block runs from the line after "@D" to the line before the next "@d".
    std::vector<int> nextClose(sn + 1, n);
    for (int i = n - 1; i >= 0; --i)
        nextClose[static_cast<std::size_t>(i)] =
            Contains(m_lines[static_cast<std::size_t>(i)], "@d") ? i : nextClose[static_cast<std::size_t>(i + 1)];
    int open = -1;
    for (int i = 0; i < n; ++i) {
        const std::string& t = m_lines[static_cast<std::size_t>(i)];
        if (open >= 0) {
            const int end = nextClose[static_cast<std::size_t>(open + 1)] - 1;
            if (i <= end) {
                m_blockStart[static_cast<std::size_t>(i)] = open + 1;
                m_blockEnd[static_cast<std::size_t>(i)] = end;
            }
        }
        if (TrimBlanksTabs(t) == "@d")
            open = -1;
        else if (Contains(t, "@D"))
            open = i;
    }
}

bool ReportDocument::IsTitle(int row) const
{
    return row >= 0 && row < Count() && m_titleOf[static_cast<std::size_t>(row)] == row;
}

int ReportDocument::TitleOf(int row) const
{
    if (row < 0 || row >= Count())
        return -1;
    return m_titleOf[static_cast<std::size_t>(row)];
}

std::optional<RowRange> ReportDocument::TableAt(int row) const
{
    const int title = TitleOf(row);
    if (title < 0)
        return std::nullopt;
    return RowRange{title, m_tableEnd[static_cast<std::size_t>(title)]};
}

std::optional<RowRange> ReportDocument::BlockOf(int row) const
{
    if (row < 0 || row >= Count() || m_blockStart[static_cast<std::size_t>(row)] < 0)
        return std::nullopt;
    return RowRange{m_blockStart[static_cast<std::size_t>(row)], m_blockEnd[static_cast<std::size_t>(row)]};
}

// ---- Drawing ------------------------------------------------------------------------

MarkupRenderer::MarkupRenderer(const TextMetrics& metrics, const RenderSettings& settings)
    : m_metrics(metrics), m_settings(settings)
{
}

void MarkupRenderer::SetSettings(const RenderSettings& settings)
{
    m_settings = settings;
    m_layouts.clear();
    m_blockWidest.clear();
    m_blocksMeasured = false;
}

void MarkupRenderer::Sync(const ReportDocument& doc)
{
    if (doc.Serial() == m_docSerial)
        return;
    m_docSerial = doc.Serial();
    m_layouts.clear();
    m_blockWidest.clear();
    m_blocksMeasured = false;
}

const std::vector<TableColumn>& MarkupRenderer::Layout(const ReportDocument& doc, int titleRow)
{
    Sync(doc);
    auto it = m_layouts.find(titleRow);
    if (it != m_layouts.end())
        return it->second;
    std::vector<TableColumn> columns;
    if (doc.IsTitle(titleRow)) {
        const LineStyle style = ParsePrefix(doc.Text(titleRow), m_settings.letterSize);
        columns = ComputeTableLayout(DropChars(style.rest, 2), StyleFont(style), m_metrics);
    }
    return m_layouts.emplace(titleRow, std::move(columns)).first->second;
}

void MarkupRenderer::Render(const ReportDocument& doc, int row, const LineGeometry& geometry,
                            DrawOps& out)
{
    Sync(doc);
    const LineStyle style = ParsePrefix(doc.Text(row), m_settings.letterSize);
    if (IsBlockMarker(style.rest)) {
        out.push_back(DrawOp::MakeFill(geometry.rect, style.filled ? TitleFill(m_settings.corTit)
                                                                   : colours::kWhite));
        return;
    }
    const bool header = StartsWith(style.rest, "@T");
    if (header || doc.InTable(row))
        RenderTableRow(doc, row, style, header, geometry, out);
    else
        RenderPlain(doc, row, style, geometry, out);
}

void MarkupRenderer::RenderTableRow(const ReportDocument& doc, int row, const LineStyle& style,
                                    bool header, const LineGeometry& g, DrawOps& out)
{
    const int titleRow = header ? row : doc.TitleOf(row);
    const std::vector<TableColumn>& columns = Layout(doc, titleRow);
    const TableColours scheme = TableScheme(m_settings.corTab);
    const Rgb* kind = header ? scheme.header : (row % 2 == 0 ? scheme.evenRow : scheme.oddRow);
    Rgb odd = kind[0];
    Rgb even = kind[1];
    if (g.mark == 'X')
        odd = even = colours::kRed;
    else if (g.mark == 'A')
        odd = even = colours::kYellow;
    if (m_settings.cursorBand && g.underPointer)
        odd = even = m_settings.yellowBand ? colours::kYellow : colours::kAqua;

    out.push_back(DrawOp::MakeFill(g.rect, style.filled ? TitleFill(m_settings.corTit) : colours::kWhite));
    const Font font = StyleFont(style);
    const std::vector<std::string> texts = SplitColumnTexts(header ? DropChars(style.rest, 3)
                                                                   : std::string_view(style.rest));
    const int textTop = g.rect.top + g.rect.Height() / 2 - m_metrics.TextHeight(font, "X") / 2;
    for (std::size_t k = 0; k < columns.size(); ++k) {
        const TableColumn& c = columns[k];
        const Rect cell{g.originX + c.left - 1, g.rect.top, g.originX + c.right - 1, g.rect.bottom};
        out.push_back(DrawOp::MakeFill(cell, k % 2 == 0 ? odd : even));
        std::string text = k < texts.size() ? texts[k] : std::string();
        if (header && !text.empty() && text[0] == '^')
            text[0] = ' ';
        if (text.empty())
            text.push_back(' ');
        const int x = c.rightAligned ? cell.right - 1 - m_metrics.TextWidth(font, text) : cell.left + 1;
        out.push_back(DrawOp::MakeText(x, textTop, std::move(text), font, style.colour, cell));
    }
    if (m_settings.tableRules && !columns.empty()) {
        const int y = g.rect.bottom - 1;
        out.push_back(DrawOp::MakeLine(g.originX + columns.front().left - 1, y,
                                       g.originX + columns.back().right - 1, y, header ? 2 : 1,
                                       colours::kBlack));
    }
}

void MarkupRenderer::RenderPlain(const ReportDocument& doc, int row, const LineStyle& style,
                                 const LineGeometry& g, DrawOps& out)
{
    Rgb fill = style.filled ? TitleFill(m_settings.corTit) : colours::kWhite;
    if (g.mark == 'X')
        fill = colours::kRed;
    else if (g.mark == 'A')
        fill = colours::kYellow;
    out.push_back(DrawOp::MakeFill(g.rect, fill));

    const Font font = StyleFont(style);
    const std::string& text = style.rest;
    int x = g.originX + 1;
    if (style.centred)
        x = static_cast<int>(vor::Round(g.areaWidth / 2.1 - m_metrics.TextWidth(font, text) / 2.0));
    if (text.find(':') != std::string::npos)
        x += ColonShift(doc, row, style);
    out.push_back(DrawOp::MakeText(x, g.rect.top, text, font, style.colour, g.rect));

    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t open = text.find('[', pos);
        if (open == std::string::npos)
            break;
        const std::size_t close = text.find(']', open + 1);
        if (close == std::string::npos)
            break;  // an unmatched "[" stays plain text
        const int left = x + m_metrics.TextWidth(font, std::string_view(text).substr(0, open));
        const int width = m_metrics.TextWidth(font, std::string_view(text).substr(open, close - open + 1));
        const Rect box{left, g.rect.top, left + width, g.rect.bottom - 1};
        out.push_back(DrawOp::MakeBox(box, colours::kSilver, colours::kNavy));
        out.push_back(DrawOp::MakeText(left + 5, g.rect.top, text.substr(open + 1, close - open - 1), font,
                                       colours::kBlack, g.rect));
        pos = close + 1;
    }
}

int MarkupRenderer::ColonWidth(const LineStyle& style) const
{
    const std::size_t colon = style.rest.find(':');
    return m_metrics.TextWidth(StyleFont(style), std::string_view(style.rest).substr(0, colon + 1));
}

// A block runs from its "@D" to the next line holding "@d", so every block
// open in one stretch between two such lines ends at the same line: the widest
// colon of a block is the widest from its first row to the end of the
// stretch. One pass from the end measures each line once, however many "@D"
// open blocks without closing them.
void MarkupRenderer::MeasureBlocks(const ReportDocument& doc)
{
    const int n = doc.Count();
    m_blockWidest.assign(static_cast<std::size_t>(n), 0);
    int widest = 0;
    for (int j = n - 1; j >= 0; --j) {
        if (Contains(doc.Text(j), "@d")) {
            widest = 0;
            continue;
        }
        if (doc.BlockOf(j)) {
            const LineStyle s = ParsePrefix(doc.Text(j), m_settings.letterSize);
            if (!IsBlockMarker(s.rest) && s.rest.find(':') != std::string::npos)
                widest = std::max(widest, ColonWidth(s));
        }
        m_blockWidest[static_cast<std::size_t>(j)] = widest;
    }
    m_blocksMeasured = true;
}

int MarkupRenderer::ColonShift(const ReportDocument& doc, int row, const LineStyle& style)
{
    const auto block = doc.BlockOf(row);
    if (!block)
        return 0;
    if (!m_blocksMeasured)
        MeasureBlocks(doc);
    return std::max(0, m_blockWidest[static_cast<std::size_t>(block->first)] - ColonWidth(style));
}

void MarkupRenderer::RenderRaw(std::string_view text, const LineGeometry& geometry, DrawOps& out) const
{
    Font f;
    f.pointSize = 9;
    out.push_back(DrawOp::MakeFill(geometry.rect, colours::kRed));
    out.push_back(DrawOp::MakeText(geometry.originX + 1, geometry.rect.top, std::string(text), f,
                                   colours::kBlack, geometry.rect));
}

}  // namespace ostrel
