#pragma once

#include <string>
#include <vector>

#include "vorplan/common/atomic_file.h"
#include "vorplan/common/data_folders.h"

namespace vor {

// Hands a viewer report to ostrel: writes `lines` to TMP/mont_inf.txt
// (Windows-1252, CR LF, replacing the last report), keeps its path in
// `reportPath`, empties the clipboard (ostrel answers there when it closes)
// and starts ostrel with the path. Throws IoError when the file cannot be
// written; nothing is started then. Returns whether ostrel was started
// (StartReportViewer reports a failed start).
bool HandReportToViewer(const DataFolders& folders, const std::vector<std::string>& lines,
                        std::string& reportPath, FileOps& ops = DefaultFileOps());

}  // namespace vor
