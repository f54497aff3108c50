#pragma once

#include <span>
#include <string>
#include <string_view>

namespace vor {

class IniFile;

// What the general report of the layouts holds ("Indicar"): one flag per
// check box and the comment. Loaded at start, kept for the run, saved only
// when the user asks.
struct ReportContentOptions {
    bool title = true;                 // TITULO, CheckBox13
    bool comment = true;               // COMENT, CheckBox14
    std::string commentText;           // S_COMENT, Edit1
    bool calcDate = true;              // DATA1, CheckBox3
    bool printDate = true;             // DATA2, CheckBox12
    bool material = true;              // NUMERO_MAT, CheckBox28
    bool projectNumber = true;         // NUMERO_PED, CheckBox7
    bool projectDescription = true;    // DESCR_PED, CheckBox8
    bool projectPieceCount = true;     // QTD_PC_PED, CheckBox9
    bool projectDate = true;           // DATA_PED, CheckBox10
    bool projectPieces = true;         // LISTA_PC_PROJETOS, CheckBox11
    bool sheetsInCutOrder = true;      // LISTA_CHP_USAD_SEQ_CORTE, CheckBox1
    bool sheetsBySize = true;          // LISTA_CHP_USAD_POR_DIMENSAO, CheckBox4
    bool layoutCount = true;           // TOT_MONT_DIFERENTES, CheckBox15
    bool piecesPlaced = true;          // TOT_PC_POSICIONADAS, CheckBox16
    bool pieceArea = true;             // AREA_T_PC_POSIC_REAL, CheckBox17
    bool pieceAreaRounded = true;      // AREA_T_PC_POSIC_ARRED, CheckBox18
    bool sheetCount = true;            // TOT_CHP_USADAS, CheckBox21
    bool sheetArea = true;             // AREA_TOT_CHP_USADAS, CheckBox22
    bool sheetPrice = true;            // PRC_TOT_CHP_USADAS, CheckBox6
    bool sheetWeight = true;           // PESO_TOT_CHP_USADAS, CheckBox23
    bool offcutCount = true;           // TOT_RET_USADOS, CheckBox24
    bool offcutArea = true;            // AREA_TOT_RET_USADOS, CheckBox25
    bool offcutPrice = true;           // PRC_TOT_RET_USADOS, CheckBox26
    bool offcutWeight = true;          // PESO_TOT_RET_USADOS, CheckBox27
    bool trims = true;                 // BORD_SEG, CheckBox29
    bool meanYield = true;             // APROV_MED_GERAL_REAL, CheckBox19
    bool meanLoss = true;              // PERDA_MED_GERAL_REAL, CheckBox20
    bool meanYieldRounded = true;      // APROV_MED_GERAL_ARRED, CheckBox5
    bool materialProperties = true;    // CARACT_MAT, CheckBox2
    bool sheetPriceRounded = true;     // PRC_TOT_CHP_USAD_ARRED, CheckBox30 (hidden)
    bool sheetWeightRounded = true;    // PESO_TOT_CHP_USAD_ARRED, CheckBox31 (hidden)
    bool offcutPriceRounded = true;    // PRC_TOT_RET_USAD_ARRED, CheckBox32 (hidden)
    bool offcutWeightRounded = true;   // PESO_TOT_RET_USAD_ARRED, CheckBox33 (hidden)
    bool showReal = true;              // MOSTRA_REAL, CheckBox34 (hidden)
    bool showRounded = true;           // MOSTRA_ARRED, CheckBox35 (hidden)
    bool useSaleFactor = false;        // USA_PRECO_X_FAT, CheckBox36
    bool calcSettings = true;          // MOSTRA_CONF_CALC, CheckBox37
    bool deductPieceBorder = true;     // DESCONTA_BORDA_PC_PARA_AREA, CheckBox38
    bool perimeter = true;             // SHOW_PERIMETRO, CheckBox40
    bool cuttingPrice = false;         // MOSTRA_PRECO_CORTE, CheckBox39

    bool operator==(const ReportContentOptions&) const = default;
};

// One flag of the settings file: its key, its check box and its member.
struct ReportContentKey {
    std::string_view key;
    int checkBox;
    bool ReportContentOptions::*flag;
};

// The flags in the file's order; S_COMENT is written after the third of them.
std::span<const ReportContentKey> ReportContentKeys();

// "VL_RELAT_MONT.INI" in the settings folder.
inline constexpr std::string_view kReportContentFile = "VL_RELAT_MONT.INI";

// The options of the file; a missing key or file gives its default.
ReportContentOptions LoadReportContent(const IniFile& ini);
// Writes every key in the file's order, booleans as 1 or 0 and the comment so
// that it reads back as it is, in one save. Throws IoError when the file
// cannot be written; the old file then stays.
void SaveReportContent(IniFile& ini, const ReportContentOptions& options);

}  // namespace vor
