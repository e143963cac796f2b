#pragma once

#include "PiecePresets.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace zunaka {

// A General MIDI SoundFont as FluidSynth is given it: only the presets a piece needs, with their
// instruments, and the samples of the file itself. FluidSynth builds its structures for every preset and
// instrument of a SoundFont it loads, 7.7 MB for the smallest one Debian has, whichever it plays; for
// the four of the game's piece they take a few hundred KB. The preset data (the "pdta" list) is rewritten
// in memory; every other byte, the samples included, is read from the file as it is.
class SoundFontView {
public:
    // Nothing when the file is no SoundFont this can read, or holds none of the presets.
    static std::optional<SoundFontView> make(const std::string& path, const std::set<PresetId>& presets);

    std::uint64_t size() const { return size_; }
    const std::string& path() const { return path_; }
    // Copies `count` bytes from `offset` of the view, reading through `file`, the SoundFont opened by
    // the caller; false past the view's end or when the file fails.
    bool read(std::FILE* file, void* to, std::uint64_t offset, std::uint64_t count) const;
    // How many presets the view keeps.
    int presetCount() const { return presetCount_; }

private:
    // A piece of the view: bytes of its own, or a range of the file.
    struct Part {
        std::uint64_t at = 0;  // offset in the view
        std::vector<char> bytes;
        std::uint64_t fileOffset = 0;
        std::uint64_t length = 0;
    };

    std::string path_;
    std::vector<Part> parts_;
    std::uint64_t size_ = 0;
    int presetCount_ = 0;
};

} // namespace zunaka
