// QCoreApplication calls setlocale(LC_ALL, ""), after which the C library
// reads and writes numbers with the user's decimal mark. Number text of the
// data files must not change with it.
#include <QCoreApplication>

#include <gtest/gtest.h>

#include <clocale>
#include <cstring>
#include <spawn.h>
#include <string>
#include <sys/wait.h>

#include "tests/support/test_support.h"
#include "vorplan/common/conversions.h"

extern char** environ;

namespace {

// Builds a pt_BR locale (decimal comma) into dir; false when localedef fails.
bool MakeCommaLocale(const vortest::fs::path& dir, std::string& error)
{
    const std::string out = (dir / "pt_BR.UTF-8").string();
    std::string arg0 = "localedef", arg1 = "-i", arg2 = "pt_BR", arg3 = "-f", arg4 = "UTF-8";
    std::string arg5 = out;
    char* argv[] = {arg0.data(), arg1.data(), arg2.data(), arg3.data(), arg4.data(), arg5.data(),
                    nullptr};
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, "localedef", nullptr, nullptr, argv, environ);
    if (spawned != 0) {
        error = std::string("cannot start localedef: ") + std::strerror(spawned);
        return false;
    }
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        error = "localedef -i pt_BR -f UTF-8 failed (is the Debian package 'locales' installed?)";
        return false;
    }
    return true;
}

class CommaLocale : public ::testing::Test {
protected:
    void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

TEST_F(CommaLocale, NumberTextIgnoresTheLocaleOnceQtStarted)
{
    vortest::TempDir dir;
    std::string error;
    ASSERT_TRUE(MakeCommaLocale(dir.path(), error)) << error;

    const std::string locPath = dir.path().string();
    vortest::ScopedEnv locpath("LOCPATH", locPath.c_str());
    vortest::ScopedEnv lcAll("LC_ALL", "pt_BR.UTF-8");

    int argc = 1;
    char name[] = "locale_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);

    ASSERT_STREQ(std::localeconv()->decimal_point, ",")
        << "QCoreApplication did not take the comma locale; the test would prove nothing";

    EXPECT_EQ(vor::StrToRealComma("2.5"), 2.5);
    EXPECT_EQ(vor::StrToRealComma("1,5"), 1.5);
    EXPECT_EQ(vor::StrToRealComma("-1.25e2"), -125.0);
    EXPECT_EQ(vor::FormatFixed(1.25, 2), "1.25");
    EXPECT_EQ(vor::RealToStr4(-0.5), "-0.5000");
    EXPECT_EQ(vor::RealToStrTrim(true, 2.5), "2.5");
    EXPECT_EQ(vor::RealToStrBr(0, 1234.5), "1.234,50");
    EXPECT_EQ(vor::StrToIntDef0("1.000"), 1);

    vor::SplitFieldArrays fields;
    vor::SplitFields("0.35;2,5", ';', fields);
    EXPECT_EQ(fields.reals[1], 0.35);
    EXPECT_EQ(fields.reals[2], 2.5);
}

}  // namespace
