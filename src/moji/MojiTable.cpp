#include "MojiTable.h"

#include "platform/Platform.h"
#include "platform/RandomPick.h"

#include <string_view>

namespace zunaka {

namespace {

// A lesson's keys are `count` consecutive entries of the table after the first `skip`.
struct LessonRange {
    int count;
    int skip;
};

constexpr OneBased<LessonRange, kLessonCount> kLessons = [] {
    OneBased<LessonRange, kLessonCount> lessons;
    lessons[1] = {12, 0};
    lessons[2] = {12, 12};
    lessons[3] = {10, 24};
    lessons[4] = {10, 34};
    lessons[5] = {34, 0};
    lessons[6] = {kMojiTableSize, 0};
    return lessons;
}();

constexpr int kColourLevels = 200;  // each component 1..200

} // namespace

void makeMojiTable(GameState& s)
{
    int index = 1;
    for (std::string_view row : {mojiRows::kMiddle, mojiRows::kUpper, mojiRows::kLower, mojiRows::kDigits}) {
        for (char key : row)
            s.gMojiTable[index++] = std::string(1, key);
    }
}

void selectMoji(GameState& s, Platform& p, int hole)
{
    const LessonRange& lesson = kLessons[s.gLesson];
    s.gHoleMoji[hole] = s.gMojiTable[pick(p, lesson.count, lesson.skip + 1)];
}

void selectMojiColor(GameState& s, Platform& p, int hole)
{
    s.gMojiRed[hole] = pick(p, kColourLevels, 1);
    s.gMojiGreen[hole] = pick(p, kColourLevels, 1);
    s.gMojiBlue[hole] = pick(p, kColourLevels, 1);
}

} // namespace zunaka
