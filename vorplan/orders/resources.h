#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "vorplan/common/data_folders.h"
#include "vorplan/common/list_reports.h"
#include "vorplan/common/material_record.h"

namespace vor {

// The rules of the resources window (the material catalogue), its new-material
// code prompt and its report options, free of widgets.

// Which buttons of the catalogue may be pressed.
struct ResourceButtonStates {
    bool properties = false;
    bool sheets = false;
    bool offcuts = false;
    bool newMaterial = true;
    bool remove = false;
    bool operator==(const ResourceButtonStates&) const = default;
};

// The editors need exactly one material; deleting also needs another one to
// remain in the catalogue.
ResourceButtonStates ResourceButtons(int selected, int total);

// Message 643 + selected + " / " + total.
std::string SelectionCountText(int selected, int total);

// One line of the material list: code (five digits), description and family
// as tilde fields, and the colour of that same material for its swatch.
struct MaterialListLine {
    long long code = 0;
    std::string text;
    int colour = 0;
};

// The lines for entries 1 to count of `table`; example materials (from
// 99000) only with `showExamples`.
std::vector<MaterialListLine> MaterialListLines(const MaterialTable& table, bool showExamples);

// The range list of the new-material prompt: message 785, then the four code
// ranges with their explanations (359, 187, 188) and the largest code
// allowed, lines broken with CR.
std::string MaterialCodeRangeText();

// What the prompt makes of a typed code.
enum class NewCodeVerdict { Ok, OutOfRange, Used };

// The code of a typed text (blanks removed, an optional sign and digits);
// nullopt for any other text and for a value too long to read.
std::optional<long long> TypedMaterialCode(std::string_view typed);

// OutOfRange for text that is no code or a code outside 0..49999; Used when
// M<code>.INI exists; Ok otherwise.
NewCodeVerdict CheckNewMaterialCode(const DataFolders& folders, std::string_view typed);

// The new-material prompt's Ok: shows the range list or message 841, or
// copies the material `sourceCode` to the new code (DuplicateMaterialIni) and
// returns the code. A missing source file copies nothing; the code is still
// returned so that the properties window can make the material.
std::optional<long long> AcceptNewMaterialCode(const DataFolders& folders, std::string_view typed,
                                               long long sourceCode);

// Message 144 + " " + code + ":" + CR + message 728 + " ?".
std::string DeleteMaterialQuestion(long long code);

// "Apagar": special codes show their message; otherwise asks and, on Yes,
// deletes M<code>.INI only (its sheet and offcut tables stay). True when the
// file was deleted.
bool DeleteMaterial(const DataFolders& folders, long long code);

// The materials report of the chosen materials (gListData.chosen) with
// `options`, written and opened in ostrel. False when ostrel could not start.
bool ShowResourcesReport(const MaterialListOptions& options);

}  // namespace vor
