#pragma once

#include <cstdint>

namespace zunaka {

// The game's one source of randomness: uniform values 0 <= r < 1 in single precision. It always starts from
// the same state, so every run draws the same sequence; only the order in which holes take the values
// differs with timing.
class Rng {
public:
    float next();

    // 24 random bits over 2^24: every value is exact in a float and the largest is 1 - 2^-24, never 1.0,
    // which would index one past a table.
    static float toUnit(std::uint64_t bits);

private:
    std::uint64_t state_ = 0x5A554E414B41ull;  // fixed start state
};

} // namespace zunaka
