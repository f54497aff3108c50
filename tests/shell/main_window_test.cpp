#include "vorplan/shell/main_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "platform/fake_clipboard.h"
#include "platform/fake_process_launcher.h"
#include "platform/qt_text.h"
#include "platform/system_info.h"
#include "tests/support/ui_fixture.h"
#include "vorplan/common/general_settings.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/helper_programs.h"
#include "vorplan/common/state_files.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/main_window_geometry.h"
#include "vorplan/shell/main_window_hooks.h"
#include "vorplan/shell/pick_list_window.h"
#include "vorplan/shell/settings_window.h"

namespace {

namespace fs = std::filesystem;
using platform::Answer;
using vortest::ProcessEvents;
using vortest::WaitUntil;

// ---- Pure rules -------------------------------------------------------------------------

TEST(MainWindowGeometryRules, RoundsHalvesToEvenAndOffsetsByTheIconBar)
{
    struct Case {
        int left, top, width, height, barTop, barHeight;
        int centreX, centreY, freeHeight, belowBar;
    };
    const Case cases[] = {
        {0, 0, 1280, 770, 1, 62, 640, 417, 691, 88},
        {10, 20, 5, 5, 1, 62, 12, 54, -74, 108},   // 2.5 -> 2
        {10, 20, 7, 7, 1, 62, 14, 56, -72, 108},   // 3.5 -> 4
    };
    for (const Case& c : cases) {
        const vor::MainWindowGeometry g =
            vor::ComputeMainWindowGeometry(c.left, c.top, c.width, c.height, c.barTop, c.barHeight);
        EXPECT_EQ(g.centreX, c.centreX) << c.width;
        EXPECT_EQ(g.centreY, c.centreY) << c.height;
        EXPECT_EQ(g.freeHeight, c.freeHeight);
        EXPECT_EQ(g.belowIconBarTop, c.belowBar);
        EXPECT_EQ(g.fullWidth, c.width);
        EXPECT_EQ(g.left, c.left);
        EXPECT_EQ(g.left2, c.left);
        EXPECT_EQ(g.listTop, c.top + 120);
        EXPECT_EQ(g.upperTop, c.top + 10);
        EXPECT_EQ(g.lowerHeight, c.height - 20);
    }
}

TEST(MainWindowGeometryRules, IconRowHoverStripAndPanels)
{
    EXPECT_EQ(vor::IconLeft(1) - vor::IconLeft(0), vor::kIconWidth + 35);
    EXPECT_EQ(vor::CentredLeft(1001, 690), 500 - 345);
    EXPECT_EQ(vor::CentredLeft(1000, 691), 500 - 345);  // Trunc of each half
    // Fits: under the icon; too wide: ends at the icon's right edge.
    EXPECT_EQ(vor::HoverStripLeft(100, 16, 42, 200, 1000), 116);
    EXPECT_EQ(vor::HoverStripLeft(700, 632, 42, 300, 1300), 700 + 632 + 42 - 300);
    EXPECT_EQ(vor::InfoPanelTop(1, 62), 125);
    EXPECT_EQ(vor::IntroPanelTop(125, 120), 260);
}

TEST(MainWindowGeometryRules, IntroTextAlternatesEveryOtherSecondWhileShown)
{
    vor::IntroBlink blink;
    std::vector<bool> welcome;
    for (int tick = 0; tick < 6; ++tick) {
        blink = vor::NextIntroBlink(blink, true);
        welcome.push_back(vor::IntroShowsWelcome(blink.counter));
    }
    EXPECT_EQ(welcome, (std::vector<bool>{true, false, false, true, true, false}));
    const vor::IntroBlink hidden = vor::NextIntroBlink({1, 7}, false);
    EXPECT_EQ(hidden.seconds, 2);
    EXPECT_EQ(hidden.counter, 7);
}

TEST(MainWindowGeometryRules, InUseWarningByLanguage)
{
    struct Case {
        int language;
        const char* start;
    };
    const Case cases[] = {{1, "O Vorlane já está"},  {2, "The Vorlane is"}, {3, "El Vorlane ya"},
                          {4, "The Vorlane is"},     {5, "El Vorlane ya"},  {0, ""},
                          {6, ""}};
    for (const Case& c : cases) {
        const std::string text = vor::InUseWarningText(c.language);
        EXPECT_EQ(text.rfind(c.start, 0), 0u) << c.language;
        if (*c.start) {
            // Five lines, an empty one before the "Attention" line.
            EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 4) << c.language;
            EXPECT_NE(text.find(".\r\rAt"), std::string::npos) << c.language;
        }
    }
}

TEST(MainWindowGeometryRules, HandshakeKeepsOnlyTheReplyAndOurOwnCommand)
{
    using vor::HandshakeRead;
    EXPECT_EQ(vor::ClassifyHandshakeText("VL#OK"), HandshakeRead::Reply);
    EXPECT_EQ(vor::ClassifyHandshakeText("VA2001-ENT#2.18#1#1#0#"), HandshakeRead::Keep);
    EXPECT_EQ(vor::ClassifyHandshakeText("VA2001-TXT#2.18#1#1#0#/x.RTF"), HandshakeRead::Keep);
    EXPECT_EQ(vor::ClassifyHandshakeText("VL#FIM"), HandshakeRead::Clear);
    EXPECT_EQ(vor::ClassifyHandshakeText("VL#OK "), HandshakeRead::Clear);
    EXPECT_EQ(vor::ClassifyHandshakeText("a user's text"), HandshakeRead::Clear);
    EXPECT_EQ(vor::ClassifyHandshakeText(""), HandshakeRead::Nothing);
}

TEST(MainWindowMenuRules, RowsEntriesHeightsAndCells)
{
    vor::MenuItems items;
    // A long material menu first, then a short one: its rows must not show.
    std::vector<vor::MenuEntry> many;
    for (int i = 0; i < 150; ++i)
        many.push_back({std::to_string(i), "desc"});
    vor::FillMenu(items, "Escolha o material:", {"Código", "Descrição"}, many);
    EXPECT_EQ(vor::MenuRowCount(items), 151);
    EXPECT_TRUE(vor::MenuHasHeading(items));
    vor::FillMenu(items, "", {}, {{"a~x", ""}, {"b", ""}});
    EXPECT_EQ(vor::MenuRowCount(items), 2);
    EXPECT_FALSE(vor::MenuHasHeading(items));
    EXPECT_FALSE(vor::MenuHasSecondColumn(items));
    vor::FillMenu(items, "Material ? ", {"Material", "Descrição"}, many);
    vor::FillMenu(items, "Material ? ", {"Material", "Descrição"}, {{"7", "Oak"}});
    EXPECT_EQ(vor::MenuRowCount(items), 2);
    EXPECT_TRUE(vor::MenuHasSecondColumn(items));

    EXPECT_EQ(vor::MenuEntryOfRow(0, false), 1);
    EXPECT_EQ(vor::MenuEntryOfRow(0, true), 0);
    EXPECT_EQ(vor::MenuEntryOfRow(3, true), 3);
    EXPECT_EQ(vor::MenuCellText("12~Oak board"), "12");
    EXPECT_EQ(vor::MenuCellText("no tilde"), "no tilde");

    const int heights[] = {30, 30, 54, 80, 104, 140, 156, 180, 280, 280};
    for (int rows = 0; rows < 10; ++rows)
        EXPECT_EQ(vor::MenuGridHeight(rows), heights[rows]) << rows;
    EXPECT_FALSE(vor::MenuNeedsScrollBar(7));
    EXPECT_TRUE(vor::MenuNeedsScrollBar(8));
    EXPECT_EQ(vor::MenuLeft(300, 16), 300);
}

TEST(MainWindowMenuRules, ColumnWidthsAndTextLimits)
{
    vor::MenuItems items;
    vor::FillMenu(items, "Title", {"Code", "Description"},
                  {{"12", "A very long description"}, {std::string(90, 'x'), "b"}});
    EXPECT_EQ(items.entries[2].first.size(), vor::kMenuTextLength);
    const vor::MenuColumns c = vor::MenuColumnWidths(items, 8, 90);
    EXPECT_EQ(c.first, 8 * 70);
    EXPECT_EQ(c.second, 8 * 5);  // never more characters than the title
    EXPECT_EQ(c.gridWidth, c.first + c.second + 10);
    EXPECT_EQ(c.panelWidth, c.gridWidth + 15);
    vor::FillMenu(items, "", {}, {{"a", ""}});
    EXPECT_EQ(vor::MenuColumnWidths(items, 8, 90).gridWidth, 102);  // the cancel button's width + 12
}

// ---- The window ---------------------------------------------------------------------------

void WriteLanguageFiles(const fs::path& base)
{
    std::string text;
    for (int n = 1; n <= 1000; ++n)
        text += std::to_string(n) + "\tmsg " + std::to_string(n) + "\r\n";
    for (const char* name : {"PORT.PTC", "ENG.PTC", "ESPA.PTC", "NEED.PTC", "ESPA2.PTC"})
        vortest::WriteBytes(base / "LANG" / name, text);
}

struct Targets {
    int projectManager = 0, resources = 0, calculation = 0, viewChoice = 0, layoutViewer = 0,
        labels = 0;
    std::vector<std::pair<int, int>> tables;
};

class MainWindowTest : public vortest::UiTest {
protected:
    void SetUp() override
    {
        m_saved = std::make_unique<vor::SharedGlobals>(vor::gShared);
        vor::gMainWindow = {};
        vor::gMainRequests = {};
        WriteLanguageFiles(base());
        vortest::WriteBytes(base() / "ostrel", "#!/bin/sh\n");
        vortest::WriteBytes(base() / "kalendo", "#!/bin/sh\n");
        m_system.user = "ana";
        m_system.computer = "bench";
        m_system.network = true;
        platform::SetSystemInfo(&m_system);
        messages().SetDefaultAnswer(Answer::No);
    }

    void TearDown() override
    {
        m_form.reset();
        platform::SetSystemInfo(nullptr);
        vor::gShared = *m_saved;
        vor::gMainWindow = {};
        vor::gMainRequests = {};
    }

    void WriteSettings(const std::string& lines)
    {
        vortest::WriteBytes(iniDir() / "VL_.INI", "[Varios]\r\n" + lines);
    }

    vor::TForm1& MakeWindow()
    {
        m_form.reset(vor::CreateForm1());
        vor::TForm1& f = *m_form;
        f.Targets().projectManager = [this] { ++m_targets.projectManager; };
        f.Targets().resources = [this] { ++m_targets.resources; };
        f.Targets().calculation = [this] { ++m_targets.calculation; };
        f.Targets().viewChoice = [this] { ++m_targets.viewChoice; };
        f.Targets().layoutViewer = [this] { ++m_targets.layoutViewer; };
        f.Targets().labels = [this] { ++m_targets.labels; };
        f.Targets().table = [this](int kind, int request) { m_targets.tables.push_back({kind, request}); };
        return f;
    }

    // A window past the hand-shake: the icon bar shows.
    vor::TForm1& StartedWindow()
    {
        vor::TForm1& f = MakeWindow();
        f.RunStartupStep();  // the command, kalendo started
        m_clipboard.TakeOverByOtherProgram("VL#OK");
        f.RunStartupStep();
        EXPECT_FALSE(f.Panel16->isHidden());
        messages().ClearShown();
        m_launcher.ClearCalls();
        return f;
    }

    void SetMaterialsUsed(std::vector<std::int32_t> codes)
    {
        vor::MaterialSelection selection;
        for (std::int32_t code : codes) {
            ++selection.count;
            selection.entries[selection.count] = {code, true};
        }
        vor::SaveMaterialsUsed(vor::gShared.folders, selection, false);
    }

    int HiddenImages() const
    {
        int hidden = 0;
        for (QLabel* image : m_form->IconImages)
            hidden += image->isHidden() ? 1 : 0;
        return hidden;
    }

    platform::FakeClipboard m_clipboard;
    platform::ScopedClipboard m_installedClipboard{m_clipboard};
    platform::FakeProcessLauncher m_launcher;
    platform::ScopedLauncher m_installedLauncher{m_launcher};
    platform::FixedSystemInfo m_system;
    Targets m_targets;
    std::unique_ptr<vor::TForm1> m_form;
    std::unique_ptr<vor::SharedGlobals> m_saved;
};

TEST_F(MainWindowTest, InstallationCheckHidesSevenPicturesAndNamesWhatIsMissing)
{
    struct Case {
        bool removeFolder, removeOstrel, marker;
        std::vector<std::string> texts;
        int hidden;
    };
    const Case cases[] = {
        {false, false, false, {}, 0},
        {false, false, true, {"O Vorlane já está sendo utilizado"}, 0},
        {true, false, false, {"msg 498"}, 7},
        {false, true, false, {"msg 501"}, 7},
        {true, true, true, {"msg 501"}, 7},  // the ostrel message only, no in-use warning
    };
    for (const Case& c : cases) {
        vortest::TestInstallation installation;
        vortest::ScopedCwd cwd(installation.base());
        WriteLanguageFiles(installation.base());
        if (!c.removeOstrel)
            vortest::WriteBytes(installation.base() / "ostrel", "#!/bin/sh\n");
        if (c.removeFolder)
            fs::remove_all(installation.base() / "MAT");
        if (c.marker)
            vortest::WriteBytes(installation.base() / "TRV.USU", "ON");
        messages().ClearShown();
        MakeWindow();
        const std::vector<std::string> texts = messages().Texts();
        ASSERT_EQ(texts.size(), c.texts.size()) << c.removeFolder << c.removeOstrel;
        for (std::size_t i = 0; i < texts.size(); ++i)
            EXPECT_EQ(texts[i].rfind(c.texts[i], 0), 0u) << texts[i];
        EXPECT_EQ(HiddenImages(), c.hidden);
        EXPECT_EQ(vor::gMainRequests.installFailed, c.hidden > 0);
        EXPECT_FALSE(m_form->IconImages[vor::kIconHelp]->isHidden());
        EXPECT_FALSE(m_form->IconImages[vor::kIconExit]->isHidden());
        // F9 brings nothing back while the check fails, and keeps the marker then.
        m_form->FormKeyDown(Qt::Key_F9, Qt::NoModifier);
        EXPECT_EQ(HiddenImages(), c.hidden);
        if (c.marker) {
            EXPECT_EQ(fs::exists(installation.base() / "TRV.USU"), c.hidden > 0);
        }
        m_form.reset();
    }
}

TEST_F(MainWindowTest, InUseWarningFollowsTheLanguage)
{
    const std::pair<int, const char*> cases[] = {{4, "The Vorlane is already"},
                                                 {5, "El Vorlane ya es estado"}};
    for (const auto& [language, start] : cases) {
        vortest::WriteBytes(base() / "TRV.USU", "ON");
        WriteSettings("Idioma=" + std::to_string(language) + "\r\n");
        messages().ClearShown();
        MakeWindow();
        ASSERT_EQ(messages().Count(), 1u) << language;
        EXPECT_EQ(messages().Last().text.rfind(start, 0), 0u) << messages().Last().text;
        m_form.reset();
    }
}

TEST_F(MainWindowTest, HandshakeSendsTheCommandThenWaitsForTheReply)
{
    WriteSettings("Senha=" + vor::ScramblePassword("pw") + "\r\n");
    vor::TForm1& f = MakeWindow();
    f.show();
    ASSERT_TRUE(WaitUntil([] { return vor::gMainRequests.startupState == vor::kStartupViewerStarted; }));
    EXPECT_EQ(m_clipboard.Text(), "VA2001-ENT#2.18#1#1#0#pw");
    ASSERT_EQ(m_launcher.Started().size(), 1u);
    EXPECT_EQ(m_launcher.Started()[0].program, base() / "kalendo");
    EXPECT_EQ(m_launcher.Started()[0].workingFolder, base());

    // Our own command is left for kalendo to read.
    f.RunStartupStep();
    EXPECT_EQ(m_clipboard.Text(), "VA2001-ENT#2.18#1#1#0#pw");

    // Any other text at a repaint: emptied, and the bar stays hidden.
    m_clipboard.TakeOverByOtherProgram("something else");
    f.update();
    ASSERT_TRUE(WaitUntil([this] { return m_clipboard.Text().empty(); }));
    EXPECT_TRUE(f.Panel16->isHidden());

    // The reply shows the bar and fills the status lines.
    m_clipboard.TakeOverByOtherProgram("VL#OK");
    ASSERT_TRUE(WaitUntil([&f] { return !f.Panel16->isHidden(); }));
    EXPECT_FALSE(f.Panel2->isHidden());
    EXPECT_EQ(f.Label3->text(), QStringLiteral("bench - ana"));
    EXPECT_EQ(f.Label4->text(), platform::ToQString(vor::Msg(975)));
    EXPECT_TRUE(m_clipboard.Text().empty());  // "INICIA" went on, then off
    EXPECT_EQ(m_launcher.Started().size(), 1u);

    // What the user copies afterwards is never touched again.
    m_clipboard.TakeOverByOtherProgram("the user's cells");
    const int writes = m_clipboard.Writes();
    f.RunStartupStep();
    f.repaint();
    f.FormActivate();
    ProcessEvents();
    EXPECT_EQ(m_clipboard.Text(), "the user's cells");
    EXPECT_EQ(m_clipboard.Writes(), writes);
}

TEST_F(MainWindowTest, NoReplyLookedForWhileTheMenuOrAWindowIsOpen)
{
    vor::TForm1& f = MakeWindow();
    f.RunStartupStep();
    m_clipboard.TakeOverByOtherProgram("VL#OK");
    vor::gMainWindow.windowOpenFlags.calculationChoice = true;
    f.RunStartupStep();
    EXPECT_TRUE(f.Panel16->isHidden());
    vor::gMainWindow.windowOpenFlags = {};
    f.RunStartupStep();
    EXPECT_FALSE(f.Panel16->isHidden());
}

TEST_F(MainWindowTest, MissingKalendoAsksToCloseOnceAndCloses)
{
    m_launcher.SetFailStarts(true);  // present but cannot be started
    messages().SetDefaultAnswer(Answer::Yes);
    vor::TForm1& f = MakeWindow();
    f.show();
    ASSERT_TRUE(WaitUntil([&f] { return !f.isVisible(); }));
    const std::vector<std::string> texts = messages().Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], "msg 799 [" + (base() / "kalendo").string() + "] msg 800");
    EXPECT_EQ(texts[1], "msg 10 ?");
    EXPECT_EQ(vor::gMainRequests.startupState, vor::kStartupViewerMissing);
}

TEST_F(MainWindowTest, ClosingQuestionNoKeepsTheWindowYesDeletesTheMarkerAndSaves)
{
    WriteSettings("MARG=3\r\n");
    vor::TForm1& f = StartedWindow();
    f.show();
    ProcessEvents();
    vor::WriteInUseMarker();
    // A running calculation is ended only after Yes, and before the window goes.
    int calculationsEnded = 0;
    f.Targets().endCalculation = [&] {
        EXPECT_TRUE(f.isVisible());
        ++calculationsEnded;
    };
    messages().Script({Answer::No});
    f.close();
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(calculationsEnded, 0);
    EXPECT_TRUE(fs::exists(base() / "TRV.USU"));
    EXPECT_EQ(messages().Last().text, "msg 10 ?");
    EXPECT_EQ(messages().Last().buttons, platform::Buttons::YesNo);
    EXPECT_EQ(messages().Last().at, std::make_pair(f.width() - 250, 60));

    messages().Script({Answer::Yes});
    f.close();
    EXPECT_EQ(calculationsEnded, 1);
    EXPECT_FALSE(f.isVisible());
    EXPECT_FALSE(fs::exists(base() / "TRV.USU"));
    const vor::IniFile ini(iniDir() / "VL_.INI");
    EXPECT_EQ(ini.ReadInteger("Varios", "MARG", 0), 4);
}

TEST_F(MainWindowTest, BusyStopsEveryIconAndTheKeysThatOpenWindows)
{
    SetMaterialsUsed({5});
    vor::TForm1& f = StartedWindow();
    f.show();
    ProcessEvents();
    vor::gShared.busy = true;
    for (int icon = 0; icon < vor::kIconCount; ++icon)
        f.IconClick(icon);
    for (int key : {Qt::Key_F2, Qt::Key_F3, Qt::Key_F4, Qt::Key_F9, Qt::Key_F11, Qt::Key_F12})
        f.FormKeyDown(key, Qt::NoModifier);
    f.FormKeyDown(Qt::Key_F2, Qt::AltModifier);
    EXPECT_EQ(m_targets.projectManager + m_targets.resources + m_targets.calculation +
                  m_targets.viewChoice + m_targets.layoutViewer + m_targets.labels,
              0);
    EXPECT_TRUE(m_targets.tables.empty());
    EXPECT_EQ(vor::gMainRequests.tableRequest, 0);
    EXPECT_TRUE(f.Panel1->isHidden());
    for (int icon = 0; icon < vor::kIconCount; ++icon)
        EXPECT_FALSE(f.IconIsHighlighted(icon)) << icon;
    EXPECT_EQ(messages().Texts(), std::vector<std::string>{"msg 632"});  // Saída
    EXPECT_TRUE(f.isVisible());
    EXPECT_TRUE(fs::exists(base() / "TRV.USU"));  // F9 did nothing

    // F1 and F5 still work.
    f.FormKeyDown(Qt::Key_F5, Qt::NoModifier);
    EXPECT_EQ(vor::gShared.languageIndex, 2);
    f.FormKeyDown(Qt::Key_F1, Qt::NoModifier);
    EXPECT_EQ(m_launcher.Started().size(), 1u);

    vor::gShared.busy = false;
    f.FormKeyDown(Qt::Key_F12, Qt::NoModifier);
    EXPECT_EQ(m_targets.layoutViewer, 1);
}

TEST_F(MainWindowTest, IconRoutes)
{
    vor::TForm1& f = StartedWindow();
    // Projetos without internal tables.
    vor::gShared.settings.internalTables = false;
    f.IconClick(vor::kIconProjects);
    EXPECT_EQ(messages().Last().text, "msg 612\rmsg 613");
    EXPECT_EQ(m_targets.projectManager, 0);
    vor::gShared.settings.internalTables = true;
    f.IconClick(vor::kIconProjects);
    EXPECT_EQ(m_targets.projectManager, 1);
    EXPECT_TRUE(f.IconIsHighlighted(vor::kIconProjects));

    // Cálculo with the PCB option.
    vor::gShared.settings.pcbOption = true;
    f.IconClick(vor::kIconCalculation);
    EXPECT_EQ(messages().Last().text, "msg 860\rmsg 861");
    EXPECT_EQ(m_targets.calculation, 0);
    EXPECT_TRUE(f.IconIsHighlighted(vor::kIconProjects));
    vor::gShared.settings.pcbOption = false;
    f.IconClick(vor::kIconCalculation);
    EXPECT_EQ(m_targets.calculation, 1);

    // Recursos while yellow does nothing, until its window resets the highlight.
    f.IconClick(vor::kIconResources);
    EXPECT_TRUE(vor::gMainWindow.windowOpenFlags.resources);
    f.IconClick(vor::kIconResources);
    EXPECT_EQ(m_targets.resources, 1);
    vor::MainWindowCalls().ResetIconHighlight();
    f.IconClick(vor::kIconResources);
    EXPECT_EQ(m_targets.resources, 2);
}

TEST_F(MainWindowTest, ReportAndLabelsGoDirectWithOneMaterialElseThroughTheMaterialMenu)
{
    SetMaterialsUsed({7});
    vor::TForm1& f = StartedWindow();
    f.IconClick(vor::kIconReport);
    EXPECT_EQ(f.MenuKind(), vor::kMenuReport);
    EXPECT_FALSE(f.Panel1->isHidden());
    f.IconClick(vor::kIconLabels);
    EXPECT_EQ(m_targets.labels, 1);
    m_form.reset();

    vortest::WriteBytes(base() / "MAT" / "M7.INI", "[DESC]\r\nCAMPO1=Oak\r\n");
    vortest::WriteBytes(base() / "MAT" / "M9.INI", "[DESC]\r\nCAMPO1=Pine\r\n");
    SetMaterialsUsed({7, 9});
    vor::TForm1& g = StartedWindow();
    vor::gShared.currentMaterial = 3;
    vor::gShared.currentMaterialRecord.description = "current";
    g.IconClick(vor::kIconReport);
    ASSERT_EQ(g.MenuKind(), vor::kMenuMaterialForReport);
    EXPECT_EQ(g.Menu().title, "Escolha o material:");
    EXPECT_EQ(g.Menu().entries[0].first, "msg 32");
    EXPECT_EQ(g.Menu().entries[2].first, "9");
    EXPECT_EQ(g.Menu().entries[2].second, "Pine");
    EXPECT_EQ(vor::MenuRowCount(g.Menu()), 3);
    EXPECT_EQ(vor::gShared.currentMaterial, 3);  // the menu leaves the current material alone
    EXPECT_EQ(vor::gShared.currentMaterialRecord.description, "current");
    const int menuLeft = g.Panel1->x();
    g.DrawGrid1Click(0);  // the heading chooses nothing
    EXPECT_EQ(g.MenuKind(), vor::kMenuMaterialForReport);
    g.DrawGrid1Click(2);
    EXPECT_EQ(vor::gShared.currentMaterial, 9);
    EXPECT_EQ(g.MenuKind(), vor::kMenuReport);
    EXPECT_EQ(g.Panel1->x(), menuLeft);
    EXPECT_EQ(menuLeft, vor::MenuLeft(g.Panel16->x(), g.IconPanels[vor::kIconReport]->x()));

    g.IconClick(vor::kIconLabels);
    ASSERT_EQ(g.MenuKind(), vor::kMenuMaterialForLabels);
    EXPECT_EQ(g.Menu().title, "Material ? ");
    EXPECT_EQ(g.Menu().entries[0].first, "msg 31");
    g.DrawGrid1Click(1);
    EXPECT_EQ(vor::gShared.currentMaterial, 7);
    EXPECT_EQ(m_targets.labels, 2);
}

TEST_F(MainWindowTest, ReportMenuRows)
{
    vor::TForm1& f = StartedWindow();
    vor::gShared.currentMaterial = 12;
    f.IconClick(vor::kIconReport);
    f.DrawGrid1Click(0);
    ASSERT_EQ(m_launcher.Started().size(), 1u);
    EXPECT_EQ(m_launcher.Started()[0].program, base() / "ostrel");
    EXPECT_EQ(m_launcher.Started()[0].arguments,
              std::vector<std::string>{vor::CalcHistoryFile(vor::gShared.folders, 12).string()});
    EXPECT_TRUE(f.Panel1->isHidden());

    // Without the report list: message 562 and no start.
    m_launcher.ClearCalls();
    f.IconClick(vor::kIconReport);
    f.DrawGrid1Click(2);
    EXPECT_TRUE(m_launcher.Started().empty());
    EXPECT_EQ(messages().Last().text, "msg 562");

    // Deleting the history asks first: No keeps it, Yes deletes it.
    std::unique_ptr<vor::TForm7> form7(vor::CreateForm7());
    const fs::path history = vor::CalcHistoryFile(vor::gShared.folders, 12);
    vortest::WriteBytes(history, "x\r\n");
    for (bool yes : {false, true}) {
        QTimer::singleShot(0, [yes] {
            if (yes)
                vor::Form7->Button1Click();
            else
                vor::Form7->Button2Click();
        });
        f.IconClick(vor::kIconReport);
        f.DrawGrid1Click(1);
        EXPECT_EQ(form7->Parameters().title, "msg 558");
        EXPECT_EQ(form7->Parameters().minWidth, 310);
        EXPECT_EQ(fs::exists(history), !yes);
    }
}

TEST_F(MainWindowTest, HelpMenuAndCancel)
{
    vor::TForm1& f = StartedWindow();
    f.IconClick(vor::kIconHelp);
    ASSERT_EQ(f.MenuKind(), vor::kMenuHelp);
    EXPECT_EQ(vor::MenuRowCount(f.Menu()), 3);
    EXPECT_EQ(f.DrawGrid1->height(), 80);
    f.DrawGrid1Click(1);
    EXPECT_EQ(m_clipboard.Text(),
              "VA2001-TXT#2.18#1#1#0#" + (base() / "HLP" / "VA2001_P.RTF").string());
    f.IconClick(vor::kIconHelp);
    f.DrawGrid1Click(0);
    EXPECT_EQ(m_clipboard.Text(),
              "VA2001-TXT#2.18#1#1#0#" + (base() / "HLP" / "INTRO_P.RTF").string());
    f.IconClick(vor::kIconHelp);
    f.DrawGrid1Click(2);
    EXPECT_EQ(m_clipboard.Text(), "VA2001-ENT#2.18#1#1#0#");
    EXPECT_EQ(m_launcher.Started().size(), 3u);

    vor::gMainRequests.viewRequest = 1;
    f.IconClick(vor::kIconHelp);
    f.Button1Click();
    EXPECT_TRUE(f.Panel1->isHidden());
    EXPECT_FALSE(f.IconIsHighlighted(vor::kIconHelp));
    EXPECT_EQ(vor::gMainRequests.viewRequest, 0);
}

TEST_F(MainWindowTest, KeysLanguageTablesAndRequests)
{
    vor::TForm1& f = StartedWindow();
    for (int i = 0; i < 5; ++i)
        f.FormKeyDown(Qt::Key_F5, Qt::NoModifier);
    EXPECT_EQ(vor::gShared.languageIndex, 1);

    f.FormKeyDown(Qt::Key_F2, Qt::AltModifier);
    f.FormKeyDown(Qt::Key_F2, Qt::ShiftModifier);
    f.FormKeyDown(Qt::Key_F2, Qt::ControlModifier | Qt::ShiftModifier);
    f.FormKeyDown(Qt::Key_F2, Qt::NoModifier);
    f.FormKeyDown(Qt::Key_F3, Qt::NoModifier);
    EXPECT_EQ(m_targets.tables,
              (std::vector<std::pair<int, int>>{{1, 2}, {1, 2}, {1, 2}, {1, 0}, {2, 0}}));
    vor::gShared.settings.orderType = 1;
    f.FormKeyDown(Qt::Key_F2, Qt::NoModifier);
    EXPECT_EQ(m_targets.tables.size(), 5u);
    vor::gShared.settings.orderType = 0;

    // Requests left by other windows are served at the next activation, once.
    m_targets.tables.clear();
    vor::gMainRequests.tableRequest = 2;
    vor::gMainRequests.sheetTableRequest = true;
    f.FormActivate();
    f.FormActivate();
    EXPECT_EQ(m_targets.tables, (std::vector<std::pair<int, int>>{{1, 2}, {2, 0}}));
    EXPECT_EQ(vor::gMainRequests.tableRequest, 0);
    EXPECT_FALSE(vor::gMainRequests.sheetTableRequest);

    // The view request: the viewer with one material, the chooser with more.
    vor::gMainRequests.viewRequest = 1;
    f.RunStartupStep();
    EXPECT_EQ(m_targets.layoutViewer, 1);
    EXPECT_EQ(vor::gMainRequests.viewRequest, 0);
    SetMaterialsUsed({1, 2});
    vor::gMainRequests.viewRequest = 1;
    f.RunStartupStep();
    EXPECT_EQ(m_targets.viewChoice, 1);

    // F9 deletes the marker when the check passed.
    vor::WriteInUseMarker();
    f.FormKeyDown(Qt::Key_F9, Qt::NoModifier);
    EXPECT_FALSE(fs::exists(base() / "TRV.USU"));
}

TEST_F(MainWindowTest, HoverStripUnderTheIcon)
{
    vor::TForm1& f = StartedWindow();
    f.show();
    ProcessEvents();
    f.HintChanged("5");
    EXPECT_TRUE(f.HintPanelFlag());
    EXPECT_EQ(f.Panel27->text(), QStringLiteral("msg 5"));
    EXPECT_EQ(f.IconPanels[vor::kIconView]->frameShadow(), QFrame::Sunken);
    f.Timer2Timer();
    EXPECT_TRUE(f.Panel27->isVisible());
    EXPECT_EQ(f.Panel27->x(), f.Panel16->x() + f.IconPanels[vor::kIconView]->x());
    EXPECT_EQ(f.Panel27->y(), f.Panel16->y() + f.Panel16->height() + 3);
    f.HintChanged("2");
    EXPECT_EQ(f.Panel27->text(), QStringLiteral("msg 834"));
    EXPECT_EQ(f.IconPanels[vor::kIconView]->frameShadow(), QFrame::Raised);
    f.HintChanged("");
    f.Timer2Timer();
    EXPECT_FALSE(f.Panel27->isVisible());
    EXPECT_FALSE(f.Timer2->isActive());
}

TEST_F(MainWindowTest, IntroductionPanelOnlyInTheFirstRuns)
{
    for (int marg : {1, 2}) {
        WriteSettings("MARG=" + std::to_string(marg) + "\r\n");
        vor::TForm1& f = StartedWindow();
        EXPECT_EQ(!f.Panel6->isHidden(), marg < 2) << marg;
        EXPECT_EQ(f.Button2->text(), QStringLiteral("msg 90"));
        m_form.reset();
    }
}

TEST_F(MainWindowTest, SettingsWindowPlacesItselfHidesTheMenuAndShowsHelp)
{
    vor::TForm1& f = StartedWindow();
    f.show();
    ProcessEvents();
    std::unique_ptr<vor::TForm6> form6(vor::CreateForm6());
    QPoint placed;
    bool flagWhileOpen = false;
    QTimer::singleShot(0, [&] {
        placed = vor::Form6->pos();
        flagWhileOpen = vor::gMainWindow.windowOpenFlags.settings;
        f.OpenMenu(vor::kMenuHelp, vor::kIconHelp);
        vor::Form6->FormDeactivate();
        QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
        QApplication::sendEvent(vor::Form6, &f1);
        vor::Form6->reject();
    });
    f.IconClick(vor::kIconSettings);
    const vor::MainWindowGeometry& g = vor::gMainWindow.geometry;
    EXPECT_EQ(placed, QPoint(g.centreX - form6->width() / 2, g.listTop));
    EXPECT_TRUE(flagWhileOpen);
    EXPECT_FALSE(vor::gMainWindow.windowOpenFlags.settings);
    EXPECT_TRUE(f.Panel1->isHidden());
    EXPECT_EQ(m_clipboard.Text(),
              "VA2001-TXT#2.18#1#1#0#" + (base() / "HLP" / "VA2001_P.RTF").string());
}

}  // namespace
