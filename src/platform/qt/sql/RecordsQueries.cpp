#include "RecordsQueries.h"

#include "moji/MojiTable.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

#include <initializer_list>
#include <map>

namespace zunaka {

namespace {

// Prepares `sql`, binds `values` in order and runs it.
bool run(QSqlQuery& query, const char* sql, std::initializer_list<QVariant> values)
{
    if (!query.prepare(QString::fromUtf8(sql)))
        return false;
    for (const QVariant& value : values)
        query.addBindValue(value);
    return query.exec();
}

QString text(const std::string& value)
{
    return QString::fromStdString(value);
}

std::string text(const QVariant& value)
{
    return value.toString().toStdString();
}

QSqlError playerId(QSqlDatabase& db, const std::string& name, qint64& id)
{
    QSqlQuery query(db);
    if (!run(query, "SELECT id FROM players WHERE name = ?", {text(name)}))
        return query.lastError();
    if (query.next()) {
        id = query.value(0).toLongLong();
        return {};
    }
    if (!run(query, "INSERT INTO players (name) VALUES (?)", {text(name)}))
        return query.lastError();
    id = query.lastInsertId().toLongLong();
    return {};
}

QSqlError insertDetails(QSqlDatabase& db, qint64 game, const GameRecord& record)
{
    QSqlQuery query(db);
    for (const auto& [moji, count] : record.keys) {
        if (!run(query, "INSERT INTO game_keys (game, moji, appeared, caught) VALUES (?, ?, ?, ?)",
                 {game, text(moji), count.appeared, count.caught}))
            return query.lastError();
    }
    QSqlQuery mixup(db);
    for (const MissRecord& miss : record.missList) {
        if (!run(query, "INSERT INTO misses (game, typed) VALUES (?, ?)", {game, text(miss.typed)}))
            return query.lastError();
        const qint64 missId = query.lastInsertId().toLongLong();
        for (const std::string& moji : miss.up) {
            if (!run(mixup, "INSERT INTO mixups (miss, moji) VALUES (?, ?)", {missId, text(moji)}))
                return mixup.lastError();
        }
    }
    return {};
}

// Finds a game read already by its id; null for rows of games that are not there (a file another
// program wrote without its foreign keys, or a game outside what was asked for).
using GamesById = std::map<qint64, GameRecord*>;

GameRecord* gameOf(const GamesById& byId, const QVariant& id)
{
    const auto found = byId.find(id.toLongLong());
    return found == byId.end() ? nullptr : found->second;
}

// Rows of (miss id, game, typed, mole up or NULL) in the order of the misses, into their games.
void takeMisses(QSqlQuery& query, const GamesById& byId)
{
    qint64 lastMiss = -1;
    while (query.next()) {
        GameRecord* record = gameOf(byId, query.value(1));
        if (!record)
            continue;
        if (query.value(0).toLongLong() != lastMiss)
            record->missList.push_back({text(query.value(2)), {}});
        lastMiss = query.value(0).toLongLong();
        if (!query.value(3).isNull())
            record->missList.back().up.push_back(text(query.value(3)));
    }
}

// The counts per key and the misses of every game, into the games read already (ids in `ids`).
QSqlError readDetails(QSqlDatabase& db, const std::vector<qint64>& ids, std::vector<GameRecord>& games)
{
    GamesById byId;
    for (std::size_t i = 0; i < ids.size(); ++i)
        byId[ids[i]] = &games[i];
    QSqlQuery query(db);
    if (!run(query, "SELECT game, moji, appeared, caught FROM game_keys", {}))
        return query.lastError();
    while (query.next()) {
        if (GameRecord* record = gameOf(byId, query.value(0)))
            record->keys[text(query.value(1))] = {query.value(2).toInt(), query.value(3).toInt()};
    }
    if (!run(query,
             "SELECT m.id, m.game, m.typed, x.moji FROM misses m LEFT JOIN mixups x ON x.miss = m.id"
             " ORDER BY m.id, x.rowid",
             {}))
        return query.lastError();
    takeMisses(query, byId);
    return {};
}

constexpr const char* kSelectGames =
    "SELECT g.id, g.started, g.lesson, g.speed, g.moles, g.appeared, g.caught, g.misses, g.played_ms,"
    " g.finished, p.name FROM games g JOIN players p ON p.id = g.player";

// The rows of kSelectGames, in the order the query gives them, with their ids in `ids`.
QSqlError takeGames(QSqlQuery& query, std::vector<GameRecord>& games, std::vector<qint64>& ids)
{
    while (query.next()) {
        GameRecord game;
        game.started = text(query.value(1));
        game.lesson = query.value(2).toInt();
        game.speed = query.value(3).toInt();
        game.moles = query.value(4).toInt();
        game.appeared = query.value(5).toInt();
        game.caught = query.value(6).toInt();
        game.misses = query.value(7).toInt();
        game.playedMs = query.value(8).toInt();
        game.finished = query.value(9).toInt() != 0;
        game.player = text(query.value(10));
        ids.push_back(query.value(0).toLongLong());
        games.push_back(std::move(game));
    }
    return query.lastError();
}

} // namespace

QSqlError insertGame(QSqlDatabase& db, const GameRecord& record)
{
    qint64 player = 0;
    if (QSqlError error = playerId(db, record.player, player); error.isValid())
        return error;
    QSqlQuery query(db);
    if (!run(query,
             "INSERT INTO games (player, started, lesson, speed, moles, appeared, caught, misses, played_ms,"
             " finished) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
             {player, text(record.started), record.lesson, record.speed, record.moles, record.appeared,
              record.caught, record.misses, record.playedMs, record.finished ? 1 : 0}))
        return query.lastError();
    return insertDetails(db, query.lastInsertId().toLongLong(), record);
}

QSqlError readGames(QSqlDatabase& db, bool details, std::vector<GameRecord>& games)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!run(query, (std::string(kSelectGames) + " ORDER BY g.id").c_str(), {}))
        return query.lastError();
    std::vector<qint64> ids;
    if (QSqlError error = takeGames(query, games, ids); error.isValid())
        return error;
    return details ? readDetails(db, ids, games) : QSqlError();
}

QSqlError readPlayerGames(QSqlDatabase& db, const std::string& player, std::vector<GameRecord>& games)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!run(query, (std::string(kSelectGames) + " WHERE p.name = ? ORDER BY g.id").c_str(), {text(player)}))
        return query.lastError();
    std::vector<qint64> ids;
    return takeGames(query, games, ids);
}

QSqlError readPlayers(QSqlDatabase& db, std::vector<std::string>& names)
{
    QSqlQuery query(db);
    if (!run(query, "SELECT name FROM players ORDER BY id", {}))
        return query.lastError();
    while (query.next())
        names.push_back(text(query.value(0)));
    return query.lastError();
}

QSqlError storeCurrentPlayer(QSqlDatabase& db, const std::string& name)
{
    qint64 player = 0;
    if (QSqlError error = playerId(db, name, player); error.isValid())
        return error;
    QSqlQuery query(db);
    if (!run(query, "INSERT OR REPLACE INTO settings (name, value) VALUES ('player', ?)", {player}))
        return query.lastError();
    return {};
}

QSqlError deletePlayerGames(QSqlDatabase& db, const std::string& player)
{
    // The counts per key and the misses go with their games (ON DELETE CASCADE, foreign keys on).
    QSqlQuery query(db);
    if (!run(query, "DELETE FROM games WHERE player = (SELECT id FROM players WHERE name = ?)", {text(player)}))
        return query.lastError();
    return {};
}

QSqlError readKeyWindows(QSqlDatabase& db, const std::string& player, std::vector<GameRecord>& games)
{
    // Each key's rows from its newest game back, as long as the appearances before them leave room in its
    // window; the oldest game a window reaches is kept whole, for keyStatsOf to take its part of.
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!run(query,
             "SELECT game, moji, appeared, caught FROM (SELECT k.game, k.moji, k.appeared, k.caught,"
             " SUM(k.appeared) OVER (PARTITION BY k.moji ORDER BY k.game DESC ROWS UNBOUNDED PRECEDING) AS upto"
             " FROM game_keys k JOIN games g ON g.id = k.game JOIN players p ON p.id = g.player"
             " WHERE p.name = ? AND k.appeared > 0) WHERE upto - appeared < ? ORDER BY game",
             {text(player), kKeyWindow}))
        return query.lastError();
    std::vector<qint64> ids;
    while (query.next()) {
        if (ids.empty() || ids.back() != query.value(0).toLongLong()) {
            ids.push_back(query.value(0).toLongLong());
            games.emplace_back();
        }
        games.back().keys[text(query.value(1))] = {query.value(2).toInt(), query.value(3).toInt()};
    }
    if (query.lastError().isValid() || ids.empty())
        return query.lastError();
    GamesById byId;
    for (std::size_t i = 0; i < ids.size(); ++i)
        byId[ids[i]] = &games[i];
    if (!run(query,
             "SELECT m.id, m.game, m.typed, x.moji FROM misses m LEFT JOIN mixups x ON x.miss = m.id"
             " WHERE m.game >= ? ORDER BY m.id, x.rowid",
             {ids.front()}))
        return query.lastError();
    takeMisses(query, byId);
    return {};
}

QSqlError readLastLesson(QSqlDatabase& db, const std::string& player, int& lesson)
{
    QSqlQuery query(db);
    if (!run(query,
             "SELECT g.lesson FROM games g JOIN players p ON p.id = g.player"
             " WHERE p.name = ? AND g.lesson BETWEEN 1 AND ? ORDER BY g.id DESC LIMIT 1",
             {text(player), kLessonCount}))
        return query.lastError();
    if (query.next())
        lesson = query.value(0).toInt();
    return {};
}

QSqlError readCurrentPlayer(QSqlDatabase& db, std::string& name)
{
    QSqlQuery query(db);
    if (!run(query, "SELECT p.name FROM settings s JOIN players p ON p.id = s.value WHERE s.name = 'player'", {}))
        return query.lastError();
    if (query.next())
        name = text(query.value(0));
    return {};
}

QSqlError readVersion(QSqlDatabase& db, int& version)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return query.lastError();
    version = query.value(0).toInt();
    return {};
}

} // namespace zunaka
