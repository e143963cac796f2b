#pragma once

#include "GameState.h"
#include "records/KeyStats.h"

namespace zunaka {

class Platform;

// にがてなキー draws from the keys met this often over their window, and only once there are this many
// of them: with fewer, the child has not played enough for the records to say which keys are weak.
inline constexpr int kKeyMetTimes = 5;
inline constexpr int kFewestWeakKeys = 6;

// 1 + 4·(1 − s) + 2·m: every key met keeps a chance, a key never caught comes up five times as often as
// one always caught, and one that others are typed for comes up more again.
double weakKeyWeight(const KeyStat& stat);

// The draw for `stats` over the table's keys. With fewer than kFewestWeakKeys keys met, it draws as
// `lastLesson` (1..6), or as lesson 1 when that is 0.
WeakKeyDraw weakKeyDraw(const KeyStats& stats, const OneBased<std::string, kMojiTableSize>& table, int lastLesson);

// Called by スタート: in にがてなキー, reads the current player's statistics and last lesson from the
// records, once a game, so that no rise waits for the store.
void prepareWeakKeys(GameState& s, Platform& p);

// The table index one draw `r` (0 <= r < 1) picks: the first key whose running sum of weights exceeds
// r times the sum of them all.
int drawWeakKey(const WeakKeyDraw& draw, float r);

} // namespace zunaka
