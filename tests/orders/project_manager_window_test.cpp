#include "vorplan/orders/ui/project_manager_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/fake_process_launcher.h"
#include "platform/qt_text.h"
#include "tests/support/ui_fixture.h"
#include "vorplan/common/calc_lists.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/orders/ui/new_project_windows.h"
#include "vorplan/orders/ui/table_window.h"
#include "vorplan/shell/main_window_hooks.h"

namespace {

namespace fs = std::filesystem;
using vortest::ProcessEvents;
using vortest::ReadBytes;
using vortest::WaitUntil;
using vortest::WriteBytes;
using Lines = std::vector<std::string>;

std::string Crlf(const Lines& lines)
{
    std::string out;
    for (const std::string& line : lines)
        out += line + "\r\n";
    return out;
}

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

class ProjectManagerWindowTest : public vortest::UiTest {
protected:
    void SetUp() override
    {
        m_saved = std::make_unique<vor::SharedGlobals>(vor::gShared);
        vor::gShared.languageIndex = 1;
        vor::gShared.currentOrder = 0;
        vor::gShared.orderList = vor::OrderList{};
        vor::gShared.calcLists = vor::CalcLists{};
        vor::gMainWindow = {};
        const vor::DataFolders shipped = vor::MakeDataFolders(fs::path(VOR_BINARY_DIR) / "vorlane");
        fs::copy_file(vor::LanguageFile(shipped, 1), vor::LanguageFile(vor::gShared.folders, 1),
                      fs::copy_options::overwrite_existing);
        vor::LoadLanguage(vor::gShared.folders, 1, vor::gShared.messages, vor::gShared.iconCaptions);
        WriteMaterial(12, "MDF branco 15mm");
        WriteMaterial(7, "Vidro 4mm");
        WriteProject(1, "Cozinha da Ana", {"1 1 2 500 300 12 Porta", "1 2 3 400 200 7 Vidro"});
        WriteProject(2, "PORTÃO GARAGEM", {"1 1 1 2000 900 12 Folha"});
        WriteProject(3, "Sala", {"1 1 4 100 100 12 Prateleira"});
        WriteProject(4, "Banheiro", {"1 1 1 100 100 12 Tampo"});
    }

    void TearDown() override
    {
        delete vor::Form21;
        delete vor::Form12;
        delete vor::Form26;
        delete vor::tabela;
        ProcessEvents();
        vor::gMainWindow = {};
        vor::gShared = *m_saved;
    }

    static fs::path Table(long long n) { return vor::OrderTableFile(vor::gShared.folders, n, true); }
    static fs::path Dsc(long long n) { return vor::ProjectDescriptionFile(vor::gShared.folders, n); }
    static void WriteProject(long long n, const std::string& description, const Lines& pieces)
    {
        WriteBytes(Table(n), Crlf(pieces));
        WriteBytes(Dsc(n), Crlf({"[PED]", "CRIACAO=01/02/25  10:00:00", "ULT_MODIF=03/02/25  11:00:00",
                                 "STATUS=0", "CAMPO1=" + description}));
    }
    static void WriteMaterial(long long code, const std::string& description)
    {
        WriteBytes(vor::MaterialFile(vor::gShared.folders, code), Crlf({"[DESC]", "CAMPO1=" + description}));
    }

    vor::TForm21& Open()
    {
        vor::ShowProjectManager();
        vor::TForm21* form = vor::Form21;
        WaitUntil([form] { return form->isActiveWindow(); });
        ProcessEvents();
        return *form;
    }

    static std::vector<int> SelectedRows(const vor::TForm21& form)
    {
        std::vector<int> rows;
        for (int row = 0; row < form.ListBox1->count(); ++row)
            if (form.ListBox1->item(row)->isSelected())
                rows.push_back(row);
        return rows;
    }
    static void SelectRows(vor::TForm21& form, const std::vector<int>& rows)
    {
        form.ListBox1->clearSelection();
        for (int row : rows)
            form.ListBox1->item(row)->setSelected(true);
        ProcessEvents();
    }
    static std::vector<std::string> InfoLines(const vor::TForm21& form)
    {
        std::vector<std::string> lines;
        for (int row = 0; row < form.ListBox2->count(); ++row)
            lines.push_back(platform::FromQString(form.ListBox2->item(row)->text()));
        return lines;
    }

private:
    std::unique_ptr<vor::SharedGlobals> m_saved;
};

TEST_F(ProjectManagerWindowTest, OpensWithTheProjectsTheRecentSelectionAndItsInformation)
{
    WriteBytes(vor::RecentProjectsFile(vor::gShared.folders), "2\r\n");
    vor::gShared.currentMaterial = 55;
    vor::TForm21& form = Open();
    EXPECT_TRUE(vor::gMainWindow.windowOpenFlags.projectManager);
    ASSERT_EQ(form.ListBox1->count(), 4);
    EXPECT_EQ(SelectedRows(form), std::vector<int>{1});
    EXPECT_EQ(InfoLines(form), (Lines{"Projeto: 2", "PORTÃO GARAGEM", "Criado em: 01/02/25  10:00:00",
                                      "Modificado em: 03/02/25  11:00:00", "Material: 1", "Itens: 1",
                                      "Total de peças: 1", "", "12 - MDF branco 15mm"}));
    SelectRows(form, {0});
    ASSERT_EQ(form.ListBox2->count(), 10);
    EXPECT_EQ(platform::FromQString(form.ListBox2->item(9)->text()), "7 - Vidro 4mm");
    EXPECT_EQ(vor::gShared.currentMaterial, 55);
    EXPECT_FALSE(form.Panel1->text().isEmpty());
    EXPECT_TRUE(vortest::ControlsWithoutText(form).empty())
        << vortest::JoinNames(vortest::ControlsWithoutText(form));
    EXPECT_TRUE(form.grab().save(QStringLiteral(VOR_TEST_OUTPUT_DIR "/project_manager.png")));
}

TEST_F(ProjectManagerWindowTest, ButtonsFollowTheSelection)
{
    for (int n = 5; n <= 12; ++n)
        WriteProject(n, "P" + std::to_string(n), {"1 1 1 10 10 12 x"});
    vor::TForm21& form = Open();
    ASSERT_EQ(form.ListBox1->count(), 12);
    struct Case {
        int selected;
        bool remove, edit, merge, clear;
    };
    for (const Case c : {Case{0, false, false, false, false}, Case{1, true, true, true, true},
                         Case{9, true, false, true, true}, Case{10, true, false, false, true}}) {
        std::vector<int> rows;
        for (int i = 0; i < c.selected; ++i)
            rows.push_back(i);
        SelectRows(form, rows);
        EXPECT_EQ(form.Button3->isEnabled(), c.remove) << c.selected;
        EXPECT_EQ(form.Button2->isEnabled(), c.edit) << c.selected;
        EXPECT_EQ(form.Button5->isEnabled(), c.merge) << c.selected;
        EXPECT_EQ(form.Button8->isEnabled(), c.clear) << c.selected;
        EXPECT_TRUE(form.Button9->isEnabled());
    }
    // An empty installation: nothing to invert.
    form.close();
    for (int n = 1; n <= 12; ++n)
        vor::DeleteOrderFiles(vor::gShared.folders, n, true);
    vor::gShared.orderList.dirty = true;
    vor::TForm21& empty = Open();
    EXPECT_EQ(empty.ListBox1->count(), 0);
    EXPECT_FALSE(empty.Button9->isEnabled());
}

TEST_F(ProjectManagerWindowTest, SearchAddsMatchesIgnoringCaseAndAccentsOnlyWhenTicked)
{
    vor::TForm21& form = Open();
    SelectRows(form, {});
    EXPECT_FALSE(form.Button7->isEnabled());
    EXPECT_FALSE(form.CheckBox1->isEnabled());
    form.Edit1->setText(QStringLiteral("cozinha"));
    EXPECT_TRUE(form.Button7->isEnabled());
    EXPECT_TRUE(form.CheckBox1->isEnabled());
    form.Button7->click();
    EXPECT_TRUE(SelectedRows(form).empty());
    form.CheckBox1->setChecked(true);
    form.Button7->click();
    EXPECT_EQ(SelectedRows(form), std::vector<int>{0});
    // An accented word, found from its plain form, added to the selection.
    form.Edit1->setText(QStringLiteral("portao"));
    form.Button7->click();
    EXPECT_EQ(SelectedRows(form), (std::vector<int>{0, 1}));
    form.Button9->click();  // Inverte
    EXPECT_EQ(SelectedRows(form), (std::vector<int>{2, 3}));
    form.Button8->click();  // Desmarca
    EXPECT_TRUE(SelectedRows(form).empty());
}

TEST_F(ProjectManagerWindowTest, NovoChecksTheNumberAndOpensTheEditorForAFreeOne)
{
    vor::TForm21& form = Open();
    form.Button1->click();
    ASSERT_TRUE(form.Panel2->isVisible());
    // The first free number, the installation's default.
    EXPECT_EQ(form.Edit2->text(), QStringLiteral("0"));
    messages().ClearShown();
    for (const char* typed : {"3", "30001", "12a"}) {
        form.Edit2->setText(QString::fromUtf8(typed));
        form.Button10->click();
        EXPECT_TRUE(form.Panel2->isVisible()) << typed;
    }
    ASSERT_EQ(messages().Count(), 3u);
    EXPECT_EQ(messages().Texts()[0], vor::Msg(767) + " (3)");
    EXPECT_EQ(messages().Texts()[1], vor::ProjectNumberRangeText());
    EXPECT_EQ(messages().Texts()[2], vor::ProjectNumberRangeText());

    form.Button11->click();  // Cancela
    EXPECT_FALSE(form.Panel2->isVisible());

    form.Button1->click();
    form.Edit2->setText(QStringLiteral("40"));
    bool editorOpened = false;
    WhenShown([] { return static_cast<QWidget*>(vor::tabela); }, [&editorOpened] {
        editorOpened = vor::tabela->Document().Kind() == vor::TableKind::Pieces;
        vor::tabela->reject();
    });
    form.Button10->click();
    EXPECT_TRUE(editorOpened);
    EXPECT_FALSE(form.Panel2->isVisible());
    EXPECT_EQ(vor::gShared.currentOrder, 40);
    EXPECT_EQ(ReadBytes(vor::RecentProjectsFile(vor::gShared.folders)).substr(0, 2), "40");
}

TEST_F(ProjectManagerWindowTest, EditarNeedsASelectionAndRefreshesTheListAfterTheEditor)
{
    vor::TForm21& form = Open();
    SelectRows(form, {});
    messages().ClearShown();
    form.Button2Click();
    EXPECT_EQ(messages().Texts(), Lines{"erro 87"});

    SelectRows(form, {2});
    WhenShown([] { return static_cast<QWidget*>(vor::tabela); }, [] {
        // A project made while the editor is open shows once it closes.
        WriteProject(9, "Nova", {"1 1 1 10 10 12 x"});
        vor::gShared.orderList.dirty = true;
        vor::tabela->reject();
    });
    form.Button2->click();
    EXPECT_EQ(vor::gShared.currentOrder, 3);
    EXPECT_EQ(form.ListBox1->count(), 5);
    EXPECT_EQ(SelectedRows(form), std::vector<int>{2});  // the recent list: the project edited
}

TEST_F(ProjectManagerWindowTest, ApagarDeletesTheSelectedProjectsOnlyOnYes)
{
    vor::TForm21& form = Open();
    SelectRows(form, {0, 1, 3});
    messages().Script({platform::Answer::No});
    form.Button3->click();
    EXPECT_EQ(form.ListBox1->count(), 4);
    EXPECT_TRUE(fs::exists(Table(1)));

    messages().Script({platform::Answer::Yes});
    form.Button3->click();
    for (long long n : {1, 2, 4}) {
        EXPECT_FALSE(fs::exists(Table(n))) << n;
        EXPECT_FALSE(fs::exists(Dsc(n))) << n;
    }
    ASSERT_EQ(form.ListBox1->count(), 1);
    EXPECT_TRUE(form.ListBox1->item(0)->text().contains(QStringLiteral("Sala")));
}

TEST_F(ProjectManagerWindowTest, RelatorioStartsOstrelOrSaysItCannot)
{
    platform::FakeProcessLauncher launcher;
    platform::ScopedLauncher scope(launcher);
    vor::TForm21& form = Open();
    messages().ClearShown();
    form.Button4->click();
    ASSERT_EQ(launcher.Started().size(), 1u);
    const fs::path report = launcher.Started()[0].arguments.at(0);
    EXPECT_EQ(report.filename(), "LIST_PED.REL");
    EXPECT_TRUE(fs::exists(report));
    EXPECT_TRUE(messages().Shown().empty());

    launcher.SetFailStarts(true);
    form.Button4->click();
    ASSERT_EQ(messages().Count(), 1u);
    EXPECT_TRUE(messages().Last().text.starts_with(vor::Msg(799) + " ["));
    EXPECT_TRUE(messages().Last().text.ends_with("] " + vor::Msg(800)));
}

TEST_F(ProjectManagerWindowTest, MergeWindowClampsMultipliersAndCancelWritesNothing)
{
    vor::TForm21& form = Open();
    SelectRows(form, {0, 1});
    WhenShown([] { return static_cast<QWidget*>(vor::Form12); }, [] {
        vor::TForm12& merge = *vor::Form12;
        ProcessEvents();
        EXPECT_FALSE(merge.Panel1->isVisible());
        EXPECT_EQ(merge.Edit1->text(), QStringLiteral("0"));
        EXPECT_EQ(merge.Edit2->text(), QStringLiteral("PRJ 0"));
        merge.ListBox1->setCurrentRow(0);
        EXPECT_TRUE(merge.Panel1->isVisible());
        for (const auto& [typed, kept] : {std::pair{"0", 1}, std::pair{"20000", 10000}, std::pair{"3", 3}}) {
            merge.Edit3->setText(QString::fromUtf8(typed));
            merge.Edit3Change();
            EXPECT_EQ(merge.Projects()[0].multiplier, kept) << typed;
        }
        EXPECT_TRUE(merge.grab().save(QStringLiteral(VOR_TEST_OUTPUT_DIR "/merge_window.png")));
        merge.Button2->click();
    });
    form.Button5->click();
    EXPECT_FALSE(fs::exists(Table(0)));
    EXPECT_FALSE(fs::exists(Dsc(0)));

    // Ok writes the merged project and selects it.
    SelectRows(form, {0, 1});
    WhenShown([] { return static_cast<QWidget*>(vor::Form12); }, [] {
        vor::TForm12& merge = *vor::Form12;
        merge.ListBox1->setCurrentRow(0);
        merge.Edit3->setText(QStringLiteral("3"));
        merge.Edit3Change();
        merge.Button1->click();
    });
    form.Button5->click();
    EXPECT_EQ(ReadBytes(Table(0)), Crlf({"1 1 6 500 300 12 Porta", "1 2 9 400 200 7 Vidro",
                                         "1 1 1 2000 900 12 Folha"}));
    EXPECT_EQ(form.ListBox1->count(), 5);
    EXPECT_EQ(SelectedRows(form), std::vector<int>{0});
}

TEST_F(ProjectManagerWindowTest, NewProjectPromptProposesChecksAndCancels)
{
    vor::TForm26* prompt = vor::CreateForm26();
    std::string number, description;
    WhenShown([prompt] { return prompt; }, [prompt] {
        ProcessEvents();
        EXPECT_EQ(prompt->Edit1->text(), QStringLiteral("0"));
        EXPECT_EQ(prompt->Edit2->text(), QStringLiteral("PRJ 0"));
        EXPECT_FALSE(prompt->Label3->text().isEmpty());
        EXPECT_TRUE(prompt->grab().save(QStringLiteral(VOR_TEST_OUTPUT_DIR "/new_project_prompt.png")));
        prompt->Edit1->setText(QStringLiteral("2"));
        prompt->Button1->click();
        EXPECT_TRUE(prompt->isVisible());
        EXPECT_TRUE(prompt->Edit1->hasFocus());
        prompt->Button2->click();
    });
    EXPECT_FALSE(vor::AskNewProject(number, description));
    EXPECT_TRUE(prompt->Edit1->text().isEmpty());

    // The close box cancels as well.
    WhenShown([prompt] { return prompt; }, [prompt] { prompt->close(); });
    number = "33";
    EXPECT_FALSE(vor::AskNewProject(number, description));
    EXPECT_TRUE(prompt->Edit1->text().isEmpty());

    WhenShown([prompt] { return prompt; }, [prompt] { prompt->Button1->click(); });
    number = "33";
    description = "Armário";
    EXPECT_TRUE(vor::AskNewProject(number, description));
    EXPECT_EQ(number, "33");
    EXPECT_EQ(description, "Armário");
}

}  // namespace
