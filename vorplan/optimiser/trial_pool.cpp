#include "vorplan/optimiser/trial_pool.h"

#include <algorithm>
#include <utility>

namespace vor {

int ClampTrialThreads(long long threads)
{
    return static_cast<int>(std::clamp<long long>(threads, 1, kMaxTrialThreads));
}

int TrialThreads(int setting)
{
    if (setting >= 1)
        return ClampTrialThreads(setting);
    // 0 when the machine does not say: one thread.
    return ClampTrialThreads(std::thread::hardware_concurrency());
}

TrialPool::TrialPool(int threads)
{
    const int n = ClampTrialThreads(threads);
    for (int i = 0; i < n; ++i)
        m_works.push_back(std::make_unique<OptimiserWork>());
    try {
        for (int i = 0; i < n; ++i)
            m_threads.emplace_back([this, i] { Loop(i); });
    } catch (...) {
        {
            std::lock_guard lock(m_mutex);
            m_quit = true;
        }
        m_wake.notify_all();
        for (std::thread& t : m_threads)
            t.join();
        throw;
    }
}

TrialPool::~TrialPool()
{
    Wait();
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_wake.notify_all();
    for (std::thread& t : m_threads)
        t.join();
}

void TrialPool::Start(std::function<void(int worker)> job)
{
    Wait();
    {
        std::lock_guard lock(m_mutex);
        m_job = std::move(job);
        m_running = Size();
        ++m_generation;
    }
    m_wake.notify_all();
}

void TrialPool::Wait()
{
    std::unique_lock lock(m_mutex);
    m_done.wait(lock, [this] { return m_running == 0; });
}

void TrialPool::Loop(int worker)
{
    unsigned long long seen = 0;
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [&] { return m_quit || m_generation != seen; });
        if (m_quit)
            return;
        seen = m_generation;
        const std::function<void(int)>* job = &m_job;
        lock.unlock();
        (*job)(worker);
        lock.lock();
        if (--m_running == 0)
            m_done.notify_all();
    }
}

}  // namespace vor
