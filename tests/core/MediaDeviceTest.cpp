#include "platform/fake/FakePlatform.h"
#include "platform/MediaDevice.h"

#include <gtest/gtest.h>

#include <tuple>

namespace zunaka {
namespace {

TEST(MediaCommandParsing, ReadsTheFourCommandsAndRejectsTheRest)
{
    const std::pair<const char*, std::optional<MediaCommand>> rows[] = {
        {"open \"/opt/z/Deta/Blugrass.mid\" type sequencer alias gBGMfile",
         MediaCommand{MediaVerb::Open, "gBGMfile", "/opt/z/Deta/Blugrass.mid"}},
        {"open \"/home/a b/Deta/Blugrass.mid\" type sequencer alias gBGMfile",
         MediaCommand{MediaVerb::Open, "gBGMfile", "/home/a b/Deta/Blugrass.mid"}},
        {"OPEN \"x.mid\" Type Sequencer ALIAS m", MediaCommand{MediaVerb::Open, "m", "x.mid"}},
        {"play gBGMfile from 0 ", MediaCommand{MediaVerb::Play, "gBGMfile", {}}},
        {"stop gBGMfile ", MediaCommand{MediaVerb::Stop, "gBGMfile", {}}},
        {"close gBGMfile ", MediaCommand{MediaVerb::Close, "gBGMfile", {}}},
        {"open x.mid type sequencer alias m", std::nullopt},  // the path must be quoted
        {"open \"x.mid type sequencer alias m", std::nullopt},
        {"play gBGMfile from 10", std::nullopt},
        {"pause gBGMfile", std::nullopt},
        {"stop", std::nullopt},
        // Extra words after a valid command make it another command.
        {"play gBGMfile from 0 wait", std::nullopt},
        {"open \"x.mid\" type sequencer alias m shareable", std::nullopt},
    };
    for (const auto& [text, expected] : rows)
        EXPECT_EQ(parseMediaCommand(text), expected) << "'" << text << "'";
}

TEST(MediaDevice, CarriesOutCommandsOnlyForTheOpenAlias)
{
    RecordingMusic music;
    MediaDevice device(music);
    music.loadFails = true;  // the first open: a file that cannot be opened leaves the alias closed
    // Each command, its result, and what the player was asked to do ("" for nothing).
    const std::tuple<const char*, int, const char*> rows[] = {
        {"open \"/d/missing.mid\" type sequencer alias gBGMfile", mci::kCannotOpen, "load /d/missing.mid"},
        {"play gBGMfile from 0 ", mci::kNotOpen, ""},
        {"stop gBGMfile ", mci::kNotOpen, ""},
        {"open \"/d/Blugrass.mid\" type sequencer alias gBGMfile", mci::kOk, "load /d/Blugrass.mid"},
        {"open \"/d/other.mid\" type sequencer alias gBGMfile", mci::kAliasInUse, ""},
        {"play other from 0", mci::kNotOpen, ""},
        {"play gBGMfile from 0 ", mci::kOk, "play"},
        {"bogus gBGMfile", mci::kUnknownCommand, ""},
        {"stop gBGMfile ", mci::kOk, "stop"},
        {"close gBGMfile ", mci::kOk, "close"},
        {"stop gBGMfile ", mci::kNotOpen, ""},
        {"close gBGMfile ", mci::kNotOpen, ""},
    };
    for (const auto& [text, result, backend] : rows) {
        music.log.clear();
        EXPECT_EQ(device.send(text), result) << text;
        music.loadFails = false;
        EXPECT_EQ(music.log.empty() ? std::string() : music.log.front(), backend) << text;
    }
}

} // namespace
} // namespace zunaka
