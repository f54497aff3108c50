#include "vorplan/layoutview/layout_colours.h"

namespace vor {

const std::array<PieceColour, 10> PieceGroupColours = {{
    {0xFFFFFF, kBlack},
    {0x000080, kWhite},
    {0x008000, kWhite},
    {0x008080, kWhite},
    {0x800000, kWhite},
    {0x800080, kWhite},
    {0x808000, kBlack},
    {0x808080, kWhite},
    {0x0080FF, kBlack},
    {0xFF0000, kWhite},
}};

GroupColours GroupColour(int group, int luminosity, bool faint)
{
    // A negative group gives a negative index: white with black text.
    const int index = group % 10;
    const PieceColour colour =
        index >= 0 ? PieceGroupColours[static_cast<std::size_t>(index)] : PieceColour{};
    GroupColours out;
    out.screenBrush = LightenColor(colour.fill, luminosity);
    out.printerBrush = LightenColor(colour.fill, faint ? 245 : 230);
    out.text = colour.text;
    if (luminosity > 100)
        out.text = kBlack;
    else if (luminosity < -20)
        out.text = kWhite;
    return out;
}

}  // namespace vor
