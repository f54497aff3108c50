#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ostrel {

enum class Mode {
    Normal,
    Help,     // "H": read-only, help display defaults, settings never saved
    NoPrint,  // "M": no configuring, no printing, yellow cursor band
};

struct CommandLine {
    std::optional<std::filesystem::path> report;  // nullopt: no usable report path
    Mode mode = Mode::Normal;
    bool stayOpen = false;  // "F": do not close when the program loses the focus
};

using FileExists = std::function<bool(const std::filesystem::path&)>;

// Reads the arguments after the program name. The report path is taken when
// it is longer than 2 characters: as it stands when such a file exists,
// otherwise with every "#" turned back into a blank. Mode and "F" are compared
// exactly.
CommandLine ParseCommandLine(const std::vector<std::string>& args, const FileExists& exists);
CommandLine ParseCommandLine(const std::vector<std::string>& args);  // checks the file system

// What a mode allows in the main window.
struct ModeRules {
    bool configureButton = true;
    bool printButton = true;
    bool contextMenu = true;       // right-button menu: marks for editing and line editing
    bool aboutOnF1 = true;
    bool aboutEditingHint = true;  // the editing hint panel of the about window
    bool yellowBand = false;       // cursor band of tables yellow instead of aqua
    bool helpDefaults = false;     // display settings from the help column, not the file
    bool savesSettings = true;
};

ModeRules RulesFor(Mode mode);

// Settings are written on close only when the save box is ticked and the mode is not "H".
bool SavesSettingsOnClose(Mode mode, bool saveBoxTicked);

// The text put on the clipboard just before closing on deactivation.
inline constexpr std::string_view kClipboardReply = "OSTRELFIM";

// Closing on deactivation (with the clipboard reply) happens unless "F" was given.
inline bool ClosesOnDeactivation(const CommandLine& cmd) { return !cmd.stayOpen; }

enum class Key { F1, F3, F4, F5, F10, Other };

enum class KeyAction { None, About, NextHit, ClearMarks, ShowConfigure, ToggleRawView, EditLine };

// The main window's keys.
KeyAction ActionForKey(Key key, bool shift, Mode mode);

inline constexpr int kWindowWidth = 634;
inline constexpr int kMinWindowHeight = 300;

// The window's height at start: 87% of the screen, 86% in mode "H", at least 300.
int StartWindowHeight(Mode mode, int screenHeight);
// A height the user drags to, kept at 300 or more.
int ClampWindowHeight(int height);

}  // namespace ostrel
