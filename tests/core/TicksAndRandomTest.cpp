#include "Ticks.h"
#include "platform/Rng.h"

#include <gtest/gtest.h>

#include <limits>

namespace zunaka {
namespace {

constexpr Tick kMax = std::numeric_limits<Tick>::max();
constexpr Tick kMin = std::numeric_limits<Tick>::min();

TEST(Ticks, WaitRunsOutStrictlyAfterItsLengthAcrossEveryWrap)
{
    struct Row {
        Tick since;
        std::int32_t after;
        std::int32_t wait;
        bool runOut;
    };
    const Row rows[] = {
        {0, 1000, 1000, false},        {0, 1001, 1000, true},
        {kMax - 500, 1000, 1000, false}, {kMax - 500, 1001, 1000, true},  // across 2^31
        {-500, 1000, 1000, false},     {-500, 1001, 1000, true},          // across 2^32
        {kMin, 30, 30, false},         {kMin, 31, 30, true},
        {12345, 0, 1, false},          {12345, 2, 1, true},
    };
    for (const Row& row : rows) {
        const Tick now = static_cast<Tick>(static_cast<std::uint32_t>(row.since) + row.after);
        EXPECT_EQ(elapsed(now, row.since), row.after) << "since " << row.since;
        EXPECT_EQ(hasRunOut(now, row.since, row.wait), row.runOut)
            << "since " << row.since << " after " << row.after << " wait " << row.wait;
    }
}

TEST(Rng, StaysBelowOneAndRepeatsFromTheSameStartEveryRun)
{
    Rng first;
    Rng second;
    float lowest = 1.0f;
    float highest = 0.0f;
    for (int i = 0; i < 1'000'000; ++i) {
        const float r = first.next();
        ASSERT_EQ(r, second.next()) << "draw " << i;
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
        lowest = std::min(lowest, r);
        highest = std::max(highest, r);
    }
    // Uniform over the whole range, not stuck in part of it; the extremes a million draws rarely reach
    // are the conversions of the smallest and largest raw values.
    EXPECT_LT(lowest, 1e-5f);
    EXPECT_GT(highest, 1.0f - 1e-5f);
    EXPECT_EQ(Rng::toUnit(0), 0.0f);
    EXPECT_EQ(Rng::toUnit(~std::uint64_t{0}), 1.0f - 0x1p-24f);
}

} // namespace
} // namespace zunaka
