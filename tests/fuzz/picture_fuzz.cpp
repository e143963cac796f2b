// Picture files as the game loads them: written to a file with a picture's name and decoded by
// decodePicture. Besides not crashing, what loads is an RGB32 image within the decoder's limit.
#include "platform/Pictures.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <stdexcept>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The decoder's complaints about each broken input would fill the log and slow the run.
    [[maybe_unused]] static const bool quiet = qputenv("QT_LOGGING_RULES", "qt.gui.imageio*=false");
    static const QTemporaryDir folder(QDir::tempPath() + "/zunaka-fuzz-XXXXXX");
    static const QString path = folder.filePath("Back.jpg");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    file.close();
    try {
        const QImage image = zunaka::decodePicture(path.toStdString(), {QSize(640, 480)});
        if (image.format() != QImage::Format_RGB32 || image.sizeInBytes() > (qsizetype{64} << 20))
            std::abort();
    } catch (const std::runtime_error&) {
        // A picture that cannot be loaded: the game shows its message.
    }
    return 0;
}
