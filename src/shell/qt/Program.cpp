#include "Program.h"

#include "shell/Startup.h"

#include <QFile>
#include <QIcon>
#include <QImage>
#include <QPixmap>

#include <cstdlib>

namespace zunaka {

namespace {

constexpr const char* kIconResource = ":/icons/zunaka-32.png";

} // namespace

Program::BeforeApplication::BeforeApplication()
{
    if (!qEnvironmentVariableIsSet("QT_NO_GLIB"))
        qputenv("QT_NO_GLIB", "1");
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
}

// A signal closes the main window like any other way out; while a message that ends the program is up,
// that ending comes at once, with the failure status and without the unload handlers.
Program::Program(int& argc, char** argv)
    : app_(argc, argv), forms_(state_, platform_), termination_([this] {
          if (platform_.endingMessageUp())
              platform_.end();
          forms_.unloadMainForm();
      })
{
    // A desktop matches the windows to the menu entry, its name and icon, by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(ZUNAKA_APP_ID));
    // The program ends when its main loop does, not when a window closes.
    QApplication::setQuitOnLastWindowClosed(false);
    // Only the main window has an icon of its own; the title window has none. Read as PNG by name, and only
    // when it is there: a QIcon made from the file name, or a read of a file that is missing, loads every
    // image plug-in to find a format, before the title shows.
    const QString icon = QString::fromLatin1(kIconResource);
    if (QFile::exists(icon))
        forms_.mainForm().setWindowIcon(QIcon(QPixmap::fromImage(QImage(icon, "PNG"))));
    platform_.setForms(&forms_);
    app_.setPlatform(&platform_);
}

int Program::run(const LoopOptions& options)
{
    formLoad(state_, platform_, options);
    return EXIT_SUCCESS;
}

} // namespace zunaka
