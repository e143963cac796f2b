#include "Shutdown.h"

#include "platform/Platform.h"
#include "records/GameRecords.h"
#include "screen/Music.h"

namespace zunaka {

namespace {

void closeDown(GameState& s, Platform& p)
{
    storeRecord(s, p, false);
    s.gPlaying = false;
    s.gLoopOn = false;
    p.mciSendString(bgm::kStop);
    p.mciSendString(bgm::kClose);
    p.forms().unloadMainForm();
}

} // namespace

void quitClick(GameState& s, Platform& p)
{
    storeRecord(s, p, false);
    s.gPlaying = false;
    s.gLoopOn = false;
    p.forms().unloadMainForm();
}

void mainFormQueryUnload(GameState& s, Platform& p)
{
    closeDown(s, p);
}

void mainFormUnload(GameState& s, Platform& p)
{
    closeDown(s, p);
}

} // namespace zunaka
