#include "platform/clock.h"

#include <ctime>

namespace platform {

std::chrono::steady_clock::time_point SystemClock::Monotonic() const
{
    return std::chrono::steady_clock::now();
}

LocalTime SystemClock::Now() const
{
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    return LocalTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

namespace {
SystemClock gSystemClock;
Clock* gClock = &gSystemClock;
}  // namespace

Clock& GetClock()
{
    return *gClock;
}

void SetClock(Clock* clock)
{
    gClock = clock ? clock : &gSystemClock;
}

}  // namespace platform
