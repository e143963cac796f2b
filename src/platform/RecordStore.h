#pragma once

#include "records/GameRecord.h"
#include "records/KeyStats.h"

#include <string>

namespace zunaka {

// Where the records of the games go: an SQLite file in the game, memory in tests. Called only when a
// game starts and when it ends, never in a frame.
class RecordStore {
public:
    virtual ~RecordStore() = default;

    // The wall clock's local time with its UTC offset, ISO 8601. Taken when a game starts, for display only.
    virtual std::string localTime() = 0;

    // The player the games are stored for: the one chosen last, みんな until one is chosen.
    virtual std::string currentPlayer() = 0;

    // Stores a game in a transaction of its own, after any kept from earlier games that could not be
    // stored then. Returns false when this one or an earlier one stays unstored: it is kept in memory and
    // tried again with the next game. Never throws and never waits for a busy file.
    virtual bool save(const GameRecord& record) = 0;

    // The statistics of each key `player` has met, from the games stored for that player (records not
    // stored yet are left out). Read when a game starts or a page opens, never in a frame. Empty when the
    // file cannot be read: the game then plays as without records.
    virtual KeyStats keyStats(const std::string& player) = 0;

    // The lesson (1..6) of `player`'s last stored game of one of them, for にがてなキー to fall back to;
    // 0 when there is none or the file cannot be read. Read when a game starts.
    virtual int lastLesson(const std::string& player) = 0;
};

} // namespace zunaka
