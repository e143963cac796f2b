// The hit sound "みゃ": a small voice sliding from a nasal /m/ through /j/ into /a/, made the way
// speech synthesisers do it: a band-limited sawtooth (the vocal folds) through three formant
// resonators (the mouth), every parameter following its own curve in time.
#pragma once

#include "envelope.hpp"

#include <vector>

namespace zunaka::sound {

// Two-pole resonator scaled to unity gain at its centre; centre and bandwidth may change every sample.
class Resonator {
public:
    double process(double input, double centre, double bandwidth, double sampleRate);

private:
    double y1_ = 0.0;
    double y2_ = 0.0;
};

// Sawtooth built from its harmonics below `ceiling` Hz, the top ones faded in and out smoothly so a
// gliding pitch adds and drops harmonics without clicks. The phase runs on across pitch changes.
class SawSource {
public:
    explicit SawSource(double ceiling) : ceiling_(ceiling) {}
    double next(double frequency, double sampleRate);

private:
    double ceiling_;
    double phase_ = 0.0;
};

struct Formant {
    std::vector<KeyPoint> centre;     // Hz
    std::vector<KeyPoint> bandwidth;  // Hz
    std::vector<KeyPoint> gain;
};

struct VoiceShape {
    double seconds = 0.0;
    std::vector<KeyPoint> pitch;      // Hz
    std::vector<KeyPoint> loudness;   // 0..1
    std::vector<Formant> formants;
};

// The raw voice, before fades and levelling.
std::vector<double> synthesizeVoice(const VoiceShape& shape, int sampleRate);

VoiceShape myaShape();

// The finished effect: voice, click-free ends, peak at the effects' common level.
std::vector<double> makeMya(int sampleRate);

} // namespace zunaka::sound
