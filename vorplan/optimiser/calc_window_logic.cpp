#include "vorplan/optimiser/calc_window_logic.h"

#include <algorithm>
#include <array>

#include "vorplan/common/codec.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/real_helpers.h"

namespace vor {

CalcWindowPlacement PlaceCalcWindow(int screenWidth, int pageWidth, int pageHeight,
                                    int belowIconBarTop)
{
    CalcWindowPlacement p;
    p.width = pageWidth + 8;
    p.height = pageHeight + 25;
    p.top = belowIconBarTop;
    p.left = static_cast<int>(Trunc(screenWidth * 0.5 - p.width * 0.5));
    return p;
}

int PageControlTop(int windowHeight, int pageHeight)
{
    const auto top = static_cast<int>(Trunc(windowHeight * 10.0 / 23.0 - pageHeight * 0.5));
    return std::max(top, 0);
}

std::string FitTextToWidth(const std::string& text, const TextMetrics& metrics)
{
    if (metrics.Width(text) <= kFitTextWidth)
        return text;
    std::u32string points = Utf8ToCodePoints(text);
    while (points.size() > 1 && metrics.Width(CodePointsToUtf8(points)) > kFitTextCutWidth)
        points.pop_back();
    return CodePointsToUtf8(points) + "...";
}

OrderSelectionState SelectionStateOf(long selected, long total)
{
    OrderSelectionState state;
    state.startEnabled = selected >= 1 && selected <= kMostOrdersToStart;
    state.whatIfVisible = state.startEnabled;
    state.statusText = Msg(643) + " :" + std::to_string(selected) + " / " + std::to_string(total);
    return state;
}

bool SheetFactorEnabled(const CalcSettings& settings)
{
    return !settings.sheetOrder.IsChecked(SheetOrder::Free);
}

bool PreCutSizeEnabled(const RadioGroup<PreCut, 3>& choice)
{
    return choice.IsChecked(PreCut::Horizontal) || choice.IsChecked(PreCut::Vertical);
}

bool ExtraPieceEnabled(const CalcSettings& settings)
{
    return settings.extraProduction.IsChecked(ExtraProduction::On);
}

void WhatIfMaterials::Refill(std::vector<long long> newCodes)
{
    codes = std::move(newCodes);
    chosen.assign(codes.size(), true);
    current = true;
}

void WhatIfMaterials::Toggle(std::size_t index)
{
    if (index < chosen.size())
        chosen[index] = !chosen[index];
}

bool WhatIfMaterials::AllChosen() const
{
    return !current || std::all_of(chosen.begin(), chosen.end(), [](bool c) { return c; });
}

std::vector<long long> WhatIfMaterials::Unchosen() const
{
    std::vector<long long> off;
    if (!current)
        return off;
    for (std::size_t i = 0; i < codes.size(); ++i) {
        if (!chosen[i])
            off.push_back(codes[i]);
    }
    return off;
}

namespace {

std::string TrimBlanks(const std::string& text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

bool WhatIfOverridesActive(const CalcSettings& settings, const WhatIfMaterials& materials)
{
    return !settings.rotation.IsChecked(RotationChoice::AsConfigured) ||
           !settings.sheetQuantity.IsChecked(SheetQuantityChoice::AsConfigured) ||
           TrimBlanks(settings.multiplier) != "1" || !materials.AllChosen();
}

std::string WhatIfExplanationText()
{
    std::string text;
    for (long slot = 996; slot <= 999; ++slot) {
        const std::string& line = Msg(slot);
        if (!text.empty() && text.back() != ' ' && !line.empty() && line.front() != ' ')
            text += ' ';
        text += line;
    }
    return text;
}

namespace {

struct OptionItem {
    long message;
    char page;
};

constexpr std::array<OptionItem, kOptionItemCount> kOptionItems{{
    {47, '1'}, {97, '2'}, {732, 'G'}, {631, '3'}, {587, '4'}, {400, '5'},
    {401, '6'}, {395, '7'}, {378, '8'}, {387, '9'}, {390, 'A'}, {746, 'H'},
    {760, 'I'}, {402, 'B'}, {100, 'C'}, {671, 'F'}, {282, 'E'},
}};

}  // namespace

long OptionItemMessage(int item)
{
    if (item < 0 || item >= kOptionItemCount)
        return 0;
    return kOptionItems[static_cast<std::size_t>(item)].message;
}

char OptionPageOfItem(int item)
{
    if (item < 0 || item >= kOptionItemCount)
        return 'D';
    return kOptionItems[static_cast<std::size_t>(item)].page;
}

int OptionPageIndex(char page)
{
    for (int i = 0; i < kOptionPageCount; ++i) {
        if (kOptionPageNames[i] == page)
            return i;
    }
    return -1;
}

int CalcTypeDialValue(int item)
{
    switch (item) {
    case 0: return 5;
    case 1: return 15;
    case 2: return 45;
    default: return 55;
    }
}

}  // namespace vor
