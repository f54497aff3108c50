// User, computer and the desktop's program for a file type.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <filesystem>

#include "platform/system_info.h"
#include "tests/support/test_support.h"
#include "vorplan/common/system_names.h"

namespace {

namespace fs = std::filesystem;
using vortest::ScopedEnv;
using vortest::TempDir;
using vortest::WriteBytes;

// Installs a system information service for the life of the object.
class ScopedSystemInfo {
public:
    explicit ScopedSystemInfo(platform::SystemInfo& info) : m_previous(&platform::GetSystemInfo())
    {
        platform::SetSystemInfo(&info);
    }
    ~ScopedSystemInfo() { platform::SetSystemInfo(m_previous); }
    ScopedSystemInfo(const ScopedSystemInfo&) = delete;
    ScopedSystemInfo& operator=(const ScopedSystemInfo&) = delete;

private:
    platform::SystemInfo* m_previous;
};

TEST(CleanAssociatedCommand, CutsTheCommandToTheProgram)
{
    struct Case {
        const char* value;
        const char* program;
    };
    const Case cases[] = {
        {R"("C:\Program Files\Editor\edit.exe" "%1")", R"(C:\Program Files\Editor\edit.exe)"},
        {R"(C:\TOOLS\VIEW.EXE %1)", R"(C:\TOOLS\VIEW.EXE)"},  // no lower-case "exe"
        {"libreoffice --writer %U", "libreoffice --writer"},
        {R"(C:\APP\app.exe -view "%1")", R"(C:\APP\app.exe)"},
        {R"("/opt/viewer/view" "%f")", "/opt/viewer/view"},
        {"org.example.Viewer.desktop", "org.example.Viewer.desktop"},
        {"\"\"", ""},
        {"", ""},
        {"%U", ""},
        // Only an "exe" that ends a word is an extension; these would be cut
        // to "/usr/bin/texe" and "C:\exe".
        {"/usr/bin/texedit %F", "/usr/bin/texedit"},
        {R"(C:\exec\run.exe %1)", R"(C:\exec\run.exe)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(vor::CleanAssociatedCommand(c.value), c.program) << c.value;
}

TEST(FindAssociatedProgram, TheCommandElseTheDesktopIdElseNothing)
{
    platform::FixedSystemInfo info;
    ScopedSystemInfo installed(info);
    info.associationExt = "pdf";

    info.association = {"org.example.Viewer.desktop", "viewer --new %U"};
    EXPECT_EQ(vor::FindAssociatedProgram("pdf"), "viewer --new");
    // A desktop file without a command: its name, as a class without one.
    info.association = {"org.example.Viewer.desktop", ""};
    EXPECT_EQ(vor::FindAssociatedProgram("pdf"), "org.example.Viewer.desktop");
    EXPECT_EQ(vor::FindAssociatedProgram("xyz"), "");
}

TEST(SystemNames, TheNamesComeFromTheSystemService)
{
    platform::FixedSystemInfo info;
    info.user = "ana";
    info.computer = "oficina";
    ScopedSystemInfo installed(info);
    EXPECT_EQ(vor::GetUserNameText(), "ana");
    EXPECT_EQ(vor::GetComputerNameText(), "oficina");
}

TEST(SystemNames, ThisMachineHasAUserAndAComputerName)
{
    platform::PosixSystemInfo info;
    EXPECT_FALSE(info.UserName().empty());
    const std::string computer = info.ComputerName();
    EXPECT_FALSE(computer.empty());
    EXPECT_EQ(computer.find('.'), std::string::npos);
    (void)info.NetworkPresent();  // either answer is right here; it must not fail
}

// A desktop of its own: MIME globs, desktop files and a default application
// in temporary XDG folders, and nothing of the machine's.
class DesktopFixture : public ::testing::Test {
protected:
    DesktopFixture()
        : m_dataHome("XDG_DATA_HOME", (m_root.path() / "home").c_str()),
          m_dataDirs("XDG_DATA_DIRS", (m_root.path() / "sys").c_str()),
          m_configHome("XDG_CONFIG_HOME", (m_root.path() / "config").c_str()),
          m_configDirs("XDG_CONFIG_DIRS", (m_root.path() / "config-sys").c_str()),
          m_desktop("XDG_CURRENT_DESKTOP", "X-Generic"),
          m_menuPrefix("XDG_MENU_PREFIX", nullptr)
    {
        const fs::path& root = m_root.path();
        for (const char* folder : {"home/mime", "home/applications", "sys/mime", "sys/applications/vortest",
                                   "config", "config-sys", "bin"})
            fs::create_directories(root / folder);
        // xdg-mime names a default application only when its program exists.
        WriteBytes(editor(), "#!/bin/sh\n");
        ::chmod(editor().c_str(), 0755);
        WriteBytes(root / "home/mime/globs2",
                   "# weight:type:glob[:flags]\n"
                   "50:application/x-vortest:*.vtx\n"
                   "55:application/x-vortest-none:*.vtn\n");
        WriteBytes(root / "sys/mime/globs2",
                   "40:application/x-vortest-low:*.vtx\n"
                   "60:application/x-vortest-heavy:*.vth\n"
                   "50:application/x-vortest-light:*.vth\n"
                   "80:text/x-vortest-case:*.VCS:cs\n"
                   "broken line\n"
                   "x:text/bad-weight:*.vbw\n");
        WriteBytes(root / "sys/applications/vortest/editor.desktop",
                   "[Desktop Entry]\n"
                   "Name=Editor\n"
                   "Exec=" + editor().string() + " --new %U\n"
                   "[Desktop Action window]\n"
                   "Exec=" + editor().string() + " --window\n");
        // Its only Exec line is an action's, not the entry's.
        WriteBytes(root / "home/applications/vortest-plain.desktop",
                   "[Desktop Action first]\nExec=/bin/true\n[Desktop Entry]\nName=Plain\n");
        WriteBytes(root / "escaped.desktop",
                   "# comment\n[Desktop Entry]\nExec = my\\sviewer \\\\x\\q %f\n");
        WriteBytes(root / "config/mimeapps.list",
                   "[Default Applications]\n"
                   "application/x-vortest=vortest-editor.desktop\n"
                   "application/x-vortest-heavy=vortest-plain.desktop\n");
    }

    const fs::path& root() const { return m_root.path(); }
    fs::path editor() const { return m_root.path() / "bin" / "vortest-editor"; }

private:
    TempDir m_root;
    ScopedEnv m_dataHome, m_dataDirs, m_configHome, m_configDirs, m_desktop, m_menuPrefix;
};

TEST_F(DesktopFixture, MimeTypeIsTheHeaviestMatchingGlob)
{
    struct Case {
        const char* ext;
        const char* mime;
    };
    const Case cases[] = {
        {"vtx", "application/x-vortest"},  // 50 in the user's folder over 40
        {"VTX", "application/x-vortest"},  // globs ignore case
        {"vth", "application/x-vortest-heavy"},
        {"VCS", "text/x-vortest-case"},
        {"vcs", ""},  // unless marked case-sensitive
        {"vbw", ""},
        {"none", ""},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::MimeTypeOfExtension(c.ext), c.mime) << c.ext;
}

TEST_F(DesktopFixture, DesktopFilesAreFoundDirectlyOrInTheirPrefixFolder)
{
    EXPECT_EQ(platform::FindDesktopFile("vortest-plain.desktop"),
              root() / "home/applications/vortest-plain.desktop");
    EXPECT_EQ(platform::FindDesktopFile("vortest-editor.desktop"),
              root() / "sys/applications/vortest/editor.desktop");
    EXPECT_EQ(platform::FindDesktopFile("missing.desktop"), fs::path());
    EXPECT_EQ(platform::FindDesktopFile("../sys/applications/vortest/editor.desktop"), fs::path());
    EXPECT_EQ(platform::FindDesktopFile(""), fs::path());
}

TEST_F(DesktopFixture, ExecLineOfTheDesktopEntryGroup)
{
    EXPECT_EQ(platform::DesktopFileExec(root() / "sys/applications/vortest/editor.desktop"),
              editor().string() + " --new %U");
    EXPECT_EQ(platform::DesktopFileExec(root() / "escaped.desktop"), "my viewer \\x\\q %f");
    EXPECT_EQ(platform::DesktopFileExec(root() / "home/applications/vortest-plain.desktop"), "");
    EXPECT_EQ(platform::DesktopFileExec(root() / "none.desktop"), "");
}

TEST_F(DesktopFixture, TheDesktopsDefaultApplicationAnswers)
{
    platform::PosixSystemInfo info;
    ScopedSystemInfo installed(info);
    EXPECT_EQ(vor::FindAssociatedProgram("vtx"), editor().string() + " --new");
    // A desktop file without a command gives its name.
    EXPECT_EQ(vor::FindAssociatedProgram("vth"), "vortest-plain.desktop");
}

TEST_F(DesktopFixture, NothingRegisteredGivesNothingInTime)
{
    using Clock = std::chrono::steady_clock;
    platform::PosixSystemInfo info("xdg-mime", std::chrono::seconds(2));
    ScopedSystemInfo installed(info);
    for (const char* ext : {"vtn", "unknown", ""}) {
        const auto start = Clock::now();
        EXPECT_EQ(vor::FindAssociatedProgram(ext), "") << ext;
        EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(2500)) << ext;
    }
}

TEST_F(DesktopFixture, ADesktopThatDoesNotAnswerIsLeftAfterTheTimeout)
{
    using Clock = std::chrono::steady_clock;
    struct Case {
        const char* name;
        const char* script;
    };
    // Silent; answering but never ending; ending but leaving a child that
    // holds the output open.
    const Case cases[] = {
        {"silent", "#!/bin/sh\nexec sleep 30\n"},
        {"lingering", "#!/bin/sh\necho vortest-editor.desktop\nexec sleep 30\n"},
        {"child", "#!/bin/sh\nsleep 30 &\necho vortest-editor.desktop\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path script = root() / c.name;
        WriteBytes(script, c.script);
        ::chmod(script.c_str(), 0755);
        platform::PosixSystemInfo info(script.string(), std::chrono::milliseconds(300));
        const auto start = Clock::now();
        const platform::FileAssociation association = info.Association("vtx");
        EXPECT_EQ(association.desktopId, "");
        EXPECT_EQ(association.command, "");
        EXPECT_LT(Clock::now() - start, std::chrono::seconds(2));
    }
}

TEST(RunForOutput, OutputOfAProgramThatEndsWell)
{
    std::string output;
    EXPECT_TRUE(platform::RunForOutput("printf", {"a b\\nc"}, std::chrono::seconds(5), output));
    EXPECT_EQ(output, "a b\nc");
    EXPECT_FALSE(platform::RunForOutput("false", {}, std::chrono::seconds(5), output));
    EXPECT_FALSE(platform::RunForOutput("/no/such/program", {}, std::chrono::seconds(5), output));
    EXPECT_EQ(output, "");
}

}  // namespace
