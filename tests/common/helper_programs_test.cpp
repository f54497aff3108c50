// Starting kalendo and ostrel, and opening documents, through fake services.
#include "vorplan/common/helper_programs.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/fake_clipboard.h"
#include "platform/fake_message_service.h"
#include "platform/fake_process_launcher.h"
#include "tests/support/test_support.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/globals.h"

namespace {

namespace fs = std::filesystem;
using vortest::WriteBytes;

std::string Hashed(std::string text)
{
    for (char& c : text) {
        if (c == ' ')
            c = '#';
    }
    return text;
}

// An installation whose base folder has a blank in its name, message n
// reading "M<n>", and fake clipboard, launcher and message boxes.
class HelperProgramsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_saved = std::make_unique<vor::SharedGlobals>(vor::gShared);
        for (long slot = 1; slot <= vor::kMessageSlots; ++slot)
            vor::gShared.messages[slot] = "M" + std::to_string(slot);
        fs::create_directories(m_dir.path() / "data dir");
        folders = vor::MakeDataFolders(m_dir.path() / "data dir");
        for (const fs::path& folder : {folders.hlp, folders.rel})
            fs::create_directories(folder);
        vor::gShared.folders = folders;
    }

    void TearDown() override { vor::gShared = *m_saved; }

    void InstallKalendo() const { WriteBytes(folders.base / "kalendo", "#!/bin/sh\n"); }

    std::string MissingText(const fs::path& path) const
    {
        return "M799 [" + path.string() + "] M800";
    }

    vor::DataFolders folders;
    platform::FakeClipboard clipboard;
    platform::FakeProcessLauncher launcher;
    platform::ScriptedMessages messages;

private:
    vortest::TempDir m_dir;
    std::unique_ptr<vor::SharedGlobals> m_saved;
    platform::ScopedClipboard m_installedClipboard{clipboard};
    platform::ScopedLauncher m_installedLauncher{launcher};
    platform::ScopedMessages m_installedMessages{messages};
};

struct LanguageCase {
    int language;
    const char* helpFile;
    const char* introFile;
};

TEST_F(HelperProgramsTest, HelpAndIntroCommandsByLanguageGoOnTheClipboardBeforeKalendoStarts)
{
    const LanguageCase cases[] = {
        {1, "VA2001_P.RTF", "INTRO_P.RTF"}, {2, "VA2001_I.RTF", "INTRO_I.RTF"},
        {3, "VA2001_E.RTF", "INTRO_E.RTF"}, {4, "VA2001_N.RTF", "INTRO_N.RTF"},
        {5, "VA2001_P.RTF", "INTRO_E.RTF"},  // Spain: the Portuguese help, the Spanish introduction
        {0, "VA2001_P.RTF", "INTRO_P.RTF"}, {7, "VA2001_P.RTF", "INTRO_P.RTF"},
    };
    InstallKalendo();
    std::vector<std::string> clipboardAtStart;
    launcher.SetOnStart([&](const platform::StartedProgram&) { clipboardAtStart.push_back(clipboard.Text()); });

    for (const LanguageCase& c : cases) {
        SCOPED_TRACE(c.language);
        const std::string prefix = "VA2001-TXT#2.18#" + std::to_string(c.language) + "#1#0#";
        launcher.ClearCalls();
        clipboardAtStart.clear();

        int state = vor::kStartupNotStarted;
        EXPECT_TRUE(vor::ShowHelpText(folders, c.language, state));
        EXPECT_EQ(state, vor::kStartupViewerStarted);
        const std::string help = prefix + (folders.hlp / c.helpFile).string();
        EXPECT_EQ(clipboard.Text(), help);

        state = vor::kStartupNotStarted;
        EXPECT_TRUE(vor::ShowIntroText(folders, c.language, state));
        EXPECT_EQ(state, vor::kStartupViewerStarted);
        const std::string intro = prefix + (folders.hlp / c.introFile).string();
        EXPECT_EQ(clipboard.Text(), intro);
        EXPECT_EQ(vor::IntroTextPath(folders, c.language), folders.hlp / c.introFile);

        EXPECT_EQ(clipboardAtStart, (std::vector<std::string>{help, intro}));
        ASSERT_EQ(launcher.Started().size(), 2u);
        for (const platform::StartedProgram& started : launcher.Started()) {
            EXPECT_EQ(started.program, folders.base / "kalendo");
            EXPECT_TRUE(started.arguments.empty());
            EXPECT_EQ(started.workingFolder, folders.base);
        }
    }
    EXPECT_EQ(messages.Count(), 0u);
}

TEST_F(HelperProgramsTest, StartupCommandCarriesThePassword)
{
    InstallKalendo();
    int state = vor::kStartupNotStarted;
    EXPECT_TRUE(vor::SendStartupCommand(folders, 1, "pw", state));
    EXPECT_EQ(clipboard.Text(), "VA2001-ENT#2.18#1#1#0#pw");
    EXPECT_EQ(state, vor::kStartupViewerStarted);
    ASSERT_EQ(launcher.Started().size(), 1u);
}

// A help path far longer than 80 characters reaches kalendo whole.
TEST_F(HelperProgramsTest, LongHelpPathIsNotCut)
{
    vor::DataFolders deep = vor::MakeDataFolders(folders.base / std::string(120, 'x'));
    fs::create_directories(deep.base);
    WriteBytes(deep.base / "kalendo", "");
    int state = vor::kStartupNotStarted;
    ASSERT_TRUE(vor::ShowHelpText(deep, 2, state));
    const std::string path = (deep.hlp / "VA2001_I.RTF").string();
    ASSERT_GT(path.size(), 80u);
    EXPECT_EQ(clipboard.Text(), "VA2001-TXT#2.18#2#1#0#" + path);
}

struct ViewerFailure {
    const char* name;
    bool programExists;
    bool startFails;
};

// A missing kalendo and one that does not start end the same way: the
// program-missing message and state 10, so the main window closes.
TEST_F(HelperProgramsTest, KalendoMissingOrNotStartingShowsTheMessageAndState10)
{
    const ViewerFailure cases[] = {{"missing", false, false}, {"start fails", true, true}};
    for (const ViewerFailure& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(folders.base / "kalendo");
        if (c.programExists)
            InstallKalendo();
        launcher.SetFailStarts(c.startFails);
        messages.ClearShown();

        int state = vor::kStartupViewerStarted;
        EXPECT_FALSE(vor::ShowHelpText(folders, 1, state));
        EXPECT_EQ(state, vor::kStartupViewerMissing);
        EXPECT_EQ(messages.Texts(), (std::vector<std::string>{MissingText(folders.base / "kalendo")}));
    }
}

TEST_F(HelperProgramsTest, NoLauncherInstalledStartsNothing)
{
    platform::SetLauncher(nullptr);
    InstallKalendo();
    int state = vor::kStartupNotStarted;
    EXPECT_FALSE(vor::StartTextViewer(folders, state));
    EXPECT_EQ(state, vor::kStartupViewerMissing);
    EXPECT_FALSE(platform::Launcher().OpenDocument(folders.base / "kalendo"));
    platform::SetLauncher(&launcher);
}

TEST_F(HelperProgramsTest, LanguageThatIsNotOneDigitSendsAndStartsNothing)
{
    InstallKalendo();
    clipboard.SetText("mine");
    int state = vor::kStartupNotStarted;
    EXPECT_THROW(vor::ShowHelpText(folders, 10, state), vor::RangeError);
    EXPECT_EQ(clipboard.Text(), "mine");
    EXPECT_TRUE(launcher.Started().empty());
    EXPECT_EQ(state, vor::kStartupNotStarted);
}

TEST_F(HelperProgramsTest, OstrelGetsThePathAsOneArgumentWithBlanksAsHashes)
{
    const fs::path report = folders.rel / "RELAT TXT 2.TXT";
    EXPECT_TRUE(vor::StartReportViewer(folders, report));
    ASSERT_EQ(launcher.Started().size(), 1u);
    const platform::StartedProgram& started = launcher.Started()[0];
    EXPECT_EQ(started.program, folders.base / "ostrel");
    EXPECT_EQ(started.workingFolder, folders.base);
    const std::string expected = Hashed(report.string());
    EXPECT_EQ(started.arguments, (std::vector<std::string>{expected}));
    EXPECT_NE(expected.find("data#dir/REL/RELAT#TXT#2.TXT"), std::string::npos);

    // A bare name is taken from the base folder.
    EXPECT_EQ(vor::ReportViewerArgument(folders, "LIST_PED.REL"),
              Hashed((folders.base / "LIST_PED.REL").string()));
}

TEST_F(HelperProgramsTest, OstrelThatDoesNotStartIsReported)
{
    launcher.SetFailStarts(true);
    EXPECT_FALSE(vor::StartReportViewer(folders, folders.rel / "RELAT.TXT"));
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{MissingText(folders.base / "ostrel")}));
}

TEST_F(HelperProgramsTest, ReportListIsCheckedFirstTheHistoryListIsNot)
{
    // Report list missing: message 562, nothing started.
    EXPECT_FALSE(vor::ShowCalcReportList(folders, 12));
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"M562"}));
    EXPECT_TRUE(launcher.Started().empty());

    WriteBytes(folders.rel / "NUS00012.TAB", "x\r\n");
    messages.ClearShown();
    EXPECT_TRUE(vor::ShowCalcReportList(folders, 12));
    ASSERT_EQ(launcher.Started().size(), 1u);
    EXPECT_EQ(launcher.Started()[0].arguments,
              (std::vector<std::string>{Hashed((folders.rel / "NUS00012.TAB").string())}));

    // The history list starts ostrel whether or not the file is there.
    EXPECT_TRUE(vor::ShowCalcHistoryList(folders, 12));
    ASSERT_EQ(launcher.Started().size(), 2u);
    EXPECT_EQ(launcher.Started()[1].arguments,
              (std::vector<std::string>{Hashed((folders.rel / "ULTIMAS.012").string())}));
    EXPECT_EQ(messages.Count(), 0u);
}

TEST_F(HelperProgramsTest, ShellLaunchWithoutAFolderStartsInTheBaseFolder)
{
    EXPECT_TRUE(vor::ShellLaunch("/bin/true", {"a b", ""}, {}, 1));
    ASSERT_EQ(launcher.Started().size(), 1u);
    EXPECT_EQ(launcher.Started()[0].workingFolder, folders.base);
    EXPECT_EQ(launcher.Started()[0].arguments, (std::vector<std::string>{"a b", ""}));
    EXPECT_TRUE(vor::ShellLaunch("/bin/true", {}, folders.rel, 3));
    EXPECT_EQ(launcher.Started()[1].workingFolder, folders.rel);
}

TEST_F(HelperProgramsTest, OpeningADocumentReportsEveryFailure)
{
    const fs::path document = folders.base / "EXPORT" / "plano 1.rtf";

    // Missing: the file-not-found message, the desktop is not asked.
    EXPECT_FALSE(vor::ShellOpenDocument(document));
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{MissingText(document)}));
    EXPECT_TRUE(launcher.Opened().empty());

    fs::create_directories(document.parent_path());
    WriteBytes(document, "{\\rtf1}");
    messages.ClearShown();
    EXPECT_TRUE(vor::ShellOpenDocument(document));
    EXPECT_EQ(launcher.Opened(), (std::vector<fs::path>{document}));
    EXPECT_EQ(messages.Count(), 0u);

    launcher.SetFailOpens(true);
    EXPECT_FALSE(vor::ShellOpenDocument(document));
    EXPECT_EQ(messages.Texts(),
              (std::vector<std::string>{"Não foi possível abrir o arquivo " + document.string()}));
}

}  // namespace
