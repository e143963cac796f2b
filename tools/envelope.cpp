#include "envelope.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zunaka::sound {

double curveAt(const std::vector<KeyPoint>& points, double time)
{
    if (points.empty())
        return 0.0;
    if (time <= points.front().time)
        return points.front().value;
    for (std::size_t i = 1; i < points.size(); ++i) {
        const KeyPoint& a = points[i - 1];
        const KeyPoint& b = points[i];
        if (time < b.time) {
            const double x = (time - a.time) / (b.time - a.time);
            const double eased = 0.5 - 0.5 * std::cos(std::numbers::pi * x);
            return a.value + (b.value - a.value) * eased;
        }
    }
    return points.back().value;
}

void applyFades(std::vector<double>& samples, int fadeIn, int fadeOut)
{
    const int count = static_cast<int>(samples.size());
    // gain(0) = 0 and gain(length) = 1; sample i of the fade-in gets gain(i), sample i from the end gets gain(i).
    const auto gain = [](int i, int length) {
        return 0.5 - 0.5 * std::cos(std::numbers::pi * i / length);
    };
    for (int i = 0; i < std::min(fadeIn, count); ++i)
        samples[static_cast<std::size_t>(i)] *= gain(i, fadeIn);
    for (int i = 0; i < std::min(fadeOut, count); ++i)
        samples[static_cast<std::size_t>(count - 1 - i)] *= gain(i, fadeOut);
}

void normalizePeak(std::vector<double>& samples, double peak)
{
    double largest = 0.0;
    for (double sample : samples)
        largest = std::max(largest, std::abs(sample));
    if (largest == 0.0)
        return;
    for (double& sample : samples)
        sample *= peak / largest;
}

double fromDecibels(double decibels)
{
    return std::pow(10.0, decibels / 20.0);
}

} // namespace zunaka::sound
