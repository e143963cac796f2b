#include "Game.h"

#include "holes/HoleModel.h"
#include "platform/Platform.h"
#include "records/GameRecords.h"
#include "records/WeakKeys.h"
#include "screen/Composition.h"
#include "screen/Music.h"

namespace zunaka {

void startClick(GameState& s, Platform& p)
{
    if (s.gPlaying)
        return;
    // First: the records' read (tens of milliseconds after a thousand games) delays the music and the
    // holes' first waits alike, and is no part of the time the game's record counts.
    prepareWeakKeys(s, p);
    if (!s.gBgmOff)
        p.mciSendString(bgm::kPlay);
    setHoleRects(s);
    resetHoles(s, p);
    s.gPopCount = 0;
    s.gHitCount = 0;
    beginRecord(s, p);
    s.gFrameTick = p.getTickCount();
    s.gBgmTick = p.getTickCount();
    s.gPlaying = true;
    p.forms().setKeyBoxVisible(true);
    p.forms().setKeyBoxText("");
    s.gHoleCaught.fill(false);
}

void stopClick(GameState& s, Platform& p)
{
    storeRecord(s, p, false);
    clearScreen(s, p);
    s.gPlaying = false;
    p.forms().setKeyBoxVisible(false);
    p.mciSendString(bgm::kStop);
}

void finishGame(GameState& s, Platform& p)
{
    for (int i = 1; i <= kHoleCount; ++i) {
        if (s.gHoleBottom[i] > s.gHoleRect[i].top)
            return;
    }
    p.mciSendString(bgm::kStop);
    storeRecord(s, p, true);
    s.gPlaying = false;
}

} // namespace zunaka
