#include "ostrel/command_line.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "tests/support/test_support.h"

using namespace ostrel;

namespace {

namespace fs = std::filesystem;

TEST(OstrelCommandLine, ArgumentTable)
{
    const std::set<std::string> existing{"/data/a#b.txt"};
    const FileExists exists = [&](const fs::path& p) { return existing.count(p.string()) > 0; };
    struct Case {
        std::vector<std::string> args;
        const char* report;  // nullptr: no report
        Mode mode;
        bool stayOpen;
    };
    const Case cases[] = {
        {{}, nullptr, Mode::Normal, false},
        {{"ab"}, nullptr, Mode::Normal, false},
        {{"çã"}, nullptr, Mode::Normal, false},  // 2 characters, 4 bytes
        {{"abc"}, "abc", Mode::Normal, false},
        {{"/tmp/My#Folder/r#1.txt"}, "/tmp/My Folder/r 1.txt", Mode::Normal, false},
        {{"/data/a#b.txt"}, "/data/a#b.txt", Mode::Normal, false},
        {{"r.txt", "H"}, "r.txt", Mode::Help, false},
        {{"r.txt", "h"}, "r.txt", Mode::Normal, false},
        {{"r.txt", "M"}, "r.txt", Mode::NoPrint, false},
        {{"r.txt", "HM"}, "r.txt", Mode::Normal, false},
        {{"r.txt", "", "F"}, "r.txt", Mode::Normal, true},
        {{"r.txt", "H", "f"}, "r.txt", Mode::Help, false},
        {{"#", "M", "F"}, nullptr, Mode::NoPrint, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.empty() ? std::string("(none)") : c.args[0]);
        const CommandLine cmd = ParseCommandLine(c.args, exists);
        if (c.report) {
            ASSERT_TRUE(cmd.report.has_value());
            EXPECT_EQ(cmd.report->string(), c.report);
        } else {
            EXPECT_FALSE(cmd.report.has_value());
        }
        EXPECT_EQ(cmd.mode, c.mode);
        EXPECT_EQ(cmd.stayOpen, c.stayOpen);
        EXPECT_EQ(ClosesOnDeactivation(cmd), !c.stayOpen);
    }
}

TEST(OstrelCommandLine, HashesOpenAFolderWithBlanks)
{
    vortest::TempDir dir;
    fs::create_directories(dir.path() / "My Reports");
    vortest::WriteBytes(dir.path() / "My Reports" / "list.txt", "x\r\n");
    std::string arg = (dir.path() / "My Reports" / "list.txt").string();
    std::replace(arg.begin(), arg.end(), ' ', '#');
    const CommandLine cmd = ParseCommandLine({arg});
    ASSERT_TRUE(cmd.report.has_value());
    EXPECT_TRUE(fs::exists(*cmd.report));
}

TEST(OstrelModes, RulesAndSaveOnCloseMatrix)
{
    const ModeRules normal = RulesFor(Mode::Normal);
    EXPECT_TRUE(normal.configureButton && normal.printButton && normal.contextMenu && normal.aboutOnF1);
    EXPECT_FALSE(normal.yellowBand || normal.helpDefaults);

    const ModeRules help = RulesFor(Mode::Help);
    EXPECT_FALSE(help.configureButton || help.contextMenu || help.aboutEditingHint || help.savesSettings);
    EXPECT_TRUE(help.printButton && help.helpDefaults && help.aboutOnF1);

    const ModeRules noPrint = RulesFor(Mode::NoPrint);
    EXPECT_FALSE(noPrint.configureButton || noPrint.printButton || noPrint.aboutOnF1);
    EXPECT_TRUE(noPrint.contextMenu && noPrint.yellowBand && noPrint.savesSettings);

    struct Case {
        Mode mode;
        bool ticked;
        bool saves;
    };
    const Case cases[] = {
        {Mode::Normal, true, true},  {Mode::Normal, false, false}, {Mode::Help, true, false},
        {Mode::Help, false, false},  {Mode::NoPrint, true, true},  {Mode::NoPrint, false, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SavesSettingsOnClose(c.mode, c.ticked), c.saves) << static_cast<int>(c.mode) << c.ticked;
}

TEST(OstrelModes, Keys)
{
    struct Case {
        Key key;
        bool shift;
        Mode mode;
        KeyAction action;
    };
    const Case cases[] = {
        {Key::F1, false, Mode::Normal, KeyAction::About},
        {Key::F1, false, Mode::NoPrint, KeyAction::None},
        {Key::F1, false, Mode::Help, KeyAction::About},
        {Key::F3, false, Mode::Normal, KeyAction::NextHit},
        {Key::F5, false, Mode::Normal, KeyAction::ClearMarks},
        {Key::F5, true, Mode::Normal, KeyAction::EditLine},
        {Key::F5, true, Mode::Help, KeyAction::None},
        {Key::F4, true, Mode::Help, KeyAction::ToggleRawView},
        {Key::F4, false, Mode::Normal, KeyAction::None},
        {Key::F10, false, Mode::Help, KeyAction::ShowConfigure},
        {Key::F10, false, Mode::NoPrint, KeyAction::ShowConfigure},
        {Key::Other, false, Mode::Normal, KeyAction::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ActionForKey(c.key, c.shift, c.mode), c.action)
            << static_cast<int>(c.key) << " " << c.shift << " " << static_cast<int>(c.mode);
}

TEST(OstrelModes, WindowHeight)
{
    EXPECT_EQ(StartWindowHeight(Mode::Normal, 1000), 870);
    EXPECT_EQ(StartWindowHeight(Mode::NoPrint, 1080), 939);
    EXPECT_EQ(StartWindowHeight(Mode::Help, 1000), 860);
    EXPECT_EQ(StartWindowHeight(Mode::Normal, 300), 300);
    EXPECT_EQ(ClampWindowHeight(120), 300);
    EXPECT_EQ(ClampWindowHeight(450), 450);
}

}  // namespace
