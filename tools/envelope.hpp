// Shaping helpers shared by the two effect synthesisers: smooth parameter curves through key points,
// click-free ends and peak levelling.
#pragma once

#include <vector>

namespace zunaka::sound {

struct KeyPoint {
    double time = 0.0;   // seconds
    double value = 0.0;
};

// Value at `time` of the curve through the points (sorted by time): cosine-eased between neighbours,
// flat before the first point and after the last.
double curveAt(const std::vector<KeyPoint>& points, double time);

// Raised-cosine fade over the first `fadeIn` and the last `fadeOut` samples; the first and the last
// sample become exactly zero, so the sound starts and stops without a click.
void applyFades(std::vector<double>& samples, int fadeIn, int fadeOut);

// Scales the samples so that the largest magnitude equals `peak` (silence stays silence).
void normalizePeak(std::vector<double>& samples, double peak);

// Linear amplitude of a level in dB relative to full scale.
double fromDecibels(double decibels);

} // namespace zunaka::sound
