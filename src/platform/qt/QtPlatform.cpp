#include "QtPlatform.h"

#include "Messages.h"
#include "platform/Pictures.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>

#include <cstdio>
#include <cstdlib>

namespace zunaka {

namespace {

constexpr const char* kLockFileName = "zunaka.lock";
constexpr int kAudioIdleCheckMs = 1000;

QString lockFilePath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return QDir(folder).filePath(QString::fromLatin1(kLockFileName));
}

} // namespace

QtPlatform::QtPlatform()
    : audio_(QCoreApplication::applicationDirPath().toStdString(), [this] { return getTickCount(); })
{
    clock_.start();
    // The wait between passes: armed for the next deadline, it wakes the event wait when no event comes.
    wake_.setSingleShot(true);
    wake_.setTimerType(Qt::PreciseTimer);
    audioIdle_.setInterval(kAudioIdleCheckMs);
    QObject::connect(&audioIdle_, &QTimer::timeout, &audioIdle_, [this] {
        if (audio_.closeIfSilent())
            audioIdle_.stop();
    });
}

QtPlatform::~QtPlatform() = default;

Tick QtPlatform::getTickCount()
{
    return static_cast<Tick>(static_cast<std::uint32_t>(clock_.elapsed()));
}

int QtPlatform::mciSendString(std::string_view command)
{
    const int result = media_.send(command);
    watchAudio();
    return result;
}

void QtPlatform::sndPlaySound(const std::string& path, unsigned flags)
{
    audio_.playEffect(path, flags);
    watchAudio();
}

void QtPlatform::watchAudio()
{
    // A sound may have opened the audio device; the check stops itself once the device is closed.
    if (!audioIdle_.isActive())
        audioIdle_.start();
}

QImage QtPlatform::loadPicture(const std::string& path, const PictureUse& use)
{
    return decodePicture(path, use);
}

PictureFile QtPlatform::loadPictureFile(const std::string& path, const PictureUse& use)
{
    return readPicture(path, use);
}

ScreenSize QtPlatform::screen() const
{
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary)
        return {};
    const QSize size = primary->size();
    return {size.width(), size.height()};
}

ScreenSize QtPlatform::workArea() const
{
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary)
        return {};
    const QSize size = primary->availableGeometry().size();
    return {size.width(), size.height()};
}

std::string QtPlatform::appPath() const
{
    return QCoreApplication::applicationDirPath().toStdString();
}

bool QtPlatform::prevInstance()
{
    // The lock is held for the whole run; a lock left by a crashed run names a dead process and is taken
    // over. No time limit: a long-running first instance must keep its lock.
    const QString path = lockFilePath();
    lock_ = std::make_unique<QLockFile>(path);
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0))
        return false;
    // Refused only for a lock that names a process: a lock of a dead process was taken over above.
    qint64 pid = 0;
    if (lock_->error() == QLockFile::LockFailedError && lock_->getLockInfo(&pid, nullptr, nullptr) && pid > 0)
        return true;
    // Something else stands at the lock's path, or its folder is not writable: no other instance holds
    // it, so the game runs, only without the guard against a second start.
    std::fprintf(stderr, "zunaka: cannot create the lock file %s; a second start will not be refused\n",
                 path.toLocal8Bit().constData());
    lock_.reset();
    return false;
}

void QtPlatform::msgBox(const std::string& text)
{
    // Every message the game shows ends it (endWithMessage). The same text goes to standard error, so a
    // start that fails is visible from a terminal.
    std::fprintf(stderr, "%s\n", text.c_str());
    std::fflush(stderr);
    endingMessageUp_ = true;
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kAppTitle), QString::fromStdString(text),
                    QMessageBox::Ok);
    box.exec();
}

bool QtPlatform::askYesNo(const std::string& text)
{
    // Over the active window, so it stays in front of the page that asked.
    QMessageBox box(QMessageBox::Question, QString::fromUtf8(kAppTitle), QString::fromStdString(text),
                    QMessageBox::NoButton, QApplication::activeWindow());
    QPushButton* yes = box.addButton(QStringLiteral("はい"), QMessageBox::YesRole);
    box.setDefaultButton(box.addButton(QStringLiteral("いいえ"), QMessageBox::NoRole));
    box.exec();
    return box.clickedButton() == yes;
}

void QtPlatform::end()
{
    std::fflush(nullptr);
    std::_Exit(EXIT_FAILURE);
}

void QtPlatform::doEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    // Without exec() nothing else runs deferred deletes.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void QtPlatform::waitForEvents(std::int32_t timeoutMs)
{
    if (timeoutMs == 0)
        return;
    if (timeoutMs > 0)
        wake_.start(timeoutMs);
    // processEvents(flags, maxtime) would drop WaitForMoreEvents and spin; the timer bounds the wait.
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    wake_.stop();
}

} // namespace zunaka
