#include "vorplan/common/file_operations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <linux/fs.h>
#include <string>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "platform/fake_clock.h"
#include "platform/fake_message_service.h"
#include "tests/support/test_support.h"
#include "vorplan/common/codec.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/text_file.h"

namespace {

namespace fs = std::filesystem;
using vortest::ReadBytes;
using vortest::TestInstallation;
using vortest::WriteBytes;

class FileOperations : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_saved = vor::gShared;
        vor::gShared.folders = vor::MakeDataFolders(inst.base());
        clock.SetNow({2025, 3, 24, 14, 15, 2, 0});
    }
    void TearDown() override { vor::gShared = m_saved; }

    // Every entry name of a folder, so a leftover temporary shows up.
    static std::vector<std::string> Entries(const fs::path& folder)
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    TestInstallation inst;
    vor::DataFolders& f = vor::gShared.folders;
    platform::ScriptedMessages messages;
    platform::ScopedMessages messageScope{messages};
    platform::FakeClock clock;
    platform::ScopedClock clockScope{clock};

private:
    vor::SharedGlobals m_saved;
};

// Files that cannot be deleted for the life of the object: immutable when
// running as root (who may delete anything else), in a read-only folder
// otherwise. `ok()` is false where neither can be arranged.
class Undeletable {
public:
    Undeletable(const fs::path& folder, std::vector<fs::path> files)
        : m_folder(folder), m_files(std::move(files))
    {
        if (::geteuid() == 0) {
            m_immutable = true;
            m_ok = true;
            for (const fs::path& file : m_files)
                m_ok = SetImmutable(file, true) && m_ok;
        } else {
            m_ok = ::chmod(m_folder.c_str(), 0555) == 0;
        }
    }
    ~Undeletable()
    {
        if (m_immutable) {
            for (const fs::path& file : m_files)
                SetImmutable(file, false);
        } else {
            ::chmod(m_folder.c_str(), 0755);
        }
    }
    Undeletable(const Undeletable&) = delete;
    Undeletable& operator=(const Undeletable&) = delete;
    bool ok() const { return m_ok; }

private:
    static bool SetImmutable(const fs::path& file, bool on)
    {
        const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return false;
        int flags = 0;
        bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        if (done) {
            flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
            done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        ::close(fd);
        return done;
    }

    fs::path m_folder;
    std::vector<fs::path> m_files;
    bool m_immutable = false;
    bool m_ok = false;
};

// ---- CopyFileLz ----------------------------------------------------------------

TEST_F(FileOperations, CopyIsByteIdentical)
{
    std::string big;
    for (int i = 0; i < 200000; ++i)
        big.push_back(static_cast<char>((i * 7919) % 256));
    const std::string contents[] = {
        std::string(),
        std::string("\x00\x1a\r", 3),
        std::string("a\rb\r\n\x1a\x00z\r", 9),
        "SZDD\x88\xf0\x27\x33",  // the compressor's signature is copied, not expanded
        big,
    };
    const fs::path source = f.mont / "a.MON";
    const fs::path destination = f.oldMont / "a.MON";
    WriteBytes(destination, std::string(300000, 'x'));  // a longer old copy is replaced whole
    for (const std::string& content : contents) {
        WriteBytes(source, content);
        EXPECT_TRUE(vor::CopyFileLz(source, destination));
        EXPECT_EQ(ReadBytes(destination), content) << content.size();
        EXPECT_EQ(ReadBytes(source), content);
    }
    EXPECT_EQ(messages.Count(), 0u);
    EXPECT_EQ(Entries(f.oldMont), std::vector<std::string>{"a.MON"});
}

TEST_F(FileOperations, CopyOfAMissingSourceShowsTheMessageThenStops)
{
    const fs::path destination = f.oldMont / "a.MON";
    WriteBytes(destination, "old copy");
    const fs::path sources[] = {f.mont / "missing.MON", f.mont};  // nothing, a folder
    for (const fs::path& source : sources) {
        messages.ClearShown();
        EXPECT_THROW(vor::CopyFileLz(source, destination), vor::IoError) << source;
        EXPECT_EQ(messages.Texts(),
                  std::vector<std::string>{"Não foi possível ler o arquivo " + source.string()});
        EXPECT_EQ(ReadBytes(destination), "old copy");
    }
    EXPECT_EQ(Entries(f.oldMont), std::vector<std::string>{"a.MON"});
}

TEST_F(FileOperations, CopyToAnUncreatableDestinationStopsWithoutAMessage)
{
    const fs::path source = f.mont / "a.MON";
    WriteBytes(source, "layout");
    fs::create_directory(f.oldMont / "folder");
    const fs::path destinations[] = {f.oldMont / "nowhere" / "a.MON", f.oldMont / "folder"};
    for (const fs::path& destination : destinations) {
        EXPECT_THROW(vor::CopyFileLz(source, destination), vor::IoError) << destination;
    }
    EXPECT_EQ(messages.Count(), 0u);
    EXPECT_TRUE(fs::is_directory(f.oldMont / "folder"));
    EXPECT_TRUE(fs::is_empty(f.oldMont / "folder"));
}

TEST_F(FileOperations, SelfCopyLeavesTheFileIntact)
{
    const fs::path file = f.mont / "a.MON";
    const std::string content("layout\r\n\x00\x1a", 10);
    WriteBytes(file, content);
    fs::create_hard_link(file, f.mont / "hard.MON");
    fs::create_symlink(file, f.mont / "soft.MON");
    const fs::path others[] = {file, f.mont / "." / "a.MON", f.oldMont / ".." / "MONT" / "a.MON",
                               f.mont / "hard.MON", f.mont / "soft.MON"};
    for (const fs::path& other : others) {
        EXPECT_TRUE(vor::CopyFileLz(file, other)) << other;
        EXPECT_TRUE(vor::CopyFileLz(other, file)) << other;
        EXPECT_EQ(ReadBytes(file), content) << other;
    }
    EXPECT_TRUE(fs::is_symlink(f.mont / "soft.MON"));
    EXPECT_EQ(messages.Count(), 0u);
}

TEST_F(FileOperations, FailedCopyKeepsTheOldDestinationAndSaysSo)
{
    struct FailingOps : vor::FileOps {
        int failing = 0;  // 1 write, 2 sync, 3 rename
        ssize_t Write(int fd, const char* data, std::size_t size) override
        {
            if (failing == 1) {
                errno = ENOSPC;
                return -1;
            }
            return FileOps::Write(fd, data, size);
        }
        int Sync(int fd) override
        {
            if (failing == 2) {
                errno = EIO;
                return -1;
            }
            return FileOps::Sync(fd);
        }
        int Rename(const char* from, const char* to) override
        {
            if (failing == 3) {
                errno = EXDEV;
                return -1;
            }
            return FileOps::Rename(from, to);
        }
    };
    const fs::path source = f.mont / "a.MON";
    const fs::path destination = f.oldMont / "a.MON";
    WriteBytes(source, "new layout");
    WriteBytes(destination, "old layout");
    for (int failing = 1; failing <= 3; ++failing) {
        FailingOps ops;
        ops.failing = failing;
        messages.ClearShown();
        EXPECT_FALSE(vor::CopyFileLz(source, destination, ops)) << failing;
        EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Erro durante cópia de arquivo"});
        EXPECT_EQ(ReadBytes(destination), "old layout");
        EXPECT_EQ(Entries(f.oldMont), std::vector<std::string>{"a.MON"}) << "temporary left";
    }
}

TEST_F(FileOperations, CopyAllFilesCopiesThePlainFilesOnly)
{
    WriteBytes(f.mont / "001-00005.MON", "one");
    WriteBytes(f.mont / "CALC_DAT.INI", "two");
    WriteBytes(f.mont / ".hidden", "three");
    fs::create_directory(f.mont / "SUB");
    WriteBytes(f.mont / "SUB" / "inner", "four");
    WriteBytes(inst.base() / "outside", "five");
    fs::create_symlink(inst.base() / "outside", f.mont / "link");
    const fs::path saved = f.oldMont / "M_240325_141502";
    fs::create_directory(saved);

    EXPECT_TRUE(vor::CopyAllFilesInDir(f.mont, saved));
    EXPECT_EQ(Entries(saved), (std::vector<std::string>{"001-00005.MON", "CALC_DAT.INI"}));
    EXPECT_EQ(ReadBytes(saved / "CALC_DAT.INI"), "two");
    EXPECT_EQ(messages.Count(), 0u);

    EXPECT_THROW(vor::CopyAllFilesInDir(f.mont, f.oldMont / "nowhere"), vor::IoError);
}

// ---- Material files --------------------------------------------------------------

TEST_F(FileOperations, DuplicateMaterialIni)
{
    const fs::path m5 = f.mat / "M5.INI";
    const fs::path m12 = f.mat / "M12.INI";
    const std::string m5Text =
        "[PED]\r\nCRIACAO=01/01/20  08:00:00\r\n[DESC]\r\nCAMPO1=Aço escovado\r\nCAMPO2=x\r\n"
        "FAMILIA=Metais\r\nCAMPO7=y\r\n[PROP_FISIC]\r\nLARG_SERRA=3.2\r\nGIRO=0\r\n";

    // Neither file: nothing to copy, nothing created.
    EXPECT_FALSE(vor::DuplicateMaterialIni(12, 5));
    EXPECT_FALSE(fs::exists(m12));
    EXPECT_FALSE(vor::MaterialIniExists(12));

    WriteBytes(m5, m5Text);
    EXPECT_TRUE(vor::MaterialIniExists(5));
    EXPECT_TRUE(vor::DuplicateMaterialIni(12, 5));
    EXPECT_EQ(ReadBytes(m5), m5Text);
    vor::IniFile copy(m12);
    EXPECT_EQ(copy.ReadString("PED", "CRIACAO", "?"), "24/03/25  14:15:02");
    EXPECT_EQ(copy.ReadString("DESC", "CAMPO1", "?"), "MAT 12");
    for (int field = 2; field <= 7; ++field) {
        const std::string key = "CAMPO" + std::to_string(field);
        EXPECT_TRUE(copy.KeyExists("DESC", key)) << key;
        EXPECT_EQ(copy.ReadString("DESC", key, "?"), "") << key;
    }
    EXPECT_EQ(copy.ReadString("DESC", "FAMILIA", "?"), "Metais");
    EXPECT_EQ(copy.ReadString("PROP_FISIC", "LARG_SERRA", "?"), "3.2");
    EXPECT_EQ(copy.ReadString("PROP_FISIC", "GIRO", "?"), "0");

    // The new code's file exists: false, neither file changes.
    const std::string m12Text = ReadBytes(m12);
    clock.SetNow({2026, 1, 2, 3, 4, 5, 0});
    EXPECT_FALSE(vor::DuplicateMaterialIni(12, 5));
    EXPECT_EQ(ReadBytes(m12), m12Text);
    EXPECT_EQ(ReadBytes(m5), m5Text);
    EXPECT_EQ(messages.Count(), 0u);
}

// ---- Deleting ----------------------------------------------------------------------

TEST_F(FileOperations, DeleteAllFilesDeletesRegularFilesOnly)
{
    const fs::path saved = f.oldMont / "M_240325_141502";
    fs::create_directory(saved);
    WriteBytes(saved / "001-00005.MON", "one");
    WriteBytes(saved / "ident.txt", "two");
    WriteBytes(saved / ".keep", "three");
    fs::create_directory(saved / "SUB");
    WriteBytes(saved / "SUB" / "inner", "four");
    WriteBytes(f.mont / "target.MON", "five");
    fs::create_symlink(f.mont / "target.MON", saved / "link.MON");
    fs::create_directory_symlink(f.mont, saved / "linked");

    EXPECT_TRUE(vor::DeleteAllFilesInDir(saved));
    EXPECT_EQ(Entries(saved), (std::vector<std::string>{".keep", "SUB", "link.MON", "linked"}));
    EXPECT_EQ(ReadBytes(saved / "SUB" / "inner"), "four");
    EXPECT_EQ(ReadBytes(f.mont / "target.MON"), "five");
    EXPECT_EQ(messages.Count(), 0u);
}

TEST_F(FileOperations, DeleteAllFilesShowsOneMessagePerUndeletableFile)
{
    const fs::path folder = f.oldMont / "M_240325_141502";
    fs::create_directory(folder);
    const std::vector<fs::path> files = {folder / "a.MON", folder / "b.MON"};
    for (const fs::path& file : files)
        WriteBytes(file, "x");
    {
        Undeletable guard(folder, files);
        if (!guard.ok())
            GTEST_SKIP() << "cannot make a file undeletable here";
        EXPECT_FALSE(vor::DeleteAllFilesInDir(folder));
    }
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"Não pude apagar " + files[0].string(),
                                                          "Não pude apagar " + files[1].string()}));
    for (const fs::path& file : files)
        EXPECT_TRUE(fs::exists(file));
}

TEST_F(FileOperations, DeletesRefuseAnEmptyFolderAndTheBase)
{
    WriteBytes(inst.base() / "TRV.USU", "ON\r\n");
    WriteBytes(inst.base() / "IDIO.NUM", "1\r\n");
    vortest::ScopedCwd cwd(inst.base());
    const fs::path refused[] = {fs::path(), inst.base(), f.mont / "..", fs::path("."),
                                inst.base() / ""};
    for (const fs::path& folder : refused) {
        EXPECT_FALSE(vor::DeleteAllFilesInDir(folder)) << folder;
        EXPECT_FALSE(vor::DeleteFilesFromList({"TRV.USU", "IDIO.NUM"}, folder)) << folder;
    }
    EXPECT_TRUE(fs::exists(inst.base() / "TRV.USU"));
    EXPECT_TRUE(fs::exists(inst.base() / "IDIO.NUM"));
    EXPECT_EQ(messages.Count(), 0u);
}

TEST_F(FileOperations, DeleteFileWithMessage)
{
    WriteBytes(f.mont / "a.MON", "x");
    WriteBytes(f.mont / "target", "kept");
    fs::create_symlink(f.mont / "target", f.mont / "link");
    EXPECT_TRUE(vor::DeleteFileWithMessage(f.mont / "a.MON"));
    EXPECT_FALSE(fs::exists(f.mont / "a.MON"));
    EXPECT_EQ(messages.Count(), 0u);

    const fs::path failing[] = {f.mont / "a.MON", f.mont / "missing", f.cnc, f.mont / "link"};
    for (const fs::path& path : failing) {
        messages.ClearShown();
        EXPECT_FALSE(vor::DeleteFileWithMessage(path));
        EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Não pude apagar " + path.string()});
    }
    EXPECT_TRUE(fs::is_directory(f.cnc));
    EXPECT_TRUE(fs::is_symlink(f.mont / "link"));
    EXPECT_EQ(ReadBytes(f.mont / "target"), "kept");
}

TEST_F(FileOperations, ListAndDeleteFromList)
{
    WriteBytes(f.mont / "b.MON", "");
    WriteBytes(f.mont / "A.mon", "");
    WriteBytes(f.mont / ".x.MON", "");
    WriteBytes(f.mont / "c.TXT", "");
    fs::create_directory(f.mont / "sub.MON");
    const std::vector<std::string> listed = vor::ListDirIntoList(f.mont / "*.MON");
    EXPECT_EQ(listed, (std::vector<std::string>{"A.mon", "b.MON", "sub.MON"}));
    EXPECT_TRUE(vor::ListDirIntoList(f.mont / "nowhere" / "*.*").empty());

    WriteBytes(f.oldMont / "outside", "");
    EXPECT_FALSE(vor::DeleteFilesFromList({"A.mon", "missing", "../OLD_MONT/outside", "b.MON"}, f.mont));
    EXPECT_EQ(messages.Texts(),
              (std::vector<std::string>{"Não pude apagar " + (f.mont / "missing").string(),
                                        "Não pude apagar " + (f.mont / "../OLD_MONT/outside").string()}));
    EXPECT_EQ(vor::ListDirIntoList(f.mont / "*.*"), (std::vector<std::string>{"c.TXT", "sub.MON"}));
    EXPECT_TRUE(fs::exists(f.oldMont / "outside"));
}

TEST_F(FileOperations, RemoveDirWithMessage)
{
    fs::create_directory(f.oldMont / "empty");
    fs::create_directory(f.oldMont / "full");
    WriteBytes(f.oldMont / "full" / "x", "");
    fs::create_directory_symlink(f.oldMont / "empty", f.oldMont / "link");

    EXPECT_TRUE(vor::RemoveDirWithMessage(f.oldMont / "empty"));
    EXPECT_FALSE(fs::exists(f.oldMont / "empty"));
    fs::create_directory(f.oldMont / "empty");
    const fs::path failing[] = {f.oldMont / "full", f.oldMont / "missing", f.oldMont / "link"};
    for (const fs::path& path : failing) {
        messages.ClearShown();
        EXPECT_FALSE(vor::RemoveDirWithMessage(path));
        EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Falha no rmdir " + path.string()});
    }
    EXPECT_TRUE(fs::exists(f.oldMont / "full" / "x"));
    EXPECT_TRUE(fs::is_directory(f.oldMont / "empty"));
}

// ---- Small readers and names -------------------------------------------------------

TEST_F(FileOperations, ReadFirstLineOrMessage)
{
    struct Case {
        std::string bytes;
        std::string expected;
    };
    const Case cases[] = {
        {"", ""},
        {"\r\nsecond\r\n", ""},
        {"Cálculo de março\r\nsecond\r\n", "Cálculo de março"},
        {"C\xe1lculo\nsecond", "Cálculo"},  // Windows-1252, LF only
        {"only line", "only line"},
    };
    const fs::path file = f.oldMont / "ident.txt";
    for (const Case& c : cases) {
        WriteBytes(file, c.bytes);
        EXPECT_EQ(vor::ReadFirstLineOrMessage(file), c.expected) << c.bytes;
    }
    EXPECT_EQ(messages.Count(), 0u);

    const fs::path missing = f.oldMont / "M_010100_000000" / "ident.txt";
    EXPECT_EQ(vor::ReadFirstLineOrMessage(missing), "---");
    EXPECT_EQ(messages.Texts(),
              std::vector<std::string>{"Arquivo " + missing.string() + " não localizado"});
}

TEST_F(FileOperations, DatedBackupNameHasTheTwoDigitYear)
{
    struct Case {
        platform::LocalTime now;
        const char* expected;
    };
    const Case cases[] = {
        {{2025, 3, 24, 14, 15, 2, 0}, "M_240325_141502"},
        {{2000, 1, 1, 0, 0, 0, 0}, "M_010100_000000"},
        {{2099, 12, 31, 23, 59, 59, 999}, "M_311299_235959"},
        {{2100, 7, 9, 8, 5, 1, 0}, "M_090700_080501"},
    };
    for (const Case& c : cases) {
        clock.SetNow(c.now);
        EXPECT_EQ(vor::BuildDatedBackupName(), c.expected);
        EXPECT_EQ(vor::BuildDatedBackupName().size(), 15u);
    }
}

// ---- MergeTextFiles ----------------------------------------------------------------

TEST_F(FileOperations, MergeWithoutAFirstFileChangesNothing)
{
    const fs::path first = inst.base() / "ret.temp";
    const fs::path second = f.chp / "RET00005.TAB";
    vor::MergeTextFiles(first, second);
    EXPECT_FALSE(fs::exists(second));

    const std::string own = "1 500 600 Sobra\nno CR LF here";
    WriteBytes(second, own);
    vor::MergeTextFiles(first, second);
    EXPECT_EQ(ReadBytes(second), own);
}

TEST_F(FileOperations, MergeKeepsEveryLineWhole)
{
    // Offcut table lines are longer than 100 characters, and a table can pass 999 lines.
    auto makeLines = [](char tag, int count) {
        std::vector<std::string> lines;
        for (int i = 0; i < count; ++i) {
            std::string line = std::string(1, tag) + std::to_string(i) + " Retalho_de_aço ";
            while (vor::Utf8Length(line) < 130)
                line.push_back(static_cast<char>('a' + i % 26));
            lines.push_back(line);
        }
        return lines;
    };
    const std::vector<std::string> newLines = makeLines('N', 600);
    const std::vector<std::string> oldLines = makeLines('O', 900);
    const fs::path first = inst.base() / "ret.temp";
    const fs::path second = f.chp / "RET00005.TAB";
    vor::WriteTextLines(first, newLines);
    vor::WriteTextLines(second, oldLines);

    vor::MergeTextFiles(first, second);
    std::vector<std::string> expected = newLines;
    expected.insert(expected.end(), oldLines.begin(), oldLines.end());
    EXPECT_EQ(ReadBytes(second), vor::EncodeTextLines(expected));
    EXPECT_EQ(vor::ReadTextLinesOrThrow(second).size(), 1500u);
    EXPECT_EQ(vor::ReadTextLinesOrThrow(first), newLines);

    // No second file yet: it becomes the first file's lines.
    fs::remove(second);
    vor::MergeTextFiles(first, second);
    EXPECT_EQ(vor::ReadTextLinesOrThrow(second), newLines);
}

TEST_F(FileOperations, MergeIntoAnUnreadableSecondFileStops)
{
    const fs::path first = inst.base() / "ret.temp";
    WriteBytes(first, "1 500 600\r\n");
    fs::create_directory(f.chp / "RET00005.TAB");
    EXPECT_THROW(vor::MergeTextFiles(first, f.chp / "RET00005.TAB"), vor::IoError);
    EXPECT_TRUE(fs::is_empty(f.chp / "RET00005.TAB"));
}

// ---- WalkDirectoryTree -------------------------------------------------------------

TEST_F(FileOperations, WalkListsEachFolderBeforeItsSubfolders)
{
    const fs::path data = inst.base() / "DATA";
    fs::create_directories(data / "SUB" / "DEEP");
    fs::create_directories(data / "A_SUB");
    fs::create_directories(data / "DSC_DIR.INI");
    fs::create_directories(inst.base() / "ELSEWHERE");
    WriteBytes(data / "SUB" / "DSC00003.INI", "");
    WriteBytes(data / "SUB" / "DEEP" / "DSC00004.INI", "");
    WriteBytes(data / "DSC00001.INI", "");
    WriteBytes(data / "dsc00002.ini", "");
    WriteBytes(data / "OTHER.INI", "");
    WriteBytes(data / "A_SUB" / "DSC00005.INI", "");
    WriteBytes(inst.base() / "ELSEWHERE" / "DSC00009.INI", "");
    fs::create_directory_symlink(data, data / "SUB" / "LOOP");  // a loop back to the top
    fs::create_directory_symlink(inst.base() / "ELSEWHERE", data / "LINKED");

    const std::vector<fs::path> expected = {
        data / "DSC00001.INI",          data / "dsc00002.ini",
        data / "A_SUB" / "DSC00005.INI", data / "SUB" / "DSC00003.INI",
        data / "SUB" / "DEEP" / "DSC00004.INI",
    };
    EXPECT_EQ(vor::WalkDirectoryTree(data / "DSC*.INI"), expected);

    std::vector<fs::path> any = vor::WalkDirectoryTree(data / "DSC*.INI", vor::EntryKind::Any);
    EXPECT_EQ(any.size(), expected.size() + 1);
    EXPECT_EQ(any[2], data / "DSC_DIR.INI");

    EXPECT_TRUE(vor::WalkDirectoryTree(inst.base() / "NOWHERE" / "DSC*.INI").empty());

    vortest::ScopedCwd cwd(data / "SUB");
    EXPECT_EQ(vor::WalkDirectoryTree("DSC*.INI"),
              (std::vector<fs::path>{"DSC00003.INI", fs::path("DEEP") / "DSC00004.INI"}));
}

TEST_F(FileOperations, WalkSkipsUnreadableFolders)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads every folder";
    const fs::path data = inst.base() / "DATA";
    fs::create_directories(data / "LOCKED");
    WriteBytes(data / "DSC00001.INI", "");
    WriteBytes(data / "LOCKED" / "DSC00002.INI", "");
    ::chmod((data / "LOCKED").c_str(), 0);
    const std::vector<fs::path> found = vor::WalkDirectoryTree(data / "DSC*.INI");
    ::chmod((data / "LOCKED").c_str(), 0755);
    EXPECT_EQ(found, std::vector<fs::path>{data / "DSC00001.INI"});
}

}  // namespace
