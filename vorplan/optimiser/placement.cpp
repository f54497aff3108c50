#include "vorplan/optimiser/placement.h"

#include <algorithm>
#include <string>

#include "vorplan/common/errors.h"

namespace vor {

PlacementSettings MakePlacementSettings(const CalcOptions& options)
{
    PlacementSettings s;
    s.kerf = options.material.kerf;
    s.minimumStrip = options.material.minimumStrip;
    s.edgeMargin = options.edgeCutsAllowed ? 0 : options.material.kerf;
    s.rotationAllowed = options.RotationAllowed();
    s.firstCut = options.firstCut;
    s.firstCutOnAllCuts = options.firstCutScope == FirstCutScope::AllCuts;
    // A group with no button checked is neither "Livre" nor "Complexo" nor "Fácil".
    const bool freeFirstCut = options.firstCut == FirstCut::Free;
    s.simplifyBottomRow = freeFirstCut && options.complexity != CutComplexity::Complex;
    s.mergeDiscarded = freeFirstCut && options.complexity != CutComplexity::Easy;
    s.cutLengthLimited = options.material.cutLengthLimited;
    s.cutLengthLimit = options.material.cutLengthLimit;
    return s;
}

namespace {

constexpr int kVertical = 1;  // C = 1 cuts vertically first; 0 and 2 horizontally

enum class Order { ByPreference, TurnedFirst };  // the fill never asks for "normal first"

constexpr std::int64_t Abs(std::int64_t v) { return v < 0 ? -v : v; }

[[noreturn, gnu::noinline, gnu::cold]] void ThrowOutOfRange(long index, long count)
{
    throw RangeError("Erro de intervalo: índice " + std::to_string(index) + " fora de 1.." +
                     std::to_string(count));
}

// Positions 1..count of a working table, seen through a pointer the scan of
// the tries keeps in a register; every index is still checked.
template <typename T>
class CheckedSpan {
public:
    template <long Capacity>
    CheckedSpan(BoundedArray<T, Capacity>& table, long count)
        : m_first(&table[1]), m_count(count)
    {
        if (count > 0)
            static_cast<void>(table[count]);  // the room must hold them all
    }
    T& operator[](long index) const
    {
        if (index < 1 || index > m_count) [[unlikely]]
            ThrowOutOfRange(index, m_count);
        return m_first[index - 1];
    }

private:
    T* m_first;
    long m_count;
};

// One attempt's fill. Every length sum is taken in 64 bits: the smallest
// dimension is INT_MAX when no piece is left, and sheets may be near 1e9.
class Filler {
public:
    Filler(OptimiserWork& work, const PlacementSettings& settings)
        : m_settings(settings),
          m_attempt(work.attempt),
          m_pieces(work.pieces),
          m_search(work.search),
          m_status(work.status),
          m_threshold(work.trial.threshold),
          m_heuristic(work.trial.heuristic == 1),
          m_smallPlusKerf(std::int64_t{work.smallestDimension} + settings.kerf),
          m_leftoverMinimum(std::int64_t{settings.edgeMargin} + settings.minimumStrip),
          m_alternation(work.search.alternation)
    {
    }

    FillResult Run();

private:
    bool TryPiece(long i, Order order);
    int PreferredCut(int c) const;
    void ApplyCutLimit(int& c, const FreeRectangle& r);
    int ChooseDirection(int c, bool turned, const FreeRectangle& r);
    void PlaceAndSplit(long i, bool turned, int c);
    void MergeDiscarded();
    bool Acceptable(std::int64_t leftover) const
    {
        return leftover == 0 || (leftover > 0 && leftover >= m_leftoverMinimum);
    }
    bool Fits(const FreeRectangle& r, std::int64_t x, std::int64_t y) const
    {
        return Acceptable(r.length - x) && Acceptable(r.height - y);
    }
    bool Crosses(const FreeRectangle& r, const FillCandidate& p) const
    {
        return Abs(std::int64_t{r.length} - p.width) >= m_smallPlusKerf ||
               Abs(std::int64_t{r.height} - p.length) >= m_smallPlusKerf;
    }
    void NoteCutLimit(const FreeRectangle& r)
    {
        int c = 0;
        ApplyCutLimit(c, r);
    }

    const PlacementSettings& m_settings;
    AttemptState& m_attempt;
    PieceList& m_pieces;
    SearchState& m_search;
    RunStatus& m_status;
    const int m_threshold;
    const bool m_heuristic;
    const std::int64_t m_smallPlusKerf;
    const std::int64_t m_leftoverMinimum;
    bool m_alternation;  // the search's flag, written back when the fill ends
    FillResult m_result;
};

FillResult Filler::Run()
{
    const long n = m_pieces.count;
    // "There are pieces": distinct pieces with quantity to place. It does not
    // change within an attempt, so the stack is always emptied into the
    // discarded list, also after the last piece is placed.
    long distinct = 0;
    // Quantities only fall during a fill, so a spent position is skipped by
    // every later try: the tries walk a linked list of the others, from which
    // a position leaves when its last piece is placed. The list always ends
    // at position n, where the skip over spent pieces stops.
    CheckedSpan<FillCandidate> candidates(m_attempt.candidates, n);
    const CheckedSpan<std::int32_t> working(m_pieces.working, n);
    long count = 0;
    for (long j = 1; j <= n; ++j) {
        const Piece& p = m_pieces.pieces[j];
        if (p.quantity > 0)
            ++distinct;
        if (working[j] != 0 || j == n) {
            ++count;
            candidates[count] = {static_cast<std::int32_t>(j), p.length, p.width, working[j],
                                 static_cast<std::int32_t>(count + 1),
                                 static_cast<std::int32_t>(count - 1)};
        }
    }
    long first = 1;
    // The second pass restarts each new rectangle at the second piece. The
    // search runs it only with two pieces or more; i is kept in 1..n anyway.
    const long restart = std::max(1L, std::min<long>(m_search.pass, n));
    const auto restartIndex = [&] {
        long at = first;
        while (candidates[at].position < restart && candidates[at].position < n)
            at = candidates[at].next;
        return at;
    };
    long restartAt = count > 0 ? restartIndex() : 1;
    const bool mayTurn = m_settings.rotationAllowed;
    const bool heuristic = m_heuristic;
    const long threshold = m_threshold;

    long k = first;  // i is candidates[k].position
    long failures = 0;  // never reset during the fill
    bool alternation = m_alternation;
    while (!m_attempt.Empty() && m_status.IsRunning() && distinct > 0 &&
           m_status.text == StatusCode::None) {
        // A failed try changes nothing but i, the failure count and the
        // alternation flag, so the tries on one top rectangle run here
        // against a copy of it until one places a piece.
        const FreeRectangle r = m_attempt.Top();
        const bool small = r.length < m_smallPlusKerf || r.height < m_smallPlusKerf;
        const bool firstCut = m_attempt.top == 1;
        // From here to n no piece passes the heuristic's test (for this
        // rectangle and these quantities): it is not scanned again.
        long noneFrom = count + 1;
        bool placed = false;
        for (;;) {
            // Every entry but the last has quantity (spent ones leave the
            // list), so the skip over spent pieces has nothing to do here.
            if (heuristic && k < noneFrom) {
                // Cross comparison (rectangle length against piece width) as the
                // heuristic has always worked; it only steers which piece goes first.
                long j = k;
                while (j < noneFrom &&
                       !(candidates[j].quantity > 0 && Crosses(r, candidates[j])))
                    j = candidates[j].next;
                if (j < noneFrom)
                    k = j;
                else
                    noneFrom = k;
            }
            FillCandidate& c = candidates[k];
            if (c.quantity > 0) {
                if (Fits(r, c.length, c.width) || (mayTurn && Fits(r, c.width, c.length))) {
                    const Order order = threshold > 0 && failures >= threshold
                                            ? Order::TurnedFirst
                                            : Order::ByPreference;
                    m_alternation = alternation;
                    placed = TryPiece(c.position, order);
                    c.quantity = working[c.position];
                    if (c.quantity == 0 && c.position < n) {
                        // Spent: out of the list (the list never loses its last entry).
                        const long before = c.previous, after = c.next;
                        if (before >= 1)
                            candidates[before].next = static_cast<std::int32_t>(after);
                        else
                            first = after;
                        candidates[after].previous = static_cast<std::int32_t>(before);
                        restartAt = restartIndex();
                    }
                    break;
                }
                if (firstCut)
                    NoteCutLimit(r);  // a try on the sheet's first cut applies the limit
            }
            alternation = !alternation;
            ++failures;
            // A rectangle too small for the smallest piece goes after one try.
            if (!small && c.position < n) {
                k = c.next;
                continue;
            }
            break;
        }
        if (placed) {
            k = restartAt;
            continue;
        }
        m_attempt.Discard({r.x, r.y, r.length, r.height}, m_status);
        m_attempt.Pop();
        while (!m_attempt.Empty() && m_attempt.Top().consumed)
            m_attempt.Pop();
        k = first;
    }
    m_search.alternation = alternation;
    return m_result;
}

bool Filler::TryPiece(long i, Order order)
{
    // Changes of C below hold for this one try: the search's C is never written.
    int c = m_search.cutDirection;
    const FreeRectangle& r = m_attempt.Top();
    if (m_attempt.top == 1) {
        c = PreferredCut(c);
        ApplyCutLimit(c, r);
    }

    const bool turnedFirst =
        order == Order::TurnedFirst ||
        (order == Order::ByPreference && m_attempt.preferenceBits[m_attempt.top] != 0);
    const Piece& p = m_pieces.pieces[i];
    const std::int64_t a = p.length;
    const std::int64_t b = p.width;
    const bool mayTurn = m_settings.rotationAllowed;

    if (turnedFirst) {
        if (mayTurn && Fits(r, b, a))
            PlaceAndSplit(i, true, c);
        else if (Fits(r, a, b))
            PlaceAndSplit(i, false, c);
        else
            return false;
    } else {
        if (Fits(r, a, b))
            PlaceAndSplit(i, false, c);
        else if (mayTurn && Fits(r, b, a))
            PlaceAndSplit(i, true, c);
        else
            return false;
    }
    return true;
}

int Filler::PreferredCut(int c) const
{
    // On a turned sheet (method flag A) the directions swap.
    const bool turnedSheet = m_search.turnSheet == 1;
    if (m_settings.firstCut == FirstCut::Vertical)
        return turnedSheet ? 2 : 1;
    if (m_settings.firstCut == FirstCut::Horizontal)
        return turnedSheet ? 1 : 2;
    return c;
}

void Filler::ApplyCutLimit(int& c, const FreeRectangle& r)
{
    if (!m_settings.cutLengthLimited)
        return;
    if (r.height > m_settings.cutLengthLimit)
        c = 2;
    if (r.length > m_settings.cutLengthLimit) {
        c = kVertical;
        m_result.cutLimitApplied = true;
        m_result.cutLimitLength = r.length;
    }
}

int Filler::ChooseDirection(int c, bool turned, const FreeRectangle& r)
{
    const bool alt = m_alternation;
    const int altVertical = alt ? 1 : 0;    // "C = 1 if alt else 0"
    const int altHorizontal = alt ? 0 : 1;  // "C = 0 if alt else 1"
    switch (m_search.criterion) {
    case 2:
        c = altVertical;
        break;
    case 3:
        c = altHorizontal;
        break;
    case 4:
        c = turned ? altHorizontal : altVertical;
        break;
    case 5:
        c = turned ? altVertical : altHorizontal;
        break;
    case 6:
        if (turned)
            c = altHorizontal;
        break;
    case 7:
        if (!turned)
            c = altHorizontal;
        break;
    default:  // criterion 1 leaves C
        break;
    }
    if (m_settings.firstCutOnAllCuts)
        c = PreferredCut(c);
    ApplyCutLimit(c, r);
    return c;
}

void Filler::PlaceAndSplit(long i, bool turned, int c)
{
    FreeRectangle& top = m_attempt.Top();
    const FreeRectangle r = top;
    const Piece& p = m_pieces.pieces[i];
    const std::int32_t x = turned ? p.width : p.length;
    const std::int32_t y = turned ? p.length : p.width;

    // The placement is recorded before its split is chosen; the 1 190th sets
    // status 5 and is still stored and split.
    m_attempt.Place({r.x, r.y, x, y, p.id}, m_status);
    m_attempt.usedArea += std::int64_t{x} * y;
    --m_pieces.working[i];
    top.consumed = true;

    bool vertical = ChooseDirection(c, turned, r) == kVertical;
    bool variantOne = m_search.splitVariant == 1;
    // Below the first row the strip-first split is kept; on the bottom row a
    // horizontal-first split is made as mode 1 (or 5), and counted as such.
    if (m_settings.simplifyBottomRow && r.y == 0 && !vertical) {
        vertical = true;
        variantOne = true;
    }

    const std::int64_t rx = r.x, ry = r.y, rl = r.length, rh = r.height;
    const std::int64_t endX = rx + rl, endY = ry + rh;
    if (vertical) {
        if (rx + x < endX && ry < endY)
            m_attempt.cutLength += rh;
        if (rx < endX && ry + y < endY)
            m_attempt.cutLength += x;
    } else {
        if (rx < endX && ry + y < endY)
            m_attempt.cutLength += rl;
        if (rx + x < endX && ry < endY)
            m_attempt.cutLength += y;
    }

    const std::int64_t k = m_settings.kerf;
    const auto i32 = [](std::int64_t v) { return static_cast<std::int32_t>(v); };
    const std::int32_t rightX = i32(rx + x + k), rightL = i32(rl - x - k);
    const std::int32_t aboveY = i32(ry + y + k), aboveH = i32(rh - y - k);
    // Children of zero or negative size are pushed as they are: they fail
    // every fit and end in the discarded list.
    if (vertical) {
        const FreeRectangle above{r.x, aboveY, x, aboveH, false};
        const FreeRectangle right{rightX, r.y, rightL, r.height, false};
        m_attempt.Push(variantOne ? above : right, m_status);
        m_attempt.Push(variantOne ? right : above, m_status);
    } else {
        const FreeRectangle above{r.x, aboveY, r.length, aboveH, false};
        const FreeRectangle right{rightX, r.y, rightL, y, false};
        m_attempt.Push(variantOne ? above : right, m_status);
        m_attempt.Push(variantOne ? right : above, m_status);
    }

    if (m_settings.mergeDiscarded)
        MergeDiscarded();
}

void Filler::MergeDiscarded()
{
    if (m_attempt.discardedCount == 0)
        return;
    const std::int64_t k = m_settings.kerf;
    FreeRectangle& t = m_attempt.Top();
    {
        const Rectangle& d = m_attempt.discarded[m_attempt.discardedCount];
        if (std::int64_t{d.x} + d.length + k == t.x && d.y == t.y && d.height == t.height) {
            t.length = static_cast<std::int32_t>(std::int64_t{t.length} + k + d.length);
            t.x = d.x;
            m_attempt.RemoveLastDiscarded();
        }
    }
    if (m_attempt.discardedCount == 0)
        return;
    const Rectangle& d = m_attempt.discarded[m_attempt.discardedCount];
    if (std::int64_t{d.y} + d.height + k == t.y && d.x == t.x && d.length == t.length) {
        t.height = static_cast<std::int32_t>(std::int64_t{t.height} + d.height + k);
        t.y = d.y;
        m_attempt.RemoveLastDiscarded();
    }
}

}  // namespace

FillResult FillSheet(OptimiserWork& work, const PlacementSettings& settings)
{
    return Filler(work, settings).Run();
}

}  // namespace vor
