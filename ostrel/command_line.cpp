#include "ostrel/command_line.h"

#include <algorithm>
#include <system_error>

#include "vorplan/common/codec.h"

namespace ostrel {

CommandLine ParseCommandLine(const std::vector<std::string>& args, const FileExists& exists)
{
    CommandLine cmd;
    if (!args.empty() && vor::Utf8Length(args[0]) > 2) {
        const std::filesystem::path asGiven(args[0]);
        if (exists(asGiven)) {
            // A real "#" in a name is kept when the file is there as named.
            cmd.report = asGiven;
        } else {
            std::string decoded = args[0];
            std::replace(decoded.begin(), decoded.end(), '#', ' ');
            cmd.report = std::filesystem::path(decoded);
        }
    }
    if (args.size() >= 2) {
        if (args[1] == "H")
            cmd.mode = Mode::Help;
        else if (args[1] == "M")
            cmd.mode = Mode::NoPrint;
    }
    cmd.stayOpen = args.size() >= 3 && args[2] == "F";
    return cmd;
}

CommandLine ParseCommandLine(const std::vector<std::string>& args)
{
    return ParseCommandLine(args, [](const std::filesystem::path& p) {
        std::error_code ec;
        return std::filesystem::is_regular_file(p, ec);
    });
}

ModeRules RulesFor(Mode mode)
{
    ModeRules r;
    switch (mode) {
    case Mode::Normal:
        break;
    case Mode::Help:
        r.configureButton = false;
        r.contextMenu = false;
        r.aboutEditingHint = false;
        r.helpDefaults = true;
        r.savesSettings = false;
        break;
    case Mode::NoPrint:
        r.configureButton = false;
        r.printButton = false;
        r.aboutOnF1 = false;
        r.yellowBand = true;
        break;
    }
    return r;
}

bool SavesSettingsOnClose(Mode mode, bool saveBoxTicked)
{
    return saveBoxTicked && RulesFor(mode).savesSettings;
}

KeyAction ActionForKey(Key key, bool shift, Mode mode)
{
    const ModeRules rules = RulesFor(mode);
    switch (key) {
    case Key::F1: return rules.aboutOnF1 ? KeyAction::About : KeyAction::None;
    case Key::F3: return KeyAction::NextHit;
    case Key::F4: return shift ? KeyAction::ToggleRawView : KeyAction::None;
    case Key::F5:
        if (!shift)
            return KeyAction::ClearMarks;
        return rules.contextMenu ? KeyAction::EditLine : KeyAction::None;
    case Key::F10: return KeyAction::ShowConfigure;
    case Key::Other: break;
    }
    return KeyAction::None;
}

int ClampWindowHeight(int height) { return std::max(height, kMinWindowHeight); }

int StartWindowHeight(Mode mode, int screenHeight)
{
    const int percent = mode == Mode::Help ? 86 : 87;
    return ClampWindowHeight(static_cast<int>(static_cast<long long>(screenHeight) * percent / 100));
}

}  // namespace ostrel
