// Layout of the keyboard guide picture "KeyBorad.jpg": every key's place, legend and the finger that types it.
//
// The help page prints the finger names in a 12 px fixed-pitch face above the picture, starting 30 px in, one
// full-width character every 12 px. The home row therefore has a 36 px pitch starting at x = 30, so A, S, D, K,
// L and ; stand exactly under their names; the other rows keep only a small stagger so that whole columns, not
// just the home row, stay under their finger's name. tools/keyboard_svg.cpp draws this table; the picture tests
// read it to know the colours, and the records page to find each key on the picture.
#pragma once

#include <array>
#include <cstdint>

namespace zunaka::keyboard {

enum class Finger : std::uint8_t {
    LeftLittle,
    LeftRing,
    LeftMiddle,
    LeftIndex,
    RightIndex,
    RightMiddle,
    RightRing,
    RightLittle,
    Thumb,
};
constexpr int kFingerCount = 9;

// Light pastels running round the colour wheel from the left little finger to the right one, so neighbouring
// fingers never share a hue; black legends stay readable on all of them.
constexpr std::array<std::uint32_t, kFingerCount> kFingerColours{
    0xFFADC0, // left little: pink
    0xFFCE9A, // left ring: apricot
    0xFFF585, // left middle: lemon
    0xC0EE9E, // left index: mint green
    0x98E2E2, // right index: aqua
    0xA9C8FF, // right middle: sky blue
    0xCDB5FF, // right ring: lavender
    0xF2B5EC, // right little: orchid
    0xE2E2E2, // thumbs: light grey
};

constexpr int kPictureWidth = 512;
constexpr int kPictureHeight = 192;
constexpr int kRowCount = 5;
constexpr int kTopMargin = 2;
constexpr int kRowPitch = 38;
constexpr int kKeyGap = 3;
constexpr int kKeyHeight = kRowPitch - kKeyGap;

constexpr int rowTop(int row) { return kTopMargin + row * kRowPitch; }

// One key cell: [left, right) on its row, the gap included. A key with rowsDown = 2 (Enter) also covers the
// next row from lowerLeft to right. `small` is a second, smaller legend (the kana of the ろ key, for example).
struct Key {
    const char* legend;
    const char* small;
    int row;
    int left;
    int right;
    Finger finger;
    int rowsDown = 1;
    int lowerLeft = 0;
};

using F = Finger;

// Digit row: 35 px pitch so that 半角/全角 and BackSpace still fit within 512 px.
constexpr int kDigitLeft = 28;
constexpr int kDigitPitch = 35;
// The letter rows: 36 px pitch, the home row's A at 30 as the finger line asks.
constexpr int kLetterPitch = 36;
constexpr int kUpperLeft = 24;
constexpr int kHomeLeft = 30;
constexpr int kLowerLeft = 40;

constexpr int digitAt(int i) { return kDigitLeft + i * kDigitPitch; }
constexpr int upperAt(int i) { return kUpperLeft + i * kLetterPitch; }
constexpr int homeAt(int i) { return kHomeLeft + i * kLetterPitch; }
constexpr int lowerAt(int i) { return kLowerLeft + i * kLetterPitch; }

constexpr Key kKeys[] = {
    // Digit row.
    {"半角/全角", nullptr, 0, 0, digitAt(0), F::LeftLittle},
    {"1", nullptr, 0, digitAt(0), digitAt(1), F::LeftLittle},
    {"2", nullptr, 0, digitAt(1), digitAt(2), F::LeftRing},
    {"3", nullptr, 0, digitAt(2), digitAt(3), F::LeftMiddle},
    {"4", nullptr, 0, digitAt(3), digitAt(4), F::LeftIndex},
    {"5", nullptr, 0, digitAt(4), digitAt(5), F::LeftIndex},
    {"6", nullptr, 0, digitAt(5), digitAt(6), F::RightIndex},
    {"7", nullptr, 0, digitAt(6), digitAt(7), F::RightIndex},
    {"8", nullptr, 0, digitAt(7), digitAt(8), F::RightMiddle},
    {"9", nullptr, 0, digitAt(8), digitAt(9), F::RightRing},
    {"0", nullptr, 0, digitAt(9), digitAt(10), F::RightLittle},
    {"-", nullptr, 0, digitAt(10), digitAt(11), F::RightLittle},
    {"^", nullptr, 0, digitAt(11), digitAt(12), F::RightLittle},
    {"¥", nullptr, 0, digitAt(12), digitAt(13), F::RightLittle},
    {"BS", nullptr, 0, digitAt(13), kPictureWidth, F::RightLittle},
    // Upper row; Enter hangs down into the home row.
    {"Tab", nullptr, 1, 0, upperAt(0), F::LeftLittle},
    {"Q", nullptr, 1, upperAt(0), upperAt(1), F::LeftLittle},
    {"W", nullptr, 1, upperAt(1), upperAt(2), F::LeftRing},
    {"E", nullptr, 1, upperAt(2), upperAt(3), F::LeftMiddle},
    {"R", nullptr, 1, upperAt(3), upperAt(4), F::LeftIndex},
    {"T", nullptr, 1, upperAt(4), upperAt(5), F::LeftIndex},
    {"Y", nullptr, 1, upperAt(5), upperAt(6), F::RightIndex},
    {"U", nullptr, 1, upperAt(6), upperAt(7), F::RightIndex},
    {"I", nullptr, 1, upperAt(7), upperAt(8), F::RightMiddle},
    {"O", nullptr, 1, upperAt(8), upperAt(9), F::RightRing},
    {"P", nullptr, 1, upperAt(9), upperAt(10), F::RightLittle},
    {"@", nullptr, 1, upperAt(10), upperAt(11), F::RightLittle},
    {"[", nullptr, 1, upperAt(11), upperAt(12), F::RightLittle},
    {"Enter", nullptr, 1, upperAt(12), kPictureWidth, F::RightLittle, 2, homeAt(12)},
    // Home row.
    {"英数", nullptr, 2, 0, homeAt(0), F::LeftLittle},
    {"A", nullptr, 2, homeAt(0), homeAt(1), F::LeftLittle},
    {"S", nullptr, 2, homeAt(1), homeAt(2), F::LeftRing},
    {"D", nullptr, 2, homeAt(2), homeAt(3), F::LeftMiddle},
    {"F", nullptr, 2, homeAt(3), homeAt(4), F::LeftIndex},
    {"G", nullptr, 2, homeAt(4), homeAt(5), F::LeftIndex},
    {"H", nullptr, 2, homeAt(5), homeAt(6), F::RightIndex},
    {"J", nullptr, 2, homeAt(6), homeAt(7), F::RightIndex},
    {"K", nullptr, 2, homeAt(7), homeAt(8), F::RightMiddle},
    {"L", nullptr, 2, homeAt(8), homeAt(9), F::RightRing},
    {";", nullptr, 2, homeAt(9), homeAt(10), F::RightLittle},
    {":", nullptr, 2, homeAt(10), homeAt(11), F::RightLittle},
    {"]", nullptr, 2, homeAt(11), homeAt(12), F::RightLittle},
    // Lower row.
    {"Shift", nullptr, 3, 0, lowerAt(0), F::LeftLittle},
    {"Z", nullptr, 3, lowerAt(0), lowerAt(1), F::LeftLittle},
    {"X", nullptr, 3, lowerAt(1), lowerAt(2), F::LeftRing},
    {"C", nullptr, 3, lowerAt(2), lowerAt(3), F::LeftMiddle},
    {"V", nullptr, 3, lowerAt(3), lowerAt(4), F::LeftIndex},
    {"B", nullptr, 3, lowerAt(4), lowerAt(5), F::LeftIndex},
    {"N", nullptr, 3, lowerAt(5), lowerAt(6), F::RightIndex},
    {"M", nullptr, 3, lowerAt(6), lowerAt(7), F::RightIndex},
    {",", nullptr, 3, lowerAt(7), lowerAt(8), F::RightMiddle},
    {".", nullptr, 3, lowerAt(8), lowerAt(9), F::RightRing},
    {"/", nullptr, 3, lowerAt(9), lowerAt(10), F::RightLittle},
    {"＼", "ろ", 3, lowerAt(10), lowerAt(11), F::RightLittle},
    {"Shift", nullptr, 3, lowerAt(11), kPictureWidth, F::RightLittle},
    // Bottom row: the thumbs rest on the space bar and reach the conversion keys beside it.
    {"Ctrl", nullptr, 4, 0, 40, F::LeftLittle},
    {"Alt", nullptr, 4, 40, 80, F::Thumb},
    {"無変換", nullptr, 4, 80, 132, F::Thumb},
    {"スペース", nullptr, 4, 132, 292, F::Thumb},
    {"変換", nullptr, 4, 292, 340, F::Thumb},
    {"かな", nullptr, 4, 340, 392, F::Thumb},
    {"Alt", nullptr, 4, 392, 436, F::Thumb},
    {"Ctrl", nullptr, 4, 436, kPictureWidth, F::RightLittle},
};

} // namespace zunaka::keyboard
