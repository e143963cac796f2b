// Writes games of mixed skill into a records file through the game's own SQLite store, for pictures of the
// records page and for measuring the file:
//   zunaka_records_fill PATH [GAMES [PLAYER]]
// Each game draws its moles from a lesson's keys as the game does; the harder keys (the little finger's
// symbols, the digits) are caught less often, and a miss types the key beside the one that was up.
#include "GameState.h"
#include "moji/MojiTable.h"
#include "platform/qt/sql/SqliteRecords.h"

#include <QCoreApplication>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string_view>

namespace {

using zunaka::GameRecord;

struct Pattern {
    int lesson;
    int first;  // the lesson's keys: entries first .. first + count - 1 of the table
    int count;
    double skill;
    bool finished;
};
// Games cycle through these: a good first lesson, a poor one, the letter rows, a game stopped early, all keys.
constexpr std::array kPatterns{
    Pattern{1, 1, 12, 0.97, true}, Pattern{1, 1, 12, 0.75, true}, Pattern{5, 1, 34, 0.88, true},
    Pattern{2, 13, 12, 0.62, false}, Pattern{6, 1, 44, 0.84, true},
};
constexpr int kMoles = 30;
constexpr std::string_view kHardKeys = ";:]@[1234567890-^";
constexpr double kHardKeyPenalty = 0.3;
constexpr double kMissShare = 0.7;  // of the moles not caught, those a wrong key was typed for

GameRecord playGame(const zunaka::GameState& s, const Pattern& pattern, std::mt19937& random, int number)
{
    std::uniform_real_distribution<double> chance(0.0, 1.0);
    GameRecord game;
    game.started = "2026-12-0" + std::to_string(1 + number % 9) + "T16:00:00+09:00";
    game.lesson = pattern.lesson;
    game.speed = 3;
    game.moles = kMoles;
    game.appeared = pattern.finished ? kMoles : kMoles / 2;
    game.finished = pattern.finished;
    game.playedMs = game.appeared * 1300;
    for (int i = 0; i < game.appeared; ++i) {
        const int entry = pattern.first + static_cast<int>(random() % static_cast<unsigned>(pattern.count));
        const std::string& moji = s.gMojiTable[entry];
        zunaka::countAppearance(game, moji);
        const bool hard = kHardKeys.find(moji[0]) != std::string_view::npos;
        if (chance(random) < pattern.skill - (hard ? kHardKeyPenalty : 0.0)) {
            zunaka::countCatch(game, moji);
            ++game.caught;
        } else if (chance(random) < kMissShare) {
            const int beside = entry > pattern.first ? entry - 1 : entry + 1;
            zunaka::countMiss(game, s.gMojiTable[beside], {moji});
        }
    }
    return game;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: zunaka_records_fill PATH [GAMES [PLAYER]]\n");
        return 2;
    }
    const int games = argc > 2 ? std::atoi(argv[2]) : static_cast<int>(kPatterns.size());
    zunaka::GameState s;
    zunaka::makeMojiTable(s);
    zunaka::SqliteRecords store(QString::fromLocal8Bit(argv[1]));
    if (argc > 3)
        store.choosePlayer(argv[3]);
    std::mt19937 random(20261207);
    for (int i = 0; i < games; ++i) {
        GameRecord game = playGame(s, kPatterns[static_cast<std::size_t>(i) % kPatterns.size()], random, i);
        game.player = store.currentPlayer();
        if (!store.save(game))
            return 1;
    }
    return 0;
}
