// Lays out every playfield picture on one PNG for looking at: two scenes composed the way the game composes
// them (moles fully up with their keys, caught, half way up), then the mole pictures and their masks, then
// any further files named on the command line (other picture sets add theirs).
//
//   zunaka_contact_sheet DETA_DIR OUT.png [EXTRA_FILE ...]
#include "field_scene.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <vector>

namespace {

constexpr int kGap = 12;
constexpr int kLabelHeight = 18;
constexpr int kExtraHeight = 240;
constexpr int kSheetWidth = 2 * field::kFieldWidth + 3 * kGap;
constexpr int kStatusPixelSize = 40;
const QColor kSheetColour(72, 72, 80);

struct MoleState {
    int visible;   // rows out of the hole; the hole's travel means fully up
    bool caught;
    const char* key;
    QColor colour;
};

// One state per hole; -1 rows stands for "fully up".
using SceneStates = std::array<MoleState, 6>;

const SceneStates kAllUp{{
    {-1, false, "A", QColor(200, 40, 30)},
    {-1, false, "W", QColor(30, 80, 190)},
    {-1, true, "", QColor()},
    {-1, false, "M", QColor(20, 130, 50)},
    {-1, false, "@", QColor(140, 30, 150)},
    {-1, false, "[", QColor(180, 110, 10)},
}};

const SceneStates kMixed{{
    {80, false, "Q", QColor(20, 20, 160)},
    {60, true, "", QColor()},
    {-1, false, "G", QColor(160, 150, 140)},
    {-1, true, "", QColor()},
    {-1, true, "", QColor()},
    {20, false, "J", QColor(10, 10, 10)},
}};

struct Pictures {
    QImage back;
    std::array<QImage, 9> moles; // 1..8
    std::array<QImage, 9> masks;
};

bool load(const QDir& deta, Pictures& out)
{
    bool ok = true;
    auto read = [&](const QString& name) {
        QImage image(deta.filePath(name));
        if (image.isNull()) {
            std::fprintf(stderr, "zunaka_contact_sheet: cannot read %s\n", qPrintable(deta.filePath(name)));
            ok = false;
        }
        return image;
    };
    out.back = read(QStringLiteral("Back.jpg")).scaled(field::kFieldWidth, field::kFieldHeight);
    for (int n = 1; n <= 2 * field::kLookCount; ++n) {
        out.moles[n] = read(field::molePictureName(n));
        out.masks[n] = read(field::moleMaskName(n));
    }
    return ok;
}

void printStatus(QImage& scene)
{
    QFont font(QString::fromLatin1(field::kKeyFontFamily));
    font.setPixelSize(kStatusPixelSize);
    QPainter painter(&scene);
    painter.setFont(font);
    const int baseline = 23 + QFontMetrics(font).ascent();
    painter.setPen(QColor(255, 0, 0));
    painter.drawText(65, baseline, QStringLiteral("ずなか 12"));
    painter.setPen(QColor(255, 100, 0));
    painter.drawText(390, baseline, QStringLiteral("つかまえた 7"));
}

QImage scene(const Pictures& pictures, const SceneStates& states)
{
    QImage out = pictures.back.convertToFormat(QImage::Format_RGB32);
    printStatus(out);
    for (std::size_t i = 0; i < field::kHoles.size(); ++i) {
        const field::Hole& hole = field::kHoles[i];
        const MoleState& state = states[i];
        const int number = hole.look + (state.caught ? field::kLookCount : 0);
        const int visible = state.visible < 0 ? hole.travel() : state.visible;
        field::drawMole(out, pictures.back, hole, visible, pictures.masks[number], pictures.moles[number],
                        QString::fromLatin1(state.key), state.colour);
    }
    return out;
}

void label(QPainter& painter, int x, int y, const QString& text)
{
    painter.setPen(Qt::white);
    painter.drawText(x, y + kLabelHeight - 5, text);
}

// Tiles images in rows across the sheet from y, each scaled to `height` rows; returns the y below them.
// With no painter it only measures, so the sheet can be sized before anything is drawn.
int tile(QPainter* painter, int y, int height, const std::vector<std::pair<QString, QImage>>& items)
{
    int x = kGap;
    for (const auto& [name, image] : items) {
        const QImage shown = image.height() == height ? image : image.scaledToHeight(height, Qt::SmoothTransformation);
        if (x + shown.width() > kSheetWidth - kGap && x > kGap) {
            x = kGap;
            y += height + kLabelHeight + kGap;
        }
        if (painter) {
            label(*painter, x, y, name);
            painter->drawImage(x, y + kLabelHeight, shown);
        }
        x += shown.width() + kGap;
    }
    return y + height + kLabelHeight + kGap;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: zunaka_contact_sheet DETA_DIR OUT.png [EXTRA_FILE ...]\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    Pictures pictures;
    if (!load(QDir(QString::fromLocal8Bit(argv[1])), pictures))
        return 1;

    std::vector<std::pair<QString, QImage>> moles;
    std::vector<std::pair<QString, QImage>> masks;
    for (int n = 1; n <= 2 * field::kLookCount; ++n) {
        moles.emplace_back(field::molePictureName(n), pictures.moles[n]);
        masks.emplace_back(field::moleMaskName(n), pictures.masks[n]);
    }
    std::vector<std::pair<QString, QImage>> extras;
    for (int i = 3; i < argc; ++i) {
        const QString path = QString::fromLocal8Bit(argv[i]);
        QImage image(path);
        if (image.isNull()) {
            std::fprintf(stderr, "zunaka_contact_sheet: cannot read %s\n", argv[i]);
            return 1;
        }
        extras.emplace_back(QFileInfo(path).fileName(), image);
    }

    const int scenesBottom = kGap + field::kFieldHeight + kLabelHeight + kGap;
    auto layOut = [&](QPainter* painter) {
        int y = tile(painter, scenesBottom, field::kMoleHeight, moles);
        y = tile(painter, y, field::kMoleHeight, masks);
        return extras.empty() ? y : tile(painter, y, kExtraHeight, extras);
    };
    QImage sheet(kSheetWidth, layOut(nullptr), QImage::Format_RGB32);
    sheet.fill(kSheetColour);

    QPainter painter(&sheet);
    label(painter, kGap, kGap, QStringLiteral("all up, hole 3 caught"));
    painter.drawImage(kGap, kGap + kLabelHeight, scene(pictures, kAllUp));
    const int secondX = 2 * kGap + field::kFieldWidth;
    label(painter, secondX, kGap, QStringLiteral("holes 1, 6 rising; 2 caught sinking; 4, 5 caught"));
    painter.drawImage(secondX, kGap + kLabelHeight, scene(pictures, kMixed));
    layOut(&painter);
    painter.end();

    if (!sheet.save(QString::fromLocal8Bit(argv[2]), "png")) {
        std::fprintf(stderr, "zunaka_contact_sheet: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
