#pragma once

#include "GameState.h"

#include <string>

namespace zunaka {

class Platform;

// The media command texts of the background music, device alias gBGMfile. The trailing blanks belong to
// the commands.
namespace bgm {
inline constexpr const char* kPlay = "play gBGMfile from 0 ";
inline constexpr const char* kStop = "stop gBGMfile ";
inline constexpr const char* kClose = "close gBGMfile ";
inline constexpr const char* kFile = "Blugrass.mid";
std::string openCommand(const std::string& dataFolder);
} // namespace bgm

inline constexpr const char* kMissSoundFile = "金属.wav";
inline constexpr const char* kHitSoundFile = "みゃ.wav";

// The music restarts from the top this long after each (re)start while a game runs, whatever the piece's
// own length.
constexpr std::int32_t kMusicPeriodMs = 67000;

// Opens the music under its alias and records the paths of the two effects. Called once at start-up;
// a music file that cannot be opened leaves the game silent, a media layer that fails ends the program
// with the sound loading message.
void loadSounds(GameState& s, Platform& p);

// Restarts the music once its period has run out. Called on every pass of a game with the music on.
void repeatMusic(GameState& s, Platform& p);

} // namespace zunaka
