#include "vorplan/layoutview/viewer_settings.h"

#include <algorithm>
#include <initializer_list>
#include <string_view>

#include "platform/message_service.h"
#include "vorplan/common/codec.h"
#include "vorplan/common/conversions.h"
#include "vorplan/common/general_settings.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/small_helpers.h"

namespace vor {

namespace {

constexpr std::string_view kPrint = "Impressao";
constexpr std::string_view kView = "VISUALIZA";
constexpr std::string_view kMap = "IMP_MAP";
constexpr std::string_view kVarios = "Varios";

const char* const kExtraHeaderKeys[kExtraHeaderLines] = {"CAB_01", "CAB_02", "CAB_03", "CAB_04",
                                                         "CAB_05"};

std::string IntegerText(const IniFile& ini, std::string_view section, std::string_view key, int def)
{
    return std::to_string(ini.ReadInteger(section, key, def));
}

struct RadioKey {
    const char* key;
    bool def;
};

// A radio group kept as one [VISUALIZA] key per choice: the last key that
// reads true wins; with none, the choice that is true by default.
int RadioChoice(const IniFile& ini, std::initializer_list<RadioKey> keys)
{
    int chosen = -1, byDefault = 0, index = 0;
    for (const RadioKey& k : keys) {
        if (ini.ReadBool(kView, k.key, k.def))
            chosen = index;
        if (k.def)
            byDefault = index;
        ++index;
    }
    return chosen >= 0 ? chosen : byDefault;
}

}  // namespace

int MapPrintSettings::LeftMargin() const { return StrToIntDef0(leftMargin); }
int MapPrintSettings::TopMargin() const { return StrToIntDef0(topMargin); }
int MapPrintSettings::PenWidth() const { return StrToIntDef0(penWidth); }

void LoadViewerSettings(const IniFile& ini, ViewerDisplaySettings& d, MapPrintSettings& p,
                        GeneralSettings& general)
{
    p.footerText = ini.ReadString(kPrint, "ROD_MAP", "");
    p.leftMargin = IntegerText(ini, kPrint, "MARGEM_ESQ", 20);
    p.topMargin = IntegerText(ini, kPrint, "MARGEM_SUP", 0);
    p.penWidth = IntegerText(ini, kPrint, "LARG_LINHA", 1);
    d.showIdentification = ini.ReadBool(kView, "MOSTRA_COD", true);
    d.identification = ini.ReadInteger(kView, "COD_OU_DESC", 0);
    d.showDimensions = ini.ReadBool(kView, "MOSTRA_DIM", true);
    d.showLeftoverMarks = ini.ReadBool(kView, "MOSTRA_SOB", true);

    d.legendTypeOne = RadioChoice(ini, {{"LEG_TIP_1", true}, {"LEG_TIP_2", false}}) == 0;
    d.singleColour = RadioChoice(ini, {{"COR_UNICA", false}, {"COR_GRUPO", true}}) == 0;
    d.cuts = static_cast<CutDisplay>(RadioChoice(
        ini, {{"SEM_CORTE", true}, {"INICIAL", false}, {"INICIAIS", false}, {"TODOS", false}}));
    d.scrapColour = ini.ReadInteger(kMap, "COR_SOBRA", 0x000000);
    d.brightness = ini.ReadInteger(kView, "LUMINO", 0);
    p.totalsColour = ini.ReadInteger(kMap, "COR_TOTAIS_IMP", 0x000000);
    p.dateTimeColour = ini.ReadInteger(kMap, "COR_HORA_E_DATA_IMP", 0xFF0000);
    p.userTitleColour = ini.ReadInteger(kMap, "COR_TIT_USUARIO_IMP", 0x0000FF);
    p.initialCutColour = ini.ReadInteger(kMap, "COR_CORTE_INICIAL_IMP", 0x0000FF);
    p.pieceOutlineColour = ini.ReadInteger(kMap, "COR_CONTORNO_PECA_IMP", 0x008000);
    p.axesColour = ini.ReadInteger(kMap, "COR_EIXOS_IMP", 0x008000);
    p.colouredFill = ini.ReadBool(kMap, "PREENCHE_COR", true);
    p.printSheetMargins = ini.ReadBool(kMap, "IMP_BORDA_CHP", false);
    p.strongColours = ini.ReadBool(kPrint, "COR_FORTE", true);
    p.listAllPieces = ini.ReadBool(kPrint, "IMP_LISTA_SOB_RET", true);
    p.headerText = ini.ReadString(kPrint, "CAB_MAP", "");
    p.footerFontSize = ini.ReadString(kPrint, "FONT_SIZE_CAB_MAP", "8");
    d.unifyLeftovers = ini.ReadBool(kView, "UNIF_SOBRA", true);
    d.twoDecimals = ini.ReadBool(kView, "RELAT_99.999", true);
    for (std::size_t i = 0; i < kExtraHeaderLines; ++i)
        p.extraHeaders[i] = ini.ReadString(kPrint, kExtraHeaderKeys[i], "");
    p.extraHeaderColour = ini.ReadInteger(kPrint, "COR_CAB_ADICIONAL", 0);
    p.extraHeaderFontSize = ini.ReadString(kPrint, "TAB_FONT_CAB_ADICIONAL", "10");
    general.viewerFactor = Utf8Left(ini.ReadString(kVarios, "FAT_C_M", "1.0"), kFactorTextLength);
}

void SaveViewerSettings(IniFile& ini, const ViewerDisplaySettings& d, const MapPrintSettings& p,
                        const GeneralSettings& general)
{
    ini.WriteBool(kView, "MOSTRA_COD", d.showIdentification);
    ini.WriteInteger(kView, "COD_OU_DESC", d.identification);
    ini.WriteBool(kView, "MOSTRA_DIM", d.showDimensions);
    ini.WriteBool(kView, "MOSTRA_SOB", d.showLeftoverMarks);
    ini.WriteBool(kView, "LEG_TIP_1", d.legendTypeOne);
    ini.WriteBool(kView, "LEG_TIP_2", !d.legendTypeOne);
    ini.WriteBool(kView, "COR_UNICA", d.singleColour);
    ini.WriteBool(kView, "COR_GRUPO", !d.singleColour);
    ini.WriteBool(kView, "SEM_CORTE", d.cuts == CutDisplay::None);
    ini.WriteBool(kView, "INICIAL", d.cuts == CutDisplay::Initial);
    ini.WriteBool(kView, "INICIAIS", d.cuts == CutDisplay::InitialCuts);
    ini.WriteBool(kView, "TODOS", d.cuts == CutDisplay::All);
    ini.WriteInteger(kView, "LUMINO", d.brightness);
    ini.WriteBool(kView, "UNIF_SOBRA", d.unifyLeftovers);

    ini.WriteInteger(kMap, "COR_TOTAIS_IMP", p.totalsColour);
    ini.WriteInteger(kMap, "COR_HORA_E_DATA_IMP", p.dateTimeColour);
    ini.WriteInteger(kMap, "COR_TIT_USUARIO_IMP", p.userTitleColour);
    ini.WriteInteger(kMap, "COR_CORTE_INICIAL_IMP", p.initialCutColour);
    ini.WriteInteger(kMap, "COR_CONTORNO_PECA_IMP", p.pieceOutlineColour);
    ini.WriteInteger(kMap, "COR_EIXOS_IMP", p.axesColour);
    ini.WriteBool(kMap, "PREENCHE_COR", p.colouredFill);
    ini.WriteBool(kMap, "IMP_BORDA_CHP", p.printSheetMargins);

    ini.WriteBool(kPrint, "IMP_LISTA_SOB_RET", p.listAllPieces);
    for (std::size_t i = 0; i < kExtraHeaderLines; ++i)
        ini.WriteString(kPrint, kExtraHeaderKeys[i], p.extraHeaders[i]);
    ini.WriteInteger(kPrint, "COR_CAB_ADICIONAL", p.extraHeaderColour);
    ini.WriteString(kPrint, "TAB_FONT_CAB_ADICIONAL", p.extraHeaderFontSize);
    ini.WriteBool(kPrint, "COR_FORTE", p.strongColours);
    ini.WriteString(kPrint, "ROD_MAP", p.footerText);
    ini.WriteString(kPrint, "CAB_MAP", p.headerText);
    ini.WriteString(kPrint, "FONT_SIZE_CAB_MAP", p.footerFontSize);
    ini.WriteInteger(kPrint, "MARGEM_ESQ", p.LeftMargin());
    ini.WriteInteger(kPrint, "MARGEM_SUP", p.TopMargin());
    ini.WriteInteger(kPrint, "LARG_LINHA", p.PenWidth());
    ini.WriteString(kVarios, "FAT_C_M", general.viewerFactor);
    ini.WriteBool(kView, "RELAT_99.999", d.twoDecimals);
}

double VerticalFactor(const std::string& text)
{
    return std::clamp(StrToRealComma(text), 0.5, 1.0);
}

bool UpdateCutLegend(CutDisplay cuts) { return cuts != CutDisplay::None; }

void ResetViewerPanels(ViewerPanels& panels) { panels = ViewerPanels(); }

LayoutStepButtons UpdateLayoutStepButtons(long long currentLayout, long long layoutCount)
{
    return {currentLayout != 1, currentLayout < layoutCount};
}

std::string PrinterWarningText()
{
    return Msg(368) + "\n" + Msg(369) + "\n" + Msg(370);
}

void ShowPrinterWarning()
{
    Beep5();
    platform::ShowMessage(PrinterWarningText());
}

}  // namespace vor
