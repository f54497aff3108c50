#include "vorplan/optimiser/ui/run_controller.h"

#include <QMetaObject>
#include <QThread>
#include <exception>
#include <utility>

#include "platform/qt_text.h"

namespace vor {

// Posts every line to the controller's thread; the worker never emits itself,
// so a receiver connected directly still runs on the UI thread.
class RunController::Sink : public RunProgressSink {
public:
    explicit Sink(RunController* controller) : m_controller(controller) {}

    void Line(std::string_view text) override
    {
        RunController* controller = m_controller;
        QMetaObject::invokeMethod(
            controller,
            [controller, line = platform::ToQString(text)] { emit controller->progressLine(line); },
            Qt::QueuedConnection);
    }

private:
    RunController* m_controller;
};

RunController::RunController(QObject* parent) : QObject(parent) {}

RunController::~RunController()
{
    // The one wait: the run is cut short and asked to close, so it ends at
    // its next test.
    if (m_thread) {
        m_flags.abbreviate = true;
        m_flags.RequestClose();
        m_thread->wait();
    }
}

bool RunController::Start(std::unique_ptr<RunJob> job)
{
    if (m_thread || !job) {
        return false;
    }
    m_flags.Clear();
    m_job = std::move(job);
    m_endStatus = 0;
    m_endFailure.clear();

    RunJob* runJob = m_job.get();
    RunFlags* flags = &m_flags;
    m_thread = QThread::create([this, runJob, flags] {
        Sink sink(this);
        int status = 0;
        QString failure;
        try {
            status = runJob->Run(sink, *flags);
        } catch (const std::exception& error) {
            status = -1;
            failure = platform::ToQString(error.what());
            if (failure.isEmpty()) {
                failure = QStringLiteral("?");
            }
        } catch (...) {
            status = -1;
            failure = QStringLiteral("?");
        }
        // Queued before the thread's finished signal, so it is known there.
        QMetaObject::invokeMethod(
            this,
            [this, status, failure] {
                m_endStatus = status;
                m_endFailure = failure;
            },
            Qt::QueuedConnection);
    });
    m_thread->setParent(this);
    connect(m_thread, &QThread::finished, this, &RunController::OnThreadFinished,
            Qt::QueuedConnection);
    m_thread->start();
    return true;
}

void RunController::OnThreadFinished()
{
    if (!m_thread) {
        return;
    }
    // The job has returned; QThread's destructor covers the last instant of
    // its thread, so no wait here.
    m_thread->deleteLater();
    m_thread = nullptr;
    m_job.reset();
    emit runEnded(m_endStatus, m_endFailure);
}

void RunController::Abbreviate() { m_flags.abbreviate = true; }

void RunController::ConfirmOk() { m_flags.ok = true; }

void RunController::Close() { m_flags.RequestClose(); }

}  // namespace vor
