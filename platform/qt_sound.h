#pragma once

#include <memory>

#include "platform/sound.h"

class QSoundEffect;

namespace platform {

// Wave sounds on QSoundEffect, beeps through QApplication::beep(). One sound
// plays at a time: a new one replaces the one playing. Nothing waits for the
// sound, and without an audio device (or with an unreadable file) nothing is
// heard. Use from the UI thread.
class QtSoundService final : public SoundService {
public:
    QtSoundService();
    ~QtSoundService() override;

    void PlayOnce(const std::filesystem::path& waveFile) override;
    void PlayLoop(const std::filesystem::path& waveFile) override;
    void Stop() override;
    void Beep() override;

private:
    void Play(const std::filesystem::path& waveFile, int loops);

    std::unique_ptr<QSoundEffect> m_effect;  // made at the first sound
};

}  // namespace platform
