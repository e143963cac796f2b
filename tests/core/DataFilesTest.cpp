#include "platform/Pictures.h"
#include "platform/StandardMidiFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <string>

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

TEST(Pictures, OnlyWholePicturesOfASensibleSizeLoad)
{
    QTemporaryDir dir;
    const QString whole = dir.filePath("whole.jpg");
    QImage picture(640, 500, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    ASSERT_TRUE(picture.save(whole, "JPG", 90));
    QFile file(whole);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray jpeg = file.readAll();

    struct Row {
        const char* name;
        std::function<void(const QString& path)> make;
        bool loads;
    };
    const auto write = [](const QByteArray& bytes) {
        return [bytes](const QString& path) {
            QFile out(path);
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            out.write(bytes);
        };
    };
    const Row rows[] = {
        {"whole", write(jpeg), true},
        {"missing", [](const QString&) {}, false},
        {"a folder", [](const QString& path) { QDir().mkdir(path); }, false},
        {"cut off at half", write(jpeg.left(jpeg.size() / 2)), false},
        {"cut off before its end marker", write(jpeg.chopped(2)), false},
        // Qt's own limit (128 MB in 6.4, and none with QT_IMAGEIO_MAXALLOC=0) would let this one through.
        {"a header that claims 5000 x 5000", write(claiming(jpeg, 5000)), false},
        {"a header that claims 60000 x 60000", write(claiming(jpeg, 60000)), false},
    };
    int n = 0;
    for (const Row& row : rows) {
        const QString path = dir.filePath(QString("%1.jpg").arg(++n));
        row.make(path);
        if (row.loads) {
            const QImage image = decodePicture(path.toStdString());
            EXPECT_EQ(image.size(), QSize(640, 500)) << row.name;
            EXPECT_EQ(image.format(), QImage::Format_RGB32) << row.name;
        } else {
            EXPECT_THROW(decodePicture(path.toStdString()), std::runtime_error) << row.name;
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
