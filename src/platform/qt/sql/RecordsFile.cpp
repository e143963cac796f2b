#include "RecordsFile.h"

#include <QFile>
#include <QStandardPaths>

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace zunaka {

namespace {

constexpr const char* kRecordsFile = "/zunaka/records.sqlite";
constexpr int kMaxAsideAttempts = 10;

// File systems whose locks or shared memory SQLite's WAL mode cannot rely on. Some magics are missing from
// <linux/magic.h>: CIFS, SMB2, FUSE, Ceph, AFS (kAFS), 9P, GlusterFS through FUSE, Lustre.
constexpr std::array<long, 11> kNetworkMagics{
    NFS_SUPER_MAGIC, SMB_SUPER_MAGIC, 0xFF534D42L /* CIFS */, 0xFE534D42L /* SMB2 */, 0x65735546L /* FUSE */,
    0x00C36400L /* Ceph */, AFS_SUPER_MAGIC, 0x6B414653L /* kAFS */, 0x01021997L /* 9P */,
    CODA_SUPER_MAGIC, 0x0BD00BD0L /* Lustre */};

} // namespace

QString recordsPath()
{
    // Qt follows the XDG rule: $XDG_DATA_HOME when set and absolute, otherwise ~/.local/share.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QLatin1String(kRecordsFile);
}

bool makePrivateFolder(const QString& folder)
{
    const QByteArray path = QFile::encodeName(folder);
    for (qsizetype end = 1; end <= path.size(); ++end) {
        if (end < path.size() && path[end] != '/')
            continue;
        if (::mkdir(path.left(end).constData(), 0700) != 0 && errno != EEXIST)
            return false;
    }
    struct stat info {};
    return ::stat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool createPrivateFile(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
    if (fd >= 0)
        return ::close(fd) == 0;
    return errno == EEXIST;
}

FileIdentity fileIdentity(const QString& path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    return {static_cast<unsigned long long>(info.st_dev), static_cast<unsigned long long>(info.st_ino)};
}

bool onNetworkFileSystem(const QString& folder)
{
    struct statfs info {};
    if (::statfs(QFile::encodeName(folder).constData(), &info) != 0)
        return false;
    for (long magic : kNetworkMagics) {
        if (static_cast<long>(info.f_type) == magic)
            return true;
    }
    return false;
}

QString moveAside(const QString& path, const QString& time)
{
    for (int attempt = 1; attempt <= kMaxAsideAttempts; ++attempt) {
        QString aside = path + QStringLiteral(".broken-") + time;
        if (attempt > 1)
            aside += QStringLiteral("-%1").arg(attempt);
        // QFile::rename refuses to replace an existing file.
        if (!QFile::rename(path, aside))
            continue;
        for (const char* suffix : {"-wal", "-shm"}) {
            if (QFile::exists(path + QLatin1String(suffix)))
                QFile::rename(path + QLatin1String(suffix), aside + QLatin1String(suffix));
        }
        return aside;
    }
    return {};
}

} // namespace zunaka
