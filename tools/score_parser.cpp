// Two steps: the header lines (time, tempo, pattern, track) are read in order, collecting each
// track's body words; then every body is unrolled (repeat marks) and played out into timed notes.
#include "score_parser.hpp"

#include "pitch.hpp"
#include "score_lexer.hpp"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>

namespace zunaka::score {
namespace {

constexpr std::uint16_t kTicksPerQuarter = 480;
constexpr int kAccent = 14;
constexpr int kMaxData = 127;
constexpr int kMaxChannel = 15;
constexpr int kFullGate = 100;

struct Pattern {
    int lowKey = 55;  // G3
    std::vector<Word> steps;
};

struct TrackSource {
    midi::Track track;
    int velocity = 80;
    int gate = kFullGate;
    std::vector<Word> body;
};

int checkedRange(const Word& word, int value, int low, int high, const char* what)
{
    if (value < low || value > high)
        throw ScoreError(word.line, std::string(what) + " out of range in '" + word.text + "'");
    return value;
}

class Parser {
public:
    midi::Song run(std::string_view text)
    {
        song_.ticksPerQuarter = kTicksPerQuarter;
        for (const ScoreLine& line : splitScore(text))
            readLine(line);
        if (sources_.empty())
            throw ScoreError(0, "the score has no track");
        for (TrackSource& source : sources_)
            song_.tracks.push_back(playTrack(source));
        checkEnds();
        if (song_.tempos.empty() || song_.tempos.front().tick != 0)
            song_.tempos.insert(song_.tempos.begin(), midi::TempoChange{0, 120.0});
        return song_;
    }

private:
    std::uint32_t barTicks() const { return 4u * song_.ticksPerQuarter * song_.beatsPerBar / song_.beatUnit; }

    void readLine(const ScoreLine& line)
    {
        const Word& head = line.words.front();
        if (head.text == "time")
            return readTime(line);
        if (head.text == "tempo")
            return readTempo(line);
        if (head.text == "pattern")
            return readPattern(line);
        if (head.text == "track")
            return readTrack(line);
        if (sources_.empty())
            throw ScoreError(line.number, "notes before the first track line: '" + head.text + "'");
        auto& body = sources_.back().body;
        body.insert(body.end(), line.words.begin(), line.words.end());
    }

    void readTime(const ScoreLine& line)
    {
        const std::string text = line.words.size() == 2 ? line.words[1].text : "";
        const std::size_t slash = text.find('/');
        const int beats = slash == std::string::npos ? 0 : std::atoi(text.substr(0, slash).c_str());
        const int unit = slash == std::string::npos ? 0 : std::atoi(text.substr(slash + 1).c_str());
        if (beats < 1 || beats > 16 || (unit != 2 && unit != 4 && unit != 8) || !sources_.empty())
            throw ScoreError(line.number, "write the time signature as 'time 4/4' before the first track");
        song_.beatsPerBar = static_cast<std::uint8_t>(beats);
        song_.beatUnit = static_cast<std::uint8_t>(unit);
    }

    void readTempo(const ScoreLine& line)
    {
        const int bpm = line.words.size() >= 2 ? std::atoi(line.words[1].text.c_str()) : 0;
        const auto options = parseOptions(line, 2);
        const int bar = options.contains("bar") ? options.at("bar") : 1;
        if (bpm < 20 || bpm > 400 || bar < 1 || options.size() > (options.contains("bar") ? 1u : 0u))
            throw ScoreError(line.number, "write a tempo as 'tempo 132' or 'tempo 120 bar=33'");
        const std::uint32_t tick = static_cast<std::uint32_t>(bar - 1) * barTicks();
        if (!song_.tempos.empty() && song_.tempos.back().tick >= tick)
            throw ScoreError(line.number, "tempo changes must come in order of bars");
        song_.tempos.push_back({tick, static_cast<double>(bpm)});
    }

    void readPattern(const ScoreLine& line)
    {
        const auto& words = line.words;
        const bool wellFormed = words.size() >= 5 && words[2].text.starts_with("from=") && words[3].text == ":";
        const auto low = wellFormed ? parseNoteName(std::string_view(words[2].text).substr(5)) : std::nullopt;
        if (!low)
            throw ScoreError(line.number, "write a pattern as 'pattern NAME from=G3 : steps...'");
        Pattern pattern{*low, {words.begin() + 4, words.end()}};
        if (!patterns_.emplace(words[1].text, pattern).second)
            throw ScoreError(line.number, "pattern '" + words[1].text + "' is defined twice");
    }

    void readTrack(const ScoreLine& line)
    {
        if (line.words.size() < 2)
            throw ScoreError(line.number, "a track needs a name");
        const auto options = parseOptions(line, 2);
        TrackSource source;
        source.track.name = line.words[1].text;
        const auto option = [&](const char* key, int fallback, int high) {
            const int value = options.contains(key) ? options.at(key) : fallback;
            return checkedRange(line.words[0], value, 0, high, key);
        };
        source.track.channel = static_cast<std::uint8_t>(option("channel", int(sources_.size()), kMaxChannel));
        source.track.program = static_cast<std::uint8_t>(option("program", 0, kMaxData));
        source.track.volume = static_cast<std::uint8_t>(option("volume", kMaxData, kMaxData));
        source.track.pan = static_cast<std::uint8_t>(option("pan", 64, kMaxData));
        source.velocity = option("velocity", 80, kMaxData);
        source.gate = std::max(1, option("gate", kFullGate, kFullGate));
        sources_.push_back(std::move(source));
    }

    midi::Track playTrack(TrackSource& source);
    void playStep(TrackSource& source, const Word& word, const Pattern* pattern, const Chord* chord);
    void checkEnds() const;

    midi::Song song_;
    std::map<std::string, Pattern> patterns_;
    std::vector<TrackSource> sources_;
    std::vector<std::uint32_t> ends_;  // the tick where each track's last step ends
    std::uint32_t tick_ = 0;
    std::uint32_t length_ = 0;
};

midi::Track Parser::playTrack(TrackSource& source)
{
    tick_ = 0;
    length_ = song_.ticksPerQuarter;
    for (const Word& word : unrollRepeats(source.body)) {
        if (word.text == "|") {
            if (tick_ % barTicks() != 0)
                throw ScoreError(word.line, "bar line in the middle of bar " + std::to_string(tick_ / barTicks() + 1) +
                                                " of track " + source.track.name);
        } else if (word.text.size() > 1 && word.text[0] == 'v' && std::isdigit(static_cast<unsigned char>(word.text[1]))) {
            source.velocity = checkedRange(word, std::atoi(word.text.c_str() + 1), 1, kMaxData, "velocity");
        } else if (const std::size_t colon = word.text.find(':'); colon != std::string::npos) {
            const auto chord = parseChord(std::string_view(word.text).substr(0, colon));
            const auto found = patterns_.find(word.text.substr(colon + 1));
            if (!chord || found == patterns_.end())
                throw ScoreError(word.line, "unknown chord or pattern in '" + word.text + "'");
            const std::uint32_t keep = length_;
            for (const Word& step : found->second.steps)
                playStep(source, step, &found->second, &*chord);
            length_ = keep;
        } else {
            playStep(source, word, nullptr, nullptr);
        }
    }
    ends_.push_back(tick_);
    return source.track;
}

// Plays one note, chord or rest at the current tick; inside a pattern the numbers are chord tones.
void Parser::playStep(TrackSource& source, const Word& word, const Pattern* pattern, const Chord* chord)
{
    const Step step = splitStep(word, song_.ticksPerQuarter);
    if (step.duration)
        length_ = *step.duration;
    if (step.what != "r") {
        const int velocity = std::min(kMaxData, source.velocity + (step.accent ? kAccent : 0));
        const std::uint32_t sounding = std::max(1u, length_ * static_cast<std::uint32_t>(source.gate) / kFullGate);
        for (const std::string& member : members(step.what)) {
            std::optional<int> key;
            // In a pattern a number is a chord tone; a note name there is a fixed note, like the
            // banjo's open fifth string that sounds over every chord.
            char* end = nullptr;
            const long index = std::strtol(member.c_str(), &end, 10);
            if (pattern && !member.empty() && *end == '\0')
                key = chordTone(*chord, pattern->lowKey, static_cast<int>(index));
            else
                key = parseNoteName(member);
            if (!key)
                throw ScoreError(word.line, "cannot read '" + member + "' in '" + word.text + "'");
            source.track.notes.push_back({tick_, sounding, static_cast<std::uint8_t>(*key),
                                          static_cast<std::uint8_t>(velocity)});
        }
    }
    tick_ += length_;
}

// Every part must last equally long and stop on a bar line, so a missing beat is found here rather
// than heard as one instrument drifting against the others.
void Parser::checkEnds() const
{
    for (std::size_t i = 0; i < ends_.size(); ++i) {
        const std::string& name = song_.tracks[i].name;
        if (ends_[i] % barTicks() != 0)
            throw ScoreError(0, "track " + name + " stops in the middle of a bar");
        if (ends_[i] != ends_.front())
            throw ScoreError(0, "track " + name + " lasts " + std::to_string(ends_[i] / barTicks()) +
                                    " bars, track " + song_.tracks.front().name + " " +
                                    std::to_string(ends_.front() / barTicks()));
    }
}

} // namespace

ScoreError::ScoreError(int line, const std::string& message)
    : std::runtime_error(line > 0 ? "line " + std::to_string(line) + ": " + message : message), line_(line)
{
}

midi::Song parseScore(std::string_view text)
{
    return Parser().run(text);
}

} // namespace zunaka::score
