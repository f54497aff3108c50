#include "vorplan/layoutview/report_content.h"

#include <array>

#include "vorplan/common/general_settings.h"
#include "vorplan/common/ini_file.h"

namespace vor {

namespace {

constexpr std::string_view kSection = "RELAT";
constexpr std::string_view kCommentKey = "S_COMENT";
// S_COMENT follows TITULO and COMENT in the file.
constexpr std::size_t kCommentAfter = 2;

using O = ReportContentOptions;
constexpr std::array<ReportContentKey, 40> kKeys{{
    {"TITULO", 13, &O::title},
    {"COMENT", 14, &O::comment},
    {"DATA1", 3, &O::calcDate},
    {"DATA2", 12, &O::printDate},
    {"NUMERO_MAT", 28, &O::material},
    {"NUMERO_PED", 7, &O::projectNumber},
    {"DESCR_PED", 8, &O::projectDescription},
    {"QTD_PC_PED", 9, &O::projectPieceCount},
    {"DATA_PED", 10, &O::projectDate},
    {"LISTA_PC_PROJETOS", 11, &O::projectPieces},
    {"LISTA_CHP_USAD_SEQ_CORTE", 1, &O::sheetsInCutOrder},
    {"LISTA_CHP_USAD_POR_DIMENSAO", 4, &O::sheetsBySize},
    {"TOT_MONT_DIFERENTES", 15, &O::layoutCount},
    {"TOT_PC_POSICIONADAS", 16, &O::piecesPlaced},
    {"AREA_T_PC_POSIC_REAL", 17, &O::pieceArea},
    {"AREA_T_PC_POSIC_ARRED", 18, &O::pieceAreaRounded},
    {"TOT_CHP_USADAS", 21, &O::sheetCount},
    {"AREA_TOT_CHP_USADAS", 22, &O::sheetArea},
    {"PRC_TOT_CHP_USADAS", 6, &O::sheetPrice},
    {"PESO_TOT_CHP_USADAS", 23, &O::sheetWeight},
    {"TOT_RET_USADOS", 24, &O::offcutCount},
    {"AREA_TOT_RET_USADOS", 25, &O::offcutArea},
    {"PRC_TOT_RET_USADOS", 26, &O::offcutPrice},
    {"PESO_TOT_RET_USADOS", 27, &O::offcutWeight},
    {"BORD_SEG", 29, &O::trims},
    {"APROV_MED_GERAL_REAL", 19, &O::meanYield},
    {"PERDA_MED_GERAL_REAL", 20, &O::meanLoss},
    {"APROV_MED_GERAL_ARRED", 5, &O::meanYieldRounded},
    {"CARACT_MAT", 2, &O::materialProperties},
    {"PRC_TOT_CHP_USAD_ARRED", 30, &O::sheetPriceRounded},
    {"PESO_TOT_CHP_USAD_ARRED", 31, &O::sheetWeightRounded},
    {"PRC_TOT_RET_USAD_ARRED", 32, &O::offcutPriceRounded},
    {"PESO_TOT_RET_USAD_ARRED", 33, &O::offcutWeightRounded},
    {"MOSTRA_REAL", 34, &O::showReal},
    {"MOSTRA_ARRED", 35, &O::showRounded},
    {"USA_PRECO_X_FAT", 36, &O::useSaleFactor},
    {"MOSTRA_CONF_CALC", 37, &O::calcSettings},
    {"DESCONTA_BORDA_PC_PARA_AREA", 38, &O::deductPieceBorder},
    {"SHOW_PERIMETRO", 40, &O::perimeter},
    {"MOSTRA_PRECO_CORTE", 39, &O::cuttingPrice},
}};

}  // namespace

std::span<const ReportContentKey> ReportContentKeys() { return kKeys; }

ReportContentOptions LoadReportContent(const IniFile& ini)
{
    const ReportContentOptions defaults;
    ReportContentOptions o;
    for (const ReportContentKey& k : kKeys)
        o.*k.flag = ini.ReadBool(kSection, k.key, defaults.*k.flag);
    o.commentText = ini.ReadString(kSection, kCommentKey, "");
    return o;
}

void SaveReportContent(IniFile& ini, const ReportContentOptions& options)
{
    // One save for the whole set: the keys land in the table's order all the same.
    ini.Update([&](IniDocument& doc) {
        for (std::size_t i = 0; i < kKeys.size(); ++i) {
            if (i == kCommentAfter)
                doc.Set(kSection, kCommentKey, QuotedIfNeeded(options.commentText));
            doc.Set(kSection, kKeys[i].key, options.*kKeys[i].flag ? "1" : "0");
        }
    });
}

}  // namespace vor
