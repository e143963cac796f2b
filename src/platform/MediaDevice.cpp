#include "MediaDevice.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace zunaka {

namespace {

bool sameWord(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// Splits at blanks; a word in double quotes is one word however many blanks it holds. Returns nothing for
// an unterminated quote.
std::optional<std::vector<std::string>> splitWords(std::string_view text)
{
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ') {
            ++i;
            continue;
        }
        if (text[i] == '"') {
            const auto close = text.find('"', i + 1);
            if (close == std::string_view::npos)
                return std::nullopt;
            words.emplace_back(text.substr(i + 1, close - i - 1));
            i = close + 1;
            continue;
        }
        const auto end = std::min(text.find(' ', i), text.size());
        words.emplace_back(text.substr(i, end - i));
        i = end;
    }
    return words;
}

bool matches(const std::vector<std::string>& words, std::initializer_list<std::string_view> pattern)
{
    if (words.size() != pattern.size())
        return false;
    auto word = words.begin();
    for (std::string_view expected : pattern) {
        if (!expected.empty() && !sameWord(*word, expected))
            return false;
        ++word;
    }
    return true;
}

// Whether the word after the verb begins with a double quote: an open names its path in quotes. A quote
// elsewhere in the text does not make an unquoted path one.
bool secondWordQuoted(std::string_view text)
{
    const auto verb = text.find_first_not_of(' ');
    const auto blank = text.find(' ', verb);
    const auto second = text.find_first_not_of(' ', blank);
    return second != std::string_view::npos && text[second] == '"';
}

} // namespace

std::optional<MediaCommand> parseMediaCommand(std::string_view text)
{
    const auto words = splitWords(text);
    if (!words)
        return std::nullopt;
    const auto& w = *words;
    // An empty pattern word stands for the path or the alias.
    if (matches(w, {"open", "", "type", "sequencer", "alias", ""}) && secondWordQuoted(text))
        return MediaCommand{MediaVerb::Open, w[5], w[1]};
    if (matches(w, {"play", "", "from", "0"}))
        return MediaCommand{MediaVerb::Play, w[1], {}};
    if (matches(w, {"stop", ""}))
        return MediaCommand{MediaVerb::Stop, w[1], {}};
    if (matches(w, {"close", ""}))
        return MediaCommand{MediaVerb::Close, w[1], {}};
    return std::nullopt;
}

int MediaDevice::send(std::string_view text)
{
    const auto command = parseMediaCommand(text);
    if (!command)
        return mci::kUnknownCommand;
    if (command->verb == MediaVerb::Open)
        return open(*command);
    if (!alias_ || !sameWord(*alias_, command->alias))
        return mci::kNotOpen;
    switch (command->verb) {
    case MediaVerb::Play:
        backend_.playFromStart();
        break;
    case MediaVerb::Stop:
        backend_.stop();
        break;
    case MediaVerb::Close:
        backend_.close();
        alias_.reset();
        break;
    case MediaVerb::Open:
        break;
    }
    return mci::kOk;
}

int MediaDevice::open(const MediaCommand& command)
{
    if (alias_)
        return mci::kAliasInUse;
    if (!backend_.load(command.path))
        return mci::kCannotOpen;
    alias_ = command.alias;
    return mci::kOk;
}

} // namespace zunaka
