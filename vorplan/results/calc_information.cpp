#include "vorplan/results/calc_information.h"

#include <filesystem>
#include <optional>
#include <vector>

#include "vorplan/common/calc_data_reader.h"
#include "vorplan/common/codec.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/text_file.h"
#include "vorplan/results/saved_calculations.h"

namespace vor {

CalcInformation ReadCalcInformation(const DataFolders& folders, bool showDecimals)
{
    CalcInformation info;
    info.file = CalcDataFile(folders);
    const IniFile ini(info.file);
    const CalcDataTexts data = LoadCalcData(ini, showDecimals);
    info.lastMaterial = ini.ReadInteger("DADOS_ULT_CALC", "ULTIMO_MATERIAL_USADO", -1);
    info.piecesSelected = data.piecesSelected;
    info.piecesPlaced = data.piecesPlaced;
    info.orders = data.orders;
    info.status = data.status;
    info.start = data.start;
    const std::optional<std::vector<std::string>> ident = ReadTextLines(folders.mont / kIdentFile);
    if (ident)
        info.identification = ident->empty() ? std::string() : ident->front();
    try {
        std::error_code ec;
        if (std::filesystem::exists(info.file, ec))
            info.text = DecodeFileText(ReadFileBytes(info.file));
    } catch (const IoError&) {
        info.text.clear();
    }
    return info;
}

}  // namespace vor
