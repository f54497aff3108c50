#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clock.h"
#include "vorplan/common/bounded_array.h"
#include "vorplan/common/data_folders.h"

namespace vor {

class IniDocument;

// Load status of the material record.
constexpr int kMaterialLoaded = 0;
constexpr int kMaterialFileMissing = 15;
constexpr int kMaterialKerfOutOfRange = 16;
constexpr int kMaterialStripOutOfRange = 17;

// Kerf and minimum strip width outside these (tenths of a millimetre) set
// statuses 16 and 17.
constexpr int kMaxKerf = 1000;
constexpr int kMaxMinStripWidth = 5000;

// The cutting and commercial properties of one material, as the optimiser,
// the viewer and the labels read them. Lengths are tenths of a millimetre.
struct MaterialRecord {
    std::string description;        // DESC CAMPO1; "???" when the file is missing
    std::string family;             // DESC FAMILIA
    bool mayRotate = true;          // PROP_FISIC GIRO
    bool mayRotate2 = true;         // GIRO again; other readers use mayRotate
    bool makesOffcuts = true;       // GERA_RET
    bool mayDivide = false;         // PODE_DIVIDIR
    int colour = 16777215;          // COR, a Windows colour number 0x00BBGGRR
    int kerf = 0;                   // LARG_SERRA
    int minStripWidth = 0;          // LARG_MIN_D
    int minOffcutWidth = 0;         // LARG_MIN_R
    int minOffcutHeight = 0;        // ALT_MIN_R
    int pieceConstant = 0;          // CTE_DIM_PC
    int pieceConstantX = 0;         // CTE_X_DIM_PC, CTE_DIM_PC when missing
    int pieceConstantY = 0;         // CTE_Y_DIM_PC, CTE_DIM_PC when missing
    int trimTop = 0;                // CTE_DIM_CIMA_CHP
    int trimBottom = 0;             // CTE_DIM_BAIXO_CHP
    int trimLeft = 0;               // CTE_DIM_ESQ_CHP
    int trimRight = 0;              // CTE_DIM_DIR_CHP
    double thickness = 0;           // ESPESSURA, millimetres as in the file
    double weightPerArea = 0;       // PESO_ESP
    double cutPriceFactor = 0;      // PROP_COMERC FATOR_CORTE
    double purchasePrice = 0;       // PRECO_COMPRA
    double saleFactor = 1;          // FATOR_VENDA
    bool cutLengthLimited = false;  // not LIMITA_COMP_CORTE_LIVRE
    int cutLengthLimit = 100000;    // COMP_LIMITE_CORTE
    int loadStatus = kMaterialLoaded;

    bool operator==(const MaterialRecord&) const = default;
};

// Reads of a parsed INI text with the rules of IniFile: the first matching
// key, trimmed and unquoted; the default when the key is missing or, for the
// integer and boolean reads, when its text is not a whole integer.
std::string IniText(const IniDocument& doc, std::string_view section, std::string_view key,
                    std::string_view def);
int IniInteger(const IniDocument& doc, std::string_view section, std::string_view key, int def);
bool IniBool(const IniDocument& doc, std::string_view section, std::string_view key, bool def);

// The record as a material file without any key gives it.
MaterialRecord DefaultMaterialRecord();

// The record read from the text of a material file: every key with its
// default, lengths converted to tenths (halves to even on the decimal value),
// status 0, 16 or 17. Throws OverflowError when a length has no integer number
// of tenths.
MaterialRecord MaterialRecordFromIni(const IniDocument& doc);

// Loads material `code` from MAT/M<code>.INI of `folders`. A missing (or
// unreadable) file gives the defaults with description "???" and status 15.
// Throws OverflowError as MaterialRecordFromIni, naming the file.
MaterialRecord LoadMaterial(const DataFolders& folders, long long code);

// Fills gShared.currentMaterialRecord from the shared folders; the current
// material code is not changed.
void LoadMaterial(long long code);

// ---- Material table ---------------------------------------------------------

constexpr long kMaterialTableSize = 500;
constexpr std::size_t kMaterialDescriptionLength = 60;
constexpr std::size_t kMaterialFamilyLength = 50;

struct MaterialTableEntry {
    long long code = 0;
    std::string description;  // at most 60 characters
    std::string family;       // at most 50 characters
    long sheetLines = 0;
    long sheetQuantity = 0;
    double sheetArea = 0;     // square metres
    int colour = 0;
    bool operator==(const MaterialTableEntry&) const = default;
};

// The materials of the MAT folder, entries 1 to count.
struct MaterialTable {
    BoundedArray<MaterialTableEntry, kMaterialTableSize> entries;
    long count = 0;
    std::vector<std::string> problems;  // the error of each material file left out
};

// The code a material file name stands for: the name without its first
// character and ".INI", read as StrToIntDef0 reads it ("M12A.INI" -> 12,
// "MX.INI" -> 0).
long long MaterialCodeOfFileName(const std::string& name);

// Fills `table` from the files "M*.INI" of the MAT folder, taken in name
// order; after 500 the rest is left out and message 598 is shown. A file whose
// values are out of range is left out, its error (file and key) kept in
// `problems` and shown in one message after the others have loaded. Sorted by
// code; with `withStock` each entry also gets its sheet stock summary. Throws
// as MaterialStockSummary does.
void LoadMaterialTable(const DataFolders& folders, bool withStock, MaterialTable& table);

// The shared table from the shared folders; the current material record and
// code are the same afterwards as before.
void LoadMaterialTable(bool withStock);

// Stable ascending sort of entries 1 to count by code.
void SortMaterialTable(MaterialTable& table);
void SortMaterialTable();

// Lines, quantity and area (m²) of entry i's sheet table CHP<code>.TAB; zeros
// when the file is missing. A line of more than 15 fields throws RangeError.
void MaterialStockSummary(const DataFolders& folders, MaterialTable& table, long i);
void MaterialStockSummary(long i);

// The modification date and time of a file, in local time; nullopt when the
// file does not exist or has no readable time.
std::optional<platform::LocalTime> FileDateTime(const std::filesystem::path& path);

}  // namespace vor
