#pragma once

#include <array>
#include <filesystem>
#include <string>

#include "vorplan/common/atomic_file.h"
#include "vorplan/common/data_folders.h"

namespace vor {

class IniDocument;

// Every key of a material file M<n>.INI as the material window shows it.
// Numbers are texts, kept exactly as typed; the material record converts them.
struct MaterialFileValues {
    // DESC
    std::array<std::string, 8> fields;  // CAMPO1 (the description) .. CAMPO8
    std::string family;                 // FAMILIA
    std::string supplier;               // FORNECEDOR
    std::string finish;                 // ACABAMENTO
    // PED
    std::string created;       // CRIACAO
    std::string lastModified;  // ULT_MODIF
    // PROP_FISIC
    std::string kerf = "0";             // LARG_SERRA
    std::string minStripWidth = "0";    // LARG_MIN_D
    bool makesOffcuts = true;           // GERA_RET
    std::string minOffcutWidth = "0";   // LARG_MIN_R
    std::string minOffcutHeight = "0";  // ALT_MIN_R
    std::string pieceConstant = "0";    // CTE_DIM_PC
    std::string pieceConstantX = "0";   // CTE_X_DIM_PC
    std::string pieceConstantY = "0";   // CTE_Y_DIM_PC
    bool cutLengthFree = true;          // LIMITA_COMP_CORTE_LIVRE
    std::string cutLengthLimit = "10000";  // COMP_LIMITE_CORTE
    bool mayRotate = true;              // GIRO
    bool mayDivide = false;             // PODE_DIVIDIR
    int colour = 16777215;              // COR, 0x00BBGGRR
    std::string trimTop = "0";          // CTE_DIM_CIMA_CHP
    std::string trimBottom = "0";       // CTE_DIM_BAIXO_CHP
    std::string trimLeft = "0";         // CTE_DIM_ESQ_CHP
    std::string trimRight = "0";        // CTE_DIM_DIR_CHP
    std::string thickness = "0";        // ESPESSURA
    std::string weightPerArea = "0";    // PESO_ESP
    // PROP_COMERC
    std::string purchasePrice = "0";    // PRECO_COMPRA
    std::string saleFactor = "1";       // FATOR_VENDA
    std::string cutPriceConstant = "0"; // FATOR_CORTE
    // TEMPOS
    std::array<std::string, 4> times{"0", "0", "0", "0"};  // T1..T4, minutes
    // MAT_DUPLO
    std::string doubleDescription = "---";  // DESC
    std::string doubleMaterial1;            // MAT1
    std::string doubleMaterial2;            // MAT2

    bool operator==(const MaterialFileValues&) const = default;
};

// The values of a material file's text, each key with its default; `now`
// (DateTimeText) stands in for the missing stamps.
MaterialFileValues ReadMaterialFile(const IniDocument& doc, const std::string& now);
// The same from a file; a missing or unreadable file gives every default.
MaterialFileValues ReadMaterialFile(const std::filesystem::path& path, const std::string& now,
                                    FileOps& ops = DefaultFileOps());

// Sets every key of `values` in `doc`, in their fixed order, ULT_MODIF to `now`.
void SetMaterialValues(IniDocument& doc, const MaterialFileValues& values, const std::string& now);

// Writes every key of `values` into the file in their fixed order, with
// ULT_MODIF set to `now`; keys and sections the file holds besides them are
// kept. One atomic save: throws IoError and leaves the old file on failure,
// and also when the file exists but cannot be read (it is never written over).
void WriteMaterialFile(const std::filesystem::path& path, const MaterialFileValues& values,
                       const std::string& now, FileOps& ops = DefaultFileOps());

// ---- Field titles ------------------------------------------------------------

// The user's titles of the free fields CAMPO2..CAMPO8, shared by all materials.
using FieldTitles = std::array<std::string, 7>;

std::filesystem::path FieldTitlesFile(const DataFolders& folders);  // MAT/CAMPOS.INI

// DESC CAMPO1..CAMPO7; empty titles when the file or a key is missing.
FieldTitles ReadFieldTitles(const std::filesystem::path& path);
// Writes the seven titles; throws IoError like WriteMaterialFile.
void WriteFieldTitles(const std::filesystem::path& path, const FieldTitles& titles);

// ---- Colours -----------------------------------------------------------------

struct Rgb {
    int red = 0, green = 0, blue = 0;
    bool operator==(const Rgb&) const = default;
};

// A Windows colour number 0x00BBGGRR from its parts (each limited to 0..255).
int ColorRefFromRgb(const Rgb& rgb);
// The parts of a colour number's low three bytes.
Rgb RgbFromColorRef(int colorRef);

// ---- Rules of the material window ----------------------------------------------
// Texts come from the shared message table.

constexpr long long kFirstSpecialMaterial = 50000;
constexpr long long kFirstExampleMaterial = 99000;

// Codes from 50000 up may not be edited.
bool IsSpecialMaterial(long long code);

// Why a special material's properties cannot be typed: messages 854 (857 from
// 99000), a line break, 855 (858) + ", " + 856, two line breaks and 859.
std::string SpecialMaterialText(long long code);

// The sale price panel: purchase price x sale factor, both read with either
// decimal mark, with decimal comma and thousands points ("2.469,00").
std::string SalePriceText(const std::string& purchasePrice, const std::string& saleFactor);

// The two price formulas of the commercial page.
std::string SalePriceFormula();
std::string CuttingPriceFormula();

// The window caption: message 823, " - ", message 241, " " and the code.
std::string MaterialWindowCaption(long long code);

}  // namespace vor
