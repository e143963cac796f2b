#include "SdlSoundFont.h"

#include <cstdlib>
#include <filesystem>

namespace zunaka {

std::optional<std::string> soundFontToSet(const char* userValue, const FileExists& exists)
{
    if (userValue && *userValue)
        return std::nullopt;
    for (const char* candidate : soundfont::kCandidates) {
        if (exists(candidate))
            return std::string(candidate);
    }
    return std::nullopt;
}

std::optional<std::string> soundFontToSet()
{
    const auto isRegularFile = [](const std::string& path) {
        std::error_code error;
        return std::filesystem::is_regular_file(path, error);
    };
    return soundFontToSet(std::getenv(soundfont::kUserVariable), isRegularFile);
}

} // namespace zunaka
