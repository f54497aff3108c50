#include "vorplan/layoutview/cut_routing.h"

#include "vorplan/common/conversions.h"
#include "vorplan/common/data_folders.h"
#include "vorplan/common/text_file.h"

namespace vor {

std::vector<RouteLine> BuildCutRoute(const CutLineList& lines)
{
    std::vector<RouteLine> route;
    for (const CutLine& l : lines)
        if (l.level != kCutLevelMerged)
            route.push_back({l.x1, l.y1, l.x2, l.y2, true});
    return route;
}

std::string CutRouteLine(long n, const RouteLine& line)
{
    return IntToStrPad(n, -4) + "  " + (line.cut ? "C" : "D") + "  " + IntToStrPad(line.x1, -10) +
           "  " + IntToStrPad(line.y1, -10) + "  " + IntToStrPad(line.x2, -10) + "  " +
           IntToStrPad(line.y2, -10) + "  ";
}

std::vector<std::string> CutRoutingLines(const std::vector<RouteLine>& route,
                                         const platform::LocalTime& date)
{
    std::vector<std::string> lines = {
        "// Vorlane - Cut routing - " + ShortDateText(date),
        "// ", "// N  C/D(Cut / Not Cut)  X1  Y1  X2  Y2", ""};
    long n = 0;
    for (const RouteLine& line : route)
        lines.push_back(CutRouteLine(++n, line));
    return lines;
}

void WriteCutRoutingFile(const Path& path, const std::vector<RouteLine>& route,
                         const platform::Clock& clock, FileOps& ops)
{
    WriteTextLines(path, CutRoutingLines(route, clock.Now()), ops);
}

}  // namespace vor
