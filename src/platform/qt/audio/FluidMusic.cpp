#include "FluidMusic.h"

#include "AudioDevice.h"
#include "PiecePresets.h"
#include "ViewLoader.h"
#include "platform/qt/MusicFile.h"

#include <cstdio>

namespace zunaka {

namespace {

namespace synth {
constexpr int kMidiChannels = 16;
constexpr int kResetAllControllers = 121;
// One block of FluidSynth's, enough for the player to send the piece's first events.
constexpr int kPrimeFrames = 64;
} // namespace synth

} // namespace

FluidMusic::FluidMusic(AudioDevice& device, std::optional<std::string> soundFont)
    : device_(device), soundFont_(std::move(soundFont))
{
}

FluidMusic::~FluidMusic()
{
    // The device is closed by now (SdlAudio closes it first), so no callback renders any more.
    player_.reset();
}

bool FluidMusic::makeSynth()
{
    if (synth_)
        return synth_ != nullptr;
    settings_ = musicSettings();
    synth_.reset(new_fluid_synth(settings_.get()));
    if (!synth_)
        return false;
    // Tried before the loaders the synthesizer comes with; it takes only the names viewName() makes.
    fluid_synth_add_sfloader(synth_.get(), newViewLoader(settings_.get()));
    return true;
}

// Loads only the presets the piece selects, through a SoundFontView; the whole file if the view cannot be
// made. No preset is selected on loading: the piece selects its own at its start, and a channel that
// plays before it selects one gets the default preset here, so no other instrument's samples are read.
void FluidMusic::loadSoundFontFor(const std::vector<char>& piece)
{
    const PieceNeeds needs = piecePresets(std::string_view(piece.data(), piece.size()));
    std::set<PresetId> asked = needs.presets;
    for (const int channel : needs.defaultChannels)
        asked.insert({channel == gm::kDrumChannel ? gm::kDrumBank : 0, 0});
    if (soundFontId_ != FLUID_FAILED && asked == viewPresets_)
        return;
    if (soundFontId_ != FLUID_FAILED)
        fluid_synth_sfunload(synth_.get(), soundFontId_, 0);
    soundFontId_ = FLUID_FAILED;
    viewPresets_ = asked;
    if (!soundFont_) {
        std::fprintf(stderr, "zunaka: no music: no General MIDI SoundFont is installed\n");
        return;
    }
    std::string name = *soundFont_;
    if (auto view = SoundFontView::make(*soundFont_, asked)) {
        views_.push_back(std::move(*view));
        name = viewName(views_.back());
    }
    soundFontId_ = fluid_synth_sfload(synth_.get(), name.c_str(), 0);
    if (soundFontId_ == FLUID_FAILED)
        std::fprintf(stderr, "zunaka: no music: %s could not be read\n", soundFont_->c_str());
    for (const int channel : needs.defaultChannels)
        fluid_synth_program_change(synth_.get(), channel, 0);
}

bool FluidMusic::load(const std::string& path)
{
    close();
    const auto piece = readStandardMidiFile(path);
    if (!piece)
        return false;
    piece_.assign(piece->begin(), piece->end());
    if (!makeSynth())
        return true;
    const AudioDevice::Lock lock(device_);
    loadSoundFontFor(piece_);
    // The piece's first block selects its instruments: their samples are read now, on this thread, and
    // not in the audio callback when the piece begins.
    startPlayer();
    std::vector<std::int16_t> scratch(synth::kPrimeFrames * output::kChannels);
    render(scratch.data(), synth::kPrimeFrames);
    dropPlayerAndSilence();
    return true;
}

void FluidMusic::playFromStart()
{
    if (piece_.empty() || !synth_ || !device_.open())
        return;
    const AudioDevice::Lock lock(device_);
    dropPlayerAndSilence();
    startPlayer();
}

void FluidMusic::stop()
{
    if (!synth_)
        return;
    const AudioDevice::Lock lock(device_);
    dropPlayerAndSilence();
}

void FluidMusic::close()
{
    stop();
    piece_.clear();
}

bool FluidMusic::sounding()
{
    // After a stop nothing is meant to sound: the voices it cut are let go at the next play's first buffer.
    if (!player_)
        return false;
    return fluid_player_get_status(player_.get()) == FLUID_PLAYER_PLAYING ||
           fluid_synth_get_active_voice_count(synth_.get()) > 0;
}

void FluidMusic::render(std::int16_t* out, int frames)
{
    fluid_synth_write_s16(synth_.get(), frames, out, 0, output::kChannels, out, 1, output::kChannels);
}

void FluidMusic::startPlayer()
{
    player_.reset(new_fluid_player(synth_.get()));
    fluid_player_add_mem(player_.get(), piece_.data(), piece_.size());
    fluid_player_play(player_.get());
}

void FluidMusic::dropPlayerAndSilence()
{
    player_.reset();
    fluid_synth_all_sounds_off(synth_.get(), -1);
    for (int channel = 0; channel < synth::kMidiChannels; ++channel)
        fluid_synth_cc(synth_.get(), channel, synth::kResetAllControllers, 0);
}

} // namespace zunaka
