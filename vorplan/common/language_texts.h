#pragma once

#include <string>

#include "vorplan/common/bounded_array.h"

namespace vor {

constexpr long kMessageSlots = 1100;
constexpr long kMessageFileLines = 1000;
constexpr std::size_t kMessageLength = 85;

// Every text the program shows, by slot number ("message n").
using MessageTable = BoundedArray<std::string, kMessageSlots>;

// Captions under the main window's icons (entries 1 and 4 to 10 are shown).
using IconCaptionTable = BoundedArray<std::string, 10>;

// The text of slot n of the shared message table. The one lookup routine for
// every use of a message, so that the catalogue check finds them all.
const std::string& Msg(long slot);

}  // namespace vor
