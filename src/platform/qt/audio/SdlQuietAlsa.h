#pragma once

namespace zunaka {

// On a machine without a sound card (a remote session, a build server) SDL falls back to ALSA, whose
// library prints a dozen lines of configuration errors before it gives up. This routes ALSA's messages
// nowhere, for the rest of the process; SDL's own error still tells why there is no sound. Call it
// before the audio subsystem starts. Does nothing where ALSA is not installed.
void silenceAlsaMessages();

} // namespace zunaka
