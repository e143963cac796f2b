#pragma once

#include "Platform.h"

#include <cmath>

namespace zunaka {

// One of `count` whole numbers first, first + 1, ..., each equally likely: Int(r * count) + first for one
// draw r of the platform's generator. The product is formed in double, so r just below 1 still gives the
// last number and never one past it. Used for the hole waits and for the moles' characters and colours.
inline int pick(Platform& p, int count, int first)
{
    return static_cast<int>(std::floor(static_cast<double>(p.rnd()) * count)) + first;
}

} // namespace zunaka
