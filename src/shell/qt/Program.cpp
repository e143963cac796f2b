#include "Program.h"

#include "shell/Startup.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>

#include <cstdlib>

namespace zunaka {

namespace {

constexpr const char* kIconResource = ":/icons/zunaka-32.png";

} // namespace

Program::UnixEventDispatcher::UnixEventDispatcher()
{
    if (!qEnvironmentVariableIsSet("QT_NO_GLIB"))
        qputenv("QT_NO_GLIB", "1");
}

Program::Program(int& argc, char** argv)
    : app_(argc, argv), forms_(state_, platform_), termination_([this] { forms_.unloadMainForm(); })
{
    // The program ends when its main loop does, not when a window closes.
    QApplication::setQuitOnLastWindowClosed(false);
    // Only the main window has an icon of its own; the title window has none. Read as PNG by name: a QIcon
    // made from the file name would load every image plug-in to find the format, before the title shows.
    forms_.mainForm().setWindowIcon(QIcon(QPixmap::fromImage(QImage(QString::fromLatin1(kIconResource), "PNG"))));
    platform_.setForms(&forms_);
}

int Program::run(const LoopOptions& options)
{
    formLoad(state_, platform_, options);
    return EXIT_SUCCESS;
}

} // namespace zunaka
