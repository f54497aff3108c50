#pragma once

#include <cerrno>
#include <string>
#include <vector>

#include "tests/layoutview/layoutview_support.h"
#include "tests/support/test_support.h"
#include "vorplan/common/atomic_file.h"
#include "vorplan/common/calc_lists.h"
#include "vorplan/common/data_folders.h"
#include "vorplan/common/text_file.h"

namespace vortest {

// Writes that fail as a full disk does.
class FailingWrites : public vor::FileOps {
public:
    ssize_t Write(int, const char*, std::size_t) override
    {
        errno = ENOSPC;
        return -1;
    }
};

// A sheet line of a layout file: sheet `code`, cut `repetitions` + 1 times.
inline std::string SheetLine(int code, int repetitions, int width, int height,
                             const std::string& description = "Chapa")
{
    return "    0 " + std::to_string(code) + " " + std::to_string(repetitions) + " 0 " +
           std::to_string(width) + " " + std::to_string(height) + " " + description + " 0";
}

inline std::string PieceLine(int code, int x, int y, int width, int height, int order = 1)
{
    return "    1 " + std::to_string(code) + " " + std::to_string(x) + " " + std::to_string(y) + " " +
           std::to_string(width) + " " + std::to_string(height) + " Peca " + std::to_string(order);
}

inline void WriteLayout(const vor::DataFolders& folders, long long material, long long number,
                        const std::vector<std::string>& lines)
{
    WriteBytes(vor::LayoutFile(folders, number, material), vor::EncodeTextLines(lines));
}

inline void WriteMaterialFile(const vor::DataFolders& folders, long long code,
                              const std::string& description)
{
    WriteBytes(vor::MaterialFile(folders, code),
               vor::EncodeTextLines({"[DESC]", "CAMPO1=" + description}));
}

inline vor::MaterialSelection Selection(const std::vector<std::int32_t>& codes)
{
    vor::MaterialSelection s;
    for (std::int32_t code : codes)
        s.entries[++s.count] = {code, true};
    return s;
}

}  // namespace vortest
