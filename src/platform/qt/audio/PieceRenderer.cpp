#include "PieceRenderer.h"

#include "FluidSettings.h"
#include "PiecePresets.h"
#include "RenderedPiece.h"
#include "SoundFontView.h"
#include "ViewLoader.h"

#include <optional>
#include <vector>

namespace zunaka {

namespace {

// Loads only the presets the piece selects, through a SoundFontView (the whole file if the view cannot be
// made). A channel that plays before it selects a preset gets the default one, so no other instrument's
// samples are read. `view` keeps the view alive for as long as FluidSynth reads samples through it.
bool loadSoundFont(fluid_synth_t* synth, const std::string& piece, const std::string& soundFont,
                   std::optional<SoundFontView>& view)
{
    const PieceNeeds needs = piecePresets(piece);
    std::set<PresetId> asked = needs.presets;
    for (const int channel : needs.defaultChannels)
        asked.insert({channel == gm::kDrumChannel ? gm::kDrumBank : 0, 0});
    view = SoundFontView::make(soundFont, asked);
    const std::string name = view ? viewName(*view) : soundFont;
    if (fluid_synth_sfload(synth, name.c_str(), 0) == FLUID_FAILED) {
        std::fprintf(stderr, "zunaka: no music: %s could not be read\n", soundFont.c_str());
        return false;
    }
    for (const int channel : needs.defaultChannels)
        fluid_synth_program_change(synth, channel, 0);
    return true;
}

bool ringsOn(fluid_player_t* player, fluid_synth_t* synth)
{
    return fluid_player_get_status(player) == FLUID_PLAYER_PLAYING || fluid_synth_get_active_voice_count(synth) > 0;
}

} // namespace

bool renderPiece(const std::string& piece, const std::string& soundFont, std::FILE* out)
{
    const FluidSettingsPtr settings = musicSettings();
    const FluidSynthPtr synth(new_fluid_synth(settings.get()));
    if (!synth)
        return false;
    // Tried before the loaders the synthesizer comes with; it takes only the names viewName() makes.
    fluid_synth_add_sfloader(synth.get(), newViewLoader(settings.get()));
    std::optional<SoundFontView> view;
    if (!loadSoundFont(synth.get(), piece, soundFont, view))
        return false;
    const FluidPlayerPtr player(new_fluid_player(synth.get()));
    fluid_player_add_mem(player.get(), piece.data(), piece.size());
    fluid_player_play(player.get());

    const rendered::Header header;
    bool written = std::fwrite(&header, sizeof header, 1, out) == 1;
    std::vector<std::int16_t> block(output::kBufferFrames * output::kChannels);
    for (long frames = 0; written && frames < rendered::kMaxFrames && ringsOn(player.get(), synth.get());
         frames += output::kBufferFrames) {
        fluid_synth_write_s16(synth.get(), output::kBufferFrames, block.data(), 0, output::kChannels, block.data(),
                              1, output::kChannels);
        written = std::fwrite(block.data(), sizeof block[0], block.size(), out) == block.size();
    }
    return written;
}

} // namespace zunaka
