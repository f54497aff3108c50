#include "ostrel/ostrel_settings.h"

#include <algorithm>

#include "vorplan/common/conversions.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/text_file.h"

namespace ostrel {

namespace {

constexpr std::string_view kGeral = "GERAL";
constexpr std::string_view kMargem = "MARGEM";
constexpr std::string_view kCabecalho = "CABECALHO";
constexpr std::string_view kRodape = "RODAPE";
constexpr std::string_view kImp = "IMP";
constexpr std::string_view kTabela = "TABELA";
constexpr std::string_view kDesenho = "DESENHO";

struct PictureKeys {
    const char* file;
    const char* x;
    const char* y;
    const char* width;
    const char* height;
};
constexpr PictureKeys kPicture1{"F1", "X1", "Y1", "L1", "H1"};
constexpr PictureKeys kPicture2{"F2", "X2", "Y2", "L2", "H2"};

PictureSettings ReadPicture(const vor::IniFile& ini, const PictureKeys& k)
{
    PictureSettings p;
    p.file = ini.ReadString(kDesenho, k.file, "");
    p.x = ini.ReadString(kDesenho, k.x, "0");
    p.y = ini.ReadString(kDesenho, k.y, "0");
    p.width = ini.ReadString(kDesenho, k.width, "0");
    p.height = ini.ReadString(kDesenho, k.height, "0");
    return p;
}

void WritePicture(vor::IniFile& ini, const PictureKeys& k, const PictureSettings& p)
{
    ini.WriteString(kDesenho, k.file, p.file);
    ini.WriteString(kDesenho, k.x, p.x);
    ini.WriteString(kDesenho, k.y, p.y);
    ini.WriteString(kDesenho, k.width, p.width);
    ini.WriteString(kDesenho, k.height, p.height);
}

}  // namespace

OstrelSettings HelpModeSettings(int screenHeight)
{
    OstrelSettings s;
    s.windowHeight = StartWindowHeight(Mode::Help, screenHeight);
    s.headerText.clear();
    s.footerText = "Página <PG> / <TPG>";
    s.cursorBand = false;
    return s;
}

OstrelSettings ReadSettings(const vor::IniFile& ini)
{
    OstrelSettings s;
    s.lineSpacing = std::clamp(ini.ReadInteger(kGeral, "DIST_LINHAS", 8), kMinLineSpacing, kMaxLineSpacing);
    s.letterSize = std::clamp(ini.ReadInteger(kGeral, "TAM_LETRAS", 8), kMinLetterSize, kMaxLetterSize);
    s.corTab = std::clamp(ini.ReadInteger(kGeral, "COR_TAB", 6), 0, 6);
    s.corTit = std::clamp(ini.ReadInteger(kGeral, "COR_TIT", 1), 0, 2);
    s.windowHeight = ini.ReadInteger(kGeral, "ALTURA_JANELA", 390);
    s.marginLeft = ini.ReadString(kMargem, "ESQUERDA", "20");
    s.marginTop = ini.ReadString(kMargem, "SUPERIOR", "20");
    s.marginBottom = ini.ReadString(kMargem, "INFERIOR", "20");
    s.headerText = ini.ReadString(kCabecalho, "TEXTO", "Cabeçalho");
    s.headerRule = ini.ReadBool(kCabecalho, "LINHA", true);
    s.footerText = ini.ReadString(kRodape, "TEXTO", "Rodapé");
    s.footerRule = ini.ReadBool(kRodape, "LINHA", true);
    s.orientation = ini.ReadInteger(kImp, "ORIENTACAO", 0);
    s.tableRules = ini.ReadBool(kTabela, "LINHA", true);
    s.cursorBand = ini.ReadBool(kTabela, "FAIXA", true);
    s.picture1 = ReadPicture(ini, kPicture1);
    s.picture2 = ReadPicture(ini, kPicture2);
    return s;
}

void WriteSettings(vor::IniFile& ini, const OstrelSettings& s)
{
    ini.WriteInteger(kGeral, "DIST_LINHAS", s.lineSpacing);
    ini.WriteInteger(kGeral, "TAM_LETRAS", s.letterSize);
    ini.WriteInteger(kGeral, "COR_TAB", s.corTab);
    ini.WriteInteger(kGeral, "COR_TIT", s.corTit);
    ini.WriteInteger(kGeral, "ALTURA_JANELA", s.windowHeight);
    ini.WriteString(kMargem, "ESQUERDA", s.marginLeft);
    ini.WriteString(kMargem, "SUPERIOR", s.marginTop);
    ini.WriteString(kMargem, "INFERIOR", s.marginBottom);
    ini.WriteString(kCabecalho, "TEXTO", s.headerText);
    ini.WriteBool(kCabecalho, "LINHA", s.headerRule);
    ini.WriteString(kRodape, "TEXTO", s.footerText);
    ini.WriteBool(kRodape, "LINHA", s.footerRule);
    ini.WriteInteger(kImp, "ORIENTACAO", s.orientation);
    ini.WriteBool(kTabela, "LINHA", s.tableRules);
    ini.WriteBool(kTabela, "FAIXA", s.cursorBand);
    WritePicture(ini, kPicture1, s.picture1);
    WritePicture(ini, kPicture2, s.picture2);
}

OstrelSettings StartSettings(Mode mode, int screenHeight)
{
    if (RulesFor(mode).helpDefaults)
        return HelpModeSettings(screenHeight);
    return ReadSettings(vor::IniFile(std::filesystem::path(kSettingsFileName)));
}

void ApplyStandardLayout(OstrelSettings& settings)
{
    settings.lineSpacing = 8;
    settings.letterSize = 9;
}

bool IsLandscape(const OstrelSettings& settings) { return settings.orientation == 1; }

RenderSettings MakeRenderSettings(const OstrelSettings& settings, Mode mode)
{
    RenderSettings r;
    r.letterSize = settings.letterSize;
    r.corTab = settings.corTab;
    r.corTit = settings.corTit;
    r.tableRules = settings.tableRules;
    r.cursorBand = settings.cursorBand;
    r.yellowBand = RulesFor(mode).yellowBand;
    return r;
}

std::vector<std::string> ReadComboPresets(const std::filesystem::path& file)
{
    std::vector<std::string> items;
    const auto lines = vor::ReadTextLines(file);
    if (!lines)
        return items;
    const std::string* previous = nullptr;
    for (const std::string& line : *lines) {
        if (CharCount(line) > 1 && !(previous && *previous == line))
            items.push_back(line);
        previous = &line;
    }
    return items;
}

void WriteComboPresets(const std::filesystem::path& file, std::string_view current,
                       const std::vector<std::string>& items)
{
    std::vector<std::string> lines;
    lines.reserve(items.size() + 1);
    lines.emplace_back(current);
    lines.insert(lines.end(), items.begin(), items.end());
    vor::WriteTextLines(file, lines);
}

int ReadLanguageNumber(const std::filesystem::path& folder)
{
    const auto lines = vor::ReadTextLines(folder / kLanguageFileName);
    if (!lines || lines->empty())
        return 1;
    return vor::StrToIntDef0((*lines)[0]);
}

Language LanguageFor(int number)
{
    switch (number) {
    case 2:
    case 4: return Language::English;
    case 3:
    case 5: return Language::Spanish;
    default: return Language::Portuguese;
    }
}

}  // namespace ostrel
