#include "vorplan/orders/ui/resources_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "platform/fake_clock.h"
#include "platform/fake_process_launcher.h"
#include "platform/qt_text.h"
#include "tests/support/ui_fixture.h"
#include "vorplan/common/file_operations.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/helper_programs.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/text_file.h"
#include "vorplan/orders/resources.h"
#include "vorplan/orders/ui/new_material_window.h"
#include "vorplan/orders/ui/resources_report_window.h"
#include "vorplan/shell/main_window_hooks.h"

namespace {

namespace fs = std::filesystem;
using platform::Answer;
using vortest::ProcessEvents;
using vortest::WaitUntil;

platform::LocalTime At(int hour, int minute, int second)
{
    platform::LocalTime t;
    t.year = 2024;
    t.month = 3;
    t.day = 5;
    t.hour = hour;
    t.minute = minute;
    t.second = second;
    return t;
}

std::string FileText(const fs::path& path)
{
    std::string text;
    for (const std::string& line : vor::ReadTextLinesOrThrow(path))
        text += line + "\n";
    return text;
}

// Counts the icon resets the window asks of the main window.
class RecordingHooks final : public vor::MainWindowHooks {
public:
    void ShowHelpText() override { ++help; }
    void ResetIconHighlight() override { ++resets; }
    int help = 0;
    int resets = 0;
};

class ResourcesWindowTest : public vortest::UiTest {
protected:
    void SetUp() override
    {
        m_saved = std::make_unique<vor::SharedGlobals>(vor::gShared);
        vor::gShared.settings = vor::GeneralSettings();
        vor::gShared.languageIndex = 1;
        vortest::WriteNumberedLanguageFile(base() / "LANG" / "PORT.PTC");
        vor::LoadLanguage(vor::gShared.folders, 1, vor::gShared.messages,
                          vor::gShared.iconCaptions);
        m_clock.SetNow(At(14, 7, 9));
        vor::SetMainWindowHooks(&m_hooks);
        vor::ResourceEditors editors;
        editors.properties = [this] { opened.push_back("properties " + Current()); };
        editors.sheets = [this] { opened.push_back("sheets " + Current()); };
        editors.offcuts = [this] { opened.push_back("offcuts " + Current()); };
        editors.options = [this] { opened.push_back("options"); };
        vor::TForm22::SetEditors(editors);
    }

    void TearDown() override
    {
        delete vor::Form22;
        delete vor::Form14;
        delete vor::Form24;
        ProcessEvents();
        vor::TForm22::SetEditors({});
        vor::SetMainWindowHooks(nullptr);
        vor::gShared = *m_saved;
    }

    static std::string Current() { return std::to_string(vor::gShared.currentMaterial); }

    void AddMaterial(long long code, const std::string& description, int colour) const
    {
        vor::WriteTextLines(vor::MaterialFile(vor::gShared.folders, code),
                            {"[DESC]", "CAMPO1=" + description, "FAMILIA=Painéis", "[PROP_FISIC]",
                             "COR=" + std::to_string(colour)});
    }

    // Material 7 with sheets and offcuts, 12 without stock, example 99001.
    void AddCatalogue() const
    {
        AddMaterial(7, "Aglomerado 15mm", 0x0000FF);
        AddMaterial(12, "MDF cru", 0x00FF00);
        AddMaterial(99001, "Exemplo", 0xFF0000);
        vor::WriteTextLines(vor::SheetTableFile(vor::gShared.folders, 7),
                            {"1      3      2   2750   1830 Chapa ABCDEFG12345"});
        vor::WriteTextLines(vor::OffcutTableFile(vor::gShared.folders, 7),
                            {"1,+,2,500,300,sobra,"});
    }

    vor::TForm22& Open()
    {
        vor::ShowResourcesWindow();
        vor::TForm22* form = vor::Form22;
        WaitUntil([form] { return form->isActiveWindow(); });
        return *form;
    }

    static std::vector<std::string> Items(const QListWidget& list)
    {
        std::vector<std::string> items;
        for (int i = 0; i < list.count(); ++i)
            items.push_back(platform::FromQString(list.item(i)->text()));
        return items;
    }

    static void Select(vor::TForm22& form, std::initializer_list<int> rows)
    {
        form.ListBox1->clearSelection();
        for (int row : rows)
            form.ListBox1->item(row)->setSelected(true);
    }

    static std::string States(const vor::TForm22& form)
    {
        std::string s;
        for (const QPushButton* b :
             {form.Button1, form.Button2, form.Button3, form.Button4, form.Button5})
            s += b->isEnabled() ? '1' : '0';
        return s;
    }

    fs::path MaterialPath(long long code) const
    {
        return vor::MaterialFile(vor::gShared.folders, code);
    }

    std::vector<std::string> opened;
    platform::FakeClock m_clock;
    platform::ScopedClock m_installedClock{m_clock};
    RecordingHooks m_hooks;

private:
    std::unique_ptr<vor::SharedGlobals> m_saved;
};

// ---- The rules without the window --------------------------------------------

TEST_F(ResourcesWindowTest, ButtonStatesFollowTheSelectionAndTheCatalogueSize)
{
    struct Case {
        int selected, total;
        vor::ResourceButtonStates expected;
    };
    const Case cases[] = {
        {0, 1, {false, false, false, true, false}},
        {1, 1, {true, true, true, true, false}},  // the last material stays
        {0, 2, {false, false, false, true, false}},
        {1, 2, {true, true, true, true, true}},
        {2, 2, {false, false, false, true, false}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(vor::ResourceButtons(c.selected, c.total), c.expected)
            << c.selected << " of " << c.total;
    EXPECT_EQ(vor::SelectionCountText(1, 3), "msg 6431 / 3");
}

TEST_F(ResourcesWindowTest, TypedCodeIsAnOptionallySignedIntegerOnly)
{
    struct Case {
        const char* typed;
        std::optional<long long> code;
    };
    const Case cases[] = {
        {"45000", 45000},
        {" 4 5 ", 45},
        {"+12", 12},
        {"-1", -1},
        {"abc", std::nullopt},
        {"", std::nullopt},
        {"12a", std::nullopt},
        {"1.5", std::nullopt},
        {"99999999999999999999999", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(vor::TypedMaterialCode(c.typed), c.code) << '"' << c.typed << '"';
}

TEST_F(ResourcesWindowTest, ExampleMaterialsAreListedOnlyWhenAsked)
{
    AddCatalogue();
    vor::LoadMaterialTable(false);
    const std::vector<vor::MaterialListLine> hidden =
        vor::MaterialListLines(vor::gShared.materialTable, false);
    ASSERT_EQ(hidden.size(), 2u);
    EXPECT_EQ(hidden[0].text, "00007~Aglomerado 15mm~Painéis");
    EXPECT_EQ(hidden[1].colour, 0x00FF00);
    EXPECT_EQ(vor::MaterialListLines(vor::gShared.materialTable, true).size(), 3u);
}

// ---- The catalogue window ---------------------------------------------------------

TEST_F(ResourcesWindowTest, OpensWithTheCurrentMaterialSelectedAndItsStockListed)
{
    AddCatalogue();
    vor::gShared.currentMaterial = 12;
    vor::TForm22& form = Open();

    EXPECT_EQ(Items(*form.ListBox1).size(), 3u);
    ASSERT_EQ(form.ListBox1->selectedItems().size(), 1);
    EXPECT_EQ(form.ListBox1->selectedItems().front()->text(),
              QStringLiteral("00012~MDF cru~Painéis"));
    EXPECT_EQ(Items(*form.ListBox2), std::vector<std::string>{"msg 900"});
    EXPECT_EQ(Items(*form.ListBox3), std::vector<std::string>{"msg 901"});
    EXPECT_EQ(form.Label1->text(), QStringLiteral("msg 6431 / 3"));

    // A click on material 7: it becomes current and its stock is listed.
    QTest::mouseClick(form.ListBox1->viewport(), Qt::LeftButton, {},
                      form.ListBox1->visualItemRect(form.ListBox1->item(0)).center());
    EXPECT_EQ(vor::gShared.currentMaterial, 7);
    const std::vector<std::string> sheets = Items(*form.ListBox2);
    ASSERT_GE(sheets.size(), 3u);
    EXPECT_EQ(sheets[0], "msg 98:");
    EXPECT_EQ(sheets[2], "2  2750.0 x 1830.0 ");
    EXPECT_EQ(Items(*form.ListBox3)[0], "msg 99:");
}

TEST_F(ResourcesWindowTest, ButtonsFollowTheSelectionInTheWindow)
{
    AddMaterial(7, "A", 0);
    vor::gShared.currentMaterial = 7;
    vor::TForm22& form = Open();
    EXPECT_EQ(States(form), "11110");  // one material: it cannot be deleted
    AddMaterial(12, "B", 0);
    form.FillMaterialList();
    EXPECT_EQ(States(form), "11111");
    Select(form, {0, 1});
    EXPECT_EQ(States(form), "00010");
    EXPECT_EQ(form.Label1->text(), QStringLiteral("msg 6432 / 2"));
    Select(form, {});
    EXPECT_EQ(States(form), "00010");
}

TEST_F(ResourcesWindowTest, HiddenExamplesKeepEachSwatchOnItsOwnMaterial)
{
    // 99500 comes after the example 99001 in the list: its swatch must stay blue.
    AddMaterial(5, "Cinco", 0x0000FF);        // red
    AddMaterial(99001, "Exemplo", 0x00FF00);  // green, hidden
    AddMaterial(99500, "Outro", 0xFF0000);
    vor::gShared.settings.showSampleMaterial = true;
    vor::gShared.currentMaterial = 5;
    vor::TForm22& form = Open();
    ASSERT_EQ(form.ListBox1->count(), 3);

    form.CheckBox1->click();  // off: the examples go, the setting follows
    EXPECT_FALSE(vor::gShared.settings.showSampleMaterial);
    ASSERT_EQ(Items(*form.ListBox1), std::vector<std::string>{"00005~Cinco~Painéis"});

    // With examples shown, 99500 comes after 99001 and keeps its own blue.
    form.CheckBox1->click();
    ASSERT_EQ(form.ListBox1->count(), 3);
    form.ListBox1->clearSelection();
    ProcessEvents();
    const QImage picture = form.ListBox1->viewport()->grab().toImage();
    auto swatchHas = [&](int row, QColor colour) {
        const QRect r = form.ListBox1->visualItemRect(form.ListBox1->item(row));
        for (int x = r.left(); x < r.right(); ++x)
            if (picture.pixelColor(x, r.center().y()) == colour)
                return true;
        return false;
    };
    EXPECT_TRUE(swatchHas(0, Qt::red));
    EXPECT_TRUE(swatchHas(1, Qt::green));
    EXPECT_TRUE(swatchHas(2, Qt::blue));
    EXPECT_FALSE(swatchHas(2, Qt::green));
}

TEST_F(ResourcesWindowTest, EditorsOpenForTheSelectedMaterialAndTheListIsRefilledAfter)
{
    AddCatalogue();
    vor::gShared.currentMaterial = 7;
    vor::TForm22& form = Open();
    Select(form, {1});  // 12
    form.Button1->click();
    form.Button2->click();
    form.Button3->click();
    Select(form, {0});  // 7, then a double click on it
    emit form.ListBox1->itemDoubleClicked(form.ListBox1->item(0));
    form.Button6->click();
    EXPECT_EQ(opened, (std::vector<std::string>{"properties 12", "sheets 12", "offcuts 12",
                                                "properties 7", "options"}));
    // Back from the editor: selected again, as current.
    ASSERT_EQ(form.ListBox1->selectedItems().size(), 1);
    EXPECT_EQ(form.ListBox1->selectedItems().front()->text().left(5), QStringLiteral("00007"));
}

TEST_F(ResourcesWindowTest, DeletingRefusesSpecialCodesAndAsksBeforeRemovingTheMaterialFileOnly)
{
    AddMaterial(49999, "Quase", 0);
    AddMaterial(50000, "Especial", 0);
    vor::WriteTextLines(vor::SheetTableFile(vor::gShared.folders, 49999), {"1 1 1 10 10 x y"});
    vor::WriteTextLines(vor::OffcutTableFile(vor::gShared.folders, 49999), {"1,+,1,10,10,x,"});
    vor::gShared.currentMaterial = 50000;
    vor::TForm22& form = Open();

    form.Button5->click();
    EXPECT_EQ(messages().Last().text, vor::MaterialNotEditableText(50000));
    EXPECT_TRUE(fs::exists(MaterialPath(50000)));

    Select(form, {0});
    messages().ClearShown();
    messages().Script({Answer::No});
    form.Button5->click();
    EXPECT_EQ(messages().Last().text, "msg 144 49999:\rmsg 728 ?");
    EXPECT_TRUE(fs::exists(MaterialPath(49999)));

    messages().Script({Answer::Yes});
    form.Button5->click();
    EXPECT_FALSE(fs::exists(MaterialPath(49999)));
    EXPECT_TRUE(fs::exists(vor::SheetTableFile(vor::gShared.folders, 49999)));
    EXPECT_TRUE(fs::exists(vor::OffcutTableFile(vor::gShared.folders, 49999)));
    EXPECT_EQ(Items(*form.ListBox1).size(), 1u);
}

TEST_F(ResourcesWindowTest, AFileThatCannotBeDeletedIsSaid)
{
    // A folder in the material file's place cannot be deleted as a file.
    AddMaterial(8, "Oito", 0);
    fs::create_directories(MaterialPath(9));
    messages().Script({Answer::Yes});
    EXPECT_FALSE(vor::DeleteMaterial(vor::gShared.folders, 9));
    EXPECT_EQ(messages().Last().text, "Não pude apagar " + MaterialPath(9).string());
}

// ---- The new-material prompt ----------------------------------------------------

TEST_F(ResourcesWindowTest, NewCodeCopiesTheCurrentMaterialThenOpensItsProperties)
{
    AddCatalogue();
    vor::gShared.currentMaterial = 7;
    vor::TForm22& form = Open();
    vor::TForm22::SetEditors({[this] { opened.push_back("properties " + Current()); },
                              {},
                              {},
                              [] {
                                  vor::TForm14* prompt = vor::CreateForm14();
                                  prompt->Prepare();
                                  prompt->Edit1->setText(QStringLiteral("45000"));
                                  prompt->Button1Click();
                                  return prompt->Code();
                              },
                              {}});
    form.Button4->click();

    EXPECT_EQ(opened, std::vector<std::string>{"properties 45000"});
    const vor::IniDocument copy = vor::IniDocument::Parse(FileText(MaterialPath(45000)));
    EXPECT_EQ(copy.ReadString("DESC", "CAMPO1", ""), "MAT 45000");
    EXPECT_EQ(copy.ReadString("PROP_FISIC", "COR", ""), "255");
    EXPECT_EQ(copy.ReadString("PED", "CRIACAO", "").substr(0, 8), "05/03/24");
}

TEST_F(ResourcesWindowTest, NewCodePromptRejectsWhatIsNoFreeCode)
{
    AddMaterial(12, "Doze", 0);
    vor::TForm14* prompt = vor::CreateForm14();
    prompt->Prepare();
    prompt->show();
    EXPECT_FALSE(prompt->Button1->isEnabled());
    EXPECT_EQ(prompt->windowTitle(), QStringLiteral("msg 842"));

    // Message 359 is the same fixed text in every language.
    const std::string ranges = "msg 785:\r\r00000 ... 39999 - Ok \r40000 ... 49999 - " +
                               vor::Msg(359) + "\r50000 ... 98999 - msg 187" +
                               "\r99000 ... 99999 - msg 188\r\r49999 !. ";
    for (const char* typed : {"60000", "-1", "abc", ""}) {
        messages().ClearShown();
        prompt->Edit1->setText(QStringLiteral("x"));
        prompt->Edit1->setText(platform::ToQString(typed));
        prompt->Button1Click();
        EXPECT_EQ(messages().Last().text, ranges) << typed;
        EXPECT_TRUE(prompt->isVisible());
    }
    EXPECT_FALSE(fs::exists(MaterialPath(0)));

    prompt->Edit1->setText(QStringLiteral("12"));
    prompt->activateWindow();
    WaitUntil([prompt] { return prompt->isActiveWindow(); });
    prompt->Button1Click();
    EXPECT_EQ(messages().Last().text, "msg 841");
    EXPECT_TRUE(prompt->Edit1->hasFocus());
    EXPECT_EQ(prompt->Code(), -1);

    prompt->Button2Click();
    EXPECT_EQ(prompt->Code(), -1);
    EXPECT_FALSE(prompt->isVisible());
}

TEST_F(ResourcesWindowTest, EnterInTheNewCodeFieldActsAsOk)
{
    AddMaterial(7, "Sete", 0);
    vor::gShared.currentMaterial = 7;
    vor::TForm14* prompt = vor::CreateForm14();
    QTimer::singleShot(0, [prompt] {
        QTest::keyClicks(prompt->Edit1, QStringLiteral("300"));
        QTest::keyClick(prompt->Edit1, Qt::Key_Return);
    });
    EXPECT_EQ(prompt->Ask(), 300);
    EXPECT_TRUE(fs::exists(MaterialPath(300)));
}

// ---- The report -------------------------------------------------------------------

TEST_F(ResourcesWindowTest, ReportHoldsTheChosenSectionsOpensInOstrelAndKeepsTheCurrentMaterial)
{
    AddCatalogue();
    vor::gShared.currentMaterial = 12;
    platform::FakeProcessLauncher launcher;
    platform::ScopedLauncher installed(launcher);
    vor::TForm22& form = Open();
    vor::TForm24* options = vor::CreateForm24();
    options->CheckBox1->setChecked(false);
    options->CheckBox3->setChecked(true);
    options->CheckBox5->setChecked(false);
    options->CheckBox6->setChecked(true);
    options->Edit1->setText(QStringLiteral("Estoque"));

    const vor::MaterialListOptions o = options->Options();
    EXPECT_EQ(o.title, "Estoque");
    EXPECT_TRUE(o.withTitle);
    EXPECT_FALSE(o.withDate);
    EXPECT_FALSE(o.materialTable);
    EXPECT_TRUE(o.sheets);
    EXPECT_FALSE(o.offcuts);
    EXPECT_FALSE(o.properties);

    Select(form, {0});  // 7
    form.Button7->click();
    const fs::path report = base() / "LIST_MAT.REL";
    const std::vector<std::string> lines = vor::ReadTextLinesOrThrow(report);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "@**** Estoque");
    bool sheets = false;
    for (const std::string& line : lines) {
        EXPECT_EQ(line.find("Data:"), std::string::npos) << line;
        sheets = sheets || line.find("2750") != std::string::npos;
    }
    EXPECT_TRUE(sheets);
    ASSERT_EQ(launcher.Started().size(), 1u);
    EXPECT_EQ(launcher.Started()[0].arguments.at(0),
              vor::ReportViewerArgument(vor::gShared.folders, report));
    EXPECT_EQ(vor::gShared.currentMaterial, 7);
}

// ---- Opening and closing ----------------------------------------------------------

TEST_F(ResourcesWindowTest, ClosingResetsTheIconAndTheWindowOpensAgain)
{
    AddMaterial(7, "Sete", 0);
    vor::TForm22& form = Open();
    QTest::keyClick(&form, Qt::Key_F1);
    EXPECT_EQ(m_hooks.help, 1);
    form.close();
    EXPECT_EQ(m_hooks.resets, 1);
    EXPECT_FALSE(form.isVisible());
    Open();
    EXPECT_TRUE(form.isVisible());
}

TEST_F(ResourcesWindowTest, ScreenshotsOfTheThreeWindows)
{
    const vor::DataFolders shipped = vor::MakeDataFolders(fs::path(VOR_BINARY_DIR) / "vorlane");
    fs::copy_file(vor::LanguageFile(shipped, 1), vor::LanguageFile(vor::gShared.folders, 1),
                  fs::copy_options::overwrite_existing);
    vor::LoadLanguage(vor::gShared.folders, 1, vor::gShared.messages, vor::gShared.iconCaptions);
    AddCatalogue();
    vor::gShared.currentMaterial = 7;
    vor::TForm22& form = Open();
    const fs::path out = VOR_TEST_OUTPUT_DIR;
    EXPECT_TRUE(form.grab().save(platform::ToQString((out / "resources_window.png").string())));
    vor::TForm14* prompt = vor::CreateForm14();
    prompt->Prepare();
    prompt->show();
    ProcessEvents();
    EXPECT_TRUE(
        prompt->grab().save(platform::ToQString((out / "new_material_window.png").string())));
    vor::TForm24* options = vor::CreateForm24();
    options->show();
    ProcessEvents();
    EXPECT_TRUE(
        options->grab().save(platform::ToQString((out / "resources_report_window.png").string())));
    EXPECT_EQ(vortest::JoinNames(vortest::ControlsWithoutText(form)), "");
    EXPECT_EQ(vortest::JoinNames(vortest::ControlsWithoutText(*options)), "");
}

}  // namespace
