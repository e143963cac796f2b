#pragma once

#include "platform/MediaDevice.h"

#include <SDL_mixer.h>
#include <SDL_thread.h>

#include <functional>
#include <memory>
#include <string>

namespace zunaka {

struct MusicFree {
    void operator()(Mix_Music* music) const { Mix_FreeMusic(music); }
};
using MusicPtr = std::unique_ptr<Mix_Music, MusicFree>;

// Reads one playable copy of a song; called on the worker thread too.
using MusicLoader = std::function<MusicPtr(const std::string& path)>;
MusicPtr loadMusicFile(const std::string& path);

// Reads one copy of a song on a thread of its own. An SDL thread, not a std::thread: SDL keeps an error
// buffer for every thread that calls it and frees it only for threads it started itself.
class SpareLoader {
public:
    SpareLoader() = default;
    ~SpareLoader() { take(); }
    SpareLoader(const SpareLoader&) = delete;
    SpareLoader& operator=(const SpareLoader&) = delete;

    // Starts reading; the previous copy must have been taken.
    void start(const MusicLoader& loader, const std::string& path);
    // Waits for the copy being read; null when none was started or the read failed.
    MusicPtr take();

private:
    static int run(void* self);

    MusicLoader loader_;
    std::string path_;
    MusicPtr result_;
    SDL_Thread* thread_ = nullptr;
};

// The background music on SDL_mixer's music stream. A FluidSynth song that has played does not start
// cleanly again (its first notes are lost; played to the disk driver, the whole second run was silent),
// so every play starts a copy that has never played; the next copy is loaded on a worker thread
// while the current one plays, because a load (the whole SoundFont) takes longer than a game frame.
// Only loading runs on the worker: playing, halting and freeing stay on the caller's thread.
class SdlMusic final : public MusicBackend {
public:
    explicit SdlMusic(bool mixerOpen, MusicLoader loader = loadMusicFile);
    ~SdlMusic() override;
    SdlMusic(const SdlMusic&) = delete;
    SdlMusic& operator=(const SdlMusic&) = delete;

    bool load(const std::string& path) override;
    void playFromStart() override;
    void stop() override;
    void close() override;

private:
    void loadSpareInBackground();

    bool mixerOpen_;
    MusicLoader loader_;
    std::string path_;
    MusicPtr current_;
    bool currentPlayed_ = false;
    SpareLoader spare_;
};

} // namespace zunaka
