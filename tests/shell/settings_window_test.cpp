#include "vorplan/shell/settings_window.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "platform/qt_text.h"
#include "tests/support/ui_fixture.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/shell/main_window_hooks.h"

namespace {

namespace fs = std::filesystem;
using vortest::ProcessEvents;
using vortest::WaitUntil;

class RecordingMainWindow final : public vor::MainWindowHooks {
public:
    void HideDropDownMenu() override { ++hideMenuCalls; }
    void ShowHelpText() override
    {
        ++helpCalls;
        waitCursorDuringHelp = QApplication::overrideCursor() &&
                               QApplication::overrideCursor()->shape() == Qt::WaitCursor;
    }
    int hideMenuCalls = 0;
    int helpCalls = 0;
    bool waitCursorDuringHelp = false;
};

QString Q(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

class SettingsWindowTest : public vortest::UiTest {
protected:
    void SetUp() override
    {
        m_saved = std::make_unique<vor::SharedGlobals>(vor::gShared);
        vor::gShared.settings = vor::GeneralSettings();
        vor::gShared.languageIndex = 1;
        vor::gShared.dimensionPrecision = 1;
        vortest::WriteNumberedLanguageFile(base() / "LANG" / "PORT.PTC");
        vor::LoadLanguage(vor::gShared.folders, 1, vor::gShared.messages, vor::gShared.iconCaptions);
        vor::gMainWindow = {};
        vor::gMainWindow.geometry.centreX = 640;
        vor::gMainWindow.geometry.listTop = 220;
        vor::gMainWindow.windowOpenFlags.settings = true;  // as the Configura icon sets it
        vor::SetMainWindowHooks(&m_main);
    }

    void TearDown() override
    {
        delete vor::Form6;
        ProcessEvents();
        vor::SetMainWindowHooks(nullptr);
        vor::gMainWindow = {};
        vor::gShared = *m_saved;
    }

    fs::path SettingsPath() const { return iniDir() / "VL_.INI"; }

    // Opens the window the way the Configura icon does, without blocking.
    vor::TForm6& Open()
    {
        vor::TForm6* form = vor::CreateForm6();
        form->show();
        form->activateWindow();
        WaitUntil([form] { return form->isActiveWindow(); });
        return *form;
    }

    RecordingMainWindow m_main;

private:
    std::unique_ptr<vor::SharedGlobals> m_saved;
};

TEST_F(SettingsWindowTest, OneInstanceMadeAtStart)
{
    EXPECT_EQ(vor::Form6, nullptr);
    vor::TForm6* form = vor::CreateForm6();
    EXPECT_EQ(vor::Form6, form);
    EXPECT_EQ(vor::CreateForm6(), form);
    EXPECT_EQ(form->PageControl1->currentWidget(), form->TabSheet1);
    EXPECT_EQ(form->PageControl1->count(), 3);
}

TEST_F(SettingsWindowTest, LanguageClickSetsTheIndexAndClosesWithoutWriting)
{
    vortest::WriteBytes(SettingsPath(), "[Varios]\r\nIdioma=1\r\nmoney=R$\r\n");
    const std::string before = vortest::ReadBytes(SettingsPath());
    struct Case {
        QRadioButton* vor::TForm6::*button;
        int language;
    };
    const Case cases[] = {
        {&vor::TForm6::RadioButton4, 2}, {&vor::TForm6::RadioButton5, 3},
        {&vor::TForm6::RadioButton6, 4}, {&vor::TForm6::RadioButton7, 5},
        {&vor::TForm6::RadioButton3, 1},
    };
    for (const Case& c : cases) {
        vor::gMainWindow.windowOpenFlags.settings = true;
        vor::TForm6& form = Open();
        form.Edit2->setText(Q("typed"));  // discarded by the language choice
        form.Edit1->setText(Q("secret"));
        (form.*c.button)->click();
        EXPECT_EQ(vor::gShared.languageIndex, c.language);
        EXPECT_FALSE(form.isVisible()) << c.language;
        EXPECT_FALSE(vor::gMainWindow.windowOpenFlags.settings);
        EXPECT_EQ(vor::gShared.settings.money, "R$");
        EXPECT_EQ(vor::gShared.settings.password, "");
        EXPECT_EQ(vortest::ReadBytes(SettingsPath()), before);
    }
}

TEST_F(SettingsWindowTest, OkWritesTheWindowKeysOnly)
{
    vor::gShared.settings.beepSound = true;
    vor::TForm6& form = Open();
    form.Edit1->setText(Q("abc"));
    form.Button3->click();  // "£"
    form.Edit3->setText(Q("Peça"));
    form.Edit6->setText(Q("Sobras"));
    form.RadioButton9->click();
    form.RadioButton1->click();
    form.RadioButton12->click();
    form.Button1->click();

    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(vor::gMainWindow.windowOpenFlags.settings);
    const vor::IniFile ini(SettingsPath());
    const std::vector<std::string> expectedKeys = {
        "Som_apito", "Som_wav",          "Senha",   "money",   "s_peca",  "s_pecas",
        "s_sucata",  "s_sucatas",        "SHOW_D",  "ARREDONDAMENTO_1",   "FAT_C_M",
        "FAT_C_R",   "TIP_PED",          "MENU_INI", "OPC_PCI", "TIPO_N_PROJETO_NOVO"};
    EXPECT_EQ(ini.ReadSectionKeys("Varios"), expectedKeys);
    EXPECT_FALSE(ini.SectionExists("ETIQUETA"));
    EXPECT_EQ(ini.ReadString("Varios", "Som_apito", ""), "1");
    EXPECT_EQ(ini.ReadString("Varios", "Senha", ""), "`cb");
    EXPECT_EQ(ini.ReadString("Varios", "money", ""), "£");
    EXPECT_EQ(ini.ReadString("Varios", "s_peca", ""), "Peça");
    EXPECT_EQ(ini.ReadString("Varios", "s_sucatas", ""), "Sobras");
    EXPECT_EQ(ini.ReadString("Varios", "SHOW_D", ""), "0");
    EXPECT_EQ(ini.ReadString("Varios", "ARREDONDAMENTO_1", ""), "1");
    EXPECT_EQ(ini.ReadString("Varios", "TIPO_N_PROJETO_NOVO", ""), "0");
    EXPECT_EQ(ini.ReadString("Varios", "OPC_PCI", ""), "0");

    const vor::GeneralSettings& s = vor::gShared.settings;
    EXPECT_EQ(s.password, "abc");
    EXPECT_EQ(s.money, "£");
    EXPECT_FALSE(s.showDecimals);
    EXPECT_TRUE(s.roundingTypeOne);
    EXPECT_FALSE(s.firstFreeProjectNumber);
}

TEST_F(SettingsWindowTest, DeactivationWritesNothingButKeepsTheImmediateChanges)
{
    QWidget mainWindow;
    mainWindow.show();
    vor::TForm6& form = Open();
    form.CheckBox6->click();     // incomplete calculation off
    form.CheckBox4->click();     // special perimeter on
    form.RadioButton1->click();  // rounding type 1
    form.RadioButton12->click(); // last number + 1
    form.Edit2->setText(Q("US$"));
    form.Edit1->setText(Q("pw"));

    mainWindow.activateWindow();
    ASSERT_TRUE(WaitUntil([&form] { return !form.isVisible(); }));

    EXPECT_EQ(m_main.hideMenuCalls, 1);
    EXPECT_FALSE(vor::gMainWindow.windowOpenFlags.settings);
    EXPECT_FALSE(fs::exists(SettingsPath()));
    const vor::GeneralSettings& s = vor::gShared.settings;
    EXPECT_EQ(s.partialCalculation, 0);
    EXPECT_EQ(s.specialPerimeter, 1);
    EXPECT_TRUE(s.roundingTypeOne);
    EXPECT_FALSE(s.firstFreeProjectNumber);
    EXPECT_EQ(s.money, "R$");
    EXPECT_EQ(s.password, "");

    // Back in: the fields show the settings again, typed text gone.
    Open();
    EXPECT_EQ(form.Edit2->text(), Q("R$"));
    EXPECT_FALSE(form.CheckBox6->isChecked());
    EXPECT_TRUE(form.CheckBox4->isChecked());
    EXPECT_TRUE(form.RadioButton1->isChecked());
    EXPECT_TRUE(form.RadioButton12->isChecked());
}

TEST_F(SettingsWindowTest, PcbOptionFillsAndEmptiesTheNames)
{
    vor::TForm6& form = Open();
    EXPECT_FALSE(form.CheckBox3->isVisible());  // hidden in the form
    form.CheckBox3->click();
    EXPECT_TRUE(vor::gShared.settings.pcbOption);
    EXPECT_EQ(form.Edit3->text(), Q("Tira"));
    EXPECT_EQ(form.Edit4->text(), Q("Tiras"));
    EXPECT_EQ(form.Edit5->text(), Q("Sucata"));
    EXPECT_EQ(form.Edit6->text(), Q("Sucatas"));
    form.CheckBox3->click();
    EXPECT_FALSE(vor::gShared.settings.pcbOption);
    for (QLineEdit* edit : {form.Edit3, form.Edit4, form.Edit5, form.Edit6})
        EXPECT_TRUE(edit->text().isEmpty());
}

TEST_F(SettingsWindowTest, OpeningFillsTheControlsFromTheSettings)
{
    vor::GeneralSettings& s = vor::gShared.settings;
    s.partialCalculation = 0;
    s.specialPerimeter = 2;
    s.pcbOption = true;
    s.password = "senha 1";
    s.money = "€";
    s.pieceName = "a";
    s.piecesName = "b";
    s.scrapName = "c";
    s.scrapsName = "d";
    s.showDecimals = false;
    s.roundingTypeOne = true;
    s.firstFreeProjectNumber = false;
    vor::TForm6& form = Open();

    EXPECT_TRUE(form.RadioButton3->isChecked());
    EXPECT_FALSE(form.CheckBox6->isChecked());
    EXPECT_TRUE(form.CheckBox4->isChecked());
    EXPECT_TRUE(form.CheckBox3->isChecked());
    EXPECT_EQ(form.Edit1->text(), Q("senha 1"));
    EXPECT_TRUE(form.CheckBox2->isEnabled());
    EXPECT_EQ(form.Edit2->text(), Q("€"));
    EXPECT_EQ(form.Edit3->text(), Q("a"));
    EXPECT_EQ(form.Edit4->text(), Q("b"));
    EXPECT_EQ(form.Edit5->text(), Q("c"));
    EXPECT_EQ(form.Edit6->text(), Q("d"));
    EXPECT_TRUE(form.RadioButton9->isChecked());
    EXPECT_TRUE(form.RadioButton1->isChecked());
    EXPECT_TRUE(form.RadioButton12->isChecked());
    EXPECT_EQ(form.Button2->text(), Q("€"));
    EXPECT_EQ(form.Button3->text(), Q("£"));
    EXPECT_EQ(form.Button4->text(), Q("¥"));

    // Captions from the message table.
    EXPECT_EQ(form.windowTitle(), Q("msg 281"));
    EXPECT_EQ(form.GroupBox7->title(), Q(" msg 806"));
    EXPECT_EQ(form.GroupBox10->title(), Q(" msg 839"));
    EXPECT_EQ(form.RadioButton11->text(), Q("msg 917"));
    EXPECT_EQ(form.CheckBox1->text(), Q("msg 709"));
    EXPECT_EQ(form.TabSheet3->windowTitle(), Q(" msg 285 3"));
    EXPECT_EQ(form.CheckBox4->text(), platform::ToQString(vor::Msg(1001)));

    // Centred on the main window, 120 below its top.
    EXPECT_EQ(form.x(), 640 - form.width() / 2);
    EXPECT_EQ(form.y(), 220);
    form.close();
}

TEST_F(SettingsWindowTest, LanguageIsShownAfreshAndPcbOffOutsidePortuguese)
{
    vor::gShared.settings.pcbOption = true;
    vor::gShared.languageIndex = 2;
    vor::TForm6& form = Open();
    EXPECT_TRUE(form.RadioButton4->isChecked());
    EXPECT_FALSE(form.CheckBox3->isChecked());
    EXPECT_FALSE(vor::gShared.settings.pcbOption);
    form.close();

    vor::gShared.languageIndex = 4;  // changed elsewhere, e.g. by F5
    Open();
    EXPECT_TRUE(form.RadioButton6->isChecked());
    form.close();
}

TEST_F(SettingsWindowTest, SmallControls)
{
    vor::gShared.dimensionPrecision = 2;
    vor::TForm6& form = Open();
    // The precision box only enables the decimal presentation.
    EXPECT_FALSE(form.CheckBox1->isChecked());
    EXPECT_FALSE(form.RadioButton8->isEnabled());
    form.CheckBox1->click();
    EXPECT_TRUE(form.RadioButton8->isEnabled());
    EXPECT_TRUE(form.RadioButton9->isEnabled());
    EXPECT_EQ(vor::gShared.dimensionPrecision, 2);

    form.Button2->click();
    EXPECT_EQ(form.Edit2->text(), Q("€"));
    form.Button4->click();
    EXPECT_EQ(form.Edit2->text(), Q("¥"));

    EXPECT_FALSE(form.CheckBox2->isEnabled());
    form.Edit1->setText(Q("x"));
    EXPECT_TRUE(form.CheckBox2->isEnabled());
    form.Edit1->clear();
    EXPECT_FALSE(form.CheckBox2->isEnabled());

    // The password field refuses what the settings file cannot hold.
    form.Edit1->setText(Q("ab"));
    form.Edit1->insert(Q("\xC4\x81"));  // ā
    EXPECT_EQ(form.Edit1->text(), Q("ab"));
    form.Edit1->insert(Q("ç€"));
    EXPECT_EQ(form.Edit1->text(), Q("abç€"));
    form.close();
}

TEST_F(SettingsWindowTest, F1ShowsHelpAndEscapeDoesNotClose)
{
    vor::TForm6& form = Open();
    form.Edit2->setFocus();
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(form.Edit2, &f1);
    EXPECT_EQ(m_main.helpCalls, 1);
    EXPECT_TRUE(m_main.waitCursorDuringHelp);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(form.Edit2, &escape);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(form.Edit2, &enter);
    ProcessEvents();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.Edit2->text(), Q("R$"));  // no currency button pressed by Enter
    EXPECT_FALSE(fs::exists(SettingsPath()));
    form.close();
}

TEST_F(SettingsWindowTest, OkThatCannotWriteReportsAndStaysOpen)
{
    fs::create_directory(SettingsPath());  // a folder where the file should be
    vor::TForm6& form = Open();
    const QPointF centre(form.Button1->width() / 2.0, form.Button1->height() / 2.0);
    const QPointF global = form.Button1->mapToGlobal(centre);
    QMouseEvent press(QEvent::MouseButtonPress, centre, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, centre, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(form.Button1, &press);
    QApplication::sendEvent(form.Button1, &release);
    ProcessEvents();
    ASSERT_EQ(messages().Count(), 1u);
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(vor::gMainWindow.windowOpenFlags.settings);
    form.close();
}



// Every control the user sees carries a text, and a picture of the window is
// left in the build tree to look at.
TEST_F(SettingsWindowTest, EveryVisibleControlShowsItsTextScreenshot)
{
    vor::TForm6& form = Open();
    ProcessEvents();
    const std::vector<QString> missing = vortest::ControlsWithoutText(form);
    EXPECT_TRUE(missing.empty()) << "without a text: " << vortest::JoinNames(missing);

    const QString file = QStringLiteral(VOR_TEST_OUTPUT_DIR "/settings_window.png");
    EXPECT_TRUE(form.grab().save(file));
    form.close();
}

// With the language files the installation ships, in every language.
TEST_F(SettingsWindowTest, ShippedLanguagesGiveEveryControlATextScreenshots)
{
    const vor::DataFolders shipped = vor::MakeDataFolders(fs::path(VOR_BINARY_DIR) / "vorlane");
    for (int language = 1; language <= 5; ++language) {
        const fs::path file = vor::LanguageFile(vor::gShared.folders, language);
        fs::copy_file(vor::LanguageFile(shipped, language), file,
                      fs::copy_options::overwrite_existing);
        vor::gShared.languageIndex = language;
        vor::LoadLanguage(vor::gShared.folders, language, vor::gShared.messages,
                          vor::gShared.iconCaptions);
        vor::TForm6& form = Open();
        ProcessEvents();
        const std::vector<QString> missing = vortest::ControlsWithoutText(form);
        EXPECT_TRUE(missing.empty()) << "language " << language << ", without a text: " << vortest::JoinNames(missing);
        const QString picture =
            QStringLiteral(VOR_TEST_OUTPUT_DIR "/settings_window_%1.png").arg(language);
        EXPECT_TRUE(form.grab().save(picture));
        form.close();
        ProcessEvents();
    }
}

}  // namespace
