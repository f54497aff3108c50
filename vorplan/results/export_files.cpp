#include "vorplan/results/export_files.h"

#include "vorplan/common/conversions.h"
#include "vorplan/common/real_helpers.h"
#include "vorplan/common/text_file.h"

namespace vor {

std::vector<std::string> CalculatedLayoutsLines(const std::vector<MaterialLayoutSums>& materials)
{
    std::vector<std::string> lines = {
        "; Vorlane v.2.18  Calculated layouts file",
        "; Fields: RES1  RES2  MAT  TYPE  C  W  H  QT",
        "; Where:",
        "; RES1 = Reserved (0)",
        "; RES2 = Reserved (0)",
        "; MAT  = MATERIAL CODE (0..99999)",
        "; TYPE = OBJECT TYPE: 1=SHEET  2=PIECE  3=OFFCUT  4=SCRAP",
        ";   C =  SHEET/PIECE CODE",
        ";   X=",
        ";   Y=",
        ";   W  = OBJECT WIDTH",
        ";   H  = OBJECT HEIGHT",
        ";   QT = OBJECT QUANTITY",
        "; DESC = DESCRIPTION",
        ";  PRJ = PROJECT NUMBER (for \"PIECES\" type",
        "; ",
    };
    for (const MaterialLayoutSums& m : materials)
        if (!m.problem)
            lines.push_back("0,0," + std::to_string(m.code) + ",2,3,4,5");
    return lines;
}

void WriteCalculatedLayoutsFile(const Path& file, const std::vector<MaterialLayoutSums>& materials,
                                FileOps& ops)
{
    WriteTextLines(file, CalculatedLayoutsLines(materials), ops);
}

std::vector<std::string> NecessarySheetsLines(const std::vector<MaterialLayoutSums>& materials,
                                              bool withHeader)
{
    std::vector<std::string> lines;
    if (withHeader)
        lines = {
            "/ Vorlane v.2.18   (Report of necessary sheets)",
            "/ The lines that begin with the symbol \"/\" are comments and it should be despised",
            "/ Fields: MAT  QT  W  H",
            "/ Where:",
            "/ MAT  = MATERIAL CODE (0..99999)",
            "/   QT = SHEET QUANTITY",
            "/   W  = SHEET WIDTH",
            "/   H  = SHEET HEIGHT",
            "/",
            "/ MAT,QT,W,H",
        };
    for (const MaterialLayoutSums& m : materials) {
        if (m.problem)
            continue;
        for (const SheetSizeEntry& size : m.sizes)
            lines.push_back(std::to_string(m.code) + "," + std::to_string(size.count) + "," +
                            TenthsAsMillimetres(size.width) + "," +
                            TenthsAsMillimetres(size.height));
    }
    return lines;
}

void WriteNecessarySheetsFile(const Path& file, const std::vector<MaterialLayoutSums>& materials,
                              bool withHeader, FileOps& ops)
{
    WriteTextLines(file, NecessarySheetsLines(materials, withHeader), ops);
}

}  // namespace vor
