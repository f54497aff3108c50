// The layout viewer window on the offscreen platform, over layout files of a
// test installation.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGuiApplication>
#include <QTabWidget>
#include <QLabel>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <cctype>
#include <string>
#include <vector>

#include "platform/fake_clipboard.h"
#include "platform/fake_clock.h"
#include "platform/fake_process_launcher.h"

#include "tests/layoutview/layoutview_support.h"
#include "tests/support/ui_fixture.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/main_window_geometry.h"
#include "vorplan/common/small_helpers.h"
#include "vorplan/common/text_file.h"
#include "vorplan/common/helper_programs.h"
#include "vorplan/common/rtf/rtf_writer.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/ui/drawing_helpers.h"
#include "vorplan/layoutview/layout_colours.h"
#include "vorplan/layoutview/overview.h"
#include "vorplan/layoutview/ui/layout_export.h"
#include "vorplan/layoutview/ui/viewer_window.h"

namespace {

namespace fs = std::filesystem;

constexpr long long kMaterial = 7;

std::vector<std::string> LayoutLines(int pieces)
{
    std::vector<std::string> lines = {
        "; Arquivo de distribuição ( Modificado )", "", ";Tipo  Cód.     X     Y     L     H ", "",
        "    0     3     0     0   20000   12000 Chapa 0",
        "    5     0   100   200       0       0 Borda 0"};
    for (int i = 0; i < pieces; ++i)
        lines.push_back("    1   10" + std::to_string(i) + "  " + std::to_string(i * 5000) +
                        "     0    4960    6000 Porta_" + std::to_string(i) + " 1");
    lines.push_back("    2     0     0  6040   19900    5760 Retalho 0");
    return lines;
}

class ViewerWindowTest : public vortest::UiTest {
protected:
    void SetUp() override
    {
        vor::gShared.currentMaterial = kMaterial;
        vor::gMainRequests = {};
        window = new vor::Tvisualiz;
        window->resize(1100, 760);
    }
    void TearDown() override
    {
        delete window;
        vor::gMainRequests = {};
    }

    void WriteLayouts(int count)
    {
        for (int n = 1; n <= count; ++n)
            vortest::WriteBytes(vor::LayoutFile(vor::gShared.folders, n, kMaterial),
                                vor::EncodeTextLines(LayoutLines(1 + n % 3)));
    }

    void Open()
    {
        window->show();
        vortest::ProcessEvents();
    }

    vor::Tvisualiz* window = nullptr;

private:
    vortest::ShippedTexts m_texts;
};

TEST_F(ViewerWindowTest, WithoutLayoutOneItSaysSoAndClosesAtItsNextPaint)
{
    vortest::StubMessages stub;
    Open();
    ASSERT_GE(messages().Count(), 1u);
    EXPECT_EQ(messages().Texts().back(), "<710>");
    EXPECT_TRUE(vortest::WaitUntil([&] { return !window->isVisible(); }));
}

TEST_F(ViewerWindowTest, OpensOnLayoutOneWithItsFiguresAndSteps)
{
    WriteLayouts(3);
    Open();
    EXPECT_EQ(messages().Count(), 0u) << vortest::JoinNames({});
    EXPECT_EQ(window->State().currentLayout, 1);
    EXPECT_EQ(window->State().layoutCount, 3);
    EXPECT_EQ(window->State().figures.pieceCount, 2);
    EXPECT_FALSE(window->BitBtn9->isEnabled());
    EXPECT_TRUE(window->BitBtn8->isEnabled());
    EXPECT_FALSE(window->Panel10->text().isEmpty());
    // The file now carries the viewer's own header.
    EXPECT_EQ(vor::ReadTextLines(vor::LayoutFile(vor::gShared.folders, 1, kMaterial))->front(),
              vor::kModifiedLayoutTitle);

    // Back from 1 keeps 1; forward from the last shows the last again.
    window->PreviousLayout();
    EXPECT_EQ(window->State().currentLayout, 1);
    window->BitBtn8->click();
    window->BitBtn8->click();
    EXPECT_EQ(window->State().currentLayout, 3);
    window->NextLayout();
    EXPECT_EQ(window->State().currentLayout, 3);
    EXPECT_EQ(window->State().figures.pieceCount, 1);
    EXPECT_EQ(messages().Count(), 0u);  // the silent element check found nothing

    // Ctrl+Space steps back to... nothing past 3; Ctrl + pad minus steps back.
    QTest::keyClick(window, Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_EQ(window->State().currentLayout, 2);
    QTest::keyClick(window, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(window->State().currentLayout, 3);
    EXPECT_EQ(messages().Count(), 0u);
    // F4 always shows the element count.
    QTest::keyClick(window, Qt::Key_F4);
    EXPECT_EQ(messages().Count(), 1u);
}

TEST_F(ViewerWindowTest, AModifiedLayoutIsWrittenBeforeAStep)
{
    WriteLayouts(2);
    Open();
    ASSERT_EQ(window->State().Element(3).type, vor::kLayoutTypePiece);
    window->State().Element(3).x = 123;
    window->State().layoutModified = true;
    window->NextLayout();
    const auto lines = vor::ReadTextLines(vor::LayoutFile(vor::gShared.folders, 1, kMaterial));
    ASSERT_TRUE(lines);
    bool found = false;
    for (const std::string& line : *lines)
        found = found || line.find("   123 ") != std::string::npos;
    EXPECT_TRUE(found);
}

TEST_F(ViewerWindowTest, KeysSetTheirRequestsAndCloseAfterSaving)
{
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int table;
        bool sheet;
        int view;
    };
    const Case cases[] = {
        {Qt::Key_F2, Qt::NoModifier, 1, false, 0},
        {Qt::Key_F2, Qt::AltModifier, 2, false, 0},
        {Qt::Key_F2, Qt::ControlModifier | Qt::ShiftModifier, 2, false, 0},
        {Qt::Key_F3, Qt::NoModifier, 0, true, 0},
        {Qt::Key_F12, Qt::NoModifier, 0, false, 1},
    };
    WriteLayouts(2);
    const vortest::fs::path settings = vor::MainSettingsFile();
    for (const Case& c : cases) {
        vor::gMainRequests = {};
        vor::gMainRequests.viewRequest = 5;  // the opening clears it
        std::error_code ec;
        vortest::fs::remove(settings, ec);
        Open();
        ASSERT_TRUE(window->isVisible());
        EXPECT_EQ(vor::gMainRequests.viewRequest, 0);
        window->State().Element(3).x = 321;
        window->State().layoutModified = true;
        QTest::keyClick(window, c.key, c.modifiers);
        EXPECT_FALSE(window->isVisible()) << c.key;
        EXPECT_EQ(vor::gMainRequests.tableRequest, c.table) << c.key;
        EXPECT_EQ(vor::gMainRequests.sheetTableRequest, c.sheet) << c.key;
        EXPECT_EQ(vor::gMainRequests.viewRequest, c.view) << c.key;
        EXPECT_TRUE(vortest::fs::exists(settings)) << c.key;
        EXPECT_NE(vortest::ReadBytes(vor::LayoutFile(vor::gShared.folders, 1, kMaterial)).find("   321 "),
                  std::string::npos);
    }
}

TEST_F(ViewerWindowTest, ReportStartedRedrawsAtThePaintUnlessTheOverviewWaits)
{
    WriteLayouts(1);
    Open();
    for (bool overview : {true, false}) {
        vor::gMainRequests.showOverview = overview;
        window->reportStarted = true;
        window->repaint();
        EXPECT_EQ(window->reportStarted, overview);
    }
}

TEST_F(ViewerWindowTest, TrackBarReachesEveryLayout)
{
    WriteLayouts(30);
    Open();
    EXPECT_EQ(window->TrackBar1->maximum(), 29);
    window->TrackBar1->setValue(29);
    EXPECT_EQ(window->State().currentLayout, 30);
    window->BitBtn9->click();
    EXPECT_EQ(window->TrackBar1->value(), 28);
    EXPECT_EQ(window->State().currentLayout, 29);
}

TEST_F(ViewerWindowTest, CaptionWithAndWithoutTheLastListName)
{
    vortest::StubMessages stub;
    WriteLayouts(1);
    Open();
    EXPECT_TRUE(window->windowTitle().startsWith(QStringLiteral("Material : (7) ")));
    window->close();
    vor::WriteLastListName("Pedidos~1~2");
    Open();
    EXPECT_TRUE(window->windowTitle().startsWith(QStringLiteral("<11> :Pedidos    Material : (7) ")))
        << window->windowTitle().toStdString();
}

TEST_F(ViewerWindowTest, ScreenshotWithDetailPanel)
{
    WriteLayouts(3);
    Open();
    window->CutButtons[2]->setChecked(true);  // "Todos os cortes"
    // Hover the first piece.
    const vor::ViewTransform& t = window->View().transform;
    const QPoint at(vor::ToScreenX(t, 2500 + 100), vor::ToScreenY(t, 3000 + 200));
    QMouseEvent move(QEvent::MouseMove, QPointF(at), window->PaintBox1->mapToGlobal(QPointF(at)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window->PaintBox1, &move);
    EXPECT_TRUE(window->Panel21->isVisible());
    EXPECT_FALSE(window->Panel1->text().isEmpty());
    const QString platform = QGuiApplication::platformName();
    EXPECT_TRUE(window->grab().save(QStringLiteral(VOR_TEST_OUTPUT_DIR "/viewer_window_") + platform +
                                    QStringLiteral(".png")));
}

}  // namespace

namespace {

class ViewerExportTest : public ViewerWindowTest {
protected:
    ViewerExportTest() : m_clipboardScope(clipboard), m_launcherScope(launcher), m_clockScope(clock)
    {
        clock.SetNow({2026, 12, 10, 9, 5, 7, 0});
    }

    platform::FakeClipboard clipboard;
    platform::FakeProcessLauncher launcher;
    platform::FakeClock clock;

private:
    platform::ScopedClipboard m_clipboardScope;
    platform::ScopedLauncher m_launcherScope;
    platform::ScopedClock m_clockScope;
};

std::string HexDecode(const std::string& hex)
{
    std::string out;
    std::string digits;
    for (char c : hex)
        if (std::isxdigit(static_cast<unsigned char>(c)))
            digits += c;
    for (std::size_t i = 0; i + 1 < digits.size(); i += 2)
        out += static_cast<char>(std::stoi(digits.substr(i, 2), nullptr, 16));
    return out;
}

TEST_F(ViewerExportTest, CaptureAndExportInOverviewMode)
{
    vortest::StubMessages stub;
    WriteLayouts(2);
    Open();
    // Alt+F10 does nothing outside overview mode.
    QTest::keyClick(window, Qt::Key_F10, Qt::AltModifier);
    EXPECT_FALSE(clipboard.HasImage());
    window->Button24->click();
    ASSERT_TRUE(window->View().overviewMode);
    QTest::keyClick(window, Qt::Key_F10, Qt::AltModifier);

    // The clipboard: the paint box's size, white around the layout, a piece
    // in its group colour.
    ASSERT_TRUE(clipboard.HasImage());
    const platform::ClipboardImage& image = clipboard.Image();
    ASSERT_EQ(image.width, window->PaintBox1->width());
    ASSERT_EQ(image.height, window->PaintBox1->height());
    auto pixel = [&](int x, int y) {
        const std::size_t at = (static_cast<std::size_t>(y) * image.width + x) * 3;
        return QColor(image.rgb[at], image.rgb[at + 1], image.rgb[at + 2]);
    };
    EXPECT_EQ(pixel(2, 2), QColor(Qt::white));
    // Layout 1's first piece, inside its cell of the overview (sheet 2000 x 1200 mm).
    const vor::ViewerElement& piece = window->State().Element(3);
    ASSERT_EQ(piece.type, vor::kLayoutTypePiece);
    const vor::Rect cell = window->Cells().Cell(1)->rect;
    const int width = cell.right - cell.left, height = cell.bottom - cell.top;
    EXPECT_EQ(pixel(cell.left + width * 2100 / 20000, cell.bottom - height * 3200 / 12000),
              vor::FromWinColor(vor::GroupColour(piece.colourGroup, 0, false).screenBrush));
    // The window's own face is back.
    EXPECT_NE(window->Picture().pixelColor(2, 2), QColor(Qt::white));

    // The document: written into EXPORT, then opened.
    const fs::path file = vor::gShared.folders.exportDir / "MAPAS_00007_261210-090507.rtf";
    ASSERT_EQ(launcher.Opened().size(), 1u);
    EXPECT_EQ(launcher.Opened().front(), file);
    const std::string doc = vortest::ReadBytes(file);
    int depth = 0;
    for (std::size_t i = 0; i < doc.size(); ++i) {
        if (doc[i] == '\\')
            ++i;
        else
            depth += doc[i] == '{' ? 1 : doc[i] == '}' ? -1 : 0;
        ASSERT_GE(depth, 0);
    }
    EXPECT_EQ(depth, 0);
    EXPECT_NE(doc.find("{\\info{\\title Vorlane 2.18}}"), std::string::npos);
    const std::size_t title = doc.find("\\fs40 \\shad Vorlane \\fs30 v. 2.18   \\fs20 10/12/26  09:05:07\\par\n\\par\n{\\pict\\pngblip");
    ASSERT_NE(title, std::string::npos);
    const std::size_t hexStart = doc.find('\n', doc.find("\\pichgoal", title));
    const std::size_t hexEnd = doc.find('}', hexStart);
    QImage png;
    ASSERT_TRUE(png.loadFromData(QByteArray::fromStdString(HexDecode(doc.substr(hexStart, hexEnd - hexStart))), "PNG"));
    EXPECT_EQ(png.size(), window->PaintBox1->size());
    EXPECT_EQ(png.pixelColor(2, 2), QColor(Qt::white));
    // The four figure lines quote the totals of the hint panel.
    EXPECT_EQ(window->Panel67->text(), QStringLiteral("2"));
    const auto figure = [&](QLabel* panel) { return panel->text().toStdString(); };
    EXPECT_NE(doc.find("}\\par\n\\par\n\\shad0 <344>2\\par\n<345>" + figure(window->Panel70) +
                           "\\par\n<346>" + figure(window->Panel71) + "\\par\n<347>" +
                           figure(window->Panel73) + "\\par\n}",
                       hexEnd),
              std::string::npos);

    // A second export in the same second keeps the first file.
    QTest::keyClick(window, Qt::Key_F10, Qt::AltModifier);
    ASSERT_EQ(launcher.Opened().size(), 2u);
    EXPECT_EQ(launcher.Opened().back(),
              vor::gShared.folders.exportDir / "MAPAS_00007_261210-090507_2.rtf");
    EXPECT_EQ(messages().Count(), 0u);
}

TEST_F(ViewerExportTest, FailedOpensAndStartsAreReported)
{
    vortest::StubMessages stub;
    WriteLayouts(1);
    Open();
    launcher.SetFailOpens(true);
    window->View().overviewMode = true;
    QTest::keyClick(window, Qt::Key_F10, Qt::AltModifier);
    ASSERT_EQ(messages().Count(), 1u);
    const fs::path file = vor::gShared.folders.exportDir / "MAPAS_00007_261210-090507.rtf";
    EXPECT_EQ(messages().Texts().back(), "Não foi possível abrir o arquivo " + file.string());
    EXPECT_TRUE(fs::exists(file));

    launcher.SetFailStarts(true);
    const fs::path program = vor::gShared.folders.base / "prog";
    EXPECT_FALSE(vor::StartProgram(program, {"a b"}));
    ASSERT_EQ(messages().Count(), 2u);
    EXPECT_EQ(messages().Texts().back(), "<799> [" + program.string() + "] <800>");
    // ostrel with a report: its own starter reports, once.
    EXPECT_FALSE(vor::StartProgram(vor::ReportViewerProgram(vor::gShared.folders), {"R.REL"}));
    EXPECT_EQ(messages().Count(), 3u);
    launcher.SetFailStarts(false);
    EXPECT_TRUE(vor::StartProgram(program, {"a b"}));
    ASSERT_FALSE(launcher.Started().empty());
    EXPECT_EQ(launcher.Started().back().workingFolder, vor::gShared.folders.base);
}

}  // namespace

namespace {

void Activate(QWidget& w)
{
    w.activateWindow();
    ASSERT_TRUE(vortest::WaitUntil([&] { return w.isActiveWindow(); }));
}

TEST_F(ViewerWindowTest, ItsOwnDialogKeepsItOpenAnotherWindowClosesItAfterSaving)
{
    WriteLayouts(1);
    QWidget mainWindow;
    mainWindow.show();
    Activate(mainWindow);
    Open();
    Activate(*window);

    // A dialog of the viewer takes the focus and gives it back: still open.
    {
        QDialog dialog(window);
        dialog.show();
        Activate(dialog);
        dialog.close();
    }
    Activate(*window);
    vortest::ProcessEvents();
    EXPECT_TRUE(window->isVisible());

    // The main window becomes active: the modified layout and the settings are saved, then it closes.
    window->State().Element(3).x = 456;
    window->State().layoutModified = true;
    std::error_code ec;
    fs::remove(vor::MainSettingsFile(), ec);
    Activate(mainWindow);
    EXPECT_TRUE(vortest::WaitUntil([&] { return !window->isVisible(); }));
    EXPECT_TRUE(fs::exists(vor::MainSettingsFile()));
    EXPECT_NE(vortest::ReadBytes(vor::LayoutFile(vor::gShared.folders, 1, kMaterial)).find("   456 "),
              std::string::npos);
}

}  // namespace

namespace {

TEST_F(ViewerWindowTest, AltF9StartsTheSlideShowAnyKeyStopsIt)
{
    WriteLayouts(3);
    Open();
    for (Qt::KeyboardModifiers alt : {Qt::KeyboardModifiers(Qt::AltModifier),
                                      Qt::ControlModifier | Qt::ShiftModifier}) {
        QTest::keyClick(window, Qt::Key_F9, alt);
        EXPECT_EQ(window->View().slideShow, 1);
        const long long before = window->State().currentLayout;
        window->Tick();
        EXPECT_EQ(window->State().currentLayout, before + 1);
        QTest::keyClick(window, Qt::Key_A);
        EXPECT_EQ(window->View().slideShow, 0);
    }
    window->View().overviewMode = true;
    QTest::keyClick(window, Qt::Key_F9, Qt::AltModifier);
    EXPECT_EQ(window->View().slideShow, 0);
}

}  // namespace

namespace {

TEST_F(ViewerWindowTest, EachOpeningStartsCleanWithItsCaptionsFromTheMessageTable)
{
    WriteLayouts(2);
    Open();
    // What a earlier visit left: the overview's countdown, a detail panel. (Pulled-apart
    // pieces belong to the editing state, whose reset the editing tests show.)
    window->View().overviewCountdown = 7;
    window->Panel21->show();
    window->close();
    Open();
    EXPECT_EQ(window->View().overviewCountdown, 0);
    EXPECT_FALSE(window->Panel21->isVisible());
    EXPECT_EQ(window->PageControl1->currentWidget(), window->TabEdit);
    EXPECT_EQ(window->Button24->text(), QStringLiteral("Todas"));
    EXPECT_EQ(window->CutButtons[2]->text(), QStringLiteral("Todos os cortes"));
    EXPECT_EQ(window->CheckAutoCentre->text(), QStringLiteral("Centraliza (auto)"));
    for (QWidget* page : {window->TabEdit, window->TabConfig, window->TabPrint, window->TabReports}) {
        window->PageControl1->setCurrentWidget(page);
        // The cursor read-outs wait for the mouse; untitled frames only group.
        std::vector<QString> missing;
        for (const QString& name : vortest::ControlsWithoutText(*window))
            if (!name.isEmpty() && name != QStringLiteral("Panel1") && name != QStringLiteral("Panel6"))
                missing.push_back(name);
        EXPECT_EQ(vortest::JoinNames(missing), "");
    }
    window->PageControl1->setCurrentWidget(window->TabConfig);
    EXPECT_TRUE(window->grab().save(QStringLiteral(VOR_TEST_OUTPUT_DIR "/viewer_window_settings_page.png")));
}

}  // namespace

namespace {

class ViewerOverviewTest : public ViewerWindowTest {
protected:
    // The pixel at the middle of layout n's drawing.
    QPoint CellCentre(long long n) const
    {
        const vor::OverviewCell* cell = window->Cells().Cell(n);
        EXPECT_NE(cell, nullptr) << n;
        if (!cell)
            return {};
        return {(cell->rect.left + cell->rect.right) / 2, (cell->rect.top + cell->rect.bottom) / 2};
    }
    void MoveTo(QPoint at)
    {
        QMouseEvent move(QEvent::MouseMove, QPointF(at), window->PaintBox1->mapToGlobal(QPointF(at)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window->PaintBox1, &move);
    }
    void ClickAt(QPoint at) { QTest::mouseClick(window->PaintBox1, Qt::LeftButton, {}, at); }
};

TEST_F(ViewerOverviewTest, TodasShowsEveryLayoutAndAClickOpensTheHoveredOne)
{
    WriteLayouts(26);
    Open();
    // An edit made before "Todas" is written first.
    window->State().Element(3).x = 777;
    window->State().layoutModified = true;
    window->Button24->click();
    EXPECT_NE(vortest::ReadBytes(vor::LayoutFile(vor::gShared.folders, 1, kMaterial)).find("   777 "),
              std::string::npos);
    ASSERT_TRUE(window->View().overviewMode);
    EXPECT_TRUE(window->Panel61->isVisible());
    EXPECT_FALSE(window->PageControl1->isVisible());
    EXPECT_FALSE(window->TrackBar1->isVisible());
    // 5 rows of 7.
    ASSERT_NE(window->Cells().Cell(26), nullptr) << (messages().Count() ? messages().Texts().front() : "")
        << window->State().layoutCount << " " << window->State().largestSheetSide << " "
        << (window->Cells().Cell(1) != nullptr) << window->Panel67->text().toStdString();
    const auto top = [&](long long n) { return window->Cells().Cell(n)->rect.top; };
    EXPECT_EQ(top(1), top(7));
    EXPECT_LT(top(7), top(8));
    EXPECT_EQ(top(22), top(26));
    EXPECT_LT(top(15), top(22));

    // Resting on the ninth: its figures at the second tick.
    MoveTo(CellCentre(9));
    EXPECT_EQ(window->OverviewData[0]->text(), QStringLiteral("9"));
    window->Tick();
    EXPECT_FALSE(window->Panel31->isVisible());
    window->Tick();
    EXPECT_TRUE(window->Panel31->isVisible());
    EXPECT_FALSE(window->Panel77->isVisible());  // only with "Chapas"

    // The click opens layout 9 in the single view.
    ClickAt(CellCentre(9));
    EXPECT_FALSE(window->View().overviewMode);
    EXPECT_EQ(window->State().currentLayout, 9);
    EXPECT_EQ(window->TrackBar1->value(), 8);
    EXPECT_TRUE(window->PageControl1->isVisible());
    EXPECT_TRUE(window->TrackBar1->isVisible());
    EXPECT_FALSE(window->Panel61->isVisible());
    EXPECT_FALSE(window->Panel31->isVisible());
    EXPECT_EQ(window->View().transform.zoom, 1.0);
    EXPECT_EQ(window->View().transform.deviceOffsetX, 0);

    // A click on empty space opens layout 1.
    window->Button24->click();
    MoveTo({2, 2});
    ClickAt({2, 2});
    EXPECT_EQ(window->State().currentLayout, 1);
    EXPECT_EQ(messages().Count(), 0u);
}

TEST_F(ViewerOverviewTest, TheShowOverviewFlagShowsItAtTheNextRedrawStep)
{
    WriteLayouts(3);
    vor::gMainRequests.showOverview = true;
    Open();
    EXPECT_FALSE(window->View().overviewMode);
    window->Tick();  // the opening asked for a redraw
    EXPECT_TRUE(window->View().overviewMode);
    EXPECT_FALSE(vor::gMainRequests.showOverview);
}

TEST_F(ViewerOverviewTest, TotalsAreTheAccumulatorsAndTheExportQuotesThem)
{
    platform::FakeClipboard clipboard;
    platform::ScopedClipboard clipboardScope(clipboard);
    platform::FakeProcessLauncher launcher;
    platform::ScopedLauncher launcherScope(launcher);
    WriteLayouts(26);
    Open();
    window->Button24->click();
    const vor::LayoutTotals& totals = window->Totals();
    EXPECT_EQ(totals.layouts, 26);
    EXPECT_EQ(window->Panel67->text(), QStringLiteral("26"));
    EXPECT_EQ(window->Panel70->text(), QString::number(totals.AllSheets()));
    EXPECT_EQ(window->Panel71->text().toStdString(), vor::OverviewPercentText(totals.MeanYield()));
    EXPECT_EQ(window->Panel73->text().toStdString(), vor::OverviewPercentText(totals.MeanLoss()));

    // "Chapas" with the data panel, as a user sees it.
    window->ViewSheets->setChecked(true);
    MoveTo(CellCentre(9));
    window->Tick();
    window->Tick();
    EXPECT_TRUE(window->Panel77->isVisible());
    EXPECT_TRUE(window->grab().save(QStringLiteral(VOR_TEST_OUTPUT_DIR "/viewer_overview_sheets.png")));

    QTest::keyClick(window, Qt::Key_F10, Qt::AltModifier);
    ASSERT_EQ(launcher.Opened().size(), 1u);
    const std::string doc = vortest::ReadBytes(launcher.Opened().front());
    const std::string lines =
        vor::RtfText(vor::Msg(344) + "26") + "\\par\n" +
        vor::RtfText(vor::Msg(345) + std::to_string(totals.AllSheets())) + "\\par\n" +
        vor::RtfText(vor::Msg(346) + window->Panel71->text().toStdString()) + "\\par\n" +
        vor::RtfText(vor::Msg(347) + window->Panel73->text().toStdString()) + "\\par\n";
    EXPECT_NE(doc.find(lines), std::string::npos) << doc.substr(doc.size() > 300 ? doc.size() - 300 : 0);
}

}  // namespace
