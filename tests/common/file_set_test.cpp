#include "vorplan/common/file_set.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "tests/support/test_support.h"
#include "vorplan/common/errors.h"

namespace {

namespace fs = std::filesystem;
using vortest::ReadBytes;
using vortest::TempDir;
using vortest::WriteBytes;

// Dies, or fails, at its k-th call (counted from 1) of any kind.
class StoppingOps : public vor::FileOps {
public:
    enum class Stop { Kill, Fail };
    StoppingOps(int k, Stop stop) : m_k(k), m_stop(stop) {}
    ssize_t Write(int fd, const char* data, std::size_t size) override
    {
        return Step() ? -1 : vor::FileOps::Write(fd, data, size);
    }
    int Sync(int fd) override { return Step() ? -1 : vor::FileOps::Sync(fd); }
    int Close(int fd) override
    {
        if (Step()) {
            vor::FileOps::Close(fd);
            return -1;
        }
        return vor::FileOps::Close(fd);
    }
    int Rename(const char* from, const char* to) override
    {
        return Step() ? -1 : vor::FileOps::Rename(from, to);
    }
    int calls = 0;

private:
    bool Step()
    {
        if (++calls != m_k)
            return false;
        if (m_stop == Stop::Kill)
            ::raise(SIGKILL);
        errno = EIO;
        return true;
    }
    int m_k;
    Stop m_stop;
};

class FileSetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(dir.path() / "a");
        fs::create_directories(dir.path() / "b");
        for (std::size_t i = 0; i < targets.size(); ++i)
            WriteBytes(targets[i], "old " + std::to_string(i));
    }
    std::vector<vor::FileSetEntry> NewSet() const
    {
        std::vector<vor::FileSetEntry> set;
        for (std::size_t i = 0; i < targets.size(); ++i)
            set.push_back({targets[i], "new contents " + std::to_string(i) + std::string(i * 100, 'x')});
        return set;
    }
    // "old" or "new" when the targets agree, "mix" otherwise.
    std::string State() const
    {
        int olds = 0, news = 0;
        const auto set = NewSet();
        for (std::size_t i = 0; i < targets.size(); ++i) {
            const std::string bytes = ReadBytes(targets[i]);
            olds += bytes == "old " + std::to_string(i);
            news += bytes == set[i].data;
        }
        if (olds == 3)
            return "old";
        if (news == 3)
            return "new";
        return "mix";
    }
    // Any file other than the targets and the folders a and b.
    std::vector<std::string> Leftovers() const
    {
        std::vector<std::string> found;
        for (const auto& entry : fs::recursive_directory_iterator(dir.path())) {
            const std::string name = entry.path().filename().string();
            if (entry.is_directory() || name == "one.TAB" || name == "two.INI" || name == "three.TAB")
                continue;
            found.push_back(entry.path().string());
        }
        return found;
    }

    TempDir dir;
    fs::path journal = dir.path() / "FILESET.JNL";
    std::vector<fs::path> targets = {dir.path() / "a" / "one.TAB", dir.path() / "a" / "two.INI",
                                     dir.path() / "b" / "three.TAB"};
};

TEST_F(FileSetTest, WritesEveryFileAndLeavesNothingElse)
{
    vor::WriteFileSet(journal, NewSet());
    EXPECT_EQ(State(), "new");
    EXPECT_TRUE(Leftovers().empty());
    EXPECT_FALSE(vor::FinishFileSet(journal));
}

TEST_F(FileSetTest, AKillAtAnyStepLeavesAllOldOrAllNewAfterTheRollForward)
{
    bool sawOld = false, sawNew = false;
    for (int k = 1;; ++k) {
        SetUp();  // the old set back
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            StoppingOps ops(k, StoppingOps::Stop::Kill);
            try {
                vor::WriteFileSet(journal, NewSet(), ops);
            } catch (...) {
                ::_exit(2);
            }
            ::_exit(0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        const bool killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
        if (!killed) {
            ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "step " << k;
            EXPECT_EQ(State(), "new");
            EXPECT_TRUE(Leftovers().empty());
            break;
        }
        vor::FinishFileSet(journal);
        const std::string state = State();
        EXPECT_NE(state, "mix") << "killed at step " << k;
        EXPECT_TRUE(Leftovers().empty()) << "killed at step " << k << ": " << Leftovers().front();
        sawOld = sawOld || state == "old";
        sawNew = sawNew || state == "new";
        ASSERT_LT(k, 200) << "the writer never finished";
    }
    // Both outcomes occur, so the kills did fall before and after the decision.
    EXPECT_TRUE(sawOld);
    EXPECT_TRUE(sawNew);
}

TEST_F(FileSetTest, AFailureBeforeTheJournalLeavesTheOldSetAndNoTemporary)
{
    // The calls before the set is decided: the first journal (write, sync,
    // close, rename), three temporaries (write, sync, close each) and the
    // second journal (write, sync, close, rename).
    constexpr int kStepsBeforeTheDecision = 4 + 3 * 3 + 4;
    for (int k = 1; k <= kStepsBeforeTheDecision; ++k) {
        SetUp();
        StoppingOps ops(k, StoppingOps::Stop::Fail);
        EXPECT_THROW(vor::WriteFileSet(journal, NewSet(), ops), vor::IoError) << "step " << k;
        EXPECT_EQ(State(), "old") << "step " << k;
        EXPECT_TRUE(Leftovers().empty()) << "step " << k;
    }
}

}  // namespace
