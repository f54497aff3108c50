#pragma once

#include <QPainter>
#include <QPrinter>
#include <QString>
#include <functional>
#include <memory>

#include "platform/print_jobs.h"

namespace platform {

// The program's one QPrinter, set up once and kept for the run: the default
// printer, or PDF output (A4 portrait, 5 mm margins) when none is installed.
// Always 600 dots per inch, so printed pixel values keep their size on every
// device. Each job paints with one QPainter; the canvas on it is made by
// `makeCanvas`, which the program supplies (the canvas lives above this layer).
class QtPrintJobs final : public PrintJobs {
public:
    using CanvasMaker = std::function<std::unique_ptr<vor::Canvas>(QPainter&, int dotsPerInch)>;

    explicit QtPrintJobs(CanvasMaker makeCanvas);
    ~QtPrintJobs() override;

    bool PrintsToFile() const override;
    std::filesystem::path OutputFile() const override;
    bool BeginJob(const std::string& title, const std::filesystem::path& file) override;
    bool NewPage() override;
    bool EndJob() override;
    bool JobOpen() const override { return m_painter.isActive(); }
    PrintPageMetrics Metrics() const override;
    vor::Canvas& JobCanvas() override;
    void SetFullPage(bool on) override;
    bool PrintSetup() override;
    bool PageSetup() override;

    QPrinter& Printer() { return m_printer; }
    // PDF output into `file` without a dialog (unattended runs and tests).
    void UsePdfOutput(const QString& file);

private:
    CanvasMaker m_makeCanvas;
    QPrinter m_printer;
    QPainter m_painter;
    std::unique_ptr<vor::Canvas> m_canvas;
    QString m_chosenFile;   // the file to restore after a job wrote another one
    QString m_jobFile;
};

}  // namespace platform
