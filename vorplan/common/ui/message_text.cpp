#include "vorplan/common/ui/message_text.h"

#include "platform/qt_text.h"
#include "vorplan/common/language_texts.h"

namespace vor {

QString M(long slot)
{
    return platform::ToQString(Msg(slot));
}

}  // namespace vor
