#include "vorplan/common/errors.h"

#include <cstring>

namespace vor {

namespace {
std::string IoText(const std::filesystem::path& path, int code, const std::string& action)
{
    std::string text = "Erro de E/S " + std::to_string(code);
    if (!action.empty())
        text += " ao " + action;
    text += ": " + path.string();
    if (code > 0)
        text += " (" + std::string(std::strerror(code)) + ")";
    return text;
}
}  // namespace

IoError::IoError(std::filesystem::path path, int code, const std::string& action)
    : Error(IoText(path, code, action)), m_path(std::move(path)), m_code(code)
{
}

}  // namespace vor
