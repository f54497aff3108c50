#include "vorplan/orders/material_file.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "vorplan/common/conversions.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/material_record.h"
#include "vorplan/common/text_file.h"

namespace vor {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kDesc = "DESC";
constexpr std::string_view kPed = "PED";
constexpr std::string_view kPhysical = "PROP_FISIC";
constexpr std::string_view kCommercial = "PROP_COMERC";
constexpr std::string_view kTimes = "TEMPOS";
constexpr std::string_view kDouble = "MAT_DUPLO";

std::string Numbered(std::string_view stem, std::size_t n)
{
    return std::string(stem) + std::to_string(n);
}

const char* BoolText(bool b)
{
    return b ? "1" : "0";
}

}  // namespace

MaterialFileValues ReadMaterialFile(const IniDocument& doc, const std::string& now)
{
    MaterialFileValues v;
    for (std::size_t i = 0; i < v.fields.size(); ++i)
        v.fields[i] = IniText(doc, kDesc, Numbered("CAMPO", i + 1), "");
    v.family = IniText(doc, kDesc, "FAMILIA", "");
    v.supplier = IniText(doc, kDesc, "FORNECEDOR", "");
    v.finish = IniText(doc, kDesc, "ACABAMENTO", "");
    v.created = IniText(doc, kPed, "CRIACAO", now);
    v.lastModified = IniText(doc, kPed, "ULT_MODIF", now);

    v.kerf = IniText(doc, kPhysical, "LARG_SERRA", "0");
    v.minStripWidth = IniText(doc, kPhysical, "LARG_MIN_D", "0");
    v.makesOffcuts = IniBool(doc, kPhysical, "GERA_RET", true);
    v.minOffcutWidth = IniText(doc, kPhysical, "LARG_MIN_R", "0");
    v.minOffcutHeight = IniText(doc, kPhysical, "ALT_MIN_R", "0");
    v.pieceConstant = IniText(doc, kPhysical, "CTE_DIM_PC", "0");
    v.pieceConstantX = IniText(doc, kPhysical, "CTE_X_DIM_PC", v.pieceConstant);
    v.pieceConstantY = IniText(doc, kPhysical, "CTE_Y_DIM_PC", v.pieceConstant);
    v.cutLengthFree = IniBool(doc, kPhysical, "LIMITA_COMP_CORTE_LIVRE", true);
    v.cutLengthLimit = IniText(doc, kPhysical, "COMP_LIMITE_CORTE", "10000");
    v.mayRotate = IniBool(doc, kPhysical, "GIRO", true);
    v.mayDivide = IniBool(doc, kPhysical, "PODE_DIVIDIR", false);
    v.colour = IniInteger(doc, kPhysical, "COR", 16777215);
    v.trimTop = IniText(doc, kPhysical, "CTE_DIM_CIMA_CHP", "0");
    v.trimBottom = IniText(doc, kPhysical, "CTE_DIM_BAIXO_CHP", "0");
    v.trimLeft = IniText(doc, kPhysical, "CTE_DIM_ESQ_CHP", "0");
    v.trimRight = IniText(doc, kPhysical, "CTE_DIM_DIR_CHP", "0");
    v.thickness = IniText(doc, kPhysical, "ESPESSURA", "0");
    v.weightPerArea = IniText(doc, kPhysical, "PESO_ESP", "0");

    v.purchasePrice = IniText(doc, kCommercial, "PRECO_COMPRA", "0");
    v.saleFactor = IniText(doc, kCommercial, "FATOR_VENDA", "1");
    v.cutPriceConstant = IniText(doc, kCommercial, "FATOR_CORTE", "0");

    for (std::size_t i = 0; i < v.times.size(); ++i)
        v.times[i] = IniText(doc, kTimes, Numbered("T", i + 1), "0");

    v.doubleDescription = IniText(doc, kDouble, "DESC", "---");
    v.doubleMaterial1 = IniText(doc, kDouble, "MAT1", "");
    v.doubleMaterial2 = IniText(doc, kDouble, "MAT2", "");
    return v;
}

MaterialFileValues ReadMaterialFile(const fs::path& path, const std::string& now, FileOps& ops)
{
    return ReadMaterialFile(IniFile(path, ops).Document(), now);
}

void SetMaterialValues(IniDocument& doc, const MaterialFileValues& v, const std::string& now)
{
    for (std::size_t i = 0; i < v.fields.size(); ++i)
        doc.Set(kDesc, Numbered("CAMPO", i + 1), v.fields[i]);
    doc.Set(kDesc, "FAMILIA", v.family);
    doc.Set(kDesc, "FORNECEDOR", v.supplier);
    doc.Set(kDesc, "ACABAMENTO", v.finish);
    doc.Set(kPed, "CRIACAO", v.created);
    doc.Set(kPed, "ULT_MODIF", now);

    doc.Set(kPhysical, "LARG_SERRA", v.kerf);
    doc.Set(kPhysical, "LARG_MIN_D", v.minStripWidth);
    doc.Set(kPhysical, "GERA_RET", BoolText(v.makesOffcuts));
    doc.Set(kPhysical, "LARG_MIN_R", v.minOffcutWidth);
    doc.Set(kPhysical, "ALT_MIN_R", v.minOffcutHeight);
    doc.Set(kPhysical, "CTE_DIM_PC", v.pieceConstant);
    doc.Set(kPhysical, "CTE_X_DIM_PC", v.pieceConstantX);
    doc.Set(kPhysical, "CTE_Y_DIM_PC", v.pieceConstantY);
    doc.Set(kPhysical, "LIMITA_COMP_CORTE_LIVRE", BoolText(v.cutLengthFree));
    doc.Set(kPhysical, "COMP_LIMITE_CORTE", v.cutLengthLimit);
    doc.Set(kPhysical, "GIRO", BoolText(v.mayRotate));
    doc.Set(kPhysical, "PODE_DIVIDIR", BoolText(v.mayDivide));
    doc.Set(kPhysical, "COR", IntText(v.colour));
    doc.Set(kPhysical, "CTE_DIM_CIMA_CHP", v.trimTop);
    doc.Set(kPhysical, "CTE_DIM_BAIXO_CHP", v.trimBottom);
    doc.Set(kPhysical, "CTE_DIM_ESQ_CHP", v.trimLeft);
    doc.Set(kPhysical, "CTE_DIM_DIR_CHP", v.trimRight);
    doc.Set(kPhysical, "ESPESSURA", v.thickness);
    doc.Set(kPhysical, "PESO_ESP", v.weightPerArea);

    doc.Set(kCommercial, "PRECO_COMPRA", v.purchasePrice);
    doc.Set(kCommercial, "FATOR_VENDA", v.saleFactor);
    doc.Set(kCommercial, "FATOR_CORTE", v.cutPriceConstant);

    for (std::size_t i = 0; i < v.times.size(); ++i)
        doc.Set(kTimes, Numbered("T", i + 1), v.times[i]);

    doc.Set(kDouble, "DESC", v.doubleDescription);
    doc.Set(kDouble, "MAT1", v.doubleMaterial1);
    doc.Set(kDouble, "MAT2", v.doubleMaterial2);
}

void WriteMaterialFile(const fs::path& path, const MaterialFileValues& v, const std::string& now,
                       FileOps& ops)
{
    // Key by key on the file as it is, so that what else it holds stays;
    // saved once, so a failure never leaves half the keys written.
    IniFile(path, ops).Update([&](IniDocument& doc) { SetMaterialValues(doc, v, now); });
}

// ---- Field titles ------------------------------------------------------------

fs::path FieldTitlesFile(const DataFolders& folders)
{
    return folders.mat / "CAMPOS.INI";
}

FieldTitles ReadFieldTitles(const fs::path& path)
{
    const IniFile file(path);
    const IniDocument& doc = file.Document();
    FieldTitles titles;
    for (std::size_t i = 0; i < titles.size(); ++i)
        titles[i] = IniText(doc, kDesc, Numbered("CAMPO", i + 1), "");
    return titles;
}

void WriteFieldTitles(const fs::path& path, const FieldTitles& titles)
{
    IniFile(path).Update([&titles](IniDocument& doc) {
        for (std::size_t i = 0; i < titles.size(); ++i)
            doc.Set(kDesc, Numbered("CAMPO", i + 1), titles[i]);
    });
}

// ---- Colours -----------------------------------------------------------------

int ColorRefFromRgb(const Rgb& rgb)
{
    const int r = std::clamp(rgb.red, 0, 255);
    const int g = std::clamp(rgb.green, 0, 255);
    const int b = std::clamp(rgb.blue, 0, 255);
    return r | (g << 8) | (b << 16);
}

Rgb RgbFromColorRef(int colorRef)
{
    const auto bits = static_cast<unsigned>(colorRef);
    return Rgb{static_cast<int>(bits & 0xFFu), static_cast<int>((bits >> 8) & 0xFFu),
               static_cast<int>((bits >> 16) & 0xFFu)};
}

// ---- Rules of the material window ----------------------------------------------

bool IsSpecialMaterial(long long code)
{
    return code >= kFirstSpecialMaterial;
}

std::string SpecialMaterialText(long long code)
{
    const bool example = code >= kFirstExampleMaterial;
    return (example ? Msg(857) : Msg(854)) + "\n" + (example ? Msg(858) : Msg(855)) + ", " +
           Msg(856) + "\n\n" + Msg(859);
}

std::string SalePriceText(const std::string& purchasePrice, const std::string& saleFactor)
{
    return RealToStrBr(0, StrToRealComma(purchasePrice) * StrToRealComma(saleFactor));
}

std::string SalePriceFormula()
{
    return Msg(953) + " = ( " + Msg(143) + " x " + Msg(142) + " ) x K";
}

std::string CuttingPriceFormula()
{
    return Msg(953) + "= ( ( ( " + Msg(143) + " x " + Msg(142) + " ) / 2 ) + 0.75 ) x Qtd x C";
}

std::string MaterialWindowCaption(long long code)
{
    return Msg(823) + " - " + Msg(241) + " " + std::to_string(code);
}

}  // namespace vor
