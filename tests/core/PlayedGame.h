#pragma once

#include "records/GameRecord.h"

#include <string>

namespace zunaka::test {

// A game of 30 moles at the slow speed, named by its counts ("#caught/misses") where its start time goes.
inline GameRecord played(int lesson, int caught, int misses, bool finished = true, const std::string& player = "みんな")
{
    GameRecord game;
    game.started = "#" + std::to_string(caught) + "/" + std::to_string(misses);
    game.lesson = lesson;
    game.speed = 3;
    game.moles = game.appeared = 30;
    game.caught = caught;
    game.misses = misses;
    game.finished = finished;
    game.player = player;
    return game;
}

} // namespace zunaka::test
