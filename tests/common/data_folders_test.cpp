#include "vorplan/common/data_folders.h"

#include <gtest/gtest.h>

#include "platform/fake_clock.h"
#include "tests/support/test_support.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/ini_file.h"

namespace {

namespace fs = std::filesystem;
using vortest::TempDir;
using vortest::TestInstallation;

std::string Rel(const vor::DataFolders& f, const fs::path& p)
{
    return p.lexically_relative(f.base).generic_string();
}

TEST(DataFolders, FolderTreeBelowTheBase)
{
    const vor::DataFolders f = vor::MakeDataFolders("/srv/vorlane/");
    EXPECT_EQ(f.base, fs::path("/srv/vorlane"));
    EXPECT_EQ(f.mont, fs::path("/srv/vorlane/MONT"));
    EXPECT_EQ(f.oldMont, fs::path("/srv/vorlane/OLD_MONT"));
    EXPECT_EQ(f.exportDir, fs::path("/srv/vorlane/EXPORT"));
    EXPECT_EQ(f.importDir, fs::path("/srv/vorlane/IMPORT"));
    EXPECT_EQ(f.mrp, fs::path("/srv/vorlane/MRP"));
}

TEST(DataFolders, EveryFileNameBuilder)
{
    const vor::DataFolders f = vor::MakeDataFolders("/b");
    struct Case {
        fs::path path;
        const char* expected;
    };
    const Case cases[] = {
        {vor::InUseMarkerFile(f), "TRV.USU"},
        {vor::LanguageNumberFile(f), "IDIO.NUM"},
        {vor::OrderTableFile(f, 123456, true), "PED/PED12345.TAB"},
        {vor::OrderTableFile(f, 7, true), "PED/PED00007.TAB"},
        {vor::OrderTableFile(f, 7, false), "TMP/PED00007.INQ"},
        {vor::OrderSideFile(f, 123456, true), "PED/PED1234.TXT"},
        {vor::OrderSideFile(f, 42, true), "PED/PED0042.TXT"},
        {vor::OrderSideFile(f, 42, false), "INP/PED00042.INF"},
        {vor::ProjectDescriptionFile(f, 123456), "PED/DSC12345.INI"},
        {vor::OrderTablePattern(f), "PED/PED*.TAB"},
        {vor::SheetTableFile(f, 5), "CHP/CHP00005.TAB"},
        {vor::OffcutTableFile(f, 5), "CHP/RET00005.TAB"},
        {vor::MaterialFile(f, 5), "MAT/M5.INI"},
        {vor::MaterialFile(f, 99001), "MAT/M99001.INI"},
        {vor::LayoutFile(f, 3, 12), "MONT/003-00012.MON"},
        {vor::LayoutFile(f, 1000, 123456), "MONT/1000-123456.MON"},
        {vor::TempLayoutFile(f, 1, 12), "MONT/001-00012.MTE"},
        {vor::CutRoutingFile(f, 3, 12), "CNC/CUT003-00012.cut"},
        {vor::CalcDataFile(f), "MONT/CALC_DAT.INI"},
        {vor::CalcSettingsFile(f), "CFG/CONFCALC.INI"},
        {vor::CalcStampFile(f), "MONT/DATA_CO.INF"},
        {vor::MergedPieceListFile(f, 0, 12), "TMP/ALL001.012"},
        {vor::MergedPieceListFile(f, -3, 7), "TMP/ALL001.007"},
        {vor::MergedPieceListFile(f, 2, 99001), "TMP/ALL002.99001"},
        {vor::CalcReportListFile(f, 5), "REL/NUS00005.TAB"},
        {vor::CalcHistoryFile(f, 5), "REL/ULTIMAS.005"},
        {vor::ReportTextFile(f), "REL/RELAT.TXT"},
        {vor::OffcutLabelLayoutFile(f), "CFG/L_ET_RET.LAY"},
        {vor::PieceDescriptionListFile(f), "CFG/DESC_PEC.LST"},
        {vor::HelpTextFile(f, 1), "HLP/VA2001_P.RTF"},
        {vor::HelpTextFile(f, 2), "HLP/VA2001_I.RTF"},
        {vor::HelpTextFile(f, 3), "HLP/VA2001_E.RTF"},
        {vor::HelpTextFile(f, 4), "HLP/VA2001_N.RTF"},
        {vor::HelpTextFile(f, 5), "HLP/VA2001_P.RTF"},
        {vor::OffcutCounterFile(f, 1234), "CFG/N_SEQ_R.1234"},
        {vor::OffcutCounterFile(f, 5), "CFG/N_SEQ_R.005"},
        {vor::CalcMaterialsTextFile(f), "MONT/MAT.SEQ"},
        {vor::CalcOrdersFile(f), "MONT/PRJ.SEQ"},
        {vor::CalcMaterialsBinFile(f), "MONT/MAT_USAD.BIN"},
        {vor::RecentProjectsFile(f), "last_projects.tab"},
        {vor::LastCalcMaterialsFile(f), "arq_ult_mat_calc.aum"},
        {vor::OrderListReportFile(f), "LIST_PED.REL"},
        {vor::MaterialListReportFile(f), "LIST_MAT.REL"},
        {vor::MrpSettingsFile(f), "MRP/MRP.INI"},
        {vor::CncSettingsFile(f), "CNC/CNC.INI"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Rel(f, c.path), c.expected);
}

TEST(DataFolders, CheckReportsTheLastMissingFolder)
{
    struct Case {
        std::vector<std::string> removed;
        int expected;
    };
    const Case cases[] = {
        {{}, 0},
        {{"MAT", "HLP"}, 8},
        {{"MONT"}, 2},
        {{"REL"}, 9},
        {{"CNC", "EXPORT", "IMPORT", "MRP", "OLD_MONT"}, 0},  // not tested
        {{"PED", "CHP", "TMP"}, 6},
    };
    for (const Case& c : cases) {
        TestInstallation inst;
        for (const std::string& name : c.removed)
            fs::remove_all(inst.base() / name);
        EXPECT_EQ(vor::CheckDataFolders(vor::MakeDataFolders(inst.base())), c.expected);
    }
    TempDir gone;
    const fs::path missing = gone.path() / "nowhere";
    EXPECT_EQ(vor::CheckDataFolders(vor::MakeDataFolders(missing)), 9);

    TestInstallation inst;
    vortest::WriteBytes(inst.base() / "CFG2", "x");
    fs::remove_all(inst.base() / "CFG");
    vortest::WriteBytes(inst.base() / "CFG", "a file, not a folder");
    EXPECT_EQ(vor::CheckDataFolders(vor::MakeDataFolders(inst.base())), 7);
}

TEST(DataFolders, BaseIsCapturedOnceAtSetup)
{
    TestInstallation inst;
    TempDir elsewhere;
    {
        vortest::ScopedCwd cwd(inst.base());
        vor::SetupDirectories();
    }
    vortest::ScopedCwd moved(elsewhere.path());
    EXPECT_EQ(vor::gShared.folders.base, fs::canonical(inst.base()));
    EXPECT_EQ(vor::RecentProjectsFile(vor::gShared.folders),
              fs::canonical(inst.base()) / "last_projects.tab");
    EXPECT_EQ(vor::CheckDataFolders(), 0);
}

TEST(DataFolders, WrappersReadCurrentNumbersAndInternalSetting)
{
    TestInstallation inst;
    vor::gShared.folders = vor::MakeDataFolders(inst.base());
    vor::gShared.currentOrder = 123456;
    vor::gShared.currentMaterial = 12;
    const vor::DataFolders& f = vor::gShared.folders;

    EXPECT_EQ(Rel(f, vor::OrderTableFile()), "PED/PED12345.TAB");  // INTERNO defaults to true
    EXPECT_EQ(Rel(f, vor::LayoutFile(3)), "MONT/003-00012.MON");
    EXPECT_EQ(Rel(f, vor::CutRoutingFile(3)), "CNC/CUT003-00012.cut");
    EXPECT_EQ(Rel(f, vor::SheetTableFile()), "CHP/CHP00012.TAB");
    EXPECT_EQ(Rel(f, vor::CalcHistoryFile()), "REL/ULTIMAS.012");

    vor::IniFile(vor::MainSettingsFile()).WriteBool("CALC", "INTERNO", false);
    EXPECT_EQ(Rel(f, vor::OrderTableFile()), "TMP/PED12345.INQ");  // decided at each call
    EXPECT_EQ(Rel(f, vor::OrderSideFile()), "INP/PED12345.INF");
    EXPECT_EQ(vor::MainSettingsFile(), inst.iniDir() / "VL_.INI");
}

TEST(DataFolders, DateTimeTextFromTheClock)
{
    platform::FakeClock clock;
    clock.SetNow({2025, 3, 24, 14, 15, 2});
    EXPECT_EQ(vor::DateTimeText(clock), "24/03/25  14:15:02");
    clock.SetNow({2007, 12, 1, 0, 0, 0});
    platform::ScopedClock installed(clock);
    EXPECT_EQ(vor::DateTimeText(), "01/12/07  00:00:00");
}

}  // namespace
