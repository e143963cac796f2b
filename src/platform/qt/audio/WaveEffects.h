#pragma once

#include "SoundMixer.h"

#include <map>
#include <memory>
#include <string>

namespace zunaka {

class AudioDevice;

// The WAVE effects, on the mixer's one effect voice, so a new effect can cut (or be refused by) only the
// previous effect, never the music. Each file is read and turned into the output format on its first
// use and kept: the game plays the same two all game long.
class WaveEffects {
public:
    WaveEffects(SoundMixer& mixer, AudioDevice& device) : mixer_(mixer), device_(device) {}

    // With kSndNoStop the request is dropped while an effect still sounds; otherwise the new one replaces
    // it. A file that cannot be read is silent, and is not tried again.
    void play(const std::string& path, unsigned flags);

private:
    const Sound* soundFor(const std::string& path);

    SoundMixer& mixer_;
    AudioDevice& device_;
    std::map<std::string, std::unique_ptr<Sound>> sounds_;  // null: the file could not be read
};

} // namespace zunaka
