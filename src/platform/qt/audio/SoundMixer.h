#pragma once

#include <cstdint>
#include <vector>

namespace zunaka {

namespace output {
// What the audio device plays, and the format every sound is turned into before it is played: 16-bit
// stereo at 44.1 kHz, 1024 frames (23 ms) a buffer: a sound answers a key within a frame, and the audio
// thread wakes 43 times a second for it. Twice the buffer would halve those wake-ups, and every sound
// would come 23 ms later.
constexpr int kRate = 44100;
constexpr int kChannels = 2;
constexpr int kBufferFrames = 1024;
} // namespace output

// A sound ready to be mixed: interleaved samples in the output format.
struct Sound {
    std::vector<std::int16_t> samples;
};

// Where the mixer gets its music from; RenderedMusic in the game.
class MusicSource {
public:
    virtual ~MusicSource() = default;
    // Whether a piece plays or still rings out.
    virtual bool sounding() = 0;
    // Writes `frames` frames of music over `out`.
    virtual void render(std::int16_t* out, int frames) = 0;
    // Stops the piece; called on the game's thread.
    virtual void stop() = 0;
};

// Mixes what the game hears: the music, and on top of it one effect at a time. The audio device's
// callback calls render() on SDL's audio thread; every other call is made on the game's thread under
// the device's lock (or while the device is closed).
class SoundMixer {
public:
    void setMusic(MusicSource* music) { music_ = music; }

    void render(std::int16_t* out, int frames);

    // Replaces the effect that plays, if any, from its first sample.
    void startEffect(const Sound* sound);
    // Stops the effect and the music: the device they played on went away.
    void cut();
    const Sound* effect() const { return effectPlaying() ? effect_ : nullptr; }
    bool effectPlaying() const { return effect_ && effectAt_ < effect_->samples.size(); }

    // Asks the music itself, so a piece started since the last buffer counts at once.
    bool sounding() { return effectPlaying() || (music_ && music_->sounding()); }
    // Frames rendered since the last one that carried any sound.
    long silentFrames() const { return silentFrames_; }

private:
    MusicSource* music_ = nullptr;
    const Sound* effect_ = nullptr;
    std::size_t effectAt_ = 0;
    long silentFrames_ = 0;
};

} // namespace zunaka
