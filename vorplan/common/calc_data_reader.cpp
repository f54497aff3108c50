#include "vorplan/common/calc_data_reader.h"

#include <algorithm>
#include <charconv>
#include <system_error>

#include "vorplan/common/codec.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/real_helpers.h"

namespace vor {

namespace fs = std::filesystem;

namespace {

constexpr const char* kRun = "DADOS_ULT_CALC";
constexpr const char* kOptions = "DADOS_CONF_CALC";
constexpr const char* kMissing = "---";
constexpr long long kMissingNumber = -1;

// The calculation writer stores counts and lengths as 64-bit decimal text, so
// they are read whole here; other text falls back as IniFile reads integers.
long long ReadWholeNumber(const IniFile& ini, const char* section, const char* key,
                          long long def)
{
    const std::string text = ini.ReadString(section, key, "");
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '+')
        digits.remove_prefix(1);
    long long value = 0;
    const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    const bool signTwice = digits.size() < text.size() && !digits.empty() && digits.front() == '-';
    if (!digits.empty() && !signTwice && ec == std::errc() && ptr == digits.data() + digits.size())
        return value;
    return ini.ReadInteger(section, key, static_cast<int>(def));
}

std::string BorderText(const IniFile& ini, const char* key, bool showDecimals)
{
    const long long tenths = ReadWholeNumber(ini, kOptions, key, kMissingNumber);
    return FormatRealText(static_cast<double>(tenths) / 10.0, showDecimals);
}

std::string CutToFieldLength(const std::string& text)
{
    return Utf8Left(text, kOrderFieldLength);
}

std::string PadInFront(const std::string& text, std::size_t width)
{
    const std::size_t length = Utf8Length(text);
    return length >= width ? text : std::string(width - length, ' ') + text;
}

}  // namespace

// ---- Calculation data --------------------------------------------------------------------

CalcDataTexts LoadCalcData(const IniFile& ini, bool showDecimals)
{
    CalcDataTexts data;
    data.orders = ini.ReadString(kRun, "PEDIDOS", "-1");
    data.piecesSelected =
        std::to_string(ReadWholeNumber(ini, kRun, "PECAS_SELECIONADAS", kMissingNumber));
    data.piecesPlaced =
        std::to_string(ReadWholeNumber(ini, kRun, "PECAS_POSICIONADAS", kMissingNumber));
    data.start = ini.ReadString(kRun, "DATA_INI_CALC", kMissing) + "    " +
                 ini.ReadString(kRun, "HORA_INI_CALC", kMissing);
    data.status = ini.ReadString(kRun, "S_STATUS", kMissing);
    data.calcType = ini.ReadString(kOptions, "S_TIP_CALC", kMissing);
    data.pieceBorderLength = BorderText(ini, "BORDA_PECA_L", showDecimals);
    data.pieceBorderHeight = BorderText(ini, "BORDA_PECA_H", showDecimals);
    data.sheetBorderLeft = BorderText(ini, "BORDA_CHP_ESQ", showDecimals);
    data.sheetBorderRight = BorderText(ini, "BORDA_CHP_DIR", showDecimals);
    data.sheetBorderBottom = BorderText(ini, "BORDA_CHP_INF", showDecimals);
    data.sheetBorderTop = BorderText(ini, "BORDA_CHP_SUP", showDecimals);
    return data;
}

CalcDataTexts LoadCalcData()
{
    const IniFile calcData(CalcDataFile(gShared.folders));
    return LoadCalcData(calcData, gShared.settings.showDecimals);
}

long long EqualPieceBorder(const IniFile& ini)
{
    const long long length = ReadWholeNumber(ini, kOptions, "BORDA_PECA_L", kMissingNumber);
    const long long height = ReadWholeNumber(ini, kOptions, "BORDA_PECA_H", kMissingNumber);
    return length == height ? length : 0;
}

long long EqualPieceBorder()
{
    const IniFile calcData(CalcDataFile(gShared.folders));
    return EqualPieceBorder(calcData);
}

void AddCalcDataBlock(std::vector<std::string>& lines, const CalcDataTexts& data)
{
    lines.push_back("@*" + Msg(158) + ":");
    lines.push_back("@D");
    lines.push_back(Msg(475) + " : " + data.piecesSelected);
    lines.push_back(Msg(476) + " : " + data.piecesPlaced);
    lines.push_back(Msg(472) + " " + data.status);
    lines.push_back(Msg(47) + " : " + data.calcType);
    lines.push_back(Msg(400) + " - " + Msg(142) + " : " + data.pieceBorderLength);
    lines.push_back(Msg(400) + " - " + Msg(143) + " : " + data.pieceBorderHeight);
    lines.push_back(Msg(401) + " - " + Msg(491) + " " + data.sheetBorderLeft);
    lines.push_back(Msg(401) + " - " + Msg(492) + " " + data.sheetBorderRight);
    lines.push_back(Msg(401) + " - " + Msg(494) + " " + data.sheetBorderBottom);
    lines.push_back(Msg(401) + " - " + Msg(493) + " " + data.sheetBorderTop);
    lines.push_back("@d");
}

void AddCalcDataBlock(std::vector<std::string>& lines)
{
    AddCalcDataBlock(lines, LoadCalcData());
}

// ---- Order field captions --------------------------------------------------------------------

OrderFieldCaptions LoadOrderFieldCaptions(const IniFile& settings, const IniFile& description,
                                          bool align)
{
    // Title k of the table editor names description field k + 1; the fields
    // keep the order the page headers print them in.
    static constexpr const char* kValueKeys[kOrderFieldCount] = {
        "CAMPO1", "CAMPO2", "CAMPO4", "CAMPO5", "CAMPO6", "CAMPO7", "CAMPO3", "CAMPO8", "CAMPO9"};
    static constexpr const char* kCaptionKeys[kOrderFieldCount] = {
        "CAMPO0", "CAMPO1", "CAMPO3", "CAMPO4", "CAMPO5", "CAMPO6", "CAMPO2", "CAMPO7", "CAMPO8"};

    OrderFieldCaptions fields;
    std::size_t longest = 0;
    for (long i = 1; i <= kOrderFieldCount; ++i) {
        const auto slot = static_cast<std::size_t>(i - 1);
        fields.captions[i] = CutToFieldLength(settings.ReadString("PEDIDO", kCaptionKeys[slot], kMissing));
        fields.values[i] = CutToFieldLength(description.ReadString("PED", kValueKeys[slot], ""));
        longest = std::max(longest, Utf8Length(fields.captions[i]));
    }
    const std::size_t width = (align ? longest : 0) + 2;
    for (long i = 1; i <= kOrderFieldCount; ++i)
        fields.captions[i] = PadInFront(fields.captions[i], width);
    return fields;
}

void LoadOrderFieldCaptions(bool align)
{
    const IniFile settings(MainSettingsFile());
    const IniFile description(ProjectDescriptionFile(gShared.folders, gShared.currentOrder));
    gShared.orderFields = LoadOrderFieldCaptions(settings, description, align);
}

// ---- Interface settings -------------------------------------------------------------------------

void ReadMrpSettings(const DataFolders& folders, InterfaceSettings& settings)
{
    const fs::path path = MrpSettingsFile(folders);
    std::error_code ec;
    if (!fs::exists(path, ec)) {
        settings.mrpName.clear();
        settings.prjDescription.clear();
        return;
    }
    const IniFile ini(path);
    settings.mrpName = ini.ReadString("MRP", "MRP_NAME", "");
    settings.prjDescription = ini.ReadString("MRP", "PRJ_DESCRIPTION", "");
}

void ReadMrpSettings()
{
    ReadMrpSettings(gShared.folders, gShared.interfaces);
}

void ReadCncSettings(const DataFolders& folders, InterfaceSettings& settings)
{
    const fs::path path = CncSettingsFile(folders);
    std::error_code ec;
    if (!fs::exists(path, ec)) {
        settings.cncDriverName.clear();
        return;
    }
    const IniFile ini(path);
    settings.cncDriverName = ini.ReadString("CNC", "CNC_DRIVER_NAME", "");
}

void ReadCncSettings()
{
    ReadCncSettings(gShared.folders, gShared.interfaces);
}

}  // namespace vor
