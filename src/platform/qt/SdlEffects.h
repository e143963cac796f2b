#pragma once

#include <SDL_mixer.h>

#include <map>
#include <memory>
#include <string>

namespace zunaka {

struct ChunkFree {
    void operator()(Mix_Chunk* chunk) const { Mix_FreeChunk(chunk); }
};
using ChunkPtr = std::unique_ptr<Mix_Chunk, ChunkFree>;

// The WAVE effects on one mixer channel of their own, so a new effect can cut (or be refused by) only the
// previous effect, never the music. Each file is read on its first use and kept: the game plays the same
// two all game long.
class SdlEffects {
public:
    explicit SdlEffects(bool mixerOpen);
    ~SdlEffects();
    SdlEffects(const SdlEffects&) = delete;
    SdlEffects& operator=(const SdlEffects&) = delete;

    // With kSndNoStop the request is dropped while an effect still sounds; otherwise the new one replaces
    // it. A file that cannot be read is silent, and is not tried again.
    void play(const std::string& path, unsigned flags);

private:
    Mix_Chunk* chunkFor(const std::string& path);

    bool mixerOpen_;
    std::map<std::string, ChunkPtr> chunks_;  // null: the file could not be read
};

} // namespace zunaka
