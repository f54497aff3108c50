#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vor {

// Cells copied from a spreadsheet program: one row a line, cells separated by
// TAB, six of them (code, quantity, width, height, material, description).

inline constexpr std::string_view kCodeOrderErrorText = "Error: cod < cod ant";

struct ClipboardParse {
    std::vector<std::string> displayLines;  // the text's lines, TAB shown as a blank
    int firstLineTabs = 0;
    bool codeOrderError = false;            // a code below the one of the line before
    std::vector<std::string> outputLines;   // the piece-table lines "Salva" writes

    // Six cells in the first line, codes in order, and something to write.
    bool CanSave() const { return firstLineTabs == 5 && !codeOrderError && !outputLines.empty(); }
};

// Reads the clipboard's text (UTF-8). Lines end at CR LF, LF or CR, a final
// line end makes no empty line. Every line's code (the text before its first
// TAB) is compared with the code of the line before, the first with -1. A
// line of 5 characters or fewer makes no piece, nor does a row whose quantity
// is 0 or less. Never throws.
ClipboardParse ParseClipboardText(std::string_view text);

// The piece-table line of one row of cells: ImportedPieceLine + " ABC".
std::string ClipboardPieceLine(std::string_view row);

// The five instruction lines of the window for language 1 to 5 (Dutch shows
// the English ones, Spanish of Spain the Spanish ones; others the Portuguese).
std::vector<std::string> ClipboardInstructionLines(int language);

}  // namespace vor
