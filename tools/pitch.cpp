#include "pitch.hpp"

#include <array>
#include <charconv>
#include <string>
#include <utility>

namespace zunaka::score {
namespace {

constexpr int kSemitonesPerOctave = 12;
constexpr int kMaxKey = 127;
constexpr std::array<int, 7> kLetterClass{9, 11, 0, 2, 4, 5, 7};  // A B C D E F G

std::optional<int> parseInt(std::string_view text)
{
    int value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

// Reads "C", "C#" or "Cb" from the front of `text`; returns the pitch class and the characters used.
std::optional<std::pair<int, std::size_t>> parseRoot(std::string_view text)
{
    if (text.empty() || text[0] < 'A' || text[0] > 'G')
        return std::nullopt;
    int pitchClass = kLetterClass[static_cast<std::size_t>(text[0] - 'A')];
    std::size_t used = 1;
    if (text.size() > 1 && (text[1] == '#' || text[1] == 'b')) {
        pitchClass += text[1] == '#' ? 1 : -1;
        used = 2;
    }
    return std::pair{(pitchClass + kSemitonesPerOctave) % kSemitonesPerOctave, used};
}

std::optional<std::uint32_t> parseDurationTerm(std::string_view term, std::uint32_t ticksPerQuarter)
{
    const bool dotted = !term.empty() && term.back() == '.';
    if (dotted)
        term.remove_suffix(1);
    const auto divisor = parseInt(term);
    if (!divisor || (*divisor != 1 && *divisor != 2 && *divisor != 4 && *divisor != 8 && *divisor != 16 &&
                     *divisor != 32))
        return std::nullopt;
    const std::uint32_t whole = 4 * ticksPerQuarter;
    if (whole % static_cast<std::uint32_t>(*divisor * (dotted ? 2 : 1)) != 0)
        return std::nullopt;
    const std::uint32_t plain = whole / static_cast<std::uint32_t>(*divisor);
    return dotted ? plain + plain / 2 : plain;
}

} // namespace

std::optional<int> parseNoteName(std::string_view text)
{
    const auto root = parseRoot(text);
    if (!root)
        return std::nullopt;
    const auto octave = parseInt(text.substr(root->second));
    if (!octave)
        return std::nullopt;
    // The root's pitch class wrapped around for Cb and B#, yet they keep their letter's octave:
    // Cb4 is the B just below C4, B#3 is C4.
    int key = (*octave + 1) * kSemitonesPerOctave + root->first;
    if (text.substr(0, 2) == "Cb")
        key -= kSemitonesPerOctave;
    else if (text.substr(0, 2) == "B#")
        key += kSemitonesPerOctave;
    if (key < 0 || key > kMaxKey)
        return std::nullopt;
    return key;
}

std::optional<std::uint32_t> parseDuration(std::string_view text, std::uint32_t ticksPerQuarter)
{
    std::uint32_t total = 0;
    while (true) {
        const std::size_t plus = text.find('+');
        const auto term = parseDurationTerm(text.substr(0, plus), ticksPerQuarter);
        if (!term)
            return std::nullopt;
        total += *term;
        if (plus == std::string_view::npos)
            return total;
        text.remove_prefix(plus + 1);
    }
}

std::optional<Chord> parseChord(std::string_view text)
{
    static const std::array<std::pair<std::string_view, std::vector<int>>, 8> qualities{{
        {"", {0, 4, 7}},       {"m", {0, 3, 7}},     {"7", {0, 4, 7, 10}}, {"m7", {0, 3, 7, 10}},
        {"maj7", {0, 4, 7, 11}}, {"dim", {0, 3, 6}}, {"sus4", {0, 5, 7}},  {"6", {0, 4, 7, 9}},
    }};
    const auto root = parseRoot(text);
    if (!root)
        return std::nullopt;
    const std::string_view quality = text.substr(root->second);
    for (const auto& [name, intervals] : qualities)
        if (quality == name)
            return Chord{root->first, intervals};
    return std::nullopt;
}

std::optional<int> chordTone(const Chord& chord, int lowKey, int index)
{
    const int root = lowKey + (chord.rootClass - lowKey % kSemitonesPerOctave + kSemitonesPerOctave) % kSemitonesPerOctave;
    const int size = static_cast<int>(chord.intervals.size());
    const int octaves = index >= 0 ? index / size : -((-index + size - 1) / size);
    const int step = index - octaves * size;
    const int key = root + chord.intervals[static_cast<std::size_t>(step)] + octaves * kSemitonesPerOctave;
    if (key < 0 || key > kMaxKey)
        return std::nullopt;
    return key;
}

} // namespace zunaka::score
