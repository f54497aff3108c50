#include "vorplan/optimiser/ui/calc_events_bridge.h"

#include <QMetaObject>
#include <QThread>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "platform/message_service.h"
#include "platform/qt_text.h"
#include "platform/sound.h"
#include "vorplan/common/small_helpers.h"

namespace vor {

namespace {

constexpr int kDefaultTickInterval = 500;

}  // namespace

// The worker's wait for a box. The queued box and the waiting worker each
// hold it, so neither touches the bridge once it may be gone.
struct QueuedCalcEvents::Gate {
    std::mutex mutex;
    std::condition_variable changed;
    bool released = false;
    std::atomic<const RunFlags*> flags{nullptr};

    bool Released()
    {
        std::lock_guard lock(mutex);
        return released;
    }
    void Release()
    {
        {
            std::lock_guard lock(mutex);
            released = true;
        }
        changed.notify_all();
    }
};

QueuedCalcEvents::QueuedCalcEvents(QObject* parent)
    : QObject(parent), m_gate(std::make_shared<Gate>())
{
    m_timer.setInterval(kDefaultTickInterval);
    connect(&m_timer, &QTimer::timeout, this, &QueuedCalcEvents::OnTick);
}

QueuedCalcEvents::~QueuedCalcEvents()
{
    Release();
}

void QueuedCalcEvents::SetTickInterval(int milliseconds)
{
    m_timer.setInterval(milliseconds);
}

void QueuedCalcEvents::WatchFlags(const RunFlags* flags)
{
    m_gate->flags = flags;
}

void QueuedCalcEvents::Release()
{
    m_gate->Release();
    StopEndSignal();
}

void QueuedCalcEvents::ReportLines(const std::vector<std::string>& lines)
{
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string& line : lines)
        texts << platform::ToQString(line);
    emit reportLines(texts);
}

void QueuedCalcEvents::ShowMessage(const std::string& text)
{
    const std::shared_ptr<Gate> gate = m_gate;
    if (QThread::currentThread() == thread()) {
        // Waiting here would wait on ourselves; the box is modal anyway.
        if (!gate->Released())
            platform::ShowMessage(text);
        return;
    }

    if (gate->Released())
        return;
    // Guarded by the gate's mutex; shared because a release lets the worker
    // go before the box is done with it.
    auto dismissed = std::make_shared<bool>(false);
    // Queued with the other events, so the box comes up in its place among them.
    QMetaObject::invokeMethod(
        this,
        [gate, dismissed, text] {
            const RunFlags* watched = gate->flags.load();
            if (!gate->Released() && !(watched && watched->closing.load()))
                platform::ShowMessage(text);
            {
                std::lock_guard lock(gate->mutex);
                *dismissed = true;
            }
            gate->changed.notify_all();
        },
        Qt::QueuedConnection);

    std::unique_lock lock(gate->mutex);
    const RunFlags* flags = gate->flags.load();
    const auto done = [&] {
        return gate->released || *dismissed || (flags && flags->closing.load());
    };
    // The closing flag is set without the gate, so it is polled.
    while (!gate->changed.wait_for(lock, std::chrono::milliseconds(20), done)) {
    }
}

void QueuedCalcEvents::BusyChanged(bool busy)
{
    emit busyChanged(busy);
}

void QueuedCalcEvents::CalcTypeChoiceEnabled(bool enabled)
{
    emit calcTypeChoiceEnabled(enabled);
}

void QueuedCalcEvents::MaterialStarted(long long code)
{
    emit materialStarted(code);
}

void QueuedCalcEvents::StatusPanel(int message)
{
    emit statusPanel(message);
}

void QueuedCalcEvents::LayoutStarted(long layoutNumber)
{
    emit layoutStarted(layoutNumber);
}

void QueuedCalcEvents::TimeDisplayChanged(const TimeDisplay& display)
{
    emit timeDisplay(platform::ToQString(display.elapsed), platform::ToQString(display.estimated),
                     platform::ToQString(display.remaining), display.progress,
                     display.progressMaximum);
}

void QueuedCalcEvents::AbbreviateEnabled()
{
    emit abbreviateEnabled();
}

void QueuedCalcEvents::BetterTrial()
{
    QMetaObject::invokeMethod(
        this, [] { vor::Beep(); }, Qt::QueuedConnection);
}

void QueuedCalcEvents::Error(const std::string& text)
{
    emit errorText(platform::ToQString(text));
}

void QueuedCalcEvents::CandidateShown(const std::string& text)
{
    emit candidateShown(platform::ToQString(text));
}

void QueuedCalcEvents::BestPositionAdded(const std::string& line)
{
    emit bestPositionAdded(platform::ToQString(line));
}

void QueuedCalcEvents::BestCandidateRun(const std::string& line)
{
    emit bestCandidateRun(platform::ToQString(line));
}

void QueuedCalcEvents::MusicStarted(const Path& waveFile)
{
    QMetaObject::invokeMethod(
        this, [waveFile] { PlaySoundLoop(waveFile); }, Qt::QueuedConnection);
}

void QueuedCalcEvents::MusicStopped()
{
    QMetaObject::invokeMethod(
        this, [] { StopSound(); }, Qt::QueuedConnection);
}

void QueuedCalcEvents::EndSignalStarted(EndSignal signal, SignalRepeat repeat, const Path& waveFile)
{
    QMetaObject::invokeMethod(
        this, [this, signal, repeat, waveFile] { StartEndSignal(signal, repeat, waveFile); },
        Qt::QueuedConnection);
}

void QueuedCalcEvents::EndSignalStopped()
{
    // After EndSignalOnce the "Ok" that ends the run was the window's
    // closing, not the user's: the one round still sounds.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!m_once)
                StopEndSignal();
        },
        Qt::QueuedConnection);
}

void QueuedCalcEvents::YieldShown(double percent)
{
    emit yieldShown(percent);
}

void QueuedCalcEvents::EndPageShown()
{
    emit endPageShown();
}

void QueuedCalcEvents::ViewRequested()
{
    emit viewRequested();
}

void QueuedCalcEvents::StartEndSignal(EndSignal signal, SignalRepeat repeat, const Path& waveFile)
{
    // The window has closed: nobody is left to press "Ok" and stop it.
    if (m_gate->Released())
        return;
    StopEndSignal();
    if (m_once)
        repeat = SignalRepeat::Once;
    m_endSignal.emplace(platform::Sound());
    m_endSignal->Start(signal, repeat, waveFile);
    if (repeat == SignalRepeat::Repeat)
        m_repeating = Repeating{signal, waveFile};
    if (m_endSignal->Ticking())
        m_timer.start();
}

void QueuedCalcEvents::EndSignalOnce()
{
    m_once = true;
    if (m_repeating) {
        const Repeating sounding = *m_repeating;
        StartEndSignal(sounding.signal, SignalRepeat::Once, sounding.waveFile);
    }
}

void QueuedCalcEvents::StopEndSignal()
{
    m_repeating.reset();
    m_timer.stop();
    if (m_endSignal)
        m_endSignal->Stop();
}

void QueuedCalcEvents::OnTick()
{
    if (m_endSignal)
        m_endSignal->Tick();
    if (!m_endSignal || !m_endSignal->Ticking())
        m_timer.stop();
}

}  // namespace vor
