#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

#include <string>

namespace zunaka {

// How the game draws a picture it loads: never larger than `drawnAt` (empty when not known), and whether
// it is a mask, which the raster operations need in pure black and white.
struct PictureUse {
    QSize drawnAt;
    bool mask = false;
};

// Decodes a picture file (JPEG) into an RGB32 image, the format every surface of the game uses, or a mask
// from a grey JPEG into a grey one (Format_Grayscale8), which the raster operations read as RGB32. A JPEG
// at least twice as large as it is drawn is decoded smaller, by a half, a quarter or an eighth, keeping
// at least the size it is drawn at: a camera's photo costs what the game shows of it. A mask decoded
// smaller is made pure black and white again.
// Throws std::runtime_error when the file is missing, no regular file, cut off, no readable picture, or
// even so far larger than any the game draws.
QImage decodePicture(const std::string& path, const PictureUse& use);

// A picture checked when the game starts but decoded only while it is shown, kept meanwhile as its file's
// bytes: the keyboard of the guide and records pages, 44 KB as a file and 384 KB decoded.
struct PictureFile {
    QByteArray bytes;
    PictureUse use;
};

// Reads a picture file and decodes it as decodePicture does, throwing as it does; keeps only the bytes.
PictureFile readPicture(const std::string& path, const PictureUse& use);

// The picture again, as decodePicture gave it when the file was read.
QImage decodePicture(const PictureFile& file);

} // namespace zunaka
