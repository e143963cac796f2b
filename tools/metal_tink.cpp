#include "metal_tink.hpp"

#include "envelope.hpp"

#include <cmath>
#include <numbers>

namespace zunaka::sound {
namespace {

constexpr double kFundamental = 1320.0;  // Hz: clearly a "tink", well below the ear's harsh region
constexpr double kSeconds = 0.2;
constexpr double kAttackSeconds = 0.0025;
constexpr double kFadeOutSeconds = 0.03;
constexpr double kPeakDb = -4.0;

} // namespace

// 1, 2.76 and 5.40 are the first modes of a bar free at both ends; the 1.51 partial gives the
// slightly out-of-tune ring that tells metal from a glass or a wooden block.
std::vector<Partial> tinkPartials()
{
    return {
        {1.0, 1.0, 0.07},
        {1.51, 0.3, 0.045},
        {2.756, 0.45, 0.03},
        {5.404, 0.15, 0.012},
    };
}

std::vector<double> strike(const std::vector<Partial>& partials, double fundamental, double seconds,
                           int sampleRate)
{
    const auto count = static_cast<std::size_t>(std::lround(seconds * sampleRate));
    std::vector<double> out(count, 0.0);
    for (const Partial& partial : partials) {
        const double step = 2.0 * std::numbers::pi * partial.ratio * fundamental / sampleRate;
        for (std::size_t n = 0; n < count; ++n) {
            const double time = double(n) / sampleRate;
            out[n] += partial.amplitude * std::exp(-time / partial.decaySeconds) * std::sin(step * double(n));
        }
    }
    return out;
}

std::vector<double> makeTink(int sampleRate)
{
    std::vector<double> samples = strike(tinkPartials(), kFundamental, kSeconds, sampleRate);
    applyFades(samples, static_cast<int>(kAttackSeconds * sampleRate), static_cast<int>(kFadeOutSeconds * sampleRate));
    normalizePeak(samples, fromDecibels(kPeakDb));
    return samples;
}

} // namespace zunaka::sound
