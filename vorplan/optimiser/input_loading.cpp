#include "vorplan/optimiser/input_loading.h"

#include <algorithm>
#include <limits>
#include <set>

#include "vorplan/common/conversions.h"
#include "vorplan/common/real_helpers.h"
#include "vorplan/common/text_file.h"
#include "vorplan/orders/offcut_table.h"
#include "vorplan/orders/table_files.h"

namespace vor {

namespace {

constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kInt32Min = std::numeric_limits<std::int32_t>::min();

// A file may hold any real ("1e300"). Such values are held at a bound far
// beyond every check, so they fail the check instead of failing the load.
constexpr double kLargestMillimetres = 1e17;
constexpr std::int64_t kHeldTenths = 1'000'000'000'000'000'000;

// The largest row number whose code (minus ten times it) a stock entry holds.
constexpr std::int64_t kLargestOffcutRowTenths = std::numeric_limits<std::int32_t>::max() / 10 * 10;

std::int64_t HoldTenths(std::int64_t tenths)
{
    return std::clamp(tenths, -kHeldTenths, kHeldTenths);
}

std::int64_t TenthsRounded(double mm)
{
    if (mm >= kLargestMillimetres)
        return kHeldTenths;
    if (mm <= -kLargestMillimetres)
        return -kHeldTenths;
    return MillimetresToTenths(mm);
}

std::int64_t TenthsTruncated(double mm)
{
    if (mm >= kLargestMillimetres)
        return kHeldTenths;
    if (mm <= -kLargestMillimetres)
        return -kHeldTenths;
    return MillimetresToTenthsTrunc(mm);
}

bool FitsInt32(std::int64_t value)
{
    return value >= kInt32Min && value <= kInt32Max;
}

// The working tables hold 32-bit values; a value that does not fit has
// already failed its check, and is kept at the nearest bound.
std::int32_t ToInt32(std::int64_t value)
{
    return static_cast<std::int32_t>(std::clamp(value, kInt32Min, kInt32Max));
}

bool OutsideFileRange(long long value)
{
    return value < 1 || value > kMaxFileDimension;
}
bool OutsideQuantityRange(long long value)
{
    return value < 1 || value > kMaxLineQuantity;
}

std::vector<std::string> LinesOrEmpty(const Path& path)
{
    std::optional<std::vector<std::string>> lines = ReadTextLines(path);
    return lines ? std::move(*lines) : std::vector<std::string>{};
}

std::int64_t Area(const StockEntry& entry)
{
    return std::int64_t{entry.length} * std::int64_t{entry.width};
}

// Stable, so equal areas keep the order they were read in; the list is
// short and often sorted already, so an insertion sort does.
void SortByArea(StockList& stock, bool increasing)
{
    const long n = std::min(stock.count, kStockCapacity);
    for (long i = 2; i <= n; ++i) {
        const StockEntry entry = stock.entries[i];
        const std::int64_t area = Area(entry);
        long j = i - 1;
        while (j >= 1 &&
               (increasing ? Area(stock.entries[j]) > area : Area(stock.entries[j]) < area)) {
            stock.entries[j + 1] = stock.entries[j];
            --j;
        }
        stock.entries[j + 1] = entry;
    }
}

}  // namespace

// ---- Parsing -----------------------------------------------------------------------

std::vector<SheetTableLine> ParseSheetTableLines(const std::vector<std::string>& lines)
{
    std::vector<SheetTableLine> parsed;
    for (std::string line : lines) {
        CutAtSemicolon(line);
        const SheetLineFields f = ParseSheetLine(line);
        if (f.mark <= 0)
            continue;
        parsed.push_back({f.code, f.quantity, f.widthWhole, f.heightWhole, TenthsRounded(f.width),
                          TenthsRounded(f.height)});
    }
    return parsed;
}

std::vector<std::int64_t> OffcutRowCodes(const std::vector<std::string>& lines)
{
    // An offcut's code is minus ten times its row number. Numbers that are not
    // whole, not above 0 or repeated would give codes of stock sheets or one
    // code to two offcuts; then every offcut takes its line's position in the
    // file instead, as the editor numbers the rows of the file it loads.
    std::vector<std::int64_t> codes(lines.size(), 0);
    std::vector<bool> isRow(lines.size(), false);
    std::set<std::int64_t> numbers;
    bool numbersUsable = true;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::vector<std::string> fields = SplitOffcutFields(lines[i]);
        if (fields.size() < 2)
            continue;
        isRow[i] = true;
        const std::int64_t number = TenthsTruncated(StrToRealComma(fields[0]));
        if (number < 10 || number % 10 != 0 || number > kLargestOffcutRowTenths ||
            !numbers.insert(number).second)
            numbersUsable = false;
        codes[i] = -number;
    }
    if (!numbersUsable) {
        for (std::size_t i = 0; i < codes.size(); ++i)
            if (isRow[i])
                codes[i] = -10 * static_cast<std::int64_t>(i + 1);
    }
    return codes;
}

std::vector<OffcutTableLine> ParseOffcutTableLines(const std::vector<std::string>& lines)
{
    const std::vector<std::int64_t> codes = OffcutRowCodes(lines);
    std::vector<OffcutTableLine> parsed;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::vector<std::string> fields = SplitOffcutFields(lines[i]);
        if (fields.size() < 2 || fields[1] != "+")
            continue;
        const auto tenths = [&fields](std::size_t field) {
            return field <= fields.size() ? TenthsTruncated(StrToRealComma(fields[field - 1])) : 0;
        };
        parsed.push_back({codes[i], tenths(3) / 10, tenths(4), tenths(5)});
    }
    return parsed;
}

std::vector<PieceListLine> ParsePieceListLines(const std::vector<std::string>& lines)
{
    std::vector<PieceListLine> parsed;
    long lineNumber = 0;
    for (std::string line : lines) {
        if (static_cast<long>(parsed.size()) >= kPieceCapacity)
            break;
        ++lineNumber;
        CutAtSemicolon(line);
        const PieceLineFields f = ParsePieceLine(line);
        if (f.mark <= 0)
            continue;
        parsed.push_back({lineNumber, f.quantity, f.widthWhole, f.heightWhole,
                          TenthsRounded(f.width), TenthsRounded(f.height)});
    }
    return parsed;
}

MaterialInput ReadMaterialInput(const DataFolders& folders, long long code, long long position)
{
    MaterialInput input;
    input.sheets = ParseSheetTableLines(LinesOrEmpty(SheetTableFile(folders, code)));
    input.offcuts = ParseOffcutTableLines(LinesOrEmpty(OffcutTableFile(folders, code)));
    input.pieces = ParsePieceListLines(LinesOrEmpty(MergedPieceListFile(folders, position, code)));
    return input;
}

// ---- Loading -----------------------------------------------------------------------

void LoadStock(const MaterialInput& input, const CalcOptions& options,
               const std::optional<CandidateSheet>& candidate, StockList& stock, RunStatus& status)
{
    stock.count = 0;

    if (candidate) {
        // The sizes come from the search boxes, not from a file: only what a
        // sheet length cannot hold is refused.
        if (candidate->length > kMaxFileDimension)
            status.Set(StatusCode::BadSheetLength);
        if (candidate->width > kMaxFileDimension)
            status.Set(StatusCode::BadSheetWidth);
        stock.Append(
            {ToInt32(candidate->length), ToInt32(candidate->width), kBestSizeSheetQuantity, 1},
            status);
    } else if (options.useSheets) {
        for (const SheetTableLine& line : input.sheets) {
            if (OutsideQuantityRange(line.quantity))
                status.Set(StatusCode::BadSheetQuantity);
            // A real the integer reading cuts short ("3e8") can still give a
            // length beyond the 32-bit working length.
            if (OutsideFileRange(line.lengthWhole) || !FitsInt32(line.length))
                status.Set(StatusCode::BadSheetLength);
            if (OutsideFileRange(line.widthWhole) || !FitsInt32(line.width))
                status.Set(StatusCode::BadSheetWidth);
            const std::int32_t quantity =
                options.infiniteSheets ? kInfiniteSheetQuantity : line.quantity;
            stock.Append({ToInt32(line.length), ToInt32(line.width), quantity, line.code}, status);
        }
    }

    if (options.useOffcuts) {
        for (const OffcutTableLine& line : input.offcuts) {
            if (OutsideQuantityRange(line.quantity))
                status.Set(StatusCode::BadSheetQuantity);
            if (OutsideFileRange(line.length))
                status.Set(StatusCode::BadSheetLength);
            if (OutsideFileRange(line.width))
                status.Set(StatusCode::BadSheetWidth);
            stock.Append({ToInt32(line.length), ToInt32(line.width), ToInt32(line.quantity),
                          ToInt32(line.code)},
                         status);
        }
    }

    SortByArea(stock, options.sheetOrder == SheetOrder::Increasing);
}

void LoadPieces(const MaterialInput& input, const CalcOptions& options, OptimiserWork& work)
{
    PieceList& list = work.pieces;
    RunStatus& status = work.status;
    list.count = 0;
    work.totalPieces = 0;
    work.smallestDimension = 100000;
    work.largestDimension = 0;
    work.extraProduction = false;

    const std::int64_t addLength =
        HoldTenths(options.pieceBorderWidth) + HoldTenths(options.material.pieceAllowanceLength);
    const std::int64_t addWidth =
        HoldTenths(options.pieceBorderHeight) + HoldTenths(options.material.pieceAllowanceWidth);

    for (const PieceListLine& line : input.pieces) {
        if (!list.HasRoom())
            break;
        const std::int64_t quantity = std::int64_t{line.quantity} * options.multiplier;
        const std::int64_t length = HoldTenths(line.width) + addLength;
        const std::int64_t width = HoldTenths(line.height) + addWidth;
        list.Append({static_cast<std::int32_t>(list.count + 1), ToInt32(length), ToInt32(width),
                     ToInt32(quantity)});
        work.totalPieces += quantity;
        work.smallestDimension =
            std::min({work.smallestDimension, line.widthWhole, line.heightWhole});
        work.largestDimension =
            std::max({work.largestDimension, line.widthWhole, line.heightWhole});

        const auto setWithDetail = [&](StatusCode code) {
            status.Set(code);
            status.detail = PieceLineDetailText(line.quantity, line.lineNumber);
        };
        if (length < 1)
            setWithDetail(StatusCode::BadExtraPieceOrLength);
        if (width < 1)
            setWithDetail(StatusCode::BadSearchedWidth);
        if (line.quantity > kMaxLineQuantity)
            setWithDetail(StatusCode::PieceQuantityAbove30000);
        if (line.quantity < 1)
            setWithDetail(StatusCode::PieceQuantityBelow1);
        // Borders and allowances can take a size past the 32-bit working length.
        if (OutsideFileRange(line.widthWhole) || length > kInt32Max)
            status.Set(StatusCode::BadPieceWidth);
        if (OutsideFileRange(line.heightWhole) || width > kInt32Max)
            status.Set(StatusCode::BadPieceHeight);
    }

    if (options.extraProduction) {
        const Piece extra{-1, ToInt32(options.extraPieceLength), ToInt32(options.extraPieceWidth),
                          kExtraPieceQuantity};
        list.Append(extra);
        work.extraProduction = true;
        work.totalPieces += kExtraPieceQuantity;
        work.smallestDimension = std::min({work.smallestDimension, extra.length, extra.width});
        const auto bad = [](std::int64_t size) {
            return size < 1 || size > kMaxExtraPieceDimension;
        };
        if (bad(options.extraPieceLength) || bad(options.extraPieceWidth))
            status.text = StatusCode::BadExtraPieceOrLength;
    }

    list.CheckCount(status);
    if (work.totalPieces > kMaxTotalPieces)
        status.text = StatusCode::TooManyPiecesInTotal;
}

}  // namespace vor
