// Editing a layout in the viewer window, on the offscreen platform (and the
// screenshots under a real X server too).
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <string>
#include <vector>

#include "tests/layoutview/layoutview_support.h"
#include "tests/support/ui_fixture.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/main_window_geometry.h"
#include "vorplan/common/material_record.h"
#include "vorplan/common/text_file.h"
#include "vorplan/layoutview/ui/viewer_window.h"

namespace {

namespace fs = std::filesystem;

constexpr long long kMaterial = 7;

// Two pieces side by side at the bottom, an offcut above them and one to
// their right; kerf 4 mm.
const std::vector<std::string> kLayout = {
    "    0     3     0     0   20000   12000 Chapa 0",
    "    1   100     0     0    4960    6000 Porta 1",
    "    1   101  5000     0    4960    6000 Gaveta 1",
    "    2     0     0  6040    9960    5960 Retalho 0",
    "    2     0 10000     0   10000   12000 Retalho 0",
};

class ViewerEditingTest : public vortest::UiTest {
protected:
    void SetUp() override
    {
        vor::gShared.currentMaterial = kMaterial;
        vor::gMainRequests = {};
        vortest::WriteBytes(vor::MaterialFile(vor::gShared.folders, kMaterial),
                            "[DESC]\r\nCAMPO1=MDF 15 mm\r\n[PROP_FISIC]\r\nLARG_SERRA=4\r\n"
                            "LARG_MIN_D=50\r\nLARG_MIN_R=250\r\nALT_MIN_R=300\r\n");
        Open();
    }
    // The layout as written above, in a new window.
    void Open()
    {
        delete window;
        vortest::WriteBytes(Mon(), vor::EncodeTextLines(kLayout));
        window = new vor::Tvisualiz;
        window->resize(1100, 760);
        window->show();
        vortest::ProcessEvents();
        ASSERT_EQ(window->State().ElementCount(), 5);
    }
    void TearDown() override
    {
        delete window;
        vor::gMainRequests = {};
    }

    fs::path Mon() const { return vor::LayoutFile(vor::gShared.folders, 1, kMaterial); }

    QPoint At(double x, double y) const
    {
        const vor::ViewTransform& t = window->View().transform;
        const vor::LayoutState& s = window->State();
        return {vor::ToScreenX(t, x + s.trims.left), vor::ToScreenY(t, y + s.trims.bottom)};
    }
    void Click(double x, double y) { QTest::mouseClick(window->PaintBox1, Qt::LeftButton, {}, At(x, y)); }
    void Move(double x, double y)
    {
        const QPoint at = At(x, y);
        QMouseEvent move(QEvent::MouseMove, QPointF(at), window->PaintBox1->mapToGlobal(QPointF(at)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window->PaintBox1, &move);
    }
    void Screenshot(const char* name)
    {
        const QString file = QStringLiteral(VOR_TEST_OUTPUT_DIR "/") + QString::fromLatin1(name) +
                             QStringLiteral("_") + QGuiApplication::platformName() +
                             QStringLiteral(".png");
        EXPECT_TRUE(window->grab().save(file));
    }

    vortest::StubMessages stub;
    vor::Tvisualiz* window = nullptr;
};

std::string Golden(const char* name)
{
    return vortest::ReadBytes(fs::path(VOR_SOURCE_DIR) / "tests/layoutview/golden" / name);
}

TEST_F(ViewerEditingTest, APieceClickedIntoAnOffcutIsWrittenWithItsRemainders)
{
    EXPECT_FALSE(window->BitBtn11->isEnabled());
    Click(7480, 3000);
    EXPECT_EQ(window->State().selectedPiece, 3);
    EXPECT_TRUE(window->BitBtn10->isEnabled() && window->BitBtn11->isEnabled() &&
                window->ButtonTurn->isEnabled());
    EXPECT_FALSE(window->ButtonDivide->isEnabled());
    Click(15000, 3000);  // the lower half of the offcut on the right
    EXPECT_EQ(messages().Count(), 0u);
    EXPECT_EQ(window->State().selectedPiece, 0);
    EXPECT_EQ(window->State().pickedLeftover, 0);
    EXPECT_FALSE(window->BitBtn11->isEnabled());
    EXPECT_EQ(vortest::ReadBytes(Mon()), Golden("edited_layout.mon"));
}

TEST_F(ViewerEditingTest, APlacedPieceFitsAZoomedViewOnlyWithAutoCentre)
{
    for (bool ticked : {false, true}) {
        SCOPED_TRACE(ticked);
        Open();
        window->CheckAutoCentre->setChecked(ticked);
        window->ZoomPanButtons[0]->click();
        ASSERT_GT(window->View().transform.zoom, 1.0);
        Click(7480, 3000);
        Click(15000, 3000);
        ASSERT_EQ(window->State().selectedPiece, 0) << "the piece was placed";
        EXPECT_EQ(window->View().transform.zoom == 1.0, ticked);
        EXPECT_EQ(window->View().fitted, ticked);
    }
}

TEST_F(ViewerEditingTest, PieceButtonsAskForAPieceOffTheSheet)
{
    QTest::keyClick(window, Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(sound().Count(platform::RecordingSound::Call::Beep), 1u) << "nothing selected";
    EXPECT_EQ(messages().Count(), 0u);
    Click(2480, 3000);
    QTest::keyClick(window, Qt::Key_R, Qt::ControlModifier);
    ASSERT_EQ(messages().Count(), 1u);
    EXPECT_EQ(messages().Texts().back(), "<774>");
    window->ButtonTurn->click();
    EXPECT_EQ(messages().Texts().back(), "<775>");
    EXPECT_FALSE(window->Panel59->isVisible());
    window->BitBtn10->click();
    EXPECT_EQ(messages().Texts().back(), "<773>");
    EXPECT_EQ(window->State().Element(2).type, vor::kLayoutTypePiece);
}

TEST_F(ViewerEditingTest, ThePiecePanelReadsWhatItShowsInMillimetres)
{
    // Off the sheet first: above it, left of it.
    Click(2480, 3000);
    Click(-500, 14000);
    const vortest::Rect parked = vortest::RectOf(window->State().Element(2));
    ASSERT_EQ(parked.x, 0);
    ASSERT_GT(parked.y, 12000);

    // "+/-" then "Ok" without typing leaves the piece as it was.
    Click(2480, 17000);
    window->ButtonTurn->click();
    ASSERT_TRUE(window->Panel59->isVisible());
    EXPECT_EQ(window->EditWidth->text(), QStringLiteral("496.0"));
    EXPECT_FALSE(window->EditCode->isEnabled());
    Screenshot("viewer_editing_piece_panel");
    window->Panel59Ok->click();
    EXPECT_FALSE(window->Panel59->isVisible());
    EXPECT_EQ(vortest::RectOf(window->State().Element(2)), parked);

    // Too large for the sheet: 776 and the panel stays.
    window->ButtonTurn->click();
    window->EditHeight->setText(QStringLiteral("1200,1"));
    window->Panel59Ok->click();
    EXPECT_EQ(messages().Texts().back(), "<776>");
    EXPECT_TRUE(window->Panel59->isVisible());
    window->EditHeight->setText(QStringLiteral("300,5"));
    window->Panel59Ok->click();
    EXPECT_EQ(vortest::RectOf(window->State().Element(2)), (vortest::Rect{0, parked.y, 4960, 3005}));

    // Removed, its values come back in "Nova"; the new piece is kept by the step.
    window->BitBtn10->click();
    EXPECT_EQ(window->State().Element(2).type, vor::kLayoutTypeRemoved);
    window->ButtonNew->click();
    EXPECT_TRUE(window->EditCode->isEnabled());
    EXPECT_EQ(window->EditHeight->text(), QStringLiteral("300.5"));
    EXPECT_EQ(window->EditCode->text(), QStringLiteral("100"));
    window->EditWidth->setText(QStringLiteral("120"));
    QTest::keyClick(window->EditWidth, Qt::Key_Return);
    EXPECT_FALSE(window->Panel59->isVisible());
    window->NextLayout();
    const std::string file = vortest::ReadBytes(Mon());
    EXPECT_NE(file.find("    1   100    2000   13200    1200    3005 --- 0"), std::string::npos) << file;
}

TEST_F(ViewerEditingTest, RepetitionsThroughTheirPanel)
{
    const std::pair<const char*, int> cases[] = {{"2001", 0}, {"abc", 0}, {"", 0}, {"12", 12}};
    for (const auto& [text, stored] : cases) {
        window->ButtonRepeat->click();
        ASSERT_TRUE(window->Panel60->isVisible());
        window->Edit6->setText(QString::fromLatin1(text));
        if (stored)
            Screenshot("viewer_editing_repetitions");
        window->Panel60Ok->click();
        EXPECT_FALSE(window->Panel60->isVisible()) << text;
        EXPECT_EQ(window->State().sheetRepetitions, stored) << text;
    }
    EXPECT_EQ(messages().Count(), 3u);
    EXPECT_EQ(window->Panel9->text(), QStringLiteral("12"));
    const std::string file = vortest::ReadBytes(Mon());
    EXPECT_NE(file.find("    0     3      12       0   20000   12000 Chapa 0"), std::string::npos)
        << file;
}

TEST_F(ViewerEditingTest, ScreenshotOfASelectedPieceWithItsMovePreview)
{
    Click(7480, 3000);
    Move(10000, 15000);
    Screenshot("viewer_editing_preview");
}

TEST_F(ViewerEditingTest, ScreenshotOfTheLayoutPulledApartThenTogether)
{
    const std::string before = vortest::ReadBytes(Mon());
    window->ButtonSeparate->click();
    EXPECT_FALSE(window->ButtonSeparate->isEnabled());
    ASSERT_TRUE(vortest::WaitUntil([&] { return window->ButtonJoin->isEnabled(); }));
    EXPECT_FALSE(window->ButtonRouting->isEnabled());
    EXPECT_EQ(window->State().Element(3).dx, 3333);
    Screenshot("viewer_editing_apart");

    // Clicks do nothing while pulled apart.
    Click(7480 + 3333, 3000);
    EXPECT_EQ(window->State().selectedPiece, 0);
    EXPECT_EQ(vortest::ReadBytes(Mon()), before);

    window->ButtonJoin->click();
    ASSERT_TRUE(vortest::WaitUntil([&] { return window->ButtonSeparate->isEnabled(); }));
    EXPECT_TRUE(window->ButtonRouting->isEnabled());
    EXPECT_FALSE(window->ButtonJoin->isEnabled());
    for (const vor::ViewerElement& e : window->State().elements) {
        EXPECT_EQ(e.dx, 0);
        EXPECT_EQ(e.dy, 0);
    }
    Click(7480, 3000);
    EXPECT_EQ(window->State().selectedPiece, 3);
}

}  // namespace
