// Renders a mole drawing to the picture the game masks onto the playfield.
//
//   zunaka_render_cutout IN.svg OUT.ppm WIDTH HEIGHT
//
// The game keeps the background where its mask is white by ANDing the picture in, so every pixel outside
// the mask must be pure white, and every pixel inside must be the drawing's own colour: an edge pixel
// blended half way to white would show as a pale rim against the dark hole. So, unlike zunaka_render_svg,
// this paints each pixel the drawing covers at least half in its unblended colour and every other pixel
// white, with the same coverage threshold as zunaka_render_svg --mask uses for the mask.
// It writes a PPM: the build encodes it with cjpeg without chroma subsampling, because subsampled colour
// from a saturated edge (a yellow star) would bleed into the white ground next to it and tint the meadow.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kCoverageThreshold = 128;

QImage render(QSvgRenderer& svg, int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    svg.render(&painter, QRectF(0, 0, width, height));
    painter.end();

    const QImage straight = image.convertToFormat(QImage::Format_ARGB32);
    QImage out(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(straight.constScanLine(y));
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < width; ++x)
            dst[x] = qAlpha(src[x]) >= kCoverageThreshold ? (src[x] | 0xff000000u) : qRgb(255, 255, 255);
    }
    return out;
}

int usage()
{
    std::fprintf(stderr, "usage: zunaka_render_cutout IN.svg OUT.ppm WIDTH HEIGHT\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 5)
        return usage();
    const int width = std::atoi(argv[3]);
    const int height = std::atoi(argv[4]);
    if (width <= 0 || height <= 0)
        return usage();

    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "zunaka_render_cutout: cannot read %s\n", argv[1]);
        return 1;
    }
    if (!render(svg, width, height).save(QString::fromLocal8Bit(argv[2]), "ppm")) {
        std::fprintf(stderr, "zunaka_render_cutout: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
