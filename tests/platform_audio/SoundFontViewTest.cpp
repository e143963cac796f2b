#include "platform/qt/audio/FluidSettings.h"
#include "platform/qt/audio/PiecePresets.h"
#include "platform/qt/audio/SoundFont.h"
#include "platform/qt/audio/SoundFontView.h"
#include "platform/qt/audio/ViewLoader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

namespace zunaka {
namespace {

// A standard MIDI file of one track holding `events` (delta times included), closed by end of track.
std::string midiFile(const std::string& events)
{
    const std::string track = events + std::string("\x00\xFF\x2F\x00", 4);
    std::string file("MThd\x00\x00\x00\x06\x00\x00\x00\x01\x00\x60MTrk", 18);
    for (int shift = 24; shift >= 0; shift -= 8)
        file.push_back(static_cast<char>((track.size() >> shift) & 0xFF));
    return file + track;
}

std::string bytes(std::initializer_list<int> values)
{
    std::string out;
    for (const int v : values)
        out.push_back(static_cast<char>(v));
    return out;
}

TEST(PiecePresets, TheProgramsAPieceSelectsAndTheChannelsThatPlayBeforeChoosing)
{
    // A piece; the presets it selects, and the channels that play before any selection.
    const std::tuple<const char*, std::string, std::set<PresetId>, std::set<int>> cases[] = {
        {"program change", midiFile(bytes({0, 0xC0, 5})), {{0, 5}}, {}},
        {"bank select first", midiFile(bytes({0, 0xB1, 0, 8, 0, 0xC1, 3})), {{8, 3}}, {}},
        {"drum channel in the drum bank", midiFile(bytes({0, 0xB9, 0, 8, 0, 0xC9, 16})), {{128, 16}}, {}},
        {"note before any program", midiFile(bytes({0, 0x92, 60, 100, 10, 0xC2, 7})), {{0, 7}}, {2}},
        {"note off as note on at zero", midiFile(bytes({0, 0x93, 60, 0, 0, 0xC3, 1})), {{0, 1}}, {}},
        {"running status, meta, sysex", midiFile(bytes({0, 0xFF, 0x03, 2, 'h', 'i', 0, 0xF0, 2, 0x7E, 0xF7, 0, 0xC4, 9,
                                                         0, 0x94, 60, 90, 10, 62, 90})),
         {{0, 9}}, {}},
        {"cut short", midiFile(bytes({0, 0xC5, 2, 0, 0x95})).substr(0, 28), {{0, 2}}, {}},
        {"not MIDI", "RIFF and more", {}, {}},
    };
    for (const auto& [name, midi, presets, defaultChannels] : cases) {
        const PieceNeeds needs = piecePresets(midi);
        EXPECT_EQ(std::pair(needs.presets, needs.defaultChannels), std::pair(presets, defaultChannels)) << name;
    }
}

// Renders `seconds` of `piece` with the game's synthesizer settings from the SoundFont FluidSynth finds
// under `name`, no preset selected before the piece selects its own.
std::vector<std::int16_t> render(const std::string& name, const std::string& piece, int seconds)
{
    const FluidSettingsPtr settings = musicSettings();
    const FluidSynthPtr synth(new_fluid_synth(settings.get()));
    fluid_synth_add_sfloader(synth.get(), newViewLoader(settings.get()));
    if (fluid_synth_sfload(synth.get(), name.c_str(), 0) == FLUID_FAILED)
        return {};
    const FluidPlayerPtr player(new_fluid_player(synth.get()));
    fluid_player_add_mem(player.get(), piece.data(), piece.size());
    fluid_player_play(player.get());
    std::vector<std::int16_t> out(static_cast<std::size_t>(seconds) * 44100 * 2);
    fluid_synth_write_s16(synth.get(), static_cast<int>(out.size() / 2), out.data(), 0, 2, out.data(), 1, 2);
    return out;
}

// The game's piece played from a view of the SoundFont holding only its presets gives the very samples it
// gives from the whole file.
TEST(SoundFontView, ThePieceSoundsTheSameAsFromTheWholeSoundFont)
{
    constexpr int kSeconds = 30;
    const auto font = soundFontToLoad();
    ASSERT_TRUE(font) << "no General MIDI SoundFont installed";
    std::ifstream file(ZUNAKA_MUSIC_FILE, std::ios::binary);
    const std::string piece((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const PieceNeeds needs = piecePresets(piece);
    ASSERT_FALSE(needs.presets.empty());
    const auto view = SoundFontView::make(*font, needs.presets);
    ASSERT_TRUE(view);
    EXPECT_EQ(view->presetCount(), static_cast<int>(needs.presets.size()));

    const std::vector<std::int16_t> whole = render(*font, piece, kSeconds);
    const std::vector<std::int16_t> viewed = render(viewName(*view), piece, kSeconds);
    ASSERT_EQ(viewed.size(), whole.size());
    const auto differs = std::mismatch(whole.begin(), whole.end(), viewed.begin());
    EXPECT_TRUE(differs.first == whole.end())
        << "first difference at sample " << (differs.first - whole.begin()) << " of " << whole.size();
    EXPECT_GT(*std::max_element(whole.begin(), whole.end()), 1000) << "the piece rendered silent";
}

} // namespace
} // namespace zunaka
