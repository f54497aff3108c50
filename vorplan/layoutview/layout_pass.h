#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "vorplan/layoutview/layout_model.h"

namespace vor {

// One row of the totals by sheet size.
struct SheetSizeRow {
    int width = 0, height = 0;
    long long quantity = 0;  // times cut
    bool operator==(const SheetSizeRow&) const = default;
};

// The prices and weights of the totals: material values and "Usar preço x fator".
struct TotalsPricing {
    double purchasePrice = 0;  // PRECO_COMPRA per m2
    double saleFactor = 1;     // FATOR_VENDA
    double cutPriceFactor = 0; // FATOR_CORTE
    double weightPerArea = 0;  // PESO_ESP per m2
    bool useSaleFactor = false;
};

TotalsPricing TotalsPricingOf(const LayoutMaterial& material, bool useSaleFactor);

// The totals over the layouts of a calculation. Every layout weighs its
// repetition field + 1; a sheet code of 0 or above is a stock sheet, below 0
// an offcut used as sheet.
class LayoutTotals {
public:
    void Clear() { *this = LayoutTotals(); }
    void AddLayout(const LayoutFigures& figures);

    long long layouts = 0;
    std::vector<SheetSizeRow> sheetSizes;  // in order of first use
    long long sheets = 0, offcuts = 0;     // cut from stock sheets, from offcuts
    double sheetAreaM2 = 0, offcutAreaM2 = 0;
    long long piecesPlaced = 0;
    double pieceAreaM2 = 0;
    double roundedPieceAreaM2 = 0;  // "(arred)"
    double cuttingPriceBasis = 0;

    double SheetPrice(const TotalsPricing& p) const;
    double OffcutPrice(const TotalsPricing& p) const;
    double SheetWeight(const TotalsPricing& p) const { return p.weightPerArea * sheetAreaM2; }
    double OffcutWeight(const TotalsPricing& p) const { return p.weightPerArea * offcutAreaM2; }
    double CuttingPrice(const TotalsPricing& p) const { return p.cutPriceFactor * cuttingPriceBasis; }
    // Percent of the area of all sheets and offcuts; 0 when that is 0.
    double MeanYield() const;
    double MeanLoss() const { return 100 - MeanYield(); }
    double RoundedMeanYield() const;
    long long AllSheets() const { return sheets + offcuts; }  // "Total de chapas"
};

struct LayoutPassResult {
    bool noLayouts = false;               // layout 1 yielded no elements
    std::optional<std::string> message;   // a rewrite that failed (error 2008)
};

// Reads layouts 1, 2, ... of the material until one yields no elements,
// without the current layout's report: rebuilds state.layoutList, sets
// state.layoutCount and state.largestSheetSide, clears and refills the run
// totals and `totals`, and calls `eachLayout` after each layout read. A
// modified current layout is written first; when that fails the pass does
// not run and the message is returned. Afterwards state.currentLayout is as
// before and the table holds the last (empty) reading. Throws as
// ReadLayoutFile.
LayoutPassResult RunLayoutPass(LayoutState& state, const LayoutInputs& inputs, LayoutTotals& totals,
                               const std::function<void(const LayoutState&)>& eachLayout = {},
                               FileOps& ops = DefaultFileOps());

}  // namespace vor
