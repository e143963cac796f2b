#pragma once

#include "platform/MediaDevice.h"

#include <memory>
#include <string>

namespace zunaka {

// The game's sound through one SDL_mixer mixer: the background music (MIDI through FluidSynth and the
// system's General MIDI SoundFont) and the WAVE effects. Without an audio device everything is silent and
// nothing fails or blocks.
class SdlAudio {
public:
    SdlAudio();
    ~SdlAudio();
    SdlAudio(const SdlAudio&) = delete;
    SdlAudio& operator=(const SdlAudio&) = delete;

    // The music player behind the media device's sequencer alias.
    MusicBackend& music();

    // Plays a WAVE file asynchronously. With kSndNoStop, nothing happens while an effect still plays;
    // a file that cannot be played gives silence.
    void playEffect(const std::string& path, unsigned flags);

    bool hasDevice() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace zunaka
