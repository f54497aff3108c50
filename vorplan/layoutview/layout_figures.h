#pragma once

#include <cstdint>
#include <vector>

namespace vor {

// A piece as the report of the current layout lists it.
struct ReportPiece {
    int code = 0;
    long long width = 0, height = 0;  // whole millimetres, border deducted when asked
    int order = 0;
    bool operator==(const ReportPiece&) const = default;
};

// The figures of the current layout, recomputed at every reading.
struct LayoutFigures {
    int sheetCode = 0;
    int repetitions = 0;  // the sheet line's X: the layout is cut this + 1 times
    int sheetLength = 0, sheetHeight = 0;
    std::int64_t sheetArea = 0;  // tenths squared
    long pieceCount = 0, offcutCount = 0, scrapCount = 0;
    std::int64_t pieceArea = 0, offcutArea = 0, scrapArea = 0;
    double yield = 0;  // percent; 0 on a sheet of no area
    double loss = 100;
    double cuttingPriceBasis = 0;   // one layout: sum of (m2 x 0.5 + 0.75) over its pieces
    double roundedPieceAreaM2 = 0;  // one layout: RoundedAreaM2 of its pieces
    std::vector<ReportPiece> pieces;
};

// Sums over the layouts read since the last clearing, each layout weighed by
// its repetition field + 1. Metres.
struct RunTotals {
    double perimeter = 0;
    double markedPerimeter = 0;
    bool operator==(const RunTotals&) const = default;
};

}  // namespace vor
