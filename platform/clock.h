#pragma once

#include <chrono>

namespace platform {

// A wall-clock reading broken into its local fields.
struct LocalTime {
    int year = 2000, month = 1, day = 1;
    int hour = 0, minute = 0, second = 0;
    int millisecond = 0;
};

// Time for the whole system: the monotonic clock for elapsed times, the wall
// clock for date and time stamps. Tests install a fake.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::chrono::steady_clock::time_point Monotonic() const = 0;
    virtual LocalTime Now() const = 0;
};

class SystemClock final : public Clock {
public:
    std::chrono::steady_clock::time_point Monotonic() const override;
    LocalTime Now() const override;
};

// The clock in use; a SystemClock unless a test installed another one.
Clock& GetClock();
// Installs `clock` (nullptr restores the system clock). Not thread-safe: call
// before anything reads the time.
void SetClock(Clock* clock);

}  // namespace platform
