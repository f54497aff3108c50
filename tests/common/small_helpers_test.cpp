#include "vorplan/common/small_helpers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fake_clock.h"
#include "platform/fake_message_service.h"
#include "platform/fake_sound.h"
#include "tests/support/test_support.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/globals.h"

namespace {

namespace fs = std::filesystem;
using platform::RecordingSound;
using Call = RecordingSound::Call;

class SmallHelpers : public ::testing::Test {
protected:
    SmallHelpers() : m_folders(vor::MakeDataFolders(m_installation.base())) {}

    const fs::path& base() const { return m_installation.base(); }
    fs::path nameFile() const { return m_folders.mont / "N_L_P.TXT"; }

    vortest::TestInstallation m_installation;
    vor::DataFolders m_folders;
    RecordingSound m_sound;
    platform::ScopedSound m_installSound{m_sound};
    platform::ScriptedMessages m_messages;
    platform::ScopedMessages m_installMessages{m_messages};
};

TEST_F(SmallHelpers, OnlyAnExistingNamedFileReachesTheSoundBackend)
{
    const fs::path wave = base() / "musica.wav";
    vortest::WriteBytes(wave, "RIFF");
    // Install paths on Linux are long; a name over 100 characters plays.
    fs::create_directory(base() / std::string(120, 'd'));
    const fs::path longWave = base() / std::string(120, 'd') / (std::string(30, 'f') + ".wav");
    vortest::WriteBytes(longWave, "RIFF");
    ASSERT_GT(longWave.string().size(), 150u);

    struct Case {
        const char* name;
        fs::path file;
        bool plays;
    };
    const Case cases[] = {
        {"empty", fs::path(), false},       {"missing", base() / "fim.wav", false},
        {"folder", base() / "MONT", false}, {"existing", wave, true},
        {"long", longWave, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_sound.Clear();
        vor::PlaySoundOnce(c.file);
        vor::PlaySoundLoop(c.file);
        const std::vector<RecordingSound::Event> expected =
            c.plays ? std::vector<RecordingSound::Event>{{Call::PlayOnce, c.file},
                                                         {Call::PlayLoop, c.file}}
                    : std::vector<RecordingSound::Event>{};
        EXPECT_EQ(m_sound.Events(), expected);
    }
}

TEST_F(SmallHelpers, StopAndBeepsGoStraightToTheBackend)
{
    vor::StopSound();
    vor::Beep();
    vor::Beep5();
    EXPECT_EQ(m_sound.Count(Call::Stop), 1u);
    EXPECT_EQ(m_sound.Count(Call::Beep), 6u);
    EXPECT_EQ(m_sound.Events().front().call, Call::Stop);
}

TEST_F(SmallHelpers, FixedMessagesShowTheirSlots)
{
    vor::gShared.messages[478] = "Texto da mensagem 478";
    vor::gShared.messages[761] = "Texto da mensagem 761";
    vor::ShowTextMessage1();
    vor::ShowTextMessage2();
    ASSERT_EQ(m_messages.Count(), 2u);
    EXPECT_EQ(m_messages.Texts(),
              (std::vector<std::string>{"Texto da mensagem 478", "Texto da mensagem 761"}));
    for (const platform::ShownMessage& shown : m_messages.Shown()) {
        EXPECT_EQ(shown.buttons, platform::Buttons::Ok);
        EXPECT_TRUE(shown.title.empty()) << "titled with the program's name";
    }
    vor::gShared.messages[478].clear();
    vor::gShared.messages[761].clear();
}

TEST_F(SmallHelpers, StoreTimeNowTakesTheTimeOfDayFromTheClock)
{
    platform::FakeClock clock;
    clock.SetNow({2024, 2, 29, 23, 59, 58, 999});
    platform::ScopedClock install(clock);
    vor::StoreTimeNow();
    EXPECT_EQ(vor::gClockSnapshot, (vor::ClockSnapshot{23, 59, 58, 999}));
}

TEST_F(SmallHelpers, ReadLastListNameCutsBeforeTheFirstTotal)
{
    struct Case {
        std::string bytes;
        std::string expected;
    };
    const Case cases[] = {
        {"List 12 Total 40\r\n", "List 12 "},
        {"List 12 Total 40", "List 12 "},  // no line end
        {"A Total B Total C\r\n", "A "},   // the first one
        {"Total 40\r\n", ""},
        {"Sub Total\r\n", "Sub Total"},                               // needs the blank after it
        {"List total 40\r\n", "List total 40"},                       // and the capital
        {"1~Mesa~12~01/02/24\r\nTotal 9\r\n", "1~Mesa~12~01/02/24"},  // first line only
        {"Pe\347as Total 3\r\n", "Peças "},                           // Windows-1252 on disk
        {"", ""},
        {"\r\n", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        vortest::WriteBytes(nameFile(), c.bytes);
        EXPECT_EQ(vor::ReadLastListName(m_folders), c.expected);
    }
}

TEST_F(SmallHelpers, ReadLastListNameOfAMissingFileIsEmpty)
{
    EXPECT_EQ(vor::ReadLastListName(m_folders), "");
    fs::remove(m_folders.mont);
    EXPECT_EQ(vor::ReadLastListName(m_folders), "");
}

TEST_F(SmallHelpers, ReadLastListNameThatCannotBeReadStopsTheAction)
{
    fs::create_directory(nameFile());
    EXPECT_THROW(vor::ReadLastListName(m_folders), vor::IoError);
}

TEST_F(SmallHelpers, WriteLastListNameReplacesTheFileWithOneLine)
{
    vortest::WriteBytes(nameFile(), "old\r\nsecond line\r\n");
    vor::WriteLastListName(m_folders, "3~Armário~40~05/03/24 Total 40");
    EXPECT_EQ(vortest::ReadBytes(nameFile()), "3~Arm\xE1rio~40~05/03/24 Total 40\r\n");
    EXPECT_EQ(vor::ReadLastListName(m_folders), "3~Armário~40~05/03/24 ");
}

TEST_F(SmallHelpers, TheSharedFormsUseTheSharedFolders)
{
    const vor::DataFolders saved = vor::gShared.folders;
    vor::gShared.folders = m_folders;
    vor::WriteLastListName("List 7 Total 2");
    EXPECT_EQ(vor::ReadLastListName(), "List 7 ");
    vor::gShared.folders = saved;
    EXPECT_TRUE(fs::exists(nameFile()));
}

TEST_F(SmallHelpers, WriteLastListNameIntoAMissingFolderStopsTheAction)
{
    fs::remove(m_folders.mont);
    EXPECT_THROW(vor::WriteLastListName(m_folders, "x"), vor::IoError);
}

TEST_F(SmallHelpers, DeleteFileQuietDeletesFilesOnlyAndNeverComplains)
{
    const fs::path file = base() / "ret.temp";
    vortest::WriteBytes(file, "x");
    vor::DeleteFileQuiet(file);
    EXPECT_FALSE(fs::exists(file));

    EXPECT_NO_THROW(vor::DeleteFileQuiet(file));                       // missing
    EXPECT_NO_THROW(vor::DeleteFileQuiet(base() / "NOPE" / "x.txt"));  // missing folder
    EXPECT_NO_THROW(vor::DeleteFileQuiet(fs::path()));

    vor::DeleteFileQuiet(m_folders.tmp);  // an empty folder stays
    EXPECT_TRUE(fs::is_directory(m_folders.tmp));
    EXPECT_TRUE(m_messages.Shown().empty());
}

}  // namespace
