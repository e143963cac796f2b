#include "platform/qt/SdlSoundFont.h"

#include <gtest/gtest.h>

#include <set>

namespace zunaka {
namespace {

constexpr const char* kSmall = "/usr/share/sounds/sf2/TimGM6mb.sf2";
constexpr const char* kDefaultSf3 = "/usr/share/sounds/sf3/default-GM.sf3";
constexpr const char* kDefaultSf2 = "/usr/share/sounds/sf2/default-GM.sf2";
constexpr const char* kLarge = "/usr/share/sounds/sf2/FluidR3_GM.sf2";

TEST(SoundFontChoice, PrefersTheSmallFontAndLeavesTheUsersChoiceAlone)
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
        {"only the large font: SDL_mixer finds it", nullptr, {kLarge}, std::nullopt},
        {"nothing installed", nullptr, {}, std::nullopt},
        {"user named a font", "/home/u/my.sf2", {kSmall}, std::nullopt},
        {"user variable empty", "", {kSmall}, kSmall},
    };
    for (const Case& c : cases) {
        const auto exists = [&](const std::string& path) { return c.installed.count(path) > 0; };
        const auto actual = soundFontToSet(c.userValue, exists);
        EXPECT_EQ(actual, c.expected) << c.name << ": expected " << c.expected.value_or("(none)") << ", got "
                                      << actual.value_or("(none)");
    }
}

} // namespace
} // namespace zunaka
