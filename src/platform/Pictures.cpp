#include "Pictures.h"

#include <QImageReader>
#include <QString>

#include <stdexcept>

namespace zunaka {

QImage decodePicture(const std::string& path)
{
    QImageReader reader(QString::fromStdString(path));
    QImage image = reader.read();
    if (image.isNull())
        throw std::runtime_error("cannot load " + path + ": " + reader.errorString().toStdString());
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace zunaka
