#include "vorplan/optimiser/working_data.h"

#include <algorithm>

#include "vorplan/common/errors.h"

namespace vor {

void StockList::Append(const StockEntry& entry, RunStatus& status)
{
    if (count >= kStockCapacity) {
        count = kStockCapacity + 1;
        status.text = StatusCode::TooManySheets;
        return;
    }
    entries[++count] = entry;
}

void PieceList::Append(const Piece& piece)
{
    pieces[count + 1] = piece;  // throws before the count moves
    ++count;
}

void PieceList::CheckCount(RunStatus& status) const
{
    if (count >= kPieceCapacity)
        status.text = StatusCode::TooManyPieceLines;
}

void AttemptState::ResetCounters()
{
    placedCount = 0;
    usedArea = 0;
    deepestStack = 0;
    cutLength = 0;
    discardedCount = 0;
}

void AttemptState::Place(const PlacedPiece& piece, RunStatus& status)
{
    placed[placedCount + 1] = piece;
    ++placedCount;
    if (placedCount > kPlacedCapacity)
        status.Set(StatusCode::TooManyPiecesInLayout);
}

void AttemptState::Push(const FreeRectangle& rectangle, RunStatus& status)
{
    stack[top + 1] = rectangle;
    ++top;
    deepestStack = std::max(deepestStack, top);
    if (top > kStackCapacity) {
        status.Set(StatusCode::TooManyFreeRectangles);
        status.text = StatusCode::FreeRectangleStackFull;
    }
}

void AttemptState::Pop()
{
    if (top == 0)
        throw RangeError("Erro de intervalo: pilha de retângulos vazia");
    --top;
}

void AttemptState::Discard(const Rectangle& rectangle, RunStatus& status)
{
    discarded[discardedCount + 1] = rectangle;
    ++discardedCount;
    if (discardedCount > kDiscardedCapacity)
        status.text = StatusCode::TooManyDiscarded;
}

void AttemptState::RemoveLastDiscarded()
{
    if (discardedCount == 0)
        throw RangeError("Erro de intervalo: lista de retângulos descartados vazia");
    --discardedCount;
}

void BestLayout::Reset()
{
    count = 0;
    pieces = 0;
    usedArea = 0;
    cutLength = 10'000'000;
    score = 0;
    sheetArea = 100'000'000;
    stockEntry = 1;
}

void BestLayout::Append(const LayoutElement& element, RunStatus& status)
{
    elements[count + 1] = element;
    ++count;
    if (count > kElementCapacity)
        status.text = StatusCode::TooManyLayoutElements;
}

void RunFlags::Clear()
{
    abbreviate = false;
    ok = false;
    closing = false;
}

void RunFlags::RequestClose()
{
    closing = true;
    ok = true;
}

}  // namespace vor
