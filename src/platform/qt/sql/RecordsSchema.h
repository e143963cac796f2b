#pragma once

#include <QSqlError>

class QSqlDatabase;

namespace zunaka {

// The version of the records file this program writes, kept in PRAGMA user_version. A file of a newer
// version is read where its tables allow and never written.
inline constexpr int kRecordsVersion = 1;

// Qt SQL's SQLite driver (Debian package libqt6sql6-sqlite), a plug-in loaded on first use.
inline constexpr const char* kSqliteDriver = "QSQLITE";
inline constexpr const char* kNoDriver = "Qt's SQLite driver is not installed (Debian package libqt6sql6-sqlite)";

// The player every file starts with, and the current one until another is chosen.
inline constexpr const char* kDefaultPlayer = "みんな";

// Brings a file of version `from` (0: new and empty) to kRecordsVersion, step by step, and sets its
// version. Runs inside the caller's transaction, so a file is upgraded wholly or not at all.
QSqlError upgradeRecords(QSqlDatabase& db, int from);

} // namespace zunaka
