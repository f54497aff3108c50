#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QTimer>
#include <QProcess>
#include <QPushButton>
#include <QStringList>
#include <charconv>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "ostrel/ostrel_settings.h"
#include "ostrel/print_layout.h"
#include "ostrel/ostrel_texts.h"
#include "tests/ostrel/ostrel_test_support.h"
#include "tests/support/pdf_tools.h"
#include "vorplan/common/ini_file.h"

namespace ostreltest {
namespace {

using namespace ostrel;

using vortest::PageText;
using vortest::PdfInfo;
using vortest::PdfPages;
using vortest::RunTool;

int Occurrences(const std::string& text, const std::string& part)
{
    int n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++n;
    return n;
}

class OstrelPrintTest : public OstrelTest {
protected:
    void SetUp() override
    {
        // A picture to print on every page, against the right edge.
        QImage picture(60, 30, QImage::Format_RGB32);
        picture.fill(QColor(0, 0, 128));
        ASSERT_TRUE(picture.save(QString::fromStdString((base() / "logo.png").string())));
        settings.headerText = "Relatório de teste";
        settings.footerText = "Página <PG> / <TPG>";
        settings.picture1 = {(base() / "logo.png").string(), "-1", "5", "30", "15"};
    }

    void WriteIni()
    {
        vor::IniFile ini{fs::path(std::string(kSettingsFileName))};
        WriteSettings(ini, settings);
    }

    // Opens the sample and prints it into the PDF, answering the confirmation with `answer`.
    void PrintSample(platform::Answer answer, Mode mode = Mode::Normal)
    {
        WriteIni();
        Open(Command(CopySample(), mode));
        ASSERT_TRUE(form->Loaded());
        form->Printer().UsePdfOutput(QString::fromStdString(pdf.string()));
        messages().ClearShown();
        messages().Script({answer});
        form->PrintButtonClick();
        vortest::ProcessEvents();
    }

    OstrelSettings settings;
    vortest::TempDir out;
    fs::path pdf = out.path() / "ostrel.pdf";
};

TEST_F(OstrelPrintTest, PrintsTheSampleReportAsOneDocument)
{
    PrintSample(platform::Answer::Yes);
    ASSERT_GE(messages().Count(), 1u);
    EXPECT_EQ(messages().Shown().front().text, PrintConfirmMessage(Language::Portuguese, 5));
    EXPECT_EQ(messages().Shown().front().buttons, platform::Buttons::YesNo);
    EXPECT_EQ(messages().Count(), 1u) << messages().Last().text;
    EXPECT_FALSE(form->NoticePanel->isVisible());
    EXPECT_EQ(form->NoticePage->text().toStdString(), "Imprimindo página 5");

    ASSERT_TRUE(fs::exists(pdf));
    // Kept beside the test for a look.
    fs::copy_file(pdf, fs::path(VOR_TEST_OUTPUT_DIR) / "ostrel_print.pdf", fs::copy_options::overwrite_existing);
    EXPECT_EQ(PdfPages(pdf), 5);
    const std::string info = PdfInfo(pdf);
    const std::size_t title = info.find("Title:");
    ASSERT_NE(title, std::string::npos);
    EXPECT_EQ(info.substr(info.find_first_not_of(' ', title + 6), 7), "OSTREL\n");

    const std::string tableTitle = "Descrição da peça do armário";
    for (int page = 1; page <= 5; ++page) {
        SCOPED_TRACE(page);
        const std::string text = PageText(pdf, page);
        EXPECT_NE(text.find("Relatório de teste"), std::string::npos);
        EXPECT_NE(text.find("Página " + std::to_string(page) + " / 5"), std::string::npos) << text;
        EXPECT_NE(text.find("Vorlane 2001"), std::string::npos);
    }
    // The parts table runs from page 1 over page 2 into page 3; each page repeats its title on top.
    const std::string page1 = PageText(pdf, 1);
    EXPECT_EQ(Occurrences(page1, tableTitle), 1);
    EXPECT_NE(page1.find("P001"), std::string::npos);
    for (int page = 2; page <= 3; ++page) {
        const std::string text = PageText(pdf, page);
        EXPECT_EQ(Occurrences(text, tableTitle), 1) << page;
        EXPECT_LT(text.find(tableTitle), text.find("P0")) << page;
        EXPECT_LT(text.find("Relatório de teste"), text.find(tableTitle)) << page;
    }
    EXPECT_NE(PageText(pdf, 3).find("P090"), std::string::npos);
    EXPECT_EQ(PageText(pdf, 4).find(tableTitle), std::string::npos);
    // Codes are drawn, not printed; "_" in table cells prints as a blank.
    EXPECT_EQ(page1.find("@"), std::string::npos);
    EXPECT_NE(page1.find("Lateral esquerda"), std::string::npos);

    // One picture per page.
    const std::string images = RunTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"),
                                                                  QString::fromStdString(pdf.string())});
    EXPECT_EQ(Occurrences(images, "image "), 5) << images;

    // A look at the first page.
    const QString picture = QStringLiteral(VOR_TEST_OUTPUT_DIR "/ostrel_print_page1");
    RunTool(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60"),
                                     QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                                     QStringLiteral("1"), QStringLiteral("-singlefile"),
                                     QString::fromStdString(pdf.string()), picture});
}

TEST_F(OstrelPrintTest, WithoutAPrinterThePrinterDialogComesFirst)
{
    if (!QPrinterInfo::availablePrinters().isEmpty())
        GTEST_SKIP() << "a printer is installed";
    WriteIni();
    Open(Command(CopySample()));
    // With no printer there is nowhere to print until the dialog names a PDF file.
    EXPECT_EQ(form->Printer().Printer().outputFormat(), QPrinter::PdfFormat);
    EXPECT_FALSE(form->Printer().HasTarget());
    bool dialogShown = false;
    QTimer::singleShot(0, [&dialogShown] {
        if (auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget())) {
            dialogShown = true;
            dialog->reject();
        }
    });
    form->PrintButtonClick();
    EXPECT_TRUE(dialogShown);
    // Cancelled: no count, no question, nothing printed.
    EXPECT_EQ(messages().Count(), 0u);
    form->Printer().UsePdfOutput(QString::fromStdString(pdf.string()));
    EXPECT_TRUE(form->Printer().HasTarget());
}

TEST_F(OstrelPrintTest, APrinterThatCannotStartIsReported)
{
    WriteIni();
    Open(Command(CopySample()));
    form->Printer().UsePdfOutput(QString::fromStdString((out.path() / "nao" / "existe" / "x.pdf").string()));
    messages().Script({platform::Answer::Yes});
    form->PrintButtonClick();
    ASSERT_EQ(messages().Count(), 2u);
    EXPECT_EQ(messages().Last().text, form->Texts().printFailed);
    EXPECT_FALSE(form->NoticePanel->isVisible());
}

TEST_F(OstrelPrintTest, AnsweringNoPrintsNothing)
{
    PrintSample(platform::Answer::No);
    ASSERT_EQ(messages().Count(), 1u);
    EXPECT_FALSE(fs::exists(pdf));
}

TEST_F(OstrelPrintTest, NoPrintModeDoesNotPrint)
{
    PrintSample(platform::Answer::Yes, Mode::NoPrint);
    EXPECT_EQ(messages().Count(), 0u);
    EXPECT_FALSE(fs::exists(pdf));
}

TEST_F(OstrelPrintTest, AMissingPictureIsToldOnceAndTheSecondPrintsItsName)
{
    settings.picture1.file = (base() / "nao_existe.bmp").string();
    settings.picture2 = {(base() / "falta.bmp").string(), "-1", "-1", "40", "10"};
    PrintSample(platform::Answer::Yes);
    ASSERT_EQ(messages().Count(), 2u);
    EXPECT_EQ(messages().Last().text, "Arquivo nã+o encontrado: [" + settings.picture1.file + "]");
    EXPECT_EQ(PdfPages(pdf), 5);
    EXPECT_NE(PageText(pdf, 3).find("falta.bmp]?"), std::string::npos);
}

TEST_F(OstrelPrintTest, AnEmptyReportSaysSoAndPrintsNothing)
{
    WriteIni();
    const fs::path report = base() / "vazio.txt";
    for (const char* bytes : {"", "\r\n  \r\n"}) {
        SCOPED_TRACE(bytes);
        vortest::WriteBytes(report, bytes);
        Open(Command(report));
        ASSERT_TRUE(form->Loaded());
        form->Printer().UsePdfOutput(QString::fromStdString(pdf.string()));
        messages().ClearShown();
        form->PrintButtonClick();
        EXPECT_EQ(messages().Texts(), std::vector<std::string>{EmptyReportMessage(Language::Portuguese)});
        EXPECT_FALSE(fs::exists(pdf));
    }
}

// Typed into the panel, a value the page cannot hold is refused at once with
// its range, and the field goes back to the value in force.
TEST_F(OstrelPrintTest, PrintSettingsOutsideThePageAreRefusedWhereTyped)
{
    WriteIni();
    Open(Command(CopySample()));
    form->ConfigureButtonClick();
    struct Case {
        PrintField field;
        const char* typed;
        const char* kept;
    };
    const Case cases[] = {
        {PrintField::MarginTop, "99999999999", "20"},
        {PrintField::MarginLeft, "1e300", "20"},
        {PrintField::Picture1X, "-1e300", "-1"},
        {PrintField::Picture1Height, "5000", "15"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        messages().ClearShown();
        QLineEdit* edit = form->FieldEdit(c.field);
        edit->setFocus();
        edit->setText(QString::fromUtf8(c.typed));
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(edit, &enter);
        vortest::ProcessEvents();
        ASSERT_EQ(messages().Count(), 1u);
        EXPECT_NE(messages().Last().text.find(": o valor deve estar entre "), std::string::npos)
            << messages().Last().text;
        EXPECT_EQ(edit->text().toStdString(), c.kept);
        EXPECT_EQ(FieldText(form->Settings(), c.field), c.kept);
    }
    // The name as the panel shows it.
    EXPECT_EQ(messages().Last().text.substr(0, 12), "Desenho 1 - ");
    messages().ClearShown();
    form->MarginTopEdit->setText(QStringLiteral("500"));
    form->SettingsOk->click();
    // Half the 290 mm an A4 page prints on, less the bottom margin of 20.
    EXPECT_EQ(messages().Texts(),
              std::vector<std::string>{"Margens (mm) - Superior: o valor deve estar entre 0 e 125 mm."});
    EXPECT_TRUE(form->SettingsPanel->isVisible());
    EXPECT_EQ(form->Settings().marginTop, "20");

    // A sound value is taken as typed.
    form->MarginTopEdit->setText(QStringLiteral("35,5"));
    form->SettingsOk->click();
    EXPECT_FALSE(form->SettingsPanel->isVisible());
    EXPECT_EQ(form->Settings().marginTop, "35,5");
}

// A value from the settings file is checked before printing, never met by it.
TEST_F(OstrelPrintTest, AMarginFromTheFileThePageCannotHoldStopsThePrint)
{
    settings.marginTop = "99999999999";
    PrintSample(platform::Answer::Yes);
    ASSERT_EQ(messages().Count(), 1u);
    EXPECT_EQ(messages().Last().text, "Margens (mm) - Superior: o valor deve estar entre 0 e 125 mm.");
    EXPECT_FALSE(fs::exists(pdf));
}

TEST_F(OstrelPrintTest, APictureThatIsNoRegularFileIsMissingAndNeverOpened)
{
    // A FIFO would hang the print waiting for a writer; a device would never end.
    const fs::path fifo = base() / "logo_fifo.bmp";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    settings.picture1.file = fifo.string();
    settings.picture2 = {"/dev/zero", "-1", "-1", "40", "10"};
    PrintSample(platform::Answer::Yes);
    ASSERT_EQ(messages().Count(), 2u);
    EXPECT_EQ(messages().Last().text, "Arquivo nã+o encontrado: [" + fifo.string() + "]");
    EXPECT_EQ(PdfPages(pdf), 5);
    EXPECT_NE(PageText(pdf, 1).find("/dev/zero]?"), std::string::npos);
}

TEST_F(OstrelPrintTest, LandscapePrintsOnTurnedPages)
{
    settings.orientation = 1;
    PrintSample(platform::Answer::Yes);
    ASSERT_TRUE(fs::exists(pdf));
    const std::string info = PdfInfo(pdf);
    const std::size_t at = info.find("Page size:");
    ASSERT_NE(at, std::string::npos);
    const std::string size = info.substr(at + 10, info.find('\n', at) - at - 10);
    // "841.89 x 595.276 pts (A4)"
    const std::size_t first = size.find_first_not_of(' ');
    const std::size_t second = size.find_first_not_of(' ', size.find('x') + 1);
    double w = 0;
    double h = 0;
    std::from_chars(size.data() + first, size.data() + size.size(), w);
    std::from_chars(size.data() + second, size.data() + size.size(), h);
    EXPECT_GT(w, h) << size;
    // A turned page holds fewer lines: more pages than upright, as the confirmation said.
    const int pages = PdfPages(pdf);
    EXPECT_GT(pages, 5);
    EXPECT_EQ(messages().Shown().front().text, PrintConfirmMessage(Language::Portuguese, pages));
    EXPECT_NE(PageText(pdf, 2).find("Página 2 / " + std::to_string(pages)), std::string::npos);
}

}  // namespace
}  // namespace ostreltest
