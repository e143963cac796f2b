#include "TestSounds.h"

#include "platform/qt/SdlAudio.h"
#include "platform/qt/SdlMusic.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace zunaka {
namespace {

// Counts the copies read and fails the calls the case asks to fail (numbered from 0), so a test sees
// whether every play after the first started a copy of its own.
struct LoadScript {
    std::vector<int> failing;
    std::atomic<int> calls{0};

    MusicLoader loader()
    {
        return [this](const std::string& path) {
            const int call = calls++;
            for (int f : failing) {
                if (f == call)
                    return MusicPtr();
            }
            return loadMusicFile(path);
        };
    }
};

enum class Do { Play, Stop };

TEST(SdlMusicCopies, EveryPlayAfterTheFirstStartsACopyThatHasNeverPlayed)
{
    struct Case {
        const char* name;
        std::vector<Do> actions;
        std::vector<int> failing;
        int expectedLoads;  // counted after close, which waits for the spare
        bool expectedPlaying;
    };
    const Case cases[] = {
        {"open only: the song and its spare", {}, {}, 2, false},
        {"first play uses the copy read by open", {Do::Play}, {}, 2, true},
        {"second play takes the spare and reads the next", {Do::Play, Do::Play}, {}, 3, true},
        {"plays in a row", {Do::Play, Do::Play, Do::Play, Do::Play}, {}, 5, true},
        {"stop does not read", {Do::Play, Do::Stop}, {}, 2, false},
        {"play after stop is fresh too", {Do::Play, Do::Stop, Do::Play}, {}, 3, true},
        {"a spare that failed: the rewound copy still sounds", {Do::Play, Do::Play}, {1}, 3, true},
        {"after a failed spare the next one is tried", {Do::Play, Do::Play, Do::Play}, {1}, 4, true},
    };
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    const std::string folder = testing::scratchFolder("zunaka-music-test");
    const std::string song = folder + "/曲.mid";
    testing::writeSong(song);
    SdlAudio mixer;  // opens the mixer that the music below plays on
    ASSERT_TRUE(mixer.hasDevice());
    for (const Case& c : cases) {
        LoadScript script{c.failing};
        SdlMusic music(true, script.loader());
        ASSERT_TRUE(music.load(song)) << c.name;
        for (Do action : c.actions) {
            if (action == Do::Play)
                music.playFromStart();
            else
                music.stop();
        }
        const bool playing = Mix_PlayingMusic() != 0;
        music.close();
        EXPECT_EQ(script.calls.load(), c.expectedLoads) << c.name;
        EXPECT_EQ(playing, c.expectedPlaying) << c.name;
    }
}

} // namespace
} // namespace zunaka
