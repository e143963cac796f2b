#include "SqliteRecords.h"

#include "RecordsFile.h"
#include "RecordsQueries.h"
#include "RecordsSchema.h"

#include <QDateTime>
#include <QFileInfo>
#include <QSqlQuery>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace zunaka {

namespace {

// SQLite's primary result codes, as Qt passes them on in QSqlError::nativeErrorCode.
constexpr int kSqliteCorrupt = 11;
constexpr int kSqliteNotADatabase = 26;

// A busy file is left at once (and tried again at the next game's end): the game never waits for it.
constexpr const char* kConnectOptions = "QSQLITE_BUSY_TIMEOUT=0";

bool isBroken(const QSqlError& error)
{
    bool number = false;
    const int code = error.nativeErrorCode().toInt(&number) & 0xff;
    return number && (code == kSqliteCorrupt || code == kSqliteNotADatabase);
}

QSqlError brokenError(const QString& text)
{
    return QSqlError(QString(), text, QSqlError::StatementError, QString::number(kSqliteCorrupt));
}

QString describe(const QSqlError& error)
{
    return error.databaseText().isEmpty() ? error.text() : error.databaseText();
}

} // namespace

SqliteRecords::SqliteRecords(QString path)
    : path_(std::move(path)),
      connection_(QStringLiteral("zunaka-records-%1").arg(reinterpret_cast<quintptr>(this))),
      player_(kDefaultPlayer)
{
}

SqliteRecords::~SqliteRecords()
{
    close();
    if (QSqlDatabase::contains(connection_))
        QSqlDatabase::removeDatabase(connection_);
}

std::string SqliteRecords::localTime()
{
    // The offset always as +HH:MM, also in UTC (where Qt's ISO date writes Z), so every row reads alike.
    const QDateTime now = QDateTime::currentDateTime();
    const int offset = now.offsetFromUtc();
    const QString sign = offset < 0 ? QStringLiteral("-") : QStringLiteral("+");
    return (now.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) + sign +
            QTime(0, 0).addSecs(std::abs(offset)).toString(QStringLiteral("HH:mm")))
        .toStdString();
}

std::string SqliteRecords::currentPlayer()
{
    ready();
    return player_;
}

bool SqliteRecords::save(const GameRecord& record)
{
    pending_.push_back(record);
    if (!ready())
        return false;
    if (!writable_) {
        tell(QStringLiteral("the file was written by a newer version of the game; it is read, never written"));
        return false;
    }
    bool movedAside = false;
    while (!pending_.empty()) {
        const QSqlError error = inTransaction([this] { return insertGame(db_, pending_.front()); });
        if (!error.isValid()) {
            pending_.erase(pending_.begin());
            continue;
        }
        // A file found broken while writing goes aside like one found broken on opening, once a save.
        if (isBroken(error) && !movedAside) {
            movedAside = true;
            close();
            if (moveBrokenAside() && ready() && writable_)
                continue;
        }
        tell(describe(error));
        close();
        return false;
    }
    return true;
}

KeyStats SqliteRecords::keyStats(const std::string& player)
{
    std::vector<GameRecord> games;
    if (!ready() || readKeyWindows(db_, player, games).isValid())
        return {};
    return keyStatsOf(games);
}

int SqliteRecords::lastLesson(const std::string& player)
{
    int lesson = 0;
    if (!ready() || readLastLesson(db_, player, lesson).isValid())
        return 0;
    return lesson;
}

std::vector<GameRecord> SqliteRecords::games()
{
    std::vector<GameRecord> games;
    if (ready() && readGames(db_, true, games).isValid())
        games.clear();
    return games;
}

bool SqliteRecords::canSave()
{
    return ready() && writable_;
}

std::optional<std::vector<GameRecord>> SqliteRecords::playerGames(const std::string& player)
{
    std::vector<GameRecord> games;
    if (!ready() || readPlayerGames(db_, player, games).isValid())
        return std::nullopt;
    for (const GameRecord& record : pending_) {
        if (record.player == player)
            games.push_back(record);
    }
    return games;
}

std::vector<std::string> SqliteRecords::players()
{
    std::vector<std::string> names;
    if (ready() && !readPlayers(db_, names).isValid() && !names.empty())
        return names;
    // Without a file, the names this run knows of.
    names = {kDefaultPlayer};
    if (player_ != kDefaultPlayer)
        names.push_back(player_);
    return names;
}

bool SqliteRecords::choosePlayer(const std::string& name)
{
    const std::vector<std::string> known = players();
    const bool isNew = std::find(known.begin(), known.end(), name) == known.end();
    if (name.empty() || (isNew && known.size() >= kMaxPlayers))
        return false;
    player_ = name;
    if (!canSave())
        return false;
    const QSqlError error = inTransaction([this, &name] { return storeCurrentPlayer(db_, name); });
    if (error.isValid())
        tell(describe(error));
    return !error.isValid();
}

bool SqliteRecords::deleteGames(const std::string& player)
{
    std::erase_if(pending_, [&player](const GameRecord& record) { return record.player == player; });
    if (!canSave())
        return false;
    const QSqlError error = inTransaction([this, &player] { return deletePlayerGames(db_, player); });
    if (error.isValid())
        tell(describe(error));
    return !error.isValid();
}

// Opens the file on first use, or again after it failed; false when it cannot be used now.
bool SqliteRecords::ready()
{
    // A file deleted to start afresh (or replaced) while the game runs: the open connection would go on
    // writing to the deleted one. Closing it also removes that file's -wal and -shm, which a new file of
    // the same name would otherwise take as its own.
    if (db_.isOpen() && fileIdentity(path_) != identity_)
        close();
    if (db_.isOpen())
        return true;
    if (open())
        return true;
    close();
    return false;
}

bool SqliteRecords::open(bool mayMoveAside)
{
    if (path_.isEmpty())
        path_ = recordsPath();
    if (!makePrivateFolder(QFileInfo(path_).absolutePath()) || !createPrivateFile(path_)) {
        tell(QStringLiteral("cannot create it: %1").arg(QString::fromLocal8Bit(std::strerror(errno))));
        return false;
    }
    // The first use loads the SQL plug-in and SQLite: never before a game has ended. Without the plug-in
    // Qt would list every driver it has on standard error; one line says what is missing.
    if (!QSqlDatabase::isDriverAvailable(QString::fromLatin1(kSqliteDriver))) {
        tell(QString::fromLatin1(kNoDriver));
        return false;
    }
    if (!QSqlDatabase::contains(connection_))
        QSqlDatabase::addDatabase(QString::fromLatin1(kSqliteDriver), connection_);
    db_ = QSqlDatabase::database(connection_, false);
    db_.setDatabaseName(path_);
    db_.setConnectOptions(QString::fromLatin1(kConnectOptions));
    if (!db_.open()) {
        tell(describe(db_.lastError()));
        return false;
    }
    identity_ = fileIdentity(path_);
    QSqlError error = prepare();
    // The file that replaces a broken one is new and empty: it is not moved aside again.
    if (isBroken(error) && mayMoveAside) {
        close();
        return moveBrokenAside() && open(false);
    }
    if (error.isValid()) {
        tell(describe(error));
        return false;
    }
    return true;
}

// Checks the file, chooses its journal and brings it to this version; reads the current player.
QSqlError SqliteRecords::prepare()
{
    QSqlQuery query(db_);
    if (!query.exec(QStringLiteral("PRAGMA quick_check")))
        return query.lastError();
    if (!query.next() || query.value(0).toString() != QLatin1String("ok"))
        return brokenError(QStringLiteral("quick_check: ") + query.value(0).toString());
    query.finish();
    int version = 0;
    if (QSqlError error = readVersion(db_, version); error.isValid())
        return error;
    writable_ = version <= kRecordsVersion;
    if (writable_) {
        // WAL keeps a reader (zunaka --records) from blocking the game and costs one write a game; it
        // needs shared memory that network and FUSE file systems do not give, so there the rollback
        // journal, synced in full.
        const bool network = onNetworkFileSystem(QFileInfo(path_).absolutePath());
        const QString journal = network ? QStringLiteral("PRAGMA journal_mode = DELETE; PRAGMA synchronous = FULL")
                                        : QStringLiteral("PRAGMA journal_mode = WAL; PRAGMA synchronous = NORMAL");
        for (const QString& pragma : journal.split(QLatin1String("; "))) {
            if (!query.exec(pragma))
                return query.lastError();
        }
        if (!query.exec(QStringLiteral("PRAGMA foreign_keys = ON")))
            return query.lastError();
    }
    if (version < kRecordsVersion) {
        if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
            return query.lastError();
        QSqlError error = upgradeRecords(db_, version);
        if (!error.isValid() && !query.exec(QStringLiteral("COMMIT")))
            error = query.lastError();
        if (error.isValid()) {
            query.exec(QStringLiteral("ROLLBACK"));
            return error;
        }
    }
    return readCurrentPlayer(db_, player_);
}

// One game, or one change of the records page, one transaction: it is in the file wholly or not at all.
QSqlError SqliteRecords::inTransaction(const std::function<QSqlError()>& change)
{
    QSqlQuery query(db_);
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return query.lastError();
    QSqlError error = change();
    if (!error.isValid() && !query.exec(QStringLiteral("COMMIT")))
        error = query.lastError();
    if (error.isValid())
        query.exec(QStringLiteral("ROLLBACK"));
    return error;
}

void SqliteRecords::close()
{
    if (db_.isOpen())
        db_.close();
    db_ = QSqlDatabase();
}

bool SqliteRecords::moveBrokenAside()
{
    const QString time = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QString aside = moveAside(path_, time);
    if (aside.isEmpty()) {
        tell(QStringLiteral("%1 is damaged and could not be moved aside").arg(path_));
        return false;
    }
    std::fprintf(stderr, "zunaka: %s was damaged: moved aside as %s, and a new one started\n",
                 qUtf8Printable(path_), qUtf8Printable(aside));
    return true;
}

void SqliteRecords::tell(const QString& why)
{
    if (told_)
        return;
    told_ = true;
    std::fprintf(stderr, "zunaka: the records cannot be saved in %s (%s); the game plays on without them\n",
                 qUtf8Printable(path_), qUtf8Printable(why));
}

} // namespace zunaka
