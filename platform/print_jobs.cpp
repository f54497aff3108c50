#include "platform/print_jobs.h"

#include <stdexcept>

namespace platform {

namespace {

// Before a program installs its printer nothing can be printed, and every
// job says so.
class NoPrinter final : public PrintJobs {
public:
    bool PrintsToFile() const override { return true; }
    std::filesystem::path OutputFile() const override { return {}; }
    bool BeginJob(const std::string&, const std::filesystem::path&) override { return false; }
    bool NewPage() override { return false; }
    bool EndJob() override { return false; }
    bool JobOpen() const override { return false; }
    PrintPageMetrics Metrics() const override { return {}; }
    vor::Canvas& JobCanvas() override { throw std::logic_error("no print job is open"); }
    void SetFullPage(bool) override {}
    bool PrintSetup() override { return false; }
    bool PageSetup() override { return false; }
};

NoPrinter gNone;
PrintJobs* gJobs = &gNone;

}  // namespace

PrintJobs& PrintService()
{
    return *gJobs;
}

void SetPrintService(PrintJobs* jobs)
{
    gJobs = jobs ? jobs : &gNone;
}

}  // namespace platform
