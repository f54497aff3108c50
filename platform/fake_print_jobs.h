#pragma once

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/print_jobs.h"

namespace platform {

// One job as the program printed it.
struct RecordedPrintJob {
    std::string title;
    std::filesystem::path file;  // the PDF file asked for, if any
    int pages = 1;
    bool ended = false;
};

// A print service for tests: an A4 portrait page at 600 dots per inch with
// 5 mm margins, drawn on the canvas the test gives. Jobs and pages are
// recorded; jobs, pages or their ends can be refused, and `onPage` runs at the
// start of every page (a test marks its canvas there).
class FakePrintJobs final : public PrintJobs {
public:
    explicit FakePrintJobs(vor::Canvas& canvas) : m_canvas(canvas) {}

    static PrintPageMetrics A4()
    {
        // 210 x 297 mm at 600 dpi, 5 mm (118 pixels) off each edge.
        return {4724, 6780, 118, 118, 4961, 7016, kPrintDotsPerInch};
    }

    bool PrintsToFile() const override { return m_toFile; }
    std::filesystem::path OutputFile() const override { return m_chosenFile; }

    bool BeginJob(const std::string& title, const std::filesystem::path& file) override
    {
        if (m_open)
            throw std::logic_error("a print job is already open");
        if (m_refuseJobs)
            return false;
        m_jobs.push_back({title, file.empty() ? m_chosenFile : file, 1, false});
        m_open = true;
        if (m_onPage)
            m_onPage();
        return true;
    }
    bool NewPage() override
    {
        if (!m_open)
            throw std::logic_error("no print job is open");
        if (m_refusePages)
            return false;
        ++m_jobs.back().pages;
        if (m_onPage)
            m_onPage();
        return true;
    }
    bool EndJob() override
    {
        if (!m_open)
            throw std::logic_error("no print job is open");
        m_open = false;
        m_jobs.back().ended = true;
        return !m_failEnds;
    }
    bool JobOpen() const override { return m_open; }
    PrintPageMetrics Metrics() const override
    {
        PrintPageMetrics m = m_metrics;
        if (m_fullPage) {
            m.width = m.paperWidth;
            m.height = m.paperHeight;
            m.originX = 0;
            m.originY = 0;
        }
        return m;
    }
    vor::Canvas& JobCanvas() override
    {
        if (!m_open)
            throw std::logic_error("no print job is open");
        return m_canvas;
    }
    void SetFullPage(bool on) override
    {
        m_fullPage = on;
        m_fullPageCalls.push_back(on);
    }
    bool PrintSetup() override
    {
        ++m_setups;
        return m_acceptDialogs;
    }
    bool PageSetup() override
    {
        ++m_pageSetups;
        return m_acceptDialogs;
    }

    void SetPrintsToFile(bool on, std::filesystem::path chosen = {})
    {
        m_toFile = on;
        m_chosenFile = std::move(chosen);
    }
    void SetMetrics(const PrintPageMetrics& metrics) { m_metrics = metrics; }
    void SetRefuseJobs(bool on) { m_refuseJobs = on; }
    void SetRefusePages(bool on) { m_refusePages = on; }
    void SetFailEnds(bool on) { m_failEnds = on; }
    void SetAcceptDialogs(bool on) { m_acceptDialogs = on; }
    void SetOnPage(std::function<void()> onPage) { m_onPage = std::move(onPage); }

    const std::vector<RecordedPrintJob>& Jobs() const { return m_jobs; }
    int PageCount() const
    {
        int pages = 0;
        for (const RecordedPrintJob& job : m_jobs)
            pages += job.pages;
        return pages;
    }
    bool FullPage() const { return m_fullPage; }
    const std::vector<bool>& FullPageCalls() const { return m_fullPageCalls; }
    int Setups() const { return m_setups; }
    int PageSetups() const { return m_pageSetups; }

private:
    vor::Canvas& m_canvas;
    PrintPageMetrics m_metrics = A4();
    std::vector<RecordedPrintJob> m_jobs;
    std::vector<bool> m_fullPageCalls;
    std::function<void()> m_onPage;
    std::filesystem::path m_chosenFile;
    bool m_toFile = false;
    bool m_open = false;
    bool m_fullPage = false;
    bool m_refuseJobs = false;
    bool m_refusePages = false;
    bool m_failEnds = false;
    bool m_acceptDialogs = true;
    int m_setups = 0;
    int m_pageSetups = 0;
};

// Installs a print service for the life of the object, then restores the one
// that was installed before.
class ScopedPrintJobs {
public:
    explicit ScopedPrintJobs(PrintJobs& jobs) : m_previous(&PrintService()) { SetPrintService(&jobs); }
    ~ScopedPrintJobs() { SetPrintService(m_previous); }
    ScopedPrintJobs(const ScopedPrintJobs&) = delete;
    ScopedPrintJobs& operator=(const ScopedPrintJobs&) = delete;

private:
    PrintJobs* m_previous;
};

}  // namespace platform
