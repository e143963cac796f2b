#include "RenderedMusic.h"

#include "AudioDevice.h"
#include "RenderedPiece.h"
#include "platform/qt/MusicFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace zunaka {

namespace {

// 186 ms of music: a read for every eighth buffer of the device.
constexpr long kReadFrames = 8192;

// The frames of a whole rendering at `file`, or nothing for a file that is not one.
std::optional<long> renderedFrames(int file)
{
    struct stat about {};
    rendered::Header header;
    if (fstat(file, &about) != 0 || !S_ISREG(about.st_mode) || about.st_size < static_cast<off_t>(sizeof header))
        return std::nullopt;
    const off_t samples = about.st_size - static_cast<off_t>(sizeof header);
    if (samples % rendered::kFrameBytes != 0 || pread(file, &header, sizeof header, 0) != sizeof header)
        return std::nullopt;
    const rendered::Header expected;
    if (header.magic != expected.magic || header.rate != expected.rate || header.channels != expected.channels)
        return std::nullopt;
    return static_cast<long>(samples / rendered::kFrameBytes);
}

} // namespace

RenderedMusic::RenderedMusic(AudioDevice& device, std::optional<std::string> soundFont, std::string helper,
                             std::optional<std::string> cache)
    : device_(device), soundFont_(std::move(soundFont)), helper_(std::move(helper)), cache_(std::move(cache)),
      read_(static_cast<std::size_t>(kReadFrames) * output::kChannels)
{
}

RenderedMusic::~RenderedMusic()
{
    // A helper still at work finishes on its own; its rendering is there for the next run.
    if (file_ >= 0)
        ::close(file_);
}

bool RenderedMusic::load(const std::string& path)
{
    close();
    const auto piece = readStandardMidiFile(path);
    if (!piece)
        return false;
    if (!soundFont_) {
        std::fprintf(stderr, "zunaka: no music: no General MIDI SoundFont is installed\n");
        return true;
    }
    if (!cache_) {
        std::fprintf(stderr, "zunaka: no music: neither ~/.cache nor $XDG_RUNTIME_DIR can be written\n");
        return true;
    }
    path_ = renderedPiecePath(*cache_, *piece, *soundFont_, helper_);
    if (!openRendering())
        startHelper(path);
    return true;
}

bool RenderedMusic::openRendering()
{
    const int file = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (file < 0)
        return false;
    const auto frames = renderedFrames(file);
    if (!frames) {
        ::close(file);
        return false;
    }
    // Read ahead now, so the audio thread finds it in memory even on the first play after a start.
    posix_fadvise(file, 0, 0, POSIX_FADV_WILLNEED);
    const AudioDevice::Lock lock(device_);
    file_ = file;
    frames_ = *frames;
    readCount_ = 0;
    return true;
}

void RenderedMusic::startHelper(const std::string& piecePath)
{
    finishHelper(0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // Only the standard streams: no file or socket of the game outlives it in the helper.
    posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
    std::string soundFont = *soundFont_;
    std::string cache = *cache_;
    std::string piece = piecePath;
    char* argv[] = {helper_.data(), piece.data(), soundFont.data(), cache.data(), nullptr};
    const int failed = posix_spawn(&renderer_, helper_.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed) {
        renderer_ = 0;
        std::fprintf(stderr, "zunaka: no music: %s: %s\n", helper_.c_str(), std::strerror(failed));
        return;
    }
    const AudioDevice::Lock lock(device_);
    awaited_ = true;
}

void RenderedMusic::finishHelper(int waitOptions)
{
    if (renderer_ <= 0)
        return;
    int status = 0;
    pid_t ended = 0;
    do
        ended = waitpid(renderer_, &status, waitOptions);
    while (ended < 0 && errno == EINTR);
    if (ended == 0)
        return;
    renderer_ = 0;
    {
        const AudioDevice::Lock lock(device_);
        awaited_ = false;
    }
    // A helper that failed said why; the piece stays silent until the next run tries again.
    if (!path_.empty() && file_ < 0)
        openRendering();
}

void RenderedMusic::collect()
{
    finishHelper(WNOHANG);
}

void RenderedMusic::waitForRendering()
{
    finishHelper(0);
}

void RenderedMusic::playFromStart()
{
    collect();
    if (file_ < 0 && !awaited_)
        return;
    if (!device_.open())
        return;
    const AudioDevice::Lock lock(device_);
    playing_ = true;
    at_ = 0;
}

void RenderedMusic::stop()
{
    const AudioDevice::Lock lock(device_);
    playing_ = false;
}

void RenderedMusic::close()
{
    const AudioDevice::Lock lock(device_);
    playing_ = false;
    awaited_ = false;
    if (file_ >= 0)
        ::close(file_);
    file_ = -1;
    frames_ = 0;
    readCount_ = 0;
    path_.clear();
}

bool RenderedMusic::sounding()
{
    return playing_ && (awaited_ || at_ < frames_);
}

void RenderedMusic::render(std::int16_t* out, int frames)
{
    long at = at_;
    at_ += frames;
    int done = 0;
    while (done < frames) {
        if ((at < readFrom_ || at >= readFrom_ + readCount_) && !readAhead(at))
            break;
        const long count = std::min<long>(frames - done, readFrom_ + readCount_ - at);
        std::memcpy(out + std::ptrdiff_t{done} * output::kChannels,
                    read_.data() + (at - readFrom_) * output::kChannels,
                    static_cast<std::size_t>(count) * rendered::kFrameBytes);
        done += static_cast<int>(count);
        at += count;
    }
    // Past the rendering's end, or while it is still being made, the music is silence.
    std::memset(out + std::ptrdiff_t{done} * output::kChannels, 0,
                static_cast<std::size_t>(frames - done) * rendered::kFrameBytes);
}

bool RenderedMusic::readAhead(long from)
{
    readFrom_ = from;
    readCount_ = 0;
    if (file_ < 0 || from >= frames_)
        return false;
    const long count = std::min<long>(kReadFrames, frames_ - from);
    const auto at = static_cast<off_t>(sizeof(rendered::Header)) + off_t{from} * rendered::kFrameBytes;
    const ssize_t got = pread(file_, read_.data(), static_cast<std::size_t>(count) * rendered::kFrameBytes, at);
    // A short read keeps what it got; the rest is read when the music gets there.
    readCount_ = std::max<ssize_t>(0, got) / rendered::kFrameBytes;
    return readCount_ > 0;
}

} // namespace zunaka
