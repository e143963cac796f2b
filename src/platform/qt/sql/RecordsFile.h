#pragma once

#include <QString>

namespace zunaka {

// The records file and its folder, as the file system sees them. Used by the SQLite store when it first
// opens the file, and by `zunaka --records`.

// $XDG_DATA_HOME/zunaka/records.sqlite, or ~/.local/share/zunaka/records.sqlite when the variable is unset.
QString recordsPath();

// Makes the folder and every missing one above it, each readable by the user alone. False when it is
// still not there afterwards.
bool makePrivateFolder(const QString& folder);

// Creates the file empty, readable and writable by the user alone, unless it exists: SQLite would create
// it with the process's umask. False when it neither existed nor could be made.
bool createPrivateFile(const QString& path);

// The device and inode of the file at `path`, or zeros when there is none: a file deleted or replaced
// while the game has it open shows as another identity.
struct FileIdentity {
    unsigned long long device = 0;
    unsigned long long inode = 0;
    bool operator==(const FileIdentity&) const = default;
};
FileIdentity fileIdentity(const QString& path);

// Whether the folder lies on a network or FUSE file system, where SQLite's WAL mode (shared memory
// between processes) cannot be trusted.
bool onNetworkFileSystem(const QString& folder);

// Moves a file SQLite found broken aside, with its -wal and -shm files, as PATH.broken-TIME (the WAL and
// shared-memory files keep their suffixes after that name, so SQLite still finds them together). Never
// replaces a file. Returns the new name of the file, or an empty string when it could not be moved.
QString moveAside(const QString& path, const QString& time);

} // namespace zunaka
