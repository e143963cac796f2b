#include "RecordsSummary.h"

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

int percent(double share)
{
    return static_cast<int>(std::lround(share * 100));
}

} // namespace zunaka
