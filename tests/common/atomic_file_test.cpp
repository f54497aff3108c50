#include "vorplan/common/atomic_file.h"

#include "tests/support/test_support.h"
#include "vorplan/common/errors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace vor {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using vortest::ReadBytes;
using vortest::TempDir;
using vortest::WriteBytes;

// Real system calls, with faults injected where a case asks for them.
class FaultyOps : public FileOps {
public:
    std::optional<std::size_t> writeBudget;  // bytes that fit before ENOSPC
    std::size_t maxChunk = 0;                // 0: no limit per call
    bool interruptEveryOther = false;
    bool writeNoProgress = false;
    int syncError = 0;
    int closeError = 0;
    int renameError = 0;

    std::vector<std::string> calls;
    std::string renameFrom;
    std::string renameTo;

    ssize_t Write(int fd, const char* data, std::size_t size) override
    {
        calls.emplace_back("write");
        if (interruptEveryOther && (m_writes++ % 2 == 0)) {
            errno = EINTR;
            return -1;
        }
        if (writeNoProgress)
            return 0;
        if (maxChunk > 0)
            size = std::min(size, maxChunk);
        if (writeBudget) {
            if (*writeBudget == 0) {
                errno = ENOSPC;
                return -1;
            }
            size = std::min(size, *writeBudget);
            *writeBudget -= size;
        }
        return FileOps::Write(fd, data, size);
    }

    int Sync(int fd) override
    {
        calls.emplace_back("sync");
        if (syncError) {
            errno = syncError;
            return -1;
        }
        return FileOps::Sync(fd);
    }

    int Close(int fd) override
    {
        calls.emplace_back("close");
        // Like a network file system: the descriptor is released, the data
        // may not have made it.
        const int result = FileOps::Close(fd);
        if (closeError) {
            errno = closeError;
            return -1;
        }
        return result;
    }

    int Rename(const char* from, const char* to) override
    {
        calls.emplace_back("rename");
        renameFrom = from;
        renameTo = to;
        if (renameError) {
            errno = renameError;
            return -1;
        }
        return FileOps::Rename(from, to);
    }

private:
    int m_writes = 0;
};

std::vector<std::string> Names(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

mode_t Mode(const fs::path& path)
{
    struct stat info {};
    EXPECT_EQ(stat(path.c_str(), &info), 0);
    return info.st_mode & 07777;
}

class ScopedUmask {
public:
    explicit ScopedUmask(mode_t mask) : m_old(umask(mask)) {}
    ~ScopedUmask() { umask(m_old); }
    ScopedUmask(const ScopedUmask&) = delete;
    ScopedUmask& operator=(const ScopedUmask&) = delete;

private:
    mode_t m_old;
};

class AtomicFileTest : public ::testing::Test {
protected:
    TempDir m_dir;
    fs::path m_target = m_dir.path() / "TABELA.TXT";
};

TEST_F(AtomicFileTest, WritesANewFile)
{
    const std::string data = "a\r\n\xE7\0z\r\n"s;
    WriteFileAtomically(m_target, data);
    EXPECT_EQ(ReadBytes(m_target), data);
    EXPECT_EQ(Names(m_dir.path()), std::vector<std::string>{"TABELA.TXT"});
}

TEST_F(AtomicFileTest, ReplacesAnExistingFileWhole)
{
    WriteBytes(m_target, "a much longer old content that must not survive\r\n");
    WriteFileAtomically(m_target, "new");
    EXPECT_EQ(ReadBytes(m_target), "new");
    WriteFileAtomically(m_target, "");
    EXPECT_EQ(ReadBytes(m_target), "");
    EXPECT_EQ(Names(m_dir.path()), std::vector<std::string>{"TABELA.TXT"});
}

TEST_F(AtomicFileTest, WritesThroughASymbolicLink)
{
    WriteBytes(m_target, "old");
    const fs::path link = m_target.parent_path() / "link.txt";
    fs::create_symlink(m_target.filename(), link);
    WriteFileAtomically(link, "new");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadBytes(m_target), "new");
}

TEST_F(AtomicFileTest, WritesLargeData)
{
    std::string data;
    for (std::size_t i = 0; i < 3 * 1024 * 1024; ++i)
        data.push_back(static_cast<char>((i * 7919) % 251));
    WriteFileAtomically(m_target, data);
    // Compared as a flag: a failure message with two 3 MB strings helps no one.
    const std::string back = ReadBytes(m_target);
    EXPECT_EQ(back.size(), data.size());
    EXPECT_TRUE(back == data);
}

TEST_F(AtomicFileTest, ShortAndInterruptedWritesStillWriteEverything)
{
    FaultyOps ops;
    ops.maxChunk = 3;
    ops.interruptEveryOther = true;
    const std::string data = "0123456789abcdefghij";
    WriteFileAtomically(m_target, data, ops);
    EXPECT_EQ(ReadBytes(m_target), data);
    EXPECT_EQ(std::count(ops.calls.begin(), ops.calls.end(), "write"), 14);
}

TEST_F(AtomicFileTest, FlushesAndClosesTheTemporaryInTheSameFolderBeforeRenaming)
{
    FaultyOps ops;
    WriteFileAtomically(m_target, "data", ops);
    EXPECT_EQ(ops.calls, (std::vector<std::string>{"write", "sync", "close", "rename"}));
    const fs::path from = ops.renameFrom;
    EXPECT_EQ(from.parent_path(), m_dir.path());
    EXPECT_TRUE(from.filename().string().starts_with(".TABELA.TXT.")) << from;
    EXPECT_EQ(fs::path(ops.renameTo), m_target);
}

TEST_F(AtomicFileTest, EveryFailureLeavesTheOldFileAndNoTemporary)
{
    struct Case {
        const char* name;
        void (*setUp)(FaultyOps&);
        int code;
    };
    const Case cases[] = {
        {"no space half-way", [](FaultyOps& o) { o.writeBudget = 10; }, ENOSPC},
        {"short writes then no space",
         [](FaultyOps& o) {
             o.maxChunk = 4;
             o.writeBudget = 9;
         },
         ENOSPC},
        {"no space at once", [](FaultyOps& o) { o.writeBudget = 0; }, ENOSPC},
        {"write makes no progress", [](FaultyOps& o) { o.writeNoProgress = true; }, EIO},
        {"sync fails", [](FaultyOps& o) { o.syncError = EIO; }, EIO},
        {"close fails", [](FaultyOps& o) { o.closeError = EDQUOT; }, EDQUOT},
        {"rename fails", [](FaultyOps& o) { o.renameError = EACCES; }, EACCES},
    };
    const std::string oldData = "old content\r\n\xE7\r\n";
    const std::string newData(64, 'N');
    for (const bool existing : {true, false}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (existing ? ", old file" : ", no old file"));
            fs::remove(m_target);
            if (existing)
                WriteBytes(m_target, oldData);
            FaultyOps ops;
            c.setUp(ops);
            try {
                WriteFileAtomically(m_target, newData, ops);
                ADD_FAILURE() << "no error";
            } catch (const IoError& e) {
                EXPECT_EQ(e.path(), m_target);
                EXPECT_EQ(e.code(), c.code);
                EXPECT_NE(std::string(e.what()).find(m_target.string()), std::string::npos);
            }
            if (existing) {
                EXPECT_EQ(ReadBytes(m_target), oldData);
                EXPECT_EQ(Names(m_dir.path()), std::vector<std::string>{"TABELA.TXT"});
            } else {
                EXPECT_EQ(Names(m_dir.path()), std::vector<std::string>{});
            }
        }
    }
}

TEST_F(AtomicFileTest, FolderMustExist)
{
    struct Case {
        const char* name;
        fs::path path;
        int code;
    };
    WriteBytes(m_dir.path() / "FILE", "x");
    const Case cases[] = {
        {"missing folder", m_dir.path() / "NODIR" / "T.TXT", ENOENT},
        {"missing folders", m_dir.path() / "A" / "B" / "T.TXT", ENOENT},
        {"folder is a file", m_dir.path() / "FILE" / "T.TXT", ENOTDIR},
    };
    for (const Case& c : cases) {
        try {
            WriteFileAtomically(c.path, "data");
            ADD_FAILURE() << c.name << ": no error";
        } catch (const IoError& e) {
            EXPECT_EQ(e.path(), c.path) << c.name;
            EXPECT_EQ(e.code(), c.code) << c.name;
        }
    }
    EXPECT_EQ(Names(m_dir.path()), std::vector<std::string>{"FILE"});
}

TEST_F(AtomicFileTest, TargetThatIsAFolderIsLeftAlone)
{
    fs::create_directory(m_target);
    WriteBytes(m_target / "INSIDE", "keep");
    EXPECT_THROW(WriteFileAtomically(m_target, "data"), IoError);
    EXPECT_EQ(ReadBytes(m_target / "INSIDE"), "keep");
    EXPECT_EQ(Names(m_dir.path()), std::vector<std::string>{"TABELA.TXT"});
}

TEST_F(AtomicFileTest, WritesAPathWithoutFolder)
{
    vortest::ScopedCwd cwd(m_dir.path());
    WriteFileAtomically("REL.TXT", "here");
    EXPECT_EQ(ReadBytes(m_dir.path() / "REL.TXT"), "here");
    EXPECT_EQ(Names(m_dir.path()), std::vector<std::string>{"REL.TXT"});
}

TEST_F(AtomicFileTest, KeepsThePermissionBitsOfTheOldFile)
{
    ScopedUmask mask(022);
    for (const mode_t mode : {mode_t{0640}, mode_t{0600}, mode_t{0664}, mode_t{0444}}) {
        WriteBytes(m_target, "old");
        ASSERT_EQ(chmod(m_target.c_str(), mode), 0);
        WriteFileAtomically(m_target, "new");
        EXPECT_EQ(Mode(m_target), mode) << std::oct << mode;
        EXPECT_EQ(ReadBytes(m_target), "new");
        fs::remove(m_target);
    }
}

TEST_F(AtomicFileTest, NewFileFollowsTheUmaskAndLeavesItAsItWas)
{
    for (const mode_t mask : {mode_t{022}, mode_t{077}, mode_t{002}}) {
        ScopedUmask scoped(mask);
        fs::remove(m_target);
        WriteFileAtomically(m_target, "new");
        EXPECT_EQ(Mode(m_target), 0666 & ~mask) << std::oct << mask;
        const mode_t now = umask(0);
        umask(now);
        EXPECT_EQ(now, mask);
    }
}

TEST_F(AtomicFileTest, ReadFileBytesReadsEveryByte)
{
    const std::string data = "\0\xFF\r\n\x81z"s;
    WriteBytes(m_target, data);
    EXPECT_EQ(ReadFileBytes(m_target), data);
    WriteBytes(m_target, "");
    EXPECT_EQ(ReadFileBytes(m_target), "");
}

TEST_F(AtomicFileTest, ReadFileBytesThrowsWhenItCannotRead)
{
    struct Case {
        const char* name;
        fs::path path;
        int code;
    };
    const Case cases[] = {
        {"missing file", m_dir.path() / "NONE", ENOENT},
        {"a folder", m_dir.path(), EISDIR},
    };
    for (const Case& c : cases) {
        try {
            ReadFileBytes(c.path);
            ADD_FAILURE() << c.name << ": no error";
        } catch (const IoError& e) {
            EXPECT_EQ(e.path(), c.path) << c.name;
            EXPECT_EQ(e.code(), c.code) << c.name;
        }
    }
}

}  // namespace
}  // namespace vor
