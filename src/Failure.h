#pragma once

#include "Messages.h"

#include <exception>
#include <type_traits>

namespace zunaka {

class Platform;

// Ends the program after a message box with an OK button only: a second instance, or loading that failed.
// The box runs events of its own, so the title is stopped first: it must not hand over to the main
// window behind the message.
void endWithMessage(Platform& p, const char* message);

// Runs what the window system hands control to (an event and the game's handler for it). A failure that
// escapes it ends the program with the picture loading message, as one escaping the main loop's own work
// does, instead of unwinding through the window system's event dispatch. Only std::exception is caught.
template <typename Handler>
auto runGuarded(Platform& p, Handler&& handler) -> decltype(handler())
{
    try {
        return handler();
    } catch (const std::exception&) {
        endWithMessage(p, kPictureLoadError);
    }
    if constexpr (!std::is_void_v<decltype(handler())>)
        return {};
}

} // namespace zunaka
