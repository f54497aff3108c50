// Times the viewer's overview of all layouts: every layout file read (and so
// rewritten) and drawn with its stack into a 1200 x 700 picture.
// Usage: overview_bench [layouts ...]   (default: 26 300 900)

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "vorplan/common/text_file.h"
#include "vorplan/common/ui/painter_canvas.h"
#include "vorplan/layoutview/layout_drawing.h"
#include "vorplan/layoutview/layout_pass.h"
#include "vorplan/layoutview/overview.h"
#include "vorplan/layoutview/viewer_settings.h"
#include "vorplan/optimiser/layout_files.h"

namespace {

using Clock = std::chrono::steady_clock;

// A 2750 x 1830 mm sheet with a grid of 12 pieces, an offcut and repetitions.
std::vector<std::string> LayoutLines(long long n)
{
    std::vector<std::string> lines = {"; Arquivo de distribuição ( Modificado )", "",
                                      ";Tipo  Cód.     X     Y     L     H ", "",
                                      "0 3 " + std::to_string(n % 7) + " 0 27500 18300 Chapa 0",
                                      "5 0 100 100 0 0 Borda 0"};
    for (int i = 0; i < 12; ++i)
        lines.push_back("1 " + std::to_string(100 + i) + " " + std::to_string((i % 4) * 6000) + " " +
                        std::to_string((i / 4) * 5000) + " 5956 4956 Peca_" + std::to_string(i) + " 1");
    lines.push_back("2 0 24000 0 3200 18000 Retalho 0");
    return lines;
}

}  // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    std::vector<long long> counts;
    for (int i = 1; i < argc; ++i)
        counts.push_back(std::atoll(argv[i]));
    if (counts.empty())
        counts = {26, 300, 900};

    for (long long count : counts) {
        QTemporaryDir dir;
        vor::LayoutInputs inputs;
        inputs.folders = vor::MakeDataFolders(dir.path().toStdString());
        std::filesystem::create_directories(inputs.folders.mont);
        inputs.material.code = 7;
        inputs.material.kerf = 40;
        for (long long n = 1; n <= count; ++n)
            vor::WriteTextLines(vor::LayoutFile(inputs.folders, n, 7), LayoutLines(n));
        vor::LayoutState state;
        vor::LayoutTotals totals;
        vor::RunLayoutPass(state, inputs, totals);

        QImage image(1200, 700, QImage::Format_RGB32);
        vor::ViewTransform view;
        view.boxWidth = image.width();
        view.boxHeight = image.height();
        vor::ViewerDisplaySettings display;
        vor::OverviewCells cells;
        double best = 1e9;
        for (int run = 0; run < 3; ++run) {
            QPainter painter(&image);
            vor::PainterCanvas canvas(painter);
            vor::DrawContext context;
            context.canvas = &canvas;
            context.display = &display;
            context.kerf = inputs.material.kerf;
            const auto start = Clock::now();
            const vor::OverviewResult result = vor::DrawOverview(context, view, state, inputs, cells, {});
            best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
            if (result.drawn != count) {
                std::cerr << "drew " << result.drawn << " of " << count << "\n";
                return 1;
            }
        }
        std::cout << count << " layouts: " << best << " s (best of 3)\n";
    }
    return 0;
}
