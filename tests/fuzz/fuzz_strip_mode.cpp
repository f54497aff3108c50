// The strip mode on fuzzed input: the first lines are the strip parameters
// (as the description file holds them, one a line), a line "--" ends them,
// and the rest is a sheet table. The sheet kinds are read; the options are
// generated, a few of them get their yields, and the strip of the last
// parameters is cut. Every layout must stay inside its sheet, its strips
// apart, and every figure within its bounds.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tests/fuzz/fuzz_support.h"
#include "vorplan/common/codec.h"
#include "vorplan/common/conversions.h"
#include "vorplan/common/text_file.h"
#include "vorplan/orders/strip_mode.h"

namespace {

using vorfuzz::Check;

// Keeps each run short: the search's work grows with the strips wanted.
constexpr long long kMostStrips = 40;
constexpr std::size_t kMostOptions = 4;

void CheckLayout(const vor::StripRunResult& run)
{
    long long placed = 0;
    for (const vor::StripKindResult& k : run.kinds) {
        Check(k.strips >= 0 && k.leftovers >= 0);
        Check(k.layout.entries.size() <= static_cast<std::size_t>(vor::kFreeRectangleCapacity));
        Check(k.strips == 0 || vor::HoldsStrips(k.layout));
        std::vector<const vor::StripLayoutEntry*> strips;
        for (const vor::StripLayoutEntry& e : k.layout.entries) {
            Check(e.x >= 0 && e.y >= 0 && e.width > 0 && e.height > 0);
            Check(std::int64_t{e.x} + e.width <= k.layout.sheetWidth);
            Check(std::int64_t{e.y} + e.height <= k.layout.sheetHeight);
            if (e.state == 1)
                strips.push_back(&e);
        }
        if (k.strips > 0)
            Check(static_cast<long long>(strips.size()) == k.strips);
        for (std::size_t i = 0; i < strips.size(); ++i)
            for (std::size_t j = i + 1; j < strips.size(); ++j) {
                const vor::StripLayoutEntry& a = *strips[i];
                const vor::StripLayoutEntry& b = *strips[j];
                const bool apart = a.x + a.width <= b.x || b.x + b.width <= a.x ||
                                   a.y + a.height <= b.y || b.y + b.height <= a.y;
                Check(apart);
            }
        if (k.strips > 0)
            placed += k.strips * (k.layout.furtherSheets + 1);
    }
    Check(placed == run.stripsPlaced);
    const double yield = vor::StripRunYield(run);
    Check(yield == -1.0 || (yield >= 0.0 && yield <= 100.0 + 1e-6));
    Check(!vor::StripSummaryLines(run, true).empty());
    vor::StripDisplayOptions all{true, true, true, true, true, true, true, true};
    for (std::size_t i = 0; i < run.kinds.size(); ++i) {
        vor::StripKindLines(run, i, all, false);
        Check(vor::StripKindItemHeight(run, i, all) >= 10);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = vor::SplitTextLines(vor::DecodeFileText(bytes));
    std::vector<std::string> parameters;
    std::size_t i = 0;
    for (; i < lines.size() && lines[i] != "--"; ++i)
        parameters.push_back(lines[i]);
    const std::vector<std::string> table(lines.begin() + static_cast<std::ptrdiff_t>(std::min(i + 1, lines.size())),
                                         lines.end());
    parameters.resize(20);

    vor::PcbStripValues v;
    std::string* const texts[] = {
        &v.boardWidth,    &v.boardHeight,       &v.wantedBoards,      &v.minBoardsPerStrip,
        &v.maxBoardsPerStrip, &v.borderLeft,    &v.borderRight,       &v.borderTop,
        &v.borderBottom,  &v.boardGap,          &v.minStripWidth,     &v.minStripHeight,
        &v.maxStripWidth, &v.maxStripHeight,    &v.stripQuantity,     &v.stripWidth,
        &v.stripHeight,   &v.material};
    for (std::size_t p = 0; p < std::size(texts); ++p)
        *texts[p] = parameters[p];
    v.mayTurn = !parameters[18].empty();
    const auto order = static_cast<vor::SheetKindOrder>(parameters[19].size() % 3);

    const vor::SheetKindsRead read = vor::ReadSheetKinds(table, order);
    Check(read.status >= 0 && read.status <= 6);
    Check(read.kinds.size() <= static_cast<std::size_t>(vor::kSheetKindCapacity));
    if (read.status == 0)
        for (const vor::SheetKind& k : read.kinds)
            Check(k.width >= 10 && k.height >= 10 && k.quantity >= 1 && k.quantity <= 1000);

    const vor::StripParameters p = vor::StripParametersOf(v);
    const vor::StripGeneration g = vor::GenerateStripOptions(p);
    Check(g.options.size() <= static_cast<std::size_t>(vor::kStripOptionCapacity));
    Check(g.error == 0 || g.options.empty());
    for (const vor::StripOption& o : g.options) {
        Check(o.width >= p.minWidth && o.width <= p.maxWidth);
        Check(o.height >= p.minHeight && o.height <= p.maxHeight);
        Check(o.across * o.along >= p.minBoards && o.across * o.along <= p.maxBoards);
    }
    const double scale = vor::StripListScale(g, 300, 400);
    Check(std::isfinite(scale) && scale >= 0.0);
    vor::StripOptionRows(g.options, v.material);
    if (read.status != 0)
        return 0;

    std::vector<vor::StripOption> some(g.options.begin(),
                                       g.options.begin() + static_cast<std::ptrdiff_t>(std::min(kMostOptions, g.options.size())));
    for (vor::StripOption& o : some)
        o.stripsNeeded = std::min(o.stripsNeeded, kMostStrips);
    vor::ComputeOptionYields(some, read.kinds);
    vor::OrderOptionsByYield(some);
    for (std::size_t k = 1; k < some.size(); ++k)
        Check(some[k - 1].yield >= some[k].yield);

    const long long quantity = std::min<long long>(vor::StrToIntDef0(v.stripQuantity), kMostStrips);
    const vor::StripRunResult run = vor::RunStripCut(vor::StripLengthCut(v.stripWidth),
                                                     vor::StripLengthCut(v.stripHeight), quantity,
                                                     read.kinds);
    CheckLayout(run);
    for (const vor::StripLayout& layout : vor::StripRunLayouts(run))
        vor::StripLayoutFileLines(layout);
    return 0;
}
