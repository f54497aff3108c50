// The end-of-run signal over a recording sound service, driven tick by tick
// as the window's timer would.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/fake_sound.h"
#include "vorplan/optimiser/end_signal.h"

namespace {

using platform::BeepKind;
using platform::RecordingSound;
using vor::EndSignal;
using vor::EndSignalPlayer;
using vor::SignalRepeat;
using Call = RecordingSound::Call;
using Event = RecordingSound::Event;
using Events = std::vector<Event>;

const std::filesystem::path kWave = "/inst/fim.wav";
constexpr int kNoTicks = 0;
constexpr int kOneRound = 6;
constexpr int kForever = 1000;
// Enough for three rounds and a half.
constexpr int kTicks = 20;

Event Beep()
{
    return {Call::Beep, {}};
}
Event System(BeepKind kind)
{
    return {Call::SystemBeep, {}, kind};
}
Events Beeps(int count)
{
    return Events(static_cast<std::size_t>(count), Beep());
}
Events SystemBeeps(int count, BeepKind kind)
{
    return Events(static_cast<std::size_t>(count), System(kind));
}

std::string Name(EndSignal signal, SignalRepeat repeat)
{
    static const char* const kSignals[] = {"Sem som", "Beep", "1", "2", "3", "WAV"};
    return std::string(kSignals[static_cast<int>(signal)]) +
           (repeat == SignalRepeat::Once ? " / Uma vez" : " / Repete");
}

// Ticks `player` `count` times; returns how many ticks it took to fall quiet
// (kForever when it never did), checking that it never wakes up again.
int TickAndCountUntilQuiet(EndSignalPlayer& player, int count)
{
    int quietAfter = player.Ticking() ? kForever : 0;
    for (int tick = 1; tick <= count; ++tick) {
        player.Tick();
        if (!player.Ticking() && quietAfter == kForever)
            quietAfter = tick;
        EXPECT_FALSE(quietAfter != kForever && player.Ticking()) << "ticking again at " << tick;
    }
    return quietAfter;
}

TEST(EndSignal, SignalMatrix)
{
    struct Case {
        EndSignal signal;
        SignalRepeat repeat;
        Events atStart;
        int ticksUntilQuiet;  // kNoTicks: the timer never runs
        BeepKind kind;
        Events atStop;
    };
    const Case cases[] = {
        {EndSignal::Silent, SignalRepeat::Once, {}, kNoTicks, {}, {}},
        {EndSignal::Silent, SignalRepeat::Repeat, {}, kNoTicks, {}, {}},
        {EndSignal::Beep, SignalRepeat::Once, Beeps(5), kNoTicks, {}, {}},
        {EndSignal::Beep, SignalRepeat::Repeat, Beeps(5), kNoTicks, {}, {}},
        {EndSignal::Tone1, SignalRepeat::Once, {}, kOneRound, BeepKind::Asterisk, {}},
        {EndSignal::Tone1, SignalRepeat::Repeat, {}, kForever, BeepKind::Asterisk, {}},
        {EndSignal::Tone2, SignalRepeat::Once, {}, kOneRound, BeepKind::Exclamation, {}},
        {EndSignal::Tone2, SignalRepeat::Repeat, {}, kForever, BeepKind::Exclamation, {}},
        {EndSignal::Tone3, SignalRepeat::Once, {}, kOneRound, BeepKind::Question, {}},
        {EndSignal::Tone3, SignalRepeat::Repeat, {}, kForever, BeepKind::Question, {}},
        {EndSignal::Wave, SignalRepeat::Once, {{Call::PlayOnce, kWave}}, kNoTicks, {}, {}},
        {EndSignal::Wave,
         SignalRepeat::Repeat,
         {{Call::PlayLoop, kWave}},
         kNoTicks,
         {},
         {{Call::Stop, {}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Name(c.signal, c.repeat));
        RecordingSound sound;
        EndSignalPlayer player(sound);

        player.Start(c.signal, c.repeat, kWave);
        EXPECT_EQ(sound.Events(), c.atStart);
        EXPECT_EQ(player.Ticking(), c.ticksUntilQuiet != kNoTicks);

        sound.Clear();
        EXPECT_EQ(TickAndCountUntilQuiet(player, kTicks), c.ticksUntilQuiet);
        EXPECT_EQ(sound.Events(), SystemBeeps(std::min(kTicks, c.ticksUntilQuiet), c.kind));

        // "Ok": the timer stops, a looped wave too; later ticks sound nothing.
        sound.Clear();
        player.Stop();
        EXPECT_FALSE(player.Ticking());
        player.Tick();
        EXPECT_EQ(sound.Events(), c.atStop);
    }
}

TEST(EndSignal, TestPlaysEachSignalOnce)
{
    struct Case {
        EndSignal signal;
        Events atTest;
        int ticksUntilQuiet;
        BeepKind kind;
    };
    const Case cases[] = {
        {EndSignal::Silent, {}, kNoTicks, {}},
        {EndSignal::Beep, Beeps(5), kNoTicks, {}},
        {EndSignal::Tone1, {}, kOneRound, BeepKind::Asterisk},
        {EndSignal::Tone2, {}, kOneRound, BeepKind::Exclamation},
        {EndSignal::Tone3, {}, kOneRound, BeepKind::Question},
        {EndSignal::Wave, {{Call::PlayOnce, kWave}}, kNoTicks, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Name(c.signal, SignalRepeat::Once));
        RecordingSound sound;
        EndSignalPlayer player(sound);
        player.Test(c.signal, kWave);
        EXPECT_EQ(sound.Events(), c.atTest);
        sound.Clear();
        EXPECT_EQ(TickAndCountUntilQuiet(player, kTicks), c.ticksUntilQuiet);
        EXPECT_EQ(sound.Events(), SystemBeeps(std::min(kTicks, c.ticksUntilQuiet), c.kind));
    }

    RecordingSound sound;
    EndSignalPlayer player(sound);
    player.TestMusic("/inst/musica.wav");
    EXPECT_EQ(sound.Events(), (Events{{Call::PlayOnce, "/inst/musica.wav"}}));
    EXPECT_FALSE(player.Ticking());
}

TEST(EndSignal, StopDuringARepeatedToneEndsItMidRoundAndTheNextRoundStartsAfresh)
{
    RecordingSound sound;
    EndSignalPlayer player(sound);
    player.Start(EndSignal::Tone2, SignalRepeat::Repeat, kWave);
    for (int i = 0; i < 9; ++i)
        player.Tick();
    player.Stop();
    EXPECT_FALSE(player.Ticking());
    for (int i = 0; i < 5; ++i)
        player.Tick();
    // Nothing was looping, so the sound service is not told to stop.
    EXPECT_EQ(sound.Events(), SystemBeeps(9, BeepKind::Exclamation));

    // The counter went back to 0 with the stop: a full round of six, not three.
    sound.Clear();
    player.Start(EndSignal::Tone1, SignalRepeat::Once, kWave);
    EXPECT_EQ(TickAndCountUntilQuiet(player, kTicks), kOneRound);
    EXPECT_EQ(sound.Events(), SystemBeeps(6, BeepKind::Asterisk));
}

TEST(EndSignal, ANewSignalReplacesTheOneStillGoing)
{
    RecordingSound sound;
    EndSignalPlayer player(sound);

    // A looped wave is stopped before the tone starts, and only once.
    player.Start(EndSignal::Wave, SignalRepeat::Repeat, kWave);
    player.Test(EndSignal::Tone3, kWave);
    player.Stop();
    EXPECT_EQ(sound.Events(), (Events{{Call::PlayLoop, kWave}, {Call::Stop, {}}}));

    // A round under way restarts from its first tick with the new kind.
    sound.Clear();
    player.Start(EndSignal::Tone3, SignalRepeat::Repeat, kWave);
    for (int i = 0; i < 4; ++i)
        player.Tick();
    player.Start(EndSignal::Tone1, SignalRepeat::Once, kWave);
    EXPECT_EQ(TickAndCountUntilQuiet(player, kTicks), kOneRound);
    Events expected = SystemBeeps(4, BeepKind::Question);
    const Events round = SystemBeeps(6, BeepKind::Asterisk);
    expected.insert(expected.end(), round.begin(), round.end());
    EXPECT_EQ(sound.Events(), expected);

    // Beeps replace a repeated tone: no tick sounds after them.
    sound.Clear();
    player.Start(EndSignal::Tone2, SignalRepeat::Repeat, kWave);
    player.Start(EndSignal::Beep, SignalRepeat::Repeat, kWave);
    EXPECT_FALSE(player.Ticking());
    player.Tick();
    EXPECT_EQ(sound.Events(), Beeps(5));
}

}  // namespace
