#include "vorplan/orders/clipboard_import.h"

#include <algorithm>

#include "vorplan/common/codec.h"
#include "vorplan/common/conversions.h"
#include "vorplan/common/text_file.h"
#include "vorplan/orders/import_lines.h"

namespace vor {

namespace {

std::string PieceLine(const ImportedPiece& piece)
{
    return ImportedPieceLine(piece) + " ABC";
}

}  // namespace

std::string ClipboardPieceLine(std::string_view row)
{
    return PieceLine(PieceFromCells(SplitCells(row, '\t')));
}

ClipboardParse ParseClipboardText(std::string_view text)
{
    ClipboardParse parse;
    long long previousCode = -1;
    bool first = true;
    for (std::string& line : SplitTextLines(text)) {
        if (first)
            parse.firstLineTabs = static_cast<int>(std::count(line.begin(), line.end(), '\t'));
        first = false;
        const std::string_view row = line;
        const long long code = StrToIntDef0(row.substr(0, row.find('\t')));
        if (code < previousCode)
            parse.codeOrderError = true;
        previousCode = code;
        if (Utf8Length(row) > 5) {
            const ImportedPiece piece = PieceFromCells(SplitCells(row, '\t'));
            // A header row or an empty one would make a piece nobody can cut.
            if (piece.quantity > 0)
                parse.outputLines.push_back(PieceLine(piece));
        }
        std::replace(line.begin(), line.end(), '\t', ' ');
        parse.displayLines.push_back(std::move(line));
    }
    return parse;
}

std::vector<std::string> ClipboardInstructionLines(int language)
{
    switch (language) {
    case 2:
    case 4:
        return {" 1 - Start the spreadsheet program (or the word processor / database)",
                " 2 - Select the cells (6 columns, 1 or more rows):",
                " 3 - Copy the cells ( CTRL +C ) ",
                " 4 - Come back to this program ( Alt + Tab )",
                " 5 - Save the project "};
    case 3:
    case 5:
        return {" 1 - Abra la hoja de cálculo (o el procesador de texto / la base de datos)",
                " 2 - Seleccione las celdas (6 columnas, 1 o más filas):",
                " 3 - Copie las celdas ( CTRL +C ) ",
                " 4 - Vuelva a este programa ( Alt + Tab )",
                " 5 - Guarde el proyecto "};
    default:
        return {" 1 - Acione o Excel (Word / Access)",
                " 2 - Selecione as células (6 colunas, 1 ou mais linhas):",
                " 3 - Copie as células ( CTRL +C ) ",
                " 4 - Retorne a este programa ( Alt + Tab )",
                " 5 - Salve o projeto "};
    }
}

}  // namespace vor
