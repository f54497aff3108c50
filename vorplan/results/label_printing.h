#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/print_jobs.h"
#include "vorplan/common/data_folders.h"
#include "vorplan/common/general_settings.h"
#include "vorplan/optimiser/layout_files.h"

namespace vor {

class Canvas;

// ---- Label texts -------------------------------------------------------------------------

// The values one label's tags stand for.
struct LabelTags {
    std::string width, height;  // millimetre text
    std::string material;       // <MAT>
    std::string customer;       // <CLI>
    std::string order;          // <PED>
    std::string layout;         // <MON>
    std::string code;           // <COD>
    std::string description;    // <DES>, "_" already or still in it
    std::string date;           // <DAT>
    std::string orderCustomer;  // <CLF>
};

// The line with the first occurrence of each tag replaced, in the table's
// order (<DIM> <LAR> <ALT> <MAT> <CLI> <PED> <MON> <COD> <DES> <DAT> <CLF>);
// "<GRF>" is left for the printing.
std::string ExpandLabelLine(const std::string& line, const LabelTags& tags);
// The template's lines expanded; empty template lines are left out.
std::vector<std::string> FillLabel(const std::vector<std::string>& labelTemplate, const LabelTags& tags);

// One printed line: its font and the text without its format code.
struct LabelLineFormat {
    int size = 8;
    bool bold = false, italic = false, underline = false;
    std::string text;
    bool operator==(const LabelLineFormat&) const = default;
};
// The format code at the very start of a line ("@*", "@/", "@+", "@-", "@U",
// "@N", "@I") applied to the basic size; never below 1 point.
LabelLineFormat FormatLabelLine(const std::string& line, int basicSize);

// A millimetre value as decimal text without trailing zeros.
std::string MillimetreText(double millimetres);

// ---- The label page ------------------------------------------------------------------------

// The page checks of the format window: 0 when valid, else the number of the
// last failed check (1 columns, 2 rows, 3 lateral margin, 4 top margin,
// 5 horizontal distance, 6 vertical distance).
int CheckLabelFormat(const LabelPageSettings& page);
// A format box's whole number: blanks removed, the leading digits (with a
// sign) read, 0 when there are none ("12a" -> 12, "abc" -> 0).
int LabelNumber(const std::string& text);
// Message 720 with the error number, as the format window and printing show it.
std::string LabelFormatErrorText(int error);

// The offcut template of CFG/L_ET_RET.LAY, or its two default lines when the file is missing.
std::vector<std::string> ReadOffcutLabelTemplate(const DataFolders& folders);
// Writes the template atomically (Windows-1252, CR LF); throws IoError when it cannot.
void WriteOffcutLabelTemplate(const DataFolders& folders, const std::vector<std::string>& lines);
// The piece template as stored: the ten lines MAT1..MAT10.
std::vector<std::string> PieceLabelTemplate(const LabelPageSettings& page);

// One label to print: its lines (tags replaced, format codes kept) at a basic size.
struct PrintedLabel {
    std::vector<std::string> lines;
    int basicSize = 8;
    bool operator==(const PrintedLabel&) const = default;
};

// ---- Label sets ----------------------------------------------------------------------------

// The layout numbers 1..500 of `material` whose layout file exists.
std::vector<long long> LabelLayoutNumbers(const DataFolders& folders, long long material);

// What the layout and order label sets read besides the files.
struct LabelSetInputs {
    LabelPageSettings page;
    std::vector<std::string> offcutTemplate;
    long long materialCode = 0;
    std::string materialDescription;
    std::string date;  // "dd/mm/yy"
    bool pieces = true, offcuts = false, identification = false;
    int borderLength = 0, borderHeight = 0;  // BORDA_PECA_L, BORDA_PECA_H (tenths)
    // Description (CAMPO1) and customer (CAMPO2) of an order, "---" when unknown.
    std::function<std::pair<std::string, std::string>(int order)> orderFields;
    // The order table's line of a piece, for telling turned pieces: width and
    // height in tenths, or {0, 0} when not found.
    std::function<std::pair<long long, long long>(int order, int code)> orderSize;
};

// The labels of one layout: the identification label, then the set of piece
// and offcut labels once for the sheet and once for each further sheet.
std::vector<PrintedLabel> LayoutLabels(const LayoutFileContents& layout, long long layoutNumber,
                                       const LabelSetInputs& inputs);

// One row of an order's piece table.
struct OrderLabelRow {
    int mark = 0;
    int code = 0;
    int quantity = 0;
    double width = 0, height = 0;  // millimetres
    int material = 0;
    std::string description;
};

// The labels of an order: an identification label, then one label per unit
// of every marked row; `materialDescription` gives a row's material text.
std::vector<PrintedLabel> OrderLabels(int order, const std::vector<OrderLabelRow>& rows,
                                      const LabelSetInputs& inputs,
                                      const std::function<std::string(int material)>& materialDescription);

// ---- Printing -------------------------------------------------------------------------------

// Labels placed on the pages of one print job, measured from the paper's
// top-left corner in millimetres turned into printer pixels.
class LabelPrinter {
public:
    LabelPrinter(platform::PrintJobs& jobs, const LabelPageSettings& page, bool outlines,
                 std::filesystem::path logo);
    ~LabelPrinter();
    LabelPrinter(const LabelPrinter&) = delete;
    LabelPrinter& operator=(const LabelPrinter&) = delete;

    // Starts the job with full-page positions; false when it could not start.
    bool Begin(const std::string& title, const std::filesystem::path& pdfFile = {});
    // The label at the current position, then the next position.
    bool Print(const PrintedLabel& label);
    // Only the outline at the current position (the test print), then the next.
    bool PrintOutline();
    // Ends the job and gives the printer its usual positions back.
    bool End();

    int X() const { return m_x; }
    int Y() const { return m_y; }
    // Millimetres in printer pixels, the same on both axes.
    int Pixels(double mm) const;

private:
    bool Next();
    bool StartPageIfDue();
    Canvas& Page();

    platform::PrintJobs& m_jobs;
    LabelPageSettings m_page;
    bool m_outlines;
    std::filesystem::path m_logo;
    bool m_pageDue = false;
    double m_dpi = platform::kPrintDotsPerInch;
    int m_column = 1, m_row = 1;
    int m_x = 0, m_y = 0;
};

// Prints `labels` in one job; false when the job could not start or end.
// With PDF output the job writes `pdfFile` (empty: the file chosen in the dialog).
bool PrintLabels(platform::PrintJobs& jobs, const LabelPageSettings& page, bool outlines,
                 const std::filesystem::path& logo, const std::vector<PrintedLabel>& labels,
                 const std::filesystem::path& pdfFile = {});
// One page of label outlines, every column and row.
bool PrintLabelTestPage(platform::PrintJobs& jobs, const LabelPageSettings& page,
                        const std::filesystem::path& pdfFile = {});

}  // namespace vor
