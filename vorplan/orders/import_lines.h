#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "vorplan/common/atomic_file.h"

namespace vor {

// What the imports share: the six cells of a row read as a piece, its line of
// the piece table, and the writing of the new project.

// Number of cells a row of an import uses; cells after them are ignored.
constexpr std::size_t kImportCells = 6;

struct ImportedPiece {
    int code = 0;
    int quantity = 0;
    double width = 0.0;   // "," or "." as the decimal mark
    double height = 0.0;
    int material = 0;
    std::string description;  // as given, blanks kept
};

// Splits `line` at every `separator`, so an empty cell stays in its place.
std::vector<std::string_view> SplitCells(std::string_view line, char separator);

// The piece of a row's cells: code, quantity, width, height, material and
// description in this order; a missing or empty cell reads 0 (or empty).
ImportedPiece PieceFromCells(const std::vector<std::string_view>& cells);

// "1 " + code, quantity, width, height and material, each right-aligned in 6
// characters after one blank (lengths with one decimal), then " " and the
// description with its blanks as "_" ("_" when empty).
std::string ImportedPieceLine(const ImportedPiece& piece);

enum class ImportSaveResult { Written, NumberTaken, WriteFailed };

// Makes `lines` the piece table of the new project `number` with its
// description file, both or neither, and makes it the current project (the
// order list marked, the recent projects updated). A number in use (files on
// disk included) shows message 767 + " (" + number + ")"; a failed write
// shows the error; neither writes anything.
ImportSaveResult SaveImportedProject(long long number, std::string_view description,
                                     const std::vector<std::string>& lines,
                                     FileOps& ops = DefaultFileOps());

}  // namespace vor
