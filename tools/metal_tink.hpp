// The miss sound "金属": a small metal bar struck lightly. A few inharmonic partials, each dying away
// on its own, the high ones first, after a soft two-millisecond attack.
#pragma once

#include <vector>

namespace zunaka::sound {

struct Partial {
    double ratio = 1.0;          // frequency over the fundamental
    double amplitude = 1.0;
    double decaySeconds = 0.05;  // time to fall to 1/e
};

std::vector<Partial> tinkPartials();

// The raw strike of the partials over `fundamental` Hz, before fades and levelling.
std::vector<double> strike(const std::vector<Partial>& partials, double fundamental, double seconds,
                           int sampleRate);

// The finished effect: strike, soft attack, fade to exact zero, peak at the effects' common level.
std::vector<double> makeTink(int sampleRate);

} // namespace zunaka::sound
