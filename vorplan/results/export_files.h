#pragma once

#include <string>
#include <vector>

#include "vorplan/common/atomic_file.h"
#include "vorplan/common/data_folders.h"
#include "vorplan/results/calc_summary.h"

namespace vor {

// The two comma-separated files that hand the last calculation's results to
// outside systems. Both cover the materials in calculation order; a material
// whose layouts could not be read whole (MaterialLayoutSums::problem) is left
// out. Written atomically in Windows-1252 with CR LF; a file that cannot be
// written throws IoError with its path and the old file stays.

// The sixteen comment lines, then "0,0,<code>,2,3,4,5" per material.
std::vector<std::string> CalculatedLayoutsLines(const std::vector<MaterialLayoutSums>& materials);
void WriteCalculatedLayoutsFile(const Path& file, const std::vector<MaterialLayoutSums>& materials,
                                FileOps& ops = DefaultFileOps());

// With `withHeader` the ten "/" lines, then "<code>,<count>,<w>,<h>" per
// distinct sheet size, sizes in millimetres without trailing zeros.
std::vector<std::string> NecessarySheetsLines(const std::vector<MaterialLayoutSums>& materials,
                                              bool withHeader);
void WriteNecessarySheetsFile(const Path& file, const std::vector<MaterialLayoutSums>& materials,
                              bool withHeader, FileOps& ops = DefaultFileOps());

}  // namespace vor
