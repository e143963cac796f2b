#include "TestSounds.h"

#include "platform/qt/SdlAudio.h"
#include "platform/qt/SdlMusic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <string>
#include <vector>

namespace zunaka {
namespace {

// Counts the copies read, failing the calls a case names (from 0), so a test sees whether every play
// after the first started a copy of its own.
struct LoadScript {
    std::vector<int> failing;
    std::atomic<int> calls{0};

    MusicLoader loader()
    {
        return [this](const std::string& path) {
            const int call = calls++;
            return std::count(failing.begin(), failing.end(), call) ? MusicPtr() : loadMusicFile(path);
        };
    }
};

TEST(SdlMusicTest, EveryPlayAfterTheFirstStartsACopyThatHasNeverPlayed)
{
    struct Case {
        const char* name;
        const char* commands;  // l load, p play from start, s stop, c close
        const char* playing;   // after each command: 1 when the song is heard
        std::vector<int> failing;
        int expectedLoads;     // counted after a last close, which waits for the spare
    };
    const Case cases[] = {
        {"open reads the song and its spare", "l", "0", {}, 2},
        {"first play uses the copy read by open", "lp", "01", {}, 2},
        {"each later play takes the spare and reads the next", "lpppp", "01111", {}, 5},
        {"stop reads nothing", "lpss", "0100", {}, 2},
        {"play after stop is fresh too", "lpsp", "0101", {}, 3},
        {"nothing before open or after close", "plpcpc", "001000", {}, 2},
        {"open while playing starts over", "lplp", "0101", {}, 4},
        {"a failed spare: the rewound copy still sounds", "lpp", "011", {1}, 3},
        {"after a failed spare the next is tried", "lppp", "0111", {1}, 4},
    };
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    const testing::ScratchFolder scratch("zunaka-music-test");
    const std::string song = scratch.path + "/曲.mid";
    testing::writeSong(song);
    SdlAudio mixer;  // opens the mixer the music below plays on
    ASSERT_TRUE(mixer.hasDevice());
    for (const Case& c : cases) {
        LoadScript script{c.failing};
        SdlMusic music(true, script.loader());
        std::string heard;
        for (const char* command = c.commands; *command; ++command) {
            switch (*command) {
            case 'l': music.load(song); break;
            case 'p': music.playFromStart(); break;
            case 's': music.stop(); break;
            default: music.close(); break;
            }
            heard += Mix_PlayingMusic() ? '1' : '0';
        }
        music.close();
        EXPECT_EQ(heard, c.playing) << c.name << " (" << c.commands << ")";
        EXPECT_EQ(script.calls.load(), c.expectedLoads) << c.name << " (" << c.commands << ")";
    }
}

} // namespace
} // namespace zunaka
