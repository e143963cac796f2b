#pragma once

#include "AudioDevice.h"
#include "RenderedMusic.h"
#include "SoundMixer.h"
#include "WaveEffects.h"
#include "platform/qt/AudioEngine.h"

namespace zunaka {

// The sound engine of the game: the rendered music and the WAVE effects mixed in one SDL audio callback,
// the device open only while something sounds. Without an audio device everything is silent and nothing
// fails or blocks; a device that comes back is heard again from the next sound.
class SdlAudio final : public AudioEngine {
public:
    // `folder`: the program's, where the music's helper program is. The device closes once the mixer has
    // been silent for `idleFrames` frames; `clock` spaces the tries of a device that went away.
    SdlAudio(const std::string& folder, TickClock clock, long idleFrames = kIdleFrames);
    ~SdlAudio() override;

    MusicBackend& music() override { return music_; }
    void playEffect(const std::string& path, unsigned flags) override { effects_.play(path, flags); }
    bool closeIfSilent() override;

    // For the tests: what the callback mixes, the device it plays on, and the music's rendering.
    SoundMixer& mixer() { return mixer_; }
    AudioDevice& device() { return device_; }
    RenderedMusic& renderedMusic() { return music_; }

    // Two seconds: a player typing now and then keeps the device, a game without sound lets it go.
    static constexpr long kIdleFrames = 2L * output::kRate;

private:
    AudioSession session_;
    SoundMixer mixer_;
    AudioDevice device_;
    RenderedMusic music_;
    WaveEffects effects_{mixer_, device_};
    long idleFrames_;
};

} // namespace zunaka
