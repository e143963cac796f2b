#pragma once

#include "GameState.h"
#include "GuardedApplication.h"
#include "QtForms.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/TerminationSignals.h"
#include "shell/MainLoop.h"


namespace zunaka {

// The whole program as main() runs it: Qt, the platform, the game's state and its two windows. The
// benchmark runs the same program with its own loop options and looks at the state between frames.
class Program {
public:
    // Qt takes its own options out of argc and argv here.
    Program(int& argc, char** argv);

    // Start-up, the main loop and shutdown (formLoad); returns the process's exit status.
    int run(const LoopOptions& options = {});

    GameState& state() { return state_; }
    QtForms& forms() { return forms_; }
    QtPlatform& platform() { return platform_; }

private:
    // Settings Qt reads only before the application exists.
    // - Qt's own Unix event dispatcher over its glib one: a game passes through the event loop twice a
    //   frame, and the glib one cost a sixth of the main thread's time. A QT_NO_GLIB the user set is left
    //   as it is.
    // - The menu bar stays in the window, never moved to a desktop's global menu: the window's size is laid
    //   out around it. Asking the desktop whether it has a global menu held up the title by 8 ms where
    //   no session bus runs.
    struct BeforeApplication {
        BeforeApplication();
    } beforeApplication_;
    GuardedApplication app_;
    QtPlatform platform_;
    GameState state_;
    QtForms forms_;
    TerminationSignals termination_;
};

} // namespace zunaka
