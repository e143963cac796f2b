#include "RecordsDrawing.h"

#include "RecordsKeyboard.h"
#include "RecordsLook.h"
#include "platform/Print.h"
#include "platform/Shapes.h"

#include <algorithm>
#include <array>
#include <string>

namespace zunaka {

namespace {

using namespace recordsLook;

constexpr int kLeft = 16;         // the left column: the latest game and the chart
constexpr int kRight = 336;       // the right column: the best games
constexpr int kColumnWidth = 288;
constexpr int kTitleTop = 8;
constexpr int kNoticeTop = 42;
constexpr int kSectionTop = 64;
constexpr int kLinePitch = 20;
constexpr int kBestPitch = 19;
constexpr int kChartTop = 172;
const QRect kChart(52, 194, 252, 64);  // the bars' area, 100 % at its top
constexpr int kChartPitch = 12;         // one bar a game, kChartedGames of them across
constexpr int kBarWidth = 9;

constexpr std::array kSpeedNames{"はやい", "ややはやい", "おそい"};
constexpr std::array kLessonNames{"レッスン１", "レッスン２", "レッスン３", "レッスン４",
                                  "レッスン５", "レッスン６", "にがてなキー"};
static_assert(kLessonNames.size() == kPageLessons);

QString lessonName(int lesson)
{
    if (lesson >= 1 && lesson <= int(kLessonNames.size()))
        return QString::fromUtf8(kLessonNames[std::size_t(lesson - 1)]);
    return QStringLiteral("レッスン%1").arg(lesson);
}

QString speedName(int speed)
{
    return speed >= 1 && speed <= int(kSpeedNames.size()) ? QString::fromUtf8(kSpeedNames[std::size_t(speed - 1)])
                                                         : QString();
}

void print(QImage& page, int px, QRgb colour, int x, int y, const QString& text)
{
    printText(page, pageFont(px), colour, QPoint(x, y), text);
}

// A section's name on a coloured band across its column.
void heading(QImage& page, int x, int y, const QString& text)
{
    fillBox(page, QRect(x, y, kColumnWidth, kHeadingPx + 6), kHeadingBand);
    print(page, kHeadingPx, kInk, x + 6, y + 3, text);
}

void paintLatest(QImage& page, const GameRecord& game)
{
    heading(page, kLeft, kSectionTop, QStringLiteral("さいごの ゲーム"));
    int y = kSectionTop + kHeadingPx + 12;
    print(page, kTextPx, kInk, kLeft + 6, y,
          lessonName(game.lesson) + QStringLiteral("　") + speedName(game.speed) +
              (game.finished ? QString() : QStringLiteral("　（とちゅうで やめた）")));
    y += kLinePitch;
    print(page, kTextPx, kInk, kLeft + 6, y,
          QStringLiteral("でてきた %1　つかまえた %2　ミス %3").arg(game.appeared).arg(game.caught).arg(game.misses));
    y += kLinePitch;
    const double share = catchShare(game);
    print(page, kBigPx, shareInk(share), kLeft + 6, y, QStringLiteral("つかまえた わりあい %1%").arg(percent(share)));
}

void paintBest(QImage& page, const std::map<int, GameRecord>& best)
{
    heading(page, kRight, kSectionTop, QStringLiteral("レッスンごとの いちばん"));
    int y = kSectionTop + kHeadingPx + 12;
    for (int lesson = 1; lesson <= kPageLessons; ++lesson, y += kBestPitch) {
        print(page, kTextPx, kInk, kRight + 6, y, lessonName(lesson));
        const auto found = best.find(lesson);
        if (found == best.end()) {
            print(page, kTextPx, kFaint, kRight + 110, y, QStringLiteral("まだ ありません"));
            continue;
        }
        const GameRecord& game = found->second;
        print(page, kTextPx, shareInk(catchShare(game)), kRight + 110, y,
              QStringLiteral("%1 / %2").arg(game.caught).arg(game.appeared));
        print(page, kTextPx, kInk, kRight + 190, y, QStringLiteral("ミス %1").arg(game.misses));
    }
}

void paintChart(QImage& page, const std::vector<double>& shares)
{
    heading(page, kLeft, kChartTop - 8, QStringLiteral("さいきん %1かいの わりあい").arg(kChartedGames));
    for (const int level : {100, 50, 0}) {
        const int y = kChart.bottom() - kChart.height() * level / 100;
        fillBox(page, QRect(kChart.left(), y, kChart.width(), 1), level == 0 ? kInk : kGrid);
        print(page, kSmallPx, kFaint, kLeft, y - kSmallPx / 2, QStringLiteral("%1%").arg(level));
    }
    int x = kChart.left() + (kChartPitch - kBarWidth);
    for (const double share : shares) {
        const int height = std::max(1, static_cast<int>(kChart.height() * share + 0.5));
        fillBox(page, QRect(x, kChart.bottom() - height + 1, kBarWidth, height), shareColour(share));
        x += kChartPitch;
    }
    print(page, kSmallPx, kFaint, kChart.left(), kChart.bottom() + 4, QStringLiteral("← むかし"));
    print(page, kSmallPx, kFaint, kChart.right() - 48, kChart.bottom() + 4, QStringLiteral("さいきん →"));
}

void paintNoGames(QImage& page)
{
    print(page, kBigPx, kInk, kLeft + 40, 120, QStringLiteral("まだ きろくが ありません。"));
    print(page, kBigPx, kInk, kLeft + 40, 160, QStringLiteral("「ファイル」の「スタート」で"));
    print(page, kBigPx, kInk, kLeft + 40, 190, QStringLiteral("ゲームを はじめよう！"));
}

} // namespace

void paintRecordsPage(QImage& page, const RecordsView& view, const QImage& keyboard)
{
    page.fill(kPaper);
    print(page, kTitlePx, kInk, kLeft, kTitleTop, QString::fromStdString(view.player) + QStringLiteral(" の きろく"));
    // A file that cannot be written mostly cannot be read either: saving is what a child misses.
    if (!view.canSave)
        print(page, kTextPx, kWarning, kLeft, kNoticeTop, QStringLiteral("きろくを ほぞんできません。ゲームは ふつうに あそべます。"));
    else if (!view.readable)
        print(page, kTextPx, kWarning, kLeft, kNoticeTop, QStringLiteral("きろくを よみだせません。ゲームは ふつうに あそべます。"));

    const RecordsSummary& summary = view.summary;
    if (!summary.latest) {
        if (view.readable)
            paintNoGames(page);
        return;
    }
    paintLatest(page, *summary.latest);
    paintBest(page, summary.bestByLesson);
    paintChart(page, summary.recentShares);
    paintRecordsKeyboard(page, keyboard, view);
}

} // namespace zunaka
