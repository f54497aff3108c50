#include "vorplan/orders/ui/clipboard_import_window.h"
#include "vorplan/orders/ui/import_chooser_window.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/fake_clipboard.h"
#include "platform/fake_clock.h"
#include "platform/fake_file_dialog.h"
#include "platform/qt_clipboard.h"
#include "platform/qt_text.h"
#include "tests/support/failing_writes.h"
#include "tests/support/ui_fixture.h"
#include "vorplan/common/calc_lists.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/list_helpers.h"
#include "vorplan/orders/ui/new_project_windows.h"

namespace {

namespace fs = std::filesystem;
using platform::FromQString;
using platform::ToQString;
using vortest::ProcessEvents;
using vortest::ReadBytes;
using vortest::WaitUntil;
using vortest::WriteBytes;
using Lines = std::vector<std::string>;

const fs::path kFixtures = fs::path(VOR_FIXTURES_DIR) / "imports";

// Runs `act` once `window()` shows, from inside the modal call that follows.
void WhenShown(std::function<QWidget*()> window, std::function<void()> act)
{
    QTimer::singleShot(0, [window, act] {
        if (WaitUntil([&] { return window() && window()->isVisible(); })) {
            ProcessEvents();
            act();
        }
    });
}

class ImportWindowTest : public vortest::UiTest {
protected:
    void SetUp() override
    {
        m_saved = std::make_unique<vor::SharedGlobals>(vor::gShared);
        vor::gShared.languageIndex = 1;
        vor::gShared.currentOrder = 3;
        vor::gShared.orderList = vor::OrderList{};
        vor::gShared.calcLists = vor::CalcLists{};
        vor::gShared.interfaces = {};
        const vor::DataFolders shipped = vor::MakeDataFolders(fs::path(VOR_BINARY_DIR) / "vorlane");
        fs::copy_file(vor::LanguageFile(shipped, 1), vor::LanguageFile(vor::gShared.folders, 1),
                      fs::copy_options::overwrite_existing);
        vor::LoadLanguage(vor::gShared.folders, 1, vor::gShared.messages, vor::gShared.iconCaptions);
        clock.SetNow({2025, 3, 24, 14, 15, 2, 0});
        messages().SetDefaultAnswer(platform::Answer::Ok);
        WriteProject(1, "Sala");
    }

    void TearDown() override
    {
        delete vor::Form27;
        delete vor::Form25;
        delete vor::Form26;
        ProcessEvents();
        vor::gShared = *m_saved;
    }

    static fs::path Table(long long n) { return vor::OrderTableFile(vor::gShared.folders, n, true); }
    static fs::path Dsc(long long n) { return vor::ProjectDescriptionFile(vor::gShared.folders, n); }
    static void WriteProject(long long n, const std::string& description)
    {
        WriteBytes(Table(n), "1 1 1 100 100 12 Tampo\r\n");
        WriteBytes(Dsc(n), "[PED]\r\nCAMPO1=" + description + "\r\n");
    }
    std::vector<std::string> AllFiles() const
    {
        std::vector<std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(base()))
            if (!entry.is_directory())
                files.push_back(fs::relative(entry.path(), base()).string() + "=" + ReadBytes(entry.path()));
        std::sort(files.begin(), files.end());
        return files;
    }

    vor::TForm27& OpenClipboardImport(long long number, const std::string& description)
    {
        vor::TForm27* form = vor::CreateForm27();
        form->SetProject(number, description);
        form->show();
        WaitUntil([form] { return form->isActiveWindow(); });
        ProcessEvents();
        return *form;
    }

    vor::TForm25& OpenChooser()
    {
        vor::TForm25* form = vor::CreateForm25();
        form->show();
        WaitUntil([form] { return form->isActiveWindow(); });
        ProcessEvents();
        return *form;
    }

    static fs::path ImportIni() { return vor::IniPath("VL_IMPORT.INI"); }

    platform::FakeClipboard clipboard;
    platform::ScopedClipboard installedClipboard{clipboard};
    platform::FakeClock clock;
    platform::ScopedClock installedClock{clock};
    platform::ScriptedFileDialogs dialogs;
    platform::ScopedFileDialogs installedDialogs{dialogs};

private:
    std::unique_ptr<vor::SharedGlobals> m_saved;
};

const std::string kCopiedCells =
    "10\t2\t500\t300\t7\tPorta\r\n11\t1\t1200,5\t450\t7\tPrateleira de vidro\r\n12\t4\t80\t80\t12\tPortão\r\n";

// ---- The clipboard import -------------------------------------------------------

TEST_F(ImportWindowTest, ClipboardWindowShowsTheInstructionsAndFollowsTheClipboard)
{
    clipboard.TakeOverByOtherProgram("nothing useful");
    vor::TForm27& form = OpenClipboardImport(40, "Cozinha nova");
    QLabel* lines[] = {form.Label1, form.Label2, form.Label3, form.Label4, form.Label5};
    const Lines expected = {" 1 - Acione o Excel (Word / Access)",
                            " 2 - Selecione as células (6 colunas, 1 ou mais linhas):",
                            " 3 - Copie as células ( CTRL +C ) ", " 4 - Retorne a este programa ( Alt + Tab )",
                            " 5 - Salve o projeto "};
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_EQ(FromQString(lines[i]->text()), expected[i]);
    EXPECT_EQ(form.Memo1->toPlainText(), QStringLiteral("nothing useful\n"));
    EXPECT_FALSE(form.Button1->isEnabled());

    // The user copies the cells in another program: read at once.
    clipboard.TakeOverByOtherProgram(kCopiedCells);
    ProcessEvents();
    EXPECT_EQ(form.Memo1->toPlainText(),
              QStringLiteral("10 2 500 300 7 Porta\n11 1 1200,5 450 7 Prateleira de vidro\n12 4 80 80 12 Portão\n"));
    EXPECT_TRUE(form.Button1->isEnabled());
    EXPECT_TRUE(form.Label8->text().isEmpty());
    EXPECT_EQ(messages().Count(), 0u);
    EXPECT_TRUE(vortest::ControlsWithoutText(form).empty() ||
                vortest::ControlsWithoutText(form) == std::vector<QString>{QStringLiteral("Label8")})
        << vortest::JoinNames(vortest::ControlsWithoutText(form));
    EXPECT_TRUE(form.grab().save(QStringLiteral(VOR_TEST_OUTPUT_DIR "/clipboard_import.png")));

    // Four columns only.
    clipboard.TakeOverByOtherProgram("10\t2\t500\t300\t7\n");
    ProcessEvents();
    EXPECT_FALSE(form.Button1->isEnabled());
}

TEST_F(ImportWindowTest, AFaultyTextShowsOneBoxWhateverRepaintsAndActivationsFollow)
{
    clipboard.TakeOverByOtherProgram("5\t1\t1\t1\t1\tA\n7\t1\t1\t1\t1\tB\n6\t1\t1\t1\t1\tC\n");
    vor::TForm27& form = OpenClipboardImport(40, "X");
    for (int i = 0; i < 50; ++i) {
        form.repaint();
        form.FormActivate();
        ProcessEvents();
    }
    EXPECT_EQ(messages().Texts(), Lines{"Error: cod < cod ant"});
    EXPECT_EQ(form.Label8->text(), QStringLiteral("Error: cod < cod ant"));
    EXPECT_FALSE(form.Button1->isEnabled());
    EXPECT_TRUE(form.grab().save(QStringLiteral(VOR_TEST_OUTPUT_DIR "/clipboard_import_error.png")));

    // Another faulty text is another box; a good one clears the line.
    clipboard.TakeOverByOtherProgram("9\t1\t1\t1\t1\tA\n8\t1\t1\t1\t1\tB\n");
    ProcessEvents();
    EXPECT_EQ(messages().Count(), 2u);
    clipboard.TakeOverByOtherProgram("8\t1\t1\t1\t1\tA\n9\t1\t1\t1\t1\tB\n");
    ProcessEvents();
    EXPECT_EQ(messages().Count(), 2u);
    EXPECT_TRUE(form.Label8->text().isEmpty());
    EXPECT_TRUE(form.Button1->isEnabled());
}

TEST_F(ImportWindowTest, SalvaWritesTheProjectMakesItCurrentConfirmsAndCloses)
{
    clipboard.TakeOverByOtherProgram(kCopiedCells);
    vor::TForm27& form = OpenClipboardImport(40, "Cozinha nova");
    ASSERT_TRUE(form.Button1->isEnabled());
    // "Salva" saves what the window shows, not what the clipboard holds by then.
    clipboard.SetUnreadable(true);
    vor::gShared.orderList.dirty = false;
    form.Button1->click();
    EXPECT_EQ(ReadBytes(Table(40)), ReadBytes(kFixtures / "clipboard_PED00040.TAB"));
    EXPECT_EQ(ReadBytes(Dsc(40)), ReadBytes(kFixtures / "clipboard_DSC00040.INI"));
    EXPECT_EQ(vor::gShared.currentOrder, 40);
    EXPECT_TRUE(vor::gShared.orderList.dirty);
    EXPECT_EQ(ReadBytes(vor::RecentProjectsFile(vor::gShared.folders)).substr(0, 4), "40\r\n");
    EXPECT_EQ(messages().Texts(), Lines{vor::FieldMessageText("40", "Cozinha nova")});
    EXPECT_FALSE(form.isVisible());
}

TEST_F(ImportWindowTest, SalvaWritesNothingOverAnExistingNumberNorAfterAFailedWrite)
{
    clipboard.TakeOverByOtherProgram(kCopiedCells);
    // A description file alone holds the number as well.
    WriteBytes(Dsc(41), "[PED]\r\nCAMPO1=Only a description\r\n");
    const std::vector<std::string> before = AllFiles();
    for (const long long number : {1LL, 41LL}) {
        vor::TForm27& form = OpenClipboardImport(number, "Nova");
        messages().ClearShown();
        form.Button1->click();
        EXPECT_EQ(messages().Texts(), Lines{vor::Msg(767) + " (" + std::to_string(number) + ")"});
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(AllFiles(), before);
        EXPECT_EQ(vor::gShared.currentOrder, 3);
        form.close();
    }

    vortest::FailingWrites failing("[PED]");
    vor::TForm27& form = OpenClipboardImport(42, "Nova");
    form.UseFileOps(failing);
    messages().ClearShown();
    form.Button1->click();
    EXPECT_EQ(messages().Count(), 1u);
    EXPECT_NE(messages().Texts()[0].find("DSC00042"), std::string::npos) << messages().Texts()[0];
    EXPECT_FALSE(fs::exists(Table(42)));
    EXPECT_FALSE(fs::exists(Dsc(42)));
    EXPECT_EQ(AllFiles(), before);
    EXPECT_EQ(vor::gShared.currentOrder, 3);
    EXPECT_TRUE(form.isVisible());

    form.Button2->click();  // Cancela
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(AllFiles(), before);
}

// The copied cells are owned by xclip, as a spreadsheet program owns them.
TEST_F(ImportWindowTest, X11ClipboardImportReadsCellsAnotherProgramOwns)
{
    if (QGuiApplication::platformName() != QStringLiteral("xcb"))
        GTEST_SKIP() << "needs an X server (run by the x11 test)";
    platform::QtClipboard qtClipboard;
    platform::ScopedClipboard installed(qtClipboard);
    QProcess xclip;
    xclip.start(QStringLiteral("xclip"),
                {QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-i"), QStringLiteral("-quiet")});
    ASSERT_TRUE(xclip.waitForStarted());
    xclip.write("10\t2\t500\t300\t7\tPorta ma\xc3\xa7\xc3\xa3\n11\t1\t400\t200\t7\tGaveta \xc3\xa9\n");
    xclip.closeWriteChannel();

    vor::TForm27& form = OpenClipboardImport(40, "Cozinha");
    EXPECT_TRUE(WaitUntil([&form] { return form.Button1->isEnabled(); })) << FromQString(form.Memo1->toPlainText());
    EXPECT_EQ(form.Memo1->toPlainText(), QStringLiteral("10 2 500 300 7 Porta maçã\n11 1 400 200 7 Gaveta é\n"));
    EXPECT_TRUE(form.grab().save(QStringLiteral(VOR_TEST_OUTPUT_DIR "/clipboard_import_x11.png")));
    form.Button1->click();
    EXPECT_EQ(ReadBytes(Table(40)), "1      10      2  500.0  300.0      7 Porta_ma\xe7\xe3 ABC\r\n"
                                    "1      11      1  400.0  200.0      7 Gaveta_\xe9 ABC\r\n");
    xclip.kill();
    xclip.waitForFinished();
}

// ---- The source chooser ----------------------------------------------------------

TEST_F(ImportWindowTest, ChooserStartsWithTheClipboardAndProposesANumber)
{
    vor::TForm25& form = OpenChooser();
    EXPECT_TRUE(form.RadioButton1->isChecked());
    EXPECT_EQ(form.Source(), vor::ImportSource::Clip);
    EXPECT_FALSE(form.Edit1->isVisible());
    EXPECT_EQ(form.Edit2->text(), QStringLiteral("0"));
    EXPECT_EQ(form.Edit3->text(), QStringLiteral("PRJ 0"));
    // No external system: the fifth choice is off and says why.
    EXPECT_FALSE(form.RadioButton5->isEnabled());
    EXPECT_EQ(FromQString(form.RadioButton5->text()), vor::Msg(959) + " (" + vor::Msg(969) + ")");
    EXPECT_TRUE(vortest::ControlsWithoutText(form).empty()) << vortest::JoinNames(vortest::ControlsWithoutText(form));
    EXPECT_TRUE(form.grab().save(QStringLiteral(VOR_TEST_OUTPUT_DIR "/import_chooser.png")));
}

TEST_F(ImportWindowTest, ChooserReadsTheFirstTrueKeyAndTheExternalSystem)
{
    WriteBytes(ImportIni(), "[IMPORT]\r\nCLIP=0\r\nTXT=1\r\nCSV=1\r\n");
    WriteBytes(vor::gShared.folders.mrp / "MRP.INI", "[MRP]\r\nMRP_NAME=Plano\r\nPRJ_DESCRIPTION=Pedido do Plano\r\n");
    vor::TForm25& form = OpenChooser();
    EXPECT_TRUE(form.RadioButton2->isChecked());
    EXPECT_TRUE(form.Edit1->isVisible());
    EXPECT_EQ(FromQString(form.Edit1->text()), (vor::gShared.folders.importDir / "EXAMPLE.CSV").string());
    EXPECT_TRUE(form.RadioButton5->isEnabled());
    EXPECT_EQ(form.RadioButton5->text(), QStringLiteral("Plano - Pedido do Plano"));
    EXPECT_TRUE(form.grab().save(QStringLiteral(VOR_TEST_OUTPUT_DIR "/import_chooser_file.png")));

    form.RadioButton3->setChecked(true);
    EXPECT_EQ(FromQString(form.Edit1->text()), (vor::gShared.folders.importDir / "EXAMPLE.TXT").string());
    form.RadioButton5->setChecked(true);
    EXPECT_FALSE(form.Edit1->isVisible());
    EXPECT_EQ(form.Edit3->text(), QStringLiteral("Pedido do Plano"));
    form.RadioButton4->setChecked(true);
    EXPECT_EQ(form.Edit3->text(), QStringLiteral("PRJ 0"));

    // Closing keeps the choice: five keys, one of them true.
    form.Button2->click();
    const vor::IniFile ini(ImportIni());
    EXPECT_EQ(ini.ReadString("IMPORT", "CLIP", ""), "0");
    EXPECT_EQ(ini.ReadString("IMPORT", "CSV", ""), "0");
    EXPECT_EQ(ini.ReadString("IMPORT", "TXT", ""), "0");
    EXPECT_EQ(ini.ReadString("IMPORT", "VLNET", ""), "1");
    EXPECT_EQ(ini.ReadString("IMPORT", "OUTR", ""), "0");
}

TEST_F(ImportWindowTest, ContinuaWithAMissingFileSaysSoAndStays)
{
    WriteBytes(ImportIni(), "[IMPORT]\r\nCSV=1\r\n");
    vor::TForm25& form = OpenChooser();
    const std::string missing = (vor::gShared.folders.importDir / "EXAMPLE.CSV").string();
    form.Button1->click();
    EXPECT_EQ(messages().Texts(), Lines{vor::Msg(799) + " [" + missing + "] " + vor::Msg(800)});
    EXPECT_TRUE(form.isVisible());
    // A folder of that name is no file either.
    fs::create_directories(vor::gShared.folders.importDir / "EXAMPLE.CSV");
    form.Button1->click();
    EXPECT_EQ(messages().Count(), 2u);
    EXPECT_TRUE(form.isVisible());
}

TEST_F(ImportWindowTest, TheFileButtonOpensTheImportFolderWithTheSourcesFilter)
{
    WriteBytes(ImportIni(), "[IMPORT]\r\nTXT=1\r\n");
    vor::TForm25& form = OpenChooser();
    dialogs.Script("/somewhere/pieces.txt");
    form.Button3->click();
    ASSERT_EQ(dialogs.Shown().size(), 1u);
    EXPECT_EQ(dialogs.Shown()[0].start, vor::gShared.folders.importDir);
    EXPECT_EQ(dialogs.Shown()[0].filter, "TXT ( *.txt) (*.txt *.TXT)");
    EXPECT_EQ(form.Edit1->text(), QStringLiteral("/somewhere/pieces.txt"));
    form.Button3->click();  // cancelled: the name stays
    EXPECT_EQ(form.Edit1->text(), QStringLiteral("/somewhere/pieces.txt"));
}

TEST_F(ImportWindowTest, ANumberChosenWithMudarSurvivesThePromptsClosing)
{
    vor::TForm25& form = OpenChooser();
    WhenShown([] { return static_cast<QWidget*>(vor::Form26); }, [] {
        vor::Form26->Edit1->setText(QStringLiteral("77"));
        vor::Form26->Edit2->setText(QStringLiteral("Minha cozinha"));
        vor::Form26->Button1->click();
    });
    form.Button4->click();
    form.activateWindow();
    WaitUntil([&form] { return form.isActiveWindow(); });
    ProcessEvents();
    EXPECT_EQ(form.Edit2->text(), QStringLiteral("77"));
    EXPECT_EQ(form.Edit3->text(), QStringLiteral("Minha cozinha"));
}

TEST_F(ImportWindowTest, TheClipboardRouteImportsAndTheChooserProposesAfresh)
{
    clipboard.TakeOverByOtherProgram(kCopiedCells);
    vor::TForm25& form = OpenChooser();
    WhenShown([] { return static_cast<QWidget*>(vor::Form27); }, [] {
        EXPECT_EQ(vor::Form27->Label7->text(), QStringLiteral("Projeto: 0 - PRJ 0"));
        vor::Form27->Button1->click();
    });
    form.Button1->click();
    EXPECT_TRUE(fs::exists(Table(0)));
    EXPECT_EQ(vor::gShared.currentOrder, 0);
    // Number 0 is taken now.
    EXPECT_EQ(form.Edit2->text(), QStringLiteral("2"));
    EXPECT_TRUE(form.isVisible());
}

}  // namespace
