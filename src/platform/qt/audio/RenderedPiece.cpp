#include "RenderedPiece.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>

#include <sys/stat.h>

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
    const char* cache = std::getenv("XDG_CACHE_HOME");
    if (cache && *cache == '/')
        return std::string(cache) + "/zunaka";
    const char* home = std::getenv("HOME");
    if (home && *home)
        return std::string(home) + "/.cache/zunaka";
    return std::nullopt;
}

} // namespace zunaka
