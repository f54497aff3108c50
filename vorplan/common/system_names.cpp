#include "vorplan/common/system_names.h"

#include "platform/system_info.h"

namespace vor {

std::string GetUserNameText() { return platform::GetSystemInfo().UserName(); }

std::string GetComputerNameText() { return platform::GetSystemInfo().ComputerName(); }

std::string CleanAssociatedCommand(std::string value)
{
    if (const std::size_t percent = value.find('%'); percent != std::string::npos)
        value.erase(percent);
    if (!value.empty() && value.front() == '"')
        value.erase(0, 1);
    if (!value.empty() && value.back() == '"')
        value.pop_back();
    while (!value.empty() && (value.back() == ' ' || value.back() == '"'))
        value.pop_back();
    // Only an "exe" that ends a word is a program file's extension; any other
    // (a folder "exec", a program "texedit") would cut the path short.
    for (std::size_t at = value.find("exe"); at != std::string::npos; at = value.find("exe", at + 1)) {
        const std::size_t after = at + 3;
        if (after == value.size() || value[after] == ' ' || value[after] == '"') {
            value.erase(after);
            break;
        }
    }
    return value;
}

std::string FindAssociatedProgram(std::string_view ext)
{
    const platform::FileAssociation association = platform::GetSystemInfo().Association(ext);
    return CleanAssociatedCommand(association.command.empty() ? association.desktopId
                                                              : association.command);
}

}  // namespace vor
