#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace platform {

// The core keeps UTF-8 std::string, the windows QString; these cross the border.
inline QString ToQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string FromQString(const QString& text)
{
    return text.toStdString();
}

// Numbers shown in windows never follow the process locale's decimal mark.
QString NumberText(double value, int decimals);

}  // namespace platform
