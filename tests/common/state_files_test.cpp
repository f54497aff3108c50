#include "vorplan/common/state_files.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/fake_clock.h"
#include "tests/support/test_support.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/globals.h"

namespace {

namespace fs = std::filesystem;
using vortest::ReadBytes;
using vortest::TestInstallation;
using vortest::WriteBytes;

class StateFiles : public ::testing::Test {
protected:
    void SetUp() override { m_saved = vor::gShared; }
    void TearDown() override { vor::gShared = m_saved; }

    TestInstallation inst;
    vor::DataFolders f = vor::MakeDataFolders(inst.base());
    vor::DataFolders missing = vor::MakeDataFolders(inst.base() / "nowhere");

private:
    vor::SharedGlobals m_saved;
};

TEST_F(StateFiles, InUseMarkerIsOnAndCountsByExistence)
{
    const fs::path marker = inst.base() / "TRV.USU";
    EXPECT_FALSE(vor::InUseMarkerExists(f));
    vor::WriteInUseMarker(f);
    EXPECT_EQ(ReadBytes(marker), "\x4F\x4E\x0D\x0A");
    EXPECT_TRUE(vor::InUseMarkerExists(f));
    vor::DeleteInUseMarker(f);
    EXPECT_FALSE(fs::exists(marker));
    EXPECT_NO_THROW(vor::DeleteInUseMarker(f));
    EXPECT_NO_THROW(vor::DeleteInUseMarker(missing));

    WriteBytes(marker, "");
    EXPECT_TRUE(vor::InUseMarkerExists(f));
    WriteBytes(marker, "some other text");
    vor::WriteInUseMarker(f);
    EXPECT_EQ(ReadBytes(marker), "ON\r\n");
}

TEST_F(StateFiles, WritersOtherThanTheStampFailLoudly)
{
    EXPECT_THROW(vor::WriteInUseMarker(missing), vor::IoError);
    EXPECT_THROW(vor::WriteLanguageNumber(missing, 2), vor::IoError);
    EXPECT_THROW(vor::WriteSequenceNumber(missing, 1, 5), vor::IoError);
    EXPECT_FALSE(vor::InUseMarkerExists(missing));
}

TEST_F(StateFiles, LanguageNumber)
{
    WriteBytes(inst.base() / "IDIO.NUM", "12345\r\n");
    for (int language = 1; language <= 5; ++language) {
        vor::WriteLanguageNumber(f, language);
        EXPECT_EQ(ReadBytes(inst.base() / "IDIO.NUM"), std::to_string(language) + "\r\n");
    }
}

TEST_F(StateFiles, CounterIsReadAsARealThenTruncated)
{
    struct Case {
        const char* bytes;
        long long expected;
    };
    const Case cases[] = {
        {"12,7\r\n", 12}, {" 1 3\r\n", 13}, {"-3,5\r\n", -3}, {"12.9\r\n", 12},
        {"7", 7},         {"", 0},          {"\r\n9\r\n", 0}, {"abc\r\n", 0},
        {"12,7\r\n99\r\n", 12}, {"0,999\r\n", 0},
    };
    const fs::path file = inst.base() / "CFG" / "N_SEQ_R.005";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        WriteBytes(file, c.bytes);
        EXPECT_EQ(vor::ReadSequenceNumber(f, 5), c.expected);
    }
    WriteBytes(file, "1e30\r\n");
    EXPECT_THROW(vor::ReadSequenceNumber(f, 5), vor::OverflowError);
    EXPECT_EQ(vor::ReadSequenceNumber(f, 6), 0);
    EXPECT_EQ(vor::ReadSequenceNumber(missing, 5), 0);
}

TEST_F(StateFiles, CounterWriteAndItsFileName)
{
    vor::WriteSequenceNumber(f, vor::ReadSequenceNumber(f, 5) + 1, 5);
    EXPECT_EQ(ReadBytes(inst.base() / "CFG" / "N_SEQ_R.005"), "1\r\n");
    vor::WriteSequenceNumber(f, 13, 5);
    EXPECT_EQ(ReadBytes(inst.base() / "CFG" / "N_SEQ_R.005"), "13\r\n");
    vor::WriteSequenceNumber(f, 2, 1234);
    EXPECT_EQ(ReadBytes(inst.base() / "CFG" / "N_SEQ_R.1234"), "2\r\n");
    EXPECT_EQ(vor::ReadSequenceNumber(f, 1234), 2);
}

TEST_F(StateFiles, CalculationStamp)
{
    platform::FakeClock clock;
    clock.SetNow({2024, 3, 7, 9, 5, 2});
    EXPECT_EQ(vor::ReadDataCoStamp(f), "");
    vor::WriteDataCoStamp(f, clock);
    EXPECT_EQ(ReadBytes(inst.base() / "MONT" / "DATA_CO.INF"), "07/03/24  09:05:02\r\n");
    EXPECT_EQ(vor::ReadDataCoStamp(f), "07/03/24  09:05:02");

    WriteBytes(inst.base() / "MONT" / "DATA_CO.INF", "first\r\nsecond\r\n");
    EXPECT_EQ(vor::ReadDataCoStamp(f), "first");

    fs::remove_all(inst.base() / "MONT");
    EXPECT_NO_THROW(vor::WriteDataCoStamp(f, clock));
    EXPECT_FALSE(fs::exists(inst.base() / "MONT"));
    EXPECT_EQ(vor::ReadDataCoStamp(f), "");
}

TEST_F(StateFiles, SharedFormsUseTheSharedFoldersLanguageAndClock)
{
    platform::FakeClock clock;
    clock.SetNow({2031, 12, 31, 23, 59, 58});
    const platform::ScopedClock scoped(clock);
    vor::gShared.folders = f;
    vor::gShared.languageIndex = 5;

    vor::WriteInUseMarker();
    EXPECT_TRUE(vor::InUseMarkerExists());
    vor::DeleteInUseMarker();
    EXPECT_FALSE(vor::InUseMarkerExists());
    vor::WriteLanguageNumber();
    EXPECT_EQ(ReadBytes(inst.base() / "IDIO.NUM"), "5\r\n");
    vor::WriteDataCoStamp();
    EXPECT_EQ(vor::ReadDataCoStamp(), "31/12/31  23:59:58");
    vor::WriteSequenceNumber(13, 7);
    EXPECT_EQ(vor::ReadSequenceNumber(7), 13);
    EXPECT_EQ(ReadBytes(inst.base() / "CFG" / "N_SEQ_R.007"), "13\r\n");
}

}  // namespace
