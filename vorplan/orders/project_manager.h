#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "vorplan/common/data_folders.h"

namespace vor {

// The rules of the project manager window that need no window.

struct ProjectButtonStates {
    bool remove = false;  // "Apagar"
    bool edit = false;    // "Editar"
    bool merge = false;   // "Mesclar"
    bool clear = false;   // "Desmarca"
    bool invert = false;  // "Inverte"
    bool operator==(const ProjectButtonStates&) const = default;
};

// The buttons for `selected` of `count` projects.
ProjectButtonStates ProjectButtons(long selected, long count);

// Whether a project line holds the search text; with `foldCaseAndAccents`
// both are compared through FoldCaseAndAccents, else exactly. An empty text
// matches nothing.
bool ProjectLineMatches(std::string_view line, std::string_view text, bool foldCaseAndAccents);

// The information list of one project: "Projeto: " + number, the description,
// "Criado em: ", "Modificado em: ", "Material: " with the count of materials,
// "Itens: ", "Total de peças: ", a blank line, then one "code - description"
// line per material of its table. The descriptions come from the material
// files; the shared current material stays as it was.
std::vector<std::string> ProjectInfoLines(const DataFolders& folders, long long number);

}  // namespace vor
