#include "platform/qt/audio/SoundFont.h"

#include <gtest/gtest.h>

#include <set>

namespace zunaka {
namespace {

constexpr const char* kSmall = "/usr/share/sounds/sf2/TimGM6mb.sf2";
constexpr const char* kDefaultSf3 = "/usr/share/sounds/sf3/default-GM.sf3";
constexpr const char* kDefaultSf2 = "/usr/share/sounds/sf2/default-GM.sf2";
constexpr const char* kLarge = "/usr/share/sounds/sf2/FluidR3_GM.sf2";
constexpr const char* kMine = "/home/u/my.sf2";

TEST(SoundFontChoice, TheUsersFontFirstThenTheSmallestInstalled)
{
    struct Case {
        const char* name;
        const char* userValue;
        std::set<std::string> installed;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
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
    for (const Case& c : cases) {
        const auto exists = [&](const std::string& path) { return c.installed.count(path) > 0; };
        const auto actual = soundFontToLoad(c.userValue, exists);
        EXPECT_EQ(actual, c.expected) << c.name << ": expected " << c.expected.value_or("(none)") << ", got "
                                      << actual.value_or("(none)");
    }
}

} // namespace
} // namespace zunaka
