#pragma once

#include <QImage>

#include <string>

namespace zunaka {

// Decodes a picture file (JPEG) into an RGB32 image, the format every surface of the game uses.
// Throws std::runtime_error when the file is missing, cut off, no readable picture, or a picture far
// larger than any the game draws.
QImage decodePicture(const std::string& path);

} // namespace zunaka
