#include "vorplan/orders/project_description.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/fake_clock.h"
#include "platform/system_info.h"
#include "tests/support/failing_reads.h"
#include "tests/support/test_support.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/order_list.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using vortest::ReadBytes;
using vortest::TestInstallation;
using vortest::WriteBytes;

const std::string kThen = "02/01/24  08:00:00";
const std::string kNow = "24/03/25  14:15:02";

std::string Crlf(const Lines& lines)
{
    std::string out;
    for (const std::string& line : lines)
        out += line + "\r\n";
    return out;
}

// Every key in the order the table editor writes them, with the defaults.
const Lines kPcbDefaultLines = {
    "[PCB]",           "L_PCI=137.5",       "A_PCI=89.2",          "MAT=99010",
    "GIRA_PCI=1",      "QTD_DESEJADA=400",  "MIN_PCI_POR_TIRA=1",  "MAX_PCI_POR_TIRA=25",
    "BORDA_ESQ=10",    "BORDA_DIR=10",      "BORDA_SUP=2",         "BORDA_INF=2",
    "ESP_ENTRE_PCI=3", "LARG_MIN_TIRA=10",  "ALT_MIN_TIRA=0",      "LARG_MAX_TIRA=1000",
    "ALT_MAX_TIRA=1000", "QUANT_TAB_TIRA=", "LARG_TAB_TIRA=",      "ALT_TAB_TIRA=",
    "DESCRICAO_TAB_TIRA=", "QTD_USU=",      "LARG_USU=",           "ALT_USU=",
    "DESC_USU="};

Lines Join(Lines a, const Lines& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class ProjectDescriptionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_saved = vor::gShared;
        vor::gShared.folders = vor::MakeDataFolders(inst.base());
        system.computer = "oficina";
        system.user = "ana";
        platform::SetSystemInfo(&system);
        clock.SetNow({2025, 3, 24, 14, 15, 2, 0});
    }
    void TearDown() override
    {
        platform::SetSystemInfo(nullptr);
        vor::gShared = m_saved;
    }

    fs::path Dsc(long long n) const { return vor::ProjectDescriptionFile(vor::gShared.folders, n); }

    TestInstallation inst;
    platform::FixedSystemInfo system;
    platform::FakeClock clock;
    platform::ScopedClock clockScope{clock};

private:
    vor::SharedGlobals m_saved;
};

TEST_F(ProjectDescriptionTest, MissingFileGivesTheDefaults)
{
    EXPECT_EQ(vor::DefaultModifiedBy(), "oficina - ana ");
    const vor::ProjectDescription d = vor::ReadProjectDescription(17);
    vor::ProjectDescription expected;
    expected.created = kNow;
    expected.lastModified = kNow;
    expected.description = "PRJ 17";
    expected.modifiedBy = "oficina - ana ";
    EXPECT_EQ(d, expected);
    EXPECT_EQ(d.status, 0);
    EXPECT_EQ(d.pcb.boardWidth, "137.5");
    EXPECT_TRUE(d.pcb.mayTurn);
    EXPECT_EQ(d.pcb.stripQuantity, "");
    EXPECT_FALSE(fs::exists(Dsc(17)));
}

TEST_F(ProjectDescriptionTest, NewFileHoldsEveryKeyInOrder)
{
    vor::ProjectDescription d = vor::ReadProjectDescription(17);
    d.created = kThen;
    d.status = 1;
    d.description = "Cozinha";
    for (std::size_t i = 0; i < d.fields.size(); ++i)
        d.fields[i] = "f" + std::to_string(i + 2);
    d.pcb.stripQuantity = "5";
    d.pcb.stripDescription = "Tira larga";
    vor::WriteProjectDescription(17, d);

    Lines pcb = kPcbDefaultLines;
    pcb[17] = "QUANT_TAB_TIRA=5";
    pcb[20] = "DESCRICAO_TAB_TIRA=Tira larga";
    pcb[21] = "QTD_USU=5";
    pcb[24] = "DESC_USU=Tira larga";
    const Lines ped = {"[PED]",        "CRIACAO=" + kThen, "ULT_MODIF=" + kNow,
                       "STATUS=1",     "CAMPO1=Cozinha",   "CAMPO10=oficina - ana ",
                       "CAMPO2=f2",    "CAMPO3=f3",        "CAMPO4=f4",
                       "CAMPO5=f5",    "CAMPO6=f6",        "CAMPO7=f7",
                       "CAMPO8=f8",    "CAMPO9=f9"};
    EXPECT_EQ(ReadBytes(Dsc(17)), Crlf(Join(ped, pcb)));

    // Read back: the INI layer trims the trailing blank of CAMPO10.
    vor::ProjectDescription back = vor::ReadProjectDescription(17);
    EXPECT_EQ(back.modifiedBy, "oficina - ana");
    back.modifiedBy = d.modifiedBy;
    d.lastModified = kNow;
    EXPECT_EQ(back, d);
}

TEST_F(ProjectDescriptionTest, UnknownKeysStayWhereTheyAre)
{
    // A new project's file, with what other programs and users added.
    vor::WriteNewProjectIni(Dsc(3), "Mesa");
    const std::string created = ReadBytes(Dsc(3));
    WriteBytes(Dsc(3), "; feito à mão\r\n" + created.substr(0, created.find("PCI=0")) +
                           "PCI=1\r\nOUTRO=guardado\r\n" +
                           created.substr(created.find("CAMPO1=")) + "\r\n[OUTRA]\r\nX=1\r\n");

    vor::ProjectDescription d = vor::ReadProjectDescription(3);
    EXPECT_EQ(d.description, "Mesa");
    EXPECT_EQ(d.fields[0], "---");
    EXPECT_EQ(d.modifiedBy, "oficina - ana ");  // CAMPO10 missing
    clock.SetNow({2025, 3, 25, 9, 0, 0, 0});
    vor::WriteProjectDescription(3, d);

    const Lines expected = Join(
        {"; feito à mão", "[PED]", "CRIACAO=" + kNow, "ULT_MODIF=25/03/25  09:00:00", "STATUS=0",
         "PCI=1", "OUTRO=guardado", "CAMPO1=Mesa", "CAMPO2=---", "CAMPO10=oficina - ana ",
         "CAMPO3=", "CAMPO4=", "CAMPO5=", "CAMPO6=", "CAMPO7=", "CAMPO8=", "CAMPO9=", "",
         "[OUTRA]", "X=1"},
        kPcbDefaultLines);
    // The comment was typed in UTF-8, so the file stays UTF-8.
    EXPECT_EQ(ReadBytes(Dsc(3)), Crlf(expected));
    // The order list still reads the PCB flag the editor never writes.
    EXPECT_TRUE(vor::ReadProjectIni(3).pcb);
}

TEST_F(ProjectDescriptionTest, SavingUnchangedChangesOnlyTheStamp)
{
    vor::ProjectDescription d = vor::ReadProjectDescription(8);
    d.pcb.boardWidth = "150,5";
    d.pcb.mayTurn = false;
    d.modifiedBy = "oficina - ana";  // as an opened file holds it: read values are trimmed
    vor::WriteProjectDescription(Dsc(8), d, kThen);
    const std::string before = ReadBytes(Dsc(8));

    vor::WriteProjectDescription(Dsc(8), vor::ReadProjectDescription(Dsc(8), 8, kNow, "x"), kNow);
    std::string expected = before;
    expected.replace(expected.find("ULT_MODIF=" + kThen), 10 + kThen.size(), "ULT_MODIF=" + kNow);
    EXPECT_EQ(ReadBytes(Dsc(8)), expected);
}

TEST_F(ProjectDescriptionTest, DescriptionRules)
{
    struct Case {
        const char* what;
        Lines file;
        std::string description;  // as read
        std::string stored;       // CAMPO1 after saving it unchanged
    };
    const Case cases[] = {
        {"a new project with no description opens with its number",
         {"[PED]", "CAMPO1="}, "PRJ 5", "PRJ 5"},
        {"missing key", {"[PED]", "STATUS=2"}, "PRJ 5", "PRJ 5"},
        {"kept", {"[PED]", "CAMPO1= Porta "}, "Porta", "Porta"},
    };
    for (const Case& c : cases) {
        WriteBytes(Dsc(5), Crlf(c.file));
        const vor::ProjectDescription d = vor::ReadProjectDescription(5);
        EXPECT_EQ(d.description, c.description) << c.what;
        vor::WriteProjectDescription(5, d);
        EXPECT_EQ(vor::IniFile(Dsc(5)).ReadString("PED", "CAMPO1", "?"), c.stored) << c.what;
    }
    // An emptied description field is stored as "***".
    for (const char* emptied : {"", "   "}) {
        vor::ProjectDescription d = vor::ReadProjectDescription(5);
        d.description = emptied;
        vor::WriteProjectDescription(5, d);
        EXPECT_EQ(vor::IniFile(Dsc(5)).ReadString("PED", "CAMPO1", "?"), "***") << '"' << emptied << '"';
    }
}

TEST_F(ProjectDescriptionTest, SecondKeyOfEachStripPairDecides)
{
    WriteBytes(Dsc(2), Crlf({"[PCB]", "QUANT_TAB_TIRA=7", "LARG_TAB_TIRA=100", "LARG_USU=120",
                             "ALT_USU=30", "DESCRICAO_TAB_TIRA=velha", "DESC_USU=nova",
                             "GIRA_PCI=0", "[PED]", "STATUS=x"}));
    vor::ProjectDescription d = vor::ReadProjectDescription(2);
    EXPECT_EQ(d.pcb.stripQuantity, "");
    EXPECT_EQ(d.pcb.stripWidth, "120");
    EXPECT_EQ(d.pcb.stripHeight, "30");
    EXPECT_EQ(d.pcb.stripDescription, "nova");
    EXPECT_FALSE(d.pcb.mayTurn);
    EXPECT_EQ(d.status, 0);  // not a number

    vor::WriteProjectDescription(2, d);
    const vor::IniFile ini(Dsc(2));
    for (const auto& [first, second] :
         {std::pair{"QUANT_TAB_TIRA", "QTD_USU"}, std::pair{"LARG_TAB_TIRA", "LARG_USU"},
          std::pair{"ALT_TAB_TIRA", "ALT_USU"}, std::pair{"DESCRICAO_TAB_TIRA", "DESC_USU"}})
        EXPECT_EQ(ini.ReadString("PCB", first, "?"), ini.ReadString("PCB", second, "!")) << first;
    EXPECT_EQ(ini.ReadString("PCB", "LARG_TAB_TIRA", "?"), "120");
    EXPECT_EQ(ini.ReadString("PED", "STATUS", "?"), "0");
}

// A DSC<n>.INI that could not be read lost its status, description and fields
// at the next save.
TEST_F(ProjectDescriptionTest, FileThatCannotBeReadIsNeverWrittenOver)
{
    const std::string original = "[PED]\r\nSTATUS=2\r\nCAMPO1=Cozinha\r\nCAMPO2=Rua 5\r\n";
    vortest::WriteBytes(Dsc(4), original);
    vortest::FailingReads failing;
    const vor::ProjectDescription read = vor::ReadProjectDescription(Dsc(4), 4, kNow, "x", failing);
    EXPECT_EQ(read.status, 0);
    EXPECT_EQ(read.description, "PRJ 4");
    EXPECT_THROW(vor::WriteProjectDescription(Dsc(4), read, kNow, failing), vor::IoError);
    EXPECT_EQ(failing.writes, 0);
    EXPECT_EQ(vortest::ReadBytes(Dsc(4)), original);
}

TEST_F(ProjectDescriptionTest, WriteFailureThrowsAndCreatesNothing)
{
    const fs::path path = inst.base() / "nada" / "DSC00001.INI";
    EXPECT_THROW(vor::WriteProjectDescription(path, vor::ProjectDescription{}, kNow), vor::IoError);
    EXPECT_FALSE(fs::exists(path.parent_path()));
}

}  // namespace
