#include "SdlQuietAlsa.h"

#include <SDL_loadso.h>

namespace zunaka {

namespace {

// The soname SDL itself loads, so both share the one library and its error handler.
constexpr const char* kAlsaLibrary = "libasound.so.2";
constexpr const char* kSetHandler = "snd_lib_error_set_handler";

using AlsaErrorHandler = void (*)(const char* file, int line, const char* function, int error, const char* format,
                                  ...);
using SetAlsaErrorHandler = int (*)(AlsaErrorHandler handler);

void ignoreAlsaMessage(const char*, int, const char*, int, const char*, ...) {}

} // namespace

void silenceAlsaMessages()
{
    // Left loaded on purpose: the library keeps our handler for as long as the process lives.
    void* alsa = SDL_LoadObject(kAlsaLibrary);
    if (!alsa)
        return;
    if (auto setHandler = reinterpret_cast<SetAlsaErrorHandler>(SDL_LoadFunction(alsa, kSetHandler)))
        setHandler(ignoreAlsaMessage);
}

} // namespace zunaka
