#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "vorplan/common/data_folders.h"
#include "vorplan/optimiser/calc_options.h"
#include "vorplan/optimiser/working_data.h"

namespace vor {

// The stock and the pieces of one material are read from its files once and
// kept as parsed lines; every trial then loads its working tables from them
// (LoadStock, LoadPieces) without touching the disk.

// A marked line of the sheet table (CHP). The checks look at the fields as
// integers, millimetres as written; the entry takes the reals in tenths.
struct SheetTableLine {
    int code = 0;
    int quantity = 0;         // third field
    int lengthWhole = 0;      // fourth field as an integer
    int widthWhole = 0;       // fifth field as an integer
    std::int64_t length = 0;  // fourth field x 10, rounded half to even
    std::int64_t width = 0;   // fifth field x 10, likewise
    bool operator==(const SheetTableLine&) const = default;
};

// A row of the offcut table (RET) marked "+", with the values it is stored
// with: every field x 10, cut toward zero.
struct OffcutTableLine {
    std::int64_t code = 0;      // minus ten times the row number (or the line's position)
    std::int64_t quantity = 0;  // the cut value x 0.1, cut again
    std::int64_t length = 0;
    std::int64_t width = 0;
    bool operator==(const OffcutTableLine&) const = default;
};

// A marked line of the merged piece list (TMP/ALL<pos>.<code>).
struct PieceListLine {
    long lineNumber = 0;      // every line of the file counted, from 1
    int quantity = 0;         // the line's own, before the multiplier
    int widthWhole = 0;       // width column as an integer, millimetres
    int heightWhole = 0;      // height column as an integer, millimetres
    std::int64_t width = 0;   // width column x 10, rounded; no borders yet
    std::int64_t height = 0;  // height column x 10, rounded
    bool operator==(const PieceListLine&) const = default;
};

// The parsed inputs of one material.
struct MaterialInput {
    std::vector<SheetTableLine> sheets;
    std::vector<OffcutTableLine> offcuts;
    std::vector<PieceListLine> pieces;  // at most as many as the piece list takes
};

// The sheet the best sheet-size search tries, tenths of a millimetre.
struct CandidateSheet {
    std::int64_t length = 0;  // from "Largura"
    std::int64_t width = 0;   // from "Altura"
};

// The marked lines of a sheet table (each cut at ";", split at blanks, mark
// above 0), in file order. Never throws.
std::vector<SheetTableLine> ParseSheetTableLines(const std::vector<std::string>& lines);

// The code the calculation gives each line of an offcut table, in file
// order: minus ten times its row number, or, when a row number of the table
// is not a whole number above 0 or repeats, minus ten times the line's
// position in the file (from 1); 0 for a line without two fields. Never throws.
std::vector<std::int64_t> OffcutRowCodes(const std::vector<std::string>& lines);

// The rows of an offcut table whose mark field is "+", in file order. Fields
// are the pieces before each comma, so an empty cell stays in its column.
// When a row number of the table is not a whole number above 0, or repeats,
// every offcut's code is minus ten times its line's position in the file
// (from 1) instead of its row number. Never throws.
std::vector<OffcutTableLine> ParseOffcutTableLines(const std::vector<std::string>& lines);

// The marked lines of a merged piece list (cut at ";", split at blanks, mark
// above 0), up to the 1 100th; the rest of the file is never read. Never throws.
std::vector<PieceListLine> ParsePieceListLines(const std::vector<std::string>& lines);

// Reads the sheet table and the offcut table of material `code` and the
// merged piece list at `position` of the calculation's material list. A file
// that cannot be read gives an empty list.
MaterialInput ReadMaterialInput(const DataFolders& folders, long long code, long long position);

// Fills `stock` from `input` as the options say, then sorts it by area
// (decreasing, or increasing with increasing sheet sizes; equal areas keep
// their order). With a `candidate` (the best sheet-size search) that sheet,
// code 1, quantity 9999, stands in for the sheet table, whether "Chapas" is
// checked or not. Bad values set status 12, 13 or 14 in `status` (a later one
// overwrites an earlier one) and reading goes on; more than 500 entries set
// status text 28. Never throws.
void LoadStock(const MaterialInput& input, const CalcOptions& options,
               const std::optional<CandidateSheet>& candidate, StockList& stock, RunStatus& status);

// Fills the piece list of `work` from `input.pieces`: quantity x multiplier,
// sizes plus the piece borders and the material's piece allowances of
// `options`, then the extra piece (id -1, quantity 900) when extra production
// is on; sets the totals, the smallest and largest dimension and the extra
// production flag. Bad values set statuses 9, 10, 11, 18, 34 or 35 (the last
// four with the line's detail text) in `work.status`, a bad extra piece status
// text 34, 1 100 pieces or more text 19 and more than 70 000 in total text 27.
// Never throws.
void LoadPieces(const MaterialInput& input, const CalcOptions& options, OptimiserWork& work);

}  // namespace vor
