#include "FluidSettings.h"

#include "SoundMixer.h"

namespace zunaka {

namespace {

namespace synth {
// The loudness the music had on SDL_mixer (its volume 80 of 128, which it turned into FluidSynth's gain
// times 1.2): a little under the effects, so hits and misses are heard over the song.
constexpr double kGain = 80 * 1.2 / 128;
// The piece sounds at most 20 voices at once, release tails included; each voice held costs 10 KB.
constexpr int kPolyphony = 32;
} // namespace synth

} // namespace

FluidSettingsPtr musicSettings()
{
    FluidSettingsPtr settings(new_fluid_settings());
    fluid_settings_t* s = settings.get();
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
    // The player must not reset the synthesizer as it starts: that would drop the presets chosen for the
    // channels that play before they choose one.
    fluid_settings_setint(s, "player.reset-synth", 0);
    return settings;
}

} // namespace zunaka
