#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "vorplan/common/calc_lists.h"
#include "vorplan/common/data_folders.h"
#include "vorplan/common/order_list.h"
#include "vorplan/common/rtf/styled_doc.h"
#include "vorplan/layoutview/layout_pass.h"

namespace vor {

// What the list of calculated layouts shows; held by the yield display
// options window for the program run.
struct YieldDisplayOptions {
    bool roundedYield = false;  // the yield from rounded areas instead of real ones
    bool sheetsUsed = true;     // the sheet sizes of each material
    bool projects = false;      // the orders of the calculation
    bool perimeter = false;     // the pieces' perimeter, with the sheet sizes only
};

// One distinct sheet size of a material's layouts.
struct SheetSizeEntry {
    int width = 0, height = 0;  // tenths
    long long count = 0;        // sheets cut: the sum of X + 1 over its layouts
    std::string remark;         // the sheet line's description
    bool operator==(const SheetSizeEntry&) const = default;
};

// A material's layouts summed: the totals accumulator of the viewer, the
// sizes with their remarks and the pieces' perimeter in metres.
struct MaterialLayoutSums {
    long long code = 0;
    LayoutTotals totals;
    std::vector<SheetSizeEntry> sizes;  // in order of first use
    double perimeter = 0;
    // Set when a layout file could not be read whole: the sums are then not
    // the material's and are neither shown nor exported. Names the file.
    std::optional<std::string> problem;
};

// Reads layout files 1, 2, ... of `material` until one is missing (at most
// 999) without tidying or rewriting them, and without piece border deduction.
// A file that cannot be read, holds a number too large or more lines than the
// reader holds ends the reading with `problem` set and the sums cleared.
// `roundingTypeOne` is ARREDONDAMENTO_1, for the rounded areas.
MaterialLayoutSums CollectSheetSizes(const DataFolders& folders, long long material,
                                     bool roundingTypeOne = false);

// The text of a material list item: code, "   *" when viewed, "~", description.
std::string MaterialListItem(long long code, bool viewed, const std::string& description);

// The items of the list: one per material of `selection` (entries 1 to count),
// its description read with LoadMaterial and its mark from `records`.
std::vector<std::string> FillMaterialList(const DataFolders& folders,
                                          const MaterialSelection& selection,
                                          const std::vector<LastCalcMaterial>& records);

// The items as the stock update takes them: each "~" as four blanks, so the
// code still ends at the first blank.
std::vector<std::string> StockUpdateItems(const std::vector<std::string>& items);

// Creates arq_ult_mat_calc.aum with one unviewed record per material of
// `selection` when it is missing; returns its records. Throws IoError when it
// cannot be written.
std::vector<LastCalcMaterial> EnsureLastCalcMaterials(const DataFolders& folders,
                                                      const MaterialSelection& selection);

// Marks `code` viewed in arq_ult_mat_calc.aum, adding its record when it has
// none; the other records stay. Throws IoError when it cannot be written.
void MarkMaterialViewed(const DataFolders& folders, std::int32_t code);

// ---- The summary ------------------------------------------------------------------

struct SummaryOrder {
    long long number = 0;
    std::string description;
    long long pieces = 0;
    double areaM2 = 0;
};

struct SummaryMaterial {
    std::string description;
    MaterialLayoutSums sums;
};

struct CalcSummaryData {
    std::string comment = "-1";  // COMENT of the calculation data
    std::vector<SummaryOrder> orders;
    std::vector<SummaryMaterial> materials;

    // The problems of the materials, one message line each.
    std::vector<std::string> Problems() const;
};

// Reads what the summary shows: the comment, the orders of PRJ.SEQ with their
// descriptions and table totals (only with `withOrders`), and every material
// of `selection` with its record's description and its layout sums.
CalcSummaryData GatherCalcSummary(const DataFolders& folders, const MaterialSelection& selection,
                                  bool withOrders, bool internalOrders, bool roundingTypeOne);

// Tab stops of the summary, in points.
extern const std::vector<int> kSummaryTabStops;

// The summary as a styled document.
StyledDoc BuildCalcSummary(const CalcSummaryData& data, const YieldDisplayOptions& options);

// A description as the summary shows it: the first 18 characters and "..."
// when longer.
std::string SummaryDescription(const std::string& description);

}  // namespace vor
