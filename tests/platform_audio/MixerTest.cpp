#include "platform/qt/audio/SoundMixer.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace zunaka {
namespace {

// Music of one constant sample value, sounding while `on`.
struct ConstantMusic : MusicSource {
    std::int16_t value = 0;
    bool on = false;
    bool sounding() override { return on; }
    void render(std::int16_t* out, int frames) override
    {
        std::fill(out, out + frames * output::kChannels, value);
    }
    void stop() override { on = false; }
};

Sound constantSound(std::int16_t value, int frames)
{
    return Sound{std::vector<std::int16_t>(static_cast<std::size_t>(frames * output::kChannels), value)};
}

TEST(SoundMixer, AddsTheEffectToTheMusicWithoutWrappingAround)
{
    // What sounds: the music's value, whether it plays, the effect's value; then the sum expected.
    const std::tuple<const char*, std::int16_t, bool, std::int16_t, std::int16_t> cases[] = {
        {"effect alone", 0, false, 1200, 1200},
        {"music alone", 300, true, 0, 300},
        {"both", 300, true, 1200, 1500},
        {"loud both clip high", 30000, true, 10000, 32767},
        {"loud both clip low", -30000, true, -10000, -32768},
        {"stopped music adds nothing", 5000, false, 1000, 1000},
    };
    for (const auto& [name, value, on, effectValue, expected] : cases) {
        ConstantMusic music;
        music.value = value;
        music.on = on;
        SoundMixer mixer;
        mixer.setMusic(&music);
        const Sound effect = constantSound(effectValue, 8);
        mixer.startEffect(&effect);
        std::vector<std::int16_t> out(8 * output::kChannels, 77);
        mixer.render(out.data(), 8);
        EXPECT_EQ(std::pair(out.front(), out.back()), std::pair(expected, expected)) << name;
    }
}

TEST(SoundMixer, CountsTheSilenceAfterTheLastSoundAndEndsTheEffectOnItsLastSample)
{
    ConstantMusic music;
    SoundMixer mixer;
    mixer.setMusic(&music);
    const Sound effect = constantSound(1000, 100);
    std::vector<std::int16_t> out(64 * output::kChannels);
    // 100 frames of effect: two buffers of 64, the second half silent.
    mixer.startEffect(&effect);
    mixer.render(out.data(), 64);
    EXPECT_TRUE(mixer.sounding());
    mixer.render(out.data(), 64);
    EXPECT_EQ(out[35 * output::kChannels], 1000);
    EXPECT_EQ(out[36 * output::kChannels], 0);
    EXPECT_FALSE(mixer.sounding());
    EXPECT_EQ(mixer.silentFrames(), 0);
    mixer.render(out.data(), 64);
    mixer.render(out.data(), 64);
    EXPECT_EQ(mixer.silentFrames(), 128);
    music.on = true;
    EXPECT_TRUE(mixer.sounding()) << "a piece started since the last buffer counts at once";
    mixer.render(out.data(), 64);
    EXPECT_EQ(mixer.silentFrames(), 0);
}

} // namespace
} // namespace zunaka
