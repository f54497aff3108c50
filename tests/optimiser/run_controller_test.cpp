// The run controller with a fake job that loops in trials and tests the run
// flags between them as the calculation does.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>

#include "tests/support/ui_fixture.h"
#include "vorplan/optimiser/run_job.h"
#include "vorplan/optimiser/ui/run_controller.h"

namespace {

using namespace std::chrono_literals;

// What the job did, kept past its destruction for the checks.
struct JobRecord {
    std::atomic<int> trialsStarted{0};
    std::atomic<int> trialsDone{0};
    std::atomic<bool> finalRun{false};
    std::atomic<bool> sawClosing{false};
    std::atomic<bool> waitedForOk{false};
    std::atomic<bool> destroyed{false};
    std::atomic<bool> ranOnUiThread{false};
};

enum class EndWait { None, ForOk };

// Up to `trials` trials of `trialTime` each; between trials closing ends the
// run at once and "Abreviar" leaves the loop for the final run. With
// EndWait::ForOk it waits for "Ok" at the end like the report page.
class TrialJob : public vor::RunJob {
public:
    TrialJob(std::shared_ptr<JobRecord> record, int trials, std::chrono::milliseconds trialTime,
             EndWait endWait = EndWait::None, QThread* uiThread = nullptr)
        : m_record(std::move(record)), m_trials(trials), m_trialTime(trialTime),
          m_endWait(endWait), m_uiThread(uiThread)
    {
    }
    ~TrialJob() override { m_record->destroyed = true; }

    int Run(vor::RunProgressSink& progress, vor::RunFlags& flags) override
    {
        if (m_uiThread && QThread::currentThread() == m_uiThread) {
            m_record->ranOnUiThread = true;
        }
        for (int trial = 1; trial <= m_trials; ++trial) {
            m_record->trialsStarted = trial;
            std::this_thread::sleep_for(m_trialTime);
            m_record->trialsDone = trial;
            progress.Line("trial " + std::to_string(trial));
            if (flags.closing) {
                m_record->sawClosing = true;
                return 7;
            }
            if (flags.abbreviate) {
                break;
            }
        }
        m_record->finalRun = true;
        progress.Line("final run ç");
        if (m_endWait == EndWait::ForOk) {
            m_record->waitedForOk = true;
            while (!flags.ok) {
                std::this_thread::sleep_for(1ms);
            }
            if (flags.closing) {
                m_record->sawClosing = true;
            }
        }
        return 1;
    }

private:
    std::shared_ptr<JobRecord> m_record;
    int m_trials;
    std::chrono::milliseconds m_trialTime;
    EndWait m_endWait;
    QThread* m_uiThread;
};

class ThrowingJob : public vor::RunJob {
public:
    int Run(vor::RunProgressSink& progress, vor::RunFlags&) override
    {
        progress.Line("before");
        throw std::runtime_error("no room");
    }
};

// The controller with everything it delivered recorded on arrival.
class RunControllerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        vortest::EnsureApplication();
        m_controller = std::make_unique<vor::RunController>();
        // Direct: the slot runs where the signal is emitted, which must be
        // the UI thread.
        QObject::connect(
            m_controller.get(), &vor::RunController::progressLine, m_controller.get(),
            [this](const QString& line) {
                if (QThread::currentThread() != UiThread()) {
                    ++m_offThreadDeliveries;
                }
                m_lines << line;
                if (m_onLine) {
                    m_onLine(line);
                }
            },
            Qt::DirectConnection);
        QObject::connect(
            m_controller.get(), &vor::RunController::runEnded, m_controller.get(),
            [this](int status, const QString& failure) {
                if (QThread::currentThread() != UiThread()) {
                    ++m_offThreadDeliveries;
                }
                ++m_ends;
                m_status = status;
                m_failure = failure;
                m_runningAtEnd = m_controller->IsRunning();
            },
            Qt::DirectConnection);
    }

    static QThread* UiThread() { return QCoreApplication::instance()->thread(); }

    bool WaitForEnd(int ends = 1)
    {
        return vortest::WaitUntil([&] { return m_ends >= ends; }, 10s);
    }

    std::unique_ptr<vor::RunController> m_controller;
    std::function<void(const QString&)> m_onLine;
    QStringList m_lines;
    int m_offThreadDeliveries = 0;
    int m_ends = 0;
    int m_status = -100;
    QString m_failure;
    bool m_runningAtEnd = true;
};

TEST_F(RunControllerTest, AbbreviateEndsAfterTheCurrentTrialWithTheFinalRunWhileTheUiTurns)
{
    auto record = std::make_shared<JobRecord>();
    int ticks = 0;
    QTimer timer;
    timer.setInterval(5);
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start();

    int startedAtPress = -1;
    m_onLine = [&](const QString& line) {
        if (line == QStringLiteral("trial 5") && startedAtPress < 0) {
            m_controller->Abbreviate();
            // Read after the flag is set: no trial beyond this one may start.
            startedAtPress = record->trialsStarted;
        }
    };
    ASSERT_TRUE(m_controller->Start(
        std::make_unique<TrialJob>(record, 1000, 10ms, EndWait::None, UiThread())));
    EXPECT_TRUE(m_controller->IsRunning());
    // Start returns at once: the job has hardly begun.
    EXPECT_LT(record->trialsDone.load(), 1000);
    const int ticksAtStart = ticks;

    ASSERT_TRUE(WaitForEnd());
    const int ticksDuringRun = ticks - ticksAtStart;

    EXPECT_FALSE(record->ranOnUiThread);
    EXPECT_TRUE(m_controller->Flags().abbreviate);
    ASSERT_GE(startedAtPress, 5);
    EXPECT_LE(record->trialsDone.load(), startedAtPress);
    // The trial under way was finished, not cut.
    EXPECT_EQ(record->trialsDone.load(), record->trialsStarted.load());
    EXPECT_TRUE(record->finalRun);
    EXPECT_FALSE(record->sawClosing);
    // At least five trials of 10 ms ran while the UI thread kept its timer going.
    EXPECT_GE(ticksDuringRun, 4);

    // Every line in order, the final run last; the end after the last line.
    ASSERT_EQ(m_lines.size(), record->trialsDone.load() + 1);
    for (int i = 0; i < record->trialsDone; ++i) {
        EXPECT_EQ(m_lines[i], QStringLiteral("trial %1").arg(i + 1));
    }
    EXPECT_EQ(m_lines.back(), QString::fromUtf8("final run ç"));
    EXPECT_EQ(m_offThreadDeliveries, 0);
    EXPECT_EQ(m_status, 1);
    EXPECT_TRUE(m_failure.isEmpty());
    EXPECT_FALSE(m_runningAtEnd);
    EXPECT_TRUE(record->destroyed);
}

TEST_F(RunControllerTest, ClosingStopsTheTrialsWithoutTheFinalRun)
{
    auto record = std::make_shared<JobRecord>();
    m_onLine = [&](const QString& line) {
        if (line == QStringLiteral("trial 2")) {
            m_controller->Close();
        }
    };
    ASSERT_TRUE(m_controller->Start(std::make_unique<TrialJob>(record, 1000, 5ms)));
    ASSERT_TRUE(WaitForEnd());
    EXPECT_TRUE(record->sawClosing);
    EXPECT_FALSE(record->finalRun);
    EXPECT_LT(record->trialsDone.load(), 1000);
    EXPECT_EQ(m_status, 7);
    EXPECT_EQ(m_offThreadDeliveries, 0);
}

TEST_F(RunControllerTest, OkAndClosingEachEndTheWaitAtTheEnd)
{
    struct Case {
        const char* name;
        void (vor::RunController::*press)();
        bool closing;
    };
    const Case cases[] = {
        {"Ok", &vor::RunController::ConfirmOk, false},
        {"close", &vor::RunController::Close, true},
    };
    int ends = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto record = std::make_shared<JobRecord>();
        m_lines.clear();
        ASSERT_TRUE(m_controller->Start(std::make_unique<TrialJob>(record, 3, 1ms, EndWait::ForOk)));
        ASSERT_TRUE(vortest::WaitUntil([&] { return record->waitedForOk.load(); }, 10s));
        // The job waits; the UI thread does not.
        vortest::ProcessEvents();
        EXPECT_TRUE(m_controller->IsRunning());
        EXPECT_EQ(m_ends, ends);
        (m_controller.get()->*c.press)();
        ASSERT_TRUE(WaitForEnd(++ends));
        EXPECT_TRUE(record->finalRun);
        EXPECT_EQ(record->sawClosing.load(), c.closing);
        EXPECT_EQ(m_lines.size(), 4);
    }
}

TEST_F(RunControllerTest, OneRunAtATimeAndEachStartsWithClearFlags)
{
    auto first = std::make_shared<JobRecord>();
    ASSERT_TRUE(m_controller->Start(std::make_unique<TrialJob>(first, 1000, 2ms)));
    EXPECT_FALSE(m_controller->Start(std::make_unique<TrialJob>(first, 1, 1ms)));
    EXPECT_FALSE(m_controller->Start(nullptr));
    m_controller->Abbreviate();
    ASSERT_TRUE(WaitForEnd());
    EXPECT_TRUE(first->finalRun);

    // The abbreviation of the first run does not cut the second short.
    auto second = std::make_shared<JobRecord>();
    ASSERT_TRUE(m_controller->Start(std::make_unique<TrialJob>(second, 6, 1ms)));
    EXPECT_FALSE(m_controller->Flags().abbreviate);
    ASSERT_TRUE(WaitForEnd(2));
    EXPECT_EQ(second->trialsDone.load(), 6);
    EXPECT_TRUE(second->finalRun);
}

TEST_F(RunControllerTest, AThrowingJobEndsTheRunWithItsMessage)
{
    ASSERT_TRUE(m_controller->Start(std::make_unique<ThrowingJob>()));
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ(m_status, -1);
    EXPECT_EQ(m_failure, QStringLiteral("no room"));
    EXPECT_EQ(m_lines, QStringList{QStringLiteral("before")});
    EXPECT_FALSE(m_controller->IsRunning());
}

TEST_F(RunControllerTest, DestroyingTheControllerClosesTheRunningJob)
{
    for (const EndWait wait : {EndWait::None, EndWait::ForOk}) {
        auto record = std::make_shared<JobRecord>();
        auto controller = std::make_unique<vor::RunController>();
        ASSERT_TRUE(controller->Start(std::make_unique<TrialJob>(record, 1000000, 1ms, wait)));
        ASSERT_TRUE(vortest::WaitUntil([&] { return record->trialsDone >= 2; }, 10s));
        controller.reset();
        EXPECT_TRUE(record->sawClosing);
        EXPECT_TRUE(record->destroyed);
        EXPECT_LT(record->trialsDone.load(), 1000000);
        // Lines still queued for the dead controller are dropped, not delivered.
        vortest::ProcessEvents();
    }
}

}  // namespace
