#include "platform/Pictures.h"
#include "platform/StandardMidiFile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include <sys/stat.h>

namespace zunaka {
namespace {

// A header that claims `side` x `side` pixels in front of the data of a small picture.
QByteArray claiming(QByteArray jpeg, int side)
{
    qsizetype frame = -1;
    for (const char* marker : {"\xff\xc0", "\xff\xc2"})
        frame = std::max(frame, jpeg.indexOf(marker));
    // Marker, length and precision, then height and width, high byte first.
    for (int i : {5, 7}) {
        jpeg[frame + i] = static_cast<char>(side >> 8);
        jpeg[frame + i + 1] = static_cast<char>(side & 0xff);
    }
    return jpeg;
}

// A JPEG of `size` in one colour, with a black disc in its top left quarter, its edge smoothed; a grey one
// when `stored` is Format_Grayscale8, as the masks are.
QByteArray jpegOf(QSize size, QColor colour, QImage::Format stored = QImage::Format_RGB32)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(colour);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::black);
    painter.drawEllipse(QRect(QPoint(), size / 2));
    painter.end();
    picture.convertTo(stored);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "JPG", 90);
    return bytes;
}

// A camera's header: a small JPEG, with its own end marker, in an APP1 segment after the start marker.
QByteArray withThumbnail(QByteArray jpeg, const QByteArray& thumbnail)
{
    const auto length = static_cast<int>(thumbnail.size() + 2);
    jpeg.insert(2, QByteArray("\xff\xe1") + char(length >> 8) + char(length & 0xff) + thumbnail);
    return jpeg;
}

// A mask the raster operations draw without a halo, with the disc of jpegOf() in its place.
bool pureMask(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xffffff) != 0 && (image.pixel(x, y) & 0xffffff) != 0xffffff)
                return false;
    return image.pixel(image.width() / 4, image.height() / 4) == qRgb(0, 0, 0);
}

// What the game loads of a picture file, for the size it draws it at: the size kept, or nothing.
TEST(Pictures, WholeRegularFilesLoadAtTheSizeTheyAreDrawnAtOrAsLargeAsTheyAre)
{
    QTemporaryDir dir;
    const QByteArray jpeg = jpegOf({640, 500}, Qt::darkGreen);
    struct Row {
        const char* name;
        std::function<void(const QString& path)> make;
        PictureUse use;
        QSize kept;  // empty: refused
        QImage::Format format = QImage::Format_RGB32;
    };
    const auto write = [](const QByteArray& bytes) {
        return [bytes](const QString& path) {
            QFile out(path);
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            out.write(bytes);
        };
    };
    const QSize canvas(640, 480), mole(125, 145);
    const Row rows[] = {
        {"whole", write(jpeg), {canvas}, {640, 500}},
        {"missing", [](const QString&) {}, {canvas}, {}},
        {"a folder", [](const QString& path) { QDir().mkdir(path); }, {canvas}, {}},
        {"a named pipe", [](const QString& path) { mkfifo(path.toLocal8Bit().constData(), 0600); }, {canvas}, {}},
        {"a device", [](const QString& path) { QFile::link("/dev/zero", path); }, {canvas}, {}},
        {"cut off at half", write(jpeg.left(jpeg.size() / 2)), {canvas}, {}},
        {"cut off before its end marker", write(jpeg.chopped(2)), {canvas}, {}},
        {"a thumbnail in its header, then cut off", write(withThumbnail(jpeg.chopped(2), jpegOf({16, 16}, Qt::red))), {canvas}, {}},
        {"a thumbnail in its header", write(withThumbnail(jpeg, jpegOf({16, 16}, Qt::red))), {canvas}, {640, 500}},
        {"a phone's video after its end marker", write(jpeg + "\xff\xda\x00\x08video" + jpeg.left(200)), {canvas}, {640, 500}},
        // Qt's own limit (128 MB in 6.4, and none with QT_IMAGEIO_MAXALLOC=0) would let this one through.
        {"a header that claims 5000 x 5000, drawn at no known size", write(claiming(jpeg, 5000)), {}, {}},
        {"a header that claims 60000 x 60000", write(claiming(jpeg, 60000)), {canvas}, {}},
        {"a camera's 6000 x 4000 photo", write(jpegOf({6000, 4000}, Qt::darkGreen)), {canvas}, {750, 500}},
        {"a mask at twice the size", write(jpegOf({250, 290}, Qt::white)), {mole, true}, mole},
        {"a mask less than twice the size, as it is", write(jpegOf({200, 232}, Qt::white)), {mole, true}, {200, 232}},
        // A grey mask keeps its one byte a pixel.
        {"a grey mask at twice the size", write(jpegOf({250, 290}, Qt::white, QImage::Format_Grayscale8)),
         {mole, true}, mole, QImage::Format_Grayscale8},
        {"a grey picture", write(jpegOf({250, 290}, Qt::white, QImage::Format_Grayscale8)), {mole}, mole},
    };
    int n = 0;
    for (const Row& row : rows) {
        const QString path = dir.filePath(QString("%1.jpg").arg(++n));
        row.make(path);
        // A refusal is an exception; caught here so that every row is tried.
        QImage image;
        try {
            image = decodePicture(path.toStdString(), row.use);
        } catch (const std::runtime_error&) {
        }
        EXPECT_EQ(image.isNull() ? QSize() : image.size(), row.kept) << row.name;
        if (image.isNull())
            continue;
        EXPECT_EQ(image.format(), row.format) << row.name;
        if (row.use.mask && row.kept == row.use.drawnAt) {
            EXPECT_TRUE(pureMask(image)) << row.name;
        }
    }
}

std::string chunk(const std::string& type, const std::string& body)
{
    const auto n = static_cast<std::uint32_t>(body.size());
    return type + std::string{char(n >> 24), char(n >> 16 & 0xff), char(n >> 8 & 0xff), char(n & 0xff)} + body;
}

// Format, track count and division, each two bytes.
std::string header(int format, int tracks, int division)
{
    return chunk("MThd", std::string{char(format >> 8), char(format), char(tracks >> 8), char(tracks),
                                     char(division >> 8), char(division)});
}

TEST(StandardMidiFile, OnlyAWholeSongIsAccepted)
{
    // A note on and off, then the end of the track.
    const std::string track = chunk("MTrk", std::string("\x00\x90\x3c\x40\x60\x80\x3c\x00\x00\xff\x2f\x00", 12));
    const std::string song = header(1, 2, 480) + track + track;
    struct Row {
        const char* name;
        std::string bytes;
        bool accepted;
    };
    const Row rows[] = {
        {"two tracks", song, true},
        {"one track of format 0", header(0, 1, 96) + track, true},
        {"a chunk of another type between the tracks", header(1, 2, 480) + track + chunk("XFIH", "abc") + track, true},
        {"a longer header", chunk("MThd", std::string("\x00\x01\x00\x01\x01\xe0\x00\x00", 8)) + track, true},
        {"bytes after the last track", song + "tail", true},
        {"SMPTE timing", header(0, 1, 0xe728) + track, true},
        {"empty", "", false},
        {"the tag alone", "MThd", false},
        {"cut off at half", song.substr(0, song.size() / 2), false},
        {"one byte short", song.substr(0, song.size() - 1), false},
        {"a track fewer than named", header(1, 3, 480) + track + track, false},
        {"a chunk of another type in place of the second track", header(1, 2, 480) + track + chunk("XFIH", "abc"), false},
        {"format 3", header(3, 2, 480) + track + track, false},
        {"no tracks", header(1, 0, 480), false},
        {"division 0", header(1, 2, 0) + track + track, false},
        {"a header too short", chunk("MThd", std::string("\x00\x00\x00\x01\x01", 5)) + track, false},
        {"a track longer than the file", header(0, 1, 96) + "MTrk\xff\xff\xff\xff" + track, false},
        {"a WAVE file", chunk("RIFF", "WAVEfmt "), false},
    };
    for (const Row& row : rows)
        EXPECT_EQ(isStandardMidiFile(row.bytes), row.accepted) << row.name;
}

} // namespace
} // namespace zunaka
