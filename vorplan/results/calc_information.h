#pragma once

#include <string>

#include "vorplan/common/data_folders.h"

namespace vor {

// What is recorded about the last calculation, as the information window
// shows it, read-only.
struct CalcInformation {
    long long lastMaterial = -1;       // ULTIMO_MATERIAL_USADO
    std::string piecesSelected = "-1";
    std::string piecesPlaced = "-1";
    std::string orders = "-1";
    std::string status = "---";
    std::string start = "---    ---";  // date, four blanks, time
    std::string identification = "---";  // first line of MONT/ident.txt
    Path file;                          // CALC_DAT.INI
    std::string text;                   // the whole file, decoded; empty without one
};

// Reads CALC_DAT.INI and MONT/ident.txt; missing ones give the defaults.
CalcInformation ReadCalcInformation(const DataFolders& folders, bool showDecimals);

}  // namespace vor
