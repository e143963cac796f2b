#include "field_support.h"

#include <QDir>
#include <QGuiApplication>

#include <gtest/gtest.h>

namespace fieldtest {

QImage loadDeta(const QString& name)
{
    return QImage(QDir(QStringLiteral(ZUNAKA_DETA_DIR)).filePath(name)).convertToFormat(QImage::Format_RGB32);
}

std::string describe(const QString& name, int x, int y, QRgb c)
{
    return QStringLiteral("%1 (%2, %3) = rgb(%4, %5, %6)")
        .arg(name).arg(x).arg(y).arg(qRed(c)).arg(qGreen(c)).arg(qBlue(c))
        .toStdString();
}

} // namespace fieldtest

// The key checks print text, and text needs a GUI application; no display is wanted.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
