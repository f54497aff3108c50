#pragma once

#include <string>
#include <vector>

#include "vorplan/common/atomic_file.h"
#include "vorplan/common/calc_lists.h"
#include "vorplan/common/data_folders.h"

namespace platform {
class Clock;
}

namespace vor {

// Copies of the layouts folder kept in dated folders OLD_MONT/M_ddmmyy_hhmmss,
// each with a one-line comment in its "ident.txt".

inline constexpr const char* kIdentFile = "ident.txt";

struct SavedCalculation {
    std::string folder;   // the folder's name, which restore and delete use
    std::string comment;  // first line of its ident.txt, "---" without one
    bool operator==(const SavedCalculation&) const = default;
};

// The folders "M_*.*" of OLD_MONT sorted by name, with their comments; a
// folder without ident.txt shows the not-found message and "---".
std::vector<SavedCalculation> ListSavedCalculations(const DataFolders& folders);

// The list line of a saved calculation: its date (dd/mm/yy), time
// (hh:mm:ss) taken from the folder name, and the comment.
struct SavedCalculationColumns {
    std::string date, time, comment;
};
SavedCalculationColumns ColumnsOf(const SavedCalculation& saved);

// The names of the entries of a saved calculation's folder.
std::vector<std::string> SavedCalculationFiles(const DataFolders& folders, const std::string& name);

struct SaveResult {
    bool saved = false;
    bool closeWindow = false;  // every way but a failed Mkdir ends the save page
    std::string message;       // "Ok" after a complete copy, else the error
};

// Makes OLD_MONT/<dated name>, writes `comment` as MONT/ident.txt and copies
// every file of MONT into the new folder. A folder that cannot be made gives
// "Erro 896 - Mkdir [folder]"; a failed ident write or copy removes the new
// folder again, so no half copy is ever listed.
SaveResult SaveCalculation(const DataFolders& folders, const std::string& comment,
                           const platform::Clock& clock, FileOps& ops = DefaultFileOps());

struct RestoreResult {
    bool restored = false;
    std::string message;  // why nothing changed
};

// Puts saved calculation `name` in MONT's place: checked first (an existing
// folder holding a layout file or CALC_DAT.INI), copied into a staging folder
// beside MONT, then swapped in by renames, so any failure leaves MONT as it
// was. Afterwards arq_ult_mat_calc.aum is deleted and the material selection
// read again from the restored MAT.SEQ (its first code becomes current).
RestoreResult RestoreSavedCalculation(const DataFolders& folders, const std::string& name,
                                      MaterialSelection& selection, long long& currentMaterial,
                                      FileOps& ops = DefaultFileOps());

// Deletes the regular files `names` of saved calculation `name`, then its
// folder (a folder that stays shows "Falha no rmdir"). Returns whether the
// folder is gone.
bool DeleteSavedCalculation(const DataFolders& folders, const std::string& name,
                            const std::vector<std::string>& names);

}  // namespace vor
