#pragma once

#include "records/GameRecord.h"
#include "records/KeyStats.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace zunaka {

// How many of a player's last games the records page charts.
inline constexpr std::size_t kChartedGames = 20;

// What the records page shows of one player's games, worked out once when it opens.
struct RecordsSummary {
    std::optional<GameRecord> latest;
    // Per lesson, the finished game with the most moles caught, of those the one with the fewest misses,
    // of those the first played.
    std::map<int, GameRecord> bestByLesson;
    // The catch share of each of the last kChartedGames games, the oldest first.
    std::vector<double> recentShares;
};

// What the records page shows, read from the store when it opens or one of its buttons changed the
// records, so that drawing it again (the window resized) reads nothing.
struct RecordsView {
    std::string player;
    bool readable = true;  // the player's games could be read
    bool canSave = true;   // a game ending now would be stored
    RecordsSummary summary;
    KeyStats keys;
};

// How many weak keys the page names.
inline constexpr std::size_t kNamedWeakKeys = 3;

// The keys missed or mixed up at least once, the weakest first by にがてなキー's weight (a low catch share,
// many mix-ups), among equal weights the one met more often, then in the characters' order.
std::vector<std::string> weakestKeys(const KeyStats& keys, std::size_t count);

// `games` in the order they were stored.
RecordsSummary summarise(const std::vector<GameRecord>& games);

// Caught out of appeared, 0 for a game in which nothing appeared.
double catchShare(const GameRecord& game);

// A share as a whole percentage, for the page's text.
int percent(double share);

} // namespace zunaka
