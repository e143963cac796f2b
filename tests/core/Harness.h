#pragma once

#include "GameState.h"
#include "holes/HoleModel.h"
#include "moji/MojiTable.h"
#include "platform/fake/FakePlatform.h"
#include "shell/Shutdown.h"
#include "screen/LoadImages.h"
#include "screen/WindowSize.h"
#include "shell/Title.h"

#include <string>

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
        arrangeControls(s, p);
        setDefaults(s);
        setHoleRects(s);
        makeMojiTable(s);
        s.gMissSound = kMissPath;
        s.gHitSound = kHitPath;
    }

    static constexpr const char* kMissPath = "/opt/zunaka/Deta/金属.wav";
    static constexpr const char* kHitPath = "/opt/zunaka/Deta/みゃ.wav";

    int top(int hole) const { return s.gHoleRect[hole].top; }

    // Every picture the game loads, in the fake's data folder. The background is small and striped, so
    // that it shows where it was scaled to the canvas.
    void providePictures(const std::string& folder = "/opt/zunaka/Deta/")
    {
        const auto blank = [](int w, int h) {
            QImage image(w, h, QImage::Format_RGB32);
            image.fill(Qt::white);
            return image;
        };
        p.pictures[folder + "Title.jpg"] = blank(8, 8);
        QImage back(64, 48, QImage::Format_RGB32);
        for (int y = 0; y < back.height(); ++y)
            for (int x = 0; x < back.width(); ++x)
                back.setPixel(x, y, qRgb(x * 4, y * 5, (x + y) % 2 ? 200 : 40));
        p.pictures[folder + "Back.jpg"] = back;
        for (int n = 1; n <= kMolePictureCount; ++n) {
            p.pictures[folder + pictureFileName("Zun??.jpg", n)] = blank(125, 145);
            p.pictures[folder + pictureFileName("ZunMask??.jpg", n)] = blank(125, 145);
        }
        p.pictures[folder + "KeyBorad.jpg"] = blank(512, 192);
    }
};

} // namespace zunaka::test
