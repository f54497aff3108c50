#pragma once

#include <string>
#include <vector>

#include "vorplan/common/bounded_array.h"
#include "vorplan/common/data_folders.h"

namespace vor {

class IniFile;

// ---- The last calculation's data (MONT/CALC_DAT.INI) ----------------------------------

// The texts other windows show of the last calculation.
struct CalcDataTexts {
    std::string orders;          // PEDIDOS, "-1" when missing
    std::string piecesSelected;  // "-1" when missing
    std::string piecesPlaced;    // "-1" when missing
    std::string start;           // date, four blanks, time; "---" for each missing one
    std::string status;          // S_STATUS, "---" when missing
    std::string calcType;        // S_TIP_CALC, "---" when missing
    // Borders in millimetres as FormatRealText shows them; "-0.1" when missing.
    std::string pieceBorderLength;
    std::string pieceBorderHeight;
    std::string sheetBorderLeft;
    std::string sheetBorderRight;
    std::string sheetBorderBottom;
    std::string sheetBorderTop;
};

// The twelve texts of the calculation data file; a missing file or key gives
// its default. `showDecimals` is SHOW_D.
CalcDataTexts LoadCalcData(const IniFile& calcData, bool showDecimals);
CalcDataTexts LoadCalcData();  // shared MONT, shared SHOW_D

// The piece border in tenths when its length and height are equal (-1 when
// both are missing), else 0. Read from the integer keys, so no tenth is lost.
long long EqualPieceBorder(const IniFile& calcData);
long long EqualPieceBorder();

// Appends the thirteen report lines of the calculation data block: heading
// (message 158), "@D", pieces selected and placed, status, calculation type,
// the two piece borders, the four sheet borders, "@d".
void AddCalcDataBlock(std::vector<std::string>& lines, const CalcDataTexts& data);
void AddCalcDataBlock(std::vector<std::string>& lines);  // with LoadCalcData()

// ---- Order field captions -----------------------------------------------------------------

constexpr long kOrderFieldCount = 9;
constexpr std::size_t kOrderFieldLength = 80;

// Caption i names value i: the titles of VL_.INI [PEDIDO] and the fields of the
// current order's description file [PED].
struct OrderFieldCaptions {
    BoundedArray<std::string, kOrderFieldCount> captions;
    BoundedArray<std::string, kOrderFieldCount> values;
};

// Captions from `settings` [PEDIDO] ("---" when missing) and values from
// `description` [PED] (empty when missing), each cut to 80 characters. Title
// CAMPOk names field CAMPO(k+1); the values come in the order CAMPO1, 2, 4, 5,
// 6, 7, 3, 8, 9. Every caption gets blanks in front until it is at least w + 2
// characters long, w being the longest caption's length when `align`, else 0.
OrderFieldCaptions LoadOrderFieldCaptions(const IniFile& settings, const IniFile& description,
                                          bool align);
// Into gShared.orderFields, from VL_.INI and the current order's DSC file.
void LoadOrderFieldCaptions(bool align);

// ---- Interface settings of the planning system and the cutting machine -----------------

struct InterfaceSettings {
    std::string mrpName;         // MRP_NAME
    std::string prjDescription;  // PRJ_DESCRIPTION
    std::string cncDriverName;   // CNC_DRIVER_NAME
};

// MRP_NAME and PRJ_DESCRIPTION of MRP/MRP.INI [MRP]; both empty when the file
// is missing.
void ReadMrpSettings(const DataFolders& folders, InterfaceSettings& settings);
void ReadMrpSettings();  // into gShared.interfaces

// CNC_DRIVER_NAME of CNC/CNC.INI [CNC]; empty when the file is missing.
void ReadCncSettings(const DataFolders& folders, InterfaceSettings& settings);
void ReadCncSettings();

}  // namespace vor
