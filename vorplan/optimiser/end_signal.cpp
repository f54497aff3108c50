#include "vorplan/optimiser/end_signal.h"

namespace vor {

namespace {

constexpr int kStandardBeeps = 5;
constexpr int kTicksPerRound = 6;

}  // namespace

void EndSignalPlayer::Start(EndSignal signal, SignalRepeat repeat,
                            const std::filesystem::path& waveFile)
{
    // A new signal replaces whatever the last one left going.
    Stop();
    switch (signal) {
        case EndSignal::Silent:
            break;
        case EndSignal::Beep:
            for (int i = 0; i < kStandardBeeps; ++i)
                m_sound.Beep();
            break;
        case EndSignal::Tone1:
        case EndSignal::Tone2:
        case EndSignal::Tone3:
            m_kind = signal == EndSignal::Tone1   ? platform::BeepKind::Asterisk
                     : signal == EndSignal::Tone2 ? platform::BeepKind::Exclamation
                                                  : platform::BeepKind::Question;
            m_repeat = repeat;
            m_ticking = true;
            break;
        case EndSignal::Wave:
            if (repeat == SignalRepeat::Repeat) {
                m_sound.PlayLoop(waveFile);
                m_looping = true;
            } else {
                m_sound.PlayOnce(waveFile);
            }
            break;
    }
}

void EndSignalPlayer::Test(EndSignal signal, const std::filesystem::path& waveFile)
{
    Start(signal, SignalRepeat::Once, waveFile);
}

void EndSignalPlayer::TestMusic(const std::filesystem::path& musicFile)
{
    m_sound.PlayOnce(musicFile);
}

void EndSignalPlayer::Tick()
{
    if (!m_ticking)
        return;
    m_sound.SystemBeep(m_kind);
    if (++m_ticks == kTicksPerRound) {
        m_ticks = 0;
        if (m_repeat == SignalRepeat::Once)
            m_ticking = false;
    }
}

void EndSignalPlayer::Stop()
{
    m_ticking = false;
    m_ticks = 0;
    if (m_looping) {
        m_sound.Stop();
        m_looping = false;
    }
}

}  // namespace vor
