// Shows "KeyBorad.jpg" the way the help page will: ANDed onto a white 640 x 480 page at (64, 35) with the
// finger line above it and the instructions below. Only for looking at the picture while drawing it; the
// game does not use this tool.
//
//   zunaka_help_preview KeyBorad.jpg OUT.png
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>

namespace {

constexpr int kPageWidth = 640;
constexpr int kPageHeight = 480;
constexpr int kPictureX = 64;
constexpr int kPictureY = 35;
constexpr int kPictureWidth = 512;
constexpr int kPictureHeight = 192;
constexpr int kFingerLineX = kPictureX + 30;
constexpr int kFingerLineTop = 20;
constexpr int kFingerPixels = 12;
constexpr int kTextPixels = 13;
constexpr const char* kFingerLine = "左小指左薬指左中指  左人差指     右人差指 右中指右薬指右小指";
constexpr const char* kLines[] = {
    "左小指A 左薬指S 左中指D 左人差指F 右人差指J 右中指K 右薬指L 右小指;に指を置きます。",
    "この位置をホームポジションといいます。",
    "上の図の同じ色のキーを同じ指で打ちます。打ち終わるとホームポジションに戻します。",
};

void printAt(QPainter& painter, int x, int top, int pixels, const char* text)
{
    QFont font("IPAGothic");
    font.setPixelSize(pixels);
    painter.setFont(font);
    painter.drawText(x, top + painter.fontMetrics().ascent(), QString::fromUtf8(text));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: zunaka_help_preview KeyBorad.jpg OUT.png\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QImage keyboard(QString::fromLocal8Bit(argv[1]));
    if (keyboard.isNull())
        return 1;
    QImage page(kPageWidth, kPageHeight, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    painter.drawImage(QRect(kPictureX, kPictureY, kPictureWidth, kPictureHeight),
                      keyboard.convertToFormat(QImage::Format_RGB32));
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setPen(Qt::black);
    printAt(painter, kFingerLineX, kFingerLineTop, kFingerPixels, kFingerLine);
    int top = kPictureY + kPictureHeight + 20;
    for (const char* line : kLines) {
        printAt(painter, kPictureX, top, kTextPixels, line);
        top += 20;
    }
    painter.end();
    return page.save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
