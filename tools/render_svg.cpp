// Renders one of our SVG drawings to the JPEG file the game loads.
//
//   zunaka_render_svg IN.svg OUT.jpg WIDTH HEIGHT [--mask] [--quality N]
//   zunaka_render_svg IN.svg OUT.png WIDTH HEIGHT --png
//   zunaka_render_svg IN.svg OUT.ppm WIDTH HEIGHT --cutout
//
// Picture mode paints the drawing over white, because the game combines mole pictures with SRCAND and
// white is what leaves the background alone. Mask mode takes the same drawing's coverage and thresholds
// it: black where the drawing is, white elsewhere, so picture and mask share one outline to the pixel.
// PNG mode keeps the drawing's own alpha over a transparent ground; it is for the program's icons.
// Cutout mode is for the mole pictures, which the game ANDs onto the playfield: every pixel outside the
// mask must be pure white and every pixel inside the drawing's own colour, since an edge pixel blended
// half way to white would show as a pale rim against the dark hole. It paints each pixel the drawing
// covers at least half (the mask's threshold) unblended, every other pixel white, and writes a PPM that
// the build encodes with cjpeg without chroma subsampling: subsampled colour from a saturated edge (a
// yellow star) would bleed into the white ground and tint the meadow.
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
constexpr int kMaskQuality = 100;
constexpr int kCoverageThreshold = 128;

enum class Mode { Picture, Mask, Png, Cutout };

// Each pixel by its coverage: `covered` gets the drawing's straight colour, the rest `ground`.
template <typename Out, typename Pixel>
QImage threshold(const QImage& drawing, QImage::Format format, Pixel pixel)
{
    const QImage straight = drawing.convertToFormat(QImage::Format_ARGB32);
    QImage out(straight.width(), straight.height(), format);
    for (int y = 0; y < out.height(); ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(straight.constScanLine(y));
        auto* dst = reinterpret_cast<Out*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            dst[x] = pixel(src[x], qAlpha(src[x]) >= kCoverageThreshold);
    }
    return out;
}

QImage render(QSvgRenderer& svg, int width, int height, Mode mode)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(mode == Mode::Picture ? Qt::white : Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    svg.render(&painter, QRectF(0, 0, width, height));
    painter.end();
    switch (mode) {
    case Mode::Png:
        return image.convertToFormat(QImage::Format_ARGB32);
    case Mode::Mask:
        return threshold<uchar>(image, QImage::Format_Grayscale8,
                                [](QRgb, bool covered) -> uchar { return covered ? 0 : 255; });
    case Mode::Cutout:
        return threshold<QRgb>(image, QImage::Format_RGB32, [](QRgb colour, bool covered) {
            return covered ? (colour | 0xff000000u) : qRgb(255, 255, 255);
        });
    case Mode::Picture:
        break;
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

const char* formatOf(Mode mode)
{
    switch (mode) {
    case Mode::Png:
        return "png";
    case Mode::Cutout:
        return "ppm";
    default:
        return "jpeg";
    }
}

int usage()
{
    std::fprintf(stderr, "usage: zunaka_render_svg IN.svg OUT.jpg WIDTH HEIGHT [--mask] [--quality N]\n"
                         "       zunaka_render_svg IN.svg OUT.png WIDTH HEIGHT --png\n"
                         "       zunaka_render_svg IN.svg OUT.ppm WIDTH HEIGHT --cutout\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 5)
        return usage();
    Mode mode = Mode::Picture;
    int quality = -1;
    for (int i = 5; i < argc; ++i) {
        if (std::strcmp(argv[i], "--mask") == 0)
            mode = Mode::Mask;
        else if (std::strcmp(argv[i], "--png") == 0)
            mode = Mode::Png;
        else if (std::strcmp(argv[i], "--cutout") == 0)
            mode = Mode::Cutout;
        else if (std::strcmp(argv[i], "--quality") == 0 && i + 1 < argc)
            quality = std::atoi(argv[++i]);
        else
            return usage();
    }
    if (quality < 0)
        quality = mode == Mode::Mask ? kMaskQuality : kDefaultQuality;
    const int width = std::atoi(argv[3]);
    const int height = std::atoi(argv[4]);
    if (width <= 0 || height <= 0)
        return usage();

    // Text in the drawings needs fonts, and fonts need a GUI application; no display is wanted.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "zunaka_render_svg: cannot read %s\n", argv[1]);
        return 1;
    }
    QImageWriter writer(QString::fromLocal8Bit(argv[2]), formatOf(mode));
    if (std::strcmp(formatOf(mode), "jpeg") == 0)
        writer.setQuality(quality);
    if (!writer.write(render(svg, width, height, mode))) {
        std::fprintf(stderr, "zunaka_render_svg: cannot write %s: %s\n", argv[2],
                     qPrintable(writer.errorString()));
        return 1;
    }
    return 0;
}
