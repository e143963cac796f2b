#pragma once

#include "records/GameRecord.h"
#include "records/KeyStats.h"

#include <optional>
#include <string>
#include <vector>

namespace zunaka {

// Where the records of the games go: an SQLite file in the game, memory in tests. Called when a game
// starts and when it ends, and by the records page when it opens or one of its buttons is pressed; never
// in a frame.
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

    // Whether a game ending now would be stored: the file can be opened and written.
    virtual bool canSave() = 0;

    // The games of `player` in the order stored (by the rows' ids, never by their clock times), without
    // their counts per key; those kept in memory unstored come last. Nothing when the file cannot be read.
    virtual std::optional<std::vector<GameRecord>> playerGames(const std::string& player) = 0;

    // The players' names in the order they were added, みんな first.
    virtual std::vector<std::string> players() = 0;

    // Makes `name` the current player, adding it when new. A new name beyond kMaxPlayers, or an empty one,
    // is refused and changes nothing. True when the choice is stored; when it cannot be, it still holds
    // for this run.
    virtual bool choosePlayer(const std::string& name) = 0;

    // Deletes every game of `player`, those kept unstored included. True when it is done in the file.
    virtual bool deleteGames(const std::string& player) = 0;

    // The statistics of each key `player` has met, from the games stored for that player (records not
    // stored yet are left out). Read when a game starts or a page opens, never in a frame. Empty when the
    // file cannot be read: the game then plays as without records.
    virtual KeyStats keyStats(const std::string& player) = 0;

    // The lesson (1..6) of `player`'s last stored game of one of them, for にがてなキー to fall back to;
    // 0 when there is none or the file cannot be read. Read when a game starts.
    virtual int lastLesson(const std::string& player) = 0;
};

// How many players a records file holds at most: a family, or a class's table of children taking turns.
inline constexpr std::size_t kMaxPlayers = 8;

} // namespace zunaka
