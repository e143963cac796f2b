#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zunaka {

// What plays the music for a media device: the SDL mixer in the game, a recorder in tests.
class MusicBackend {
public:
    virtual ~MusicBackend() = default;
    virtual bool load(const std::string& path) = 0;  // false when the file cannot be played
    virtual void playFromStart() = 0;
    virtual void stop() = 0;
    virtual void close() = 0;
};

enum class MediaVerb { Open, Play, Stop, Close };

struct MediaCommand {
    MediaVerb verb = MediaVerb::Stop;
    std::string alias;
    std::string path;  // open only
    bool operator==(const MediaCommand&) const = default;
};

// Parses one command text: `open "<path>" type sequencer alias <alias>`, `play <alias> from 0`,
// `stop <alias>`, `close <alias>`. Words are separated by blanks (trailing blanks allowed) and compared
// without regard to case; anything else is not a command.
std::optional<MediaCommand> parseMediaCommand(std::string_view text);

namespace mci {
constexpr int kOk = 0;
constexpr int kUnknownCommand = 1;
constexpr int kNotOpen = 2;
constexpr int kAliasInUse = 3;
constexpr int kCannotOpen = 4;
} // namespace mci

// Interprets media command texts for one music device. A command that is not understood, or that names an
// alias that is not open, returns an error and does nothing; the game never looks at the result.
class MediaDevice {
public:
    explicit MediaDevice(MusicBackend& backend) : backend_(backend) {}
    int send(std::string_view text);
    bool isOpen() const { return alias_.has_value(); }

private:
    int open(const MediaCommand& command);

    MusicBackend& backend_;
    std::optional<std::string> alias_;
};

} // namespace zunaka
