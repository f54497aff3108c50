#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>

namespace vor {

class IniFile;

// The buttons of one radio group of the calculation window. Checking a button
// clears the others of its group; clearing one leaves the rest alone, so a
// group read from a file can end with no button checked, as the controls can.
template <typename Button, std::size_t N>
class RadioGroup {
public:
    explicit RadioGroup(Button checked) { m_checked[Index(checked)] = true; }

    bool IsChecked(Button button) const { return m_checked[Index(button)]; }
    void SetChecked(Button button, bool checked)
    {
        if (checked)
            m_checked.fill(false);
        m_checked[Index(button)] = checked;
    }
    void Check(Button button) { SetChecked(button, true); }
    // The checked button; nullopt when none is.
    std::optional<Button> Checked() const
    {
        for (std::size_t i = 0; i < N; ++i) {
            if (m_checked[i])
                return static_cast<Button>(i);
        }
        return std::nullopt;
    }

    bool operator==(const RadioGroup&) const = default;

private:
    static std::size_t Index(Button button) { return static_cast<std::size_t>(button); }
    std::array<bool, N> m_checked{};
};

// One enum per group; the values number the buttons from 0.
enum class OptimisationGoal { BestArea, FewestLayouts };         // RadioButton38, 39
enum class SheetOrder { Free, Decreasing, Increasing };           // RadioButton8, 23, 24
enum class SheetFactor { Weak, Medium, High };                    // RadioButton30, 31, 32
enum class CutComplexity { Complex, Medium, Easy };               // RadioButton4, 5, 6
enum class FirstCut { Free, Vertical, Horizontal };               // RadioButton18, 19, 20
enum class FirstCutScope { FirstOnly, AllCuts };                  // RadioButton36, 37
// Forced strip RadioButton10/11/12 (bottom, left), minimum strip
// RadioButton1/2/22 (top, right), forced cut RadioButton13/14/15.
enum class PreCut { No, Horizontal, Vertical };
enum class TimeLimit { None, Limited };                           // RadioButton34, 35
enum class EdgeCuts { Allowed, NotAllowed };                      // RadioButton40, 41
enum class ExtraProduction { Off, On };                           // RadioButton42 "Não", 43 "SIM"
enum class EndSignal { Silent, Beep, Tone1, Tone2, Tone3, Wave }; // RadioButton3, 7, 25, 26, 29, 33
enum class SignalRepeat { Once, Repeat };                         // RadioButton27, 28
enum class StockMode { Normal, BestSheetSize };                   // RadioButton44, 9
enum class RotationChoice { AsConfigured, Allowed, NotAllowed };  // RadioButton45, 46, 47
enum class SheetQuantityChoice { AsConfigured, Infinite };        // RadioButton48, 49

// The calculation options as the calculation window holds them: edit boxes
// as typed (converted only when a run starts), check boxes and radio groups.
// The defaults are those of a missing file, and the window's design values
// for the options no file keeps.
struct CalcSettings {
    // ---- Kept in CONFCALC.INI ----
    int calcType = 0;                      // RadioGroup1: 0 Rápido, 1 Completo, 2 Intensivo
    bool useSheets = true;                 // CheckBox2 "Chapas"
    bool useOffcuts = false;               // CheckBox4 "Retalhos"
    // Best sheet-size search; the keys say which box is width and which height.
    std::string bestWidthFrom = "1000";    // Edit1
    std::string bestWidthTo = "1500";      // Edit2
    std::string bestWidthStep = "100";     // Edit22
    std::string bestHeightFrom = "1500";   // Edit3
    std::string bestHeightTo = "2000";     // Edit4
    std::string bestHeightStep = "100";    // Edit18
    RadioGroup<OptimisationGoal, 2> goal{OptimisationGoal::BestArea};
    RadioGroup<SheetOrder, 3> sheetOrder{SheetOrder::Free};
    RadioGroup<CutComplexity, 3> complexity{CutComplexity::Complex};
    std::string pieceBorderWidth = "0";    // Edit13, mm
    std::string pieceBorderHeight = "0";   // Edit12, mm
    std::string sheetBorderLeft = "0";     // Edit16, mm
    std::string sheetBorderRight = "0";    // Edit17, mm
    std::string sheetBorderBottom = "0";   // Edit15, mm
    std::string sheetBorderTop = "0";      // Edit14, mm
    RadioGroup<FirstCut, 3> firstCut{FirstCut::Free};
    RadioGroup<FirstCutScope, 2> firstCutScope{FirstCutScope::FirstOnly};
    RadioGroup<TimeLimit, 2> timeLimit{TimeLimit::None};
    std::string timeLimitMinutes = "0";    // Edit19
    RadioGroup<EdgeCuts, 2> edgeCuts{EdgeCuts::Allowed};
    RadioGroup<ExtraProduction, 2> extraProduction{ExtraProduction::Off};
    std::string extraPieceWidth = "100";   // Edit21, mm
    std::string extraPieceHeight = "100";  // Edit20, mm
    RadioGroup<EndSignal, 6> endSignal{EndSignal::Tone1};
    RadioGroup<SignalRepeat, 2> signalRepeat{SignalRepeat::Once};
    bool music = false;                    // CheckBox10 "Música durante o cálculo"
    bool showLayouts = true;               // CheckBox8 "Mostrar mapas"
    RadioGroup<StockMode, 2> stockMode{StockMode::Normal};

    // ---- Not kept: every program run starts from these ----
    RadioGroup<SheetFactor, 3> sheetFactor{SheetFactor::Medium};
    RadioGroup<PreCut, 3> forcedStrip{PreCut::No};
    std::string forcedStripSize = "0";     // edit5, mm
    RadioGroup<PreCut, 3> minimumStrip{PreCut::No};
    std::string minimumStripSize = "0";    // Edit7, mm
    RadioGroup<PreCut, 3> forcedCut{PreCut::No};
    std::string forcedCutSize = "0";       // edit6, mm
    bool cleavage = false;                 // CheckBox6 "Ativar"
    std::string cleavageWidth = "30";      // Edit9, tenths of a millimetre
    std::string cleavageMinimum = "50";    // Edit10, tenths of a millimetre
    std::string cleavageMaximum = "400";   // Edit11, tenths of a millimetre
    std::string comment;                   // Edit8
    // What-if panel
    RadioGroup<RotationChoice, 3> rotation{RotationChoice::AsConfigured};
    RadioGroup<SheetQuantityChoice, 2> sheetQuantity{SheetQuantityChoice::AsConfigured};
    std::string multiplier = "1";          // Edit28

    // ---- Set by loading ----
    int presetTimeLimit = 0;               // VLC_.INI TEMP_MAX_CORT, recorded in CALC_DAT.INI
    bool internalOrders = true;            // RadioButton16 "Internos" (else 17 "Externos")
    bool stockSourcesEnabled = true;       // CheckBox2 and CheckBox4 enabled

    bool operator==(const CalcSettings&) const = default;
};

// The optional preset file, opened by its bare name.
constexpr const char* kCalcPresetFileName = "VLC_.INI";

// Reads VLC_.INI and then CONFCALC.INI into default settings, sets the
// order-table choice from `internalOrderTables` and applies the raw-material
// rule. Missing files or keys, and unreadable values, give the defaults.
CalcSettings LoadCalcSettings(const IniFile& preset, const IniFile& confcalc,
                              bool internalOrderTables);
// The same with VLC_.INI from the settings folder, CONFCALC.INI from the
// shared CFG folder and the shared INTERNO setting. Throws IoError only when
// the settings folder cannot be made.
CalcSettings LoadCalcSettings();

// Writes every CONFCALC.INI key but TESTA_BEST_ALT, in the file's order, texts
// as typed, booleans "1"/"0". Throws IoError when the file cannot be saved.
void SaveCalcSettings(IniFile& confcalc, const CalcSettings& settings);
void SaveCalcSettings(const CalcSettings& settings);  // shared CFG folder

// The text shown after a save (message 734).
const std::string& CalcSettingsSavedText();

// "Normal" enables the "Chapas" and "Retalhos" boxes, the best sheet-size
// search disables them; with neither mode checked they stay as they are.
void ApplyRawMaterialRule(CalcSettings& settings);

// Message 48, 49 or 50 for calculation type 0, 1 or 2; empty for any other.
std::string CalcTypeText(int calcType);

}  // namespace vor
