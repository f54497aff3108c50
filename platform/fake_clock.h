#pragma once

#include "platform/clock.h"

namespace platform {

// A clock that tests set and advance by hand.
class FakeClock final : public Clock {
public:
    std::chrono::steady_clock::time_point Monotonic() const override { return m_mono; }
    LocalTime Now() const override { return m_now; }

    void SetNow(const LocalTime& now) { m_now = now; }
    void Advance(std::chrono::milliseconds step) { m_mono += step; }

private:
    std::chrono::steady_clock::time_point m_mono{};
    LocalTime m_now{};
};

// Installs a clock for the life of the object.
class ScopedClock {
public:
    explicit ScopedClock(Clock& clock) { SetClock(&clock); }
    ~ScopedClock() { SetClock(nullptr); }
    ScopedClock(const ScopedClock&) = delete;
    ScopedClock& operator=(const ScopedClock&) = delete;
};

}  // namespace platform
