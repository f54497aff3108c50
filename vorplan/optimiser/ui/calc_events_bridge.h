#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "vorplan/optimiser/calc_driver.h"
#include "vorplan/optimiser/end_signal.h"

namespace vor {

// Hands what the calculation reports on its thread to the UI thread. Made on
// the UI thread; the calculation thread calls the CalcEvents methods, which
// emit queued signals (so every receiver must live on the UI thread) or queue
// the sounds to the bridge itself, all in the order of the calls. One bridge
// serves one run: after Release() no message box waits any more.
// The worker must have stopped calling in before the bridge is destroyed; a
// worker still waiting in ShowMessage is let go by the destructor.
class QueuedCalcEvents : public QObject, public CalcEvents {
    Q_OBJECT

public:
    explicit QueuedCalcEvents(QObject* parent = nullptr);
    ~QueuedCalcEvents() override;
    QueuedCalcEvents(const QueuedCalcEvents&) = delete;
    QueuedCalcEvents& operator=(const QueuedCalcEvents&) = delete;

    // Ends the waits in ShowMessage also when `flags` asks the run to close,
    // as the run controller does before it waits for its thread; so the
    // window may drop the controller while a box is up. Call before the run.
    void WatchFlags(const RunFlags* flags);

    // The interval of the end signal's timer (500 ms unless set).
    void SetTickInterval(int milliseconds);

    void ReportLines(const std::vector<std::string>& lines) override;
    // Shows the box on the UI thread and waits until it is dismissed or
    // Release() is called; after Release() returns at once, showing nothing.
    void ShowMessage(const std::string& text) override;
    void BusyChanged(bool busy) override;
    void CalcTypeChoiceEnabled(bool enabled) override;
    void MaterialStarted(long long code) override;
    void StatusPanel(int message) override;
    void LayoutStarted(long layoutNumber) override;
    void TimeDisplayChanged(const TimeDisplay& display) override;
    void AbbreviateEnabled() override;
    void BetterTrial() override;
    void Error(const std::string& text) override;
    void CandidateShown(const std::string& text) override;
    void BestPositionAdded(const std::string& line) override;
    void BestCandidateRun(const std::string& line) override;
    void MusicStarted(const Path& waveFile) override;
    void MusicStopped() override;
    void EndSignalStarted(EndSignal signal, SignalRepeat repeat, const Path& waveFile) override;
    void EndSignalStopped() override;
    void YieldShown(double percent) override;
    void EndPageShown() override;
    void ViewRequested() override;

public slots:
    // The window closes: every wait in ShowMessage ends now and for good,
    // and the end signal stops.
    void Release();
    // The window closed while the run goes on: its "Ok" is given, so a
    // repeating end signal sounds one round and a looped wave plays once,
    // also when it is already sounding.
    void EndSignalOnce();

signals:
    void reportLines(const QStringList& lines);
    void busyChanged(bool busy);
    void calcTypeChoiceEnabled(bool enabled);
    void materialStarted(qint64 code);
    void statusPanel(int message);
    void layoutStarted(qint64 layoutNumber);
    void timeDisplay(const QString& elapsed, const QString& estimated, const QString& remaining,
                     qint64 progress, qint64 maximum);
    void abbreviateEnabled();
    void errorText(const QString& text);
    void candidateShown(const QString& text);
    void bestPositionAdded(const QString& line);
    void bestCandidateRun(const QString& line);
    void yieldShown(double percent);
    void endPageShown();
    void viewRequested();

private:
    struct Gate;
    void StartEndSignal(EndSignal signal, SignalRepeat repeat, const Path& waveFile);
    void StopEndSignal();
    void OnTick();

    // Shared with the worker's waits and the queued boxes, so that either
    // side may outlive the bridge.
    std::shared_ptr<Gate> m_gate;
    QTimer m_timer;
    std::optional<EndSignalPlayer> m_endSignal;
    bool m_once = false;
    // The repeating signal that sounds, to play it once instead.
    struct Repeating {
        EndSignal signal;
        Path waveFile;
    };
    std::optional<Repeating> m_repeating;
};

}  // namespace vor
