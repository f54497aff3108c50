#include "platform/clock.h"

#include <ctime>

namespace platform {

std::chrono::steady_clock::time_point SystemClock::Monotonic() const
{
    return std::chrono::steady_clock::now();
}

LocalTime SystemClock::Now() const
{
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    std::tm tm{};
    localtime_r(&ts.tv_sec, &tm);
    return LocalTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min,
                     tm.tm_sec, static_cast<int>(ts.tv_nsec / 1000000)};
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
