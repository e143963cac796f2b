#include "HelpPage.h"

#include "RecordsPage.h"

#include "platform/Blit.h"
#include "platform/Fonts.h"
#include "platform/Platform.h"
#include "platform/Print.h"
#include "screen/Composition.h"

#include <cmath>
#include <cstdint>

namespace zunaka {

namespace {

// The keyboard takes 80 % of the client's width, centred, and 40 % of its height, from y = 35.
constexpr int kPictureTop = 35;
constexpr double kPictureWidthPercent = 80;
constexpr double kPictureHeightPercent = 40;

// The finger names stand above the picture in the fixed-pitch face at 9 pt, the guide's lines below it
// at 10 pt (pixel sizes at 96 dpi). The picture is drawn so that, 30 px in at this pitch, each name
// stands over the columns of keys its finger types; the blanks in the line keep the names in step.
constexpr int kFingerLinePx = 12;
constexpr int kGuideLinePx = 13;
constexpr int kFingerLineIndent = 30;
constexpr int kFingerLineTop = 20;
constexpr const char* kFingerLine = "左小指左薬指左中指  左人差指     右人差指 右中指右薬指右小指";

// Each line's top, counted from the picture's bottom edge; the gap after the third keeps the lessons apart.
struct GuideLine {
    int below;
    const char* text;
};
constexpr GuideLine kGuideLines[] = {
    {20, "左小指A 左薬指S 左中指D 左人差指F 右人差指J 右中指K 右薬指L 右小指;に指を置きます。"},
    {40, "この位置をホームポジションといいます。"},
    {60, "上の図の同じ色のキーを同じ指で打ちます。打ち終わるとホームポジションに戻します。"},
    {100, "レッスン１ アルファベットキーの中段"},
    {120, "レッスン２ アルファベットキーの上段"},
    {140, "レッスン３ アルファベットキーの下段"},
    {160, "レッスン４ 数字キー"},
    {180, "レッスン５ アルファベットキーの全段"},
    {200, "レッスン６ 数字キーを含む全段"},
};

// The OK button sits in the client area's lower right corner, whatever its size.
constexpr int kOkButtonFromRight = 100;
constexpr int kOkButtonFromBottom = 40;
constexpr QSize kOkButtonSize(80, 30);

// The layout's values are 16-bit whole numbers, rounded to the nearest, a half to the even neighbour (the
// default rounding mode, which the program never changes): a client 626 px wide centres the keyboard at
// 62, not 63.
std::int16_t wholePixels(double value)
{
    return static_cast<std::int16_t>(std::nearbyint(value));
}

} // namespace

void subHelpClick(GameState& s, Platform& p)
{
    if (s.gPlaying)
        return;
    p.forms().setKeyBoxVisible(false);
    hideRecordsPage(s, p);
    drawHelpPage(s, p);
}

void drawHelpPage(GameState& s, Platform& p)
{
    Forms& forms = p.forms();
    const int fw = forms.mainScaleWidth();
    const int fh = forms.mainScaleHeight();
    const int w = wholePixels(fw / 100.0 * kPictureWidthPercent);
    const int h = wholePixels(fh / 100.0 * kPictureHeightPercent);
    const int x = wholePixels((fw - w) / 2.0);
    const int b = h + kPictureTop;

    placeOkButton(p);
    s.helpPageOpen = true;

    // The page starts from the window background, white, so the AND leaves the keys' colours as drawn.
    s.AllPicture.fill(Qt::white);
    paintPicture(s.AllPicture, decodePicture(s.gKeyImage), QRect(x, kPictureTop, w, h), RasterOp::SrcAnd);

    const QRgb black = qRgb(0, 0, 0);
    printText(s.AllPicture, fixedGothic(kFingerLinePx), black, QPoint(x + kFingerLineIndent, kFingerLineTop),
              QString::fromUtf8(kFingerLine));
    const QFont guideFont = fixedGothic(kGuideLinePx);
    for (const GuideLine& line : kGuideLines)
        printText(s.AllPicture, guideFont, black, QPoint(x, b + line.below), QString::fromUtf8(line.text));

    refreshScreen(s, p);
}

void placeOkButton(Platform& p)
{
    Forms& forms = p.forms();
    const QPoint at(forms.mainScaleWidth() - kOkButtonFromRight, forms.mainScaleHeight() - kOkButtonFromBottom);
    forms.setOkButton(true, QRect(at, kOkButtonSize));
}

void command1Click(GameState& s, Platform& p)
{
    p.forms().setOkButton(false);
    hideRecordsPage(s, p);
    s.helpPageOpen = false;
    bitBlt(s.AllPicture, {0, 0}, s.BackPicture, s.AllPicture.rect());
    refreshScreen(s, p);
}

} // namespace zunaka
