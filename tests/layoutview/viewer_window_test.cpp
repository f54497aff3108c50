// The layout viewer window on the offscreen platform, over layout files of a
// test installation.
#include <gtest/gtest.h>

#include <QLabel>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <string>
#include <vector>

#include "tests/layoutview/layoutview_support.h"
#include "tests/support/ui_fixture.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/main_window_geometry.h"
#include "vorplan/common/small_helpers.h"
#include "vorplan/common/text_file.h"
#include "vorplan/layoutview/ui/viewer_window.h"

namespace {

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
    window->State().Element(2).x = 123;
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
        window->State().Element(2).x = 321;
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
    EXPECT_TRUE(window->grab().save(QStringLiteral(VOR_TEST_OUTPUT_DIR "/viewer_window.png")));
}

}  // namespace
