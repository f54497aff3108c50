// The viewer's reports handed to ostrel, the report contents window and the
// cut route, on the offscreen platform.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "ostrel/command_line.h"
#include "ostrel/ostrel_window.h"
#include "platform/fake_clipboard.h"
#include "platform/fake_clock.h"
#include "platform/fake_process_launcher.h"
#include "platform/qt_text.h"
#include "tests/layoutview/layoutview_support.h"
#include "tests/support/failing_writes.h"
#include "tests/support/ui_fixture.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/helper_programs.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/main_window_geometry.h"
#include "vorplan/common/text_file.h"
#include "vorplan/layoutview/general_report.h"
#include "vorplan/layoutview/ui/report_content_window.h"
#include "vorplan/layoutview/ui/viewer_window.h"

namespace {

namespace fs = std::filesystem;
using vortest::ReadBytes;
using vortest::WriteBytes;

constexpr long long kMaterial = vortest::kViewerMaterial;

QString OutputFile(const char* name)
{
    return platform::ToQString((fs::path(VOR_TEST_OUTPUT_DIR) / name).string());
}

// Every data folder below `base`, as an installation has them.
vor::DataFolders MakeInstallation(const fs::path& base)
{
    const vor::DataFolders f = vor::MakeDataFolders(base);
    for (const fs::path& d : {f.base, f.mont, f.cnc, f.oldMont, f.mat, f.ped, f.chp, f.tmp, f.cfg,
                              f.hlp, f.rel, f.exportDir, f.importDir, f.mrp})
        fs::create_directories(d);
    return f;
}

class ReportContentWindowTest : public vortest::UiTest {
protected:
    void SetUp() override
    {
        delete vor::Form9;
        form = vor::CreateForm9();
    }
    void TearDown() override { delete vor::Form9; }

    fs::path File() const { return iniDir() / "VL_RELAT_MONT.INI"; }

    vor::TForm9* form = nullptr;
};

TEST_F(ReportContentWindowTest, DefaultsSaveReloadAndOkWithoutSaving)
{
    for (const vor::ReportContentKey& k : vor::ReportContentKeys()) {
        const bool off = k.checkBox == 36 || k.checkBox == 39;
        EXPECT_EQ(form->CheckBox(k.checkBox)->isChecked(), !off) << k.key;
    }
    EXPECT_TRUE(form->Edit1->text().isEmpty());

    form->CheckBox(13)->setChecked(false);
    form->CheckBox(23)->setChecked(false);
    form->CheckBox(36)->setChecked(true);
    form->Edit1->setText(QStringLiteral("Obra Silva"));
    const vor::ReportContentOptions chosen = form->Options();
    form->BitBtn1->click();
    EXPECT_EQ(ReadBytes(File()),
              ReadBytes(fs::path(VOR_SOURCE_DIR) / "tests/layoutview/golden/VL_RELAT_MONT.INI"));

    // A new run loads every control back.
    delete vor::Form9;
    form = vor::CreateForm9();
    EXPECT_EQ(form->Options(), chosen);
    EXPECT_FALSE(form->CheckBox(13)->isChecked());
    EXPECT_EQ(form->Edit1->text(), QStringLiteral("Obra Silva"));

    // "Ok" keeps the change for the run and leaves the file alone.
    const std::string saved = ReadBytes(File());
    form->CheckBox(29)->setChecked(false);
    form->Button1->click();
    EXPECT_EQ(ReadBytes(File()), saved);
    EXPECT_FALSE(vor::CurrentReportContent().trims);
    EXPECT_EQ(messages().Count(), 0u);
}

TEST_F(ReportContentWindowTest, CaptionsComeFromTheMessageTable)
{
    vortest::WriteNumberedLanguageFile(base() / "LANG" / "PORT.PTC");
    const vor::MessageTable saved = vor::gShared.messages;
    vor::LoadLanguage(vor::gShared.folders, 1, vor::gShared.messages, vor::gShared.iconCaptions);
    form->show();
    vortest::ProcessEvents();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("msg 65"));
    // Slot 976 is one of the fixed texts of the language.
    EXPECT_EQ(form->CheckBox(37)->text(), QString::fromUtf8("Configuração do cálculo"));
    EXPECT_EQ(form->CheckBox(2)->text(), QStringLiteral("msg 323"));
    EXPECT_EQ(vortest::JoinNames(vortest::ControlsWithoutText(*form)), "");
    for (int hidden = 30; hidden <= 35; ++hidden)
        EXPECT_FALSE(form->CheckBox(hidden)->isVisible()) << hidden;
    form->close();

    // The window as a user sees it, in Portuguese.
    const vor::DataFolders installed = vor::MakeDataFolders(fs::path(VOR_BINARY_DIR) / "vorlane");
    vor::LoadLanguage(installed, 1, vor::gShared.messages, vor::gShared.iconCaptions);
    form->show();
    vortest::ProcessEvents();
    EXPECT_EQ(form->CheckBox(1)->text(),
              QString::fromUtf8("Lista das chapas usadas em seqüência de corte"));
    EXPECT_TRUE(form->grab().save(OutputFile("report_contents_window.png")));
    form->close();
    vor::gShared.messages = saved;
}

class ViewerReportsTest : public vortest::UiTest {
protected:
    void SetUp() override
    {
        delete vor::Form9;
        vor::gShared.currentMaterial = kMaterial;
        vor::gShared.currentMaterialRecord = vor::MaterialRecord();
        vor::gShared.reportFile.clear();
        vor::gMainRequests = {};
        clock.SetNow({2024, 3, 5, 14, 7, 9, 0});
    }
    void TearDown() override
    {
        delete window;
        delete vor::Form9;
        vor::gMainRequests = {};
    }

    void WriteLayout(long long n, const std::vector<std::string>& lines)
    {
        WriteBytes(vor::LayoutFile(vor::gShared.folders, n, kMaterial), vor::EncodeTextLines(lines));
    }

    void Open()
    {
        window = new vor::Tvisualiz;
        window->resize(1100, 760);
        window->show();
        vortest::ProcessEvents();
    }

    void OpenReportLayouts()
    {
        WriteLayout(1, vortest::kReportLayout1);
        WriteLayout(2, vortest::kReportLayout2);
        WriteLayout(3, vortest::kReportLayout3);
        Open();
    }

    fs::path Report() const { return vor::gShared.folders.tmp / "mont_inf.txt"; }
    fs::path RouteFile() const { return vor::CutRoutingFile(vor::gShared.folders, 1, kMaterial); }

    vortest::StubMessages stub;
    platform::FakeClock clock;
    platform::ScopedClock installedClock{clock};
    platform::FakeClipboard clipboard;
    platform::ScopedClipboard installedClipboard{clipboard};
    platform::FakeProcessLauncher launcher;
    platform::ScopedLauncher installedLauncher{launcher};
    vor::Tvisualiz* window = nullptr;
};

TEST_F(ViewerReportsTest, GeneralReportGoesToOstrelWithTheHashPathAndTheViewStays)
{
    vor::gShared.folders = MakeInstallation(base() / "pasta com brancos");
    OpenReportLayouts();
    window->GoToLayout(2);
    clipboard.SetText("antes");

    window->Button3->click();
    ASSERT_EQ(launcher.Started().size(), 1u);
    const platform::StartedProgram& start = launcher.Started().front();
    EXPECT_EQ(start.program, vor::gShared.folders.base / "ostrel");
    EXPECT_EQ(start.workingFolder, vor::gShared.folders.base);
    ASSERT_EQ(start.arguments.size(), 1u);
    EXPECT_EQ(start.arguments[0], vor::ReportViewerArgument(vor::gShared.folders, Report()));
    EXPECT_NE(start.arguments[0].find("pasta#com#brancos"), std::string::npos);
    EXPECT_EQ(start.arguments[0].find(' '), std::string::npos);
    // The file itself keeps the blanks of its folder.
    EXPECT_EQ(ReadBytes(Report()), vor::EncodeTextLines(window->GeneralReportLines()));
    EXPECT_EQ(vor::gShared.reportFile, Report().string());
    EXPECT_EQ(clipboard.Text(), "");
    EXPECT_TRUE(window->reportStarted);
    EXPECT_EQ(window->State().currentLayout, 2);
    EXPECT_EQ(window->Panel8->text(), QStringLiteral("2 / 3"));
    EXPECT_EQ(window->State().figures.repetitions, 2);
    EXPECT_EQ(messages().Count(), 0u);

    // A second press replaces the first report.
    vor::CreateForm9()->CheckBox(13)->setChecked(false);
    window->Button3->click();
    const std::vector<std::string> second = window->GeneralReportLines();
    EXPECT_EQ(ReadBytes(Report()), vor::EncodeTextLines(second));
    EXPECT_EQ(second.front().find("<511>"), std::string::npos);
    EXPECT_EQ(launcher.Started().size(), 2u);

    // The current layout's report goes the same way and changes nothing.
    window->reportStarted = false;
    window->Button1->click();
    EXPECT_EQ(ReadBytes(Report()), vor::EncodeTextLines(window->State().report));
    EXPECT_EQ(window->State().report.front(), "@*** <487>2 / 3");
    EXPECT_EQ(launcher.Started().size(), 3u);
    EXPECT_TRUE(window->reportStarted);
    EXPECT_EQ(window->State().currentLayout, 2);
}

// "Configura" opens the report contents as the viewer's own dialog: the
// viewer stays open, and the window is the program's own again afterwards.
TEST_F(ViewerReportsTest, ConfiguraOpensTheContentsWindowAsTheViewersDialog)
{
    OpenReportLayouts();
    window->activateWindow();
    ASSERT_TRUE(vortest::WaitUntil([&] { return window->isActiveWindow(); }));
    bool wasOwned = false;
    QTimer::singleShot(0, window, [&] {
        vor::TForm9* form = vor::Form9;
        ASSERT_NE(form, nullptr);
        wasOwned = form->isVisible() && form->parentWidget() == window;
        form->activateWindow();
        vortest::WaitUntil([form] { return form->isActiveWindow(); });
        form->CheckBox(1)->setChecked(false);
        form->Button1->click();
    });
    window->Button18->click();
    EXPECT_TRUE(wasOwned);
    vortest::ProcessEvents();
    EXPECT_TRUE(window->isVisible());
    ASSERT_NE(vor::Form9, nullptr);
    EXPECT_EQ(vor::Form9->parentWidget(), nullptr);
    EXPECT_FALSE(vor::CurrentReportContent().sheetsInCutOrder);
    EXPECT_FALSE(fs::exists(iniDir() / "VL_RELAT_MONT.INI"));
}

TEST_F(ViewerReportsTest, AnEditMadeBeforeTheGeneralReportIsInItsFile)
{
    OpenReportLayouts();
    ASSERT_EQ(window->State().Element(3).type, vor::kLayoutTypePiece);
    window->State().Element(3).x = 123;
    window->State().layoutModified = true;
    window->Button3Click();
    const auto lines = vor::ReadTextLines(vor::LayoutFile(vor::gShared.folders, 1, kMaterial));
    ASSERT_TRUE(lines);
    EXPECT_NE(std::find_if(lines->begin(), lines->end(),
                           [](const std::string& l) { return l.find("   123 ") != std::string::npos; }),
              lines->end());
    EXPECT_EQ(window->State().currentLayout, 1);
    EXPECT_EQ(window->State().Element(3).x, 123);
}

TEST_F(ViewerReportsTest, FailuresAreReportedAndNothingIsStartedWithoutAFile)
{
    OpenReportLayouts();
    // ostrel missing: the shared starter's message.
    launcher.SetFailStarts(true);
    window->Button3Click();
    ASSERT_EQ(messages().Count(), 1u);
    EXPECT_NE(messages().Texts().back().find("<799>"), std::string::npos);
    EXPECT_NE(messages().Texts().back().find("<800>"), std::string::npos);
    launcher.SetFailStarts(false);
    launcher.ClearCalls();

    // A report file that cannot be written: the file error, no start.
    window->reportStarted = false;
    const std::string before = ReadBytes(Report());
    vortest::FailingWrites failing;
    window->Button3Click(failing);
    EXPECT_EQ(messages().Count(), 2u);
    EXPECT_NE(messages().Texts().back().find("mont_inf.txt"), std::string::npos);
    window->Button1Click(failing);
    EXPECT_EQ(messages().Count(), 3u);
    EXPECT_TRUE(launcher.Started().empty());
    EXPECT_FALSE(window->reportStarted);
    EXPECT_EQ(ReadBytes(Report()), before);
    EXPECT_EQ(window->State().currentLayout, 1);
    EXPECT_FALSE(window->State().elements.empty());

    // No layout 1 any more: the message, no file, no start.
    fs::remove(Report());
    for (long long n = 1; n <= 3; ++n)
        fs::remove(vor::LayoutFile(vor::gShared.folders, n, kMaterial));
    window->Button3Click();
    EXPECT_EQ(messages().Texts().back(), vor::kNoLayoutsText);
    EXPECT_FALSE(fs::exists(Report()));
    EXPECT_TRUE(launcher.Started().empty());
}

TEST_F(ViewerReportsTest, CutRouteIsDrawnAndWritten)
{
    WriteLayout(1, vortest::kRoutedLayout);
    // The captions in Portuguese for the picture; the messages stay numbered.
    const vor::MessageTable numbered = vor::gShared.messages;
    const vor::DataFolders installed = vor::MakeDataFolders(fs::path(VOR_BINARY_DIR) / "vorlane");
    vor::LoadLanguage(installed, 1, vor::gShared.messages, vor::gShared.iconCaptions);
    Open();
    vor::gShared.messages = numbered;
    window->PageControl1->setCurrentWidget(window->TabEdit);
    window->ButtonRouting->click();
    ASSERT_EQ(window->Route().size(), 4u);
    const std::string text = ReadBytes(RouteFile());
    EXPECT_EQ(text.substr(0, 37), "// Vorlane - Cut routing - 05/03/24\r\n");
    EXPECT_NE(text.find("   1  C           0        3000       10000        3000  \r\n"),
              std::string::npos);
    EXPECT_EQ(messages().Count(), 0u);
    EXPECT_TRUE(window->grab().save(OutputFile("viewer_cut_route.png")));

    // A file that cannot be written: message 802 and the name, the old file intact.
    WriteBytes(RouteFile(), "old");
    vortest::FailingWrites failing;
    window->Button12Click(failing);
    ASSERT_EQ(messages().Count(), 1u);
    EXPECT_EQ(messages().Texts().back(), "<802>" + RouteFile().string());
    EXPECT_EQ(ReadBytes(RouteFile()), "old");

    // Pieces pulled apart: nothing at all.
    fs::remove(RouteFile());
    window->ButtonSeparate->click();
    ASSERT_TRUE(window->Editing().Separated());
    window->Button12Click();
    EXPECT_FALSE(fs::exists(RouteFile()));
    EXPECT_EQ(messages().Count(), 1u);
}

TEST_F(ViewerReportsTest, TooManyCutLinesGiveTheMessageAndNoRoute)
{
    // 25 x 20 pieces: far more than 400 candidate lines.
    std::vector<std::string> lines = {"    0     3     0     0   20000   12000 Chapa 0",
                                      "    5     0     0     0       0       0 Borda 0"};
    for (int row = 0; row < 20; ++row)
        for (int col = 0; col < 25; ++col)
            lines.push_back("    1   " + std::to_string(100 + row) + " " + std::to_string(col * 400) +
                            " " + std::to_string(row * 300) + " 400 300 P 0");
    WriteLayout(1, lines);
    Open();
    WriteBytes(RouteFile(), "old");
    window->ButtonRouting->click();
    ASSERT_EQ(messages().Count(), 1u);
    EXPECT_EQ(messages().Texts().back(), "<336>");
    EXPECT_TRUE(window->Route().empty());
    EXPECT_EQ(ReadBytes(RouteFile()), "old");
}

// The fixture's general report in Portuguese, as ostrel shows it.
TEST_F(ViewerReportsTest, OstrelShowsTheGeneralReport)
{
    const vor::MessageTable saved = vor::gShared.messages;
    const vor::DataFolders installed = vor::MakeDataFolders(fs::path(VOR_BINARY_DIR) / "vorlane");
    vor::LoadLanguage(installed, 1, vor::gShared.messages, vor::gShared.iconCaptions);
    vortest::WriteReportFixtureFiles(vor::gShared.folders);
    OpenReportLayouts();
    window->Button3Click();
    vor::gShared.messages = saved;
    ASSERT_EQ(launcher.Started().size(), 1u);

    ostrel::CommandLine command;
    command.report = Report();
    command.stayOpen = true;
    ostrel::TOstrel viewer(command, clipboard);
    viewer.resize(1000, 900);
    viewer.show();
    ASSERT_TRUE(vortest::WaitUntil([&] { return viewer.Loaded(); }));
    vortest::ProcessEvents();
    EXPECT_TRUE(viewer.grab().save(OutputFile("ostrel_general_report.png")));
}

}  // namespace
