#include "DataFile.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zunaka {

namespace {

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// Reads to the end, or until more than `maxBytes` came: a file that grew since it was measured stops there.
bool readAtMost(int fd, std::size_t maxBytes, std::string& bytes)
{
    char block[65536];
    for (;;) {
        const ssize_t got = ::read(fd, block, sizeof block);
        if (got == 0)
            return true;
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 || bytes.size() + static_cast<std::size_t>(got) > maxBytes)
            return false;
        bytes.append(block, static_cast<std::size_t>(got));
    }
}

} // namespace

std::optional<std::string> readDataFile(const std::string& path, std::size_t maxBytes, std::string& why)
{
    // Without O_NONBLOCK, opening a named pipe waits for a writer that never comes.
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat status {};
    if (file.get() < 0 || ::fstat(file.get(), &status) != 0) {
        why = std::strerror(errno);
        return std::nullopt;
    }
    if (!S_ISREG(status.st_mode)) {
        why = "not a regular file";
        return std::nullopt;
    }
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(status.st_size));
    if (static_cast<std::size_t>(status.st_size) > maxBytes || !readAtMost(file.get(), maxBytes, bytes)) {
        why = "larger than " + std::to_string(maxBytes) + " bytes, or unreadable";
        return std::nullopt;
    }
    return bytes;
}

} // namespace zunaka
