#include "vorplan/layoutview/layout_pass.h"

#include <algorithm>

namespace vor {

namespace {

constexpr double kTenthsSquaredPerM2 = 1e8;

}  // namespace

TotalsPricing TotalsPricingOf(const LayoutMaterial& material, bool useSaleFactor)
{
    TotalsPricing p;
    p.purchasePrice = material.purchasePrice;
    p.saleFactor = material.saleFactor;
    p.cutPriceFactor = material.cutPriceFactor;
    p.weightPerArea = material.weightPerArea;
    p.useSaleFactor = useSaleFactor;
    return p;
}

void LayoutTotals::AddLayout(const LayoutFigures& figures)
{
    const long long times = static_cast<long long>(figures.repetitions) + 1;
    const double weight = static_cast<double>(times);
    ++layouts;

    auto row = std::find_if(sheetSizes.begin(), sheetSizes.end(), [&](const SheetSizeRow& r) {
        return r.width == figures.sheetLength && r.height == figures.sheetHeight;
    });
    if (row == sheetSizes.end())
        sheetSizes.push_back({figures.sheetLength, figures.sheetHeight, times});
    else
        row->quantity += times;

    const double areaM2 = static_cast<double>(figures.sheetArea) / kTenthsSquaredPerM2 * weight;
    if (figures.sheetCode >= 0) {
        sheets += times;
        sheetAreaM2 += areaM2;
    } else {
        offcuts += times;
        offcutAreaM2 += areaM2;
    }
    piecesPlaced += figures.pieceCount * times;
    pieceAreaM2 += static_cast<double>(figures.pieceArea) / kTenthsSquaredPerM2 * weight;
    roundedPieceAreaM2 += figures.roundedPieceAreaM2 * weight;
    cuttingPriceBasis += figures.cuttingPriceBasis * weight;
}

double LayoutTotals::SheetPrice(const TotalsPricing& p) const
{
    return p.purchasePrice * sheetAreaM2 * (p.useSaleFactor ? p.saleFactor : 1.0);
}

double LayoutTotals::OffcutPrice(const TotalsPricing& p) const
{
    return p.purchasePrice * offcutAreaM2 * (p.useSaleFactor ? p.saleFactor : 1.0);
}

double LayoutTotals::MeanYield() const
{
    const double all = sheetAreaM2 + offcutAreaM2;
    return all == 0 ? 0 : pieceAreaM2 / all * 100;
}

double LayoutTotals::RoundedMeanYield() const
{
    const double all = sheetAreaM2 + offcutAreaM2;
    return all == 0 ? 0 : roundedPieceAreaM2 / all * 100;
}

LayoutPassResult RunLayoutPass(LayoutState& state, const LayoutInputs& inputs, LayoutTotals& totals,
                               const std::function<void(const LayoutState&)>& eachLayout,
                               FileOps& ops)
{
    LayoutPassResult result;
    // The pass reads every file again, so an edit not yet written would be lost.
    if (state.layoutModified && !state.path.empty()) {
        result.message = RewriteLayoutFile(state, ops);
        if (result.message)
            return result;
    }

    const long long current = state.currentLayout;
    state.runTotals = {};
    totals.Clear();
    state.layoutList.clear();
    state.largestSheetSide = 0;
    try {
        for (long long number = 1;; ++number) {
            state.currentLayout = number;
            std::optional<std::string> message =
                ReadLayoutFile(state, inputs, false, LayoutReading::View, ops);
            if (message && !result.message)
                result.message = std::move(message);
            if (state.ElementCount() == 0)
                break;
            state.layoutList.push_back(number);
            state.largestSheetSide =
                std::max({state.largestSheetSide, state.sheetLength, state.sheetHeight});
            totals.AddLayout(state.figures);
            if (eachLayout)
                eachLayout(state);
        }
    } catch (...) {
        // A layout that cannot be read ends the pass; what was read stands.
        state.layoutCount = static_cast<long long>(state.layoutList.size());
        state.currentLayout = current;
        throw;
    }
    state.layoutCount = static_cast<long long>(state.layoutList.size());
    state.currentLayout = current;
    result.noLayouts = state.layoutList.empty();
    return result;
}

}  // namespace vor
