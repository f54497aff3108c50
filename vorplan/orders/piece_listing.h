#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "vorplan/common/data_folders.h"
#include "vorplan/common/material_record.h"
#include "vorplan/orders/table_files.h"

namespace vor {

// The piece listing ("Imprime") and the budget ("Orçamento") of an order's
// piece table: the marked rows grouped by material, with their areas, in
// ostrel's markup.

struct PieceListingInput {
    std::vector<PieceRow> rows;  // the grid's data rows, as shown
    long long orderNumber = 0;
    std::string description;                 // CAMPO1
    std::array<std::string, 8> fields;       // the free fields; the first six are listed
    std::array<std::string, 8> fieldTitles;  // their titles
    bool budget = false;
    bool printPerimeter = false;   // IMP_PERI
    bool roundedArea = false;      // IMP_AREA_ARRED
    std::string currency;          // money
    bool roundingTypeOne = false;  // ARREDONDAMENTO_1
    bool showDecimals = true;      // SHOW_D, for cells that are no numbers
    // The record of a material; a material without a file has the default record.
    std::function<MaterialRecord(long long)> material;
};

// The report's lines. Rows are grouped as they come: a material that comes
// back later opens a group of its own.
std::vector<std::string> PieceListingLines(const PieceListingInput& input);

// TMP/mont_inf.txt.
Path PieceListingFile(const DataFolders& folders);

// Writes the report to PieceListingFile and returns its path. Throws IoError
// when it cannot be written (an old report is then left as it was).
Path WritePieceListing(const DataFolders& folders, const PieceListingInput& input);

// Writes the report with the shared folders and starts ostrel with it;
// returns whether ostrel was started (StartReportViewer reports a failed
// start). A report that cannot be written throws IoError and starts nothing.
// The current material code and record are as they were before.
bool ShowPieceListing(PieceListingInput input);

}  // namespace vor
