#include "vorplan/common/ini_file.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <limits>
#include <optional>
#include <string>

#include "tests/support/failing_reads.h"
#include "tests/support/test_support.h"
#include "vorplan/common/errors.h"

namespace {

using vortest::ReadBytes;
using vortest::ScopedEnv;
using vortest::TempDir;
using vortest::WriteBytes;
namespace fs = std::filesystem;

// ---- Settings folder and names ---------------------------------------------

TEST(IniSettingsFolder, ResolvesInOrderAndCreatesTheFolder)
{
    TempDir tmp;
    const fs::path home = tmp.path() / "home";
    const fs::path xdg = tmp.path() / "xdg";
    const fs::path ini = tmp.path() / "ini" / "deep";
    ScopedEnv homeEnv("HOME", home.c_str());

    {
        ScopedEnv iniEnv("VORLANE_INI_DIR", ini.c_str());
        ScopedEnv xdgEnv("XDG_CONFIG_HOME", xdg.c_str());
        EXPECT_EQ(vor::SettingsFolder(), ini);
        EXPECT_TRUE(fs::is_directory(ini));
    }
    {
        ScopedEnv iniEnv("VORLANE_INI_DIR", "");
        ScopedEnv xdgEnv("XDG_CONFIG_HOME", xdg.c_str());
        EXPECT_EQ(vor::SettingsFolder(), xdg / "vorlane");
        EXPECT_TRUE(fs::is_directory(xdg / "vorlane"));
    }
    {
        ScopedEnv iniEnv("VORLANE_INI_DIR", nullptr);
        ScopedEnv xdgEnv("XDG_CONFIG_HOME", "");
        EXPECT_EQ(vor::SettingsFolder(), home / ".config" / "vorlane");
        EXPECT_TRUE(fs::is_directory(home / ".config" / "vorlane"));
    }
    {
        // A relative XDG_CONFIG_HOME is invalid by the XDG rules and ignored.
        ScopedEnv iniEnv("VORLANE_INI_DIR", nullptr);
        ScopedEnv xdgEnv("XDG_CONFIG_HOME", "relative/config");
        EXPECT_EQ(vor::SettingsFolder(), home / ".config" / "vorlane");
    }
}

TEST(IniSettingsFolder, FolderThatCannotBeCreatedThrowsIoError)
{
    TempDir tmp;
    WriteBytes(tmp.path() / "file", "x");
    ScopedEnv iniEnv("VORLANE_INI_DIR", (tmp.path() / "file" / "sub").c_str());
    EXPECT_THROW(vor::SettingsFolder(), vor::IoError);
    EXPECT_THROW(vor::IniFile("VL_.INI"), vor::IoError);
}

TEST(IniPath, BareNameGoesToTheSettingsFolderAndPathsStayAsGiven)
{
    TempDir tmp;
    ScopedEnv iniEnv("VORLANE_INI_DIR", tmp.path().c_str());
    EXPECT_EQ(vor::IniPath("VL_.INI"), tmp.path() / "VL_.INI");
    EXPECT_EQ(vor::IniPath("/opt/x/DSC00001.INI"), fs::path("/opt/x/DSC00001.INI"));
    EXPECT_EQ(vor::IniPath("PED/DSC00001.INI"), fs::path("PED/DSC00001.INI"));
    EXPECT_EQ(vor::IniFile("VL_.INI").path(), tmp.path() / "VL_.INI");
}

// ---- Reads -------------------------------------------------------------------

class IniRead : public ::testing::Test {
protected:
    void Load(std::string_view bytes)
    {
        WriteBytes(m_tmp.path() / "t.ini", bytes);
        m_ini.emplace(m_tmp.path() / "t.ini");
    }
    TempDir m_tmp;
    std::optional<vor::IniFile> m_ini;
};

TEST_F(IniRead, StringsFollowTheProfileRules)
{
    Load(
        "; comment before any section\r\n"
        "Orphan=not in a section\r\n"
        "[Geral]\r\n"
        "Nome = Fulano  \r\n"
        "nome=Second\r\n"
        "Quoted1='a'\r\n"
        "Quoted2=\"a\"\r\n"
        "Mixed='a\"\r\n"
        "Lone=\"\r\n"
        "Padded=  \"  in quotes  \"  \r\n"
        "Twice=''x''\r\n"
        "Empty=\r\n"
        "Eq=a=b\r\n"
        ";Hidden=comment\r\n"
        "  ; Indented=comment\r\n"
        "\tTabbed\t=\tx\t\r\n"
        "NoEquals\r\n"
        "[geral]\r\n"
        "Only=in the second Geral\r\n"
        "Nome=Ignored\r\n"
        "  [ Espaco ]  trailing\r\n"
        "K=v\r\n"
        "[Open\r\n"
        "K2=v2\r\n");

    struct Case {
        const char* section;
        const char* key;
        const char* expected;
    };
    const Case cases[] = {
        {"Geral", "Nome", "Fulano"},
        {"GERAL", "NOME", "Fulano"},  // both names without case
        {"geral", "nome", "Fulano"},  // first of two keys wins
        {"Geral", "Only", "<def>"},   // the second Geral is never read
        {"Geral", "Quoted1", "a"},
        {"Geral", "Quoted2", "a"},
        {"Geral", "Mixed", "'a\""},  // different quotes stay
        {"Geral", "Lone", "\""},     // one quote is no pair
        {"Geral", "Padded", "  in quotes  "},
        {"Geral", "Twice", "'x'"},  // only one pair removed
        {"Geral", "Empty", ""},     // present but empty is not the default
        {"Geral", "Eq", "a=b"},
        {"Geral", "Hidden", "<def>"},
        {"Geral", ";Hidden", "<def>"},
        {"Geral", "Indented", "<def>"},
        {"Geral", "Tabbed", "x"},
        {"Geral", "NoEquals", "<def>"},
        {"Geral", "Missing", "<def>"},
        {"", "Orphan", "<def>"},  // lines before the first section
        {"Espaco", "K", "v"},
        {"Open", "K2", "v2"},  // header without "]"
        {"Nowhere", "K", "<def>"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(m_ini->ReadString(c.section, c.key, "<def>"), c.expected)
            << "[" << c.section << "] " << c.key;
    }
    EXPECT_TRUE(m_ini->KeyExists("geral", "EMPTY"));
    EXPECT_FALSE(m_ini->KeyExists("Geral", "Only"));
    EXPECT_TRUE(m_ini->SectionExists("espaco"));
    EXPECT_FALSE(m_ini->SectionExists("Orphan"));
    EXPECT_EQ(m_ini->ReadSectionKeys("Espaco"), std::vector<std::string>{"K"});
    const std::vector<std::string> geralKeys{"Nome",   "Quoted1", "Quoted2", "Mixed", "Lone",
                                             "Padded", "Twice",   "Empty",   "Eq",    "Tabbed"};
    EXPECT_EQ(m_ini->ReadSectionKeys("GERAL"), geralKeys);
}

TEST_F(IniRead, IntegersAndBoolsFallBackToTheDefaultForUnreadableText)
{
    Load(
        "[N]\r\n"
        "A=12\r\nB=12a\r\nC=\r\nD= 7 \r\nE=-5\r\nF=+3\r\nG=2147483647\r\nH=2147483648\r\n"
        "I=-2147483648\r\nJ=-2147483649\r\nK=$1F\r\nL=1.5\r\nM=\"42\"\r\nN=-\r\nO=$\r\n"
        "P=- 5\r\nQ=0x10\r\nR=1 2\r\nS=+-1\r\nT=$-1\r\nU=99999999999999999999\r\n"
        "[B]\r\nTwo=2\r\nZero=0\r\nYes=yes\r\nNeg=-1\r\nEmpty=\r\n");

    struct IntCase {
        const char* key;
        int expected;
    };
    constexpr int kDef = -777;
    const IntCase ints[] = {
        {"A", 12},
        {"B", kDef},
        {"C", kDef},
        {"D", 7},
        {"E", -5},
        {"F", 3},
        {"G", std::numeric_limits<int>::max()},
        {"H", kDef},
        {"I", std::numeric_limits<int>::min()},
        {"J", kDef},
        {"K", 31},
        {"L", kDef},
        {"M", 42},
        {"N", kDef},
        {"O", kDef},
        {"P", kDef},
        {"Q", kDef},
        {"R", kDef},
        {"S", kDef},
        {"T", kDef},
        {"U", kDef},
        {"Missing", kDef},
    };
    for (const IntCase& c : ints)
        EXPECT_EQ(m_ini->ReadInteger("N", c.key, kDef), c.expected) << c.key;

    struct BoolCase {
        const char* key;
        bool def;
        bool expected;
    };
    const BoolCase bools[] = {
        {"Two", false, true},    {"Zero", true, false},     {"Neg", false, true},
        {"Yes", true, true},     {"Yes", false, false},     {"Empty", true, true},
        {"Missing", true, true}, {"Missing", false, false},
    };
    for (const BoolCase& c : bools)
        EXPECT_EQ(m_ini->ReadBool("B", c.key, c.def), c.expected) << c.key << " def " << c.def;
}

TEST_F(IniRead, RealsNeedTheWholeTextAsADecimalNumber)
{
    Load(
        "[R]\r\n"
        "A=1.5\r\nB=1,5\r\nC=-2.25e3\r\nD=inf\r\nE=nan\r\nF=0x1p3\r\nG=1.5x\r\nH=\r\n"
        "I=1,5.0\r\nJ=.5\r\nK= 3 \r\nL=1e999\r\nM=5.\r\nN=+0.25\r\nO=1e\r\nP=.\r\n"
        "Q=-INF\r\nR=1E+2\r\n");
    struct Case {
        const char* key;
        double expected;
    };
    constexpr double kDef = -99.5;
    const Case cases[] = {
        {"A", 1.5},  {"B", 1.5},  {"C", -2250}, {"D", kDef}, {"E", kDef}, {"F", kDef},
        {"G", kDef}, {"H", kDef}, {"I", kDef},  {"J", 0.5},  {"K", 3},    {"L", kDef},
        {"M", 5},    {"N", 0.25}, {"O", kDef},  {"P", kDef}, {"Q", kDef}, {"R", 100},
    };
    for (const Case& c : cases)
        EXPECT_EQ(m_ini->ReadReal("R", c.key, kDef), c.expected) << c.key;
}

TEST_F(IniRead, Utf8FileWithOrWithoutByteOrderMarkIsRead)
{
    Load("[S]\nK=a\xC3\xA7\xC3\xA3o\nL=\xE2\x82\xAC");
    EXPECT_EQ(m_ini->ReadString("S", "K", ""), "a\xC3\xA7\xC3\xA3o");
    EXPECT_EQ(m_ini->ReadString("S", "L", ""), "\xE2\x82\xAC");

    Load("\xEF\xBB\xBF[S]\r\nK=v\r\n");
    EXPECT_EQ(m_ini->ReadString("S", "K", ""), "v");

    // Windows-1252 bytes read as such.
    Load("[S]\r\nK=Jos\xE9\r\n");
    EXPECT_EQ(m_ini->ReadString("S", "K", ""), "Jos\xC3\xA9");
}

TEST_F(IniRead, MissingFileReadsAsEmpty)
{
    vor::IniFile ini(m_tmp.path() / "none.ini");
    EXPECT_EQ(ini.ReadString("S", "K", "d"), "d");
    EXPECT_EQ(ini.ReadInteger("S", "K", 5), 5);
    EXPECT_FALSE(ini.SectionExists("S"));
    EXPECT_FALSE(fs::exists(m_tmp.path() / "none.ini"));
}

// ---- Writes ------------------------------------------------------------------

class IniWrite : public ::testing::Test {
protected:
    fs::path File() const { return m_tmp.path() / "w.ini"; }
    TempDir m_tmp;
};

// Configuração, Zé and ç in Windows-1252.
constexpr std::string_view kOriginal =
    "; Configura\xE7\xE3o\r\n"
    "[Geral]\r\n"
    "Nome=Z\xE9\r\n"
    "  Ling = pt ; old\r\n"
    "Unknown=kept\r\n"
    "\r\n"
    "[Outra]\r\n"
    "X=1\r\n";

TEST_F(IniWrite, ChangedKeyKeepsEveryOtherByte)
{
    WriteBytes(File(), kOriginal);
    vor::IniFile ini(File());
    ini.WriteString("geral", "LING", "\xC3\xA7");  // "ç" in UTF-8
    EXPECT_EQ(ReadBytes(File()),
              "; Configura\xE7\xE3o\r\n"
              "[Geral]\r\n"
              "Nome=Z\xE9\r\n"
              "Ling=\xE7\r\n"
              "Unknown=kept\r\n"
              "\r\n"
              "[Outra]\r\n"
              "X=1\r\n");
    EXPECT_EQ(ini.ReadString("Geral", "Ling", ""), "\xC3\xA7");
}

TEST_F(IniWrite, NewKeyGoesToTheEndOfItsSectionBeforeTheBlankLine)
{
    WriteBytes(File(), kOriginal);
    vor::IniFile ini(File());
    ini.WriteInteger("Geral", "Novo", -42);
    ini.WriteInteger("Outra", "Y", 7);
    EXPECT_EQ(ReadBytes(File()),
              "; Configura\xE7\xE3o\r\n"
              "[Geral]\r\n"
              "Nome=Z\xE9\r\n"
              "  Ling = pt ; old\r\n"
              "Unknown=kept\r\n"
              "Novo=-42\r\n"
              "\r\n"
              "[Outra]\r\n"
              "X=1\r\n"
              "Y=7\r\n");
}

TEST_F(IniWrite, NewSectionIsAppendedAndFileIsCreated)
{
    WriteBytes(File(), kOriginal);
    vor::IniFile ini(File());
    ini.WriteBool("Nova", "On", true);
    ini.WriteBool("Nova", "Off", false);
    EXPECT_EQ(ReadBytes(File()), std::string(kOriginal) + "[Nova]\r\nOn=1\r\nOff=0\r\n");
    EXPECT_TRUE(ini.ReadBool("Nova", "On", false));
    EXPECT_FALSE(ini.ReadBool("Nova", "Off", true));

    vor::IniFile fresh(m_tmp.path() / "new.ini");
    fresh.WriteString("S", "K", "v");
    EXPECT_EQ(ReadBytes(m_tmp.path() / "new.ini"), "[S]\r\nK=v\r\n");
}

TEST_F(IniWrite, DuplicateSectionIsNeverWritten)
{
    WriteBytes(File(), "[A]\r\nK=1\r\n[a]\r\nK=2\r\n");
    vor::IniFile ini(File());
    ini.WriteString("A", "K", "3");
    ini.WriteString("A", "New", "4");
    EXPECT_EQ(ReadBytes(File()), "[A]\r\nK=3\r\nNew=4\r\n[a]\r\nK=2\r\n");
}

TEST_F(IniWrite, LineBreakInAValueCannotAddLines)
{
    vor::IniFile ini(File());
    ini.WriteString("S", "K", "a\r\n[Other]\nX=1");
    EXPECT_EQ(ReadBytes(File()), "[S]\r\nK=a  [Other] X=1\r\n");
    EXPECT_FALSE(vor::IniFile(File()).SectionExists("Other"));
}

TEST_F(IniWrite, RealsRoundTripWithAPoint)
{
    vor::IniFile ini(File());
    const double values[] = {0.1, -2.5, 1e20, 123456.789, 5e-324, 0.0};
    int n = 0;
    for (double v : values)
        ini.WriteReal("R", "V" + std::to_string(n++), v);
    EXPECT_EQ(ini.ReadString("R", "V0", ""), "0.1");
    EXPECT_EQ(ini.ReadString("R", "V1", ""), "-2.5");
    vor::IniFile again(File());
    n = 0;
    for (double v : values)
        EXPECT_EQ(again.ReadReal("R", "V" + std::to_string(n++), -1), v);
}

TEST_F(IniWrite, WriteRereadsTheFileSoOtherWritersAreKept)
{
    vor::IniFile a(File());
    vor::IniFile b(File());
    b.WriteString("S", "FromB", "b");
    a.WriteString("S", "FromA", "a");
    EXPECT_EQ(ReadBytes(File()), "[S]\r\nFromB=b\r\nFromA=a\r\n");
    EXPECT_EQ(a.ReadString("S", "FromB", ""), "b");
    EXPECT_EQ(b.ReadString("S", "FromA", "none"), "none");  // reads use what b last read
    b.Reload();
    EXPECT_EQ(b.ReadString("S", "FromA", "none"), "a");
}

TEST_F(IniWrite, DeleteKeyAndEraseSection)
{
    WriteBytes(File(), kOriginal);
    vor::IniFile ini(File());
    ini.DeleteKey("GERAL", "unknown");
    EXPECT_EQ(ReadBytes(File()),
              "; Configura\xE7\xE3o\r\n[Geral]\r\nNome=Z\xE9\r\n  Ling = pt ; old\r\n\r\n"
              "[Outra]\r\nX=1\r\n");
    EXPECT_FALSE(ini.KeyExists("Geral", "Unknown"));
    ini.EraseSection("geral");
    EXPECT_EQ(ReadBytes(File()), "; Configura\xE7\xE3o\r\n[Outra]\r\nX=1\r\n");
    EXPECT_FALSE(ini.SectionExists("Geral"));
}

TEST_F(IniWrite, NothingToDeleteLeavesTheFileUnwritten)
{
    // LF line ends would become CR LF if the file were saved again.
    const std::string lf = "[S]\nK=1\n";
    WriteBytes(File(), lf);
    vor::IniFile ini(File());
    ini.DeleteKey("S", "Other");
    ini.DeleteKey("T", "K");
    ini.EraseSection("T");
    EXPECT_EQ(ReadBytes(File()), lf);
}

TEST_F(IniWrite, FailedSaveThrowsAndKeepsTheDocumentAsTheFileIs)
{
    const fs::path folder = m_tmp.path() / "gone";
    fs::create_directory(folder);
    WriteBytes(folder / "x.ini", "[S]\r\nK=1\r\n");
    vor::IniFile ini(folder / "x.ini");
    EXPECT_EQ(ini.ReadString("S", "K", ""), "1");
    fs::remove_all(folder);

    EXPECT_THROW(ini.WriteString("S", "K", "2"), vor::IoError);
    EXPECT_EQ(ini.ReadString("S", "K", "def"), "def");  // not the unsaved "2"
    EXPECT_FALSE(fs::exists(folder));

    // A folder where the file should be: the save cannot replace it.
    fs::create_directory(File());
    vor::IniFile blocked(File());
    EXPECT_THROW(blocked.WriteBool("S", "K", true), vor::IoError);
    EXPECT_TRUE(fs::is_directory(File()));
}

TEST_F(IniWrite, FailedSaveInReadOnlyFolderLeavesTheOldFile)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root ignores folder permissions";
    const fs::path folder = m_tmp.path() / "ro";
    fs::create_directory(folder);
    WriteBytes(folder / "x.ini", "[S]\r\nK=1\r\n");
    vor::IniFile ini(folder / "x.ini");
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_THROW(ini.WriteString("S", "K", "2"), vor::IoError);
    fs::permissions(folder, fs::perms::owner_all);
    EXPECT_EQ(ReadBytes(folder / "x.ini"), "[S]\r\nK=1\r\n");
    EXPECT_EQ(ini.ReadString("S", "K", ""), "1");
}

// A Windows-1252 file that happens to be valid UTF-8 once read as UTF-8, and a
// UTF-8 file was written back as Windows-1252: either way characters in lines
// nobody touched were lost.
TEST_F(IniWrite, OneChangeKeepsEveryOtherLineInTheEncodingItWasReadIn)
{
    struct Case {
        const char* name;
        std::string before;
        std::string after;  // after WriteString("S", "K", "ação")
        const char* value;  // V as read, UTF-8
    };
    std::string everyByte;  // every Windows-1252 character but the line ends
    for (int b = 1; b < 256; ++b)
        if (b != '\r' && b != '\n')
            everyByte.push_back(static_cast<char>(b));
    const Case cases[] = {
        {"Furo Ø½", "[S]\r\nV=Furo \xD8\xBD\r\nK=1\r\n", "[S]\r\nV=Furo \xD8\xBD\r\nK=a\xE7\xE3o\r\n",
         "Furo Ø½"},
        {"Chapa Ø¼ pol", "[S]\r\nV=Chapa \xD8\xBC pol\r\nK=1\r\n",
         "[S]\r\nV=Chapa \xD8\xBC pol\r\nK=a\xE7\xE3o\r\n", "Chapa Ø¼ pol"},
        {"PÉ”", "[S]\r\nV=P\xC9\x94\r\nK=1\r\n", "[S]\r\nV=P\xC9\x94\r\nK=a\xE7\xE3o\r\n", "PÉ”"},
        {"utf-8 Porta ação", "[S]\r\nV=Porta a\xC3\xA7\xC3\xA3o\r\nK=1\r\n",
         "[S]\r\nV=Porta a\xC3\xA7\xC3\xA3o\r\nK=a\xC3\xA7\xC3\xA3o\r\n", "Porta ação"},
        {"utf-8 Greek and Polish",
         "[S]\r\nV=\xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1\r\nP=\xC5\xBB\xC3\xB3\xC5\x82w\r\nK=1\r\n",
         "[S]\r\nV=\xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1\r\nP=\xC5\xBB\xC3\xB3\xC5\x82w\r\nK=a\xC3\xA7\xC3\xA3o\r\n",
         "Ωμέγα"},
        {"utf-8 with a byte-order mark", "\xEF\xBB\xBF[S]\r\nV=\xC5\xBB\xC3\xB3\xC5\x82w\r\nK=1\r\n",
         "\xEF\xBB\xBF[S]\r\nV=\xC5\xBB\xC3\xB3\xC5\x82w\r\nK=a\xC3\xA7\xC3\xA3o\r\n", "Żółw"},
        {"every Windows-1252 character", "[S]\r\nV=" + everyByte + "\r\nK=1\r\n",
         "[S]\r\nV=" + everyByte + "\r\nK=a\xE7\xE3o\r\n", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(File(), c.before);
        vor::IniFile ini(File());
        if (c.value) {
            EXPECT_EQ(ini.ReadString("S", "V", ""), c.value);
        }
        ini.WriteString("S", "K", "ação");
        EXPECT_EQ(ReadBytes(File()), c.after);
    }
}

TEST_F(IniWrite, NewFileAndAsciiFileAreWrittenInWindows1252)
{
    vor::IniFile fresh(File());
    fresh.WriteString("S", "K", "ação");
    EXPECT_EQ(ReadBytes(File()), "[S]\r\nK=a\xE7\xE3o\r\n");
    WriteBytes(File(), "[S]\r\nK=1\r\n");
    vor::IniFile ascii(File());
    ascii.WriteString("S", "L", "é");
    EXPECT_EQ(ReadBytes(File()), "[S]\r\nK=1\r\nL=\xE9\r\n");
}

// A VL_.INI that could not be read ended as one line ([Varios]
// N_CASAS_DECIMAIS=1): the password, language and every other section gone.
TEST_F(IniWrite, FileThatCannotBeReadIsNeverWrittenOver)
{
    const std::string original = "[Varios]\r\nSenha=abc\r\nIdioma=2\r\n[Tela]\r\nTipo=1\r\n";
    WriteBytes(File(), original);
    vortest::FailingReads failing;
    vor::IniFile ini(File(), failing);
    EXPECT_TRUE(ini.Unreadable());
    EXPECT_EQ(ini.ReadInteger("Varios", "Idioma", 1), 1);  // reads give their defaults
    try {
        ini.WriteInteger("Varios", "N_CASAS_DECIMAIS", 1);
        ADD_FAILURE() << "the write went through";
    } catch (const vor::IoError& e) {
        EXPECT_EQ(e.path(), File());
        EXPECT_NE(std::string(e.what()).find(File().string()), std::string::npos) << e.what();
    }
    EXPECT_THROW(ini.DeleteKey("Varios", "Senha"), vor::IoError);
    EXPECT_THROW(ini.Update([](vor::IniDocument& d) { d.Set("A", "B", "C"); }), vor::IoError);
    EXPECT_EQ(failing.writes, 0);
    EXPECT_EQ(ReadBytes(File()), original);

    // A missing file is still created, through the same operations.
    const fs::path missing = m_tmp.path() / "new.ini";
    vor::IniFile fresh(missing, failing);
    EXPECT_FALSE(fresh.Unreadable());
    fresh.WriteInteger("Varios", "N_CASAS_DECIMAIS", 1);
    EXPECT_EQ(ReadBytes(missing), "[Varios]\r\nN_CASAS_DECIMAIS=1\r\n");
}

TEST_F(IniWrite, Utf16FileIsNotDecodedAndNeverWrittenOver)
{
    std::string utf16 = "\xFF\xFE";
    for (const char c : std::string_view("[Varios]\r\nIdioma=2\r\n")) {
        utf16.push_back(c);
        utf16.push_back('\0');
    }
    WriteBytes(File(), utf16);
    vor::IniFile ini(File());
    EXPECT_TRUE(ini.Unreadable());
    EXPECT_EQ(ini.ReadInteger("Varios", "Idioma", 1), 1);
    EXPECT_THROW(ini.WriteInteger("Varios", "N_CASAS_DECIMAIS", 1), vor::IoError);
    EXPECT_EQ(ReadBytes(File()), utf16);
}

// ---- The document on its own ---------------------------------------------------

TEST(IniDocument, SetThenFindAndRemoveOnOddText)
{
    struct Case {
        const char* text;
        const char* lines;  // after Set("S1", "K1", "v1"), joined with "|"
    };
    const Case cases[] = {
        {"", "[S1]|K1=v1"},
        {"K1=orphan", "K1=orphan|[S1]|K1=v1"},
        {"[S1]", "[S1]|K1=v1"},
        {"[S1]\n\n\n[S2]", "[S1]|K1=v1|||[S2]"},
        {"[s1]\n;K1=c\n k1 = old \n", "[s1]|;K1=c|k1=v1"},
        {"[S1\nA=1\n", "[S1|A=1|K1=v1"},
        {"[S1]\r\nA=1\r\n  \t\r\n", "[S1]|A=1|K1=v1|  \t"},
    };
    for (const Case& c : cases) {
        auto doc = vor::IniDocument::Parse(c.text);
        doc.Set("S1", "K1", "v1");
        std::string joined;
        for (std::size_t i = 0; i < doc.Lines().size(); ++i)
            joined += (i ? "|" : "") + doc.Lines()[i];
        EXPECT_EQ(joined, c.lines) << c.text;
        std::string value;
        EXPECT_TRUE(doc.Find("s1", "k1", value));
        EXPECT_EQ(value, "v1");
    }

    auto doc = vor::IniDocument::Parse("[A]\nK=1\nK=2\n[B]\nL=3\n[a]\nM=4\n");
    EXPECT_EQ(doc.Sections(), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(doc.Keys("a"), std::vector<std::string>{"K"});
    EXPECT_TRUE(doc.Remove("A", "k"));
    std::string value;
    EXPECT_TRUE(doc.Find("A", "K", value));  // the second K now comes first
    EXPECT_EQ(value, "2");
    EXPECT_TRUE(doc.RemoveSection("A"));
    EXPECT_TRUE(doc.HasSection("A"));  // the former duplicate is the first now
    EXPECT_TRUE(doc.Find("A", "M", value));
    EXPECT_FALSE(doc.Remove("Z", "K"));
    EXPECT_FALSE(doc.RemoveSection("Z"));
}

}  // namespace
