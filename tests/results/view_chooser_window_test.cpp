#include "vorplan/results/ui/view_chooser_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrintDialog>
#include <QProcess>
#include <QPushButton>
#include <QTextEdit>

#include "platform/fake_print_jobs.h"
#include "platform/fake_process_launcher.h"
#include "platform/qt_print_jobs.h"
#include "platform/qt_text.h"
#include "tests/results/results_window_support.h"
#include "tests/support/recording_canvas.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/ui/painter_canvas.h"
#include "vorplan/results/ui/export_window.h"

namespace {

namespace fs = std::filesystem;
using platform::FromQString;
using vortest::ProcessEvents;
using vortest::ReadBytes;
using vortest::WaitUntil;
using vortest::WhenShown;
using vortest::WriteBytes;

class ViewChooserWindowTest : public vortest::ResultsWindowTest {
protected:
    void SetUp() override
    {
        ResultsWindowTest::SetUp();
        vor::TForm23* form = vor::CreateForm23();
        form->showViewer = [this] { viewerShownFor.push_back(vor::gShared.currentMaterial); };
        form->yieldOptions = [this] { return options; };
    }

    void TearDown() override
    {
        delete vor::Form28;
        delete vor::Form23;
        ResultsWindowTest::TearDown();
    }

    static std::vector<std::string> Items(const vor::TForm23& form)
    {
        std::vector<std::string> items;
        for (int row = 0; row < form.ListBox1->count(); ++row)
            items.push_back(FromQString(form.ListBox1->item(row)->text()));
        return items;
    }

    vor::YieldDisplayOptions options{false, false, false, false};
    std::vector<long long> viewerShownFor;
};

TEST_F(ViewChooserWindowTest, ListsTheMaterialsAndMarksTheOnesViewed)
{
    vor::gShared.busy = false;
    vor::gShared.currentMaterial = 77;
    vor::TForm23& form = OpenChooser();
    EXPECT_TRUE(vor::gMainWindow.windowOpenFlags.calculationChoice);
    EXPECT_EQ(Items(form), (std::vector<std::string>{"12~MDF branco 15 mm",
                                                     "30~Vidro temperado incolor 6 mm"}));
    // The marks file exists with every summary option off; the current record is the first material's.
    EXPECT_EQ(ReadBytes(vor::LastCalcMaterialsFile(folders())),
              std::string("\x0c\0\0\0\0\0\0\0\x1e\0\0\0\0\0\0\0", 16));
    EXPECT_EQ(vor::gShared.currentMaterial, 12);
    EXPECT_EQ(vor::gShared.currentMaterialRecord.description, "MDF branco 15 mm");
    EXPECT_TRUE(form.Label1->isVisible());

    form.ListBox1Click(1);
    EXPECT_EQ(viewerShownFor, std::vector<long long>{30});
    EXPECT_EQ(vor::gShared.currentMaterialRecord.description, "Vidro temperado incolor 6 mm");
    EXPECT_EQ(ReadBytes(vor::LastCalcMaterialsFile(folders())),
              std::string("\x0c\0\0\0\0\0\0\0\x1e\0\0\0\1\0\0\0", 16));

    form.close();
    ProcessEvents();
    EXPECT_FALSE(vor::gMainWindow.windowOpenFlags.calculationChoice);
    EXPECT_FALSE(vor::gShared.busy);

    OpenChooser();
    EXPECT_EQ(Items(form)[1], "30   *~Vidro temperado incolor 6 mm");
    options = {false, true, true, true};
    WriteBytes(vor::CalcOrdersFile(folders()), vor::EncodeTextLines({"5"}));
    WriteBytes(vor::OrderTableFile(folders(), 5, true), vor::EncodeTextLines({"1 1 2 1000 500 12 Porta"}));
    WriteBytes(vor::ProjectDescriptionFile(folders(), 5),
               vor::EncodeTextLines({"[PED]", "CAMPO1=Cozinha da Ana"}));
    bool configured = false;
    form.configure = [&](QWidget* owner) { configured = owner == &form; };
    form.Button5->click();
    EXPECT_TRUE(configured);
    const std::string text = FromQString(form.RichEdit1->toPlainText());
    EXPECT_NE(text.find("Cozinha da Ana"), std::string::npos) << text;
    EXPECT_NE(text.find("2750\t1830\tChapa"), std::string::npos) << text;
    EXPECT_TRUE(vortest::ControlsWithoutText(form).empty())
        << vortest::JoinNames(vortest::ControlsWithoutText(form));
    EXPECT_TRUE(form.grab().save(QStringLiteral(VOR_TEST_OUTPUT_DIR "/view_chooser.png")));

    std::vector<std::string> handed;
    form.stockUpdate = [&](QWidget*, const std::vector<std::string>& items) { handed = items; };
    form.Button6->click();
    EXPECT_EQ(handed, (std::vector<std::string>{"12    MDF branco 15 mm",
                                                "30   *    Vidro temperado incolor 6 mm"}));
}

// The orders' totals come from the tables the program works on this run (the
// TMP copies when the tables are not internal), whatever VL_.INI says meanwhile.
TEST_F(ViewChooserWindowTest, SummaryTotalsTheOrderTablesOfTheSharedSetting)
{
    vor::gShared.settings.internalTables = false;
    vor::IniFile(vor::MainSettingsFile()).WriteBool("CALC", "INTERNO", true);
    options = {false, false, true, false};
    WriteBytes(vor::CalcOrdersFile(folders()), vor::EncodeTextLines({"5"}));
    WriteBytes(vor::OrderTableFile(folders(), 5, true),
               vor::EncodeTextLines({"1 1 2 1000 500 12 Porta"}));
    WriteBytes(vor::OrderTableFile(folders(), 5, false),
               vor::EncodeTextLines({"1 1 7 1000 500 12 Porta"}));
    const std::string text = FromQString(OpenChooser().RichEdit1->toPlainText());
    const std::size_t row = text.find("\n5\t");
    ASSERT_NE(row, std::string::npos) << text;
    const std::string line = text.substr(row + 1, text.find('\n', row + 1) - row - 1);
    EXPECT_NE(line.find("\t7\t"), std::string::npos) << line;
}

TEST_F(ViewChooserWindowTest, PrintsTheSummaryAsOneJob)
{
    platform::QtPrintJobs qtJobs([](QPainter& painter, int dpi) -> std::unique_ptr<vor::Canvas> {
        return std::make_unique<vor::PainterCanvas>(painter, dpi);
    });
    const fs::path pdf = base() / "resumo.pdf";
    qtJobs.UsePdfOutput(QString::fromStdString(pdf.string()));
    platform::ScopedPrintJobs installed(qtJobs);
    vor::TForm23& form = OpenChooser();
    WhenShown([] { return QApplication::activeModalWidget(); },
              [] {
                  if (auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget()))
                      dialog->accept();
              });
    form.Button3->click();
    ASSERT_TRUE(fs::exists(pdf));
    ASSERT_EQ(messages().Count(), 1u);
    EXPECT_EQ(messages().Last().text, "Ok");
    EXPECT_TRUE(form.isVisible());

    QProcess text;
    text.start(QStringLiteral("pdftotext"),
               {QStringLiteral("-layout"), QString::fromStdString(pdf.string()), QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(20000));
    const std::string printed = text.readAllStandardOutput().toStdString();
    for (const char* shown : {"Relatório de cálculo", "12", "30", "MDF branco 15 mm", "19.95%"})
        EXPECT_NE(printed.find(shown), std::string::npos) << shown << "\n" << printed;
    QProcess picture;
    picture.start(QStringLiteral("pdftoppm"),
                  {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60"),
                   QStringLiteral("-singlefile"), QString::fromStdString(pdf.string()),
                   QStringLiteral(VOR_TEST_OUTPUT_DIR "/summary_print")});
    picture.waitForFinished(20000);
}

TEST_F(ViewChooserWindowTest, PrintingReportsARefusedOrUnfinishedJobAndACancelPrintsNothing)
{
    vortest::RecordingCanvas canvas;
    platform::FakePrintJobs jobs(canvas);
    platform::ScopedPrintJobs installed(jobs);
    vor::TForm23& form = OpenChooser();

    jobs.SetAcceptDialogs(false);
    form.Button3->click();
    EXPECT_EQ(jobs.Setups(), 1);
    EXPECT_TRUE(jobs.Jobs().empty());
    EXPECT_EQ(messages().Count(), 0u);

    // PDF output that has no file to go into.
    jobs.SetAcceptDialogs(true);
    jobs.SetPrintsToFile(true);
    form.Button3->click();
    EXPECT_TRUE(jobs.Jobs().empty());
    EXPECT_EQ(messages().Count(), 0u);

    jobs.SetPrintsToFile(false);
    jobs.SetRefuseJobs(true);
    form.Button3->click();
    ASSERT_EQ(messages().Count(), 1u);
    EXPECT_EQ(messages().Last().text, vor::Msg(225));

    jobs.SetRefuseJobs(false);
    jobs.SetFailEnds(true);
    form.Button3->click();
    ASSERT_EQ(jobs.Jobs().size(), 1u);
    EXPECT_EQ(jobs.Jobs()[0].title, "Vorlane");
    EXPECT_TRUE(jobs.Jobs()[0].ended);
    EXPECT_TRUE(canvas.HasText("MDF branco 15 mm"));
    ASSERT_EQ(messages().Count(), 2u);
    EXPECT_EQ(messages().Last().text, vor::Msg(225));
}

TEST_F(ViewChooserWindowTest, ExportsOnlyWhatTheExportWindowConfirmed)
{
    platform::FakeProcessLauncher launcher;
    platform::ScopedLauncher installed(launcher);
    vor::TForm23& form = OpenChooser();
    const fs::path example = folders().exportDir / "EXAMPLE.RTF";

    // Closed by its title bar: nothing written, nothing opened, the chooser still open.
    bool chooserOpenMeanwhile = false;
    WhenShown([] { return static_cast<QWidget*>(vor::Form28); },
              [&] {
                  chooserOpenMeanwhile = form.isVisible();
                  vor::Form28->close();
              });
    form.Button4->click();
    EXPECT_TRUE(chooserOpenMeanwhile);
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(fs::exists(example));
    EXPECT_TRUE(launcher.Opened().empty());

    WhenShown([] { return static_cast<QWidget*>(vor::Form28); }, [] { vor::Form28->Button1->click(); });
    form.Button4->click();
    ASSERT_TRUE(fs::exists(example));
    EXPECT_EQ(ReadBytes(example).rfind("{\\rtf1", 0), 0u);
    EXPECT_EQ(launcher.Opened(), std::vector<fs::path>{example});

    // A file that cannot be written: named in a message, nothing opened.
    launcher.ClearCalls();
    const fs::path nowhere = base() / "nao" / "existe" / "resumo";
    WhenShown([] { return static_cast<QWidget*>(vor::Form28); },
              [&] {
                  vor::Form28->Edit1->setText(QString::fromStdString(nowhere.string()));
                  vor::Form28->Button1->click();
              });
    form.Button4->click();
    ASSERT_GE(messages().Count(), 1u);
    EXPECT_EQ(messages().Last().text,
              "Não foi possível gravar o arquivo [" + nowhere.string() + ".RTF]");
    EXPECT_TRUE(launcher.Opened().empty());
}

}  // namespace
