#include "WeakKeys.h"

#include "moji/MojiTable.h"
#include "platform/Platform.h"

namespace zunaka {

double weakKeyWeight(const KeyStat& stat)
{
    return 1.0 + 4.0 * (1.0 - catchShare(stat)) + 2.0 * mixupShare(stat);
}

WeakKeyDraw weakKeyDraw(const KeyStats& stats, const OneBased<std::string, kMojiTableSize>& table, int lastLesson)
{
    WeakKeyDraw draw;
    int met = 0;
    double sum = 0.0;
    for (int i = 1; i <= kMojiTableSize; ++i) {
        const auto stat = stats.find(table[i]);
        if (stat != stats.end() && stat->second.appeared >= kKeyMetTimes) {
            sum += weakKeyWeight(stat->second);
            ++met;
        }
        draw.cumulative[i] = sum;
    }
    if (met >= kFewestWeakKeys)
        draw.drawsAs = kWeakKeysLesson;
    else if (lastLesson >= 1 && lastLesson <= kLessonCount)
        draw.drawsAs = lastLesson;
    return draw;
}

void prepareWeakKeys(GameState& s, Platform& p)
{
    if (s.gLesson != kWeakKeysLesson)
        return;
    RecordStore& records = p.records();
    const std::string player = records.currentPlayer();
    s.weakKeys = weakKeyDraw(records.keyStats(player), s.gMojiTable, records.lastLesson(player));
}

int drawWeakKey(const WeakKeyDraw& draw, float r)
{
    const double target = static_cast<double>(r) * draw.cumulative[kMojiTableSize];
    double before = 0.0;
    int lastDrawn = 1;
    for (int i = 1; i <= kMojiTableSize; ++i) {
        if (draw.cumulative[i] > target)
            return i;
        if (draw.cumulative[i] > before)
            lastDrawn = i;
        before = draw.cumulative[i];
    }
    return lastDrawn;  // only for r at or above 1, which the generator never gives
}

} // namespace zunaka
