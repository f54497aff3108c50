#pragma once

#include <array>
#include <filesystem>
#include <string>

#include "vorplan/common/atomic_file.h"

namespace vor {

class IniDocument;

// An order's description file DSCnnnnn.INI as the table editor shows it:
// section PED identifies the order, section PCB holds the strip mode's
// parameters. Numbers stay the texts the user typed.

struct PcbStripValues {
    std::string boardWidth = "137.5";       // L_PCI
    std::string boardHeight = "89.2";       // A_PCI
    std::string material = "99010";         // MAT
    bool mayTurn = true;                    // GIRA_PCI
    std::string wantedBoards = "400";       // QTD_DESEJADA
    std::string minBoardsPerStrip = "1";    // MIN_PCI_POR_TIRA
    std::string maxBoardsPerStrip = "25";   // MAX_PCI_POR_TIRA
    std::string borderLeft = "10";          // BORDA_ESQ
    std::string borderRight = "10";         // BORDA_DIR
    std::string borderTop = "2";            // BORDA_SUP
    std::string borderBottom = "2";         // BORDA_INF
    std::string boardGap = "3";             // ESP_ENTRE_PCI
    std::string minStripWidth = "10";       // LARG_MIN_TIRA
    std::string minStripHeight = "0";       // ALT_MIN_TIRA
    std::string maxStripWidth = "1000";     // LARG_MAX_TIRA
    std::string maxStripHeight = "1000";    // ALT_MAX_TIRA
    // The strip to be cut. Each is stored twice (QUANT_TAB_TIRA and QTD_USU
    // and so on); the second key decides on reading.
    std::string stripQuantity;              // QTD_USU
    std::string stripWidth;                 // LARG_USU
    std::string stripHeight;                // ALT_USU
    std::string stripDescription;           // DESC_USU

    bool operator==(const PcbStripValues&) const = default;
};

struct ProjectDescription {
    std::string created;                // CRIACAO
    std::string lastModified;           // ULT_MODIF
    int status = 0;                     // STATUS: 0 open, 1 cutting, 2 finished, 3 cancelled
    std::string description;            // CAMPO1
    std::array<std::string, 8> fields;  // CAMPO2 .. CAMPO9
    std::string modifiedBy;             // CAMPO10
    PcbStripValues pcb;

    bool operator==(const ProjectDescription&) const = default;
};

// What a missing CAMPO10 shows: computer name, " - ", user name and a blank.
std::string DefaultModifiedBy();

// The values of a description file's text for order `order`: `now`
// (DateTimeText) stands in for missing stamps, "PRJ " + order for a missing or
// empty CAMPO1, `modifiedBy` for a missing CAMPO10; every other key has its
// default. Never fails.
ProjectDescription ReadProjectDescription(const IniDocument& doc, long long order,
                                          const std::string& now, const std::string& modifiedBy);
// The same from a file; a missing or unreadable file gives every default.
ProjectDescription ReadProjectDescription(const std::filesystem::path& path, long long order,
                                          const std::string& now, const std::string& modifiedBy,
                                          FileOps& ops = DefaultFileOps());
// The shared order's file, with the shared clock and this computer and user.
ProjectDescription ReadProjectDescription(long long order);

// Sets every key but PCI in `doc`, in the fixed order, ULT_MODIF to `now`; a
// blank description is stored "***". Keys it does not set stay as they are.
void SetProjectDescription(IniDocument& doc, const ProjectDescription& values,
                           const std::string& now);

// SetProjectDescription on the file as it is, saved once, atomically: throws
// IoError and leaves the old file when it cannot be saved, or when it exists
// but cannot be read (it is never written over).
void WriteProjectDescription(const std::filesystem::path& path, const ProjectDescription& values,
                             const std::string& now, FileOps& ops = DefaultFileOps());
// The shared order's file, ULT_MODIF from the shared clock.
void WriteProjectDescription(long long order, const ProjectDescription& values);

}  // namespace vor
