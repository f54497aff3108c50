#include "vorplan/orders/ui/clipboard_import_window.h"
#include "vorplan/orders/ui/delimited_import_window.h"
#include "vorplan/orders/ui/import_chooser_window.h"
#include "vorplan/orders/ui/installation_import_window.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/fake_clipboard.h"
#include "platform/fake_clock.h"
#include "platform/fake_file_dialog.h"
#include "platform/mounts.h"
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
#include "vorplan/orders/ui/project_manager_window.h"

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

// Shows `form` and waits until it is the active window.
template <class Form>
Form& ShowActive(Form* form)
{
    form->show();
    WaitUntil([form] { return form->isActiveWindow(); });
    ProcessEvents();
    return *form;
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
        delete vor::Form29;
        delete vor::Form32;
        delete vor::Form25;
        delete vor::Form26;
        delete vor::Form21;
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
        return ShowActive(form);
    }

    vor::TForm25& OpenChooser()
    {
        return ShowActive(vor::CreateForm25());
    }

    static fs::path ImportIni() { return vor::IniPath("VL_IMPORT.INI"); }

    vor::TForm32& OpenFileImport(const fs::path& file, long long number, const std::string& description,
                                 bool separators = true)
    {
        vor::TForm32* form = vor::CreateForm32();
        form->SetImport(file, number, description, separators);
        return ShowActive(form);
    }

    vor::TForm29& OpenInstallationImport()
    {
        return ShowActive(vor::CreateForm29());
    }

    static Lines GridColumn(const vor::TForm32& form, int column)
    {
        Lines cells;
        for (int row = 0; row < form.StringGrid1->rowCount(); ++row)
            cells.push_back(FromQString(form.StringGrid1->item(row, column)->text()));
        return cells;
    }

    platform::FakeClipboard clipboard;
    platform::ScopedClipboard installedClipboard{clipboard};
    platform::FakeClock clock;
    platform::ScopedClock installedClock{clock};
    platform::ScriptedFileDialogs dialogs;
    platform::ScopedFileDialogs installedDialogs{dialogs};
    struct ScopedMounts {
        explicit ScopedMounts(platform::Mounts& mounts) { platform::SetMounts(&mounts); }
        ~ScopedMounts() { platform::SetMounts(nullptr); }
    };
    platform::FixedMounts mounts;
    ScopedMounts installedMounts{mounts};

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

TEST_F(ImportWindowTest, TheProjectManagersImportarOpensTheChooser)
{
    vor::TForm21* manager = vor::CreateForm21();
    bool opened = false;
    WhenShown([] { return static_cast<QWidget*>(vor::Form25); }, [&opened] {
        opened = true;
        vor::Form25->Button2->click();
    });
    manager->Button6->click();
    EXPECT_TRUE(opened);
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

// ---- The delimited file import ----------------------------------------------------

TEST_F(ImportWindowTest, AFileShowsItsFieldsAndSummaryAndFollowsTheSeparatorChosen)
{
    const fs::path file = vor::gShared.folders.importDir / "pieces.csv";
    fs::copy_file(kFixtures / "pieces_semicolon.csv", file);
    vor::TForm32& form = OpenFileImport(file, 50, "Cozinha do cliente");
    EXPECT_TRUE(form.RadioButton3->isChecked());
    EXPECT_TRUE(form.Panel1->isVisible());
    ASSERT_EQ(form.StringGrid1->rowCount(), 7);
    EXPECT_EQ(GridColumn(form, 2), (Lines{"Largura", "720", "764", "", "716,5", "", "796"}));
    EXPECT_EQ(FromQString(form.Label5->text()), "4 " + vor::Msg(945) + ", 10 " + vor::Msg(349));
    EXPECT_TRUE(form.Button1->isEnabled());
    EXPECT_EQ(messages().Count(), 0u);
    EXPECT_TRUE(vortest::ControlsWithoutText(form).empty()) << vortest::JoinNames(vortest::ControlsWithoutText(form));
    EXPECT_TRUE(form.grab().save(QStringLiteral(VOR_TEST_OUTPUT_DIR "/file_import.png")));

    // Split at blanks, the lines make other fields, another summary and nothing to import.
    form.RadioButton4->setChecked(true);
    EXPECT_EQ(GridColumn(form, 1), (Lines{"", "do", "", "", "de", "", "de"}));
    EXPECT_EQ(FromQString(form.Label5->text()), "0 " + vor::Msg(945) + ", 0 " + vor::Msg(349));
    EXPECT_FALSE(form.Button1->isEnabled());
    form.RadioButton3->setChecked(true);
    EXPECT_TRUE(form.Button1->isEnabled());

    form.Button1->click();
    EXPECT_EQ(ReadBytes(Table(50)), ReadBytes(kFixtures / "delimited_PED00050.TAB"));
    EXPECT_NE(ReadBytes(Dsc(50)).find("CAMPO1=Cozinha do cliente\r\n"), std::string::npos);
    EXPECT_EQ(vor::gShared.currentOrder, 50);
    EXPECT_TRUE(vor::gShared.orderList.dirty);
    EXPECT_EQ(ReadBytes(vor::RecentProjectsFile(vor::gShared.folders)).substr(0, 4), "50\r\n");
    EXPECT_EQ(messages().Texts(), Lines{"Cozinha do cliente (50)"});
    EXPECT_FALSE(form.isVisible());
}

TEST_F(ImportWindowTest, AFileImportWritesNothingOverAnExistingNumberNorAfterAFailedWrite)
{
    const fs::path file = vor::gShared.folders.importDir / "pieces.txt";
    fs::copy_file(kFixtures / "pieces_tab.txt", file);
    const std::vector<std::string> before = AllFiles();
    vor::TForm32& taken = OpenFileImport(file, 1, "Nova");
    taken.Button1->click();
    EXPECT_EQ(messages().Texts(), Lines{vor::Msg(767) + " (1)"});
    EXPECT_EQ(AllFiles(), before);
    EXPECT_TRUE(taken.isVisible());
    taken.close();

    vortest::FailingWrites failing("[PED]");
    vor::TForm32& form = OpenFileImport(file, 51, "Nova");
    form.UseFileOps(failing);
    messages().ClearShown();
    form.Button1->click();
    EXPECT_EQ(messages().Count(), 1u);
    EXPECT_FALSE(fs::exists(Table(51)));
    EXPECT_FALSE(fs::exists(Dsc(51)));
    EXPECT_EQ(AllFiles(), before);
    EXPECT_EQ(vor::gShared.currentOrder, 3);
}

TEST_F(ImportWindowTest, AMissingFileOrAnUnknownSeparatorIsSaid)
{
    const fs::path missing = vor::gShared.folders.importDir / "gone.csv";
    vor::TForm32& form = OpenFileImport(missing, 52, "X");
    EXPECT_EQ(messages().Texts(), Lines{vor::Msg(799) + " [" + missing.string() + "] " + vor::Msg(800)});
    EXPECT_FALSE(form.Button1->isEnabled());
    form.close();

    const fs::path four = vor::gShared.folders.importDir / "four.csv";
    WriteBytes(four, "1,2;500,300;7\tDoor\r\n");
    messages().ClearShown();
    OpenFileImport(four, 52, "X");
    EXPECT_EQ(messages().Texts(), Lines{"ERRO - DELIMITADOR. (v=2 t=1 pv=2)"});
}

TEST_F(ImportWindowTest, TheChoosersFileRoutesOpenTheFileImport)
{
    WriteBytes(vor::gShared.folders.mrp / "MRP.INI", "[MRP]\r\nMRP_NAME=Plano\r\nPRJ_DESCRIPTION=Pedido do Plano\r\n");
    WriteBytes(vor::gShared.folders.mrp / "mrp_in.txt", "1,2,500,300,7,Door\r\n");
    WriteBytes(vor::gShared.folders.importDir / "EXAMPLE.CSV", "1,2,500,300,7,Door\r\n");
    WriteBytes(vor::gShared.folders.importDir / "example.txt", "1\t2\t500\t300\t7\tDoor\r\n");
    struct Case {
        const char* key;
        fs::path file;
        bool separators;
        const char* description;
    };
    const Case cases[] = {
        {"CSV", vor::gShared.folders.importDir / "EXAMPLE.CSV", true, "PRJ 0"},
        {"TXT", vor::gShared.folders.importDir / "example.txt", true, "PRJ 0"},
        {"OUTR", vor::gShared.folders.mrp / "mrp_in.txt", false, "Pedido do Plano"},
    };
    for (const Case& c : cases) {
        WriteBytes(ImportIni(), std::string("[IMPORT]\r\n") + c.key + "=1\r\n");
        vor::TForm25& form = OpenChooser();
        bool seen = false;
        WhenShown([] { return static_cast<QWidget*>(vor::Form32); }, [&] {
            seen = true;
            EXPECT_EQ(FromQString(vor::Form32->Label1->text()), c.file.string()) << c.key;
            EXPECT_EQ(vor::Form32->Panel1->isVisible(), c.separators) << c.key;
            EXPECT_EQ(FromQString(vor::Form32->Label4->text()), std::string("0 - ") + c.description) << c.key;
            EXPECT_TRUE(vor::Form32->Button1->isEnabled()) << c.key;
            vor::Form32->Button2->click();
        });
        form.Button1->click();
        EXPECT_TRUE(seen) << c.key;
        form.Button2->click();
        ProcessEvents();
    }
    EXPECT_EQ(messages().Count(), 0u);
}

// ---- Another installation -------------------------------------------------------------

class InstallationWindowTest : public ImportWindowTest {
protected:
    void SetUp() override
    {
        ImportWindowTest::SetUp();
        share = shareDir.path() / "vorlane";
        fs::create_directories(share / "PED" / "OLD");
        WriteOther("DSC00100.INI", "[PED]\r\nCAMPO1=Cem\r\n");
        WriteOther("PED00100.TAB", "1 1 1 100 100 12 Cem\r\n");
        WriteOther("DSC00012.INI", "[PED]\r\nCAMPO1=Doze\r\nX=\xE9\r\n");
        WriteOther("PED00012.TAB", "1 1 2 500 300 12 Porta 12 ABCD\r\n");
        WriteOther("DSC00001.INI", "[PED]\r\nCAMPO1=Sala do vizinho\r\n");
        WriteOther("PED00001.TAB", "1 1 9 900 900 12 Mesa\r\n");
        WriteOther("DSC00002.INI", "[PED]\r\nCAMPO1=Sem tabela\r\n");
        WriteOther("DSC12A45.INI", "[PED]\r\nCAMPO1=No\r\n");
        WriteOther("OLD/DSC00005.INI", "[PED]\r\nCAMPO1=Old\r\n");
    }
    void WriteOther(const std::string& name, const std::string& bytes) { WriteBytes(share / "PED" / name, bytes); }
    static Lines Items(const QListWidget& list)
    {
        Lines items;
        for (int row = 0; row < list.count(); ++row)
            items.push_back(FromQString(list.item(row)->text()));
        return items;
    }
    void SelectProject(vor::TForm29& form, long long number)
    {
        for (int row = 0; row < form.ListBox2->count(); ++row)
            if (form.Projects()[static_cast<std::size_t>(row)].number == number)
                form.ListBox2->item(row)->setSelected(true);
        ProcessEvents();
    }

    vortest::TempDir shareDir;
    fs::path share;
};

TEST_F(InstallationWindowTest, WithoutANetworkMountTheFolderEntryRemains)
{
    vor::TForm29& form = OpenInstallationImport();
    EXPECT_EQ(messages().Texts(), Lines{vor::Msg(989)});
    EXPECT_EQ(Items(*form.ListBox1), Lines{"..."});
    EXPECT_FALSE(form.ListBox2->isVisible());
    EXPECT_FALSE(form.Button1->isVisible());

    // Any mounted folder can be chosen instead.
    dialogs.Script(share);
    form.ListBox1Click(0);
    ASSERT_EQ(dialogs.Shown().size(), 1u);
    EXPECT_TRUE(dialogs.Shown()[0].folder);
    EXPECT_EQ(Items(*form.ListBox2), (Lines{"1  Sala do vizinho", "2  Sem tabela", "12  Doze", "100  Cem"}));
    EXPECT_EQ(FromQString(form.Label3->text()), "4 " + vor::Msg(42));
    EXPECT_TRUE(form.ListBox2->isVisible());
    EXPECT_FALSE(form.Button1->isEnabled());
    SelectProject(form, 12);
    EXPECT_TRUE(form.Button1->isEnabled());
    EXPECT_TRUE(vortest::ControlsWithoutText(form).empty()) << vortest::JoinNames(vortest::ControlsWithoutText(form));
    EXPECT_TRUE(form.grab().save(QStringLiteral(VOR_TEST_OUTPUT_DIR "/installation_import.png")));
}

TEST_F(InstallationWindowTest, AMountWithoutAProjectFolderIsSaid)
{
    mounts.folders = {shareDir.path(), share};
    vor::TForm29& form = OpenInstallationImport();
    EXPECT_EQ(Items(*form.ListBox1), (Lines{shareDir.path().string(), share.string(), "..."}));
    EXPECT_EQ(messages().Count(), 0u);
    form.ListBox1Click(0);
    EXPECT_EQ(messages().Texts(), Lines{vor::Msg(987)});
    EXPECT_FALSE(form.ListBox2->isVisible());
    form.ListBox1Click(1);
    EXPECT_EQ(form.ListBox2->count(), 4);
}

TEST_F(InstallationWindowTest, AnExistingNumberIsReplacedOnlyOnYes)
{
    mounts.folders = {share};
    const std::string oldTable = ReadBytes(Table(1));
    const std::string oldDsc = ReadBytes(Dsc(1));
    vor::TForm29& form = OpenInstallationImport();
    form.ListBox1Click(0);
    SelectProject(form, 1);
    messages().Script({platform::Answer::No});
    form.Button1->click();
    EXPECT_EQ(messages().Texts(), Lines{"1 " + vor::Msg(988)});
    EXPECT_EQ(messages().Last().buttons, platform::Buttons::YesNo);
    EXPECT_EQ(ReadBytes(Table(1)), oldTable);
    EXPECT_EQ(ReadBytes(Dsc(1)), oldDsc);
    EXPECT_TRUE(form.isVisible());

    // A copy failing half-way keeps the old files too.
    vortest::FailingWrites failing("[PED]");
    form.UseFileOps(failing);
    messages().Script({platform::Answer::Yes});
    form.Button1->click();
    EXPECT_EQ(ReadBytes(Table(1)), oldTable);
    EXPECT_EQ(ReadBytes(Dsc(1)), oldDsc);
    EXPECT_TRUE(form.isVisible());

    form.UseFileOps(vor::DefaultFileOps());
    messages().ClearShown();
    messages().Script({platform::Answer::Yes});
    vor::gShared.orderList.dirty = false;
    form.Button1->click();
    EXPECT_EQ(ReadBytes(Table(1)), ReadBytes(share / "PED" / "PED00001.TAB"));
    EXPECT_EQ(ReadBytes(Dsc(1)), ReadBytes(share / "PED" / "DSC00001.INI"));
    EXPECT_EQ(vor::gShared.currentOrder, 1);
    EXPECT_TRUE(vor::gShared.orderList.dirty);
    EXPECT_EQ(messages().Count(), 2u);
    EXPECT_FALSE(form.isVisible());
}

TEST_F(InstallationWindowTest, ANewNumberIsCopiedAndAMissingTableCopiesNothing)
{
    mounts.folders = {share};
    vor::TForm29& form = OpenInstallationImport();
    form.ListBox1Click(0);
    SelectProject(form, 2);
    const std::vector<std::string> before = AllFiles();
    form.Button1->click();
    EXPECT_EQ(messages().Texts(), Lines{"Não foi possível ler o arquivo " + (share / "PED" / "PED00002.TAB").string()});
    EXPECT_EQ(AllFiles(), before);
    EXPECT_TRUE(form.isVisible());

    form.ListBox2->clearSelection();
    SelectProject(form, 12);
    messages().ClearShown();
    form.Button1->click();
    EXPECT_EQ(ReadBytes(Table(12)), "1 1 2 500 300 12 Porta 12 ABCD\r\n");
    EXPECT_EQ(ReadBytes(Dsc(12)), "[PED]\r\nCAMPO1=Doze\r\nX=\xE9\r\n");
    EXPECT_EQ(vor::gShared.currentOrder, 12);
    EXPECT_EQ(messages().Texts(), Lines{vor::FieldMessageText("12", "Doze")});
    EXPECT_FALSE(form.isVisible());
}

TEST_F(InstallationWindowTest, TheChoosersInstallationRouteOpensIt)
{
    WriteBytes(ImportIni(), "[IMPORT]\r\nVLNET=1\r\n");
    mounts.folders = {share};
    vor::TForm25& form = OpenChooser();
    bool seen = false;
    WhenShown([] { return static_cast<QWidget*>(vor::Form29); }, [&seen] {
        seen = vor::Form29->ListBox1->count() == 2;
        vor::Form29->Button2->click();
    });
    form.Button1->click();
    EXPECT_TRUE(seen);
}

}  // namespace
