#include "HitTest.h"

#include "platform/Platform.h"

#include <algorithm>

namespace zunaka {

namespace {

// A mole can be caught while more than this many steps of it stand out of its hole.
constexpr int kHiddenStepsOfCatchable = 2;

// Only A to Z fold; every other character, full-width letters included, must match exactly. UTF-8
// leaves the bytes of multi-byte characters outside the ASCII range, so they pass unchanged.
std::string lowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return text;
}

bool inHitWindow(const GameState& s, int hole)
{
    return s.gHoleRect[hole].top < s.gHoleBottom[hole] - kHiddenStepsOfCatchable * s.gStep;
}

void catchMole(GameState& s, Platform& p, int hole)
{
    s.gHoleCaught[hole] = true;
    s.gHoleUp[hole] = false;
    s.gHoleDown[hole] = true;
    p.sndPlaySound(s.gHitSound, kSndEffectFlags);
    ++s.gHitCount;
    countCatch(s.record, s.gHoleMoji[hole]);
    s.gHoleMoji[hole].clear();
}

} // namespace

bool checkHit(GameState& s, Platform& p)
{
    if (!s.gPlaying)
        return false;
    const std::string typed = lowerCase(p.forms().keyBoxText());
    // An empty box (Backspace, Delete) would equal the emptied character of a mole caught a moment ago
    // and count it a second time.
    if (!typed.empty()) {
        for (int hole = 1; hole <= kHoleCount; ++hole) {
            if (lowerCase(s.gHoleMoji[hole]) == typed && inHitWindow(s, hole)) {
                catchMole(s, p, hole);
                return true;
            }
        }
    }
    p.sndPlaySound(s.gMissSound, kSndEffectFlags);
    return false;
}

std::vector<std::string> mojiInHitWindow(const GameState& s)
{
    std::vector<std::string> up;
    for (int hole = 1; hole <= kHoleCount; ++hole) {
        if (!s.gHoleMoji[hole].empty() && inHitWindow(s, hole))
            up.push_back(s.gHoleMoji[hole]);
    }
    return up;
}

} // namespace zunaka
