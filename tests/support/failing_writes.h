#pragma once

#include <cerrno>
#include <cstddef>

#include "vorplan/common/atomic_file.h"

namespace vortest {

// File operations whose writes fail as on a full disk: the atomic writer's
// fault hook.
class FailingWrites : public vor::FileOps {
public:
    ssize_t Write(int, const char*, std::size_t) override
    {
        errno = ENOSPC;
        return -1;
    }
};

}  // namespace vortest
