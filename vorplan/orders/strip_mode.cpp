#include "vorplan/orders/strip_mode.h"

#include <algorithm>
#include <cmath>

#include "vorplan/common/calc_lists.h"
#include "vorplan/common/conversions.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/real_helpers.h"
#include "vorplan/common/small_helpers.h"
#include "vorplan/common/text_file.h"
#include "vorplan/optimiser/calc_data_file.h"
#include "vorplan/optimiser/input_loading.h"

namespace vor {

namespace {

// Lengths beyond this are held here: past every limit, yet sums of a strip's
// parts stay far inside 64 bits.
constexpr double kLargestMillimetres = 1e14;
constexpr std::int64_t kHeldTenths = 1'000'000'000'000'000;

constexpr int kMinSheetDimension = 1;
constexpr int kMaxSheetDimension = 90000;
constexpr int kMaxSheetQuantity = 1000;
constexpr std::int64_t kMaxSheetTenths = kMaxSheetDimension * 10LL + 10;

std::int64_t HeldTenths(const std::string& text, bool cut)
{
    const double mm = StrToRealComma(text);
    if (mm >= kLargestMillimetres)
        return kHeldTenths;
    if (mm <= -kLargestMillimetres)
        return -kHeldTenths;
    return cut ? MillimetresToTenthsTrunc(mm) : MillimetresToTenths(mm);
}

bool Outside(std::int64_t value, std::int64_t low, std::int64_t high)
{
    return value < low || value > high;
}

double Area(std::int64_t a, std::int64_t b)
{
    return static_cast<double>(a) * static_cast<double>(b);
}

std::int32_t ToInt32(std::int64_t v)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

const char* const kCheckTexts[] = {
    "larg_max_tira<larg_min_tira",
    "alt_max_tira<alt_min_tira",
    "larg_min_tira<LMINT",
    "larg_max_tira>LMAXT",
    "qt_min_pci<1",
    "qt_max_pci>QTMAXPCI",
    "(marg_lat_esq<0) ou (marg_lat_esq>200)",
    "if (marg_lat_dir<0) or (marg_lat_dir>200)",
    "(marg_sup<0) ou (marg_sup>200)",
    "(marg_inf<0) ou (marg_inf>200)",
    "(espacamento_x<0) ou (espacamento_x>200)",
    "(espacamento_y<0) or (espacamento_y>200)",
    "qt_min_pci<1 then erro",
    "qt_max_pci>500 then erro",
};

constexpr const char* kCalcSection = "CALC_PCB";
constexpr const char* kDisplaySection = "OSTREL_PCB";

}  // namespace

// ---- Parameters and options -----------------------------------------------------------

std::int64_t StripLengthRounded(const std::string& millimetres)
{
    return HeldTenths(millimetres, false);
}

std::int64_t StripLengthCut(const std::string& millimetres)
{
    return HeldTenths(millimetres, true);
}

StripParameters StripParametersOf(const PcbStripValues& v)
{
    StripParameters p;
    p.boardWidth = StripLengthRounded(v.boardWidth);
    p.boardHeight = StripLengthRounded(v.boardHeight);
    p.mayTurn = v.mayTurn;
    p.wanted = StrToIntDef0(v.wantedBoards);
    p.minBoards = StrToIntDef0(v.minBoardsPerStrip);
    p.maxBoards = StrToIntDef0(v.maxBoardsPerStrip);
    p.borderLeft = StripLengthRounded(v.borderLeft);
    p.borderRight = StripLengthRounded(v.borderRight);
    p.borderTop = StripLengthRounded(v.borderTop);
    p.borderBottom = StripLengthRounded(v.borderBottom);
    p.gap = StripLengthRounded(v.boardGap);
    p.minWidth = StripLengthRounded(v.minStripWidth);
    p.maxWidth = StripLengthRounded(v.maxStripWidth);
    p.minHeight = StripLengthRounded(v.minStripHeight);
    p.maxHeight = StripLengthRounded(v.maxStripHeight);
    return p;
}

int StripParameterError(const StripParameters& p)
{
    const bool failed[] = {
        p.maxWidth < p.minWidth,
        p.maxHeight < p.minHeight,
        p.minWidth < 10,
        p.maxWidth > 10000,
        p.minBoards < 1,
        p.maxBoards > 100,
        Outside(p.borderLeft, 0, 200),
        Outside(p.borderRight, 0, 200),
        Outside(p.borderTop, 0, 200),
        Outside(p.borderBottom, 0, 200),
        Outside(p.gap, 0, 200),
        Outside(p.gap, 0, 200),
        p.minBoards < 1,
        p.maxBoards > 500,
    };
    int error = 0;
    for (int i = 0; i < 14; ++i)
        if (failed[i])
            error = i + 1;
    return error;
}

std::string StripCheckText(int number)
{
    if (number < 1 || number > 14)
        return {};
    return kCheckTexts[number - 1];
}

long long StripsNeeded(long long wanted, long long perStrip)
{
    if (wanted <= 0 || perStrip <= 0)
        return 0;
    return (wanted + perStrip - 1) / perStrip;
}

StripGeneration GenerateStripOptions(const StripParameters& p)
{
    StripGeneration g;
    g.error = StripParameterError(p);
    if (g.error != 0)
        return g;
    // A board without area would make strips of borders alone.
    if (p.boardWidth <= 0 || p.boardHeight <= 0)
        return g;
    const int orientations = p.mayTurn ? 2 : 1;
    for (int turn = 0; turn < orientations; ++turn) {
        const std::int64_t bw = turn == 0 ? p.boardWidth : p.boardHeight;
        const std::int64_t bh = turn == 0 ? p.boardHeight : p.boardWidth;
        for (int nx = 1; nx <= kMaxBoardsAcross; ++nx) {
            const std::int64_t width = p.borderLeft + p.borderRight + nx * bw + (nx - 1) * p.gap;
            for (int ny = 1; ny <= kMaxBoardsAlong; ++ny) {
                const std::int64_t height =
                    p.borderTop + p.borderBottom + ny * bh + (ny - 1) * p.gap;
                const long long boards = static_cast<long long>(nx) * ny;
                if (width < p.minWidth || width > p.maxWidth || height < p.minHeight ||
                    height > p.maxHeight || boards < p.minBoards || boards > p.maxBoards)
                    continue;
                StripOption o;
                o.across = nx;
                o.along = ny;
                o.boardWidth = bw;
                o.boardHeight = bh;
                o.width = width;
                o.height = height;
                o.borderLeft = p.borderLeft;
                o.borderRight = p.borderRight;
                o.borderTop = p.borderTop;
                o.borderBottom = p.borderBottom;
                o.gapAcross = p.gap;
                o.gapAlong = p.gap;
                o.stripsNeeded = StripsNeeded(p.wanted, boards);
                if (static_cast<int>(g.options.size()) < kStripOptionCapacity) {
                    o.number = static_cast<int>(g.options.size()) + 1;
                    g.options.push_back(o);
                } else {
                    o.number = kStripOptionCapacity;
                    g.options.back() = o;
                }
            }
        }
    }
    for (const StripOption& o : g.options) {
        g.greatestWidth = std::max(g.greatestWidth, o.width);
        g.greatestHeight = std::max(g.greatestHeight, o.height);
    }
    return g;
}

double StripListScale(const StripGeneration& g, int listWidth, int listHeight)
{
    if (g.options.empty())
        return 0.5;
    // A side of no length sets no bound.
    double scale = -1.0;
    if (g.greatestWidth > 0)
        scale = (listWidth - 20) * 0.25 / static_cast<double>(g.greatestWidth);
    if (g.greatestHeight > 0) {
        const double byHeight = (listHeight - 20) * 0.5 / static_cast<double>(g.greatestHeight);
        scale = scale < 0 ? byHeight : std::min(scale, byHeight);
    }
    return scale < 0 ? 0.5 : std::max(scale, 0.0);
}

std::vector<PieceRow> StripOptionRows(const std::vector<StripOption>& options,
                                      const std::string& material)
{
    std::vector<PieceRow> rows;
    rows.reserve(options.size());
    for (const StripOption& o : options) {
        PieceRow row;
        row.mark = o.selected ? "+" : " ";
        row.code = std::to_string(o.number);
        row.quantity = std::to_string(o.stripsNeeded);
        row.width = RealToStr1(static_cast<double>(o.width) * 0.1);
        row.height = RealToStr1(static_cast<double>(o.height) * 0.1);
        row.material = material;
        row.description =
            "Tira " + std::to_string(o.across) + "x" + std::to_string(o.along);
        rows.push_back(std::move(row));
    }
    return rows;
}

// ---- Sheet kinds ----------------------------------------------------------------------------

SheetKindsRead ReadSheetKinds(const std::vector<std::string>& lines, SheetKindOrder order)
{
    SheetKindsRead read;
    // The table's own reader: cut at ";", marked lines only, millimetres to
    // tenths rounded; its length and width are this sheet's width and height.
    const std::vector<SheetTableLine> marked = ParseSheetTableLines(lines);
    for (std::size_t i = 0; i < marked.size() && read.status == 0; ++i) {
        if (static_cast<int>(i) >= kSheetKindCapacity) {
            read.status = 1;
            break;
        }
        const SheetTableLine& line = marked[i];
        read.kinds.push_back({line.length, line.width, line.quantity});
        if (Outside(line.quantity, 1, kMaxSheetQuantity))
            read.status = 2;
        // "1e9" reads 1 as an integer: its value decides too.
        if (Outside(line.lengthWhole, kMinSheetDimension, kMaxSheetDimension) ||
            line.length > kMaxSheetTenths)
            read.status = 3;
        if (Outside(line.widthWhole, kMinSheetDimension, kMaxSheetDimension) ||
            line.width > kMaxSheetTenths)
            read.status = 4;
    }
    if (read.status == 0 && read.kinds.empty())
        read.status = 6;
    if (read.status != 0 || order == SheetKindOrder::List)
        return read;
    const bool largest = order == SheetKindOrder::LargestFirst;
    std::stable_sort(read.kinds.begin(), read.kinds.end(),
                     [largest](const SheetKind& a, const SheetKind& b) {
                         const double areaA = Area(a.width, a.height);
                         const double areaB = Area(b.width, b.height);
                         return largest ? areaA > areaB : areaA < areaB;
                     });
    return read;
}

SheetKindsRead ReadSheetKinds(const DataFolders& folders, long long material,
                              SheetKindOrder order)
{
    const std::optional<std::vector<std::string>> lines =
        ReadTextLines(SheetTableFile(folders, material));
    if (!lines) {
        SheetKindsRead read;
        read.status = 5;
        return read;
    }
    return ReadSheetKinds(*lines, order);
}

std::string SheetKindStatusMessage(int status)
{
    return Msg(430) + " " + Msg(889 + status);
}

// ---- Direct strip cutting ------------------------------------------------------------------------

namespace {

struct FreeRectangle {
    std::int64_t x, y, w, h;
};

// One layout of the search: free rectangles worked through as a queue.
class LayoutBuilder {
public:
    LayoutBuilder() { m_free.reserve(kFreeRectangleCapacity); }

    void Build(std::int64_t sheetWidth, std::int64_t sheetHeight, std::int64_t width,
               std::int64_t height, long long remaining, long long turnedEntries,
               bool firstDirection)
    {
        m_free.clear();
        m_entries.clear();
        m_strips = 0;
        m_free.push_back({0, 0, sheetWidth, sheetHeight});
        for (std::size_t i = 0; i < m_free.size(); ++i) {
            const FreeRectangle r = m_free[i];
            std::int64_t a = width, b = height;
            const bool fitsTurned = r.w >= height && r.h >= width;
            const bool fitsGiven = r.w >= width && r.h >= height;
            const bool turnedFirst = static_cast<long long>(m_entries.size()) < turnedEntries;
            if (!fitsTurned && !fitsGiven) {
                m_entries.push_back({ToInt32(r.x), ToInt32(r.y), ToInt32(r.w), ToInt32(r.h), 2});
                continue;
            }
            if (fitsTurned && (turnedFirst || !fitsGiven))
                a = height, b = width;
            const int state = m_strips >= remaining ? 2 : 1;
            if (state == 1)
                ++m_strips;
            m_entries.push_back({ToInt32(r.x), ToInt32(r.y), ToInt32(a), ToInt32(b), state});
            if (firstDirection) {
                Append({r.x, r.y + b, r.w, r.h - b});
                Append({r.x + a, r.y, r.w - a, b});
            } else {
                Append({r.x, r.y + b, a, r.h - b});
                Append({r.x + a, r.y, r.w - a, r.h});
            }
        }
    }

    long long Strips() const { return m_strips; }
    std::size_t Rectangles() const { return m_free.size(); }
    const std::vector<StripLayoutEntry>& Entries() const { return m_entries; }

private:
    void Append(const FreeRectangle& r)
    {
        if (r.w <= 0 || r.h <= 0 || m_free.size() >= kFreeRectangleCapacity)
            return;
        m_free.push_back(r);
    }

    std::vector<FreeRectangle> m_free;
    std::vector<StripLayoutEntry> m_entries;
    long long m_strips = 0;
};

}  // namespace

StripSheetLayout SearchStripLayout(std::int64_t sheetWidth, std::int64_t sheetHeight,
                                   std::int64_t width, std::int64_t height, long long remaining)
{
    StripSheetLayout best;
    best.layout.sheetWidth = ToInt32(sheetWidth);
    best.layout.sheetHeight = ToInt32(sheetHeight);
    const double stripArea = Area(width, height);
    if (width <= 0 || height <= 0)
        return best;
    const double ratio = Area(sheetWidth, sheetHeight) / stripArea;
    // Each rectangle of the free list records one entry, so from the list's
    // room on every further count of turned entries builds the same layout.
    long long turnedLimit = kFreeRectangleCapacity;
    if (std::isfinite(ratio) && std::fabs(ratio) < 1e15)
        turnedLimit = std::min<long long>(Round(ratio), kFreeRectangleCapacity);
    turnedLimit = std::min(turnedLimit, remaining);

    long long bestStrips = 0;
    std::size_t bestRectangles = 10000;
    bool any = false;
    LayoutBuilder builder;
    for (int direction = 0; direction < 2; ++direction) {
        for (long long t = 0; t <= turnedLimit; ++t) {
            builder.Build(sheetWidth, sheetHeight, width, height, remaining, t, direction == 0);
            const long long v = builder.Strips();
            if (v > bestStrips || (v == bestStrips && builder.Rectangles() < bestRectangles)) {
                bestStrips = v;
                bestRectangles = builder.Rectangles();
                best.layout.entries = builder.Entries();
                any = true;
            }
            // Every entry was tried turned first: a larger t changes nothing.
            if (static_cast<long long>(builder.Entries().size()) <= t)
                break;
        }
    }
    if (!any)
        return best;
    best.strips = bestStrips;
    best.leftovers = bestStrips > 0 ? static_cast<long long>(best.layout.entries.size()) - bestStrips
                                    : 0;
    return best;
}

StripRunResult RunStripCut(std::int64_t width, std::int64_t height, long long quantity,
                           const std::vector<SheetKind>& kinds, const std::atomic<bool>* stop)
{
    StripRunResult run;
    run.width = width;
    run.height = height;
    run.quantity = quantity;
    run.kinds.resize(kinds.size());
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        run.kinds[i].layout.sheetWidth = ToInt32(kinds[i].width);
        run.kinds[i].layout.sheetHeight = ToInt32(kinds[i].height);
    }
    long long remaining = quantity;
    for (std::size_t i = 0; i < kinds.size() && remaining > 0; ++i) {
        if (stop && stop->load())
            break;
        const SheetKind& kind = kinds[i];
        StripKindResult& out = run.kinds[i];
        if (Area(width, height) == 0.0)
            run.zeroStrip = true;
        StripSheetLayout found = SearchStripLayout(kind.width, kind.height, width, height, remaining);
        out.tried = true;
        out.strips = found.strips;
        out.leftovers = found.leftovers;
        out.layout = std::move(found.layout);
        const long long n = out.strips;
        double k = 0.0;
        if (n > 0) {
            ++run.validLayouts;
            k = static_cast<double>(remaining) / static_cast<double>(n);
            if (k <= 1.0)
                k = 0.0;
            else if (k == std::floor(k))
                k -= 1.0;
        }
        long long e = static_cast<long long>(std::floor(k));
        e = std::max(0LL, std::min(e, static_cast<long long>(kind.quantity) - 1));
        out.layout.furtherSheets = e;
        const double sheetArea = Area(kind.width, kind.height) * 0.01;
        out.yield = sheetArea > 0 ? Area(width, height) * 0.01 * n / sheetArea * 100.0 : 0.0;
        remaining = std::max(0LL, remaining - (e + 1) * n);
        run.totalSheetArea += sheetArea * static_cast<double>(e + 1);
    }
    std::int64_t largest = 0;
    for (const StripKindResult& k : run.kinds) {
        if (k.strips <= 0)
            continue;
        run.stripsPlaced += k.strips * (k.layout.furtherSheets + 1);
        largest = std::max({largest, std::int64_t{k.layout.sheetWidth},
                            std::int64_t{k.layout.sheetHeight}});
    }
    run.scale = largest > 0 ? 100.0 / static_cast<double>(largest) * 0.8 : 0.0;
    return run;
}

double StripRunYield(const StripRunResult& run)
{
    if (run.totalSheetArea <= 0.0)
        return -1.0;
    return Area(run.width, run.height) * static_cast<double>(run.stripsPlaced) /
           (run.totalSheetArea * 100.0) * 100.0;
}

bool ComputeOptionYields(std::vector<StripOption>& options, const std::vector<SheetKind>& kinds,
                         const std::atomic<bool>* stop)
{
    bool zeroStrip = false;
    for (StripOption& o : options) {
        if (stop && stop->load())
            break;
        const StripRunResult run = RunStripCut(o.width, o.height, o.stripsNeeded, kinds, stop);
        if (stop && stop->load())
            break;
        zeroStrip = zeroStrip || run.zeroStrip;
        o.yield = StripRunYield(run);
    }
    return zeroStrip;
}

void OrderOptionsByYield(std::vector<StripOption>& options)
{
    std::stable_sort(options.begin(), options.end(),
                     [](const StripOption& a, const StripOption& b) { return a.yield > b.yield; });
}

std::vector<StripLayout> StripRunLayouts(const StripRunResult& run)
{
    std::vector<StripLayout> layouts;
    layouts.reserve(run.kinds.size());
    for (const StripKindResult& k : run.kinds)
        layouts.push_back(k.strips > 0 ? k.layout : StripLayout{});
    return layouts;
}

// ---- The cut list ------------------------------------------------------------------------

std::vector<CutListLine> StripSummaryLines(const StripRunResult& run, bool showDecimals)
{
    constexpr WinColor kGreen = RgbColor(0, 128, 0);
    const double stripArea = Area(run.width, run.height);
    const double stripsArea = stripArea * static_cast<double>(run.stripsPlaced);
    const double yield = run.totalSheetArea > 0 ? StripRunYield(run) : 0.0;
    return {
        {1, "Tira selecionada:", kBlue, true, 8},
        {14,
         "Dimensão: " + FormatRealText(static_cast<double>(run.width) * 0.1, showDecimals) +
             " x " + FormatRealText(static_cast<double>(run.height) * 0.1, showDecimals),
         kBlue, false, 8},
        {27, "Área:" + AreaToM2Text(stripArea, 1) + " m2", kBlue, false, 8},
        {40, "Qtd de tiras necessárias: " + std::to_string(run.quantity), kBlue, false, 8},
        {70, "Tiras cortadas:", kGreen, true, 8},
        {83, "Qtd montagens válidas: " + std::to_string(run.validLayouts), kGreen, false, 8},
        {96, "Qtd tiras: " + std::to_string(run.stripsPlaced),
         run.stripsPlaced < run.quantity ? kRed : kGreen, false, 8},
        {109, "Área tiras:" + AreaToM2Text(stripsArea, 1) + " m2", kGreen, false, 8},
        {138, "Sobre as chapas usadas:", kNavy, true, 8},
        {151, "Área total: " + RealToStr4(run.totalSheetArea * 0.000001) + " m2", kNavy, false, 8},
        {164, "Aproveitamento: " + RealToStr2(yield) + "%", kNavy, false, 10},
    };
}

std::vector<CutListLine> StripKindLines(const StripRunResult& run, std::size_t index,
                                        const StripDisplayOptions& display, bool showDecimals)
{
    std::vector<CutListLine> lines;
    if (index >= run.kinds.size())
        return lines;
    const StripKindResult& k = run.kinds[index];
    const bool holds = k.strips > 0;
    const WinColor countColour = holds ? kBlack : kRed;
    const WinColor sheetColour = holds ? kBlack : kSilver;
    auto add = [&lines](std::string text, WinColor colour) {
        const int offset = 1 + 13 * static_cast<int>(lines.size());
        lines.push_back({offset, std::move(text), colour, false, 8});
    };
    const double sw = k.layout.sheetWidth, sh = k.layout.sheetHeight;
    if (display.layoutNumber)
        add("Montagem " + std::to_string(index + 1) + ":", kBlack);
    if (display.dimensions)
        add("Chapa: " + FormatRealText(sw * 0.1, showDecimals) + " x " +
                FormatRealText(sh * 0.1, showDecimals),
            kBlack);
    if (display.area)
        add("Área:" + AreaToM2Text(sw * sh, 1) + " m2", kBlack);
    if (display.stripCount)
        add("Qtd tiras posicionadas: " + std::to_string(k.strips), countColour);
    if (display.stripArea)
        add("Área tiras:" + AreaToM2Text(Area(run.width, run.height) * k.strips, 1) + " m2",
            countColour);
    if (display.leftoverCount)
        add("Qtd retalhos: " + std::to_string(k.leftovers), countColour);
    if (display.sheetCount)
        add("Qtd desta montagem: " + std::to_string(holds ? k.layout.furtherSheets + 1 : 0),
            sheetColour);
    if (display.yield)
        add("Aproveitamento: " + RealToStr2(k.yield) + "%", sheetColour);
    return lines;
}

int StripKindItemHeight(const StripRunResult& run, std::size_t index,
                        const StripDisplayOptions& display)
{
    if (index >= run.kinds.size())
        return 10;
    const int ticked = display.layoutNumber + display.dimensions + display.area +
                       display.stripCount + display.stripArea + display.leftoverCount +
                       display.sheetCount + display.yield;
    const double sketch = std::floor(run.kinds[index].layout.sheetHeight * run.scale);
    return static_cast<int>(sketch) + 10 + 13 * ticked;
}

// ---- Settings and records -----------------------------------------------------------------

StripTabSettings ReadStripTabSettings(const IniFile& ini)
{
    StripTabSettings s;
    if (ini.ReadBool(kCalcSection, "CHP_LISTA", true))
        s.sheetOrder = SheetKindOrder::List;
    else if (ini.ReadBool(kCalcSection, "CHP_GRAND", false))
        s.sheetOrder = SheetKindOrder::LargestFirst;
    else if (ini.ReadBool(kCalcSection, "CHP_PEQU", false))
        s.sheetOrder = SheetKindOrder::SmallestFirst;
    s.orderByYield = ini.ReadBool(kCalcSection, "ORD_TIRA_REND", true) ||
                     !ini.ReadBool(kCalcSection, "NAO_ORD_TIRA", false);
    StripDisplayOptions& d = s.display;
    d.layoutNumber = ini.ReadBool(kDisplaySection, "N_MONT", false);
    d.area = ini.ReadBool(kDisplaySection, "AREA", false);
    d.stripCount = ini.ReadBool(kDisplaySection, "QTD_TIRA", false);
    d.stripArea = ini.ReadBool(kDisplaySection, "AREA_TIRAS", false);
    d.leftoverCount = ini.ReadBool(kDisplaySection, "QTD_RET", false);
    d.sheetCount = ini.ReadBool(kDisplaySection, "QTD_MONT", true);
    d.yield = ini.ReadBool(kDisplaySection, "APROV", true);
    return s;
}

void WriteStripTabSettings(IniFile& ini, const StripTabSettings& s)
{
    ini.WriteBool(kCalcSection, "CHP_LISTA", s.sheetOrder == SheetKindOrder::List);
    ini.WriteBool(kCalcSection, "CHP_GRAND", s.sheetOrder == SheetKindOrder::LargestFirst);
    ini.WriteBool(kCalcSection, "CHP_PEQU", s.sheetOrder == SheetKindOrder::SmallestFirst);
    ini.WriteBool(kCalcSection, "NAO_ORD_TIRA", !s.orderByYield);
    ini.WriteBool(kCalcSection, "ORD_TIRA_REND", s.orderByYield);
    const StripDisplayOptions& d = s.display;
    ini.WriteBool(kDisplaySection, "N_MONT", d.layoutNumber);
    ini.WriteBool(kDisplaySection, "AREA", d.area);
    ini.WriteBool(kDisplaySection, "QTD_TIRA", d.stripCount);
    ini.WriteBool(kDisplaySection, "AREA_TIRAS", d.stripArea);
    ini.WriteBool(kDisplaySection, "QTD_RET", d.leftoverCount);
    ini.WriteBool(kDisplaySection, "QTD_MONT", d.sheetCount);
    ini.WriteBool(kDisplaySection, "APROV", d.yield);
}

void SetStripCalculated(const DataFolders& folders, long long order, long long material)
{
    DeleteFileQuiet(LastCalcMaterialsFile(folders));
    WriteTextLines(CalcOrdersFile(folders), {std::to_string(order)});
    MaterialSelection selection;
    selection.count = 1;
    selection.entries[1] = {static_cast<std::int32_t>(material), true};
    WriteMaterialSelection(folders, selection);
    SaveMaterialsUsed(folders, selection, true);
}

void WriteStripViewRecord(IniFile& calcData, long long order, long long wanted,
                          long long stripsPlaced, const platform::LocalTime& now)
{
    constexpr const char* kRun = "DADOS_ULT_CALC";
    calcData.WriteString(kRun, "PEDIDOS", std::to_string(order));
    calcData.WriteString(kRun, "PECAS_SELECIONADAS", std::to_string(wanted));
    calcData.WriteString(kRun, "PECAS_POSICIONADAS", std::to_string(stripsPlaced));
    calcData.WriteString(kRun, "DATA_INI_CALC", CalcDateText(now));
    calcData.WriteString(kRun, "HORA_INI_CALC", CalcTimeText(now));
    calcData.WriteString(kRun, "S_STATUS", "Ok");
}

void SaveStripOrder(const Path& tableFile, const Path& descriptionFile,
                    const std::vector<StripOption>& options, const std::string& material,
                    long long order, const ProjectDescription& description,
                    const std::string& now, bool showDecimals)
{
    // Without options of this opening the stored table is the user's; keep it.
    if (!options.empty())
        WritePieceTable(tableFile, StripOptionRows(options, material), order, showDecimals);
    WriteProjectDescription(descriptionFile, description, now);
}

}  // namespace vor
