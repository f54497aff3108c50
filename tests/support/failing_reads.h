#pragma once

#include <cerrno>
#include <cstddef>

#include "vorplan/common/atomic_file.h"

namespace vortest {

// File operations whose reads fail with an I/O error (permissions cannot
// stand in for this: the suite may run as root). Counts the writes.
class FailingReads : public vor::FileOps {
public:
    ssize_t Read(int, char*, std::size_t) override
    {
        errno = EIO;
        return -1;
    }
    ssize_t Write(int fd, const char* data, std::size_t size) override
    {
        ++writes;
        return FileOps::Write(fd, data, size);
    }
    int writes = 0;
};

}  // namespace vortest
