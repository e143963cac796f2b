#pragma once

#include "platform/MediaDevice.h"

#include <SDL_mixer.h>

#include <functional>
#include <future>
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

// The background music on SDL_mixer's music stream. FluidSynth drops the first notes of a song that is
// rewound, so every play starts a copy that has never played; the next copy is loaded on a worker thread
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
    MusicPtr takeSpare();

    bool mixerOpen_;
    MusicLoader loader_;
    std::string path_;
    MusicPtr current_;
    bool currentPlayed_ = false;
    std::future<MusicPtr> spare_;
};

} // namespace zunaka
