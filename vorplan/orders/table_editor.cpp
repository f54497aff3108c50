#include "vorplan/orders/table_editor.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "vorplan/common/conversions.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/language_texts.h"

namespace vor {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kTabela = "TABELA";
constexpr std::string_view kPedido = "PEDIDO";

std::string TitleKey(std::size_t i)
{
    return "CAMPO" + std::to_string(i + 1);
}

// The board option's default titles of the free fields.
std::array<std::string, 8> PcbFieldTitles()
{
    return {Msg(324), Msg(885), Msg(886), Msg(887), Msg(888), Msg(889), "", ""};
}

bool IsBlank(const std::string& text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; });
}

}  // namespace

// ---- Settings ------------------------------------------------------------------------

TableEditorSettings ReadTableEditorSettings(const IniFile& ini, bool pcbOption)
{
    TableEditorSettings s;
    s.helpBelow = ini.ReadBool(kTabela, "AJUDA_ABAIXO", true);
    s.rowColours = ini.ReadBool(kTabela, "COR_SEPARA", true);
    s.blackBackground = ini.ReadBool(kTabela, "FUNDO_BLACK", false);
    s.expressCopy = ini.ReadBool(kTabela, "COPIA_EXPRESSA", false);
    s.autoCodes = ini.ReadBool(kTabela, "COD_AUTO", true);
    s.repeatBlank = ini.ReadBool(kTabela, "RepCampo", true);
    s.printPerimeter = ini.ReadBool(kTabela, "IMP_PERI", false);
    s.roundedAreaBudget = ini.ReadBool(kTabela, "IMP_AREA_ARRED", false);
    const std::array<std::string, 8> defaults =
        pcbOption ? PcbFieldTitles() : std::array<std::string, 8>{};
    for (std::size_t i = 0; i < s.fieldTitles.size(); ++i)
        s.fieldTitles[i] = ini.ReadString(kPedido, TitleKey(i), defaults[i]);
    return s;
}

void WriteTableEditorSettings(IniFile& ini, const TableEditorSettings& s)
{
    ini.WriteBool(kTabela, "AJUDA_ABAIXO", s.helpBelow);
    ini.WriteBool(kTabela, "COR_SEPARA", s.rowColours);
    ini.WriteBool(kTabela, "FUNDO_BLACK", s.blackBackground);
    ini.WriteBool(kTabela, "COPIA_EXPRESSA", s.expressCopy);
    ini.WriteBool(kTabela, "COD_AUTO", s.autoCodes);
    ini.WriteBool(kTabela, "RepCampo", s.repeatBlank);
    ini.WriteBool(kTabela, "IMP_PERI", s.printPerimeter);
    ini.WriteBool(kTabela, "IMP_AREA_ARRED", s.roundedAreaBudget);
    for (std::size_t i = 0; i < s.fieldTitles.size(); ++i)
        ini.WriteString(kPedido, TitleKey(i), s.fieldTitles[i]);
}

// ---- The document ----------------------------------------------------------------------

void TableEditorDocument::Open(TableKind kind, const DataFolders& folders, long long number,
                               bool internalTables, const TableGridOptions& options,
                               const std::string& now, const std::string& modifiedBy)
{
    m_number = number;
    m_tableFile = vor::TableFile(kind, folders, number, internalTables);
    m_grid = TableGrid(kind);
    m_grid.SetOptions(options);
    if (kind == TableKind::Pieces) {
        m_descriptionFile = ProjectDescriptionFile(folders, number);
        m_description = ReadProjectDescription(m_descriptionFile, number, now, modifiedBy);
    } else {
        m_descriptionFile.clear();
        m_description = ProjectDescription{};
    }
    m_descriptionRead = m_description;

    std::error_code ec;
    const bool exists = fs::exists(m_tableFile, ec);
    if (kind == TableKind::Pieces) {
        const auto rows = ReadPieceTable(m_tableFile, options.showDecimals);
        m_grid.LoadPieces(rows ? &*rows : nullptr);
        m_unreadable = exists && !rows;
    } else {
        const auto rows = ReadSheetTable(m_tableFile, options.showDecimals);
        m_grid.LoadSheets(rows ? &*rows : nullptr);
        m_unreadable = exists && !rows;
    }
}

void TableEditorDocument::SetDescription(const ProjectDescription& description)
{
    if (description == m_description)
        return;
    m_description = description;
    m_grid.SetModified(true);
}

IoError TableEditorDocument::UnreadableError() const
{
    return IoError(m_tableFile, EIO, "ler");
}

std::string TableEditorDocument::TooLongMessage() const
{
    return Msg(88) + " " + std::to_string(m_grid.FileRowCount()) + "\n" + Msg(89) + " " +
           std::to_string(kTableGridDataRows);
}

std::optional<std::string> TableEditorDocument::SaveRefusal() const
{
    if (m_grid.FileTooLong())
        return TooLongMessage();
    if (const std::optional<long> row = m_grid.CodeOrderFault())
        return Msg(803) + std::to_string(*row) + ")";
    return std::nullopt;
}

void TableEditorDocument::Save(bool withDescription, const std::string& now, bool showDecimals)
{
    // A file that is there but could not be read is never written over.
    if (m_unreadable)
        throw UnreadableError();
    if (m_grid.Kind() == TableKind::Pieces)
        WritePieceTable(m_tableFile, m_grid.PieceRows(), m_number, showDecimals);
    else
        WriteSheetTable(m_tableFile, m_grid.SheetRows(), showDecimals);
    if (m_grid.Kind() == TableKind::Pieces) {
        std::error_code ec;
        const bool missing = !fs::exists(m_descriptionFile, ec);
        if (withDescription || missing || m_description != m_descriptionRead) {
            WriteProjectDescription(m_descriptionFile, m_description, now);
            m_descriptionRead = m_description;
        }
    }
    m_grid.SetModified(false);
}

// ---- What the window shows ----------------------------------------------------------------

std::string TableEditorCaption(TableKind kind, long long number, const std::string& description)
{
    if (kind == TableKind::Pieces)
        return Msg(11) + " " + std::to_string(number) + "  " + description;
    return Msg(583) + "  " + std::to_string(number) + ": " + description;
}

std::vector<std::string> ColumnHelpLines(TableKind kind, int column, int language)
{
    std::vector<std::string> lines;
    const long first = kind == TableKind::Pieces ? 148 : 180;
    const int columns = kind == TableKind::Pieces ? 7 : 6;
    if (column < 0 || column >= columns)
        return lines;
    lines.push_back(Msg(first + column));
    if (language == 1 && kind == TableKind::Pieces) {
        if (column == kCodeColumn) {
            lines.emplace_back("Use um código diferente para identificar ");
            lines.emplace_back("cada peça, em ordem crescente (0,1,2...)");
        } else if (column == kPieceMaterialColumn) {
            lines.emplace_back("Use o número equivalente do material desta peça. Para selecionar");
            lines.emplace_back("da lista de materiais, clique no botão amarelo \"Seleciona\".");
        }
    }
    return lines;
}

CellColours TableCellColours(long row, int column, bool autoCodes, bool rowColours,
                             bool blackBackground, bool rangeMarked)
{
    if (row == 0 || column == kMarkColumn || (autoCodes && column == kCodeColumn)) {
        CellColours fixed{kSilver, kBlack};
        if (row > 0 && column == kMarkColumn && rangeMarked)
            fixed.text = kLime;
        return fixed;
    }
    CellColours c = blackBackground ? CellColours{kBlack, kAqua} : CellColours{kWhite, kBlack};
    if (rowColours && row % 2 == 0) {
        if (blackBackground)
            c.text = kYellow;
        else
            c.background = kEvenRowBackground;
    }
    return c;
}

std::optional<SketchSides> PieceSketch(const std::string& code, const std::string& width,
                                       const std::string& height, const std::string& description,
                                       int specialPerimeter)
{
    if (specialPerimeter <= 0 || IsBlank(code))
        return std::nullopt;
    const bool one = description.find("@1") != std::string::npos;
    const bool two = description.find("@2") != std::string::npos;
    const bool three = description.find("@3") != std::string::npos;
    if (!one && !two && !three)
        return std::nullopt;
    // Top and bottom are the width: the longer pair when the piece is wide.
    const bool wide = StrToRealComma(width) >= StrToRealComma(height);
    const bool markTopBottom = three || (wide ? two : one);
    const bool markSides = three || (wide ? one : two);
    return SketchSides{markTopBottom, markTopBottom, markSides, markSides};
}

}  // namespace vor
