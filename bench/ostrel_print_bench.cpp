// Times ostrel's print of a report whose "@D" lines open blocks that no "@d"
// closes, so that each block runs to the end of the report: the page pass and
// the PDF it paints, beside the block walk the page pass made before the
// colon alignment measured each line once.
// Usage: ostrel_print_bench [lines ...]   (default: 10000 25000)

#include <QApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <charconv>
#include <chrono>
#include <iostream>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "ostrel/print_layout.h"
#include "ostrel/qt_metrics.h"
#include "ostrel/report_printer.h"
#include "ostrel/report_store.h"
#include "vorplan/common/conversions.h"

namespace {

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Every other line "@D", the others "Campo n: valor n".
std::vector<std::string> OpenBlockReport(int lines)
{
    std::vector<std::string> out;
    out.reserve(static_cast<std::size_t>(lines));
    for (int i = 0; i < lines; ++i)
        out.push_back(i % 2 == 0 ? "@D" : "Campo " + std::to_string(i) + ": valor " + std::to_string(i));
    return out;
}

// The walk the renderer made before: the first colon line of each block
// measured every line of the block, down to the end of its stretch.
int OldBlockWalk(const ostrel::ReportDocument& doc, const ostrel::TextMetrics& metrics, int letterSize)
{
    std::map<int, int> widths;
    for (int row = 0; row < doc.Count(); ++row) {
        const ostrel::LineStyle style = ostrel::ParsePrefix(doc.Text(row), letterSize);
        const auto block = doc.BlockOf(row);
        if (!block || ostrel::IsBlockMarker(style.rest) || style.rest.find(':') == std::string::npos ||
            widths.count(block->first))
            continue;
        int widest = 0;
        for (int j = block->first; j <= block->last; ++j) {
            const ostrel::LineStyle s = ostrel::ParsePrefix(doc.Text(j), letterSize);
            if (ostrel::IsBlockMarker(s.rest) || s.rest.find(':') == std::string::npos)
                continue;
            const std::size_t colon = s.rest.find(':');
            widest = std::max(widest, metrics.TextWidth(ostrel::StyleFont(s),
                                                        std::string_view(s.rest).substr(0, colon + 1)));
        }
        widths.emplace(block->first, widest);
    }
    return static_cast<int>(widths.size());
}

}  // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg(argv[i]);
        int n = 0;
        const auto res = std::from_chars(arg.data(), arg.data() + arg.size(), n);
        if (res.ec != std::errc() || res.ptr != arg.data() + arg.size() || n < 1 || n > ostrel::kMaxRows - 1) {
            std::cerr << "usage: ostrel_print_bench [lines ...] (1 to " << ostrel::kMaxRows - 1 << ")\n";
            return 2;
        }
        sizes.push_back(n);
    }
    if (sizes.empty())
        sizes = {10000, 25000};

    QTemporaryDir dir;
    std::cout << "lines pages page_pass_s pdf_s old_block_walk_s before_s after_s\n";
    for (const int n : sizes) {
        const ostrel::QtMetrics screen;
        ostrel::ReportStore store(screen, 8, 8);
        store.LoadLines(OpenBlockReport(n));

        ostrel::ReportPrinter printer;
        printer.UsePdfOutput(dir.filePath(QStringLiteral("bench.pdf")));
        const ostrel::QtMetrics printerMetrics(&printer.Printer());
        ostrel::PrintJob job;
        job.report = &store;
        job.geometry = printer.Geometry(false);
        job.screen = &screen;
        job.printer = &printerMetrics;
        job.settings.picture1.file.clear();
        job.settings.picture2.file.clear();

        auto start = Clock::now();
        const int total = ostrel::CountPages(job);
        const std::vector<ostrel::PrintedPage> pages = ostrel::LayOutPages(job, total);
        const double pagePass = Since(start);

        start = Clock::now();
        if (!printer.Print(pages, {})) {
            std::cerr << "the PDF could not be written\n";
            return 1;
        }
        const double pdf = Since(start);

        const ostrel::QtMetrics oldMetrics(&printer.Printer());
        start = Clock::now();
        OldBlockWalk(store.Document(), oldMetrics, job.settings.letterSize);
        const double oldWalk = Since(start);

        std::cout << n << ' ' << total << ' ' << vor::FormatFixed(pagePass, 3) << ' ' << vor::FormatFixed(pdf, 3)
                  << ' ' << vor::FormatFixed(oldWalk, 3) << ' ' << vor::FormatFixed(pagePass + oldWalk + pdf, 3)
                  << ' ' << vor::FormatFixed(pagePass + pdf, 3) << '\n';
    }
    return 0;
}
