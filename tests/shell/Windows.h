#pragma once

#include "GameState.h"
#include "QtForms.h"
#include "holes/HoleModel.h"
#include "moji/MojiTable.h"
#include "platform/fake/FakePlatform.h"

namespace zunaka::test {

// The fake platform with the game's real windows in place of the recorded ones.
class WindowedPlatform : public FakePlatform {
public:
    Forms& forms() override { return *windows; }
    Forms* windows = nullptr;
};

// The state after start-up, with the main window shown.
struct Windows {
    GameState s;
    WindowedPlatform p;
    QtForms forms{s, p};

    Windows()
    {
        p.windows = &forms;
        setDefaults(s);
        setHoleRects(s);
        makeMojiTable(s);
        s.gMissSound = "miss";
        s.gHitSound = "hit";
        p.effectLengthMs = 0;  // every judgement sounds, none is dropped
        forms.showMainForm();
    }
};

} // namespace zunaka::test
