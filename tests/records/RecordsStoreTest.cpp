// The records file through SQLite, on files in a temporary folder: what is stored comes back, and a file
// that cannot be used loses no record and stops nothing.
#include "platform/qt/sql/SqliteRecords.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>

namespace zunaka {
namespace {

GameRecord game(int caught, const std::string& player = "みんな")
{
    return {"2026-10-25T02:30:00+01:00", 7, 2, 50, 50, caught, 2, 61234, caught % 2 == 0, player,
            {{"A", {3, 2}}, {";", {2, 1}}}, {{";", {":", "A"}}, {"Q", {}}}};
}

// Another program's connection to the file.
struct OtherProgram {
    explicit OtherProgram(const QString& path) : db(QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kName))
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        db.setDatabaseName(path);
        EXPECT_TRUE(db.open());
    }
    ~OtherProgram()
    {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(kName);
    }
    QString value(const QString& sql)
    {
        QSqlQuery query(db);
        EXPECT_TRUE(query.exec(sql)) << sql.toStdString() << ": " << query.lastError().text().toStdString();
        return query.next() ? query.value(0).toString() : QString();
    }
    static constexpr const char* kName = "other";
    QSqlDatabase db;
};

QByteArray bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void write(const QString& path, const QByteArray& data, qint64 at = 0)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite) && file.seek(at) && file.write(data) == data.size());
}

mode_t modeOf(const QString& path)
{
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 0777 : 0;
}

TEST(RecordsStore, GamesComeBackInTheOrderStored)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data/zunaka/records.sqlite"));
    const std::vector<GameRecord> games{game(21), game(30, "たろう"), game(0)};
    {
        SqliteRecords store(path);
        EXPECT_EQ(store.currentPlayer(), "みんな");
        for (const GameRecord& record : games)
            EXPECT_TRUE(store.save(record));
        EXPECT_EQ(store.games(), games);
    }
    EXPECT_EQ(SqliteRecords(path).games(), games) << "read back by a new run";
    EXPECT_EQ(modeOf(path), 0600u);
    EXPECT_EQ(modeOf(dir.filePath(QStringLiteral("data/zunaka"))), 0700u);
    {
        OtherProgram other(path);
        EXPECT_EQ(other.value(QStringLiteral("PRAGMA journal_mode")), QStringLiteral("wal"));
        EXPECT_EQ(other.value(QStringLiteral("PRAGMA user_version")), QStringLiteral("1"));
    }
    // The records page's changes: the player chosen is remembered; erasing takes one player's games alone,
    // with their counts per key and misses.
    {
        SqliteRecords store(path);
        EXPECT_TRUE(store.choosePlayer("たろう"));
        EXPECT_TRUE(store.deleteGames("みんな"));
        EXPECT_EQ(store.players(), (std::vector<std::string>{"みんな", "たろう"}));
    }
    EXPECT_EQ(SqliteRecords(path).currentPlayer(), "たろう");
    EXPECT_EQ(SqliteRecords(path).games(), std::vector{games[1]});
    EXPECT_EQ(OtherProgram(path).value(QStringLiteral("SELECT COUNT(*) FROM game_keys")), QStringLiteral("2"));
    // Deleted during a run to start afresh: the next game starts a new file, not a deleted one.
    SqliteRecords store(path);
    EXPECT_TRUE(store.save(game(8)));
    QFile::remove(path);
    EXPECT_TRUE(store.save(game(9)));
    EXPECT_EQ(SqliteRecords(path).games(), std::vector{game(9)});
}

// Each row spoils the file or its folder before a first game is saved, and may mend it before a second.
TEST(RecordsStore, AFileThatCannotBeUsedLosesNoRecordAndIsNeverOverwritten)
{
    std::optional<OtherProgram> other;
    rlimit fileSize{};
    ::getrlimit(RLIMIT_FSIZE, &fileSize);
    using Step = std::function<void(const QString& path)>;
    struct Row {
        const char* what;
        Step spoil;
        Step mend;
        bool firstSaved;
        bool secondSaved;
        bool movedAside;
        std::vector<int> stored;  // the games in the file at the end, by their catches
    };
    const Row rows[] = {
        {"no writable data folder", [](const QString& path) { write(QFileInfo(path).absolutePath(), "a file"); },
         [](const QString& path) { QFile::remove(QFileInfo(path).absolutePath()); }, false, true, false, {1, 2}},
        {"locked by another program",
         [&other](const QString& path) {
             other.emplace(path);
             other->value(QStringLiteral("CREATE TABLE theirs (x)"));
             other->value(QStringLiteral("BEGIN EXCLUSIVE"));
         },
         [&other](const QString&) { other.reset(); }, false, true, false, {1, 2}},
        {"full disk",
         [fileSize](const QString&) {
             // Room for the message on standard error, not for SQLite's shared memory or first page.
             std::signal(SIGXFSZ, SIG_IGN);
             const rlimit full{4096, fileSize.rlim_max};
             ::setrlimit(RLIMIT_FSIZE, &full);
         },
         [fileSize](const QString&) { ::setrlimit(RLIMIT_FSIZE, &fileSize); }, false, true, false, {1, 2}},
        {"not a database", [](const QString& path) { write(path, QByteArray(3000, 'x')); }, {}, true, true, true,
         {1, 2}},
        {"damaged",
         [](const QString& path) {
             SqliteRecords(path).save(game(5));
             write(path, QByteArray(8192, 'U'), 4096);
         },
         {}, true, true, true, {1, 2}},
        {"of a newer version",
         [](const QString& path) {
             SqliteRecords(path).save(game(5));
             OtherProgram(path).value(QStringLiteral("PRAGMA user_version = 2"));
         },
         {}, false, false, false, {5}},
    };
    for (const Row& row : rows) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("zunaka/records.sqlite"));
        row.spoil(path);
        const QByteArray before = bytes(path);
        testing::internal::CaptureStderr();
        SqliteRecords store(path);
        EXPECT_EQ(store.save(game(1)), row.firstSaved) << row.what;
        if (row.mend)
            row.mend(path);
        EXPECT_EQ(store.save(game(2)), row.secondSaved) << row.what;
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), row.firstSaved && !row.movedAside ? 0 : 1)
            << row.what << ": " << said;

        std::vector<GameRecord> stored;
        for (int caught : row.stored)
            stored.push_back(game(caught));
        EXPECT_EQ(store.games(), stored) << row.what;
        EXPECT_EQ(store.keyStats("みんな"), keyStatsOf(stored)) << row.what << ": read where it can be";
        const QStringList aside = QDir(dir.filePath(QStringLiteral("zunaka")))
                                      .entryList({QStringLiteral("records.sqlite.broken-*")}, QDir::Files);
        ASSERT_EQ(aside.size(), row.movedAside ? 1 : 0) << row.what << ": " << aside.join(' ').toStdString();
        if (row.movedAside) {
            EXPECT_EQ(bytes(dir.filePath(QStringLiteral("zunaka/") + aside[0])), before) << row.what;
        } else if (!row.secondSaved) {
            EXPECT_EQ(bytes(path), before) << row.what << ": a file not written";
        }
    }
}

// What にがてなキー reads when its game starts. Each row stores みんな's games, oldest first (of lesson 7
// unless given), with one of another player's among them; the statistics come the same from the games
// themselves (as the fake's store computes them) and from the file.
TEST(RecordsStore, WeakKeysReadEachKeysLastThirtyAppearancesAndTheLastLesson)
{
    const auto played = [](std::map<std::string, KeyCount> keys, std::vector<MissRecord> misses,
                           const std::string& player = "みんな", int lesson = 7) {
        GameRecord record = game(0, player);
        record.lesson = lesson;
        record.keys = std::move(keys);
        record.missList = std::move(misses);
        return record;
    };
    struct Row {
        const char* what;
        std::vector<GameRecord> games;
        KeyStats expected;
        int lastLesson;
    };
    const Row rows[] = {
        {"no games", {}, {}, 0},
        {"the window ends inside the second game back; a tie of mix-ups goes to the first in byte order",
         {played({{"A", {10, 0}}, {"B", {5, 5}}}, {{"S", {"A"}}}),
          played({{"A", {20, 10}}, {":", {1, 0}}}, {{";", {"A", "A", ":"}}, {"X", {"Z"}}}),
          played({{"A", {20, 20}}}, {{"Q", {"A"}}, {"Q", {"A"}}, {";", {"A"}}})},
         {{"A", {30, 25, 4, ";"}}, {"B", {5, 5, 0, ""}}, {":", {1, 0, 1, ";"}}},
         0},
        {"the part of a game is rounded to nearest; another player's games are left out",
         {played({{"A", {4, 1}}}, {}, "みんな", 4), played({{"A", {30, 0}}}, {{"Q", {"A"}}}, "たろう", 2),
          played({{"A", {28, 28}}}, {{"S", {"A"}}})},
         {{"A", {30, 29, 1, "S"}}},
         4},
    };
    for (const Row& row : rows) {
        QTemporaryDir dir;
        SqliteRecords store(dir.filePath(QStringLiteral("records.sqlite")));
        std::vector<GameRecord> mine;
        for (const GameRecord& record : row.games) {
            EXPECT_TRUE(store.save(record)) << row.what;
            if (record.player == "みんな")
                mine.push_back(record);
        }
        EXPECT_EQ(keyStatsOf(mine), row.expected) << row.what;
        EXPECT_EQ(store.keyStats("みんな"), row.expected) << row.what;
        EXPECT_EQ(store.lastLesson("みんな"), row.lastLesson) << row.what;
    }
}

// version1.sql is the .dump of a file the first version of the records wrote, with its user_version.
TEST(RecordsStore, AFileOfVersionOneOpensAndTakesMoreGames)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("records.sqlite"));
    {
        OtherProgram other(path);
        const QString dump = QString::fromUtf8(bytes(QStringLiteral(ZUNAKA_RECORDS_FIXTURES "/version1.sql")));
        ASSERT_FALSE(dump.isEmpty());
        for (const QString& statement : dump.split(QStringLiteral(";\n"), Qt::SkipEmptyParts))
            other.value(statement);
    }
    SqliteRecords store(path);
    EXPECT_EQ(store.currentPlayer(), "たろう");
    EXPECT_TRUE(store.save(game(3, "たろう")));
    EXPECT_EQ(store.games(), (std::vector<GameRecord>{game(21), game(30, "たろう"), game(3, "たろう")}));
}

} // namespace
} // namespace zunaka
