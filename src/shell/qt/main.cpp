// ずなかタイピング: a whack-a-mole typing trainer. main() only sets up Qt and the platform; the game's
// start-up, loop and shutdown are formLoad's.
#include "CommandLine.h"
#include "GameState.h"
#include "GuardedApplication.h"
#include "QtForms.h"
#include "shell/Startup.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/TerminationSignals.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstdlib>

namespace {

// Qt would abort with a long message when there is no display to open; say it in one line instead.
bool hasDisplay(int argc, char** argv)
{
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM") || zunaka::namesDisplay(argc, argv);
}

} // namespace

int main(int argc, char** argv)
{
    if (zunaka::answerInfoOption(argc, argv))
        return EXIT_SUCCESS;
    if (!hasDisplay(argc, argv)) {
        std::fputs("zunaka: no display found (DISPLAY is not set); start it from a desktop session.\n", stderr);
        return EXIT_FAILURE;
    }
    zunaka::GuardedApplication app(argc, argv);
    if (zunaka::rejectLeftOverArguments(argc, argv))
        return zunaka::kUsageExitStatus;
    // A desktop matches the windows to the menu entry, its name and icon, by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(ZUNAKA_APP_ID));
    // The program ends when its main loop does, not when a window closes.
    QApplication::setQuitOnLastWindowClosed(false);
    const QIcon icon(QStringLiteral(":/icons/zunaka-32.png"));

    zunaka::QtPlatform platform;
    zunaka::GameState state;
    zunaka::QtForms forms(state, platform);
    // Only the main window has an icon of its own; the title window has none.
    forms.mainForm().setWindowIcon(icon);
    platform.setForms(&forms);
    app.setPlatform(&platform);
    // A signal closes the main window like any other way out; while a message that ends the program is
    // up, that ending comes at once, with the failure status and without the unload handlers.
    const zunaka::TerminationSignals termination([&forms, &platform] {
        if (platform.endingMessageUp())
            platform.end();
        forms.unloadMainForm();
    });
    zunaka::formLoad(state, platform);
    return EXIT_SUCCESS;
}
