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

void AttemptState::ThrowEmpty(const char* what)
{
    throw RangeError(std::string("Erro de intervalo: ") + what);
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
