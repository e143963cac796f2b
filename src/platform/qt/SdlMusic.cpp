#include "SdlMusic.h"

#include "platform/StandardMidiFile.h"

#include <fstream>

namespace zunaka {

namespace {

namespace music {
// Out of MIX_MAX_VOLUME (128): a little under the effects, so hits and misses are heard over the song.
constexpr int kVolume = 80;
// The game restarts the song itself when it wants it again.
constexpr int kPlayOnce = 1;
} // namespace music

bool holdsStandardMidiFile(const std::string& path)
{
    // Read through istream::read, which turns a read error (a folder) into a failed stream; a stream
    // buffer iterator would throw it.
    std::ifstream file(path, std::ios::binary);
    std::string bytes;
    char block[4096];
    while (file.read(block, sizeof block), file.gcount() > 0)
        bytes.append(block, static_cast<std::size_t>(file.gcount()));
    return isStandardMidiFile(bytes);
}

} // namespace

MusicPtr loadMusicFile(const std::string& path)
{
    return MusicPtr(Mix_LoadMUS(path.c_str()));
}

SdlMusic::SdlMusic(bool mixerOpen, MusicLoader loader) : mixerOpen_(mixerOpen), loader_(std::move(loader))
{
    if (mixerOpen_)
        Mix_VolumeMusic(music::kVolume);
}

SdlMusic::~SdlMusic()
{
    close();
}

bool SdlMusic::load(const std::string& path)
{
    close();
    if (!holdsStandardMidiFile(path))
        return false;
    // Without a mixer the song is never heard, but a bad file has failed above as it would with one.
    if (!mixerOpen_)
        return true;
    current_ = loader_(path);
    if (!current_)
        return false;
    path_ = path;
    currentPlayed_ = false;
    loadSpareInBackground();
    return true;
}

void SdlMusic::playFromStart()
{
    if (!current_)
        return;
    if (!currentPlayed_) {
        Mix_PlayMusic(current_.get(), music::kPlayOnce);
        currentPlayed_ = true;
        return;
    }
    // Waits only when two plays come closer together than one load, which the game never does.
    MusicPtr old = spare_.take();
    // A spare that failed to load (the file went away) leaves only the rewound copy: the best there is.
    if (old) {
        Mix_HaltMusic();
        std::swap(current_, old);
    }
    Mix_PlayMusic(current_.get(), music::kPlayOnce);
    old.reset();
    // Last, so the loader does not compete for the processor with the swap above.
    loadSpareInBackground();
}

void SdlMusic::stop()
{
    if (current_)
        Mix_HaltMusic();
}

void SdlMusic::close()
{
    if (!current_)
        return;
    Mix_HaltMusic();
    spare_.take();
    current_.reset();
    path_.clear();
}

void SdlMusic::loadSpareInBackground()
{
    // Mix_LoadMUS of a MIDI file builds a synthesizer of its own, so it does not race the mixer thread
    // that renders the current copy.
    spare_.start(loader_, path_);
}

void SpareLoader::start(const MusicLoader& loader, const std::string& path)
{
    loader_ = loader;
    path_ = path;
    thread_ = SDL_CreateThread(run, "zunaka-music", this);
    // Without a thread the copy is read here: slow once, but the next play still starts fresh.
    if (!thread_)
        result_ = loader_(path_);
}

MusicPtr SpareLoader::take()
{
    if (thread_) {
        SDL_WaitThread(thread_, nullptr);
        thread_ = nullptr;
    }
    return std::move(result_);
}

int SpareLoader::run(void* self)
{
    auto* loader = static_cast<SpareLoader*>(self);
    loader->result_ = loader->loader_(loader->path_);
    return 0;
}

} // namespace zunaka
