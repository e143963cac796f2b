#pragma once

#include "GameState.h"
#include "holes/HoleModel.h"
#include "moji/MojiTable.h"
#include "platform/fake/FakePlatform.h"
#include "shell/Shutdown.h"
#include "shell/Title.h"

namespace zunaka::test {

// A game on the fake platform, with the windows' handlers wired as the real windows wire them.
struct Harness {
    GameState s;
    FakePlatform p;

    Harness()
    {
        p.fakeForms.onMainQueryUnload = [this] { mainFormQueryUnload(s, p); };
        p.fakeForms.onMainUnload = [this] { mainFormUnload(s, p); };
        p.fakeForms.onTitleUnload = [this] { titleFormUnload(s, p); };
    }

    // The state right after a successful start-up, without running the loop.
    void setUp()
    {
        setDefaults(s);
        setHoleRects(s);
        makeMojiTable(s);
        s.gMissSound = kMissPath;
        s.gHitSound = kHitPath;
    }

    static constexpr const char* kMissPath = "/opt/zunaka/Deta/金属.wav";
    static constexpr const char* kHitPath = "/opt/zunaka/Deta/みゃ.wav";

    int top(int hole) const { return s.gHoleRect[hole].top; }
};

} // namespace zunaka::test
