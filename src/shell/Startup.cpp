#include "Startup.h"

#include "Failure.h"
#include "Messages.h"
#include "holes/HoleModel.h"
#include "moji/MojiTable.h"
#include "platform/Platform.h"
#include "screen/DataFolder.h"
#include "screen/LoadImages.h"
#include "screen/Music.h"
#include "screen/WindowSize.h"

#include <QImage>


namespace zunaka {

namespace {

// The title picture covers the title window, which has no menu bar and so is this much taller than the
// main window's client area.
constexpr int kTitleExtraHeight = 20;
constexpr const char* kTitleFile = "Title.jpg";

void loadAndSetUp(GameState& s, Platform& p)
{
    const std::string folder = dataFolder(p.appPath());
    Forms& forms = p.forms();
    const QSize title(forms.mainScaleWidth(), forms.mainScaleHeight() + kTitleExtraHeight);
    forms.paintTitle(p.loadPicture(folder + kTitleFile, {title}), title.width(), title.height());
    loadImages(s, p);
    loadSounds(s, p);
    setDefaults(s);
    setHoleRects(s);
    makeMojiTable(s);
}

} // namespace

void formLoad(GameState& s, Platform& p, const LoopOptions& options)
{
    if (p.prevInstance()) {
        endWithMessage(p, kAlreadyRunning);
        return;
    }
    setWindowSize(p);
    p.forms().hideMainForm();
    p.forms().showTitleForm();
    arrangeControls(s, p);
    // A failure while loading, or one that escapes the game's work while the loop runs, ends the program.
    runGuarded(p, [&] { loadAndSetUp(s, p); });
    runGuarded(p, [&] { mainLoop(s, p, options); });
}

} // namespace zunaka
