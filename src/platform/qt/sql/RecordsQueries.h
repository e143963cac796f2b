#pragma once

#include "records/GameRecord.h"
#include "records/KeyStats.h"

#include <QSqlError>

#include <string>
#include <vector>

class QSqlDatabase;

namespace zunaka {

// The statements on an open records file of the current version. Each returns an invalid QSqlError when
// it succeeded.

// Adds the game, its counts per key and its misses, under its player (added when new). Runs inside the
// caller's transaction.
QSqlError insertGame(QSqlDatabase& db, const GameRecord& record);

// Every game in the order stored; with `details`, the counts per key and the misses too.
QSqlError readGames(QSqlDatabase& db, bool details, std::vector<GameRecord>& games);
// The games of one player in the order stored, without their details.
QSqlError readPlayerGames(QSqlDatabase& db, const std::string& player, std::vector<GameRecord>& games);

// The players' names in the order added.
QSqlError readPlayers(QSqlDatabase& db, std::vector<std::string>& names);
// Makes `name` the current player, adding it when new. Runs inside the caller's transaction.
QSqlError storeCurrentPlayer(QSqlDatabase& db, const std::string& name);
// Deletes every game of `player`, with its counts per key and its misses. Inside the caller's transaction.
QSqlError deletePlayerGames(QSqlDatabase& db, const std::string& player);

// The games of `player` that hold part of some key's last kKeyWindow appearances, in the order stored,
// with the counts of those keys alone and every miss: what keyStatsOf needs and little more.
QSqlError readKeyWindows(QSqlDatabase& db, const std::string& player, std::vector<GameRecord>& games);

// The lesson of `player`'s last game stored of lessons 1..6; `lesson` untouched when there is none.
QSqlError readLastLesson(QSqlDatabase& db, const std::string& player, int& lesson);

// The name of the current player.
QSqlError readCurrentPlayer(QSqlDatabase& db, std::string& name);

// PRAGMA user_version.
QSqlError readVersion(QSqlDatabase& db, int& version);

} // namespace zunaka
