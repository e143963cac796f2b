// Media command texts, one a line, sent in turn to one device over a recording player. Besides not
// crashing, the device must keep to its rules: an accepted open names a quoted path, the player hears
// only what an accepted command asks of an open device, and the device is open exactly when the player
// holds a song.
#include "platform/MediaDevice.h"
#include "platform/fake/FakePlatform.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void require(bool holds)
{
    if (!holds)
        std::abort();
}

// The text after the verb and its blanks.
std::string_view afterVerb(std::string_view text)
{
    text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
    text.remove_prefix(std::min(text.find(' '), text.size()));
    text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    zunaka::RecordingMusic music;
    zunaka::MediaDevice device(music);
    bool holdsSong = false;
    std::string_view input(reinterpret_cast<const char*>(data), size);
    while (!input.empty()) {
        const std::string_view line = input.substr(0, input.find('\n'));
        input.remove_prefix(std::min(line.size() + 1, input.size()));

        const auto command = zunaka::parseMediaCommand(line);
        const bool wasOpen = device.isOpen();
        const std::size_t heard = music.log.size();
        const int result = device.send(line);
        require(result >= zunaka::mci::kOk && result <= zunaka::mci::kCannotOpen);
        require(command.has_value() == (result != zunaka::mci::kUnknownCommand));
        if (command && command->verb == zunaka::MediaVerb::Open) {
            require(afterVerb(line).substr(0, 1) == "\"");
            require(command->path.find('"') == std::string::npos);
        }
        if (result != zunaka::mci::kOk)
            require(music.log.size() == heard && device.isOpen() == wasOpen);
        else if (command->verb == zunaka::MediaVerb::Open)
            holdsSong = true;
        else if (command->verb == zunaka::MediaVerb::Close)
            holdsSong = false;
        require(music.log.size() <= heard + 1);
        require(device.isOpen() == holdsSong);
    }
    return 0;
}
