#pragma once

namespace zunaka {

class Platform;

// Ends the program after a message box with an OK button only: a second instance, or loading that failed.
// The box runs events of its own, so the title is stopped first: it must not hand over to the main
// window behind the message.
void endWithMessage(Platform& p, const char* message);

} // namespace zunaka
