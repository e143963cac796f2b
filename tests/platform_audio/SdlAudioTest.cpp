#include "TestSounds.h"

#include "platform/SoundFlags.h"
#include "platform/qt/AudioModule.h"
#include "platform/qt/audio/RenderedPiece.h"
#include "platform/qt/audio/SdlAudio.h"

#include <QFile>
#include <QTemporaryDir>

#include <SDL_log.h>
#include <SDL_timer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <cmath>
#include <cstdlib>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <sys/stat.h>

namespace zunaka {
namespace {

// The effects carry the game's own file names, to pass UTF-8 paths through SDL.
struct Files {
    QTemporaryDir scratch;
    std::string folder = scratch.path().toStdString();
    std::string longEffect = folder + "/金属.wav";
    std::string shortEffect = folder + "/みゃ.wav";
    std::string song = folder + "/曲.mid";
    std::string empty = folder + "/empty.mid";
    std::string text = folder + "/readme.mid";
    std::string missing = folder + "/missing.mid";
    // What would hold a reader for good: a pipe nobody writes to, a device without end.
    std::string pipe = folder + "/pipe.mid";
    std::string device = folder + "/zero.mid";

    Files()
    {
        mkfifo(pipe.c_str(), 0600);
        QFile::link("/dev/zero", QString::fromStdString(device));
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

// The length in seconds of the effect playing now: the two test effects differ in length.
int effectSeconds(SdlAudio& audio)
{
    const AudioDevice::Lock lock(audio.device());
    const Sound* sound = audio.mixer().effect();
    return sound ? static_cast<int>(sound->samples.size() / (output::kRate * output::kChannels)) : 0;
}

// For the tests that never lose their device: a clock that stands still.
Tick stillClock()
{
    return 0;
}

// The loudness of what the mixer plays next, in windows of 50 ms, long beside FluidSynth's blocks of
// 1.5 ms at which a player starts. The caller holds the device's lock, so the callback takes nothing away
// in between.
std::vector<double> envelope(SdlAudio& audio, int milliseconds)
{
    constexpr int kWindowMs = 50;
    constexpr int kWindowFrames = output::kRate * kWindowMs / 1000;
    std::vector<double> loudness;
    std::vector<std::int16_t> buffer(kWindowFrames * output::kChannels);
    for (int window = 0; window < milliseconds / kWindowMs; ++window) {
        audio.mixer().render(buffer.data(), kWindowFrames);
        double sum = 0;
        for (std::int16_t sample : buffer)
            sum += static_cast<double>(sample) * sample;
        loudness.push_back(std::sqrt(sum / static_cast<double>(buffer.size())));
    }
    return loudness;
}

// Where the engine finds the music's helper program.
constexpr const char* kProgramFolder = ZUNAKA_AUDIO_MODULE_DIR;

class SdlAudioTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        // The renderings go with the test's files.
        setenv("XDG_CACHE_HOME", files().folder.c_str(), 1);
    }
};

TEST_F(SdlAudioTest, EffectFlagsDecideBetweenTheRunningAndTheNewSound)
{
    constexpr int kLong = static_cast<int>(testing::kLongEffectSeconds);
    constexpr int kShort = static_cast<int>(testing::kShortEffectSeconds);
    // A second effect and its flags, sent while the long one plays; the length of the one heard then.
    const std::tuple<const char*, std::string, unsigned, int> cases[] = {
        {"game's flags keep the running sound", files().shortEffect, kSndEffectFlags, kLong},
        {"no-stop alone keeps it", files().shortEffect, kSndNoStop, kLong},
        {"without no-stop the new one replaces it", files().shortEffect, kSndAsync | kSndNoDefault, kShort},
        {"a missing file is silent and cuts nothing", files().missing, kSndAsync, kLong},
        {"a file that is no WAVE is silent", files().text, kSndAsync, kLong},
        {"a named pipe is silent", files().pipe, kSndAsync, kLong},
    };
    for (const auto& [name, second, flags, expectedSeconds] : cases) {
        SdlAudio audio(kProgramFolder, stillClock);
        audio.playEffect(files().longEffect, kSndEffectFlags);
        ASSERT_EQ(effectSeconds(audio), kLong) << name << ": the first effect did not start";
        audio.playEffect(second, flags);
        EXPECT_EQ(effectSeconds(audio), expectedSeconds) << name;
    }
}

// The test song opens with two eighth notes, C and E, then holds a low C, loud at first: a piece that did
// not start from its first note, a restart that went on from where it was, or one that let the low C ring
// on, changes the loudness of its first half second.
TEST_F(SdlAudioTest, ThePieceStartsFromItsFirstNoteARestartReplaysItAndStopSilencesIt)
{
    constexpr int kHeardMs = 500;
    constexpr int kRestartAfterMs = 600;
    constexpr double kAudible = 100;
    SdlAudio audio(kProgramFolder, stillClock);
    ASSERT_TRUE(audio.music().load(files().song));
    audio.renderedMusic().waitForRendering();
    ASSERT_TRUE(audio.device().open());
    const AudioDevice::Lock lock(audio.device());

    audio.music().playFromStart();
    const std::vector<double> first = envelope(audio, kHeardMs);
    EXPECT_GT(first.front(), kAudible) << "the first 50 ms are silent: the first note was lost";
    envelope(audio, kRestartAfterMs - kHeardMs);
    audio.music().playFromStart();
    const std::vector<double> again = envelope(audio, kHeardMs);
    EXPECT_EQ(again, first) << "the restart differs";

    audio.music().stop();
    const std::vector<double> stopped = envelope(audio, 50);
    EXPECT_LT(*std::max_element(stopped.begin(), stopped.end()), 1) << "still sounding after the stop";
    EXPECT_FALSE(audio.mixer().sounding());
}

TEST_F(SdlAudioTest, TheDeviceClosesInSilenceAndOpensForTheNextSoundOfAFileThatLoads)
{
    SdlAudio audio(kProgramFolder, stillClock, 0);
    EXPECT_TRUE(audio.closeIfSilent()) << "nothing was played";
    EXPECT_FALSE(audio.device().isOpen()) << "opened before any sound";
    ASSERT_TRUE(audio.music().load(files().song));
    EXPECT_FALSE(audio.device().isOpen()) << "opening the music opened the device";

    audio.music().playFromStart();
    EXPECT_TRUE(audio.device().isOpen());
    EXPECT_FALSE(audio.closeIfSilent()) << "closed while the piece plays";
    audio.music().stop();
    EXPECT_TRUE(audio.closeIfSilent()) << "left open after the stop";
    EXPECT_FALSE(audio.device().isOpen());
    audio.playEffect(files().longEffect, kSndEffectFlags);
    EXPECT_FALSE(audio.closeIfSilent()) << "closed while an effect plays";
    // A file that failed once is not read again, even once it is there: it would cut the long effect.
    const std::string late = files().folder + "/late.wav";
    audio.playEffect(late, kSndAsync);
    testing::writeWave(late, testing::kShortEffectSeconds);
    audio.playEffect(late, kSndAsync);
    EXPECT_EQ(effectSeconds(audio), static_cast<int>(testing::kLongEffectSeconds));
}

// The renderings in `cache`, by name, each with its inode: a file made anew has another.
std::map<std::string, ino_t> renderings(const std::string& cache)
{
    std::map<std::string, ino_t> found;
    for (const auto& entry : std::filesystem::directory_iterator(cache + "/zunaka")) {
        struct stat about {};
        stat(entry.path().c_str(), &about);
        found[entry.path().filename().string()] = about.st_ino;
    }
    return found;
}

// The music is rendered once, by the helper, and then played from the cache folder in every later run,
// frame for frame as it was made, whatever the device's buffers. A damaged rendering is made anew; a
// replaced piece gets its own, and the last one's goes.
TEST_F(SdlAudioTest, TheMusicIsRenderedOnceAndAnewForADamagedFileOrAnotherPiece)
{
    const std::string cache = files().folder + "/renderings";
    setenv("XDG_CACHE_HOME", cache.c_str(), 1);
    const auto loaded = [&cache](const std::string& piece) {
        SdlAudio audio(kProgramFolder, stillClock);
        EXPECT_TRUE(audio.music().load(piece)) << piece;
        audio.renderedMusic().waitForRendering();
        ASSERT_TRUE(audio.device().open());
        const AudioDevice::Lock lock(audio.device());
        audio.music().playFromStart();
        QFile file(QString::fromStdString(cache + "/zunaka/" + renderings(cache).begin()->first));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << piece;
        const QByteArray made = file.readAll().mid(sizeof(rendered::Header));
        constexpr int kBuffer = 1001 * output::kChannels;
        std::vector<std::int16_t> played((made.size() / sizeof(std::int16_t) / kBuffer + 1) * kBuffer);
        for (std::size_t at = 0; at < played.size(); at += kBuffer)
            audio.mixer().render(played.data() + at, kBuffer / output::kChannels);
        EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(played.data()), made.size()), made) << piece;
        const auto end = played.begin() + made.size() / sizeof(std::int16_t);
        EXPECT_TRUE(std::all_of(end, played.end(), [](auto sample) { return sample == 0; })) << piece;
    };
    loaded(files().song);
    const auto first = renderings(cache);
    ASSERT_EQ(first.size(), 1u);
    const std::string path = cache + "/zunaka/" + first.begin()->first;
    loaded(files().song);
    EXPECT_EQ(renderings(cache), first) << "rendered again";

    const std::pair<const char*, std::function<void()>> damages[] = {
        {"cut short", [&] { std::filesystem::resize_file(path, std::filesystem::file_size(path) - 1); }},
        {"no rendering", [&] { testing::writeText(path, std::string(64, 'x')); }},
    };
    for (const auto& [name, damage] : damages) {
        const auto before = renderings(cache);
        damage();
        loaded(files().song);
        const auto after = renderings(cache);
        EXPECT_EQ(after.size(), 1u) << name;
        EXPECT_NE(after, before) << name << ": played as it was";
    }
    loaded(ZUNAKA_MUSIC_FILE);
    const auto other = renderings(cache);
    EXPECT_EQ(other.size(), 1u);
    EXPECT_EQ(other.count(first.begin()->first), 0u) << "the replaced piece's rendering is kept";
}

// No sound card at all, or one that goes away under a running game: SDL's disk driver loses its device at
// the first buffer it cannot write. The game's sounds go on into silence without blocking; five seconds
// on, a sound tries again and finds a device that works: the effect plays, the music only from its next
// start. The loss and the return are said once each, however many sounds came in between.
TEST_F(SdlAudioTest, ASoundDeviceThatFailsOrGoesAwayIsTriedAgainFiveSecondsOn)
{
    const std::pair<const char*, const char*> cases[] = {{"no sound card", "zunaka-no-such-driver"},
                                                         {"device lost", "disk"}};
    // The disk driver's own notice, that it writes to a file, is not the game's to count.
    SDL_LogSetOutputFunction([](void*, int, SDL_LogPriority, const char*) {}, nullptr);
    for (const auto& [name, driver] : cases) {
        setenv("SDL_AUDIODRIVER", driver, 1);
        setenv("SDL_DISKAUDIOFILE", "/dev/full", 1);
        ::testing::internal::CaptureStderr();
        {
            Tick now = 0;
            SdlAudio audio(kProgramFolder, [&now] { return now; });
            for (const std::string& notMusic :
                 {files().missing, files().empty, files().text, files().shortEffect, files().folder, files().pipe,
                  files().device})
                EXPECT_FALSE(audio.music().load(notMusic)) << name << ": " << notMusic;
            EXPECT_TRUE(audio.music().load(files().song)) << name;
            audio.renderedMusic().waitForRendering();
            audio.music().playFromStart();
            // SDL's thread finds the device gone at its first buffer; the game looks every second.
            while (SDL_GetAudioDeviceStatus(audio.device().id()) == SDL_AUDIO_PLAYING)
                SDL_Delay(1);
            EXPECT_TRUE(audio.closeIfSilent()) << name << ": still open";
            setenv("SDL_AUDIODRIVER", "disk", 1);
            setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
            now = AudioDevice::kRetryMs - 1;
            for (int key = 0; key < 30; ++key)
                audio.playEffect(files().shortEffect, kSndEffectFlags);
            audio.music().playFromStart();
            EXPECT_FALSE(audio.device().isOpen()) << name << ": tried again too soon";
            EXPECT_EQ(effectSeconds(audio), 0) << name;

            now = AudioDevice::kRetryMs;
            audio.playEffect(files().shortEffect, kSndEffectFlags);
            ASSERT_TRUE(audio.device().isOpen()) << name << ": not tried again";
            EXPECT_EQ(effectSeconds(audio), static_cast<int>(testing::kShortEffectSeconds)) << name;
            // The test's effects are silent: what sounds is the music.
            const AudioDevice::Lock lock(audio.device());
            const std::vector<double> before = envelope(audio, 100);
            EXPECT_LT(*std::max_element(before.begin(), before.end()), 1) << name << ": the music went on";
            audio.music().playFromStart();
            EXPECT_GT(envelope(audio, 100).front(), 100) << name << ": the music did not start again";
        }
        const std::string said = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 2) << name << ": " << said;
    }
}

// The program finds the engine in zunaka-audio.so beside itself; without it, it plays nothing, judges a
// music file all the same, and says why once.
TEST_F(SdlAudioTest, TheModuleBesideTheProgramOrSilenceAndOneLine)
{
    // Where the program looks for the module; whether the piece then plays, and the lines said.
    const std::tuple<const char*, std::string, bool, int> cases[] = {
        {"module beside the program", ZUNAKA_AUDIO_MODULE_DIR, true, 0},
        {"no module there", files().folder, false, 1},
    };
    for (const auto& [name, folder, plays, linesSaid] : cases) {
        ::testing::internal::CaptureStderr();
        {
            AudioModule module(folder, stillClock);
            EXPECT_FALSE(module.load(files().text)) << name;
            EXPECT_TRUE(module.load(files().song)) << name;
            module.playFromStart();
            EXPECT_EQ(module.closeIfSilent(), !plays) << name << ": a device open for the piece";
            module.close();
        }
        const std::string said = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), linesSaid) << name << ": " << said;
    }
}

} // namespace
} // namespace zunaka
