// Turns a score of ours into the Standard MIDI File the game plays behind a game.
//
//   zunaka_midi_writer IN.score OUT.mid
//
// Prints the piece's length so the build log shows it next to the 67-second restart of the game.
#include "midi_file.hpp"
#include "score_parser.hpp"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: zunaka_midi_writer IN.score OUT.mid\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "zunaka_midi_writer: cannot read %s\n", argv[1]);
        return 1;
    }
    std::ostringstream text;
    text << in.rdbuf();
    try {
        const zunaka::midi::Song song = zunaka::score::parseScore(text.str());
        const auto bytes = zunaka::midi::encodeMidiFile(song);
        std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            std::fprintf(stderr, "zunaka_midi_writer: cannot write %s\n", argv[2]);
            return 1;
        }
        std::printf("%s: %zu tracks, %.2f s\n", argv[2], song.tracks.size(), zunaka::midi::durationSeconds(song));
    } catch (const zunaka::score::ScoreError& error) {
        std::fprintf(stderr, "%s:%s\n", argv[1], error.what());
        return 1;
    }
    return 0;
}
