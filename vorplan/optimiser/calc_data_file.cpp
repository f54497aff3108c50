#include "vorplan/optimiser/calc_data_file.h"

#include <cstdint>

#include "vorplan/common/data_folders.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/optimiser/calc_options.h"
#include "vorplan/optimiser/calc_settings.h"

namespace vor {

namespace {

constexpr const char* kRun = "DADOS_ULT_CALC";
constexpr const char* kOptions = "DADOS_CONF_CALC";

std::string TwoDigits(int n)
{
    std::string s = std::to_string(n % 100);
    return s.size() < 2 ? "0" + s : s;
}

// Integers go through WriteString so that 64-bit sums and lengths are kept whole.
void WriteNumber(IniFile& ini, const char* section, const char* key, long long value)
{
    ini.WriteString(section, key, std::to_string(value));
}

template <typename Group, typename Button>
void WriteButton(IniFile& ini, const char* key, const Group& group, Button button)
{
    ini.WriteBool(kOptions, key, group.IsChecked(button));
}

}  // namespace

std::string CalcDateText(const platform::LocalTime& t)
{
    return TwoDigits(t.day) + "/" + TwoDigits(t.month) + "/" + TwoDigits(t.year);
}

std::string CalcTimeText(const platform::LocalTime& t)
{
    return TwoDigits(t.hour) + ":" + TwoDigits(t.minute) + ":" + TwoDigits(t.second);
}

std::string JoinOrderNumbers(const std::vector<long long>& orders)
{
    std::string text;
    for (std::size_t i = 0; i < orders.size(); ++i) {
        if (i > 0)
            text += ", ";
        text += std::to_string(orders[i]);
    }
    return text;
}

void WriteLastCalculation(IniFile& ini, const LastCalculation& run, const CalcSettings& s)
{
    // Converted first, so a box without a value stops before the file changes.
    const std::int64_t pieceBorderWidth = LengthFromText(s.pieceBorderWidth);
    const std::int64_t pieceBorderHeight = LengthFromText(s.pieceBorderHeight);
    const std::int64_t left = LengthFromText(s.sheetBorderLeft);
    const std::int64_t right = LengthFromText(s.sheetBorderRight);
    const std::int64_t bottom = LengthFromText(s.sheetBorderBottom);
    const std::int64_t top = LengthFromText(s.sheetBorderTop);
    const std::int64_t minimumStrip = LengthFromText(s.minimumStripSize);
    const std::int64_t forcedCut = LengthFromText(s.forcedCutSize);

    ini.WriteInteger(kRun, "MULTIPLICA", run.multiplier);
    if (!run.materials.empty())
        WriteNumber(ini, kRun, "ULTIMO_MATERIAL_USADO", run.materials.back());
    else
        ini.DeleteKey(kRun, "ULTIMO_MATERIAL_USADO");  // not a material of an earlier run
    ini.WriteString(kRun, "DATA_INI_CALC", CalcDateText(run.start));
    ini.WriteString(kRun, "HORA_INI_CALC", CalcTimeText(run.start));
    ini.WriteString(kRun, "TEMPO_CALC", run.elapsed);
    ini.WriteInteger(kRun, "STATUS", run.statusText);
    ini.WriteString(kRun, "S_STATUS", run.statusMessage);
    WriteNumber(ini, kRun, "PECAS_SELECIONADAS", run.piecesSelected);
    WriteNumber(ini, kRun, "PECAS_POSICIONADAS", run.piecesPlaced);

    ini.WriteInteger(kOptions, "TIPO_CALC", s.calcType);
    ini.WriteString(kOptions, "S_TIP_CALC", CalcTypeText(s.calcType));
    ini.WriteBool(kOptions, "USA_CHAPAS", s.useSheets);
    ini.WriteBool(kOptions, "USA_RET", s.useOffcuts);
    ini.WriteString(kOptions, "ALT_TESTA_BEST_LARG", s.bestHeightTo);
    ini.WriteString(kOptions, "LARG_INI_TESTA_BEST_LARG", s.bestWidthFrom);
    ini.WriteString(kOptions, "LARG_FIM_TESTA_BEST_LARG", s.bestWidthTo);
    ini.WriteString(kOptions, "PASSO_TESTA_BEST_ALT", s.bestHeightStep);
    ini.WriteString(kOptions, "PASSO_TESTA_BEST_LARG", s.bestWidthStep);
    WriteButton(ini, "TESTA_BEST_ALT", s.stockMode, StockMode::BestSheetSize);
    ini.WriteString(kOptions, "ALT_INI_TESTA_BEST_LARG", s.bestHeightFrom);
    WriteButton(ini, "USO_CHP_LIVRE", s.sheetOrder, SheetOrder::Free);
    WriteButton(ini, "USO_CHP_DEC", s.sheetOrder, SheetOrder::Decreasing);
    WriteButton(ini, "USO_CHP_CRE", s.sheetOrder, SheetOrder::Increasing);
    WriteButton(ini, "COMPLX_CORTE_COMPLEXO", s.complexity, CutComplexity::Complex);
    WriteButton(ini, "COMPLX_CORTE_MEDIO", s.complexity, CutComplexity::Medium);
    WriteButton(ini, "COMPLX_CORTE_FACIL", s.complexity, CutComplexity::Easy);
    WriteNumber(ini, kOptions, "BORDA_PECA_L", pieceBorderWidth);
    WriteNumber(ini, kOptions, "BORDA_PECA_H", pieceBorderHeight);
    WriteNumber(ini, kOptions, "BORDA_CHP_ESQ", left);
    WriteNumber(ini, kOptions, "BORDA_CHP_DIR", right);
    WriteNumber(ini, kOptions, "BORDA_CHP_INF", bottom);
    WriteNumber(ini, kOptions, "BORDA_CHP_SUP", top);
    WriteButton(ini, "CORTE_INI_LIVRE", s.firstCut, FirstCut::Free);
    WriteButton(ini, "CORTE_INI_VERT", s.firstCut, FirstCut::Vertical);
    WriteButton(ini, "CORTE_INI_HOR", s.firstCut, FirstCut::Horizontal);
    WriteButton(ini, "SOBRA_FORC_NAO", s.forcedStrip, PreCut::No);
    WriteButton(ini, "SOBRA_FORC_HOR", s.forcedStrip, PreCut::Horizontal);
    WriteButton(ini, "SOBRA_FORC_VERT", s.forcedStrip, PreCut::Vertical);
    WriteButton(ini, "SOBRA_MIN_NAO", s.minimumStrip, PreCut::No);
    WriteButton(ini, "SOBRA_MIN_HOR", s.minimumStrip, PreCut::Horizontal);
    WriteButton(ini, "SOBRA_MIN_VERT", s.minimumStrip, PreCut::Vertical);
    WriteNumber(ini, kOptions, "SOBRA_MIN", minimumStrip);
    WriteButton(ini, "CORTE_FORC_NAO", s.forcedCut, PreCut::No);
    WriteButton(ini, "CORTE_FORC_HOR", s.forcedCut, PreCut::Horizontal);
    WriteButton(ini, "CORTE_FORC_VERT", s.forcedCut, PreCut::Vertical);
    WriteNumber(ini, kOptions, "CORTE_FORC", forcedCut);
    ini.WriteString(kOptions, "COMENT", s.comment);
    ini.WriteInteger(kOptions, "TEMP_MAX_CORT", s.presetTimeLimit);

    ini.WriteString(kRun, "PEDIDOS", JoinOrderNumbers(run.orders));
}

void WriteLastCalculation(const LastCalculation& run, const CalcSettings& settings)
{
    IniFile calcData(CalcDataFile(gShared.folders));
    WriteLastCalculation(calcData, run, settings);
}

}  // namespace vor
