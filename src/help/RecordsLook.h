#pragma once

#include "moji/MojiTable.h"
#include "platform/Fonts.h"

#include <QRgb>

// The records page's faces and colours, shared by its parts.
namespace zunaka::recordsLook {

// Pixel sizes of the game's proportional face.
constexpr int kTitlePx = 22;
constexpr int kBigPx = 18;
constexpr int kHeadingPx = 15;
constexpr int kTextPx = 14;
constexpr int kSmallPx = 11;

inline QFont pageFont(int px)
{
    return proportionalGothic(px);
}

constexpr int kPageLessons = kWeakKeysLesson;  // the lessons the best games are listed for, にがてなキー last

constexpr QRgb kPaper = 0xFFFFFDF4;
constexpr QRgb kInk = 0xFF202020;
constexpr QRgb kFaint = 0xFF808080;
constexpr QRgb kGrid = 0xFFD8D8D8;
constexpr QRgb kHeadingBand = 0xFFFFE2A8;
constexpr QRgb kWarning = 0xFFC00000;

// Catch shares in three bands, the same on the chart, on the keys and in the legend.
constexpr double kGoodShare = 0.9;
constexpr double kFairShare = 0.7;
constexpr QRgb kGood = 0xFF6CCB5F;
constexpr QRgb kFair = 0xFFF7D44C;
constexpr QRgb kWeak = 0xFFF27B7B;
// The shares' own numbers in text, darker than the bands so that they read on the paper.
constexpr QRgb kGoodInk = 0xFF1E8A1E;
constexpr QRgb kFairInk = 0xFFA07800;
constexpr QRgb kWeakInk = 0xFFC02020;

constexpr QRgb shareColour(double share)
{
    return share >= kGoodShare ? kGood : share >= kFairShare ? kFair : kWeak;
}

constexpr QRgb shareInk(double share)
{
    return share >= kGoodShare ? kGoodInk : share >= kFairShare ? kFairInk : kWeakInk;
}

} // namespace zunaka::recordsLook
