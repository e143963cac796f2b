#include "Music.h"

#include "DataFolder.h"
#include "Failure.h"
#include "Messages.h"
#include "platform/Platform.h"

#include <exception>

namespace zunaka {

std::string bgm::openCommand(const std::string& folder)
{
    return "open \"" + folder + kFile + "\" type sequencer alias gBGMfile";
}

void loadSounds(GameState& s, Platform& p)
{
    const std::string folder = dataFolder(p.appPath());
    try {
        p.mciSendString(bgm::openCommand(folder));
        s.gMissSound = folder + kMissSoundFile;
        s.gHitSound = folder + kHitSoundFile;
    } catch (const std::exception&) {
        // A music file that cannot be played is no failure (the open just fails); this is for the media
        // layer itself breaking down.
        endWithMessage(p, kSoundLoadError);
    }
}

void repeatMusic(GameState& s, Platform& p)
{
    if (!hasRunOut(p.getTickCount(), s.gBgmTick, kMusicPeriodMs))
        return;
    p.mciSendString(bgm::kStop);
    p.mciSendString(bgm::kPlay);
    s.gBgmTick = p.getTickCount();
}

} // namespace zunaka
