#pragma once

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <vector>

#include "platform/sound.h"

namespace platform {

// A sound service for tests: records every call in order.
class RecordingSound final : public SoundService {
public:
    enum class Call { PlayOnce, PlayLoop, Stop, Beep, SystemBeep };

    struct Event {
        Call call;
        std::filesystem::path file;  // empty for Stop and the beeps
        BeepKind kind = BeepKind::Standard;  // of a SystemBeep
        bool operator==(const Event&) const = default;
    };

    void PlayOnce(const std::filesystem::path& waveFile) override
    {
        m_events.push_back({Call::PlayOnce, waveFile});
    }
    void PlayLoop(const std::filesystem::path& waveFile) override
    {
        m_events.push_back({Call::PlayLoop, waveFile});
    }
    void Stop() override { m_events.push_back({Call::Stop, {}}); }
    void Beep() override { m_events.push_back({Call::Beep, {}}); }
    void SystemBeep(BeepKind kind) override { m_events.push_back({Call::SystemBeep, {}, kind}); }

    const std::vector<Event>& Events() const { return m_events; }
    std::size_t Count(Call call) const
    {
        return static_cast<std::size_t>(std::count_if(
            m_events.begin(), m_events.end(), [call](const Event& e) { return e.call == call; }));
    }
    void Clear() { m_events.clear(); }

private:
    std::vector<Event> m_events;
};

// Installs a sound service for the life of the object, then restores the one
// installed before.
class ScopedSound {
public:
    explicit ScopedSound(SoundService& service) : m_previous(&Sound()) { SetSound(&service); }
    ~ScopedSound() { SetSound(m_previous); }
    ScopedSound(const ScopedSound&) = delete;
    ScopedSound& operator=(const ScopedSound&) = delete;

private:
    SoundService* m_previous;
};

}  // namespace platform
