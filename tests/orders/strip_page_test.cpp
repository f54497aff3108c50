#include "vorplan/orders/ui/strip_page.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QMouseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "platform/qt_text.h"
#include "tests/support/ui_fixture.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/main_window_geometry.h"
#include "vorplan/common/real_helpers.h"
#include "vorplan/common/text_file.h"
#include "vorplan/optimiser/ui/run_controller.h"
#include "vorplan/orders/ui/table_window.h"

namespace {

namespace fs = std::filesystem;
using platform::Answer;
using vortest::ProcessEvents;
using vortest::ReadBytes;
using vortest::WaitUntil;
using vortest::WriteBytes;
using Lines = std::vector<std::string>;

constexpr long long kOrder = 7;
constexpr long long kStripMaterial = 99010;
const char* const kNoStrips = "Não é possível a construção de tiras com os valores atuais.";

QString Q(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

std::string Crlf(const Lines& lines)
{
    std::string out;
    for (const std::string& line : lines)
        out += line + "\r\n";
    return out;
}

class StripPageTest : public vortest::UiTest {
protected:
    void SetUp() override
    {
        m_saved = std::make_unique<vor::SharedGlobals>(vor::gShared);
        vor::gShared.settings = vor::GeneralSettings();
        vor::gShared.settings.pcbOption = true;
        vor::gShared.languageIndex = 1;
        vor::gShared.currentOrder = kOrder;
        vor::gMainWindow = {};
        vor::gMainRequests = {};
        vortest::WriteNumberedLanguageFile(base() / "LANG" / "PORT.PTC");
        vor::LoadLanguage(vor::gShared.folders, 1, vor::gShared.messages,
                          vor::gShared.iconCaptions);
        WriteBytes(vor::MaterialFile(vor::gShared.folders, kStripMaterial),
                   "[DESC]\r\nCAMPO1=Laminado FR-4\r\n");
        WriteSheets({"1 1 10 2750 1850 FR4"});
        WriteBytes(PieceFile(), Crlf({"1      1      2    500    300      5 Porta 7 ABCD"}));
        vor::InstallStripModeHooks();
    }

    void TearDown() override
    {
        delete vor::tabela;
        ProcessEvents();
        vor::TableEditorExtensions() = {};
        vor::gMainWindow = {};
        vor::gMainRequests = {};
        vor::gShared = *m_saved;
    }

    static fs::path PieceFile() { return vor::OrderTableFile(vor::gShared.folders, kOrder, true); }
    static fs::path DescriptionFile() { return vor::ProjectDescriptionFile(vor::gShared.folders, kOrder); }
    static void WriteSheets(const Lines& lines)
    {
        WriteBytes(vor::SheetTableFile(vor::gShared.folders, kStripMaterial), Crlf(lines));
    }
    void WriteDescription(const Lines& pcb)
    {
        Lines lines = {"[PED]", "CAMPO1=Placas", "[PCB]"};
        lines.insert(lines.end(), pcb.begin(), pcb.end());
        WriteBytes(DescriptionFile(), Crlf(lines));
    }
    void WriteSettings(const Lines& lines) { WriteBytes(iniDir() / "VL_.INI", Crlf(lines)); }

    // Opens the editor as the main window does, without blocking, and waits
    // for the first run of the option yields to end.
    vor::Ttabela& Open()
    {
        vor::Ttabela* form = vor::CreateTabela();
        form->SetKind(1);
        form->show();
        form->activateWindow();
        WaitUntil([form] { return form->isActiveWindow(); });
        ProcessEvents();
        vor::StripPage& page = Page(*form);
        WaitUntil([&page] { return page.GenerationCount() > 0 && !page.Running(); });
        ProcessEvents();
        return *form;
    }

    static vor::StripPage& Page(vor::Ttabela& form)
    {
        return *form.TabSheet4->findChild<vor::StripPage*>(QStringLiteral("StripPage"));
    }

    static void WaitForRun(vor::StripPage& page)
    {
        WaitUntil([&page] { return !page.Running(); });
        ProcessEvents();
    }

    // Types a new value into a field and leaves it.
    static void Retype(QLineEdit* edit, const QString& text)
    {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
        ProcessEvents();
    }

    // A press, a release, then the double click itself, as a mouse gives them.
    static void DoubleClick(QWidget* widget, QPoint at)
    {
        QTest::mouseClick(widget, Qt::LeftButton, {}, at);
        const QPointF local(at);
        QMouseEvent dbl(QEvent::MouseButtonDblClick, local, widget->mapToGlobal(local),
                        Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &dbl);
        QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
        ProcessEvents();
    }

    std::size_t Shown(const std::string& part)
    {
        std::size_t n = 0;
        for (const std::string& text : messages().Texts())
            n += text.find(part) != std::string::npos ? 1 : 0;
        return n;
    }

    static bool Save(QWidget& widget, const char* name)
    {
        return widget.grab().save(QStringLiteral(VOR_TEST_OUTPUT_DIR "/%1.png").arg(Q(name)));
    }

private:
    std::unique_ptr<vor::SharedGlobals> m_saved;
};

TEST_F(StripPageTest, OptionsAreGeneratedOncePerOpeningAndPerChangedFieldScreenshot)
{
    vor::Ttabela& form = Open();
    vor::StripPage& page = Page(form);
    EXPECT_EQ(form.PageControl1->currentWidget(), form.TabSheet4);
    EXPECT_EQ(page.GenerationCount(), 1);
    ASSERT_EQ(page.Options().size(), 89u);
    EXPECT_GE(page.Options().front().yield, page.Options().back().yield);
    EXPECT_GT(page.Options().back().yield, 0.0);
    EXPECT_FALSE(page.GenerateButton->isEnabled());
    EXPECT_FALSE(page.Edit33->isEnabled());
    EXPECT_EQ(page.MaterialName->text(), Q("Laminado FR-4"));
    EXPECT_TRUE(page.Panel46->isHidden());
    EXPECT_TRUE(Save(form, "strip_tab_default"));

    for (int i = 0; i < 50; ++i) {
        page.repaint();
        page.ListBox1->viewport()->repaint();
        form.PageControl1->setCurrentWidget(i % 2 == 0 ? form.TabSheet1 : form.TabSheet4);
        ProcessEvents();
    }
    for (int i = 0; i < 10; ++i) {
        page.hide();
        ProcessEvents();
        page.show();
        ProcessEvents();
    }
    EXPECT_EQ(page.GenerationCount(), 1);

    form.PageControl1->setCurrentWidget(form.TabSheet4);
    Retype(page.Edit11, Q("140"));
    WaitForRun(page);
    EXPECT_EQ(page.GenerationCount(), 2);
    // Left again unchanged: nothing new.
    Retype(page.Edit11, Q("140"));
    EXPECT_EQ(page.GenerationCount(), 2);
    Retype(page.Edit22, Q("2,5"));
    WaitForRun(page);
    EXPECT_EQ(page.GenerationCount(), 3);

    // Unticked: the parameters rest and the strip to cut opens.
    QTest::mouseClick(page.CheckBox14, Qt::LeftButton, {}, QPoint(5, page.CheckBox14->height() / 2));
    EXPECT_FALSE(page.CheckBox14->isChecked());
    EXPECT_FALSE(page.Edit11->isEnabled());
    EXPECT_TRUE(page.Edit33->isEnabled());
    EXPECT_EQ(page.GenerationCount(), 3);
    QTest::mouseClick(page.CheckBox14, Qt::LeftButton, {}, QPoint(5, page.CheckBox14->height() / 2));
    WaitForRun(page);
    EXPECT_EQ(page.GenerationCount(), 4);
    EXPECT_EQ(Shown("Erro"), 0u);
}

TEST_F(StripPageTest, NoStripMessageOnceAndParameterErrors)
{
    WriteDescription({"L_PCI=2000"});
    vor::Ttabela& form = Open();
    vor::StripPage& page = Page(form);
    for (int i = 0; i < 20; ++i) {
        page.repaint();
        form.PageControl1->setCurrentWidget(i % 2 == 0 ? form.TabSheet1 : form.TabSheet4);
        ProcessEvents();
    }
    EXPECT_EQ(Shown(kNoStrips), 1u);
    EXPECT_TRUE(page.Options().empty());
    EXPECT_TRUE(page.GenerateButton->isHidden() || !page.GenerateButton->isEnabled());

    form.PageControl1->setCurrentWidget(form.TabSheet4);
    Retype(page.Edit11, Q("100"));
    WaitForRun(page);
    EXPECT_FALSE(page.Options().empty());
    Retype(page.Edit23, Q("5"));
    EXPECT_EQ(messages().Last().text, "Erro larg_max_tira<larg_min_tira");
    EXPECT_TRUE(page.Options().empty());
    EXPECT_EQ(Shown(kNoStrips), 1u);
}

TEST_F(StripPageTest, DoubleClickTakesTheOptionAndOkRebuildsTheTable)
{
    WriteSettings({"[CALC_PCB]", "NAO_ORD_TIRA=1", "ORD_TIRA_REND=0"});
    vor::Ttabela& form = Open();
    vor::StripPage& page = Page(form);
    EXPECT_TRUE(page.RadioButton4->isChecked());
    int row = -1;
    for (std::size_t i = 0; i < page.Options().size(); ++i)
        if (page.Options()[i].across * page.Options()[i].along == 24 && row < 0)
            row = static_cast<int>(i);
    ASSERT_GE(row, 0);
    const QModelIndex index = page.ListBox1->model()->index(row, 0);
    page.ListBox1->scrollTo(index);
    const QPoint at = page.ListBox1->visualRect(index).center();
    ASSERT_TRUE(page.ListBox1->isEnabled());
    ASSERT_TRUE(page.ListBox1->viewport()->rect().contains(at)) << at.x() << " " << at.y();
    DoubleClick(page.ListBox1->viewport(), at);
    ProcessEvents();
    const vor::StripOption& taken = page.Options()[static_cast<std::size_t>(row)];
    EXPECT_TRUE(taken.selected);
    EXPECT_EQ(page.Edit33->text(), Q("17"));
    EXPECT_EQ(page.Edit34->text(), platform::ToQString(vor::FormatRealText(taken.width * 0.1, true)));
    EXPECT_EQ(page.Edit35->text(), platform::ToQString(vor::FormatRealText(taken.height * 0.1, true)));
    EXPECT_EQ(page.Edit36->text(), Q("1 TIRA = 24 PCIs"));

    form.Button12->click();
    ProcessEvents();
    EXPECT_FALSE(form.isVisible());
    const std::vector<vor::PieceRow> rows = *vor::ReadPieceTable(PieceFile(), true);
    ASSERT_EQ(rows.size(), 89u);
    EXPECT_EQ(rows[static_cast<std::size_t>(row)].mark, "+");
    EXPECT_EQ(rows[0].mark, " ");
    EXPECT_EQ(rows[0].description, "Tira 1x1");
    const vor::IniFile description(DescriptionFile());
    EXPECT_EQ(description.ReadString("PCB", "DESC_USU", ""), "1 TIRA = 24 PCIs");
    EXPECT_EQ(description.ReadString("PCB", "QTD_USU", ""), "17");
}

TEST_F(StripPageTest, OkWithoutOptionsKeepsTheTable)
{
    WriteDescription({"L_PCI=2000"});
    const std::string before = ReadBytes(PieceFile());
    vor::Ttabela& form = Open();
    ASSERT_TRUE(Page(form).Options().empty());
    form.Button12->click();
    ProcessEvents();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(ReadBytes(PieceFile()), before);
    EXPECT_EQ(vor::IniFile(DescriptionFile()).ReadString("PCB", "L_PCI", ""), "2000");
}

TEST_F(StripPageTest, OptionPcbQuestionOnlyOnTheUsersTick)
{
    vor::Ttabela& form = Open();
    EXPECT_TRUE(form.CheckBox8->isChecked());
    EXPECT_EQ(Shown("Atenção: com a opção PCI"), 0u);
    form.CheckBox8->click();  // unticked: no question
    EXPECT_EQ(Shown("Atenção: com a opção PCI"), 0u);
    messages().Script({Answer::No});
    form.CheckBox8->click();
    EXPECT_EQ(Shown("Atenção: com a opção PCI"), 1u);
    EXPECT_FALSE(form.CheckBox8->isChecked());
    messages().Script({Answer::Yes});
    form.CheckBox8->click();
    EXPECT_TRUE(form.CheckBox8->isChecked());
}

TEST_F(StripPageTest, CalculaCorteShowsTheCutsAndVisualizaLeavesTheViewRequestScreenshot)
{
    WriteBytes(vor::LayoutFile(vor::gShared.folders, 2, kStripMaterial), "old\r\n");
    WriteBytes(vor::CalcDataFile(vor::gShared.folders), Crlf({"[DADOS_ULT_CALC]", "STATUS=1"}));
    vor::Ttabela& form = Open();
    vor::StripPage& page = Page(form);
    QTest::mouseClick(page.CheckBox14, Qt::LeftButton, {}, QPoint(5, page.CheckBox14->height() / 2));
    page.Edit33->setText(Q("10"));
    page.Edit34->setText(Q("1000"));
    page.Edit35->setText(Q("600,04"));  // cut to whole tenths
    page.CheckBox16->setChecked(true);
    page.CheckBox10->setChecked(true);
    page.Button10->click();
    EXPECT_TRUE(page.Running() || page.LastCut());
    WaitForRun(page);
    ASSERT_TRUE(page.LastCut());
    EXPECT_EQ(page.LastCut()->stripsPlaced, 14);
    EXPECT_TRUE(page.GroupBox8->isVisible());
    EXPECT_TRUE(page.Button8->isVisible());
    EXPECT_EQ(ReadBytes(vor::LayoutFile(vor::gShared.folders, 1, kStripMaterial)),
              ReadBytes(fs::path(VOR_SOURCE_DIR) / "tests/optimiser/golden/layout_strip.MON"));
    EXPECT_FALSE(fs::exists(vor::LayoutFile(vor::gShared.folders, 2, kStripMaterial)));
    EXPECT_EQ(ReadBytes(vor::CalcOrdersFile(vor::gShared.folders)), "7\r\n");
    EXPECT_EQ(vor::gShared.currentMaterial, kStripMaterial);
    // The cut list: the summary and the one kind.
    EXPECT_EQ(page.ListBox2->model()->rowCount(), 2);
    EXPECT_EQ(page.ListBox2->visualRect(page.ListBox2->model()->index(0, 0)).height(), 179);
    page.DisplayButton->click();
    ProcessEvents();
    EXPECT_TRUE(page.Panel44->isVisible());
    EXPECT_TRUE(Save(form, "strip_tab_cut_options"));
    page.Panel44Ok->click();
    ProcessEvents();
    EXPECT_TRUE(Save(form, "strip_tab_cut_list"));
    EXPECT_TRUE(Save(*page.ListBox2, "strip_cut_list"));

    page.Button8->click();
    ProcessEvents();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(vor::gMainRequests.viewRequest, 1);
    const vor::IniFile calcData(vor::CalcDataFile(vor::gShared.folders));
    EXPECT_EQ(calcData.ReadString("DADOS_ULT_CALC", "PECAS_POSICIONADAS", ""), "14");
    EXPECT_EQ(calcData.ReadString("DADOS_ULT_CALC", "PECAS_SELECIONADAS", ""), "400");
    EXPECT_EQ(calcData.ReadString("DADOS_ULT_CALC", "PEDIDOS", ""), "7");
    EXPECT_EQ(calcData.ReadString("DADOS_ULT_CALC", "S_STATUS", ""), "Ok");
    EXPECT_EQ(calcData.ReadString("DADOS_ULT_CALC", "STATUS", ""), "1");
    // The options of this opening became the table.
    EXPECT_EQ(vor::ReadPieceTable(PieceFile(), true)->size(), 89u);
    // The display options are kept for the next opening.
    const vor::IniFile settings(iniDir() / "VL_.INI");
    EXPECT_TRUE(settings.ReadBool("OSTREL_PCB", "N_MONT", false));
    EXPECT_TRUE(settings.ReadBool("OSTREL_PCB", "QTD_TIRA", false));
}

TEST_F(StripPageTest, SheetTableErrorsAreShownOnceAfterTheRun)
{
    WriteSheets({"1 1 0 2750 1850 FR4"});
    vor::Ttabela& form = Open();
    vor::StripPage& page = Page(form);
    EXPECT_EQ(Shown("msg 891"), 1u);
    EXPECT_EQ(page.Options().front().yield, -1.0);
    // A zero strip: "Erro A1" once, not per kind.
    WriteSheets({"1 1 1 2750 1850 a", "1 2 1 1220 1000 b"});
    QTest::mouseClick(page.CheckBox14, Qt::LeftButton, {}, QPoint(5, page.CheckBox14->height() / 2));
    page.Edit33->setText(Q("3"));
    page.Edit34->setText(Q("0"));
    page.Edit35->setText(Q("600"));
    page.Button10->click();
    WaitForRun(page);
    EXPECT_EQ(Shown("Erro A1"), 1u);
    // Each kind tried counts one sheet, so the cut list shows no strip placed.
    ASSERT_TRUE(page.LastCut());
    EXPECT_EQ(page.LastCut()->stripsPlaced, 0);
}

TEST_F(StripPageTest, ALongYieldsRunKeepsTheWindowTurningAndClosingAbandonsIt)
{
    WriteSheets({"1 1 20 1245 1041 a", "1 2 10 1220 1020 b", "1 3 30 620 520 c"});
    WriteDescription({"L_PCI=12", "A_PCI=8", "ESP_ENTRE_PCI=1", "BORDA_ESQ=1", "BORDA_DIR=1",
                      "BORDA_SUP=1", "BORDA_INF=1", "LARG_MIN_TIRA=1", "MAX_PCI_POR_TIRA=100",
                      "QTD_DESEJADA=200000"});
    vor::Ttabela* form = vor::CreateTabela();
    form->SetKind(1);
    form->show();
    vor::StripPage& page = Page(*form);
    ASSERT_TRUE(WaitUntil([&page] { return page.Running(); }));
    EXPECT_TRUE(page.Panel46->isVisible());
    EXPECT_FALSE(page.ListBox1->isEnabled());
    EXPECT_FALSE(page.Button10->isEnabled());
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start(5);
    WaitUntil([&ticks] { return ticks >= 5; }, std::chrono::seconds(2));
    EXPECT_GE(ticks, 5);
    ASSERT_TRUE(page.Running());
    form->Button13->click();  // Cancela: the window closes
    ProcessEvents();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(Shown("msg 569"), 0u);  // nothing was changed, so nothing to discard
    EXPECT_TRUE(WaitUntil([&page] { return !page.Running(); }, std::chrono::seconds(2)));
    ProcessEvents();
    // The abandoned run left the yields as they were.
    ASSERT_EQ(page.Options().size(), 400u);
    EXPECT_EQ(page.Options().back().yield, -1.0);
}

}  // namespace
