// What the music costs, apart from the game: the helper's one rendering of the piece with the game's
// settings (processor time, and that time over the piece's length: what the audio thread would spend on
// it in every game if it rendered as it played), and an open SDL audio device with nothing to play, which
// is what the audio thread costs in a game now that it reads the rendering.
//
//   music-cost PIECE.mid      prints "render-ms <ms>", "synth <percent>", "device <percent>"
#include "platform/qt/audio/AudioDevice.h"
#include "platform/qt/audio/PieceRenderer.h"
#include "platform/qt/audio/RenderedPiece.h"
#include "platform/qt/audio/SoundFont.h"
#include "platform/qt/audio/SoundMixer.h"

#include <SDL.h>

#include <cstdio>
#include <ctime>
#include <fstream>
#include <iterator>
#include <string>

namespace {

constexpr int kDeviceSeconds = 5;

double processSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    std::ifstream file(argv[1], std::ios::binary);
    const std::string piece((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const auto font = zunaka::soundFontToLoad();
    std::FILE* rendering = std::tmpfile();
    if (!font || !rendering)
        return 1;
    const double renderStart = processSeconds();
    if (!zunaka::renderPiece(piece, *font, rendering))
        return 1;
    const double renderSeconds = processSeconds() - renderStart;
    const double pieceSeconds = static_cast<double>(std::ftell(rendering) - sizeof(zunaka::rendered::Header)) /
                                zunaka::rendered::kFrameBytes / zunaka::output::kRate;
    std::fclose(rendering);
    std::printf("render-ms %.0f\n", 1000 * renderSeconds);
    std::printf("synth %.2f\n", 100 * renderSeconds / pieceSeconds);

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
