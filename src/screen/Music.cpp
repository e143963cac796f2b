#include "Music.h"

#include "DataFolder.h"
#include "platform/Platform.h"

namespace zunaka {

std::string bgm::openCommand(const std::string& folder)
{
    return "open \"" + folder + kFile + "\" type sequencer alias gBGMfile";
}

void loadSounds(GameState& s, Platform& p)
{
    const std::string folder = dataFolder(p.appPath());
    p.mciSendString(bgm::openCommand(folder));
    s.gMissSound = folder + kMissSoundFile;
    s.gHitSound = folder + kHitSoundFile;
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
