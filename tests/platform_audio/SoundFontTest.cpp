#include "platform/qt/audio/SoundFont.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

namespace zunaka {
namespace {

constexpr const char* kSmall = "/usr/share/sounds/sf2/TimGM6mb.sf2";
constexpr const char* kDefaultSf3 = "/usr/share/sounds/sf3/default-GM.sf3";
constexpr const char* kDefaultSf2 = "/usr/share/sounds/sf2/default-GM.sf2";
constexpr const char* kLarge = "/usr/share/sounds/sf2/FluidR3_GM.sf2";
constexpr const char* kMine = "/home/u/my.sf2";

TEST(SoundFontChoice, TheUsersFontFirstThenTheSmallestInstalled)
{
    // What the user's variable names, what is installed, and the font chosen.
    const std::tuple<const char*, const char*, std::set<std::string>, std::optional<std::string>> cases[] = {
        {"all installed", nullptr, {kSmall, kDefaultSf3, kDefaultSf2, kLarge}, kSmall},
        {"no small font", nullptr, {kDefaultSf3, kDefaultSf2}, kDefaultSf3},
        {"only sf2 default", nullptr, {kDefaultSf2, kLarge}, kDefaultSf2},
        {"only a font under another name", nullptr, {kLarge}, std::nullopt},
        {"nothing installed", nullptr, {}, std::nullopt},
        {"user named a font", kMine, {kSmall, kMine}, kMine},
        {"user named two, the first is gone", "/gone.sf2:/home/u/my.sf2", {kSmall, kMine}, kMine},
        {"user named one that is gone", "/gone.sf2", {kSmall}, kSmall},
        {"user variable empty", "", {kSmall}, kSmall},
    };
    for (const auto& [name, userValue, installed, expected] : cases) {
        const auto actual = soundFontToLoad(userValue, [&](const std::string& path) { return installed.count(path) > 0; });
        EXPECT_EQ(actual, expected) << name << ": expected " << expected.value_or("(none)") << ", got "
                                    << actual.value_or("(none)");
    }
}

} // namespace
} // namespace zunaka
