#include "vorplan/common/text_file.h"

#include "tests/support/test_support.h"
#include "vorplan/common/errors.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace vor {
namespace {

using namespace std::string_literals;
using Lines = std::vector<std::string>;
using vortest::ReadBytes;
using vortest::TempDir;
using vortest::WriteBytes;

TEST(TextFileTest, SplitTextLinesAcceptsEveryLineEnd)
{
    struct Case {
        std::string text;
        Lines lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\n\r\n", {"a", ""}},
        {"\r\n", {""}},
        {"\n\n", {"", ""}},
        {"a\nb", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r", {"a"}},
        {"a\r\rb", {"a", "", "b"}},
        {"a\n\rb", {"a", "", "b"}},  // LF then a lone CR: two ends
        {"a\r\n\nb", {"a", "", "b"}},
        {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        {"  spaced  \r\n", {"  spaced  "}},
        {"a\0b\r\n"s, {"a\0b"s}},
        {"x\ty", {"x\ty"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitTextLines(c.text), c.lines) << ::testing::PrintToString(c.text);
}

TEST(TextFileTest, ReadsTheFormsADataFileComesIn)
{
    struct Case {
        const char* name;
        std::string bytes;
        Lines lines;
    };
    const Case cases[] = {
        {"cp1252 with CR LF", "Pe\xE7" "a\r\nMDF 18\xA0mm\r\n\x80 10\r\n",
         {"Peça", "MDF 18\u00A0mm", "€ 10"}},
        {"utf-8 with bom and LF", "\xEF\xBB\xBF" "a\xC3\xA7\nb\n", {"aç", "b"}},
        {"utf-8 without bom", "\xE2\x82\xAC\r\n", {"€"}},
        {"missing last line end", "x\r\ny", {"x", "y"}},
        {"lone CR", "x\ry\r", {"x", "y"}},
        {"empty file", "", {}},
        {"bom only", "\xEF\xBB\xBF", {}},
        {"blank lines kept", "\r\n\r\nz\r\n", {"", "", "z"}},
    };
    TempDir dir;
    const auto path = dir.path() / "DATA.TXT";
    for (const Case& c : cases) {
        WriteBytes(path, c.bytes);
        const auto lines = ReadTextLines(path);
        ASSERT_TRUE(lines.has_value()) << c.name;
        EXPECT_EQ(*lines, c.lines) << c.name;
        EXPECT_EQ(ReadTextLinesOrThrow(path), c.lines) << c.name;
    }
}

TEST(TextFileTest, EncodeTextLinesWritesCp1252WithCrLf)
{
    EXPECT_EQ(EncodeTextLines({}), "");
    EXPECT_EQ(EncodeTextLines({""}), "\r\n");
    EXPECT_EQ(EncodeTextLines({"a", "ç"}), "a\r\n\xE7\r\n");
    EXPECT_EQ(EncodeTextLines({"€ 10", "中x", ""}), "\x80 10\r\n?x\r\n\r\n");
}

TEST(TextFileTest, WritesGoldenBytesAndReadsThemBack)
{
    TempDir dir;
    const auto path = dir.path() / "OUT.TXT";
    WriteTextLines(path, {"a", "ç"});
    EXPECT_EQ(ReadBytes(path), "a\r\n\xE7\r\n");
    EXPECT_EQ(ReadTextLines(path), (Lines{"a", "ç"}));

    const Lines lines = {"", "Ação", "€ ™ Ÿ", "\u0081\u009D", "  trailing  ", ""};
    WriteTextLines(path, lines);
    EXPECT_EQ(ReadTextLines(path), lines);

    WriteTextLines(path, {});
    EXPECT_EQ(ReadBytes(path), "");
    EXPECT_EQ(ReadTextLines(path), Lines{});
}

TEST(TextFileTest, UnreadableFileGivesNothingOrIoError)
{
    TempDir dir;
    struct Case {
        const char* name;
        std::filesystem::path path;
        int code;
    };
    const Case cases[] = {
        {"missing file", dir.path() / "NONE.TXT", ENOENT},
        {"missing folder", dir.path() / "NODIR" / "NONE.TXT", ENOENT},
        {"a folder", dir.path(), EISDIR},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadTextLines(c.path), std::nullopt) << c.name;
        try {
            ReadTextLinesOrThrow(c.path);
            ADD_FAILURE() << c.name << ": no error";
        } catch (const IoError& e) {
            EXPECT_EQ(e.path(), c.path) << c.name;
            EXPECT_EQ(e.code(), c.code) << c.name;
        }
    }
}

TEST(TextFileTest, FileWithoutReadPermissionGivesNothing)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads any file";
    TempDir dir;
    const auto path = dir.path() / "LOCKED.TXT";
    WriteBytes(path, "x\r\n");
    ASSERT_EQ(chmod(path.c_str(), 0), 0);
    EXPECT_EQ(ReadTextLines(path), std::nullopt);
    EXPECT_THROW(ReadTextLinesOrThrow(path), IoError);
}

TEST(TextFileTest, WriteIntoMissingFolderThrows)
{
    TempDir dir;
    const auto path = dir.path() / "NODIR" / "OUT.TXT";
    try {
        WriteTextLines(path, {"a"});
        ADD_FAILURE() << "no error";
    } catch (const IoError& e) {
        EXPECT_EQ(e.path(), path);
        EXPECT_EQ(e.code(), ENOENT);
    }
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "NODIR"));
}

}  // namespace
}  // namespace vor
