#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "vorplan/common/atomic_file.h"
#include "vorplan/common/order_list.h"

namespace platform {
class Clock;
}

namespace vor {

// The one routine that makes a new project: its piece table PED/PEDnnnnn.TAB
// and its description file, both or neither.

enum class NewProjectResult { Written, NumberTaken, WriteFailed };

// Refuses a number in use (OrderNumberExists) or outside 0..99999 and writes
// nothing. Otherwise writes `tableLines` (kEmptyTableLine alone when there
// are none) and the seven description lines through one file set; on any
// failure neither file is left and existing files stay as they were; the
// error's text goes into `failure` when given.
NewProjectResult WriteNewProject(const DataFolders& folders, OrderList& list, long long number,
                                 std::string_view description,
                                 const std::vector<std::string>& tableLines,
                                 const platform::Clock& clock, FileOps& ops = DefaultFileOps(),
                                 std::string* failure = nullptr);

// Puts a project's piece table (PED/PEDnnnnn.TAB) and description file in
// place with the given bytes through one file set, both or neither; throws
// IoError, every existing file left as it was. No number check.
void PutProjectFiles(const DataFolders& folders, long long number, std::string tableData,
                     std::string descriptionData, FileOps& ops = DefaultFileOps());

// The same in the shared installation; once written, the order list is marked
// as changed, the recent projects become the new project alone (and are
// saved), and with `makeCurrent` it becomes the current order.
NewProjectResult CreateNewProject(long long number, std::string_view description,
                                  const std::vector<std::string>& tableLines, bool makeCurrent,
                                  FileOps& ops = DefaultFileOps(), std::string* failure = nullptr);

// What follows a new project made elsewhere (the "Novo" prompt, whose table
// the editor writes): the same updates as CreateNewProject.
void AdoptNewProject(long long number, bool makeCurrent);

}  // namespace vor
