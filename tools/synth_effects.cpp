// Synthesises one of the game's two sound effects into a WAV file.
//
//   zunaka_synth_effects hit|miss OUT.wav
//
// "hit" is みゃ.wav (a key caught a mole), "miss" is 金属.wav (a key caught nothing).
#include "formant_voice.hpp"
#include "metal_tink.hpp"
#include "wav_file.hpp"

#include <cstdio>
#include <fstream>
#include <string_view>

namespace {

constexpr int kSampleRate = 44100;

} // namespace

int main(int argc, char** argv)
{
    const std::string_view kind = argc == 3 ? argv[1] : "";
    if (kind != "hit" && kind != "miss") {
        std::fprintf(stderr, "usage: zunaka_synth_effects hit|miss OUT.wav\n");
        return 2;
    }
    const auto samples = kind == "hit" ? zunaka::sound::makeMya(kSampleRate) : zunaka::sound::makeTink(kSampleRate);
    const auto bytes = zunaka::sound::encodeWav(samples, kSampleRate);
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "zunaka_synth_effects: cannot write %s\n", argv[2]);
        return 1;
    }
    std::printf("%s: %.3f s\n", argv[2], double(samples.size()) / kSampleRate);
    return 0;
}
