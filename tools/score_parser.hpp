// Reads our plain-text score notation (see assets/music/Blugrass.score for the grammar, explained at
// its top) into a MIDI song. Called by zunaka_midi_writer; every fault names the score's line.
#pragma once

#include "midi_file.hpp"

#include <stdexcept>
#include <string>
#include <string_view>

namespace zunaka::score {

class ScoreError : public std::runtime_error {
public:
    ScoreError(int line, const std::string& message);
    int line() const { return line_; }

private:
    int line_;
};

midi::Song parseScore(std::string_view text);

} // namespace zunaka::score
