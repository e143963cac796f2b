#include "RenderedPiece.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace zunaka {

namespace {

// FNV-1a, 64 bits: the same name on every build and every run.
class NameHash {
public:
    void add(const void* data, std::size_t size)
    {
        const auto* bytes = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < size; ++i)
            value_ = (value_ ^ bytes[i]) * kPrime;
    }
    void add(const std::string& text) { add(text.data(), text.size() + 1); }
    // A file by its name, size and time of change: a replaced file gets another name.
    void addFile(const std::string& path)
    {
        add(path);
        struct stat about {};
        if (stat(path.c_str(), &about) != 0)
            return;
        const std::int64_t facts[] = {about.st_size, about.st_mtim.tv_sec, about.st_mtim.tv_nsec};
        add(facts, sizeof facts);
    }
    std::uint64_t value() const { return value_; }

private:
    static constexpr std::uint64_t kPrime = 0x100000001b3;
    std::uint64_t value_ = 0xcbf29ce484222325;
};

} // namespace

std::string renderedPiecePath(const std::string& folder, const std::string& piece, const std::string& soundFont,
                              const std::string& helper)
{
    NameHash hash;
    hash.add(piece);
    hash.addFile(soundFont);
    hash.addFile(helper);
    char name[40];
    std::snprintf(name, sizeof name, "music-%016" PRIx64 ".pcm", hash.value());
    return folder + "/" + name;
}

std::optional<std::string> cacheFolder()
{
    std::vector<std::string> candidates;
    const char* cache = std::getenv("XDG_CACHE_HOME");
    const char* home = std::getenv("HOME");
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (cache && *cache == '/')
        candidates.push_back(std::string(cache) + "/zunaka");
    else if (home && *home == '/')
        candidates.push_back(std::string(home) + "/.cache/zunaka");
    if (runtime && *runtime == '/')
        candidates.push_back(std::string(runtime) + "/zunaka");
    for (const std::string& folder : candidates) {
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        if (access(folder.c_str(), W_OK | X_OK) == 0)
            return folder;
    }
    return std::nullopt;
}

} // namespace zunaka
