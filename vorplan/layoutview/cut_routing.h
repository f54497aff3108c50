#pragma once

#include <string>
#include <vector>

#include "platform/clock.h"
#include "vorplan/common/atomic_file.h"
#include "vorplan/common/data_folders.h"
#include "vorplan/layoutview/cut_lines.h"

namespace vor {

// The cut route of a layout for the cutting machine ("Caminho do corte"):
// CNC/CUTnnn-nnnnn.cut. Coordinates are tenths of a millimetre in the
// layout file's frame, from the corner inside the sheet's trims, so the
// machine adds the left and bottom trims.

// Every cut line in its order except those absorbed by a merge; each a cut.
std::vector<RouteLine> BuildCutRoute(const CutLineList& lines);

// One data line: n in 4 characters, "C", the four coordinates in 10
// characters each, blanks in front, every field followed by two blanks; a
// longer number is written whole.
std::string CutRouteLine(long n, const RouteLine& line);

// The file's lines: the dated header, the column line, an empty line, then
// one line per route entry. The date is "dd/mm/yy".
std::vector<std::string> CutRoutingLines(const std::vector<RouteLine>& route,
                                         const platform::LocalTime& date);

// Writes the route to `path` (ASCII, CR LF after every line) with the clock's
// date. Throws IoError when it cannot; an earlier file is then left as it was.
void WriteCutRoutingFile(const Path& path, const std::vector<RouteLine>& route,
                         const platform::Clock& clock, FileOps& ops = DefaultFileOps());

}  // namespace vor
