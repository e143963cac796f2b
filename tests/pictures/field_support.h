// Shared by the playfield picture tests: reading Deta/ and telling light, dark, black and white apart.
#pragma once

#include "field_scene.h"

#include <QImage>
#include <QString>

#include <string>

namespace fieldtest {

// A mask pixel counts as black or white when it is within this distance of the pure value.
constexpr int kMaskTolerance = 64;

QImage loadDeta(const QString& name);

inline int luma(QRgb c) { return (299 * qRed(c) + 587 * qGreen(c) + 114 * qBlue(c)) / 1000; }
inline bool maskBlack(const QImage& mask, int x, int y) { return qGray(mask.pixel(x, y)) < kMaskTolerance; }
inline bool maskWhite(const QImage& mask, int x, int y) { return qGray(mask.pixel(x, y)) > 255 - kMaskTolerance; }

std::string describe(const QString& name, int x, int y, QRgb c);

} // namespace fieldtest
