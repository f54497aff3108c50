#pragma once

#include <QObject>
#include <QString>
#include <memory>

#include "vorplan/optimiser/run_job.h"
#include "vorplan/optimiser/working_data.h"

class QThread;

namespace vor {

// Runs one calculation at a time on a worker thread and hands what it reports
// to the thread the controller lives on (the UI thread) through queued
// signals. The buttons only set atomic flags, so the UI thread never waits for
// the engine; only the destructor waits, after asking the run to close.
class RunController : public QObject {
    Q_OBJECT

public:
    explicit RunController(QObject* parent = nullptr);
    ~RunController() override;
    RunController(const RunController&) = delete;
    RunController& operator=(const RunController&) = delete;

    // Clears the run flags and starts `job` on a new worker thread. Refused
    // (false, `job` dropped) while a run is still going or with no job.
    bool Start(std::unique_ptr<RunJob> job);

    // From Start until the end of the run is delivered (already false in
    // runEnded's receivers, so they may start the next run).
    bool IsRunning() const { return m_thread != nullptr; }

    // The flags the running job tests; the buttons below set them.
    const RunFlags& Flags() const { return m_flags; }

public slots:
    void Abbreviate();  // "Abreviar" confirmed
    void ConfirmOk();   // "Ok" on the report or end-flags page
    void Close();       // the window closes: ends any wait for "Ok" too

signals:
    // A progress line of the job, on the controller's thread.
    void progressLine(const QString& text);
    // The worker thread has ended. `failure` is empty unless the job threw,
    // in which case `status` is -1 and `failure` says what went wrong.
    void runEnded(int status, const QString& failure);

private:
    class Sink;
    void OnThreadFinished();

    RunFlags m_flags;
    std::unique_ptr<RunJob> m_job;  // lives until its thread has ended
    QThread* m_thread = nullptr;
    int m_endStatus = 0;
    QString m_endFailure;
};

}  // namespace vor
