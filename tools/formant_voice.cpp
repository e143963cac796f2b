#include "formant_voice.hpp"

#include <cmath>
#include <numbers>

namespace zunaka::sound {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kSourceCeiling = 9000.0;   // Hz; a brighter source would sound harsh on small speakers
constexpr double kTaperStart = 0.6;         // share of the ceiling where the harmonics start to fade
constexpr double kPeakDb = -4.0;
constexpr double kFadeInSeconds = 0.003;
constexpr double kFadeOutSeconds = 0.008;

double harmonicWeight(double frequency, double ceiling)
{
    const double start = kTaperStart * ceiling;
    if (frequency <= start)
        return 1.0;
    if (frequency >= ceiling)
        return 0.0;
    return 0.5 + 0.5 * std::cos(std::numbers::pi * (frequency - start) / (ceiling - start));
}

} // namespace

double Resonator::process(double input, double centre, double bandwidth, double sampleRate)
{
    const double radius = std::exp(-std::numbers::pi * bandwidth / sampleRate);
    const double angle = kTwoPi * centre / sampleRate;
    const double b1 = 2.0 * radius * std::cos(angle);
    const double b2 = -radius * radius;
    // Magnitude of the poles' response at the centre frequency, divided out to give unity gain there.
    const double a0 = (1.0 - radius) * std::sqrt(1.0 - 2.0 * radius * std::cos(2.0 * angle) + radius * radius);
    const double output = a0 * input + b1 * y1_ + b2 * y2_;
    y2_ = y1_;
    y1_ = output;
    return output;
}

double SawSource::next(double frequency, double sampleRate)
{
    double sum = 0.0;
    for (int k = 1; k * frequency < ceiling_; ++k)
        sum += harmonicWeight(k * frequency, ceiling_) * std::sin(kTwoPi * k * phase_) / k;
    phase_ += frequency / sampleRate;
    phase_ -= std::floor(phase_);
    return sum;
}

std::vector<double> synthesizeVoice(const VoiceShape& shape, int sampleRate)
{
    const auto count = static_cast<std::size_t>(std::lround(shape.seconds * sampleRate));
    std::vector<double> out(count);
    SawSource source(std::min(kSourceCeiling, 0.45 * sampleRate));
    std::vector<Resonator> mouth(shape.formants.size());
    for (std::size_t n = 0; n < count; ++n) {
        const double time = double(n) / sampleRate;
        const double excitation = source.next(curveAt(shape.pitch, time), sampleRate);
        double sum = 0.0;
        double sign = 1.0;
        // Alternate signs, as in parallel formant synthesis, so neighbouring formants do not cancel
        // each other in the valley between them.
        for (std::size_t f = 0; f < shape.formants.size(); ++f, sign = -sign) {
            const Formant& formant = shape.formants[f];
            sum += sign * curveAt(formant.gain, time) *
                   mouth[f].process(excitation, curveAt(formant.centre, time), curveAt(formant.bandwidth, time),
                                    sampleRate);
        }
        out[n] = curveAt(shape.loudness, time) * sum;
    }
    return out;
}

// /m/ until 35 ms (lips closed: only a low murmur), /j/ at about 65 ms (tongue high: F2 far up), then
// /a/ (mouth open: F1 high, loudest). The formants sit higher than an adult's, as in a small creature,
// and the pitch rises into the vowel and sinks a little at its end, like a friendly question.
VoiceShape myaShape()
{
    VoiceShape shape;
    shape.seconds = 0.24;
    shape.pitch = {{0.0, 440}, {0.07, 560}, {0.12, 610}, {0.24, 480}};
    shape.loudness = {{0.0, 0.0}, {0.012, 0.6}, {0.035, 0.65}, {0.1, 1.0}, {0.15, 0.95}, {0.24, 0.0}};
    shape.formants = {
        {{{0.0, 290}, {0.035, 300}, {0.065, 340}, {0.11, 1150}, {0.24, 1080}},
         {{0.0, 150}, {0.05, 120}, {0.11, 200}, {0.24, 200}},
         {{0.0, 0.7}, {0.035, 0.6}, {0.065, 0.45}, {0.11, 1.0}}},
        {{{0.0, 1250}, {0.035, 1300}, {0.065, 2500}, {0.11, 1800}, {0.24, 1700}},
         {{0.0, 200}, {0.05, 150}, {0.11, 220}, {0.24, 220}},
         {{0.0, 0.08}, {0.035, 0.08}, {0.065, 0.35}, {0.11, 0.6}}},
        {{{0.0, 2700}, {0.035, 2700}, {0.065, 3400}, {0.11, 3250}, {0.24, 3150}},
         {{0.0, 250}, {0.05, 200}, {0.11, 300}, {0.24, 300}},
         {{0.0, 0.03}, {0.035, 0.03}, {0.065, 0.25}, {0.11, 0.3}}},
    };
    return shape;
}

std::vector<double> makeMya(int sampleRate)
{
    std::vector<double> samples = synthesizeVoice(myaShape(), sampleRate);
    applyFades(samples, static_cast<int>(kFadeInSeconds * sampleRate), static_cast<int>(kFadeOutSeconds * sampleRate));
    normalizePeak(samples, fromDecibels(kPeakDb));
    return samples;
}

} // namespace zunaka::sound
