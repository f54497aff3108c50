#pragma once

#include <filesystem>

#include "platform/sound.h"
#include "vorplan/optimiser/calc_settings.h"

namespace vor {

// The signal at the end of a calculation. The tones sound on the ticks of the
// window's 500 ms timer, which runs while Ticking() holds; the player keeps
// no timer of its own so it can be driven without a clock.
class EndSignalPlayer {
public:
    explicit EndSignalPlayer(platform::SoundService& sound) : m_sound(sound) {}

    // Starts `signal`: the beeps at once, a wave once or looped, or the
    // ticks of a tone (six, or rounds of six until Stop with Repeat).
    void Start(EndSignal signal, SignalRepeat repeat, const std::filesystem::path& waveFile);
    // The "Teste" button: the signal once (one round of six ticks for a tone).
    void Test(EndSignal signal, const std::filesystem::path& waveFile);
    // The music's "Teste" button: the music wave once.
    void TestMusic(const std::filesystem::path& musicFile);
    // One tick of the timer; does nothing unless Ticking().
    void Tick();
    bool Ticking() const { return m_ticking; }
    // "Ok" or closing: ends the ticks and a looped wave.
    void Stop();

private:
    platform::SoundService& m_sound;
    platform::BeepKind m_kind = platform::BeepKind::Asterisk;
    SignalRepeat m_repeat = SignalRepeat::Once;
    int m_ticks = 0;
    bool m_ticking = false;
    bool m_looping = false;
};

}  // namespace vor
