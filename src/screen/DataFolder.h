#pragma once

#include <string>

namespace zunaka {

// Where the game's pictures, music and sounds live: the folder "Deta" beside the program file. Every
// routine that opens a data file builds the path afresh with this.
std::string dataFolder(const std::string& appPath);

} // namespace zunaka
