#include "SdlEffects.h"

#include "platform/Platform.h"

namespace zunaka {

namespace {

namespace effects {
// Mix_ReserveChannels(1) keeps channel 0 away from Mix_PlayChannel(-1); we name it ourselves.
constexpr int kReserved = 1;
constexpr int kChannel = 0;
constexpr int kPlayOnce = 0;
} // namespace effects

} // namespace

SdlEffects::SdlEffects(bool mixerOpen) : mixerOpen_(mixerOpen)
{
    if (mixerOpen_)
        Mix_ReserveChannels(effects::kReserved);
}

SdlEffects::~SdlEffects()
{
    // Freeing a chunk halts the channel that plays it; this runs before the mixer closes.
    chunks_.clear();
}

void SdlEffects::play(const std::string& path, unsigned flags)
{
    if (!mixerOpen_)
        return;
    if ((flags & kSndNoStop) && Mix_Playing(effects::kChannel))
        return;
    Mix_Chunk* chunk = chunkFor(path);
    if (!chunk)
        return;
    Mix_PlayChannel(effects::kChannel, chunk, effects::kPlayOnce);
}

Mix_Chunk* SdlEffects::chunkFor(const std::string& path)
{
    auto found = chunks_.find(path);
    if (found == chunks_.end())
        found = chunks_.emplace(path, ChunkPtr(Mix_LoadWAV(path.c_str()))).first;
    return found->second.get();
}

} // namespace zunaka
