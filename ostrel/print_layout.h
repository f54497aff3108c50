#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ostrel/command_line.h"
#include "ostrel/draw_ops.h"
#include "ostrel/ostrel_settings.h"
#include "ostrel/report_store.h"
#include "platform/clock.h"

namespace ostrel {

inline constexpr std::string_view kPrintJobTitle = "OSTREL";
inline constexpr std::string_view kFooterSignature = "Vorlane 2001";

// The printable page as the printer reports it.
struct PrinterGeometry {
    int pageWidth = 0;   // pixels
    int pageHeight = 0;  // pixels
    double pxPerMmX = 1.0;
    double pxPerMmY = 1.0;
};

// Pixels per millimetre from the page's size in pixels and in millimetres.
PrinterGeometry MakePrinterGeometry(int widthPx, int heightPx, double widthMm, double heightMm);

// The footer text with the first "<DATA>", "<HORA>", "<PG>" and "<TPG>" replaced
// by the date (dd/mm/yy), the time (hh:mm:ss), the page and the total pages.
std::string FooterText(std::string_view pattern, const platform::LocalTime& now, int page, int totalPages);

// Everything one print of the report needs.
struct PrintJob {
    const ReportStore* report = nullptr;
    OstrelSettings settings;
    Mode mode = Mode::Normal;
    PrinterGeometry geometry;
    const TextMetrics* screen = nullptr;   // the row heights were measured here
    const TextMetrics* printer = nullptr;  // pages are laid out with this
    platform::LocalTime now;
    FileExists pictureExists;  // empty: the file system decides
};

struct PrintedPage {
    int number = 0;
    DrawOps ops;                               // in drawing order, pictures last
    std::vector<std::string> missingPictures;  // picture 1 files not found on this page
};

// The page pass without output: the number of pages the print will have.
int CountPages(const PrintJob& job);
// The page pass with output: every page with its drawing operations.
// totalPages fills "<TPG>" (the count the user confirmed).
std::vector<PrintedPage> LayOutPages(const PrintJob& job, int totalPages);

}  // namespace ostrel
