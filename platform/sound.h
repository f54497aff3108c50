#pragma once

#include <filesystem>

namespace platform {

// Wave sounds and beeps. The program installs the Qt implementation; without
// it, and without an audio device, every call is silent.
class SoundService {
public:
    virtual ~SoundService() = default;
    virtual void PlayOnce(const std::filesystem::path& waveFile) = 0;
    virtual void PlayLoop(const std::filesystem::path& waveFile) = 0;
    virtual void Stop() = 0;
    virtual void Beep() = 0;
};

SoundService& Sound();
// Installs `service` (nullptr restores the silent one). Call from the UI thread.
void SetSound(SoundService* service);

}  // namespace platform
