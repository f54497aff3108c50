// The colour legend and the yield display options, offscreen.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include "tests/layoutview/layoutview_support.h"
#include "tests/support/ui_fixture.h"
#include "vorplan/common/drawing_geometry.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/ui/drawing_helpers.h"
#include "vorplan/layoutview/ui/colour_legend_window.h"
#include "vorplan/layoutview/ui/viewer_window.h"
#include "vorplan/layoutview/ui/yield_options_window.h"

namespace {

class OptionWindowsTest : public vortest::UiTest {
    vortest::ShippedTexts m_texts;
};

QColor Background(const QWidget* w)
{
    return w->palette().color(QPalette::Window);
}

TEST_F(OptionWindowsTest, LegendGroupSamplesFollowTheLightness)
{
    vor::TForm11 form;
    const vor::WinColor groups[] = {0x000080, 0x008000, 0x008080, 0x800000};
    for (int luminosity : {-50, 0, 230}) {
        form.SetGroupColours(luminosity);
        for (std::size_t i = 0; i < 4; ++i)
            EXPECT_EQ(Background(form.GroupPanels[i]),
                      vor::FromWinColor(vor::LightenColor(groups[i], luminosity)))
                << luminosity << " group " << i + 1;
    }
    EXPECT_EQ(Background(form.Panel41), vor::FromWinColor(0x00FFFF));  // offcut
    EXPECT_EQ(Background(form.Panel42), vor::FromWinColor(0xFFFF00));  // scrap
    form.show();
    vortest::ProcessEvents();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Legenda de cores"));
    EXPECT_EQ(vortest::JoinNames(vortest::ControlsWithoutText(form)), "");
    // The marked-edge sample beside Label1: the red mark inside a group-1 piece.
    const QImage picture = form.grab().toImage();
    const QRect label = form.Label1->geometry();
    EXPECT_EQ(picture.pixelColor(label.left() - 40, label.top() + 4), vor::FromWinColor(vor::kRed));
    EXPECT_EQ(picture.pixelColor(label.left() - 40, label.center().y()),
              vor::FromWinColor(vor::LightenColor(groups[0], 0)));
    EXPECT_TRUE(picture.save(QStringLiteral(VOR_TEST_OUTPUT_DIR "/colour_legend.png")));
}

TEST_F(OptionWindowsTest, TheViewersQuestionMarkOpensTheLegendAtItsLightness)
{
    vor::Tvisualiz viewer;
    viewer.TrackBar2->setValue(120);
    QColor seen;
    QTimer::singleShot(0, [&] {
        ASSERT_NE(vor::Form11, nullptr);
        seen = Background(vor::Form11->GroupPanels[2]);
        vor::Form11->Button1->click();
    });
    viewer.ButtonLegend->click();
    EXPECT_EQ(seen, vor::FromWinColor(vor::LightenColor(0x008080, 120)));
    delete vor::Form11;
}

TEST_F(OptionWindowsTest, YieldOptionsPerimeterOnlyWithTheSheets)
{
    vor::TForm30 form;
    const vor::YieldDisplayOptions defaults = form.Options();
    EXPECT_FALSE(defaults.roundedYield);
    EXPECT_TRUE(defaults.sheetsAndOffcuts);
    EXPECT_TRUE(defaults.projects);
    EXPECT_FALSE(defaults.perimeter);
    EXPECT_TRUE(form.CheckBox3->isEnabled());
    form.show();
    vortest::ProcessEvents();
    EXPECT_EQ(vortest::JoinNames(vortest::ControlsWithoutText(form)), "");
    EXPECT_TRUE(form.RadioButton2->text().startsWith(QStringLiteral("Aproveitamento ")));
    EXPECT_TRUE(form.grab().save(QStringLiteral(VOR_TEST_OUTPUT_DIR "/yield_options.png")));
    for (bool expected : {false, true, false}) {
        form.CheckBox1->click();
        EXPECT_EQ(form.CheckBox1->isChecked(), expected);
        EXPECT_EQ(form.CheckBox3->isEnabled(), expected);
    }
    form.RadioButton2->click();
    EXPECT_TRUE(form.Options().roundedYield);
    EXPECT_FALSE(form.BitBtn1->isVisible());
}

}  // namespace
