#pragma once

#include "Ticks.h"
#include "platform/MediaDevice.h"

#include <functional>
#include <string>

namespace zunaka {

// The game's sound: the background music behind the media device's sequencer alias, and the WAVE effects.
// It lives in a module of its own, loaded by AudioModule when the first media command or effect comes,
// which start-up sends after the title window is on the screen: SDL and the libraries it pulls in cost
// the first map nothing. FluidSynth is not among them: the music's helper program renders the piece.
// The platform's clock (QtPlatform::getTickCount), which the engine reads to space its tries of a sound
// device that went away.
using TickClock = std::function<Tick()>;

class AudioEngine {
public:
    virtual ~AudioEngine() = default;

    virtual MusicBackend& music() = 0;
    // Plays a WAVE file asynchronously. With kSndNoStop, nothing happens while an effect still plays;
    // a file that cannot be played gives silence.
    virtual void playEffect(const std::string& path, unsigned flags) = 0;
    // Closes the audio device once nothing has sounded for a while, so a quiet game costs no audio thread;
    // the next sound opens it again. A device that went away is closed at once, and tried again by a later
    // sound. Returns true when the device is closed (or was never opened).
    virtual bool closeIfSilent() = 0;
};

namespace audio_module {
// Beside the program file.
constexpr const char* kFileName = "zunaka-audio.so";
// The module's one exported function; the caller owns the engine it returns.
constexpr const char* kFactory = "zunakaCreateAudioEngine";
// `folder`: the program's, where the module and the music's helper program are.
using Factory = AudioEngine* (*)(const char* folder, TickClock clock);
} // namespace audio_module

} // namespace zunaka
