#include "vorplan/common/small_helpers.h"

#include <system_error>
#include <vector>

#include "platform/clock.h"
#include "platform/message_service.h"
#include "platform/sound.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/text_file.h"

namespace vor {

namespace fs = std::filesystem;

ClockSnapshot gClockSnapshot;

namespace {

bool IsPlayable(const fs::path& waveFile)
{
    std::error_code ec;
    return !waveFile.empty() && fs::is_regular_file(waveFile, ec);
}

std::uint16_t Field(int value)
{
    return static_cast<std::uint16_t>(value);
}

}  // namespace

void PlaySoundOnce(const fs::path& waveFile)
{
    if (IsPlayable(waveFile))
        platform::Sound().PlayOnce(waveFile);
}

void PlaySoundLoop(const fs::path& waveFile)
{
    if (IsPlayable(waveFile))
        platform::Sound().PlayLoop(waveFile);
}

void StopSound()
{
    platform::Sound().Stop();
}

void Beep()
{
    platform::Sound().Beep();
}

void Beep5()
{
    for (int i = 0; i < 5; ++i)
        Beep();
}

void ShowTextMessage1()
{
    platform::ShowMessage(Msg(478));
}

void ShowTextMessage2()
{
    platform::ShowMessage(Msg(761));
}

ClockSnapshot TimeOfDay(const platform::Clock& clock)
{
    const platform::LocalTime now = clock.Now();
    return ClockSnapshot{Field(now.hour), Field(now.minute), Field(now.second),
                         Field(now.millisecond)};
}

void StoreTimeNow()
{
    gClockSnapshot = TimeOfDay(platform::GetClock());
}

void DeleteFileQuiet(const fs::path& path)
{
    std::error_code ec;
    if (fs::is_directory(fs::symlink_status(path, ec)))
        return;
    fs::remove(path, ec);
}

fs::path LastListNameFile(const DataFolders& folders)
{
    return folders.mont / "N_L_P.TXT";
}

void WriteLastListName(const DataFolders& folders, const std::string& text)
{
    WriteTextLines(LastListNameFile(folders), {text});
}

void WriteLastListName(const std::string& text)
{
    WriteLastListName(gShared.folders, text);
}

std::string ReadLastListName(const DataFolders& folders)
{
    const fs::path file = LastListNameFile(folders);
    std::error_code ec;
    if (!fs::exists(file, ec))
        return {};
    const std::vector<std::string> lines = ReadTextLinesOrThrow(file);
    if (lines.empty())
        return {};
    const std::string& line = lines.front();
    return line.substr(0, line.find("Total "));
}

std::string ReadLastListName()
{
    return ReadLastListName(gShared.folders);
}

}  // namespace vor
