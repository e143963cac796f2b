#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace zunaka {

// How often one character came up in a game, and how often its mole was caught.
struct KeyCount {
    int appeared = 0;
    int caught = 0;
    bool operator==(const KeyCount&) const = default;
};

// A key judged without a catch: what the box held (letters in the table's upper case) and the characters
// of the moles that could have been caught at that moment, so that a mix-up (; typed for :) can be named.
struct MissRecord {
    std::string typed;
    std::vector<std::string> up;
    bool operator==(const MissRecord&) const = default;
};

// What a game leaves behind. Counted during the game in the state object, completed and stored when it ends
// (GameRecords.h); the records file keeps one per game.
struct GameRecord {
    std::string started;  // local time with its UTC offset, ISO 8601: for display only, never for order
    int lesson = 0;       // 1..7
    int speed = 0;        // 1 fast .. 3 slow
    int moles = 0;        // moles chosen for the game
    int appeared = 0;
    int caught = 0;
    int misses = 0;
    std::int32_t playedMs = 0;  // from the game's ticks, not the wall clock
    bool finished = false;      // ended by its last mole rather than by ストップ or quitting
    std::string player;
    std::map<std::string, KeyCount> keys;  // by character, as the moles carry it
    std::vector<MissRecord> missList;      // in the order they happened
    bool operator==(const GameRecord&) const = default;
};

// Called where a mole rises with `moji`, where one is caught, and where a key is judged as a miss.
void countAppearance(GameRecord& record, const std::string& moji);
void countCatch(GameRecord& record, const std::string& moji);
void countMiss(GameRecord& record, const std::string& typed, std::vector<std::string> up);

} // namespace zunaka
