#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "vorplan/common/bounded_array.h"
#include "vorplan/optimiser/calc_status.h"

namespace vor {

// ---- Capacities ----------------------------------------------------------------
// Each table has a little more room than it may use; crossing the use limit
// gives the status the layout search names, and only an index past the room
// throws RangeError.

constexpr long kStockCapacity = 500;          // more: status text 28
constexpr long kStockTableSize = 504;
constexpr long kPieceCapacity = 1100;         // the extra piece included; reaching it: text 19
constexpr long kPieceLineLimit = 1099;        // the most order lines a calculation takes
constexpr long kPieceTableSize = 1102;
constexpr long kQuantityCopySize = 1110;
constexpr long kPlacedCapacity = 1189;        // more: status 5
constexpr long kPlacedTableSize = 1210;
constexpr long kStackCapacity = 590;          // deeper: status 6 and status text 25
constexpr long kStackTableSize = 610;
constexpr long kPreferenceBitsUsed = 600;
constexpr long kDiscardedCapacity = 1100;     // more: status text 24
constexpr long kDiscardedTableSize = 1110;
constexpr long kElementCapacity = 3290;       // more: status text 400
constexpr long kElementTableSize = 3310;
constexpr long kLayoutLimit = 900;            // layouts per material

// Limits of the loaded values.
constexpr int kMaxLineQuantity = 30000;        // sheets or pieces on one line
constexpr int kInfiniteSheetQuantity = 99999;
constexpr int kBestSizeSheetQuantity = 9999;
constexpr int kExtraPieceQuantity = 900;
constexpr long long kMaxTotalPieces = 70000;   // more: status text 27
constexpr long long kMaxFileDimension = 99999990;   // millimetres as written
constexpr long long kMaxExtraPieceDimension = 9999999;  // tenths
constexpr int kMaxMultiplier = 100;
constexpr long kCalcOrderLimit = 30;           // orders taking part in one calculation
constexpr long kCalcListCapacity = 200;        // orders and materials of the calculation lists

// ---- Run status ------------------------------------------------------------------

// The status value, the status text code and the stop code of a material's run.
struct RunStatus {
    int status = 0;  // a MachineState, or the StatusCode of an error (5..49, 60)
    StatusCode text = StatusCode::None;
    StatusCode stop = StatusCode::None;
    std::string detail;  // the piece loader's detail text

    void Set(MachineState state) { status = ToInt(state); }
    void Set(StatusCode code) { status = ToInt(code); }
    bool Is(MachineState state) const { return status == ToInt(state); }
    bool IsRunning() const { return Is(MachineState::Running); }
};

// ---- Tables ----------------------------------------------------------------------

struct StockEntry {
    std::int32_t length = 0;    // along X
    std::int32_t width = 0;     // along Y
    std::int32_t quantity = 0;
    std::int32_t code = 0;      // an offcut: minus ten times its row
};

struct StockList {
    BoundedArray<StockEntry, kStockTableSize> entries;
    long count = 0;

    // Stores the entry while there is room; past the 500th the entry is left
    // out, the count is held at 501 and status text 28 is set.
    void Append(const StockEntry& entry, RunStatus& status);
};

struct Piece {
    std::int32_t id = 0;        // 1..n in file order; -1 the extra piece
    std::int32_t length = 0;
    std::int32_t width = 0;
    std::int32_t quantity = 0;  // still to place
};

struct PieceList {
    BoundedArray<Piece, kPieceTableSize> pieces;
    long count = 0;
    BoundedArray<std::int32_t, kQuantityCopySize> repetition;  // quantity at the start of a step
    BoundedArray<std::int32_t, kQuantityCopySize> working;     // within one attempt
    BoundedArray<std::int32_t, kQuantityCopySize> saved;       // restores `working`

    // Order lines are read while this holds.
    bool HasRoom() const { return count < kPieceCapacity; }
    // Stores the piece after the others; RangeError past the table's room.
    void Append(const Piece& piece);
    // Status text 19 when the list reached its capacity.
    void CheckCount(RunStatus& status) const;
};

struct PlacedPiece {
    std::int32_t x = 0, y = 0, length = 0, width = 0;
    std::int32_t id = 0;
};

struct FreeRectangle {
    std::int32_t x = 0, y = 0, length = 0, height = 0;
    bool consumed = false;  // stays under the two rectangles cut from it
};

struct Rectangle {
    std::int32_t x = 0, y = 0, length = 0, height = 0;
};

// A position of the piece list that a fill may still place from, with the
// piece's sizes at hand for the scan of the tries.
struct FillCandidate {
    std::int32_t position = 0;
    std::int32_t length = 0;
    std::int32_t width = 0;
    std::int32_t quantity = 0;  // the attempt quantity, kept equal to the piece list's
    std::int32_t next = 0, previous = 0;  // list indices; past the end: count + 1
};

// The tables of one attempt at filling a sheet.
struct AttemptState {
    BoundedArray<PlacedPiece, kPlacedTableSize> placed;
    long placedCount = 0;
    BoundedArray<FreeRectangle, kStackTableSize> stack;
    long top = 0;
    BoundedArray<std::int32_t, kStackTableSize> preferenceBits;  // 0 or 1 per stack position
    BoundedArray<Rectangle, kDiscardedTableSize> discarded;
    long discardedCount = 0;
    std::int64_t usedArea = 0;
    std::int64_t cutLength = 0;
    long deepestStack = 0;
    // The fill's own list, in list order, of the positions that still have
    // quantity (and the last position), rebuilt by every fill.
    BoundedArray<FillCandidate, kPieceTableSize> candidates;

    // The routines below run for every try of the fill, so they are inline.

    // Clears what every attempt starts without: pieces placed, used area,
    // deepest stack, cut length and the discarded list.
    void ResetCounters()
    {
        placedCount = 0;
        usedArea = 0;
        deepestStack = 0;
        cutLength = 0;
        discardedCount = 0;
    }
    // Records a placement; the 1 190th sets status 5 and is still stored.
    void Place(const PlacedPiece& piece, RunStatus& status)
    {
        placed[placedCount + 1] = piece;
        ++placedCount;
        if (placedCount > kPlacedCapacity)
            status.Set(StatusCode::TooManyPiecesInLayout);
    }
    // Pushes a free rectangle; a stack deeper than 590 sets status 6 and status text 25.
    void Push(const FreeRectangle& rectangle, RunStatus& status)
    {
        stack[top + 1] = rectangle;
        ++top;
        if (top > deepestStack)
            deepestStack = top;
        if (top > kStackCapacity) {
            status.Set(StatusCode::TooManyFreeRectangles);
            status.text = StatusCode::FreeRectangleStackFull;
        }
    }
    // Drops the top rectangle; RangeError on an empty stack.
    void Pop()
    {
        if (top == 0) [[unlikely]]
            ThrowEmpty("pilha de retângulos vazia");
        --top;
    }
    FreeRectangle& Top() { return stack[top]; }
    bool Empty() const { return top == 0; }
    // Appends to the discarded list; the 1 101st sets status text 24.
    void Discard(const Rectangle& rectangle, RunStatus& status)
    {
        discarded[discardedCount + 1] = rectangle;
        ++discardedCount;
        if (discardedCount > kDiscardedCapacity)
            status.text = StatusCode::TooManyDiscarded;
    }
    // Takes the last discarded rectangle back (a merge); RangeError when there is none.
    void RemoveLastDiscarded()
    {
        if (discardedCount == 0) [[unlikely]]
            ThrowEmpty("lista de retângulos descartados vazia");
        --discardedCount;
    }

private:
    [[noreturn, gnu::noinline, gnu::cold]] static void ThrowEmpty(const char* what);
};

enum class ElementType : std::int32_t { Sheet = 0, Piece = 1, Discarded = 4 };

struct LayoutElement {
    ElementType type = ElementType::Sheet;
    std::int32_t code = 0;  // stock code, piece id or running number
    std::int32_t x = 0, y = 0, length = 0, height = 0;
};

// The best attempt of the current layout step.
struct BestLayout {
    BoundedArray<LayoutElement, kElementTableSize> elements;
    long count = 0;
    long pieces = 0;
    std::int64_t usedArea = 0;
    std::int64_t cutLength = 10'000'000;
    double score = 0;                     // plain yield, percent
    std::int64_t sheetArea = 100'000'000;
    long stockEntry = 1;

    // The initial values (no elements), set when a material starts and after every commit.
    void Reset();
    // Appends an element; the 3 291st sets status text 400.
    void Append(const LayoutElement& element, RunStatus& status);
};

// ---- Run state -------------------------------------------------------------------

// Search indices of the layout search.
struct SearchState {
    int pass = 1, criterion = 1;
    int turnSheet = 0;     // method flag A
    int splitVariant = 0;  // method flag B
    int cutDirection = 0;  // method flag C
    long attemptNumber = 0;
    long attemptCount = 0; // per layout step
    long long totalAttempts = 0;  // every attempt since the caller last cleared it
    bool alternation = false;
};

// Parameters of one trial.
struct TrialParameters {
    int orderingWindow = 1;  // r
    int threshold = 0;       // T
    int preferredEntry = 0;  // P
    int heuristic = 0;       // M
};

struct TrialStatistics {
    std::int64_t sheetArea = 0;
    std::int64_t usedArea = 0;
    long long sheetsUsed = 0;
    long long stockSheetsUsed = 0;
    long long offcutSheetsUsed = 0;
    long long distinctLayouts = 0;
    double cutLength = 0;  // each layout's cut length x 0.001
};

// Flags the window sets while a calculation runs and the engine tests.
struct RunFlags {
    std::atomic<bool> abbreviate{false};  // "Abreviar" confirmed
    std::atomic<bool> ok{false};          // "Ok" on the report or end-flags page
    std::atomic<bool> closing{false};     // the calculation window is closing

    // At every start of a calculation.
    void Clear();
    // Closing also ends any wait for "Ok".
    void RequestClose();
};

// Every table and scalar one material's run works on. The tables are
// allocated at full size once, when this is made.
struct OptimiserWork {
    StockList stock;
    PieceList pieces;
    AttemptState attempt;
    BestLayout best;
    RunStatus status;
    SearchState search;
    TrialParameters trial;
    TrialStatistics statistics;

    long currentEntry = 1;
    std::int64_t stepSheetArea = 0;
    long layoutNumber = 1;
    long long totalPieces = 0;
    std::int32_t smallestDimension = 100000;
    std::int32_t largestDimension = 0;
    bool timeLimitReached = false;
    bool bestSheetSizeMode = false;
    bool extraProduction = false;
    platform::LocalTime startTime;
    std::chrono::steady_clock::time_point startMonotonic{};
};

// True while another layout may be searched after layout `layoutNumber`.
constexpr bool MayAddLayout(long layoutNumber) { return layoutNumber < kLayoutLimit; }

// The layout-file writer's copy of the order lines; as many as the file holds.
struct OrderLine {
    std::int32_t code = 0;
    std::int32_t length = 0, width = 0;
    long long remaining = 0;
    std::string description;
    long long order = 0;
};
using OrderTable = std::vector<OrderLine>;

}  // namespace vor
