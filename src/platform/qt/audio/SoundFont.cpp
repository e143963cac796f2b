#include "SoundFont.h"

#include <cstdlib>
#include <filesystem>
#include <string_view>

namespace zunaka {

std::optional<std::string> soundFontToLoad(const char* userValue, const FileExists& exists)
{
    const std::string_view named = userValue ? userValue : "";
    std::size_t start = 0;
    while (start < named.size()) {
        const std::size_t end = std::min(named.find_first_of(soundfont::kSeparators, start), named.size());
        const std::string path(named.substr(start, end - start));
        if (!path.empty() && exists(path))
            return path;
        start = end + 1;
    }
    for (const char* candidate : soundfont::kCandidates) {
        if (exists(candidate))
            return std::string(candidate);
    }
    return std::nullopt;
}

std::optional<std::string> soundFontToLoad()
{
    const auto isRegularFile = [](const std::string& path) {
        std::error_code error;
        return std::filesystem::is_regular_file(path, error);
    };
    return soundFontToLoad(std::getenv(soundfont::kUserVariable), isRegularFile);
}

} // namespace zunaka
