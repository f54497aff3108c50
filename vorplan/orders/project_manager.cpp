#include "vorplan/orders/project_manager.h"

#include "vorplan/common/conversions.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/material_record.h"
#include "vorplan/common/order_list.h"
#include "vorplan/orders/project_description.h"
#include "vorplan/orders/project_merge.h"

namespace vor {

ProjectButtonStates ProjectButtons(long selected, long count)
{
    ProjectButtonStates states;
    states.remove = selected > 0;
    states.edit = selected == 1;
    states.merge = selected > 0 && selected <= kMaxMergedProjects;
    states.clear = selected > 0;
    states.invert = count > 0;
    return states;
}

bool ProjectLineMatches(std::string_view line, std::string_view text, bool foldCaseAndAccents)
{
    if (text.empty())
        return false;
    if (!foldCaseAndAccents)
        return line.find(text) != std::string_view::npos;
    return FoldCaseAndAccents(line).find(FoldCaseAndAccents(text)) != std::string::npos;
}

std::vector<std::string> ProjectInfoLines(const DataFolders& folders, long long number)
{
    const ProjectDescription description = ReadProjectDescription(
        ProjectDescriptionFile(folders, number), number, DateTimeText(), DefaultModifiedBy());
    const Path table = OrderTableFile(folders, number, true);
    const TableTotals totals = TotalListFile(table);
    std::vector<std::string> lines = {
        "Projeto: " + std::to_string(number),
        description.description,
        "Criado em: " + description.created,
        "Modificado em: " + description.lastModified,
        "Material: " + std::to_string(totals.materialCodes.size()),
        "Itens: " + std::to_string(totals.lines),
        "Total de peças: " + std::to_string(totals.pieces),
        "",
    };
    for (const int code : totals.materialCodes) {
        std::string text = "???";
        try {
            text = LoadMaterial(folders, code).description;
        } catch (const Error&) {
            // A damaged material file must not hide the project's other lines.
        }
        lines.push_back(std::to_string(code) + " - " + text);
    }
    return lines;
}

}  // namespace vor
