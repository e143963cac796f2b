#pragma once

#include <fluidsynth.h>

#include <memory>

namespace zunaka {

struct FluidSettingsFree {
    void operator()(fluid_settings_t* settings) const { delete_fluid_settings(settings); }
};
struct FluidSynthFree {
    void operator()(fluid_synth_t* synth) const { delete_fluid_synth(synth); }
};
struct FluidPlayerFree {
    void operator()(fluid_player_t* player) const { delete_fluid_player(player); }
};
using FluidSettingsPtr = std::unique_ptr<fluid_settings_t, FluidSettingsFree>;
using FluidSynthPtr = std::unique_ptr<fluid_synth_t, FluidSynthFree>;
using FluidPlayerPtr = std::unique_ptr<fluid_player_t, FluidPlayerFree>;

// How the game's synthesizer is set up: the output rate, the music's loudness, and what it leaves out to
// cost less. renderPiece builds its synthesizer with these; the measurements build theirs alike.
FluidSettingsPtr musicSettings();

} // namespace zunaka
