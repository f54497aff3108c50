#include "vorplan/optimiser/calc_options.h"

#include "vorplan/common/errors.h"

#include "vorplan/common/conversions.h"
#include "vorplan/common/real_helpers.h"

namespace vor {

std::int64_t LengthFromText(const std::string& text)
{
    return MillimetresToTenths(StrToRealComma(text));
}

int CalcOptions::PreCutsChosen() const
{
    return (forcedStrip != PreCut::No ? 1 : 0) + (minimumStrip != PreCut::No ? 1 : 0) +
           (forcedCut != PreCut::No ? 1 : 0);
}

bool CalcOptions::RotationAllowed() const
{
    if (rotation == RotationChoice::Allowed)
        return true;
    if (rotation == RotationChoice::NotAllowed)
        return false;
    return material.mayRotate;
}

namespace {
// A border typed absurdly large must stop the run with a message, not wrap around.
template <typename A, typename B>
auto CheckedSum(A a, B b)
{
    decltype(a + b) sum{};
    if (__builtin_add_overflow(a, b, &sum))
        throw vor::OverflowError("Erro de cálculo: borda da chapa grande demais");
    return sum;
}
}  // namespace

SheetBorders CalcOptions::EffectiveSheetBorders() const
{
    return {CheckedSum(sheetBorders.left, material.trimLeft),
            CheckedSum(sheetBorders.right, material.trimRight),
            CheckedSum(sheetBorders.bottom, material.trimBottom),
            CheckedSum(sheetBorders.top, material.trimTop)};
}

CalcOptions MakeCalcOptions(const CalcSettings& s)
{
    CalcOptions o;
    o.calcTypeIndex = s.calcType;
    o.calcType = EffectiveCalcType(s.calcType);
    o.type = ParametersOf(o.calcType);

    o.useSheets = s.useSheets;
    o.useOffcuts = s.useOffcuts;
    o.bestSheetSizeMode = !s.stockMode.IsChecked(StockMode::Normal);
    o.bestWidthFrom = std::int64_t{StrToIntDef0(s.bestWidthFrom)} * 10;
    o.bestWidthTo = std::int64_t{StrToIntDef0(s.bestWidthTo)} * 10;
    o.bestWidthStep = std::int64_t{StrToIntDef0(s.bestWidthStep)} * 10;
    o.bestHeightFrom = std::int64_t{StrToIntDef0(s.bestHeightFrom)} * 10;
    o.bestHeightTo = std::int64_t{StrToIntDef0(s.bestHeightTo)} * 10;
    o.bestHeightStep = std::int64_t{StrToIntDef0(s.bestHeightStep)} * 10;

    o.goal = s.goal.Checked();
    o.sheetOrder = s.sheetOrder.Checked();
    o.sheetFactor = s.sheetFactor.Checked();
    o.sheetFactorStep = o.sheetFactor == SheetFactor::Weak   ? 0.05
                        : o.sheetFactor == SheetFactor::High ? 1.0 / 3.0
                                                             : 0.2;
    o.complexity = s.complexity.Checked();

    o.pieceBorderWidth = LengthFromText(s.pieceBorderWidth);
    o.pieceBorderHeight = LengthFromText(s.pieceBorderHeight);
    o.sheetBorders = {LengthFromText(s.sheetBorderLeft), LengthFromText(s.sheetBorderRight),
                      LengthFromText(s.sheetBorderBottom), LengthFromText(s.sheetBorderTop)};

    o.firstCut = s.firstCut.Checked();
    o.firstCutScope = s.firstCutScope.Checked();

    o.forcedStrip = s.forcedStrip.Checked();
    o.forcedStripSize = LengthFromText(s.forcedStripSize);
    o.minimumStrip = s.minimumStrip.Checked();
    o.minimumStripSize = LengthFromText(s.minimumStripSize);
    o.forcedCut = s.forcedCut.Checked();
    o.forcedCutSize = LengthFromText(s.forcedCutSize);

    o.cleavage = s.cleavage;
    o.cleavageWidth = StrToIntDef0(s.cleavageWidth);
    o.cleavageMinimum = StrToIntDef0(s.cleavageMinimum);
    o.cleavageMaximum = StrToIntDef0(s.cleavageMaximum);

    o.timeLimited = s.timeLimit.IsChecked(TimeLimit::Limited);
    o.timeLimitMinutes = StrToIntDef0(s.timeLimitMinutes);
    o.presetTimeLimit = s.presetTimeLimit;

    o.edgeCutsAllowed = s.edgeCuts.IsChecked(EdgeCuts::Allowed);
    o.extraProduction = s.extraProduction.IsChecked(ExtraProduction::On);
    o.extraPieceLength = LengthFromText(s.extraPieceWidth);
    o.extraPieceWidth = LengthFromText(s.extraPieceHeight);

    o.rotation = s.rotation.Checked();
    o.infiniteSheets = s.sheetQuantity.IsChecked(SheetQuantityChoice::Infinite);
    o.multiplier = StrToIntDef0(s.multiplier);

    o.endSignal = s.endSignal.Checked();
    o.signalRepeat = s.signalRepeat.Checked();
    o.music = s.music;
    o.showLayouts = s.showLayouts;
    o.comment = s.comment;
    return o;
}

}  // namespace vor
