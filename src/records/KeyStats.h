#pragma once

#include "records/GameRecord.h"

#include <map>
#include <string>
#include <vector>

namespace zunaka {

// How a player does on one key, over the key's last kKeyWindow appearances. Read from the records when a
// game of にがてなキー starts and when the records page opens, never in a frame.
struct KeyStat {
    int appeared = 0;         // over the key's last 30 appearances (fewer if it has fewer)
    int caught = 0;           // of those
    int mixups = 0;           // misses naming it among the moles up, in the games of those appearances
    std::string commonMixup;  // the character most often typed in its place, "" if none
    bool operator==(const KeyStat&) const = default;
};
using KeyStats = std::map<std::string, KeyStat>;  // by character, as the moles carry it

// Old appearances say little about how a child types a key today.
inline constexpr int kKeyWindow = 30;

// The statistics of every key in `games`, one player's games in the order stored. Each key's window
// runs back from its newest game until it holds kKeyWindow appearances; of the oldest game it reaches,
// only the appearances it still has room for count, with that game's catches in proportion (rounded to
// nearest), as a game keeps no order of its appearances. The mix-ups count whole games: a miss in any
// game of the window that had the key's mole up and typed something else.
KeyStats keyStatsOf(const std::vector<GameRecord>& games);

// s: caught / appeared; 0 for a key never met.
double catchShare(const KeyStat& stat);

// m: mixups / appeared, at most 1 (a key can be named by more misses than it had appearances, when
// several moles were up at each); 0 for a key never met.
double mixupShare(const KeyStat& stat);

} // namespace zunaka
