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
    s.gHoleMoji[hole].clear();
}

} // namespace

void checkHit(GameState& s, Platform& p)
{
    if (!s.gPlaying)
        return;
    const std::string typed = lowerCase(p.forms().keyBoxText());
    // An empty box (Backspace, Delete) would equal the emptied character of a mole caught a moment ago
    // and count it a second time.
    if (!typed.empty()) {
        for (int hole = 1; hole <= kHoleCount; ++hole) {
            if (lowerCase(s.gHoleMoji[hole]) == typed && inHitWindow(s, hole)) {
                catchMole(s, p, hole);
                return;
            }
        }
    }
    p.sndPlaySound(s.gMissSound, kSndEffectFlags);
}

} // namespace zunaka
