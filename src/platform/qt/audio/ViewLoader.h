#pragma once

#include "SoundFontView.h"

#include <fluidsynth.h>

#include <string>

namespace zunaka {

// A FluidSynth SoundFont loader that reads SoundFontViews. FluidSynth only passes a file name to a
// loader's callbacks, so the name from viewName() carries the view's address; the view must outlive the
// SoundFont, whose samples FluidSynth reads through it whenever an instrument is selected.
fluid_sfloader_t* newViewLoader(fluid_settings_t* settings);
std::string viewName(const SoundFontView& view);

} // namespace zunaka
