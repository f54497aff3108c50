#include "platform/qt_sound.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <string>

#include "tests/support/ui_fixture.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

void PutLittleEndian(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A short mono 8 kHz 16-bit PCM wave file of silence.
std::string SilentWave(std::uint32_t samples)
{
    const std::uint32_t dataBytes = samples * 2;
    std::string wave = "RIFF";
    PutLittleEndian(wave, 36 + dataBytes, 4);
    wave += "WAVEfmt ";
    PutLittleEndian(wave, 16, 4);     // format chunk size
    PutLittleEndian(wave, 1, 2);      // PCM
    PutLittleEndian(wave, 1, 2);      // channels
    PutLittleEndian(wave, 8000, 4);   // sample rate
    PutLittleEndian(wave, 16000, 4);  // bytes per second
    PutLittleEndian(wave, 2, 2);      // block align
    PutLittleEndian(wave, 16, 2);     // bits per sample
    wave += "data";
    PutLittleEndian(wave, dataBytes, 4);
    wave.append(dataBytes, '\0');
    return wave;
}

class QtSound : public vortest::UiTest {};

// Nothing can be heard here (no audio device); what counts is that no call
// waits for the sound and none fails, whatever the file.
TEST_F(QtSound, NeverBlocksNorFailsWithoutADeviceOrWithABadFile)
{
    const fs::path good = base() / "musica.wav";
    vortest::WriteBytes(good, SilentWave(8000));
    const fs::path garbage = base() / "fim.wav";
    vortest::WriteBytes(garbage, "not a wave file");
    const fs::path missing = base() / "nada.wav";
    const fs::path longName = base() / (std::string(150, 'm') + ".wav");
    vortest::WriteBytes(longName, SilentWave(100));

    const Clock::time_point start = Clock::now();
    {
        platform::QtSoundService sound;
        for (const fs::path& file : {good, garbage, missing, fs::path(), longName}) {
            SCOPED_TRACE(file.string());
            sound.PlayOnce(file);
            sound.PlayLoop(file);
            vortest::ProcessEvents();
            sound.Stop();
        }
        sound.Beep();
        sound.Stop();  // stopping twice is harmless
        sound.PlayLoop(good);
        vortest::WaitUntil([] { return false; }, std::chrono::milliseconds(200));
        // Destroyed while looping.
    }
    platform::QtSoundService neverPlayed;
    neverPlayed.Stop();
    neverPlayed.Beep();
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(5));
}

}  // namespace
