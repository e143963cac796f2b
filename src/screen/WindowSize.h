#pragma once

#include "GameState.h"
#include "platform/Platform.h"

#include <QSize>

namespace zunaka {

// The main window's client area under the menu bar for a screen: the canvas one to one on a full-size
// screen; on a smaller one, what a 640 x 480 window keeps inside its frame, caption and menu bar.
QSize mainClientSize(ScreenSize screen);

// Fits both windows to the screen. Called once at start-up, before either window is shown.
void setWindowSize(Platform& p);

// Lays out the surfaces: `MainPicture` over the whole client area (sized with the window), the hidden
// canvas-sized background and buffer, one mole-sized scratch surface per hole, and the key box centred
// over the canvas. Called once at start-up, after the title window is shown.
void arrangeControls(GameState& s, Platform& p);

} // namespace zunaka
