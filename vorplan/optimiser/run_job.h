#pragma once

#include <string_view>

#include "vorplan/optimiser/working_data.h"

namespace vor {

// Where a calculation reports while it runs. Called on the calculation's own
// thread; the implementation hands the text on to the window.
class RunProgressSink {
public:
    virtual ~RunProgressSink() = default;
    // One line of progress, UTF-8.
    virtual void Line(std::string_view text) = 0;
};

// A whole calculation as the window starts it: it runs to its end on a worker
// thread, reports through `progress` and tests `flags` where the user may
// abbreviate, confirm "Ok" or close. It never touches a window.
class RunJob {
public:
    virtual ~RunJob() = default;
    // Returns the run's status text (0 when none was set).
    virtual int Run(RunProgressSink& progress, RunFlags& flags) = 0;
};

}  // namespace vor
