#pragma once

#include <cerrno>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include "vorplan/common/atomic_file.h"

namespace vortest {

// File operations that fail every write whose data starts with `prefix`
// (the disk is full), so a test can break one file of a set; without a
// prefix every write fails. The atomic writer's fault hook.
class FailingWrites : public vor::FileOps {
public:
    explicit FailingWrites(std::string prefix = {}) : m_prefix(std::move(prefix)) {}
    ssize_t Write(int fd, const char* data, std::size_t size) override
    {
        if (std::string_view(data, size).starts_with(m_prefix)) {
            errno = ENOSPC;
            return -1;
        }
        return vor::FileOps::Write(fd, data, size);
    }

private:
    std::string m_prefix;
};

}  // namespace vortest
