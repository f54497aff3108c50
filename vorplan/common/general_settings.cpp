#include "vorplan/common/general_settings.h"

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

#include "vorplan/common/codec.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/language_texts.h"

namespace vor {

namespace {

constexpr std::string_view kVarios = "Varios";
constexpr std::string_view kEtiqueta = "ETIQUETA";
constexpr std::string_view kTela = "TELA";
constexpr std::string_view kCalc = "CALC";

const char* const kLabelLineKeys[kLabelTextLines] = {"MAT1", "MAT2", "MAT3", "MAT4", "MAT5",
                                                     "MAT6", "MAT7", "MAT8", "MAT9", "MAT10"};

// The characters a settings file holds as text, in code point order:
// Windows-1252 without the C0, DEL and C1 controls.
std::vector<char32_t> MakeStorableSet()
{
    std::vector<char32_t> set;
    for (unsigned b = 0x20; b <= 0xFF; ++b) {
        const std::u32string c = Utf8ToCodePoints(Cp1252ToUtf8(std::string(1, static_cast<char>(b))));
        if (c.size() == 1 && c[0] != 0x7F && !(c[0] >= 0x80 && c[0] <= 0x9F))
            set.push_back(c[0]);
    }
    std::sort(set.begin(), set.end());
    return set;
}

const std::vector<char32_t>& StorableSet()
{
    static const std::vector<char32_t> set = MakeStorableSet();
    return set;
}

bool IsStorable(char32_t c)
{
    const auto& set = StorableSet();
    return std::binary_search(set.begin(), set.end(), c);
}

// `c` moved `step` (+1 or -1) places within the storable set, wrapping round.
char32_t Neighbour(char32_t c, int step)
{
    const auto& set = StorableSet();
    const auto it = std::lower_bound(set.begin(), set.end(), c);
    if (it == set.end() || *it != c)
        return c;
    const auto size = static_cast<std::ptrdiff_t>(set.size());
    const std::ptrdiff_t index = ((it - set.begin()) + step + size) % size;
    return set[static_cast<std::size_t>(index)];
}

std::string Shift(std::string_view text, int oddStep)
{
    std::u32string chars = Utf8ToCodePoints(text);
    for (std::size_t i = 0; i < chars.size(); ++i) {
        // Position i + 1: odd positions take oddStep, even ones the opposite.
        chars[i] = Neighbour(chars[i], i % 2 == 0 ? oddStep : -oddStep);
    }
    return CodePointsToUtf8(chars);
}

bool IsTrimmedOrQuote(char c)
{
    return c == ' ' || c == '\t' || c == '"' || c == '\'';
}

std::string ReadFactor(const IniFile& ini, std::string_view key)
{
    return Utf8Left(ini.ReadString(kVarios, key, "1.0"), kFactorTextLength);
}

void WriteScrambledPassword(IniFile& ini, const std::string& clear)
{
    ini.WriteString(kVarios, "Senha", QuotedIfNeeded(ScramblePassword(clear)));
}

}  // namespace

LabelPageSettings::LabelPageSettings()
{
    lines[1] = "Material: <MAT>";
    lines[2] = "Dimensão: <DIM>";
    lines[3] = "Pedido: <PED>";
}

void LoadSettings(const IniFile& ini, SharedGlobals& g)
{
    GeneralSettings& s = g.settings;
    s.showSampleMaterial = ini.ReadBool(kVarios, "Mostra_mat_exemplo", true);
    s.pcbOption = ini.ReadBool(kVarios, "Opcao_PCI", false);
    g.languageIndex = ValidLanguageIndex(ini.ReadInteger(kVarios, "Idioma", 1));
    s.partialCalculation = ini.ReadInteger(kVarios, "CALC_PARCIAL", 1);
    s.specialPerimeter = ini.ReadInteger(kVarios, "PERIM_ESPECIAL", 0);
    g.currentOrder = ini.ReadInteger(kVarios, "Pedido", 0);
    g.currentMaterial = ini.ReadInteger(kVarios, "Material", 0);
    s.runCount = ini.ReadInteger(kVarios, "MARG", 0);
    s.beepSound = ini.ReadBool(kVarios, "Som_apito", false);
    s.waveSound = ini.ReadBool(kVarios, "Som_wav", false);
    s.password = UnscramblePassword(ini.ReadString(kVarios, "Senha", ""));
    s.editor = ini.ReadString(kVarios, "Editor", "wordpad.exe");
    s.money = ini.ReadString(kVarios, "money", "R$");
    s.pieceName = ini.ReadString(kVarios, "s_peca", "");
    s.piecesName = ini.ReadString(kVarios, "s_pecas", "");
    s.scrapName = ini.ReadString(kVarios, "s_sucata", "");
    s.scrapsName = ini.ReadString(kVarios, "s_sucatas", "");
    s.showDecimals = ini.ReadBool(kVarios, "SHOW_D", true);
    s.roundingTypeOne = ini.ReadBool(kVarios, "ARREDONDAMENTO_1", false);
    s.firstFreeProjectNumber = ini.ReadBool(kVarios, "TIPO_N_PROJETO_NOVO", true);
    s.viewerFactor = ReadFactor(ini, "FAT_C_M");
    s.reportFactor = ReadFactor(ini, "FAT_C_R");
    s.margSRelat = ini.ReadInteger(kVarios, "MARG_S_RELAT", 0);
    s.orderType = ini.ReadInteger(kVarios, "TIP_PED", 0);
    // COR_TELA_P (default 8421376) gives way to the fixed colour at once, so
    // what the file held never matters.
    s.windowColour = kWindowColour;
    s.startMenu = ini.ReadBool(kVarios, "MENU_INI", true);

    s.screenType = ini.ReadInteger(kTela, "Tipo", 1);
    s.internalTables = ini.ReadBool(kCalc, "INTERNO", true);

    const LabelPageSettings defaults;
    LabelPageSettings& l = s.labels;
    for (long i = 1; i <= kLabelTextLines; ++i)
        l.lines[i] = ini.ReadString(kEtiqueta, kLabelLineKeys[i - 1], defaults.lines[i]);
    l.columns = ini.ReadInteger(kEtiqueta, "Colunas_Etiq_pg", defaults.columns);
    l.rows = ini.ReadInteger(kEtiqueta, "Linhas_Etiq_pg", defaults.rows);
    l.sideMargin = ini.ReadInteger(kEtiqueta, "Margem_Lat_Etiq", defaults.sideMargin);
    l.topMargin = ini.ReadInteger(kEtiqueta, "Margem_Sup_Etiq", defaults.topMargin);
    l.verticalDistance = ini.ReadInteger(kEtiqueta, "Dist_Vert_Etiq", defaults.verticalDistance);
    l.horizontalDistance = ini.ReadInteger(kEtiqueta, "Dist_Horiz_Etiq", defaults.horizontalDistance);
    l.labelWidth = ini.ReadInteger(kEtiqueta, "Larg_Etiq", defaults.labelWidth);
    l.labelHeight = ini.ReadInteger(kEtiqueta, "Alt_Etiq", defaults.labelHeight);
    l.pictureWidth = ini.ReadInteger(kEtiqueta, "Larg_GRF", defaults.pictureWidth);
    l.pictureHeight = ini.ReadInteger(kEtiqueta, "Alt_GRF", defaults.pictureHeight);
    l.fontSize = ini.ReadInteger(kEtiqueta, "Tam_letra_Etiq", defaults.fontSize);

    g.dimensionPrecision = 1;
}

void LoadSettings()
{
    LoadSettings(IniFile(MainSettingsFile()), gShared);
}

void SaveSettings(IniFile& ini, SharedGlobals& g)
{
    GeneralSettings& s = g.settings;
    ini.WriteBool(kVarios, "Mostra_mat_exemplo", s.showSampleMaterial);
    ini.WriteBool(kVarios, "Opcao_PCI", s.pcbOption);
    ini.WriteInteger(kVarios, "Idioma", g.languageIndex);
    ini.WriteString(kVarios, "Versao instalada", kInstalledVersion);
    ini.WriteInteger(kVarios, "CALC_PARCIAL", s.partialCalculation);
    ini.WriteInteger(kVarios, "PERIM_ESPECIAL", s.specialPerimeter);
    ini.WriteBool(kVarios, "Som_apito", s.beepSound);
    ini.WriteBool(kVarios, "Som_wav", s.waveSound);
    ini.WriteInteger(kVarios, "Pedido", static_cast<int>(g.currentOrder));
    ini.WriteInteger(kVarios, "Material", static_cast<int>(g.currentMaterial));
    // Saturates: wrapping to a negative count would show the introduction again.
    if (s.runCount < std::numeric_limits<int>::max())
        ++s.runCount;
    ini.WriteInteger(kVarios, "MARG", s.runCount);

    const LabelPageSettings& l = s.labels;
    for (long i = 1; i <= kLabelTextLines; ++i)
        ini.WriteString(kEtiqueta, kLabelLineKeys[i - 1], l.lines[i]);
    ini.WriteInteger(kEtiqueta, "Colunas_Etiq_pg", l.columns);
    ini.WriteInteger(kEtiqueta, "Linhas_Etiq_pg", l.rows);
    ini.WriteInteger(kEtiqueta, "Margem_Lat_Etiq", l.sideMargin);
    ini.WriteInteger(kEtiqueta, "Margem_Sup_Etiq", l.topMargin);
    ini.WriteInteger(kEtiqueta, "Dist_Vert_Etiq", l.verticalDistance);
    ini.WriteInteger(kEtiqueta, "Dist_Horiz_Etiq", l.horizontalDistance);
    ini.WriteInteger(kEtiqueta, "Larg_Etiq", l.labelWidth);
    ini.WriteInteger(kEtiqueta, "Alt_Etiq", l.labelHeight);
    ini.WriteInteger(kEtiqueta, "Larg_GRF", l.pictureWidth);
    ini.WriteInteger(kEtiqueta, "Alt_GRF", l.pictureHeight);
    ini.WriteInteger(kEtiqueta, "Tam_letra_Etiq", l.fontSize);

    ini.WriteInteger(kTela, "Tipo", s.screenType);
    ini.WriteInteger(kVarios, "MARG_S_RELAT", s.margSRelat);
    ini.WriteBool(kCalc, "INTERNO", s.internalTables);
    ini.WriteInteger(kVarios, "COR_TELA_P", s.windowColour);
    ini.WriteBool(kVarios, "MENU_INI", s.startMenu);
    ini.WriteInteger(kVarios, "N_CASAS_DECIMAIS", g.dimensionPrecision);
}

void SaveSettings()
{
    IniFile ini(MainSettingsFile());
    SaveSettings(ini, gShared);
}

void SaveGeneralSettings(IniFile& ini, GeneralSettings& s, const SettingsWindowValues& values)
{
    s.password = values.password;
    s.money = values.money;
    s.pieceName = values.pieceName;
    s.piecesName = values.piecesName;
    s.scrapName = values.scrapName;
    s.scrapsName = values.scrapsName;
    s.pcbOption = values.pcbOption;
    s.showDecimals = values.showDecimals;

    ini.WriteBool(kVarios, "Som_apito", s.beepSound);
    ini.WriteBool(kVarios, "Som_wav", s.waveSound);
    WriteScrambledPassword(ini, s.password);
    ini.WriteString(kVarios, "money", s.money);
    ini.WriteString(kVarios, "s_peca", s.pieceName);
    ini.WriteString(kVarios, "s_pecas", s.piecesName);
    ini.WriteString(kVarios, "s_sucata", s.scrapName);
    ini.WriteString(kVarios, "s_sucatas", s.scrapsName);
    ini.WriteBool(kVarios, "SHOW_D", s.showDecimals);
    ini.WriteBool(kVarios, "ARREDONDAMENTO_1", s.roundingTypeOne);
    ini.WriteString(kVarios, "FAT_C_M", s.viewerFactor);
    ini.WriteString(kVarios, "FAT_C_R", s.reportFactor);
    ini.WriteInteger(kVarios, "TIP_PED", s.orderType);
    ini.WriteBool(kVarios, "MENU_INI", s.startMenu);
    ini.WriteBool(kVarios, "OPC_PCI", s.pcbOption);
    ini.WriteBool(kVarios, "TIPO_N_PROJETO_NOVO", s.firstFreeProjectNumber);
}

void SaveGeneralSettings(const SettingsWindowValues& values)
{
    IniFile ini(MainSettingsFile());
    SaveGeneralSettings(ini, gShared.settings, values);
}

std::string ScramblePassword(std::string_view clear)
{
    return Shift(clear, -1);
}

std::string UnscramblePassword(std::string_view stored)
{
    return Shift(stored, +1);
}

std::string QuotedIfNeeded(const std::string& value)
{
    if (value.empty())
        return value;
    if (IsTrimmedOrQuote(value.front()) || IsTrimmedOrQuote(value.back()) ||
        !PasswordCanBeStored(value))
        return "\"" + value + "\"";
    return value;
}

bool PasswordCanBeStored(std::string_view text)
{
    const std::u32string chars = Utf8ToCodePoints(text);
    return std::all_of(chars.begin(), chars.end(), IsStorable);
}

}  // namespace vor
