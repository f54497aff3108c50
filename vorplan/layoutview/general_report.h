#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "vorplan/common/atomic_file.h"
#include "vorplan/common/calc_data_reader.h"
#include "vorplan/common/data_folders.h"
#include "vorplan/common/material_record.h"
#include "vorplan/layoutview/layout_model.h"
#include "vorplan/layoutview/layout_pass.h"
#include "vorplan/layoutview/report_content.h"

namespace platform {
class Clock;
}

namespace vor {

// The general report of all layouts of a material ("Relatório geral"), in
// ostrel's markup. Its figures are those of the layout pass and its totals.

// Shown instead of a report when the material has no layout 1.
inline constexpr std::string_view kNoLayoutsText = "Não há montagens para visualizar";

struct GeneralReportInput {
    ReportContentOptions content;
    MaterialRecord material;  // the current material's record
    std::string currency;     // the settings' money text
    CalcDataTexts calcData;   // the calculation data block
    std::string calcStamp;    // DATA_CO.INF
    std::string projectLine;  // N_L_P.TXT: number~description~pieces~date
    std::vector<long long> projects;  // PRJ.SEQ: the orders of the calculation
    // The lines of an order's piece table; nullopt when it cannot be read.
    std::function<std::optional<std::vector<std::string>>(long long order)> pieceTable;
    const platform::Clock* clock = nullptr;  // null: the shared clock
};

struct GeneralReport {
    std::vector<std::string> lines;
    bool noLayouts = false;               // layout 1 yielded no elements: no report
    std::optional<std::string> message;   // a layout that could not be rewritten
    LayoutTotals totals;
};

// Runs the layout pass over every layout of inputs.material (each rewritten,
// a modified current layout written first) and, with `writeText`, writes the
// report lines the content options ask for. The pass leaves state as
// RunLayoutPass does; the areas are taken without the piece border when the
// options say so. Throws as ReadLayoutFile.
GeneralReport BuildGeneralReport(const GeneralReportInput& input, LayoutState& state,
                                 const LayoutInputs& inputs, bool writeText = true,
                                 FileOps& ops = DefaultFileOps());

// The file-based parts of the input: the stamp, the project line, the orders
// of PRJ.SEQ (into a list of the report's own) and the calculation data, and a
// reader of the order tables. Throws IoError when N_L_P.TXT exists but cannot
// be read and RangeError when PRJ.SEQ holds more than 200 orders.
GeneralReportInput LoadGeneralReportInput(const DataFolders& folders, bool internalTables,
                                          bool showDecimals);

}  // namespace vor
