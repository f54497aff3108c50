#pragma once

#include <array>

#include "vorplan/common/drawing_geometry.h"

namespace vor {

struct PieceColour {
    WinColor fill = kWhite;
    WinColor text = kBlack;
};

// The piece colours by group number mod 10.
extern const std::array<PieceColour, 10> PieceGroupColours;

// The offcut outline colour of the printed maps.
constexpr WinColor kOffcutOutlineColour = kBlack;

struct GroupColours {
    WinColor screenBrush = kWhite;
    WinColor text = kBlack;
    WinColor printerBrush = kWhite;
};

// The colours of piece group `group`: the screen brush lightened or darkened
// by `luminosity` (the "Luminosidade" bar, -50..230), the text colour (black
// above 100, white below -20) and the printer brush lightened by 230, or by
// 245 when `faint` ("Fraco").
GroupColours GroupColour(int group, int luminosity, bool faint);

}  // namespace vor
