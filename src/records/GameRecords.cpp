#include "GameRecords.h"

#include "platform/Platform.h"

namespace zunaka {

void beginRecord(GameState& s, Platform& p)
{
    s.record = GameRecord{};
    s.record.started = p.records().localTime();
    s.record.lesson = s.gLesson;
    s.record.speed = s.gSpeed;
    s.record.moles = s.gMojiTotal;
    s.recordStartTick = p.getTickCount();
    s.keyTypedSinceJudged = false;
}

void storeRecord(GameState& s, Platform& p, bool finished)
{
    if (!s.gPlaying || s.gPopCount == 0)
        return;
    GameRecord& record = s.record;
    record.appeared = s.gPopCount;
    record.caught = s.gHitCount;
    record.playedMs = elapsed(p.getTickCount(), s.recordStartTick);
    record.finished = finished;
    record.player = p.records().currentPlayer();
    s.recordsUnsaved = !p.records().save(record);
}

} // namespace zunaka
