#pragma once

#include <string>
#include <string_view>

#include "vorplan/layoutview/layout_model.h"

namespace vor {

// A percentage or area for the reports: 2 decimals, or with "99.999..." the
// longer form with its trailing zeros trimmed.
std::string FormatPercent(double value, bool longNumbers);

// A text as one column of a report table: blanks written "_", an empty text "_".
std::string TableColumnText(std::string_view text);

// The piece border the areas are taken without: the calculation's equal
// piece border when deducted (below 0 counts as 0), else 0.
long long DeductedPieceBorder(const LayoutInputs& inputs);

// Adds one line to the current layout's report.
void AddReportLine(LayoutState& state, std::string text);

// Recomputes state.figures from the table and adds each piece's perimeters,
// weighed by the repetitions, to state.runTotals. With writeReport the report
// of the current layout replaces state.report.
void ComputeLayoutStatistics(LayoutState& state, const LayoutInputs& inputs, bool writeReport);

// The data panels of the current layout, as the viewer shows them.
struct LayoutPanelTexts {
    std::string layout, repetitions, yield, loss, sheetSize, sheetDescription, pieces;
};
LayoutPanelTexts MakeLayoutPanelTexts(const LayoutState& state, const ViewerOptions& options);

// The element check of the current layout.
struct ElementCount {
    long pieces = 0, offcuts = 0, scrap = 0;
    long distinctPieces = 0;  // by code and order number
    int errorCode = 0;        // a code met with two sizes (neither equal nor turned)
    bool show = false;        // not silent, or an error was found
    std::string text;         // the message box's text
};

ElementCount CountElements(const LayoutState& state, bool silent);

}  // namespace vor
