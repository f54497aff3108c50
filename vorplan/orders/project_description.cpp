#include "vorplan/orders/project_description.h"

#include <charconv>

#include "vorplan/common/conversions.h"
#include "vorplan/common/data_folders.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/system_names.h"
#include "vorplan/common/text_file.h"

namespace vor {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kPed = "PED";
constexpr std::string_view kPcb = "PCB";

std::string FieldKey(std::size_t index)  // CAMPO2 for index 0
{
    return "CAMPO" + IntText(static_cast<long long>(index) + 2);
}

std::string Text(const IniDocument& doc, std::string_view section, std::string_view key,
                 std::string_view def)
{
    std::string value;
    return doc.Find(section, key, value) ? value : std::string(def);
}

bool IsBlankText(const std::string& s)
{
    return s.find_first_not_of(" \t") == std::string::npos;
}

}  // namespace

std::string DefaultModifiedBy()
{
    return GetComputerNameText() + " - " + GetUserNameText() + " ";
}

ProjectDescription ReadProjectDescription(const IniDocument& doc, long long order,
                                          const std::string& now, const std::string& modifiedBy)
{
    ProjectDescription d;
    d.created = Text(doc, kPed, "CRIACAO", now);
    d.lastModified = Text(doc, kPed, "ULT_MODIF", now);
    d.status = doc.ReadInteger(kPed, "STATUS", 0);
    d.description = Text(doc, kPed, "CAMPO1", "");
    // A new project made with an empty description opens with its number.
    if (d.description.empty())
        d.description = "PRJ " + IntText(order);
    for (std::size_t i = 0; i < d.fields.size(); ++i)
        d.fields[i] = Text(doc, kPed, FieldKey(i), "");
    d.modifiedBy = Text(doc, kPed, "CAMPO10", modifiedBy);

    PcbStripValues& p = d.pcb;
    const PcbStripValues def;
    p.boardWidth = Text(doc, kPcb, "L_PCI", def.boardWidth);
    p.boardHeight = Text(doc, kPcb, "A_PCI", def.boardHeight);
    p.material = Text(doc, kPcb, "MAT", def.material);
    p.mayTurn = doc.ReadBool(kPcb, "GIRA_PCI", def.mayTurn);
    p.wantedBoards = Text(doc, kPcb, "QTD_DESEJADA", def.wantedBoards);
    p.minBoardsPerStrip = Text(doc, kPcb, "MIN_PCI_POR_TIRA", def.minBoardsPerStrip);
    p.maxBoardsPerStrip = Text(doc, kPcb, "MAX_PCI_POR_TIRA", def.maxBoardsPerStrip);
    p.borderLeft = Text(doc, kPcb, "BORDA_ESQ", def.borderLeft);
    p.borderRight = Text(doc, kPcb, "BORDA_DIR", def.borderRight);
    p.borderTop = Text(doc, kPcb, "BORDA_SUP", def.borderTop);
    p.borderBottom = Text(doc, kPcb, "BORDA_INF", def.borderBottom);
    p.boardGap = Text(doc, kPcb, "ESP_ENTRE_PCI", def.boardGap);
    p.minStripWidth = Text(doc, kPcb, "LARG_MIN_TIRA", def.minStripWidth);
    p.minStripHeight = Text(doc, kPcb, "ALT_MIN_TIRA", def.minStripHeight);
    p.maxStripWidth = Text(doc, kPcb, "LARG_MAX_TIRA", def.maxStripWidth);
    p.maxStripHeight = Text(doc, kPcb, "ALT_MAX_TIRA", def.maxStripHeight);
    // Of each pair of strip keys the second is read last and so is shown,
    // even when only the first is in the file.
    p.stripQuantity = Text(doc, kPcb, "QTD_USU", "");
    p.stripWidth = Text(doc, kPcb, "LARG_USU", "");
    p.stripHeight = Text(doc, kPcb, "ALT_USU", "");
    p.stripDescription = Text(doc, kPcb, "DESC_USU", "");
    return d;
}

ProjectDescription ReadProjectDescription(const fs::path& path, long long order,
                                          const std::string& now, const std::string& modifiedBy,
                                          FileOps& ops)
{
    return ReadProjectDescription(IniFile(path, ops).Document(), order, now, modifiedBy);
}

ProjectDescription ReadProjectDescription(long long order)
{
    return ReadProjectDescription(ProjectDescriptionFile(gShared.folders, order), order,
                                  DateTimeText(), DefaultModifiedBy());
}

void SetProjectDescription(IniDocument& doc, const ProjectDescription& d, const std::string& now)
{
    doc.Set(kPed, "CRIACAO", d.created);
    doc.Set(kPed, "ULT_MODIF", now);
    doc.Set(kPed, "STATUS", IntText(d.status));
    doc.Set(kPed, "CAMPO1", IsBlankText(d.description) ? std::string("***") : d.description);
    doc.Set(kPed, "CAMPO10", d.modifiedBy);
    for (std::size_t i = 0; i < d.fields.size(); ++i)
        doc.Set(kPed, FieldKey(i), d.fields[i]);

    const PcbStripValues& p = d.pcb;
    doc.Set(kPcb, "L_PCI", p.boardWidth);
    doc.Set(kPcb, "A_PCI", p.boardHeight);
    doc.Set(kPcb, "MAT", p.material);
    doc.Set(kPcb, "GIRA_PCI", p.mayTurn ? "1" : "0");
    doc.Set(kPcb, "QTD_DESEJADA", p.wantedBoards);
    doc.Set(kPcb, "MIN_PCI_POR_TIRA", p.minBoardsPerStrip);
    doc.Set(kPcb, "MAX_PCI_POR_TIRA", p.maxBoardsPerStrip);
    doc.Set(kPcb, "BORDA_ESQ", p.borderLeft);
    doc.Set(kPcb, "BORDA_DIR", p.borderRight);
    doc.Set(kPcb, "BORDA_SUP", p.borderTop);
    doc.Set(kPcb, "BORDA_INF", p.borderBottom);
    doc.Set(kPcb, "ESP_ENTRE_PCI", p.boardGap);
    doc.Set(kPcb, "LARG_MIN_TIRA", p.minStripWidth);
    doc.Set(kPcb, "ALT_MIN_TIRA", p.minStripHeight);
    doc.Set(kPcb, "LARG_MAX_TIRA", p.maxStripWidth);
    doc.Set(kPcb, "ALT_MAX_TIRA", p.maxStripHeight);
    doc.Set(kPcb, "QUANT_TAB_TIRA", p.stripQuantity);
    doc.Set(kPcb, "LARG_TAB_TIRA", p.stripWidth);
    doc.Set(kPcb, "ALT_TAB_TIRA", p.stripHeight);
    doc.Set(kPcb, "DESCRICAO_TAB_TIRA", p.stripDescription);
    doc.Set(kPcb, "QTD_USU", p.stripQuantity);
    doc.Set(kPcb, "LARG_USU", p.stripWidth);
    doc.Set(kPcb, "ALT_USU", p.stripHeight);
    doc.Set(kPcb, "DESC_USU", p.stripDescription);
}

void WriteProjectDescription(const fs::path& path, const ProjectDescription& values,
                             const std::string& now, FileOps& ops)
{
    // Key by key on the file as it is, so PCI and whatever else it holds
    // stay; saved once, so a failure never leaves half the keys written.
    IniFile(path, ops).Update([&](IniDocument& doc) { SetProjectDescription(doc, values, now); });
}

void WriteProjectDescription(long long order, const ProjectDescription& values)
{
    WriteProjectDescription(ProjectDescriptionFile(gShared.folders, order), values, DateTimeText());
}

}  // namespace vor
