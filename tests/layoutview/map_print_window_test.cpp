// The print settings window and the viewer's "Imprime" on the offscreen
// platform: into a PDF through the Qt print service, and on the fake one.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
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
#include "vorplan/common/main_window_geometry.h"
#include "vorplan/common/text_file.h"
#include "vorplan/common/ui/painter_canvas.h"
#include "vorplan/layoutview/ui/map_print_window.h"
#include "vorplan/layoutview/ui/viewer_window.h"
#include "vorplan/layoutview/viewer_settings.h"

namespace {

namespace fs = std::filesystem;

constexpr long long kMaterial = 7;

std::vector<std::string> LayoutLines(int n)
{
    std::vector<std::string> lines = {
        "; Arquivo de distribuição ( Modificado )", "", ";Tipo  Cód.     X     Y     L     H ", "",
        "    0     3     " + std::to_string(n - 1) + "     0   27500   18300 Chapa 0"};
    for (int i = 0; i < 4; ++i)
        lines.push_back("    1   " + std::to_string(100 + i) + "  " + std::to_string(i * 6000) +
                        "     0    5960    8000 Porta_" + std::to_string(i) + " 1");
    lines.push_back("    1   200      0  8040   300    200 Calço 2");
    lines.push_back("    2     0   6000  8040   21500   10260 Retalho 0");
    return lines;
}

class MapPrintWindowTest : public vortest::UiTest {
protected:
    void SetUp() override
    {
        vor::gShared.currentMaterial = kMaterial;
        vor::gShared.currentMaterialRecord.description = "MDF 15 mm";
        vor::gShared.settings.pcbOption = false;
        vor::gShared.settings.viewerFactor = "1.0";
        vor::gMainRequests = {};
        form = vor::CreateForm16();
        form->options = vor::MapPrintOptions{};
    }
    void TearDown() override
    {
        delete viewer;
        delete form;
        vor::gShared.settings.pcbOption = false;
        vor::gMainRequests = {};
    }

    void OpenViewer(int layouts)
    {
        for (int n = 1; n <= layouts; ++n)
            vortest::WriteBytes(vor::LayoutFile(vor::gShared.folders, n, kMaterial),
                                vor::EncodeTextLines(LayoutLines(n)));
        viewer = new vor::Tvisualiz;
        viewer->resize(1100, 760);
        viewer->show();
        vortest::ProcessEvents();
        ASSERT_EQ(viewer->State().layoutCount, layouts);
    }

    void ChooseAll()
    {
        for (int i = 0; i < viewer->ListBox1->count(); ++i)
            viewer->ListBox1->item(i)->setSelected(true);
    }

    static int Colour(const QLabel* sample) { return sample->property("winColour").toInt(); }

    vortest::StubMessages stub;
    vor::TForm16* form = nullptr;
    vor::Tvisualiz* viewer = nullptr;
};

TEST_F(MapPrintWindowTest, EnablingFollowsMapsPerSheetThePcbOptionAndTheFill)
{
    form->FormActivate();
    EXPECT_TRUE(form->Panel7->isHidden());
    EXPECT_EQ(form->CheckBox2->text(), QStringLiteral("<109>"));
    form->RadioButton15->click();
    for (QWidget* w : std::initializer_list<QWidget*>{form->RadioButton5, form->RadioButton9, form->CheckBox1,
                                                      form->CheckBox2})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    form->RadioButton10->click();
    for (QWidget* w : std::initializer_list<QWidget*>{form->RadioButton5, form->RadioButton9, form->CheckBox1,
                                                      form->CheckBox2})
        EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
    form->RadioButton1->click();
    EXPECT_FALSE(form->GroupIntensity->isEnabled());
    form->RadioButton2->click();
    EXPECT_TRUE(form->GroupIntensity->isEnabled());

    vor::gShared.settings.pcbOption = true;
    form->FormActivate();
    EXPECT_EQ(form->CheckBox2->text(), QStringLiteral("<110>"));
    EXPECT_FALSE(form->RadioButton14->isEnabled());
    EXPECT_FALSE(form->RadioButton15->isEnabled());
    EXPECT_FALSE(form->RadioButton9->isEnabled());
    EXPECT_TRUE(form->RadioButton5->isEnabled());
}

TEST_F(MapPrintWindowTest, FactorIsClampedAndColourModelsSetTheSixSamples)
{
    form->FormActivate();
    for (const auto& [typed, shown] : std::vector<std::pair<QString, std::string>>{
             {QStringLiteral("0.3"), "0.50"}, {QStringLiteral("1,2"), "1.00"},
             {QStringLiteral("abc"), "0.50"}, {QStringLiteral("0.7"), "0.70"}}) {
        form->Edit5->setText(typed);
        form->Edit5Exit();
        EXPECT_EQ(form->Edit5->text().toStdString(), shown);
        EXPECT_EQ(vor::gShared.settings.viewerFactor, shown);
    }
    const std::pair<QPushButton*, vor::MapColourModel> models[] = {
        {form->Button3, vor::MapColourModel::Colour1},
        {form->Button4, vor::MapColourModel::Colour2},
        {form->Button2, vor::MapColourModel::BlackAndWhite}};
    for (const auto& [button, model] : models) {
        button->click();
        const vor::MapPrintColours expected = vor::ColourModel(model);
        for (std::size_t i = 0; i < 6; ++i)
            EXPECT_EQ(Colour(form->Samples[i]), expected[i]) << button->objectName().toStdString() << i;
    }
    form->Button4->click();
    form->FormClose();
    EXPECT_EQ(vor::PrintColoursOf(form->options.stored), vor::ColourModel(vor::MapColourModel::Colour2));
}

TEST_F(MapPrintWindowTest, StoredControlsRoundTripThroughTheSettingsFile)
{
    const fs::path file = vor::MainSettingsFile();
    {
        vor::IniFile ini(file);
        ini.WriteString("Impressao", "CAB_MAP", "Oficina Silva");
        ini.WriteString("Impressao", "ROD_MAP", "Conferido por:");
        ini.WriteString("Impressao", "FONT_SIZE_CAB_MAP", "12");
        ini.WriteString("Impressao", "MARGEM_ESQ", "35");
        ini.WriteString("Impressao", "MARGEM_SUP", "15");
        ini.WriteString("Impressao", "LARG_LINHA", "3");
        ini.WriteString("Varios", "FAT_C_M", "0.80");
        ini.WriteBool("IMP_MAP", "IMP_BORDA_CHP", true);
        ini.WriteBool("Impressao", "IMP_LISTA_SOB_RET", false);
        ini.WriteBool("IMP_MAP", "PREENCHE_COR", false);
        ini.WriteBool("Impressao", "COR_FORTE", false);
        ini.WriteString("Impressao", "CAB_02", "Linha dois");
        ini.WriteInteger("Impressao", "COR_CAB_ADICIONAL", 0x123456);
        ini.WriteString("Impressao", "TAB_FONT_CAB_ADICIONAL", "14");
        ini.WriteInteger("IMP_MAP", "COR_TOTAIS_IMP", 0x010203);
        ini.WriteInteger("IMP_MAP", "COR_TIT_USUARIO_IMP", 0x040506);
        ini.WriteInteger("IMP_MAP", "COR_HORA_E_DATA_IMP", 0x070809);
        ini.WriteInteger("IMP_MAP", "COR_EIXOS_IMP", 0x0A0B0C);
        ini.WriteInteger("IMP_MAP", "COR_CORTE_INICIAL_IMP", 0x0D0E0F);
        ini.WriteInteger("IMP_MAP", "COR_CONTORNO_PECA_IMP", 0x101112);
    }
    vor::ViewerDisplaySettings display;
    vor::MapPrintSettings loaded;
    {
        const vor::IniFile ini(file);
        vor::LoadViewerSettings(ini, display, loaded, vor::gShared.settings);
    }
    form->options.stored = loaded;
    form->FormActivate();
    EXPECT_EQ(form->Edit4->text(), QStringLiteral("Oficina Silva"));
    EXPECT_EQ(form->Edit5->text(), QStringLiteral("0.80"));
    EXPECT_TRUE(form->RadioButton1->isChecked());
    EXPECT_TRUE(form->RadioButton4->isChecked());
    EXPECT_EQ(Colour(form->Panel8), 0x123456);
    form->FormClose();
    EXPECT_EQ(form->options.stored, loaded);

    fs::remove(file);
    {
        vor::IniFile ini(file);
        vor::SaveViewerSettings(ini, display, form->options.stored, vor::gShared.settings);
    }
    vor::MapPrintSettings again;
    const vor::IniFile ini(file);
    vor::LoadViewerSettings(ini, display, again, vor::gShared.settings);
    EXPECT_EQ(again, loaded);
    EXPECT_EQ(ini.ReadString("Varios", "FAT_C_M", ""), "0.80");

    // A missing PREENCHE_COR reads as "Colorido".
    EXPECT_TRUE(vor::MapPrintSettings{}.colouredFill);
}

TEST_F(MapPrintWindowTest, Screenshot)
{
    vor::LoadLanguage(vor::MakeDataFolders(fs::path(VOR_BINARY_DIR) / "vorlane"), 1, vor::gShared.messages,
                      vor::gShared.iconCaptions);
    form->FormActivate();
    form->show();
    form->adjustSize();
    vortest::ProcessEvents();
    form->ButtonExtra->click();
    form->adjustSize();
    vortest::ProcessEvents();
    EXPECT_TRUE(form->grab().save(QStringLiteral(VOR_TEST_OUTPUT_DIR "/print_settings_window.png")));
    form->hide();
}

TEST_F(MapPrintWindowTest, FactorAndColoursReachThePrintStateWhenTheWindowCloses)
{
    OpenViewer(1);
    // The user types a factor, keeps the focus in the box and closes with Ok.
    QTimer::singleShot(0, form, [this] {
        form->Button3->click();
        form->Edit5->setFocus();
        form->Edit5->setText(QStringLiteral("0,7"));
        form->Button1->click();
    });
    viewer->ConfigureMapPrint();
    EXPECT_EQ(vor::gShared.settings.viewerFactor, "0.70");
    EXPECT_DOUBLE_EQ(viewer->View().transform.printerAspect, 0.7);
    EXPECT_EQ(vor::PrintColoursOf(viewer->PrintSettings()), vor::ColourModel(vor::MapColourModel::Colour1));
}

TEST_F(MapPrintWindowTest, FiveLayoutsTwoPerSheetMakeOneThreePagePdfInExport)
{
    platform::QtPrintJobs qtJobs([](QPainter& painter, int dpi) -> std::unique_ptr<vor::Canvas> {
        return std::make_unique<vor::PainterCanvas>(painter, dpi);
    });
    qtJobs.UsePdfOutput(QString());  // as without a printer: no file chosen
    platform::ScopedPrintJobs installed(qtJobs);
    {
        vor::IniFile ini(vor::MainSettingsFile());
        ini.WriteString("Impressao", "CAB_MAP", "Oficina Silva");
        ini.WriteString("Impressao", "ROD_MAP", "Conferido por");
    }
    OpenViewer(5);
    form->options.mapsPerSheet = 2;

    // The layout shown, edited and not yet written.
    viewer->GoToLayout(3);
    viewer->State().Element(2).description = " Porta editada";
    viewer->State().layoutModified = true;
    ChooseAll();
    viewer->BitBtn1->setEnabled(true);
    messages().ClearShown();
    viewer->PrintMaps();

    EXPECT_EQ(viewer->State().currentLayout, 3);
    EXPECT_EQ(viewer->State().Element(2).description, " Porta editada");
    const auto lines = vor::ReadTextLines(vor::LayoutFile(vor::gShared.folders, 3, kMaterial));
    ASSERT_TRUE(lines);
    bool edited = false;
    for (const std::string& line : *lines)
        edited = edited || line.find("Porta_editada") != std::string::npos;
    EXPECT_TRUE(edited);
    EXPECT_TRUE(viewer->BitBtn1->isEnabled());
    EXPECT_TRUE(viewer->Button9->isEnabled());

    ASSERT_EQ(messages().Count(), 1u);
    const std::string message = messages().Texts().back();
    ASSERT_EQ(message.rfind("<478>\n", 0), 0u) << message;
    const fs::path pdf = message.substr(6);
    EXPECT_EQ(pdf.parent_path(), vor::gShared.folders.exportDir);
    EXPECT_EQ(pdf.filename().string().rfind("MAPAS_7_", 0), 0u) << pdf;
    ASSERT_TRUE(fs::exists(pdf));
    fs::copy_file(pdf, fs::path(VOR_TEST_OUTPUT_DIR) / "cutting_maps.pdf", fs::copy_options::overwrite_existing);

    EXPECT_EQ(vortest::PdfPages(pdf), 3);
    EXPECT_NE(vortest::PdfInfo(pdf).find("(A4)"), std::string::npos) << vortest::PdfInfo(pdf);
    for (int page = 1; page <= 3; ++page) {
        SCOPED_TRACE(page);
        // pdftotext writes a run of blanks as one.
        const std::string text = vortest::PageText(pdf, page);
        EXPECT_NE(text.find("Oficina Silva"), std::string::npos) << text;
        EXPECT_NE(text.find("Conferido por"), std::string::npos);
        EXPECT_NE(text.find("<487>" + std::to_string(page * 2 - 1) + " - <488>: " + std::to_string(page * 2 - 2)),
                  std::string::npos);
        EXPECT_NE(text.find("<212>: 2750.0 x 1830.0"), std::string::npos);
        EXPECT_NE(text.find("<764>"), std::string::npos);
    }
    EXPECT_NE(vortest::PageText(pdf, 1).find("Vorlane v.2.18 www.vorlane.example"), std::string::npos);
    vortest::RunTool(QStringLiteral("pdftoppm"),
                     {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-f"),
                      QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
                      QString::fromStdString(pdf.string()),
                      QStringLiteral(VOR_TEST_OUTPUT_DIR "/cutting_maps_page")});

    // A second run never writes over the first file.
    viewer->PrintMaps();
    const std::string second = messages().Texts().back();
    EXPECT_NE(second, message);
}

TEST_F(MapPrintWindowTest, ARefusedJobWarnsAndLeavesBothButtonsOn)
{
    vortest::RecordingCanvas canvas;
    platform::FakePrintJobs jobs(canvas);
    jobs.SetRefuseJobs(true);
    platform::ScopedPrintJobs installed(jobs);
    OpenViewer(2);
    ChooseAll();
    messages().ClearShown();
    viewer->PrintMaps();
    ASSERT_EQ(messages().Count(), 1u);
    EXPECT_EQ(messages().Texts().back(), vor::PrinterWarningText());
    EXPECT_TRUE(viewer->BitBtn1->isEnabled());
    EXPECT_TRUE(viewer->Button9->isEnabled());
    EXPECT_EQ(viewer->State().currentLayout, 1);

    // Nothing chosen: a beep and no job.
    jobs.SetRefuseJobs(false);
    viewer->ListBox1->clearSelection();
    messages().ClearShown();
    const std::size_t beeps = sound().Count(platform::RecordingSound::Call::Beep);
    viewer->PrintMaps();
    EXPECT_EQ(sound().Count(platform::RecordingSound::Call::Beep), beeps + 1);
    EXPECT_TRUE(jobs.Jobs().empty());
    EXPECT_EQ(messages().Count(), 0u);
}

}  // namespace
