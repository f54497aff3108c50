#include "vorplan/optimiser/calc_settings.h"

#include <charconv>

#include "vorplan/common/conversions.h"
#include "vorplan/common/data_folders.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/language_texts.h"

namespace vor {

namespace {

constexpr const char* kSection = "DADOS_CONF_CALC";

// Every CONFCALC.INI key in file order, with its default. Reading and writing
// both walk this list, so the two cannot drift apart. Defaults are the
// table's, not the control's current state: a key read earlier may have
// changed a group (TESTA_BEST_ALT checks the search button, and the later
// CORTE_NORMAL default must still check "Normal" again).
template <typename Settings, typename Visitor>
void ForEachKey(Settings& s, Visitor& v)
{
    v.Integer("TIPO_CALC", s.calcType, 0);
    v.Bool("USA_CHAPAS", s.useSheets, true);
    v.Bool("USA_RET", s.useOffcuts, false);
    v.Text("ALT_TESTA_BEST_LARG", s.bestHeightTo, "2000");
    v.Text("LARG_INI_TESTA_BEST_LARG", s.bestWidthFrom, "1000");
    v.Text("LARG_FIM_TESTA_BEST_LARG", s.bestWidthTo, "1500");
    v.Text("PASSO_TESTA_BEST_ALT", s.bestHeightStep, "100");
    v.Text("PASSO_TESTA_BEST_LARG", s.bestWidthStep, "100");
    v.ReadOnlyButton("TESTA_BEST_ALT", s.stockMode, StockMode::BestSheetSize, false);
    v.Text("ALT_INI_TESTA_BEST_LARG", s.bestHeightFrom, "1500");
    v.Button("TIP_OTIM_AREA", s.goal, OptimisationGoal::BestArea, true);
    v.Button("TIP_OTIM_MONT", s.goal, OptimisationGoal::FewestLayouts, false);
    v.Button("USO_CHP_LIVRE", s.sheetOrder, SheetOrder::Free, true);
    v.Button("USO_CHP_DEC", s.sheetOrder, SheetOrder::Decreasing, false);
    v.Button("USO_CHP_CRE", s.sheetOrder, SheetOrder::Increasing, false);
    v.Button("COMPLX_CORTE_COMPLEXO", s.complexity, CutComplexity::Complex, true);
    v.Button("COMPLX_CORTE_MEDIO", s.complexity, CutComplexity::Medium, false);
    v.Button("COMPLX_CORTE_FACIL", s.complexity, CutComplexity::Easy, false);
    v.Text("BORDA_PECA_L", s.pieceBorderWidth, "0");
    v.Text("BORDA_PECA_H", s.pieceBorderHeight, "0");
    v.Text("BORDA_CHP_ESQ", s.sheetBorderLeft, "0");
    v.Text("BORDA_CHP_DIR", s.sheetBorderRight, "0");
    v.Text("BORDA_CHP_INF", s.sheetBorderBottom, "0");
    v.Text("BORDA_CHP_SUP", s.sheetBorderTop, "0");
    v.Button("CORTE_INI_LIVRE", s.firstCut, FirstCut::Free, true);
    v.Button("CORTE_INI_VERT", s.firstCut, FirstCut::Vertical, false);
    v.Button("CORTE_INI_HOR", s.firstCut, FirstCut::Horizontal, false);
    v.Button("CORTE_INI_PRIMEIRO", s.firstCutScope, FirstCutScope::FirstOnly, true);
    v.Button("CORTE_INI_TODOS", s.firstCutScope, FirstCutScope::AllCuts, false);
    v.Button("TEMP_MAX_SEM_LIMITE", s.timeLimit, TimeLimit::None, true);
    v.Button("TEMP_MAX_COM_LIMITE", s.timeLimit, TimeLimit::Limited, false);
    v.Text("TEMP_MAX_CORT", s.timeLimitMinutes, "0");
    v.Button("CORTE_NAS_BORDAS_SIM", s.edgeCuts, EdgeCuts::Allowed, true);
    v.Button("CORTE_NAS_BORDAS_NAO", s.edgeCuts, EdgeCuts::NotAllowed, false);
    // Stored files pair the "SIM" key with the "Não" button and the reverse.
    v.Button("PRODUCAO_EXTRA_SIM", s.extraProduction, ExtraProduction::Off, true);
    v.Button("PRODUCAO_EXTRA_NAO", s.extraProduction, ExtraProduction::On, false);
    v.Text("LARG_PECA_EXTRA", s.extraPieceWidth, "100");
    v.Text("ALT_PECA_EXTRA", s.extraPieceHeight, "100");
    v.Button("SEM_SOM", s.endSignal, EndSignal::Silent, false);
    v.Button("BEEP", s.endSignal, EndSignal::Beep, false);
    v.Button("BEEP1", s.endSignal, EndSignal::Tone1, true);
    v.Button("BEEP2", s.endSignal, EndSignal::Tone2, false);
    v.Button("BEEP3", s.endSignal, EndSignal::Tone3, false);
    v.Button("WAV", s.endSignal, EndSignal::Wave, false);
    v.Button("UMA_VEZ", s.signalRepeat, SignalRepeat::Once, true);
    v.Button("REPETE", s.signalRepeat, SignalRepeat::Repeat, false);
    v.Bool("MUSICA", s.music, false);
    v.Bool("SHOW_MONT_APOS_CALC", s.showLayouts, true);
    v.Button("CORTE_NORMAL", s.stockMode, StockMode::Normal, true);
    v.Button("BEST_ALT", s.stockMode, StockMode::BestSheetSize, false);
}

class Reader {
public:
    explicit Reader(const IniFile& ini) : m_ini(ini) {}

    void Integer(const char* key, int& value, int def) { value = m_ini.ReadInteger(kSection, key, def); }
    void Bool(const char* key, bool& value, bool def) { value = m_ini.ReadBool(kSection, key, def); }
    void Text(const char* key, std::string& value, const char* def)
    {
        value = m_ini.ReadString(kSection, key, def);
    }
    template <typename Group, typename B>
    void Button(const char* key, Group& group, B button, bool def)
    {
        group.SetChecked(button, m_ini.ReadBool(kSection, key, def));
    }
    template <typename Group, typename B>
    void ReadOnlyButton(const char* key, Group& group, B button, bool def)
    {
        Button(key, group, button, def);
    }

private:
    const IniFile& m_ini;
};

class Writer {
public:
    explicit Writer(IniFile& ini) : m_ini(ini) {}

    void Integer(const char* key, const int& value, int) { m_ini.WriteInteger(kSection, key, value); }
    void Bool(const char* key, const bool& value, bool) { m_ini.WriteBool(kSection, key, value); }
    void Text(const char* key, const std::string& value, const char*)
    {
        m_ini.WriteString(kSection, key, value);
    }
    template <typename Group, typename B>
    void Button(const char* key, const Group& group, B button, bool)
    {
        m_ini.WriteBool(kSection, key, group.IsChecked(button));
    }
    // The older name is only ever read.
    template <typename Group, typename B>
    void ReadOnlyButton(const char*, const Group&, B, bool)
    {
    }

private:
    IniFile& m_ini;
};

}  // namespace

CalcSettings LoadCalcSettings(const IniFile& preset, const IniFile& confcalc,
                              bool internalOrderTables)
{
    CalcSettings s;
    s.calcType = preset.ReadInteger("CALC", "TIP_CALC", 0);
    s.presetTimeLimit = preset.ReadInteger(kSection, "TEMP_MAX_CORT", 0);
    s.timeLimitMinutes = IntText(s.presetTimeLimit);
    s.internalOrders = internalOrderTables;

    Reader reader(confcalc);
    ForEachKey(s, reader);
    ApplyRawMaterialRule(s);
    return s;
}

CalcSettings LoadCalcSettings()
{
    const IniFile preset(kCalcPresetFileName);
    const IniFile confcalc(CalcSettingsFile(gShared.folders));
    return LoadCalcSettings(preset, confcalc, gShared.settings.internalTables);
}

void SaveCalcSettings(IniFile& confcalc, const CalcSettings& settings)
{
    Writer writer(confcalc);
    ForEachKey(settings, writer);
}

void SaveCalcSettings(const CalcSettings& settings)
{
    IniFile confcalc(CalcSettingsFile(gShared.folders));
    SaveCalcSettings(confcalc, settings);
}

const std::string& CalcSettingsSavedText()
{
    return Msg(734);
}

void ApplyRawMaterialRule(CalcSettings& settings)
{
    if (settings.stockMode.IsChecked(StockMode::Normal))
        settings.stockSourcesEnabled = true;
    if (settings.stockMode.IsChecked(StockMode::BestSheetSize))
        settings.stockSourcesEnabled = false;
}

std::string CalcTypeText(int calcType)
{
    switch (calcType) {
    case 0:
        return Msg(48);
    case 1:
        return Msg(49);
    case 2:
        return Msg(50);
    default:
        return {};
    }
}

}  // namespace vor
