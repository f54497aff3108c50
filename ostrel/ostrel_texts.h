#pragma once

#include <string>
#include <string_view>

#include "ostrel/ostrel_settings.h"

namespace ostrel {

// The messages ostrel shows, in its three languages. Lines are joined by "\n".

// Started without a usable report path.
std::string NoReportMessage(Language lang);
// The report file cannot be read.
std::string FileUnavailableMessage(Language lang, std::string_view path);
// A report longer than the viewer holds: shown in part, not editable.
std::string TooLongMessage(Language lang);
// An insertion that would make the report longer than the viewer holds.
std::string NoRoomMessage(Language lang);
// The "<ARQ>" file of an insertion does not exist.
std::string IncludeMissingMessage(Language lang, std::string_view name);

std::string SearchNotFoundMessage(Language lang);
std::string SearchFoundMessage(Language lang, int count);

// "Imprimir ? ( N Página(s) )"
std::string PrintConfirmMessage(Language lang, int pages);
std::string PrintWaitText(Language lang);
std::string PrintingPageText(Language lang, int page);
// A report with nothing but empty lines: nothing is printed.
std::string EmptyReportMessage(Language lang);
// A print setting outside what the page holds; `field` names it as the panel does.
std::string FieldRangeMessage(Language lang, std::string_view field, double lowest, double highest);
// Picture 1 of the printed page is missing.
std::string MissingPictureMessage(Language lang, std::string_view file);

}  // namespace ostrel
