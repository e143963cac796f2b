#include "RecordsSummary.h"

#include "WeakKeys.h"

#include <algorithm>
#include <cmath>

namespace zunaka {

namespace {

bool betterThan(const GameRecord& game, const GameRecord& best)
{
    if (game.caught != best.caught)
        return game.caught > best.caught;
    return game.misses < best.misses;
}

} // namespace

RecordsSummary summarise(const std::vector<GameRecord>& games)
{
    RecordsSummary summary;
    if (games.empty())
        return summary;
    summary.latest = games.back();
    for (const GameRecord& game : games) {
        if (!game.finished)
            continue;
        const auto [best, added] = summary.bestByLesson.try_emplace(game.lesson, game);
        if (!added && betterThan(game, best->second))
            best->second = game;
    }
    const std::size_t first = games.size() > kChartedGames ? games.size() - kChartedGames : 0;
    for (std::size_t i = first; i < games.size(); ++i)
        summary.recentShares.push_back(catchShare(games[i]));
    return summary;
}

double catchShare(const GameRecord& game)
{
    return game.appeared > 0 ? double(game.caught) / game.appeared : 0.0;
}

std::vector<std::string> weakestKeys(const KeyStats& keys, std::size_t count)
{
    std::vector<std::string> weak;
    for (const auto& [moji, stat] : keys) {
        if (stat.caught < stat.appeared || stat.mixups > 0)
            weak.push_back(moji);
    }
    // Weighed as にがてなキー weighs them, so the keys named are those it practises most.
    std::stable_sort(weak.begin(), weak.end(), [&keys](const std::string& a, const std::string& b) {
        const KeyStat& x = keys.at(a);
        const KeyStat& y = keys.at(b);
        if (weakKeyWeight(x) != weakKeyWeight(y))
            return weakKeyWeight(x) > weakKeyWeight(y);
        return x.appeared > y.appeared;
    });
    weak.resize(std::min(weak.size(), count));
    return weak;
}

int percent(double share)
{
    return static_cast<int>(std::lround(share * 100));
}

} // namespace zunaka
