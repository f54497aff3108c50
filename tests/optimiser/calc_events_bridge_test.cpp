// The bridge driven from a real worker thread, as the calculation calls it.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QThread>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "platform/fake_message_service.h"
#include "platform/fake_sound.h"
#include "tests/support/ui_fixture.h"
#include "vorplan/optimiser/ui/calc_events_bridge.h"

// Readable failures of QString and QStringList comparisons.
void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

using namespace std::chrono_literals;
using platform::BeepKind;
using platform::RecordingSound;
using vor::EndSignal;
using vor::QueuedCalcEvents;
using vor::SignalRepeat;
using Call = RecordingSound::Call;
using Event = RecordingSound::Event;
using Events = std::vector<Event>;

// A box that stays up, as a real modal box does, while `whileUp` runs; the
// box itself is recorded and answered by the scripted service.
class HeldMessages final : public platform::MessageService {
public:
    explicit HeldMessages(platform::MessageService& record) : m_record(record) {}

    platform::Answer Show(std::string_view text, std::string_view title, platform::MessageKind kind,
                          platform::Buttons buttons) override
    {
        const platform::Answer answer = m_record.Show(text, title, kind, buttons);
        if (whileUp)
            whileUp();
        return answer;
    }

    std::function<void()> whileUp;

private:
    platform::MessageService& m_record;
};

// Polls without running the UI thread's events, as a UI thread busy elsewhere.
bool WaitWithoutEvents(const std::atomic<bool>& flag, std::chrono::milliseconds timeout = 5s)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!flag) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

class CalcEventsBridgeTest : public vortest::UiTest {
protected:
    void SetUp() override { MakeBridge(); }

    void TearDown() override
    {
        // A worker stuck by a failed check must not hang the test.
        if (m_bridge)
            m_bridge->Release();
        JoinWorker();
    }

    void MakeBridge()
    {
        m_bridge = std::make_unique<QueuedCalcEvents>();
        QueuedCalcEvents* b = m_bridge.get();
        QObject* r = &m_receiver;
        QObject::connect(b, &QueuedCalcEvents::reportLines, r, [this](const QStringList& lines) {
            Note(QStringLiteral("report ") + lines.join(QLatin1Char('|')));
        });
        QObject::connect(b, &QueuedCalcEvents::busyChanged, r,
                         [this](bool busy) { Note(QStringLiteral("busy ") + YesNo(busy)); });
        QObject::connect(b, &QueuedCalcEvents::calcTypeChoiceEnabled, r, [this](bool enabled) {
            Note(QStringLiteral("calcType ") + YesNo(enabled));
        });
        QObject::connect(b, &QueuedCalcEvents::materialStarted, r,
                         [this](qint64 code) { Note(QStringLiteral("material %1").arg(code)); });
        QObject::connect(b, &QueuedCalcEvents::statusPanel, r,
                         [this](int message) { Note(QStringLiteral("status %1").arg(message)); });
        QObject::connect(b, &QueuedCalcEvents::layoutStarted, r,
                         [this](qint64 layout) { Note(QStringLiteral("layout %1").arg(layout)); });
        QObject::connect(b, &QueuedCalcEvents::timeDisplay, r,
                         [this](const QString& elapsed, const QString& estimated,
                                const QString& remaining, qint64 progress, qint64 maximum) {
                             Note(QStringLiteral("time %1 %2 %3 %4/%5")
                                      .arg(elapsed, estimated, remaining)
                                      .arg(progress)
                                      .arg(maximum));
                         });
        QObject::connect(b, &QueuedCalcEvents::abbreviateEnabled, r,
                         [this] { Note(QStringLiteral("abbreviate")); });
        QObject::connect(b, &QueuedCalcEvents::errorText, r,
                         [this](const QString& text) { Note(QStringLiteral("error ") + text); });
        QObject::connect(b, &QueuedCalcEvents::candidateShown, r, [this](const QString& text) {
            Note(QStringLiteral("candidate ") + text);
        });
        QObject::connect(b, &QueuedCalcEvents::bestPositionAdded, r,
                         [this](const QString& line) { Note(QStringLiteral("best ") + line); });
        QObject::connect(b, &QueuedCalcEvents::endPageShown, r,
                         [this] { Note(QStringLiteral("endPage")); });
        QObject::connect(b, &QueuedCalcEvents::viewRequested, r,
                         [this] { Note(QStringLiteral("view")); });
    }

    static QString YesNo(bool value)
    {
        return value ? QStringLiteral("yes") : QStringLiteral("no");
    }

    // Each delivery with the number of sounds made before it, which places
    // the sounds among the signals.
    void Note(const QString& entry)
    {
        if (QThread::currentThread() != QCoreApplication::instance()->thread())
            ++m_offThreadDeliveries;
        m_log << entry + QStringLiteral(" [%1]").arg(sound().Events().size());
    }

    // Runs `script` on a worker thread; m_workerDone is set when it returns.
    void StartWorker(std::function<void(QueuedCalcEvents&)> script)
    {
        JoinWorker();
        m_workerDone = false;
        QueuedCalcEvents* bridge = m_bridge.get();
        m_worker = std::thread([this, bridge, script = std::move(script)] {
            script(*bridge);
            m_workerDone = true;
        });
    }
    // A worker that never waits for a box: started and finished.
    void RunOnWorker(std::function<void(QueuedCalcEvents&)> script)
    {
        StartWorker(std::move(script));
        JoinWorker();
    }
    void JoinWorker()
    {
        if (m_worker.joinable())
            m_worker.join();
    }

    std::size_t SystemBeeps() { return sound().Count(Call::SystemBeep); }

    QObject m_receiver;  // lives on the UI thread
    std::unique_ptr<QueuedCalcEvents> m_bridge;
    QStringList m_log;
    int m_offThreadDeliveries = 0;
    std::atomic<bool> m_workerDone{false};
    std::thread m_worker;
};

TEST_F(CalcEventsBridgeTest, EventsArriveOnTheUiThreadInTheOrderOfTheCalls)
{
    // The music plays only when its file is there.
    const vortest::fs::path music = base() / "musica.wav";
    vortest::WriteBytes(music, "RIFF");
    RunOnWorker([&](QueuedCalcEvents& events) {
        events.BusyChanged(true);
        events.MusicStarted(music);
        events.CalcTypeChoiceEnabled(false);
        events.MaterialStarted(123456789012LL);
        events.StatusPanel(7);
        events.LayoutStarted(3);
        events.ReportLines({"Material: 12 ç", "", "linha 3"});
        events.TimeDisplayChanged({"00:00:01", "00:00:10", "00:00:09", 1, 10});
        events.BetterTrial();
        events.AbbreviateEnabled();
        events.Error("error AB12 (3)");
        events.CandidateShown("Testanto a chapa: 1000 x 1500");
        events.BestPositionAdded("1000 x 1500  87,5%");
        events.MusicStopped();
        events.EndPageShown();
        events.ViewRequested();
        events.BusyChanged(false);
    });
    // The worker ran to its end without the UI thread: nothing was delivered
    // on its thread, everything waits in the UI thread's queue.
    EXPECT_TRUE(m_log.isEmpty());
    EXPECT_TRUE(sound().Events().empty());

    const QStringList expected = {
        QStringLiteral("busy yes [0]"),
        QStringLiteral("calcType no [1]"),
        QStringLiteral("material 123456789012 [1]"),
        QStringLiteral("status 7 [1]"),
        QStringLiteral("layout 3 [1]"),
        QString::fromUtf8("report Material: 12 ç||linha 3 [1]"),
        QStringLiteral("time 00:00:01 00:00:10 00:00:09 1/10 [1]"),
        QStringLiteral("abbreviate [2]"),
        QStringLiteral("error error AB12 (3) [2]"),
        QStringLiteral("candidate Testanto a chapa: 1000 x 1500 [2]"),
        QStringLiteral("best 1000 x 1500  87,5% [2]"),
        QStringLiteral("endPage [3]"),
        QStringLiteral("view [3]"),
        QStringLiteral("busy no [3]"),
    };
    ASSERT_TRUE(vortest::WaitUntil([&] { return m_log.size() >= expected.size(); }));
    vortest::ProcessEvents();
    EXPECT_EQ(m_log, expected);
    EXPECT_EQ(m_offThreadDeliveries, 0);
    EXPECT_EQ(sound().Events(),
              (Events{{Call::PlayLoop, music}, {Call::Beep, {}}, {Call::Stop, {}}}));
    EXPECT_EQ(messages().Count(), 0u);
}

TEST_F(CalcEventsBridgeTest, ShowMessageHoldsTheWorkerUntilItsBoxIsAnswered)
{
    HeldMessages held(messages());
    platform::ScopedMessages install(held);
    std::vector<QStringList> logWhileUp;
    held.whileUp = [&] {
        // The UI thread runs on while the box is up; the worker waits.
        EXPECT_FALSE(vortest::WaitUntil([&] { return m_workerDone.load(); }, 100ms));
        logWhileUp.push_back(m_log);
    };

    StartWorker([](QueuedCalcEvents& events) {
        events.ReportLines({"antes"});
        events.ShowMessage("Sem chapa para as peças restantes");
        events.ReportLines({"entre"});
        events.ShowMessage("segunda");
        events.ReportLines({"depois"});
    });
    ASSERT_TRUE(vortest::WaitUntil([&] { return m_workerDone.load(); }));
    vortest::ProcessEvents();

    EXPECT_EQ(messages().Texts(),
              (std::vector<std::string>{"Sem chapa para as peças restantes", "segunda"}));
    EXPECT_EQ(messages().Last().buttons, platform::Buttons::Ok);
    // Each box came up in its place among the other events.
    ASSERT_EQ(logWhileUp.size(), 2u);
    EXPECT_EQ(logWhileUp[0], QStringList{QStringLiteral("report antes [0]")});
    EXPECT_EQ(logWhileUp[1], (QStringList{QStringLiteral("report antes [0]"),
                                          QStringLiteral("report entre [0]")}));
    EXPECT_EQ(m_log.size(), 3);
    EXPECT_EQ(m_offThreadDeliveries, 0);
}

TEST_F(CalcEventsBridgeTest, ShowMessageOnTheUiThreadShowsTheBoxWithoutWaitingOnItself)
{
    m_bridge->ShowMessage("no fio da janela");
    EXPECT_EQ(messages().Texts(), std::vector<std::string>{"no fio da janela"});
    m_bridge->Release();
    m_bridge->ShowMessage("depois de fechar");
    EXPECT_EQ(messages().Count(), 1u);
}

TEST_F(CalcEventsBridgeTest, ReleaseOrDestructionEndsAPendingShowMessageWithoutADeadlock)
{
    enum class Moment { BeforeTheBoxIsUp, WhileTheBoxIsUp };
    enum class Ending { Release, Destroy, CloseFlag };
    struct Case {
        const char* name;
        Moment moment;
        Ending ending;
        std::vector<std::string> shown;
    };
    const Case cases[] = {
        // The box queued but not yet up is never shown: the window has closed.
        {"release before the box", Moment::BeforeTheBoxIsUp, Ending::Release, {}},
        {"release while the box is up", Moment::WhileTheBoxIsUp, Ending::Release, {"primeira"}},
        {"destroy before the box", Moment::BeforeTheBoxIsUp, Ending::Destroy, {}},
        {"destroy while the box is up", Moment::WhileTheBoxIsUp, Ending::Destroy, {"primeira"}},
        // The run controller closes the run before it waits for its thread.
        {"closing flag before the box", Moment::BeforeTheBoxIsUp, Ending::CloseFlag, {}},
        {"closing flag while the box is up", Moment::WhileTheBoxIsUp, Ending::CloseFlag, {"primeira"}},
    };
    HeldMessages held(messages());
    platform::ScopedMessages install(held);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Each case with a fresh bridge: a released one stays released.
        m_bridge.reset();
        MakeBridge();
        messages().ClearShown();
        std::atomic<bool> calling{false};
        std::atomic<bool> firstReturned{false};
        const bool release = c.ending == Ending::Release;
        vor::RunFlags flags;
        m_bridge->WatchFlags(&flags);

        const auto end = [&] {
            EXPECT_FALSE(firstReturned);
            if (release)
                m_bridge->Release();
            else if (c.ending == Ending::CloseFlag)
                flags.RequestClose();
            else
                m_bridge.reset();
            // The worker goes on at once, with no event of the UI thread run.
            EXPECT_TRUE(WaitWithoutEvents(m_workerDone));
        };
        held.whileUp = c.moment == Moment::WhileTheBoxIsUp ? std::function<void()>(end) : nullptr;

        StartWorker([&, release](QueuedCalcEvents& events) {
            calling = true;
            events.ShowMessage("primeira");
            firstReturned = true;
            // A released bridge shows no later box and lets the worker on at once.
            if (release)
                events.ShowMessage("depois de fechar");
        });
        if (c.moment == Moment::BeforeTheBoxIsUp) {
            ASSERT_TRUE(WaitWithoutEvents(calling));
            std::this_thread::sleep_for(20ms);  // well inside its wait by now
            end();
        } else {
            ASSERT_TRUE(vortest::WaitUntil([&] { return m_workerDone.load(); }));
        }
        JoinWorker();
        vortest::ProcessEvents();
        if (m_bridge)
            m_bridge->WatchFlags(nullptr);  // the flags end with this case
        EXPECT_EQ(messages().Texts(), c.shown);
    }
}

TEST_F(CalcEventsBridgeTest, TheEndSignalTicksThroughTheTimer)
{
    m_bridge->SetTickInterval(2);
    const vortest::fs::path wave = base() / "fim.wav";

    // "Uma vez": one round of six, then the timer stops.
    RunOnWorker([&](QueuedCalcEvents& events) {
        events.EndSignalStarted(EndSignal::Tone2, SignalRepeat::Once, wave);
    });
    ASSERT_TRUE(vortest::WaitUntil([&] { return SystemBeeps() >= 6; }));
    EXPECT_FALSE(vortest::WaitUntil([&] { return SystemBeeps() > 6; }, 100ms));
    EXPECT_EQ(sound().Events(), Events(6, Event{Call::SystemBeep, {}, BeepKind::Exclamation}));

    // "Repete": round after round until the run's "Ok" stops it.
    sound().Clear();
    RunOnWorker([&](QueuedCalcEvents& events) {
        events.EndSignalStarted(EndSignal::Tone3, SignalRepeat::Repeat, wave);
    });
    ASSERT_TRUE(vortest::WaitUntil([&] { return SystemBeeps() >= 14; }));
    RunOnWorker([](QueuedCalcEvents& events) { events.EndSignalStopped(); });
    vortest::ProcessEvents();
    const std::size_t atStop = SystemBeeps();
    EXPECT_FALSE(vortest::WaitUntil([&] { return SystemBeeps() > atStop; }, 100ms));
    EXPECT_EQ(sound().Events(), Events(atStop, Event{Call::SystemBeep, {}, BeepKind::Question}));

    // A looped wave is stopped when the window closes, and a signal that
    // arrives after that does not start.
    sound().Clear();
    RunOnWorker([&](QueuedCalcEvents& events) {
        events.EndSignalStarted(EndSignal::Wave, SignalRepeat::Repeat, wave);
    });
    vortest::ProcessEvents();
    EXPECT_EQ(sound().Events(), (Events{{Call::PlayLoop, wave}}));
    m_bridge->Release();
    RunOnWorker([&](QueuedCalcEvents& events) {
        events.EndSignalStarted(EndSignal::Tone1, SignalRepeat::Repeat, wave);
    });
    EXPECT_FALSE(vortest::WaitUntil([&] { return SystemBeeps() > 0; }, 100ms));
    EXPECT_EQ(sound().Events(), (Events{{Call::PlayLoop, wave}, {Call::Stop, {}}}));
}

}  // namespace
