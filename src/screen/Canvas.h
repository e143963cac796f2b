#pragma once

#include "platform/Platform.h"

#include <QRect>

namespace zunaka {

// The game is drawn on a canvas of this size, whatever the window shows it at.
constexpr int kCanvasWidth = 640;
constexpr int kCanvasHeight = 480;
inline const QRect kCanvasRect(0, 0, kCanvasWidth, kCanvasHeight);

// A full-size screen shows the canvas one to one; on a smaller one the window is smaller and the canvas
// is scaled down into it.
constexpr int kFullSizeScreenWidth = 800;
constexpr int kFullSizeScreenHeight = 600;

constexpr bool isFullSizeScreen(ScreenSize screen)
{
    return screen.width >= kFullSizeScreenWidth && screen.height >= kFullSizeScreenHeight;
}

} // namespace zunaka
