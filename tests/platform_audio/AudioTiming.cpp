// Measures what the music costs the game: one Mix_LoadMUS of a short song with the SoundFont the game
// chooses, and playFromStart() on the caller's thread once a spare copy is waiting.
#include "TestSounds.h"

#include "platform/qt/SdlAudio.h"
#include "platform/qt/SdlMusic.h"
#include "platform/qt/SdlSoundFont.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kDefaultRuns = 10;
// Between two plays, longer than a load: the game's plays are seconds apart.
constexpr auto kGapBetweenPlays = std::chrono::milliseconds(300);

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void report(const char* what, std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    std::printf("%-36s median %7.3f ms  min %7.3f  max %7.3f  (%zu runs)\n", what, samples[samples.size() / 2],
                samples.front(), samples.back(), samples.size());
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : kDefaultRuns;
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    const zunaka::testing::ScratchFolder scratch("zunaka-audio-timing");
    const std::string song = scratch.path + "/曲.mid";
    zunaka::testing::writeSong(song);

    zunaka::SdlAudio audio;
    std::printf("driver %s, SoundFont %s\n", std::getenv("SDL_AUDIODRIVER"),
                zunaka::soundFontToSet().value_or("(SDL_mixer's own choice)").c_str());
    if (!audio.hasDevice())
        return 1;

    std::vector<double> loads;
    for (int i = 0; i <= runs; ++i) {
        const auto start = Clock::now();
        zunaka::MusicPtr copy = zunaka::loadMusicFile(song);
        const double ms = millisecondsSince(start);
        if (!copy)
            return 1;
        if (i == 0)
            std::printf("%-36s %7.3f ms\n", "first Mix_LoadMUS (cold)", ms);
        else
            loads.push_back(ms);
    }
    report("Mix_LoadMUS", loads);

    zunaka::MusicBackend& music = audio.music();
    music.load(song);
    std::vector<double> plays;
    for (int i = 0; i <= runs; ++i) {
        std::this_thread::sleep_for(kGapBetweenPlays);
        const auto start = Clock::now();
        music.playFromStart();
        plays.push_back(millisecondsSince(start));
    }
    report("playFromStart (spare waiting)", plays);
    music.close();
    return 0;
}
