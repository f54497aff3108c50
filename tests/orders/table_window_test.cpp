#include "vorplan/orders/ui/table_window.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/fake_process_launcher.h"
#include "platform/qt_text.h"
#include "tests/support/ui_fixture.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/helper_programs.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/pick_list.h"
#include "vorplan/common/text_file.h"
#include "vorplan/orders/ui/piece_listing_action.h"
#include "vorplan/shell/main_window_hooks.h"
#include "vorplan/shell/pick_list_window.h"
#include "vorplan/shell/text_input_window.h"

namespace {

namespace fs = std::filesystem;
using platform::Answer;
using vortest::ProcessEvents;
using vortest::ReadBytes;
using vortest::WaitUntil;
using vortest::WriteBytes;
using Lines = std::vector<std::string>;

constexpr long long kOrder = 7;
constexpr long long kMaterial = 5;

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

// Runs `act` once `window()` shows, from inside the modal call that follows.
void WhenShown(std::function<QWidget*()> window, std::function<void()> act)
{
    QTimer::singleShot(0, [window, act] {
        if (WaitUntil([&] { return window() && window()->isVisible(); }))
            act();
    });
}

class TableWindowTest : public vortest::UiTest {
protected:
    void SetUp() override
    {
        m_saved = std::make_unique<vor::SharedGlobals>(vor::gShared);
        m_savedPick = std::make_unique<vor::PickListState>(vor::gPickList);
        vor::gShared.settings = vor::GeneralSettings();
        vor::gShared.settings.specialPerimeter = 1;
        vor::gShared.languageIndex = 1;
        vor::gShared.currentOrder = kOrder;
        vor::gShared.currentMaterial = kMaterial;
        vor::gMainWindow = {};
        vortest::WriteNumberedLanguageFile(base() / "LANG" / "PORT.PTC");
        vor::LoadLanguage(vor::gShared.folders, 1, vor::gShared.messages,
                          vor::gShared.iconCaptions);
        WriteBytes(vor::MaterialFile(vor::gShared.folders, kMaterial),
                   "[DESC]\r\nCAMPO1=Pinho 18mm\r\n");
        WriteBytes(PieceFile(), Crlf({"1      1      2    500    300      5 Porta 7 ABCD",
                                      "1      2      1    250    600      5 Lado_@1 7 ABCD",
                                      "0      3      4    100    100      5 Fundo_@3 7 ABCD"}));
    }

    void TearDown() override
    {
        delete vor::tabela;
        delete vor::Form7;
        delete vor::Form19;
        ProcessEvents();
        vor::gPickList = *m_savedPick;
        vor::gMainWindow = {};
        vor::gShared = *m_saved;
    }

    static fs::path PieceFile() { return vor::OrderTableFile(vor::gShared.folders, kOrder, true); }
    static fs::path DescriptionFile()
    {
        return vor::ProjectDescriptionFile(vor::gShared.folders, kOrder);
    }
    fs::path SettingsFile() const { return iniDir() / "VL_.INI"; }

    // Opens the editor as the main window does, without blocking.
    vor::Ttabela& Open(int kind)
    {
        vor::Ttabela* form = vor::CreateTabela();
        form->SetKind(kind);
        form->show();
        form->activateWindow();
        WaitUntil([form] { return form->isActiveWindow(); });
        ProcessEvents();
        return *form;
    }

    static QModelIndex Index(vor::Ttabela& form, long row, int column)
    {
        return form.StringGrid1->model()->index(static_cast<int>(row - 1), column);
    }

    static void Select(vor::Ttabela& form, long row, int column)
    {
        form.StringGrid1->setFocus();
        form.StringGrid1->setCurrentIndex(Index(form, row, column));
        ProcessEvents();
    }

    static void ClickCell(vor::Ttabela& form, long row, int column,
                          Qt::MouseButton button = Qt::LeftButton)
    {
        const QRect rect = form.StringGrid1->visualRect(Index(form, row, column));
        QTest::mouseClick(form.StringGrid1->viewport(), button, Qt::NoModifier, rect.center());
        ProcessEvents();
    }

    static void PressHeading(vor::Ttabela& form, int column, Qt::MouseButton button)
    {
        QHeaderView* heading = form.StringGrid1->horizontalHeader();
        const QPoint at(heading->sectionViewportPosition(column) + heading->sectionSize(column) / 2,
                        heading->height() / 2);
        QTest::mousePress(heading->viewport(), button, Qt::NoModifier, at);
        ProcessEvents();
    }

    // Types `text` into the current cell; the editor stays open.
    static QLineEdit* Type(vor::Ttabela& form, const QString& text)
    {
        form.StringGrid1->setFocus();
        QTest::keyClicks(form.StringGrid1, text.left(1));
        ProcessEvents();
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        if (editor && text.size() > 1)
            QTest::keyClicks(editor, text.mid(1));
        ProcessEvents();
        return editor;
    }

    // The grid's rendering, without the overlays.
    static QImage GridImage(vor::Ttabela& form)
    {
        for (QWidget* overlay : {static_cast<QWidget*>(form.Panel2), static_cast<QWidget*>(form.Panel5),
                                 static_cast<QWidget*>(form.Panel6), static_cast<QWidget*>(form.Panel8),
                                 static_cast<QWidget*>(form.Panel57)})
            overlay->hide();
        return form.StringGrid1->viewport()->grab().toImage();
    }

    static QRect CellRect(vor::Ttabela& form, long row, int column)
    {
        return form.StringGrid1->visualRect(Index(form, row, column));
    }

    // Text is smoothed at its edges: a pixel within a few steps of the colour counts.
    static bool HasColour(const QImage& image, const QRect& rect, const QColor& colour)
    {
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x) {
                if (!image.rect().contains(x, y))
                    continue;
                const QColor c = image.pixelColor(x, y);
                if (std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                        std::abs(c.blue() - colour.blue()) <= 24)
                    return true;
            }
        return false;
    }

    std::vector<std::string> ShownTexts() const
    {
        return const_cast<TableWindowTest*>(this)->messages().Texts();
    }

private:
    std::unique_ptr<vor::SharedGlobals> m_saved;
    std::unique_ptr<vor::PickListState> m_savedPick;
};

TEST_F(TableWindowTest, EnterNormalisesAndMovesRight)
{
    vor::Ttabela& form = Open(1);
    EXPECT_EQ(form.CurrentRow(), 1);
    EXPECT_EQ(form.CurrentColumn(), 2);
    Select(form, 2, 3);
    QLineEdit* editor = Type(form, Q("500,5"));
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Return);
    ProcessEvents();
    EXPECT_EQ(form.Grid().Cell(2, 3), "500.5");
    EXPECT_EQ(form.StringGrid1->model()->data(Index(form, 2, 3)).toString(), Q("500.5"));
    EXPECT_EQ(form.CurrentRow(), 2);
    EXPECT_EQ(form.CurrentColumn(), 4);
    EXPECT_EQ(form.StringGrid1->currentIndex(), Index(form, 2, 4));
    EXPECT_TRUE(form.Grid().Modified());
}

TEST_F(TableWindowTest, F2WhileEditingSavesTheTypedTextAndCloses)
{
    vor::Ttabela& form = Open(1);
    Select(form, 3, 6);
    QLineEdit* editor = Type(form, Q("Tampo"));
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_F2);
    ProcessEvents();
    EXPECT_FALSE(form.isVisible());
    EXPECT_NE(ReadBytes(PieceFile()).find(" Tampo 7 ABCD\r\n"), std::string::npos);
    EXPECT_TRUE(vor::gShared.orderList.dirty);
    // The description file is new, so it is written with the table.
    EXPECT_TRUE(fs::exists(DescriptionFile()));
}

TEST_F(TableWindowTest, CtrlSWithCodesOutOfOrderWritesNothing)
{
    WriteBytes(SettingsFile(), "[TABELA]\r\nCOD_AUTO=0\r\n");
    const std::string bytes = Crlf({"1      3      2    500    300      5 a 7 ABCD",
                                    "1      2      1    250    600      5 b 7 ABCD"});
    WriteBytes(PieceFile(), bytes);
    vor::Ttabela& form = Open(1);
    Select(form, 1, 2);
    QTest::keyClick(form.StringGrid1, Qt::Key_S, Qt::ControlModifier);
    ProcessEvents();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(ShownTexts(), (Lines{"msg 803" + std::string("1)")}));
    EXPECT_EQ(ReadBytes(PieceFile()), bytes);
    EXPECT_FALSE(fs::exists(DescriptionFile()));
}

TEST_F(TableWindowTest, ColumnOneCannotBeReachedWithAutomaticCodes)
{
    vor::Ttabela& form = Open(1);
    Select(form, 2, 2);
    QTest::keyClick(form.StringGrid1, Qt::Key_Left);
    ProcessEvents();
    EXPECT_EQ(form.CurrentColumn(), 2);
    const std::string code = form.Grid().Cell(2, 1);
    ClickCell(form, 2, 1);
    QTest::mouseDClick(form.StringGrid1->viewport(), Qt::LeftButton, Qt::NoModifier,
                       CellRect(form, 2, 1).center());
    ProcessEvents();
    EXPECT_EQ(form.CurrentColumn(), 2);
    EXPECT_EQ(form.StringGrid1->indexWidget(Index(form, 2, 1)), nullptr);
    EXPECT_EQ(form.Grid().Cell(2, 1), code);

    // A click on the mark toggles it.
    ClickCell(form, 3, 0);
    EXPECT_EQ(form.Grid().Cell(3, 0), "+");
}

TEST_F(TableWindowTest, FixedSizeSheetsShowTheirMessageOncePerAttempt)
{
    vor::gShared.currentMaterial = 40000;
    WriteBytes(vor::MaterialFile(vor::gShared.folders, 40000), "[DESC]\r\nCAMPO1=Vidro\r\n");
    WriteBytes(vor::SheetTableFile(vor::gShared.folders, 40000),
               Crlf({"1      1      2   2750   1850 Chapa ABCDEFG12345"}));
    vor::Ttabela& form = Open(2);
    EXPECT_EQ(form.windowTitle(), Q("msg 583  40000: Vidro"));
    const Lines once = {"msg 236\nmsg 237"};
    ClickCell(form, 1, 3);
    ProcessEvents();
    EXPECT_EQ(ShownTexts(), once);
    EXPECT_EQ(form.CurrentColumn(), 2);
    messages().ClearShown();
    Select(form, 1, 2);
    QTest::keyClick(form.StringGrid1, Qt::Key_Right);
    ProcessEvents();
    EXPECT_EQ(ShownTexts(), once);
    EXPECT_EQ(form.CurrentColumn(), 2);
    EXPECT_EQ(form.Grid().Cell(1, 3), "2750");
}

TEST_F(TableWindowTest, DialogsAndDeactivationKeepTheRowsAndTheWindow)
{
    vor::Ttabela& form = Open(1);
    Select(form, 1, 3);
    QLineEdit* editor = Type(form, Q("777"));
    QTest::keyClick(editor, Qt::Key_Return);
    ProcessEvents();
    ASSERT_EQ(form.Grid().Cell(1, 3), "777.0");

    // A message box of its own: "Apaga todas" answered No.
    messages().Script({Answer::No});
    form.ClearAll();
    ProcessEvents();
    // A pick list of its own, left with Cancel.
    vor::CreateForm7();
    Select(form, 1, 6);
    ASSERT_TRUE(form.Panel6->isVisible());
    WhenShown([] { return vor::Form7; }, [] { vor::Form7->Button2->click(); });
    form.Panel6->click();
    ProcessEvents();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.Grid().Cell(1, 3), "777.0");
    EXPECT_EQ(form.Grid().DataRowCount(), 3);

    // Another window of the program takes the activation.
    form.activateWindow();
    ASSERT_TRUE(WaitUntil([&] { return form.isActiveWindow(); }));
    ASSERT_TRUE(form.Panel6->isVisible());
    QWidget other;
    other.show();
    other.activateWindow();
    WaitUntil([&] { return other.isActiveWindow(); });
    ProcessEvents();
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(form.Panel6->isVisible());
    form.activateWindow();
    WaitUntil([&] { return form.isActiveWindow(); });
    form.show();
    ProcessEvents();
    EXPECT_EQ(form.Grid().Cell(1, 3), "777.0");
}

TEST_F(TableWindowTest, CloseBoxAndEscAskBeforeDroppingChanges)
{
    vor::Ttabela& form = Open(1);
    form.close();  // unchanged: closes at once
    ProcessEvents();
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(ShownTexts().empty());

    Open(1);
    form.InsertRow();
    messages().Script({Answer::No});
    form.close();
    ProcessEvents();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(ShownTexts(), (Lines{"msg 569"}));
    messages().Script({Answer::Yes});
    QTest::keyClick(form.StringGrid1, Qt::Key_Escape);
    ProcessEvents();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(ShownTexts().size(), 2u);
}

TEST_F(TableWindowTest, PickListsFillMaterialAndDescription)
{
    WriteBytes(vor::MaterialFile(vor::gShared.folders, 12), "[DESC]\r\nCAMPO1=MDF 15\r\n");
    WriteBytes(base() / "CFG" / "DESC_PEC.LST", Crlf({"Gaveta", "Prateleira"}));
    vor::CreateForm7();
    vor::Ttabela& form = Open(1);
    Select(form, 2, 5);
    WhenShown([] { return vor::Form7; }, [] {
        QListWidget* list = vor::Form7->ListBox1;
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->text().startsWith(QStringLiteral("12\\"))) {
                const QRect rect = list->visualItemRect(list->item(i));
                QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
            }
    });
    QTest::keyClick(form.StringGrid1, Qt::Key_Menu);
    ProcessEvents();
    EXPECT_EQ(form.Grid().Cell(2, 5), "12");

    Select(form, 2, 6);
    WhenShown([] { return vor::Form7; }, [] {
        vor::Form7->ComboBox1->setEditText(QStringLiteral("Prateleira"));
        vor::Form7->Button1->click();
    });
    form.Panel6->click();
    ProcessEvents();
    EXPECT_EQ(form.Grid().Cell(2, 6), "Prateleira");
    EXPECT_TRUE(form.Grid().Modified());
}

TEST_F(TableWindowTest, FieldTitleRetypedIsStoredOnClosing)
{
    vor::CreateForm19();
    vor::Ttabela& form = Open(1);
    form.PageControl1->setCurrentWidget(form.TabSheet2);
    ProcessEvents();
    WhenShown([] { return vor::Form19; }, [] {
        vor::Form19->Edit1->setText(QStringLiteral("Cliente"));
        vor::Form19->Button1->click();
    });
    QTest::mouseDClick(form.FieldTitles[1], Qt::LeftButton);
    ProcessEvents();
    EXPECT_EQ(form.FieldTitles[1]->text(), Q("Cliente"));
    form.Button13->click();
    ProcessEvents();
    ASSERT_FALSE(form.isVisible());
    const vor::IniFile ini(SettingsFile());
    EXPECT_EQ(ini.ReadString("PEDIDO", "CAMPO2", ""), "Cliente");
    EXPECT_EQ(ini.ReadString("TABELA", "COD_AUTO", ""), "1");
    EXPECT_EQ(ini.ReadString("PEDIDO", "CAMPO1", "x"), "");
}

TEST_F(TableWindowTest, BoardOptionOpensOnTheStripPageAndOkStillSaves)
{
    vor::gShared.settings.pcbOption = true;
    vor::Ttabela& form = Open(1);
    EXPECT_EQ(form.PageControl1->currentWidget(), form.TabSheet4);
    EXPECT_TRUE(form.CheckBox8->isVisible());
    EXPECT_TRUE(form.CheckBox8->isChecked());
    EXPECT_EQ(form.FieldTitles[0]->text(), Q("msg 324"));
    form.Button12->click();
    ProcessEvents();
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(fs::exists(DescriptionFile()));
    const vor::IniFile ini(SettingsFile());
    EXPECT_EQ(ini.ReadString("PEDIDO", "CAMPO1", ""), "msg 324");
    EXPECT_EQ(ini.ReadString("PEDIDO", "CAMPO6", ""), "msg 889");
    EXPECT_TRUE(ini.KeyExists("PEDIDO", "CAMPO8"));

    // Sheets show the grid alone.
    Open(2);
    EXPECT_FALSE(form.PageControl1->isTabVisible(form.PageControl1->indexOf(form.TabSheet2)));
    EXPECT_FALSE(form.PageControl1->isTabVisible(form.PageControl1->indexOf(form.TabSheet4)));
    EXPECT_EQ(form.PageControl1->currentWidget(), form.TabSheet1);
}

// The menu's "Imprime" and "Orçamento" list what the window shows, saved or
// not, and hand it to ostrel; failures are shown, never passed over.
TEST_F(TableWindowTest, PrintAndBudgetOpenTheListingOfWhatIsShownInOstrel)
{
    platform::FakeProcessLauncher launcher;
    const platform::ScopedLauncher installed(launcher);
    vor::InstallPieceListingHooks();
    struct Uninstall {
        ~Uninstall() { vor::TableEditorExtensions() = {}; }
    } uninstall;
    const fs::path report = vor::gShared.folders.tmp / "mont_inf.txt";
    fs::create_directories(report.parent_path());

    vor::Ttabela& form = Open(1);
    form.Edit14->setText(Q("Cozinha nova"));
    QTest::keyClicks(form.Edit14, Q("!"));
    form.Check_perimetro->setChecked(true);
    form.Check_area_arred->setChecked(false);
    auto action = [&form](const char* text) {
        for (QAction* a : form.PopupMenu1->actions())
            if (a->text() == Q(text))
                return a;
        return static_cast<QAction*>(nullptr);
    };

    action("Imprime")->trigger();
    ProcessEvents();
    std::optional<Lines> lines = vor::ReadTextLines(report);
    ASSERT_TRUE(lines);
    ASSERT_GE(lines->size(), 3u);
    EXPECT_EQ((*lines)[0], "@*** msg 579 7");
    EXPECT_EQ((*lines)[2], "@* msg 580 Cozinha nova!");
    auto has = [&lines](const std::string& line) {
        return std::find(lines->begin(), lines->end(), line) != lines->end();
    };
    EXPECT_TRUE(has("@* msg 97 (5) Pinho 18mm"));
    EXPECT_TRUE(has(" 1 2 500 300 0.30 Porta"));
    EXPECT_TRUE(has(" 2 1 250 600 0.15 Lado_@1"));
    EXPECT_TRUE(has("msg 576: 4.90 m"));
    ASSERT_EQ(launcher.Started().size(), 1u);
    EXPECT_EQ(launcher.Started()[0].program, base() / "ostrel");
    EXPECT_EQ(launcher.Started()[0].arguments,
              std::vector<std::string>{vor::ReportViewerArgument(vor::gShared.folders, report)});

    action("Orçamento")->trigger();
    ProcessEvents();
    lines = vor::ReadTextLines(report);
    ASSERT_TRUE(lines);
    EXPECT_EQ(lines->front(), "@*** msg 578 7");
    EXPECT_TRUE(has("Preço total: R$ 0,00"));
    EXPECT_EQ(launcher.Started().size(), 2u);
    EXPECT_TRUE(ShownTexts().empty());

    // ostrel missing: the starter says so.
    launcher.SetFailStarts(true);
    action("Imprime")->trigger();
    ProcessEvents();
    const std::string ostrel = (base() / "ostrel").string();
    EXPECT_EQ(ShownTexts(), Lines{"msg 799 [" + ostrel + "] msg 800"});

    // A report that cannot be written is shown, and ostrel is not started.
    fs::remove_all(report.parent_path());
    WriteBytes(report.parent_path(), "a file where the folder should be");
    launcher.SetFailStarts(false);
    launcher.ClearCalls();
    action("Orçamento")->trigger();
    ProcessEvents();
    EXPECT_TRUE(launcher.Started().empty());
    EXPECT_EQ(ShownTexts().size(), 2u);
    EXPECT_TRUE(form.isVisible());
}

TEST_F(TableWindowTest, HeadingClicksSwapSizesAndOpenTheAddValuePanel)
{
    vor::Ttabela& form = Open(1);
    messages().Script({Answer::Yes});
    PressHeading(form, 3, Qt::LeftButton);
    EXPECT_EQ(ShownTexts(), (Lines{vor::Msg(978) + "\nmsg 561", "Ok"}));
    EXPECT_EQ(form.Grid().Cell(1, 3), "300");
    EXPECT_EQ(form.Grid().Cell(1, 4), "500");

    PressHeading(form, 4, Qt::RightButton);
    ASSERT_TRUE(form.Panel26->isVisible());
    EXPECT_EQ(form.Label26->text(), Q("msg 143"));
    form.Edit37->setText(Q("-2,5"));
    form.Button26->click();
    ProcessEvents();
    EXPECT_FALSE(form.Panel26->isVisible());
    EXPECT_EQ(form.Grid().Cell(1, 4), "497.5");
    EXPECT_EQ(form.Grid().Cell(1, 3), "300");
}

TEST_F(TableWindowTest, TooLongFileIsShownAndNeverSaved)
{
    Lines lines;
    for (int i = 1; i <= 1200; ++i)
        lines.push_back("1 " + std::to_string(i) + " 1 100 100 p 7 ABCD");
    WriteBytes(PieceFile(), Crlf(lines));
    vor::Ttabela& form = Open(1);
    ProcessEvents();
    EXPECT_EQ(form.Grid().DataRowCount(), 1099);
    EXPECT_EQ(ShownTexts(), (Lines{"msg 88 1200\nmsg 89 1099"}));
    form.Button12->click();
    ProcessEvents();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(ReadBytes(PieceFile()), Crlf(lines));
    form.Button13->click();
    ProcessEvents();
    EXPECT_FALSE(form.isVisible());
}

// ---- Pixels -------------------------------------------------------------------------------

TEST_F(TableWindowTest, GridColoursAndRangeMark)
{
    vor::Ttabela& form = Open(1);
    form.StringGrid1->setFocus();
    // A range mark on row 2, by the grid's own menu.
    ClickCell(form, 2, 2, Qt::RightButton);
    form.MarkRangeStart();
    ProcessEvents();
    QImage image = GridImage(form);
    const QRect odd = CellRect(form, 1, 2);
    const QRect even = CellRect(form, 2, 2);
    EXPECT_EQ(image.pixelColor(odd.right() - 3, odd.bottom() - 2), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(even.right() - 3, even.bottom() - 2), QColor(240, 240, 255));
    EXPECT_EQ(image.pixelColor(CellRect(form, 1, 1).right() - 2, odd.bottom() - 2),
              QColor(192, 192, 192));
    EXPECT_TRUE(HasColour(image, CellRect(form, 2, 0), QColor(0, 255, 0)));
    EXPECT_FALSE(HasColour(image, CellRect(form, 1, 0), QColor(0, 255, 0)));

    const QImage heading = form.StringGrid1->horizontalHeader()->grab().toImage();
    EXPECT_EQ(heading.pixelColor(form.StringGrid1->columnViewportPosition(3) + 3, 3),
              QColor(192, 192, 192));

    form.CheckBox3->setChecked(true);  // "Fundo preto"
    ProcessEvents();
    image = GridImage(form);
    EXPECT_EQ(image.pixelColor(odd.right() - 3, odd.bottom() - 2), QColor(Qt::black));
    EXPECT_TRUE(HasColour(image, CellRect(form, 1, 2), QColor(0, 255, 255)));
    EXPECT_TRUE(HasColour(image, CellRect(form, 2, 2), QColor(255, 255, 0)));
}

TEST_F(TableWindowTest, SketchOfTheMarkedSides)
{
    WriteBytes(PieceFile(), Crlf({"1      1      2    500    300      5 Fundo_@3 7 ABCD",
                                  "1      2      1    500    300      5 Lado_@1 7 ABCD",
                                  "1      3      1    500    300      5 Porta 7 ABCD"}));
    vor::Ttabela& form = Open(1);
    const QImage image = GridImage(form);
    auto sketch = [&](long row) {
        const QRect cell = CellRect(form, row, 6);
        return QRect(cell.right() - 14 - 2, cell.top() + 3, 14, std::max(6, cell.height() - 7));
    };
    const QColor red(Qt::red);
    auto redAt = [&](int x, int y) { return image.pixelColor(x, y) == red; };
    const QRect all = sketch(1);
    const int midX = all.center().x();
    const int midY = all.center().y();
    EXPECT_TRUE(redAt(midX, all.top()));
    EXPECT_TRUE(redAt(midX, all.bottom()));
    EXPECT_TRUE(redAt(all.left(), midY));
    EXPECT_TRUE(redAt(all.right(), midY));

    const QRect one = sketch(2);
    EXPECT_TRUE(redAt(one.left(), one.center().y()));
    EXPECT_TRUE(redAt(one.right(), one.center().y()));
    EXPECT_FALSE(redAt(one.center().x(), one.top()));
    EXPECT_FALSE(redAt(one.center().x(), one.bottom()));

    EXPECT_FALSE(HasColour(image, sketch(3), red));
    form.Button13->click();
    ProcessEvents();

    // No sketch without a code, or with the special perimeter off.
    WriteBytes(PieceFile(), Crlf({"1      1      2    500    300      5 Fundo_@3 7 ABCD"}));
    vor::gShared.settings.specialPerimeter = 0;
    Open(1);
    EXPECT_FALSE(HasColour(GridImage(form), sketch(1), red));
    form.Button13->click();
    ProcessEvents();
    vor::gShared.settings.specialPerimeter = 1;
    Open(1);
    form.StringGrid1->model()->setData(Index(form, 1, 1), QStringLiteral(""));
    EXPECT_FALSE(HasColour(GridImage(form), sketch(1), red));
}

TEST_F(TableWindowTest, IndicatorBlinksOnTimerTicks)
{
    vor::Ttabela& form = Open(1);
    ASSERT_TRUE(form.Panel5->isVisible());
    form.TimerTick();
    const QColor first = form.Panel5->grab().toImage().pixelColor(3, 3);
    form.TimerTick();
    const QColor second = form.Panel5->grab().toImage().pixelColor(3, 3);
    form.TimerTick();
    const QColor third = form.Panel5->grab().toImage().pixelColor(3, 3);
    EXPECT_EQ(first, QColor(255, 255, 0));
    EXPECT_EQ(second, QColor(0, 255, 255));
    EXPECT_EQ(third, first);
    // The hint goes after three ticks.
    EXPECT_FALSE(form.Panel8->isVisible());
}

// ---- Every control with a text, and pictures -------------------------------------------------

TEST_F(TableWindowTest, ShippedLanguagesGiveEveryControlATextScreenshots)
{
    WriteBytes(DescriptionFile(), Crlf({"[PED]", "CRIACAO=02/01/24  08:00:00",
                                        "ULT_MODIF=03/01/24  09:30:00", "STATUS=1",
                                        "CAMPO1=Cozinha planejada", "CAMPO2=Ana Souza"}));
    WriteBytes(vor::SheetTableFile(vor::gShared.folders, kMaterial),
               Crlf({"1      1     10   2750   1850 MDF_18mm ABCDEFG12345",
                     "0      2      3   1830   2750 Sobra ABCDEFG12345"}));
    const vor::DataFolders shipped = vor::MakeDataFolders(fs::path(VOR_BINARY_DIR) / "vorlane");
    for (int language = 1; language <= 5; ++language) {
        fs::copy_file(vor::LanguageFile(shipped, language),
                      vor::LanguageFile(vor::gShared.folders, language),
                      fs::copy_options::overwrite_existing);
        vor::gShared.languageIndex = language;
        vor::LoadLanguage(vor::gShared.folders, language, vor::gShared.messages,
                          vor::gShared.iconCaptions);
        vor::gShared.settings.pcbOption = language == 1;
        for (int kind = 1; kind <= 2; ++kind) {
            vor::Ttabela& form = Open(kind);
            form.PageControl1->setCurrentWidget(form.TabSheet1);
            Select(form, 2, kind == 1 ? 6 : 3);
            std::vector<QString> missing = vortest::ControlsWithoutText(form);
            // Free field titles are empty until the user names them.
            std::erase_if(missing, [&form](const QString& name) {
                return std::any_of(form.FieldTitles.begin(), form.FieldTitles.end(),
                                   [&name](const QLabel* title) { return title->objectName() == name; });
            });
            EXPECT_TRUE(missing.empty()) << "language " << language << " kind " << kind
                                         << ": " << vortest::JoinNames(missing);
            EXPECT_FALSE(form.windowTitle().isEmpty());
            EXPECT_TRUE(form.grab().save(
                QStringLiteral(VOR_TEST_OUTPUT_DIR "/table_window_%1_kind%2.png")
                    .arg(language)
                    .arg(kind)));
            if (kind == 1) {
                form.PageControl1->setCurrentWidget(form.TabSheet2);
                ProcessEvents();
                EXPECT_TRUE(form.grab().save(
                    QStringLiteral(VOR_TEST_OUTPUT_DIR "/table_window_%1_identification.png")
                        .arg(language)));
                form.PageControl1->setCurrentWidget(form.TabSheet1);
                form.Button11->click();
                form.OpenAddValue(3);
                ProcessEvents();
                EXPECT_TRUE(form.grab().save(
                    QStringLiteral(VOR_TEST_OUTPUT_DIR "/table_window_%1_panels.png")
                        .arg(language)));
            }
            form.Button13->click();
            ProcessEvents();
            ASSERT_FALSE(form.isVisible());
        }
    }
}

}  // namespace
