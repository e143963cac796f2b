#include "Pictures.h"

#include "DataFile.h"
#include "JpegLayout.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <QString>

#include <stdexcept>
#include <string_view>

namespace zunaka {

namespace {

// Far above the game's own pictures (the largest, 640 x 500, is 1.25 MiB as RGB32), far below what a lying
// header can ask for: a JPEG that claims 60000 x 60000 pixels would take 14 GB. It bounds what is kept
// of a picture, after any shrinking while decoding.
constexpr int kMaxPictureMegabytes = 64;
constexpr std::size_t kMaxPictureFileBytes = std::size_t{kMaxPictureMegabytes} << 20;
// A progressive JPEG is held whole while it decodes, at two bytes a pixel and colour whatever it is
// shrunk to: 64 million pixels, more than the largest cameras' (61), cost up to 384 MB.
constexpr long long kMaxSourcePixels = 64LL << 20;
// libjpeg decodes at 1/2, 1/4 and 1/8 of the size directly: the full-size picture is never in memory.
constexpr int kMaxShrink = 8;
constexpr int kMaskThreshold = 128;

[[noreturn]] void fail(const std::string& path, const QString& why)
{
    throw std::runtime_error("cannot load " + path + ": " + why.toStdString());
}

// The largest power of two up to 8 that keeps the picture at least as large as it is drawn.
int shrinkFor(const JpegLayout& jpeg, QSize drawnAt)
{
    int shrink = 1;
    while (shrink < kMaxShrink && !drawnAt.isEmpty() && jpeg.width / (shrink * 2) >= drawnAt.width() &&
           jpeg.height / (shrink * 2) >= drawnAt.height())
        shrink *= 2;
    return shrink;
}

// Shrinking averages the mask's edge into greys, which the raster operations would draw as a halo.
void thresholdMask(QImage& mask)
{
    for (int y = 0; y < mask.height(); ++y) {
        if (mask.format() == QImage::Format_Grayscale8) {
            uchar* row = mask.scanLine(y);
            for (int x = 0; x < mask.width(); ++x)
                row[x] = row[x] < kMaskThreshold ? 0 : 255;
            continue;
        }
        auto* row = reinterpret_cast<QRgb*>(mask.scanLine(y));
        for (int x = 0; x < mask.width(); ++x)
            row[x] = qGray(row[x]) < kMaskThreshold ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
    }
}

// A mask from a grey JPEG keeps its one byte a pixel: the raster operations read a grey as the RGB32
// pixel with that grey in each colour, which is what converting it would hold, at four times the memory.
QImage::Format keptFormat(const QImage& image, const PictureUse& use)
{
    return use.mask && image.format() == QImage::Format_Grayscale8 ? QImage::Format_Grayscale8
                                                                   : QImage::Format_RGB32;
}

std::string readPictureFile(const std::string& path)
{
    std::string why;
    auto bytes = readDataFile(path, kMaxPictureFileBytes, why);
    if (!bytes)
        fail(path, QString::fromStdString(why));
    return std::move(*bytes);
}

// The picture held in `bytes`, read from `path`.
QImage decodeBytes(const std::string& path, std::string_view bytes, const PictureUse& use)
{
    const auto jpeg = readJpegLayout(bytes);
    if (jpeg && !jpeg->whole)
        fail(path, QStringLiteral("cut off or damaged"));
    if (jpeg && static_cast<long long>(jpeg->width) * jpeg->height > kMaxSourcePixels)
        fail(path, QStringLiteral("far larger than any picture the game draws"));
    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAllocationLimit(kMaxPictureMegabytes);
    const int shrink = jpeg ? shrinkFor(*jpeg, use.drawnAt) : 1;
    // Rounded down, the size asks libjpeg for exactly 1/shrink; Qt evens out its last pixel, if any.
    if (shrink > 1)
        reader.setScaledSize(QSize(jpeg->width / shrink, jpeg->height / shrink));
    QImage image = reader.read();
    if (image.isNull())
        fail(path, reader.errorString());
    image.convertTo(keptFormat(image, use));
    if (use.mask && shrink > 1)
        thresholdMask(image);
    return image;
}

} // namespace

QImage decodePicture(const std::string& path, const PictureUse& use)
{
    return decodeBytes(path, readPictureFile(path), use);
}

PictureFile readPicture(const std::string& path, const PictureUse& use)
{
    const std::string bytes = readPictureFile(path);
    decodeBytes(path, bytes, use);
    return {QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())), use};
}

QImage decodePicture(const PictureFile& file)
{
    try {
        return decodeBytes({}, std::string_view(file.bytes.constData(), static_cast<std::size_t>(file.bytes.size())),
                           file.use);
    } catch (const std::runtime_error&) {
        return {};  // never for bytes that readPicture let through: they decode the same way every time
    }
}

} // namespace zunaka
