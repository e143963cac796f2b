// Renders a mole drawing to the picture the game masks onto the playfield.
//
//   zunaka_render_cutout IN.svg OUT.jpg WIDTH HEIGHT [--quality N]
//
// The game keeps the background where its mask is white by ANDing the picture in, so every pixel outside
// the mask must be pure white, and every pixel inside must be the drawing's own colour: an edge pixel
// blended half way to white would show as a pale rim against the dark hole. So, unlike zunaka_render_svg,
// this paints each pixel the drawing covers at least half in its unblended colour and every other pixel
// white, with the same coverage threshold as zunaka_render_svg --mask uses for the mask.
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kDefaultQuality = 95;
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
    std::fprintf(stderr, "usage: zunaka_render_cutout IN.svg OUT.jpg WIDTH HEIGHT [--quality N]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 5 && argc != 7)
        return usage();
    int quality = kDefaultQuality;
    if (argc == 7) {
        if (std::strcmp(argv[5], "--quality") != 0)
            return usage();
        quality = std::atoi(argv[6]);
    }
    const int width = std::atoi(argv[3]);
    const int height = std::atoi(argv[4]);
    if (width <= 0 || height <= 0 || quality <= 0 || quality > 100)
        return usage();

    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "zunaka_render_cutout: cannot read %s\n", argv[1]);
        return 1;
    }
    QImageWriter writer(QString::fromLocal8Bit(argv[2]), "jpeg");
    writer.setQuality(quality);
    if (!writer.write(render(svg, width, height))) {
        std::fprintf(stderr, "zunaka_render_cutout: cannot write %s: %s\n", argv[2],
                     qPrintable(writer.errorString()));
        return 1;
    }
    return 0;
}
