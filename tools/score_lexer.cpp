#include "score_lexer.hpp"

#include "pitch.hpp"
#include "score_parser.hpp"

#include <cctype>
#include <charconv>
#include <optional>

namespace zunaka::score {
namespace {

bool isBlank(char c)
{
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

std::vector<Word> splitWords(std::string_view text, int lineNumber)
{
    std::vector<Word> words;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (isBlank(text[pos])) {
            ++pos;
            continue;
        }
        std::string word;
        int depth = 0;
        while (pos < text.size() && (depth > 0 || !isBlank(text[pos]))) {
            const char c = text[pos++];
            if (c == '[')
                ++depth;
            else if (c == ']' && --depth < 0)
                throw ScoreError(lineNumber, "']' without '['");
            // Inside brackets any run of blanks separates the notes by exactly one space.
            if (depth > 0 && isBlank(c)) {
                if (word.back() != ' ')
                    word += ' ';
                continue;
            }
            word += c;
        }
        if (depth > 0)
            throw ScoreError(lineNumber, "'[' without ']'");
        words.push_back({word, lineNumber});
    }
    return words;
}

} // namespace

std::vector<ScoreLine> splitScore(std::string_view text)
{
    std::vector<ScoreLine> lines;
    int number = 0;
    while (!text.empty()) {
        ++number;
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        line = line.substr(0, line.find(kCommentMark));
        auto words = splitWords(line, number);
        if (!words.empty())
            lines.push_back({number, std::move(words)});
    }
    return lines;
}

std::map<std::string, int> parseOptions(const ScoreLine& line, std::size_t first)
{
    std::map<std::string, int> options;
    for (std::size_t i = first; i < line.words.size(); ++i) {
        const std::string& word = line.words[i].text;
        const std::size_t equals = word.find('=');
        int value = 0;
        const char* end = word.data() + word.size();
        if (equals == std::string::npos || equals == 0)
            throw ScoreError(line.number, "expected key=value, found '" + word + "'");
        auto [ptr, ec] = std::from_chars(word.data() + equals + 1, end, value);
        if (ec != std::errc() || ptr != end || equals + 1 == word.size())
            throw ScoreError(line.number, "'" + word + "' needs a whole number after '='");
        options[word.substr(0, equals)] = value;
    }
    return options;
}

Step splitStep(const Word& word, std::uint32_t ticksPerQuarter)
{
    Step step;
    std::string_view text = word.text;
    if (text.starts_with('>')) {
        step.accent = true;
        text.remove_prefix(1);
    }
    const std::size_t close = text.rfind(']');
    const std::size_t slash = text.find('/', close == std::string_view::npos ? 0 : close);
    if (slash != std::string_view::npos) {
        step.duration = parseDuration(text.substr(slash + 1), ticksPerQuarter);
        if (!step.duration)
            throw ScoreError(word.line, "bad duration in '" + word.text + "'");
        text = text.substr(0, slash);
    }
    step.what = text;
    return step;
}

std::vector<std::string> members(const std::string& what)
{
    std::vector<std::string> out;
    if (!what.starts_with('[')) {
        out.push_back(what);
        return out;
    }
    std::string_view inner(what);
    inner = inner.substr(1, inner.size() - 2);
    while (!inner.empty()) {
        const std::size_t space = inner.find(' ');
        if (space != 0)
            out.emplace_back(inner.substr(0, space));
        inner.remove_prefix(space == std::string_view::npos ? inner.size() : space + 1);
    }
    return out;
}

std::vector<Word> unrollRepeats(const std::vector<Word>& body)
{
    std::vector<Word> out;
    std::optional<std::size_t> start;
    for (const Word& word : body) {
        if (word.text == "|:") {
            if (start)
                throw ScoreError(word.line, "repeats cannot nest");
            start = out.size();
            out.push_back({"|", word.line});
        } else if (word.text == ":|") {
            const std::vector<Word> section(out.begin() + static_cast<long>(start.value_or(0)), out.end());
            out.push_back({"|", word.line});
            out.insert(out.end(), section.begin(), section.end());
            out.push_back({"|", word.line});
            start.reset();
        } else {
            out.push_back(word);
        }
    }
    if (start)
        throw ScoreError(body.back().line, "'|:' is never closed");
    return out;
}

} // namespace zunaka::score
