#pragma once

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "vorplan/optimiser/working_data.h"

namespace vor {

// More threads than this gain nothing and only cost working tables.
constexpr int kMaxTrialThreads = 256;

// `threads` brought into 1..kMaxTrialThreads.
int ClampTrialThreads(long long threads);

// The threads the trials of a calculation run on: `setting` when it is 1 or
// more (at most kMaxTrialThreads), else the machine's hardware concurrency,
// at least 1. Never throws.
int TrialThreads(int setting);

// A fixed set of worker threads, each with its own working tables, that run
// one job at a time, all of them on the same job. The threads live as long
// as the pool; a job is started, then waited for.
class TrialPool {
public:
    // Starts `threads` workers (at least 1); throws std::system_error when
    // the system refuses a thread.
    explicit TrialPool(int threads);
    ~TrialPool();
    TrialPool(const TrialPool&) = delete;
    TrialPool& operator=(const TrialPool&) = delete;

    int Size() const { return static_cast<int>(m_works.size()); }
    // The tables of worker `worker` (0-based), used only by the job on that worker.
    OptimiserWork& WorkOf(int worker) { return *m_works[static_cast<std::size_t>(worker)]; }

    // Runs `job(worker)` once on every worker and returns at once. The job
    // must not throw. A job still running is waited for first.
    void Start(std::function<void(int worker)> job);
    // Returns when every worker has returned from the job started last.
    void Wait();

private:
    void Loop(int worker);

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_done;
    std::function<void(int)> m_job;
    unsigned long long m_generation = 0;
    int m_running = 0;
    bool m_quit = false;
    std::vector<std::unique_ptr<OptimiserWork>> m_works;
    std::vector<std::thread> m_threads;
};

}  // namespace vor
