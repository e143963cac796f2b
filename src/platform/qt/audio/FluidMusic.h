#pragma once

#include "FluidSettings.h"
#include "SoundFontView.h"
#include "SoundMixer.h"
#include "platform/MediaDevice.h"

#include <fluidsynth.h>

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zunaka {

class AudioDevice;

// The background music: one FluidSynth synthesizer for the whole run, rendered straight into the mixer,
// with the SoundFont read once, and of it only the presets the piece selects and their samples in memory.
// Every play starts a new player on the piece read at open: a player costs nothing beside the
// synthesizer, and a new one keeps nothing of the last play.
class FluidMusic final : public MusicBackend, public MusicSource {
public:
    // `soundFont`: the SoundFont to load, if any was found. The synthesizer is built also while there is
    // no sound device: one may come later.
    FluidMusic(AudioDevice& device, std::optional<std::string> soundFont);
    ~FluidMusic() override;
    FluidMusic(const FluidMusic&) = delete;
    FluidMusic& operator=(const FluidMusic&) = delete;

    // Reads a standard MIDI file, and has the synthesizer load the samples of its instruments now, on
    // the caller's thread, rather than in the audio callback when the piece begins.
    bool load(const std::string& path) override;
    // Cuts what sounds and starts the piece from its first note; opens the audio device if need be.
    void playFromStart() override;
    // Also the mixer's, when the device went away.
    void stop() override;
    void close() override;

    // Called by the mixer on the audio thread.
    bool sounding() override;
    void render(std::int16_t* out, int frames) override;

private:
    bool makeSynth();
    void loadSoundFontFor(const std::vector<char>& piece);
    void startPlayer();
    void dropPlayerAndSilence();

    AudioDevice& device_;
    std::optional<std::string> soundFont_;
    std::vector<char> piece_;
    // Every view given to the synthesizer, kept until it goes: FluidSynth reads samples through them.
    std::deque<SoundFontView> views_;
    std::set<PresetId> viewPresets_;
    int soundFontId_ = FLUID_FAILED;
    FluidSettingsPtr settings_;
    FluidSynthPtr synth_;
    FluidPlayerPtr player_;
};

} // namespace zunaka
