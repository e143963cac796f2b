#pragma once

#include <QImage>

#include <string>

namespace zunaka {

// Decodes a picture file (JPEG) into an RGB32 image, the format every surface of the game uses.
// Throws std::runtime_error when the file is missing or is no readable picture.
QImage decodePicture(const std::string& path);

} // namespace zunaka
