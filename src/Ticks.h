#pragma once

#include <cstdint>

namespace zunaka {

// Milliseconds of a monotonic clock as a signed 32-bit count; it wraps after about 24.8 days.
using Tick = std::int32_t;

// Time passed from `since` to `now`. Computed modulo 2^32, so it stays right when the counter wraps
// between the two readings (a plain `since + wait < now` would not).
constexpr std::int32_t elapsed(Tick now, Tick since)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(now) - static_cast<std::uint32_t>(since));
}

// The tick `ms` after `since`, modulo 2^32 like elapsed().
constexpr Tick ticksAfter(Tick since, std::int32_t ms)
{
    return static_cast<Tick>(static_cast<std::uint32_t>(since) + static_cast<std::uint32_t>(ms));
}

// A wait has run out only once strictly more than `wait` ms have passed: a 1000 ms wait is still
// running at exactly 1000 ms.
constexpr bool hasRunOut(Tick now, Tick since, std::int32_t wait)
{
    return elapsed(now, since) > wait;
}

} // namespace zunaka
