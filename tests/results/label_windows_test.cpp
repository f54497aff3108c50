// The label printing window and the label format window on the offscreen
// platform, over the files of a test installation.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QTest>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <memory>
#include <string>
#include <vector>

#include "platform/fake_print_jobs.h"
#include "platform/qt_print_jobs.h"
#include "tests/layoutview/layoutview_support.h"
#include "tests/support/pdf_tools.h"
#include "tests/support/recording_canvas.h"
#include "tests/support/ui_fixture.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/text_file.h"
#include "vorplan/common/ui/painter_canvas.h"
#include "vorplan/results/label_printing.h"
#include "vorplan/results/ui/label_format_window.h"
#include "vorplan/results/ui/label_print_window.h"
#include "vorplan/shell/main_window_hooks.h"

namespace {

namespace fs = std::filesystem;

constexpr long long kMaterial = 7;

// A layout of `pieces` pieces cut `sheets` times, with one offcut.
std::vector<std::string> LayoutLines(int pieces, int sheets)
{
    std::vector<std::string> lines = {"; Arquivo de distribuição", "", ";Tipo  Cód.     X     Y     L     H ", "",
                                      "    0     3     " + std::to_string(sheets - 1) +
                                          "     0   27500   18300 Chapa 0"};
    for (int i = 0; i < pieces; ++i)
        lines.push_back("    1   " + std::to_string(100 + i) + "  " + std::to_string(i * 3000) +
                        "     0    2960    4000 Porta_" + std::to_string(i) + " 12");
    lines.push_back("    2     0     0  8040   21500   10260 Retalho 0");
    return lines;
}

// The Qt print service with its printer dialog answered Ok unseen.
class DialoglessJobs final : public platform::PrintJobs {
public:
    explicit DialoglessJobs(platform::PrintJobs& jobs) : m_jobs(jobs) {}
    bool PrintsToFile() const override { return m_jobs.PrintsToFile(); }
    std::filesystem::path OutputFile() const override { return m_jobs.OutputFile(); }
    bool BeginJob(const std::string& title, const std::filesystem::path& file) override
    {
        return m_jobs.BeginJob(title, file);
    }
    bool NewPage() override { return m_jobs.NewPage(); }
    bool EndJob() override { return m_jobs.EndJob(); }
    bool JobOpen() const override { return m_jobs.JobOpen(); }
    platform::PrintPageMetrics Metrics() const override { return m_jobs.Metrics(); }
    vor::Canvas& JobCanvas() override { return m_jobs.JobCanvas(); }
    void SetFullPage(bool on) override { m_jobs.SetFullPage(on); }
    bool PrintSetup() override { return true; }
    bool PageSetup() override { return true; }

private:
    platform::PrintJobs& m_jobs;
};

class LabelWindowsTest : public vortest::UiTest {
protected:
    void SetUp() override
    {
        vor::gShared.currentMaterial = kMaterial;
        vor::gShared.settings.labels = vor::LabelPageSettings{};
        window = vor::CreateForm8();
    }
    void TearDown() override
    {
        delete window;
        delete vor::Form13;
    }

    void WriteLayout(long long n, int pieces, int sheets)
    {
        vortest::WriteBytes(vor::LayoutFile(vor::gShared.folders, n, kMaterial),
                            vor::EncodeTextLines(LayoutLines(pieces, sheets)));
    }
    void Open()
    {
        window->show();
        vortest::ProcessEvents();
    }
    void ChooseLayout(int row) { window->ListBox1->item(row)->setSelected(true); }

    vortest::StubMessages stub;
    vor::TForm8* window = nullptr;
};

TEST_F(LabelWindowsTest, ListsTheLayoutsWithAFileAndClosesWithoutAny)
{
    Open();
    ASSERT_EQ(messages().Count(), 1u);
    EXPECT_EQ(messages().Texts().back(), "<57>");
    EXPECT_TRUE(vortest::WaitUntil([&] { return !window->isVisible(); }));

    WriteLayout(1, 2, 1);
    WriteLayout(3, 2, 1);
    messages().ClearShown();
    Open();
    EXPECT_EQ(messages().Count(), 0u);
    ASSERT_EQ(window->ListBox1->count(), 2);
    EXPECT_EQ(window->ListBox1->item(1)->text(), QStringLiteral("003"));
    EXPECT_EQ(window->CheckBox4->text().toStdString(), vor::Msg(1005));
    EXPECT_FALSE(window->Button5->isEnabled());
}

TEST_F(LabelWindowsTest, RefusalsPrintNothing)
{
    vortest::RecordingCanvas canvas;
    platform::FakePrintJobs jobs(canvas);
    platform::ScopedPrintJobs installed(jobs);
    WriteLayout(1, 2, 1);
    Open();
    messages().ClearShown();
    window->Button5Click();  // no layout chosen
    ASSERT_EQ(messages().Count(), 1u);
    EXPECT_EQ(messages().Texts().back(), "<93>");
    ChooseLayout(0);
    window->CheckBox3->setChecked(false);
    window->CheckBox2->setChecked(false);
    window->Button5Click();  // no kind chosen
    EXPECT_EQ(messages().Texts().back(), "<93>");
    window->CheckBox3->setChecked(true);
    vor::gShared.settings.labels.columns = 16;
    window->Button5Click();
    EXPECT_EQ(messages().Texts().back(), "<720> (1)");
    EXPECT_TRUE(jobs.Jobs().empty());
    EXPECT_EQ(jobs.Setups(), 3);  // the print dialog comes first, the checks after it

    // A layout file too large to be read whole prints no label and is named.
    vor::gShared.settings.labels.columns = 3;
    std::vector<std::string> huge = LayoutLines(3300, 1);
    vortest::WriteBytes(vor::LayoutFile(vor::gShared.folders, 1, kMaterial), vor::EncodeTextLines(huge));
    messages().ClearShown();
    window->Button5Click();
    ASSERT_EQ(messages().Count(), 1u);
    EXPECT_EQ(messages().Texts().back(),
              "<619>\n" + vor::LayoutFile(vor::gShared.folders, 1, kMaterial).string());
    EXPECT_TRUE(jobs.Jobs().empty());

    // Cancelling the print dialog stops before anything else.
    jobs.SetAcceptDialogs(false);
    messages().ClearShown();
    window->Button5Click();
    EXPECT_EQ(messages().Count(), 0u);
}

TEST_F(LabelWindowsTest, TwentyFivePieceLabelsMakeTwoPdfPages)
{
    platform::QtPrintJobs qtJobs([](QPainter& painter, int dpi) -> std::unique_ptr<vor::Canvas> {
        return std::make_unique<vor::PainterCanvas>(painter, dpi);
    });
    const fs::path pdf = base() / "EXPORT" / "labels.pdf";
    qtJobs.UsePdfOutput(QString::fromStdString(pdf.string()));
    DialoglessJobs jobs(qtJobs);
    platform::ScopedPrintJobs installed(jobs);
    vor::gShared.settings.labels.lines[1] = "Peça <COD>: <DES>";
    vor::gShared.settings.labels.lines[2] = "@N<DIM> mm";
    WriteLayout(1, 5, 5);  // five pieces cut from five sheets
    Open();
    ChooseLayout(0);
    window->CheckBox1->setChecked(true);
    messages().ClearShown();
    window->Button5Click();
    ASSERT_EQ(messages().Count(), 1u);
    EXPECT_EQ(messages().Texts().back(), "<478>\n" + pdf.string());
    fs::copy_file(pdf, fs::path(VOR_TEST_OUTPUT_DIR) / "labels.pdf", fs::copy_options::overwrite_existing);
    EXPECT_EQ(vortest::PdfPages(pdf), 2);
    const std::string page1 = vortest::PageText(pdf, 1);
    EXPECT_NE(page1.find("Peça 100: Porta 0"), std::string::npos) << page1;
    EXPECT_NE(page1.find("296 x 400 mm"), std::string::npos) << page1;
    EXPECT_TRUE(window->Button5->isEnabled());

    // The test page: one page.
    fs::remove(pdf);
    window->Button2Click();
    EXPECT_EQ(vortest::PdfPages(pdf), 1);
}

TEST_F(LabelWindowsTest, OrderLabelsForMarkedRowsLeaveTheCurrentMaterial)
{
    vortest::RecordingCanvas canvas;
    platform::FakePrintJobs jobs(canvas);
    platform::ScopedPrintJobs installed(jobs);
    vor::gShared.settings.labels.lines[1] = "<COD> <MAT>";
    vor::gShared.settings.labels.lines[2] = "";
    vor::gShared.settings.labels.lines[3] = "";
    vortest::WriteBytes(vor::OrderTableFile(vor::gShared.folders, 12, true),
                        vor::EncodeTextLines({"1 101 2 500,5 300 9 Porta 12", "0 102 4 100 100 9 Fora 12",
                                              "1 103 1 80 60 9 Tampo 12"}));
    WriteLayout(1, 1, 1);
    Open();
    vor::gShared.orderList.dirty = true;
    window->FormActivate();
    ASSERT_GE(window->ListBox2->count(), 1);
    const vor::MaterialRecord before = vor::gShared.currentMaterialRecord;
    window->ListBox2->setCurrentRow(0);
    emit window->ListBox2->itemClicked(window->ListBox2->item(0));
    ASSERT_EQ(window->ChosenOrder(), 12);
    EXPECT_TRUE(window->Button4->isEnabled());
    window->Button4Click();
    ASSERT_EQ(jobs.Jobs().size(), 1u);
    int pieces = 0;
    for (const std::string& text : canvas.Texts())
        pieces += text.rfind("101 ", 0) == 0 || text.rfind("103 ", 0) == 0;
    EXPECT_EQ(pieces, 3);
    EXPECT_FALSE(canvas.HasText("102 ???"));
    EXPECT_EQ(vor::gShared.currentMaterial, kMaterial);
    EXPECT_EQ(vor::gShared.currentMaterialRecord.description, before.description);
}

// The order's pieces come from the table the program works on this run (the
// TMP copy when the tables are not internal), whatever VL_.INI says meanwhile.
TEST_F(LabelWindowsTest, OrderLabelsReadTheTableOfTheSharedSetting)
{
    struct InternalTablesOff {
        InternalTablesOff() { vor::gShared.settings.internalTables = false; }
        ~InternalTablesOff() { vor::gShared.settings.internalTables = true; }
    } off;
    vor::IniFile(vor::MainSettingsFile()).WriteBool("CALC", "INTERNO", true);
    vortest::RecordingCanvas canvas;
    platform::FakePrintJobs jobs(canvas);
    platform::ScopedPrintJobs installed(jobs);
    vor::gShared.settings.labels.lines[1] = "<COD>";
    vor::gShared.settings.labels.lines[2] = "";
    vor::gShared.settings.labels.lines[3] = "";
    vortest::WriteBytes(vor::OrderTableFile(vor::gShared.folders, 12, true),
                        vor::EncodeTextLines({"1 101 1 500 300 9 Porta 12"}));
    vortest::WriteBytes(vor::OrderTableFile(vor::gShared.folders, 12, false),
                        vor::EncodeTextLines({"1 201 1 500 300 9 Porta 12"}));
    WriteLayout(1, 1, 1);
    Open();
    vor::gShared.orderList.dirty = true;
    window->FormActivate();
    ASSERT_GE(window->ListBox2->count(), 1);
    window->ListBox2->setCurrentRow(0);
    emit window->ListBox2->itemClicked(window->ListBox2->item(0));
    ASSERT_EQ(window->ChosenOrder(), 12);
    window->Button4Click();
    ASSERT_EQ(jobs.Jobs().size(), 1u);
    EXPECT_TRUE(canvas.HasText("201"));
    EXPECT_FALSE(canvas.HasText("101"));
}

TEST_F(LabelWindowsTest, FormatWindowStoresOnceAndKeepsTenLines)
{
    vor::TForm13* format = vor::CreateForm13();
    format->FormActivate();
    EXPECT_EQ(format->Memo4->toPlainText(), QStringLiteral("Layout para retalho\nnão definido."));
    EXPECT_EQ(format->memo1->toPlainText(), QStringLiteral("Material: <MAT>\nDimensão: <DIM>\nPedido: <PED>"));
    QStringList eleven;
    for (int i = 1; i <= 11; ++i)
        eleven << QStringLiteral("linha %1").arg(i);
    format->memo1->setPlainText(eleven.join(QLatin1Char('\n')));
    EXPECT_EQ(format->memo1->document()->blockCount(), 10);
    format->Memo4->setPlainText(QStringLiteral("Retalho <DIM>\n<MAT>"));
    format->GeometryEdits[0]->setText(QStringLiteral("16"));
    format->GeometryEdits[1]->setText(QStringLiteral("0"));
    format->GeometryEdits[6]->setText(QStringLiteral("12a"));
    format->Edit9->setText(QStringLiteral("abc"));
    messages().ClearShown();
    format->show();
    vortest::ProcessEvents();
    format->Button1->click();
    vortest::ProcessEvents();
    ASSERT_EQ(messages().Count(), 1u);
    EXPECT_EQ(messages().Texts().back(), "<720> (2)");
    const vor::LabelPageSettings& p = vor::gShared.settings.labels;
    EXPECT_EQ(p.columns, 16);
    EXPECT_EQ(p.rows, 0);
    EXPECT_EQ(p.labelWidth, 12);
    EXPECT_EQ(p.fontSize, 0);
    EXPECT_EQ(p.lines[10], "linha 10");
    EXPECT_EQ(vor::ReadOffcutLabelTemplate(vor::gShared.folders),
              (std::vector<std::string>{"Retalho <DIM>", "<MAT>"}));

    // F1 asks the main window for the help text.
    struct Help final : vor::MainWindowHooks {
        int shown = 0;
        void ShowHelpText() override { ++shown; }
    } help;
    vor::SetMainWindowHooks(&help);
    QTest::keyClick(format, Qt::Key_F1);
    vor::SetMainWindowHooks(nullptr);
    EXPECT_EQ(help.shown, 1);
}

TEST_F(LabelWindowsTest, Screenshots)
{
    vor::LoadLanguage(vor::MakeDataFolders(fs::path(VOR_BINARY_DIR) / "vorlane"), 1, vor::gShared.messages,
                      vor::gShared.iconCaptions);
    WriteLayout(1, 2, 1);
    WriteLayout(2, 2, 1);
    Open();
    EXPECT_TRUE(window->grab().save(QStringLiteral(VOR_TEST_OUTPUT_DIR "/label_window_layouts.png")));
    window->PageControl1->setCurrentIndex(1);
    vortest::ProcessEvents();
    EXPECT_TRUE(window->grab().save(QStringLiteral(VOR_TEST_OUTPUT_DIR "/label_window_orders.png")));
    window->hide();

    vor::TForm13* format = vor::CreateForm13();
    format->FormActivate();
    format->show();
    vortest::ProcessEvents();
    EXPECT_TRUE(format->grab().save(QStringLiteral(VOR_TEST_OUTPUT_DIR "/label_format_dimensions.png")));
    format->PageControl1->setCurrentIndex(1);
    vortest::ProcessEvents();
    EXPECT_TRUE(format->grab().save(QStringLiteral(VOR_TEST_OUTPUT_DIR "/label_format_layout.png")));
    format->hide();
}

}  // namespace
