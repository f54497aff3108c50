#pragma once

#include <QString>

namespace vor {

// Message `slot` of the message table, for a window's captions and boxes.
QString M(long slot);

}  // namespace vor
