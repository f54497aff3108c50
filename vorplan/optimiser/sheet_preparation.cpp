#include "vorplan/optimiser/sheet_preparation.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace vor {

namespace {

constexpr int kMaxCleavageWidth = 300;
constexpr long kMaxReversedStack = 30;

// Borders come as typed, so a sum can leave 32 bits; rectangles cannot.
std::int32_t ToLength(std::int64_t value)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

std::int32_t Inside(std::int32_t extent, std::int64_t low, std::int64_t high)
{
    // Anything beyond 2^40 already leaves nothing of a 32-bit sheet.
    constexpr std::int64_t kFar = std::int64_t{1} << 40;
    low = std::clamp(low, -kFar, kFar);
    high = std::clamp(high, -kFar, kFar);
    return ToLength(std::int64_t{extent} - high - low);
}

struct Box {
    std::int64_t x, y, length, height;
};

void Push(AttemptState& attempt, RunStatus& status, const Box& box, bool consumed)
{
    attempt.Push(
        {ToLength(box.x), ToLength(box.y), ToLength(box.length), ToLength(box.height), consumed},
        status);
}

// The checks of a strip or forced cut of size `d` across `across`; the limit
// is compared as a real, never rounded.
bool PreCutFits(std::int64_t d, std::int32_t across, const MaterialValues& material,
                bool atLeastOne)
{
    const double limit = 0.6 * static_cast<double>(across) - static_cast<double>(material.kerf);
    if (static_cast<double>(d) > limit)
        return false;
    if (d < std::int64_t{material.minimumStrip} - material.kerf)
        return false;
    return !atLeastOne || d >= 1;
}

// A strip of exactly `d` at the sheet's start (bottom, left) or end (top,
// right); the kerf goes off the free part, so the offcut is as asked.
void ApplyStrip(PreCut direction, bool atStart, std::int64_t d, const UsableArea& usable,
                const MaterialValues& material, AttemptState& attempt, RunStatus& status)
{
    const bool horizontal = direction == PreCut::Horizontal;
    if (!PreCutFits(d, horizontal ? usable.width : usable.length, material, true)) {
        status.text = StatusCode::BadStrip;
        return;
    }
    const std::int64_t k = material.kerf;
    const std::int64_t l = usable.length;
    const std::int64_t w = usable.width;
    Box strip{}, free{};
    if (horizontal) {
        strip = atStart ? Box{0, 0, l, d} : Box{0, w - d, l, d};
        free = atStart ? Box{0, d + k, l, w - d - k} : Box{0, 0, l, w - d - k};
    } else {
        strip = atStart ? Box{0, 0, d, w} : Box{l - d, 0, d, w};
        free = atStart ? Box{d + k, 0, l - d - k, w} : Box{0, 0, l - d - k, w};
    }
    attempt.top = 0;
    Push(attempt, status, strip, true);
    attempt.Discard(
        {ToLength(strip.x), ToLength(strip.y), ToLength(strip.length), ToLength(strip.height)},
        status);
    Push(attempt, status, free, false);
}

// Two free parts; the one filled first (bottom or left, on top) loses the
// kerf. A cut of 0 separates nothing and costs nothing.
void ApplyForcedCut(PreCut direction, std::int64_t d, const UsableArea& usable,
                    const MaterialValues& material, AttemptState& attempt, RunStatus& status)
{
    const bool horizontal = direction == PreCut::Horizontal;
    if (!PreCutFits(d, horizontal ? usable.width : usable.length, material, false)) {
        status.text = horizontal ? StatusCode::BadForcedCut : StatusCode::BadStrip;
        return;
    }
    const std::int64_t gap = d > 0 ? std::int64_t{material.kerf} : 0;
    const std::int64_t l = usable.length;
    const std::int64_t w = usable.width;
    attempt.top = 0;
    if (horizontal) {
        Push(attempt, status, {0, w - d, l, d}, false);
        Push(attempt, status, {0, 0, l, w - d - gap}, false);
    } else {
        Push(attempt, status, {l - d, 0, d, w}, false);
        Push(attempt, status, {0, 0, l - d - gap, w}, false);
    }
}

// Status texts 29..32, a later one over an earlier; true when none failed.
bool CleavageValuesHold(const CalcOptions& options, std::int32_t maximum, const PieceList& pieces,
                        RunStatus& status)
{
    const int c = options.cleavageWidth;
    bool hold = true;
    auto fail = [&](StatusCode code) {
        status.text = code;
        hold = false;
    };
    if (c < 1 || c > kMaxCleavageWidth)
        fail(StatusCode::BadCleavageWidth);
    if (c == options.material.kerf)
        fail(StatusCode::CleavageWidthIsKerf);
    if (options.cleavageMinimum >= maximum)
        fail(StatusCode::CleavageMinimumNotBelowMaximum);
    for (long i = 1; i <= pieces.count; ++i) {
        if (pieces.pieces[i].length > maximum) {
            fail(StatusCode::PieceLongerThanCleavageMaximum);
            break;
        }
    }
    return hold;
}

// Vertical strips from the left, each as wide as a greedy sum of distinct
// piece lengths, each followed by a gap of the cleavage width.
void ApplyCleavage(const UsableArea& usable, const CalcOptions& options, const PieceList& pieces,
                   AttemptState& attempt, RunStatus& status)
{
    const std::int32_t maximum = CleavageMaximumFor(options, usable);
    const bool hold = CleavageValuesHold(options, maximum, pieces, status);

    attempt.top = 0;
    Push(attempt, status, {0, 0, usable.length, usable.width}, false);
    // With a bad value the attempt ends before any fill; a gap below 1 would
    // never end the strips.
    if (!hold)
        return;

    const std::int64_t c = options.cleavageWidth;
    const std::int64_t minimum = options.cleavageMinimum;
    while (attempt.top <= kStackCapacity) {
        FreeRectangle& rest = attempt.Top();
        std::int64_t w = 0;
        if (minimum + c < rest.length) {
            for (long i = 1; i <= pieces.count; ++i) {
                if (pieces.working[i] <= 0)
                    continue;
                const std::int64_t sum = w + pieces.pieces[i].length;
                if (sum <= rest.length && sum <= maximum)
                    w = sum;
            }
        }
        if (w < 1)
            break;
        const Box next{rest.x + w + c, 0, rest.length - w - c, rest.height};
        rest.length = ToLength(w);
        Push(attempt, status, next, false);
    }

    if (attempt.top <= kMaxReversedStack) {
        for (long low = 1, high = attempt.top; low < high; ++low, --high) {
            FreeRectangle& a = attempt.stack[low];
            FreeRectangle& b = attempt.stack[high];
            std::swap(a.x, b.x);
            std::swap(a.y, b.y);
            std::swap(a.length, b.length);
            std::swap(a.height, b.height);
        }
    }
}

}  // namespace

UsableArea UsableAreaOf(const StockEntry& entry, const SheetBorders& borders)
{
    return {Inside(entry.length, borders.left, borders.right),
            Inside(entry.width, borders.bottom, borders.top)};
}

bool CheckSafetyBorders(const SheetBorders& borders, RunStatus& status)
{
    if (borders.left < 0 || borders.right < 0 || borders.bottom < 0 || borders.top < 0) {
        status.text = StatusCode::NegativeSafetyBorder;
        return false;
    }
    return true;
}

std::int32_t CleavageMaximumFor(const CalcOptions& options, const UsableArea& usable)
{
    return options.cleavageMaximum != 0 ? options.cleavageMaximum : usable.length / 2;
}

void PrepareSheet(const StockEntry& entry, bool turned, const CalcOptions& options,
                  const PieceList& pieces, AttemptState& attempt, RunStatus& status)
{
    const SheetBorders borders = options.EffectiveSheetBorders();
    const UsableArea usable = UsableAreaOf(entry, borders);
    const long firstDiscarded = attempt.discardedCount + 1;

    // Everything is built in the sheet's own frame and turned at the end, so
    // a strip keeps its place on the sheet whichever way the sheet is worked.
    attempt.top = 0;
    Push(attempt, status, {0, 0, usable.length, usable.width}, false);

    if (CheckSafetyBorders(borders, status)) {
        const MaterialValues& material = options.material;
        if (options.cleavage) {
            ApplyCleavage(usable, options, pieces, attempt, status);
        } else {
            // A group with no button checked counts as chosen but cuts nothing.
            if (options.forcedStrip.has_value() && *options.forcedStrip != PreCut::No)
                ApplyStrip(*options.forcedStrip, true, options.forcedStripSize, usable, material,
                           attempt, status);
            if (options.minimumStrip.has_value() && *options.minimumStrip != PreCut::No)
                ApplyStrip(*options.minimumStrip, false, options.minimumStripSize, usable, material,
                           attempt, status);
            if (options.forcedCut.has_value() && *options.forcedCut != PreCut::No)
                ApplyForcedCut(*options.forcedCut, options.forcedCutSize, usable, material, attempt,
                               status);
        }
        if (options.PreCutsChosen() >= 2)
            status.Set(StatusCode::MoreThanOnePreCut);
    }

    if (!turned)
        return;
    for (long i = 1; i <= attempt.top; ++i) {
        FreeRectangle& r = attempt.stack[i];
        std::swap(r.x, r.y);
        std::swap(r.length, r.height);
    }
    for (long i = firstDiscarded; i <= std::min(attempt.discardedCount, kDiscardedTableSize); ++i) {
        Rectangle& r = attempt.discarded[i];
        std::swap(r.x, r.y);
        std::swap(r.length, r.height);
    }
}

}  // namespace vor
