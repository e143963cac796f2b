#pragma once

#include <set>
#include <string_view>
#include <utility>

namespace zunaka {

// A SoundFont preset as MIDI selects it: bank and program.
using PresetId = std::pair<int, int>;

namespace gm {
constexpr int kDrumChannel = 9;
constexpr int kDrumBank = 128;
} // namespace gm

// What a standard MIDI file asks of a General MIDI synthesizer, read from its events: the presets its
// program changes select (with the bank of the moment; the drum channel always in the drum bank), and
// the channels that sound a note before any program change, which play the synthesizer's default preset.
struct PieceNeeds {
    std::set<PresetId> presets;
    std::set<int> defaultChannels;
};

// Nothing for bytes that are no standard MIDI file; events after a damaged spot are not read.
PieceNeeds piecePresets(std::string_view midi);

} // namespace zunaka
