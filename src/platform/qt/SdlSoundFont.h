#pragma once

#include <functional>
#include <optional>
#include <string>

namespace zunaka {

namespace soundfont {
// Smallest first: SDL_mixer reads the whole SoundFont each time it loads a MIDI file.
constexpr const char* kCandidates[] = {
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
    "/usr/share/sounds/sf3/default-GM.sf3",
    "/usr/share/sounds/sf2/default-GM.sf2",
};
constexpr const char* kUserVariable = "SDL_SOUNDFONTS";
} // namespace soundfont

using FileExists = std::function<bool(const std::string&)>;

// The SoundFont to hand to Mix_SetSoundFonts, or nothing: when the user named SoundFonts in
// SDL_SOUNDFONTS (`userValue`, null when unset) SDL_mixer reads that variable itself, and a call would
// override it.
std::optional<std::string> soundFontToSet(const char* userValue, const FileExists& exists);

// Looks at the real environment and file system.
std::optional<std::string> soundFontToSet();

} // namespace zunaka
