// The real calculation on the run controller's worker thread: "Abreviar"
// during an Intensivo run, while the UI thread's event loop keeps turning.
#include <gtest/gtest.h>

#include <QTimer>
#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "tests/support/test_support.h"
#include "tests/support/ui_fixture.h"
#include "vorplan/common/data_folders.h"
#include "vorplan/common/text_file.h"
#include "vorplan/optimiser/calc_driver.h"
#include "vorplan/optimiser/ui/run_controller.h"

namespace {

using namespace std::chrono_literals;

// Counts what the worker reports; read on the UI thread.
class CountingEvents final : public vor::CalcEvents {
public:
    std::atomic<long long> trialsShown{0};
    std::atomic<long long> plannedTrials{0};
    std::atomic<bool> viewRequested{false};

    void TimeDisplayChanged(const vor::TimeDisplay& display) override
    {
        trialsShown = display.progress;
        plannedTrials = display.progressMaximum;
    }
    void ViewRequested() override { viewRequested = true; }
};

// Keeps the job's result past the job, which the controller drops at the end.
class KeepingJob final : public vor::RunJob {
public:
    KeepingJob(vor::CalcRequest request, vor::CalcEvents& events, vor::CalcRunResult& out)
        : m_job(std::move(request), events), m_out(out)
    {
    }
    int Run(vor::RunProgressSink& progress, vor::RunFlags& flags) override
    {
        const int status = m_job.Run(progress, flags);
        m_out = m_job.Result();
        return status;
    }

private:
    vor::CalcJob m_job;
    vor::CalcRunResult& m_out;
};

TEST(CalcJob, AbbreviateEndsAnIntensiveRunAfterTheCurrentTrialWithTheFinalRun)
{
    vortest::EnsureApplication();
    vortest::TestInstallation install;
    const vor::DataFolders folders = vor::MakeDataFolders(install.base());
    vor::WriteTextLines(vor::MaterialFile(folders, 1),
                        {"[PROP_FISIC]", "LARG_SERRA=4", "LARG_MIN_D=0", "GIRO=1"});
    vor::WriteTextLines(vor::SheetTableFile(folders, 1), {"1 1 50 2750 1830 Chapa"});
    std::vector<std::string> pieces;
    for (int i = 0; i < 12; ++i)
        pieces.push_back("1 " + std::to_string(i + 1) + " " + std::to_string(1 + i % 4) + " " +
                         std::to_string(300 + 47 * i) + " " + std::to_string(200 + 31 * i) +
                         " 1 Peca 1");
    vor::WriteTextLines(vor::OrderTableFile(folders, 1, true), pieces);

    vor::CalcRequest request;
    request.folders = folders;
    request.settings.calcType = 2;
    request.options = vor::MakeCalcOptions(request.settings);
    request.orders = {1};

    CountingEvents events;
    vor::CalcRunResult result;
    vor::RunController controller;
    QStringList lines;
    QObject::connect(&controller, &vor::RunController::progressLine,
                     [&](const QString& line) { lines << line; });
    bool ended = false;
    int endStatus = -1;
    QObject::connect(&controller, &vor::RunController::runEnded, [&](int status, const QString&) {
        ended = true;
        endStatus = status;
    });
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(5);

    ASSERT_TRUE(controller.Start(std::make_unique<KeepingJob>(request, events, result)));
    ASSERT_TRUE(vortest::WaitUntil([&] { return events.trialsShown.load() >= 3; }, 60s));
    const int ticksWhileRunning = ticks;
    controller.Abbreviate();
    ASSERT_TRUE(vortest::WaitUntil([&] { return ended; }, 120s));

    EXPECT_GT(ticksWhileRunning, 0);
    EXPECT_EQ(endStatus, 1);
    EXPECT_TRUE(result.abbreviated);
    ASSERT_EQ(result.outcomes.size(), 1u);
    EXPECT_LT(result.outcomes[0].trials, events.plannedTrials.load());
    // The final run repeated the best trial and its layouts became the result.
    EXPECT_GT(result.outcomes[0].layouts, 0);
    EXPECT_EQ(result.piecesPlaced, result.piecesSelected);
    EXPECT_TRUE(std::filesystem::exists(vor::LayoutFile(folders, 1, 1)));
    EXPECT_TRUE(events.viewRequested.load());
    EXPECT_TRUE(lines.contains(QStringLiteral("Pedidos : 1")));
}

}  // namespace
