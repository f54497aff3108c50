#pragma once

#include <array>
#include <string>

namespace vor {

class IniFile;
struct GeneralSettings;

// The viewer's cut display choice ("Não indicar" ... "Todos os cortes").
enum class CutDisplay { None, Initial, InitialCuts, All };

// The viewer's display options, kept in VL_.INI between runs.
struct ViewerDisplaySettings {
    bool showIdentification = true;  // MOSTRA_COD
    int identification = 0;          // COD_OU_DESC: 0 "Código", 1 "Descr."
    bool showDimensions = true;      // MOSTRA_DIM
    bool showLeftoverMarks = true;   // MOSTRA_SOB
    bool legendTypeOne = true;       // LEG_TIP_1; false is LEG_TIP_2
    bool singleColour = false;       // COR_UNICA; false is COR_GRUPO
    CutDisplay cuts = CutDisplay::None;  // SEM_CORTE, INICIAL, INICIAIS, TODOS
    int brightness = 0;              // LUMINO, -50..230
    bool unifyLeftovers = true;      // UNIF_SOBRA
    bool twoDecimals = true;         // RELAT_99.999: "99.99"; false is "99.999..."
    int scrapColour = 0;             // COR_SOBRA, read only
    bool operator==(const ViewerDisplaySettings&) const = default;
};

constexpr std::size_t kExtraHeaderLines = 5;

// The print options the print settings window shows and edits. Its text
// boxes are held as the texts they show.
struct MapPrintSettings {
    std::string footerText;               // ROD_MAP, Edit2
    std::string leftMargin = "20";        // MARGEM_ESQ, Edit3
    std::string topMargin = "0";          // MARGEM_SUP, Edit7
    std::string penWidth = "1";           // LARG_LINHA, Edit1
    int totalsColour = 0x000000;          // COR_TOTAIS_IMP, colours 0x00BBGGRR
    int dateTimeColour = 0xFF0000;        // COR_HORA_E_DATA_IMP
    int userTitleColour = 0x0000FF;       // COR_TIT_USUARIO_IMP
    int initialCutColour = 0x0000FF;      // COR_CORTE_INICIAL_IMP
    int pieceOutlineColour = 0x008000;    // COR_CONTORNO_PECA_IMP
    int axesColour = 0x008000;            // COR_EIXOS_IMP
    bool colouredFill = true;             // PREENCHE_COR, "Colorido"
    bool printSheetMargins = false;       // IMP_BORDA_CHP
    bool strongColours = true;            // COR_FORTE: "normal"; false is "Fraco"
    bool listAllPieces = true;            // IMP_LISTA_SOB_RET
    std::string headerText;               // CAB_MAP, Edit4
    std::string footerFontSize = "8";     // FONT_SIZE_CAB_MAP, Edit6
    std::array<std::string, kExtraHeaderLines> extraHeaders;  // CAB_01..CAB_05, Edit9..Edit13
    int extraHeaderColour = 0;            // COR_CAB_ADICIONAL
    std::string extraHeaderFontSize = "10";  // TAB_FONT_CAB_ADICIONAL, Edit8
    bool operator==(const MapPrintSettings&) const = default;

    // The integer boxes as the printing reads them: 0 for text that is no number.
    int LeftMargin() const;
    int TopMargin() const;
    int PenWidth() const;
};

// Fills the settings from VL_.INI and `general.viewerFactor` from FAT_C_M.
void LoadViewerSettings(const IniFile& ini, ViewerDisplaySettings& display, MapPrintSettings& print,
                        GeneralSettings& general);
// Writes every key but COR_SOBRA, in their fixed order. Throws IoError when
// the file cannot be saved.
void SaveViewerSettings(IniFile& ini, const ViewerDisplaySettings& display,
                        const MapPrintSettings& print, const GeneralSettings& general);

// The printer's vertical correction factor of a FAT_C_M text, 0.5 .. 1.0.
double VerticalFactor(const std::string& text);

// The cut legend is shown exactly when cuts are shown.
bool UpdateCutLegend(CutDisplay cuts);

// The panels of the single-layout view that ResetViewerPanels hides.
struct ViewerPanels {
    bool overviewMode = false;
    bool pieceEditing = false;
    bool repetition = false;
    bool divideOffcut = false;
    bool newPiece = false;
};

void ResetViewerPanels(ViewerPanels& panels);

struct LayoutStepButtons {
    bool previousEnabled = false;  // BitBtn9
    bool nextEnabled = false;      // BitBtn8
};

LayoutStepButtons UpdateLayoutStepButtons(long long currentLayout, long long layoutCount);

// Messages 368, 369 and 370 on three lines.
std::string PrinterWarningText();
// Five beeps, then the printer warning through the message service.
void ShowPrinterWarning();

}  // namespace vor
