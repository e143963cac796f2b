// The two effects as the game needs them, and the WAV writer under them.
#include "envelope.hpp"
#include "formant_voice.hpp"
#include "metal_tink.hpp"
#include "wav_file.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

namespace zunaka::sound {
namespace {

constexpr int kRate = 44100;

// Amplitude of the `frequency` component of samples[from, from + count) (Goertzel, Hann window).
double componentAt(const std::vector<double>& samples, std::size_t from, std::size_t count, double frequency)
{
    const double coefficient = 2.0 * std::cos(2.0 * std::numbers::pi * frequency / kRate);
    double s1 = 0.0, s2 = 0.0;
    for (std::size_t n = 0; n < count; ++n) {
        const double window = 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * double(n) / double(count));
        const double s0 = window * samples.at(from + n) + coefficient * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    return std::sqrt(s1 * s1 + s2 * s2 - coefficient * s1 * s2) * 4.0 / double(count);
}

// The frequency in [low, high] with the strongest component, searched in 5 Hz steps.
double strongestBetween(const std::vector<double>& samples, double seconds, double low, double high)
{
    const auto from = static_cast<std::size_t>(seconds * kRate);
    const std::size_t count = 2048;
    double best = low, bestLevel = -1.0;
    for (double f = low; f <= high; f += 5.0)
        if (const double level = componentAt(samples, from, count, f); level > bestLevel) {
            best = f;
            bestLevel = level;
        }
    return best;
}

double peakOf(const std::vector<double>& samples, std::size_t from, std::size_t to)
{
    double peak = 0.0;
    for (std::size_t n = from; n < to; ++n)
        peak = std::max(peak, std::abs(samples[n]));
    return peak;
}

// file(1) and soxi check the built files' format fields; the chunk sizes and clipping are checked here.
TEST(WavFile, SizesAndClipping)
{
    const auto bytes = encodeWav({0.0, 1.7, -3.0}, 22050);
    const auto word = [&](std::size_t at) { return bytes.at(at) | bytes.at(at + 1) << 8 | bytes.at(at + 2) << 16 | bytes.at(at + 3) << 24; };
    EXPECT_EQ(bytes.size(), 44u + 6u);
    EXPECT_EQ(std::pair(word(4), word(40)), std::pair(36 + 6, 6)) << "RIFF and data sizes";
    EXPECT_EQ(word(44) >> 16 & 0xFFFF, 0x7FFF) << "a sample over full scale clips";
    EXPECT_EQ(word(46) >> 16 & 0xFFFF, 0x8001) << "a sample under full scale clips";
}

// Both effects: no click at either end, the same on every build. Their length and 3 dB of headroom are
// measured on the built files by check_sounds.sh.
TEST(Effects, ShortQuietEnoughAndClickFree)
{
    const struct {
        const char* name;
        std::function<std::vector<double>(int)> make;
    } cases[] = {{"みゃ", makeMya}, {"金属", makeTink}};
    const auto halfMs = static_cast<std::size_t>(0.0005 * kRate);
    for (const auto& c : cases) {
        const std::vector<double> samples = c.make(kRate);
        const double peak = peakOf(samples, 0, samples.size());
        EXPECT_GE(peak, fromDecibels(-6.0)) << c.name << " is needlessly quiet";
        EXPECT_EQ(samples.front(), 0.0) << c.name;
        EXPECT_EQ(toPcm16(samples.back()), 0) << c.name << " must end on exact zero";
        EXPECT_LE(peakOf(samples, 0, halfMs), 0.25 * peak) << c.name << " starts too abruptly";
        EXPECT_LE(peakOf(samples, samples.size() - halfMs, samples.size()), 0.05 * peak) << c.name << " stops too abruptly";
        EXPECT_EQ(c.make(kRate), samples) << c.name << " is not the same on every build";
    }
}

TEST(Effects, MyaGlidesFromNasalToOpenVowel)
{
    const std::vector<double> mya = makeMya(kRate);
    // Pitch: the strongest component below 800 Hz is the fundamental in every part of the sound.
    const struct {
        double seconds, lowest, highest;
    } pitch[] = {{0.01, 420, 500}, {0.08, 540, 620}, {0.15, 560, 630}, {0.19, 480, 580}};
    for (const auto& c : pitch) {
        const double f0 = strongestBetween(mya, c.seconds, 300, 800);
        EXPECT_GE(f0, c.lowest) << "pitch at " << c.seconds << " s";
        EXPECT_LE(f0, c.highest) << "pitch at " << c.seconds << " s";
    }
    // Timbre, as the amplitude-weighted mean frequency of a 23 ms stretch between `low` and `high`:
    // the closed lips of /m/ keep the sound dark, /a/ opens it, and /j/ lifts the second formant
    // higher than /a/ has it.
    const auto centroid = [&](double seconds, double low, double high) {
        double weighted = 0.0, total = 0.0;
        for (double f = low; f <= high; f += 25.0) {
            const double level = componentAt(mya, static_cast<std::size_t>(seconds * kRate), 1024, f);
            weighted += f * level;
            total += level;
        }
        return weighted / total;
    };
    const double nasal = centroid(0.005, 100, 5000), open = centroid(0.12, 100, 5000);
    const double glide = centroid(0.055, 1500, 3500), vowel = centroid(0.13, 1500, 3500);
    EXPECT_LT(nasal * 1.3, open) << "/m/ " << nasal << " Hz, /a/ " << open << " Hz";
    EXPECT_GT(glide, vowel + 200) << "/j/ " << glide << " Hz, /a/ " << vowel << " Hz";
}

TEST(Effects, TinkIsInharmonicAndDiesAway)
{
    const std::vector<double> tink = makeTink(kRate);
    const double fundamental = strongestBetween(tink, 0.01, 500, 3000);
    EXPECT_NEAR(fundamental, 1320, 10);
    const std::size_t from = static_cast<std::size_t>(0.005 * kRate);
    const double base = componentAt(tink, from, 2048, fundamental);
    const auto partial = [&](double ratio) { return componentAt(tink, from, 2048, ratio * fundamental) / base; };
    for (double ratio : {1.51, 2.756})
        EXPECT_GT(partial(ratio), 0.1) << "partial " << ratio;
    for (double ratio : {2.0, 3.0})
        EXPECT_LT(partial(ratio), 0.02) << "harmonic " << ratio << " would make it sound like a plain tone";
    double previous = 1e9;
    for (double seconds = 0.01; seconds < 0.19; seconds += 0.03) {
        const auto at = static_cast<std::size_t>(seconds * kRate);
        const double level = peakOf(tink, at, at + 441);
        EXPECT_LT(level, previous) << "still ringing louder at " << seconds << " s";
        previous = level;
    }
    EXPECT_LT(previous, 0.1 * peakOf(tink, 0, tink.size())) << "20 dB down by the time the fade-out begins";
}

} // namespace
} // namespace zunaka::sound
