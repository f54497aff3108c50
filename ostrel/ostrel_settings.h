#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "ostrel/command_line.h"
#include "ostrel/markup.h"

namespace vor {
class IniFile;
}

namespace ostrel {

inline constexpr std::string_view kSettingsFileName = "ostrel.ini";  // in the settings folder
inline constexpr std::string_view kComboFileName = "COMBO.REL";      // in the program folder
inline constexpr std::string_view kLanguageFileName = "IDIO.NUM";    // in the program folder

// Position and size of a printed picture, in millimetres, as typed.
struct PictureSettings {
    std::string file;
    std::string x = "0";
    std::string y = "0";
    std::string width = "0";
    std::string height = "0";
    friend bool operator==(const PictureSettings&, const PictureSettings&) = default;
};

// Everything ostrel.ini holds.
struct OstrelSettings {
    int lineSpacing = 8;    // GERAL DIST_LINHAS, 1..20
    int letterSize = 8;     // GERAL TAM_LETRAS, 3..11
    int corTab = 6;         // GERAL COR_TAB, 0..6
    int corTit = 1;         // GERAL COR_TIT, 0..2
    int windowHeight = 390; // GERAL ALTURA_JANELA
    std::string marginLeft = "20";    // MARGEM ESQUERDA
    std::string marginTop = "20";     // MARGEM SUPERIOR
    std::string marginBottom = "20";  // MARGEM INFERIOR
    std::string headerText = "Cabeçalho";
    bool headerRule = true;
    std::string footerText = "Rodapé";
    bool footerRule = true;
    int orientation = 0;  // IMP ORIENTACAO: 1 landscape, else portrait
    bool tableRules = true;   // TABELA LINHA
    bool cursorBand = true;   // TABELA FAIXA
    PictureSettings picture1;  // DESENHO F1, X1, Y1, L1, H1
    PictureSettings picture2;  // DESENHO F2, X2, Y2, L2, H2
    friend bool operator==(const OstrelSettings&, const OstrelSettings&) = default;
};

inline constexpr int kMinLineSpacing = 1, kMaxLineSpacing = 20;
inline constexpr int kMinLetterSize = 3, kMaxLetterSize = 11;

// The settings of mode "H": the help column, whatever the file holds.
OstrelSettings HelpModeSettings(int screenHeight);

// Reads every key with its default; numbers outside their control's range are
// brought into it, as the track bars and radio groups would.
OstrelSettings ReadSettings(const vor::IniFile& ini);
// Writes every key; throws IoError when the file cannot be saved.
void WriteSettings(vor::IniFile& ini, const OstrelSettings& settings);

// The settings at start: ostrel.ini from the settings folder, or the help
// column in mode "H".
OstrelSettings StartSettings(Mode mode, int screenHeight);

// "Padrão": line spacing 8 and letter size 9 (the report is then reloaded).
void ApplyStandardLayout(OstrelSettings& settings);

bool IsLandscape(const OstrelSettings& settings);

RenderSettings MakeRenderSettings(const OstrelSettings& settings, Mode mode);

// ---- Files of the program folder ---------------------------------------------

// The presets of the "Linha nova" combo: lines of 0 or 1 character and a line
// equal to the one before it are skipped; a missing file gives none.
std::vector<std::string> ReadComboPresets(const std::filesystem::path& file);
// Rewrites the presets: the current text first, then every item; throws IoError on failure.
void WriteComboPresets(const std::filesystem::path& file, std::string_view current,
                       const std::vector<std::string>& items);

enum class Language { Portuguese, English, Spanish };

// The number on the first line of IDIO.NUM in the folder; 1 when the file is
// missing or unreadable.
int ReadLanguageNumber(const std::filesystem::path& folder);
// 2 and 4 (Dutch, shown in English) give English, 3 and 5 Spanish, anything else Portuguese.
Language LanguageFor(int number);

}  // namespace ostrel
