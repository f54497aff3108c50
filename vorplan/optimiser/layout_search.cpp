#include "vorplan/optimiser/layout_search.h"

#include <algorithm>
#include <limits>
#include <utility>
#include <vector>

#include "vorplan/optimiser/sheet_preparation.h"

namespace vor {

namespace {

constexpr long kRepetitionStart = 32100;
constexpr long kProgressEvery = 2000;
constexpr double kOtherEntryFactor = 0.8;
constexpr double kLowestFactor = 0.5;

enum class Direction { Decreasing, Increasing, ById };

struct SortKey {
    int base = 1;  // 0..10
    Direction direction = Direction::Decreasing;
};

SortKey KeyOf(int key)
{
    if (key == 0)
        return {0, Direction::ById};
    int base = 1;  // 31 and above, and any key outside the table, sort by area
    if (key >= 1 && key <= 30)
        base = (key - 1) % 10 + 1;
    return {base, base >= 9 ? Direction::Increasing : Direction::Decreasing};
}

double KeyValue(const Piece& p, int base)
{
    const double length = p.length;
    const double width = p.width;
    const double area = length * width;
    const double quantity = p.quantity;
    const double spread = length > width ? length - width : width - length;
    switch (base) {
    case 2:
        return width;
    case 3:
        return length;
    case 4:
        return length + width;
    case 5:
        return area + quantity;
    case 6:
        return area * quantity;
    case 7:
        return quantity * length;
    case 8:
        return quantity * width;
    case 9:
        return quantity * spread;
    case 10:
        return quantity * spread + area;
    default:
        return area;
    }
}

// True when the key puts `later` before `earlier`: the adjacent-exchange
// sort exchanges only then, so equal keys keep their order.
bool GoesFirst(const Piece& later, const Piece& earlier, const SortKey& key)
{
    switch (key.direction) {
    case Direction::ById:
        return later.id < earlier.id;
    case Direction::Increasing:
        return KeyValue(later, key.base) < KeyValue(earlier, key.base);
    case Direction::Decreasing:
        break;
    }
    return KeyValue(later, key.base) > KeyValue(earlier, key.base);
}

void Exchange(PieceList& pieces, long first, long second)
{
    if (second > pieces.count)
        return;
    std::swap(pieces.pieces[first], pieces.pieces[second]);
}

double PlainYield(std::int64_t usedArea, std::int64_t sheetArea)
{
    if (sheetArea <= 0)
        return 0;
    return static_cast<double>(usedArea) / static_cast<double>(sheetArea) * 100.0;
}

void ClearPreferenceBits(AttemptState& attempt)
{
    for (long p = 1; p <= kPreferenceBitsUsed; ++p)
        attempt.preferenceBits[p] = 0;
}

// Attempt j of a combination then uses the binary digits of j - 1, bit 1 lowest.
void IncreasePreferenceBits(AttemptState& attempt)
{
    for (long p = 1; p <= kPreferenceBitsUsed; ++p) {
        if (++attempt.preferenceBits[p] < 2)
            return;
        attempt.preferenceBits[p] = 0;
    }
}

}  // namespace

void SortPieces(PieceList& pieces, int key, bool extraPiecePresent)
{
    const long n = extraPiecePresent ? pieces.count - 1 : pieces.count;
    const SortKey sortKey = KeyOf(key);
    // Insertion with the same strict test as the adjacent-exchange sort gives
    // the same order, in fewer steps and without a buffer.
    for (long i = 2; i <= n; ++i) {
        if (!GoesFirst(pieces.pieces[i], pieces.pieces[i - 1], sortKey))
            continue;
        const Piece moving = pieces.pieces[i];
        long j = i - 1;
        while (j >= 1 && GoesFirst(moving, pieces.pieces[j], sortKey)) {
            pieces.pieces[j + 1] = pieces.pieces[j];
            --j;
        }
        pieces.pieces[j + 1] = moving;
    }

    if (key >= 11 && key <= 20) {
        Exchange(pieces, 1, 2);
    } else if (key >= 21 && key <= 30) {
        Exchange(pieces, 2, 3);
    } else if (key == 31) {
        Exchange(pieces, 1, 2);
        Exchange(pieces, 2, 3);
    } else if (key == 32) {
        Exchange(pieces, 2, 3);
        Exchange(pieces, 3, 4);
    } else if (key == 34) {
        Exchange(pieces, 1, 2);
        Exchange(pieces, 3, 4);
    } else if (key == 35) {
        Exchange(pieces, 3, 4);
    }
}

double SheetFactor(const CalcOptions& options, long entry, int preferredEntry)
{
    if (options.sheetOrder == SheetOrder::Free) {
        if (preferredEntry > 0 && entry != preferredEntry)
            return kOtherEntryFactor;
        return 1.0;
    }
    const double factor = 1.0 - static_cast<double>(entry) * options.sheetFactorStep;
    return factor < kLowestFactor ? kLowestFactor : factor;
}

int ScoreAttempt(OptimiserWork& work, double factor)
{
    const AttemptState& attempt = work.attempt;
    const BestLayout& best = work.best;
    // Factored score against the best's plain yield, as the search always did.
    const double score =
        work.stepSheetArea > 0 ? PlainYield(attempt.usedArea, work.stepSheetArea) * factor : 0.0;
    int criterion = 0;
    if (score > best.score)
        criterion = 1;
    else if (score == best.score && attempt.placedCount < best.pieces)
        criterion = 2;
    else if (score == best.score && attempt.placedCount == best.pieces &&
             attempt.cutLength < best.cutLength)
        criterion = 3;
    if (criterion != 0)
        StoreBest(work);
    return criterion;
}

void StoreBest(OptimiserWork& work)
{
    const AttemptState& attempt = work.attempt;
    BestLayout& best = work.best;
    const StockEntry& entry = work.stock.entries[work.currentEntry];
    const bool turned = work.search.turnSheet == 1;

    best.pieces = attempt.placedCount;
    best.usedArea = attempt.usedArea;
    best.cutLength = attempt.cutLength;
    best.sheetArea = work.stepSheetArea;
    best.stockEntry = work.currentEntry;
    best.score = PlainYield(attempt.usedArea, work.stepSheetArea);

    best.count = 0;
    // Past the table's room nothing more is stored; status text 400 is set long before.
    auto append = [&](const LayoutElement& element) {
        if (best.count < kElementTableSize)
            best.Append(element, work.status);
    };
    append({ElementType::Sheet, entry.code, 0, 0, entry.length, entry.width});
    for (long i = 1; i <= attempt.placedCount; ++i) {
        const PlacedPiece& p = attempt.placed[i];
        if (turned)
            append({ElementType::Piece, p.id, p.y, p.x, p.width, p.length});
        else
            append({ElementType::Piece, p.id, p.x, p.y, p.length, p.width});
    }
    for (long i = 1; i <= attempt.discardedCount; ++i) {
        const Rectangle& r = attempt.discarded[i];
        const auto number = static_cast<std::int32_t>(i);
        if (turned)
            append({ElementType::Discarded, number, r.y, r.x, r.height, r.length});
        else
            append({ElementType::Discarded, number, r.x, r.y, r.length, r.height});
    }
}

long AttemptsPerStep(const CalcOptions& options, long distinctPieces)
{
    const CalcTypeParameters& type = options.type;
    const bool fullSearch = distinctPieces >= 2;
    const long passes = fullSearch ? type.passes : 1;
    const long criteria = fullSearch ? type.criteria : 1;
    const long turns = options.RotationAllowed() ? 2 : 1;
    return passes * criteria * turns * 2 * 2 * type.Attempts();
}

void RunLayoutStep(OptimiserWork& work, const CalcOptions& options,
                   const PlacementSettings& placement, int key, const SearchCallbacks& callbacks,
                   bool piecesSorted)
{
    PieceList& pieces = work.pieces;
    if (!piecesSorted)
        SortPieces(pieces, key, work.extraProduction);
    const long n = pieces.count;
    for (long i = 1; i <= n; ++i) {
        pieces.repetition[i] = pieces.pieces[i].quantity;
        pieces.working[i] = pieces.pieces[i].quantity;
    }
    const StockEntry& entry = work.stock.entries[work.currentEntry];
    work.stepSheetArea = std::int64_t{entry.length} * entry.width;
    SearchState& search = work.search;
    search.attemptCount = 0;

    if (entry.quantity == 0)
        return;

    const CalcTypeParameters& type = options.type;
    const bool fullSearch = n >= 2;
    const int passes = fullSearch ? type.passes : 1;
    const int criteria = fullSearch ? type.criteria : 1;
    const int turns = placement.rotationAllowed ? 2 : 1;
    const long attempts = type.Attempts();
    const double factor = SheetFactor(options, work.currentEntry, work.trial.preferredEntry);
    AttemptState& attempt = work.attempt;
    std::int32_t cutLimitLength = 0;

    for (int pass = 1; pass <= passes; ++pass) {
        for (int criterion = 1; criterion <= criteria; ++criterion) {
            search.pass = pass;
            search.criterion = criterion;
            // Cleared here only: the flag carries over from one attempt to the next.
            search.alternation = false;
            for (int a = 0; a < turns; ++a) {
                for (int b = 0; b <= 1; ++b) {
                    for (int c = 0; c <= 1; ++c) {
                        search.turnSheet = a;
                        search.splitVariant = b;
                        search.cutDirection = c;
                        ClearPreferenceBits(attempt);
                        for (long j = 1; j <= attempts && work.status.IsRunning(); ++j) {
                            search.attemptNumber = j;
                            for (long i = 1; i <= n; ++i)
                                pieces.saved[i] = pieces.working[i];
                            attempt.ResetCounters();
                            PrepareSheet(entry, a == 1, options, pieces, attempt, work.status);
                            const FillResult fill = FillSheet(work, placement);
                            for (long i = 1; i <= n; ++i)
                                pieces.working[i] = pieces.saved[i];
                            if (fill.cutLimitApplied)
                                cutLimitLength = fill.cutLimitLength;

                            ++search.attemptCount;
                            ++search.totalAttempts;
                            if (search.totalAttempts % kProgressEvery == 0 && callbacks.progress) {
                                callbacks.progress({search.totalAttempts, search.attemptCount,
                                                    work.layoutNumber, work.currentEntry, key,
                                                    cutLimitLength});
                                cutLimitLength = 0;
                            }

                            const int decided = ScoreAttempt(work, factor);
                            if (decided != 0 && callbacks.newBest)
                                callbacks.newBest({work.best.score, work.best.pieces,
                                                   work.best.cutLength, decided, work.currentEntry,
                                                   key, search.attemptCount});
                            IncreasePreferenceBits(attempt);
                        }
                    }
                }
            }
        }
    }
}

TempLayoutWriter TempLayoutFileWriter(const DataFolders& folders, long long material)
{
    return [folders, material](long layoutNumber, const BestLayout& layout) {
        return WriteTempLayoutFile(folders, layoutNumber, material, layout);
    };
}

CommitResult CommitBest(OptimiserWork& work, const TempLayoutWriter& writer)
{
    BestLayout& best = work.best;
    PieceList& pieces = work.pieces;
    const long n = pieces.count;
    CommitResult result;

    // Occurrences per position, counted in the attempt copy.
    std::vector<long> positionOfId(static_cast<std::size_t>(n) + 1, 0);
    long extraPosition = 0;
    for (long i = 1; i <= n; ++i) {
        pieces.working[i] = 0;
        const std::int32_t id = pieces.pieces[i].id;
        if (id >= 1 && id <= n)
            positionOfId[static_cast<std::size_t>(id)] = i;
        else if (id == -1)
            extraPosition = i;
    }
    for (long e = 1; e <= best.count; ++e) {
        const LayoutElement& element = best.elements[e];
        if (element.type != ElementType::Piece)
            continue;
        long position = 0;
        if (element.code >= 1 && element.code <= n)
            position = positionOfId[static_cast<std::size_t>(element.code)];
        else if (element.code == -1)
            position = extraPosition;
        if (position != 0)
            ++pieces.working[position];
    }

    long repetitions = kRepetitionStart;
    bool holdsPiece = false;
    for (long i = 1; i <= n; ++i) {
        const std::int32_t occurrences = pieces.working[i];
        if (occurrences <= 0)
            continue;
        holdsPiece = true;
        repetitions = std::min<long>(repetitions, pieces.repetition[i] / occurrences);
    }
    StockEntry& entry = work.stock.entries[best.stockEntry];
    long extra = 0;
    if (holdsPiece)
        extra = std::max(0L, std::min<long>(repetitions - 1, long{entry.quantity} - 1));
    result.extraRepetitions = extra;
    const long times = extra + 1;
    if (best.count >= 1)
        best.elements[1].x = static_cast<std::int32_t>(extra);

    TrialStatistics& stats = work.statistics;
    for (long e = 1; e <= best.count; ++e) {
        const LayoutElement& element = best.elements[e];
        const std::int64_t area = std::int64_t{element.length} * element.height;
        if (element.type == ElementType::Sheet) {
            stats.sheetArea += times * area;
            stats.sheetsUsed += times;
            stats.distinctLayouts += 1;
            if (element.code < 0)
                stats.offcutSheetsUsed += times;
            else
                stats.stockSheetsUsed += times;
        } else if (element.type == ElementType::Piece) {
            stats.usedArea += times * area;
        }
    }
    stats.cutLength += static_cast<double>(best.cutLength) * 0.001;

    if (writer)
        result.problem = writer(work.layoutNumber, best);

    entry.quantity -= static_cast<std::int32_t>(times);
    long long total = 0;
    long long extraLeft = 0;
    std::int32_t smallest = std::numeric_limits<std::int32_t>::max();
    for (long i = 1; i <= n; ++i) {
        Piece& p = pieces.pieces[i];
        p.quantity -= static_cast<std::int32_t>(pieces.working[i] * times);
        total += p.quantity;
        if (p.id == -1)
            extraLeft += p.quantity;
        if (p.quantity > 0)
            smallest = std::min({smallest, p.length, p.width});
    }
    work.totalPieces = total == extraLeft ? 0 : total;
    work.smallestDimension = smallest;
    return result;
}

}  // namespace vor
