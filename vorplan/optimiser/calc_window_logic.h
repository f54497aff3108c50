#pragma once

#include <string>
#include <vector>

#include "vorplan/optimiser/calc_settings.h"

namespace vor {

// The rules of the calculation window that are not about widgets.

// ---- Geometry, in pixels ---------------------------------------------------------

constexpr int kCalcWindowWidth = 785;
constexpr int kCalcWindowHeight = 456;
// PageControl1 is the window less 8 wide and less 25 high.
constexpr int kCalcPageWidth = kCalcWindowWidth - 8;
constexpr int kCalcPageHeight = kCalcWindowHeight - 25;

struct CalcWindowPlacement {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const CalcWindowPlacement&) const = default;
};

// The window around a page control of `pageWidth` x `pageHeight`: width + 8,
// height + 25, centred on a screen `screenWidth` wide (trunc(screen x 0.5 -
// width x 0.5)), its top at `belowIconBarTop` of the main window.
CalcWindowPlacement PlaceCalcWindow(int screenWidth, int pageWidth, int pageHeight,
                                    int belowIconBarTop);

// PageControl1's top in a window `windowHeight` high: trunc(height x 10/23 -
// page height x 0.5), and 0 when that is negative.
int PageControlTop(int windowHeight, int pageHeight);

// ---- Fitting a description into its column -----------------------------------------

// The pixel width of a text in some font.
class TextMetrics {
public:
    virtual ~TextMetrics() = default;
    virtual int Width(const std::string& text) const = 0;
};

constexpr int kFitTextWidth = 215;
constexpr int kFitTextCutWidth = 210;

// `text` when it is at most 215 pixels wide; otherwise characters are taken
// off its end while it is wider than 210 pixels and longer than one
// character, and "..." is appended.
std::string FitTextToWidth(const std::string& text, const TextMetrics& metrics);

// ---- The order selection -------------------------------------------------------------

constexpr long kMostOrdersToStart = 60;

struct OrderSelectionState {
    bool startEnabled = false;  // "Iniciar"
    bool whatIfVisible = false; // the what-if panel
    std::string statusText;     // the status line under the order list
    bool operator==(const OrderSelectionState&) const = default;
};

// 1 to 60 selected orders enable "Iniciar" and show the what-if panel; the
// status text is message 643 + " :" + selected + " / " + total.
OrderSelectionState SelectionStateOf(long selected, long total);

// ---- Enable rules ----------------------------------------------------------------------

// "Fraco", "Médio", "Alto": enabled unless the sheet sequence is "Livre".
bool SheetFactorEnabled(const CalcSettings& settings);
// The size box of a forced strip, minimum strip or forced cut: enabled while
// one of its "Usar ..." choices is checked.
bool PreCutSizeEnabled(const RadioGroup<PreCut, 3>& choice);
// The extra piece's boxes and labels: enabled exactly when "SIM" is checked.
bool ExtraPieceEnabled(const CalcSettings& settings);

// ---- The what-if panel -----------------------------------------------------------------

// The what-if material list: the materials of the selected orders with
// their choice. A list not refilled since the order selection changed
// stands for every material chosen.
struct WhatIfMaterials {
    std::vector<long long> codes;
    std::vector<bool> chosen;
    bool current = false;  // refilled for the current selection

    // Replaces the list with `codes`, every one chosen.
    void Refill(std::vector<long long> newCodes);
    // The selection changed: the list must be refilled before use.
    void Invalidate() { current = false; }
    // Flips the choice of entry `index` (from 0); outside the list nothing.
    void Toggle(std::size_t index);
    bool AllChosen() const;
    // The codes toggled off, in list order; none for a list not refilled.
    std::vector<long long> Unchosen() const;
};

// True when an override is active: rotation or sheet quantity not "Conforme
// configuração", a multiplier other than "1" (blanks around it ignored), or
// a material not chosen.
bool WhatIfOverridesActive(const CalcSettings& settings, const WhatIfMaterials& materials);

// Messages 996 to 999 as one explanation, a blank between two lines that
// do not already meet at one.
std::string WhatIfExplanationText();

// ---- The option pages --------------------------------------------------------------------

constexpr int kOptionItemCount = 17;
// The option pages in their order in the page control: "1".."9", "A".."J".
constexpr const char* kOptionPageNames = "123456789ABCDEFGHIJ";
constexpr int kOptionPageCount = 19;

// The message of option list item `item` (0..16); 0 outside.
long OptionItemMessage(int item);
// The page item `item` shows; "D" for no item (-1) or any other value.
char OptionPageOfItem(int item);
// The index of page `page` in the page control; -1 for an unknown name.
int OptionPageIndex(char page);

// The dial value of calculation type item `item`: 5, 15, 45, and 55 for no
// item chosen.
int CalcTypeDialValue(int item);

}  // namespace vor
