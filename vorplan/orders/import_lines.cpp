#include "vorplan/orders/import_lines.h"

#include "platform/message_service.h"
#include "vorplan/common/conversions.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/orders/new_project.h"
#include "vorplan/orders/table_files.h"

namespace vor {

namespace {

std::string IntegerField(int value)
{
    std::string text = std::to_string(value);
    PadNumberField(text);
    return text;
}

std::string LengthField(double value)
{
    std::string text = RealToStr1(value);
    PadNumberField(text);
    return text;
}

}  // namespace

std::vector<std::string_view> SplitCells(std::string_view line, char separator)
{
    std::vector<std::string_view> cells;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = line.find(separator, start);
        if (end == std::string_view::npos) {
            cells.push_back(line.substr(start));
            return cells;
        }
        cells.push_back(line.substr(start, end - start));
        start = end + 1;
    }
}

ImportedPiece PieceFromCells(const std::vector<std::string_view>& cells)
{
    const auto cell = [&cells](std::size_t i) {
        return i < cells.size() ? cells[i] : std::string_view();
    };
    ImportedPiece piece;
    piece.code = StrToIntDef0(cell(0));
    piece.quantity = StrToIntDef0(cell(1));
    piece.width = StrToRealComma(cell(2));
    piece.height = StrToRealComma(cell(3));
    piece.material = StrToIntDef0(cell(4));
    piece.description = std::string(cell(5));
    return piece;
}

std::string ImportedPieceLine(const ImportedPiece& piece)
{
    return "1 " + IntegerField(piece.code) + IntegerField(piece.quantity) + LengthField(piece.width) +
           LengthField(piece.height) + IntegerField(piece.material) + " " +
           DescriptionFieldText(piece.description, "_");
}

ImportSaveResult SaveImportedProject(long long number, std::string_view description,
                                     const std::vector<std::string>& lines, FileOps& ops)
{
    std::string failure;
    switch (CreateNewProject(number, description, lines, true, ops, &failure)) {
    case NewProjectResult::Written:
        return ImportSaveResult::Written;
    case NewProjectResult::NumberTaken:
        platform::ShowMessage(Msg(767) + " (" + std::to_string(number) + ")");
        return ImportSaveResult::NumberTaken;
    case NewProjectResult::WriteFailed:
        break;
    }
    platform::ShowMessage(failure);
    return ImportSaveResult::WriteFailed;
}

}  // namespace vor
