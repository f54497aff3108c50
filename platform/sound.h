#pragma once

#include <filesystem>

namespace platform {

// Wave sounds and beeps. The program installs the Qt implementation; without
// it, and without an audio device, every call is silent.
// The system beeps a message box would sound; Linux has one beep for all.
enum class BeepKind { Standard, Asterisk, Exclamation, Question };

class SoundService {
public:
    virtual ~SoundService() = default;
    virtual void PlayOnce(const std::filesystem::path& waveFile) = 0;
    virtual void PlayLoop(const std::filesystem::path& waveFile) = 0;
    virtual void Stop() = 0;
    virtual void Beep() = 0;
    // A system beep of `kind`; every kind sounds as Beep() unless a service tells them apart.
    virtual void SystemBeep(BeepKind kind)
    {
        static_cast<void>(kind);
        Beep();
    }
};

SoundService& Sound();
// Installs `service` (nullptr restores the silent one). Call from the UI thread.
void SetSound(SoundService* service);

}  // namespace platform
