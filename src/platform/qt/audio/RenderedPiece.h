#pragma once

#include "SoundMixer.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace zunaka {

// A piece of music rendered once by zunaka-music (PieceRenderer) and played from its file by
// RenderedMusic, so the game's own process neither runs nor loads a synthesizer. The file is a header
// and then the samples in the output format, in the machine's byte order, from the piece's first note
// to the end of its last note's release.
namespace rendered {
constexpr std::array<char, 8> kMagic = {'Z', 'U', 'N', 'A', 'K', 'A', 'M', '1'};
struct Header {
    std::array<char, 8> magic = kMagic;
    std::uint32_t rate = output::kRate;
    std::uint32_t channels = output::kChannels;
};
constexpr int kFrameBytes = output::kChannels * static_cast<int>(sizeof(std::int16_t));
// The game starts its piece again every 67 seconds: a longer piece, or one whose last note never ends, is
// kept up to 90 seconds, 16 MB.
constexpr long kMaxFrames = 90L * output::kRate;
// The helper program, beside the game and its sound module.
constexpr const char* kHelper = "zunaka-music";
} // namespace rendered

// Where the rendering of `piece` (the music file's bytes) with `soundFont` is kept: a name in `folder` that
// changes with the piece, the SoundFont file and the helper program, so a replaced piece or SoundFont, or
// a new version of the game, is rendered anew.
std::string renderedPiecePath(const std::string& folder, const std::string& piece, const std::string& soundFont,
                              const std::string& helper);

// Where the renderings are kept, made if need be: the user's cache folder for the game
// ($XDG_CACHE_HOME/zunaka, else ~/.cache/zunaka), or, where that cannot be written (a read-only home),
// the session's own runtime folder, which goes with the session. Nothing when neither can be written.
std::optional<std::string> cacheFolder();

} // namespace zunaka
