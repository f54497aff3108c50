#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "vorplan/common/data_folders.h"
#include "vorplan/common/drawing_geometry.h"
#include "vorplan/common/errors.h"
#include "vorplan/orders/project_description.h"
#include "vorplan/orders/table_grid.h"

namespace vor {

class IniFile;

// ---- Settings of VL_.INI ----------------------------------------------------

struct TableEditorSettings {
    bool helpBelow = true;          // AJUDA_ABAIXO
    bool rowColours = true;         // COR_SEPARA
    bool blackBackground = false;   // FUNDO_BLACK
    bool expressCopy = false;       // COPIA_EXPRESSA
    bool autoCodes = true;          // COD_AUTO
    bool repeatBlank = true;        // RepCampo
    bool printPerimeter = false;    // IMP_PERI
    bool roundedAreaBudget = false; // IMP_AREA_ARRED
    // [PEDIDO] CAMPO1 .. CAMPO8: the titles of the eight free fields.
    std::array<std::string, 8> fieldTitles;

    bool operator==(const TableEditorSettings&) const = default;
};

// Texts come from the shared message table (Msg).

// Sections TABELA and PEDIDO; a missing title defaults to the board option's
// titles (messages 324, 885 .. 889) when `pcbOption`, else empty.
TableEditorSettings ReadTableEditorSettings(const IniFile& ini, bool pcbOption);
// Writes both sections key by key; throws IoError when the file cannot be saved.
void WriteTableEditorSettings(IniFile& ini, const TableEditorSettings& settings);

// ---- The open table and its files ---------------------------------------------

// What the editor works on between opening and closing: the grid, and for an
// order's pieces its description file.
class TableEditorDocument {
public:
    // Reads the table (and for pieces the description) of order or material
    // `number`. `now` and `modifiedBy` fill a missing description's stamps.
    void Open(TableKind kind, const DataFolders& folders, long long number, bool internalTables,
              const TableGridOptions& options, const std::string& now,
              const std::string& modifiedBy);

    TableGrid& Grid() { return m_grid; }
    const TableGrid& Grid() const { return m_grid; }
    TableKind Kind() const { return m_grid.Kind(); }
    long long Number() const { return m_number; }
    const std::filesystem::path& TableFile() const { return m_tableFile; }
    const std::filesystem::path& DescriptionFile() const { return m_descriptionFile; }

    // The identification as shown; changing it marks the table modified.
    const ProjectDescription& Description() const { return m_description; }
    void SetDescription(const ProjectDescription& description);
    bool Modified() const { return m_grid.Modified(); }
    // The table file is there but could not be read: it is never written over.
    bool Unreadable() const { return m_unreadable; }
    // The error that refuses its saving.
    IoError UnreadableError() const;

    // Why the table cannot be saved now, as the message to show, or nullopt:
    // a file longer than the grid, or codes out of order.
    std::optional<std::string> SaveRefusal() const;
    // The message of a file longer than the grid: both counts.
    std::string TooLongMessage() const;

    // Writes the table, then for pieces the description file: always when
    // `withDescription`, else only when it is missing or the identification
    // changed. Clears the modified flag. Throws IoError and leaves the files.
    void Save(bool withDescription, const std::string& now, bool showDecimals);

private:
    TableGrid m_grid;
    long long m_number = 0;
    std::filesystem::path m_tableFile;
    std::filesystem::path m_descriptionFile;
    ProjectDescription m_description;
    ProjectDescription m_descriptionRead;
    bool m_unreadable = false;  // the table file is there but could not be read
};

// ---- What the window shows -------------------------------------------------------

// The caption: pieces message 11, the order and its description; sheets
// message 583, the material and its description.
std::string TableEditorCaption(TableKind kind, long long number, const std::string& description);

// The help lines under a column (messages 148.. or 180..), with the fixed
// Portuguese lines of the code and material columns in language 1.
std::vector<std::string> ColumnHelpLines(TableKind kind, int column, int language);

struct CellColours {
    WinColor background = kWhite;
    WinColor text = kBlack;
    bool operator==(const CellColours&) const = default;
};

inline constexpr WinColor kEvenRowBackground = RgbColor(240, 240, 255);

// The colours of grid cell (row, column); row 0 is the heading.
CellColours TableCellColours(long row, int column, bool autoCodes, bool rowColours,
                             bool blackBackground, bool rangeMarked);

// Which sides of the small piece sketch are red. Top and bottom stand for
// the piece's width; "@1" marks the two shorter sides, "@2" the longer,
// "@3" all four.
struct SketchSides {
    bool top = false, bottom = false, left = false, right = false;
    bool operator==(const SketchSides&) const = default;
};

// The sketch of a piece row, or nullopt when none is drawn: no "@1", "@2",
// "@3" in the description, no code, or `specialPerimeter` not above 0.
std::optional<SketchSides> PieceSketch(const std::string& code, const std::string& width,
                                       const std::string& height, const std::string& description,
                                       int specialPerimeter);

}  // namespace vor
