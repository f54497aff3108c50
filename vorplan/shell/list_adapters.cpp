#include "vorplan/shell/list_adapters.h"

#include <QListWidget>
#include <string>
#include <vector>

#include "platform/qt_text.h"
#include "vorplan/common/file_operations.h"

namespace vor {

void ListDirIntoList(const std::filesystem::path& pattern, QListWidget& list)
{
    list.clear();
    for (const std::string& name : ListDirIntoList(pattern))
        list.addItem(platform::ToQString(name));
}

bool DeleteFilesFromList(const QListWidget& list, const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(list.count()));
    for (int i = 0; i < list.count(); ++i)
        names.push_back(platform::FromQString(list.item(i)->text()));
    return DeleteFilesFromList(names, folder);
}

}  // namespace vor
