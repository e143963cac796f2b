#pragma once

#include <functional>
#include <optional>
#include <string>

namespace zunaka {

namespace soundfont {
// Smallest first: the General MIDI SoundFonts Debian installs under these names.
constexpr const char* kCandidates[] = {
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
    "/usr/share/sounds/sf3/default-GM.sf3",
    "/usr/share/sounds/sf2/default-GM.sf2",
};
// The variable SDL programs read their SoundFonts from: a user who set it for them gets it here too.
constexpr const char* kUserVariable = "SDL_SOUNDFONTS";
// Separators of the paths in it.
constexpr const char* kSeparators = ":;";
} // namespace soundfont

using FileExists = std::function<bool(const std::string&)>;

// The SoundFont the music loads: the first existing one the user named in SDL_SOUNDFONTS (`userValue`,
// null when unset), else the first installed candidate; nothing when there is none.
std::optional<std::string> soundFontToLoad(const char* userValue, const FileExists& exists);

// Looks at the real environment and file system.
std::optional<std::string> soundFontToLoad();

} // namespace zunaka
