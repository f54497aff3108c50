#include "vorplan/layoutview/map_print.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <map>
#include <system_error>
#include <utility>

#include "platform/print_jobs.h"
#include "vorplan/common/codec.h"
#include "vorplan/common/conversions.h"
#include "vorplan/common/general_settings.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/product.h"
#include "vorplan/common/real_helpers.h"
#include "vorplan/common/small_helpers.h"
#include "vorplan/layoutview/layout_statistics.h"
#include "vorplan/layoutview/view_transform.h"
#include "vorplan/optimiser/layout_files.h"

namespace vor {

namespace {

constexpr double kTenthsSquaredPerM2 = 1e8;
constexpr int kStatisticsCell = 12;         // characters per statistics cell
constexpr int kDimensionGap = 40;           // pixels between the drawing and its dimension lines
constexpr int kDimensionTick = 25;
constexpr std::size_t kListDescriptionLength = 22;
constexpr const char* kPieceListSeparator = "     - - - - - - - - - - - - - - - - - - -";

int Half(int value)
{
    return static_cast<int>(Round(value * 0.5));
}

std::string PadRight(std::string text, std::size_t width)
{
    const std::size_t length = Utf8Length(text);
    if (length < width)
        text.append(width - length, ' ');
    return text;
}

std::string BeforeLastTilde(const std::string& text)
{
    const std::size_t at = text.rfind('~');
    return at == std::string::npos ? text : text.substr(0, at);
}

// The list name as the header prints it.
std::string PrintedListName(const std::string& stored)
{
    std::string name = BeforeLastTilde(BeforeLastTilde(stored));
    std::replace(name.begin(), name.end(), '~', ' ');
    return name;
}

std::string Two(int value)
{
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%02d", value % 100);
    return buffer;
}

}  // namespace

MapPrintColours PrintColoursOf(const MapPrintSettings& s)
{
    return {s.totalsColour, s.userTitleColour, s.dateTimeColour, s.axesColour, s.initialCutColour,
            s.pieceOutlineColour};
}

void SetPrintColours(MapPrintSettings& s, const MapPrintColours& c)
{
    s.totalsColour = c[0];
    s.userTitleColour = c[1];
    s.dateTimeColour = c[2];
    s.axesColour = c[3];
    s.initialCutColour = c[4];
    s.pieceOutlineColour = c[5];
}

MapPrintColours ColourModel(MapColourModel model)
{
    switch (model) {
    case MapColourModel::Colour1: return {0x000000, 0x0000FF, 0xFF0000, 0x008000, 0x0000FF, 0xFF0000};
    case MapColourModel::Colour2: return {0x800000, 0xFF0000, 0x000000, 0xFF0000, 0x0000FF, 0x008000};
    case MapColourModel::BlackAndWhite: break;
    }
    return {0, 0, 0, 0, 0, 0};
}

std::string VerticalFactorText(const std::string& typed)
{
    const double factor = std::clamp(StrToRealComma(typed), 0.5, 1.0);
    std::array<char, 16> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), factor, std::chars_format::fixed, 2);
    return std::string(buffer.data(), result.ptr);
}

MapPrintEnabling MapPrintControlsEnabled(int mapsPerSheet, bool pcbOption, bool colouredFill)
{
    MapPrintEnabling e;
    const bool one = mapsPerSheet != 2 && mapsPerSheet != 4;
    e.normal = one;
    e.large = one && !pcbOption;
    e.sheetMargins = one;
    e.pieceList = one;
    e.twoPerSheet = !pcbOption;
    e.fourPerSheet = !pcbOption;
    e.intensity = colouredFill;
    return e;
}

int EffectiveMapsPerSheet(const MapPrintOptions& options, bool pcbOption)
{
    if (pcbOption)
        return 1;
    return options.mapsPerSheet == 2 || options.mapsPerSheet == 4 ? options.mapsPerSheet : 1;
}

int MapDrawingWidth(int pageWidth, const MapPrintOptions& options, bool pcbOption)
{
    const int perSheet = EffectiveMapsPerSheet(options, pcbOption);
    const bool large = options.largeDrawing && perSheet == 1 && !pcbOption;
    const double factor = perSheet == 4 ? 0.5 : (large ? 1.0 : 0.65);
    int width = static_cast<int>(Round(pageWidth * factor));
    if (perSheet != 1)
        width = Half(width);
    return width;
}

int FooterFontSize(const std::string& text)
{
    return std::clamp(StrToIntDef0(text), 8, 30);
}

int ExtraHeaderFontSize(const std::string& text)
{
    const int size = StrToIntDef0(text);
    return size < 7 || size > 20 ? 10 : size;
}

std::string MapProductLine()
{
    return std::string("Vorlane") + "  " + "v." + kInstalledVersion + "  " + kMakerCaption;
}

std::string FileStamp(const platform::LocalTime& now)
{
    return Two(now.year) + Two(now.month) + Two(now.day) + "-" + Two(now.hour) + Two(now.minute) +
           Two(now.second);
}

std::filesystem::path FreeExportPdfFile(const std::filesystem::path& folder, const std::string& stem)
{
    std::filesystem::path file = folder / (stem + ".pdf");
    std::error_code error;
    for (int n = 2; std::filesystem::exists(file, error) || error; ++n)
        file = folder / (stem + "_" + std::to_string(n) + ".pdf");
    return file;
}

std::filesystem::path FreeMapPdfFile(const std::filesystem::path& exportFolder, long long material,
                                     const platform::LocalTime& now)
{
    return FreeExportPdfFile(exportFolder, "MAPAS_" + std::to_string(material) + "_" + FileStamp(now));
}

MapPrinter::MapPrinter(MapPrintOptions& options, const MapPrintInputs& inputs, MapPrintViewer& viewer,
                       platform::PrintJobs& jobs, std::filesystem::path pdfFile)
    : m_options(options), m_inputs(inputs), m_viewer(viewer), m_jobs(jobs), m_pdfFile(std::move(pdfFile))
{
    m_perSheet = EffectiveMapsPerSheet(options, inputs.pcbOption);
    m_printing = options.stored;
    // Trims print only with one map to a sheet, as the window enables them.
    m_printing.printSheetMargins = options.stored.printSheetMargins && m_perSheet == 1;
    m_leftMargin = std::clamp(options.stored.LeftMargin(), 0, 200);
    m_topMargin = std::clamp(options.stored.TopMargin(), 0, 200);
}

Canvas& MapPrinter::Page()
{
    return m_jobs.JobCanvas();
}

bool MapPrinter::OpenSheet()
{
    if (!m_jobs.JobOpen()) {
        if (!m_jobs.BeginJob("Vorlane", m_jobs.PrintsToFile() ? m_pdfFile : std::filesystem::path()))
            return false;
    } else if (!m_jobs.NewPage()) {
        return false;
    }
    const platform::PrintPageMetrics metrics = m_jobs.Metrics();
    m_width = metrics.width;
    m_height = metrics.height;
    m_drawingWidth = MapDrawingWidth(m_width, m_options, m_inputs.pcbOption);
    m_sheetOpen = true;
    m_sheetFull = false;
    m_position = 0;
    m_pageOffset = 0;
    ++m_sheets;
    return true;
}

bool MapPrinter::CloseSheet()
{
    m_sheetOpen = false;
    m_position = 0;
    if (m_jobs.PrintsToFile())
        return true;  // one file: the next sheet is a new page of it
    return m_jobs.EndJob();
}

MapPrintResult MapPrinter::Run(const std::vector<long long>& chosen)
{
    MapPrintResult result;
    if (chosen.empty()) {
        Beep();
        result.outcome = MapPrintOutcome::NothingChosen;
        return result;
    }
    auto fail = [&](MapPrintOutcome outcome) {
        if (m_jobs.JobOpen())
            m_jobs.EndJob();
        result.outcome = outcome;
        result.sheets = m_sheets;
        return result;
    };
    for (const long long layout : chosen) {
        if (!m_sheetOpen && !OpenSheet())
            return fail(m_jobs.JobOpen() ? MapPrintOutcome::OutputFailed : MapPrintOutcome::JobRefused);
        if (m_options.pageOutline) {
            Canvas& canvas = Page();
            canvas.pen = {static_cast<WinColor>(m_printing.totalsColour), 1, PenStyle::Solid};
            canvas.brush = {kWhite, BrushStyle::Clear};
            canvas.Rectangle({0, 0, m_width, m_height});
        }
        m_viewer.state->currentLayout = layout;
        if (m_viewer.readLayout)
            m_viewer.readLayout(layout);
        if (!PrintLayoutPage())
            return fail(m_jobs.JobOpen() ? MapPrintOutcome::OutputFailed : MapPrintOutcome::JobRefused);
        if ((m_position >= m_perSheet || m_sheetFull) && !CloseSheet())
            return fail(MapPrintOutcome::OutputFailed);
    }
    if (m_sheetOpen && !CloseSheet())
        return fail(MapPrintOutcome::OutputFailed);
    if (m_jobs.JobOpen() && !m_jobs.EndJob())
        return fail(MapPrintOutcome::OutputFailed);
    m_options.stored.penWidth = m_printing.penWidth;
    result.sheets = m_sheets;
    return result;
}

void MapPrinter::SetFont(const char* name, int size, WinColor colour)
{
    Canvas& canvas = Page();
    canvas.font = CanvasFont{name, size, false, false, false, colour};
    canvas.brush.style = BrushStyle::Clear;
}

void MapPrinter::PrintLine(const std::string& text, bool rightAligned)
{
    Canvas& canvas = Page();
    const TextExtent extent = canvas.MeasureText(text);
    int shift = 0;
    if (rightAligned)
        shift = canvas.MeasureText("0").width * static_cast<int>(Utf8Length(text)) - extent.width;
    canvas.Text({m_column + m_cursorX + shift, m_cursorY}, text);
    m_cursorY += std::max(extent.height, canvas.MeasureText("X").height) + 1;
    m_cursorX = m_lineStart;
}

void MapPrinter::PrintCell(const std::string& text, bool rightAligned)
{
    Canvas& canvas = Page();
    const int cellWidth = canvas.MeasureText("X").width * static_cast<int>(Utf8Length(text));
    int shift = 0;
    if (rightAligned)
        shift = cellWidth - canvas.MeasureText(text).width;
    canvas.Text({m_column + m_cursorX + shift, m_cursorY}, text);
    m_cursorX += cellWidth;
}

void MapPrinter::NewLine()
{
    m_cursorY += Page().MeasureText("X").height + 1;
    m_cursorX = m_lineStart;
}

void MapPrinter::PrintHeaderBlock(int top)
{
    const LayoutState& state = *m_viewer.state;
    const WinColor text = static_cast<WinColor>(m_printing.totalsColour);
    m_column = 0;
    m_lineStart = m_leftMargin;
    m_cursorX = m_leftMargin;
    m_cursorY = top;
    SetFont("Arial", 7, text);
    PrintLine(m_position == 0 ? MapProductLine() : " ", false);
    SetFont("Arial", 4, text);
    PrintLine(" ", false);
    SetFont("Times New Roman", 10, static_cast<WinColor>(m_printing.userTitleColour));
    PrintLine(m_printing.headerText.empty() ? " " : m_printing.headerText, false);
    if (!m_printing.extraHeaders[0].empty()) {
        SetFont("Arial", ExtraHeaderFontSize(m_printing.extraHeaderFontSize),
                static_cast<WinColor>(m_printing.extraHeaderColour));
        for (const std::string& line : m_printing.extraHeaders)
            if (!line.empty())
                PrintLine(line, false);
    }
    SetFont("Arial", 6, text);
    PrintLine(" ", false);
    PrintLine(" ", false);
    SetFont("Arial", 10, text);
    const std::string listName = PrintedListName(m_inputs.listName);
    if (!listName.empty())
        PrintLine(Msg(11) + " : " + listName, false);
    PrintLine(Msg(487) + std::to_string(state.currentLayout) + "  - " + Msg(488) + ": " +
                  std::to_string(state.figures.repetitions),
              false);
    PrintLine((state.sheetCode < 0 ? Msg(213) : Msg(212)) + ":  " +
                  RealToText(state.sheetLength, m_inputs.showDecimals) + " x " +
                  RealToText(state.sheetHeight, m_inputs.showDecimals) + "  ",
              false);
    PrintLine(Msg(144) + ": " + m_inputs.materialDescription, false);
    PrintLine(" ", false);
    m_blockEnd = m_cursorY;
}

void MapPrinter::PrintStatistics(int top)
{
    const LayoutFigures& f = m_viewer.state->figures;
    const bool second = m_perSheet == 2 && m_position == 1;
    m_column = static_cast<int>(Trunc((m_width - m_leftMargin) * 0.5));
    m_lineStart = m_leftMargin;
    m_cursorX = m_leftMargin;
    m_cursorY = top;
    SetFont("Arial", 9, static_cast<WinColor>(m_printing.dateTimeColour));
    PrintLine(second ? " " : "  " + m_inputs.time + "        " + m_inputs.date, false);
    SetFont("Arial", 9, static_cast<WinColor>(m_printing.totalsColour));
    auto row = [&](const std::string& label, const std::vector<std::string>& cells) {
        PrintCell(PadRight(label, kStatisticsCell), false);
        for (const std::string& cell : cells)
            PrintCell(LeftPad(cell, " ", kStatisticsCell), true);
        NewLine();
    };
    auto area = [&](std::int64_t a) {
        return FormatPercent(static_cast<double>(a) / kTenthsSquaredPerM2, m_inputs.longNumbers);
    };
    auto percent = [&](std::int64_t a) {
        const double sheet = static_cast<double>(m_viewer.state->sheetLength) * m_viewer.state->sheetHeight;
        return FormatPercent(sheet > 0 ? static_cast<double>(a) * 100.0 / sheet : 0.0, false);
    };
    row(Msg(516), {Msg(274), Msg(275), Msg(787)});
    row(Msg(141), {std::to_string(f.pieceCount), std::to_string(f.offcutCount),
                   std::to_string(f.scrapCount)});
    row(Msg(486), {area(f.pieceArea), area(f.offcutArea), area(f.scrapArea)});
    row("        %:", {percent(f.pieceArea), percent(f.offcutArea), percent(f.scrapArea)});
    PrintLine(" ", false);
    m_statisticsEnd = m_cursorY;
    m_column = 0;
}

void MapPrinter::PrintFooter()
{
    const int size = FooterFontSize(m_options.stored.footerFontSize);
    m_options.stored.footerFontSize = std::to_string(size);
    m_printing.footerFontSize = m_options.stored.footerFontSize;
    SetFont("Arial", size, static_cast<WinColor>(m_printing.totalsColour));
    Canvas& canvas = Page();
    m_footerTop = m_height - canvas.MeasureText("X").height;
    if (!m_printing.footerText.empty())
        canvas.Text({m_leftMargin, m_footerTop}, m_printing.footerText);
}

void MapPrinter::PrintDimensionLines()
{
    const LayoutState& state = *m_viewer.state;
    const ViewTransform& view = *m_viewer.view;
    Canvas& canvas = Page();
    const WinColor colour = static_cast<WinColor>(m_printing.axesColour);
    canvas.pen = {colour, 1, PenStyle::Solid};
    SetFont("Arial", 8, colour);
    const int left = ToPrinterX(view, 0);
    const int right = ToPrinterX(view, state.sheetLength);
    const int bottom = ToPrinterY(view, 0);
    const int top = ToPrinterY(view, state.sheetHeight);

    // The height, left of the drawing.
    const int x = left - kDimensionGap;
    canvas.Line({x, top}, {x, bottom});
    canvas.Line({x - kDimensionTick, top}, {x + kDimensionTick + 1, top});
    canvas.Line({x - kDimensionTick, bottom}, {x + kDimensionTick + 1, bottom});
    const std::string height = RealToText(state.sheetHeight, m_inputs.showDecimals);
    const TextExtent h = canvas.MeasureText(height);
    const int textLeft = x - kDimensionTick - 10 - h.width;
    if (textLeft >= m_leftMargin)
        canvas.Text({textLeft, (top + bottom - h.height) / 2}, height);
    else  // no room beside the line: above its top end
        canvas.Text({std::max(m_leftMargin, x - h.width / 2), top - h.height - 10}, height);

    // The width, below it.
    const int y = bottom + kDimensionGap;
    canvas.Line({left, y}, {right, y});
    canvas.Line({left, y - kDimensionTick}, {left, y + kDimensionTick + 1});
    canvas.Line({right, y - kDimensionTick}, {right, y + kDimensionTick + 1});
    const std::string width = RealToText(state.sheetLength, m_inputs.showDecimals);
    const TextExtent w = canvas.MeasureText(width);
    canvas.Text({(left + right - w.width) / 2, y + kDimensionTick + 5}, width);
}

void MapPrinter::DrawCurrentLayout()
{
    m_keys.entries.clear();
    DrawContext context;
    context.canvas = &Page();
    context.target = DrawTarget::Printer;
    context.view = m_viewer.view;
    context.display = m_viewer.display;
    context.print = &m_printing;
    context.printInitialCuts = m_options.initialCuts;
    context.kerf = m_inputs.kerf;
    context.specialPerimeter = m_inputs.specialPerimeter;
    context.showDecimals = m_inputs.showDecimals;
    context.keys = &m_keys;
    context.cutLines = &m_cutLines;
    RedrawLayout(context, *m_viewer.state, false);
}

void MapPrinter::PrintCaptionBlock(int x, int y)
{
    const LayoutState& state = *m_viewer.state;
    m_column = 0;
    m_lineStart = x;
    m_cursorX = x;
    m_cursorY = y;
    SetFont("Arial", 9, static_cast<WinColor>(m_printing.totalsColour));
    PrintLine("Vorlane  - " + Msg(782) + ": " + m_inputs.date + "  - " + Msg(783) + ": " + m_inputs.time,
              false);
    PrintLine(Msg(144) + ": " + m_inputs.materialDescription, false);
    const std::string listName = PrintedListName(m_inputs.listName);
    if (!listName.empty())
        PrintLine(Msg(11) + ": " + listName, false);
    PrintLine(Msg(191) + ": " + std::to_string(state.currentLayout) + "  - " + Msg(510) + ": " +
                  std::to_string(state.figures.repetitions),
              false);
    PrintLine(RealToText(state.sheetLength, m_inputs.showDecimals) + " x " +
                  RealToText(state.sheetHeight, m_inputs.showDecimals),
              false);
    PrintLine(Msg(202) + FormatPercent(state.figures.yield, m_inputs.longNumbers) + " %", false);
    PrintLine(Msg(203) + FormatPercent(state.figures.loss, m_inputs.longNumbers) + " %", false);
}

std::vector<MapPrinter::ListLine> MapPrinter::ListLines()
{
    std::vector<ListLine> lines;
    auto size = [&](int tenths) { return RealToText(tenths, m_inputs.showDecimals); };
    lines.push_back({{Msg(764), false}});
    const std::string offcut = Msg(213);
    for (const PrintLetterKey& key : m_keys.entries) {
        const bool defaultOffcut = key.description.find(offcut) != std::string::npos;
        lines.push_back(
            {{PadRight(LetterKeyText(key.letter), 3), false},
             {defaultOffcut ? std::string(6, ' ') : LeftPad(std::to_string(key.code), " ", 7),
              true},
             {":", false},
             {LeftPad(size(key.width), " ", 6), true},
             {" x ", false},
             {LeftPad(size(key.height), " ", 6), true},
             {" " + Utf8Left(key.description, kListDescriptionLength), false}});
    }
    if (m_perSheet != 1 || !m_options.pieceList)
        return lines;
    if (m_inputs.pcbOption) {
        lines.push_back({{" ", false}});
        lines.push_back({{Msg(272), false}});
        for (const std::string& caption : m_inputs.pcbCaptions)
            lines.push_back({{caption + " :", false}});
        return lines;
    }
    if (!m_printing.listAllPieces)
        return lines;
    // Pieces of one code and order once, with their count, in the order met.
    struct Group {
        const ViewerElement* first = nullptr;
        int count = 0;
    };
    std::vector<std::pair<std::pair<int, int>, Group>> groups;
    for (const ViewerElement& e : m_viewer.state->elements) {
        if (e.type != kLayoutTypePiece)
            continue;
        const std::pair<int, int> key{e.code, e.order};
        auto it = std::find_if(groups.begin(), groups.end(), [&](const auto& g) { return g.first == key; });
        if (it == groups.end())
            groups.push_back({key, Group{&e, 1}});
        else
            ++it->second.count;
    }
    lines.push_back({{" ", false}});
    lines.push_back({{Msg(765), false}});
    lines.push_back({{kPieceListSeparator, false}});
    for (const auto& [key, group] : groups) {
        const ViewerElement& e = *group.first;
        std::string description = e.description;
        if (!description.empty() && description.front() == ' ')
            description.erase(0, 1);
        lines.push_back({{LeftPad(std::to_string(group.count), " ", 4), true},
                         {" x ", false},
                         {LeftPad(std::to_string(key.first), " ", 7), true},
                         {":", false},
                         {LeftPad(size(e.length), " ", 7), true},
                         {" x ", false},
                         {LeftPad(size(e.height), " ", 7), true},
                         {"  " + Utf8Left(description, kListDescriptionLength), false}});
    }
    lines.push_back({{kPieceListSeparator, false}});
    return lines;
}

int MapPrinter::LineWidth(const ListLine& line)
{
    const int x = Page().MeasureText("X").width;
    int width = 0;
    for (const Cell& cell : line)
        width += x * static_cast<int>(Utf8Length(cell.text));
    return width;
}

// The lists flow in columns through the free part of the map's area; a list
// that reaches the bottom goes on in the next column, then on a further sheet.
bool MapPrinter::PrintLists(int top, int bottom)
{
    SetFont("Arial", 9, static_cast<WinColor>(m_printing.totalsColour));
    const std::vector<ListLine> lines = ListLines();
    int columnWidth = 0;
    for (const ListLine& line : lines)
        columnWidth = std::max(columnWidth, LineWidth(line));
    columnWidth += 2 * Page().MeasureText("X").width;
    const int lineHeight = Page().MeasureText("X").height + 1;
    int left = m_leftMargin;
    m_column = 0;
    m_cursorY = top;
    for (const ListLine& line : lines) {
        if (m_cursorY + lineHeight > bottom) {
            left += columnWidth;
            m_cursorY = top;
            if (left + columnWidth > m_width && left > m_leftMargin) {
                if (!CloseSheet() || !OpenSheet())
                    return false;
                m_sheetFull = true;
                PrintFooter();
                SetFont("Arial", 9, static_cast<WinColor>(m_printing.totalsColour));
                left = m_leftMargin;
                top = m_topMargin;
                bottom = m_footerTop - lineHeight;
                m_cursorY = top;
            }
        }
        m_lineStart = left;
        m_cursorX = left;
        for (const Cell& cell : line)
            PrintCell(cell.text, cell.right);
        NewLine();
    }
    return true;
}

bool MapPrinter::PrintLayoutPage()
{
    LayoutState& state = *m_viewer.state;
    ViewTransform& view = *m_viewer.view;
    Canvas& canvas = Page();
    canvas.brush = {kWhite, BrushStyle::Clear};
    canvas.font.colour = static_cast<WinColor>(m_printing.totalsColour);

    view.drawingWidth = m_drawingWidth;
    view.leftMargin = m_leftMargin;
    view.printerAspect = m_inputs.aspect;
    FitLayout(view, LayoutExtent(state));

    if (m_perSheet == 4) {
        view.pageOffsetY = m_pageOffset;
        DrawCurrentLayout();
        ++m_position;
        if (m_viewer.redrawScreen)
            m_viewer.redrawScreen();
        const int h = static_cast<int>(Round(m_height * 0.25));
        PrintCaptionBlock(static_cast<int>(Round(m_width * 0.5)),
                          static_cast<int>(Trunc(h * 0.25)) + m_pageOffset);
        m_pageOffset += h;
        return true;
    }

    const bool second = m_perSheet == 2 && m_position == 1;
    const int half = static_cast<int>(Round(m_height * 0.5));
    m_pageOffset = second ? half : 0;
    view.pageOffsetY = m_pageOffset;
    PrintHeaderBlock(m_topMargin + m_pageOffset);
    PrintDimensionLines();
    PrintStatistics(m_topMargin + m_pageOffset);
    if (m_position == 0)
        PrintFooter();
    DrawCurrentLayout();

    SetFont("Arial", 9, static_cast<WinColor>(m_printing.totalsColour));
    const int lineHeight = Page().MeasureText("X").height + 1;
    const int below = ToPrinterY(view, 0) + kDimensionGap + kDimensionTick + 5 +
                      Page().MeasureText("0").height * 2 + lineHeight;
    const int top = std::max({below, m_blockEnd, m_statisticsEnd});
    const int bottom = (m_perSheet == 2 && !second ? half : m_footerTop) - lineHeight;
    const bool listed = PrintLists(top, bottom);
    ++m_position;
    if (m_viewer.redrawScreen)
        m_viewer.redrawScreen();
    return listed;
}

}  // namespace vor
