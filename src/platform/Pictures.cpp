#include "Pictures.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImageReader>
#include <QString>

#include <stdexcept>

namespace zunaka {

namespace {

// Far above the game's own pictures (the largest, 640 x 500, is 1.25 MiB as RGB32), far below what a lying
// header can ask for: a JPEG that claims 60000 x 60000 pixels would take 14 GB.
constexpr int kMaxPictureMegabytes = 64;
constexpr qint64 kMaxPictureFileBytes = qint64{kMaxPictureMegabytes} << 20;

// libjpeg decodes a file that was cut off as far as it goes and greys the rest with no more than a warning.
// A whole JPEG has its end-of-image marker after its last scan; inside a scan a 0xFF byte is always
// followed by 0x00 or a restart marker, so the marker cannot appear there by chance.
bool isCutOffJpeg(const QByteArray& data)
{
    if (!data.startsWith("\xff\xd8"))
        return false;
    const qsizetype lastScan = data.lastIndexOf("\xff\xda");
    return lastScan >= 0 && data.indexOf("\xff\xd9", lastScan) < 0;
}

[[noreturn]] void fail(const std::string& path, const QString& why)
{
    throw std::runtime_error("cannot load " + path + ": " + why.toStdString());
}

} // namespace

QImage decodePicture(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        fail(path, file.errorString());
    // A device or a pipe under a picture's name could be read for ever.
    if (file.isSequential() || file.size() > kMaxPictureFileBytes)
        fail(path, QStringLiteral("no picture file of a sensible size"));
    QByteArray data = file.readAll();
    if (isCutOffJpeg(data))
        fail(path, QStringLiteral("cut off"));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAllocationLimit(kMaxPictureMegabytes);
    const QImage image = reader.read();
    if (image.isNull())
        fail(path, reader.errorString());
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace zunaka
