#pragma once

#include <filesystem>
#include <string>

namespace platform {
class Clock;
struct LocalTime;
}

namespace vor {

// The base folder and the thirteen data folders below it. Paths are absolute.
struct DataFolders {
    std::filesystem::path base;
    std::filesystem::path mont, cnc, oldMont, mat, ped, chp, tmp, cfg, hlp, rel, exportDir,
        importDir, mrp;
};

// The folder tree below `base`, made absolute once; nothing is created.
DataFolders MakeDataFolders(const std::filesystem::path& base);

// Captures the current directory as the base folder and sets the shared
// folder paths from it. Later changes of the current directory move nothing.
void SetupDirectories();

// Tests base, MONT, MAT, PED, CHP, TMP, CFG, HLP and REL in this order and
// returns the code of the last missing one (1 base ... 9 REL), 0 when all exist.
int CheckDataFolders(const DataFolders& folders);
int CheckDataFolders();  // of the shared folders

// "dd/mm/yy" of a wall-clock reading, never from the locale.
std::string ShortDateText(const platform::LocalTime& t);
// "dd/mm/yy", two blanks, "hh:mm:ss" of the clock's wall time.
std::string DateTimeText(const platform::Clock& clock);
std::string DateTimeText();  // of the shared clock

// ---- File names ------------------------------------------------------------
// Each builder takes its numbers as arguments; the overloads without them read
// the shared current order or material at the moment of the call.

using Path = std::filesystem::path;

Path InUseMarkerFile(const DataFolders& f);     // base/TRV.USU
Path LanguageNumberFile(const DataFolders& f);  // base/IDIO.NUM
Path MainSettingsFile();                        // VL_.INI in the settings folder

// PED/PEDnnnnn.TAB, or base/TMP/PEDnnnnn.INQ when the order tables are not internal.
Path OrderTableFile(const DataFolders& f, long long order, bool internal);
Path OrderTableFile();  // current order, INTERNO read from VL_.INI now
// PED/PEDnnnn.TXT, or base/INP/PEDnnnnn.INF when not internal.
Path OrderSideFile(const DataFolders& f, long long order, bool internal);
Path OrderSideFile();
Path ProjectDescriptionFile(const DataFolders& f, long long order);  // PED/DSCnnnnn.INI
Path ProjectDescriptionFile();
Path OrderTablePattern(const DataFolders& f);  // base/PED/PED*.TAB

Path SheetTableFile(const DataFolders& f, long long material);   // CHP/CHPnnnnn.TAB
Path SheetTableFile();
Path OffcutTableFile(const DataFolders& f, long long material);  // CHP/RETnnnnn.TAB
Path OffcutTableFile();
Path MaterialFile(const DataFolders& f, long long material);     // MAT/M<code>.INI
Path MaterialFile();

Path LayoutFile(const DataFolders& f, long long layout, long long material);      // MONT/nnn-nnnnn.MON
Path LayoutFile(long long layout);
Path TempLayoutFile(const DataFolders& f, long long layout, long long material);  // MONT/nnn-nnnnn.MTE
Path TempLayoutFile(long long layout);
Path CutRoutingFile(const DataFolders& f, long long layout, long long material);  // CNC/CUTnnn-nnnnn.cut
Path CutRoutingFile(long long layout);

Path CalcDataFile(const DataFolders& f);      // MONT/CALC_DAT.INI
Path CalcSettingsFile(const DataFolders& f);  // CFG/CONFCALC.INI
Path CalcStampFile(const DataFolders& f);     // MONT/DATA_CO.INF
// TMP/ALLppp.ccc: position in the material selection (1 when 0 or less) and the code there.
Path MergedPieceListFile(const DataFolders& f, long long position, long long code);
Path CalcReportListFile(const DataFolders& f, long long material);  // REL/NUSnnnnn.TAB
Path CalcReportListFile();
Path CalcHistoryFile(const DataFolders& f, long long material);     // REL/ULTIMAS.nnn
Path CalcHistoryFile();
Path ReportTextFile(const DataFolders& f);            // REL/RELAT.TXT
Path OffcutLabelLayoutFile(const DataFolders& f);     // CFG/L_ET_RET.LAY
Path PieceDescriptionListFile(const DataFolders& f);  // CFG/DESC_PEC.LST
// HLP/VA2001_<P|I|E|N>.RTF; language 5 (and any unknown one) uses P.
Path HelpTextFile(const DataFolders& f, int language);
Path OffcutCounterFile(const DataFolders& f, long long material);  // CFG/N_SEQ_R.nnn
Path OffcutCounterFile();
Path CalcMaterialsTextFile(const DataFolders& f);  // MONT/MAT.SEQ
Path CalcOrdersFile(const DataFolders& f);         // MONT/PRJ.SEQ
Path CalcMaterialsBinFile(const DataFolders& f);   // MONT/MAT_USAD.BIN
Path RecentProjectsFile(const DataFolders& f);     // base/last_projects.tab
Path LastCalcMaterialsFile(const DataFolders& f);  // base/arq_ult_mat_calc.aum
Path OrderListReportFile(const DataFolders& f);    // base/LIST_PED.REL
Path MaterialListReportFile(const DataFolders& f); // base/LIST_MAT.REL
Path MrpSettingsFile(const DataFolders& f);        // MRP/MRP.INI
Path CncSettingsFile(const DataFolders& f);        // CNC/CNC.INI

// A bare text-file name resolved against the saved base folder, never the
// live current directory.
Path BaseFile(const DataFolders& f, const std::string& name);

}  // namespace vor
