#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace zunaka {

// Reads a file of the data folder, which its user may replace with anything: only a regular file is
// read, and only when it holds at most `maxBytes`. A named pipe or a device under a data file's name
// would hold the program in its open or its reading for good; neither is waited for. On refusal returns
// nothing and says why in `why`.
std::optional<std::string> readDataFile(const std::string& path, std::size_t maxBytes, std::string& why);

} // namespace zunaka
