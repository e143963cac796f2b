#include "SdlAudio.h"

#include "SdlQuietAlsa.h"
#include "SoundFont.h"

#include <SDL.h>

#include <cstdio>

namespace zunaka {

AudioSession::AudioSession()
{
    silenceAlsaMessages();
    // SDL would turn SIGINT and SIGTERM into quit events that nobody reads, and the game could no longer
    // be stopped by a signal; the program handles them itself.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        std::fprintf(stderr, "zunaka: no audio: %s\n", SDL_GetError());
        return;
    }
    up_ = true;
}

AudioSession::~AudioSession()
{
    if (up_)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

SdlAudio::SdlAudio(long idleFrames) : music_(device_, soundFontToLoad(), session_.isUp()), idleFrames_(idleFrames)
{
    mixer_.setMusic(&music_);
}

SdlAudio::~SdlAudio()
{
    // First, so that no callback renders from the music and effects destroyed after this.
    device_.close();
}

bool SdlAudio::closeIfSilent()
{
    device_.closeIfLost();
    if (!device_.isOpen())
        return true;
    {
        const AudioDevice::Lock lock(device_);
        if (mixer_.sounding() || mixer_.silentFrames() < idleFrames_)
            return false;
    }
    device_.close();
    return true;
}

} // namespace zunaka
