#include "GameRecord.h"

#include <algorithm>

namespace zunaka {

void countAppearance(GameRecord& record, const std::string& moji)
{
    ++record.keys[moji].appeared;
}

void countCatch(GameRecord& record, const std::string& moji)
{
    ++record.keys[moji].caught;
}

void countMiss(GameRecord& record, const std::string& typed, std::vector<std::string> up)
{
    // The box holds what the keyboard typed; the moles carry the table's upper-case letters.
    std::string moji = typed;
    std::transform(moji.begin(), moji.end(), moji.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
    record.missList.push_back({std::move(moji), std::move(up)});
    ++record.misses;
}

} // namespace zunaka
