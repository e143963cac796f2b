#include "FluidMusic.h"

#include "AudioDevice.h"
#include "platform/qt/StandardMidiFile.h"

#include <cstdio>
#include <fstream>
#include <iterator>

namespace zunaka {

namespace {

namespace synth {
// The loudness the music had on SDL_mixer (its volume 80 of 128, which it turned into FluidSynth's gain
// times 1.2): a little under the effects, so hits and misses are heard over the song.
constexpr double kGain = 80 * 1.2 / 128;
// The piece sounds at most 20 voices at once, release tails included; each voice held costs 10 KB.
constexpr int kPolyphony = 32;
constexpr int kMidiChannels = 16;
constexpr int kResetAllControllers = 121;
// One block of FluidSynth's, enough for the player to send the piece's first events.
constexpr int kPrimeFrames = 64;
} // namespace synth

} // namespace

FluidMusic::FluidMusic(AudioDevice& device, std::optional<std::string> soundFont, bool enabled)
    : device_(device), soundFont_(std::move(soundFont)), enabled_(enabled)
{
}

FluidMusic::~FluidMusic()
{
    // The device is closed by now (SdlAudio closes it first), so no callback renders any more.
    player_.reset();
}

bool FluidMusic::makeSynth()
{
    if (synth_ || !enabled_)
        return synth_ != nullptr;
    settings_.reset(new_fluid_settings());
    fluid_settings_t* s = settings_.get();
    fluid_settings_setnum(s, "synth.sample-rate", output::kRate);
    fluid_settings_setnum(s, "synth.gain", synth::kGain);
    fluid_settings_setint(s, "synth.polyphony", synth::kPolyphony);
    // Reverb and chorus take a third of the synthesizer's time for a wet signal 25 dB under the piece.
    fluid_settings_setint(s, "synth.reverb.active", 0);
    fluid_settings_setint(s, "synth.chorus.active", 0);
    // Only the samples of the instruments selected on a channel are read, not the whole SoundFont.
    fluid_settings_setint(s, "synth.dynamic-sample-loading", 1);
    // Pinning samples would need a memory lock limit a desktop session does not give, and warn.
    fluid_settings_setint(s, "synth.lock-memory", 0);
    // A new player must not reset the synthesizer: that would unselect the piece's instruments and drop
    // their samples, to be read again in the audio callback. playFromStart() silences it instead.
    fluid_settings_setint(s, "player.reset-synth", 0);
    synth_.reset(new_fluid_synth(s));
    if (!synth_)
        return false;
    if (!soundFont_ || fluid_synth_sfload(synth_.get(), soundFont_->c_str(), 1) == FLUID_FAILED)
        std::fprintf(stderr, "zunaka: no music: no General MIDI SoundFont could be read\n");
    return true;
}

bool FluidMusic::load(const std::string& path)
{
    close();
    if (!isStandardMidiFile(path))
        return false;
    std::ifstream file(path, std::ios::binary);
    piece_.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    if (!makeSynth())
        return true;
    const AudioDevice::Lock lock(device_);
    startPlayer();
    std::vector<std::int16_t> scratch(synth::kPrimeFrames * output::kChannels);
    render(scratch.data(), synth::kPrimeFrames);
    dropPlayerAndSilence();
    return true;
}

void FluidMusic::playFromStart()
{
    if (piece_.empty() || !synth_ || !device_.open())
        return;
    const AudioDevice::Lock lock(device_);
    dropPlayerAndSilence();
    startPlayer();
}

void FluidMusic::stop()
{
    if (!synth_)
        return;
    const AudioDevice::Lock lock(device_);
    dropPlayerAndSilence();
}

void FluidMusic::close()
{
    stop();
    piece_.clear();
}

bool FluidMusic::sounding()
{
    // After a stop nothing is meant to sound: the voices it cut are let go at the next play's first buffer.
    if (!player_)
        return false;
    return fluid_player_get_status(player_.get()) == FLUID_PLAYER_PLAYING ||
           fluid_synth_get_active_voice_count(synth_.get()) > 0;
}

void FluidMusic::render(std::int16_t* out, int frames)
{
    fluid_synth_write_s16(synth_.get(), frames, out, 0, output::kChannels, out, 1, output::kChannels);
}

void FluidMusic::startPlayer()
{
    player_.reset(new_fluid_player(synth_.get()));
    fluid_player_add_mem(player_.get(), piece_.data(), piece_.size());
    fluid_player_play(player_.get());
}

void FluidMusic::dropPlayerAndSilence()
{
    player_.reset();
    fluid_synth_all_sounds_off(synth_.get(), -1);
    for (int channel = 0; channel < synth::kMidiChannels; ++channel)
        fluid_synth_cc(synth_.get(), channel, synth::kResetAllControllers, 0);
}

} // namespace zunaka
