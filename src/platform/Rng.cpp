#include "Rng.h"

namespace zunaka {

namespace {
constexpr int kMantissaBits = 24;
constexpr float kScale = 1.0f / static_cast<float>(1u << kMantissaBits);
}

float Rng::next()
{
    // SplitMix64: small, fast and well distributed in its high bits, which are the ones taken.
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return toUnit(z);
}

float Rng::toUnit(std::uint64_t bits)
{
    return static_cast<float>(bits >> (64 - kMantissaBits)) * kScale;
}

} // namespace zunaka
