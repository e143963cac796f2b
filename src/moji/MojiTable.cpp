#include "MojiTable.h"

#include "platform/Platform.h"
#include "platform/RandomPick.h"
#include "records/WeakKeys.h"

#include <string_view>

namespace zunaka {

namespace {

constexpr std::string_view kMiddleRow = "ASDFGHJKL;:]";
constexpr std::string_view kUpperRow = "QWERTYUIOP@[";
constexpr std::string_view kLowerRow = "ZXCVBNM,./";
constexpr std::string_view kDigitRow = "1234567890";
constexpr int kMiddle = static_cast<int>(kMiddleRow.size());
constexpr int kUpper = static_cast<int>(kUpperRow.size());
constexpr int kLower = static_cast<int>(kLowerRow.size());
constexpr int kDigits = static_cast<int>(kDigitRow.size());
static_assert(kMiddle + kUpper + kLower + kDigits == kMojiTableSize);

// A lesson's keys are `count` consecutive entries of the table after the first `skip`.
struct LessonRange {
    int count;
    int skip;
};

constexpr OneBased<LessonRange, kLessonCount> kLessons = [] {
    OneBased<LessonRange, kLessonCount> lessons;
    lessons[1] = {kMiddle, 0};
    lessons[2] = {kUpper, kMiddle};
    lessons[3] = {kLower, kMiddle + kUpper};
    lessons[4] = {kDigits, kMiddle + kUpper + kLower};
    lessons[5] = {kMiddle + kUpper + kLower, 0};
    lessons[6] = {kMojiTableSize, 0};
    return lessons;
}();

constexpr int kColourLevels = 200;  // each component 1..200

} // namespace

void makeMojiTable(GameState& s)
{
    int index = 1;
    for (std::string_view row : {kMiddleRow, kUpperRow, kLowerRow, kDigitRow}) {
        for (char key : row)
            s.gMojiTable[index++] = std::string(1, key);
    }
}

void selectMoji(GameState& s, Platform& p, int hole)
{
    const int lesson = s.gLesson == kWeakKeysLesson ? s.weakKeys.drawsAs : s.gLesson;
    if (lesson == kWeakKeysLesson) {
        s.gHoleMoji[hole] = s.gMojiTable[drawWeakKey(s.weakKeys, p.rnd())];
        return;
    }
    const LessonRange& range = kLessons[lesson];
    s.gHoleMoji[hole] = s.gMojiTable[pick(p, range.count, range.skip + 1)];
}

void selectMojiColor(GameState& s, Platform& p, int hole)
{
    s.gMojiRed[hole] = pick(p, kColourLevels, 1);
    s.gMojiGreen[hole] = pick(p, kColourLevels, 1);
    s.gMojiBlue[hole] = pick(p, kColourLevels, 1);
}

} // namespace zunaka
