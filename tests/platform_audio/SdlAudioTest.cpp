#include "TestSounds.h"

#include "platform/Platform.h"
#include "platform/qt/SdlAudio.h"

#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace zunaka {
namespace {

// The effects carry the game's own file names, to pass UTF-8 paths through SDL.
struct Files {
    testing::ScratchFolder scratch{"zunaka-audio-test"};
    std::string folder = scratch.path;
    std::string longEffect = folder + "/金属.wav";
    std::string shortEffect = folder + "/みゃ.wav";
    std::string song = folder + "/曲.mid";
    std::string empty = folder + "/empty.mid";
    std::string text = folder + "/readme.mid";
    std::string missing = folder + "/missing.mid";

    Files()
    {
        testing::writeWave(longEffect, testing::kLongEffectSeconds);
        testing::writeWave(shortEffect, testing::kShortEffectSeconds);
        testing::writeSong(song);
        testing::writeText(empty, "");
        testing::writeText(text, "this is not music\n");
    }
};

const Files& files()
{
    static const Files written;
    return written;
}

// The lengths in seconds of the effects playing now, summed. The dummy driver plays in real time, so
// a sound of a few seconds still plays a few milliseconds after it started, and its length names it.
int secondsOnAir()
{
    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    Mix_QuerySpec(&frequency, &format, &channels);
    const int bytesPerSecond = frequency * channels * static_cast<int>(SDL_AUDIO_BITSIZE(format) / 8);
    int seconds = 0;
    for (int channel = 0; channel < Mix_AllocateChannels(-1); ++channel) {
        if (Mix_Playing(channel))
            seconds += static_cast<int>(Mix_GetChunk(channel)->alen / bytesPerSecond);
    }
    return seconds;
}

class SdlAudioTest : public ::testing::Test {
protected:
    void SetUp() override { setenv("SDL_AUDIODRIVER", "dummy", 1); }
};

TEST_F(SdlAudioTest, EffectFlagsDecideBetweenTheRunningAndTheNewSound)
{
    constexpr int kLong = static_cast<int>(testing::kLongEffectSeconds);
    constexpr int kShort = static_cast<int>(testing::kShortEffectSeconds);
    struct Case {
        const char* name;
        std::string second;
        unsigned flags;
        int expectedSeconds;
    };
    const Case cases[] = {
        {"game's flags keep the running sound", files().shortEffect, kSndEffectFlags, kLong},
        {"no-stop alone keeps it", files().shortEffect, kSndNoStop, kLong},
        {"without no-stop the new one replaces it", files().shortEffect, kSndAsync | kSndNoDefault, kShort},
        {"a missing file is silent and cuts nothing", files().missing, kSndAsync, kLong},
        {"a file that is no WAVE is silent", files().text, kSndAsync, kLong},
    };
    for (const Case& c : cases) {
        SdlAudio audio;
        ASSERT_TRUE(audio.hasDevice());
        audio.playEffect(files().longEffect, kSndEffectFlags);
        ASSERT_EQ(secondsOnAir(), kLong) << c.name << ": the first effect did not start";
        audio.playEffect(c.second, c.flags);
        EXPECT_EQ(secondsOnAir(), c.expectedSeconds) << c.name;
    }
}

TEST_F(SdlAudioTest, AFileThatFailedOnceIsNotReadAgain)
{
    const std::string late = files().folder + "/late.wav";
    SdlAudio audio;
    audio.playEffect(late, kSndEffectFlags);
    testing::writeWave(late, testing::kShortEffectSeconds);
    audio.playEffect(late, kSndEffectFlags);
    EXPECT_EQ(secondsOnAir(), 0);
}

TEST_F(SdlAudioTest, OnlyAStandardMidiFileOpensAndPlays)
{
    struct Case {
        const char* name;
        std::string path;
        bool expected;
    };
    const Case cases[] = {
        {"song", files().song, true},           {"missing", files().missing, false},
        {"empty", files().empty, false},        {"text named .mid", files().text, false},
        {"a WAVE file", files().shortEffect, false}, {"a folder", files().folder, false},
    };
    SdlAudio audio;
    for (const Case& c : cases) {
        EXPECT_EQ(audio.music().load(c.path), c.expected) << c.name << " (" << c.path << ")";
        audio.music().playFromStart();
        EXPECT_EQ(Mix_PlayingMusic() != 0, c.expected) << c.name << ": playing";
        audio.music().close();
    }
}

TEST_F(SdlAudioTest, WithoutADeviceEverythingIsSilentAndSaysSoOnce)
{
    setenv("SDL_AUDIODRIVER", "zunaka-no-such-driver", 1);
    ::testing::internal::CaptureStderr();
    {
        SdlAudio audio;
        EXPECT_FALSE(audio.hasDevice());
        EXPECT_TRUE(audio.music().load(files().song));
        EXPECT_FALSE(audio.music().load(files().text));
        audio.music().playFromStart();
        audio.playEffect(files().shortEffect, kSndEffectFlags);
        audio.music().stop();
        audio.music().close();
        audio.music().playFromStart();
    }
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
}

// Where there is no sound card SDL ends up in ALSA, whose library would print a dozen lines of its own;
// where there is one, the mixer opens quietly.
TEST_F(SdlAudioTest, AlsaSaysAtMostOneLine)
{
    setenv("SDL_AUDIODRIVER", "alsa", 1);
    ::testing::internal::CaptureStderr();
    { SdlAudio audio; }
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_LE(std::count(said.begin(), said.end(), '\n'), 1) << said;
}

} // namespace
} // namespace zunaka
