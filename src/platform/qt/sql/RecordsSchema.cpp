#include "RecordsSchema.h"

#include <QSqlDatabase>
#include <QSqlQuery>

#include <array>
#include <span>

namespace zunaka {

namespace {

// Version 1. Rows keep the order they were stored in by their ids (clocks change; daylight saving turns
// back), so nothing is ordered by `started`. The current player is the row `player` of settings.
constexpr const char* kVersion1[] = {
    "CREATE TABLE players (id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE)",
    "CREATE TABLE settings (name TEXT PRIMARY KEY, value NOT NULL) WITHOUT ROWID",
    "INSERT INTO players (id, name) VALUES (1, 'みんな')",
    "INSERT INTO settings (name, value) VALUES ('player', 1)",
    "CREATE TABLE games (id INTEGER PRIMARY KEY,"
    " player INTEGER NOT NULL REFERENCES players (id) ON DELETE CASCADE, started TEXT NOT NULL,"
    " lesson INTEGER NOT NULL, speed INTEGER NOT NULL, moles INTEGER NOT NULL, appeared INTEGER NOT NULL,"
    " caught INTEGER NOT NULL, misses INTEGER NOT NULL, played_ms INTEGER NOT NULL, finished INTEGER NOT NULL)",
    "CREATE INDEX games_by_player ON games (player, id)",
    // Per game, each character that came up: how often, and how often it was caught.
    "CREATE TABLE game_keys (game INTEGER NOT NULL REFERENCES games (id) ON DELETE CASCADE,"
    " moji TEXT NOT NULL, appeared INTEGER NOT NULL, caught INTEGER NOT NULL, PRIMARY KEY (game, moji))"
    " WITHOUT ROWID",
    // Per miss, what was typed, and in mixups the characters of the moles that could have been caught.
    "CREATE TABLE misses (id INTEGER PRIMARY KEY,"
    " game INTEGER NOT NULL REFERENCES games (id) ON DELETE CASCADE, typed TEXT NOT NULL)",
    "CREATE INDEX misses_by_game ON misses (game)",
    "CREATE TABLE mixups (miss INTEGER NOT NULL REFERENCES misses (id) ON DELETE CASCADE, moji TEXT NOT NULL)",
    "CREATE INDEX mixups_by_miss ON mixups (miss)",
};

// Step n brings a file of version n to version n + 1; step 0 makes a new file. A later version adds its
// step here and a stored file of the version before it to the tests.
constexpr std::array<std::span<const char* const>, kRecordsVersion> kSteps{kVersion1};

} // namespace

QSqlError upgradeRecords(QSqlDatabase& db, int from)
{
    QSqlQuery query(db);
    for (int version = from; version < kRecordsVersion; ++version) {
        for (const char* statement : kSteps[static_cast<std::size_t>(version)]) {
            if (!query.exec(QString::fromUtf8(statement)))
                return query.lastError();
        }
    }
    if (!query.exec(QStringLiteral("PRAGMA user_version = %1").arg(kRecordsVersion)))
        return query.lastError();
    return {};
}

} // namespace zunaka
