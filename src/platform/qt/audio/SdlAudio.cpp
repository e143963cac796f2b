#include "SdlAudio.h"

#include "RenderedPiece.h"
#include "SoundFont.h"

namespace zunaka {

SdlAudio::SdlAudio(const std::string& folder, TickClock clock, long idleFrames)
    : device_(mixer_, session_, std::move(clock)),
      music_(device_, soundFontToLoad(), folder + "/" + rendered::kHelper, cacheFolder()), idleFrames_(idleFrames)
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
    music_.collect();
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
