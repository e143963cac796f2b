// The end-to-end scripts' eyes and ears: looks at the game's window on the virtual display and listens to
// SDL's disk capture, and prints what it found for the script to judge. The bare field and the guide page
// are judged by the reference pictures of tests/reference, built in: pictures a person has looked at, not
// drawn by the code under test. The strip of every count and a caught mole at every height have no such
// pictures: those are drawn by the game's own code from the installed Deta/, on the same display.
//
// The window may be full screen, its canvas scaled by a whole factor: it is read back at the canvas's size.
//
//   zunaka_e2e_probe PROGRAM_DIR counts WINDOW [SAVE.png]  -> "strip=POP/HIT" (or "strip=none")
//   zunaka_e2e_probe PROGRAM_DIR bare WINDOW [SAVE.png]    -> "differs=N": pixels unlike the background
//   zunaka_e2e_probe PROGRAM_DIR help WINDOW [SAVE.png]    -> "page=N button=N": pixels unlike the guide
//                                                             page outside the OK button, and inside it
//   zunaka_e2e_probe PROGRAM_DIR find SCREEN.png  -> "title=+X+Y field=+X+Y": where a screenshot of the whole
//                                                   screen shows the title picture and the bare field's
//                                                   lower rows ("none" where not), for a Wayland
//                                                   compositor's screen, whose windows have no id to grab;
//                                                   SCREEN.png+X+Y then stands for WINDOW above
//   zunaka_e2e_probe PROGRAM_DIR watch WINDOW TOTAL SAVE_DIR
//       until a game of TOTAL moles has ended: "samples=N outside=N caught=N strip=POP/HIT";
//       keeps first-caught.png and final.png in SAVE_DIR
//   zunaka_e2e_probe PROGRAM_DIR effects CAPTURE  -> "hits=N misses=N other=N"
//   zunaka_e2e_probe PROGRAM_DIR music CAPTURE FROM TO
//       -> "before=F during=F after=F": the share of 100 ms stretches with sound before byte FROM,
//          between FROM and TO, and after TO
#include "GameState.h"
#include "holes/DrawMole.h"
#include "holes/HoleModel.h"
#include "holes/HoleMotion.h"
#include "moji/Status.h"
#include "platform/fake/FakePlatform.h"
#include "screen/LoadImages.h"
#include "screen/WindowSize.h"
#include "../reference/Compare.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QThread>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

namespace {

using namespace zunaka;

constexpr int kClientWidth = 640;
constexpr int kClientHeight = 480;
constexpr int kStripRows = 100;
const QRect kKeyBox(290, 10, 60, 70);
const QRect kOkButton(540, 440, 80, 30);

const QRect kPlayfield(0, kStripRows, kClientWidth, kClientHeight - kStripRows);
constexpr int kStep = 20;
constexpr int kHoleFloor = 430;

// Where a mole may show: from one step above the mole's highest top down to the hole's lower edge.
QRect column(int hole)
{
    const HoleGeometry c = holeGeometry()[hole];
    return QRect(c.left, c.top - kStep, kMoleWidth, c.bottom - c.top + kStep);
}

struct Game {
    GameState s;
    FakePlatform p;
};

// The game's surfaces and pictures as start-up leaves them, from the installed data folder.
bool load(Game& g, const char* programDir)
{
    g.p.appFolder = programDir;
    g.p.picturesFromDisk = true;
    arrangeControls(g.s, g.p);
    try {
        loadImages(g.s, g.p);
    } catch (const ProgramEnded&) {
        return false;
    }
    setDefaults(g.s);
    setHoleRects(g.s);
    return true;
}

// The canvas a full-screen window shows on black, `factor` screen pixels a canvas pixel: found by the
// black margins left of its middle row and below its middle column, and read back one pixel a block.
QImage canvasOnBlack(const QImage& shot)
{
    const QRgb black = qRgb(0, 0, 0);
    int left = 0, bottom = shot.height() - 1;
    while (left < shot.width() / 2 && shot.pixel(left, shot.height() / 2) == black)
        ++left;
    while (bottom > 0 && shot.pixel(shot.width() / 2, bottom) == black)
        --bottom;
    const int factor = std::max(1, (shot.width() - 2 * left) / kClientWidth);
    const int top = bottom + 1 - kClientHeight * factor;
    QImage canvas(kClientWidth, kClientHeight, QImage::Format_RGB32);
    for (int y = 0; y < kClientHeight; ++y)
        for (int x = 0; x < kClientWidth; ++x)
            canvas.setPixel(x, y, shot.pixel(left + x * factor, top + y * factor));
    return canvas;
}

// The client area of the main window: the picture below its menu bar, in full screen the canvas scaled
// by a whole factor in its middle, or the part of a screenshot given as SCREEN.png+X+Y.
QImage grabClient(const QString& where)
{
    const QStringList shot = where.split(u'+');
    if (shot.size() == 3) {
        return QImage(shot[0]).copy(shot[1].toInt(), shot[2].toInt(), kClientWidth, kClientHeight)
            .convertToFormat(QImage::Format_RGB32);
    }
    const QImage window = QGuiApplication::primaryScreen()->grabWindow(where.toULongLong(nullptr, 0)).toImage()
                              .convertToFormat(QImage::Format_RGB32);
    if (window.width() > kClientWidth)
        return canvasOnBlack(window);
    return window.copy(0, window.height() - kClientHeight, kClientWidth, kClientHeight);
}

// Where the screen shows the rows of `picture` from `fromRow` to `toRow`: its top-left as "+X+Y", or
// "none".
std::string find(const QImage& screen, const QImage& picture, int fromRow, int toRow)
{
    for (int top = 0; top + picture.height() <= screen.height(); ++top) {
        for (int left = 0; left + picture.width() <= screen.width(); ++left) {
            bool shows = true;
            for (int y = fromRow; y < toRow && shows; ++y) {
                for (int x = 0; x < picture.width() && shows; ++x)
                    shows = reference::near(screen.pixel(left + x, top + y), picture.pixel(x, y));
            }
            if (shows)
                return "+" + std::to_string(left) + "+" + std::to_string(top);
        }
    }
    return "none";
}

using reference::pixelsOff;

QImage referencePicture(const char* name)
{
    return QImage(QStringLiteral(":/reference/%1.png").arg(QLatin1String(name))).convertToFormat(QImage::Format_RGB32);
}

QImage strip(Game& g, int pop, int hit)
{
    g.s.AllPicture = g.s.BackPicture.copy();
    g.s.gPopCount = pop;
    g.s.gHitCount = hit;
    printStatusWide(g.s, g.p);
    return g.s.AllPicture;
}

// The counts whose strip the window shows; each count is found in its own half, then both together are
// checked on the whole strip but the key box.
std::optional<std::pair<int, int>> readCounts(Game& g, const QImage& client)
{
    const QRect left(0, 0, kKeyBox.left(), kStripRows);
    const QRect right(kKeyBox.right() + 1, 0, kClientWidth - kKeyBox.right() - 1, kStripRows);
    std::optional<int> pop, hit;
    for (int n = 0; n <= 99 && !(pop && hit); ++n) {
        const QImage drawn = strip(g, n, n);
        if (!pop && pixelsOff(drawn, client, left) == 0)
            pop = n;
        if (!hit && pixelsOff(drawn, client, right) == 0)
            hit = n;
    }
    if (!pop || !hit || pixelsOff(strip(g, *pop, *hit), client, QRect(0, 0, kClientWidth, kStripRows), {kKeyBox}) != 0)
        return std::nullopt;
    return std::make_pair(*pop, *hit);
}

// Whether a hole's column shows its mole in the caught look, at any height the motion puts it.
bool showsCaughtMole(Game& g, const QImage& client, int hole)
{
    const HoleLook look = holeLooks()[hole];
    for (int visible = kStep; visible <= g.s.gHoleBottom[hole] - g.s.gHoleTop[hole]; visible += kStep) {
        g.s.AllPicture = g.s.BackPicture.copy();
        g.s.gHoleRect[hole].top = g.s.gHoleBottom[hole] - visible;
        g.s.gHoleCaught[hole] = true;
        drawMole(g.s, g.p, hole, look.picture, visible, look.textX, look.textY);
        if (pixelsOff(g.s.AllPicture, client, column(hole)) == 0)
            return true;
    }
    return false;
}

int outsideColumns(const QImage& bare, const QImage& client)
{
    std::vector<QRect> columns;
    for (int hole = 1; hole <= 6; ++hole)
        columns.push_back(column(hole));
    return pixelsOff(bare, client, kPlayfield, columns);
}

std::string countsText(const std::optional<std::pair<int, int>>& counts)
{
    return counts ? std::to_string(counts->first) + "/" + std::to_string(counts->second) : "none";
}

// Samples the window until the strip shows all TOTAL moles and every mole is back in its hole: the game
// has then ended on its own.
int watch(Game& g, const QString& window, int total, const QString& saveDir)
{
    const QImage bare = referencePicture("bare-field");
    int samples = 0, outside = 0, caught = 0;
    std::optional<std::pair<int, int>> counts;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 180000) {
        const QImage client = grabClient(window);
        ++samples;
        outside += outsideColumns(bare, client);
        bool caughtHere = false;
        for (int hole = 1; hole <= 6; ++hole)
            caughtHere = showsCaughtMole(g, client, hole) || caughtHere;
        if (caughtHere && caught++ == 0)
            client.save(saveDir + "/first-caught.png");
        counts = readCounts(g, client);
        if (counts && counts->first == total && pixelsOff(bare, client, kPlayfield) == 0) {
            client.save(saveDir + "/final.png");
            break;
        }
        QThread::msleep(100);
    }
    std::printf("samples=%d outside=%d caught=%d strip=%s\n", samples, outside, caught, countsText(counts).c_str());
    return 0;
}

// Sound as SDL's disk driver writes it: 16-bit little-endian stereo frames at 44100 Hz.
constexpr int kRate = 44100;

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// 16-bit little-endian samples from byte `from` up to byte `to`, one every `stride` bytes.
std::vector<qint16> samples(const QByteArray& bytes, qint64 from, qint64 to, int stride)
{
    std::vector<qint16> out;
    for (qint64 i = from; from >= 0 && i + stride <= std::min<qint64>(to, bytes.size()); i += stride)
        out.push_back(static_cast<qint16>(static_cast<quint8>(bytes[i]) | (static_cast<quint8>(bytes[i + 1]) << 8)));
    return out;
}

std::vector<qint16> leftChannel(const QString& path, qint64 from = 0, qint64 to = -1)
{
    const QByteArray bytes = contents(path);
    return samples(bytes, from - from % 4, to < 0 ? bytes.size() : to, 4);
}

// The samples of a 16-bit mono WAVE file.
std::vector<qint16> waveSamples(const QString& path)
{
    const QByteArray bytes = contents(path);
    const qsizetype data = bytes.indexOf("data");
    return samples(bytes, data < 0 ? -1 : data + 8, bytes.size(), 2);
}

double correlation(const std::vector<qint16>& a, std::size_t at, const std::vector<qint16>& b)
{
    double ab = 0, aa = 0, bb = 0;
    for (std::size_t i = 0; i < b.size(); ++i) {
        ab += double(a[at + i]) * b[i];
        aa += double(a[at + i]) * a[at + i];
        bb += double(b[i]) * b[i];
    }
    return aa > 0 && bb > 0 ? ab / std::sqrt(aa * bb) : 0;
}

// Every sound in a capture that has no music: each one is either a whole hit effect, a whole miss
// effect, or something else.
int effects(const QString& deta, const QString& capture)
{
    const std::vector<qint16> heard = leftChannel(capture);
    const std::vector<qint16> wave[2] = {waveSamples(deta + "/みゃ.wav"), waveSamples(deta + "/金属.wav")};
    int found[3] = {0, 0, 0};  // hits, misses, other
    std::size_t i = 0;
    while (i < heard.size()) {
        if (heard[i] == 0) {
            ++i;
            continue;
        }
        int kind = 2;
        for (int k = 0; k < 2 && kind == 2; ++k) {
            std::size_t lead = 0;
            while (lead < wave[k].size() && wave[k][lead] == 0)
                ++lead;
            if (i >= lead && i - lead + wave[k].size() <= heard.size() && correlation(heard, i - lead, wave[k]) > 0.99) {
                kind = k;
                i = i - lead + wave[k].size();
            }
        }
        if (kind == 2) {
            // Something else: skip to the next 10 ms of silence.
            for (std::size_t quiet = 0; i < heard.size() && quiet < kRate / 100; ++i)
                quiet = heard[i] == 0 ? quiet + 1 : 0;
        }
        ++found[kind];
    }
    std::printf("hits=%d misses=%d other=%d\n", found[0], found[1], found[2]);
    return 0;
}

double soundingShare(const std::vector<qint16>& samples)
{
    constexpr std::size_t window = kRate / 10;
    int windows = 0, sounding = 0;
    for (std::size_t at = 0; at + window <= samples.size(); at += window) {
        double energy = 0;
        for (std::size_t i = at; i < at + window; ++i)
            energy += double(samples[i]) * samples[i];
        ++windows;
        // Above -50 dBFS: music or an effect, not rounding noise.
        sounding += std::sqrt(energy / window) > 32768 * 0.00316;
    }
    return windows ? double(sounding) / windows : 0;
}

int music(const QString& capture, qint64 from, qint64 to)
{
    std::printf("before=%.2f during=%.2f after=%.2f\n", soundingShare(leftChannel(capture, 0, from)),
                soundingShare(leftChannel(capture, from, to)), soundingShare(leftChannel(capture, to)));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: zunaka_e2e_probe PROGRAM_DIR MODE ARGS...\n");
        return 2;
    }
    const QString mode = QString::fromLocal8Bit(argv[2]);
    const QString deta = QDir(QString::fromLocal8Bit(argv[1])).filePath(QStringLiteral("Deta"));
    if (mode == QLatin1String("effects"))
        return effects(deta, QString::fromLocal8Bit(argv[3]));
    if (mode == QLatin1String("music") && argc == 6)
        return music(QString::fromLocal8Bit(argv[3]), std::atoll(argv[4]), std::atoll(argv[5]));

    // The window is read from the display the game runs on, whose fonts the strip is drawn with.
    QGuiApplication app(argc, argv);
    Game g;
    if (!load(g, argv[1])) {
        std::fprintf(stderr, "zunaka_e2e_probe: cannot load the pictures of %s\n", argv[1]);
        return 1;
    }
    const QString window = QString::fromLocal8Bit(argv[3]);
    if (mode == QLatin1String("find")) {
        const QImage screen = QImage(window).convertToFormat(QImage::Format_RGB32);
        const QImage title = QImage(deta + QStringLiteral("/Title.jpg")).convertToFormat(QImage::Format_RGB32);
        // The title's lower half, above the rows its window (as tall as the main window) cuts off; the field
        // below the holes, where nothing but the background ever shows.
        std::printf("title=%s field=%s\n", find(screen, title, kClientHeight / 2, kClientHeight).c_str(),
                    find(screen, referencePicture("bare-field"), kHoleFloor, kClientHeight).c_str());
        return 0;
    }
    if (mode == QLatin1String("watch") && argc == 6)
        return watch(g, window, std::atoi(argv[4]), QString::fromLocal8Bit(argv[5]));
    const QImage client = grabClient(window);
    if (argc == 5)
        client.save(QString::fromLocal8Bit(argv[4]));
    if (mode == QLatin1String("counts")) {
        std::printf("strip=%s\n", countsText(readCounts(g, client)).c_str());
        return 0;
    }
    if (mode == QLatin1String("bare")) {
        std::printf("differs=%d\n", pixelsOff(referencePicture("bare-field"), client, client.rect()));
        return 0;
    }
    if (mode == QLatin1String("help")) {
        const QImage guide = referencePicture("guide");
        std::printf("page=%d button=%d\n", pixelsOff(guide, client, client.rect(), {kOkButton}),
                    pixelsOff(guide, client, kOkButton));
        return 0;
    }
    std::fprintf(stderr, "zunaka_e2e_probe: unknown mode %s\n", argv[2]);
    return 2;
}
