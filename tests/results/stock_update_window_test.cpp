#include "vorplan/results/ui/stock_update_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDialog>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/fake_clock.h"
#include "platform/window_activation.h"
#include "tests/support/ui_fixture.h"
#include "vorplan/common/calc_lists.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/language_texts.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using platform::Answer;
using vortest::ProcessEvents;
using vortest::ReadBytes;
using vortest::WaitUntil;
using vortest::WriteBytes;

constexpr const char* kConfirm =
    "As tabelas dos objetos selecionados (chapas e/ou retalhos) serão atualizadas.  Confirma ?";

std::string Crlf(const Lines& lines)
{
    std::string out;
    for (const std::string& line : lines)
        out += line + "\r\n";
    return out;
}

class StockUpdateWindowTest : public vortest::UiTest {
protected:
    void SetUp() override
    {
        m_saved = std::make_unique<vor::SharedGlobals>(vor::gShared);
        clock.SetNow({2026, 12, 10, 9, 5, 7, 0});
        UseLanguage(1);
        // Material 12 viewed, with a sheet, a used offcut and new offcuts;
        // material 30 of the calculation but never viewed.
        vor::WriteLastCalcMaterials(vor::gShared.folders, {{12, true}, {30, false}});
        WriteBytes(vor::SheetTableFile(vor::gShared.folders, 12),
                   Crlf({"1 12 4 2750 1830 MDF_branco ABCDEFG12345"}));
        WriteBytes(vor::OffcutTableFile(vor::gShared.folders, 12), Crlf({"1,+,3,1200,800,Sobra,"}));
        Layout(12, 1, "12 2 0 27500 18300", {"1 1 0 0 10000 5000 Porta 1", "2 1 0 0 27500 5005"});
        Layout(12, 2, "-10 0 0 12000 8000", {"2 1 0 0 3000 800"});
        Layout(30, 1, "30 0 0 27500 18300", {});
    }

    void TearDown() override
    {
        delete vor::Form31;
        ProcessEvents();
        vor::gShared = *m_saved;
    }

    void UseLanguage(int language)
    {
        const vor::DataFolders shipped = vor::MakeDataFolders(fs::path(VOR_BINARY_DIR) / "vorlane");
        fs::copy_file(vor::LanguageFile(shipped, language), vor::LanguageFile(vor::gShared.folders, language),
                      fs::copy_options::overwrite_existing);
        vor::gShared.languageIndex = language;
        vor::LoadLanguage(vor::gShared.folders, language, vor::gShared.messages, vor::gShared.iconCaptions);
    }

    static void Layout(long long material, long long b, const std::string& sheet, const Lines& elements)
    {
        Lines lines = {"; Arquivo de distribuição ( Modificado )", "", ";Tipo  Cód.     X     Y     L     H ", "",
                       "0 " + sheet};
        lines.insert(lines.end(), elements.begin(), elements.end());
        WriteBytes(vor::LayoutFile(vor::gShared.folders, b, material), Crlf(lines));
    }

    static void WriteOptions(const vor::StockUpdateOptions& o)
    {
        vor::WriteStockUpdateOptions(o);
    }

    // The window opened (not modal) with the chooser's items.
    vor::TForm31& Open(const Lines& items = {"12   *    MDF branco", "30    Vidro"})
    {
        vor::TForm31* form = vor::CreateForm31();
        form->SetMaterials(items);
        form->show();
        ProcessEvents();
        return *form;
    }

    static void Select(vor::TForm31& form, const std::vector<int>& rows)
    {
        form.ListBox1->clearSelection();
        for (int row : rows)
            form.ListBox1->item(row)->setSelected(true);
        ProcessEvents();
    }

    std::vector<std::string> Tree() const
    {
        std::vector<std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(base()))
            if (entry.is_regular_file())
                files.push_back(entry.path().string() + "\n" + ReadBytes(entry.path()));
        return files;
    }

    platform::FakeClock clock;
    platform::ScopedClock scopedClock{clock};

private:
    std::unique_ptr<vor::SharedGlobals> m_saved;
};

TEST_F(StockUpdateWindowTest, ButtonStatesFollowOptionsSelectionAndRefusal)
{
    struct Case {
        vor::StockUpdateOptions options;
        std::vector<int> rows;
        bool update, group, dropZero;
    };
    const std::vector<Case> cases = {
        {{false, false, false, true, true}, {0}, false, false, false},
        {{true, false, false, true, true}, {0}, true, false, false},
        {{false, true, false, true, true}, {0}, true, true, false},
        {{false, false, true, true, true}, {0}, true, false, true},
        {{true, true, true, true, true}, {}, false, true, true},
        {{true, true, true, true, true}, {1}, false, true, true},     // not viewed
        {{true, false, false, true, true}, {0, 1}, false, false, false},  // one of two refused
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.options.updateSheets << c.options.registerOffcuts
                                        << c.options.updateUsedOffcuts << " rows " << c.rows.size());
        WriteOptions(c.options);
        vor::TForm31& form = Open();
        Select(form, c.rows);
        EXPECT_EQ(form.Button1->isEnabled(), c.update);
        EXPECT_EQ(form.CheckBox4->isEnabled(), c.group);
        EXPECT_EQ(form.CheckBox5->isEnabled(), c.dropZero);
        EXPECT_FALSE(form.Button3->isEnabled());
        EXPECT_TRUE(form.Button2->isEnabled());
        form.close();
        ProcessEvents();
    }

    // The boxes act at once: a tick enables, the dependent box follows.
    WriteOptions({false, false, false, true, true});
    vor::TForm31& form = Open({"12   *    MDF branco"});
    EXPECT_TRUE(form.ListBox1->item(0)->isSelected());  // the only item is chosen
    EXPECT_FALSE(form.Button1->isEnabled());
    form.CheckBox2->click();
    EXPECT_TRUE(form.Button1->isEnabled());
    EXPECT_TRUE(form.CheckBox4->isEnabled());
    form.CheckBox3->click();
    EXPECT_TRUE(form.CheckBox5->isEnabled());
    EXPECT_TRUE(messages().Shown().empty());
}

TEST_F(StockUpdateWindowTest, AnUpdateAsksFirstThenWritesWhatTheCorePlanned)
{
    WriteOptions({true, true, true, true, true});
    vor::TForm31& form = Open();
    Select(form, {0});
    ASSERT_TRUE(form.Button1->isEnabled());

    // No: nothing is written.
    const std::vector<std::string> before = Tree();
    messages().Script({Answer::No});
    form.Button1->click();
    ASSERT_EQ(messages().Count(), 1u);
    EXPECT_EQ(messages().Last().text, kConfirm);
    EXPECT_EQ(messages().Last().buttons, platform::Buttons::YesNo);
    EXPECT_EQ(Tree(), before);
    EXPECT_TRUE(form.Button1->isEnabled());

    // Yes: the settings, then exactly the planned files.
    form.CheckBox4->click();  // no grouping
    const vor::StockUpdatePlan plan = vor::PlanStockUpdate(
        {vor::gShared.folders, {"12   *    MDF branco"}, {true, true, true, false, true}, clock.Now()}, true);
    ASSERT_FALSE(plan.writes.empty());
    messages().Script({Answer::Yes});
    form.Button1->click();
    for (const vor::FileSetEntry& write : plan.writes)
        EXPECT_EQ(ReadBytes(write.target), write.data) << write.target;
    EXPECT_EQ(form.Memo1->toPlainText().toStdString(), QStringList([&] {
                  QStringList lines;
                  for (const std::string& line : plan.report)
                      lines.push_back(QString::fromStdString(line));
                  return lines;
              }()).join(QLatin1Char('\n')).toStdString());
    EXPECT_TRUE(form.Button3->isEnabled());
    EXPECT_FALSE(form.Button1->isEnabled());
    EXPECT_FALSE(form.Button2->isEnabled());
    ProcessEvents();
    EXPECT_TRUE(form.grab().save(QStringLiteral(VOR_TEST_OUTPUT_DIR "/stock_update_window_done.png")));
    const vor::IniFile ini("VL_STOCK.INI");
    EXPECT_EQ(ini.ReadString("STOCK", "AGRUPA_NEW_RET", "?"), "0");
    EXPECT_EQ(ini.ReadString("STOCK", "CADASTRA_RETA_USADO", "?"), "1");
    EXPECT_EQ(messages().Count(), 2u);  // the two questions and nothing else
}

TEST_F(StockUpdateWindowTest, ThePreviewMatchesItsGoldenReportAndLooksRight)
{
    WriteOptions({true, true, true, true, true});
    for (const int language : {1, 2}) {
        UseLanguage(language);
        vor::TForm31& form = Open();
        Select(form, {0});
        const std::string text = form.Memo1->toPlainText().toStdString() + "\n";
        if (language == 1) {
            const fs::path golden = fs::path(VOR_TEST_SOURCE_DIR) / "golden" / "stock_update_window_preview.txt";
            if (std::getenv("VOR_UPDATE_GOLDEN"))
                WriteBytes(golden, text);
            EXPECT_EQ(text, ReadBytes(golden));
        }
        const std::vector<QString> missing = vortest::ControlsWithoutText(form);
        EXPECT_TRUE(missing.empty()) << vortest::JoinNames(missing);
        EXPECT_TRUE(form.grab().save(
            QStringLiteral(VOR_TEST_OUTPUT_DIR "/stock_update_window_%1.png").arg(language)));
        form.close();
        ProcessEvents();
    }
}

TEST_F(StockUpdateWindowTest, AnUnviewedMaterialIsRefusedInTheReport)
{
    WriteOptions({true, false, false, true, true});
    vor::TForm31& form = Open();
    Select(form, {1});
    const QString text = form.Memo1->toPlainText();
    EXPECT_TRUE(text.contains(QString::fromUtf8("Material 30 ainda não foi visualizado !")));
    EXPECT_TRUE(text.endsWith(QString::fromUtf8("Atualização de estoque não é possível.")));
    EXPECT_FALSE(form.Button1->isEnabled());
}

TEST_F(StockUpdateWindowTest, TheChoosersEntryShowsTheWindowAsItsOwnDialog)
{
    WriteOptions({true, false, false, true, true});
    QDialog owner;
    owner.show();
    ProcessEvents();
    bool checked = false;
    QTimer::singleShot(0, [&] {
        ASSERT_TRUE(WaitUntil([] { return vor::Form31 && vor::Form31->isVisible(); }));
        ProcessEvents();
        vor::TForm31& form = *vor::Form31;
        EXPECT_TRUE(platform::WindowActivation::IsOwnedBy(&form, &owner));
        EXPECT_TRUE(form.isModal());
        ASSERT_EQ(form.ListBox1->count(), 2);
        EXPECT_EQ(form.ListBox1->item(1)->text(), QStringLiteral("30    Vidro"));
        EXPECT_TRUE(form.Memo1->toPlainText().endsWith(QStringLiteral("Selecionar um ou mais materiais !")));
        checked = true;
        form.Button2->click();
    });
    vor::ShowStockUpdate(&owner, {"12   *    MDF branco", "30    Vidro"});
    EXPECT_TRUE(checked);
    ASSERT_NE(vor::Form31, nullptr);
    EXPECT_EQ(vor::Form31->parentWidget(), nullptr);
}

}  // namespace
