// The shared drawings rendered offscreen: pixels where the geometry matters,
// and a picture of each in the build tree for a human look.
#include <gtest/gtest.h>

#include <QColor>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QString>
#include <functional>

#include "tests/support/ui_fixture.h"
#include "vorplan/common/drawing_geometry.h"
#include "vorplan/common/ui/drawing_helpers.h"

namespace {

constexpr vor::WinColor kPieColour = 0x00FF0000;  // blue
const QColor kBlueRgb(0, 0, 255);
const QColor kGreenRgb(0, 255, 0);
const QColor kRedRgb(255, 0, 0);

QString PicturePath(const char* name)
{
    const QString folder = QStringLiteral(VOR_BINARY_DIR "/tests/shell/drawing_pictures");
    QDir().mkpath(folder);
    return folder + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png");
}

// An image of `size` filled with `background`, drawn on by `draw`, and saved
// as `name` when a name is given.
QImage Render(QSize size, const std::function<void(QPainter&)>& draw, const char* name = nullptr,
              QColor background = Qt::white)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(background);
    {
        QPainter painter(&image);
        draw(painter);
    }
    if (name) {
        EXPECT_TRUE(image.save(PicturePath(name))) << name;
    }
    return image;
}

QColor Pixel(const QImage& image, int x, int y) { return image.pixelColor(x, y); }

class DrawingTest : public ::testing::Test {
protected:
    void SetUp() override { vortest::EnsureApplication(); }
};

struct Sample {
    int x;
    int y;
    QColor colour;
};

TEST_F(DrawingTest, PercentPieColoursItsShareAndTheRest)
{
    struct Case {
        double percent;
        const char* picture;
        std::vector<Sample> samples;
    };
    // Samples keep clear of the text in the middle.
    const Case cases[] = {
        {0, "pie_0", {{50, 12, kBlueRgb}, {88, 50, kBlueRgb}, {12, 50, kBlueRgb}, {50, 88, kBlueRgb}}},
        {25, "pie_25", {{75, 22, kGreenRgb}, {25, 22, kBlueRgb}, {22, 78, kBlueRgb}, {80, 78, kBlueRgb}}},
        {12.5, "pie_12_5", {{60, 15, kGreenRgb}, {85, 35, kBlueRgb}, {25, 22, kBlueRgb}}},
        {50, "pie_50", {{85, 30, kGreenRgb}, {85, 70, kGreenRgb}, {15, 30, kBlueRgb}, {15, 70, kBlueRgb}}},
        {100, "pie_100", {{50, 12, kGreenRgb}, {88, 50, kGreenRgb}, {12, 50, kGreenRgb}, {50, 88, kGreenRgb}}},
        // The fault this pins: a tiny share drawn as a whole green disc.
        {0.1, "pie_0_1", {{60, 15, kBlueRgb}, {40, 15, kBlueRgb}, {88, 50, kBlueRgb}, {50, 88, kBlueRgb}}},
        {0.01, "pie_0_01", {{60, 15, kBlueRgb}, {40, 15, kBlueRgb}, {88, 50, kBlueRgb}, {12, 50, kBlueRgb}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.percent);
        const QImage image = Render(QSize(100, 100), [&c](QPainter& painter) {
            vor::DrawPercentPie(painter, QSize(100, 100), kPieColour, c.percent);
        }, c.picture);
        for (const Sample& s : c.samples)
            EXPECT_EQ(Pixel(image, s.x, s.y), s.colour) << s.x << "," << s.y;
        // Outside the disc the picture is untouched.
        EXPECT_EQ(Pixel(image, 2, 2), QColor(Qt::white));
    }
}

TEST_F(DrawingTest, ATinyShareIsAThinGreenSliceAtTwelve)
{
    for (double percent : {0.1, 0.01}) {
        SCOPED_TRACE(percent);
        const QImage image = Render(QSize(100, 100), [percent](QPainter& painter) {
            vor::DrawPercentPie(painter, QSize(100, 100), kPieColour, percent);
        });
        int green = 0;
        for (int y = 0; y < 100; ++y) {
            for (int x = 0; x < 100; ++x) {
                if (Pixel(image, x, y) == kGreenRgb) {
                    ++green;
                    EXPECT_TRUE(x >= 47 && x <= 52 && y <= 50) << x << "," << y;
                }
            }
        }
        EXPECT_GT(green, 10) << "the slice is there";
    }
}

TEST_F(DrawingTest, PercentPieWritesItsTextInWhiteWithABlackShadow)
{
    const QImage image = Render(QSize(150, 150), [](QPainter& painter) {
        vor::DrawPercentPie(painter, QSize(150, 150), kPieColour, 12.5);
    }, "pie_text_12_5");
    int white = 0;
    int black = 0;
    for (int y = 55; y < 95; ++y) {
        for (int x = 25; x < 125; ++x) {
            const QColor c = Pixel(image, x, y);
            white += c == QColor(Qt::white);
            black += c == QColor(Qt::black);
        }
    }
    EXPECT_GT(white, 20);
    EXPECT_GT(black, 20);
}

TEST_F(DrawingTest, ProgressDialFanRunsClockwiseFromTwelve)
{
    // 120 x 110: centre (60, 55), hand 31, blue face of radius 45.
    const QImage zero = Render(QSize(120, 110), [](QPainter& painter) {
        vor::DrawProgressDial(painter, QSize(120, 110), 0);
    }, "dial_0");
    EXPECT_EQ(Pixel(zero, 60, 35), kRedRgb);
    EXPECT_EQ(Pixel(zero, 80, 55), kBlueRgb);
    EXPECT_EQ(Pixel(zero, 60, 75), kBlueRgb);
    EXPECT_EQ(Pixel(zero, 60, 8), QColor(0x80, 0x80, 0x80)) << "the grey ring";

    const QImage fifteen = Render(QSize(120, 110), [](QPainter& painter) {
        vor::DrawProgressDial(painter, QSize(120, 110), 15);
    }, "dial_15");
    EXPECT_EQ(Pixel(fifteen, 60, 35), kRedRgb);
    EXPECT_EQ(Pixel(fifteen, 74, 41), kRedRgb);  // half-way, at 45 degrees
    EXPECT_EQ(Pixel(fifteen, 80, 55), kRedRgb);  // three o'clock
    EXPECT_EQ(Pixel(fifteen, 60, 75), kBlueRgb);
    EXPECT_EQ(Pixel(fifteen, 40, 55), kBlueRgb);
    EXPECT_EQ(Pixel(fifteen, 98, 55), QColor(255, 255, 0)) << "a yellow dot";
}

TEST_F(DrawingTest, LabelPagePreview)
{
    const QColor backdrop(1, 2, 3);
    const QImage image = Render(QSize(240, 320), [](QPainter& painter) {
        vor::DrawLabelPagePreview(painter, QSize(240, 320));
    }, "label_page", backdrop);
    const Sample samples[] = {
        {5, 5, backdrop},
        {220, 300, QColor(Qt::white)},
        {40, 30, QColor(255, 255, 0)},   // first label
        {180, 280, QColor(255, 255, 0)}, // last label
        {15, 38, kBlueRgb},
        {67, 12, QColor(255, 128, 255)},
        {67, 100, kRedRgb},
        {60, 95, kGreenRgb},
        {60, 152, QColor(0, 255, 255)},
        {67, 160, QColor(255, 128, 0)},
    };
    for (const Sample& s : samples)
        EXPECT_EQ(Pixel(image, s.x, s.y), s.colour) << s.x << "," << s.y;
}

QPoint Inside(const vor::FlagCell& cell)
{
    int x = 0;
    int y = 0;
    for (const vor::Point& p : cell.corners) {
        x += p.x;
        y += p.y;
    }
    return {x / 4, y / 4};
}

TEST_F(DrawingTest, AnimatedFigureFillsTheFlagCells)
{
    const QImage start = Render(QSize(160, 160), [](QPainter& painter) {
        vor::DrawAnimatedFigure(painter, QSize(160, 160), 1, 0);
    }, "flag_scheme1_step0");
    // The first cell (0,0), (20,-7), (32,13), (12,20) in grey 154.
    EXPECT_EQ(Pixel(start, 16, 6), QColor(154, 154, 154));
    EXPECT_EQ(Pixel(start, 28, 26), QColor(154, 154, 154)) << "second row";
    EXPECT_EQ(Pixel(start, 150, 155), QColor(Qt::black)) << "step 0 clears the window";

    // Later steps draw over what is there: on white the seventh cells show black.
    const int step = 9;
    const vor::AnimatedFigure figure = vor::AnimatedFigureGeometry(160, 160, 1, step);
    const QImage later = Render(QSize(160, 160), [](QPainter& painter) {
        vor::DrawAnimatedFigure(painter, QSize(160, 160), 1, step);
    }, "flag_scheme1_step9");
    for (const vor::FlagCell& cell : figure.cells) {
        const QPoint at = Inside(cell);
        if (at.x() < 0 || at.y() < 0 || at.x() >= 160 || at.y() >= 160)
            continue;
        SCOPED_TRACE(cell.number);
        EXPECT_EQ(Pixel(later, at.x(), at.y()), vor::FromWinColor(*cell.fill));
        if (cell.number % 7 == 0) {
            EXPECT_EQ(Pixel(later, at.x(), at.y()), QColor(Qt::black));
        }
    }
}

TEST_F(DrawingTest, SchemeZeroKeepsTheBrushTheCellBeforeLeft)
{
    const QImage image = Render(QSize(160, 160), [](QPainter& painter) {
        painter.setBrush(QColor(10, 200, 30));
        vor::DrawAnimatedFigure(painter, QSize(160, 160), 0, 5);
    }, "flag_scheme0_step5");
    const vor::AnimatedFigure figure = vor::AnimatedFigureGeometry(160, 160, 0, 5);
    const QPoint first = Inside(figure.cells[0]);
    const QPoint eighth = Inside(figure.cells[7]);  // after the first black row cell
    EXPECT_EQ(Pixel(image, first.x(), first.y()), QColor(10, 200, 30));
    EXPECT_EQ(Pixel(image, eighth.x(), eighth.y()), QColor(Qt::black));
}

TEST_F(DrawingTest, ColumnHeadersInNavyWithSeparators)
{
    vor::ColumnSet columns;
    columns.count = 3;
    columns.titles[1] = "   Código   ";
    columns.titles[2] = "Descrição";
    columns.titles[3] = "Família";
    columns.x[1] = 1;
    columns.x[2] = 120;
    columns.x[3] = 260;
    const QImage image = Render(QSize(360, 22), [&columns](QPainter& painter) {
        QFont font = painter.font();
        font.setPointSize(9);
        painter.setFont(font);
        vor::DrawColumnHeaders(painter, columns);
    }, "column_headers");
    const QColor navy(0, 0, 128);
    EXPECT_EQ(Pixel(image, 117, 0), navy);
    EXPECT_EQ(Pixel(image, 117, 19), navy);
    EXPECT_EQ(Pixel(image, 117, 20), QColor(Qt::white));
    EXPECT_EQ(Pixel(image, 118, 10), QColor(Qt::white));
    EXPECT_EQ(Pixel(image, 257, 10), navy);
    // Some title ink between the separators, none before the first title.
    int ink = 0;
    for (int y = 0; y < 22; ++y) {
        for (int x = 124; x < 250; ++x)
            ink += Pixel(image, x, y) != QColor(Qt::white);
    }
    EXPECT_GT(ink, 10);
    for (int y = 0; y < 22; ++y)
        EXPECT_EQ(Pixel(image, 0, y), QColor(Qt::white));
}

TEST_F(DrawingTest, WinColoursAreBlueGreenRed)
{
    EXPECT_EQ(vor::FromWinColor(0x00102030), QColor(0x30, 0x20, 0x10));
    EXPECT_EQ(vor::FromWinColor(0xFF0000FF), QColor(255, 0, 0));
    EXPECT_EQ(vor::FillRectOf({10, 20, 30, 25}), QRect(10, 20, 20, 5));
    EXPECT_EQ(vor::OutlineRectOf({10, 20, 30, 25}), QRect(10, 20, 19, 4));
}

}  // namespace
