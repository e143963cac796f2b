#include "TestSounds.h"

#include "platform/Platform.h"
#include "platform/qt/SdlAudio.h"

#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace zunaka {
namespace {

namespace fs = std::filesystem;
using testing::sounds::kRate;

// The names the game plays, to pass UTF-8 paths through SDL.
struct Files {
    std::string folder = testing::scratchFolder("zunaka-audio-test");
    std::string longEffect = folder + "/金属.wav";
    std::string shortEffect = folder + "/みゃ.wav";
    std::string song = folder + "/曲.mid";
    std::string empty = folder + "/empty.mid";
    std::string text = folder + "/readme.mid";
    std::string missing = folder + "/missing.mid";
};

const Files& files()
{
    static const Files written = [] {
        Files f;
        testing::writeWave(f.longEffect, testing::sounds::kLongSeconds);
        testing::writeWave(f.shortEffect, testing::sounds::kShortSeconds);
        testing::writeSong(f.song);
        testing::writeText(f.empty, "");
        testing::writeText(f.text, "this is not music\n");
        return f;
    }();
    return written;
}

enum class OnAir { Nothing, Long, Short, Several };

const char* name(OnAir what)
{
    constexpr const char* kNames[] = {"nothing", "the long effect", "the short effect", "several effects"};
    return kNames[static_cast<int>(what)];
}

// What the mixer's effect channels play now, told apart by length: the dummy driver plays in real
// time, so a 10 s and a 3 s sound both still play a few milliseconds after they started.
OnAir effectOnAir()
{
    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    Mix_QuerySpec(&frequency, &format, &channels);
    const int bytesPerSecond = frequency * channels * static_cast<int>(SDL_AUDIO_BITSIZE(format) / 8);
    std::vector<OnAir> playing;
    for (int channel = 0; channel < Mix_AllocateChannels(-1); ++channel) {
        if (!Mix_Playing(channel))
            continue;
        const double seconds = static_cast<double>(Mix_GetChunk(channel)->alen) / bytesPerSecond;
        playing.push_back(seconds > testing::sounds::kLongSeconds - 1 ? OnAir::Long : OnAir::Short);
    }
    if (playing.empty())
        return OnAir::Nothing;
    return playing.size() == 1 ? playing.front() : OnAir::Several;
}

class SdlAudioTest : public ::testing::Test {
protected:
    void SetUp() override { setenv("SDL_AUDIODRIVER", "dummy", 1); }
};

TEST_F(SdlAudioTest, EffectFlagsDecideBetweenTheRunningAndTheNewSound)
{
    struct Case {
        const char* name;
        std::string second;
        unsigned flags;
        OnAir expected;
    };
    const Case cases[] = {
        {"game's flags keep the running sound", files().shortEffect, kSndEffectFlags, OnAir::Long},
        {"no-stop alone keeps it", files().shortEffect, kSndNoStop, OnAir::Long},
        {"without no-stop the new one replaces it", files().shortEffect, kSndAsync | kSndNoDefault, OnAir::Short},
        {"the same file restarts", files().longEffect, kSndAsync, OnAir::Long},
        {"a missing file is silent and cuts nothing", files().missing, kSndAsync, OnAir::Long},
        {"a file that is no WAVE is silent", files().text, kSndAsync, OnAir::Long},
    };
    for (const Case& c : cases) {
        SdlAudio audio;
        ASSERT_TRUE(audio.hasDevice());
        audio.playEffect(files().longEffect, kSndEffectFlags);
        ASSERT_EQ(effectOnAir(), OnAir::Long) << c.name << ": the first effect did not start";
        audio.playEffect(c.second, c.flags);
        const OnAir actual = effectOnAir();
        EXPECT_EQ(actual, c.expected) << c.name << ": expected " << name(c.expected) << ", got " << name(actual);
    }
}

TEST_F(SdlAudioTest, EffectsLeaveTheMusicPlaying)
{
    SdlAudio audio;
    ASSERT_TRUE(audio.music().load(files().song));
    audio.music().playFromStart();
    audio.playEffect(files().shortEffect, kSndEffectFlags);
    audio.playEffect(files().longEffect, kSndAsync);
    EXPECT_TRUE(Mix_PlayingMusic());
    EXPECT_EQ(effectOnAir(), OnAir::Long);
}

TEST_F(SdlAudioTest, AFileThatFailedOnceIsNotReadAgain)
{
    const std::string late = files().folder + "/late.wav";
    fs::remove(late);
    SdlAudio audio;
    audio.playEffect(late, kSndEffectFlags);
    testing::writeWave(late, testing::sounds::kShortSeconds);
    audio.playEffect(late, kSndEffectFlags);
    EXPECT_EQ(effectOnAir(), OnAir::Nothing);
}

TEST_F(SdlAudioTest, LoadFailsForFilesThatAreNoMusic)
{
    struct Case {
        const char* name;
        std::string path;
        bool expected;
    };
    const Case cases[] = {
        {"song", files().song, true},
        {"missing", files().missing, false},
        {"empty", files().empty, false},
        {"text named .mid", files().text, false},
        {"a WAVE file", files().shortEffect, false},
        {"folder", files().folder, false},
    };
    SdlAudio audio;
    for (const Case& c : cases) {
        const bool actual = audio.music().load(c.path);
        EXPECT_EQ(actual, c.expected) << c.name << " (" << c.path << ")";
        audio.music().playFromStart();
        EXPECT_EQ(Mix_PlayingMusic() != 0, c.expected) << c.name << ": playing after load " << actual;
        audio.music().close();
    }
}

TEST_F(SdlAudioTest, MusicCommandsInAnyOrderKeepTheSongRightAndNeverCrash)
{
    SdlAudio audio;
    MusicBackend& music = audio.music();
    // Each step, then whether the song should be heard after it.
    struct Step {
        const char* name;
        void (*run)(MusicBackend&, const std::string&);
        bool playing;
    };
    const Step steps[] = {
        {"play before open", [](MusicBackend& m, const std::string&) { m.playFromStart(); }, false},
        {"load", [](MusicBackend& m, const std::string& p) { ASSERT_TRUE(m.load(p)); }, false},
        {"play", [](MusicBackend& m, const std::string&) { m.playFromStart(); }, true},
        {"play again at once", [](MusicBackend& m, const std::string&) { m.playFromStart(); }, true},
        {"and again", [](MusicBackend& m, const std::string&) { m.playFromStart(); }, true},
        {"stop", [](MusicBackend& m, const std::string&) { m.stop(); }, false},
        {"stop twice", [](MusicBackend& m, const std::string&) { m.stop(); }, false},
        {"play after stop", [](MusicBackend& m, const std::string&) { m.playFromStart(); }, true},
        {"load while playing", [](MusicBackend& m, const std::string& p) { ASSERT_TRUE(m.load(p)); }, false},
        {"play the new load", [](MusicBackend& m, const std::string&) { m.playFromStart(); }, true},
        {"close", [](MusicBackend& m, const std::string&) { m.close(); }, false},
        {"play after close", [](MusicBackend& m, const std::string&) { m.playFromStart(); }, false},
        {"close twice", [](MusicBackend& m, const std::string&) { m.close(); }, false},
    };
    constexpr int kCycles = 4;
    for (int cycle = 0; cycle < kCycles; ++cycle) {
        for (const Step& step : steps) {
            step.run(music, files().song);
            EXPECT_EQ(Mix_PlayingMusic() != 0, step.playing) << "cycle " << cycle << ", " << step.name;
        }
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
        EXPECT_FALSE(audio.music().load(files().missing));
        audio.music().playFromStart();
        audio.playEffect(files().shortEffect, kSndEffectFlags);
        audio.playEffect(files().missing, 0);
        audio.music().stop();
        audio.music().close();
        audio.music().playFromStart();
    }
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_LE(std::count(said.begin(), said.end(), '\n'), 1) << said;
}

} // namespace
} // namespace zunaka
