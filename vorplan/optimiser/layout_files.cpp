#include "vorplan/optimiser/layout_files.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <system_error>

#include "vorplan/common/codec.h"
#include "vorplan/common/conversions.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/real_helpers.h"
#include "vorplan/common/text_file.h"
#include "vorplan/orders/table_files.h"

namespace vor {

namespace {

constexpr int kTempWriteError = 3003;
constexpr int kTempReadError = 2007;

// Values far beyond any sheet are held here, so that sums of them cannot
// wrap and they simply match nothing.
constexpr std::int64_t kHeld = 1'000'000'000'000'000'000;
constexpr double kLargestMillimetres = 1e17;

std::int64_t Hold(std::int64_t value)
{
    return std::clamp(value, -kHeld, kHeld);
}

std::int32_t ToInt32(std::int64_t value)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

// The piece loader's conversion, so that a placed piece and its order line
// meet in the same tenths.
std::int32_t OrderTenths(double mm)
{
    if (!std::isfinite(mm))
        return 0;
    if (mm >= kLargestMillimetres)
        return std::numeric_limits<std::int32_t>::max();
    if (mm <= -kLargestMillimetres)
        return std::numeric_limits<std::int32_t>::min();
    return ToInt32(MillimetresToTenths(mm));
}

void AppendHeader(std::vector<std::string>& lines, std::string_view title, std::string_view columns)
{
    lines.emplace_back(title);
    lines.emplace_back();
    lines.emplace_back(columns);
    lines.emplace_back();
}

std::string FinalLine(long long type, long long code, long long x, long long y, long long length,
                      long long height, std::string_view description, long long order)
{
    return LayoutElementColumns(type, code, x, y, length, height) + " " +
           LayoutFileDescription(description) + " " + IntToStrPad(order, -6);
}

// True when a field's digit run goes past what an int holds: StrToIntDef0
// then reads only the digits before the overflow.
bool IntegerFieldOverflows(std::string_view text)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const long long limit = negative ? -static_cast<long long>(std::numeric_limits<int>::min())
                                     : std::numeric_limits<int>::max();
    long long value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > limit)
            return true;
    }
    return false;
}

bool ParseInto(std::string_view line, SplitFieldArrays& fields, LayoutFileLine& out)
{
    std::string text(line);
    CutAtSemicolon(text);
    if (Utf8Length(text) <= 3)
        return false;
    SplitFieldsFirst15(text, ' ', fields);
    if (fields.count == 0)
        return false;
    out.type = fields.ints[1];
    out.code = fields.ints[2];
    out.x = fields.ints[3];
    out.y = fields.ints[4];
    out.length = fields.ints[5];
    out.height = fields.ints[6];
    out.description = fields.texts[7];
    out.order = fields.ints[8];
    out.fieldCount = fields.count;
    out.numberTooLarge = false;
    for (long i : {1, 2, 3, 4, 5, 6, 8})
        if (i <= fields.count && IntegerFieldOverflows(fields.texts[i]))
            out.numberTooLarge = true;
    return true;
}

// The order line a piece line of `repetitions` sheets is labelled with: the
// first of its size (as placed, then turned) whose quantity left covers every
// repetition, so that one customer's pieces never go to a line that wanted
// fewer; failing that, the first of its size with anything left.
OrderLine* FindOrderLine(OrderTable& orders, std::int64_t length, std::int64_t height,
                         long long repetitions, const LayoutFileSettings& settings)
{
    const std::int64_t addLength = Hold(settings.lengthAllowance);
    const std::int64_t addWidth = Hold(settings.widthAllowance);
    const auto find = [&](long long needed) -> OrderLine* {
        for (OrderLine& line : orders)
            if (line.remaining >= needed && line.length + addLength == length &&
                line.width + addWidth == height)
                return &line;
        for (OrderLine& line : orders)
            if (line.remaining >= needed && line.length + addLength == height &&
                line.width + addWidth == length)
                return &line;
        return nullptr;
    };
    if (OrderLine* covering = find(std::max(repetitions, 1LL)))
        return covering;
    return find(1);
}

void RemoveQuietly(const Path& path)
{
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
}

std::string StripLine(int type, std::int64_t x, std::int64_t y, std::int64_t width,
                      std::int64_t height, std::string_view description)
{
    return IntToStrPad(type, 0) + " 1 " + IntToStrPad(x, 0) + " " + IntToStrPad(y, 0) + " " +
           IntToStrPad(width, 0) + " " + IntToStrPad(height, 0) + " " + std::string(description) +
           " 0";
}

}  // namespace

std::string LayoutFileProblem::Text() const
{
    if (code == kTempReadError)
        return "Internal error 2007: Acesso ao arquivo " + path.string();
    return "Internal error " + IntToStrPad(code, 0);
}

std::string LayoutFileProblem::WarningLine() const
{
    if (code == kTempReadError)
        return LayoutFileWarning(Text());
    return LayoutFileWarning(Text() + ": " + path.string());
}

std::string LayoutFileWarning(std::string_view text)
{
    return " Atenção: " + std::string(text);
}

std::string LayoutElementColumns(long long type, long long code, long long x, long long y,
                                 long long length, long long height)
{
    std::string line = IntToStrPad(type, -5);
    // A value as wide as its column would run into the one before it and
    // both would read as one number, so it gets a blank of its own.
    const auto column = [&line](long long value, int width) {
        std::string text = IntToStrPad(value, -width);
        if (text.size() >= static_cast<std::size_t>(width) && text.front() != ' ')
            line += ' ';
        line += text;
    };
    column(code, 6);
    column(x, 8);
    column(y, 8);
    column(length, 8);
    column(height, 8);
    return line;
}

std::string LayoutFileDescription(std::string_view text)
{
    std::string s(text);
    for (char& c : s)
        if (c == ';' || c == '\t' || c == '\r' || c == '\n')
            c = ' ';
    TrimBlanks(s);
    if (s.empty())
        return "---";
    BlankToUnderscore(s);
    return s;
}

// ---- Temporary layout file -------------------------------------------------

std::vector<std::string> TempLayoutFileLines(const BestLayout& layout)
{
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(std::max(layout.count, 0L)) + 4);
    AppendHeader(lines, kTempLayoutTitle, kTempLayoutColumns);
    for (long i = 1; i <= layout.count; ++i) {
        const LayoutElement& e = layout.elements[i];
        lines.push_back(LayoutElementColumns(static_cast<std::int32_t>(e.type), e.code, e.x, e.y,
                                             e.length, e.height));
    }
    return lines;
}

std::optional<LayoutFileProblem> WriteTempLayoutFile(const DataFolders& folders,
                                                     long long layoutNumber, long long material,
                                                     const BestLayout& layout, FileOps& ops)
{
    const Path path = TempLayoutFile(folders, layoutNumber, material);
    try {
        WriteFileAtomically(path, EncodeTextLines(TempLayoutFileLines(layout)), ops);
    } catch (const IoError&) {
        return LayoutFileProblem{kTempWriteError, path};
    }
    return std::nullopt;
}

// ---- Order table -------------------------------------------------------------

OrderTable MakeOrderTable(const std::vector<std::string>& lines, int multiplier)
{
    OrderTable orders;
    for (const std::string& raw : lines) {
        std::string line = raw;
        CutAtSemicolon(line);
        const PieceLineFields f = ParsePieceLine(line);
        if (f.mark <= 0)
            continue;
        OrderLine order;
        order.code = f.code;
        order.length = OrderTenths(f.width);
        order.width = OrderTenths(f.height);
        order.remaining = static_cast<long long>(f.quantity) * multiplier;
        order.description = f.description;
        order.order = f.orderNumber;
        orders.push_back(std::move(order));
    }
    return orders;
}

OrderTable ReadOrderTable(const Path& mergedPieceList, int multiplier)
{
    const std::optional<std::vector<std::string>> lines = ReadTextLines(mergedPieceList);
    return lines ? MakeOrderTable(*lines, multiplier) : OrderTable{};
}

long long PiecesSelected(const OrderTable& orders)
{
    long long sum = 0;
    for (const OrderLine& line : orders)
        sum += line.remaining;
    return sum;
}

// ---- Layout file -------------------------------------------------------------

LayoutFileSettings MakeLayoutFileSettings(const CalcOptions& options, std::string stockSheetText,
                                          std::string offcutSheetText)
{
    LayoutFileSettings settings;
    settings.borders = options.EffectiveSheetBorders();
    settings.lengthAllowance =
        Hold(options.pieceBorderWidth) + Hold(options.material.pieceAllowanceLength);
    settings.widthAllowance =
        Hold(options.pieceBorderHeight) + Hold(options.material.pieceAllowanceWidth);
    settings.stockSheetText = std::move(stockSheetText);
    settings.offcutSheetText = std::move(offcutSheetText);
    return settings;
}

std::vector<std::string> LayoutFileLines(const std::vector<std::string>& tempLines,
                                         const LayoutFileSettings& settings, OrderTable& orders,
                                         long long& piecesPlaced)
{
    std::vector<std::string> out;
    out.reserve(tempLines.size() + 1);
    AppendHeader(out, kLayoutTitle, kLayoutColumns);

    SplitFieldArrays fields;
    LayoutFileLine e;
    long long repetitions = 1;
    for (const std::string& raw : tempLines) {
        if (!ParseInto(raw, fields, e))
            continue;
        long long code = e.code;
        std::string_view description = e.description;
        long long order = e.order;

        if (e.type == kLayoutTypeSheet) {
            repetitions = static_cast<long long>(e.x) + 1;
            description = e.code >= 0 ? settings.stockSheetText : settings.offcutSheetText;
        } else if (e.type == kLayoutTypePiece && e.code >= 0) {
            if (OrderLine* match =
                    FindOrderLine(orders, e.length, e.height, repetitions, settings)) {
                code = match->code;
                description = match->description;
                order = match->order;
                piecesPlaced += repetitions;
                match->remaining -= repetitions;
            }
        }
        out.push_back(FinalLine(e.type, code, e.x, e.y, e.length, e.height, description, order));

        if (e.type == kLayoutTypeSheet) {
            const SheetBorders& b = settings.borders;
            out.push_back(FinalLine(kLayoutTypeBorders, 0, b.left, b.right, b.bottom, b.top,
                                    kBordersDescription, 0));
        }
    }
    return out;
}

LayoutFilesResult WriteLayoutFiles(const DataFolders& folders, long long material,
                                   long long layoutCount, const LayoutFileSettings& settings,
                                   OrderTable& orders, FileOps& ops)
{
    LayoutFilesResult result;
    for (long long number = 1; number <= layoutCount; ++number) {
        const Path temp = TempLayoutFile(folders, number, material);
        const Path target = LayoutFile(folders, number, material);
        const std::optional<std::vector<std::string>> tempLines = ReadTextLines(temp);
        if (!tempLines) {
            result.problems.push_back({kTempReadError, temp});
            RemoveQuietly(target);
            continue;
        }
        const std::vector<std::string> lines =
            LayoutFileLines(*tempLines, settings, orders, result.piecesPlaced);
        WriteFileAtomically(target, EncodeTextLines(lines), ops);
    }
    return result;
}

// ---- Strip variant -----------------------------------------------------------

bool HoldsStrips(const StripLayout& layout)
{
    return std::any_of(layout.entries.begin(), layout.entries.end(),
                       [](const StripLayoutEntry& e) { return e.state == 1; });
}

std::vector<std::string> StripLayoutFileLines(const StripLayout& layout)
{
    std::vector<std::string> lines;
    lines.reserve(layout.entries.size() + 4);
    lines.emplace_back(kStripLayoutTitle);
    lines.emplace_back();
    lines.emplace_back(kLayoutColumns);
    lines.push_back("0 1 " + IntToStrPad(layout.furtherSheets, 0) + " 0 " +
                    IntToStrPad(layout.sheetWidth, 0) + " " + IntToStrPad(layout.sheetHeight, 0) +
                    " Chapa_PCI 0");
    for (const StripLayoutEntry& e : layout.entries)
        if (e.state == 1)
            lines.push_back(StripLine(kLayoutTypePiece, e.x, e.y, e.width, e.height, "Tira_PCI"));
    for (const StripLayoutEntry& e : layout.entries)
        if (e.state != 1)
            lines.push_back(StripLine(kLayoutTypeOffcut, e.x, e.y, e.width, e.height, "Retalho"));
    return lines;
}

std::vector<long long> WriteStripLayoutFiles(const DataFolders& folders, long long material,
                                             const std::vector<StripLayout>& layouts, FileOps& ops)
{
    std::vector<long long> failed;
    long long number = 0;
    for (const StripLayout& layout : layouts) {
        if (!HoldsStrips(layout))
            continue;
        ++number;
        try {
            WriteFileAtomically(LayoutFile(folders, number, material),
                                EncodeTextLines(StripLayoutFileLines(layout)), ops);
        } catch (const IoError&) {
            failed.push_back(number);
        }
    }
    // No layout of an earlier run may follow the last one.
    RemoveQuietly(LayoutFile(folders, number + 1, material));
    return failed;
}

// ---- Reading -----------------------------------------------------------------

std::optional<LayoutFileLine> ParseLayoutLine(std::string_view line)
{
    SplitFieldArrays fields;
    LayoutFileLine parsed;
    if (!ParseInto(line, fields, parsed))
        return std::nullopt;
    return parsed;
}

LayoutFileContents ParseLayoutFileContents(const std::vector<std::string>& lines)
{
    LayoutFileContents contents;
    SplitFieldArrays fields;
    LayoutFileLine parsed;
    for (const std::string& line : lines) {
        if (!ParseInto(line, fields, parsed))
            continue;
        if (static_cast<long>(contents.lines.size()) < kLayoutFileLineCapacity)
            contents.lines.push_back(parsed);
        else
            ++contents.linesLeftOut;
    }
    return contents;
}

std::optional<LayoutFileContents> ReadLayoutFileContents(const Path& path)
{
    const std::optional<std::vector<std::string>> lines = ReadTextLines(path);
    if (!lines)
        return std::nullopt;
    return ParseLayoutFileContents(*lines);
}

}  // namespace vor
