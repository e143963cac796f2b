#pragma once

#include "RecordsFile.h"
#include "platform/RecordStore.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>

#include <functional>
#include <string>
#include <vector>

namespace zunaka {

// The records in the user's SQLite file, through Qt SQL. Nothing happens at start-up: the SQL plug-in
// loads and the file opens when the first game ends. A file that cannot be used never stops the game: the
// game plays as without records, standard error says why once, and the records not stored are kept in
// memory and tried again at the next game's end. Only a file SQLite finds broken is moved aside, for a
// new one; none is ever deleted or overwritten.
class SqliteRecords : public RecordStore {
public:
    // `path` empty: the user's records file (recordsPath), found when first needed.
    explicit SqliteRecords(QString path = {});
    ~SqliteRecords() override;
    SqliteRecords(const SqliteRecords&) = delete;
    SqliteRecords& operator=(const SqliteRecords&) = delete;

    std::string localTime() override;
    std::string currentPlayer() override;
    bool save(const GameRecord& record) override;
    bool canSave() override;
    std::optional<std::vector<GameRecord>> playerGames(const std::string& player) override;
    std::vector<std::string> players() override;
    bool choosePlayer(const std::string& name) override;
    bool deleteGames(const std::string& player) override;
    KeyStats keyStats(const std::string& player) override;
    int lastLesson(const std::string& player) override;

    // Every stored game in the order stored, with its counts per key and its misses; none when the file
    // cannot be read.
    std::vector<GameRecord> games();
    // Records given to save and not stored yet.
    std::size_t unsaved() const { return pending_.size(); }

private:
    bool ready();
    bool open(bool mayMoveAside = true);
    QSqlError prepare();
    QSqlError inTransaction(const std::function<QSqlError()>& change);
    void close();
    bool moveBrokenAside();
    void tell(const QString& why);

    QString path_;
    QString connection_;
    QSqlDatabase db_;
    FileIdentity identity_;  // of the file db_ opened
    bool writable_ = false;
    bool told_ = false;
    std::string player_;
    std::vector<GameRecord> pending_;
};

} // namespace zunaka
