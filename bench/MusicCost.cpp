// What the music costs the audio thread, apart from the game: FluidSynth rendering the whole piece with
// the game's settings as fast as it can (processor time over the piece's length), the same with reverb
// and chorus on, and an open SDL audio device with nothing to play.
//
//   music-cost PIECE.mid      prints "synth <percent>", "synth-effects <percent>", "device <percent>"
#include "platform/qt/audio/AudioDevice.h"
#include "platform/qt/audio/FluidSettings.h"
#include "platform/qt/audio/PiecePresets.h"
#include "platform/qt/audio/SoundFont.h"
#include "platform/qt/audio/SoundFontView.h"
#include "platform/qt/audio/SoundMixer.h"
#include "platform/qt/audio/ViewLoader.h"

#include <SDL.h>

#include <cstdio>
#include <ctime>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr int kDeviceSeconds = 5;

double processSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// Processor time to render the piece, in % of the piece's own length.
double renderShare(const std::string& soundFont, const std::string& piece, bool effects)
{
    const zunaka::FluidSettingsPtr settings = zunaka::musicSettings();
    fluid_settings_setint(settings.get(), "synth.reverb.active", effects);
    fluid_settings_setint(settings.get(), "synth.chorus.active", effects);
    const zunaka::FluidSynthPtr synth(new_fluid_synth(settings.get()));
    fluid_synth_add_sfloader(synth.get(), zunaka::newViewLoader(settings.get()));
    if (fluid_synth_sfload(synth.get(), soundFont.c_str(), 0) == FLUID_FAILED)
        return -1;
    const zunaka::FluidPlayerPtr player(new_fluid_player(synth.get()));
    fluid_player_add_mem(player.get(), piece.data(), piece.size());
    fluid_player_play(player.get());
    std::vector<std::int16_t> buffer(zunaka::output::kBufferFrames * zunaka::output::kChannels);
    long frames = 0;
    const double start = processSeconds();
    while (fluid_player_get_status(player.get()) == FLUID_PLAYER_PLAYING) {
        fluid_synth_write_s16(synth.get(), zunaka::output::kBufferFrames, buffer.data(), 0, 2, buffer.data(), 1, 2);
        frames += zunaka::output::kBufferFrames;
    }
    return 100 * (processSeconds() - start) / (static_cast<double>(frames) / zunaka::output::kRate);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    std::ifstream file(argv[1], std::ios::binary);
    const std::string piece((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const auto font = zunaka::soundFontToLoad();
    if (!font)
        return 1;
    const auto view = zunaka::SoundFontView::make(*font, zunaka::piecePresets(piece).presets);
    const std::string name = view ? zunaka::viewName(*view) : *font;
    std::printf("synth %.2f\n", renderShare(name, piece, false));
    std::printf("synth-effects %.2f\n", renderShare(name, piece, true));

    // The device's thread alone: what SDL costs to keep a device open, silence or sound.
    zunaka::AudioSession session;
    zunaka::SoundMixer mixer;
    zunaka::AudioDevice device(mixer, session, [] { return zunaka::Tick(0); });
    if (!session.isUp() || !device.open())
        return 1;
    const double start = processSeconds();
    SDL_Delay(kDeviceSeconds * 1000);
    std::printf("device %.2f\n", 100 * (processSeconds() - start) / kDeviceSeconds);
    device.close();
    return 0;
}
