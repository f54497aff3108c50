#pragma once

#include <optional>
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

// ---- Print settings typed in millimetres ------------------------------------------

enum class PrintField {
    MarginLeft, MarginTop, MarginBottom,
    Picture1X, Picture1Y, Picture1Width, Picture1Height,
    Picture2X, Picture2Y, Picture2Width, Picture2Height,
};
inline constexpr PrintField kPrintFields[] = {
    PrintField::MarginLeft, PrintField::MarginTop,     PrintField::MarginBottom,   PrintField::Picture1X,
    PrintField::Picture1Y,  PrintField::Picture1Width, PrintField::Picture1Height, PrintField::Picture2X,
    PrintField::Picture2Y,  PrintField::Picture2Width, PrintField::Picture2Height,
};

struct FieldRange {
    double lowest = 0;
    double highest = 0;
};

const std::string& FieldText(const OstrelSettings& settings, PrintField field);
std::string& FieldText(OstrelSettings& settings, PrintField field);
// The millimetres a field may hold on this page: the left margin up to half
// the page width, the top and bottom margins together up to half its height,
// picture sizes up to the page and positions within it either way (a
// negative position is the right, bottom or centred placement).
FieldRange RangeOf(PrintField field, const OstrelSettings& settings, const PrinterGeometry& geometry);
// True when the field's value, read as printing reads it, lies in its range.
bool FieldWithin(PrintField field, const OstrelSettings& settings, const PrinterGeometry& geometry);
// The first field printing would meet outside its range (a picture's fields
// only when it names a file); nullopt when the page can hold them all.
std::optional<PrintField> FirstFieldOutOfRange(const OstrelSettings& settings, const PrinterGeometry& geometry);

// False when the report has no line but empty or blank ones: nothing to print.
bool HasPrintableLines(const ReportStore& report);

// The page pass without output: the number of pages the print will have.
int CountPages(const PrintJob& job);
// The page pass with output: every page with its drawing operations.
// totalPages fills "<TPG>" (the count the user confirmed).
std::vector<PrintedPage> LayOutPages(const PrintJob& job, int totalPages);

}  // namespace ostrel
