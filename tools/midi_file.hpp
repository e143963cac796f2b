// Standard MIDI File (format 1) encoding for the background music.
// The score parser fills a MidiSong; zunaka_midi_writer hands it to encodeMidiFile and writes the bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zunaka::midi {

struct Note {
    std::uint32_t tick = 0;    // start, in ticks from the top of the piece
    std::uint32_t length = 0;  // in ticks, > 0
    std::uint8_t key = 60;
    std::uint8_t velocity = 80;
};

struct Track {
    std::string name;
    std::uint8_t channel = 0;  // 0..15; 9 is General MIDI percussion
    std::uint8_t program = 0;  // zero-based General MIDI program
    std::uint8_t volume = 100; // controller 7
    std::uint8_t pan = 64;     // controller 10, 0 = left, 127 = right
    std::vector<Note> notes;
};

struct TempoChange {
    std::uint32_t tick = 0;
    double quartersPerMinute = 120.0;
};

struct Song {
    std::uint16_t ticksPerQuarter = 480;
    std::uint8_t beatsPerBar = 4;
    std::uint8_t beatUnit = 4;  // a power of two
    std::vector<TempoChange> tempos;  // sorted by tick; the first one sits at tick 0
    std::vector<Track> tracks;
};

// Appends a MIDI variable-length quantity (7 bits a byte, most significant first, high bit = more follows).
void appendVarLength(std::vector<std::uint8_t>& out, std::uint32_t value);

// Tick of the last note-off of any track (0 for a song without notes).
std::uint32_t endTick(const Song& song);

// Seconds from the top to `tick`, following the tempo changes.
double secondsAt(const Song& song, std::uint32_t tick);

// Seconds until the last note ends.
double durationSeconds(const Song& song);

// The whole file: header, conductor track (time signature, tempo map), then one track per instrument.
std::vector<std::uint8_t> encodeMidiFile(const Song& song);

} // namespace zunaka::midi
