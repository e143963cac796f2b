#include "RecordsListing.h"

#include "RecordsFile.h"
#include "RecordsQueries.h"
#include "RecordsSchema.h"

#include <QCoreApplication>
#include <QFile>
#include <QSqlDatabase>
#include <QUrl>

#include <cstdio>
#include <cstdlib>

namespace zunaka {

namespace {

constexpr const char* kHeader = "started\tlesson\tspeed\tmoles\tappeared\tcaught\tmisses\tseconds\tfinished\tplayer\n";
constexpr const char* kConnection = "zunaka-records-listing";
// A game writing in the rollback journal holds the file for a moment; the listing may wait for it.
constexpr const char* kReadOptions = "QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=2000";
constexpr int kWalFormatOffset = 18;  // byte of the file header that reads 2 in WAL mode
constexpr char kWalFormat = 2;

// A reader of a file in WAL mode needs its -wal and -shm files, and SQLite creates them when no game has
// the file open. The file is then unchanging, so it is read as such and nothing is created.
QString readOnlyUri(const QString& path)
{
    QFile file(path);
    char format = 0;
    const bool wal = file.open(QIODevice::ReadOnly) && file.seek(kWalFormatOffset) && file.getChar(&format) &&
                     format == kWalFormat;
    const bool idle = wal && !QFile::exists(path + QStringLiteral("-wal"));
    return QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded) +
           (idle ? QStringLiteral("?mode=ro&immutable=1") : QStringLiteral("?mode=ro"));
}

void printGame(const GameRecord& game)
{
    const int seconds = (game.playedMs + 500) / 1000;
    std::printf("%s\t%d\t%d\t%d\t%d\t%d\t%d\t%d\t%d\t%s\n", game.started.c_str(), game.lesson, game.speed,
                game.moles, game.appeared, game.caught, game.misses, seconds, game.finished ? 1 : 0,
                game.player.c_str());
}

// Reads the games; false with `why` when the file cannot be read.
bool readAll(const QString& path, std::vector<GameRecord>& games, QString& why)
{
    if (!QSqlDatabase::isDriverAvailable(QString::fromLatin1(kSqliteDriver))) {
        why = QString::fromLatin1(kNoDriver);
        return false;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QString::fromLatin1(kSqliteDriver), QLatin1String(kConnection));
    db.setDatabaseName(readOnlyUri(path));
    db.setConnectOptions(QLatin1String(kReadOptions));
    int version = 0;
    QSqlError error;
    if (!db.open())
        error = db.lastError();
    else if (error = readVersion(db, version); !error.isValid() && version > 0)
        error = readGames(db, false, games);
    db.close();
    why = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    return !error.isValid();
}

} // namespace

int printRecords(int argc, char** argv)
{
    // Qt SQL loads its drivers through the application object; this one needs no display.
    QCoreApplication app(argc, argv);
    const QString path = recordsPath();
    std::vector<GameRecord> games;
    QString why;
    // A file made and never written (a game that could not store its record) holds no games either.
    const bool read = !QFile::exists(path) || readAll(path, games, why);
    QSqlDatabase::removeDatabase(QLatin1String(kConnection));
    if (!read) {
        std::fprintf(stderr, "zunaka: cannot read the records in %s: %s\n", qUtf8Printable(path),
                     qUtf8Printable(why));
        return EXIT_FAILURE;
    }
    std::fputs(kHeader, stdout);
    for (const GameRecord& game : games)
        printGame(game);
    return EXIT_SUCCESS;
}

} // namespace zunaka
