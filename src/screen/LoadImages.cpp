#include "LoadImages.h"

#include "DataFolder.h"
#include "Failure.h"
#include "Messages.h"
#include "holes/HoleModel.h"
#include "platform/Blit.h"
#include "platform/Platform.h"
#include "screen/Canvas.h"

#include <cstdio>
#include <exception>

namespace zunaka {

namespace {

constexpr const char* kBackFile = "Back.jpg";
constexpr const char* kMoleTemplate = "Zun??.jpg";
constexpr const char* kMaskTemplate = "ZunMask??.jpg";
constexpr const char* kKeyboardFile = "KeyBorad.jpg";

void loadAll(GameState& s, Platform& p)
{
    const std::string folder = dataFolder(p.appPath());
    // Any size of background fills the canvas exactly; the loaded picture itself is not kept.
    const QImage back = p.loadPicture(folder + kBackFile, {s.BackPicture.size()});
    paintPicture(s.BackPicture, back, s.BackPicture.rect(), RasterOp::SrcCopy);
    const QSize mole(kMoleWidth, kMoleHeight);
    for (int n = 1; n <= kMolePictureCount; ++n)
        s.gZunImage[n] = p.loadPicture(folder + pictureFileName(kMoleTemplate, n), {mole});
    for (int n = 1; n <= kMolePictureCount; ++n)
        s.gZunMask[n] = p.loadPicture(folder + pictureFileName(kMaskTemplate, n), {mole, true});
    // The guide page draws it within the canvas.
    s.gKeyImage = p.loadPictureFile(folder + kKeyboardFile, {kCanvasRect.size()});
}

} // namespace

std::string pictureFileName(const std::string& nameTemplate, int n)
{
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02d", n);
    std::string name = nameTemplate;
    name.replace(name.find("??"), 2, digits);
    return name;
}

void loadImages(GameState& s, Platform& p)
{
    try {
        loadAll(s, p);
    } catch (const std::exception&) {
        endWithMessage(p, kPictureLoadError);
    }
}

} // namespace zunaka
