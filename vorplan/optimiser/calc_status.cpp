#include "vorplan/optimiser/calc_status.h"

#include "vorplan/common/language_texts.h"

namespace vor {

std::string StatusText(int code, long long materialCode, std::string_view detail)
{
    std::string text;
    if (code == 7)
        text = Msg(437) + std::to_string(materialCode);  // the message ends before the code
    else if ((code >= 1 && code <= 2) || (code >= 4 && code <= 6) || (code >= 9 && code <= 20))
        text = Msg(430 + code);
    else if (code == 21)
        text = Msg(451) + Msg(452);
    else if (code >= 22 && code <= 33)
        text = Msg(431 + code);
    else if (code == 34)
        text = Msg(801);
    else if (code == 8)
        text = Msg(437) + std::to_string(materialCode) + Msg(438);
    else
        text = Msg(465) + " " + std::to_string(code);
    if (code > 4)
        text = Msg(430) + " " + text;
    text += detail;
    return text;
}

std::string PieceLineDetailText(long long quantity, long long lineNumber)
{
    return " (" + std::to_string(quantity) + ", " + Msg(804) + " " + std::to_string(lineNumber) +
           ")";
}

}  // namespace vor
