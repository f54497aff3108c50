#pragma once

#include <filesystem>
#include <string>

namespace vor {
class Canvas;
}

namespace platform {

// Every printed pixel value of vorplan is meant for this resolution, on a
// printer and in a PDF file alike.
constexpr int kPrintDotsPerInch = 600;

// The page of the open job, in device pixels at kPrintDotsPerInch.
struct PrintPageMetrics {
    int width = 0;   // the printable area (the whole paper with full-page printing)
    int height = 0;
    int originX = 0;  // the printable area's top-left corner on the paper
    int originY = 0;
    int paperWidth = 0;
    int paperHeight = 0;
    int dotsPerInch = kPrintDotsPerInch;
};

// The one printer of the program and its jobs. Drawing goes through the
// canvas of the open job; a job is one document, its pages cut by NewPage.
// The programs install the Qt one; tests install a FakePrintJobs.
class PrintJobs {
public:
    virtual ~PrintJobs() = default;

    // True when the output goes into a PDF file: no printer is installed, or
    // the set-up dialog chose a file.
    virtual bool PrintsToFile() const = 0;
    // The PDF file chosen in the set-up dialog; empty when none was chosen.
    virtual std::filesystem::path OutputFile() const = 0;

    // Starts a job titled `title`. With PDF output it writes `file`, or the
    // chosen file when `file` is empty. False when the job could not start
    // (no printer answering, a file that cannot be written): nothing is open.
    virtual bool BeginJob(const std::string& title, const std::filesystem::path& file = {}) = 0;
    // A new page in the open job; false when the device refused it.
    virtual bool NewPage() = 0;
    // Ends the open job; false when its output could not be finished.
    virtual bool EndJob() = 0;
    virtual bool JobOpen() const = 0;
    // The metrics of the open job's pages (of the next job when none is open).
    virtual PrintPageMetrics Metrics() const = 0;
    // The canvas on the open job's current page; throws std::logic_error when no job is open.
    virtual vor::Canvas& JobCanvas() = 0;
    // Positions measured from the paper's top-left corner instead of the
    // printable area's, until switched off again.
    virtual void SetFullPage(bool on) = 0;

    // The printer dialog (printer or PDF file, paper, orientation) and the
    // page set-up dialog; false when cancelled. Kept for the program run.
    virtual bool PrintSetup() = 0;
    virtual bool PageSetup() = 0;
};

// The service in use. Until a program installs one, a service that has no
// printer and starts no job.
PrintJobs& PrintService();
// Installs `jobs` (nullptr restores the one that prints nothing). UI thread only.
void SetPrintService(PrintJobs* jobs);

}  // namespace platform
