#include "vorplan/orders/new_project.h"

#include <utility>

#include "platform/clock.h"
#include "vorplan/common/calc_lists.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/file_set.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/text_file.h"
#include "vorplan/orders/table_files.h"

namespace vor {

void PutProjectFiles(const DataFolders& folders, long long number, std::string tableData,
                     std::string descriptionData, FileOps& ops)
{
    WriteFileSet(FileSetJournalFile(folders),
                 {{OrderTableFile(folders, number, true), std::move(tableData)},
                  {ProjectDescriptionFile(folders, number), std::move(descriptionData)}},
                 ops);
}

NewProjectResult WriteNewProject(const DataFolders& folders, OrderList& list, long long number,
                                 std::string_view description,
                                 const std::vector<std::string>& tableLines,
                                 const platform::Clock& clock, FileOps& ops, std::string* failure)
{
    if (number < 0 || number > kLargestOrderNumber || OrderNumberExists(folders, list, number))
        return NewProjectResult::NumberTaken;
    std::vector<std::string> table = tableLines;
    if (table.empty())
        table.emplace_back(kEmptyTableLine);
    try {
        PutProjectFiles(folders, number, EncodeTextLines(table),
                        EncodeTextLines(NewProjectIniLines(description, clock)), ops);
    } catch (const IoError& error) {
        if (failure)
            *failure = error.what();
        return NewProjectResult::WriteFailed;
    }
    return NewProjectResult::Written;
}

void AdoptNewProject(long long number, bool makeCurrent)
{
    if (makeCurrent)
        gShared.currentOrder = number;
    gShared.orderList.dirty = true;
    RecentProjects& recent = gShared.calcLists.recent;
    recent.count = 1;
    recent.orders[1] = static_cast<std::int32_t>(number);
    WriteRecentProjects();
}

NewProjectResult CreateNewProject(long long number, std::string_view description,
                                  const std::vector<std::string>& tableLines, bool makeCurrent,
                                  FileOps& ops, std::string* failure)
{
    const NewProjectResult result = WriteNewProject(gShared.folders, gShared.orderList, number,
                                                    description, tableLines,
                                                    platform::GetClock(), ops, failure);
    if (result == NewProjectResult::Written)
        AdoptNewProject(number, makeCurrent);
    return result;
}

}  // namespace vor
