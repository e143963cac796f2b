#include "KeyStats.h"

#include <algorithm>
#include <set>

namespace zunaka {

namespace {

// Adds the part of one game's count of a key that still fits in its window; false when none did.
bool takeAppearances(KeyStat& stat, const KeyCount& count)
{
    const int room = kKeyWindow - stat.appeared;
    if (room <= 0 || count.appeared <= 0)
        return false;
    const int taken = std::min(room, count.appeared);
    const int caught = std::clamp(count.caught, 0, count.appeared);
    stat.appeared += taken;
    stat.caught += taken == count.appeared ? caught : (2 * caught * taken + count.appeared) / (2 * count.appeared);
    return true;
}

// The character typed most often, the first in byte order among equals.
std::string mostTyped(const std::map<std::string, int>& typed)
{
    std::string most;
    int times = 0;
    for (const auto& [moji, count] : typed) {
        if (count > times) {
            most = moji;
            times = count;
        }
    }
    return most;
}

} // namespace

KeyStats keyStatsOf(const std::vector<GameRecord>& games)
{
    KeyStats stats;
    std::map<std::string, std::map<std::string, int>> typedFor;
    for (auto game = games.rbegin(); game != games.rend(); ++game) {
        std::set<std::string> inWindow;
        for (const auto& [moji, count] : game->keys) {
            KeyStat stat = stats.contains(moji) ? stats[moji] : KeyStat{};
            if (takeAppearances(stat, count)) {
                stats[moji] = stat;
                inWindow.insert(moji);
            }
        }
        for (const MissRecord& miss : game->missList) {
            // Two moles of one character up at once name it once.
            const std::set<std::string> named(miss.up.begin(), miss.up.end());
            for (const std::string& moji : named) {
                if (moji == miss.typed || !inWindow.contains(moji))
                    continue;
                ++stats[moji].mixups;
                ++typedFor[moji][miss.typed];
            }
        }
    }
    for (const auto& [moji, typed] : typedFor)
        stats[moji].commonMixup = mostTyped(typed);
    return stats;
}

double catchShare(const KeyStat& stat)
{
    return stat.appeared > 0 ? static_cast<double>(stat.caught) / stat.appeared : 0.0;
}

double mixupShare(const KeyStat& stat)
{
    return stat.appeared > 0 ? std::min(1.0, static_cast<double>(stat.mixups) / stat.appeared) : 0.0;
}

} // namespace zunaka
