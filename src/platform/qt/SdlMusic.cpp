#include "SdlMusic.h"

#include <fstream>

namespace zunaka {

namespace {

namespace music {
// Out of MIX_MAX_VOLUME (128): a little under the effects, so hits and misses are heard over the song.
constexpr int kVolume = 80;
// The game restarts the song itself when it wants it again.
constexpr int kPlayOnce = 1;
} // namespace music

MusicPtr loadMusic(const std::string& path)
{
    return MusicPtr(Mix_LoadMUS(path.c_str()));
}

bool isReadable(const std::string& path)
{
    return std::ifstream(path, std::ios::binary).is_open();
}

} // namespace

SdlMusic::SdlMusic(bool mixerOpen) : mixerOpen_(mixerOpen)
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
    // Without a mixer the song is never heard, but a missing file still fails as it would with one.
    if (!mixerOpen_)
        return isReadable(path);
    current_ = loadMusic(path);
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
    if (currentPlayed_) {
        // Waits only when two plays come closer together than one load, which the game never does.
        if (MusicPtr fresh = takeSpare()) {
            Mix_HaltMusic();
            current_ = std::move(fresh);
            loadSpareInBackground();
        }
        // A spare that failed to load (the file went away) leaves the rewound copy: clipped, not silent.
    }
    Mix_PlayMusic(current_.get(), music::kPlayOnce);
    currentPlayed_ = true;
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
    takeSpare();
    current_.reset();
    path_.clear();
}

void SdlMusic::loadSpareInBackground()
{
    // Mix_LoadMUS of a MIDI file builds a synthesizer of its own, so it does not race the mixer thread
    // that renders the current copy.
    spare_ = std::async(std::launch::async, loadMusic, path_);
}

MusicPtr SdlMusic::takeSpare()
{
    if (!spare_.valid())
        return nullptr;
    return spare_.get();
}

} // namespace zunaka
