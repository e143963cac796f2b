#include <QGuiApplication>

#include <gtest/gtest.h>

// Printing text on a surface needs a GUI application for its fonts, though never a window: Qt's offscreen
// platform serves, also when CTest only lists the tests.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
