#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "vorplan/common/bounded_array.h"
#include "vorplan/common/data_folders.h"
#include "vorplan/common/list_helpers.h"

namespace vor {

// The orders and materials chosen for a calculation, the materials of the last
// calculation and the recent projects. Each routine has a form taking the
// folders and the lists, and one over the shared lists of gShared.calcLists.

constexpr long kSelectionCapacity = 200;      // orders, and materials, of one selection
constexpr long kRecentProjectCapacity = 100;

// Order numbers, entries 1 to count.
struct OrderSelection {
    BoundedArray<std::int32_t, kSelectionCapacity> orders;
    long count = 0;
};

// A material of the selection and its check mark: only checked materials are
// calculated. Kept together so that a mark always follows its code.
struct MaterialEntry {
    std::int32_t code = 0;
    bool marked = false;

    bool operator==(const MaterialEntry&) const = default;
};

// Material codes with their marks, entries 1 to count.
struct MaterialSelection {
    BoundedArray<MaterialEntry, kSelectionCapacity> entries;
    long count = 0;
};

struct RecentProjects {
    BoundedArray<std::int32_t, kRecentProjectCapacity> orders;
    long count = 0;
};

// One record of arq_ult_mat_calc.aum: a material of the last calculation and
// whether its layouts were opened.
struct LastCalcMaterial {
    std::int32_t code = 0;
    bool viewed = false;

    bool operator==(const LastCalcMaterial&) const = default;
};

// The lists the whole run shares.
struct CalcLists {
    OrderSelection orders;
    MaterialSelection materials;
    RecentProjects recent;
};

// A list box whose selection can be set, for MarkRecentProjects.
class SelectableListControl : public ListControl {
public:
    virtual void SetSelected(int index, bool selected) = 0;
};

// ---- Pure forms over file contents ----------------------------------------------

// Empties `selection`, then appends every line read as an integer (blanks
// removed, 0 when not a number), repeats included. More than 200 lines throw
// RangeError, with the first 200 kept.
void FillOrderSelection(const std::vector<std::string>& lines, OrderSelection& selection);

// Empties `selection`, then appends every line read as an integer unless that
// code is already in it; marks are left as they stand. More than 200
// distinct codes throw RangeError, with the first 200 kept.
void FillMaterialSelection(const std::vector<std::string>& lines, MaterialSelection& selection);

// The codes of MAT_USAD.BIN bytes: 4-byte little-endian signed integers, at
// most `limit` of them; a partial record at the end is ignored.
std::vector<std::int32_t> DecodeMaterialsUsed(std::string_view bytes,
                                              std::size_t limit = kSelectionCapacity);
// The MAT_USAD.BIN bytes of entries 1 to count, only the marked ones when
// `onlyMarked`.
std::string EncodeMaterialsUsed(const MaterialSelection& selection, bool onlyMarked);

// The records of arq_ult_mat_calc.aum bytes (code LE, flag byte, 3 filler
// bytes); a partial record at the end is ignored.
std::vector<LastCalcMaterial> DecodeLastCalcMaterials(std::string_view bytes);
// Those records as bytes, filler bytes 0 and the flag 1 for a viewed material.
std::string EncodeLastCalcMaterials(const std::vector<LastCalcMaterial>& records);

// ---- Order and material selection --------------------------------------------------

// Fills the order selection from MONT/PRJ.SEQ as FillOrderSelection; a file
// that cannot be opened leaves it empty. Throws RangeError past 200 lines.
void ReadOrderSelection(const DataFolders& folders, OrderSelection& selection);
void ReadOrderSelection();

// Overwrites MONT/MAT.SEQ with the codes 1 to count, one a line. Silent when
// the file cannot be written (the old file then stays); returns whether it was.
bool WriteMaterialSelection(const DataFolders& folders, const MaterialSelection& selection);
bool WriteMaterialSelection();

// Fills the material selection from MONT/MAT.SEQ as FillMaterialSelection and
// makes its first entry the current material code. A file that cannot be
// opened leaves the list empty, and a file without codes leaves it empty too;
// in both cases the current code is unchanged. Throws RangeError past 200
// distinct codes.
void ReadMaterialSelection(const DataFolders& folders, MaterialSelection& selection,
                           long long& currentMaterial);
void ReadMaterialSelection();  // shared lists, gShared.currentMaterial

// Overwrites MONT/MAT_USAD.BIN with the selection's codes in order, only the
// marked ones when `onlyMarked`. Silent when the file cannot be written (the
// old file then stays); returns whether it was.
bool SaveMaterialsUsed(const DataFolders& folders, const MaterialSelection& selection,
                       bool onlyMarked);
bool SaveMaterialsUsed(bool onlyMarked);

// Puts the codes of MONT/MAT_USAD.BIN into entries 1.. of the selection (marks
// stay) and sets the count to the number read: at most 200, so that an
// oversized file never stops the start of the program; 0 when the file cannot
// be read. Never throws.
void LoadMaterialsUsed(const DataFolders& folders, MaterialSelection& selection) noexcept;
void LoadMaterialsUsed() noexcept;

// Sorts entries 1 to count ascending by code, each mark moving with its code;
// equal codes keep their order.
void SortMaterialSelection(MaterialSelection& selection);
void SortMaterialSelection();

// Sets the mark of entries 1 to count.
void CheckAllMaterials(MaterialSelection& selection);
void CheckAllMaterials();

// Removes repeated codes, keeping the first entry of each code, mark
// included, in its place; the count becomes the number of distinct codes.
void UniqueMaterialSelection(MaterialSelection& selection);
void UniqueMaterialSelection();

// ---- Materials of the last calculation -----------------------------------------------

// The records of arq_ult_mat_calc.aum in the base folder; empty when the file
// cannot be read.
std::vector<LastCalcMaterial> ReadLastCalcMaterials(const DataFolders& folders);
// Replaces arq_ult_mat_calc.aum with `records`; throws IoError (the old file
// then stays) when it cannot be written.
void WriteLastCalcMaterials(const DataFolders& folders,
                            const std::vector<LastCalcMaterial>& records);

// True when arq_ult_mat_calc.aum holds a record of `code` whose flag is not 0;
// false otherwise, also when the file is missing.
bool WasInLastCalculation(const DataFolders& folders, std::int32_t code);
bool WasInLastCalculation(std::int32_t code);

// ---- Recent projects --------------------------------------------------------------------

// When last_projects.tab exists, replaces the list with its lines read as
// integers; otherwise, or when it cannot be read, the list stays. More than
// 100 lines throw RangeError, with the first 100 kept.
void ReadRecentProjects(const DataFolders& folders, RecentProjects& recent);
void ReadRecentProjects();

// Overwrites last_projects.tab with entries 1 to count, one a line. Silent
// when the file cannot be written; returns whether it was.
bool WriteRecentProjects(const DataFolders& folders, const RecentProjects& recent);
bool WriteRecentProjects();

// True when `order` is in entries 1 to count.
bool IsRecentProject(const RecentProjects& recent, long long order);
bool IsRecentProject(long long order);

// Clears the selection of `list`, then selects every item whose order number
// (its first "~" field read as an integer) is a recent project.
void MarkRecentProjects(SelectableListControl& list, const RecentProjects& recent);
void MarkRecentProjects(SelectableListControl& list);

// Replaces the list with the order numbers of the selected items, in item
// order; selected items past the 100th are ignored.
void TakeRecentProjects(const ListControl& list, RecentProjects& recent);
void TakeRecentProjects(const ListControl& list);

}  // namespace vor
