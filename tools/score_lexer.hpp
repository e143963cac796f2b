// Splits score text into lines of words for the score parser: drops comments and blank lines, keeps a
// bracketed chord such as "[G3 B3 D4]/4" together as one word.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zunaka::score {

struct Word {
    std::string text;
    int line = 0;
};

struct ScoreLine {
    int number = 0;  // 1-based, as an editor shows it
    std::vector<Word> words;
};

constexpr char kCommentMark = '%';

std::vector<ScoreLine> splitScore(std::string_view text);

// Reads "key=value" words with whole-number values, from `first` on; throws ScoreError on anything else.
std::map<std::string, int> parseOptions(const ScoreLine& line, std::size_t first);

// One step of a body or pattern: "[>]WHAT[/DURATION]", WHAT being a note, "r", a number or "[...]".
struct Step {
    bool accent = false;
    std::string what;
    std::optional<std::uint32_t> duration;
};

Step splitStep(const Word& word, std::uint32_t ticksPerQuarter);

// The notes of a bracketed chord "[a b c]", or the single item itself.
std::vector<std::string> members(const std::string& what);

// Copies the words with every |: ... :| section written out twice; a :| without |: repeats from the top.
// Each repeat mark becomes a bar line, so the bar checks hold across the repeat.
std::vector<Word> unrollRepeats(const std::vector<Word>& body);

} // namespace zunaka::score
