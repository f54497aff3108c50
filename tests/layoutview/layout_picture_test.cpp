// A layout drawn with the screen rules into a picture and with the printer
// rules into a one-page PDF, through the painter canvas.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <set>
#include <sstream>
#include <string>

#include "platform/print_jobs.h"
#include "tests/layoutview/drawing_fixture.h"
#include "tests/support/ui_fixture.h"
#include "vorplan/common/ui/painter_canvas.h"

namespace {

std::string RunTool(const QString& program, const QStringList& args)
{
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return {};
    return process.readAllStandardOutput().toStdString();
}

// A 2000 x 1200 sheet with trims of 10 left and 20 bottom, cut in two strips:
// pieces, a special piece, a piece too small for its texts, offcuts and scrap.
vor::LayoutState FixtureLayout()
{
    using vortest::Element;
    using vortest::Piece;
    constexpr int kScrap = vor::kLayoutTypeDiscarded;
    constexpr int kOffcut = vor::kLayoutTypeOffcut;
    return vortest::MakeLayout(
        2000, 1200, {10, 0, 20, 0},
        {Piece(101, 0, 0, 800, 600, " Porta #DD", 1), Piece(102, 800, 0, 600, 600, " Lateral @3", 2),
         Element(kOffcut, 0, 1400, 0, 590, 600, " Retalho"),
         Piece(104, 0, 600, 800, 500, " Tampo", 6), Element(kScrap, 5, 0, 1100, 800, 80, " "),
         Piece(-1, 800, 600, 400, 580, " Especial", 3), Piece(103, 1200, 600, 60, 40, " Calço", 4),
         Element(kScrap, 6, 1200, 640, 60, 540, " "),
         Element(kOffcut, 0, 1260, 600, 730, 580, " Retalho")});
}

class LayoutPictureTest : public ::testing::Test {
protected:
    void SetUp() override { vortest::EnsureApplication(); }
};

TEST_F(LayoutPictureTest, PainterCanvasFillsAndOutlinesAsTheWindowsCanvas)
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        vor::PainterCanvas canvas(painter, 96);
        canvas.pen = {vor::kBlack, 1, vor::PenStyle::Solid};
        canvas.brush = {vor::kYellow, vor::BrushStyle::Solid};
        canvas.Rectangle({2, 2, 12, 12});  // right and bottom outside
        canvas.brush = {vor::kRed, vor::BrushStyle::DiagCross};
        canvas.FillRect({20, 2, 38, 28});
        canvas.brush = {vor::kBlue, vor::BrushStyle::Solid};
        canvas.font = {"Arial", 8, false, false, false, vor::kWhite};
        canvas.Text({2, 16}, "Ab");
    }
    EXPECT_EQ(image.pixelColor(2, 2), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(11, 11), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(12, 12), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(6, 6), QColor(255, 255, 0));
    // A hatch leaves the ground between its lines.
    int red = 0, white = 0;
    for (int x = 20; x < 38; ++x) {
        red += image.pixelColor(x, 10) == QColor(255, 0, 0);
        white += image.pixelColor(x, 10) == QColor(Qt::white);
    }
    EXPECT_GT(red, 0);
    EXPECT_GT(white, 0);
    // Text on a solid brush is written on the brush's colour.
    EXPECT_EQ(image.pixelColor(2, 16), QColor(0, 0, 255));
}

TEST_F(LayoutPictureTest, ScreenDrawingIntoAPicture)
{
    const vor::LayoutState state = FixtureLayout();
    vortest::DrawingFixture f(vor::LayoutExtent(state));
    f.display.cuts = vor::CutDisplay::All;
    f.context.specialPerimeter = true;
    vor::FitLayout(f.view, vor::LayoutExtent(state));
    f.view.panX = 60;
    f.view.panY = 60;

    QImage image(f.view.boxWidth, f.view.boxHeight, QImage::Format_RGB32);
    {
        QPainter painter(&image);
        vor::PainterCanvas canvas(painter, 96);
        f.context.canvas = &canvas;
        vor::RedrawLayout(f.context, state, true);
    }
    EXPECT_TRUE(image.save(QStringLiteral(VOR_TEST_OUTPUT_DIR "/layout_screen.png")));

    // Inside the first piece its group colour (maroon), inside the offcut yellow.
    const auto pixel = [&](double x, double y) {
        return image.pixelColor(vor::ToScreenX(f.view, x), vor::ToScreenY(f.view, y));
    };
    EXPECT_EQ(pixel(10 + 100, 20 + 300), QColor(128, 0, 0));
    EXPECT_EQ(pixel(10 + 1900, 20 + 300), QColor(255, 255, 0));
    // The strip cut across the sheet is a level-1 line: green.
    EXPECT_EQ(pixel(10 + 1600, 20 + 600), QColor(0, 255, 0));
    // The background was cleared to the face colour.
    EXPECT_EQ(image.pixelColor(799, 1), QColor(0xF0, 0xF0, 0xF0));
}

TEST_F(LayoutPictureTest, PrinterDrawingIntoAOnePagePdf)
{
    const QString pdf = QStringLiteral(VOR_TEST_OUTPUT_DIR "/layout_printer.pdf");
    const vor::LayoutState state = FixtureLayout();
    vortest::DrawingFixture f(1, vor::DrawTarget::Printer);
    f.display.cuts = vor::CutDisplay::InitialCuts;
    f.context.printInitialCuts = true;
    f.print.printSheetMargins = true;
    {
        QPdfWriter writer(pdf);
        writer.setResolution(platform::kPrintDotsPerInch);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
        QPainter painter(&writer);
        f.view.drawingWidth = writer.width();
        f.view.leftMargin = 20;
        f.view.printerAspect = 0.8;
        vor::FitLayout(f.view, vor::LayoutExtent(state));
        vor::PainterCanvas canvas(painter);
        f.context.canvas = &canvas;
        vor::RedrawLayout(f.context, state, false);
    }
    const std::string info = RunTool(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_NE(info.find("Pages:           1\n"), std::string::npos) << info;
    const std::string text = RunTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    std::set<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.insert(line);
    for (const char* part : {"101", "80.0 x 60.0", "60.0 x 60.0", "59.0 x 60.0", "73.0 x 58.0",
                             "A", "B", "C", "D", "E",  // letter keys
                             "60.0", "80.0",           // the initial cuts at Y 600 and X 800
                             "1.0", "2.0"}) {          // the left and bottom trims
        EXPECT_EQ(lines.count(part), 1u) << part << "\n" << text;
    }
    // The offcuts, the small piece and the narrow scrap.
    EXPECT_EQ(f.keys.entries.size(), 5u);
}

}  // namespace
