#include "vorplan/common/paths.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "tests/support/test_support.h"

namespace {

using vortest::TempDir;
using vortest::WriteBytes;
namespace fs = std::filesystem;

TEST(WildcardMatch, TableOfPatterns)
{
    struct Case {
        const char* pattern;
        const char* name;
        bool expected;
    };
    const Case cases[] = {
        {"*", "anything.at.all", true},
        {"*", "", true},
        {"*.*", "README", true},
        {"*.*", "a.b", true},
        {"*.*", ".hidden", true},
        {"PED*.*", "PED1", true},
        {"PED*.*", "ped1.tab", true},
        {"PED*.*", "PED", true},
        {"PED*.*", "PE1.TAB", false},
        {"PED*.TAB", "ped00001.tab", true},
        {"PED*.TAB", "PED00001.TAB", true},
        {"PED*.TAB", "ped00001.tabx", false},
        {"PED*.TAB", "ped00001", false},
        {"PED*.TAB", "xped00001.tab", false},
        {"*.TAB", "X.TABX", false},
        {"*.TAB", "x.tab", true},
        {"*.TAB", "a.b.tab", true},
        {"*.TAB", ".tab", true},
        {"?", "a", true},
        {"?", "", false},
        {"?", "ab", false},
        {"?", "\xC3\xA7", true},  // one two-byte character
        {"??", "\xC3\xA7", false},
        {"a?c",
         "a\xE2\x82\xAC"
         "c",
         true},  // one three-byte character
        {"*?", "\xC3\xA7", true},
        {"?*?", "\xC3\xA7", false},
        {"M*.INI", "MAT.ini", true},
        {"M*.INI", "M.INI", true},
        {"M*.INI", "XM.INI", false},
        {"M*.INI", "MAT.INI.BAK", false},
        {"*.", "a.", true},  // a trailing point is an ordinary character
        {"*.", "abc", false},
        {"A.*", "A", true},  // ".*" also matches names without a dot
        {"A.*", "a.b", true},
        {"A.*", "AB", false},
        {"A.*", "B", false},
        {"X?.*", "XY", true},
        {"*a", "ba", true},
        {"*a", "ab", false},
        {"a*", "", false},
        {"", "", true},
        {"", "a", false},
        {"a**b", "ab", true},
        {"*X*", "aXb", true},
        {"*X*", "ab", false},
        {"\xC3\xA7*",
         "\xC3\xA7"
         "a",
         true},
        {"\xC3\xA7", "\xC3\x87", false},  // only ASCII letters fold
    };
    for (const Case& c : cases)
        EXPECT_EQ(vor::WildcardMatch(c.pattern, c.name), c.expected)
            << "'" << c.pattern << "' vs '" << c.name << "'";
}

TEST(WildcardMatch, ManyStarsAgainstLongNameFinishFast)
{
    const std::string name(20000, 'a');
    std::string manyStars;
    for (int i = 0; i < 300; ++i)
        manyStars += "*a";
    manyStars += "*b";
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(vor::WildcardMatch("a*a*a*a*a*b", name));
    EXPECT_FALSE(vor::WildcardMatch(manyStars, name));
    EXPECT_TRUE(vor::WildcardMatch("a*a*a*a*a*", name));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(PathNames, EqualAndLessWithoutCase)
{
    struct Case {
        const char* a;
        const char* b;
        bool equal;
        bool less;
    };
    const Case cases[] = {
        {"abc", "ABC", true, false},  // ties broken byte-wise: "ABC" < "abc"
        {"ABC", "abc", true, true},
        {"a", "B", false, true},
        {"B", "a", false, false},
        {"ab", "ABC", false, true},
        {"AAB", "A_B", false, true},  // letters fold to upper case, "_" after them
        {"\xC3\xA9", "\xC3\x89", false, false},
        {"", "", true, false},
        {"", "a", false, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(vor::EqualNoCase(c.a, c.b), c.equal) << c.a << " " << c.b;
        EXPECT_EQ(vor::LessNoCase(c.a, c.b), c.less) << c.a << " " << c.b;
    }
}

class PathFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"b.tab", "A.TAB", "c.txt", "ABC", "abc", "Mat.Tab"})
            WriteBytes(dir() / name, "x");
        fs::create_directory(dir() / "D.TAB");
        fs::create_directory(dir() / "sub");
        fs::create_symlink(dir() / "b.tab", dir() / "e.tab");
        fs::create_directory_symlink(dir() / "sub", dir() / "F.TAB");
        fs::create_symlink(dir() / "missing", dir() / "g.tab");
    }
    const fs::path& dir() const { return m_tmp.path(); }
    TempDir m_tmp;
};

TEST_F(PathFolder, FindNoCasePrefersTheExactNameThenTheFirstSorted)
{
    EXPECT_EQ(vor::FindNoCase(dir(), "MAT.TAB"), dir() / "Mat.Tab");
    EXPECT_EQ(vor::FindNoCase(dir(), "abc"), dir() / "abc");
    EXPECT_EQ(vor::FindNoCase(dir(), "ABC"), dir() / "ABC");
    EXPECT_EQ(vor::FindNoCase(dir(), "Abc"), dir() / "ABC");
    EXPECT_EQ(vor::FindNoCase(dir(), "d.tab"), dir() / "D.TAB");
    EXPECT_EQ(vor::FindNoCase(dir(), "none.tab"), dir() / "none.tab");
    EXPECT_EQ(vor::FindNoCase(dir() / "nofolder", "X"), dir() / "nofolder" / "X");
    EXPECT_EQ(vor::FindNoCase(dir() / "c.txt", "X"), dir() / "c.txt" / "X");
}

TEST_F(PathFolder, ListFolderFiltersByKindAndSortsWithoutCase)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(vor::ListFolder(dir(), "*.tab"), (V{"A.TAB", "b.tab", "e.tab", "Mat.Tab"}));
    EXPECT_EQ(vor::ListFolder(dir(), "*.TAB", vor::EntryKind::Folders), (V{"D.TAB", "F.TAB"}));
    EXPECT_EQ(vor::ListFolder(dir(), "*.tab", vor::EntryKind::Any),
              (V{"A.TAB", "b.tab", "D.TAB", "e.tab", "F.TAB", "g.tab", "Mat.Tab"}));
    EXPECT_EQ(vor::ListFolder(dir(), "*"),
              (V{"A.TAB", "ABC", "abc", "b.tab", "c.txt", "e.tab", "Mat.Tab"}));
    EXPECT_EQ(vor::ListFolder(dir(), "a*.*"), (V{"A.TAB", "ABC", "abc"}));
    EXPECT_TRUE(vor::ListFolder(dir() / "nofolder", "*").empty());
    EXPECT_TRUE(vor::ListFolder(dir() / "c.txt", "*").empty());
}

}  // namespace
