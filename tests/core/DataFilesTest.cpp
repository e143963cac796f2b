#include "platform/Pictures.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

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

} // namespace
} // namespace zunaka
