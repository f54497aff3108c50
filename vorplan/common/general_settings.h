#pragma once

#include <string>
#include <string_view>

#include "vorplan/common/bounded_array.h"

namespace vor {

class IniFile;
struct SharedGlobals;

constexpr const char* kInstalledVersion = "2.18";
// The window colour of every run; COR_TELA_P is replaced by it when read.
constexpr int kWindowColour = 14194203;
constexpr long kLabelTextLines = 10;
// The largest FAT_C_M / FAT_C_R text kept.
constexpr std::size_t kFactorTextLength = 5;

// Section ETIQUETA: the label text lines and the label page.
struct LabelPageSettings {
    BoundedArray<std::string, kLabelTextLines> lines;  // MAT1..MAT10
    int columns = 3;              // Colunas_Etiq_pg
    int rows = 8;                 // Linhas_Etiq_pg
    int sideMargin = 0;           // Margem_Lat_Etiq
    int topMargin = 0;            // Margem_Sup_Etiq
    int verticalDistance = 35;    // Dist_Vert_Etiq
    int horizontalDistance = 65;  // Dist_Horiz_Etiq
    int labelWidth = 64;          // Larg_Etiq
    int labelHeight = 34;         // Alt_Etiq
    int pictureWidth = 100;       // Larg_GRF
    int pictureHeight = 100;      // Alt_GRF
    int fontSize = 8;             // Tam_letra_Etiq

    LabelPageSettings();
};

// The options of the main settings file, held while the program runs. The
// defaults are those a missing file or key gives. Language, current order and
// material live beside this in the shared globals.
struct GeneralSettings {
    // Section Varios
    bool showSampleMaterial = true;          // Mostra_mat_exemplo
    bool pcbOption = false;                  // Opcao_PCI
    int partialCalculation = 1;              // CALC_PARCIAL, > 0 allows pieces left out
    int specialPerimeter = 0;                // PERIM_ESPECIAL, > 0 is on
    int runCount = 0;                        // MARG, advanced at every save
    bool beepSound = false;                  // Som_apito
    bool waveSound = false;                  // Som_wav
    std::string password;                    // Senha, clear text (scrambled on disk)
    std::string editor = "wordpad.exe";      // Editor, read and not used
    std::string money = "R$";                // money
    std::string pieceName, piecesName;       // s_peca, s_pecas
    std::string scrapName, scrapsName;       // s_sucata, s_sucatas
    bool showDecimals = true;                // SHOW_D
    bool roundingTypeOne = false;            // ARREDONDAMENTO_1
    bool firstFreeProjectNumber = true;      // TIPO_N_PROJETO_NOVO
    std::string viewerFactor = "1.0";        // FAT_C_M
    std::string reportFactor = "1.0";        // FAT_C_R
    int margSRelat = 0;                      // MARG_S_RELAT, kept and written back
    int orderType = 0;                       // TIP_PED
    int windowColour = kWindowColour;        // COR_TELA_P
    bool startMenu = true;                   // MENU_INI
    // Section TELA
    int screenType = 1;                      // Tipo
    // Section CALC
    bool internalTables = true;              // INTERNO
    // Section ETIQUETA
    LabelPageSettings labels;
};

// What the settings window hands to its Ok: the texts of its fields and the
// two options it does not set in memory at once.
struct SettingsWindowValues {
    std::string password;  // Edit1, clear text
    std::string money;     // Edit2
    std::string pieceName, piecesName, scrapName, scrapsName;  // Edit3..Edit6
    bool pcbOption = false;     // CheckBox3
    bool showDecimals = true;   // RadioButton8
};

// Reads every key of the general settings into `g` (settings, language
// index, current order and material) and sets the dimension precision to 1.
// Missing or unreadable keys give their defaults; a language outside 1..5 is 1.
void LoadSettings(const IniFile& ini, SharedGlobals& g);
// VL_.INI into the shared globals; throws IoError only when the settings
// folder cannot be made.
void LoadSettings();

// Advances MARG and writes the keys of the end of a run, in their fixed
// order; the password and the settings window's own keys are not written.
// Throws IoError when the file cannot be saved.
void SaveSettings(IniFile& ini, SharedGlobals& g);
void SaveSettings();

// The settings window's Ok: takes the window's values into `settings` and
// writes its keys in their fixed order. Throws IoError like SaveSettings.
void SaveGeneralSettings(IniFile& ini, GeneralSettings& settings, const SettingsWindowValues& values);
void SaveGeneralSettings(const SettingsWindowValues& values);

// The password as stored. Each character moves to its neighbour among the
// characters a settings file can hold as text (Windows-1252 without its
// control codes): down at odd positions, up at even ones (counted from 1),
// wrapping round at the ends of that set. Within ASCII and Latin-1 this is the
// plain shift by one ("abc" -> "`cb"); the shift never lands on a control
// code, a surrogate or a character the file would turn into "?". A character
// outside the set is kept as it is. An empty text stays empty.
std::string ScramblePassword(std::string_view clear);
// The inverse of ScramblePassword.
std::string UnscramblePassword(std::string_view stored);

// True when every character of `text` is one the settings file holds and the
// password scrambling moves, so the text survives saving and loading.
bool PasswordCanBeStored(std::string_view text);

// The INI reader trims blanks and takes off one pair of quotes, so a value it
// would change is returned inside quotes of its own; others as they are.
std::string QuotedIfNeeded(const std::string& value);

}  // namespace vor
