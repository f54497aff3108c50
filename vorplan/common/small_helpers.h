#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "vorplan/common/data_folders.h"

namespace platform {
class Clock;
}

namespace vor {

// ---- Sounds and beeps ----------------------------------------------------
// Through the installed sound service; an empty name, or a file that does not
// exist, is silently not played. Names of any length are accepted.

void PlaySoundOnce(const std::filesystem::path& waveFile);
// Plays the wave file again and again until StopSound or another sound.
void PlaySoundLoop(const std::filesystem::path& waveFile);
// Stops the sound playing, if any.
void StopSound();
// The system's standard beep.
void Beep();
// Five beeps in a row.
void Beep5();

// ---- Fixed message boxes ---------------------------------------------------

void ShowTextMessage1();  // message 478
void ShowTextMessage2();  // message 761

// ---- Clock snapshot ----------------------------------------------------------

// A time of day as four 16-bit values.
struct ClockSnapshot {
    std::uint16_t hour = 0;
    std::uint16_t minute = 0;
    std::uint16_t second = 0;
    std::uint16_t millisecond = 0;
    bool operator==(const ClockSnapshot&) const = default;
};

extern ClockSnapshot gClockSnapshot;

// The clock's current time of day.
ClockSnapshot TimeOfDay(const platform::Clock& clock);
// Stores the shared clock's time of day into gClockSnapshot.
void StoreTimeNow();

// ---- Files -------------------------------------------------------------------

// Deletes the file; a missing file, a folder or a failure is ignored.
void DeleteFileQuiet(const std::filesystem::path& path);

// MONT/N_L_P.TXT: names the piece list of the last calculation for the
// layout viewer.
std::filesystem::path LastListNameFile(const DataFolders& folders);

// Writes `text` as the only line of N_L_P.TXT; throws IoError on failure.
void WriteLastListName(const DataFolders& folders, const std::string& text);
void WriteLastListName(const std::string& text);  // shared folders

// The first line of N_L_P.TXT, cut before the first "Total " it holds; empty
// when the file does not exist. A file that exists but cannot be read throws
// IoError.
std::string ReadLastListName(const DataFolders& folders);
std::string ReadLastListName();  // shared folders

}  // namespace vor
