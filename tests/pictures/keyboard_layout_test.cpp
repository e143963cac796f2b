// Checks of the keyboard table itself: every key the game asks for is on the picture once, and the keys of a
// row tile it without overlaps or holes.
#include "keyboard_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace zunaka::keyboard;

// The 44 characters the moles carry, row by row.
constexpr const char* kGameKeys[] = {
    "A", "S", "D", "F", "G", "H", "J", "K", "L", ";", ":", "]", //
    "Q", "W", "E", "R", "T", "Y", "U", "I", "O", "P", "@", "[", //
    "Z", "X", "C", "V", "B", "N", "M", ",", ".", "/",           //
    "1", "2", "3", "4", "5", "6", "7", "8", "9", "0",
};

TEST(KeyboardLayout, EveryGameKeyIsDrawnOnce)
{
    for (const char* wanted : kGameKeys) {
        const auto count = std::count_if(std::begin(kKeys), std::end(kKeys),
                                         [&](const Key& key) { return std::string(key.legend) == wanted; });
        EXPECT_EQ(count, 1) << "key " << wanted;
    }
}

// Each row's cells, Enter's lower part included, must run from 0 to the picture's width edge to edge.
TEST(KeyboardLayout, RowsTileThePictureWidth)
{
    for (int row = 0; row < kRowCount; ++row) {
        std::vector<std::pair<int, int>> cells;
        for (const Key& key : kKeys) {
            if (key.row == row)
                cells.emplace_back(key.left, key.right);
            else if (key.rowsDown == 2 && key.row + 1 == row)
                cells.emplace_back(key.lowerLeft, key.right);
        }
        std::sort(cells.begin(), cells.end());
        ASSERT_FALSE(cells.empty()) << "row " << row;
        EXPECT_EQ(cells.front().first, 0) << "row " << row;
        EXPECT_EQ(cells.back().second, kPictureWidth) << "row " << row;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            EXPECT_GE(cells[i].second - cells[i].first, 24) << "row " << row << " cell at " << cells[i].first;
            if (i > 0) {
                EXPECT_EQ(cells[i - 1].second, cells[i].first) << "row " << row << " cell " << i;
            }
        }
    }
    EXPECT_LE(rowTop(kRowCount - 1) + kRowPitch, kPictureHeight);
}

double channel(std::uint32_t rgb, int shift) { return (rgb >> shift) & 0xFF; }

double distance(std::uint32_t a, std::uint32_t b)
{
    double sum = 0;
    for (int shift : {0, 8, 16})
        sum += std::pow(channel(a, shift) - channel(b, shift), 2);
    return std::sqrt(sum);
}

// Fingers must be told apart at a glance, and black legends must stay readable on every colour.
TEST(KeyboardLayout, FingerColoursAreLightAndDistinct)
{
    constexpr double kMinDistance = 40;
    constexpr double kMinLuminance = 190;
    for (int a = 0; a < kFingerCount; ++a) {
        const std::uint32_t c = kFingerColours[a];
        const double luminance = 0.299 * channel(c, 16) + 0.587 * channel(c, 8) + 0.114 * channel(c, 0);
        EXPECT_GE(luminance, kMinLuminance) << "finger " << a;
        for (int b = a + 1; b < kFingerCount; ++b)
            EXPECT_GE(distance(c, kFingerColours[b]), kMinDistance) << "fingers " << a << " and " << b;
    }
}

} // namespace
