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

TEST(WavFile, HeaderFieldsAndSamples)
{
    const auto bytes = encodeWav({0.0, 1.0, -1.0}, 22050);
    const auto field = [&](std::size_t offset, int size) {
        std::uint32_t value = 0;
        for (int i = size - 1; i >= 0; --i)
            value = value << 8 | bytes.at(offset + static_cast<std::size_t>(i));
        return value;
    };
    const struct {
        const char* name;
        std::size_t offset;
        int size;
        std::uint32_t expected;
    } cases[] = {
        {"RIFF", 0, 4, 0x46464952}, {"RIFF size", 4, 4, 36 + 6}, {"WAVE", 8, 4, 0x45564157},
        {"fmt ", 12, 4, 0x20746D66}, {"fmt size", 16, 4, 16}, {"PCM", 20, 2, 1}, {"mono", 22, 2, 1},
        {"rate", 24, 4, 22050}, {"bytes a second", 28, 4, 44100}, {"block", 32, 2, 2}, {"bits", 34, 2, 16},
        {"data", 36, 4, 0x61746164}, {"data size", 40, 4, 6}, {"sample 1", 46, 2, 0x7FFF}, {"sample 2", 48, 2, 0x8001},
    };
    EXPECT_EQ(bytes.size(), 44u + 6u);
    for (const auto& c : cases)
        EXPECT_EQ(field(c.offset, c.size), c.expected) << c.name;

    const struct {
        double sample;
        int pcm;
    } samples[] = {{0.0, 0}, {0.5, 16384}, {-0.5, -16384}, {1.0, 32767}, {-1.0, -32767}, {1.7, 32767},
                   {-3.0, -32767}, {1.0 / 32767, 1}, {0.4 / 32767, 0}};
    for (const auto& c : samples)
        EXPECT_EQ(toPcm16(c.sample), c.pcm) << "sample " << c.sample;
}

TEST(Envelope, CurvesFadesAndLevel)
{
    const std::vector<KeyPoint> curve{{0.1, 100}, {0.2, 300}, {0.4, 200}};
    const struct {
        double time, value;
    } points[] = {{0.0, 100}, {0.1, 100}, {0.15, 200}, {0.2, 300}, {0.3, 250}, {0.4, 200}, {9.0, 200}};
    for (const auto& c : points)
        EXPECT_NEAR(curveAt(curve, c.time), c.value, 1e-9) << "at " << c.time;

    std::vector<double> ones(100, 1.0);
    applyFades(ones, 10, 20);
    const struct {
        std::size_t index;
        double gain;
    } gains[] = {{0, 0.0}, {5, 0.5}, {10, 1.0}, {79, 1.0}, {89, 0.5}, {99, 0.0}};
    for (const auto& c : gains)
        EXPECT_NEAR(ones[c.index], c.gain, 1e-9) << "sample " << c.index;

    std::vector<double> wave{0.1, -0.4, 0.2};
    normalizePeak(wave, 0.8);
    EXPECT_EQ(wave, (std::vector<double>{0.2, -0.8, 0.4}));
    EXPECT_NEAR(fromDecibels(-6.0206), 0.5, 1e-4);
}

TEST(FormantVoice, ResonatorPassesItsCentreOnly)
{
    const struct {
        double frequency;
        double lowest, highest;
    } cases[] = {{1000, 0.95, 1.05}, {500, 0.0, 0.2}, {2000, 0.0, 0.15}, {1100, 0.3, 0.6}};
    for (const auto& c : cases) {
        Resonator resonator;
        double peak = 0.0;
        for (int n = 0; n < kRate / 4; ++n) {
            const double out = resonator.process(std::sin(2.0 * std::numbers::pi * c.frequency * n / kRate), 1000,
                                                 100, kRate);
            if (n > kRate / 8)
                peak = std::max(peak, std::abs(out));
        }
        EXPECT_GE(peak, c.lowest) << c.frequency << " Hz through a 1000 Hz resonator";
        EXPECT_LE(peak, c.highest) << c.frequency << " Hz through a 1000 Hz resonator";
    }
}

TEST(FormantVoice, SawHasNoHarmonicsAboveItsCeiling)
{
    SawSource saw(4000.0);
    std::vector<double> samples(kRate / 10);
    for (double& sample : samples)
        sample = saw.next(500.0, kRate);
    const struct {
        double frequency, lowest, highest;
    } cases[] = {{500, 0.9, 1.1}, {1000, 0.45, 0.55}, {1500, 0.3, 0.37}, {4500, 0.0, 0.001}, {6000, 0.0, 0.001}};
    for (const auto& c : cases) {
        const double level = componentAt(samples, 0, samples.size(), c.frequency);
        EXPECT_GE(level, c.lowest) << c.frequency << " Hz";
        EXPECT_LE(level, c.highest) << c.frequency << " Hz";
    }
}

// What the game needs of both effects: short (a new one cannot start while one plays), 3 dB of
// headroom, and no click at either end.
TEST(Effects, ShortQuietEnoughAndClickFree)
{
    const struct {
        const char* name;
        std::function<std::vector<double>(int)> make;
        double shortest, longest;
    } cases[] = {
        {"みゃ", makeMya, 0.2, 0.28},
        {"金属", makeTink, 0.15, 0.25},
    };
    const auto twoMs = static_cast<std::size_t>(0.002 * kRate);
    for (const auto& c : cases) {
        const std::vector<double> samples = c.make(kRate);
        const double seconds = double(samples.size()) / kRate;
        const double peak = peakOf(samples, 0, samples.size());
        EXPECT_GE(seconds, c.shortest) << c.name;
        EXPECT_LE(seconds, c.longest) << c.name;
        EXPECT_LE(peak, fromDecibels(-3.0)) << c.name;
        EXPECT_GE(peak, fromDecibels(-6.0)) << c.name << " is needlessly quiet";
        EXPECT_EQ(samples.front(), 0.0) << c.name;
        EXPECT_EQ(toPcm16(samples.back()), 0) << c.name << " must end on exact zero";
        EXPECT_LE(peakOf(samples, 0, twoMs / 4), 0.25 * peak) << c.name << " starts too abruptly";
        EXPECT_LE(peakOf(samples, samples.size() - twoMs / 4, samples.size()), 0.05 * peak) << c.name;
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
    const struct {
        double ratio;
        bool present;
    } partials[] = {{1.51, true}, {2.756, true}, {2.0, false}, {3.0, false}};
    for (const auto& c : partials) {
        const double level = componentAt(tink, from, 2048, c.ratio * fundamental) / base;
        if (c.present)
            EXPECT_GT(level, 0.1) << "partial " << c.ratio;
        else
            EXPECT_LT(level, 0.02) << "harmonic " << c.ratio << " would make it sound like a plain tone";
    }
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
