#include "platform/qt_text.h"

#include <QLocale>

namespace platform {

QString NumberText(double value, int decimals)
{
    return QLocale::c().toString(value, 'f', decimals);
}

}  // namespace platform
