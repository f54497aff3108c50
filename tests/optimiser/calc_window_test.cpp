// The calculation window offscreen: captions, the order list, the what-if
// panel, the option pages and their pictures.
#include "vorplan/optimiser/ui/calc_window.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QPlainTextEdit>
#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "platform/fake_sound.h"
#include "platform/qt_text.h"
#include "tests/support/ui_fixture.h"
#include "vorplan/common/calc_lists.h"
#include "vorplan/common/data_folders.h"
#include "vorplan/common/drawing_geometry.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/list_helpers.h"
#include "vorplan/common/main_window_geometry.h"
#include "vorplan/common/ui/drawing_helpers.h"
#include "vorplan/common/text_file.h"
#include "vorplan/optimiser/calc_driver.h"
#include "vorplan/optimiser/calc_settings.h"
#include "vorplan/optimiser/ui/calc_events_bridge.h"
#include "vorplan/optimiser/ui/option_pictures.h"
#include "vorplan/optimiser/ui/run_controller.h"
#include "vorplan/shell/main_window_hooks.h"

namespace {

namespace fs = std::filesystem;
using vor::TForm_otimi;
using vortest::ProcessEvents;
using vortest::WaitUntil;
using vortest::WriteBytes;

QString Q(const std::string& text)
{
    return platform::ToQString(text);
}

QString N(long slot)
{
    return Q(vor::Msg(slot));
}

std::string Crlf(const std::vector<std::string>& lines)
{
    std::string out;
    for (const std::string& line : lines)
        out += line + "\r\n";
    return out;
}

std::string Z5(long long n)
{
    std::string s = std::to_string(n);
    return std::string(s.size() < 5 ? 5 - s.size() : 0, '0') + s;
}

class RecordingMainWindow final : public vor::MainWindowHooks {
public:
    void ShowHelpText() override { ++helpCalls; }
    int helpCalls = 0;
};

class CalcWindowTest : public vortest::UiTest {
protected:
    void SetUp() override
    {
        m_saved = std::make_unique<vor::SharedGlobals>(vor::gShared);
        m_savedRequests = vor::gMainRequests;
        m_savedList = std::make_unique<vor::SharedListData>(vor::gListData);
        vor::gShared.orderList = vor::OrderList{};
        vor::gShared.calcLists = vor::CalcLists{};
        vor::gShared.materialTable = vor::MaterialTable{};
        vor::gShared.busy = false;
        vor::gShared.settings = vor::GeneralSettings();
        vor::gMainRequests = {};
        vor::gMainWindow = {};
        vor::gMainWindow.geometry.belowIconBarTop = 111;
        vor::SetMainWindowHooks(&m_main);
        UseNumberedTexts();
    }

    void TearDown() override
    {
        m_form.reset();
        ProcessEvents();
        vor::SetMainWindowHooks(nullptr);
        vor::gMainWindow = {};
        vor::gMainRequests = m_savedRequests;
        vor::gListData = *m_savedList;
        vor::gShared = *m_saved;
    }

    // Language 2 with every slot naming itself.
    void UseNumberedTexts()
    {
        vor::gShared.languageIndex = 2;
        vortest::WriteNumberedLanguageFile(vor::LanguageFile(vor::gShared.folders, 2));
        vor::LoadLanguage(vor::gShared.folders, 2, vor::gShared.messages, vor::gShared.iconCaptions);
    }

    // An order with one piece line per material code.
    void WriteOrder(long long n, const std::string& description, std::vector<int> materials = {1})
    {
        std::vector<std::string> lines;
        for (int code : materials)
            lines.push_back("1      1 2 100 100 " + std::to_string(code) + " Porta 0 ABCD");
        const fs::path ped = vor::gShared.folders.ped;
        WriteBytes(ped / ("PED" + Z5(n) + ".TAB"), Crlf(lines));
        WriteBytes(ped / ("DSC" + Z5(n) + ".INI"), Crlf({"[PED]", "STATUS=1", "CAMPO1=" + description}));
    }

    void WriteRecent(const std::vector<std::string>& orders)
    {
        WriteBytes(vor::RecentProjectsFile(vor::gShared.folders), Crlf(orders));
    }

    TForm_otimi& Form()
    {
        if (!m_form)
            m_form.reset(vor::CreateForm_otimi());
        return *m_form;
    }

    // Shows the window and waits for the order list.
    TForm_otimi& Open()
    {
        TForm_otimi& f = Form();
        f.show();
        f.activateWindow();
        EXPECT_TRUE(WaitUntil([&] { return f.PageControl1->currentWidget() == f.TabSheet1; }));
        return f;
    }

    static QWidget* Child(const QWidget& window, const char* name)
    {
        return window.findChild<QWidget*>(QLatin1String(name));
    }

    static QString CaptionOf(const QWidget& window, const char* name)
    {
        const QWidget* w = Child(window, name);
        if (!w)
            return QStringLiteral("<missing>");
        if (const auto* label = qobject_cast<const QLabel*>(w))
            return label->text();
        if (const auto* button = qobject_cast<const QAbstractButton*>(w))
            return button->text();
        if (const auto* group = qobject_cast<const QGroupBox*>(w))
            return group->title();
        return w->windowTitle();
    }

    static std::vector<long long> SelectedOrders(const QListWidget& list)
    {
        std::vector<long long> orders;
        for (int i = 0; i < list.count(); ++i) {
            if (list.item(i)->isSelected())
                orders.push_back(std::stoll(list.item(i)->text().section(QLatin1Char('~'), 0, 0).toStdString()));
        }
        return orders;
    }

    static void Key(QWidget& w, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(&w, &press);
    }

    // Material 1 on one sheet size and order 1 with `pieces` piece lines, so
    // that a Rápido run is short. `sheets` limits the stock.
    void WriteCalculableOrder(int pieces = 8, int sheets = 50)
    {
        const vor::DataFolders& folders = vor::gShared.folders;
        vor::WriteTextLines(vor::MaterialFile(folders, 1),
                            {"[PROP_FISIC]", "LARG_SERRA=4", "LARG_MIN_D=0", "GIRO=1"});
        vor::WriteTextLines(vor::SheetTableFile(folders, 1),
                            {"1 1 " + std::to_string(sheets) + " 2750 1830 Chapa"});
        WriteOrder(1, "Cozinha");
        std::vector<std::string> lines;
        for (int i = 0; i < pieces; ++i)
            lines.push_back("1 " + std::to_string(i + 1) + " " + std::to_string(1 + i % 3) + " " +
                            std::to_string(400 + 53 * i) + " " + std::to_string(250 + 37 * i) +
                            " 1 Peca 1");
        vor::WriteTextLines(vor::OrderTableFile(folders, 1, true), lines);
        WriteRecent({"1"});
        vor::ReadRecentProjects();
        vor::gShared.orderList.dirty = true;
        for (const char* wave : {vor::kEndSignalFileName, vor::kMusicFileName})
            WriteBytes(vor::gShared.folders.base / wave, "RIFF");
    }

    // Opens the window with the order selected and the given options.
    TForm_otimi& OpenForRun(bool showLayouts)
    {
        TForm_otimi& f = Open();
        f.RadioGroup1Buttons[0]->setChecked(true);  // Rápido
        f.CheckBox8->setChecked(showLayouts);
        f.RadioButton3->setChecked(true);  // "Sem som"
        EXPECT_TRUE(f.Button12->isEnabled());
        return f;
    }

    bool WaitForRunEnd(TForm_otimi& f)
    {
        return WaitUntil([&] { return !f.Run().IsRunning(); }, std::chrono::seconds(120));
    }

    RecordingMainWindow m_main;
    std::unique_ptr<TForm_otimi> m_form;

private:
    std::unique_ptr<vor::SharedGlobals> m_saved;
    vor::MainWindowRequests m_savedRequests;
    std::unique_ptr<vor::SharedListData> m_savedList;
};

TEST_F(CalcWindowTest, EveryCaptionComesFromItsMessage)
{
    ASSERT_EQ(N(155), QStringLiteral("msg 155"));
    TForm_otimi& f = Open();
    const QString sp = QStringLiteral(" ");
    struct Row {
        const char* control;
        QString caption;
    };
    const std::vector<Row> rows = {
        {"Panel84", N(41)}, {"GroupBox9", N(42)}, {"RadioButton16", N(43)},
        {"RadioButton17", N(44)}, {"Button12", N(45)}, {"Button9", N(193)},
        {"CheckBox8", QStringLiteral("msg 155 msg 156")},
        {"Panel55", N(993)},
        {"GroupBox24", QStringLiteral(" msg 257:  (msg 274) ")},
        {"RadioButton45", N(912) + sp + N(913)}, {"RadioButton48", N(912) + sp + N(913)},
        {"RadioButton46", N(102)}, {"RadioButton47", N(103)},
        {"GroupBox25", sp + N(488) + QStringLiteral("  (") + N(98) + QStringLiteral(") ")},
        {"RadioButton49", QStringLiteral("\"") + N(1000) + QStringLiteral("\"")},
        {"GroupBox26", sp + N(488) + QStringLiteral("  (") + N(274) + QStringLiteral(") ")},
        {"Panel77", N(911)}, {"Label2", QStringLiteral("(msg 274)")},
        {"GroupBox27", QStringLiteral("Materiais a serem calculados")},
        {"Label20", N(377)}, {"Panel10", N(376)}, {"Label9", N(646)},
        {"Panel2", N(144) + QStringLiteral(" :")}, {"Panel12", N(191) + QStringLiteral("  ")},
        {"Panel57", N(632)}, {"Panel60", N(592) + QStringLiteral(" :")},
        {"Panel61", N(593) + QStringLiteral(" :")}, {"Panel63", N(650) + QStringLiteral(" :")},
        {"Button15", N(659)}, {"BitBtn2", N(25)},
        {"Panel14", N(919)}, {"Panel17", N(143) + sp}, {"Panel18", N(142) + sp},
        {"Panel19", N(920)}, {"Panel21", N(920)}, {"Panel20", N(921)}, {"Panel104", N(921)},
        {"Panel105", N(922)}, {"Panel110", N(922)}, {"Button7", N(45)}, {"Button13", N(25)},
        {"Button6", N(25)}, {"Label1", N(924)}, {"Label26", N(925)},
        {"Panel107", N(926) + QStringLiteral(": ")}, {"Panel108", N(36) + QStringLiteral(": ")},
        {"Label27", N(927) + QStringLiteral(":")},
        {"Label12", N(647)}, {"Panel98", N(672)}, {"Panel92", N(673)}, {"Panel93", N(674)},
        {"Panel94", N(675)}, {"Panel96", N(676)}, {"Panel97", N(677)},
        {"TabSheet1", QStringLiteral("  ") + N(36)}, {"TabSheet14", N(193)},
        {"Panel13", N(638)}, {"Label42", N(634)}, {"Label43", N(635)}, {"Label44", N(636)},
        {"RadioGroup1", N(47)}, {"RadioGroup1Item0", N(48)}, {"RadioGroup1Item1", N(49)},
        {"RadioGroup1Item2", N(50)}, {"Panel6", N(750)},
        {"GroupBox8", N(97)}, {"CheckBox2", N(98)}, {"CheckBox4", N(99)}, {"RadioButton9", N(923)},
        {"Label8", QStringLiteral("( ") + N(932)}, {"Label13", N(933) + QStringLiteral(" )")},
        {"GroupBox12", N(631)}, {"Label41", N(396)}, {"GroupBox16", N(666)},
        {"RadioButton30", N(667)}, {"RadioButton31", N(668)}, {"RadioButton32", N(669)},
        {"GroupBox11", N(587)}, {"RadioButton4", N(588)}, {"RadioButton5", N(589)},
        {"RadioButton6", N(590)},
        {"GroupBox4", N(400)}, {"Panel35", N(384)}, {"Panel46", N(384)}, {"Label39", N(142)},
        {"Label38", N(143)},
        {"GroupBox10", N(401)}, {"Label47", N(212)}, {"Label48", N(274)},
        {"GroupBox2", N(395)}, {"RadioButton18", N(396)}, {"RadioButton19", N(397)},
        {"RadioButton20", N(398)}, {"RadioButton21", N(399)}, {"GroupBox18", N(717)},
        {"RadioButton36", N(718)}, {"RadioButton37", N(719)},
        {"GroupBox6", N(378)}, {"RadioButton10", N(379)}, {"RadioButton11", N(380)},
        {"RadioButton12", N(381)}, {"Label5", N(382)},
        {"GroupBox1", N(387)}, {"RadioButton1", N(379)}, {"RadioButton2", N(388)},
        {"RadioButton22", N(389)}, {"Label10", N(382)},
        {"GroupBox7", N(390)}, {"RadioButton13", N(391)}, {"RadioButton14", N(392)},
        {"RadioButton15", N(393)}, {"Label6", N(394)},
        {"GroupBox3", N(402)}, {"CheckBox6", N(403)}, {"Label24", N(404) + sp},
        {"Label31", N(405)}, {"Label32", N(406)}, {"Label7", N(407)}, {"Label30", N(408)},
        {"Label33", N(409)},
        {"GroupBox13", N(100)}, {"Label11", N(101)},
        {"Panel113", N(751)}, {"Label49", N(752)}, {"Label52", N(755)}, {"Label55", N(758)},
        {"GroupBox14", N(640)}, {"RadioButton3", N(653)}, {"GroupBox15", N(641)},
        {"RadioButton27", N(654)}, {"RadioButton28", N(655)}, {"Button11", N(642)},
        {"Button2", N(642)}, {"CheckBox10", N(780)}, {"Label14", N(287)}, {"Label18", N(288)},
        {"Label19", N(289)},
        {"GroupBox17", N(671)}, {"RadioButton34", N(678)}, {"RadioButton35", N(679)},
        {"GroupBox19", N(724)}, {"RadioButton38", N(725)}, {"RadioButton39", N(726)},
        {"GroupBox20", N(746)}, {"GroupBox21", N(747)}, {"RadioButton40", N(102)},
        {"RadioButton41", N(103)}, {"Label37", N(748)},
        {"GroupBox22", N(760)}, {"RadioButton42", N(103)}, {"RadioButton43", N(102)},
        {"Label56", N(762)}, {"Label57", N(763)}, {"Label59", N(815)}, {"Label63", N(142)},
        {"Label58", N(143)},
    };
    for (const Row& row : rows)
        EXPECT_EQ(CaptionOf(f, row.control), row.caption) << row.control;
    EXPECT_EQ(f.windowTitle(), N(39));

    // The option list: 17 items from their messages.
    ASSERT_EQ(f.ListBox3->count(), 17);
    EXPECT_EQ(f.ListBox3->item(0)->text(), N(47));
    EXPECT_EQ(f.ListBox3->item(2)->text(), N(732));
    EXPECT_EQ(f.ListBox3->item(16)->text(), N(282));
    // The red "*" ends the note's third line.
    EXPECT_EQ(f.Label45->x(),
              f.Label44->x() + f.Label44->fontMetrics().horizontalAdvance(f.Label44->text()));
}

TEST_F(CalcWindowTest, ActivationShowsTheWaitPageThenTheOrdersWithTheRecentProjectsSelected)
{
    for (int n = 1; n <= 5; ++n)
        WriteOrder(n, "Pedido " + std::to_string(n));
    WriteRecent({"2", "4"});
    vor::ReadRecentProjects();

    TForm_otimi& f = Form();
    f.show();
    // The fill waits for the wait page to paint.
    EXPECT_EQ(f.PageControl1->currentWidget(), f.TabSheet25);
    EXPECT_EQ(f.ListBox1->count(), 0);
    ASSERT_TRUE(WaitUntil([&] { return f.PageControl1->currentWidget() == f.TabSheet1; }));

    ASSERT_EQ(f.ListBox1->count(), 5);
    const vor::OrderRecord& first = vor::gShared.orderList.records[1];
    EXPECT_EQ(first.description.rfind("Pedido 1", 0), 0u);
    EXPECT_EQ(f.ListBox1->item(0)->text(), QStringLiteral("  1~") + Q(first.description) +
                                               QStringLiteral("~") + Q(first.date) +
                                               QStringLiteral("~msg 809"));
    EXPECT_EQ(SelectedOrders(*f.ListBox1), (std::vector<long long>{2, 4}));
    EXPECT_EQ(f.Panel85->text(), QStringLiteral("msg 643 :2 / 5"));
    EXPECT_TRUE(f.Panel101->isVisible());
    EXPECT_EQ(f.Panel101->height(), 27);
    EXPECT_FALSE(f.SpeedButton1->isEnabled());
    EXPECT_TRUE(f.SpeedButton2->isEnabled());
    EXPECT_TRUE(f.SelectionState().startEnabled);
    EXPECT_TRUE(f.Button12->isEnabled());
    EXPECT_EQ(vor::gListData.columns.count, 5);
    // Placed centred below the icon bar, the page control at the top.
    EXPECT_EQ(f.y(), 111);
    EXPECT_EQ(f.PageControl1->y(), 0);
    EXPECT_EQ(f.size(), QSize(785, 456));
}

TEST_F(CalcWindowTest, SixtyOneOrdersHideTheWhatIfPanel)
{
    for (int n = 1; n <= 61; ++n)
        WriteOrder(n, "P");
    TForm_otimi& f = Open();
    EXPECT_EQ(f.Panel85->text(), QStringLiteral("msg 643 :0 / 61"));
    EXPECT_FALSE(f.Panel101->isVisible());

    f.ListBox1->selectAll();
    EXPECT_EQ(f.Panel85->text(), QStringLiteral("msg 643 :61 / 61"));
    EXPECT_FALSE(f.SelectionState().startEnabled);
    EXPECT_FALSE(f.Panel101->isVisible());

    f.ListBox1->item(60)->setSelected(false);
    EXPECT_TRUE(f.SelectionState().startEnabled);
    EXPECT_TRUE(f.Panel101->isVisible());
}

TEST_F(CalcWindowTest, WhatIfPanelListsTheMaterialsOfTheSelectionAndMarksOverrides)
{
    WriteOrder(1, "A", {7, 5});
    WriteOrder(2, "B", {5, 9});
    WriteOrder(3, "C", {11});
    WriteRecent({"1", "2"});
    vor::ReadRecentProjects();
    TForm_otimi& f = Open();
    EXPECT_FALSE(f.WhatIfHighlighted());
    const QColor normal = f.Panel55->palette().color(QPalette::Window);

    f.SpeedButton2->click();
    EXPECT_EQ(f.Panel101->height(), 330);
    EXPECT_TRUE(f.SpeedButton1->isEnabled());
    EXPECT_FALSE(f.SpeedButton2->isEnabled());
    ASSERT_EQ(f.ListBox5->count(), 3);
    EXPECT_EQ(f.WhatIfList().codes, (std::vector<long long>{7, 5, 9}));

    // A click leaves a material out; it is drawn greyed.
    f.ListBox5Click(1);
    EXPECT_TRUE(f.WhatIfHighlighted());
    EXPECT_NE(f.Panel55->palette().color(QPalette::Window), normal);
    EXPECT_NE(f.ListBox5->item(1)->foreground().color(), f.ListBox5->item(0)->foreground().color());
    f.ListBox5Click(1);
    EXPECT_FALSE(f.WhatIfHighlighted());
    EXPECT_EQ(f.Panel55->palette().color(QPalette::Window), normal);

    // The multiplier and the choices.
    f.Edit28->setText(QStringLiteral("2"));
    EXPECT_TRUE(f.WhatIfHighlighted());
    f.Edit28->setText(QStringLiteral("1"));
    EXPECT_FALSE(f.WhatIfHighlighted());
    f.RadioButton46->click();
    EXPECT_TRUE(f.WhatIfHighlighted());
    f.RadioButton45->click();
    f.RadioButton49->click();
    EXPECT_TRUE(f.WhatIfHighlighted());
    f.RadioButton48->click();
    EXPECT_FALSE(f.WhatIfHighlighted());

    // A new selection refills the shown list, every material chosen again.
    f.ListBox5Click(0);
    f.ListBox1->item(2)->setSelected(true);
    EXPECT_EQ(f.WhatIfList().codes, (std::vector<long long>{7, 5, 9, 11}));
    EXPECT_FALSE(f.WhatIfHighlighted());

    // Collapsed, the list waits until it is needed.
    f.SpeedButton1->click();
    EXPECT_EQ(f.Panel101->height(), 27);
    f.ListBox1->item(0)->setSelected(false);
    EXPECT_FALSE(f.WhatIfList().current);
    EXPECT_EQ(f.CurrentWhatIfMaterials().codes, (std::vector<long long>{5, 9, 11}));

    // "?" explains the analysis in one box.
    messages().ClearShown();
    f.Button14->click();
    ASSERT_EQ(messages().Count(), 1u);
    EXPECT_EQ(messages().Last().text, vor::WhatIfExplanationText());
}

TEST_F(CalcWindowTest, RestingOnAnOptionShowsItsPageAndNoChoiceShowsD)
{
    TForm_otimi& f = Open();
    f.Button9->click();
    ASSERT_EQ(f.PageControl1->currentWidget(), f.TabSheet14);
    EXPECT_EQ(f.PageControl3->currentIndex(), vor::OptionPageIndex('D'));

    QWidget* viewport = f.ListBox3->viewport();
    const QPoint at = f.ListBox3->visualItemRect(f.ListBox3->item(2)).center();
    QMouseEvent move(QEvent::MouseMove, at, viewport->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
    EXPECT_EQ(f.PageControl3->currentIndex(), vor::OptionPageIndex('G'));
    EXPECT_EQ(CaptionOf(f, "GroupBox19"), N(724));

    f.Button10->click();
    EXPECT_EQ(f.PageControl1->currentWidget(), f.TabSheet1);
}

TEST_F(CalcWindowTest, SaveWritesTheDefaultsAndItsBoxDoesNotRefillTheOrders)
{
    WriteOrder(1, "A");
    TForm_otimi& f = Open();
    f.Button9->click();
    f.BitBtn3->click();
    EXPECT_EQ(vortest::ReadBytes(vor::CalcSettingsFile(vor::gShared.folders)),
              vortest::ReadBytes(fs::path(VOR_SOURCE_DIR) / "tests/optimiser/golden/confcalc_defaults.ini"));
    ASSERT_EQ(messages().Count(), 1u);
    EXPECT_EQ(messages().Last().text, vor::CalcSettingsSavedText());

    // A box of the window's own closing gives no activation: the page stays.
    {
        QMessageBox box(&f);
        box.setText(QStringLiteral("x"));
        box.show();
        box.activateWindow();
        ProcessEvents();
        box.close();
    }
    f.activateWindow();
    ProcessEvents();
    EXPECT_EQ(f.PageControl1->currentWidget(), f.TabSheet14);
}

TEST_F(CalcWindowTest, ExtraProductionKeyShowsNoCheckedAndTheEnableRulesFollowTheChoices)
{
    WriteBytes(vor::CalcSettingsFile(vor::gShared.folders),
               Crlf({"[DADOS_CONF_CALC]", "PRODUCAO_EXTRA_SIM=1", "PRODUCAO_EXTRA_NAO=0",
                     "TIPO_CALC=2", "USO_CHP_LIVRE=1"}));
    TForm_otimi& f = Form();
    EXPECT_TRUE(f.RadioButton42->isChecked());
    EXPECT_FALSE(f.Edit21->isEnabled());
    EXPECT_TRUE(f.RadioGroup1Buttons[2]->isChecked());

    f.RadioButton43->click();
    EXPECT_TRUE(f.Edit21->isEnabled());
    EXPECT_TRUE(f.Edit20->isEnabled());
    EXPECT_TRUE(f.Settings().extraProduction.IsChecked(vor::ExtraProduction::On));

    // Pages 8, 9 and A start at "Não" with their boxes disabled.
    for (QLineEdit* size : {f.edit5, f.Edit7, f.edit6})
        EXPECT_FALSE(size->isEnabled());
    f.RadioButton11->click();
    EXPECT_TRUE(f.edit5->isEnabled());
    f.RadioButton22->click();
    EXPECT_TRUE(f.Edit7->isEnabled());
    f.RadioButton14->click();
    EXPECT_TRUE(f.edit6->isEnabled());
    f.RadioButton13->click();
    EXPECT_FALSE(f.edit6->isEnabled());

    // "Fator" only without "Livre"; raw material by the mode.
    f.RadioButton8->click();
    EXPECT_FALSE(f.RadioButton31->isEnabled());
    f.RadioButton23->click();
    EXPECT_TRUE(f.RadioButton31->isEnabled());
    f.RadioButton9->click();
    EXPECT_FALSE(f.CheckBox2->isEnabled());
    f.RadioButton44->click();
    EXPECT_TRUE(f.CheckBox4->isEnabled());
}

TEST_F(CalcWindowTest, FunctionKeysLeaveTheirRequestAndCloseOnlyWhenIdle)
{
    struct Case {
        int key;
        Qt::KeyboardModifiers modifiers;
        int table;
        bool sheetTable;
        int view;
        bool overview;
    };
    const Case cases[] = {
        {Qt::Key_F2, Qt::NoModifier, 1, false, 0, false},
        {Qt::Key_F3, Qt::NoModifier, 0, true, 0, false},
        {Qt::Key_F12, Qt::NoModifier, 0, false, 1, false},
        {Qt::Key_F12, Qt::ControlModifier, 0, false, 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        for (bool busy : {true, false}) {
            vor::gMainRequests = {};
            TForm_otimi& f = Open();
            vor::gShared.busy = busy;
            Key(f, c.key, c.modifiers);
            ProcessEvents();
            if (busy) {
                EXPECT_TRUE(f.isVisible());
                EXPECT_EQ(vor::gMainRequests.tableRequest, 0);
                EXPECT_EQ(vor::gMainRequests.viewRequest, 0);
            } else {
                EXPECT_FALSE(f.isVisible());
                EXPECT_EQ(vor::gMainRequests.tableRequest, c.table);
                EXPECT_EQ(vor::gMainRequests.sheetTableRequest, c.sheetTable);
                EXPECT_EQ(vor::gMainRequests.viewRequest, c.view);
                EXPECT_EQ(vor::gMainRequests.showOverview, c.overview);
            }
            vor::gShared.busy = false;
            f.hide();
        }
    }
    TForm_otimi& f = Open();
    Key(f, Qt::Key_F1);
    EXPECT_EQ(m_main.helpCalls, 1);
}

TEST_F(CalcWindowTest, ActivationDuringARunShowsTheProgressAndKeepsTheComment)
{
    TForm_otimi& f = Open();
    f.Edit8->setText(QStringLiteral("lote 7"));
    f.Memo3->setPlainText(QStringLiteral("report"));
    f.hide();
    vor::gShared.busy = true;
    f.RadioGroup1->setEnabled(false);  // as a running calculation leaves it
    f.show();
    ProcessEvents();
    EXPECT_EQ(f.PageControl1->currentWidget(), f.TabSheet13);
    EXPECT_EQ(f.Edit8->text(), QStringLiteral("lote 7"));
    EXPECT_EQ(f.Memo3->toPlainText(), QStringLiteral("report"));
    vor::gShared.busy = false;
    f.RadioGroup1->setEnabled(true);
}

TEST_F(CalcWindowTest, CancelOfTheInitialBestSizePageGoesBackToTheOrdersAndTouchesNoFlag)
{
    TForm_otimi& f = Open();
    f.PageControl1->setCurrentWidget(f.TabSheet10);
    f.Button13->click();
    EXPECT_EQ(f.PageControl1->currentWidget(), f.TabSheet1);
    EXPECT_FALSE(vor::gShared.busy);
    EXPECT_TRUE(f.isVisible());
}

TEST_F(CalcWindowTest, ClosingReadsTheRecentProjectsAgain)
{
    TForm_otimi& f = Open();
    WriteRecent({"8", "3"});
    f.close();
    EXPECT_TRUE(f.Run().Flags().closing);
    EXPECT_TRUE(f.Run().Flags().ok);
    ASSERT_EQ(vor::gShared.calcLists.recent.count, 2);
    EXPECT_EQ(vor::gShared.calcLists.recent.orders[1], 8);
    EXPECT_EQ(vor::gShared.calcLists.recent.orders[2], 3);
}

// ---- The pictures ----------------------------------------------------------------------

bool IsRed(QRgb pixel)
{
    return qRed(pixel) > 200 && qGreen(pixel) < 80 && qBlue(pixel) < 80;
}

// The pixel of the dial's face at `degrees` clockwise from twelve o'clock.
QRgb DialPixel(const QImage& image, double degrees)
{
    const vor::ProgressDial dial = vor::ProgressDialGeometry(image.width(), image.height(), 0);
    const double r = dial.innerRadius * 0.6;
    const double a = degrees * M_PI / 180.0;
    return image.pixel(static_cast<int>(dial.centre.x + r * std::sin(a)),
                       static_cast<int>(dial.centre.y - r * std::cos(a)));
}

TEST_F(CalcWindowTest, DialFanFollowsTheCalculationType)
{
    TForm_otimi& f = Open();
    f.RadioGroup1Buttons[2]->click();
    QImage image = f.PaintBox10->grab().toImage();
    for (double a : {20.0, 135.0, 260.0})
        EXPECT_TRUE(IsRed(DialPixel(image, a))) << "Intensivo at " << a;
    EXPECT_FALSE(IsRed(DialPixel(image, 300.0)));

    f.RadioGroup1Buttons[0]->click();
    image = f.PaintBox10->grab().toImage();
    EXPECT_TRUE(IsRed(DialPixel(image, 15.0)));
    for (double a : {45.0, 135.0, 260.0})
        EXPECT_FALSE(IsRed(DialPixel(image, a))) << "Rápido at " << a;
}

QImage Sketch(bool complex, bool medium)
{
    QImage image(180, 180, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    vor::DrawCutComplexitySketch(painter, image.size(), complex, medium);
    return image;
}

// The colours found at the block centres of a sketch, in block order.
std::vector<QRgb> BlockShades(const QImage& image, bool complex, bool medium)
{
    std::vector<QRgb> shades;
    for (const vor::ShadedBlock& block :
         vor::CutComplexitySketchGeometry(image.width(), image.height(), complex, medium)) {
        const vor::Rect& r = block.rect;
        shades.push_back(image.pixel((r.left + r.right) / 2, (r.top + r.bottom) / 2) & 0xFFFFFF);
    }
    return shades;
}

TEST(OptionPictures, ComplexitySketchesHaveTheirBlocksAndShades)
{
    const std::vector<QRgb> easy = BlockShades(Sketch(false, false), false, false);
    ASSERT_EQ(easy.size(), 6u);
    EXPECT_EQ(std::set<QRgb>(easy.begin(), easy.end()).size(), 6u);

    const std::vector<QRgb> medium = BlockShades(Sketch(false, true), false, true);
    ASSERT_EQ(medium.size(), 9u);
    EXPECT_EQ(medium.front(), qRgb(50, 50, 140) & 0xFFFFFF);
    EXPECT_EQ(medium.back(), qRgb(130, 130, 220) & 0xFFFFFF);

    // "Médio" and "Complexo" differ only inside block 2 of either.
    const QImage m = Sketch(false, true);
    const QImage c = Sketch(true, true);  // "Complexo" wins over "Médio"
    const QRect second = vor::FillRectOf(vor::CutComplexitySketchGeometry(180, 180, false, true)[1].rect)
                             .united(vor::FillRectOf(vor::CutComplexitySketchGeometry(180, 180, true, false)[1].rect));
    int differing = 0;
    for (int y = 0; y < 180; ++y) {
        for (int x = 0; x < 180; ++x) {
            if (m.pixel(x, y) != c.pixel(x, y)) {
                ++differing;
                EXPECT_TRUE(second.contains(x, y)) << x << "," << y;
            }
        }
    }
    EXPECT_GT(differing, 0);
    EXPECT_EQ(Sketch(true, false), c);
}

QImage Texture(QSize size, unsigned seed)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    std::mt19937 generator(seed);
    vor::DrawSheetTexture(painter, size, [&generator](int range) {
        return std::uniform_int_distribution<int>(0, range - 1)(generator);
    });
    return image;
}

TEST(OptionPictures, TexturesShareTheirGridAndDifferInShades)
{
    const QImage a = Texture(QSize(133, 169), 1);
    const QImage b = Texture(QSize(133, 169), 2);
    int shadesDiffer = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const bool lineA = (a.pixel(x, y) & 0xFFFFFF) == 0;
            const bool lineB = (b.pixel(x, y) & 0xFFFFFF) == 0;
            ASSERT_EQ(lineA, lineB) << x << "," << y;
            if (!lineA && a.pixel(x, y) != b.pixel(x, y))
                ++shadesDiffer;
        }
    }
    EXPECT_GT(shadesDiffer, 0);
    // Each shade is one of the texture's greyish blues.
    const QRgb inside = a.pixel(5, 5);
    EXPECT_EQ(qBlue(inside), qRed(inside) + 90);
    EXPECT_EQ(qRed(inside), qGreen(inside));

    // A box of 2 x 1 pixels draws.
    const QImage tiny = Texture(QSize(2, 1), 3);
    EXPECT_NE(tiny.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_NE(tiny.pixel(1, 0), qRgb(255, 255, 255));
}

// ---- Screenshots with the shipped texts -----------------------------------------------------------

TEST_F(CalcWindowTest, EveryPageScreenshotWithShippedTexts)
{
    for (int language = 1; language <= 5; ++language) {
        SCOPED_TRACE(language);
        const vor::DataFolders installed = vor::MakeDataFolders(fs::path(VOR_BINARY_DIR) / "vorlane");
        ASSERT_TRUE(fs::exists(vor::LanguageFile(installed, language)));
        vor::gShared.languageIndex = language;
        vor::LoadLanguage(installed, language, vor::gShared.messages, vor::gShared.iconCaptions);
        for (int n = 1; n <= 4; ++n)
            WriteOrder(n, n == 2 ? std::string(50, 'W') : "Mesa de jantar " + std::to_string(n), {n, 7});
        WriteRecent({"1", "2"});
        vor::ReadRecentProjects();
        vor::gShared.orderList.dirty = true;

        m_form.reset();
        TForm_otimi& f = Open();
        const QString suffix = QStringLiteral("_%1.png").arg(language);
        auto save = [&](const QString& name) {
            ProcessEvents();
            // Pictures, values a run fills and the buttons beside the sequence squares.
            static const std::set<QString> noText = {
                QStringLiteral("Image2"),        QStringLiteral("SpeedButton1"),
                QStringLiteral("SpeedButton2"),  QStringLiteral("RadioButton8"),
                QStringLiteral("RadioButton23"), QStringLiteral("RadioButton24"),
                QStringLiteral("Panel3"),        QStringLiteral("Panel4"),
                QStringLiteral("Label25"),       QStringLiteral("Label28"),
                QStringLiteral("BestCandidateLabel"),
            };
            std::vector<QString> empty;
            for (const QString& control : vortest::ControlsWithoutText(f)) {
                if (!noText.count(control))
                    empty.push_back(control);
            }
            EXPECT_TRUE(empty.empty()) << name.toStdString() << ": " << vortest::JoinNames(empty);
            EXPECT_TRUE(f.grab().save(QStringLiteral(VOR_TEST_OUTPUT_DIR "/calc_window_") + name + suffix));
        };
        save(QStringLiteral("orders"));
        f.SpeedButton2->click();
        f.ListBox5Click(0);
        save(QStringLiteral("orders_what_if"));
        f.SpeedButton1->click();

        const std::pair<QWidget*, const char*> pages[] = {
            {f.TabSheet5, "report"}, {f.TabSheet13, "progress"}, {f.TabSheet26, "end_flags"},
            {f.TabSheet25, "wait"},
        };
        f.Panel11->setVisible(true);  // as the end of a run shows it
        for (const auto& [page, name] : pages) {
            f.PageControl1->setCurrentWidget(page);
            save(QLatin1String(name));
        }
        f.PageControl1->setCurrentWidget(f.TabSheet10);
        for (int sub = 0; sub < 2; ++sub) {
            f.PageControl2->setCurrentIndex(sub);
            save(QStringLiteral("best_size_%1").arg(sub));
        }
        f.PageControl1->setCurrentWidget(f.TabSheet14);
        f.PageControl3->setCurrentIndex(vor::OptionPageIndex('D'));
        save(QStringLiteral("option_D"));
        for (int item = 0; item < vor::kOptionItemCount; ++item) {
            f.ListBox3->setCurrentRow(item);
            save(QStringLiteral("option_") + QChar::fromLatin1(vor::OptionPageOfItem(item)));
        }
        f.PageControl1->setCurrentWidget(f.TabSheet1);
    }
}


// ---- Running a calculation -------------------------------------------------------

TEST_F(CalcWindowTest, IniciarRunsTheOrderWhileTheWindowStaysResponsiveAndWaitsForOk)
{
    WriteCalculableOrder();
    TForm_otimi& f = OpenForRun(false);
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(1);

    f.Button12->click();
    EXPECT_TRUE(vor::gShared.busy);
    EXPECT_FALSE(f.RadioGroup1->isEnabled());
    EXPECT_EQ(f.PageControl1->currentWidget(), f.TabSheet13);
    EXPECT_TRUE(f.Run().IsRunning());
    // A second start, by the button or the list, starts nothing over the run.
    f.Button12->click();
    f.ListBox1DblClick();

    ASSERT_TRUE(WaitUntil([&] { return f.Panel11->isVisible(); }, std::chrono::seconds(120)));
    ProcessEvents();
    EXPECT_EQ(f.PageControl1->currentWidget(), f.TabSheet5);
    EXPECT_GT(ticks, 0);
    EXPECT_FALSE(f.Memo3->toPlainText().isEmpty());
    EXPECT_TRUE(f.Memo3->toPlainText().contains(QStringLiteral("Pedidos : 1")));
    EXPECT_FALSE(f.Panel3->text().isEmpty());
    EXPECT_TRUE(fs::exists(vor::LayoutFile(vor::gShared.folders, 1, 1)));
    // The run writes its records right after it shows the end page.
    EXPECT_TRUE(WaitUntil([] { return fs::exists(vor::CalcDataFile(vor::gShared.folders)); }));
    EXPECT_TRUE(f.grab().save(QStringLiteral(VOR_TEST_OUTPUT_DIR "/calc_window_run_report.png")));
    // The yield pie beside the end panel, and the figure that moved with the progress.
    const auto hasColour = [](const QImage& image, QColor colour) {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixelColor(x, y) == colour)
                    return true;
        return false;
    };
    EXPECT_TRUE(hasColour(f.PaintBox17->grab().toImage(), QColor(0, 255, 0)));
    const QImage figure = f.PaintBox2->grab().toImage();
    EXPECT_NE(figure.pixelColor(0, 0), figure.pixelColor(figure.width() / 2, figure.height() / 2));

    // The run waits for "Ok" on the report page.
    ProcessEvents();
    EXPECT_TRUE(f.Run().IsRunning());
    EXPECT_EQ(vor::gMainRequests.viewRequest, 0);
    f.Button1->click();
    ASSERT_TRUE(WaitForRunEnd(f));
    EXPECT_FALSE(vor::gShared.busy);
    EXPECT_TRUE(f.RadioGroup1->isEnabled());
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(f.PageControl1->currentWidget(), f.TabSheet5);
}

TEST_F(CalcWindowTest, ShowLayoutsOpensTheViewOnlyForAFinishedRun)
{
    struct Case {
        int sheets;
        bool viewed;
    };
    for (const Case c : {Case{50, true}, Case{1, false}}) {
        SCOPED_TRACE(c.sheets);
        m_form.reset();
        vor::gMainRequests = {};
        WriteCalculableOrder(30, c.sheets);
        TForm_otimi& f = OpenForRun(true);
        f.Button12->click();
        ASSERT_TRUE(WaitUntil([&] { return f.Panel11->isVisible() || !f.Run().IsRunning(); },
                              std::chrono::seconds(120)));
        if (c.viewed) {
            ASSERT_TRUE(WaitForRunEnd(f));
            EXPECT_EQ(vor::gMainRequests.viewRequest, 1);
            EXPECT_FALSE(f.isVisible());
        } else {
            // Too little stock: the report waits for "Ok".
            ProcessEvents();
            EXPECT_TRUE(f.Run().IsRunning());
            EXPECT_EQ(f.PageControl1->currentWidget(), f.TabSheet5);
            f.Button1->click();
            ASSERT_TRUE(WaitForRunEnd(f));
            EXPECT_EQ(vor::gMainRequests.viewRequest, 0);
            EXPECT_TRUE(f.isVisible());
        }
        EXPECT_FALSE(vor::gShared.busy);
    }
}

TEST_F(CalcWindowTest, RefusedStartsShowTheDriversMessageAndStartNothing)
{
    WriteCalculableOrder();
    struct Case {
        const char* multiplier;
        int orders;
    };
    for (const Case c : {Case{"0", 1}, Case{"101", 1}, Case{"1", 31}}) {
        SCOPED_TRACE(std::string(c.multiplier) + " " + std::to_string(c.orders));
        m_form.reset();
        for (int n = 2; n <= c.orders; ++n)
            WriteOrder(n, "Pedido " + std::to_string(n));
        vor::gShared.orderList.dirty = true;
        TForm_otimi& f = Open();
        f.ListBox1->selectAll();
        for (int row = c.orders; row < f.ListBox1->count(); ++row)
            f.ListBox1->item(row)->setSelected(false);
        f.Edit28->setText(QString::fromLatin1(c.multiplier));
        const std::size_t before = messages().Count();
        f.Button12->click();
        EXPECT_EQ(messages().Count(), before + 1);
        EXPECT_FALSE(f.Run().IsRunning());
        EXPECT_FALSE(vor::gShared.busy);
        EXPECT_EQ(f.PageControl1->currentWidget(), f.TabSheet1);
    }
    // 61 orders: the double click does nothing, not even a message.
    m_form.reset();
    for (int n = 32; n <= 61; ++n)
        WriteOrder(n, "Pedido " + std::to_string(n));
    vor::gShared.orderList.dirty = true;
    TForm_otimi& f = Open();
    f.ListBox1->selectAll();
    ASSERT_FALSE(f.Button12->isEnabled());
    const std::size_t before = messages().Count();
    f.ListBox1DblClick();
    EXPECT_EQ(messages().Count(), before);
    EXPECT_FALSE(f.Run().IsRunning());
}

TEST_F(CalcWindowTest, AbreviarAsksFirstAndYesEndsTheRunAfterItsTrialWithTheFinalRun)
{
    WriteCalculableOrder(12);
    TForm_otimi& f = OpenForRun(false);
    f.RadioGroup1Buttons[2]->setChecked(true);  // Intensivo: many trials
    f.Button12->click();
    ASSERT_TRUE(WaitUntil([&] { return f.Button15->isEnabled(); }, std::chrono::seconds(60)));
    EXPECT_TRUE(f.BitBtn2->isEnabled());
    ProcessEvents();
    EXPECT_TRUE(f.grab().save(QStringLiteral(VOR_TEST_OUTPUT_DIR "/calc_window_run_progress.png")));

    messages().Script({platform::Answer::No});
    f.Button15->click();
    EXPECT_TRUE(f.Button15->isEnabled());
    EXPECT_TRUE(f.BitBtn2->isEnabled());
    EXPECT_FALSE(f.Run().Flags().abbreviate.load());

    messages().Script({platform::Answer::Yes});
    f.BitBtn2->click();
    EXPECT_FALSE(f.Button15->isEnabled());
    EXPECT_FALSE(f.BitBtn2->isEnabled());
    ASSERT_TRUE(WaitUntil([&] { return f.Panel11->isVisible(); }, std::chrono::seconds(120)));
    EXPECT_TRUE(f.Memo3->toPlainText().contains(N(660)));
    EXPECT_TRUE(fs::exists(vor::LayoutFile(vor::gShared.folders, 1, 1)));
    f.Button1->click();
    ASSERT_TRUE(WaitForRunEnd(f));
}

TEST_F(CalcWindowTest, ClosingDuringARunLetsItFinishAndWriteItsFiles)
{
    WriteCalculableOrder(12);
    TForm_otimi& f = OpenForRun(true);
    f.RadioGroup1Buttons[2]->setChecked(true);
    f.Edit8->setText(QStringLiteral("lote 7"));
    const QSize size = f.size();
    const QPoint place = f.pos();
    f.Button12->click();
    ASSERT_TRUE(WaitUntil([&] { return !f.Memo3->toPlainText().isEmpty(); }, std::chrono::seconds(60)));

    // Activated again while it runs: the progress page, everything kept.
    f.hide();
    f.show();
    ProcessEvents();
    EXPECT_EQ(f.PageControl1->currentWidget(), f.TabSheet13);
    EXPECT_EQ(f.Edit8->text(), QStringLiteral("lote 7"));
    EXPECT_FALSE(f.Memo3->toPlainText().isEmpty());
    EXPECT_EQ(f.size(), size);
    EXPECT_EQ(f.pos(), place);

    f.close();
    EXPECT_FALSE(f.isVisible());
    EXPECT_TRUE(f.Run().IsRunning());
    EXPECT_TRUE(vor::gShared.busy);
    ASSERT_TRUE(WaitForRunEnd(f));
    EXPECT_FALSE(vor::gShared.busy);
    EXPECT_TRUE(fs::exists(vor::LayoutFile(vor::gShared.folders, 1, 1)));
    EXPECT_TRUE(fs::exists(vor::CalcDataFile(vor::gShared.folders)));
    EXPECT_EQ(vor::gMainRequests.viewRequest, 1);
}

TEST_F(CalcWindowTest, BestSheetSizeSearchShowsEachCandidateThenRunsTheBest)
{
    WriteCalculableOrder();
    TForm_otimi& f = OpenForRun(false);
    f.RadioButton9->setChecked(true);
    f.Button12->click();
    EXPECT_EQ(f.PageControl1->currentWidget(), f.TabSheet10);
    EXPECT_EQ(f.PageControl2->currentWidget(), f.TabSheet11);
    EXPECT_FALSE(vor::gShared.busy);
    EXPECT_FALSE(f.Run().IsRunning());

    // 2 x 2 candidates, in mm.
    f.Edit1->setText(QStringLiteral("1800"));
    f.Edit2->setText(QStringLiteral("1900"));
    f.Edit18->setText(QStringLiteral("100"));
    f.Edit3->setText(QStringLiteral("2700"));
    f.Edit4->setText(QStringLiteral("2800"));
    f.Edit22->setText(QStringLiteral("100"));
    f.Button7->click();
    EXPECT_TRUE(vor::gShared.busy);
    EXPECT_EQ(f.PageControl2->currentWidget(), f.TabSheet12);
    ASSERT_TRUE(WaitUntil([&] { return f.CandidatesShown() >= 1; }, std::chrono::seconds(60)));
    EXPECT_TRUE(f.grab().save(QStringLiteral(VOR_TEST_OUTPUT_DIR "/calc_window_run_best_size.png")));
    ASSERT_TRUE(WaitUntil([&] { return f.Panel11->isVisible(); }, std::chrono::seconds(120)));
    EXPECT_EQ(f.CandidatesShown(), 4);
    // "Fim" showed the best candidate, the last line of the list, for the closing run.
    EXPECT_EQ(f.BestCandidateLabel->text(), f.ListBox2->item(f.ListBox2->count() - 1)->text());
    EXPECT_EQ(f.Label28->text(), QStringLiteral("4 / 4"));
    EXPECT_GE(f.ListBox2->count(), 1);
    EXPECT_FALSE(f.Label25->text().isEmpty());
    f.Button1->click();
    ASSERT_TRUE(WaitForRunEnd(f));
    EXPECT_FALSE(vor::gShared.busy);
}


TEST_F(CalcWindowTest, EndSignalSoundsAsChosenAndStopsOnOk)
{
    using Call = platform::RecordingSound::Call;
    WriteCalculableOrder();
    struct Case {
        const char* name;
        QRadioButton* TForm_otimi::*signal;
        bool repeat;
        Call call;
        std::size_t count;  // after the signal has ended; 0: none at all
    };
    const Case cases[] = {
        {"Sem som", &TForm_otimi::RadioButton3, false, Call::Beep, 0},
        {"Beep", &TForm_otimi::RadioButton7, false, Call::Beep, 5},
        {"1", &TForm_otimi::RadioButton25, false, Call::SystemBeep, 6},
        {"2", &TForm_otimi::RadioButton26, false, Call::SystemBeep, 6},
        {"3", &TForm_otimi::RadioButton29, false, Call::SystemBeep, 6},
        {"3 Repete", &TForm_otimi::RadioButton29, true, Call::SystemBeep, 0},
        {"WAV", &TForm_otimi::RadioButton33, false, Call::PlayOnce, 1},
        {"WAV Repete", &TForm_otimi::RadioButton33, true, Call::PlayLoop, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TForm_otimi& f = OpenForRun(false);
        f.SetEndSignalTickInterval(1);
        (f.*c.signal)->setChecked(true);
        (c.repeat ? f.RadioButton28 : f.RadioButton27)->setChecked(true);
        f.Button12->click();
        // Better trials beep too: count from the end page on, which comes
        // before the signal.
        QObject::connect(f.Events(), &vor::QueuedCalcEvents::endPageShown, [&] { sound().Clear(); });
        ASSERT_TRUE(WaitUntil([&] { return f.Panel11->isVisible(); }, std::chrono::seconds(120)));
        if (c.repeat && c.call == Call::SystemBeep) {
            // Rounds of six go on until "Ok".
            ASSERT_TRUE(WaitUntil([&] { return sound().Count(Call::SystemBeep) > 12; }));
            f.Button1->click();
            ASSERT_TRUE(WaitForRunEnd(f));
            const std::size_t atOk = sound().Count(Call::SystemBeep);
            vortest::WaitUntil([] { return false; }, std::chrono::milliseconds(50));
            EXPECT_LE(sound().Count(Call::SystemBeep), atOk + 1);
        } else {
            if (c.count > 0) {
                EXPECT_TRUE(WaitUntil([&] { return sound().Count(c.call) >= c.count; }));
            }
            vortest::WaitUntil([] { return false; }, std::chrono::milliseconds(50));
            EXPECT_EQ(sound().Count(c.call), c.count);
            if (c.call == Call::PlayLoop) {
                EXPECT_EQ(sound().Events().back().file.filename(), "fim.wav");
                // Closing the window stops the looped wave.
                f.close();
                ASSERT_TRUE(WaitForRunEnd(f));
                EXPECT_EQ(sound().Events().back().call, Call::Stop);
                f.show();
            } else {
                f.Button1->click();
                ASSERT_TRUE(WaitForRunEnd(f));
            }
        }
        EXPECT_EQ(sound().Count(Call::PlayLoop), c.call == Call::PlayLoop ? 1u : 0u);
        m_form.reset();
    }
}

TEST_F(CalcWindowTest, ARepeatingSignalOfAWindowClosedDuringTheRunSoundsOneRound)
{
    using Call = platform::RecordingSound::Call;
    WriteCalculableOrder(12);
    TForm_otimi& f = OpenForRun(false);
    f.SetEndSignalTickInterval(1);
    f.RadioGroup1Buttons[2]->setChecked(true);
    f.RadioButton29->setChecked(true);
    f.RadioButton28->setChecked(true);
    sound().Clear();
    f.Button12->click();
    f.close();
    ASSERT_TRUE(WaitForRunEnd(f));
    ASSERT_TRUE(WaitUntil([&] { return sound().Count(Call::SystemBeep) >= 6; }));
    vortest::WaitUntil([] { return false; }, std::chrono::milliseconds(50));
    EXPECT_EQ(sound().Count(Call::SystemBeep), 6u);
}

TEST_F(CalcWindowTest, MusicLoopsDuringTheRunAndTheTestButtonsPlayOnce)
{
    using Call = platform::RecordingSound::Call;
    WriteCalculableOrder();
    TForm_otimi& f = OpenForRun(false);
    f.CheckBox10->setChecked(true);
    sound().Clear();
    f.Button12->click();
    ASSERT_TRUE(WaitUntil([&] { return f.Panel11->isVisible(); }, std::chrono::seconds(120)));
    ProcessEvents();
    // Better trials beep in between; the music starts first and stops once.
    ASSERT_EQ(sound().Count(Call::PlayLoop), 1u);
    ASSERT_EQ(sound().Count(Call::Stop), 1u);
    const auto& events = sound().Events();
    const auto loop = std::find_if(events.begin(), events.end(),
                                   [](const auto& e) { return e.call == Call::PlayLoop; });
    const auto stop = std::find_if(events.begin(), events.end(),
                                   [](const auto& e) { return e.call == Call::Stop; });
    EXPECT_EQ(loop->file.filename(), "musica.wav");
    EXPECT_LT(loop - events.begin(), stop - events.begin());
    f.Button1->click();
    ASSERT_TRUE(WaitForRunEnd(f));

    // The "Teste" buttons of page E.
    f.Timer1->setInterval(1);
    sound().Clear();
    f.RadioButton7->setChecked(true);
    f.Button11->click();
    EXPECT_EQ(sound().Count(Call::Beep), 5u);
    f.RadioButton25->setChecked(true);
    f.RadioButton28->setChecked(true);
    f.Button11->click();
    EXPECT_TRUE(WaitUntil([&] { return !f.Timer1->isActive(); }));
    EXPECT_EQ(sound().Count(Call::SystemBeep), 6u);
    f.RadioButton33->setChecked(true);
    f.Button11->click();
    f.Button2->click();
    ASSERT_EQ(sound().Count(Call::PlayOnce), 2u);
    EXPECT_EQ(sound().Events()[sound().Events().size() - 2].file.filename(), "fim.wav");
    EXPECT_EQ(sound().Events().back().file.filename(), "musica.wav");
}

TEST_F(CalcWindowTest, ActivationDuringTheEndWaitShowsTheOrdersAndANewRunStarts)
{
    using Call = platform::RecordingSound::Call;
    WriteCalculableOrder();
    TForm_otimi& f = OpenForRun(false);
    f.SetEndSignalTickInterval(1);
    f.RadioButton25->setChecked(true);
    f.RadioButton28->setChecked(true);
    f.Button12->click();
    ASSERT_TRUE(WaitUntil([&] { return f.Panel11->isVisible() && !vor::gShared.busy; },
                          std::chrono::seconds(120)));
    f.hide();
    f.show();
    EXPECT_TRUE(WaitUntil([&] { return f.PageControl1->currentWidget() == f.TabSheet1; }));
    ASSERT_TRUE(WaitForRunEnd(f));
    const std::size_t beeps = sound().Count(Call::SystemBeep);
    vortest::WaitUntil([] { return false; }, std::chrono::milliseconds(50));
    EXPECT_LE(sound().Count(Call::SystemBeep), beeps + 1);

    f.Button12->click();
    EXPECT_TRUE(f.Run().IsRunning());
    ASSERT_TRUE(WaitUntil([&] { return f.Panel11->isVisible(); }, std::chrono::seconds(120)));
    f.Button1->click();
    ASSERT_TRUE(WaitForRunEnd(f));
}

TEST_F(CalcWindowTest, LeavingTheProgramCutsTheRunShortAndWaitsForItsFiles)
{
    WriteCalculableOrder(12);
    TForm_otimi& f = OpenForRun(false);
    f.RadioGroup1Buttons[2]->setChecked(true);
    f.Button12->click();
    ASSERT_TRUE(WaitUntil([&] { return f.Button15->isEnabled(); }, std::chrono::seconds(60)));
    vor::EndCalculationForExit();
    EXPECT_FALSE(f.Run().IsRunning());
    EXPECT_FALSE(vor::gShared.busy);
    EXPECT_TRUE(f.Memo3->toPlainText().contains(N(660)));
    EXPECT_TRUE(fs::exists(vor::LayoutFile(vor::gShared.folders, 1, 1)));
    EXPECT_TRUE(fs::exists(vor::CalcDataFile(vor::gShared.folders)));
}

}  // namespace
