// The playfield as the game lays it out, for the contact sheet and the picture tests: the six holes, and the
// way a mole is masked onto the background and given its key, pixel for pixel as the game draws it.
#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QString>

#include <array>

namespace field {

constexpr int kFieldWidth = 640;
constexpr int kFieldHeight = 480;
constexpr int kMoleWidth = 125;
constexpr int kMoleHeight = 145;
constexpr int kLookCount = 4;
constexpr int kKeyPixelSize = 60;
constexpr const char* kKeyFontFamily = "IPAPGothic";

struct Hole {
    int left;
    int top;        // the mole's top edge when fully up
    int bottom;     // the mole's top edge when hidden, and the row it is cut off at
    int look;       // 1..4; look + 4 is the caught picture
    QPoint keyOrigin; // top-left of the key's line cell on the mole picture
    int travel() const { return bottom - top; }
};

constexpr std::array<Hole, 6> kHoles{{
    {63, 112, 252, 1, {10, 60}},
    {270, 108, 228, 2, {40, 30}},
    {464, 132, 252, 3, {15, 45}},
    {63, 286, 406, 4, {45, 30}},
    {270, 289, 429, 1, {10, 60}},
    {464, 286, 406, 2, {40, 35}},
}};

// The data folder's names for the pictures; number is 1..8.
QString molePictureName(int number);
QString moleMaskName(int number);

// Masks `picture` onto `background` as the game does: (background OR NOT mask) AND picture, per channel.
// All three are kMoleWidth x kMoleHeight; the result is RGB32.
QImage composeMole(const QImage& background, const QImage& mask, const QImage& picture);

// Prints one key on a composed mole with the top-left of its line cell at `origin`, as the game does.
void printKey(QImage& mole, const QString& key, QPoint origin, const QColor& colour);

// Draws the mole of `hole` (an index into kHoles) onto `scene` with `visible` rows out of the hole,
// taking the background piece from `back`. An empty key draws no key.
void drawMole(QImage& scene, const QImage& back, const Hole& hole, int visible, const QImage& mask,
              const QImage& picture, const QString& key, const QColor& colour);

} // namespace field
