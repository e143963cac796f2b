#include "picture_support.h"

#include <QDir>
#include <QGuiApplication>

#include <gtest/gtest.h>

QImage picturetest::loadDeta(const QString& name)
{
    return QImage(QDir(QStringLiteral(ZUNAKA_DETA_DIR)).filePath(name)).convertToFormat(QImage::Format_RGB32);
}

// Printing keys and finger names needs a GUI application; no display is wanted.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
