#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "vorplan/optimiser/calc_settings.h"

namespace vor {

// What one calculation type does (trials per combination R, Tmax, Mmax,
// attempts per search combination 2^E, passes and criteria).
struct CalcTypeParameters {
    int trialsPerCombination = 1;  // R
    int thresholdMax = 2;          // Tmax
    int heuristicMax = 0;          // Mmax
    int attemptExponent = 1;       // E
    int passes = 1;
    int criteria = 1;              // Intensivo runs 1 x 1 with fewer than 2 distinct pieces

    constexpr int Attempts() const { return 1 << attemptExponent; }
    bool operator==(const CalcTypeParameters&) const = default;
};

enum class CalcType { Fast = 0, Complete = 1, Intensive = 2 };

// Type 1 is Completo, 2 Intensivo; every other value runs as Rápido.
constexpr CalcType EffectiveCalcType(int calcType)
{
    return calcType == 1 ? CalcType::Complete : calcType == 2 ? CalcType::Intensive : CalcType::Fast;
}

constexpr CalcTypeParameters ParametersOf(CalcType type)
{
    switch (type) {
    case CalcType::Complete:
        return {20, 12, 1, 1, 1, 1};
    case CalcType::Intensive:
        return {30, 20, 1, 4, 2, 7};
    case CalcType::Fast:
        break;
    }
    return {1, 2, 0, 1, 1, 1};
}

// The four safety borders, tenths of a millimetre.
struct SheetBorders {
    std::int64_t left = 0, right = 0, bottom = 0, top = 0;
    bool operator==(const SheetBorders&) const = default;
};

// The material's values a run uses, taken from the material record when the
// material's run starts. Lengths in tenths of a millimetre.
struct MaterialValues {
    long long code = 0;
    int loadStatus = 0;                      // 0 loaded; 15..17 become the run's status
    std::int32_t kerf = 0;                   // LARG_SERRA, k
    std::int32_t minimumStrip = 0;           // LARG_MIN_D, m
    bool mayRotate = true;                   // GIRO
    std::int32_t pieceAllowanceLength = 0;   // CTE_X_DIM_PC
    std::int32_t pieceAllowanceWidth = 0;    // CTE_Y_DIM_PC
    std::int32_t trimLeft = 0, trimRight = 0, trimBottom = 0, trimTop = 0;  // CTE_DIM_*_CHP
    bool cutLengthLimited = false;           // not LIMITA_COMP_CORTE_LIVRE
    std::int32_t cutLengthLimit = 10000;     // COMP_LIMITE_CORTE

    bool operator==(const MaterialValues&) const = default;
};

// The snapshot the engine reads: every option converted once, when the run
// starts. A radio group is the button checked in it, nullopt when none is, so
// the engine can test a button as the options pages define it ("Livre" is not
// checked) and a group with no button still behaves as the window's would.
// Lengths are tenths of a millimetre, 64-bit so that the checks of loading
// and preparation see the value as typed, however large.
struct CalcOptions {
    int calcTypeIndex = 0;  // as set; CalcTypeText names it
    CalcType calcType = CalcType::Fast;
    CalcTypeParameters type = ParametersOf(CalcType::Fast);

    bool useSheets = true;
    bool useOffcuts = false;
    bool bestSheetSizeMode = false;  // "Normal" not checked
    // Best sheet-size search, "as integers x 10", not yet ordered or limited.
    std::int64_t bestWidthFrom = 10000, bestWidthTo = 15000, bestWidthStep = 1000;
    std::int64_t bestHeightFrom = 15000, bestHeightTo = 20000, bestHeightStep = 1000;

    std::optional<OptimisationGoal> goal = OptimisationGoal::BestArea;
    std::optional<SheetOrder> sheetOrder = SheetOrder::Free;
    std::optional<SheetFactor> sheetFactor = SheetFactor::Medium;
    double sheetFactorStep = 0.2;  // f: 0.05 Fraco, 1/3 Alto, 0.2 otherwise
    std::optional<CutComplexity> complexity = CutComplexity::Complex;

    std::int64_t pieceBorderWidth = 0;   // added to the placed length
    std::int64_t pieceBorderHeight = 0;  // added to the placed width
    SheetBorders sheetBorders;           // the boxes alone; see EffectiveSheetBorders

    std::optional<FirstCut> firstCut = FirstCut::Free;
    std::optional<FirstCutScope> firstCutScope = FirstCutScope::FirstOnly;

    // Pre-cuts: a group counts as chosen when its "Não" is not checked.
    std::optional<PreCut> forcedStrip = PreCut::No;
    std::int64_t forcedStripSize = 0;
    std::optional<PreCut> minimumStrip = PreCut::No;
    std::int64_t minimumStripSize = 0;
    std::optional<PreCut> forcedCut = PreCut::No;
    std::int64_t forcedCutSize = 0;

    // Cleavage values are taken as typed integers, already in tenths. A
    // maximum of 0 stands for half the usable length of the sheet.
    bool cleavage = false;
    int cleavageWidth = 30;
    int cleavageMinimum = 50;
    int cleavageMaximum = 400;

    bool timeLimited = false;  // "Limite" checked
    int timeLimitMinutes = 0;
    int presetTimeLimit = 0;

    bool edgeCutsAllowed = true;  // "Sim" checked: edge margin g = 0
    bool extraProduction = false; // "SIM" checked
    std::int64_t extraPieceLength = 1000;  // Edit21 (width of the extra piece)
    std::int64_t extraPieceWidth = 1000;   // Edit20 (height of the extra piece)

    std::optional<RotationChoice> rotation = RotationChoice::AsConfigured;
    bool infiniteSheets = false;  // RadioButton49
    int multiplier = 1;           // unchecked here; the driver starts nothing outside 1..100

    std::optional<EndSignal> endSignal = EndSignal::Tone1;
    std::optional<SignalRepeat> signalRepeat = SignalRepeat::Once;
    bool music = false;
    bool showLayouts = true;
    std::string comment;

    // Set by the driver when each material starts.
    MaterialValues material;

    // Any of the three pre-cut groups chosen; two or more give status 22.
    int PreCutsChosen() const;
    // "Sim" allows turning pieces, "Não" forbids it, otherwise the material decides.
    bool RotationAllowed() const;
    // The borders of the boxes plus the material's trims on the same side.
    SheetBorders EffectiveSheetBorders() const;

    // The defaults are those of default settings.
    bool operator==(const CalcOptions&) const = default;
};

// A length box as the run reads it: text to real (either decimal mark) times
// 10, rounded half to even on the decimal value ("12,5" -> 125, "" -> 0).
// Throws OverflowError when the value has no 64-bit integer.
std::int64_t LengthFromText(const std::string& text);

// Converts every option of `settings`; the material slot stays at its
// defaults. Throws OverflowError like LengthFromText.
CalcOptions MakeCalcOptions(const CalcSettings& settings);

}  // namespace vor
