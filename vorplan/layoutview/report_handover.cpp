#include "vorplan/layoutview/report_handover.h"

#include "platform/clipboard.h"
#include "vorplan/common/helper_programs.h"
#include "vorplan/common/text_file.h"
#include "vorplan/orders/piece_listing.h"

namespace vor {

bool HandReportToViewer(const DataFolders& folders, const std::vector<std::string>& lines,
                        std::string& reportPath, FileOps& ops)
{
    const Path path = PieceListingFile(folders);
    WriteTextLines(path, lines, ops);
    reportPath = path.string();
    platform::GetClipboard().Clear();
    return StartReportViewer(folders, path);
}

}  // namespace vor
