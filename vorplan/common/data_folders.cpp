#include "vorplan/common/data_folders.h"

#include <array>
#include <system_error>

#include "platform/clock.h"
#include "vorplan/common/conversions.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/ini_file.h"

namespace vor {

namespace fs = std::filesystem;

DataFolders MakeDataFolders(const fs::path& base)
{
    std::error_code ec;
    fs::path abs = fs::absolute(base, ec);
    if (ec)
        abs = base;
    abs = abs.lexically_normal();
    // "/a/b/" normalises to "/a/b/"; keep paths without a trailing separator.
    if (abs.has_relative_path() && abs.filename().empty())
        abs = abs.parent_path();

    DataFolders f;
    f.base = abs;
    f.mont = abs / "MONT";
    f.cnc = abs / "CNC";
    f.oldMont = abs / "OLD_MONT";
    f.mat = abs / "MAT";
    f.ped = abs / "PED";
    f.chp = abs / "CHP";
    f.tmp = abs / "TMP";
    f.cfg = abs / "CFG";
    f.hlp = abs / "HLP";
    f.rel = abs / "REL";
    f.exportDir = abs / "EXPORT";
    f.importDir = abs / "IMPORT";
    f.mrp = abs / "MRP";
    return f;
}

void SetupDirectories()
{
    gShared.folders = MakeDataFolders(fs::current_path());
}

int CheckDataFolders(const DataFolders& f)
{
    const std::array<const fs::path*, 9> tested = {&f.base, &f.mont, &f.mat, &f.ped, &f.chp,
                                                   &f.tmp,  &f.cfg,  &f.hlp, &f.rel};
    int missing = 0;
    for (std::size_t i = 0; i < tested.size(); ++i) {
        std::error_code ec;
        if (!fs::is_directory(*tested[i], ec))
            missing = static_cast<int>(i) + 1;
    }
    return missing;
}

int CheckDataFolders()
{
    return CheckDataFolders(gShared.folders);
}

namespace {

std::string TwoDigitText(int n)
{
    std::string s = std::to_string(n % 100);
    return s.size() < 2 ? "0" + s : s;
}

}  // namespace

std::string ShortDateText(const platform::LocalTime& t)
{
    return TwoDigitText(t.day) + "/" + TwoDigitText(t.month) + "/" + TwoDigitText(t.year);
}

std::string DateTimeText(const platform::Clock& clock)
{
    const platform::LocalTime t = clock.Now();
    return ShortDateText(t) + "  " + TwoDigitText(t.hour) + ":" + TwoDigitText(t.minute) + ":" +
           TwoDigitText(t.second);
}

std::string DateTimeText()
{
    return DateTimeText(platform::GetClock());
}

// ---- File names ------------------------------------------------------------

namespace {

bool OrderTablesInternal()
{
    return IniFile(MainSettingsFile()).ReadBool("CALC", "INTERNO", true);
}

const DataFolders& Shared()
{
    return gShared.folders;
}

}  // namespace

Path InUseMarkerFile(const DataFolders& f) { return f.base / "TRV.USU"; }
Path LanguageNumberFile(const DataFolders& f) { return f.base / "IDIO.NUM"; }
Path MainSettingsFile() { return IniPath("VL_.INI"); }

Path OrderTableFile(const DataFolders& f, long long order, bool internal)
{
    if (internal)
        return f.ped / ("PED" + IntToStrZero5Cut(order) + ".TAB");
    return f.base / "TMP" / ("PED" + IntToStrZero5Cut(order) + ".INQ");
}

Path OrderTableFile()
{
    return OrderTableFile(Shared(), gShared.currentOrder, OrderTablesInternal());
}

Path OrderSideFile(const DataFolders& f, long long order, bool internal)
{
    if (internal)
        return f.ped / ("PED" + IntToStrZero4Cut(order) + ".TXT");
    return f.base / "INP" / ("PED" + IntToStrZero5Cut(order) + ".INF");
}

Path OrderSideFile()
{
    return OrderSideFile(Shared(), gShared.currentOrder, OrderTablesInternal());
}

Path ProjectDescriptionFile(const DataFolders& f, long long order)
{
    return f.ped / ("DSC" + IntToStrZero5Cut(order) + ".INI");
}

Path ProjectDescriptionFile() { return ProjectDescriptionFile(Shared(), gShared.currentOrder); }

Path OrderTablePattern(const DataFolders& f) { return f.base / "PED" / "PED*.TAB"; }

Path SheetTableFile(const DataFolders& f, long long material)
{
    return f.chp / ("CHP" + IntToStrZero5Cut(material) + ".TAB");
}

Path SheetTableFile() { return SheetTableFile(Shared(), gShared.currentMaterial); }

Path OffcutTableFile(const DataFolders& f, long long material)
{
    return f.chp / ("RET" + IntToStrZero5Cut(material) + ".TAB");
}

Path OffcutTableFile() { return OffcutTableFile(Shared(), gShared.currentMaterial); }

Path MaterialFile(const DataFolders& f, long long material)
{
    return f.mat / ("M" + std::to_string(material) + ".INI");
}

Path MaterialFile() { return MaterialFile(Shared(), gShared.currentMaterial); }

namespace {
std::string LayoutStem(long long layout, long long material)
{
    return IntToStrZero3(layout) + "-" + IntToStrZero5(material);
}
}  // namespace

Path LayoutFile(const DataFolders& f, long long layout, long long material)
{
    return f.mont / (LayoutStem(layout, material) + ".MON");
}

Path LayoutFile(long long layout) { return LayoutFile(Shared(), layout, gShared.currentMaterial); }

Path TempLayoutFile(const DataFolders& f, long long layout, long long material)
{
    return f.mont / (LayoutStem(layout, material) + ".MTE");
}

Path TempLayoutFile(long long layout)
{
    return TempLayoutFile(Shared(), layout, gShared.currentMaterial);
}

Path CutRoutingFile(const DataFolders& f, long long layout, long long material)
{
    return f.cnc / ("CUT" + LayoutStem(layout, material) + ".cut");
}

Path CutRoutingFile(long long layout)
{
    return CutRoutingFile(Shared(), layout, gShared.currentMaterial);
}

Path CalcDataFile(const DataFolders& f) { return f.mont / "CALC_DAT.INI"; }
Path CalcSettingsFile(const DataFolders& f) { return f.cfg / "CONFCALC.INI"; }
Path CalcStampFile(const DataFolders& f) { return f.mont / "DATA_CO.INF"; }

Path MergedPieceListFile(const DataFolders& f, long long position, long long code)
{
    return f.tmp / ("ALL" + IntToStrZero3(position <= 0 ? 1 : position) + "." + IntToStrZero3(code));
}

Path CalcReportListFile(const DataFolders& f, long long material)
{
    return f.rel / ("NUS" + IntToStrZero5Cut(material) + ".TAB");
}

Path CalcReportListFile() { return CalcReportListFile(Shared(), gShared.currentMaterial); }

Path CalcHistoryFile(const DataFolders& f, long long material)
{
    return f.rel / ("ULTIMAS." + IntToStrZero3(material));
}

Path CalcHistoryFile() { return CalcHistoryFile(Shared(), gShared.currentMaterial); }

Path ReportTextFile(const DataFolders& f) { return f.rel / "RELAT.TXT"; }
Path OffcutLabelLayoutFile(const DataFolders& f) { return f.cfg / "L_ET_RET.LAY"; }
Path PieceDescriptionListFile(const DataFolders& f) { return f.cfg / "DESC_PEC.LST"; }

Path HelpTextFile(const DataFolders& f, int language)
{
    const char* letter = "P";
    switch (language) {
    case 2: letter = "I"; break;
    case 3: letter = "E"; break;
    case 4: letter = "N"; break;
    default: break;
    }
    return f.hlp / (std::string("VA2001_") + letter + ".RTF");
}

Path OffcutCounterFile(const DataFolders& f, long long material)
{
    return f.cfg / ("N_SEQ_R." + IntToStrZero3(material));
}

Path OffcutCounterFile() { return OffcutCounterFile(Shared(), gShared.currentMaterial); }

Path CalcMaterialsTextFile(const DataFolders& f) { return f.mont / "MAT.SEQ"; }
Path CalcOrdersFile(const DataFolders& f) { return f.mont / "PRJ.SEQ"; }
Path CalcMaterialsBinFile(const DataFolders& f) { return f.mont / "MAT_USAD.BIN"; }
Path RecentProjectsFile(const DataFolders& f) { return BaseFile(f, "last_projects.tab"); }
Path LastCalcMaterialsFile(const DataFolders& f) { return BaseFile(f, "arq_ult_mat_calc.aum"); }
Path OrderListReportFile(const DataFolders& f) { return BaseFile(f, "LIST_PED.REL"); }
Path MaterialListReportFile(const DataFolders& f) { return BaseFile(f, "LIST_MAT.REL"); }
Path MrpSettingsFile(const DataFolders& f) { return f.mrp / "MRP.INI"; }
Path CncSettingsFile(const DataFolders& f) { return f.cnc / "CNC.INI"; }

Path BaseFile(const DataFolders& f, const std::string& name) { return f.base / name; }

}  // namespace vor
